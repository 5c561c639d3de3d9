#pragma once
// The database layer's own calls into SQLite, shared by its parts: the
// connection (Dao.cpp), its native queries and table definitions
// (DatabaseQueries.cpp) and the recordsets (platform/recordset/Recordset.cpp).
// Nothing outside those two folders includes this header.

#include "platform/dao/Dao.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <initializer_list>

#include <sqlite3.h>

namespace dao::engine {

// The hidden column a recordset reads each row's rowid into.
inline constexpr char kRowidColumn[] = "__tav_rowid";
// How long a connection waits for another one's lock before it gives up.
inline constexpr int kBusyTimeoutMs = 5000;

// A prepared statement that is always finalized, so none stays open.
struct Stmt {
    sqlite3_stmt *st = nullptr;
    Stmt() = default;
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;
    ~Stmt() { sqlite3_finalize(st); }
};

// A connection handle that is closed unless it is released.
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

// Throws the connection's last error, with the statement that caused it.
[[noreturn]] void throwDb(sqlite3 *db, const QString &sql);
// "[Main]" -> "Main".
QString unbracket(const QString &name);
// True when what is left after a statement is only blanks and semicolons.
bool onlySeparators(const char *tail);
// Prepares sql into s, throwing the engine's error; tail gets what follows
// the first statement.
void prepare(sqlite3 *db, const QByteArray &sql, Stmt &s, const char **tail = nullptr);
// Values as they are stored: Yes/No as -1/0 (Jet's True), dates and times as
// ISO-8601 text.
QVariant storedForm(const QVariant &v);
// Binds a value as it is stored to parameter i of st.
void bindVariant(sqlite3 *db, sqlite3_stmt *st, int i, const QVariant &value, const QString &sql);
// Column c of st's current row as a variant.
QVariant columnValue(sqlite3_stmt *st, int c);
// Settings every connection gets: extended codes, a busy timeout, the Jet
// functions; a connection that may write commits each transaction to the
// disk before the commit returns (synchronous FULL).
void configure(sqlite3 *db, const QString &path, bool readOnly);
// The journal mode of a connection ("delete", "wal", ...); reading it
// changes nothing.
QString journalMode(sqlite3 *db);
// Why the file could not be written, in plain words; the engine's own words
// where there are none better.
QString StorageFailureReason(int code, const QString &engineMessage);
// Result codes that mean the file itself could not be written (or read back
// while writing), as opposed to a statement the engine refused.
bool isStorageFailure(int code);
// The column type a field of the given type is created with.
QString columnTypeSql(FieldType type);
// True when the statement's first word (past opening brackets) is one of words.
bool firstWordIs(const QString &sql, std::initializer_list<const char *> words);
// The statement without blanks and semicolons at its ends.
QString stripSemicolons(QString sql);
// The CAST that gives a bound value the affinity of a column declared as decl
// (SQLite's rules of type affinity); empty for no affinity.
QString affinityCast(const QString &decl);
[[noreturn]] void noCurrentRecord();

} // namespace dao::engine
