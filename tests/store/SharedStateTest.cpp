#include "store/SharedState.h"

#include "store/CaptionArrays.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

using namespace tav;

TEST(SharedState, ResetGivesEveryVariableItsStartingValueAndClosesTheConnections)
{
    tavtest::TestDb db;
    db.MakeWordStore();
    const dao::DatabasePtr word = WordDb;
    MainRs = WordDb->OpenRecordset(QStringLiteral("SELECT ID FROM Main"), dao::RecordsetType::Snapshot);
    GreekFontSize = 11;
    SearchLang = 6;
    StartingUp = true;
    RepaIDs = {7, 8};
    KlinoQDefs[2] = QStringLiteral("SELECT 1");
    WordGenus = 2;
    SetTreeBuilt(true);
    Caps1185.Set(1199, QStringLiteral("gone"));
    Caps1104.Set(1105, QStringLiteral("Wrong"));
    ASSERT_FALSE(SqlMain.isEmpty());

    ResetSharedState();

    EXPECT_EQ(WordDb, nullptr);
    EXPECT_EQ(MainRs, nullptr);
    EXPECT_FALSE(word->IsOpen());
    EXPECT_EQ(GreekFontSize, 14);
    EXPECT_EQ(SearchLang, 4);
    EXPECT_FALSE(StartingUp);
    EXPECT_TRUE(DbPath.isEmpty());
    EXPECT_TRUE(SqlMain.isEmpty());
    EXPECT_TRUE(Lang3Table.isEmpty());
    EXPECT_TRUE(RepaIDs.isEmpty());
    EXPECT_TRUE(KlinoQDefs[2].isEmpty());
    EXPECT_FALSE(WordGenus.isValid());
    EXPECT_FALSE(TreeBuilt());
    EXPECT_EQ(Caps1185(1199), QString());
    EXPECT_EQ(Caps1104(1105), QString());

    // The names stay bound to the reset values.
    GreekFontSize = 11;
    EXPECT_EQ(Shared.GreekFontSize, 11);
}
