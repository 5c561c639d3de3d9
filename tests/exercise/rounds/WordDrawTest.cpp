#include "ExerciseStoreFixture.h"

#include "store/StoreQueries.h"

using namespace tavtest;
using tav::DrawRound;

namespace {

QVector<long long> Ids(std::initializer_list<long long> ids) { return QVector<long long>(ids); }

} // namespace

TEST(WordDraw, ARoundHasNoRepeatsAndOnlyEligibleIds)
{
    tav::ExerciseRandom rng;
    rng.Seed(7);
    QSet<long long> cycle;
    const QVector<long long> eligible = Ids({3, 17, 250, 4000, 99999, 100000, 5});
    const QVector<long long> round = DrawRound(eligible, 5, cycle, rng);
    ASSERT_EQ(round.size(), 5);
    EXPECT_EQ(QSet<long long>(round.begin(), round.end()).size(), 5);
    for (long long id : round)
        EXPECT_TRUE(eligible.contains(id));
    EXPECT_EQ(cycle, QSet<long long>(round.begin(), round.end()));
}

TEST(WordDraw, AUsedUpCycleStartsAgainKeepingThisRoundsPicks)
{
    tav::ExerciseRandom rng;
    rng.Seed(1);
    QSet<long long> cycle;
    const QVector<long long> eligible = Ids({1, 2, 3, 4, 5});
    const QVector<long long> first = DrawRound(eligible, 3, cycle, rng);
    const QVector<long long> second = DrawRound(eligible, 3, cycle, rng);
    // The two words the first round left come first; the cycle then restarts.
    QSet<long long> left = QSet<long long>(eligible.begin(), eligible.end()) - QSet<long long>(first.begin(), first.end());
    EXPECT_EQ(QSet<long long>(second.begin(), second.begin() + 2), left);
    EXPECT_EQ(QSet<long long>(second.begin(), second.end()).size(), 3);
    EXPECT_EQ(cycle, QSet<long long>(second.begin(), second.end()));
}

TEST(WordDraw, NeverMoreWordsThanExistAndNothingFromNothing)
{
    tav::ExerciseRandom rng;
    QSet<long long> cycle{2};
    EXPECT_EQ(DrawRound(Ids({2, 9}), 10, cycle, rng).size(), 2);
    EXPECT_TRUE(DrawRound({}, 4, cycle, rng).isEmpty());
    EXPECT_FALSE(tav::DrawOne(Ids({4, 6}), {4, 6}, rng).has_value());
    EXPECT_EQ(tav::DrawOne(Ids({4, 6}), {4}, rng), 6);
}

TEST(WordDraw, CriteriaNameExactlyTheDrawnWords)
{
    EXPECT_EQ(tav::PickCriteriaFor(Ids({5, 9})), "ID = 5 OR ID  = 9");
    EXPECT_EQ(tav::PickCriteriaFor(Ids({5})), "ID = 5");
}

class WordDrawDb : public ExerciseStoreFixture {};

TEST_F(WordDrawDb, DeletedWordsAreNeverDrawnAndTheRoundIsStillFull)
{
    // IDs 1..1454 with most deleted: the draw takes what exists.
    Exec("DELETE FROM Main WHERE ID % 100 <> 0");
    tav::OptNbrScribble = 5;
    for (int round = 0; round < 6; ++round) {
        tav::PickRandomWords();
        ASSERT_EQ(tav::PickIDs.size(), 5);
        for (const QVariant &id : tav::PickIDs) {
            EXPECT_EQ(id.toLongLong() % 100, 0);
            EXPECT_TRUE(tav::MainIDExists(id.toLongLong()));
        }
        const long long rows = Count("SELECT COUNT(*) FROM Main WHERE " + tav::PickCriteria);
        EXPECT_EQ(rows, 5);
    }
}

TEST_F(WordDrawDb, VerbsWithACompleteTenseOnly)
{
    const QVector<long long> verbs = tav::VerbsCompleteIn("KonT1");
    ASSERT_GT(verbs.size(), 300);
    for (long long id : {verbs.first(), verbs[verbs.size() / 2], verbs.last()}) {
        EXPECT_TRUE(tav::HasCompleteConjugation("KonT1", id));
        EXPECT_TRUE(db.Value(QString("SELECT WT FROM Main WHERE ID = %1").arg(id)).toString().startsWith('c'));
    }
    // A verb whose forms are blanked in one table is not eligible there.
    Exec(QString("UPDATE KonT2 SET S2a = '', P3p = NULL WHERE ID = %1").arg(verbs.first()));
    EXPECT_FALSE(tav::VerbsCompleteIn("KonT2").contains(verbs.first()));
    EXPECT_TRUE(tav::VerbsCompleteIn("KonT1").contains(verbs.first()));
}

TEST_F(WordDrawDb, TheIdsReadLastAreNotUsedAfterAnotherProgramDeletedAWord)
{
    ASSERT_TRUE(tav::MainWordIDs().contains(7));
    db.Open()->ExecNative("DELETE FROM Main WHERE ID = 7");
    EXPECT_FALSE(tav::MainWordIDs().contains(7));
    Exec("DELETE FROM Main WHERE ID = 8");
    EXPECT_FALSE(tav::MainWordIDs().contains(8));
}

// Two tables trade names: not a row changes, yet the same query reads other rows.
TEST_F(WordDrawDb, TheIdsAreReadAgainWhenTheTablesChangeWithoutARowChanging)
{
    const long long verb = tav::VerbsCompleteIn("KonT1").first();
    Exec(QString("UPDATE KonT2 SET S2a = '', P3p = NULL WHERE ID = %1").arg(verb));
    ASSERT_TRUE(tav::VerbsCompleteIn("KonT1").contains(verb));
    for (const char *sql : {"ALTER TABLE KonT1 RENAME TO Swap", "ALTER TABLE KonT2 RENAME TO KonT1",
                            "ALTER TABLE Swap RENAME TO KonT2"})
        Exec(sql);
    EXPECT_FALSE(tav::VerbsCompleteIn("KonT1").contains(verb));
}
