// The exercises' draws on a generated word database of 50,000 words: a
// word-matching round (ten words; also right after a write, when the IDs are
// read again), the next word of the traditional exercise
// (all words, with a repetition list of ten), and a verb with a complete row
// in the present tense.
#include "GeneratedWordDb.h"

#include "exercise/rounds/ExerciseRandom.h"
#include "exercise/rounds/TraditionalRound.h"
#include "exercise/rounds/WordDraw.h"
#include "platform/dao/Dao.h"
#include "store/SharedState.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct WordStore {
    QTemporaryDir dir;
    WordStore()
    {
        tav::DbPath = dir.filePath(QStringLiteral("TavWrd.twl"));
        if (!QFile::copy(tavbench::GeneratedWordDbPath(50000), tav::DbPath)) {
            std::fprintf(stderr, "cannot copy the generated database\n");
            std::abort();
        }
        tav::WordDb = dao::DBEngine::OpenDatabase(tav::DbPath);
        tav::Rnd().Seed(1);
    }
};

WordStore &Store()
{
    static WordStore store;
    return store;
}

void PickRandomWords(benchmark::State &state)
{
    Store();
    tav::OptNbrScribble = 10;
    for (auto _ : state) {
        tav::PickRandomWords();
        benchmark::DoNotOptimize(tav::PickCriteria);
    }
}
BENCHMARK(PickRandomWords)->Unit(benchmark::kMillisecond);

// The same after a write to the file, which makes the draw read the IDs again.
void PickRandomWordsAfterAWrite(benchmark::State &state)
{
    Store();
    tav::OptNbrScribble = 10;
    for (auto _ : state) {
        state.PauseTiming();
        tav::WordDb->ExecNative(QStringLiteral("UPDATE Options SET nbrScribble = 10"));
        state.ResumeTiming();
        tav::PickRandomWords();
        benchmark::DoNotOptimize(tav::PickCriteria);
    }
}
BENCHMARK(PickRandomWordsAfterAWrite)->Unit(benchmark::kMillisecond);

void NextTraditionalWord(benchmark::State &state)
{
    Store();
    tav::OptNbrRepeats = 100;
    tav::TraditionalRound round(tav::Rnd());
    round.Start();
    tav::RepaIDs = {7, 14, 21, 28, 35, 42, 49, 56, 63, 70};
    for (auto _ : state)
        benchmark::DoNotOptimize(round.Next());
}
BENCHMARK(NextTraditionalWord)->Unit(benchmark::kMillisecond);

void DrawVerb(benchmark::State &state)
{
    Store();
    QSet<long long> cycle;
    for (auto _ : state)
        benchmark::DoNotOptimize(tav::DrawRound(tav::VerbsCompleteIn(QStringLiteral("KonT1")), 1, cycle, tav::Rnd()));
}
BENCHMARK(DrawVerb)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
