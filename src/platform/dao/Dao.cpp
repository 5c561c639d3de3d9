#include "platform/dao/Dao.h"

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

namespace {

const char kRowidColumn[] = "__tav_rowid";
constexpr int kBusyTimeoutMs = 5000;

// A prepared statement that is always finalized, so none stays open.
struct Stmt {
    sqlite3_stmt *st = nullptr;
    Stmt() = default;
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;
    ~Stmt() { sqlite3_finalize(st); }
};

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

void prepare(sqlite3 *db, const QByteArray &sql, Stmt &s, const char **tail = nullptr)
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

struct Handle {
    sqlite3 *db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
    sqlite3 *release()
    {
        sqlite3 *d = db;
        db = nullptr;
        return d;
    }
};

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

} // namespace

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

void DBEngine::CompactDatabase(const QString &src, const QString &dst)
{
    if (QFileInfo::exists(dst))
        throw DaoError(DaoError::DatabaseExists, QStringLiteral("Database \"%1\" already exists.").arg(dst));
    // Read only: the copy is written while other connections to src go on
    // reading it.
    DatabasePtr db = OpenDatabase(src, false, true);
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

sqlite3 *Database::Handle() const { return m_db; }

sqlite3 *Database::live() const
{
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

void Database::touchFileMark()
{
    if (m_markTouched)
        return;
    const QByteArray sql = "PRAGMA user_version = " + QByteArray::number(qint32(FileMark()));
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
    }
}

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
