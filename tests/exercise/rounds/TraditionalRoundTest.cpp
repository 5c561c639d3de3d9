#include "ExerciseStoreFixture.h"

#include "exercise/rounds/TraditionalRound.h"
#include "exercise/rounds/WrongStore.h"
#include "store/StoreQueries.h"

#include <QDateTime>

using namespace tavtest;
using tav::TraditionalRound;

namespace {

class TraditionalRoundTest : public ExerciseStoreFixture {
protected:
    // Draws the next word and answers it right or wrong.
    TraditionalRound::Judgement Answer(bool right)
    {
        const QString stored = English(tav::CurrentWordID);
        return round.Judge(right ? stored : QStringLiteral("no such meaning"), stored, 1, {"", "", stored});
    }
    long long NextWord()
    {
        const TraditionalRound::Draw d = round.Next();
        return d.ID.value_or(-1);
    }
    long long Stored() const { return Count("SELECT COUNT(*) FROM WrongIDs"); }

    TraditionalRound round{tav::Rnd()};
};

} // namespace

TEST_F(TraditionalRoundTest, WrongAnswersAreRepeatedInOrderUntilRight)
{
    round.Start();
    QList<long long> missed;
    for (int i = 0; i < 3; ++i) {
        missed << NextWord();
        Answer(false);
    }
    EXPECT_EQ(tav::RepaIDs, missed);
    EXPECT_FALSE(tav::boRepa);
    // Repetition mode: the missed words come back first, in order; a wrong
    // answer keeps the word first.
    EXPECT_EQ(NextWord(), missed[0]);
    EXPECT_TRUE(tav::boRepa);
    Answer(false);
    EXPECT_EQ(NextWord(), missed[0]);
    Answer(true);
    EXPECT_EQ(NextWord(), missed[1]);
    Answer(true);
    EXPECT_EQ(NextWord(), missed[2]);
    Answer(true);
    EXPECT_TRUE(round.RepaLines().isEmpty());
    const long long fresh = NextWord();
    EXPECT_FALSE(tav::boRepa);
    EXPECT_FALSE(missed.contains(fresh));
    // Three words stored, none twice.
    EXPECT_EQ(Stored(), 3);
}

TEST_F(TraditionalRoundTest, AWordIsJudgedOnceAndStoredOnce)
{
    KeepOnly({2});
    round.Start();
    ASSERT_EQ(NextWord(), 2);
    EXPECT_TRUE(Answer(false).Judged);
    EXPECT_FALSE(Answer(false).Judged); // the timer after Return: no second judgement
    EXPECT_EQ(tav::RepaIDs.size(), 1);
    round.Start();
    ASSERT_EQ(NextWord(), 2);
    Answer(false);
    EXPECT_EQ(Stored(), 1);
    EXPECT_TRUE(db.Value("SELECT MadeDate FROM WrongIDs").toString().contains('T'));
    EXPECT_FALSE(tav::StoreWrongAnswer(2, QDateTime::currentDateTime()));
}

TEST_F(TraditionalRoundTest, NothingToDrawIsSaidAndTheRoundStaysUsable)
{
    KeepOnly({2});
    tav::OptNbrRepeats = 5;
    round.Start();
    NextWord();
    Answer(false);
    const TraditionalRound::Draw none = round.Next(); // the only word waits in the repetition list
    EXPECT_FALSE(none.ID.has_value());
    EXPECT_TRUE(none.NothingToDraw);
    EXPECT_FALSE(round.Asking());
    round.Start();
    EXPECT_EQ(NextWord(), 2);
}

TEST_F(TraditionalRoundTest, AFullStoreAsksAndYesPractisesTheStore)
{
    tav::OptNbrWrongs = 2;
    round.Start();
    NextWord();
    Answer(false);
    NextWord();
    const TraditionalRound::Judgement j = Answer(false);
    EXPECT_EQ(j.Then, TraditionalRound::After::AskStoreFull);
    EXPECT_EQ(TraditionalRound::StoreFullQuestion(), "Store full?");
    EXPECT_EQ(tav::RepaIDs.size(), 2); // kept until the question is answered
    EXPECT_EQ(round.StoreFullAnswered(true).Then, TraditionalRound::After::AskNext);
    EXPECT_EQ(round.WordSource, TraditionalRound::Source::Store);
    EXPECT_TRUE(tav::RepaIDs.isEmpty());
    EXPECT_EQ(Stored(), 2);
    const QVector<long long> stored = tav::StoredWrongIDs();
    EXPECT_TRUE(stored.contains(NextWord()));
}

TEST_F(TraditionalRoundTest, AFullStoreAnsweredNoIsEmptiedAndALoweredLimitStillAsks)
{
    round.Start();
    for (int i = 0; i < 3; ++i) {
        NextWord();
        Answer(false);
    }
    tav::OptNbrWrongs = 2; // lowered below the stored count
    round.Start();
    NextWord();
    EXPECT_EQ(Answer(false).Then, TraditionalRound::After::AskStoreFull);
    EXPECT_GT(Stored(), 0);
    EXPECT_EQ(round.StoreFullAnswered(false).Then, TraditionalRound::After::Restart);
    EXPECT_EQ(Stored(), 0);
    EXPECT_EQ(round.WordSource, TraditionalRound::Source::AllWords);
}

TEST_F(TraditionalRoundTest, RightAnswersDrainTheStoreThenTheSourceSwitches)
{
    tav::StoreWrongAnswer(11, QDateTime::currentDateTime());
    tav::StoreWrongAnswer(987654, QDateTime::currentDateTime()); // a deleted word
    round.WordSource = TraditionalRound::Source::Store;
    round.Start();
    EXPECT_EQ(NextWord(), 11);
    EXPECT_EQ(Stored(), 1); // the deleted word's row went
    Answer(true);
    EXPECT_EQ(Stored(), 0);
    const TraditionalRound::Draw d = round.Next();
    EXPECT_TRUE(d.SwitchedToAllWords);
    EXPECT_TRUE(d.ID.has_value());
    EXPECT_EQ(round.WordSource, TraditionalRound::Source::AllWords);
}

TEST_F(TraditionalRoundTest, AWrongAnswerFromTheStoreChangesOnlyTheRepetitionList)
{
    tav::StoreWrongAnswer(11, QDateTime::currentDateTime());
    round.WordSource = TraditionalRound::Source::Store;
    round.Start();
    NextWord();
    Answer(false);
    EXPECT_EQ(Stored(), 1);
    EXPECT_EQ(tav::RepaIDs, QList<long long>({11}));
}

TEST_F(TraditionalRoundTest, AStoreThatCannotBeEmptiedKeepsTheRoundAsItIs)
{
    tav::OptNbrWrongs = 1;
    round.Start();
    NextWord();
    EXPECT_EQ(Answer(false).Then, TraditionalRound::After::AskStoreFull);
    Exec("CREATE TRIGGER KeepWrongs BEFORE DELETE ON WrongIDs BEGIN SELECT RAISE(ABORT, 'read-only'); END");
    const TraditionalRound::StoreFullOutcome answered = round.StoreFullAnswered(false);
    EXPECT_EQ(answered.Then, TraditionalRound::After::Nothing);
    ASSERT_TRUE(answered.Error); // the failed write, for the window to tell
    EXPECT_TRUE(answered.Error->Prompt.contains("read-only")) << answered.Error->Prompt.toStdString();
    EXPECT_EQ(Stored(), 1);
    EXPECT_EQ(round.WordSource, TraditionalRound::Source::AllWords);
}

TEST_F(TraditionalRoundTest, SparseIdsAreDrawnFromWhatExists)
{
    Exec("DELETE FROM Main WHERE ID < 1400");
    round.Start();
    for (int i = 0; i < 20; ++i) {
        const long long id = NextWord();
        EXPECT_GE(id, 1400);
        Answer(true);
    }
}
