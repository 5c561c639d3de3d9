#pragma once
// A small database layer shaped like the DAO object model (engine, database,
// recordset, table definitions), running on SQLite: here the engine and the
// connection, which runs statements and opens recordsets; the recordsets
// themselves are in platform/recordset/Recordset.h. The store code reads as
// DAO code does: SQL texts are written in the Jet dialect and translated just
// before SQLite sees them (see JetSql.h).
//
// Every failure throws dao::DaoError with the engine's message and a number;
// nothing is swallowed. No SQLite statement stays running after a call
// returns: recordsets read their rows when they are opened (or first
// navigated) and keep them in memory, and the reading statements QueryNative
// keeps for re-use are reset, so a caller may drop a table or compact at any
// time.

#include "platform/recordset/Recordset.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <QHash>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <stdexcept>

struct sqlite3;

namespace dao {

// Jet field types used by table definitions.
enum class FieldType { Boolean, Integer, Long, Single, Double, Date, Text, Memo };

// Quotes a text value as a Jet/SQL literal: 'value' with every quote doubled.
// This is the one way the store puts a value into a statement.
QString SqlText(const QString &value);

// Quotes a table or column name for SQLite: "name" with every double quote
// doubled, so that no name can break a native statement.
QString SqlName(const QString &name);

// A field definition for CreateTableDef.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;                 // Text size; 0 = engine default
    bool allowZeroLength = false; // kept for the record; SQLite always allows ""
};

class DBEngine {
public:
    // Opens a database file read-write (or read-only). Throws when the file
    // does not exist or is not a database: the file is never created here.
    // Connections keep a rollback journal (deleted at each commit) and sync
    // each commit to the disk before it returns, so that the file alone
    // holds every commit at rest and nothing beside it outlives a commit. A
    // file found in WAL mode is switched before the first write; opening and
    // reading change nothing in the file. Connections have a busy timeout,
    // so a second, short-lived connection can write while this one is open;
    // "exclusive" is therefore not honoured (it would lock that one out).
    static DatabasePtr OpenDatabase(const QString &path, bool exclusive = false, bool readOnly = false);
    // Creates a new, empty database file (for the database builder and tests).
    static DatabasePtr CreateDatabase(const QString &path);
    // Writes a compacted copy of the database at src to dst; dst must not exist.
    // On failure nothing is left at dst (nor its journal), and an error of
    // the disk names dst. Once stop (when given) is set, the copy ends soon
    // as a failure (see StopWhen).
    static void CompactDatabase(const QString &src, const QString &dst, const std::atomic<bool> *stop = nullptr);

private:
    friend class Database;
    static sqlite3 *openHandle(const QString &path, bool readOnly);
};

class Database : public std::enable_shared_from_this<Database> {
public:
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QString Name() const { return m_path; }

    // Runs an action statement written in Jet SQL (translated first).
    // Every statement that writes (here, in ExecNative and so in the
    // recordsets' updates) first checks that the file opened is still the
    // one at its path: a database deleted, moved or replaced while it is
    // open takes no more writes, which would be lost with the old file.
    // A write the disk refuses (full, read-only, an I/O error) throws one
    // error that names the file and says that nothing was stored.
    void Execute(const QString &jetSql);
    // Rows changed by the last Execute.
    long long RecordsAffected() const { return m_recordsAffected; }

    // Opens a recordset on a table name or on a Jet SELECT statement.
    RecordsetPtr OpenRecordset(const QString &nameOrSql, RecordsetType type = RecordsetType::Dynaset);

    // Table definitions.
    QStringList TableNames() const;           // user tables, in creation order
    bool TableExists(const QString &name) const; // case-insensitive, as Jet
    QStringList FieldNames(const QString &table) const;
    void CreateTable(const QString &name, const QVector<FieldDef> &fields);
    void DeleteTable(const QString &name);

    // Stored query definitions: a named SELECT that OpenRecordset takes by name.
    void CreateQueryDef(const QString &name, const QString &jetSql);
    void DeleteQueryDef(const QString &name);
    QString QueryDefSql(const QString &name) const;

    // Transactions: edits that change several tables run all-or-nothing.
    // BeginTrans takes the write lock at once (BEGIN IMMEDIATE), so the
    // transaction cannot fail half-way for another writer; meanwhile a
    // second connection's writes wait for it (up to the busy timeout).
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const { return m_transactionDepth > 0; }

    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    // What the user is told, in words, by every use of this connection while
    // it is closed (WriteRefused instead of the engine's "closed"), until it
    // is open again: set where a closed connection is the program's state
    // for the rest of the run, not a slip.
    void SetWhyClosed(const QString &message) { m_whyClosed = message; }
    QString WhyClosed() const { return m_whyClosed; }
    // Long work that may be given up: once *stop is set, the statement that
    // runs ends within a few thousand of the engine's steps with the
    // error SQLITE_INTERRUPT. The flag must outlive the connection.
    void StopWhen(const std::atomic<bool> *stop);
    // Opens the path again in this same object after Close (read only when
    // it was opened so); nothing when it is open. Throws as OpenDatabase.
    void Reopen();
    // Puts another file at this connection's path while nothing of this
    // connection reads it: closes it (no statement of it stays), runs
    // replace, then opens the path again in this same object, so that every
    // holder of this connection (recordsets, data controls, windows) reads
    // and writes the new file from then on. When replace throws, the file
    // the path still names is opened again and the error passed on; when
    // the path cannot be opened again, the connection stays closed and that
    // error is thrown. Refused inside a transaction.
    void ReplaceFile(const std::function<void()> &replace);
    // False once the path no longer names the file that was opened (it was
    // deleted, moved or replaced).
    bool FileStillAtPath() const;

    // The file's mark: a number in its header (the user_version field) that
    // tells one state of the file from another. Every transaction that
    // writes first steps the mark to NextFileMark of the one it found, so
    // the first page is always saved by its rollback journal, and the file
    // after the commit carries a mark that a copy of the file changed by
    // another program (which keeps the mark) does not: a start after a
    // crash can then tell from the journal's copy of the header (mark and
    // change counter) whether the file is the very one the journal was
    // written from. RenewFileMark gives the file a new random mark in a
    // transaction of its own; with atFirstWrite, just before this
    // connection's first write (a connection that only reads changes
    // nothing), so that two runs from the same state part at once.
    void RenewFileMark(bool atFirstWrite = false);
    quint32 FileMark() const;
    // The mark a write gives a file that carries mark: never mark itself
    // and never 0.
    static quint32 NextFileMark(quint32 mark);

    // Plumbing for Recordset and tests.
    sqlite3 *Handle() const;
    // Runs native SQLite SQL (already translated) and returns every row. A
    // SELECT's prepared statement is kept for the next run of the same text.
    QVector<QVector<QVariant>> QueryNative(const QString &sql, QStringList *columnNames = nullptr,
                                           const QVariantList &params = {});
    void ExecNative(const QString &sql, const QVariantList &params = {});
    // The first column of a native SELECT as whole numbers, stepped directly:
    // for long lists of IDs, without a variant for each value.
    QVector<long long> IntColumnNative(const QString &sql);
    // The runs of equal texts of one column (named case-insensitively) along
    // the rows of a Jet query, in its order; a Null counts as "". The texts
    // are compared as the engine gives them, without copying each row.
    long long CountTextRuns(const QString &jetSql, const char *column);
    // The same as a job that any connection to the file can run (see CountJob).
    CountJob<long long> CountTextRunsJob(const QString &jetSql, const char *column) const;

    // True when a second connection opened now on this path for reading
    // only (a reader, which another thread may use while this connection
    // goes on in its own) reads what this connection reads: this one has no
    // transaction open, its file is still at its path and in rollback-journal
    // mode.
    bool ReadersSeeTheSame() const;
    // Opens readers for other threads: the function returned opens this
    // connection's file read only, on the thread that calls it, and gives
    // null when the path names another file by then (deleted, moved or
    // replaced since this connection opened it) or cannot be opened. It
    // keeps only the path and the file's identity, so it may outlive this
    // connection.
    std::function<DatabasePtr()> ReaderOpener() const;
    // What this connection can tell of changes to the file: its own changed
    // rows, the commits of other connections and the schema's version.
    // While the mark stays the same, so do the data this connection reads.
    std::array<long long, 3> ChangeMark() const;

private:
    friend class DBEngine;
    friend class Recordset;
    explicit Database(sqlite3 *db, QString path);
    void hook(); // the commit and rollback hooks on the handle
    sqlite3 *live() const; // the open handle, or throws ObjectClosed
    // Notes which file the path names now (device and inode).
    void noteFile();
    // Before st runs, when st writes: throws FileReplaced when the path no
    // longer names the file that was opened, and leaves WAL mode. A statement
    // that changes the file gets the mark rewritten first in its transaction;
    // outside one it gets a transaction of its own, begun here (the result is
    // true) and ended by finishWrite.
    bool prepareWrite(sqlite3_stmt *st, const QString &sql);
    // Runs st (prepared by prepareWrite) to its end, ending the transaction
    // prepareWrite began for it: committed when st succeeded, else rolled back.
    void stepWrite(sqlite3_stmt *st, const QString &sql, bool ownTransaction);
    // Steps the mark to its successor, once per transaction.
    void touchFileMark();
    // Writes a new random mark in a transaction of its own.
    void writeNewMark();
    // Throws FileReplaced when the path no longer names the file opened.
    void checkStillAtPath(const QString &sql) const;
    // Throws the error of a failed write of this connection, after rolling
    // back the transaction it leaves open.
    [[noreturn]] void failWrite(const QString &sql);
    // Switches a file found in WAL mode to a rollback journal (outside a
    // transaction; once).
    void leaveWal();
    // Runs st to its end, ignoring rows; a failure throws (throwStatement).
    void step(sqlite3_stmt *st, const QString &sql);
    // True when st writes to the file (transaction control included).
    static bool writes(sqlite3_stmt *st);
    // Throws the connection's last error; a failure of the disk in a
    // statement that writes names the file and says that nothing was stored.
    [[noreturn]] void throwStatement(const QString &sql, bool writing) const;
    // Throws WriteRefused for a write of sql that failed with code.
    [[noreturn]] void throwWriteRefused(int code, const QString &engineMessage, const QString &sql) const;
    QString tableName(const QString &name) const; // the stored spelling, "" when absent
    RecordsetPtr makeRecordset(const QString &source, const QString &nativeSql, const QString &loadSql,
                               RecordsetType type);
    // Keeps a reading statement QueryNative ran to its end (reset, by its
    // text) for the next run of the same text, and takes ownership (st
    // becomes null); leaves any other statement to its caller.
    void keepStatement(const QString &sql, const QByteArray &utf8, sqlite3_stmt *&st);
    void dropStatements(); // finalizes the kept statements
    // CountTextRuns of a native statement.
    long long countTextRuns(const QString &nativeSql, const char *column);
    // Counts the rows of nativeSql that meet each native criterion ("" for
    // every row), asking each criterion once per group of rows that hold
    // exactly the same values in columns (the fields the criteria read).
    QVector<long long> countPerGroup(const QString &nativeSql, const QStringList &columns,
                                     const QStringList &criteria);

    sqlite3 *m_db = nullptr;
    QString m_path;
    QString m_whyClosed;
    QString m_absolutePath;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    bool m_fileKnown = false;
    bool m_readOnly = false;
    bool m_leaveWal = false; // the file is in WAL mode: switch before the first write
    bool m_markTouched = false; // the open transaction has stepped the mark
    quint32 m_markFound = 0;    // the mark it found before that
    bool m_renewMark = false;   // give the file a new mark before the first write
    long long m_recordsAffected = 0;
    int m_transactionDepth = 0;
    QHash<QString, QString> m_queryDefs; // lower-case name -> Jet SQL
    // QueryNative's statements, kept between runs: a panel that asks the same
    // questions (with parameters) for every word shown prepares them once.
    static constexpr qsizetype kKeptStatements = 64;
    QHash<QByteArray, sqlite3_stmt *> m_statements;
};

} // namespace dao
