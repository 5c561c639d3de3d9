// The standard list window on a generated database of 50,000 words: the
// "All Greek" request from the Show button's request to the filled window,
// against the bare SQLite query of the same SQL in the same run; a sort by
// the heading buttons of that list; and the process's memory with it open.
#include "AllGreekList.h"
#include "GeneratedWordDb.h"

#include "grids/GridStd.h"
#include "platform/dao/JetSql.h"
#include "store/SharedState.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

tavbench::ProgramUnderBench *g_program = nullptr;

long long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atoll(line.c_str() + 6);
    return 0;
}

void AllGreekWindow(benchmark::State &state)
{
    long long rows = 0;
    for (auto _ : state) {
        g_program->OpenAllGreek();
        state.PauseTiming();
        tav::GridStd *list = g_program->OpenList();
        if (!list)
            std::abort();
        rows = list->Grid->Rows() - 1;
        g_program->CloseLists();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void AllGreekBareQuery(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(g_program->file().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        std::abort();
    dao::RegisterJetFunctions(db);
    const std::string sql = dao::TranslateJet(tav::SqlLang3).toStdString();
    long long rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            std::abort();
        rows = 0;
        long long bytes = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
                bytes += sqlite3_column_bytes(st, c);
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
    state.counters["rows"] = static_cast<double>(rows);
}

// One click of a heading button: the English pair and the Greek pair in turn.
void HeadingButtonSort(benchmark::State &state)
{
    g_program->OpenAllGreek();
    tav::GridStd *list = g_program->OpenList();
    if (!list)
        std::abort();
    state.counters["rss_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
    int button = 1;
    for (auto _ : state) {
        list->cmdSort_Click(button);
        button = button == 1 ? 0 : 1;
    }
    g_program->CloseLists();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    tavbench::ProgramUnderBench program(tavbench::GeneratedWordDbPath(50000));
    g_program = &program;
    benchmark::RegisterBenchmark("AllGreekWindow/50000", AllGreekWindow)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AllGreekBareQuery/50000", AllGreekBareQuery)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("HeadingButtonSort/50000", HeadingButtonSort)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_program = nullptr;
    return 0;
}
