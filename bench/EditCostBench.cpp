// What an edit costs now that each commit reaches the disk before it returns
// (a rollback journal, synchronous FULL): a meaning-list edit, a form edit of
// the grammar panel and a wrong exercise answer stored, each on a copy of the
// shipped word database, beside the bare SQL of the same write on a plain
// connection with the same settings, and with the write-ahead log the
// program used before (WAL, its default sync), in the same run.
//
// What a user waits for is an edit's wall time, the disk sync included:
// "wall_ms". Beside it "cpu_ms" is the CPU time the edit took (the rest is
// waiting for the disk); the benchmark's own Time column is the wall time
// too (real time), its CPU column the CPU time of the whole loop.
#include "exercise/rounds/WrongStore.h"
#include "inflection/InflectionWriteBack.h"
#include "platform/dao/Dao.h"
#include "store/ListEdits.h"
#include "store/SharedState.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Abort(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// A copy of the shipped word database and a noun of it with a declension row.
struct WordStore {
    QTemporaryDir dir;
    long long noun = 0;
    WordStore()
    {
        tav::DbPath = dir.filePath(QStringLiteral("TavWrd.twl"));
        if (!QFile::copy(QStringLiteral(TAV_FRESH_DB), tav::DbPath))
            Abort("cannot copy the word database");
        QFile::setPermissions(tav::DbPath, QFile::ReadOwner | QFile::WriteOwner);
        tav::WordDb = dao::DBEngine::OpenDatabase(tav::DbPath);
        noun = tav::WordDb->QueryNative(QStringLiteral("SELECT Main.ID FROM Main JOIN Klino ON Klino.ID = Main.ID "
                                                       "ORDER BY Main.ID LIMIT 1"))[0][0]
                   .toLongLong();
    }
};

WordStore &Store()
{
    static WordStore store;
    return store;
}

// A connection of its own with the journal and sync settings given.
struct Bare {
    sqlite3 *db = nullptr;
    explicit Bare(const char *settings)
    {
        if (sqlite3_open(QFile::encodeName(tav::DbPath).constData(), &db) != SQLITE_OK)
            Abort("cannot open the word database");
        Run(settings);
    }
    ~Bare()
    {
        Run("PRAGMA journal_mode=DELETE");
        sqlite3_close(db);
    }
    void Run(const std::string &sql) const
    {
        char *error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
            Abort(error ? error : "a statement failed");
    }
};

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The wall time and the CPU time of each edit; Report gives their medians as
// the counters "wall_ms" (disk sync included) and "cpu_ms".
class EditTimes {
public:
    template <class F> void Time(F &&edit)
    {
        const double cpu = ThreadCpuMs();
        const auto start = std::chrono::steady_clock::now();
        edit();
        m_wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        m_cpu.push_back(ThreadCpuMs() - cpu);
    }
    void Report(benchmark::State &state) const
    {
        state.counters["wall_ms"] = Median(m_wall);
        state.counters["cpu_ms"] = Median(m_cpu);
    }

private:
    std::vector<double> m_wall;
    std::vector<double> m_cpu;
};

constexpr const char *kNow = "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL";
constexpr const char *kBefore = "PRAGMA journal_mode=WAL";

const char *List(int i) { return i % 2 ? "aa edit, bb edit" : "aa edit, cc edit"; }

void ListEdit(benchmark::State &state)
{
    const long long id = Store().noun;
    int i = 0;
    EditTimes times;
    for (auto _ : state) {
        times.Time([&] {
            tav::StoreMeaningList(tav::MeaningLanguage::English, id, QString::fromLatin1(List(i + 1)),
                                  QString::fromLatin1(List(i)));
        });
        ++i;
    }
    times.Report(state);
}
BENCHMARK(ListEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

// The list edit's writes: Main's list and count, the index's changed rows.
void ListEditBareSql(benchmark::State &state, const char *settings)
{
    Bare bare(settings);
    const std::string id = std::to_string(Store().noun);
    int i = 0;
    EditTimes times;
    for (auto _ : state) {
        const std::string gone = i % 2 ? "cc edit" : "bb edit";
        const std::string added = i % 2 ? "bb edit" : "cc edit";
        times.Time([&] {
            bare.Run("BEGIN IMMEDIATE; UPDATE Main SET English = '" + std::string(List(i)) +
                     "', Emeans = 2 WHERE ID = " + id + "; DELETE FROM AllEnglishGreek WHERE ID = " + id +
                     " AND Lat = '" + gone + "'; INSERT INTO AllEnglishGreek (Sal, ID, Lat, Art, Greek) SELECT Sal, ID, '" +
                     added + "', Art, Greek FROM Main WHERE ID = " + id + "; COMMIT");
        });
        ++i;
    }
    times.Report(state);
}
BENCHMARK_CAPTURE(ListEditBareSql, now, kNow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ListEditBareSql, before_wal, kBefore)->Unit(benchmark::kMillisecond)->UseRealTime();

void FormEdit(benchmark::State &state)
{
    const long long id = Store().noun;
    const tav::FormCell cell{QStringLiteral("Klino"), QStringLiteral("sNGen")};
    int i = 0;
    EditTimes times;
    for (auto _ : state)
        times.Time([&] {
            tav::CommitInflectionCell(id, cell, (i++ % 2) ? QStringLiteral("spitiouv") : QStringLiteral("spitiwvn"));
        });
    times.Report(state);
}
BENCHMARK(FormEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

// The form edit's writes: the form in its table and in FormsAll.
void FormEditBareSql(benchmark::State &state, const char *settings)
{
    Bare bare(settings);
    const std::string id = std::to_string(Store().noun);
    int i = 0;
    EditTimes times;
    for (auto _ : state) {
        const std::string form = (i++ % 2) ? "'spitiouv'" : "'spitiwvn'";
        times.Time([&] {
            bare.Run("BEGIN IMMEDIATE; UPDATE Klino SET sNGen = " + form + " WHERE ID = " + id +
                     "; UPDATE FormsAll SET FormGreek = " + form + " WHERE ID = " + id +
                     " AND GenTem = 'Klino' AND KasPer = 'sNGen'; COMMIT");
        });
    }
    times.Report(state);
}
BENCHMARK_CAPTURE(FormEditBareSql, now, kNow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FormEditBareSql, before_wal, kBefore)->Unit(benchmark::kMillisecond)->UseRealTime();

// A wrong answer is stored (and, the next time, the word leaves the store as
// a right answer takes it out), each through a connection of its own.
void ExerciseAnswer(benchmark::State &state)
{
    const long long id = Store().noun;
    int i = 0;
    EditTimes times;
    for (auto _ : state) {
        times.Time([&] {
            if (i++ % 2)
                tav::RemoveWrongAnswer(id);
            else
                tav::StoreWrongAnswer(id, QDateTime::currentDateTime());
        });
    }
    times.Report(state);
}
BENCHMARK(ExerciseAnswer)->Unit(benchmark::kMillisecond)->UseRealTime();

void ExerciseAnswerBareSql(benchmark::State &state, const char *settings)
{
    const std::string id = std::to_string(Store().noun);
    int i = 0;
    EditTimes times;
    for (auto _ : state) {
        times.Time([&] {
            Bare bare(settings);
            if (i++ % 2)
                bare.Run("DELETE FROM WrongIDs WHERE ID = " + id);
            else
                bare.Run("INSERT INTO WrongIDs (ID, MadeDate) SELECT " + id + ", datetime('now') WHERE NOT EXISTS "
                         "(SELECT 1 FROM WrongIDs WHERE ID = " + id + ")");
        });
    }
    times.Report(state);
}
BENCHMARK_CAPTURE(ExerciseAnswerBareSql, now, kNow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ExerciseAnswerBareSql, before_wal, kBefore)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
