#pragma once
// Jet SQL as the store writes it, turned into SQLite SQL in one place.
//
// Translated: "DELETE * FROM", a qualified target after SET ("SET Main.Art ="),
// identifiers that begin with a digit ("3rdLang") and the name Index, an alias
// after AS, the words True/False (-1/0), double-quoted string literals.
// Like keeps its Jet meaning through the like() function that every
// connection registers (JetLike below). Anything the translator does not
// understand, such as "&" concatenation, is refused with a DaoError.

#include <QString>

#include <memory>

struct sqlite3;

namespace dao {

// Returns the SQLite text for a Jet statement or criterion; throws DaoError
// (UnsupportedJetSql) for a construct it does not translate.
QString TranslateJet(const QString &jetSql);

// Jet's Like: "*" any run, "?" one character, "#" one digit, "[abc]", "[a-z]",
// "[!x]"; case-insensitive. A "[" without its "]" matches itself.
bool JetLike(const QString &text, const QString &pattern);

// A Like pattern compiled once, for matching many texts (a grid searched row
// by row): Matches(text) gives what JetLike(text, pattern) gives.
struct CompiledLike;
class LikePattern {
public:
    explicit LikePattern(const QString &pattern);
    ~LikePattern();
    LikePattern(LikePattern &&) noexcept;
    LikePattern &operator=(LikePattern &&) noexcept;
    bool Matches(const QString &text) const;

private:
    std::unique_ptr<const CompiledLike> m_compiled;
};

// What a recordset needs to know of a native SELECT: where its top-level FROM
// begins (-1 when it has none) and whether it reads exactly one table without
// grouping, DISTINCT or a compound (then its rows can be written back).
struct SelectShape {
    int fromPos = -1;
    bool singleTable = false;
};
SelectShape AnalyseSelect(const QString &nativeSql);

// Registers like() and the other Jet functions the store uses on a connection.
// Also registers now(), the local date and time as ISO-8601 text, and the
// aggregate runs(v), the number of runs of equal values (same type and bytes)
// along the rows in the order they reach it.
void RegisterJetFunctions(sqlite3 *db);

} // namespace dao
