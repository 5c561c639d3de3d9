#include "store/CategoryTree.h"

#include "platform/dao/Dao.h"
#include "store/CaptionArrays.h"
#include "store/GreekLetters.h"
#include "store/SharedState.h"

namespace tav {

namespace {

const QChar Q = QLatin1Char('"');

// A Greek node of the build: key, parent, tag, name and count filter.
struct GreekNodeDef {
    const char *key;
    const char *parent;
    const char *tag;
    const char *name;
    const char *filter;
};

// Nodes 2 to 20 of the tree. The filters are the texts the counts run with,
// doubled blanks included. The voice, class and gender nodes are the
// groups the caption arrays Caps1348, Caps1352, Caps1357 and Caps1317 number.
const GreekNodeDef greekNodes[] = {
    {"All Greek", "Root", "GRW", "Greek", ""},
    {"Verbs", "All Greek", "GRR", "Verbs", " WT Like'c#' OR WT  Like'cp#' OR WT  Like'cv' OR WT  Like'cA'"},
    {"HTyp0", "Verbs", "GRRHaux", "Auxiliary", "WT = 'cA'"},
    {"HTyp1", "Verbs", "GRRHact", "Active", "WT Like'c#' OR WT  Like'cv' OR WT  Like'cA'"},
    {"HTyp2", "Verbs", "GRRHpas", "Passive", "WT Like'cp#'"},
    {"ATyp0", "HTyp1", "GRRACTome", "First \"omega\"conjugation", "WT Like'c1'"},
    {"ATyp1", "HTyp1", "GRRACTvoc", "Vocal stem conjugation", "WT Like'cv'"},
    {"ATyp2", "HTyp1", "GRRACTass", "2:1\"as\" conjugation", "WT Like'c2'"},
    {"ATyp3", "HTyp1", "GRRACTeis", "2:2 \"eis\" conjugation", "WT Like'c3'"},
    {"PTyp0", "HTyp2", "GRRPASoma", "\"omai\" conjugation", "WT Like'cp1'"},
    {"PTyp1", "HTyp2", "GRRPASama", "\"amai\" conjugation", "WT Like'cp2'"},
    {"PTyp2", "HTyp2", "GRRPASiem", "\"iemai\" conjugation", "WT Like'cp3'"},
    {"PTyp3", "HTyp2", "GRRPASoum", "\"oumai\" conjugation", "WT Like'cp4'"},
    {"PTyp4", "HTyp2", "GRRPASema", "\"emai\" conjugation", "WT Like'cp5'"},
    {"Nouns", "All Greek", "GRN", "Nouns", " genus= 0 OR genus=1 OR genus=2"},
    {"NTyp0", "Nouns", "GRNmas", "Masculine", " genus  = 0"},
    {"NTyp1", "Nouns", "GRNfem", "Feminine", " genus  = 1"},
    {"NTyp2", "Nouns", "GRNneu", "Neuter", " genus  = 2"},
    {"Adjectives", "All Greek", "GRA", "Adjectives", " WT  Like'b*'"},
};

const GreekNodeDef *FindGreek(const QString &key)
{
    for (const GreekNodeDef &d : greekNodes)
        if (key == QLatin1String(d.key))
            return &d;
    return nullptr;
}

} // namespace

bool IsNounKey(const QString &key)
{
    return key == QLatin1String("Nouns") || key.startsWith(QLatin1String("NTyp"));
}

QString GreekLike(const QString &Letter)
{
    return QStringLiteral(" Greek  Like") + dao::SqlText(Letter + QLatin1Char('*'));
}

const QStringList &CategoryTreeKeys()
{
    static const QStringList keys = [] {
        QStringList k{QStringLiteral("Root")};
        for (const GreekNodeDef &d : greekNodes)
            k << QLatin1String(d.key);
        k << QStringLiteral("Info") << QStringLiteral("English");
        return k;
    }();
    return keys;
}

bool IsGreekNodeKey(const QString &key) { return FindGreek(key) != nullptr; }

QString NodeWordTypeCode(const QString &key)
{
    static const char *const codes[][2] = {
        {"HTyp0", "cA"}, {"HTyp2", "cp#"}, {"ATyp0", "c1"},  {"ATyp1", "cv"},  {"ATyp2", "c2"},  {"ATyp3", "c3"},
        {"PTyp0", "cp1"}, {"PTyp1", "cp2"}, {"PTyp2", "cp3"}, {"PTyp3", "cp4"}, {"PTyp4", "cp5"},
    };
    for (const auto &c : codes)
        if (key == QLatin1String(c[0]))
            return QLatin1String(c[1]);
    return QString();
}

CategoryNode GreekNodeTemplate(const QString &key)
{
    const GreekNodeDef *d = FindGreek(key);
    if (!d)
        return {};
    return {QLatin1String(d->parent), key, QLatin1String(d->tag), QString::fromUtf8(d->name), true,
            key == QLatin1String("All Greek")};
}

QString CountSql(const QString &key) { return IsNounKey(key) ? SqlLang3Genus : SqlLang3; }

QString CountColumn(const QString &key) { return IsNounKey(key) ? QStringLiteral("Genus") : QStringLiteral("WT"); }

QString BuildCountFilter(const QString &key)
{
    const GreekNodeDef *d = FindGreek(key);
    return d ? QString::fromUtf8(d->filter) : QString();
}

QString RecountFilter(const QString &key, const QString &Letter)
{
    if (!IsGreekNodeKey(key))
        return QString();
    if (Letter.isEmpty()) {
        if (key == QLatin1String("NTyp0"))
            return QStringLiteral(" genus = 0 ");
        if (key == QLatin1String("NTyp1"))
            return QStringLiteral(" genus = 1");
        return BuildCountFilter(key);
    }
    const QString x = GreekLike(Letter);
    if (key == QLatin1String("All Greek"))
        return QStringLiteral("Greek Like") + dao::SqlText(Letter + QLatin1Char('*'));
    if (key == QLatin1String("Verbs"))
        return x + QStringLiteral(" AND WT  Like'c#' OR") + x + QStringLiteral(" AND WT  Like'cp#' OR") + x +
               QStringLiteral(" AND WT  Like'cv' OR") + x + QStringLiteral(" AND WT  Like'cA'");
    if (key == QLatin1String("HTyp0"))
        return x + QStringLiteral(" AND WT  = 'cA'");
    if (key == QLatin1String("HTyp1"))
        return x + QStringLiteral(" AND WT  Like'c#' OR") + x + QStringLiteral(" AND WT  Like'cv' OR") + x +
               QStringLiteral(" AND WT  Like'cA'");
    if (key == QLatin1String("Nouns"))
        return x + QStringLiteral(" AND genus =0  OR") + x + QStringLiteral(" AND genus = 1  OR") + x +
               QStringLiteral(" AND genus = 2");
    if (key.startsWith(QLatin1String("NTyp")))
        return x + QStringLiteral(" AND genus = ") + key.mid(4, 1) + QLatin1Char(' ');
    if (key == QLatin1String("Adjectives"))
        return x + QStringLiteral(" AND WT  Like'b*'");
    return x + QStringLiteral(" AND WT Like'") + NodeWordTypeCode(key) + QLatin1Char('\'');
}

QString LetterSuffix(int Place, bool GreekLetters)
{
    if (Place < 1)
        return QString();
    const QString name = GreekLetters ? GreekLetterName(Place) : LatinLetter(Place);
    return QStringLiteral(" on ") + Q + name + Q;
}

QStringList GreekLetterList()
{
    QStringList list{QStringLiteral("-")};
    for (int n = Caps1292.LBound(); n <= Caps1292.UBound(); ++n)
        list << Caps1292(n);
    return list;
}

QStringList LatinLetterList()
{
    QStringList list{QStringLiteral("-")};
    for (int i = 1; i <= 29; ++i)
        list << LatinLetter(i);
    return list;
}

} // namespace tav
