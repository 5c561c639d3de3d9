// A Jet "Like '*x*'" search of FormGreek through the database layer against
// SQLite's own LIKE on the same data, in the same run; and the same patterns
// matched row by row as a grid search does. The database (50,000 words,
// 1,000,000 FormsAll rows of random Latin-key texts) is generated once per
// run in a temporary folder.
#include "platform/dao/Dao.h"
#include "platform/dao/JetSql.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr int kWords = 50000;
constexpr int kForms = 1000000;

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

std::string randomKeys(std::mt19937 &rng, int minLen, int maxLen)
{
    static const char keys[] = "abgdezhqiklmnxoprstufcyw";
    std::uniform_int_distribution<int> len(minLen, maxLen), key(0, 23), accent(0, 5);
    std::string s;
    const int n = len(rng);
    for (int i = 0; i < n; ++i) {
        s += keys[key(rng)];
        if (accent(rng) == 0)
            s += 'v';
    }
    return s;
}

// The generated database's path; built on first use.
const QString &Database()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("bench.twl"));
        sqlite3 *db = nullptr;
        check(sqlite3_open(p.toUtf8().constData(), &db), db);
        check(sqlite3_exec(db,
                           "CREATE TABLE Main (ID INTEGER, Greek TEXT COLLATE NOCASE, English TEXT COLLATE NOCASE, "
                           "Sal TEXT);"
                           "CREATE TABLE FormsAll (ID INTEGER, GenTem INTEGER, KasPer INTEGER, "
                           "Greek TEXT COLLATE NOCASE, FormGreek TEXT COLLATE NOCASE);"
                           "BEGIN;",
                           nullptr, nullptr, nullptr),
              db);
        std::mt19937 rng(20240501);
        std::vector<std::string> words;
        sqlite3_stmt *st = nullptr;
        check(sqlite3_prepare_v2(db, "INSERT INTO Main VALUES (?1, ?2, ?3, ?2)", -1, &st, nullptr), db);
        for (int id = 1; id <= kWords; ++id) {
            words.push_back(randomKeys(rng, 4, 10));
            const std::string english = randomKeys(rng, 3, 8);
            sqlite3_bind_int(st, 1, id);
            sqlite3_bind_text(st, 2, words.back().c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, english.c_str(), -1, SQLITE_TRANSIENT);
            check(sqlite3_step(st), db);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        check(sqlite3_prepare_v2(db, "INSERT INTO FormsAll VALUES (?1, ?2, ?3, ?4, ?5)", -1, &st, nullptr), db);
        for (int i = 0; i < kForms; ++i) {
            const int id = 1 + i % kWords;
            const std::string form = words[size_t(id - 1)] + randomKeys(rng, 0, 4);
            sqlite3_bind_int(st, 1, id);
            sqlite3_bind_int(st, 2, 1 + (i / kWords) % 4);
            sqlite3_bind_int(st, 3, 1 + i % 6);
            sqlite3_bind_text(st, 4, words[size_t(id - 1)].c_str(), -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 5, form.c_str(), -1, SQLITE_TRANSIENT);
            check(sqlite3_step(st), db);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db);
        sqlite3_close(db);
        return p;
    }();
    return path;
}

const char *const kJetPatterns[] = {"*x*", "*tou*"};
const char *const kSqlPatterns[] = {"%x%", "%tou%"};

// Through the layer: OpenRecordset reads every matching row, as the store
// does before it counts them.
void BM_LayerJetLike(benchmark::State &state)
{
    auto db = dao::DBEngine::OpenDatabase(Database());
    const QString sql = QStringLiteral("SELECT * FROM FormsAll WHERE FormGreek Like '%1'")
                            .arg(QLatin1String(kJetPatterns[state.range(0)]));
    long long rows = 0;
    for (auto _ : state) {
        auto rs = db->OpenRecordset(sql, dao::RecordsetType::Snapshot);
        if (rs->RecordCount() > 0)
            rs->MoveLast();
        rows = rs->RecordCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

// SQLite's own LIKE on a plain connection: every matching row stepped and
// every column read.
void BM_SqliteLike(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open_v2(Database().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), db);
    const std::string sql =
        std::string("SELECT * FROM FormsAll WHERE FormGreek LIKE '") + kSqlPatterns[state.range(0)] + "'";
    long long rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        check(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), db);
        rows = 0;
        size_t bytes = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            const int cols = sqlite3_column_count(st);
            for (int c = 0; c < cols; ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_TEXT) {
                    benchmark::DoNotOptimize(sqlite3_column_text(st, c));
                    bytes += size_t(sqlite3_column_bytes(st, c));
                } else {
                    benchmark::DoNotOptimize(sqlite3_column_int64(st, c));
                }
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["rows"] = double(rows);
    sqlite3_close(db);
}

// The matching alone: count(*) with the layer's like() against SQLite's.
void BM_LayerJetLikeCount(benchmark::State &state)
{
    auto db = dao::DBEngine::OpenDatabase(Database());
    const QString sql = QStringLiteral("SELECT count(*) FROM FormsAll WHERE FormGreek Like '%1'")
                            .arg(QLatin1String(kJetPatterns[state.range(0)]));
    long long rows = 0;
    for (auto _ : state) {
        rows = db->QueryNative(sql)[0][0].toLongLong();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

void BM_SqliteLikeCount(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open_v2(Database().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), db);
    const std::string sql =
        std::string("SELECT count(*) FROM FormsAll WHERE FormGreek LIKE '") + kSqlPatterns[state.range(0)] + "'";
    long long rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        check(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), db);
        check(sqlite3_step(st), db);
        rows = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
    sqlite3_close(db);
}

// A pattern matched against the texts of a grid column row by row, as the
// list search does: compiled for every row (JetLike) or once (LikePattern).
const QStringList &ColumnTexts()
{
    static const QStringList texts = [] {
        std::mt19937 rng(7);
        QStringList t;
        for (int i = 0; i < kWords; ++i)
            t << QString::fromStdString(randomKeys(rng, 4, 12));
        return t;
    }();
    return texts;
}

void BM_JetLikePerRow(benchmark::State &state)
{
    const QString pattern = QLatin1String(kJetPatterns[state.range(0)]);
    for (auto _ : state) {
        int hits = 0;
        for (const QString &text : ColumnTexts())
            hits += dao::JetLike(text, pattern);
        benchmark::DoNotOptimize(hits);
    }
}

void BM_LikePatternPerRow(benchmark::State &state)
{
    const dao::LikePattern like(QLatin1String(kJetPatterns[state.range(0)]));
    for (auto _ : state) {
        int hits = 0;
        for (const QString &text : ColumnTexts())
            hits += like.Matches(text);
        benchmark::DoNotOptimize(hits);
    }
}

BENCHMARK(BM_JetLikePerRow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LikePatternPerRow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteLike)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayerJetLike)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteLikeCount)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayerJetLikeCount)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
