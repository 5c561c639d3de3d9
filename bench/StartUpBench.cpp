// The program started as a process, from exec to its main window painted
// with the event loop idle, less the Load's designed pauses (the program
// reports them: TAV_REPORT_IDLE); the same start-up inside this running
// application (fonts loaded, no process start); each beside the tree's
// counts asked of SQLite directly; the category tree's build with its
// counts; and those bare counts alone; in the same run, on the shipped word
// database and on a generated one of 50,000 words.
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

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A program folder holding a copy of the database as TavWrd.twl, and the
// program with the files it reads from its folder, as installed.
struct ProgramFolder {
    QTemporaryDir dir;
    explicit ProgramFolder(const QString &database)
    {
        copy(database, QStringLiteral("TavWrd.twl"));
        const QDir bin(QStringLiteral(TAV_BIN_DIR));
        for (const QString &name : bin.entryList(QDir::Files))
            if (name != QLatin1String("TavWrd.twl"))
                copy(bin.filePath(name), name);
    }
    void copy(const QString &from, const QString &name) const
    {
        if (!QFile::copy(from, dir.filePath(name))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(from));
            std::abort();
        }
    }
    QString path() const { return dir.path(); }
    QString program() const { return dir.filePath(QStringLiteral("Tavrinel")); }
};

// Starts the program and waits for its report of the painted, idle main
// window; returns the milliseconds from the exec to the report less the
// pauses it reports. The program ends itself after the report.
double StartProcess(const ProgramFolder &folder)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The write end as descriptor 3 in the program (dup2 clears CLOEXEC).
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 3);
    const std::string program = folder.program().toStdString();
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
    std::vector<std::string> env = {"TAV_REPORT_IDLE=3"};
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "TAV_REPORT_IDLE=", 16) != 0)
            env.emplace_back(*e);
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::abort();
    }
    ::close(pipeFds[1]);
    std::string line;
    char c = 0;
    while (::read(pipeFds[0], &c, 1) == 1 && c != '\n')
        line += c;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ::close(pipeFds[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (line.rfind("idle ", 0) != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the program did not report its start (%s)\n", line.c_str());
        std::abort();
    }
    return ms - std::atof(line.c_str() + 5);
}

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

void ProcessStart(benchmark::State &state, const ProgramFolder *folder)
{
    std::vector<std::string> statements;
    {
        std::unique_ptr<tav::MDI> mdi = StartProgram(folder->path());
        statements = BareCountStatements();
    }
    // The program alone has the file open: the in-process start above holds
    // the file and its lock, and a started program would refuse to run.
    tav::WordDb.reset();
    tav::WordDbLock.reset();
    const tavbench::BareConnection bare(QDir(folder->path()).filePath(QStringLiteral("TavWrd.twl")));
    // The first start on a file may change it (its journal mode): not timed.
    StartProcess(*folder);
    tavbench::PairedTimes times;
    for (auto _ : state) {
        times.Bare([&] { bare.Run(statements); });
        const double ms = StartProcess(*folder);
        times.Add(ms);
        state.SetIterationTime(ms / 1000.0);
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
        benchmark::RegisterBenchmark(("ProcessStart" + suffix).c_str(), ProcessStart, folder)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->MinTime(2.0);
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
