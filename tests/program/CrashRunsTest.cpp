// The word store killed by SIGKILL inside its long writes, then started
// again, each run a process of its own: the gender fill-in, compaction and a
// long list of meanings pasted into a list cell on a copy of a 50,000-word
// file, adding and deleting a language, settings and wrong answers on a
// copy of the shipped database.
// Every start after a kill opens the file as the last stored write left it:
// none is refused or asks, none loses a stored write, none finds a write
// half done or the file damaged.
//
// TAV_CRASH_ROUNDS=N runs N rounds of each write with kills at random
// moments instead of the few fixed ones, and prints the tally.
#include "GeneratedWordDb.h"
#include "support/ChildSignal.h"
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
#include <ostream>

#include <sqlite3.h>

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
QString Expected(const QString &kind, int n, const QStringList &initial)
{
    if (kind == "settings")
        return "setting " + (n < 0 ? Line(initial, "setting") : QString::number(n % 30000 + 1));
    if (kind == "wrongs")
        return "wrongs " + QString::number(Line(initial, "wrongs").toInt() + n + 1);
    const QString initialRemark = Line(initial, "remark");
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
    if (kind == "settings")
        return "setting " + Line(check, "setting");
    if (kind == "wrongs")
        return "wrongs " + Line(check, "wrongs");
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
    const QStringList initialCheck = Finish(*initial);

    QProcess *run = StartWriter(&owner, dir.path(), kind);
    QElapsedTimer t;
    t.start();
    QByteArray printed;
    while (!printed.contains("ready\n") && run->state() != QProcess::NotRunning && t.elapsed() < kWaitMs) {
        run->waitForReadyRead(100);
        printed += run->readAllStandardOutput();
    }
    QThread::msleep(ulong(delayMs));
    SignalChild(*run, SIGKILL);
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
    } else if (found != Expected(kind, last, initialCheck) && found != Expected(kind, last + 1, initialCheck)) {
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

// The writers of a second kind: many short writes (a setting, a wrong
// answer), each the first of its run for the file's mark.
TEST(CrashRuns, SettingsStoredOneAfterAnother)
{
    RunRounds(tavtest::TestDb::FreshDbPath(), "settings", {0, 30, 150}, 600);
}

TEST(CrashRuns, WrongAnswersStoredOneAfterAnother)
{
    RunRounds(tavtest::TestDb::FreshDbPath(), "wrongs", {0, 30, 150}, 600);
}

TEST(CrashRuns, AddingAndDeletingALanguage)
{
    RunRounds(tavtest::TestDb::FreshDbPath(), "language", {0, 100, 400}, 1500);
}

namespace {

// A backup made before a run, put back after that run was killed inside a
// write: the file itself VACUUMed in place (the same mark, one commit
// ahead), or compacted into a new file by the engine (the same mark, its
// change counter started again).
enum class Backup { Vacuumed, Compacted };

struct WriterAndBackup {
    const char *writer;
    Backup backup;
};

void RunSql(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message.toStdString();
}

void PrintTo(const WriterAndBackup &p, std::ostream *os)
{
    *os << p.writer << (p.backup == Backup::Vacuumed ? ", VACUUMed backup" : ", compacted backup");
}

class CrashInsideAWrite : public ::testing::TestWithParam<WriterAndBackup> {};

} // namespace

// Every writer of the word database, ended by SIGKILL while its journal is
// complete and the file half written; then the user puts a backup back. The
// start refuses and says why, and leaves the backup and the journal byte
// for byte as they were.
TEST_P(CrashInsideAWrite, ABackupPutBackIsRefusedAndLeftAsItWas)
{
    QTemporaryDir dir;
    QTemporaryDir backups;
    ASSERT_TRUE(dir.isValid() && backups.isValid());
    const QString file = dir.filePath("TavWrd.twl");
    const QString backup = backups.filePath("TavWrd.twl");
    ASSERT_TRUE(QFile::copy(tavtest::TestDb::FreshDbPath(), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    if (GetParam().backup == Backup::Vacuumed) {
        ASSERT_TRUE(QFile::copy(file, backup));
        QFile::setPermissions(backup, QFile::ReadOwner | QFile::WriteOwner);
        RunSql(backup, "VACUUM");
    } else {
        RunSql(file, QStringLiteral("VACUUM INTO '%1'").arg(backup));
    }

    QObject owner;
    QProcess *run = StartWriter(&owner, dir.path(), QStringLiteral("once-") + GetParam().writer);
    const QStringList lines = Finish(*run);
    ASSERT_EQ(run->exitStatus(), QProcess::CrashExit) << lines.join("\n").toStdString();
    const QString journal = file + "-journal";
    ASSERT_GT(QFileInfo(journal).size(), 0) << "killed inside the write";

    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::copy(backup, file));
    const QByteArray fileBefore = tavtest::FileHash(file);
    const QByteArray journalBefore = tavtest::FileHash(journal);

    QProcess *start = StartWriter(&owner, dir.path(), "check");
    const QStringList check = Finish(*start);
    const QString said = check.join("\n");
    EXPECT_TRUE(check.contains("refused")) << said.toStdString();
    EXPECT_TRUE(said.contains("was replaced (by a backup or another copy)")) << said.toStdString();
    EXPECT_EQ(tavtest::FileHash(file), fileBefore) << "the backup stays as it was";
    EXPECT_EQ(tavtest::FileHash(journal), journalBefore) << "the journal stays as it was";
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriter, CrashInsideAWrite,
    ::testing::Values(WriterAndBackup{"settings", Backup::Vacuumed}, WriterAndBackup{"settings", Backup::Compacted},
                      WriterAndBackup{"wrongs", Backup::Vacuumed}, WriterAndBackup{"wrongs", Backup::Compacted},
                      WriterAndBackup{"english", Backup::Vacuumed}, WriterAndBackup{"english", Backup::Compacted},
                      WriterAndBackup{"genus", Backup::Vacuumed}, WriterAndBackup{"genus", Backup::Compacted},
                      WriterAndBackup{"language", Backup::Vacuumed}, WriterAndBackup{"language", Backup::Compacted}),
    [](const ::testing::TestParamInfo<WriterAndBackup> &info) {
        return std::string(info.param.writer) + (info.param.backup == Backup::Vacuumed ? "Vacuumed" : "Compacted");
    });
