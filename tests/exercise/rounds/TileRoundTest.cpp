#include "exercise/rounds/TileRound.h"
#include "exercise/rounds/VerbForms.h"

#include <QSet>

#include <gtest/gtest.h>

using tav::TileRound;

namespace {

TileRound Round(int n)
{
    QStringList texts, tags;
    QVector<long long> ids;
    for (int i = 0; i < n; ++i) {
        texts << QStringLiteral("w%1").arg(i);
        tags << QStringLiteral("t%1").arg(i);
        ids << 100 + i;
    }
    TileRound round;
    round.SetRows(texts, tags, ids);
    return round;
}

// The tile that carries the text of row r.
int TileOf(const TileRound &round, int r)
{
    for (int i = 0; i < round.Count(); ++i)
        if (round.TileAt(i).Text == round.Text(r))
            return i;
    return -1;
}

} // namespace

TEST(TileRound, ADealHandsEveryRowsTextToOneTileWithItsTagAndId)
{
    tav::ExerciseRandom rng;
    rng.Seed(3);
    TileRound round = Round(6);
    ASSERT_TRUE(round.Deal(rng));
    QSet<QString> texts;
    for (int i = 0; i < 6; ++i) {
        const TileRound::Tile &t = round.TileAt(i);
        texts.insert(t.Text);
        const int row = t.Text.mid(1).toInt();
        EXPECT_EQ(t.Tag, QStringLiteral("t%1").arg(row));
        EXPECT_EQ(t.ID, 100 + row);
        EXPECT_TRUE(t.Visible && t.Enabled);
    }
    EXPECT_EQ(texts.size(), 6);
}

TEST(TileRound, RightWrongAndRefusedDrops)
{
    tav::ExerciseRandom rng;
    TileRound round = Round(4);
    round.Deal(rng);
    const int tile = TileOf(round, 2);
    EXPECT_EQ(round.DropTile(tile, (2 + 1) % 4), TileRound::Drop::Wrong);
    EXPECT_EQ(round.State(3), TileRound::RowState::Failed);
    EXPECT_EQ(round.TileAt(tile).Text, "w2"); // the text stays in the tile
    EXPECT_EQ(round.DropTile(tile, 2), TileRound::Drop::Right);
    EXPECT_TRUE(round.TileAt(tile).Text.isEmpty());
    EXPECT_EQ(round.Solved(), 1);
    // A solved row takes no second tile; an emptied tile drops nothing.
    EXPECT_EQ(round.DropTile(TileOf(round, 0), 2), TileRound::Drop::Refused);
    EXPECT_EQ(round.DropTile(tile, 0), TileRound::Drop::Refused);
    EXPECT_EQ(round.DropTile(0, 7), TileRound::Drop::Refused);
}

TEST(TileRound, DealingAgainGivesTilesOnlyToTheUnsolvedRows)
{
    for (int solvedRows : {1, 2}) {
        tav::ExerciseRandom rng;
        rng.Seed(solvedRows);
        TileRound round = Round(6);
        round.Deal(rng);
        for (int r = 0; r < solvedRows; ++r)
            ASSERT_EQ(round.DropTile(TileOf(round, r), r), TileRound::Drop::Right);
        round.DropTile(TileOf(round, 4), 5); // a failed row
        round.Deal(rng);
        EXPECT_EQ(round.State(5), TileRound::RowState::Unsolved);
        int dealt = 0;
        for (int i = 0; i < 6; ++i) {
            const TileRound::Tile &t = round.TileAt(i);
            if (i < solvedRows) {
                EXPECT_FALSE(t.Enabled);
                EXPECT_TRUE(t.Text.isEmpty());
                continue;
            }
            ++dealt;
            EXPECT_GE(t.Text.mid(1).toInt(), solvedRows) << "a solved word was dealt again";
        }
        EXPECT_EQ(dealt, 6 - solvedRows);
        EXPECT_EQ(round.Solved(), solvedRows);
    }
}

TEST(TileRound, AnEmptyRoundDealsNothingAndAFullOneIsComplete)
{
    tav::ExerciseRandom rng;
    TileRound empty;
    EXPECT_FALSE(empty.Deal(rng));
    EXPECT_FALSE(empty.Complete());
    TileRound round = Round(2);
    round.Deal(rng);
    round.DropTile(TileOf(round, 0), 0);
    round.DropTile(TileOf(round, 1), 1);
    EXPECT_TRUE(round.Complete());
}

TEST(VerbForms, WordClassTags)
{
    EXPECT_EQ(tav::WordClassTag("c1"), "V");
    EXPECT_EQ(tav::WordClassTag("cp2"), "V");
    EXPECT_EQ(tav::WordClassTag("b"), "Adj");
    EXPECT_EQ(tav::WordClassTag("ad"), "Adv");
    EXPECT_EQ(tav::WordClassTag("af"), "N");
    EXPECT_EQ(tav::WordClassTag("num"), "");
    EXPECT_EQ(tav::WordClassTag(""), "");
}

TEST(VerbForms, TheVoiceShownFollowsTheClassAndTheUsableForms)
{
    tav::ExerciseRandom rng;
    using tav::Voice;
    const QStringList good{"a", "b", "c", "d", "e", "f"};
    EXPECT_TRUE(tav::VoiceUsable(good));
    EXPECT_FALSE(tav::VoiceUsable({"a", "b-c", "c", "d", "e", "f"}));
    EXPECT_FALSE(tav::VoiceUsable({"a", "", "c", "d", "e", "f"}));
    EXPECT_FALSE(tav::VoiceUsable({"a", "b"}));
    EXPECT_EQ(tav::ChooseVoice("cp1", true, true, rng), Voice::Passive);
    EXPECT_EQ(tav::ChooseVoice("cp5", false, false, rng), Voice::Passive);
    // A passive class whose passive forms cannot be asked shows the active.
    EXPECT_EQ(tav::ChooseVoice("cp3", true, false, rng), Voice::Active);
    EXPECT_EQ(tav::ChooseVoice("c1", false, true, rng), Voice::Passive);
    EXPECT_EQ(tav::ChooseVoice("c1", true, false, rng), Voice::Active);
    EXPECT_EQ(tav::ChooseVoice("c2", false, false, rng), Voice::Active);
    EXPECT_EQ(tav::ChooseVoice("af", true, true, rng), Voice::Keep);
    QSet<int> seen;
    for (int i = 0; i < 40; ++i)
        seen.insert(int(tav::ChooseVoice("c1", true, true, rng)));
    EXPECT_EQ(seen.size(), 2);
}
