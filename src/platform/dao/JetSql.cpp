#include "platform/dao/JetSql.h"

#include "platform/dao/Dao.h"

#include <QChar>
#include <QDateTime>
#include <QRegularExpression>
#include <QSet>
#include <QVector>

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace dao {

// ---------------------------------------------------------------------------
// Tokenizer shared by the translator and the SELECT analysis.
// ---------------------------------------------------------------------------
namespace {

enum class Tk { Space, Str, Bracket, Quoted, Num, Word, Op };

struct Token {
    Tk kind;
    QString text;
};

[[noreturn]] void refuse(const QString &why, const QString &sql)
{
    throw DaoError(DaoError::UnsupportedJetSql, why + QStringLiteral(" in: ") + sql);
}

bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

bool allDigits(const QString &s)
{
    for (QChar c : s)
        if (!c.isDigit())
            return false;
    return !s.isEmpty();
}

// A text in single quotes from s[i]; i moves past it. A doubled quote stays
// in the text.
Token scanSingleQuoted(const QString &s, int &i)
{
    const int n = s.size();
    const int start = i;
    ++i;
    for (;;) {
        if (i >= n)
            refuse(QStringLiteral("A text in quotes is not closed"), s);
        if (s[i] == QLatin1Char('\'')) {
            if (i + 1 < n && s[i + 1] == QLatin1Char('\'')) {
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        ++i;
    }
    return {Tk::Str, s.mid(start, i - start)};
}

// A text in double quotes from s[i]; i moves past it. Jet's come back as
// SQL literals, SQLite's (quoted names) as written.
Token scanDoubleQuoted(const QString &s, int &i, bool jet)
{
    const int n = s.size();
    const int start = i;
    ++i;
    QString content;
    for (;;) {
        if (i >= n)
            refuse(QStringLiteral("A text in double quotes is not closed"), s);
        if (s[i] == QLatin1Char('"')) {
            if (i + 1 < n && s[i + 1] == QLatin1Char('"')) {
                content += QLatin1Char('"');
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        content += s[i++];
    }
    if (jet)
        return {Tk::Str, SqlText(content)};
    return {Tk::Quoted, s.mid(start, i - start)};
}

// A digit, or a point before a digit that does not follow a name: a number
// (or a name such as 3rdLang) starts at s[i].
bool numberStarts(const QString &s, int i)
{
    const int n = s.size();
    const QChar c = s[i];
    return c.isDigit()
           || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit()
               && !(i > 0 && (isWordChar(s[i - 1]) || s[i - 1] == QLatin1Char(']') || s[i - 1] == QLatin1Char('"')
                              || s[i - 1] == QLatin1Char('`'))));
}

// A number, or a name that begins with a digit such as 3rdLang, from s[i];
// i moves past it.
Token scanNumberOrName(const QString &s, int &i)
{
    const int n = s.size();
    const int start = i;
    const QChar c = s[i];
    if (c == QLatin1Char('.'))
        ++i;
    while (i < n && isWordChar(s[i]))
        ++i;
    const QString run = s.mid(start, i - start);
    if (c == QLatin1Char('.') || allDigits(run)) {
        if (c != QLatin1Char('.') && i + 1 < n && s[i] == QLatin1Char('.') && s[i + 1].isDigit())
            ++i;
        while (i < n && s[i].isDigit())
            ++i;
        if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
            int j = i + 1;
            if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
                ++j;
            if (j < n && s[j].isDigit()) {
                i = j;
                while (i < n && s[i].isDigit())
                    ++i;
            }
        }
        return {Tk::Num, s.mid(start, i - start)};
    }
    // 1e5 is a number; 3rdLang is a name.
    static const QRegularExpression expo(QStringLiteral("^[0-9]+[eE][0-9]+$"));
    return {expo.match(run).hasMatch() ? Tk::Num : Tk::Word, run};
}

// An operator of one or two characters from s[i]; i moves past it.
Token scanOperator(const QString &s, int &i)
{
    static const char *const twoChar[] = {"<>", "<=", ">=", "!=", "==", "||", "--", "/*", "->"};
    QString op(s[i]);
    if (i + 1 < s.size()) {
        const QString two = s.mid(i, 2);
        for (const char *t : twoChar)
            if (two == QLatin1String(t))
                op = two;
    }
    i += op.size();
    return {Tk::Op, op};
}

// Splits a Jet (or SQLite) statement into tokens. Jet's double-quoted string
// literals come back as single-quoted SQL literals; everything else keeps its
// text exactly, so joining the tokens gives the statement back.
QVector<Token> tokenize(const QString &s, bool jet)
{
    QVector<Token> out;
    const int n = s.size();
    int i = 0;
    while (i < n) {
        const QChar c = s[i];
        const int start = i;
        if (c.isSpace()) {
            while (i < n && s[i].isSpace())
                ++i;
            out.push_back({Tk::Space, s.mid(start, i - start)});
        } else if (c == QLatin1Char('\'')) {
            out.push_back(scanSingleQuoted(s, i));
        } else if (c == QLatin1Char('"')) {
            out.push_back(scanDoubleQuoted(s, i, jet));
        } else if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('`');
            const int end = s.indexOf(close, i + 1);
            if (end < 0)
                refuse(QStringLiteral("A name in brackets is not closed"), s);
            i = end + 1;
            out.push_back({Tk::Bracket, s.mid(start, i - start)});
        } else if (numberStarts(s, i)) {
            out.push_back(scanNumberOrName(s, i));
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(s[i]))
                ++i;
            if (i < n && s[i] == QLatin1Char('$')) // Jet's Left$, Mid$ ...
                ++i;
            out.push_back({Tk::Word, s.mid(start, i - start)});
        } else {
            out.push_back(scanOperator(s, i));
        }
    }
    return out;
}

bool isWord(const Token &t, const char *word)
{
    return t.kind == Tk::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isOp(const Token &t, const char *op) { return t.kind == Tk::Op && t.text == QLatin1String(op); }

bool isName(const Token &t) { return t.kind == Tk::Word || t.kind == Tk::Bracket || t.kind == Tk::Quoted; }

// Jet functions SQLite does not have (or has with another meaning).
const QSet<QString> &jetOnlyFunctions()
{
    static const QSet<QString> names = [] {
        QSet<QString> s;
        for (const char *f : {"iif", "nz", "format", "format$", "instr", "instrrev", "mid", "mid$", "left",
                              "left$", "right", "right$", "ucase", "ucase$", "lcase", "lcase$", "len", "val",
                              "str", "str$", "cstr", "cint", "clng", "cdbl", "csng", "cbool", "cdate", "cvar",
                              "ccur", "datevalue", "timevalue", "dateserial", "dateadd", "datediff", "datepart",
                              "year", "month", "day", "hour", "minute", "second", "weekday", "dlookup",
                              "dcount", "dsum", "dmax", "dmin", "dfirst", "dlast", "switch", "choose", "isnull",
                              "isnumeric", "isdate", "strcomp", "strconv", "space", "space$", "string",
                              "string$", "asc", "chr", "chr$", "fix", "int", "sgn", "date", "time", "first",
                              "last", "stdev", "stdevp", "var", "varp", "replace", "round", "sqr", "rnd",
                              "trim$", "ltrim$", "rtrim$"})
            s.insert(QString::fromLatin1(f));
        return s;
    }();
    return names;
}

} // namespace

// ---------------------------------------------------------------------------
// Translation
// ---------------------------------------------------------------------------
namespace {

// A statement's tokens with the indexes of the significant ones (all but
// spaces), for looking back and ahead across spaces: S(k) is the k-th
// significant token.
class Significant {
public:
    explicit Significant(QVector<Token> &toks) : m_toks(toks)
    {
        for (int i = 0; i < toks.size(); ++i)
            if (toks[i].kind != Tk::Space)
                m_sig.push_back(i);
    }
    int size() const { return m_sig.size(); }
    Token &operator()(int k) { return m_toks[m_sig[k]]; }
    // Empties the k-th significant token, and the space after it if asked.
    void drop(int k, bool withSpaceAfter)
    {
        m_toks[m_sig[k]].text.clear();
        if (withSpaceAfter && m_sig[k] + 1 < m_toks.size() && m_toks[m_sig[k] + 1].kind == Tk::Space)
            m_toks[m_sig[k] + 1].text.clear();
    }

private:
    QVector<Token> &m_toks;
    QVector<int> m_sig;
};

// Refuses the constructs that would run with another meaning in SQLite.
void refuseJetOnly(Significant &S, const QString &jetSql)
{
    const int m = S.size();
    for (int k = 0; k < m; ++k) {
        const Token &t = S(k);
        if (t.kind == Tk::Op) {
            if (t.text == QLatin1String("&"))
                refuse(QStringLiteral("Jet's & concatenation is not supported"), jetSql);
            if (t.text == QLatin1String("#"))
                refuse(QStringLiteral("Jet #date# literals are not supported; write dates as ISO text"), jetSql);
            if (t.text == QLatin1String("?") || t.text == QLatin1String(":") || t.text == QLatin1String("@")
                || t.text == QLatin1String("$"))
                refuse(QStringLiteral("Parameters are not supported; put values in with SqlText"), jetSql);
            if (t.text == QLatin1String("!") || t.text == QLatin1String("!="))
                refuse(QStringLiteral("The ! operator is not supported"), jetSql);
            if (t.text == QLatin1String("--") || t.text == QLatin1String("/*"))
                refuse(QStringLiteral("\"--\" and \"/*\" would start a comment"), jetSql);
            if (t.text == QLatin1String("\\") || t.text == QLatin1String("^"))
                refuse(QStringLiteral("Jet's \\ and ^ operators are not supported"), jetSql);
            if (t.text == QLatin1String("+")
                && ((k > 0 && S(k - 1).kind == Tk::Str) || (k + 1 < m && S(k + 1).kind == Tk::Str)))
                refuse(QStringLiteral("Jet's + concatenation of texts is not supported"), jetSql);
        } else if (t.kind == Tk::Word) {
            if (isWord(t, "Mod") || isWord(t, "Eqv") || isWord(t, "Imp") || isWord(t, "Xor"))
                refuse(QStringLiteral("The Jet operator ") + t.text + QStringLiteral(" is not supported"), jetSql);
            if (isWord(t, "TOP") || isWord(t, "DISTINCTROW") || isWord(t, "TRANSFORM") || isWord(t, "PIVOT")
                || isWord(t, "PARAMETERS"))
                refuse(QStringLiteral("Jet's ") + t.text.toUpper() + QStringLiteral(" is not supported"), jetSql);
            const bool call = k + 1 < m && isOp(S(k + 1), "(") && !(k > 0 && isOp(S(k - 1), "."));
            if (call && jetOnlyFunctions().contains(t.text.toLower()))
                refuse(QStringLiteral("The Jet function ") + t.text + QStringLiteral("() is not supported"),
                       jetSql);
        }
    }
}

// DELETE * FROM / DELETE T.* FROM -> DELETE FROM.
void dropDeleteStar(Significant &S)
{
    const int m = S.size();
    for (int k = 0; k + 1 < m; ++k) {
        if (!isWord(S(k), "DELETE"))
            continue;
        if (isOp(S(k + 1), "*") && k + 2 < m && isWord(S(k + 2), "FROM")) {
            S.drop(k + 1, true);
        } else if (k + 4 < m && isName(S(k + 1)) && isOp(S(k + 2), ".") && isOp(S(k + 3), "*")
                   && isWord(S(k + 4), "FROM")) {
            S.drop(k + 1, false);
            S.drop(k + 2, false);
            S.drop(k + 3, true);
        }
    }
}

// UPDATE T SET T.col = ..., T.col2 = ... -> unqualified targets.
void unqualifyUpdateTargets(Significant &S, const QString &jetSql)
{
    const int m = S.size();
    for (int k = 0; k < m; ++k) {
        if (!isWord(S(k), "UPDATE"))
            continue;
        int depth = 0;
        int j = k + 1;
        for (; j < m; ++j) {
            if (isOp(S(j), "("))
                ++depth;
            else if (isOp(S(j), ")"))
                --depth;
            else if (depth == 0 && isWord(S(j), "SET"))
                break;
            else if (depth == 0 && isWord(S(j), "JOIN"))
                refuse(QStringLiteral("An UPDATE over a join is not supported"), jetSql);
        }
        bool assignmentStart = true;
        for (++j; j < m; ++j) {
            const Token &t = S(j);
            if (isOp(t, "("))
                ++depth;
            else if (isOp(t, ")"))
                --depth;
            if (depth == 0 && (isWord(t, "WHERE") || isOp(t, ";")))
                break;
            if (assignmentStart && j + 3 < m && isName(t) && isOp(S(j + 1), ".") && isName(S(j + 2))
                && isOp(S(j + 3), "=")) {
                S.drop(j, false);
                S.drop(j + 1, false);
            }
            assignmentStart = depth == 0 && isOp(t, ",");
        }
        k = j;
    }
}

// Names that begin with a digit and Index are quoted, aliases after AS too;
// the words True and False become the numbers Jet stores.
void quoteNamesAndTruth(Significant &S)
{
    const int m = S.size();
    for (int k = 0; k < m; ++k) {
        Token &t = S(k);
        if (t.kind != Tk::Word || t.text.isEmpty())
            continue;
        const bool qualified = k > 0 && isOp(S(k - 1), ".");
        const bool call = k + 1 < m && isOp(S(k + 1), "(");
        if (t.text[0].isDigit()) {
            t.text = SqlName(t.text);
        } else if (isWord(t, "Index")) {
            const bool ddl = k > 0 && (isWord(S(k - 1), "CREATE") || isWord(S(k - 1), "UNIQUE") || isWord(S(k - 1), "DROP"));
            if (!ddl)
                t.text = SqlName(t.text);
        } else if (!qualified && !call && isWord(t, "True")) {
            t.text = QStringLiteral("-1");
        } else if (!qualified && !call && isWord(t, "False")) {
            t.text = QStringLiteral("0");
        } else if (isWord(t, "AS") && k + 1 < m && S(k + 1).kind == Tk::Word && !isWord(S(k + 1), "SELECT")
                   && !S(k + 1).text[0].isDigit()) {
            S(k + 1).text = SqlName(S(k + 1).text);
            ++k;
        }
    }
}

} // namespace

QString TranslateJet(const QString &jetSql)
{
    QVector<Token> toks = tokenize(jetSql, true);
    Significant S(toks);
    refuseJetOnly(S, jetSql); // refusals first
    dropDeleteStar(S);
    unqualifyUpdateTargets(S, jetSql);
    quoteNamesAndTruth(S);

    QString out;
    out.reserve(jetSql.size() + 16);
    for (const Token &t : toks)
        out += t.text;
    return out;
}

SelectShape AnalyseSelect(const QString &nativeSql)
{
    SelectShape shape;
    const QVector<Token> toks = tokenize(nativeSql, false);
    QVector<int> offset; // character offset of each token
    QVector<int> sig;
    int pos = 0;
    for (int i = 0; i < toks.size(); ++i) {
        offset.push_back(pos);
        pos += toks[i].text.size();
        if (toks[i].kind != Tk::Space)
            sig.push_back(i);
    }
    if (sig.isEmpty() || !isWord(toks[sig[0]], "SELECT"))
        return shape;
    bool single = true;
    int depth = 0;
    bool inFrom = false;
    int fromNames = 0;
    for (int k = 0; k < sig.size(); ++k) {
        const Token &t = toks[sig[k]];
        if (isOp(t, "(")) {
            if (inFrom && depth == 0)
                single = false; // a subquery or a function in FROM
            ++depth;
            continue;
        }
        if (isOp(t, ")")) {
            --depth;
            continue;
        }
        if (depth != 0)
            continue;
        if (isWord(t, "DISTINCT") || isWord(t, "GROUP") || isWord(t, "HAVING") || isWord(t, "UNION")
            || isWord(t, "INTERSECT") || isWord(t, "EXCEPT") || isWord(t, "WINDOW") || isWord(t, "VALUES"))
            single = false;
        if (isWord(t, "FROM") && shape.fromPos < 0) {
            shape.fromPos = offset[sig[k]];
            inFrom = true;
            continue;
        }
        if (inFrom) {
            if (isWord(t, "WHERE") || isWord(t, "ORDER") || isWord(t, "LIMIT") || isWord(t, "GROUP")) {
                inFrom = false;
            } else if (isOp(t, ",") || isWord(t, "JOIN") || isWord(t, "ON") || isWord(t, "USING")) {
                single = false;
            } else if (isName(t)) {
                ++fromNames;
            }
        }
    }
    // "FROM T" or "FROM T AS A" / "FROM T A".
    shape.singleTable = single && shape.fromPos >= 0 && fromNames >= 1 && fromNames <= 3;
    return shape;
}

// ---------------------------------------------------------------------------
// Jet's Like
// ---------------------------------------------------------------------------
namespace {

// One compiled pattern: segments between the stars, each a fixed run of
// one-character atoms, so a leftmost match of each middle segment is the
// right one and matching never backtracks.
struct Atom {
    enum Kind : unsigned char { Lit, Any, Digit, Class, Empty } kind;
    char32_t ch = 0; // Lit: the case-folded character; Class: index
};

struct CharClass {
    bool negate = false;
    struct Range {
        char32_t lo, hi, flo, fhi;
    };
    std::vector<Range> ranges;
    bool ascii[128] = {}; // the answer for ASCII characters, both cases included

    bool matches(char32_t folded) const
    {
        bool in = false;
        const char32_t up = QChar::toUpper(folded);
        for (const Range &r : ranges)
            if ((folded >= r.lo && folded <= r.hi) || (folded >= r.flo && folded <= r.fhi)
                || (up >= r.lo && up <= r.hi)) {
                in = true;
                break;
            }
        return in != negate;
    }
};

struct Segment {
    std::vector<Atom> atoms;
    bool plainAscii = true; // only ASCII literals: the fast byte search applies
    std::string bytes;      // the folded literals when plainAscii
};

} // namespace

struct CompiledLike {
    std::vector<Segment> segs; // split at '*'; segs.size() == stars + 1
    std::vector<CharClass> classes;
    bool ascii = true; // every literal and class of the pattern is ASCII
};

namespace {

unsigned char g_fold[256];
const bool g_foldInit = [] {
    for (int i = 0; i < 256; ++i)
        g_fold[i] = (i >= 'A' && i <= 'Z') ? static_cast<unsigned char>(i + 32) : static_cast<unsigned char>(i);
    return true;
}();

inline char32_t foldChar(char32_t c)
{
    if (c < 128)
        return g_fold[c];
    return QChar::toCaseFolded(c);
}

// Decodes UTF-8; a broken sequence gives U+FFFD for its first byte.
template <typename Out>
void decodeUtf8(const unsigned char *s, size_t n, Out &&put)
{
    size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        char32_t c;
        size_t len;
        if (b < 0x80) {
            c = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            len = 4;
        } else {
            put(char32_t(0xFFFD));
            ++i;
            continue;
        }
        if (i + len > n) {
            put(char32_t(0xFFFD));
            ++i;
            continue;
        }
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (s[i + k] & 0x3F);
        }
        if (!ok) {
            put(char32_t(0xFFFD));
            ++i;
            continue;
        }
        put(c);
        i += len;
    }
}

std::unique_ptr<CompiledLike> compileLike(const unsigned char *pat, size_t n)
{
    std::vector<char32_t> p;
    p.reserve(n);
    decodeUtf8(pat, n, [&](char32_t c) { p.push_back(c); });

    auto cl = std::make_unique<CompiledLike>();
    cl->segs.emplace_back();
    const size_t m = p.size();
    for (size_t i = 0; i < m; ++i) {
        const char32_t c = p[i];
        Segment &seg = cl->segs.back();
        if (c == U'*') {
            cl->segs.emplace_back();
        } else if (c == U'?') {
            seg.atoms.push_back({Atom::Any, 0});
        } else if (c == U'#') {
            seg.atoms.push_back({Atom::Digit, 0});
        } else if (c == U'[') {
            size_t close = i + 1;
            while (close < m && p[close] != U']')
                ++close;
            if (close >= m) { // an unmatched "[" matches itself
                seg.atoms.push_back({Atom::Lit, U'['});
                continue;
            }
            size_t k = i + 1;
            CharClass cc;
            if (k < close && p[k] == U'!') {
                cc.negate = true;
                ++k;
            }
            if (k == close && !cc.negate) { // "[]" matches the empty text
                i = close;
                continue;
            }
            while (k < close) {
                char32_t lo = p[k], hi = p[k];
                if (k + 2 < close && p[k + 1] == U'-') {
                    hi = p[k + 2];
                    k += 3;
                } else {
                    ++k;
                }
                cc.ranges.push_back({lo, hi, foldChar(lo), foldChar(hi)});
                if (lo >= 128 || hi >= 128)
                    cl->ascii = false;
            }
            for (char32_t a = 0; a < 128; ++a)
                cc.ascii[a] = cc.matches(foldChar(a));
            cl->classes.push_back(std::move(cc));
            seg.atoms.push_back({Atom::Class, char32_t(cl->classes.size() - 1)});
            i = close;
        } else {
            if (c >= 128)
                cl->ascii = false;
            seg.atoms.push_back({Atom::Lit, foldChar(c)});
        }
    }
    for (Segment &seg : cl->segs) {
        for (const Atom &a : seg.atoms) {
            if (a.kind != Atom::Lit || a.ch >= 128) {
                seg.plainAscii = false;
                break;
            }
            seg.bytes.push_back(static_cast<char>(a.ch));
        }
        if (!seg.plainAscii)
            seg.bytes.clear();
    }
    return cl;
}

// Matching over either ASCII bytes (folded while comparing) or case-folded
// code points.
template <typename Ch>
inline bool atomMatches(const CompiledLike &cl, const Atom &a, Ch c)
{
    const char32_t f = sizeof(Ch) == 1 ? char32_t(g_fold[static_cast<unsigned char>(c)]) : char32_t(c);
    switch (a.kind) {
    case Atom::Lit:
        return f == a.ch;
    case Atom::Any:
        return true;
    case Atom::Digit:
        return f >= U'0' && f <= U'9';
    case Atom::Class:
        if (sizeof(Ch) == 1)
            return cl.classes[a.ch].ascii[static_cast<unsigned char>(c) & 0x7F];
        return cl.classes[a.ch].matches(f);
    case Atom::Empty:
        return true;
    }
    return false;
}

template <typename Ch>
inline bool segmentAt(const CompiledLike &cl, const Segment &seg, const Ch *t)
{
    if (sizeof(Ch) == 1 && seg.plainAscii) {
        const char *b = seg.bytes.data();
        for (size_t i = 0, n = seg.bytes.size(); i < n; ++i)
            if (g_fold[static_cast<unsigned char>(t[i])] != static_cast<unsigned char>(b[i]))
                return false;
        return true;
    }
    for (size_t i = 0, n = seg.atoms.size(); i < n; ++i)
        if (!atomMatches(cl, seg.atoms[i], t[i]))
            return false;
    return true;
}

// Leftmost position >= from where seg matches within t[0..end), or -1.
template <typename Ch>
inline long findSegment(const CompiledLike &cl, const Segment &seg, const Ch *t, size_t from, size_t end)
{
    const size_t len = seg.atoms.size();
    if (len == 0)
        return long(from);
    if (end < len || from > end - len)
        return -1;
    const size_t last = end - len;
    if (sizeof(Ch) == 1 && seg.plainAscii) {
        const unsigned char first = static_cast<unsigned char>(seg.bytes[0]);
        const unsigned char firstUp = (first >= 'a' && first <= 'z') ? first - 32 : first;
        for (size_t p = from; p <= last; ++p) {
            const unsigned char c = static_cast<unsigned char>(t[p]);
            if ((c == first || c == firstUp) && segmentAt(cl, seg, t + p))
                return long(p);
        }
        return -1;
    }
    for (size_t p = from; p <= last; ++p)
        if (segmentAt(cl, seg, t + p))
            return long(p);
    return -1;
}

template <typename Ch>
bool matchText(const CompiledLike &cl, const Ch *t, size_t n)
{
    const auto &segs = cl.segs;
    const Segment &first = segs.front();
    if (segs.size() == 1)
        return n == first.atoms.size() && segmentAt(cl, first, t);
    const Segment &lastSeg = segs.back();
    const size_t a = first.atoms.size(), z = lastSeg.atoms.size();
    if (n < a + z)
        return false;
    if (!segmentAt(cl, first, t) || !segmentAt(cl, lastSeg, t + (n - z)))
        return false;
    size_t pos = a;
    const size_t end = n - z;
    for (size_t s = 1; s + 1 < segs.size(); ++s) {
        const long at = findSegment(cl, segs[s], t, pos, end);
        if (at < 0)
            return false;
        pos = size_t(at) + segs[s].atoms.size();
    }
    return true;
}

inline bool isAsciiText(const unsigned char *s, size_t n)
{
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 w;
        std::memcpy(&w, s + i, 8);
        if (w & 0x8080808080808080ULL)
            return false;
    }
    for (; i < n; ++i)
        if (s[i] & 0x80)
            return false;
    return true;
}

bool matchUtf8(const CompiledLike &cl, const unsigned char *s, size_t n)
{
    if (isAsciiText(s, n))
        return matchText(cl, reinterpret_cast<const char *>(s), n);
    thread_local std::vector<char32_t> buf;
    buf.clear();
    decodeUtf8(s, n, [](char32_t c) { buf.push_back(foldChar(c)); });
    return matchText(cl, buf.data(), buf.size());
}

void deleteCompiled(void *p) { delete static_cast<CompiledLike *>(p); }

// like(pattern, text): SQLite calls this for "text LIKE pattern".
void likeFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL
    const CompiledLike *cl = static_cast<const CompiledLike *>(sqlite3_get_auxdata(ctx, 0));
    std::unique_ptr<CompiledLike> fresh;
    if (!cl) {
        const unsigned char *pat = sqlite3_value_text(argv[0]);
        const int plen = sqlite3_value_bytes(argv[0]);
        fresh = compileLike(pat ? pat : reinterpret_cast<const unsigned char *>(""), size_t(plen));
        cl = fresh.get();
    }
    const unsigned char *txt = sqlite3_value_text(argv[1]);
    const int tlen = sqlite3_value_bytes(argv[1]);
    const bool hit = matchUtf8(*cl, txt ? txt : reinterpret_cast<const unsigned char *>(""), size_t(tlen));
    if (fresh)
        sqlite3_set_auxdata(ctx, 0, fresh.release(), deleteCompiled);
    sqlite3_result_int(ctx, hit ? 1 : 0);
}

// now(): the local date and time as ISO-8601 text, the form dates are stored in.
void nowFunction(sqlite3_context *ctx, int, sqlite3_value **)
{
    const QByteArray s = QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8();
    sqlite3_result_text(ctx, s.constData(), int(s.size()), SQLITE_TRANSIENT);
}

// runs(v): the number of runs of equal values along the rows in the order
// they reach it (same type and same bytes); 0 for no rows. The previous
// value is kept in a buffer of the state's own that grows to the longest
// value, so a row that starts a new run costs a copy, not an allocation.
struct RunsState {
    bool started;
    int type;
    sqlite3_int64 i;
    double d;
    char *bytes;
    int length;
    int capacity;
    sqlite3_int64 runs;
};

bool sameAsPrevious(const RunsState &state, sqlite3_value *v)
{
    const int type = sqlite3_value_type(v);
    if (type != state.type)
        return false;
    switch (type) {
    case SQLITE_INTEGER:
        return sqlite3_value_int64(v) == state.i;
    case SQLITE_FLOAT:
        return sqlite3_value_double(v) == state.d;
    case SQLITE_NULL:
        return true;
    default: {
        const void *x = type == SQLITE_TEXT ? static_cast<const void *>(sqlite3_value_text(v)) : sqlite3_value_blob(v);
        const int n = sqlite3_value_bytes(v);
        return n == state.length && (n == 0 || std::memcmp(x, state.bytes, size_t(n)) == 0);
    }
    }
}

// Keeps v as the previous value; false when memory ran out.
bool keepAsPrevious(RunsState &state, sqlite3_value *v)
{
    state.type = sqlite3_value_type(v);
    if (state.type == SQLITE_INTEGER) {
        state.i = sqlite3_value_int64(v);
    } else if (state.type == SQLITE_FLOAT) {
        state.d = sqlite3_value_double(v);
    } else if (state.type != SQLITE_NULL) {
        const void *x = state.type == SQLITE_TEXT ? static_cast<const void *>(sqlite3_value_text(v))
                                                  : sqlite3_value_blob(v);
        const int n = sqlite3_value_bytes(v);
        if (n > state.capacity) {
            const int capacity = std::max(n, 2 * state.capacity);
            char *grown = static_cast<char *>(sqlite3_realloc(state.bytes, capacity));
            if (!grown)
                return false;
            state.bytes = grown;
            state.capacity = capacity;
        }
        if (n > 0)
            std::memcpy(state.bytes, x, size_t(n));
        state.length = n;
    }
    return true;
}

void runsStep(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    auto *state = static_cast<RunsState *>(sqlite3_aggregate_context(ctx, sizeof(RunsState)));
    if (!state) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    if (state->started && sameAsPrevious(*state, argv[0]))
        return;
    ++state->runs;
    state->started = true;
    if (!keepAsPrevious(*state, argv[0]))
        sqlite3_result_error_nomem(ctx);
}

void runsFinal(sqlite3_context *ctx)
{
    auto *state = static_cast<RunsState *>(sqlite3_aggregate_context(ctx, 0));
    sqlite3_result_int64(ctx, state ? state->runs : 0);
    if (state)
        sqlite3_free(state->bytes);
}

} // namespace

bool JetLike(const QString &text, const QString &pattern) { return LikePattern(pattern).Matches(text); }

LikePattern::LikePattern(const QString &pattern)
{
    const QByteArray p = pattern.toUtf8();
    m_compiled = compileLike(reinterpret_cast<const unsigned char *>(p.constData()), size_t(p.size()));
}

LikePattern::~LikePattern() = default;
LikePattern::LikePattern(LikePattern &&) noexcept = default;
LikePattern &LikePattern::operator=(LikePattern &&) noexcept = default;

bool LikePattern::Matches(const QString &text) const
{
    const QByteArray t = text.toUtf8();
    return matchUtf8(*m_compiled, reinterpret_cast<const unsigned char *>(t.constData()), size_t(t.size()));
}

void RegisterJetFunctions(sqlite3 *db)
{
    int rc = sqlite3_create_function_v2(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                        nullptr, likeFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "now", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr, nowFunction,
                                        nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "runs", 1, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr, nullptr, runsStep,
                                        runsFinal, nullptr);
    if (rc != SQLITE_OK)
        throw DaoError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace dao
