// The start-up and the word database file as users handle it: a second start
// on the same file, a lock left by a crashed program, what a run that did not
// end left beside the file, a valid database that is not a word database.
#include "store/StartUp.h"

#include "store/AdminSubs.h"
#include "store/SharedState.h"
#include "store/WordFileGuard.h"
#include "support/RecordingLink.h"
#include "support/TestDb.h"

#include "platform/dao/Dao.h"
#include "platform/winsys/core/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QDate>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

using namespace tav;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put32(QByteArray &bytes, int at, quint32 v)
{
    bytes[at] = char(v >> 24);
    bytes[at + 1] = char(v >> 16);
    bytes[at + 2] = char(v >> 8);
    bytes[at + 3] = char(v);
}

quint32 Get32(const QByteArray &bytes, int at)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData() + at);
    return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | b[3];
}

// A rollback journal as the engine leaves it when a commit is cut short
// after the journal was synced: one record, the saved first page.
QByteArray HotJournal(const QByteArray &savedFirstPage, quint32 pageCount)
{
    const int pageSize = int(savedFirstPage.size());
    const quint32 nonce = 0x1234567;
    QByteArray header(512, '\0');
    const unsigned char magic[] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
    for (int i = 0; i < 8; ++i)
        header[i] = char(magic[i]);
    Put32(header, 8, 1);
    Put32(header, 12, nonce);
    Put32(header, 16, pageCount);
    Put32(header, 20, 512);
    Put32(header, 24, quint32(pageSize));
    QByteArray record(4, '\0');
    Put32(record, 0, 1);
    record += savedFirstPage;
    quint32 sum = nonce;
    for (int i = pageSize - 200; i > 0; i -= 200)
        sum += quint8(savedFirstPage[i]);
    QByteArray check(4, '\0');
    Put32(check, 0, sum);
    return header + record + check;
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A lock file as a program that has ended left it.
bool LeaveStaleLock(const QString &file)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return Write(WordFileLockPath(file), QByteArray::number(child) + "\nTavrinel\n" +
                                             QSysInfo::machineHostName().toUtf8() + "\n");
}

class WordFileStart : public ::testing::Test {
protected:
    void SetUp() override { m_cwd = QDir::currentPath(); }
    void TearDown() override
    {
        ResetSharedState();
        QDir::setCurrent(m_cwd);
    }
    QString Side(const char *suffix) const { return db.Path() + QLatin1String(suffix); }

    // The start refuses the file with one message that says why, and the
    // file is as it was.
    void ExpectKeptAsItIs(const QString &said)
    {
        const QByteArray before = tavtest::FileHash(db.Path());
        EXPECT_EQ(SubMain(db.Folder()), 1);
        ASSERT_EQ(messages.Messages().size(), 1) << messages.Prompts().join("\n").toStdString();
        const QString prompt = messages.Messages().first().prompt;
        EXPECT_TRUE(prompt.contains(db.Path())) << prompt.toStdString();
        EXPECT_TRUE(prompt.contains(said)) << prompt.toStdString();
        EXPECT_EQ(link.Count("ShowMain"), 0);
        EXPECT_EQ(WordDb, nullptr);
        EXPECT_EQ(tavtest::FileHash(db.Path()), before) << "the refused file was changed";
        EXPECT_FALSE(QFile::exists(WordFileLockPath(db.Path()))) << "a refused start holds no lock";
    }

    tavtest::TestDb db;
    tavtest::RecordingLink link;
    winsys::ScriptedMessages messages;
    QString m_cwd;
};

} // namespace

TEST_F(WordFileStart, ASecondStartOnTheSameFileSaysTheProgramRunsAndEnds)
{
    QLockFile running(WordFileLockPath(db.Path()));
    ASSERT_TRUE(running.tryLock(0));
    const QByteArray before = tavtest::FileHash(db.Path());
    EXPECT_EQ(SubMain(db.Folder()), 1);
    EXPECT_EQ(link.calls, QStringList({"ShowSplash", "UnloadSplash", "TellAtStart"}));
    ASSERT_EQ(link.notices.size(), 1);
    EXPECT_EQ(link.notices.first().Style, winsys::vbExclamation);
    EXPECT_EQ(link.notices.first().Title, winsys::AppTitle);
    const QString prompt = link.notices.first().Prompt;
    EXPECT_TRUE(prompt.contains("already running with this word database")) << prompt.toStdString();
    EXPECT_TRUE(prompt.contains(db.Path()));
    EXPECT_EQ(link.Count("ShowMain"), 0);
    EXPECT_EQ(WordDb, nullptr);
    EXPECT_EQ(tavtest::FileHash(db.Path()), before);
    EXPECT_TRUE(running.isLocked()) << "the running program keeps its lock";
}

// A lock counts only for the file it was written for: a copy of the
// program's folder made while the program runs holds a copy of its lock,
// which names that running program but is held by nobody.
TEST_F(WordFileStart, OnlyTheLockOfThisFileKeepsAStartOff)
{
    QTemporaryDir original;
    const QString originalFile = original.filePath("TavWrd.twl");
    QLockFile running(WordFileLockPath(originalFile));
    ASSERT_TRUE(running.tryLock(0));
    struct Case {
        const char *name;
        bool copied;
    };
    for (const Case &c : {Case{"the running program's own lock", false}, Case{"a copy of its lock", true}}) {
        SCOPED_TRACE(c.name);
        ResetSharedState();
        messages.Clear();
        QFile::remove(WordFileLockPath(db.Path()));
        QLockFile here(WordFileLockPath(db.Path()));
        if (c.copied)
            ASSERT_TRUE(QFile::copy(WordFileLockPath(originalFile), WordFileLockPath(db.Path())));
        else
            ASSERT_TRUE(here.tryLock(0));
        const int started = SubMain(db.Folder());
        if (c.copied) {
            EXPECT_EQ(started, 0) << messages.Prompts().join("\n").toStdString();
            EXPECT_TRUE(messages.Messages().isEmpty());
            EXPECT_TRUE(ReadAll(WordFileLockPath(db.Path())).startsWith(QByteArray::number(::getpid()) + "\n"));
        } else {
            EXPECT_EQ(started, 1);
            ASSERT_EQ(messages.Messages().size(), 1);
            EXPECT_TRUE(messages.Prompts().first().contains("already running with this word database"));
            EXPECT_TRUE(here.isLocked());
        }
    }
    EXPECT_TRUE(running.isLocked()) << "the running program keeps its own lock";
}

TEST_F(WordFileStart, TheLockOfARunningStartIsReleasedByItsEnd)
{
    ASSERT_EQ(SubMain(db.Folder()), 0) << messages.Prompts().join("\n").toStdString();
    QLockFile second(WordFileLockPath(db.Path()));
    EXPECT_FALSE(second.tryLock(0));
    ResetSharedState();
    EXPECT_TRUE(second.tryLock(0));
}

TEST_F(WordFileStart, ALockLeftByACrashedProgramDoesNotBlockTheStart)
{
    ASSERT_TRUE(LeaveStaleLock(db.Path()));
    EXPECT_EQ(SubMain(db.Folder()), 0) << messages.Prompts().join("\n").toStdString();
    EXPECT_TRUE(messages.Messages().isEmpty());
    EXPECT_TRUE(ReadAll(WordFileLockPath(db.Path())).startsWith(QByteArray::number(::getpid()) + "\n"));
}

TEST_F(WordFileStart, AValidDatabaseWithoutTheTablesIsLeftByteForByte)
{
    QFile::remove(db.Path());
    sqlite3 *raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(db.Path()).constData(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "CREATE TABLE Notes (t TEXT); INSERT INTO Notes VALUES ('mine')", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    ExpectKeptAsItIs("it holds no words or settings");
    for (const char *side : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(Side(side))) << side;
}

// The case users meet: a run ends without closing the file (kill, crash),
// the user copies a backup over the file and starts again.
TEST_F(WordFileStart, AnotherRunsLogIsNotAppliedToABackupPutBack)
{
    const QByteArray backup = ReadAll(db.Path());
    sqlite3 *raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(db.Path()).constData(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    ASSERT_EQ(sqlite3_exec(raw, "UPDATE Main SET English = 'edited' WHERE ID IN (SELECT ID FROM Main LIMIT 50)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    // The run's log as its end left it.
    const QByteArray log = ReadAll(Side("-wal"));
    sqlite3_close(raw);
    ASSERT_GT(log.size(), 32);
    ASSERT_TRUE(Write(db.Path(), backup));
    ASSERT_TRUE(Write(Side("-wal"), log));

    ExpectKeptAsItIs("TavWrd.twl-wal");
    EXPECT_EQ(ReadAll(db.Path()), backup);
    EXPECT_EQ(ReadAll(Side("-wal")), log) << "what was found is left for the user";
}

TEST_F(WordFileStart, AJournalThatDoesNotFitTheFileIsNotPlayedBack)
{
    // The journal saved page 1 of the file as it was some commits later: a
    // backup was put back after the crash.
    QByteArray page = ReadAll(db.Path()).left(4096);
    Put32(page, 24, Get32(page, 24) + 7);
    page[200] = char(page[200] ^ 0x55);
    const quint32 pages = quint32(QFile(db.Path()).size() / 4096);
    ASSERT_TRUE(Write(Side("-journal"), HotJournal(page, pages)));
    ASSERT_TRUE(LeaveStaleLock(db.Path()));
    ExpectKeptAsItIs("TavWrd.twl-journal");
    EXPECT_TRUE(QFile::exists(Side("-journal")));
}

// A run killed while it renewed the file's mark leaves a journal of page 1
// alone, with the old mark. A copy VACUUMed in place before that run has
// the same mark one commit ahead, and another first page: it is refused.
TEST_F(WordFileStart, TheMarksRenewalJournalIsNotPlayedBackOnAVacuumedCopy)
{
    const QByteArray file = ReadAll(db.Path());
    QByteArray saved = file.left(4096);
    Put32(saved, 24, Get32(saved, 24) - 1);
    saved[200] = char(saved[200] ^ 0x55);
    const quint32 pages = quint32(file.size() / 4096);
    ASSERT_TRUE(Write(Side("-journal"), HotJournal(saved, pages)));
    ASSERT_TRUE(LeaveStaleLock(db.Path()));
    ExpectKeptAsItIs("TavWrd.twl-journal");
    EXPECT_TRUE(QFile::exists(Side("-journal")));
}

TEST_F(WordFileStart, TheJournalOfThisFilesCrashedRunIsPlayedBack)
{
    // The commit was cut short after it wrote page 1: the file's change
    // counter is one ahead of the saved page, its mark the next one.
    QByteArray file = ReadAll(db.Path());
    QByteArray saved = file.left(4096);
    Put32(saved, 24, Get32(saved, 24) - 1);
    Put32(file, 60, dao::Database::NextFileMark(Get32(saved, 60)));
    ASSERT_TRUE(Write(db.Path(), file));
    const quint32 pages = quint32(file.size() / 4096);
    ASSERT_TRUE(Write(Side("-journal"), HotJournal(saved, pages)));
    ASSERT_TRUE(LeaveStaleLock(db.Path()));
    EXPECT_EQ(SubMain(db.Folder()), 0) << messages.Prompts().join("\n").toStdString();
    EXPECT_FALSE(QFile::exists(Side("-journal")));
    EXPECT_EQ(ReadAll(db.Path()).left(4096), saved) << "the saved page is back";
    EXPECT_EQ(db.Value("PRAGMA integrity_check").toString(), "ok");
}

TEST_F(WordFileStart, TheSameJournalWithoutACrashedRunIsForeign)
{
    const QByteArray file = ReadAll(db.Path());
    const quint32 pages = quint32(file.size() / 4096);
    ASSERT_TRUE(Write(Side("-journal"), HotJournal(file.left(4096), pages)));
    ExpectKeptAsItIs("TavWrd.twl-journal");
}

namespace {

bool IsHot(const QString &journal)
{
    const QByteArray bytes = ReadAll(journal);
    return !bytes.isEmpty() && bytes[0] != '\0';
}

// A run of the program on the file in the folder, in a child process: it
// starts, compacts, edits, compacts again and edits as often (so that both
// compactions' files carry the same change counter), leaving copies of the
// file on the way ("another" after the first compaction and its edit,
// "earlier" right after the second compaction, "same" right before the
// crash), then ends by SIGKILL in the middle of a long write: one
// transaction that changes every word with a cache so small that the
// engine spills changed pages into the file before the commit. The journal
// left is hot, the lock is the dead run's. False when the run failed before.
bool RunAndCrashInALongWrite(const QString &folder)
{
    const QString path = QDir(folder).filePath("TavWrd.twl");
    const pid_t child = ::fork();
    if (child == 0) {
        auto keep = [&](const char *name) {
            if (!QFile::copy(path, path + "." + name))
                ::_exit(2);
        };
        auto edit = [](const char *remark) {
            WordDb->Execute(QStringLiteral("UPDATE Main SET Remarks = '%1' WHERE ID = 900001").arg(remark));
        };
        try {
            if (SubMain(folder) != 0 || !CompactWordDatabase())
                ::_exit(2);
            edit("first");
            keep("another");
            if (!CompactWordDatabase())
                ::_exit(2);
            keep("earlier");
            edit("second");
            keep("same");
            WordDb->ExecNative("PRAGMA cache_size = 16");
            WordDb->BeginTrans();
            WordDb->Execute("UPDATE Main SET Genus = 98, Remarks = 'half done'");
        } catch (...) {
            ::_exit(2);
        }
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// The words as the user sees them: every field that the crashed write
// changed.
QString Words(const QString &path)
{
    auto db = dao::DBEngine::OpenDatabase(path, false, true);
    return db->QueryNative("SELECT group_concat(ID || ':' || ifnull(Genus, '') || ':' || ifnull(Remarks, ''), ',') "
                           "FROM Main")[0][0]
        .toString();
}

} // namespace

// What a user may put in place of the file after a crash in a long write,
// and what the next start does with the crashed run's journal: play it back
// on the file it belongs to (also when the write spilled pages before its
// commit), refuse it on a backup of another compaction or of an earlier
// state, and play it back harmlessly on a copy of the very state it was
// written from. A copy of that state changed by another program (VACUUMed
// in place: the same mark, one commit ahead) is refused too.
TEST_F(WordFileStart, TheJournalOfACrashedLongWriteIsPlayedBackOnlyOnItsOwnFile)
{
    for (const char *putBack : {"", "another", "earlier", "same", "vacuumed"}) {
        SCOPED_TRACE(putBack);
        tavtest::TestDb file;
        ResetSharedState();
        ASSERT_TRUE(RunAndCrashInALongWrite(file.Folder()));
        ASSERT_TRUE(IsHot(file.Path() + "-journal"));
        const QString before = Words(file.Path() + ".same");
        const QByteArray journal = ReadAll(file.Path() + "-journal");
        if (QByteArray(putBack) == "vacuumed" && QFile::copy(file.Path() + ".same", file.Path() + ".vacuumed"))
            dao::DBEngine::OpenDatabase(file.Path() + ".vacuumed")->ExecNative("VACUUM");
        const QByteArray put = *putBack ? ReadAll(file.Path() + "." + putBack) : QByteArray();
        if (!put.isEmpty()) {
            ASSERT_TRUE(Write(file.Path(), put));
        }

        messages.Clear();
        const int started = SubMain(file.Folder());
        if (!*putBack || QByteArray(putBack) == "same") {
            EXPECT_EQ(started, 0) << messages.Prompts().join("\n").toStdString();
            EXPECT_TRUE(messages.Messages().isEmpty());
            EXPECT_FALSE(QFile::exists(file.Path() + "-journal"));
            ResetSharedState();
            EXPECT_EQ(Words(file.Path()), before) << "the file is as it was before the write";
            EXPECT_EQ(file.Value("PRAGMA integrity_check").toString(), "ok");
        } else {
            EXPECT_EQ(started, 1);
            ASSERT_EQ(messages.Messages().size(), 1);
            const QString prompt = messages.Messages().first().prompt;
            EXPECT_TRUE(prompt.contains("was replaced")) << prompt.toStdString();
            EXPECT_TRUE(prompt.contains(file.Path() + "-journal")) << prompt.toStdString();
            EXPECT_EQ(ReadAll(file.Path()), put) << "the backup is left byte for byte";
            EXPECT_EQ(ReadAll(file.Path() + "-journal"), journal);
            EXPECT_EQ(WordDb, nullptr);
        }
        ResetSharedState();
    }
}

TEST_F(WordFileStart, ALeftoverOfACrashedCompactionIsRemoved)
{
    const QString temp = QDir(db.Folder()).filePath("tmp.mdb");
    ASSERT_TRUE(QFile::copy(db.Path(), temp));
    ASSERT_TRUE(Write(temp + "-journal", "left by a crash"));
    ASSERT_TRUE(LeaveStaleLock(db.Path()));
    EXPECT_EQ(SubMain(db.Folder()), 0) << messages.Prompts().join("\n").toStdString();
    EXPECT_FALSE(QFile::exists(temp));
    EXPECT_FALSE(QFile::exists(temp + "-journal"));
}

namespace {

// A lock file as QLockFile writes it, for a program with this process ID,
// name and computer.
bool WriteLock(const QString &file, qint64 pid, const QByteArray &application, const QByteArray &host)
{
    return Write(WordFileLockPath(file), QByteArray::number(pid) + "\n" + application + "\n" + host + "\n");
}

} // namespace

// A lock whose program cannot be checked (taken on another computer, or by
// another user) names its holder; the start goes on only when the user
// confirms that the program does not run there.
TEST_F(WordFileStart, ALockThatCannotBeCheckedIsTakenOverOnlyWhenTheUserSaysSo)
{
    QProcess otherUsersProgram;
    struct Case {
        const char *name;
        QByteArray host;
        bool otherUser;
        int answer;
    };
    const QByteArray here = QSysInfo::machineHostName().toUtf8();
    for (const Case &c : {Case{"another computer, cancel", "laptop-at-home", false, winsys::vbCancel},
                          Case{"another computer, OK", "laptop-at-home", false, winsys::vbOK},
                          Case{"another user, cancel", here, true, winsys::vbCancel},
                          Case{"another user, OK", here, true, winsys::vbOK}}) {
        SCOPED_TRACE(c.name);
        ResetSharedState();
        messages.Clear();
        link.Clear();
        qint64 pid = 4242;
        QByteArray application = "Tavrinel";
        if (c.otherUser) {
            // A program that runs, in a lock file another user owns.
            if (otherUsersProgram.state() == QProcess::NotRunning) {
                otherUsersProgram.start("sleep", {"600"});
                ASSERT_TRUE(otherUsersProgram.waitForStarted());
            }
            pid = otherUsersProgram.processId();
            application = "sleep";
        }
        ASSERT_TRUE(WriteLock(db.Path(), pid, application, c.host));
        if (c.otherUser && ::chown(QFile::encodeName(WordFileLockPath(db.Path())).constData(), 65534, 65534) != 0)
            GTEST_SKIP() << "the lock file cannot be given to another user";
        const QByteArray lock = ReadAll(WordFileLockPath(db.Path()));
        const QString owner = QFileInfo(WordFileLockPath(db.Path())).owner();
        messages.Answer(c.answer);

        const int started = SubMain(db.Folder());
        // The question goes to the window side while the splash is up, with
        // the program's title; the answer given there decides.
        ASSERT_GE(link.calls.size(), 2);
        EXPECT_EQ(link.calls.mid(0, 2), QStringList({"ShowSplash", "AskAtStart"}));
        ASSERT_GE(link.notices.size(), 1);
        EXPECT_EQ(link.notices.first().Title, winsys::AppTitle);
        EXPECT_EQ(link.Count("TellAtStart"), 0) << "neither answer needs a further message";
        ASSERT_GE(messages.Messages().size(), 1);
        const auto asked = messages.Messages().first();
        EXPECT_EQ(asked.style & 7, winsys::vbOKCancel);
        EXPECT_TRUE(asked.style & winsys::vbDefaultButton2) << "Enter keeps the lock";
        EXPECT_TRUE(asked.prompt.contains(db.Path())) << asked.prompt.toStdString();
        EXPECT_TRUE(asked.prompt.contains(c.otherUser ? QString("on this computer") : QString("laptop-at-home")))
            << asked.prompt.toStdString();
        EXPECT_TRUE(asked.prompt.contains("the user \"" + owner + "\"")) << asked.prompt.toStdString();
        EXPECT_TRUE(asked.prompt.contains(QDate::currentDate().toString("yyyy-MM-dd"))) << "when it was taken";
        if (c.answer == winsys::vbOK) {
            EXPECT_EQ(started, 0) << messages.Prompts().join("\n").toStdString();
            EXPECT_EQ(messages.Messages().size(), 1);
            EXPECT_TRUE(ReadAll(WordFileLockPath(db.Path())).startsWith(QByteArray::number(::getpid()) + "\n"));
        } else {
            EXPECT_EQ(started, 1);
            EXPECT_EQ(messages.Messages().size(), 1) << "Cancel ends the start without a further message";
            EXPECT_EQ(ReadAll(WordFileLockPath(db.Path())), lock) << "the lock is left as it was";
            EXPECT_EQ(WordDb, nullptr);
        }
    }
    ResetSharedState();
    otherUsersProgram.kill();
    otherUsersProgram.waitForFinished();
}

// A lock file being made (created, not yet locked) is not taken over; one
// this user cannot read is named as such, not taken for a running program
// (checked as another user where the superuser reads every file).
TEST_F(WordFileStart, ALockBeingMadeOrUnreadableIsNotTakenOver)
{
    const QString lockPath = WordFileLockPath(db.Path());
    QFile making(lockPath);
    ASSERT_TRUE(making.open(QIODevice::WriteOnly | QIODevice::NewOnly));
    EXPECT_TRUE(LockWordFile(db.Path()).heldElsewhere) << "robbed";
    ASSERT_TRUE(QFile::exists(lockPath) && making.remove() && LeaveStaleLock(db.Path()));
    ::chmod(QFile::encodeName(lockPath).constData(), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::chown(QFile::encodeName(db.Folder()).constData(), 65534, 65534) ||
                                ::setgid(65534) || ::setuid(65534)))
            ::_exit(3);
        const WordFileLock lock = LockWordFile(db.Path());
        ::_exit(lock.heldElsewhere || !lock.failure.contains(lockPath + "\ncannot be read") ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(QFile::exists(lockPath));
}
