// The connection to a database file: opening, creating and compacting
// files, the file's mark, the write path every change takes, transactions.
// Its native queries are in DatabaseQueries.cpp, recordsets in Recordset.cpp.
#include "platform/dao/Dao.h"

#include "platform/dao/EngineCalls.h"
#include "platform/dao/JetSql.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTime>

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dao {

DaoError::DaoError(int number, const QString &message)
    : std::runtime_error(message.toStdString()), m_number(number), m_description(message)
{
}

DaoError::DaoError(int number, const QString &message, const QString &sql)
    : std::runtime_error((message + QStringLiteral(" [") + sql + QLatin1Char(']')).toStdString()),
      m_number(number), m_description(message), m_sql(sql)
{
}

bool DaoError::ReadOnlyFile() const { return (m_number & 0xFF) == SQLITE_READONLY; }

QString SqlText(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SqlName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace engine {

[[noreturn]] void throwDb(sqlite3 *db, const QString &sql)
{
    throw DaoError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)), sql);
}

// "[Main]" -> "Main".
QString unbracket(const QString &name)
{
    const QString t = name.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2);
    return t;
}

bool onlySeparators(const char *tail)
{
    for (; tail && *tail; ++tail)
        if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';')
            return false;
    return true;
}

void prepare(sqlite3 *db, const QByteArray &sql, Stmt &s, const char **tail)
{
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &s.st, tail) != SQLITE_OK)
        throwDb(db, QString::fromUtf8(sql));
}

// Values as they are stored: Yes/No as -1/0 (Jet's True), dates and times as
// ISO-8601 text.
QVariant storedForm(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return QVariant(qlonglong(v.toBool() ? -1 : 0));
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(Qt::ISODate);
    case QMetaType::QTime:
        return v.toTime().toString(Qt::ISODate);
    default:
        return v;
    }
}

void bindVariant(sqlite3 *db, sqlite3_stmt *st, int i, const QVariant &value, const QString &sql)
{
    const QVariant v = storedForm(value);
    int rc;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(st, i);
    } else {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
            rc = sqlite3_bind_int64(st, i, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(st, i, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(st, i, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text64(st, i, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        throwDb(db, sql);
}

QVariant columnValue(sqlite3_stmt *st, int c)
{
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, c));
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(st, c)), sqlite3_column_bytes(st, c));
    default:
        return QVariant();
    }
}

// Settings every connection gets: extended codes, a busy timeout, the Jet
// functions; a connection that may write commits each transaction to the
// disk before the commit returns (synchronous FULL). The journal mode is left
// to Database (see prepareWrite): nothing here writes to the file.
void configure(sqlite3 *db, const QString &path, bool readOnly)
{
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    {
        Stmt s;
        const QByteArray probe("SELECT count(*) FROM sqlite_master");
        int rc = sqlite3_prepare_v2(db, probe.constData(), -1, &s.st, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(s.st);
        if (rc != SQLITE_ROW) {
            const int code = sqlite3_extended_errcode(db);
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
            if ((code & 0xFF) == SQLITE_NOTADB)
                throw DaoError(DaoError::NotADatabase,
                               QStringLiteral("The file \"%1\" is not a database (%2).").arg(path, msg));
            throw DaoError(code, msg);
        }
    }
    if (!readOnly && sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) != SQLITE_OK)
        throwDb(db, QStringLiteral("PRAGMA synchronous=FULL"));
    RegisterJetFunctions(db);
}

// The journal mode of a connection ("delete", "wal", ...); reading it
// changes nothing.
QString journalMode(sqlite3 *db)
{
    Stmt s;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &s.st, nullptr) != SQLITE_OK || sqlite3_step(s.st) != SQLITE_ROW)
        throwDb(db, QStringLiteral("PRAGMA journal_mode"));
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s.st, 0))).toLower();
}

// Why the file could not be written, in plain words; the engine's own words
// where there are none better.
QString StorageFailureReason(int code, const QString &engineMessage)
{
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("the file or its folder may only be read");
    case SQLITE_CANTOPEN:
        return QStringLiteral("a file beside it cannot be created");
    case SQLITE_IOERR:
        return QStringLiteral("the disk reported an error");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("another program is using it");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("the file is damaged");
    default:
        return engineMessage;
    }
}

// Result codes that mean the file itself could not be written (or read back
// while writing), as opposed to a statement the engine refused.
bool isStorageFailure(int code)
{
    switch (code & 0xFF) {
    case SQLITE_PERM:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_PROTOCOL:
    case SQLITE_NOLFS:
    case SQLITE_NOTADB:
        return true;
    default:
        return false;
    }
}

QString columnTypeSql(FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
    case FieldType::Integer:
    case FieldType::Long:
        return QStringLiteral("INTEGER");
    case FieldType::Single:
    case FieldType::Double:
        return QStringLiteral("REAL");
    case FieldType::Date:
        return QStringLiteral("TEXT");
    case FieldType::Text:
    case FieldType::Memo:
        return QStringLiteral("TEXT COLLATE NOCASE");
    }
    return QStringLiteral("TEXT");
}

bool firstWordIs(const QString &sql, std::initializer_list<const char *> words)
{
    static const QRegularExpression first(QStringLiteral("^\\s*\\(*\\s*([A-Za-z]+)"));
    const auto m = first.match(sql);
    if (!m.hasMatch())
        return false;
    for (const char *w : words)
        if (m.captured(1).compare(QLatin1String(w), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString stripSemicolons(QString sql)
{
    sql = sql.trimmed();
    while (sql.endsWith(QLatin1Char(';')))
        sql = sql.left(sql.size() - 1).trimmed();
    return sql;
}

// The CAST that gives a bound value the affinity of a column declared as decl
// (SQLite's rules of type affinity); empty for no affinity.
QString affinityCast(const QString &decl)
{
    const QString d = decl.toUpper();
    if (d.isEmpty() || (d.contains(QLatin1String("BLOB")) && !d.contains(QLatin1String("INT"))))
        return {};
    if (d.contains(QLatin1String("INT")))
        return QStringLiteral("NUMERIC");
    if (d.contains(QLatin1String("CHAR")) || d.contains(QLatin1String("CLOB")) || d.contains(QLatin1String("TEXT")))
        return QStringLiteral("TEXT");
    if (d.contains(QLatin1String("REAL")) || d.contains(QLatin1String("FLOA")) || d.contains(QLatin1String("DOUB")))
        return QStringLiteral("REAL");
    return QStringLiteral("NUMERIC");
}

[[noreturn]] void noCurrentRecord() { throw DaoError(DaoError::NoCurrentRecord, QStringLiteral("No current record.")); }

} // namespace engine

using namespace engine;

// ---------------------------------------------------------------------------
// DBEngine
// ---------------------------------------------------------------------------
// Opens an existing database file and configures the connection; the
// handle belongs to the caller.
sqlite3 *DBEngine::openHandle(const QString &path, bool readOnly)
{
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        throw DaoError(DaoError::FileNotFound, QStringLiteral("Could not find file \"%1\".").arg(path));
    if (fi.size() == 0)
        throw DaoError(DaoError::NotADatabase, QStringLiteral("The file \"%1\" is not a database (it is empty).").arg(path));
    Handle h;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h.db, flags, nullptr) != SQLITE_OK) {
        if (!h.db)
            throw DaoError(SQLITE_NOMEM, QStringLiteral("Out of memory opening \"%1\".").arg(path));
        throw DaoError(sqlite3_extended_errcode(h.db), QString::fromUtf8(sqlite3_errmsg(h.db)));
    }
    configure(h.db, path, readOnly);
    return h.release();
}

DatabasePtr DBEngine::OpenDatabase(const QString &path, bool /*exclusive*/, bool readOnly)
{
    DatabasePtr db(new Database(openHandle(path, readOnly), path));
    db->m_readOnly = readOnly;
    db->noteFile();
    // A file left in WAL mode (by another program) is switched before the
    // first write, not here: a file that is only read is never changed.
    db->m_leaveWal = !readOnly && journalMode(db->m_db) == QLatin1String("wal");
    return db;
}

DatabasePtr DBEngine::CreateDatabase(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DaoError(DaoError::DatabaseExists, QStringLiteral("Database \"%1\" already exists.").arg(path));
    Handle h;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h.db, flags, nullptr) != SQLITE_OK) {
        if (!h.db)
            throw DaoError(SQLITE_NOMEM, QStringLiteral("Out of memory creating \"%1\".").arg(path));
        throw DaoError(sqlite3_extended_errcode(h.db), QString::fromUtf8(sqlite3_errmsg(h.db)));
    }
    configure(h.db, path, false);
    // The header is written at once: a file without it is no database.
    if (sqlite3_exec(h.db, "PRAGMA user_version = 0", nullptr, nullptr, nullptr) != SQLITE_OK)
        throwDb(h.db, QStringLiteral("PRAGMA user_version = 0"));
    DatabasePtr db(new Database(h.release(), path));
    db->noteFile();
    db->m_leaveWal = journalMode(db->m_db) == QLatin1String("wal");
    return db;
}

void DBEngine::CompactDatabase(const QString &src, const QString &dst, const std::atomic<bool> *stop)
{
    if (QFileInfo::exists(dst))
        throw DaoError(DaoError::DatabaseExists, QStringLiteral("Database \"%1\" already exists.").arg(dst));
    // Read only: the copy is written while other connections to src go on
    // reading it.
    DatabasePtr db = OpenDatabase(src, false, true);
    db->StopWhen(stop);
    try {
        db->ExecNative(QStringLiteral("VACUUM INTO ?1"), {dst});
    } catch (const DaoError &e) {
        // The engine's own words: the error's description speaks of src.
        const QString engine = QString::fromUtf8(sqlite3_errmsg(db->Handle()));
        db->Close();
        // The engine may leave the copy and its journal behind.
        for (const char *suffix : {"", "-journal", "-wal", "-shm"})
            QFile::remove(dst + QLatin1String(suffix));
        if (isStorageFailure(e.Number()))
            throw DaoError(e.Number(),
                           QStringLiteral("the compacted copy \"%1\" could not be written (%2)")
                               .arg(dst, StorageFailureReason(e.Number(), engine)),
                           e.Sql());
        throw;
    }
    db->Close();
}

// ---------------------------------------------------------------------------
// Database
// ---------------------------------------------------------------------------
Database::Database(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) { hook(); }

void Database::hook()
{
    // A transaction's end (commit or rollback) ends its rewrite of the mark.
    auto ended = [](void *self) { static_cast<Database *>(self)->m_markTouched = false; };
    sqlite3_commit_hook(
        m_db,
        [](void *self) {
            static_cast<Database *>(self)->m_markTouched = false;
            return 0;
        },
        this);
    sqlite3_rollback_hook(m_db, ended, this);
}

Database::~Database() { Close(); }

void Database::StopWhen(const std::atomic<bool> *stop)
{
    if (!stop) {
        sqlite3_progress_handler(live(), 0, nullptr, nullptr);
        return;
    }
    sqlite3_progress_handler(
        live(), 4000, [](void *flag) { return static_cast<const std::atomic<bool> *>(flag)->load() ? 1 : 0; },
        const_cast<std::atomic<bool> *>(stop));
}

sqlite3 *Database::Handle() const { return m_db; }

sqlite3 *Database::live() const
{
    if (!m_db && !m_whyClosed.isEmpty())
        throw WriteRefused(DaoError::ObjectClosed, m_whyClosed);
    if (!m_db)
        throw DaoError(DaoError::ObjectClosed, QStringLiteral("The database \"%1\" is closed.").arg(m_path));
    return m_db;
}

void Database::noteFile()
{
    m_absolutePath = QFileInfo(m_path).absoluteFilePath();
    struct stat st {};
    m_fileKnown = ::stat(QFile::encodeName(m_absolutePath).constData(), &st) == 0;
    if (m_fileKnown) {
        m_device = quint64(st.st_dev);
        m_inode = quint64(st.st_ino);
    }
}

std::array<long long, 3> Database::ChangeMark() const
{
    sqlite3 *db = live();
    std::array<long long, 3> mark{sqlite3_total_changes64(db), 0, 0};
    const char *pragmas[] = {"PRAGMA data_version", "PRAGMA schema_version"};
    for (int i = 0; i < 2; ++i) {
        Stmt s;
        if (sqlite3_prepare_v2(db, pragmas[i], -1, &s.st, nullptr) != SQLITE_OK || sqlite3_step(s.st) != SQLITE_ROW)
            throwDb(db, QString::fromLatin1(pragmas[i]));
        mark[size_t(i) + 1] = sqlite3_column_int64(s.st, 0);
    }
    return mark;
}

bool Database::ReadersSeeTheSame() const
{
    return m_db && m_transactionDepth == 0 && sqlite3_get_autocommit(m_db) && FileStillAtPath() &&
           journalMode(m_db) != QLatin1String("wal");
}

std::function<DatabasePtr()> Database::ReaderOpener() const
{
    // Copies taken now: nothing of this connection is read on the other thread.
    return [path = m_path, known = m_fileKnown, device = m_device, inode = m_inode]() -> DatabasePtr {
        DatabasePtr reader;
        try {
            reader = DBEngine::OpenDatabase(path, false, true);
        } catch (const DaoError &) {
            return nullptr;
        }
        const bool same = known && reader->m_fileKnown && reader->m_device == device && reader->m_inode == inode;
        return same ? reader : nullptr;
    };
}

bool Database::FileStillAtPath() const
{
    if (!m_fileKnown)
        return true;
    struct stat now {};
    return ::stat(QFile::encodeName(m_absolutePath).constData(), &now) == 0 && quint64(now.st_dev) == m_device &&
           quint64(now.st_ino) == m_inode;
}

void Database::checkStillAtPath(const QString &sql) const
{
    if (!FileStillAtPath())
        throw WriteRefused(DaoError::FileReplaced,
                       QStringLiteral("The database file \"%1\" was deleted, moved or replaced after it was opened: "
                                      "nothing was stored.")
                           .arg(m_path),
                       sql);
}

bool Database::prepareWrite(sqlite3_stmt *st, const QString &sql)
{
    if (!st || sqlite3_stmt_readonly(st))
        return false;
    checkStillAtPath(sql);
    leaveWal();
    // Transaction control, settings and compaction change no row.
    if (firstWordIs(QString::fromUtf8(sqlite3_sql(st)), {"BEGIN", "COMMIT", "END", "ROLLBACK", "SAVEPOINT", "RELEASE",
                                                         "PRAGMA", "VACUUM", "ATTACH", "DETACH"}))
        return false;
    bool own = false;
    if (sqlite3_get_autocommit(m_db)) {
        if (m_renewMark)
            writeNewMark();
        if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            throwStatement(sql, true);
        own = true;
    }
    try {
        touchFileMark();
    } catch (...) {
        if (own && !sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return own;
}

void Database::stepWrite(sqlite3_stmt *st, const QString &sql, bool ownTransaction)
{
    try {
        step(st, sql);
    } catch (...) {
        if (ownTransaction && !sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    if (!ownTransaction)
        return;
    // The statement is done: its changes were counted before the commit.
    if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        failWrite(sql);
}

void Database::failWrite(const QString &sql)
{
    const int code = sqlite3_extended_errcode(m_db);
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (isStorageFailure(code))
        throwWriteRefused(code, message, sql);
    throw DaoError(code, message, sql);
}

quint32 Database::FileMark() const
{
    sqlite3 *db = live();
    Stmt s;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &s.st, nullptr) != SQLITE_OK || sqlite3_step(s.st) != SQLITE_ROW)
        throwDb(db, QStringLiteral("PRAGMA user_version"));
    return quint32(sqlite3_column_int64(s.st, 0));
}

quint32 Database::NextFileMark(quint32 mark)
{
    // A mixing function that is one to one on 32 bits: the marks of a file's
    // states run through a long cycle, and a mark found in a copy says
    // which state it was copied from.
    for (quint32 salt = 0;; salt += 0x9e3779b9U) {
        quint32 next = mark ^ salt;
        next ^= next >> 16;
        next *= 0x7feb352dU;
        next ^= next >> 15;
        next *= 0x846ca68bU;
        next ^= next >> 16;
        if (next != 0 && next != mark)
            return next;
    }
}

void Database::touchFileMark()
{
    if (m_markTouched)
        return;
    m_markFound = FileMark();
    const QByteArray sql = "PRAGMA user_version = " + QByteArray::number(qint32(NextFileMark(m_markFound)));
    if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throwStatement(QString::fromLatin1(sql), true);
    m_markTouched = true;
}

void Database::writeNewMark()
{
    checkStillAtPath({});
    quint32 mark = 0;
    const quint32 old = FileMark();
    while (mark == 0 || mark == old)
        mark = QRandomGenerator::system()->generate();
    // A transaction of its own: a crash in it leaves a journal that holds
    // the first page alone, which differs from the file's in the header only.
    const QByteArray sql = "BEGIN IMMEDIATE; PRAGMA user_version = " + QByteArray::number(qint32(mark)) + "; COMMIT";
    if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        failWrite(QString::fromLatin1(sql));
    m_renewMark = false;
}

void Database::RenewFileMark(bool atFirstWrite)
{
    live();
    m_renewMark = true;
    if (atFirstWrite)
        return;
    if (!sqlite3_get_autocommit(m_db))
        throw DaoError(DaoError::NoTransaction, QStringLiteral("The mark cannot be renewed inside a transaction."));
    leaveWal();
    writeNewMark();
}

void Database::leaveWal()
{
    // Outside a transaction only: the mode cannot change inside one, and
    // BeginTrans comes here first.
    if (!m_leaveWal || !sqlite3_get_autocommit(m_db))
        return;
    if (sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throwStatement(QStringLiteral("PRAGMA journal_mode=DELETE"), true);
    // The switch needs the file to itself: another program that holds it
    // open in WAL mode keeps the log, and a commit would stay in it.
    if (journalMode(m_db) == QLatin1String("wal"))
        throw WriteRefused(SQLITE_BUSY,
                       QStringLiteral("The database file \"%1\" is open in another program that keeps a "
                                      "write-ahead log beside it: nothing was stored.")
                           .arg(m_path));
    m_leaveWal = false;
}

void Database::throwStatement(const QString &sql, bool writing) const
{
    const int code = sqlite3_extended_errcode(m_db);
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if (writing && isStorageFailure(code))
        throwWriteRefused(code, message, sql);
    throw DaoError(code, message, sql);
}

void Database::throwWriteRefused(int code, const QString &engineMessage, const QString &sql) const
{
    throw WriteRefused(code,
                       QStringLiteral("The database file \"%1\" could not be written (%2): nothing was stored.")
                           .arg(m_path, StorageFailureReason(code, engineMessage)),
                       sql);
}

void Database::step(sqlite3_stmt *st, const QString &sql)
{
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        throwStatement(sql, writes(st));
}

bool Database::writes(sqlite3_stmt *st)
{
    // Transaction control counts as read-only to the engine, but a COMMIT is
    // where the journal and the file are written.
    return !sqlite3_stmt_readonly(st) ||
           firstWordIs(QString::fromUtf8(sqlite3_sql(st)), {"BEGIN", "COMMIT", "END", "RELEASE", "ROLLBACK"});
}

void Database::Close()
{
    if (!m_db)
        return;
    // Kept statements would keep the file open after sqlite3_close_v2.
    dropStatements();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_transactionDepth = 0;
}

void Database::Reopen()
{
    if (m_db)
        return;
    m_db = DBEngine::openHandle(m_path, m_readOnly);
    m_whyClosed.clear();
    hook();
    m_markTouched = false;
    noteFile();
    m_leaveWal = !m_readOnly && journalMode(m_db) == QLatin1String("wal");
}

void Database::ReplaceFile(const std::function<void()> &replace)
{
    live();
    if (m_transactionDepth > 0 || !sqlite3_get_autocommit(m_db))
        throw DaoError(DaoError::NoTransaction,
                       QStringLiteral("The database file \"%1\" cannot be replaced while a transaction is open.")
                           .arg(m_path));
    Close();
    std::exception_ptr failure;
    try {
        replace();
    } catch (...) {
        failure = std::current_exception();
    }
    // Whichever file the path names now: the new one, or the old one when
    // the replacement failed. A failure to open it leaves this closed.
    Reopen();
    if (failure)
        std::rethrow_exception(failure);
}

void Database::Execute(const QString &jetSql)
{
    sqlite3 *db = live();
    const QString sql = TranslateJet(jetSql);
    const QByteArray utf8 = sql.toUtf8();
    Stmt s;
    const char *tail = nullptr;
    prepare(db, utf8, s, &tail);
    if (!onlySeparators(tail))
        throw DaoError(DaoError::UnsupportedJetSql,
                       QStringLiteral("Execute runs one statement at a time"), sql);
    m_recordsAffected = 0;
    if (!s.st)
        return;
    if (sqlite3_column_count(s.st) > 0 && sqlite3_stmt_readonly(s.st))
        throw DaoError(DaoError::SelectInExecute, QStringLiteral("Cannot execute a select query."), sql);
    const bool own = prepareWrite(s.st, sql);
    stepWrite(s.st, sql, own);
    if (firstWordIs(sql, {"INSERT", "UPDATE", "DELETE", "REPLACE"}))
        m_recordsAffected = sqlite3_changes64(db);
}

void Database::BeginTrans()
{
    live();
    if (m_transactionDepth == 0) {
        leaveWal();
        // A new mark is a transaction of its own, before this one.
        if (m_renewMark)
            writeNewMark();
        ExecNative(QStringLiteral("BEGIN IMMEDIATE"));
    }
    else
        ExecNative(QStringLiteral("SAVEPOINT tav_%1").arg(m_transactionDepth));
    ++m_transactionDepth;
}

void Database::CommitTrans()
{
    live();
    if (m_transactionDepth == 0)
        throw DaoError(DaoError::NoTransaction, QStringLiteral("Commit without BeginTrans."));
    if (m_transactionDepth == 1)
        ExecNative(QStringLiteral("COMMIT"));
    else
        ExecNative(QStringLiteral("RELEASE tav_%1").arg(m_transactionDepth - 1));
    --m_transactionDepth;
}

void Database::Rollback()
{
    sqlite3 *db = live();
    if (m_transactionDepth == 0)
        throw DaoError(DaoError::NoTransaction, QStringLiteral("Rollback without BeginTrans."));
    --m_transactionDepth;
    if (m_transactionDepth == 0) {
        if (!sqlite3_get_autocommit(db)) // SQLite may already have rolled back after an error
            ExecNative(QStringLiteral("ROLLBACK"));
    } else {
        ExecNative(QStringLiteral("ROLLBACK TO tav_%1; RELEASE tav_%1").arg(m_transactionDepth));
        // The step of the mark was undone with it when it was made inside
        // this savepoint: the next write makes it again.
        if (m_markTouched && FileMark() == m_markFound)
            m_markTouched = false;
    }
}

} // namespace dao
