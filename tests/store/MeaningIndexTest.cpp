#include "store/MeaningIndex.h"

#include "WordStoreFixture.h"
#include "support/RecordingListWindow.h"

using namespace tav;
using tavtest::Spiti;

namespace {

class MeaningIndex : public tavtest::WordStoreTest {
protected:
    // Commits an edit of the English column (5) of row 3 from old to new.
    Outcome EditEnglish(long long id, const QString &oldList, const QString &newList)
    {
        return SyncMeaningIndex(grid, newList, 0, id, oldList, 5, 3);
    }
    tavtest::RecordingGrid grid;
};

} // namespace

TEST(SortCommaListTest, SortsByCharacterCodesAndSetsTheList)
{
    QString list = "pear, Apple, fig ";
    EXPECT_EQ(SortCommaList(list), "Apple, fig, pear");
    EXPECT_EQ(list, "Apple, fig, pear");
    EXPECT_EQ(GsortArr, (QStringList{"Apple", "fig", "pear"}));
    QString one = " house ";
    EXPECT_EQ(SortCommaList(one), "house");
    GsortArr.clear();
}

TEST_F(MeaningIndex, ReplacingAMeaningChangesOnlyThatRow)
{
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "dwelling, home"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"dwelling", "home"}));
    // The new row carries the word's article, spelling and sort key.
    EXPECT_EQ(Text("SELECT Art || '|' || Greek || '|' || Sal FROM AllEnglishGreek WHERE Lat = 'dwelling'"),
              "to|spivti|" + TavGreSort("spivti"));
    EXPECT_EQ(GsortArr, (QStringList{"dwelling", "home"})) << "GsortArr holds the new items";
}

TEST_F(MeaningIndex, OverlappingListsAreComparedAsSets)
{
    // Matching by position would rename both rows to "c".
    AddMeanings("AllEnglishGreek", tavtest::Edo, {"a", "b"});
    Exec("DELETE FROM AllEnglishGreek WHERE ID = 900003 AND Lat = 'here'");
    EXPECT_TRUE(EditEnglish(tavtest::Edo, "a, b", "b, c"));
    EXPECT_EQ(Meanings("AllEnglishGreek", tavtest::Edo), (QStringList{"b", "c"}));
}

TEST_F(MeaningIndex, AddingAndRemovingSeveralMeanings)
{
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "abode, home, house"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"abode", "home", "house"}));
    EXPECT_TRUE(EditEnglish(Spiti, "abode, home, house", "home"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), QStringList{"home"});
    EXPECT_TRUE(EditEnglish(Spiti, "home", "flat, home, residence"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"flat", "home", "residence"}));
    // Other words keep their rows.
    EXPECT_EQ(Meanings("AllEnglishGreek", tavtest::Poli), (QStringList{"city", "town"}));
}

TEST_F(MeaningIndex, ReorderingOrRepeatingChangesNothing)
{
    const QStringList before = Column("SELECT rowid FROM AllEnglishGreek WHERE ID = 900001 ORDER BY rowid");
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "house, home"));
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "house, home, house"));
    EXPECT_EQ(Column("SELECT rowid FROM AllEnglishGreek WHERE ID = 900001 ORDER BY rowid"), before);

    // A meaning typed twice is stored once.
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "home, house, hut, hut"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"home", "house", "hut"}));
}

TEST_F(MeaningIndex, AMeaningWithAnApostropheIsStoredAsTyped)
{
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "home, house, o'clock"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"home", "house", "o'clock"}));
    EXPECT_TRUE(EditEnglish(Spiti, "home, house, o'clock", "home, house"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"home", "house"}));
}

TEST_F(MeaningIndex, AWordMissingFromMainIsRefusedAndNothingChanges)
{
    Exec("DELETE FROM Main WHERE ID = 900001");
    grid.m_row = 7;
    grid.m_col = 2;
    const Outcome synced = EditEnglish(Spiti, "home, house", "dwelling, house");
    // Neither the removal nor the addition was stored.
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"home", "house"}));
    ASSERT_FALSE(synced);
    EXPECT_EQ(synced.Failure->Prompt, "This word is no longer in the word list.");
    EXPECT_EQ(synced.Failure->Style, winsys::vbCritical);
    EXPECT_EQ(synced.Failure->Title, "Tavrinel");
    EXPECT_TRUE(messages.Messages().isEmpty());
    // The old text is back in the edited cell, which is current and focused.
    EXPECT_EQ(grid.TextMatrix(3, 5), "home, house");
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(grid.m_focusCalls, 1);

    // Removing meanings needs no Main row.
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "house"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), QStringList{"house"});
}

TEST_F(MeaningIndex, EachColumnKeepsItsOwnTable)
{
    EXPECT_TRUE(SyncMeaningIndex(grid, "bostad, hus", 1, Spiti, "hus", 6, 2));
    EXPECT_EQ(Meanings("AllSwedishGreek", Spiti), (QStringList{"bostad", "hus"}));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"home", "house"}));

    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "home"));
    EXPECT_EQ(Meanings("AllSwedishGreek", Spiti), (QStringList{"bostad", "hus"}));

    // Any other column touches no table.
    EXPECT_TRUE(SyncMeaningIndex(grid, "x", 1, Spiti, "home", 4, 2));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), QStringList{"home"});
}

TEST_F(MeaningIndex, MeaningsThatDifferOnlyInCaseAreKeptApart)
{
    // The table compares without regard to case; the lists do not. Dropping
    // "Home" must not take the row of "home" with it.
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "Home, home, house"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"Home", "home", "house"}));
    EXPECT_TRUE(EditEnglish(Spiti, "Home, home, house", "home, house"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"home", "house"}));

    // Correcting the case of a meaning gives its row the new spelling.
    EXPECT_TRUE(EditEnglish(Spiti, "home, house", "Home, house"));
    EXPECT_EQ(Meanings("AllEnglishGreek", Spiti), (QStringList{"Home", "house"}));
}
