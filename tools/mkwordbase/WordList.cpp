#include "WordList.h"

#include "Inflection.h"
#include "Syllables.h"

#include "store/GreekLetters.h"

#include <QDir>
#include <QString>

#include <algorithm>
#include <set>
#include <tuple>

namespace wordbase {

namespace inf = tav::inflect;

namespace {

const std::vector<std::string> kKonColumns = {"S1a", "S2a", "S3a", "P1a", "P2a", "P3a",
                                              "S1p", "S2p", "S3p", "P1p", "P2p", "P3p"};
const std::vector<std::string> kKlinoColumns = {"sMNom", "sMAck", "sMGen", "pMNom", "pMAck", "pMGen",
                                                "sFNom", "sFAck", "sFGen", "pFNom", "pFAck", "pFGen",
                                                "sNNom", "sNAck", "sNGen", "pNNom", "pNAck", "pNGen"};
const std::vector<std::string> kImperColumns = {"SiSimpAct", "SiSimpPas", "SiContAct", "SiContPas",
                                                "PlSimpAct", "PlSimpPas", "PlContAct", "PlContPas"};

std::string Part(const std::string &col) { return col == "-" ? std::string() : col; }

void PutSix(Word &w, const std::string &table, int voice, const inf::Six &six)
{
    for (size_t k = 0; k < 6; ++k)
        if (!six[k].empty())
            w.forms[table][kKonColumns[static_cast<size_t>(voice) * 6 + k]] = six[k];
}

template <size_t N>
void PutAll(Word &w, const std::string &table, const std::vector<std::string> &cols, const std::array<std::string, N> &f)
{
    for (size_t k = 0; k < N; ++k)
        if (!f[k].empty())
            w.forms[table][cols[k]] = f[k];
}

void CheckPart(const Location &where, const char *what, const std::string &part)
{
    if (!part.empty())
        CheckGreek(where, what, part);
}

void ReadMeanings(Word &w, const std::string &english, const std::string &swedish, const std::string &remarks)
{
    w.english = MeaningItems(english);
    w.swedish = MeaningItems(swedish);
    if (w.english.empty())
        throw BuildError(w.where, "the word " + w.greek + " has no English meaning");
    if (w.swedish.empty())
        throw BuildError(w.where, "the word " + w.greek + " has no Swedish meaning");
    w.remarks = remarks;
}

// verbs.tsv: WT headword aor_subj aor_past imperf pres_pas aor_subj_p
// aor_past_p imperf_p participle english swedish [remarks]
Word ReadVerb(const SourceRow &row)
{
    static const std::set<std::string> classes = {"c1", "cv", "c2", "c3", "cp1", "cp2",
                                                  "cp3", "cp4", "cp5", "cA"};
    const auto &c = row.cols;
    Word w;
    w.where = row.where;
    w.kind = Kind::Verb;
    w.wt = c[0];
    if (!classes.count(w.wt))
        throw BuildError(row.where, "unknown verb class \"" + w.wt + "\" (c1 cv c2 c3 cp1..cp5 cA)");
    w.greek = c[1];
    CheckGreek(row.where, "the headword", w.greek);
    const char *names[] = {"", "", "aor_subj", "aor_past", "imperf", "pres_pas",
                           "aor_subj_p", "aor_past_p", "imperf_p", "participle"};
    for (size_t k = 2; k <= 9; ++k)
        CheckPart(row.where, names[k], Part(c[k]));
    ReadMeanings(w, c[10], c[11], c[12]);

    const bool deponent = w.wt.rfind("cp", 0) == 0;
    const std::string aorSubj = Part(c[2]), aorPast = Part(c[3]), imperf = Part(c[4]);
    std::string presPas = Part(c[5]);
    const std::string aorSubjP = Part(c[6]), aorPastP = Part(c[7]), imperfP = Part(c[8]);
    const std::string participle = Part(c[9]);
    if (deponent && (!aorSubj.empty() || !aorPast.empty() || !imperf.empty()))
        throw BuildError(row.where, "a " + w.wt + " verb has no active forms: write - in columns 3 to 5");
    if (deponent && presPas.empty())
        presPas = w.greek;

    try {
        inf::Six presentActive;
        if (!deponent) {
            presentActive = inf::PresentActive(w.wt, w.greek);
            PutSix(w, "KonT1", 0, presentActive);
            PutSix(w, "KonT2", 0, inf::PastTense(aorPast, aorSubj));
            PutSix(w, "KonT3", 0, inf::PastTense(imperf, w.greek));
            PutSix(w, "KonT4", 0, inf::Subjunctive(aorSubj));
            w.ap = w.wt == "cA" ? std::string("154") : w.greek;
        }
        const inf::Six presentPassive = inf::PresentPassive(presPas);
        const inf::Six subjPassive = inf::Subjunctive(aorSubjP);
        if (!presPas.empty()) {
            PutSix(w, "KonT1", 1, presentPassive);
            PutSix(w, "KonT2", 1, inf::PastTense(aorPastP, aorSubjP));
            PutSix(w, "KonT3", 1, inf::PassiveImperfect(imperfP, inf::EndsWith(presPas, "avmai")));
            PutSix(w, "KonT4", 1, subjPassive);
            w.pp = presPas;
        }
        inf::ImperativeSources src;
        src.wt = w.wt;
        src.headword = deponent ? std::string() : w.greek;
        src.subjunctive = aorSubj;
        src.imperfect = imperf;
        src.aorist = aorPast;
        src.passiveSubjunctive = aorSubjP;
        src.presentActive = presentActive;
        src.presentPassive = presentPassive;
        src.passiveSubjunctiveForms = subjPassive;
        PutAll(w, "IMPER", kImperColumns, inf::Imperatives(src));
        if (!participle.empty())
            PutAll(w, "KlinoMenos", kKlinoColumns, inf::DeclineParticiple(participle));
        w.ps = inf::PresentStem(w.wt, deponent ? presPas : w.greek);
        w.aas = inf::SubjunctiveStem(aorSubj);
        w.pas = inf::SubjunctiveStem(aorSubjP);
    } catch (const inf::InflectError &e) {
        throw BuildError(row.where, e.what());
    }
    return w;
}

// nouns.tsv: article nom_sg gen_sg nom_pl gen_pl english swedish [remarks]
Word ReadNoun(const SourceRow &row)
{
    const auto &c = row.cols;
    Word w;
    w.where = row.where;
    w.kind = Kind::Noun;
    w.art = c[0];
    w.genus = inf::GenusOfArticle(w.art);
    // A feminine plural-only noun (oi diakopevV) names the gender after its
    // plural article; the word keeps "oi", its forms go to the F columns.
    if (w.art == "oi/h") {
        w.art = "oi";
        w.genus = 1;
    }
    if (w.genus == 99)
        throw BuildError(row.where, "unknown article \"" + w.art +
                                        "\" (o h to, or oi ta oi/h for plural-only nouns)");
    w.wt = w.genus == 0 ? "am" : w.genus == 1 ? "af" : "an";
    w.greek = c[1];
    CheckGreek(row.where, "the headword", w.greek);
    CheckPart(row.where, "gen_sg", Part(c[2]));
    CheckPart(row.where, "nom_pl", Part(c[3]));
    CheckPart(row.where, "gen_pl", Part(c[4]));
    ReadMeanings(w, c[5], c[6], c[7]);
    const bool pluralOnly = w.art == "oi" || w.art == "ta";
    const std::string nomSg = pluralOnly ? std::string() : w.greek;
    const std::string nomPl = pluralOnly ? w.greek : Part(c[3]);
    const inf::Six six = inf::DeclineNoun(w.genus, nomSg, Part(c[2]), nomPl, Part(c[4]));
    const size_t base = static_cast<size_t>(w.genus) * 6;
    for (size_t k = 0; k < 6; ++k)
        if (!six[k].empty())
            w.forms["Klino"][kKlinoColumns[base + k]] = six[k];
    return w;
}

// adjectives.tsv: masc fem neut english swedish [remarks]
Word ReadAdjective(const SourceRow &row, bool hasOverrides)
{
    const auto &c = row.cols;
    Word w;
    w.where = row.where;
    w.kind = Kind::Adjective;
    w.wt = "b";
    w.greek = c[0];
    CheckGreek(row.where, "the masculine", c[0]);
    CheckGreek(row.where, "the feminine", c[1]);
    CheckGreek(row.where, "the neuter", c[2]);
    ReadMeanings(w, c[3], c[4], c[5]);
    try {
        PutAll(w, "Klino", kKlinoColumns, inf::DeclineAdjective(c[0], c[1], c[2]));
    } catch (const inf::InflectError &e) {
        if (!hasOverrides)
            throw BuildError(row.where, e.what());
        // An irregular adjective: its nominatives here, the rest from the overrides.
        w.forms["Klino"]["sMNom"] = c[0];
        w.forms["Klino"]["sFNom"] = c[1];
        w.forms["Klino"]["sNNom"] = c[2];
    }
    return w;
}

// others.tsv: WT article headword english swedish [remarks]
Word ReadOther(const SourceRow &row)
{
    static const std::set<std::string> codes = {"ad", "pr", "kj", "pn", "nu", "pt", "ij"};
    const auto &c = row.cols;
    Word w;
    w.where = row.where;
    w.kind = Kind::Other;
    w.wt = c[0];
    if (!codes.count(w.wt))
        throw BuildError(row.where, "unknown word type \"" + w.wt + "\" (ad pr kj pn nu pt ij)");
    w.art = Part(c[1]);
    if (!w.art.empty())
        CheckGreek(row.where, "the article", w.art);
    w.greek = c[2];
    CheckGreek(row.where, "the headword", w.greek);
    ReadMeanings(w, c[3], c[4], c[5]);
    return w;
}

struct Override {
    Location where;
    std::string headword, table, column, form;
};

void ApplyOverrides(std::vector<Word> &words, const std::vector<Override> &overrides)
{
    for (const auto &o : overrides) {
        const bool verbTable = o.table != "Klino";
        Word *target = nullptr;
        for (auto &w : words) {
            if (w.greek != o.headword)
                continue;
            const bool fits = verbTable ? w.kind == Kind::Verb : (w.kind == Kind::Noun || w.kind == Kind::Adjective);
            if (!fits)
                continue;
            if (target)
                throw BuildError(o.where, "the headword " + o.headword + " names two words that have " + o.table +
                                              " forms (" + target->where.Text() + ", " + w.where.Text() + ")");
            target = &w;
        }
        if (!target)
            throw BuildError(o.where, "no " + std::string(verbTable ? "verb" : "noun or adjective") + " " +
                                          o.headword + " for a " + o.table + " form");
        if (target->kind == Kind::Noun) {
            const char g = "MFN"[target->genus];
            if (o.column.size() < 2 || o.column[1] != g)
                throw BuildError(o.where, "the noun " + o.headword + " has only the " + std::string(1, g) +
                                              " columns of Klino");
        }
        if (o.form.empty())
            target->forms[o.table].erase(o.column);
        else
            target->forms[o.table][o.column] = o.form;
    }
}

std::vector<Override> ReadOverrides(const std::vector<std::string> &paths)
{
    std::vector<Override> out;
    for (const auto &path : paths)
    for (const auto &row : ReadTsv(path, 4, 4)) {
        Override o{row.where, row.cols[0], row.cols[1], row.cols[2], Part(row.cols[3])};
        const auto &tables = InflectionTables();
        if (std::find(tables.begin(), tables.end(), o.table) == tables.end())
            throw BuildError(row.where, "unknown table \"" + o.table + "\"");
        const auto &cols = FormColumns(o.table);
        if (std::find(cols.begin(), cols.end(), o.column) == cols.end())
            throw BuildError(row.where, "table " + o.table + " has no column \"" + o.column + "\"");
        CheckGreek(row.where, "the headword", o.headword);
        if (!o.form.empty())
            CheckGreek(row.where, "the form", o.form);
        out.push_back(o);
    }
    return out;
}

int KindOrder(Kind k) { return static_cast<int>(k); }

// The source files of one kind: "<kind>.tsv" and "<kind>-<part>.tsv", in
// name order.
std::vector<std::string> SourcesOf(const std::string &wordsDir, const std::string &kind)
{
    const QString name = QString::fromStdString(kind);
    const QStringList found = QDir(QString::fromStdString(wordsDir))
                                  .entryList({name + ".tsv", name + "-*.tsv"}, QDir::Files, QDir::Name);
    std::vector<std::string> paths;
    for (const QString &f : found)
        paths.push_back(wordsDir + "/" + f.toStdString());
    return paths;
}

} // namespace

const std::vector<std::string> &FormColumns(const std::string &table)
{
    if (table == "Klino" || table == "KlinoMenos")
        return kKlinoColumns;
    if (table == "IMPER")
        return kImperColumns;
    return kKonColumns;
}

const std::vector<std::string> &InflectionTables()
{
    static const std::vector<std::string> tables = {"KonT1", "KonT2", "KonT3", "KonT4",
                                                    "Klino", "KlinoMenos", "IMPER"};
    return tables;
}

bool Word::HasRow(const std::string &table) const
{
    const auto it = forms.find(table);
    return it != forms.end() && !it->second.empty();
}

std::vector<Word> LoadWords(const std::string &wordsDir)
{
    const std::vector<Override> overrides = ReadOverrides(SourcesOf(wordsDir, "forms-override"));
    std::set<std::string> overridden;
    for (const auto &o : overrides)
        overridden.insert(o.headword);

    std::map<std::string, std::vector<std::string>> sources;
    for (const char *kind : {"verbs", "nouns", "adjectives", "others"}) {
        sources[kind] = SourcesOf(wordsDir, kind);
        if (sources[kind].empty())
            throw BuildError("missing word source " + wordsDir + "/" + kind + ".tsv");
    }
    std::vector<Word> read;
    const auto starter = [&](const std::string &path, const char *kind) {
        return path == wordsDir + "/" + kind + ".tsv";
    };
    const auto added = [&](const std::string &path, const char *kind) {
        return path == wordsDir + "/" + kind + "-added.tsv";
    };
    for (const auto &path : sources["verbs"])
        for (const auto &row : ReadTsv(path, 12, 13)) {
            read.push_back(ReadVerb(row));
            read.back().fromStarterList = starter(path, "verbs");
            read.back().added = added(path, "verbs");
        }
    for (const auto &path : sources["nouns"])
        for (const auto &row : ReadTsv(path, 7, 8)) {
            read.push_back(ReadNoun(row));
            read.back().fromStarterList = starter(path, "nouns");
            read.back().added = added(path, "nouns");
        }
    for (const auto &path : sources["adjectives"])
        for (const auto &row : ReadTsv(path, 5, 6)) {
            read.push_back(ReadAdjective(row, overridden.count(row.cols[0]) > 0));
            read.back().fromStarterList = starter(path, "adjectives");
            read.back().added = added(path, "adjectives");
        }
    for (const auto &path : sources["others"])
        for (const auto &row : ReadTsv(path, 5, 6)) {
            read.push_back(ReadOther(row));
            read.back().fromStarterList = starter(path, "others");
            read.back().added = added(path, "others");
        }

    // The same headword twice with the same type and article is a fault,
    // unless a part file replaces a word of the starter list.
    std::map<std::tuple<std::string, std::string, std::string>, size_t> seen;
    std::vector<bool> dropped(read.size(), false);
    for (size_t i = 0; i < read.size(); ++i) {
        const Word &w = read[i];
        const auto [it, fresh] = seen.emplace(std::make_tuple(w.greek, w.wt, w.art), i);
        if (fresh)
            continue;
        const Word &earlier = read[it->second];
        if (earlier.fromStarterList != w.fromStarterList) {
            const size_t loser = earlier.fromStarterList ? it->second : i;
            dropped[loser] = true;
            it->second = earlier.fromStarterList ? i : it->second;
            continue;
        }
        throw BuildError(w.where, "the word " + w.greek + " (" + w.wt + ") is already at " + earlier.where.Text());
    }
    std::vector<Word> words;
    for (size_t i = 0; i < read.size(); ++i)
        if (!dropped[i])
            words.push_back(std::move(read[i]));
    ApplyOverrides(words, overrides);

    // The program finds the auxiliary by English = 'have' and WT = 'cA'.
    const Word *auxiliary = nullptr;
    for (const auto &w : words) {
        if (w.wt != "cA")
            continue;
        if (auxiliary)
            throw BuildError(w.where, "a second auxiliary verb (cA); the first is at " + auxiliary->where.Text());
        if (w.english != std::vector<std::string>{"have"})
            throw BuildError(w.where, "the auxiliary verb (cA) has the one English meaning \"have\", "
                                      "by which the program finds it (other meanings go in the remarks)");
        auxiliary = &w;
    }

    // IDs follow the Greek alphabet, so they do not depend on the order of
    // the lines or files; the words of the "-added" files come after all
    // others (in alphabet order among themselves), so that adding a word
    // moves no ID of an earlier one.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(words.size());
    for (size_t i = 0; i < words.size(); ++i)
        keys.emplace_back(tav::TavGreSort(QString::fromStdString(words[i].greek)).toStdString(), i);
    std::stable_sort(keys.begin(), keys.end(), [&](const auto &a, const auto &b) {
        const Word &x = words[a.second], &y = words[b.second];
        return std::make_tuple(x.added, a.first, x.greek, KindOrder(x.kind), x.wt, x.art) <
               std::make_tuple(y.added, b.first, y.greek, KindOrder(y.kind), y.wt, y.art);
    });
    std::vector<Word> ordered;
    ordered.reserve(words.size());
    for (const auto &k : keys)
        ordered.push_back(std::move(words[k.second]));
    return ordered;
}

} // namespace wordbase
