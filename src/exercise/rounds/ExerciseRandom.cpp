#include "exercise/rounds/ExerciseRandom.h"

#include <chrono>

namespace tav {

ExerciseRandom::ExerciseRandom()
    : m_gen(static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

void ExerciseRandom::Seed(quint64 seed) { m_gen.seed(seed); }

int ExerciseRandom::Below(int n)
{
    if (n < 1)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_gen);
}

ExerciseRandom &Rnd()
{
    static ExerciseRandom generator;
    return generator;
}

} // namespace tav
