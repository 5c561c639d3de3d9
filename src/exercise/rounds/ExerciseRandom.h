#pragma once
// The one random generator of the exercises: every draw and every shuffle
// takes its numbers from here, so a test that seeds it gets the same rounds
// every time. The program seeds it once from the clock.

#include <QtGlobal>

#include <random>

namespace tav {

class ExerciseRandom {
public:
    ExerciseRandom();                // seeded from the clock
    void Seed(quint64 seed);
    // A uniform integer in 0 .. n - 1; 0 when n is below 1.
    int Below(int n);

private:
    std::mt19937_64 m_gen;
};

ExerciseRandom &Rnd();

} // namespace tav
