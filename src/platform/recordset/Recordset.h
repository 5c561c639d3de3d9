#pragma once
// The rows of a table or query as the database layer hands them out: a
// recordset, navigated with MoveFirst/MoveNext/EOF, searched with FindFirst
// and a Jet criterion, edited with Edit/AddNew/Update, and the errors the
// layer throws. This is what a grid or a data control binds; the connection
// that opens recordsets and runs statements (platform/dao/Dao.h) is the
// store's alone, and a library that links only this layer cannot name it.
//
// Every failure throws dao::DaoError with the engine's message and a number;
// nothing is swallowed. A recordset reads its rows when it is opened (or
// first navigated) and keeps them in memory, so no statement of it stays
// running between calls.

#include "platform/winsys/notice/Notice.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

struct sqlite3_stmt;

namespace dao {

class Database;
class Recordset;
using DatabasePtr = std::shared_ptr<Database>;
using RecordsetPtr = std::unique_ptr<Recordset>;

// An error of the engine or of this layer: the message the engine gave and a
// number (SQLite's extended result code, or one of the layer's own below).
class DaoError : public std::runtime_error, public winsys::WordedError {
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
    // "Error:", the number, a blank and the message (winsys::ErrorNotice).
    winsys::Notice UserNotice() const override { return winsys::ErrorNotice(m_number, m_description); }

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
    // The message says in words what happened; the engine's number means
    // nothing to the user.
    winsys::Notice UserNotice() const override
    {
        return {Description(), winsys::vbExclamation, winsys::AppTitle};
    }
};

// The way a recordset is opened. Table and Dynaset recordsets over one table
// are updatable; a Snapshot never is.
enum class RecordsetType { Table = 1, Dynaset = 2, Snapshot = 4 };

// A count made by running native statements only, translated when the job
// was made: a thread that owns a reader (Database::ReaderOpener) may run it on
// that connection while the thread that made it goes on. It gives what the
// count it was made from would have given on the connection it runs on.
template <class T>
using CountJob = std::function<T(Database &)>;

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
