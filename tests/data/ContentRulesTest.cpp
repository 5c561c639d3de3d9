// The content rules of the built TavWrd.twl that the grammar panel and the
// exercises rely on.

#include "DbQuery.h"
#include "support/TestDb.h"

#include "store/GreekLetters.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QMap>

#include <gtest/gtest.h>

using tavtest::DbQuery;
using tavtest::TestDb;

namespace {

class Content : public ::testing::Test {
protected:
    TestDb copy;
    DbQuery db{copy.Path()};

    QStringList FormColumns(const QString &table) const
    {
        QStringList cols = db.Fields(table);
        for (const char *fixed : {"ID", "WT", "Greek", "Sal"})
            cols.removeAll(fixed);
        return cols;
    }
};

int ItemCount(const QString &list)
{
    int n = 0;
    for (const QString &item : list.split(QLatin1Char(',')))
        if (!item.trimmed().isEmpty())
            ++n;
    return n;
}

const QStringList kInflectionTables = {"KonT1", "KonT2", "KonT3", "KonT4", "Klino", "KlinoMenos", "IMPER"};

} // namespace

TEST_F(Content, IdsRunFromOneWithoutGaps)
{
    const long long n = db.Count("SELECT COUNT(*) FROM Main");
    ASSERT_GT(n, 0);
    EXPECT_EQ(db.Count("SELECT MIN(ID) FROM Main"), 1);
    EXPECT_EQ(db.Count("SELECT MAX(ID) FROM Main"), n);
    EXPECT_EQ(db.Count("SELECT COUNT(DISTINCT ID) FROM Main"), n);
    // Every word table refers to words of Main (the article row aside).
    for (const QString &t : kInflectionTables + QStringList{"FormsAll", "AllEnglishGreek", "AllSwedishGreek",
                                                             "GreekSwedish"})
        EXPECT_EQ(db.Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID <> 99999 AND ID NOT IN "
                                          "(SELECT ID FROM Main)").arg(t)), 0) << t.toStdString();
}

TEST_F(Content, SortKeysAreMadeByTheProgramsRoutine)
{
    for (const QString &t : {QStringLiteral("Main"), QStringLiteral("KonT4"), QStringLiteral("IMPER"),
                             QStringLiteral("AllEnglishGreek"), QStringLiteral("AllSwedishGreek")})
        for (const auto &row : db.Rows("SELECT Greek, Sal FROM " + t))
            EXPECT_EQ(row.at(1).toString(), tav::TavGreSort(row.at(0).toString())) << t.toStdString();
}

TEST_F(Content, MeaningCountsAndIndexRows)
{
    for (const auto &row : db.Rows("SELECT ID, English, Emeans, Greek, Art, Sal FROM Main")) {
        const auto id = row.at(0).toLongLong();
        const QString english = row.at(1).toString();
        ASSERT_FALSE(english.isEmpty()) << id;
        EXPECT_EQ(row.at(2).toInt(), ItemCount(english)) << id;
        // One AllEnglishGreek row per meaning, with the word's article, spelling and key.
        const auto index = db.Rows(QStringLiteral("SELECT Lat, Art, Greek, Sal FROM AllEnglishGreek WHERE ID = %1").arg(id));
        ASSERT_EQ(static_cast<int>(index.size()), ItemCount(english)) << id;
        for (const auto &r : index) {
            EXPECT_TRUE(english.contains(r.at(0).toString())) << id;
            EXPECT_EQ(r.at(1), row.at(4));
            EXPECT_EQ(r.at(2), row.at(3));
        }
    }
}

TEST_F(Content, EveryWordHasSwedishMeanings)
{
    const long long n = db.Count("SELECT COUNT(*) FROM Main");
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM GreekSwedish"), n);
    EXPECT_EQ(db.Count("SELECT COUNT(DISTINCT ID) FROM AllSwedishGreek"), n);
    for (const auto &row : db.Rows("SELECT g.ID, g.Lat, g.Means, g.Greek, m.Greek FROM GreekSwedish g "
                                   "JOIN Main m ON m.ID = g.ID")) {
        const QString lat = row.at(1).toString();
        EXPECT_FALSE(lat.isEmpty());
        EXPECT_EQ(row.at(2).toString(), QString::number(ItemCount(lat))) << "Means is the count as digits";
        EXPECT_EQ(row.at(3), row.at(4));
        EXPECT_EQ(db.Count(QStringLiteral("SELECT COUNT(*) FROM AllSwedishGreek WHERE ID = %1")
                               .arg(row.at(0).toLongLong())), ItemCount(lat));
    }
}

TEST_F(Content, GenderCodeOnlyForNouns)
{
    for (const auto &row : db.Rows("SELECT ID, Art, WT, Genus FROM Main")) {
        const QString wt = row.at(2).toString();
        const int genus = row.at(3).toInt();
        ASSERT_TRUE(row.at(3).isValid());
        if (wt == "am")
            EXPECT_EQ(genus, 0) << row.at(0).toLongLong();
        else if (wt == "af")
            EXPECT_EQ(genus, 1) << row.at(0).toLongLong();
        else if (wt == "an")
            EXPECT_EQ(genus, 2) << row.at(0).toLongLong();
        else
            EXPECT_EQ(genus, 99) << row.at(0).toLongLong();
    }
    // Only nouns carry an article: the program's gender fill-in gives a
    // gender to every word that has one.
    const auto withArticle =
        db.Column("SELECT Greek FROM Main WHERE WT NOT IN ('am', 'af', 'an') AND COALESCE(Art, '') <> ''");
    EXPECT_TRUE(withArticle.isEmpty()) << withArticle.front().toString().toStdString();
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE WT IN ('am', 'af', 'an') AND COALESCE(Art, '') = ''"), 0);
    for (const char *code : {"am", "af", "an", "b", "ad"})
        EXPECT_GT(db.Count(QStringLiteral("SELECT COUNT(*) FROM Main WHERE WT = '%1'").arg(code)), 0) << code;
}

TEST_F(Content, VoicesAreNullWhenMissing)
{
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE AP = '' OR PP = ''"), 0);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE WT NOT LIKE 'c%' AND (AP IS NOT NULL OR PP IS NOT NULL)"), 0);
    // Passive classes have no active voice, every other verb has one.
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE WT LIKE 'cp%' AND AP IS NOT NULL"), 0);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE WT LIKE 'cp%' AND PP IS NULL"), 0);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE WT LIKE 'c%' AND WT NOT LIKE 'cp%' AND AP IS NULL"), 0);
    for (const char *wt : {"cA", "c1", "cv", "c2", "c3", "cp1", "cp2", "cp3", "cp4", "cp5"})
        EXPECT_GT(db.Count(QStringLiteral("SELECT COUNT(*) FROM Main WHERE WT = '%1' COLLATE BINARY").arg(wt)), 0) << wt;
}

TEST_F(Content, InflectionFlagsAgreeWithTheRows)
{
    for (const auto &row : db.Rows("SELECT ID, ISKLIN, ISKONJ FROM Main")) {
        const auto id = row.at(0).toLongLong();
        const auto has = [&](const char *t) {
            return db.Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID = %2").arg(t).arg(id)) > 0;
        };
        EXPECT_EQ(row.at(1).toInt(), has("Klino") || has("KlinoMenos") ? -1 : 0) << id;
        EXPECT_EQ(row.at(2).toInt(), has("KonT1") || has("KonT2") || has("KonT3") || has("KonT4") ? -1 : 0) << id;
    }
}

TEST_F(Content, FormsAllHoldsEveryStoredFormAndNothingElse)
{
    long long forms = 0;
    for (const QString &t : kInflectionTables) {
        for (const QString &c : FormColumns(t)) {
            forms += db.Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID <> 99999 AND %2 <> ''").arg(t, c));
            EXPECT_EQ(db.Count(QStringLiteral("SELECT COUNT(*) FROM %1 t WHERE ID <> 99999 AND %2 <> '' AND NOT EXISTS "
                                              "(SELECT 1 FROM FormsAll f WHERE f.ID = t.ID AND f.GenTem = '%1' "
                                              "AND f.KasPer = '%2' AND f.FormGreek = t.%2 COLLATE BINARY "
                                              "AND f.Greek = t.Greek)").arg(t, c)), 0)
                << t.toStdString() << "." << c.toStdString();
            EXPECT_EQ(db.Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ''").arg(t, c)), 0)
                << "an empty form is NULL";
        }
    }
    long long stems = 0;
    for (const char *stem : {"PS", "AAS", "PAS"}) {
        stems += db.Count(QStringLiteral("SELECT COUNT(*) FROM Main WHERE %1 IS NOT NULL").arg(stem));
        EXPECT_EQ(db.Count(QStringLiteral("SELECT COUNT(*) FROM Main m WHERE %1 IS NOT NULL AND NOT EXISTS "
                                          "(SELECT 1 FROM FormsAll f WHERE f.ID = m.ID AND f.GenTem = 'Main' "
                                          "AND f.KasPer = '%1' AND f.FormGreek = m.%1)").arg(stem)), 0) << stem;
    }
    EXPECT_GT(stems, 0);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM FormsAll"), forms + stems);
}

TEST_F(Content, ArticleRowForTheNounView)
{
    const auto rows = db.Rows("SELECT sMNom, sMAck, sMGen, pMNom, pMAck, pMGen, sFNom, sFAck, sFGen, pFNom, pFAck, "
                              "pFGen, sNNom, sNAck, sNGen, pNNom, pNAck, pNGen FROM Klino WHERE ID = 99999");
    ASSERT_EQ(rows.size(), 1u);
    QStringList forms;
    for (const auto &v : rows.front())
        forms << v.toString();
    EXPECT_EQ(forms, QStringList({"o", "to(n)", "tou", "oi", "touV", "twn", "h", "th(n)", "thV", "oi", "tiV", "twn",
                                  "to", "to", "tou", "ta", "ta", "twn"}));
    // The noun view takes characters 1-2 and, before a vowel or k x p t y, the 4th.
    EXPECT_EQ(forms.at(1).left(2) + forms.at(1).mid(3, 1), "ton");
    EXPECT_EQ(forms.at(7).left(2) + forms.at(7).mid(3, 1), "thn");
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE ID = 99999"), 0);
}

TEST_F(Content, AuxiliaryHaveIsFoundWithCompleteRows)
{
    const auto ids = db.Column("SELECT ID FROM Main WHERE English = 'have' AND WT = 'cA' AND AP = 154 ORDER BY ID");
    ASSERT_FALSE(ids.isEmpty());
    const auto have = ids.first().toLongLong();
    EXPECT_EQ(db.Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = %1").arg(have)).toString(), "evcw");
    for (const char *t : {"KonT1", "KonT3"}) {
        const auto rows = db.Rows(QStringLiteral("SELECT S1a, S2a, S3a, P1a, P2a, P3a FROM %1 WHERE ID = %2").arg(t).arg(have));
        ASSERT_EQ(rows.size(), 1u) << t;
        for (const auto &v : rows.front())
            EXPECT_FALSE(v.toString().isEmpty()) << t;
    }
    EXPECT_EQ(db.Value(QStringLiteral("SELECT P1a FROM KonT3 WHERE ID = %1").arg(have)).toString(), "eivcame");
}

TEST_F(Content, WelcomePhrasesForANewLanguage)
{
    for (const char *phrase : {"kalwvV orivsate", "kalwvV touV"}) {
        const auto rows = db.Rows(QStringLiteral("SELECT Sal, ID FROM Main WHERE greek = '%1'").arg(phrase));
        ASSERT_EQ(rows.size(), 1u) << phrase;
    }
}

TEST_F(Content, SettingsAndLanguages)
{
    const auto rows = db.Rows("SELECT * FROM Options");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front(), QVariantList({3, 30, 5, "Swedish", 0, "English", 1, "English", 0}));
    EXPECT_EQ(db.Column("SELECT Name FROM Languages"), QVariantList({"Swedish"}));
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM WrongIDs"), 0);
}

TEST_F(Content, TimeStampsAreIsoText)
{
    for (const auto &v : db.Column("SELECT DISTINCT MadeDate FROM Main"))
        EXPECT_TRUE(QDateTime::fromString(v.toString(), Qt::ISODate).isValid()) << v.toString().toStdString();
}

TEST_F(Content, CaptionsWhenTheirSourceExists)
{
    QFile source(QStringLiteral(TAV_SOURCE_DIR "/data/langcaps.tsv"));
    if (!source.exists()) {
        EXPECT_EQ(db.Count("SELECT COUNT(*) FROM LangCaps"), 0);
        return;
    }
    ASSERT_TRUE(source.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<qlonglong, QString> expected;
    for (QString line : QString::fromUtf8(source.readAll()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#') || line.startsWith("Index\t"))
            continue;
        expected.insert(line.section('\t', 0, 0).toLongLong(), line.section('\t', 1));
    }
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM LangCaps"), expected.size());
    // Texts are stored as written, blanks at either end included.
    for (const auto &row : db.Rows("SELECT [Index], English FROM LangCaps"))
        EXPECT_EQ(row.at(1).toString(), expected.value(row.at(0).toLongLong())) << row.at(0).toLongLong();
}

TEST_F(Content, VerbFormsForTheVerbExercise)
{
    // Each tense table has verbs with six forms of a voice and no punctuation,
    // which is what the exercise draws and compares.
    static const QRegularExpression punctuation(QStringLiteral("[.,\\-!`+~&()\\[\\]]"));
    for (const char *t : {"KonT1", "KonT2", "KonT3", "KonT4"}) {
        int complete = 0;
        for (const auto &row : db.Rows(QStringLiteral("SELECT S1a, S2a, S3a, P1a, P2a, P3a, S1p, S2p, S3p, P1p, "
                                                      "P2p, P3p FROM %1").arg(t))) {
            bool active = true, passive = true;
            for (int k = 0; k < 12; ++k) {
                const QString form = row.at(k).toString();
                EXPECT_FALSE(form.contains(punctuation)) << form.toStdString();
                (k < 6 ? active : passive) &= !form.isEmpty();
            }
            complete += active || passive;
        }
        EXPECT_GE(complete, 5) << t;
    }
}

TEST_F(Content, TheTwelveMonthsMayAmongThemAsTheLastWord)
{
    // Μάης, genitive Μάη: a masculine noun with its English and Swedish
    // meanings, added after the first word list so that it took the last ID.
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE English IN ('January', 'February', 'March', 'April', 'May', "
                       "'June', 'July', 'August', 'September', 'October', 'November', 'December') AND WT = 'am'"),
              12);
    EXPECT_EQ(db.Count("SELECT ID FROM Main WHERE Greek = 'MavhV' AND English = 'May' AND Art = 'o' AND Genus = 0"),
              db.Count("SELECT MAX(ID) FROM Main"));
    EXPECT_EQ(db.Value("SELECT Lat FROM GreekSwedish WHERE Greek = 'MavhV'").toString(), "maj");
    EXPECT_EQ(db.Value("SELECT sMGen FROM Klino WHERE Greek = 'MavhV'").toString(), "Mavh");
    EXPECT_EQ(db.Value("SELECT sMAck FROM Klino WHERE Greek = 'MavhV'").toString(), "Mavh");
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM AllEnglishGreek WHERE Lat = 'May' AND Greek = 'MavhV'"), 1);
}
