// Recordsets: a table or a SELECT read into memory row by row, its current
// row moved, searched (Find), edited and written back, as the windows use it.
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

RecordsetPtr Database::OpenRecordset(const QString &nameOrSql, RecordsetType type)
{
    live();
    const QString text = nameOrSql.trimmed();
    QString jet;
    if (firstWordIs(text, {"SELECT", "WITH"})) {
        jet = text;
    } else if (auto it = m_queryDefs.constFind(unbracket(text).toLower()); it != m_queryDefs.constEnd()) {
        jet = it.value();
    } else {
        const auto rows = QueryNative(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE"),
            nullptr, {unbracket(text)});
        if (rows.isEmpty())
            throw DaoError(DaoError::InputNotFound,
                           QStringLiteral("The table or query \"%1\" does not exist.").arg(text));
        const QString table = SqlName(rows[0][0].toString());
        const QString native = QStringLiteral("SELECT * FROM ") + table;
        const QString load = QStringLiteral("SELECT *, rowid AS %1 FROM %2").arg(QLatin1String(kRowidColumn), table);
        RecordsetPtr rs = makeRecordset(nameOrSql, native, load, type);
        rs->m_onTable = !rs->m_updateTable.isEmpty();
        return rs;
    }
    const QString native = stripSemicolons(TranslateJet(jet));
    QString load;
    const SelectShape shape = AnalyseSelect(native);
    if (shape.singleTable && shape.fromPos > 0)
        load = native.left(shape.fromPos) + QStringLiteral(", rowid AS %1 ").arg(QLatin1String(kRowidColumn))
               + native.mid(shape.fromPos);
    return makeRecordset(nameOrSql, native, load, type);
}

RecordsetPtr Database::makeRecordset(const QString &source, const QString &nativeSql, const QString &loadSql,
                                     RecordsetType type)
{
    return RecordsetPtr(new Recordset(shared_from_this(), source, nativeSql, loadSql, type));
}

// ---------------------------------------------------------------------------
// Recordset
// ---------------------------------------------------------------------------
// A criterion worked out once and kept for FindNext. Only its text is kept:
// the statement is prepared for each search and finalized before the search
// returns, so a recordset never holds a statement (which would keep a closed
// connection, its file and its write-ahead log alive).
struct Recordset::FindPlan {
    QString criteria;
    QString sql;
    QVector<int> fields;  // bound as ?1..?n
    int fastField = -1;   // "Field = integer": compared without SQLite
    qint64 fastValue = 0;
};

Recordset::Recordset(DatabasePtr db, QString source, QString nativeSql, QString loadSql, RecordsetType type)
    : m_db(std::move(db)), m_source(std::move(source)), m_nativeSql(std::move(nativeSql)),
      m_loadSql(std::move(loadSql)), m_type(type)
{
    describe();
}

Recordset::~Recordset() = default;

void Recordset::describe()
{
    sqlite3 *db = m_db->live();
    Stmt s;
    bool updatable = false;
    QString table;
    if (!m_loadSql.isEmpty()) {
        // The rowid can be read and every field comes straight from one table.
        if (sqlite3_prepare_v2(db, m_loadSql.toUtf8().constData(), -1, &s.st, nullptr) == SQLITE_OK && s.st) {
            const int n = sqlite3_column_count(s.st) - 1;
            updatable = n >= 1;
            for (int c = 0; c < n && updatable; ++c) {
                const char *t = sqlite3_column_table_name(s.st, c);
                const char *o = sqlite3_column_origin_name(s.st, c);
                const char *d = sqlite3_column_database_name(s.st, c);
                if (!t || !o || !d || std::strcmp(d, "main") != 0)
                    updatable = false;
                else if (table.isEmpty())
                    table = QString::fromUtf8(t);
                else if (table != QString::fromUtf8(t))
                    updatable = false;
            }
        }
        if (!updatable) {
            sqlite3_finalize(s.st);
            s.st = nullptr;
        }
    }
    if (!updatable) {
        m_loadSql = m_nativeSql;
        prepare(db, m_loadSql.toUtf8(), s);
        if (!s.st)
            throw DaoError(DaoError::UnsupportedJetSql, QStringLiteral("An empty statement"), m_nativeSql);
        m_updateTable.clear();
    } else {
        m_updateTable = table;
    }
    const int total = sqlite3_column_count(s.st);
    const int fields = updatable ? total - 1 : total;
    m_stride = total;
    for (int c = 0; c < fields; ++c) {
        const QString name = QString::fromUtf8(sqlite3_column_name(s.st, c));
        const char *t = sqlite3_column_table_name(s.st, c);
        const char *o = sqlite3_column_origin_name(s.st, c);
        const char *d = sqlite3_column_database_name(s.st, c);
        const char *decl = sqlite3_column_decltype(s.st, c);
        const char *coll = nullptr;
        if (t && o && d)
            sqlite3_table_column_metadata(db, d, t, o, nullptr, &coll, nullptr, nullptr, nullptr);
        m_columns << name;
        m_originColumns << (updatable && o ? QString::fromUtf8(o) : QString());
        m_declTypes << (decl ? QString::fromUtf8(decl) : QString());
        m_collations << (coll ? QString::fromUtf8(coll) : QString());
        if (!m_nameIndex.contains(name.toLower()))
            m_nameIndex.insert(name.toLower(), c);
        if (t && o) {
            const QString qualified = (QString::fromUtf8(t) + QLatin1Char('.') + QString::fromUtf8(o)).toLower();
            if (!m_nameIndex.contains(qualified))
                m_nameIndex.insert(qualified, c);
        }
    }
}

void Recordset::checkOpen() const
{
    if (!m_db)
        throw DaoError(DaoError::ObjectClosed, QStringLiteral("The recordset is closed."));
}

char *Recordset::room(size_t bytes, size_t align) const
{
    if (!m_blocks.empty()) {
        Block &last = m_blocks.back();
        const size_t at = (last.used + align - 1) / align * align;
        if (at + bytes <= last.size) {
            last.used = at + bytes;
            return last.bytes.get() + at;
        }
    }
    // Each block as large as the blocks before it together, from 4 KiB (a
    // set of a few rows stays small) up to 1 MiB; a larger value has a block
    // of its own.
    size_t before = 0;
    for (const Block &b : m_blocks)
        before += b.size;
    Block block;
    block.size = std::max(std::clamp(before, size_t(4) << 10, size_t(1) << 20), bytes);
    block.bytes.reset(new char[block.size]);
    block.used = bytes;
    m_blocks.push_back(std::move(block));
    return m_blocks.back().bytes.get();
}

void Recordset::clearRows() const
{
    m_rowStart.clear();
    m_blocks.clear();
}

void Recordset::appendRow(sqlite3_stmt *st, int columns) const
{
    // An empty text or blob points here: a text's bytes are never null, so
    // that an empty text is told from a Null (see storedUtf8).
    static const char kNoBytes[1] = {0};
    Cell *row = reinterpret_cast<Cell *>(room(sizeof(Cell) * size_t(columns), alignof(Cell)));
    for (int c = 0; c < columns; ++c) {
        Cell *cell = new (row + c) Cell;
        cell->i = 0;
        cell->len = 0;
        // The column's value read as a value: one lookup of the column
        // instead of one per question asked of it. The connection is used
        // by one thread at a time, so the unprotected value may be read.
        sqlite3_value *value = sqlite3_column_value(st, c);
        cell->type = static_cast<unsigned char>(sqlite3_value_type(value));
        switch (cell->type) {
        case SQLITE_INTEGER:
            cell->i = sqlite3_value_int64(value);
            break;
        case SQLITE_FLOAT:
            cell->d = sqlite3_value_double(value);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const char *p = cell->type == SQLITE_TEXT ? reinterpret_cast<const char *>(sqlite3_value_text(value))
                                                      : static_cast<const char *>(sqlite3_value_blob(value));
            const int n = sqlite3_value_bytes(value);
            cell->len = quint32(n);
            if (n > 0) {
                char *copy = room(size_t(n), 1);
                std::memcpy(copy, p, size_t(n));
                cell->bytes = copy;
            } else {
                cell->bytes = kNoBytes;
            }
            break;
        }
        default:
            cell->type = SQLITE_NULL;
            break;
        }
    }
    m_rowStart.push_back(row);
}

void Recordset::load() const
{
    checkOpen();
    sqlite3 *db = m_db->live();
    Stmt s;
    prepare(db, m_loadSql.toUtf8(), s);
    clearRows();
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW)
        appendRow(s.st, m_stride);
    if (rc != SQLITE_DONE)
        throwDb(db, m_loadSql);
    m_loaded = true;
    m_currentDeleted = false;
    m_pos = 0;
    if (m_hasPending) {
        // A row added before the rows were read becomes current (see Update).
        m_hasPending = false;
        long long at = -1;
        for (long long r = 0; r < rowCount(); ++r)
            if (rowidOf(r) == m_pendingRowid) {
                at = r;
                break;
            }
        if (at < 0) {
            refetchRow(-1, m_pendingRowid);
            at = rowCount() - 1;
        }
        m_pos = at;
    }
}

void Recordset::ensureLoaded() const
{
    if (!m_loaded)
        load();
}

qint64 Recordset::rowidOf(long long row) const { return m_rowStart[size_t(row)][m_stride - 1].i; }

void Recordset::refetchRow(long long row, qint64 rowid) const
{
    QStringList cols;
    for (const QString &o : m_originColumns)
        cols << (o.isEmpty() ? QStringLiteral("NULL") : SqlName(o));
    const QString sql = QStringLiteral("SELECT %1, rowid FROM %2 WHERE rowid = ?1")
                            .arg(cols.join(QStringLiteral(", ")), SqlName(m_updateTable));
    sqlite3 *db = m_db->live();
    Stmt s;
    prepare(db, sql.toUtf8(), s);
    sqlite3_bind_int64(s.st, 1, rowid);
    const int rc = sqlite3_step(s.st);
    if (rc == SQLITE_ROW) {
        appendRow(s.st, m_stride);
        if (row >= 0) {
            m_rowStart[size_t(row)] = m_rowStart.back();
            m_rowStart.pop_back();
        }
    } else if (rc != SQLITE_DONE) {
        throwDb(db, sql);
    }
}

QVariant Recordset::cellValue(const Cell &c) const
{
    switch (c.type) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(c.i));
    case SQLITE_FLOAT:
        return QVariant(c.d);
    case SQLITE_TEXT:
        return QString::fromUtf8(c.bytes, qsizetype(c.len));
    case SQLITE_BLOB:
        return QByteArray(c.bytes, qsizetype(c.len));
    default:
        return QVariant();
    }
}

const Recordset::Cell *Recordset::currentRow() const
{
    checkOpen();
    if (!m_loaded && m_hasPending && !m_rowStart.empty())
        return m_rowStart[0]; // the one row a Find or an AddNew made current
    ensureLoaded();
    if (m_currentDeleted)
        throw DaoError(DaoError::RecordDeleted, QStringLiteral("Record is deleted."));
    if (m_pos < 0 || m_pos >= rowCount())
        noCurrentRecord();
    return m_rowStart[size_t(m_pos)];
}

// Position --------------------------------------------------------------------

bool Recordset::Eof() const
{
    checkOpen();
    if (!m_loaded && m_hasPending && !m_rowStart.empty())
        return false;
    ensureLoaded();
    return rowCount() == 0 || m_pos >= rowCount();
}

bool Recordset::Bof() const
{
    checkOpen();
    if (!m_loaded && m_hasPending && !m_rowStart.empty())
        return false;
    ensureLoaded();
    return rowCount() == 0 || m_pos < 0;
}

long long Recordset::RecordCount() const
{
    checkOpen();
    ensureLoaded();
    return rowCount();
}

long long Recordset::engineCount(const QString &nativeSql) const
{
    checkOpen();
    const auto rows = m_db->QueryNative(nativeSql);
    return rows.isEmpty() || rows[0].isEmpty() ? 0 : rows[0][0].toLongLong();
}

long long Recordset::CountRows() const { return engineCount(QStringLiteral("SELECT count(*) FROM (%1)").arg(m_nativeSql)); }

QVector<long long> Recordset::CountMatching(const QStringList &Criteria, const QStringList &Columns) const
{
    return CountMatchingJob(Criteria, Columns)(*m_db);
}

CountJob<QVector<long long>> Recordset::CountMatchingJob(const QStringList &Criteria, const QStringList &Columns) const
{
    checkOpen();
    QStringList natives;
    for (const QString &criterion : Criteria) {
        const QString c = criterion.trimmed();
        natives << (c.isEmpty() ? QString() : TranslateJet(c));
    }
    if (Criteria.isEmpty())
        return [](Database &) { return QVector<long long>(); };
    if (!Columns.isEmpty())
        return [sql = m_nativeSql, Columns, natives](Database &on) { return on.countPerGroup(sql, Columns, natives); };
    QStringList counts;
    for (const QString &c : std::as_const(natives))
        counts << (c.isEmpty() ? QStringLiteral("count(*)") : QStringLiteral("count(CASE WHEN (%1) THEN 1 END)").arg(c));
    const QString sql = QStringLiteral("SELECT %1 FROM (%2)").arg(counts.join(QStringLiteral(", ")), m_nativeSql);
    return [sql, n = Criteria.size()](Database &on) {
        const auto rows = on.QueryNative(sql);
        QVector<long long> result;
        for (int i = 0; i < n; ++i)
            result << (rows.isEmpty() || i >= rows[0].size() ? 0 : rows[0][i].toLongLong());
        return result;
    };
}

long long Recordset::CountRuns(const QString &NativeExpr) const
{
    // An aggregate query keeps the ORDER BY of the subquery it reads, so
    // runs() sees the rows in the set's order.
    return engineCount(QStringLiteral("SELECT runs(v) FROM (SELECT %1 AS v FROM (%2))").arg(NativeExpr, m_nativeSql));
}

long long Recordset::AbsolutePosition() const
{
    checkOpen();
    ensureLoaded();
    if (m_currentDeleted || m_pos < 0 || m_pos >= rowCount())
        return -1;
    return m_pos;
}

void Recordset::MoveFirst()
{
    checkOpen();
    ensureLoaded();
    cancelEdit();
    if (rowCount() == 0)
        noCurrentRecord();
    m_pos = 0;
    m_currentDeleted = false;
}

void Recordset::MoveLast()
{
    checkOpen();
    ensureLoaded();
    cancelEdit();
    if (rowCount() == 0)
        noCurrentRecord();
    m_pos = rowCount() - 1;
    m_currentDeleted = false;
}

void Recordset::MoveNext()
{
    checkOpen();
    ensureLoaded();
    cancelEdit();
    if (m_currentDeleted) { // the row that followed the deleted one is already at m_pos
        m_currentDeleted = false;
        return;
    }
    if (m_pos >= rowCount())
        noCurrentRecord();
    ++m_pos;
}

void Recordset::MovePrevious()
{
    checkOpen();
    ensureLoaded();
    cancelEdit();
    if (m_currentDeleted) {
        m_currentDeleted = false;
        --m_pos;
        return;
    }
    if (rowCount() == 0 || m_pos < 0)
        noCurrentRecord();
    --m_pos;
}

void Recordset::Move(long long rows)
{
    checkOpen();
    ensureLoaded();
    cancelEdit();
    if (!m_currentDeleted && (m_pos < 0 || m_pos >= rowCount()))
        noCurrentRecord();
    long long to = m_pos + rows;
    if (m_currentDeleted && rows > 0)
        --to;
    m_currentDeleted = false;
    m_pos = std::clamp<long long>(to, -1, rowCount());
}

// Find ------------------------------------------------------------------------

long long Recordset::find(const QString &criteria, long long from, int step) const
{
    checkOpen();
    ensureLoaded();
    sqlite3 *db = m_db->live();
    if (!m_findPlan || m_findPlan->criteria != criteria) {
        auto plan = std::make_shared<FindPlan>();
        plan->criteria = criteria;
        const QString crit = TranslateJet(criteria);
        // Bind only the fields the criterion names, each with the affinity
        // and collation of its column, so comparisons behave as in a query.
        QStringList exprs;
        const int fieldCount = int(m_columns.size());
        for (int c = 0; c < fieldCount; ++c) {
            if (m_nameIndex.value(m_columns[c].toLower(), -1) != c)
                continue; // a later field of the same name: the first wins
            const QRegularExpression named(QStringLiteral("(?<![\\w$])") + QRegularExpression::escape(m_columns[c])
                                               + QStringLiteral("(?![\\w$])"),
                                           QRegularExpression::CaseInsensitiveOption);
            if (!named.match(crit).hasMatch())
                continue;
            plan->fields << c;
            const QString param = QStringLiteral("?%1").arg(plan->fields.size());
            const QString cast = affinityCast(m_declTypes[c]);
            QString expr = cast.isEmpty() ? param : QStringLiteral("CAST(%1 AS %2)").arg(param, cast);
            if (!m_collations[c].isEmpty() && m_collations[c].compare(QLatin1String("BINARY"), Qt::CaseInsensitive) != 0)
                expr += QStringLiteral(" COLLATE ") + m_collations[c];
            exprs << expr + QStringLiteral(" AS ") + SqlName(m_columns[c]);
        }
        plan->sql = QStringLiteral("SELECT (") + crit + QLatin1Char(')');
        if (!exprs.isEmpty()) {
            plan->sql += QStringLiteral(" FROM (SELECT ") + exprs.join(QStringLiteral(", ")) + QLatin1Char(')');
            if (!m_updateTable.isEmpty())
                plan->sql += QStringLiteral(" AS ") + SqlName(m_updateTable);
        }
        static const QRegularExpression idEquals(
            QStringLiteral("^\\s*\"?([A-Za-z_][A-Za-z0-9_]*)\"?\\s*=\\s*(-?[0-9]{1,18})\\s*$"));
        const auto m = idEquals.match(crit);
        if (m.hasMatch() && plan->fields.size() == 1) {
            const int f = m_nameIndex.value(m.captured(1).toLower(), -1);
            if (f == plan->fields[0] && affinityCast(m_declTypes[f]) != QLatin1String("TEXT")) {
                plan->fastField = f;
                plan->fastValue = m.captured(2).toLongLong();
            }
        }
        m_findPlan = std::move(plan);
    }
    FindPlan &plan = *m_findPlan;
    Stmt stmt;
    prepare(db, plan.sql.toUtf8(), stmt);
    sqlite3_stmt *st = stmt.st;
    const long long n = rowCount();
    for (long long r = from; r >= 0 && r < n; r += step) {
        const Cell *row = m_rowStart[size_t(r)];
        if (plan.fastField >= 0) {
            const Cell &c = row[plan.fastField];
            if (c.type == SQLITE_INTEGER) {
                if (c.i == plan.fastValue)
                    return r;
                continue;
            }
            if (c.type == SQLITE_NULL)
                continue;
        }
        for (int k = 0; k < plan.fields.size(); ++k) {
            const Cell &c = row[plan.fields[k]];
            switch (c.type) {
            case SQLITE_INTEGER:
                sqlite3_bind_int64(st, k + 1, c.i);
                break;
            case SQLITE_FLOAT:
                sqlite3_bind_double(st, k + 1, c.d);
                break;
            case SQLITE_TEXT:
                sqlite3_bind_text(st, k + 1, c.bytes, int(c.len), SQLITE_STATIC);
                break;
            case SQLITE_BLOB:
                sqlite3_bind_blob(st, k + 1, c.bytes, int(c.len), SQLITE_STATIC);
                break;
            default:
                sqlite3_bind_null(st, k + 1);
                break;
            }
        }
        const int rc = sqlite3_step(st);
        bool hit = false;
        if (rc == SQLITE_ROW)
            hit = sqlite3_column_type(st, 0) != SQLITE_NULL && sqlite3_column_double(st, 0) != 0.0;
        sqlite3_reset(st);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            sqlite3_clear_bindings(st);
            throwDb(db, plan.sql);
        }
        if (hit) {
            sqlite3_clear_bindings(st); // no pointer into the rows outlives this call
            return r;
        }
    }
    sqlite3_clear_bindings(st);
    return -1;
}

void Recordset::setPendingRow(qint64 rowid) const
{
    clearRows();
    refetchRow(-1, rowid);
    m_hasPending = !m_rowStart.empty();
    m_pendingRowid = rowid;
    m_currentDeleted = false;
}

bool Recordset::findInTable(const QString &criteria, bool last)
{
    // A recordset on a whole table whose rows are not read yet: ask SQLite
    // (an index serves "ID = 5") and read just the row found. The set's
    // order is the table's rowid order, so the first match is the same.
    if (m_loaded || !m_onTable)
        return false;
    checkOpen();
    const QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE (%2) ORDER BY rowid %3 LIMIT 1")
                            .arg(SqlName(m_updateTable), TranslateJet(criteria),
                                 last ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    const auto rows = m_db->QueryNative(sql);
    if (!rows.isEmpty())
        setPendingRow(rows[0][0].toLongLong());
    m_noMatch = rows.isEmpty() || !m_hasPending;
    return true;
}

void Recordset::moveToFound(long long at)
{
    m_noMatch = at < 0;
    if (at >= 0) {
        m_pos = at;
        m_currentDeleted = false;
    }
}

void Recordset::FindFirst(const QString &criteria)
{
    cancelEdit();
    if (findInTable(criteria, false))
        return;
    moveToFound(find(criteria, 0, 1));
}

void Recordset::FindLast(const QString &criteria)
{
    cancelEdit();
    if (findInTable(criteria, true))
        return;
    checkOpen();
    ensureLoaded();
    moveToFound(find(criteria, rowCount() - 1, -1));
}

void Recordset::FindNext(const QString &criteria)
{
    cancelEdit();
    checkOpen();
    ensureLoaded();
    const long long from = m_currentDeleted ? m_pos : std::max<long long>(m_pos + 1, 0);
    moveToFound(find(criteria, from, 1));
}

void Recordset::FindPrevious(const QString &criteria)
{
    cancelEdit();
    checkOpen();
    ensureLoaded();
    const long long from = std::min<long long>(m_pos - 1, rowCount() - 1);
    moveToFound(find(criteria, from, -1));
}

// Fields ----------------------------------------------------------------------

int Recordset::FieldCount() const { return int(m_columns.size()); }

QString Recordset::FieldName(int index) const { return m_columns[checkedIndex(index)]; }

int Recordset::FieldIndex(const QString &name) const { return m_nameIndex.value(unbracket(name).toLower(), -1); }

int Recordset::checkedIndex(int index) const
{
    if (index < 0 || index >= m_columns.size())
        throw DaoError(DaoError::ItemNotFound,
                       QStringLiteral("Item not found in this collection (field %1).").arg(index));
    return index;
}

int Recordset::checkedIndex(const QString &name) const
{
    const int i = FieldIndex(name);
    if (i < 0)
        throw DaoError(DaoError::ItemNotFound,
                       QStringLiteral("Item not found in this collection (field \"%1\").").arg(name));
    return i;
}

QVariant Recordset::Field(int index) const
{
    const int i = checkedIndex(index);
    if (m_editMode != EditMode::None)
        return m_buffer[i];
    return cellValue(currentRow()[i]);
}

QVariant Recordset::Field(const QString &name) const { return Field(checkedIndex(name)); }

QString Recordset::Text(int index) const
{
    const QVariant v = Field(index);
    return v.isNull() ? QString() : v.toString();
}

QString Recordset::Text(const QString &name) const { return Text(checkedIndex(name)); }

std::optional<QString> Recordset::StoredText(int index) const
{
    const std::optional<QByteArrayView> utf8 = StoredUtf8(index);
    if (!utf8)
        return std::nullopt;
    return utf8->isNull() ? QString() : QString::fromUtf8(*utf8);
}

std::optional<QByteArrayView> Recordset::StoredUtf8(int index) const
{
    const int i = checkedIndex(index);
    if (m_editMode != EditMode::None)
        return std::nullopt;
    return storedUtf8(currentRow()[i]);
}

const Recordset::Cell &Recordset::cellAt(long long row, int index) const
{
    const int i = checkedIndex(index);
    checkOpen();
    ensureLoaded();
    if (row < 0 || row >= rowCount())
        noCurrentRecord();
    return m_rowStart[size_t(row)][i];
}

std::optional<QByteArrayView> Recordset::StoredUtf8At(long long row, int index) const
{
    return storedUtf8(cellAt(row, index));
}

QVariant Recordset::FieldAt(long long row, int index) const { return cellValue(cellAt(row, index)); }

void Recordset::ReadColumn(int index, ColumnReader &reader, long long first, long long end) const
{
    const int i = checkedIndex(index);
    checkOpen();
    ensureLoaded();
    const long long rows = end < 0 ? rowCount() : std::min(end, rowCount());
    for (long long r = std::max(first, 0LL); r < rows; ++r) {
        const Cell &c = m_rowStart[size_t(r)][i];
        switch (c.type) {
        case SQLITE_TEXT:
            reader.Text(r, QByteArrayView(c.bytes, qsizetype(c.len)));
            break;
        case SQLITE_NULL:
            reader.Text(r, QByteArrayView());
            break;
        case SQLITE_INTEGER:
            reader.Integer(r, c.i);
            break;
        default:
            reader.Other(r, cellValue(c));
            break;
        }
    }
}

std::optional<QByteArrayView> Recordset::storedUtf8(const Cell &c) const
{
    switch (c.type) {
    case SQLITE_TEXT:
        return QByteArrayView(c.bytes, qsizetype(c.len));
    case SQLITE_NULL:
        return QByteArrayView();
    default:
        return std::nullopt;
    }
}

long long Recordset::Long(int index) const
{
    const QVariant v = Field(index);
    if (v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return v.toLongLong();
    case QMetaType::Double:
        return qRound64(v.toDouble());
    default: {
        const QString t = v.toString().trimmed();
        if (t.isEmpty())
            return 0;
        bool ok = false;
        const long long n = t.toLongLong(&ok);
        if (ok)
            return n;
        const double d = t.toDouble(&ok);
        if (ok)
            return qRound64(d);
        throw DaoError(DaoError::DataTypeMismatch,
                       QStringLiteral("Data type mismatch: \"%1\" in field %2 is not a number.").arg(t, m_columns[index]));
    }
    }
}

long long Recordset::Long(const QString &name) const { return Long(checkedIndex(name)); }

bool Recordset::Bool(int index) const
{
    const QVariant v = Field(index);
    if (v.isNull())
        return false;
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return v.toLongLong() != 0;
    case QMetaType::Double:
        return v.toDouble() != 0.0;
    default: {
        const QString t = v.toString().trimmed();
        if (t.isEmpty() || t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0)
            return false;
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
            return true;
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (ok)
            return d != 0.0;
        throw DaoError(DaoError::DataTypeMismatch,
                       QStringLiteral("Data type mismatch: \"%1\" in field %2 is not Yes/No.").arg(t, m_columns[index]));
    }
    }
}

bool Recordset::Bool(const QString &name) const { return Bool(checkedIndex(name)); }

void Recordset::SetField(int index, const QVariant &value)
{
    checkOpen();
    const int i = checkedIndex(index);
    if (m_editMode == EditMode::None)
        throw DaoError(DaoError::UpdateWithoutEdit,
                       QStringLiteral("Update or CancelUpdate without AddNew or Edit (field %1).").arg(m_columns[i]));
    if (m_originColumns[i].isEmpty())
        throw DaoError(DaoError::FieldNotUpdatable, QStringLiteral("Field \"%1\" cannot be updated.").arg(m_columns[i]));
    m_buffer[i] = storedForm(value);
    m_dirty[i] = true;
}

void Recordset::SetField(const QString &name, const QVariant &value) { SetField(checkedIndex(name), value); }

// Changes ---------------------------------------------------------------------

bool Recordset::Updatable() const { return m_db && !m_updateTable.isEmpty() && m_type != RecordsetType::Snapshot; }

void Recordset::AddNew()
{
    checkOpen();
    if (!Updatable())
        throw DaoError(DaoError::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    cancelEdit();
    m_buffer = QVector<QVariant>(m_columns.size());
    m_dirty = QVector<bool>(m_columns.size(), false);
    m_editMode = EditMode::Add;
}

void Recordset::Edit()
{
    checkOpen();
    if (!Updatable())
        throw DaoError(DaoError::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    cancelEdit();
    const Cell *row = currentRow();
    m_buffer.clear();
    for (int c = 0; c < m_columns.size(); ++c)
        m_buffer << cellValue(row[c]);
    m_dirty = QVector<bool>(m_columns.size(), false);
    m_editRowid = row[m_stride - 1].i;
    m_editMode = EditMode::Edit;
}

void Recordset::Update()
{
    checkOpen();
    if (m_editMode == EditMode::None)
        throw DaoError(DaoError::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    sqlite3 *db = m_db->live();
    QStringList cols;
    QVariantList values;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (!m_dirty[c])
            continue;
        const QString col = SqlName(m_originColumns[c]);
        const int seen = int(cols.indexOf(col));
        if (seen >= 0) {
            values[seen] = m_buffer[c];
            continue;
        }
        cols << col;
        values << m_buffer[c];
    }
    const QString table = SqlName(m_updateTable);
    if (m_editMode == EditMode::Add) {
        QString sql;
        if (cols.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
        } else {
            QStringList marks;
            for (int k = 1; k <= cols.size(); ++k)
                marks << QStringLiteral("?%1").arg(k);
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        m_db->ExecNative(sql, values);
        const qint64 rowid = sqlite3_last_insert_rowid(db);
        cancelEdit();
        if (m_loaded) {
            refetchRow(-1, rowid);
            m_pos = rowCount() - 1;
            m_currentDeleted = false;
        } else {
            setPendingRow(rowid);
        }
        return;
    }
    const qint64 rowid = m_editRowid;
    if (!cols.isEmpty()) {
        QStringList sets;
        for (int k = 0; k < cols.size(); ++k)
            sets << QStringLiteral("%1 = ?%2").arg(cols[k]).arg(k + 1);
        values << QVariant(qlonglong(rowid));
        m_db->ExecNative(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                             .arg(table, sets.join(QStringLiteral(", ")))
                             .arg(values.size()),
                         values);
        // The row went while it was being edited (deleted through another
        // recordset or connection): say so rather than lose the edit silently.
        if (sqlite3_changes64(db) == 0)
            throw DaoError(DaoError::RecordDeleted, QStringLiteral("Record is deleted."));
    }
    cancelEdit();
    if (!m_loaded)
        setPendingRow(rowid);
    else if (m_pos >= 0 && m_pos < rowCount() && rowidOf(m_pos) == rowid)
        refetchRow(m_pos, rowid);
}

void Recordset::CancelUpdate()
{
    checkOpen();
    if (m_editMode == EditMode::None)
        throw DaoError(DaoError::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    cancelEdit();
}

void Recordset::Delete()
{
    checkOpen();
    if (!Updatable())
        throw DaoError(DaoError::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    cancelEdit();
    ensureLoaded(); // MoveNext after Delete needs the row's place in the set
    const Cell *row = currentRow();
    const qint64 rowid = row[m_stride - 1].i;
    m_db->ExecNative(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(SqlName(m_updateTable)),
                     {QVariant(qlonglong(rowid))});
    m_rowStart.erase(m_rowStart.begin() + m_pos);
    m_currentDeleted = true;
}

void Recordset::Requery()
{
    checkOpen();
    cancelEdit();
    m_hasPending = false;
    load();
}

RecordsetPtr Recordset::OpenRecordset(RecordsetType type)
{
    checkOpen();
    const QString filter = Filter.trimmed();
    QString native = m_nativeSql;
    QString load = m_updateTable.isEmpty() ? QString() : m_loadSql;
    if (!filter.isEmpty()) {
        // Wrapped, never appended: the source may be a join with two
        // columns of one name, or end in ORDER BY.
        const QString where = TranslateJet(filter);
        native = QStringLiteral("SELECT * FROM (%1) WHERE (%2)").arg(native, where);
        if (!load.isEmpty())
            load = QStringLiteral("SELECT * FROM (%1) WHERE (%2)").arg(load, where);
    }
    return m_db->makeRecordset(m_source, native, load, type);
}

void Recordset::Close()
{
    m_findPlan.reset();
    clearRows();
    m_loaded = false;
    cancelEdit();
    m_db.reset();
}

} // namespace dao
