#include "store/StartUp.h"

#include "support/RecordingLink.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <ctime>

using namespace tav;

TEST(PauseBriefly, WaitsSixTenthsWhileEventsRun)
{
    bool timerRan = false;
    QTimer::singleShot(100, [&] { timerRan = true; });
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpuStart = std::clock();
    PauseBriefly();
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    EXPECT_GE(wall.elapsed(), 600);
    EXPECT_LT(wall.elapsed(), 2000);
    EXPECT_TRUE(timerRan); // events are handled during the pause
    EXPECT_LT(cpuSeconds, 0.3); // it sleeps in the event loop rather than spinning
}

TEST(ScreenResolution, TextAndGreekFontSize)
{
    tavtest::RecordingLink link;
    link.desktop = QSize(800, 600);
    EXPECT_EQ(ScreenResolution(), "800x600");
    EXPECT_EQ(GreekFontSizeFor(ScreenResolution()), 11);
    link.desktop = QSize(640, 480);
    EXPECT_EQ(ScreenResolution(), "640x480");
    EXPECT_EQ(GreekFontSizeFor(ScreenResolution()), 14);
    link.desktop = QSize(1920, 1080);
    EXPECT_EQ(GreekFontSizeFor(ScreenResolution()), 14);
    EXPECT_EQ(GreekFontSizeFor("800x6000"), 14);
    EXPECT_EQ(GreekFontSizeFor("600x800"), 14);
}
