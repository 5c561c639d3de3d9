// The program as a user runs it, each run a process of its own in a folder
// with its own copy of the word database: ended by a signal, started twice on
// one file, started after a crash.
#include "store/WordFileGuard.h"
#include "support/ChildSignal.h"
#include "support/TestDb.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int kStartMs = 120000; // a sanitized build starts slowly on a busy machine

// The pipe a program reports the end of its start on (TAV_REPORT_RUNNING).
class RunningReport {
public:
    RunningReport() { m_ok = ::pipe2(m_fds, O_CLOEXEC) == 0; }
    ~RunningReport()
    {
        if (m_ok) {
            ::close(m_fds[0]);
            ::close(m_fds[1]);
        }
    }
    RunningReport(const RunningReport &) = delete;
    RunningReport &operator=(const RunningReport &) = delete;

    int WriteEnd() const { return m_fds[1]; }

    // True once the program has reported "running", waiting up to ms for it.
    bool Seen(int ms)
    {
        if (!m_ok)
            return false;
        pollfd p{m_fds[0], POLLIN, 0};
        QElapsedTimer t;
        t.start();
        while (!m_text.contains("running\n")) {
            const int left = int(std::max<qint64>(0, ms - t.elapsed()));
            if (::poll(&p, 1, left) <= 0)
                return false;
            char buffer[64];
            const ssize_t n = ::read(m_fds[0], buffer, sizeof buffer);
            if (n <= 0)
                return false;
            m_text.append(buffer, n);
        }
        return true;
    }

private:
    int m_fds[2] = {-1, -1};
    bool m_ok = false;
    QByteArray m_text;
};

class ProgramProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const QString bin = QStringLiteral(TAV_BIN_DIR);
        // A link costs nothing where the folders share a file system.
        const QString program = m_dir.filePath("Tavrinel");
        if (::link(QFile::encodeName(bin + "/Tavrinel").constData(), QFile::encodeName(program).constData()) != 0) {
            ASSERT_TRUE(QFile::copy(bin + "/Tavrinel", program));
        }
        for (const char *font : {"VudedoGreek.ttf", "VudedoGreek-Bold.ttf"})
            QFile::copy(bin + "/" + font, m_dir.filePath(font));
        ASSERT_TRUE(QFile::copy(tavtest::TestDb::FreshDbPath(), Database()));
        QFile::setPermissions(Database(), QFile::ReadOwner | QFile::WriteOwner);
    }

    QString Database() const { return m_dir.filePath("TavWrd.twl"); }
    QString Lock() const { return tav::WordFileLockPath(Database()); }

    // Starts the program; with a report, the program writes "running" to it
    // once its start is through.
    std::unique_ptr<QProcess> Start(const RunningReport *report = nullptr)
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        env.remove("TAV_REPORT_RUNNING");
        if (report) {
            const int fd = report->WriteEnd();
            env.insert("TAV_REPORT_RUNNING", QString::number(fd));
            // The program alone inherits the descriptor.
            p->setChildProcessModifier([fd] { ::fcntl(fd, F_SETFD, 0); });
        }
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(m_dir.filePath("Tavrinel"), {});
        EXPECT_TRUE(p->waitForStarted(kStartMs));
        return p;
    }

    // Waits until the process holds the database's lock (its start has
    // reached the database).
    bool WaitForLock(const QProcess &p) const
    {
        QElapsedTimer t;
        t.start();
        const QByteArray pid = QByteArray::number(p.processId()) + "\n";
        while (t.elapsed() < kStartMs) {
            QFile f(Lock());
            if (f.open(QIODevice::ReadOnly) && f.readAll().startsWith(pid))
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    // Ends a process with a signal and tells whether it ended normally with
    // the status expected.
    static void ExpectEndsOn(QProcess &p, int signal, int status)
    {
        ASSERT_TRUE(SignalChild(p, signal)) << "the program is not running";
        ASSERT_TRUE(p.waitForFinished(kStartMs)) << "still running after signal " << signal;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "ended by signal " << signal << ":\n"
                                                        << p.readAll().toStdString();
        EXPECT_EQ(p.exitCode(), status) << p.readAll().toStdString();
    }

    void ExpectFileAtRest() const
    {
        EXPECT_FALSE(QFile::exists(Lock()));
        for (const char *side : {"-wal", "-shm", "-journal"})
            EXPECT_FALSE(QFile::exists(Database() + side)) << side;
        auto db = dao::DBEngine::OpenDatabase(Database(), false, true);
        EXPECT_EQ(db->QueryNative("PRAGMA integrity_check")[0][0].toString(), "ok");
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ProgramProcess, EndSignalsCloseTheProgramAsFileExitDoes)
{
    // During the start (the signal waits for it) and once it runs.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        RunningReport earlyReport;
        auto early = Start(&earlyReport);
        ASSERT_TRUE(WaitForLock(*early));
        ExpectEndsOn(*early, signal, 0);
        EXPECT_FALSE(earlyReport.Seen(0)) << "the signal came after the start, not during it";
        ExpectFileAtRest();

        RunningReport runningReport;
        auto running = Start(&runningReport);
        ASSERT_TRUE(runningReport.Seen(kStartMs)) << "the start never came through";
        ExpectEndsOn(*running, signal, 0);
        ExpectFileAtRest();
    }
}

TEST_F(ProgramProcess, ASecondStartOnTheSameFileEndsAndLeavesTheFirstRunning)
{
    auto first = Start();
    ASSERT_TRUE(WaitForLock(*first));
    auto second = Start();
    // The second start says so in a message box and waits for it; it never
    // takes the lock.
    QThread::msleep(3000);
    EXPECT_EQ(second->state(), QProcess::Running);
    ExpectEndsOn(*second, SIGTERM, 1);
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_TRUE(WaitForLock(*first)) << "the first run keeps its lock";
    ExpectEndsOn(*first, SIGTERM, 0);
    ExpectFileAtRest();
}

TEST_F(ProgramProcess, TheLockOfAKilledRunDoesNotBlockTheNextStart)
{
    auto killed = Start();
    ASSERT_TRUE(WaitForLock(*killed));
    ASSERT_TRUE(SignalChild(*killed, SIGKILL));
    ASSERT_TRUE(killed->waitForFinished(kStartMs));
    ASSERT_TRUE(QFile::exists(Lock()));

    auto next = Start();
    ASSERT_TRUE(WaitForLock(*next)) << "the stale lock was not taken over";
    ExpectEndsOn(*next, SIGTERM, 0);
    ExpectFileAtRest();
}

TEST_F(ProgramProcess, ALockFromAnotherComputerIsKeptUntilTheUserConfirms)
{
    // Left by a run on a laptop that shares the folder.
    QFile lock(Lock());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("4242\nTavrinel\nlaptop-at-home\n");
    lock.close();
    const QByteArray left = tavtest::FileHash(Lock());
    const QByteArray file = tavtest::FileHash(Database());

    // The start asks and waits for the answer; ended by a signal meanwhile,
    // it takes nothing over.
    auto asking = Start();
    QThread::msleep(3000);
    EXPECT_EQ(asking->state(), QProcess::Running);
    EXPECT_EQ(tavtest::FileHash(Lock()), left);
    ExpectEndsOn(*asking, SIGTERM, 1);
    EXPECT_EQ(tavtest::FileHash(Lock()), left) << "the lock is left as it was";
    EXPECT_EQ(tavtest::FileHash(Database()), file);
}
