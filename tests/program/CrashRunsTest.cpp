// The word store killed by SIGKILL inside its long writes, then started
// again, each run a process of its own: the gender fill-in, compaction and a
// long list of meanings pasted into a list cell on a copy of a 50,000-word
// file, adding and deleting a language on a copy of the shipped database.
// Every start after a kill opens the file as the last stored write left it:
// none is refused or asks, none loses a stored write, none finds a write
// half done or the file damaged.
//
// TAV_CRASH_ROUNDS=N runs N rounds of each write with kills at random
// moments instead of the few fixed ones, and prints the tally.
#include "GeneratedWordDb.h"
#include "support/TestDb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

constexpr int kWaitMs = 300000; // a sanitized build on a busy machine

struct Tally {
    int kills = 0;
    int insideWrites = 0; // kills that left a journal to play back or a compaction's copy
    int commits = 0;
    int lost = 0;
    int damaged = 0;
    int refused = 0;
};

QProcess *StartWriter(QObject *parent, const QString &folder, const QString &kind)
{
    auto *p = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(TAV_CRASH_WRITER), {folder, kind});
    return p;
}

// The lines a run printed, up to its end.
QStringList Finish(QProcess &p)
{
    p.waitForFinished(kWaitMs);
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QString Line(const QStringList &lines, const QString &key)
{
    for (const QString &l : lines)
        if (l.startsWith(key + ' '))
            return l.mid(key.size() + 1);
    return {};
}

// What a write leaves in the file, as the check run prints it, for write n
// (-1: none yet).
QString Expected(const QString &kind, int n, const QString &initialRemark)
{
    if (kind == "genus")
        return n >= 0 && n % 2 == 0 ? QString("scrambled %1").arg(n / 2 % 20) : QString("filled 1");
    if (kind == "compact")
        return "remark " + (n < 0 ? initialRemark : QString::number(n));
    if (kind == "list")
        return "pasted " + QString::number(n);
    return QString("language %1").arg(n >= 0 && n % 2 == 0 ? 1 : 0);
}

QString Found(const QString &kind, const QStringList &check)
{
    if (kind == "genus")
        return Line(check, "scrambled") != "-1" ? "scrambled " + Line(check, "scrambled") : "filled " + Line(check, "filled");
    if (kind == "compact")
        return "remark " + Line(check, "remark");
    if (kind == "list")
        return "pasted " + Line(check, "pasted");
    return "language " + Line(check, "language");
}

// One round: a run on a copy of source killed delayMs after it was ready
// (its first write begun), then a start that checks the file.
void KillAndStart(const QString &source, const QString &kind, int delayMs, Tally &tally)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("TavWrd.twl");
    ASSERT_TRUE(QFile::copy(source, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    QObject owner;
    QProcess *initial = StartWriter(&owner, dir.path(), "check");
    const QString initialRemark = Line(Finish(*initial), "remark");

    QProcess *run = StartWriter(&owner, dir.path(), kind);
    QElapsedTimer t;
    t.start();
    QByteArray printed;
    while (!printed.contains("ready\n") && run->state() != QProcess::NotRunning && t.elapsed() < kWaitMs) {
        run->waitForReadyRead(100);
        printed += run->readAllStandardOutput();
    }
    QThread::msleep(ulong(delayMs));
    ::kill(pid_t(run->processId()), SIGKILL);
    const QStringList lines = QString::fromUtf8(printed).split('\n', Qt::SkipEmptyParts) + Finish(*run);
    ASSERT_EQ(run->exitStatus(), QProcess::CrashExit) << lines.join("\n").toStdString();
    int last = -1;
    for (const QString &l : lines)
        if (l.startsWith("commit "))
            last = l.mid(7).toInt();
    ++tally.kills;
    if (QFileInfo(file + "-journal").size() > 0 || QFileInfo::exists(dir.filePath("tmp.mdb")))
        ++tally.insideWrites;
    tally.commits += last + 1;

    QProcess *start = StartWriter(&owner, dir.path(), "check");
    const QStringList check = Finish(*start);
    const QString said = check.join("\n");
    // A start after a crash of this program asks nothing: its journal is
    // played back as it is.
    const bool asked =
        std::any_of(check.cbegin(), check.cend(), [](const QString &l) { return l.startsWith("message "); });
    if (!check.contains("started") || asked) {
        ++tally.refused;
        ADD_FAILURE() << kind.toStdString() << " after " << delayMs << " ms: the start was refused or asked:\n"
                      << said.toStdString();
        return;
    }
    const QString found = Found(kind, check);
    const bool whole = Line(check, "integrity") == "ok" && found != "filled 0" && found != "language half" &&
                       found != "pasted mixed" && Line(check, "meaning rows") == "same";
    if (!whole) {
        ++tally.damaged;
        ADD_FAILURE() << kind.toStdString() << " after " << delayMs << " ms: damaged or half done:\n"
                      << said.toStdString();
    } else if (found != Expected(kind, last, initialRemark) && found != Expected(kind, last + 1, initialRemark)) {
        ++tally.lost;
        ADD_FAILURE() << kind.toStdString() << " after " << delayMs << " ms, " << last + 1
                      << " writes stored: found " << found.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("tmp.mdb"))) << "the start removes a compaction's copy";
}

void RunRounds(const QString &source, const QString &kind, const QList<int> &fixedDelays, int maxDelayMs)
{
    Tally tally;
    const int rounds = qEnvironmentVariableIntValue("TAV_CRASH_ROUNDS");
    if (rounds > 0) {
        for (int r = 0; r < rounds; ++r)
            KillAndStart(source, kind, QRandomGenerator::global()->bounded(maxDelayMs), tally);
        std::printf("%s: %d kills (%d inside a write), %d writes stored, %d lost, %d damaged, %d refused starts\n",
                    qPrintable(kind), tally.kills, tally.insideWrites, tally.commits, tally.lost, tally.damaged,
                    tally.refused);
        return;
    }
    for (const int delay : fixedDelays)
        KillAndStart(source, kind, delay, tally);
}

} // namespace

TEST(CrashRuns, TheGenderFillInOnALargeFile)
{
    RunRounds(tavbench::GeneratedWordDbPath(50000), "genus", {0, 400, 1500}, 4000);
}

TEST(CrashRuns, CompactionOnALargeFile)
{
    RunRounds(tavbench::GeneratedWordDbPath(50000), "compact", {0, 600, 2000}, 6000);
}

// The largest write a list window makes: one cell, but a pasted list of
// meanings whose index rows outgrow the engine's cache.
TEST(CrashRuns, ALongListPastedIntoAListCell)
{
    RunRounds(tavbench::GeneratedWordDbPath(50000), "list", {0, 500, 1100}, 3000);
}

TEST(CrashRuns, AddingAndDeletingALanguage)
{
    RunRounds(tavtest::TestDb::FreshDbPath(), "language", {0, 100, 400}, 1500);
}
