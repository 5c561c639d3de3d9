// A connection's native queries (each SELECT's statement kept for its next
// run), its counts along a query's rows, its table and query definitions.
#include "platform/dao/Dao.h"

#include "platform/dao/EngineCalls.h"
#include "platform/dao/JetSql.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTime>

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dao {

using namespace engine;

QVector<QVector<QVariant>> Database::QueryNative(const QString &sql, QStringList *columnNames,
                                                 const QVariantList &params)
{
    sqlite3 *db = live();
    const QByteArray utf8 = sql.toUtf8(); // tail points into it
    Stmt s;
    // A statement kept from an earlier run is taken out of the cache while it
    // runs, so that a query run meanwhile (by a function the statement
    // calls) never shares it.
    auto kept = m_statements.find(utf8);
    const bool reused = kept != m_statements.end();
    if (reused) {
        s.st = kept.value();
        m_statements.erase(kept);
    } else {
        const char *tail = nullptr;
        prepare(db, utf8, s, &tail);
        if (!onlySeparators(tail))
            throw DaoError(DaoError::UnsupportedJetSql, QStringLiteral("QueryNative runs one statement at a time"),
                           sql);
    }
    QVector<QVector<QVariant>> rows;
    if (!s.st)
        return rows;
    for (int i = 0; i < params.size(); ++i)
        bindVariant(db, s.st, i + 1, params[i], sql);
    if (prepareWrite(s.st, sql)) {
        // A statement that changes rows and returns some: run in its own
        // transaction, its rows are not read.
        stepWrite(s.st, sql, true);
        return rows;
    }
    int rc = sqlite3_step(s.st);
    if (reused && rc != SQLITE_ROW && rc != SQLITE_DONE) {
        // A kept statement whose tables changed meanwhile: SQLite prepares
        // it again on its first step, and where that fails, a fresh prepare
        // reports the error exactly as it would have without the cache.
        sqlite3_finalize(s.st);
        s.st = nullptr;
        return QueryNative(sql, columnNames, params);
    }
    // The columns are read after the first step, which brings a kept
    // statement up to date with the tables' current columns.
    const int cols = sqlite3_column_count(s.st);
    if (columnNames) {
        columnNames->clear();
        for (int c = 0; c < cols; ++c)
            *columnNames << QString::fromUtf8(sqlite3_column_name(s.st, c));
    }
    for (; rc == SQLITE_ROW; rc = sqlite3_step(s.st)) {
        QVector<QVariant> row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row.push_back(columnValue(s.st, c));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        throwStatement(sql, writes(s.st));
    keepStatement(sql, utf8, s.st);
    return rows;
}

void Database::keepStatement(const QString &sql, const QByteArray &utf8, sqlite3_stmt *&st)
{
    // Reading statements only: a reset statement holds no lock and no read
    // transaction, and does not stop DROP TABLE or VACUUM on the connection.
    if (!sqlite3_stmt_readonly(st) || !firstWordIs(sql, {"SELECT", "WITH"}))
        return;
    if (m_statements.size() >= kKeptStatements)
        dropStatements();
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    m_statements.insert(utf8, st);
    st = nullptr;
}

void Database::dropStatements()
{
    for (sqlite3_stmt *st : std::as_const(m_statements))
        sqlite3_finalize(st);
    m_statements.clear();
}

long long Database::CountTextRuns(const QString &jetSql, const char *column)
{
    return CountTextRunsJob(jetSql, column)(*this);
}

CountJob<long long> Database::CountTextRunsJob(const QString &jetSql, const char *column) const
{
    live();
    return [native = TranslateJet(jetSql), name = QByteArray(column)](Database &on) {
        return on.countTextRuns(native, name.constData());
    };
}

long long Database::countTextRuns(const QString &sql, const char *column)
{
    sqlite3 *db = live();
    Stmt s;
    prepare(db, sql.toUtf8(), s);
    int field = -1;
    for (int c = 0; s.st && c < sqlite3_column_count(s.st) && field < 0; ++c)
        if (sqlite3_stricmp(sqlite3_column_name(s.st, c), column) == 0)
            field = c;
    if (field < 0)
        throw DaoError(SQLITE_ERROR, QStringLiteral("no such column: %1").arg(QLatin1String(column)), sql);
    long long runs = 0;
    std::string previous;
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        const char *text = reinterpret_cast<const char *>(sqlite3_column_text(s.st, field));
        const size_t n = text ? size_t(sqlite3_column_bytes(s.st, field)) : 0;
        if (runs == 0 || previous.size() != n || std::memcmp(previous.data(), text, n) != 0) {
            ++runs;
            previous.assign(text ? text : "", n);
        }
    }
    if (rc != SQLITE_DONE)
        throwDb(db, sql);
    return runs;
}

namespace {

// One stored value, exactly: its type and its bytes.
struct StoredValue {
    int type = SQLITE_NULL;
    sqlite3_int64 integer = 0;
    double real = 0;
    std::string bytes;
};

// A text's or a blob's bytes as stored.
std::string_view storedBytes(sqlite3_stmt *st, int c, int type)
{
    const void *p = type == SQLITE_TEXT ? static_cast<const void *>(sqlite3_column_text(st, c)) : sqlite3_column_blob(st, c);
    return p ? std::string_view(static_cast<const char *>(p), size_t(sqlite3_column_bytes(st, c))) : std::string_view();
}

StoredValue readStored(sqlite3_stmt *st, int c)
{
    StoredValue v;
    v.type = sqlite3_column_type(st, c);
    switch (v.type) {
    case SQLITE_INTEGER:
        v.integer = sqlite3_column_int64(st, c);
        break;
    case SQLITE_FLOAT:
        v.real = sqlite3_column_double(st, c);
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        v.bytes = storedBytes(st, c, v.type);
        break;
    default:
        break;
    }
    return v;
}

// Appends the value's type and bytes to a key, so that two keys are equal
// only for values stored exactly alike.
void appendKey(std::string &key, sqlite3_stmt *st, int c)
{
    const int type = sqlite3_column_type(st, c);
    key.push_back(char(type));
    switch (type) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 n = sqlite3_column_int64(st, c);
        key.append(reinterpret_cast<const char *>(&n), sizeof n);
        break;
    }
    case SQLITE_FLOAT: {
        const double d = sqlite3_column_double(st, c);
        key.append(reinterpret_cast<const char *>(&d), sizeof d);
        break;
    }
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const std::string_view bytes = storedBytes(st, c, type);
        const size_t n = bytes.size();
        key.append(reinterpret_cast<const char *>(&n), sizeof n);
        key.append(bytes);
        break;
    }
    default:
        break;
    }
}

void bindStored(sqlite3_stmt *st, int i, const StoredValue &v)
{
    switch (v.type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(st, i, v.integer);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(st, i, v.real);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(st, i, v.bytes.data(), int(v.bytes.size()), SQLITE_STATIC);
        break;
    case SQLITE_BLOB:
        sqlite3_bind_blob(st, i, v.bytes.data(), int(v.bytes.size()), SQLITE_STATIC);
        break;
    default:
        sqlite3_bind_null(st, i);
        break;
    }
}

} // namespace

QVector<long long> Database::countPerGroup(const QString &nativeSql, const QStringList &columns,
                                           const QStringList &criteria)
{
    sqlite3 *db = live();
    QStringList names, places;
    for (int i = 0; i < columns.size(); ++i) {
        names << SqlName(columns[i]);
        places << QStringLiteral("?%1").arg(i + 1);
    }
    const QString columnList = names.join(QStringLiteral(", "));
    // The criteria are asked of one group's values at a time. The values
    // come through a compound whose first part reads no row of the set but
    // gives the columns their names, types and collations, so that each
    // criterion compares them as it would compare the set's own fields.
    QStringList answers;
    for (const QString &c : criteria)
        answers << (c.isEmpty() ? QStringLiteral("1") : QStringLiteral("CASE WHEN (%1) THEN 1 ELSE 0 END").arg(c));
    const QString askSql = QStringLiteral("SELECT %1 FROM (SELECT %2 FROM (%3) WHERE 0 UNION ALL SELECT %4)")
                               .arg(answers.join(QStringLiteral(", ")), columnList, nativeSql,
                                    places.join(QStringLiteral(", ")));
    Stmt ask;
    prepare(db, askSql.toUtf8(), ask);

    // The rows are grouped here by their exact values (type and bytes),
    // which spares the engine a sort of every row.
    const QString readSql = QStringLiteral("SELECT %1 FROM (%2)").arg(columnList, nativeSql);
    Stmt read;
    prepare(db, readSql.toUtf8(), read);
    struct Group {
        long long rows = 0;
        std::vector<StoredValue> values;
    };
    std::vector<Group> groups;
    std::unordered_map<std::string, size_t> byKey;
    std::string key;
    int rc;
    while ((rc = sqlite3_step(read.st)) == SQLITE_ROW) {
        key.clear();
        for (int c = 0; c < columns.size(); ++c)
            appendKey(key, read.st, c);
        auto [it, added] = byKey.try_emplace(key, groups.size());
        if (added) {
            Group g;
            for (int c = 0; c < columns.size(); ++c)
                g.values.push_back(readStored(read.st, c));
            groups.push_back(std::move(g));
        }
        ++groups[it->second].rows;
    }
    if (rc != SQLITE_DONE)
        throwDb(db, readSql);

    QVector<long long> counts(criteria.size(), 0);
    for (const Group &g : groups) {
        for (int c = 0; c < columns.size(); ++c)
            bindStored(ask.st, c + 1, g.values[size_t(c)]);
        if (sqlite3_step(ask.st) != SQLITE_ROW)
            throwDb(db, askSql);
        for (int i = 0; i < criteria.size(); ++i)
            counts[i] += sqlite3_column_int64(ask.st, i) * g.rows;
        sqlite3_reset(ask.st);
    }
    return counts;
}

void Database::ExecNative(const QString &sql, const QVariantList &params)
{
    sqlite3 *db = live();
    const QByteArray utf8 = sql.toUtf8();
    const char *next = utf8.constData();
    const char *end = next + utf8.size();
    bool first = true;
    // Without parameters a script of several statements runs in order.
    while (next && next < end && !onlySeparators(next)) {
        Stmt s;
        const char *tail = nullptr;
        if (sqlite3_prepare_v2(db, next, int(end - next), &s.st, &tail) != SQLITE_OK)
            throwDb(db, sql);
        if (!params.isEmpty()) {
            if (!first || !onlySeparators(tail))
                throw DaoError(DaoError::UnsupportedJetSql,
                               QStringLiteral("A statement with parameters must stand alone"), sql);
            for (int i = 0; i < params.size(); ++i)
                bindVariant(db, s.st, i + 1, params[i], sql);
        }
        if (s.st) {
            const bool own = prepareWrite(s.st, sql);
            stepWrite(s.st, sql, own);
        }
        first = false;
        next = tail;
    }
}

QString Database::tableName(const QString &name) const
{
    const auto rows = const_cast<Database *>(this)->QueryNative(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"),
        nullptr, {unbracket(name)});
    return rows.isEmpty() ? QString() : rows[0][0].toString();
}

QStringList Database::TableNames() const
{
    QStringList names;
    const auto rows = const_cast<Database *>(this)->QueryNative(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND substr(name, 1, 7) <> 'sqlite_'"));
    for (const auto &r : rows)
        names << r[0].toString();
    return names;
}

bool Database::TableExists(const QString &name) const { return !tableName(name).isEmpty(); }

QStringList Database::FieldNames(const QString &table) const
{
    const QString t = tableName(table);
    if (t.isEmpty())
        throw DaoError(DaoError::ItemNotFound, QStringLiteral("The table \"%1\" does not exist.").arg(table));
    QStringList names;
    const auto rows = const_cast<Database *>(this)->QueryNative(
        QStringLiteral("SELECT name FROM pragma_table_info(?1)"), nullptr, {t});
    for (const auto &r : rows)
        names << r[0].toString();
    return names;
}

void Database::CreateTable(const QString &name, const QVector<FieldDef> &fields)
{
    live();
    if (fields.isEmpty())
        throw DaoError(DaoError::NoFields, QStringLiteral("The table \"%1\" has no fields.").arg(name));
    if (TableExists(name))
        throw DaoError(DaoError::TableExists, QStringLiteral("Table \"%1\" already exists.").arg(name));
    QStringList defs;
    for (const FieldDef &f : fields)
        defs << SqlName(f.name) + QLatin1Char(' ') + columnTypeSql(f.type);
    ExecNative(QStringLiteral("CREATE TABLE %1 (%2)").arg(SqlName(unbracket(name)), defs.join(QStringLiteral(", "))));
}

void Database::DeleteTable(const QString &name)
{
    const QString t = tableName(name);
    if (t.isEmpty())
        throw DaoError(DaoError::ItemNotFound, QStringLiteral("The table \"%1\" does not exist.").arg(name));
    ExecNative(QStringLiteral("DROP TABLE ") + SqlName(t));
}

void Database::CreateQueryDef(const QString &name, const QString &jetSql)
{
    live();
    const QString key = unbracket(name).toLower();
    if (key.isEmpty() || m_queryDefs.contains(key) || TableExists(name))
        throw DaoError(DaoError::ObjectExists, QStringLiteral("Object \"%1\" already exists.").arg(name));
    TranslateJet(jetSql); // refuses what cannot run, now rather than at use
    m_queryDefs.insert(key, jetSql);
}

void Database::DeleteQueryDef(const QString &name)
{
    if (m_queryDefs.remove(unbracket(name).toLower()) == 0)
        throw DaoError(DaoError::ItemNotFound, QStringLiteral("The query \"%1\" does not exist.").arg(name));
}

QString Database::QueryDefSql(const QString &name) const
{
    const auto it = m_queryDefs.constFind(unbracket(name).toLower());
    if (it == m_queryDefs.constEnd())
        throw DaoError(DaoError::ItemNotFound, QStringLiteral("The query \"%1\" does not exist.").arg(name));
    return it.value();
}

QVector<long long> Database::IntColumnNative(const QString &sql)
{
    sqlite3 *db = live();
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK)
        throw DaoError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)), sql);
    QVector<long long> values;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        values.append(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw DaoError(rc, QString::fromUtf8(sqlite3_errstr(rc)), sql);
    return values;
}

} // namespace dao
