#include "store/AdminSubs.h"

#include "platform/winsys/core/Pointer.h"
#include "WordStoreFixture.h"
#include "support/FullDisk.h"
#include "support/RecordingListWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tav;

namespace {

class Maintenance : public tavtest::WordStoreTest {
protected:
    QString TempPath() const { return QDir(db.Folder()).filePath("tmp.mdb"); }
    long long WordCount() { return Value("SELECT COUNT(*) FROM Main").toLongLong(); }
};

// Notes the depth of the busy pointer whenever a message is shown.
class PointerWatchingMessages : public winsys::ScriptedMessages {
public:
    int Show(const QString &prompt, int style, const QString &title) override
    {
        depths.append(winsys::PointerDepth());
        return ScriptedMessages::Show(prompt, style, title);
    }
    QList<int> depths;
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

    ASSERT_TRUE(CompactWordDatabase()) << messages.Prompts().join("\n").toStdString();
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

    EXPECT_FALSE(CompactWordDatabase());
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts().first().contains("changed while it was being compacted"))
        << messages.Prompts().first().toStdString();
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
    const bool compacted = CompactWordDatabase();
    FlushToDisk = saved;
    ASSERT_TRUE(compacted) << messages.Prompts().join("\n").toStdString();
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
    const bool again = CompactWordDatabase();
    FlushToDisk = saved;
    EXPECT_FALSE(again);
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts()[0].contains("no space left on device")) << messages.Prompts()[0].toStdString();
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
    ASSERT_TRUE(CompactWordDatabase()) << messages.Prompts().join("\n").toStdString();
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900001"), "spivti");
}

TEST_F(Maintenance, AFailedCompactionKeepsTheOldFileOpen)
{
    // A temporary path that cannot be cleared: the compaction cannot start.
    ASSERT_TRUE(QDir(db.Folder()).mkpath("tmp.mdb/inside"));
    tavtest::RecordingListWindow list;
    mdi.lists = {&list};
    EXPECT_FALSE(CompactWordDatabase());
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts()[0].contains("tmp.mdb")) << messages.Prompts()[0].toStdString();
    EXPECT_TRUE(messages.Prompts()[0].contains("was left as it was"));
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
    PointerWatchingMessages watched;
    EXPECT_FALSE(CompactWordDatabase());
    EXPECT_EQ(watched.Prompts().size(), 1);
    EXPECT_EQ(watched.depths, QList<int>{0}) << "the hourglass is gone before the message";
    ASSERT_TRUE(WordDb && WordDb->IsOpen());
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900002"), "gravfw");
    EXPECT_FALSE(QFileInfo::exists(TempPath()));
    EXPECT_TRUE(watched.Prompts()[0].contains("still in use by another connection"));
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

    ASSERT_TRUE(CompactWordDatabase()) << messages.Prompts().join("\n").toStdString();
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
    EXPECT_FALSE(CompactWordDatabase());
    ASSERT_EQ(messages.Prompts().size(), 1);
    const QString said = messages.Prompts()[0];
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
    {
        tavtest::FullDisk full({"tmp.mdb", "tmp.mdb-journal"});
        EXPECT_FALSE(CompactWordDatabase());
    }
    ASSERT_EQ(messages.Prompts().size(), 1);
    const QString said = messages.Prompts()[0];
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
    EXPECT_FALSE(CompactWordDatabase());
    QFile::setPermissions(db.Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(messages.Prompts().size(), 1);
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
    SetGenderFromArticle();
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
    SetGenderFromArticle();
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts()[0].startsWith("Error:"));
    EXPECT_TRUE(messages.Prompts()[0].contains("refused"));
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900001").toInt(), 5);
}

// A write the disk refuses is told in words, without the engine's number:
// which file, why, and that nothing was stored.
TEST_F(Maintenance, AGenderFillInOnAFullDiskSaysSoInWords)
{
    Exec("UPDATE Main SET Genus = 5 WHERE ID IN (900001, 900004)");
    {
        tavtest::FullDisk full({"-journal"});
        WordDb = dao::DBEngine::OpenDatabase(db.Path()); // on the full disk
        SetGenderFromArticle();
    }
    ASSERT_EQ(messages.Messages().size(), 1);
    const QString said = messages.Messages()[0].prompt;
    EXPECT_FALSE(said.startsWith("Error:")) << said.toStdString();
    EXPECT_EQ(said.count(db.Path()), 1) << said.toStdString();
    EXPECT_TRUE(said.contains("the disk is full")) << said.toStdString();
    EXPECT_TRUE(said.contains("nothing was stored")) << said.toStdString();
    EXPECT_EQ(messages.Messages()[0].style, winsys::vbExclamation);
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900001").toInt(), 5);
}
