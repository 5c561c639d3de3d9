#include "GeneratedWordDb.h"

#include "store/SortsAndArrays.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavbench {

namespace {

struct Db {
    sqlite3 *db = nullptr;
    ~Db() { sqlite3_close(db); }
};

struct Stmt {
    sqlite3_stmt *st = nullptr;
    ~Stmt() { sqlite3_finalize(st); }
};

[[noreturn]] void fail(sqlite3 *db, const std::string &what)
{
    throw std::runtime_error(what + ": " + (db ? sqlite3_errmsg(db) : "no connection"));
}

void exec(sqlite3 *db, const std::string &sql)
{
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db, sql);
}

void prepare(sqlite3 *db, const std::string &sql, Stmt &s)
{
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s.st, nullptr) != SQLITE_OK)
        fail(db, sql);
}

std::string sqlName(const std::string &name) { return "\"" + name + "\""; }

std::string lower(std::string s)
{
    for (char &c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct Value {
    int type = SQLITE_NULL;
    sqlite3_int64 i = 0;
    double d = 0;
    std::string s; // text or blob bytes
};
using Row = std::vector<Value>;

// What the generator does with a column of a word table.
enum class Role { Keep, Id, SortKey, EnglishMeanings, SwedishMeanings, Greek };

struct WordTable {
    std::string name;
    std::vector<Role> roles;
    std::map<sqlite3_int64, std::vector<Row>> rowsOfWord; // model word ID -> its rows
};

Role roleOf(const std::string &table, const std::string &column)
{
    const std::string c = lower(column);
    if (c == "id")
        return Role::Id;
    if (c == "sal")
        return Role::SortKey;
    if (c == "lat" || c == "english")
        return lower(table).find("swedish") != std::string::npos ? Role::SwedishMeanings : Role::EnglishMeanings;
    static const std::set<std::string> plain = {"wt", "art", "gentem", "kasper", "means", "remarks", "remarks2",
                                                "madedate"};
    if (plain.count(c) || c.rfind("spare", 0) == 0)
        return Role::Keep;
    return Role::Greek;
}

// The k-th word (k >= 1) over an alphabet of parts, written in bijective
// base n: 1 -> parts[0], n -> parts[n-1], n+1 -> parts[0] parts[0] ...
std::string partsWord(const std::vector<std::string> &parts, int k)
{
    std::string word;
    const int n = int(parts.size());
    while (k > 0) {
        --k;
        word = parts[size_t(k % n)] + word;
        k /= n;
    }
    return word;
}

// Syllables in the program's Latin keys; their initials cover all 24 letters.
const std::vector<std::string> kGreekParts = {
    "ka", "po", "ti", "me", "la", "ro", "si", "nu", "ba", "de", "ge", "zo", "qe", "xi", "fa", "ce", "yu", "ko",
    "pe", "to", "mi", "le", "ri", "so", "na", "bo", "da", "gi", "zi", "qi", "a", "e", "i", "o", "h", "w", "u"};
const std::vector<std::string> kEnglishParts = {
    "re", "un", "over", "out", "sub", "pre", "co", "mid", "non", "anti", "semi", "mis", "under", "up", "down",
    "fore", "inter", "post", "super", "tri", "bi", "multi", "micro", "macro", "neo", "pro", "counter", "extra",
    "hyper", "ultra"};
const std::vector<std::string> kSwedishParts = {
    "be", "för", "om", "av", "an", "till", "upp", "ut", "in", "på", "åter", "över", "under", "efter", "mot", "med",
    "bort", "fram", "sam", "miss", "o", "när", "sär", "hem", "här", "dit", "ned", "kring", "vid", "ånyo"};

// Greek text with the copy's prefix; a capital initial stays the initial.
std::string greekCopy(const std::string &text, const std::string &prefix)
{
    if (prefix.empty() || text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return text;
    if (std::isupper(static_cast<unsigned char>(text[0]))) {
        std::string p = prefix;
        p[0] = char(std::toupper(static_cast<unsigned char>(p[0])));
        return p + char(std::tolower(static_cast<unsigned char>(text[0]))) + text.substr(1);
    }
    return prefix + text;
}

// Every ", "-separated meaning with the copy's prefix.
std::string meaningsCopy(const std::string &text, const std::string &prefix)
{
    if (prefix.empty() || text.empty())
        return text;
    std::string out;
    size_t from = 0;
    while (true) {
        const size_t comma = text.find(", ", from);
        out += prefix + text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (comma == std::string::npos)
            break;
        out += ", ";
        from = comma + 2;
    }
    return out;
}

Value readValue(sqlite3_stmt *st, int c)
{
    Value v;
    v.type = sqlite3_column_type(st, c);
    if (v.type == SQLITE_INTEGER)
        v.i = sqlite3_column_int64(st, c);
    else if (v.type == SQLITE_FLOAT)
        v.d = sqlite3_column_double(st, c);
    else if (v.type == SQLITE_TEXT)
        v.s = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
    else if (v.type == SQLITE_BLOB)
        v.s.assign(static_cast<const char *>(sqlite3_column_blob(st, c)), size_t(sqlite3_column_bytes(st, c)));
    return v;
}

void bindValue(sqlite3_stmt *st, int at, const Value &v)
{
    switch (v.type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(st, at, v.i);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(st, at, v.d);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(st, at, v.s.data(), int(v.s.size()), SQLITE_TRANSIENT);
        break;
    case SQLITE_BLOB:
        sqlite3_bind_blob(st, at, v.s.data(), int(v.s.size()), SQLITE_TRANSIENT);
        break;
    default:
        sqlite3_bind_null(st, at);
    }
}

std::vector<std::string> wordTableNames(sqlite3 *db)
{
    std::vector<std::string> names;
    Stmt s;
    prepare(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid", s);
    while (sqlite3_step(s.st) == SQLITE_ROW)
        names.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(s.st, 0)));
    std::vector<std::string> withId;
    for (const auto &name : names) {
        Stmt info;
        prepare(db, "SELECT 1 FROM pragma_table_info(?1) WHERE name = 'ID' COLLATE NOCASE", info);
        sqlite3_bind_text(info.st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(info.st) == SQLITE_ROW)
            withId.push_back(name);
    }
    return withId;
}

WordTable readWordTable(sqlite3 *db, const std::string &name)
{
    WordTable t;
    t.name = name;
    Stmt s;
    prepare(db, "SELECT * FROM " + sqlName(name) + " WHERE ID IN (SELECT ID FROM Main) ORDER BY rowid", s);
    const int columns = sqlite3_column_count(s.st);
    int idColumn = -1;
    for (int c = 0; c < columns; ++c) {
        t.roles.push_back(roleOf(name, sqlite3_column_name(s.st, c)));
        if (t.roles.back() == Role::Id)
            idColumn = c;
    }
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        Row row;
        for (int c = 0; c < columns; ++c)
            row.push_back(readValue(s.st, c));
        t.rowsOfWord[row[size_t(idColumn)].i].push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        fail(db, "reading " + name);
    return t;
}

} // namespace

void WriteGeneratedWordDb(const QString &model, const QString &path, int words)
{
    if (QFile::exists(path))
        throw std::runtime_error("the file exists: " + path.toStdString());
    if (!QFile::copy(model, path))
        throw std::runtime_error("cannot copy " + model.toStdString() + " to " + path.toStdString());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    Db d;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &d.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail(d.db, "opening " + path.toStdString());
    exec(d.db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");

    // The model's words, in ID order, with their rows in every word table.
    std::vector<std::pair<sqlite3_int64, std::string>> modelWords;
    {
        Stmt s;
        prepare(d.db, "SELECT ID, Greek FROM Main ORDER BY ID", s);
        while (sqlite3_step(s.st) == SQLITE_ROW) {
            const unsigned char *greek = sqlite3_column_text(s.st, 1);
            modelWords.emplace_back(sqlite3_column_int64(s.st, 0), greek ? reinterpret_cast<const char *>(greek) : "");
        }
    }
    if (modelWords.empty())
        throw std::runtime_error("the model has no words: " + model.toStdString());
    std::vector<WordTable> tables;
    std::set<sqlite3_int64> keptIds; // IDs of rows that belong to no word
    for (const auto &name : wordTableNames(d.db)) {
        tables.push_back(readWordTable(d.db, name));
        Stmt s;
        prepare(d.db, "SELECT DISTINCT ID FROM " + sqlName(name) + " WHERE ID NOT IN (SELECT ID FROM Main)", s);
        while (sqlite3_step(s.st) == SQLITE_ROW)
            keptIds.insert(sqlite3_column_int64(s.st, 0));
    }

    exec(d.db, "BEGIN");
    // Main last: the others find their word rows through it.
    for (auto it = tables.rbegin(); it != tables.rend(); ++it)
        if (lower(it->name) != "main")
            exec(d.db, "DELETE FROM " + sqlName(it->name) + " WHERE ID IN (SELECT ID FROM Main)");
    exec(d.db, "DELETE FROM Main");

    std::vector<std::unique_ptr<Stmt>> inserts;
    for (const WordTable &t : tables) {
        std::string marks;
        for (size_t c = 0; c < t.roles.size(); ++c)
            marks += c ? ",?" : "?";
        inserts.push_back(std::make_unique<Stmt>());
        prepare(d.db, "INSERT INTO " + sqlName(t.name) + " VALUES (" + marks + ")", *inserts.back());
    }

    sqlite3_int64 nextId = 1;
    int made = 0;
    for (int copy = 0; made < words; ++copy) {
        const std::string greekPrefix = copy ? partsWord(kGreekParts, copy) : std::string();
        const std::string englishPrefix = copy ? partsWord(kEnglishParts, copy) : std::string();
        const std::string swedishPrefix = copy ? partsWord(kSwedishParts, copy) : std::string();
        for (const auto &[modelId, modelGreek] : modelWords) {
            if (made == words)
                break;
            while (keptIds.count(nextId))
                ++nextId;
            const sqlite3_int64 id = nextId++;
            ++made;
            const std::string greek = greekCopy(modelGreek, greekPrefix);
            const std::string sal = tav::SortsObj.TavGreSort(QString::fromStdString(greek)).toStdString();
            for (size_t t = 0; t < tables.size(); ++t) {
                const auto found = tables[t].rowsOfWord.find(modelId);
                if (found == tables[t].rowsOfWord.end())
                    continue;
                sqlite3_stmt *st = inserts[t]->st;
                for (const Row &row : found->second) {
                    for (size_t c = 0; c < row.size(); ++c) {
                        Value v = row[c];
                        const Role role = tables[t].roles[c];
                        if (role == Role::Id) {
                            v.type = SQLITE_INTEGER;
                            v.i = id;
                        } else if (v.type != SQLITE_TEXT) {
                            // numbers, yes/no values and Nulls stay
                        } else if (role == Role::SortKey) {
                            v.s = sal;
                        } else if (role == Role::EnglishMeanings) {
                            v.s = meaningsCopy(v.s, englishPrefix);
                        } else if (role == Role::SwedishMeanings) {
                            v.s = meaningsCopy(v.s, swedishPrefix);
                        } else if (role == Role::Greek) {
                            v.s = greekCopy(v.s, greekPrefix);
                        }
                        bindValue(st, int(c) + 1, v);
                    }
                    if (sqlite3_step(st) != SQLITE_DONE)
                        fail(d.db, "writing " + tables[t].name);
                    sqlite3_reset(st);
                }
            }
        }
    }
    inserts.clear();
    exec(d.db, "COMMIT");
    exec(d.db, "PRAGMA journal_mode = DELETE");
}

QString ShippedWordDbPath() { return QStringLiteral(TAV_FRESH_DB); }

QString GeneratedWordDbPath(int words)
{
    static QMutex mutex;
    static QTemporaryDir dir;
    static QHash<int, QString> made;
    QMutexLocker lock(&mutex);
    if (const auto it = made.constFind(words); it != made.constEnd())
        return it.value();
    const QString kept = qEnvironmentVariable("TAV_BENCH_DB_DIR");
    if (kept.isEmpty() && !dir.isValid())
        throw std::runtime_error("no temporary folder");
    const QString name = QStringLiteral("TavWrd-%1.twl").arg(words);
    const QString path = kept.isEmpty() ? dir.filePath(name) : QDir(kept).filePath(name);
    if (kept.isEmpty() || !QFile::exists(path))
        WriteGeneratedWordDb(ShippedWordDbPath(), path, words);
    made.insert(words, path);
    return path;
}

} // namespace tavbench
