#pragma once
// A small database layer shaped like the DAO object model (engine, database,
// recordset, table definitions), running on SQLite. The store code reads as
// DAO code does: SQL texts are written in the Jet dialect and translated just
// before SQLite sees them (see JetSql.h), recordsets are navigated with
// MoveFirst/MoveNext/EOF and searched with FindFirst and a Jet criterion.
//
// Every failure throws dao::DaoError with the engine's message and a number;
// nothing is swallowed. No SQLite statement stays running after a call
// returns: recordsets read their rows when they are opened (or first
// navigated) and keep them in memory, and the reading statements QueryNative
// keeps for re-use are reset, so a caller may drop a table or compact at any
// time.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <QHash>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace dao {

class Database;
class Recordset;
using DatabasePtr = std::shared_ptr<Database>;
using RecordsetPtr = std::unique_ptr<Recordset>;

// An error of the engine or of this layer: the message the engine gave and a
// number (SQLite's extended result code, or one of the layer's own below).
class DaoError : public std::runtime_error {
public:
    DaoError(int number, const QString &message);
    // The same with the native statement that failed (kept apart from the
    // message, which is what a user may be shown).
    DaoError(int number, const QString &message, const QString &sql);
    int Number() const { return m_number; }
    QString Description() const { return m_description; }
    QString Sql() const { return m_sql; }
    // The engine refused to write because the file or its folder is read only.
    bool ReadOnlyFile() const;

    // Numbers of the layer's own errors (above SQLite's range).
    static constexpr int NoCurrentRecord = 3021;
    static constexpr int UnsupportedJetSql = 3075;
    static constexpr int ItemNotFound = 3265;
    static constexpr int NotUpdatable = 3027;
    static constexpr int UpdateWithoutEdit = 3020;
    static constexpr int FileNotFound = 3024;
    static constexpr int NotADatabase = 3343;
    static constexpr int DatabaseExists = 3204;
    static constexpr int InputNotFound = 3078;    // no such table or query
    static constexpr int ObjectExists = 3012;     // query definition name taken
    static constexpr int TableExists = 3010;
    static constexpr int NoFields = 3264;         // a table definition without fields
    static constexpr int NoTransaction = 3034;    // commit or rollback without BeginTrans
    static constexpr int SelectInExecute = 3065;  // Execute given a SELECT
    static constexpr int FieldNotUpdatable = 3164;
    static constexpr int RecordDeleted = 3167;    // the current row was deleted
    static constexpr int DataTypeMismatch = 3464;
    static constexpr int ObjectClosed = 3420;     // database or recordset closed
    static constexpr int FileReplaced = 3051;     // the file opened is no longer at its path

private:
    int m_number;
    QString m_description;
    QString m_sql;
};

// A write the file refused (the disk full or failing, the file read-only,
// in use by another program, damaged, or replaced since it was opened): the
// message names the file, says why in plain words and that nothing was
// stored.
class WriteRefused : public DaoError {
public:
    using DaoError::DaoError;
};

// The way a recordset is opened. Table and Dynaset recordsets over one table
// are updatable; a Snapshot never is.
enum class RecordsetType { Table = 1, Dynaset = 2, Snapshot = 4 };

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

// A count made by running native statements only, translated when the job
// was made: a thread that owns a reader (Database::ReaderOpener) may run it on
// that connection while the thread that made it goes on. It gives what the
// count it was made from would have given on the connection it runs on.
template <class T>
using CountJob = std::function<T(Database &)>;

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
    // the disk names dst.
    static void CompactDatabase(const QString &src, const QString &dst);

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
    // tells one line of the file's history from another. Every transaction
    // that writes rewrites the mark first, so the first page is always the
    // first one its rollback journal saves: a start after a crash can then
    // compare the journal's copy of the header (mark and change counter)
    // with the file's. RenewFileMark gives the file a new random mark in a
    // transaction of its own; with atFirstWrite, just before this
    // connection's first write (a connection that only reads changes
    // nothing).
    void RenewFileMark(bool atFirstWrite = false);
    quint32 FileMark() const;

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
    // Rewrites the mark with the value it holds, once per transaction.
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
    QString m_absolutePath;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    bool m_fileKnown = false;
    bool m_readOnly = false;
    bool m_leaveWal = false; // the file is in WAL mode: switch before the first write
    bool m_markTouched = false; // the open transaction has rewritten the mark
    bool m_renewMark = false;   // give the file a new mark before the first write
    long long m_recordsAffected = 0;
    int m_transactionDepth = 0;
    QHash<QString, QString> m_queryDefs; // lower-case name -> Jet SQL
    // QueryNative's statements, kept between runs: a panel that asks the same
    // questions (with parameters) for every word shown prepares them once.
    static constexpr qsizetype kKeptStatements = 64;
    QHash<QByteArray, sqlite3_stmt *> m_statements;
};

class Recordset {
public:
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    RecordsetType Type() const { return m_type; }
    QString Source() const { return m_source; } // the table name or Jet SQL

    // Position.
    bool Eof() const; // DAO's EOF (a C macro name)
    bool Bof() const;
    long long RecordCount() const;   // every row of the set (rows are read on first use)
    // Counts made by the engine over the rows the set reads, without reading
    // them here (what a freshly opened set would give):
    // the rows, as RecordCount;
    long long CountRows() const;
    // the runs of equal values of NativeExpr (SQLite SQL over the fields,
    // compared exactly) along the rows in the set's own order; 0 for none;
    long long CountRuns(const QString &NativeExpr) const;
    // the rows that meet each Jet criterion, as Filter would keep them, in
    // one pass over the rows ("" counts every row). With Columns, criteria
    // that read those fields alone are asked once per group of rows that
    // hold exactly the same values there, which gives the same counts with
    // far fewer evaluations when the fields have few values (a criterion
    // that reads another field fails).
    QVector<long long> CountMatching(const QStringList &Criteria, const QStringList &Columns = {}) const;
    // CountMatching as a job (see CountJob).
    CountJob<QVector<long long>> CountMatchingJob(const QStringList &Criteria, const QStringList &Columns = {}) const;
    long long AbsolutePosition() const; // -1 before first / after last
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void Move(long long rows);

    // Searches with a Jet criterion ("ID = 5", "Lat Like 'a*'").
    // NoMatch() tells whether the last Find found a row; on no match the
    // current row is undefined in DAO, here it stays where it was.
    void FindFirst(const QString &criteria);
    void FindNext(const QString &criteria);
    void FindPrevious(const QString &criteria);
    void FindLast(const QString &criteria);
    bool NoMatch() const { return m_noMatch; }

    // Fields of the current row (or of the row being added/edited).
    int FieldCount() const;
    QString FieldName(int index) const;
    int FieldIndex(const QString &name) const; // -1 when absent; case-insensitive
    QVariant Field(int index) const;
    QVariant Field(const QString &name) const;
    // Convenience readers: Null reads as "" / 0 / false (Yes/No: non-zero is true).
    QString Text(int index) const;
    QString Text(const QString &name) const;
    // For readers of every row (a bound grid): the field's text when it is
    // stored as text, "" when it is Null; nothing for other values (and
    // while an edit is under way), which the caller reads through Field.
    std::optional<QString> StoredText(int index) const;
    // The same as its stored UTF-8 bytes (empty for Null), valid until the
    // recordset reads, moves to or changes another row's values.
    std::optional<QByteArrayView> StoredUtf8(int index) const;
    // The same two of any row read (0 to RecordCount() - 1) without moving to
    // it, for readers that take a whole column at a time; the stored values,
    // also while the current row is being edited.
    std::optional<QByteArrayView> StoredUtf8At(long long row, int index) const;
    QVariant FieldAt(long long row, int index) const;
    // The stored values of one field in every row read, in row order, for
    // readers of a whole column (a bound grid): a text as its UTF-8 bytes
    // (a Null as a null view), a whole number as itself, any other value as
    // FieldAt gives it. One pass, without a lookup per value.
    class ColumnReader {
    public:
        virtual ~ColumnReader() = default;
        virtual void Text(long long row, QByteArrayView utf8) = 0;
        virtual void Integer(long long row, qint64 value) = 0;
        virtual void Other(long long row, const QVariant &value) = 0;
    };
    // Rows first to end - 1 only, where end is given; the whole column
    // otherwise. Once the rows are read (RecordCount), several threads may
    // read columns of one recordset at the same time.
    void ReadColumn(int index, ColumnReader &reader, long long first = 0, long long end = -1) const;
    long long Long(int index) const;
    long long Long(const QString &name) const;
    bool Bool(int index) const;
    bool Bool(const QString &name) const;
    void SetField(int index, const QVariant &value);
    void SetField(const QString &name, const QVariant &value);

    // Changes (updatable recordsets only). Moving, finding or requerying
    // while an AddNew/Edit is pending drops it, as DAO does. After Update of
    // an AddNew the new row is the current row (DAO leaves it in
    // LastModified), so its ID can be read at once. After Delete there is no
    // current row until the next Move; MoveNext goes to the row that followed.
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    bool Updatable() const;

    // Re-reads the rows from the database.
    void Requery();

    // A filter in Jet criteria syntax; takes effect in OpenRecordset().
    QString Filter;
    // A new recordset on this one's rows that match Filter (all rows when empty).
    RecordsetPtr OpenRecordset(RecordsetType type = RecordsetType::Dynaset);
    // The native SQL this recordset reads (after translation).
    QString NativeSql() const { return m_nativeSql; }

    void Close();

private:
    friend class Database;
    Recordset(DatabasePtr db, QString source, QString nativeSql, QString loadSql, RecordsetType type);

    // One value of a row. A row's cells and its texts and blobs live in the
    // set's blocks (see m_blocks), so reading a large set costs one copy of
    // its bytes and no allocation per value.
    struct Cell {
        union {
            qint64 i;
            double d;
            const char *bytes; // a text's or blob's bytes, never null
        };
        quint32 len;
        unsigned char type; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL
    };
    struct FindPlan;

    void describe();          // column names and where they come from
    void load() const;        // reads every row
    void ensureLoaded() const;
    void appendRow(sqlite3_stmt *st, int columns) const;
    QVariant cellValue(const Cell &c) const;
    const Cell *currentRow() const; // throws when there is no current row
    const Cell &cellAt(long long row, int index) const; // throws when there is no such row
    std::optional<QByteArrayView> storedUtf8(const Cell &c) const;
    long long rowCount() const { return static_cast<long long>(m_rowStart.size()); }
    qint64 rowidOf(long long row) const;
    long long find(const QString &criteria, long long from, int step) const;
    void refetchRow(long long row, qint64 rowid) const; // re-reads (or appends when row < 0)
    void setPendingRow(qint64 rowid) const; // rows not read: this row alone is current
    bool findInTable(const QString &criteria, bool last);
    // Ends a Find: NoMatch when at is -1, else row at becomes current.
    void moveToFound(long long at);
    void cancelEdit() { m_editMode = EditMode::None; m_buffer.clear(); m_dirty.clear(); }
    void checkOpen() const;
    long long engineCount(const QString &nativeSql) const; // the first value of the first row
    int checkedIndex(int index) const;
    int checkedIndex(const QString &name) const;

    DatabasePtr m_db;
    QString m_source;
    QString m_nativeSql;   // what the set reads
    QString m_loadSql;     // the same with the rowid as last column when updatable
    QString m_updateTable; // the one table the rows (and their rowids) come from; "" for joins
    RecordsetType m_type;
    QStringList m_columns;
    QStringList m_originColumns; // column of m_updateTable behind each field, "" when computed
    QStringList m_declTypes;
    QStringList m_collations;
    QHash<QString, int> m_nameIndex; // lower-case name (and table.name) -> first field with it
    int m_stride = 0;                // cells per row: the fields, plus the rowid when updatable

    // The rows read live in blocks that stay where they are once written: a
    // large set is read with one copy of each value, where a single buffer
    // grown as the rows came copied and touched its memory about twice over.
    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t size = 0;
        size_t used = 0;
    };
    char *room(size_t bytes, size_t align) const; // in the last block, or a new one
    void clearRows() const;
    mutable std::vector<Block> m_blocks;
    mutable std::vector<Cell *> m_rowStart; // row -> its first cell
    mutable bool m_loaded = false;
    mutable long long m_pos = -1; // -1: BOF; rowCount(): EOF
    mutable bool m_currentDeleted = false;
    mutable qint64 m_pendingRowid = 0; // a row added before the rows were read
    mutable bool m_hasPending = false; // before the rows are read, m_rowStart holds just that row
    bool m_onTable = false;            // opened on a table name (rowid order, no WHERE)
    mutable std::shared_ptr<FindPlan> m_findPlan; // the last criterion, prepared for re-use in FindNext
    bool m_noMatch = false;
    enum class EditMode { None, Edit, Add } m_editMode = EditMode::None;
    QVector<QVariant> m_buffer;
    QVector<bool> m_dirty;
    qint64 m_editRowid = 0;
};

} // namespace dao
