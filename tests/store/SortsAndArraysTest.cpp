#include "store/SortsAndArrays.h"

#include "store/SharedState.h"

#include <gtest/gtest.h>

using namespace tav;

namespace {
// Every case starts from an array holding something, so a routine that
// forgets to replace it shows.
class CommaLists : public ::testing::Test {
protected:
    void SetUp() override { GsortArr = QStringList{"left", "over"}; }
    void TearDown() override { ResetSharedState(); }
};
} // namespace

TEST_F(CommaLists, ArrayFillSplitsTrimsAndLeavesTheTail)
{
    QString list = "house, home ,flat";
    SortsObj.ArrayFill(list);
    EXPECT_EQ(GsortArr, QStringList({"house", "home", "flat"}));
    EXPECT_EQ(list, "flat");

    list = "a,b,";
    SortsObj.ArrayFill(list);
    EXPECT_EQ(GsortArr, QStringList({"a", "b", ""}));
    EXPECT_EQ(list, "");

    list = "";
    SortsObj.ArrayFill(list);
    EXPECT_EQ(GsortArr, QStringList({""}));

    list = "one, two,  three ";
    SortsObj.ArrayFill(list);
    EXPECT_EQ(GsortArr.last(), "three");
    EXPECT_EQ(list, "  three "); // the tail as it was, untrimmed
}

TEST_F(CommaLists, ShellSortOrdersByCharacterCodesAndTrims)
{
    QStringList arr{"pear", "Apple", "fig "};
    SortsObj.ArrayShellSortString(arr);
    EXPECT_EQ(arr, QStringList({"Apple", "fig", "pear"}));

    // Character codes: "?" (the exercise's unknown part) before letters,
    // capitals before small letters, a word before its longer forms.
    QStringList parts{" pear", "Apple ", "?", "banana", "apple", "b"};
    SortsObj.ArrayShellSortString(parts);
    EXPECT_EQ(parts, QStringList({"?", "Apple", "apple", "b", "banana", "pear"}));

    // Long enough for gaps above 1, with equal items and blanks on both ends.
    QStringList many{" k", "b", "z ", "a", "b", "Q", " m ", "c", "y", "d", "x", "e", "w", "f", "v"};
    SortsObj.ArrayShellSortString(many);
    EXPECT_EQ(many, QStringList({"Q", "a", "b", "b", "c", "d", "e", "f", "k", "m", "v", "w", "x", "y", "z"}));
}

TEST_F(CommaLists, ShellSortEndsOnTinyArrays)
{
    QStringList one{" only "};
    SortsObj.ArrayShellSortString(one); // a one-item list only trims
    EXPECT_EQ(one, QStringList({"only"}));
    QStringList none;
    SortsObj.ArrayShellSortString(none);
    EXPECT_TRUE(none.isEmpty());
    QStringList two{"b ", "b"};
    SortsObj.ArrayShellSortString(two);
    EXPECT_EQ(two, QStringList({"b", "b"}));
}

TEST_F(CommaLists, StringBackJoinsAndIsSafeOnEmpty)
{
    EXPECT_EQ(SortsObj.StringBack({"a", "b"}), "a, b");
    EXPECT_EQ(SortsObj.StringBack({"a"}), "a");
    EXPECT_EQ(SortsObj.StringBack({}), "");
    EXPECT_EQ(SortsObj.MakeString(), "");
}

TEST_F(CommaLists, CountCommaCountsAndCutsTheList)
{
    QString list = "dog, hound, cur";
    EXPECT_EQ(SortsObj.CountComma(list), 2);
    EXPECT_EQ(list, " cur");
    QString single = "dog";
    EXPECT_EQ(SortsObj.CountComma(single), 0);
    EXPECT_EQ(single, "dog");
    QString empty;
    EXPECT_EQ(SortsObj.CountComma(empty), 0);
    QString commas = ",,";
    EXPECT_EQ(SortsObj.CountComma(commas), 2);
    EXPECT_EQ(commas, "");
}

TEST_F(CommaLists, ItemEditsOnTheSharedArray)
{
    GsortArr = QStringList{"a", "b", "c", "b"};
    SortsObj.DelOrdGsortArr("b");
    EXPECT_EQ(GsortArr, QStringList({"a", "c"}));

    GsortArr = QStringList{"a"};
    SortsObj.DelOrdGsortArr("a");
    EXPECT_TRUE(GsortArr.isEmpty());
    SortsObj.DelOrdGsortArr("a"); // safe on an empty array
    EXPECT_TRUE(GsortArr.isEmpty());

    // Comparison is exact: case and blanks count.
    GsortArr = QStringList{"Dog", "dog", " dog"};
    SortsObj.DelOrdGsortArr("dog");
    EXPECT_EQ(GsortArr, QStringList({"Dog", " dog"}));

    GsortArr = QStringList{"a", "b", "c"};
    EXPECT_EQ(SortsObj.NewOrdIs("c"), "b");
    EXPECT_EQ(SortsObj.NewOrdIs("x"), "c");
    GsortArr = QStringList{"c"};
    EXPECT_EQ(SortsObj.NewOrdIs("c"), "");
    GsortArr.clear();
    EXPECT_EQ(SortsObj.NewOrdIs("c"), "");

    SortsObj.AddOrdArr("x");
    SortsObj.AddOrdArr("y");
    EXPECT_EQ(GsortArr, QStringList({"x", "y"}));

    GsortArr = QStringList{"a", "b", "a"};
    SortsObj.ChangeOrdGsortArr("a", "z");
    EXPECT_EQ(GsortArr, QStringList({"z", "b", "z"}));
}

TEST_F(CommaLists, DelOuterCommasStripsBothEnds)
{
    QString list = ", a ,,";
    EXPECT_EQ(SortsObj.DelOuterCommas(list), "a");
    EXPECT_EQ(list, "a");
    QString trailingBlank = "a, "; // stops at an end that is not a comma
    EXPECT_EQ(SortsObj.DelOuterCommas(trailingBlank), "a, ");
    QString inner = "a, b";
    EXPECT_EQ(SortsObj.DelOuterCommas(inner), "a, b");
    QString onlyCommas = ", ,";
    EXPECT_EQ(SortsObj.DelOuterCommas(onlyCommas), "");
    QString empty;
    EXPECT_EQ(SortsObj.DelOuterCommas(empty), "");
}

TEST_F(CommaLists, GreekMembersUseTheLetterMapping)
{
    QString key = "A";
    EXPECT_TRUE(SortsObj.TavGreCheck(key));
    EXPECT_EQ(key, "a");
    EXPECT_EQ(SortsObj.TavGreSort("Vs"), "rr");
}
