#include "store/CaptionArrays.h"

#include <gtest/gtest.h>

using tav::CaptionArray;

TEST(CaptionArrays, IndexedByCaptionNumberWithinBounds)
{
    CaptionArray caps(1185, 1218);
    EXPECT_EQ(caps.LBound(), 1185);
    EXPECT_EQ(caps.UBound(), 1218);
    EXPECT_EQ(caps.Texts().size(), 34);
    caps.Set(1185, QStringLiteral("first"));
    caps.Set(1218, QStringLiteral("last"));
    EXPECT_EQ(caps(1185), QStringLiteral("first"));
    EXPECT_EQ(caps(1218), QStringLiteral("last"));
    EXPECT_EQ(caps(1200), QString());
}

TEST(CaptionArrays, NumbersOutsideTheBoundsReadEmptyAndAreNotStored)
{
    CaptionArray caps(1079, 1081);
    caps.Set(1078, QStringLiteral("below"));
    caps.Set(1082, QStringLiteral("above"));
    EXPECT_EQ(caps(1078), QString());
    EXPECT_EQ(caps(1082), QString());
    EXPECT_EQ(caps.Texts(), QStringList({QString(), QString(), QString()}));
    caps.Set(1080, QStringLiteral("x"));
    caps.Clear();
    EXPECT_EQ(caps(1080), QString());
}

TEST(CaptionArrays, MainWindowFillsTwentyOneArraysInItsOrder)
{
    const auto &arrays = tav::MainCaptionArrays();
    ASSERT_EQ(arrays.size(), 21);
    EXPECT_EQ(arrays.first(), &tav::Caps1185);
    EXPECT_EQ(arrays.at(1), &tav::Caps1172);
    EXPECT_EQ(arrays.last(), &tav::Caps1335);
    int lowest = 10000, highest = 0;
    for (const auto *a : arrays) {
        lowest = std::min(lowest, a->LBound());
        highest = std::max(highest, a->UBound());
    }
    EXPECT_EQ(lowest, 1079);
    EXPECT_EQ(highest, 1378);
}
