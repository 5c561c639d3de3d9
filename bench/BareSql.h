#pragma once
// The bare SQLite statements the program's actions run, on a plain
// connection of their own, to time beside the actions.

#include <QString>

#include <string>
#include <vector>

struct sqlite3;

namespace tavbench {

// A read-only connection to a database file with the program's Jet
// functions (its LIKE) registered; closed with the object.
class BareConnection {
public:
    explicit BareConnection(const QString &file);
    ~BareConnection();
    BareConnection(const BareConnection &) = delete;
    BareConnection &operator=(const BareConnection &) = delete;

    // Runs each statement to its end, reading every column of every row;
    // returns the rows read. A statement that fails aborts.
    long long Run(const std::vector<std::string> &statements) const;

private:
    sqlite3 *m_db = nullptr;
};

// The reading statements a connection of the program runs while the object
// lives, each with its parameters filled in, in the order they end: what an
// action asked of the database, for a bare connection to run again.
// Statements that write are left out (the bare connection only reads).
class SqlTrace {
public:
    explicit SqlTrace(sqlite3 *db);
    ~SqlTrace();
    SqlTrace(const SqlTrace &) = delete;
    SqlTrace &operator=(const SqlTrace &) = delete;

    const std::vector<std::string> &Statements() const { return m_statements; }

private:
    static int onStatementEnd(unsigned type, void *self, void *statement, void *);
    sqlite3 *m_db;
    std::vector<std::string> m_statements;
};

// A Jet SQL text as SQLite runs it.
std::string Native(const QString &jet);

// The statements the grammar panel runs to show a word: a verb (its four
// conjugation tables and the auxiliary's) or a noun (beside the article).
std::vector<std::string> GrammarPanelStatements(long long id, bool verb);

} // namespace tavbench
