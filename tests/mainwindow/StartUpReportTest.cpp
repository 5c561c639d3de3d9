// The report of the painted, idle main window a start-up benchmark reads.

#include "mainwindow/StartUpReport.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace {

TEST(StartUpReport, AfterTheFirstPaintTheIdleLoopReportsThePausesAndEnds)
{
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
    qputenv("TAV_REPORT_IDLE", QByteArray::number(fds[1]));
    QWidget window;
    std::function<void()> pause = [] { QThread::msleep(30); };
    tav::ReportIdleAfterStart(&window, pause);
    qunsetenv("TAV_REPORT_IDLE");
    pause();
    pause();
    window.resize(200, 100);
    window.show();
    bool timedOut = false;
    // The window is the timer's context: the limit dies with this case
    // instead of ending a later case's event loop.
    QTimer::singleShot(10000, &window, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
    char buffer[64] = {};
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer - 1);
    ::close(fds[0]);
    ::close(fds[1]);
    ASSERT_GT(n, 0);
    const std::string line(buffer, size_t(n));
    ASSERT_EQ(line.rfind("idle ", 0), 0u) << line;
    EXPECT_EQ(line.back(), '\n');
    const double paused = std::stod(line.substr(5));
    EXPECT_GE(paused, 60.0) << line;
    EXPECT_LT(paused, 5000.0) << line;
}

TEST(StartUpReport, WithoutTheVariableNothingChanges)
{
    qunsetenv("TAV_REPORT_IDLE");
    QWidget window;
    int calls = 0;
    std::function<void()> pause = [&] { ++calls; };
    const qsizetype children = QCoreApplication::instance()->children().size();
    tav::ReportIdleAfterStart(&window, pause);
    pause();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(QCoreApplication::instance()->children().size(), children) << "no watcher was made";
}

} // namespace
