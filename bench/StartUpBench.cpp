// The program's start-up up to the main window shown and painted with the
// event loop idle (the Load's pauses left out), beside the tree's counts
// asked of SQLite directly; the category tree's build with its counts; and
// those bare counts alone; in the same run, on the shipped word database and
// on a generated one of 50,000 words.
#include "BareSql.h"
#include "BenchProgram.h"
#include "GeneratedWordDb.h"
#include "UserWait.h"

#include "mainwindow/MDI.h"
#include "platform/dao/Dao.h"
#include "platform/dao/JetSql.h"
#include "store/CategoryTree.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/StartUp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// A program folder holding a copy of the database as TavWrd.twl.
struct ProgramFolder {
    QTemporaryDir dir;
    explicit ProgramFolder(const QString &database)
    {
        if (!QFile::copy(database, dir.filePath(QStringLiteral("TavWrd.twl")))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(database));
            std::abort();
        }
    }
    QString path() const { return dir.path(); }
};

std::vector<std::string> BareCountStatements();

std::unique_ptr<tav::MDI> StartProgram(const QString &folder)
{
    auto mdi = std::make_unique<tav::MDI>();
    mdi->Pause = [] {};
    tav::SetLink(mdi.get());
    if (tav::SubMain(folder) != 0) {
        std::fprintf(stderr, "start-up failed in %s\n", qPrintable(folder));
        std::abort();
    }
    return mdi;
}

void StartUp(benchmark::State &state, const ProgramFolder *folder)
{
    // The statements come from a start-up on the same file.
    std::vector<std::string> statements;
    {
        std::unique_ptr<tav::MDI> mdi = StartProgram(folder->path());
        statements = BareCountStatements();
    }
    const tavbench::BareConnection bare(QDir(folder->path()).filePath(QStringLiteral("TavWrd.twl")));
    tavbench::BenchProgram program(QDir(folder->path()).filePath(QStringLiteral("TavWrd.twl")));
    tavbench::PairedTimes times;
    for (auto _ : state) {
        times.Bare([&] { bare.Run(statements); });
        times.Action(state, [&] { program.Start(); });
        program.Stop();
    }
    times.Report(state);
}

// The counts of the tree's build at start-up.
void TreeCounts(benchmark::State &state, const ProgramFolder *folder)
{
    std::unique_ptr<tav::MDI> mdi = StartProgram(folder->path());
    for (auto _ : state) {
        tav::CountFailure failure;
        benchmark::DoNotOptimize(tav::BuildCategoryNodes(failure));
        if (failure.failed)
            std::abort();
    }
}

// The tree's counts as SQLite statements over the same SQL and filters.
std::vector<std::string> BareCountStatements()
{
    std::vector<std::string> sql;
    for (const QString &key : tav::CategoryTreeKeys()) {
        if (!tav::IsGreekNodeKey(key))
            continue;
        QString count = QStringLiteral("SELECT count(*) FROM (%1)").arg(dao::TranslateJet(tav::CountSql(key)));
        const QString filter = tav::BuildCountFilter(key);
        if (!filter.isEmpty())
            count += QStringLiteral(" WHERE (%1)").arg(dao::TranslateJet(filter));
        sql.push_back(count.toStdString());
    }
    sql.push_back("SELECT count(DISTINCT Lat) FROM AllEnglishGreek");
    if (!tav::OptBoHide3)
        sql.push_back(QStringLiteral("SELECT count(DISTINCT Lat) FROM %1").arg(dao::SqlName(tav::Lang3AllTable))
                          .toStdString());
    return sql;
}

void BareCounts(benchmark::State &state, const ProgramFolder *folder)
{
    // The store's SQL strings come from a start-up on the same file.
    std::unique_ptr<tav::MDI> mdi = StartProgram(folder->path());
    const std::vector<std::string> statements = BareCountStatements();
    sqlite3 *db = nullptr;
    const std::string file = QDir(folder->path()).filePath(QStringLiteral("TavWrd.twl")).toStdString();
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        std::abort();
    dao::RegisterJetFunctions(db);
    for (auto _ : state) {
        long long total = 0;
        for (const std::string &sql : statements) {
            sqlite3_stmt *st = nullptr;
            if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK || sqlite3_step(st) != SQLITE_ROW) {
                std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(db));
                std::abort();
            }
            total += sqlite3_column_int64(st, 0);
            sqlite3_finalize(st);
        }
        benchmark::DoNotOptimize(total);
    }
    sqlite3_close(db);
}

} // namespace

int main(int argc, char **argv)
{
    tavbench::WindowBenchApp app(argc, argv);

    const ProgramFolder shipped(tavbench::ShippedWordDbPath());
    const ProgramFolder generated(tavbench::GeneratedWordDbPath(50000));
    for (const auto &[name, folder] : {std::pair{"shipped", &shipped}, std::pair{"50000", &generated}}) {
        const std::string suffix = std::string("/") + name;
        benchmark::RegisterBenchmark(("StartUp" + suffix).c_str(), StartUp, folder)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime();
        benchmark::RegisterBenchmark(("TreeCounts" + suffix).c_str(), TreeCounts, folder)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BareCounts" + suffix).c_str(), BareCounts, folder)
            ->Unit(benchmark::kMillisecond);
    }
    const int result = app.Run();
    tav::WordDb.reset();
    return result;
}
