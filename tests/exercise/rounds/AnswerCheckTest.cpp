#include "exercise/rounds/AnswerCheck.h"

#include <gtest/gtest.h>

using tav::cuPart;
using tav::VerdictCaption;

TEST(AnswerCheck, PartsInAnyOrderAndSpacingAreRightAndShownSorted)
{
    const tav::PartCheck c = cuPart("home,house", "house, home", true);
    EXPECT_EQ(c.Right, QVector<bool>({true, true}));
    EXPECT_TRUE(c.Ok);
    EXPECT_EQ(c.Shown, "home, house");
}

TEST(AnswerCheck, MissingPartsArePaddedWithQuestionMarksThatSortFirst)
{
    const tav::PartCheck all = cuPart("dog", "cat, dog, mouse", true);
    EXPECT_EQ(all.Shown, "?, ?, dog");
    EXPECT_EQ(all.Right, QVector<bool>({false, false, true}));
    EXPECT_FALSE(all.Ok);
    EXPECT_EQ(VerdictCaption(all.Right, true, 3), 1105);

    const tav::PartCheck one = cuPart("dog", "cat, dog, mouse", false);
    EXPECT_TRUE(one.Ok);
    EXPECT_EQ(VerdictCaption(one.Right, false, 3), 1107);
}

TEST(AnswerCheck, EveryRepeatOfATypedPartCountsAsUnknown)
{
    // Neighbours and parts further apart alike: a meaning counts once.
    EXPECT_EQ(cuPart("cat, cat", "cat, dog", true).Right, QVector<bool>({false, true}));
    const tav::PartCheck apart = cuPart("cat, dog, cat", "cat, dog, mouse", false);
    EXPECT_EQ(apart.Shown, "?, cat, dog");
    EXPECT_EQ(apart.Right, QVector<bool>({false, true, true}));
}

TEST(AnswerCheck, CaseCountsAndAnEmptyAnswerIsAQuestionMark)
{
    EXPECT_FALSE(cuPart("House", "house", false).Ok);
    EXPECT_TRUE(cuPart("  house ", "house", true).Ok);
    const tav::PartCheck empty = cuPart("", "house", false);
    EXPECT_EQ(empty.Shown, "?");
    EXPECT_FALSE(empty.Ok);
    EXPECT_EQ(cuPart("  ", "a, b", false).Shown, "?, ?");
    // An empty last part after a comma is dropped; one inside is unknown.
    EXPECT_EQ(cuPart("a,", "a, b", true).Shown, "?, a");
    EXPECT_EQ(cuPart("a,,b", "a, b", true).Right, QVector<bool>({false, true, true}));
}

TEST(AnswerCheck, VerdictsWithAndWithoutEveryMeaningRequired)
{
    EXPECT_EQ(VerdictCaption({true, true}, true, 2), 1106);
    EXPECT_EQ(VerdictCaption({true, false}, true, 2), 1105);
    EXPECT_EQ(VerdictCaption({false, false}, false, 2), 1105);
    EXPECT_EQ(VerdictCaption({true, true}, false, 2), 1106);
    EXPECT_EQ(VerdictCaption({true, false}, false, 2), 1107);
    EXPECT_EQ(VerdictCaption({true}, false, 0), 0);
}
