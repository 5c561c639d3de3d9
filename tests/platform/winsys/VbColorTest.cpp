#include "platform/winsys/VbColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

using namespace winsys;

TEST(VbColor, NumbersAreBlueGreenRed)
{
    EXPECT_EQ(FromVbColor(0x0000FF), QColor(255, 0, 0));     // red
    EXPECT_EQ(FromVbColor(0xFF0000), QColor(0, 0, 255));     // blue
    EXPECT_EQ(FromVbColor(0x00FF00), QColor(0, 255, 0));     // green
    EXPECT_EQ(FromVbColor(0x00FFFF), QColor(255, 255, 0));   // yellow
    EXPECT_EQ(FromVbColor(0xFFFFC0), QColor(192, 255, 255)); // pale cyan
    EXPECT_EQ(FromVbColor(0xC0E0FF), QColor(255, 224, 192)); // the band colour of form lists
    EXPECT_EQ(FromVbColor(0), QColor(0, 0, 0));
}

TEST(VbColor, RoundTrip)
{
    EXPECT_EQ(ToVbColor(QColor(255, 0, 0)), 0x0000FF);
    EXPECT_EQ(ToVbColor(QColor(0, 0, 255)), 0xFF0000);
    EXPECT_EQ(ToVbColor(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_EQ(ToVbColor(QColor(0x12, 0x34, 0x56, 10)), 0x563412); // alpha dropped
    EXPECT_EQ(ToVbColor(QColor::fromHsv(200, 100, 100)), ToVbColor(QColor::fromHsv(200, 100, 100).toRgb()));
    for (long v : {0x000000L, 0xFFFFFFL, 0x0080FFL, 0xFFFFC0L, 0x123456L})
        EXPECT_EQ(ToVbColor(FromVbColor(v)), v);
}

TEST(VbColor, SystemColoursComeFromThePalette)
{
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(FromVbColor(0x8000000FL), palette.color(QPalette::Active, QPalette::Button));
    // The same number as a negative 32-bit value.
    EXPECT_EQ(FromVbColor(static_cast<long>(static_cast<int>(0x8000000Fu))),
              palette.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(FromVbColor(0x80000005L), palette.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(FromVbColor(0x80000012L), palette.color(QPalette::Active, QPalette::ButtonText));
}
