// The database file as users handle it: a copy of the file alone holds every
// commit, a file that is only read is never changed, and a write the disk
// refuses names the file and says that nothing was stored.
#include "DaoTestHelpers.h"
#include "platform/dao/Dao.h"
#include "support/FullDisk.h"

#include <QFile>
#include <QTemporaryDir>

#include "support/TestDb.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace dao;

namespace {

class FileSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = path("words.twl");
        auto db = DBEngine::CreateDatabase(m_path);
        db->ExecNative(QStringLiteral("CREATE TABLE Main (ID INTEGER, Greek TEXT);"
                                      "INSERT INTO Main VALUES (1, 'lovgoV');"));
        db->Close();
    }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    bool sideFiles(const QString &file) const
    {
        for (const char *side : {"-wal", "-shm", "-journal"})
            if (QFile::exists(file + QLatin1String(side)))
                return true;
        return false;
    }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace

TEST_F(FileSafety, ACopyOfTheFileAloneHoldsEveryCommit)
{
    auto db = DBEngine::OpenDatabase(m_path);
    db->Execute(QStringLiteral("UPDATE Main SET Greek = 'lovgia' WHERE ID = 1"));
    db->BeginTrans();
    db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek) VALUES (2, 'gravfw')"));
    db->CommitTrans();
    // The program is still running: nothing beside the file holds a commit.
    EXPECT_FALSE(sideFiles(m_path));
    const QString copy = path("backup.twl");
    ASSERT_TRUE(QFile::copy(m_path, copy));
    auto backup = DBEngine::OpenDatabase(copy, false, true);
    EXPECT_EQ(backup->QueryNative(QStringLiteral("SELECT Greek FROM Main WHERE ID = 1"))[0][0].toString(), "lovgia");
    EXPECT_EQ(backup->QueryNative(QStringLiteral("SELECT COUNT(*) FROM Main"))[0][0].toInt(), 2);
}

TEST_F(FileSafety, AFileInWalModeIsChangedOnlyByAWriteWhichLeavesTheLog)
{
    {
        sqlite3 *raw = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(m_path).constData(), &raw), SQLITE_OK);
        sqlite3_exec(raw, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        sqlite3_close(raw);
    }
    const QByteArray before = tavtest::FileHash(m_path);
    auto db = DBEngine::OpenDatabase(m_path);
    EXPECT_EQ(db->QueryNative(QStringLiteral("SELECT COUNT(*) FROM Main"))[0][0].toInt(), 1);
    db->Close();
    EXPECT_EQ(tavtest::FileHash(m_path), before) << "opening and reading changed the file";
    EXPECT_FALSE(sideFiles(m_path));

    db = DBEngine::OpenDatabase(m_path);
    db->BeginTrans();
    db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek) VALUES (2, 'gravfw')"));
    db->CommitTrans();
    EXPECT_EQ(db->QueryNative(QStringLiteral("PRAGMA journal_mode"))[0][0].toString(), "delete");
    EXPECT_FALSE(sideFiles(m_path));
}

TEST_F(FileSafety, AFullDiskNamesTheFileAndSaysNothingWasStored)
{
    auto db = DBEngine::OpenDatabase(m_path);
    // The file may not grow by a page.
    const int pages = db->QueryNative(QStringLiteral("PRAGMA page_count"))[0][0].toInt();
    db->QueryNative(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
    try {
        db->BeginTrans();
        db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek) VALUES (3, 'x')"));
        db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek) SELECT 4, printf('%.9000c', 'x')"));
        db->CommitTrans();
        FAIL() << "the write went through";
    } catch (const DaoError &e) {
        EXPECT_EQ(e.Number() & 0xFF, SQLITE_FULL);
        EXPECT_TRUE(e.Description().contains(m_path)) << e.Description().toStdString();
        EXPECT_TRUE(e.Description().contains("nothing was stored")) << e.Description().toStdString();
        EXPECT_TRUE(e.Description().contains("full")) << e.Description().toStdString();
        db->Rollback();
    }
    EXPECT_EQ(db->QueryNative(QStringLiteral("SELECT COUNT(*) FROM Main"))[0][0].toInt(), 1);

    // A full disk at the journal refuses an edit the same way.
    tavtest::FullDisk full({QStringLiteral("-journal")});
    auto other = DBEngine::OpenDatabase(m_path);
    try {
        other->Execute(QStringLiteral("UPDATE Main SET Greek = 'lovgia' WHERE ID = 1"));
        FAIL() << "the write went through";
    } catch (const DaoError &e) {
        EXPECT_TRUE(e.Description().contains(m_path)) << e.Description().toStdString();
        EXPECT_TRUE(e.Description().contains("nothing was stored")) << e.Description().toStdString();
    }
    EXPECT_GT(full.Refused(), 0);
    EXPECT_EQ(other->QueryNative(QStringLiteral("SELECT Greek FROM Main WHERE ID = 1"))[0][0].toString(), "lovgoV");
    // A failing read is not a write: its message stays the engine's.
    try {
        other->QueryNative(QStringLiteral("SELECT nosuchcolumn FROM Main"));
    } catch (const DaoError &e) {
        EXPECT_FALSE(e.Description().contains("nothing was stored"));
    }
}

TEST_F(FileSafety, ACompactionOnAFullDiskLeavesNoCopyAndNamesIt)
{
    const QString copy = path("tmp.mdb");
    tavtest::FullDisk full({QStringLiteral("tmp.mdb"), QStringLiteral("tmp.mdb-journal")});
    try {
        DBEngine::CompactDatabase(m_path, copy);
        FAIL() << "the compaction went through";
    } catch (const DaoError &e) {
        EXPECT_TRUE(e.Description().contains(copy)) << e.Description().toStdString();
    }
    EXPECT_GT(full.Refused(), 0);
    for (const char *side : {"", "-journal", "-wal", "-shm"})
        EXPECT_FALSE(QFile::exists(copy + QLatin1String(side))) << side;
    EXPECT_FALSE(sideFiles(m_path));
}

TEST_F(FileSafety, AFileDeletedWhileOpenIsNoLongerAtItsPath)
{
    auto db = DBEngine::OpenDatabase(m_path);
    EXPECT_TRUE(db->FileStillAtPath());
    ASSERT_TRUE(QFile::remove(m_path));
    EXPECT_FALSE(db->FileStillAtPath());
}

namespace {

// The page number of the first page a rollback journal saves (the record
// right after the header, which fills the first sector).
quint32 FirstJournaledPage(const QString &journal)
{
    QFile f(journal);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = f.readAll();
    if (bytes.size() < 28)
        return 0;
    auto at = [&](int i) {
        const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData() + i);
        return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | b[3];
    };
    const quint32 sector = at(20);
    return int(sector) + 4 <= bytes.size() ? at(int(sector)) : 0;
}

} // namespace

// A start after a crash compares the journal's copy of page 1 (the header
// with the file's mark and change counter) with the file: every write saves
// page 1 first, also one so long that pages are spilled into the file
// before its commit, and also a single statement outside a transaction.
TEST_F(FileSafety, EveryWriteSavesTheFirstPageFirst)
{
    {
        auto db = DBEngine::OpenDatabase(m_path);
        db->ExecNative(QStringLiteral("CREATE TABLE Big (ID INTEGER PRIMARY KEY, t TEXT);"
                                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                                      "INSERT INTO Big SELECT i, printf('%.300c', 'x') FROM n;"));
    }
    auto db = DBEngine::OpenDatabase(m_path);
    db->ExecNative(QStringLiteral("PRAGMA cache_size = 8"));
    db->BeginTrans();
    db->Execute(QStringLiteral("UPDATE Big SET t = printf('%.300c', 'y')"));
    EXPECT_EQ(FirstJournaledPage(m_path + "-journal"), 1u) << "a long write in a transaction";
    db->Rollback();

    // A statement alone: the journal as it stands half-way through.
    struct Seen {
        QString journal;
        quint32 first = 0;
    } seen{m_path + "-journal"};
    sqlite3_update_hook(
        db->Handle(),
        [](void *p, int, const char *, const char *, sqlite3_int64 rowid) {
            auto *s = static_cast<Seen *>(p);
            if (rowid == 2500)
                s->first = FirstJournaledPage(s->journal);
        },
        &seen);
    db->Execute(QStringLiteral("UPDATE Big SET t = 'z' WHERE ID <= 3000"));
    sqlite3_update_hook(db->Handle(), nullptr, nullptr);
    EXPECT_EQ(seen.first, 1u) << "a long statement outside a transaction";
    EXPECT_EQ(db->QueryNative(QStringLiteral("SELECT COUNT(*) FROM Big WHERE t = 'z'"))[0][0].toInt(), 3000);
}

// The file's mark: a new one on request, stepped to the next one by every
// other write, and a connection that only reads leaves the file as it is.
TEST_F(FileSafety, TheMarkIsRenewedOnlyWhenAskedAndOnlyByAWrite)
{
    const QByteArray before = tavtest::FileHash(m_path);
    auto db = DBEngine::OpenDatabase(m_path);
    const quint32 mark = db->FileMark();
    db->RenewFileMark(true);
    EXPECT_EQ(db->QueryNative(QStringLiteral("SELECT COUNT(*) FROM Main"))[0][0].toInt(), 1);
    EXPECT_EQ(tavtest::FileHash(m_path), before) << "a run that only reads changes nothing";
    db->Execute(QStringLiteral("UPDATE Main SET Greek = 'lovgia' WHERE ID = 1"));
    const quint32 renewed = db->FileMark();
    EXPECT_NE(renewed, mark);
    db->Execute(QStringLiteral("UPDATE Main SET Greek = 'lovgoV' WHERE ID = 1"));
    db->BeginTrans();
    db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek) VALUES (2, 'gravfw')"));
    db->CommitTrans();
    EXPECT_EQ(db->FileMark(), Database::NextFileMark(Database::NextFileMark(renewed))) << "one step a write";
    db->RenewFileMark();
    EXPECT_NE(db->FileMark(), renewed) << "at once";
}
