#include "store/StartUp.h"

#include "support/RecordingLink.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tav;

// The pause is measured against the test's own clock, a timer ticking every
// tenth of a second, rather than against the machine's: a timer fires in the
// order it falls due and never more often than its interval, so the counts
// below hold however slow or busy the machine is.
TEST(PauseBriefly, WaitsSixTenthsAsleepWhileEventsRun)
{
    QElapsedTimer wall;
    wall.start();
    int ticks = 0;
    QTimer clock;
    clock.setTimerType(Qt::PreciseTimer);
    QObject::connect(&clock, &QTimer::timeout, [&] { ++ticks; });
    clock.start(100);
    bool timerRan = false;
    QTimer::singleShot(100, &clock, [&] { timerRan = true; });
    // Each turn of the event loop wakes the dispatcher: a pause that polls
    // turns it thousands of times, one that sleeps once for each event.
    int turns = 0;
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    // The clock is the context of every connection here: none outlives the case.
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, &clock, [&] { ++turns; });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &clock, [&] { ++turns; });
    const int ticksLate = int(wall.elapsed() / 100); // ticks due before the pause began
    PauseBriefly();
    EXPECT_GE(wall.elapsed(), 600);
    EXPECT_TRUE(timerRan); // events are handled during the pause
    // Six ticks fall due within six tenths, a seventh may fire with the end.
    EXPECT_LE(ticks, 7 + ticksLate);
    EXPECT_LT(turns, 200);
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
