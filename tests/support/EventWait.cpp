#include "support/EventWait.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tavtest {

void WaitPast(int ms)
{
    bool fired = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&fired] { fired = true; });
    timer.start(ms);
    // The limit only ends a test whose event loop no longer runs.
    if (!QTest::qWaitFor([&fired] { return fired; }, ms + 60000))
        ADD_FAILURE() << "a timer of " << ms << " ms never fired";
}

} // namespace tavtest
