// The format of the built TavWrd.twl: field positions that the program reads
// by number, the key of FormsAll, and how values compare.

#include "DbQuery.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

using tavtest::DbQuery;
using tavtest::TestDb;

namespace {

const QStringList kKonForms = {"S1a", "S2a", "S3a", "P1a", "P2a", "P3a"};
const QStringList kKonPassive = {"S1p", "S2p", "S3p", "P1p", "P2p", "P3p"};
const QStringList kKlinoForms = {"sMNom", "sMAck", "sMGen", "pMNom", "pMAck", "pMGen", "sFNom", "sFAck", "sFGen",
                                 "pFNom", "pFAck", "pFGen", "sNNom", "sNAck", "sNGen", "pNNom", "pNAck", "pNGen"};

class Schema : public ::testing::Test {
protected:
    TestDb copy;
    DbQuery db{copy.Path()};
};

} // namespace

TEST_F(Schema, MainKeepsTheFieldsReadByPosition)
{
    const QStringList f = db.Fields("Main");
    ASSERT_GE(f.size(), 26);
    const std::pair<int, const char *> fixed[] = {{0, "Art"}, {1, "Greek"}, {2, "English"}, {6, "WT"},
                                                  {12, "Remarks"}, {14, "Sal"}, {15, "ID"}, {17, "AP"},
                                                  {18, "PP"}, {21, "Genus"}, {25, "Remarks2"}};
    for (const auto &[pos, name] : fixed)
        EXPECT_EQ(f.at(pos), name) << "position " << pos;
    for (const char *name : {"Emeans", "PS", "AAS", "PAS", "ISKLIN", "ISKONJ", "MadeDate"})
        EXPECT_TRUE(f.contains(name)) << name;
}

TEST_F(Schema, ConjugationTablesKeepTheirPositions)
{
    for (const char *table : {"KonT1", "KonT2", "KonT3", "KonT4"}) {
        const QStringList f = db.Fields(table);
        ASSERT_GE(f.size(), 15) << table;
        EXPECT_EQ(f.at(0), "ID") << table;
        EXPECT_EQ(f.at(1), "WT") << table;
        EXPECT_EQ(f.mid(2, 6), kKonForms) << table;
        EXPECT_EQ(f.at(8), "Greek") << table;
        EXPECT_EQ(f.mid(9, 6), kKonPassive) << table;
    }
    EXPECT_TRUE(db.Fields("KonT4").contains("Sal"));
}

TEST_F(Schema, DeclensionImperativeAndFormTables)
{
    for (const char *table : {"Klino", "KlinoMenos"}) {
        const QStringList f = db.Fields(table);
        EXPECT_EQ(f.mid(0, 3), QStringList({"ID", "Greek", "WT"})) << table;
        EXPECT_EQ(f.mid(3), kKlinoForms) << table;
    }
    EXPECT_EQ(db.Fields("IMPER"), QStringList({"ID", "Greek", "WT", "Sal", "SiSimpAct", "SiSimpPas", "SiContAct",
                                               "SiContPas", "PlSimpAct", "PlSimpPas", "PlContAct", "PlContPas"}));
    // Position 3 onwards are the texts that a new FormsAll row sets to "".
    EXPECT_EQ(db.Fields("FormsAll"), QStringList({"ID", "GenTem", "KasPer", "Greek", "FormGreek"}));
}

TEST_F(Schema, SettingsLanguagesAndOtherTables)
{
    EXPECT_EQ(db.Fields("Options"), QStringList({"nbrRepeats", "nbrWrongs", "nbrScribble", "3rdLang", "BoChecka",
                                                 "2ndScribble", "nbrRima", "2ndTavrinel", "boHide3"}));
    const QStringList languages = db.Fields("Languages");
    ASSERT_EQ(languages.size(), 2);
    EXPECT_EQ(languages.at(1), "Name");
    EXPECT_EQ(db.Fields("LangCaps"), QStringList({"Index", "English"}));
    EXPECT_EQ(db.Fields("WrongIDs"), QStringList({"ID", "MadeDate"}));
    const QStringList meaningIndex = {"Sal", "ID", "Lat", "Art", "Greek"};
    EXPECT_EQ(db.Fields("AllEnglishGreek"), meaningIndex);
    EXPECT_EQ(db.Fields("AllSwedishGreek"), meaningIndex);
    EXPECT_EQ(db.Fields("GreekSwedish"), QStringList({"ID", "Lat", "Means", "Greek", "Remarks"}));
}

TEST_F(Schema, FormsAllIsKeyedByWordTableAndColumn)
{
    const auto id = db.Value("SELECT ID FROM Main WHERE Greek = 'gravfw'").toLongLong();
    ASSERT_GT(id, 0);
    // The same column of another tense is a row of its own ...
    EXPECT_EQ(db.Count(QStringLiteral("SELECT COUNT(*) FROM FormsAll WHERE ID = %1 AND KasPer = 'S1a'").arg(id)), 4);
    // ... but a second row for one word, table and column is refused.
    EXPECT_FALSE(db.Exec(QStringLiteral("INSERT INTO FormsAll VALUES (%1, 'KonT1', 'S1a', 'gravfw', 'x')").arg(id))
                     .isEmpty());
    EXPECT_TRUE(db.Exec(QStringLiteral("INSERT INTO FormsAll VALUES (%1, 'KonT1', 'XYZ', 'gravfw', 'x')").arg(id))
                    .isEmpty());
}

TEST_F(Schema, TextComparesWithoutCaseAndApAsNumber)
{
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE Greek = 'GRAVFW'"), 1);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE English = 'HAVE' AND WT = 'ca' AND AP = 154"), 1);
    // A Yes/No flag holds -1 for True.
    EXPECT_EQ(db.Value("SELECT ISKONJ FROM Main WHERE Greek = 'gravfw'").toInt(), -1);
    EXPECT_EQ(db.Value("SELECT ISKONJ FROM Main WHERE Greek = 'kalav'").toInt(), 0);
}

TEST_F(Schema, IndexesServeTheLookups)
{
    const auto plan = [&](const QString &sql) {
        QString text;
        for (const auto &row : db.Rows("EXPLAIN QUERY PLAN " + sql))
            text += row.value(3).toString() + "\n";
        return text;
    };
    EXPECT_TRUE(plan("SELECT * FROM Klino WHERE ID = 5").contains("INDEX")) << plan("SELECT * FROM Klino WHERE ID = 5").toStdString();
    for (const char *table : {"KonT1", "KonT2", "KonT3", "KonT4", "KlinoMenos", "IMPER", "FormsAll",
                              "AllEnglishGreek", "AllSwedishGreek", "GreekSwedish", "WrongIDs"})
        EXPECT_TRUE(plan(QStringLiteral("SELECT * FROM %1 WHERE ID = 5").arg(table)).contains("INDEX")) << table;
    EXPECT_TRUE(plan("SELECT * FROM Main WHERE ID = 5").contains("PRIMARY KEY"));
    EXPECT_TRUE(plan("SELECT * FROM Main WHERE Sal = 'a'").contains("INDEX"));
    EXPECT_TRUE(plan("SELECT * FROM AllEnglishGreek WHERE Lat = 'a'").contains("INDEX"));
    EXPECT_TRUE(plan("SELECT * FROM FormsAll WHERE FormGreek = 'a'").contains("INDEX"));
    EXPECT_TRUE(plan("SELECT * FROM FormsAll WHERE KasPer = 'a'").contains("INDEX"));
}
