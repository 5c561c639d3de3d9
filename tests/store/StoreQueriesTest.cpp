#include "store/StoreQueries.h"

#include "StoreFixture.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include <gtest/gtest.h>

using namespace tav;

class StoreQueries : public tavtest::StoreTest {};

TEST_F(StoreQueries, CountsOnTheStarterData)
{
    const long long words = FileValue("SELECT Count(*) FROM Main").toLongLong();
    EXPECT_GT(words, 0);
    EXPECT_EQ(CountMainWords(), words);
    EXPECT_EQ(MainRs, nullptr); // the shared recordset is left closed
    EXPECT_EQ(CountRecords("Main"), words);
    EXPECT_EQ(CountRecords(SqlMain + " WHERE Main.ID = -1"), 0);
    EXPECT_EQ(CountQueryRecords(SqlMain, ""), words);
    EXPECT_EQ(CountQueryRecords(SqlMain, "ID = -1"), 0);
    EXPECT_EQ(CountQueryRecords(SqlMain, "WT Like 'c*'"),
              FileValue("SELECT Count(*) FROM Main WHERE substr(WT, 1, 1) = 'c'").toLongLong());
    EXPECT_EQ(CountDistinctIDs("AllEnglishGreek"), FileValue("SELECT Count(DISTINCT ID) FROM AllEnglishGreek").toLongLong());
    const long long meanings = CountDistinctLat(SqlAllEnglish + " ORDER BY Lat");
    EXPECT_GE(meanings, FileValue("SELECT Count(DISTINCT Lat) FROM AllEnglishGreek").toLongLong());
    EXPECT_LE(meanings, CountRecords("AllEnglishGreek"));
    EXPECT_EQ(CountWrongIDs(), 0);
}

TEST_F(StoreQueries, RunsAndDistinctValues)
{
    WordDb->ExecNative("CREATE TABLE Runs (Ord INTEGER, Lat TEXT, ID INTEGER)");
    WordDb->ExecNative("INSERT INTO Runs VALUES (1,'a',1),(2,'a',1),(3,'b',2),(4,'a',5),(5,NULL,5),(6,'',5),(7,'A',5)");
    // Runs of equal values, not distinct values, when the order is broken; Null
    // reads as "" and case counts.
    EXPECT_EQ(CountDistinctLat("SELECT Lat FROM Runs ORDER BY Ord"), 5);
    EXPECT_EQ(CountDistinctLat("SELECT Lat FROM Runs WHERE Ord < 5 ORDER BY Ord"), 3);
    EXPECT_EQ(CountDistinctLat("SELECT Lat FROM Runs WHERE Ord < 5 ORDER BY Lat"), 2);
    EXPECT_EQ(CountDistinctLat("SELECT Lat FROM Runs WHERE Ord > 99"), 0);
    EXPECT_EQ(CountDistinctIDs("Runs"), 3);
    WordDb->ExecNative("DELETE FROM Runs");
    EXPECT_EQ(CountDistinctIDs("Runs"), 0);
}

TEST_F(StoreQueries, CountsAboveSixteenBits)
{
    WordDb->ExecNative("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 40000) "
                       "INSERT INTO WrongIDs (ID) SELECT x FROM n");
    EXPECT_EQ(CountWrongIDs(), 40000);
    EXPECT_EQ(CountDistinctIDs("WrongIDs"), 40000);
    EXPECT_EQ(CountQueryRecords("SELECT ID FROM WrongIDs", "ID > 32767"), 40000 - 32767);
}

TEST_F(StoreQueries, WordCountInStatusPanel)
{
    ShowWordCount();
    EXPECT_EQ(link.PanelText(2), QString::number(MainCount) + LangCapsText(1212));
    EXPECT_FALSE(LangCapsText(1212).isEmpty());

    // Once the main window has filled its caption array, the text comes from there.
    Caps1185.Set(1212, " words!");
    Caps1185.Set(1211, " none!");
    ShowWordCount();
    EXPECT_EQ(link.PanelText(2), QString::number(MainCount) + " words!");

    WordDb->ExecNative("DELETE FROM Main");
    ShowWordCount();
    EXPECT_EQ(link.PanelText(2), "0  none!");
    Caps1185.Clear();
    ShowWordCount();
    EXPECT_EQ(link.PanelText(2), "0 " + LangCapsText(1211));
    EXPECT_EQ(LangCapsText(-5), "");
}

TEST_F(StoreQueries, MainFieldLookups)
{
    const long long id = HaveID;
    EXPECT_EQ(GetMainField(id, "English"), "have");
    EXPECT_EQ(GetMainField(id, "WT"), "cA");
    EXPECT_EQ(GetMainField(id, "ID"), QString::number(id));
    WordDb->ExecNative("UPDATE Main SET Remarks2 = NULL WHERE ID = ?", {id});
    EXPECT_EQ(GetMainField(id, "Remarks2"), ""); // a Null field reads as ""
    EXPECT_EQ(GetMainField(-1, "English"), "");
    EXPECT_THROW(GetMainField(id, "NoSuchField"), dao::DaoError);

    EXPECT_TRUE(MainIDExists(id));
    EXPECT_FALSE(MainIDExists(-1));
    EXPECT_TRUE(IDExistsIn("KonT1", id));
    EXPECT_FALSE(IDExistsIn("KonT1", -1));
    EXPECT_TRUE(KlinoHasID(99999)); // the article's row
    EXPECT_FALSE(KlinoHasID(id));
}

TEST_F(StoreQueries, FormsAllByTableAndColumn)
{
    // A verb whose S1a is stored for KonT1 only.
    const QVariant row = FileValue("SELECT ID FROM FormsAll WHERE KasPer = 'S1a' AND GenTem = 'KonT1' LIMIT 1");
    ASSERT_TRUE(row.isValid());
    tav::WordDb->Execute("DELETE FROM FormsAll WHERE GenTem = 'KonT2' AND ID = " + row.toString());
    EXPECT_TRUE(FormsAllHasKasPer(row.toLongLong(), "KonT1", "S1a"));
    EXPECT_FALSE(FormsAllHasKasPer(row.toLongLong(), "KonT2", "S1a"));
    EXPECT_FALSE(FormsAllHasKasPer(row.toLongLong(), "KonT1", "NoColumn"));
    EXPECT_FALSE(FormsAllHasKasPer(row.toLongLong(), "KonT1", "S1a' OR 'x'='x")); // a quote cannot break the query
    EXPECT_FALSE(FormsAllHasKasPer(row.toLongLong(), "KonT2' OR 'x'='x", "S1a"));
}

TEST_F(StoreQueries, CompleteConjugationOfOneVoice)
{
    WordDb->ExecNative("INSERT INTO KonT2 (ID, S1a, S2a, S3a, P1a, P2a, P3a) VALUES (-11, 'a','a','a','a','a','a')");
    WordDb->ExecNative("INSERT INTO KonT2 (ID, S1p, S2p, S3p, P1p, P2p, P3p) VALUES (-12, 'p','p','p','p','p','p')");
    WordDb->ExecNative("INSERT INTO KonT2 (ID, S1a, S2a, S3a, P1a, P2a, P3a, S1p, S2p, S3p, P1p, P2p, P3p) "
                       "VALUES (-13, 'a','a','a','a','a',NULL, 'p','p','','p','p','p')");
    EXPECT_TRUE(HasCompleteConjugation("KonT2", -11));  // active only
    EXPECT_TRUE(HasCompleteConjugation("KonT2", -12));  // passive only
    EXPECT_FALSE(HasCompleteConjugation("KonT2", -13)); // one gap in each voice
    EXPECT_FALSE(HasCompleteConjugation("KonT2", -14)); // no row
    EXPECT_TRUE(HasCompleteConjugation("KonT1", HaveID));
}

TEST_F(StoreQueries, AddRecordFromArrayCopiesTheNamedFields)
{
    const long long id = HaveID;
    WordDb->ExecNative("DELETE FROM KonT2 WHERE ID = ?", {id});
    QStringList items{"Greek", "WT"};
    AddRecordFromArray("KonT2", id, items);
    EXPECT_EQ(items, QStringList({GetMainField(id, "Greek"), GetMainField(id, "WT")}));
    EXPECT_EQ(FileValue("SELECT Greek FROM KonT2 WHERE ID = " + QString::number(id)).toString(), items[0]);
    EXPECT_EQ(FileValue("SELECT WT FROM KonT2 WHERE ID = " + QString::number(id)).toString(), items[1]);
    // Empty text fields hold "" rather than Null.
    const QVariant s1a = FileValue("SELECT S1a FROM KonT2 WHERE ID = " + QString::number(id));
    EXPECT_FALSE(s1a.isNull());
    EXPECT_EQ(s1a.toString(), "");
    EXPECT_EQ(FileValue("SELECT Count(*) FROM KonT2 WHERE ID = " + QString::number(id)).toInt(), 1);

    // Three names copy the sort key too; numeric fields stay Null.
    WordDb->ExecNative("CREATE TABLE Added (ID INTEGER, Greek TEXT, WT TEXT, Sal TEXT, N SMALLINT, M LONGTEXT)");
    QStringList three{"Greek", "WT", "Sal"};
    AddRecordFromArray("Added", id, three);
    EXPECT_EQ(FileValue("SELECT Sal FROM Added").toString(), GetMainField(id, "Sal"));
    EXPECT_TRUE(FileValue("SELECT N FROM Added").isNull());
    EXPECT_TRUE(FileValue("SELECT M FROM Added").isNull());
}

namespace {
struct FakeGrid {
    QStringList column;
    int row = 0;
    int Rows() const { return int(column.size()); }
    int Row() const { return row; }
    QString TextMatrix(int r, int) const { return column.at(r); }
};
} // namespace

TEST(GridHelpers, LastRowAndWidestText)
{
    FakeGrid grid{{"heading", "ab", "abcd", "a"}, 0};
    EXPECT_FALSE(IsOnLastRow(grid));
    grid.row = 3;
    EXPECT_TRUE(IsOnLastRow(grid));
    // Each width rounded half to even before the comparison; the heading row is not measured.
    auto width = [](const QString &s) { return s.size() * 2.5; };
    EXPECT_EQ(MaxColumnTextWidth(grid, 0, width, 100), 110); // 4 * 2.5 = 10
    FakeGrid half{{"h", "a"}, 0};
    EXPECT_EQ(MaxColumnTextWidth(half, 0, width, 0), 2);      // 2.5 rounds to 2
    FakeGrid empty{{"heading"}, 0};
    EXPECT_EQ(MaxColumnTextWidth(empty, 0, width, 7), 7);
}

TEST(Collections, RepetitionIdsAndListWindows)
{
    tavtest::RecordingLink link;
    RepaIDs = {5, 70000};
    EXPECT_TRUE(IsInCollection(70000));
    EXPECT_FALSE(IsInCollection(6));
    RepaIDs.clear();
    EXPECT_FALSE(IsInCollection(5));
    link.gridForms = 3;
    EXPECT_EQ(CountGridForms(), 3);
}
