// What "Compact base" costs on a 50,000-word file: the whole command as the
// user waits for it (the copy written, checked, given its mark, flushed and
// renamed into place, the connection opened again), beside the bare
// reference, a VACUUM INTO on a plain connection with the copy flushed to
// the disk. Each round works on a fresh copy of the same file; the copying
// is not timed.
#include "GeneratedWordDb.h"
#include "platform/dao/Dao.h"
#include "store/AdminSubs.h"
#include "store/SharedState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {

[[noreturn]] void Abort(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// A fresh copy of the 50,000-word file in a folder of its own.
QString FreshCopy(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("TavWrd.twl"));
    for (const QString &old : {path, dir.filePath(QStringLiteral("copy.twl"))})
        QFile::remove(old);
    if (!QFile::copy(tavbench::GeneratedWordDbPath(50000), path))
        Abort("cannot copy the word database");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

void CompactBase(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        const QString path = FreshCopy(dir);
        tav::DbPath = path;
        tav::WordDb = dao::DBEngine::OpenDatabase(path);
        const auto start = std::chrono::steady_clock::now();
        if (!tav::CompactWordDatabase())
            Abort("the compaction failed");
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        tav::WordDb.reset();
    }
}

void BareVacuumIntoWithSync(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        const QString path = FreshCopy(dir);
        const QByteArray copy = QFile::encodeName(dir.filePath(QStringLiteral("copy.twl")));
        const auto start = std::chrono::steady_clock::now();
        sqlite3 *db = nullptr;
        if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
            Abort("cannot open the word database");
        const QByteArray sql = "VACUUM INTO '" + copy + "'";
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            Abort(sqlite3_errmsg(db));
        sqlite3_close(db);
        const int fd = ::open(copy.constData(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0)
            Abort("cannot flush the copy");
        ::close(fd);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

} // namespace

BENCHMARK(CompactBase)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BareVacuumIntoWithSync)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
