#include "platform/winsys/Twips.h"

#include <gtest/gtest.h>

using namespace winsys;

TEST(Twips, AtNinetySixDpiAnInchIsNinetySixPixels)
{
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_EQ(PixelsToTwips(1, 96), 15);
    // Widths the windows use.
    EXPECT_EQ(TwipsToPixels(1700, 96), 113);
    EXPECT_EQ(TwipsToPixels(550, 96), 37);
    EXPECT_EQ(TwipsToPixels(-300, 96), -20);
}

TEST(Twips, OtherDpiAndRounding)
{
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);  // 0.47 px
    EXPECT_EQ(TwipsToPixels(8, 96), 1);  // 0.53 px
    EXPECT_EQ(PixelsToTwips(10, 0), 150); // no DPI: the 96-dpi default, never a division by zero
}

TEST(Twips, ScreenConversionsUseTheOffscreenNinetySixDpi)
{
    // The test program runs on the offscreen platform, which reports 96 dpi.
    ASSERT_DOUBLE_EQ(ScreenDpiX(), 96.0);
    EXPECT_EQ(TwipsToPixelsX(1440), 96);
    EXPECT_EQ(TwipsToPixelsY(1440), 96);
    EXPECT_EQ(PixelsToTwipsX(800), 12000);
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(), 15.0);
    EXPECT_EQ(TwipsToPixels(QRect(300, 300, 5540, 1500)), QRect(20, 20, 369, 100));
    EXPECT_EQ(PixelsToTwips(QSize(800, 600)), QSize(12000, 9000));
}
