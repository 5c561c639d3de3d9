// A signal always ends the program: the first one asks the event loop to
// end it and no question waits for an answer any more; a second one, or the
// time limit after the first, ends the process at once even when the event
// loop never gets to run. The process cases fork a child that raises the
// signals itself.

#include "mainwindow/EndOnSignal.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/WordFileGuard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Runs body in a child process and returns its wait status.
int StatusOfChild(const std::function<void()> &body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

TEST(EndOnSignal, TheFirstSignalEndsTheProgramAndNoQuestionWaitsAnyMore)
{
    bool ended = false;
    {
        tav::EndOnSignal endOnSignal([&] { ended = true; });
        EXPECT_FALSE(winsys::EndingProgram());
        std::raise(SIGTERM);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 2000));
        EXPECT_TRUE(winsys::EndingProgram());
        // A question now gets its answer that changes nothing, unshown.
        EXPECT_EQ(winsys::MsgBox(QStringLiteral("Delete?"), winsys::vbYesNo), winsys::vbNo);
        EXPECT_EQ(winsys::MsgBox(QStringLiteral("Store full?"), winsys::vbYesNo | winsys::NoSafeAnswer),
                  winsys::NoAnswer);
    }
    EXPECT_FALSE(winsys::EndingProgram());
}

TEST(EndOnSignal, ASecondSignalEndsTheProcessAtOnce)
{
    // The event loop never runs in the child: only the handler acts.
    tav::EndOnSignal endOnSignal([] {});
    for (const int second : {SIGTERM, SIGINT, SIGHUP}) {
        const int status = StatusOfChild([second] {
            std::raise(SIGTERM);
            std::raise(second);
            ::sleep(30);
        });
        ASSERT_TRUE(WIFEXITED(status)) << second;
        EXPECT_EQ(WEXITSTATUS(status), 128 + second);
    }
    // The children's bytes reached this end of the shared socket too.
    QCoreApplication::processEvents();
}

TEST(EndOnSignal, AnEndThatDoesNotComeInTimeEndsTheProcess)
{
    tav::EndOnSignal endOnSignal([] {});
    QElapsedTimer clock;
    clock.start();
    const int status = StatusOfChild([] {
        std::raise(SIGTERM);
        for (;;)
            ::pause(); // an event loop that never gets to run
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGALRM);
    EXPECT_LT(clock.elapsed(), (tav::EndOnSignal::kSecondsToEnd + 3) * 1000);
    QCoreApplication::processEvents();
}

} // namespace

// Every end the program sees coming removes the run's lock and a
// compaction's copy; SIGKILL, which it cannot see, leaves them, and so does
// a write under way (a hot journal) the lock.
TEST(EndOnSignal, NoEndItSeesComingLeavesTheRunsFiles)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("TavWrd.twl");
    const QStringList runFiles = tav::CompactionTempFiles(file) << tav::WordFileLockPath(file);
    tav::EndOnSignal endOnSignal([] {});
    const std::pair<int, int> ends[] = {{SIGTERM, SIGINT}, {SIGHUP, SIGINT}, {SIGTERM, 0}, {SIGKILL, 0}, {SIGHUP, 1}};
    for (const auto &[first, second] : ends) {
        SCOPED_TRACE(first * 100 + second);
        StatusOfChild([&, first = first, second = second] {
            const tav::WordFileLock lock = tav::LockWordFile(file); // held to the end
            for (const QString &copy : tav::CompactionTempFiles(file))
                QFile(copy).open(QIODevice::WriteOnly);
            tav::NoteCompactionCopy(file, lock.lock != nullptr);
            QFile journal(file + "-journal");
            if (second == 1 && journal.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                journal.write("\xd9");
            std::raise(first);
            if (second)
                std::raise(second == 1 ? SIGINT : second); // else the time limit ends it
            for (;;)
                ::pause();
        });
        for (const QString &path : runFiles)
            EXPECT_EQ(QFile::remove(path), first == SIGKILL || (second == 1 && path.endsWith("lock")))
                << path.toStdString();
        QFile::remove(file + "-journal");
    }
    QCoreApplication::processEvents();
}
