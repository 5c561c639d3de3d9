#include "DatabaseWriter.h"

#include "Inflection.h"

#include "store/GreekLetters.h"

#include <QString>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>

namespace wordbase {

namespace {

// A prepared statement whose values are bound by position (1-based); an
// empty optional text binds NULL.
class Statement {
public:
    Statement(sqlite3 *db, const std::string &sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK)
            throw BuildError("SQLite: " + std::string(sqlite3_errmsg(db)) + " in " + sql);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &Text(int i, const std::string &v)
    {
        sqlite3_bind_text(m_stmt, i, v.c_str(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement &TextOrNull(int i, const std::string &v) { return v.empty() ? Null(i) : Text(i, v); }
    Statement &Int(int i, long long v)
    {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    Statement &Null(int i)
    {
        sqlite3_bind_null(m_stmt, i);
        return *this;
    }
    void Run()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            throw BuildError("SQLite: " + std::string(sqlite3_errmsg(m_db)));
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

void Exec(sqlite3 *db, const std::string &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string message = err ? err : "unknown error";
        sqlite3_free(err);
        throw BuildError("SQLite: " + message);
    }
}

std::string SortKey(const std::string &greek)
{
    return tav::TavGreSort(QString::fromStdString(greek)).toStdString();
}

std::string InsertSql(const std::string &table, const std::vector<std::string> &cols)
{
    std::string names, marks;
    for (const auto &c : cols) {
        names += (names.empty() ? "" : ",") + c;
        marks += marks.empty() ? "?" : ",?";
    }
    return "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
}

constexpr int kYes = -1; // Jet stores True as -1

void WriteWords(sqlite3 *db, const std::vector<Word> &words, const std::string &madeDate)
{
    Statement mainRow(db, InsertSql("Main", {"Art", "Greek", "English", "Emeans", "PS", "AAS", "WT", "PAS",
                                             "ISKLIN", "ISKONJ", "MadeDate", "Remarks", "Sal", "ID", "AP", "PP",
                                             "Genus"}));
    Statement english(db, InsertSql("AllEnglishGreek", {"Sal", "ID", "Lat", "Art", "Greek"}));
    Statement swedish(db, InsertSql("AllSwedishGreek", {"Sal", "ID", "Lat", "Art", "Greek"}));
    Statement greekSwedish(db, InsertSql("GreekSwedish", {"ID", "Lat", "Means", "Greek"}));
    Statement formsAll(db, InsertSql("FormsAll", {"ID", "GenTem", "KasPer", "Greek", "FormGreek"}));

    // One insert per inflection table: the fixed columns, then the forms.
    std::map<std::string, std::unique_ptr<Statement>> tableRows;
    for (const auto &table : InflectionTables()) {
        std::vector<std::string> cols = {"ID", "WT", "Greek"};
        if (table == "KonT4" || table == "IMPER")
            cols.push_back("Sal");
        for (const auto &c : FormColumns(table))
            cols.push_back(c);
        tableRows[table] = std::make_unique<Statement>(db, InsertSql(table, cols));
    }

    for (size_t i = 0; i < words.size(); ++i) {
        const Word &w = words[i];
        const long long id = static_cast<long long>(i) + 1;
        const std::string sal = SortKey(w.greek);
        const bool isKlin = w.HasRow("Klino") || w.HasRow("KlinoMenos");
        const bool isKonj = w.HasRow("KonT1") || w.HasRow("KonT2") || w.HasRow("KonT3") || w.HasRow("KonT4");
        mainRow.Text(1, w.art).Text(2, w.greek).Text(3, JoinItems(w.english))
            .Int(4, static_cast<long long>(w.english.size()))
            .TextOrNull(5, w.ps).TextOrNull(6, w.aas).Text(7, w.wt).TextOrNull(8, w.pas)
            .Int(9, isKlin ? kYes : 0).Int(10, isKonj ? kYes : 0).Text(11, madeDate)
            .TextOrNull(12, w.remarks).Text(13, sal).Int(14, id)
            .TextOrNull(15, w.ap).TextOrNull(16, w.pp).Int(17, w.genus);
        mainRow.Run();

        for (const auto &lat : w.english)
            english.Text(1, sal).Int(2, id).Text(3, lat).Text(4, w.art).Text(5, w.greek).Run();
        for (const auto &lat : w.swedish)
            swedish.Text(1, sal).Int(2, id).Text(3, lat).Text(4, w.art).Text(5, w.greek).Run();
        greekSwedish.Int(1, id).Text(2, JoinItems(w.swedish)).Text(3, std::to_string(w.swedish.size()))
            .Text(4, w.greek).Run();

        for (const auto &table : InflectionTables()) {
            if (!w.HasRow(table))
                continue;
            const auto &forms = w.forms.at(table);
            Statement &row = *tableRows[table];
            row.Int(1, id).Text(2, w.wt).Text(3, w.greek);
            int pos = 4;
            if (table == "KonT4" || table == "IMPER")
                row.Text(pos++, sal);
            for (const auto &c : FormColumns(table)) {
                const auto it = forms.find(c);
                row.TextOrNull(pos++, it == forms.end() ? std::string() : it->second);
            }
            row.Run();
            for (const auto &c : FormColumns(table)) {
                const auto it = forms.find(c);
                if (it != forms.end())
                    formsAll.Int(1, id).Text(2, table).Text(3, c).Text(4, w.greek).Text(5, it->second).Run();
            }
        }
        const std::pair<const char *, const std::string *> stems[] = {{"PS", &w.ps}, {"AAS", &w.aas}, {"PAS", &w.pas}};
        for (const auto &[name, stem] : stems)
            if (!stem->empty())
                formsAll.Int(1, id).Text(2, "Main").Text(3, name).Text(4, w.greek).Text(5, *stem).Run();
    }

    // The definite article: Klino row 99999, not a word of Main.
    Statement article(db, InsertSql("Klino", {"ID", "Greek", "WT", "sMNom", "sMAck", "sMGen", "pMNom", "pMAck",
                                              "pMGen", "sFNom", "sFAck", "sFGen", "pFNom", "pFAck", "pFGen",
                                              "sNNom", "sNAck", "sNGen", "pNNom", "pNAck", "pNGen"}));
    const auto forms = tav::inflect::DefiniteArticle();
    article.Int(1, 99999).Text(2, "o").Text(3, "");
    for (int k = 0; k < 18; ++k)
        article.Text(4 + k, forms[static_cast<size_t>(k)]);
    article.Run();
}

void WriteSettings(sqlite3 *db, const std::vector<Caption> &captions)
{
    // nbrRepeats 3, nbrWrongs 30, nbrScribble 5, 3rdLang, BoChecka False,
    // 2ndScribble, nbrRima 1 (the verb exercise fills the rows of one verb),
    // 2ndTavrinel, boHide3 False.
    Exec(db, "INSERT INTO Options VALUES (3, 30, 5, 'Swedish', 0, 'English', 1, 'English', 0)");
    Exec(db, "INSERT INTO Languages (LangNo, Name) VALUES (1, 'Swedish')");
    Statement caption(db, "INSERT INTO LangCaps ([Index], English) VALUES (?, ?)");
    for (const auto &c : captions)
        caption.Int(1, c.index).Text(2, c.english).Run();
}

} // namespace

std::vector<Caption> ReadCaptions(const std::string &path)
{
    std::vector<Caption> out;
    if (!FileExists(path))
        return out;
    std::ifstream in(path);
    if (!in)
        throw BuildError("cannot read " + path);
    // Texts are kept exactly as written, blanks included: several are
    // joined to other texts by the program.
    std::set<long> seen;
    std::string line;
    int number = 0;
    bool first = true;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const Location where{path, number};
        const size_t tab = line.find('\t');
        const std::string key = line.substr(0, tab);
        if (first && key == "Index") { // the line naming the columns
            first = false;
            continue;
        }
        first = false;
        if (tab == std::string::npos)
            throw BuildError(where, "expected the caption number, a TAB and the text");
        char *end = nullptr;
        const long index = std::strtol(key.c_str(), &end, 10);
        if (key.empty() || *end != '\0')
            throw BuildError(where, "the caption number \"" + key + "\" is not a whole number");
        if (!seen.insert(index).second)
            throw BuildError(where, "caption " + key + " is given twice");
        out.push_back({index, line.substr(tab + 1)});
    }
    return out;
}

void WriteDatabase(const std::string &schemaSql, const std::vector<Word> &words,
                   const std::vector<Caption> &captions, const std::string &madeDate, const std::string &output)
{
    const std::string temp = output + ".part";
    std::remove(temp.c_str());
    sqlite3 *db = nullptr;
    if (sqlite3_open(temp.c_str(), &db) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw BuildError("cannot create " + temp + ": " + message);
    }
    try {
        Exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
        Exec(db, schemaSql);
        Exec(db, "BEGIN");
        WriteWords(db, words, madeDate);
        WriteSettings(db, captions);
        Exec(db, "COMMIT");
        Exec(db, "PRAGMA journal_mode = DELETE;");
    } catch (...) {
        sqlite3_close(db);
        std::remove(temp.c_str());
        throw;
    }
    if (sqlite3_close(db) != SQLITE_OK)
        throw BuildError("cannot close " + temp);
    if (std::rename(temp.c_str(), output.c_str()) != 0)
        throw BuildError("cannot rename " + temp + " to " + output);
}

} // namespace wordbase
