#include "store/SqlStrings.h"

#include "StoreFixture.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"

#include <gtest/gtest.h>

using namespace tav;

class SqlStrings : public tavtest::StoreTest {
protected:
    // A third language of its own: its two tables, meanings for `withMeaning` words.
    void AddLanguage(const QString &name, int withMeaning)
    {
        WordDb->ExecNative("CREATE TABLE All" + name + "Greek (Sal TEXT, ID INTEGER, Lat TEXT, Art TEXT, Greek TEXT)");
        WordDb->ExecNative("CREATE TABLE Greek" + name + " (ID INTEGER, Lat TEXT, Means TEXT, Greek TEXT, Remarks LONGTEXT)");
        WordDb->ExecNative("INSERT INTO All" + name + "Greek (Sal, ID, Lat, Art, Greek) SELECT Sal, ID, 'x', Art, Greek "
                           "FROM Main ORDER BY ID LIMIT " + QString::number(withMeaning));
        WordDb->ExecNative("INSERT INTO Greek" + name + " (ID, Greek) SELECT ID, Greek FROM Main");
    }
};

TEST_F(SqlStrings, ExactTextsForSwedish)
{
    Opt3rdLang = "Swedish";
    BuildSqlStrings();
    EXPECT_EQ(Lang3Table, "GreekSwedish");
    EXPECT_EQ(Lang3Lat, "GreekSwedish.Lat");
    EXPECT_EQ(Lang3ID, "GreekSwedish.ID");
    EXPECT_EQ(Lang3Means, "GreekSwedish.Means");
    EXPECT_EQ(Lang3AllTable, "AllSwedishGreek");
    EXPECT_EQ(Lang3Short, "SWE");
    EXPECT_EQ(SqlLang3, "SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,Main.English,GreekSwedish.Lat AS Swedish "
                        "FROM Main INNER JOIN GreekSwedish ON Main.ID = GreekSwedish.ID");
    EXPECT_EQ(SqlLang3Genus, "SELECT Main.Sal,Main.ID,Main.Genus,Main.Art,Main.Greek,Main.English,GreekSwedish.Lat AS "
                             "Swedish FROM Main INNER JOIN GreekSwedish ON Main.ID = GreekSwedish.ID");
    EXPECT_EQ(SqlMain, "SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,Main.English FROM Main ");
    EXPECT_EQ(SqlMain2, SqlMain);
    EXPECT_EQ(SqlMainGenus, "SELECT Main.Sal,Main.ID,Main.Genus,Main.Art,Main.Greek,Main.English FROM Main ");
    EXPECT_EQ(SqlAllEnglish, "SELECT AllEnglishGreek.Sal,AllEnglishGreek.ID,AllEnglishGreek.Lat,AllEnglishGreek.Art,"
                             "AllEnglishGreek.Greek FROM AllEnglishGreek");
    EXPECT_EQ(SqlAllLang3, "SELECT AllSwedishGreek.Sal,AllSwedishGreek.ID,AllSwedishGreek.Lat,AllSwedishGreek.Art,"
                           "AllSwedishGreek.Greek FROM AllSwedishGreek");
}

TEST_F(SqlStrings, ExactLookupPrefixes)
{
    HaveID = 154;
    BuildLookupPrefixes();
    EXPECT_EQ(SqlKlinoM, "SELECT Klino.sMNom,Klino.sMAck,Klino.sMGen,Klino.pMNom,Klino.pMAck,Klino.pMGen  FROM Klino "
                         "WHERE ID  = ");
    EXPECT_EQ(SqlKlinoF, "SELECT Klino.sFNom,Klino.sFAck,Klino.sFGen,Klino.pFNom,Klino.pFAck,Klino.pFGen  FROM Klino "
                         "WHERE ID  = ");
    EXPECT_EQ(SqlKlinoN, "SELECT Klino.sNNom,Klino.sNAck,Klino.sNGen, Klino.pNNom,Klino.pNAck,Klino.pNGen  FROM Klino "
                         "WHERE ID  = ");
    EXPECT_EQ(SqlMenosM, "SELECT KlinoMenos.sMNom,KlinoMenos.sMAck,KlinoMenos.sMGen,KlinoMenos.pMNom,KlinoMenos.pMAck,"
                         "KlinoMenos.pMGen  FROM KlinoMenos WHERE ID  = ");
    EXPECT_EQ(SqlMenosF, "SELECT KlinoMenos.sFNom,KlinoMenos.sFAck,KlinoMenos.sFGen,KlinoMenos.pFNom,KlinoMenos.pFAck,"
                         "KlinoMenos.pFGen  FROM KlinoMenos WHERE ID  = ");
    EXPECT_EQ(SqlMenosN, "SELECT KlinoMenos.sNNom,KlinoMenos.sNAck,KlinoMenos.sNGen, KlinoMenos.pNNom,KlinoMenos.pNAck,"
                         "KlinoMenos.pNGen  FROM KlinoMenos WHERE ID  = ");
    EXPECT_EQ(SqlImperSi, "SELECT IMPER.SiSimpAct,IMPER.SiSimpPas,IMPER.SiContAct,IMPER.SiContPas  FROM IMPER WHERE ID  = ");
    EXPECT_EQ(SqlImperPl, "SELECT IMPER.PlSimpAct,IMPER.PlSimpPas,IMPER.PlContAct,IMPER.PlContPas  FROM IMPER WHERE ID  = ");
    EXPECT_EQ(SqlKonT4S2, "SELECT KonT4.S2a,KonT4.S2p,KonT4.S2a,KonT4.S2p  FROM KonT4 WHERE ID  = ");
    EXPECT_EQ(SqlKonT4P2, "SELECT KonT4.P2a,KonT4.P2p,KonT4.P2a,KonT4.P2p  FROM KonT4 WHERE ID  = ");
    EXPECT_EQ(SqlHaveKonT1, "SELECT KonT1.S1a,KonT1.S2a,KonT1.S3a,KonT1.P1a,KonT1.P2a,KonT1.P3a FROM KonT1 WHERE ID  = 154");
    EXPECT_EQ(SqlHaveKonT3, "SELECT KonT3.S1a,KonT3.S2a,KonT3.S3a,KonT3.P1a,KonT3.P2a,KonT3.P3a FROM KonT3 WHERE ID  = 154");
}

TEST_F(SqlStrings, EveryTextRunsOnTheDatabase)
{
    // The texts are kept as written; the database layer must still run them.
    BuildSqlStrings();
    BuildLookupPrefixes();
    for (const QString *sql : {&SqlMain, &SqlMainGenus, &SqlLang3, &SqlLang3Genus, &SqlAllEnglish, &SqlAllLang3})
        EXPECT_GT(CountRecords(*sql), 0) << sql->toStdString();
    EXPECT_GT(CountRecords(SqlMain + " WHERE Main.WT Like'c*'"), 0);
    EXPECT_EQ(CountRecords(SqlKlinoM + "99999"), 1); // the article's row
    for (const QString *prefix : {&SqlKlinoF, &SqlKlinoN, &SqlMenosM, &SqlMenosF, &SqlMenosN, &SqlImperSi, &SqlImperPl,
                                  &SqlKonT4S2, &SqlKonT4P2})
        EXPECT_NO_THROW(CountRecords(*prefix + QString::number(HaveID))) << prefix->toStdString();
    EXPECT_EQ(CountRecords(SqlHaveKonT3), 1);
}

TEST_F(SqlStrings, ShortNameAndCompleteness)
{
    EXPECT_TRUE(Lang3Complete); // every starter word has a Swedish meaning
    EXPECT_EQ(Lang3Count, MainCount);

    AddLanguage("Fi", 3);
    Opt3rdLang = "Fi";
    BuildSqlStrings();
    EXPECT_EQ(Lang3Short, "FI");
    EXPECT_EQ(Lang3Count, 3);
    EXPECT_FALSE(Lang3Complete);
    EXPECT_EQ(SqlLang3, "SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,Main.English,GreekFi.Lat AS Fi "
                        "FROM Main INNER JOIN GreekFi ON Main.ID = GreekFi.ID");
}

TEST_F(SqlStrings, MeaningsOfDeletedWordsDoNotMakeALanguageComplete)
{
    // Word A is deleted but its Swedish rows stay behind; word B loses its
    // Swedish meanings. As many distinct IDs remain as Main has words, yet B
    // has no meaning.
    const QVariantList ids = {FileValue("SELECT ID FROM Main ORDER BY ID LIMIT 1"),
                              FileValue("SELECT ID FROM Main ORDER BY ID LIMIT 1 OFFSET 1")};
    WordDb->ExecNative("DELETE FROM Main WHERE ID = ?", {ids[0]});
    WordDb->ExecNative("DELETE FROM AllSwedishGreek WHERE ID = ?", {ids[1]});
    Opt3rdLang = "Swedish";
    BuildSqlStrings();
    EXPECT_EQ(CountDistinctIDs("AllSwedishGreek"), MainCount); // what a plain count would compare
    EXPECT_EQ(Lang3Count, MainCount - 1);
    EXPECT_FALSE(Lang3Complete);
}

TEST_F(SqlStrings, RebuildsTheTreeOnlyAfterStartUp)
{
    BuildSqlStrings();
    EXPECT_EQ(link.Count("JulGran"), 1);
    StartingUp = true;
    BuildSqlStrings();
    EXPECT_EQ(link.Count("JulGran"), 1);
}

TEST_F(SqlStrings, EmptyThirdLanguageBuildsTextsButCannotCount)
{
    Opt3rdLang = "";
    EXPECT_THROW(BuildSqlStrings(), dao::DaoError); // no table "AllGreek": the caller's handler decides
    EXPECT_EQ(Lang3Table, "Greek");
    EXPECT_EQ(Lang3AllTable, "AllGreek");
    EXPECT_EQ(Lang3Short, "");
}
