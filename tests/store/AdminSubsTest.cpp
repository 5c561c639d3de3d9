#include "store/AdminSubs.h"
#include "store/WordFileGuard.h"

#include "platform/winsys/core/Pointer.h"
#include "WordStoreFixture.h"
#include "support/FullDisk.h"
#include "support/RecordingListWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <tuple>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tav;

namespace {

class Maintenance : public tavtest::WordStoreTest {
protected:
    QString TempPath() const { return QDir(db.Folder()).filePath("tmp.mdb"); }
    long long WordCount() { return Value("SELECT COUNT(*) FROM Main").toLongLong(); }
    // Compacts; a failure names its notice.
    ::testing::AssertionResult Compacted()
    {
        const Outcome outcome = CompactWordDatabase();
        if (outcome)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << outcome.Failure->Prompt.toStdString();
    }
    // Compacts where it must fail: the notice for the user, shown by the
    // caller and never by the store itself.
    Notice NotCompacted()
    {
        const Outcome outcome = CompactWordDatabase();
        EXPECT_TRUE(messages.Prompts().isEmpty()) << "the store shows no message box";
        if (!outcome.Failure) {
            ADD_FAILURE() << "compacted";
            return {};
        }
        return *outcome.Failure;
    }
};

} // namespace

TEST_F(Maintenance, CompactionReplacesTheFileUnderTheSameConnection)
{
    const long long words = WordCount();
    // Free pages for the compaction to remove.
    Exec("CREATE TABLE Scratch (t TEXT)");
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
         "INSERT INTO Scratch SELECT printf('%.200c', 'x') FROM n");
    Exec("DELETE FROM Scratch");
    WordDb->QueryNative("PRAGMA wal_checkpoint(TRUNCATE)");
    const dao::DatabasePtr before = WordDb;
    const qint64 sizeBefore = QFileInfo(db.Path()).size();
    tavtest::RecordingListWindow list;
    mdi.lists = {&list};

    ASSERT_TRUE(Compacted());
    EXPECT_TRUE(messages.Prompts().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_LT(QFileInfo(db.Path()).size(), sizeBefore) << "the free pages are gone";
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
    EXPECT_EQ(WordDb, before) << "one connection object for the whole run";
    EXPECT_EQ(WordDb->Name(), db.Path());
    // Usable, with every word, for reading and writing.
    EXPECT_EQ(WordCount(), words);
    Exec("UPDATE Main SET Remarks = 'after' WHERE ID = 900001");
    EXPECT_EQ(Text("SELECT Remarks FROM Main WHERE ID = 900001"), "after");
    // Open lists read their rows again from the compacted file.
    EXPECT_EQ(list.m_refreshes, 1);
    EXPECT_EQ(winsys::PointerDepth(), 0);
}

// A write that reaches the file while the copy is written would be missing
// from the copy: the old file stays, with the write, and the user is told.
TEST_F(Maintenance, AWriteDuringTheCopyKeepsTheOldFile)
{
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(db.Path()).constData(), &before), 0);
    mdi.whileBusy = [&] { Exec("UPDATE Main SET Remarks = 'during' WHERE ID = 900001"); };

    const QString said = NotCompacted().Prompt;
    EXPECT_TRUE(said.contains("changed while it was being compacted")) << said.toStdString();
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(db.Path()).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the old file stays";
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_EQ(db.Value("SELECT Remarks FROM Main WHERE ID = 900001").toString(), "during");
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
}

// The compacted copy reaches the disk before it replaces the old file, and
// the folder (the rename) after; a copy that cannot be flushed replaces
// nothing.
TEST_F(Maintenance, CompactionFlushesTheCopyThenTheFolder)
{
    auto inode = [](const QString &path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    const ino_t oldFile = inode(db.Path());
    struct Flush {
        QString path;
        bool copyThere;
        ino_t database;
    };
    QList<Flush> flushes;
    const auto saved = FlushToDisk;
    FlushToDisk = [&](const QString &path) {
        flushes.append({path, QFileInfo::exists(TempPath()), inode(db.Path())});
        FlushPathToDisk(path);
    };
    const auto compacted = Compacted();
    FlushToDisk = saved;
    ASSERT_TRUE(compacted);
    ASSERT_EQ(flushes.size(), 2);
    EXPECT_EQ(flushes[0].path, TempPath());
    EXPECT_TRUE(flushes[0].copyThere);
    EXPECT_EQ(flushes[0].database, oldFile) << "the copy is flushed while the old file is in place";
    EXPECT_EQ(QFileInfo(flushes[1].path).canonicalFilePath(), QFileInfo(db.Folder()).canonicalFilePath());
    EXPECT_FALSE(flushes[1].copyThere);
    EXPECT_NE(flushes[1].database, oldFile) << "the folder is flushed after the rename";

    // A copy that cannot be flushed is removed; the old file stays, open.
    const ino_t current = inode(db.Path());
    FlushToDisk = [](const QString &) { throw std::runtime_error("no space left on device"); };
    const QString said = NotCompacted().Prompt;
    FlushToDisk = saved;
    EXPECT_TRUE(said.contains("no space left on device")) << said.toStdString();
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_EQ(inode(db.Path()), current);
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900001"), "spivti");
}

TEST_F(Maintenance, AStaleTemporaryFileIsRemovedFirst)
{
    QFile stale(TempPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("left over from a crash");
    stale.close();
    ASSERT_TRUE(Compacted());
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900001"), "spivti");
}

TEST_F(Maintenance, AFailedCompactionKeepsTheOldFileOpen)
{
    // A temporary path that cannot be cleared: the compaction cannot start.
    ASSERT_TRUE(QDir(db.Folder()).mkpath("tmp.mdb/inside"));
    tavtest::RecordingListWindow list;
    mdi.lists = {&list};
    const Notice notice = NotCompacted();
    EXPECT_TRUE(notice.Prompt.contains("tmp.mdb")) << notice.Prompt.toStdString();
    EXPECT_TRUE(notice.Prompt.contains("was left as it was"));
    EXPECT_EQ(notice.Style, winsys::vbExclamation);
    EXPECT_EQ(notice.Title, winsys::AppTitle);
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900001"), "spivti");
    EXPECT_TRUE(QFileInfo(TempPath()).isDir()) << "nothing of the user's is removed";
    EXPECT_EQ(winsys::PointerDepth(), 0);
}

TEST_F(Maintenance, ADatabaseStillOpenElsewhereIsNotReplaced)
{
    // Another program that keeps a write-ahead log beside the file.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(db.Path()).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "PRAGMA journal_mode=WAL; SELECT COUNT(*) FROM Main", nullptr, nullptr, nullptr),
              SQLITE_OK);
    const QString said = NotCompacted().Prompt;
    EXPECT_EQ(winsys::PointerDepth(), 0) << "the hourglass is gone before the message";
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900002"), "gravfw");
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_TRUE(said.contains("still in use by another connection")) << said.toStdString();
    sqlite3_close(other);
}

// A word database kept in a synced folder, with a link beside the program.
TEST_F(Maintenance, CompactionWritesThroughASymbolicLinkAndKeepsTheLink)
{
    WordDb->Close();
    ASSERT_TRUE(QDir(db.Folder()).mkpath("synced"));
    const QString target = QDir(db.Folder()).filePath("synced/TavWrd.twl");
    ASSERT_TRUE(QFile::rename(db.Path(), target));
    ASSERT_TRUE(QFile::link(target, db.Path()));
    WordDb = dao::DBEngine::OpenDatabase(db.Path());
    Exec("UPDATE Main SET Remarks = 'before' WHERE ID = 900001");

    ASSERT_TRUE(Compacted());
    EXPECT_TRUE(QFileInfo(db.Path()).isSymLink()) << "the link was replaced by a file";
    EXPECT_EQ(QFileInfo(db.Path()).symLinkTarget(), target);
    EXPECT_FALSE(QFileInfo::exists(QDir(db.Folder()).filePath("synced/tmp.mdb")));
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    // Later edits reach the target.
    Exec("UPDATE Main SET Remarks = 'after' WHERE ID = 900001");
    dao::DatabasePtr direct = dao::DBEngine::OpenDatabase(target, false, true);
    EXPECT_EQ(direct->QueryNative("SELECT Remarks FROM Main WHERE ID = 900001")[0][0].toString(), "after");
}

TEST_F(Maintenance, CompactionAfterTheFileWasDeletedSaysSo)
{
    ASSERT_TRUE(QFile::remove(db.Path()));
    const Notice notice = NotCompacted();
    const QString said = notice.Prompt;
    EXPECT_EQ(notice.Style, winsys::vbExclamation);
    EXPECT_TRUE(said.contains("was deleted, moved or replaced")) << said.toStdString();
    EXPECT_TRUE(said.contains(db.Path())) << said.toStdString();
    EXPECT_FALSE(said.contains("another connection")) << said.toStdString();
    EXPECT_FALSE(QFileInfo::exists(db.Path())) << "nothing is made at the path";
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_EQ(winsys::PointerDepth(), 0);
}

TEST_F(Maintenance, ACompactionOnAFullDiskNamesTheCopyAndLeavesNothing)
{
    const QByteArray before = [&] {
        QFile f(db.Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QString said;
    {
        tavtest::FullDisk full({"tmp.mdb", "tmp.mdb-journal"});
        said = NotCompacted().Prompt;
    }
    EXPECT_TRUE(said.contains(TempPath())) << said.toStdString();
    EXPECT_TRUE(said.contains("full")) << said.toStdString();
    EXPECT_TRUE(said.contains("was left as it was")) << said.toStdString();
    EXPECT_FALSE(said.contains(db.Path() + "\"")) << "the copy failed, not the word database";
    for (const char *side : {"", "-journal", "-wal", "-shm"})
        EXPECT_FALSE(QFileInfo::exists(TempPath() + side)) << side;
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900001"), "spivti");
    QFile f(db.Path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(Maintenance, AnUnwritableFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    QFile::setPermissions(db.Folder(), QFile::ReadOwner | QFile::ExeOwner);
    const QString said = NotCompacted().Prompt;
    QFile::setPermissions(db.Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(said.isEmpty());
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900001"), "spivti");
}

TEST(GenusRules, ArticleFirstThenWordType)
{
    EXPECT_EQ(GenusFromArticleAndType("to", "b"), 2);
    EXPECT_EQ(GenusFromArticleAndType("oi", "am"), 0) << "the type decides";
    EXPECT_EQ(GenusFromArticleAndType("oi", "amx"), 0);
    EXPECT_EQ(GenusFromArticleAndType("oi", "b"), 99);
    EXPECT_EQ(GenusFromArticleAndType("oi", "af"), 1);
    EXPECT_EQ(GenusFromArticleAndType("oi", "an"), 2);
    EXPECT_EQ(GenusFromArticleAndType("o", "af"), 0) << "masculine article before a feminine type";
    EXPECT_EQ(GenusFromArticleAndType("h", "an"), 1);
    EXPECT_EQ(GenusFromArticleAndType("thn", ""), 1);
}

TEST_F(Maintenance, GenderFillInFollowsTheArticles)
{
    Exec("UPDATE Main SET Genus = 5 WHERE ID IN (900001, 900002, 900004)");
    Exec("UPDATE Main SET Art = 'oi', WT = 'am' WHERE ID = 900004");
    EXPECT_FALSE(SetGenderFromArticle());
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900001").toInt(), 2);
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900004").toInt(), 0);
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900002").toInt(), 5) << "no article: kept";
    EXPECT_TRUE(messages.Prompts().isEmpty());
}

TEST_F(Maintenance, AFailedGenderFillInIsReportedAndChangesNothing)
{
    Exec("UPDATE Main SET Genus = 5 WHERE ID IN (900001, 900004)");
    Exec("CREATE TRIGGER Refuse BEFORE UPDATE OF Genus ON Main WHEN NEW.ID = 900004 "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const std::optional<Notice> failure = SetGenderFromArticle();
    EXPECT_TRUE(messages.Prompts().isEmpty()) << "the store shows no message box";
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->Prompt.startsWith("Error:"));
    EXPECT_TRUE(failure->Prompt.contains("refused"));
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900001").toInt(), 5);
}

// A write the disk refuses is told in words, without the engine's number:
// which file, why, and that nothing was stored.
TEST_F(Maintenance, AGenderFillInOnAFullDiskSaysSoInWords)
{
    Exec("UPDATE Main SET Genus = 5 WHERE ID IN (900001, 900004)");
    std::optional<Notice> failure;
    {
        tavtest::FullDisk full({"-journal"});
        WordDb = dao::DBEngine::OpenDatabase(db.Path()); // on the full disk
        failure = SetGenderFromArticle();
    }
    ASSERT_TRUE(failure);
    const QString said = failure->Prompt;
    EXPECT_FALSE(said.startsWith("Error:")) << said.toStdString();
    EXPECT_EQ(said.count(db.Path()), 1) << said.toStdString();
    EXPECT_TRUE(said.contains("the disk is full")) << said.toStdString();
    EXPECT_TRUE(said.contains("nothing was stored")) << said.toStdString();
    EXPECT_EQ(failure->Style, winsys::vbExclamation);
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900001").toInt(), 5);
}

// Compaction's edges: what is left on disk and what the user is told. No
// later action fails in the engine's words.
TEST_F(Maintenance, CompactionsEdgesKeepTheOwnerAndSayWhatHappened)
{
    const QByteArray file = QFile::encodeName(db.Path()), other = file + ".link";
    const auto flush = FlushToDisk;
    auto damageNewFile = [&](const QString &path) {
        if (QFileInfo(path).isDir() && ::truncate(file.constData(), 7) != 0)
            ADD_FAILURE();
    };
    const struct {
        std::function<bool()> setUp;
        const char *said; // "": compacted without a word
        bool kept;
    } cases[] = {
        {[&] { return !::link(file.constData(), other.constData()); }, "hard links", true},
        {[&] { return !::chown(file.constData(), 65534, 50) && !::chmod(file.constData(), 0640); }, "", false},
        {[&] { return AbandonCompaction(true), true; }, "abandoned", true},
        {[&] { return FlushToDisk = damageNewFile, true; }, "compacted file replaced", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.said);
        struct stat before {}, after {};
        ASSERT_TRUE(c.setUp() && !::stat(file.constData(), &before));
        const Outcome outcome = CompactWordDatabase();
        FlushToDisk = flush;
        AbandonCompaction(false);
        ::stat(file.constData(), &after);
        EXPECT_EQ(std::tuple(after.st_ino == before.st_ino, after.st_uid, after.st_gid, after.st_mode),
                  std::tuple(c.kept, before.st_uid, before.st_gid, before.st_mode));
        for (const QString &left : CompactionTempFiles(db.Path()))
            EXPECT_FALSE(QFileInfo::exists(left)) << left.toStdString();
        const QString said = outcome ? QString() : outcome.Failure->Prompt;
        EXPECT_TRUE(said.contains(c.said) && said.contains("left as it was") == c.kept) << said.toStdString();
        EXPECT_EQ(::unlink(other.constData()) == 0, after.st_nlink == 2) << "both names keep the one file";
    }
    const auto later = SetGenderFromArticle();
    ASSERT_TRUE(later);
    EXPECT_TRUE(!later->Prompt.startsWith("Error:") && later->Prompt.contains("start it again"))
        << later->Prompt.toStdString();
}
