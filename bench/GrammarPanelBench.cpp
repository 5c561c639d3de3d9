// Showing a word in the grammar panel (MDI.SmallFacts) of the shown main
// window on the shipped word database, timed to the event loop idle again
// with the panel painted, beside the bare SQLite statements it runs for that
// word in the same run; and the same statements through the program's
// database layer: a verb (conjugation) and a noun (declension beside the
// article). Arrowing through a list must never lag: the panel should cost
// well under 5 ms a word.
#include "BareSql.h"
#include "BenchProgram.h"
#include "UserWait.h"

#include "platform/dao/Dao.h"
#include "store/SharedState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr long long kVerb = 5;  // aggivzw, both voices
constexpr long long kNoun = 10; // agkwvnaV, masculine

std::unique_ptr<tavbench::BenchProgram> g_program;

// The same statements through the program's database layer.
void LayerStatements(benchmark::State &state, long long id, bool verb)
{
    std::vector<QString> sql;
    for (const std::string &s : tavbench::GrammarPanelStatements(id, verb))
        sql.push_back(QString::fromStdString(s));
    for (auto _ : state) {
        for (const QString &s : sql) {
            dao::RecordsetPtr rs = tav::WordDb->OpenRecordset(s, dao::RecordsetType::Snapshot);
            if (!rs->Eof())
                for (int c = 0; c < rs->FieldCount(); ++c)
                    benchmark::DoNotOptimize(rs->Text(c));
        }
    }
}

void SmallFacts(benchmark::State &state, long long id, bool verb)
{
    const tavbench::BareConnection bare(g_program->File());
    const std::vector<std::string> sql = tavbench::GrammarPanelStatements(id, verb);
    tavbench::PairedTimes times;
    for (auto _ : state) {
        times.Bare([&] { bare.Run(sql); });
        times.Action(state, [&] { g_program->Mdi().SmallFacts(id, QString(), 0); });
    }
    times.Report(state);
}

void BM_SmallFactsVerb(benchmark::State &state) { SmallFacts(state, kVerb, true); }
void BM_LayerStatementsVerb(benchmark::State &state) { LayerStatements(state, kVerb, true); }
void BM_SmallFactsNoun(benchmark::State &state) { SmallFacts(state, kNoun, false); }
void BM_LayerStatementsNoun(benchmark::State &state) { LayerStatements(state, kNoun, false); }

BENCHMARK(BM_SmallFactsVerb)->Unit(benchmark::kMicrosecond)->UseManualTime();
BENCHMARK(BM_LayerStatementsVerb)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmallFactsNoun)->Unit(benchmark::kMicrosecond)->UseManualTime();
BENCHMARK(BM_LayerStatementsNoun)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    tavbench::WindowBenchApp app(argc, argv);
    g_program = std::make_unique<tavbench::BenchProgram>(QStringLiteral(TAV_FRESH_DB));
    g_program->Start();
    const int result = app.Run();
    g_program.reset();
    return result;
}
