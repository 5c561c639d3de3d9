// rebuild-wordbase's replacement of the database beside the program: what
// the old file's engine left beside it goes, and a linked file is replaced
// at its target.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool Put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(RebuildWordbase, ReplacesTheTargetAndRemovesTheOldFilesJournalAndLog)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fresh = dir.filePath("fresh.twl");
    const QString target = dir.filePath("synced/TavWrd.twl");
    const QString beside = dir.filePath("bin/TavWrd.twl");
    ASSERT_TRUE(QDir(dir.path()).mkpath("synced") && QDir(dir.path()).mkpath("bin"));
    ASSERT_TRUE(Put(fresh, "the fresh database"));
    ASSERT_TRUE(Put(target, "the user's database"));
    for (const char *side : {"-wal", "-shm", "-journal"})
        ASSERT_TRUE(Put(target + side, "left by an ended run"));
    ASSERT_TRUE(QFile::link(target, beside));

    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(TAV_CMAKE), {"-DSRC=" + fresh, "-DDST=" + beside, "-P",
                                           QStringLiteral(TAV_REPLACE_WORDBASE)});
    ASSERT_TRUE(cmake.waitForFinished(60000));
    ASSERT_EQ(cmake.exitCode(), 0) << cmake.readAll().toStdString();

    EXPECT_TRUE(QFileInfo(beside).isSymLink());
    EXPECT_EQ(Read(target), "the fresh database");
    for (const char *side : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(target + side)) << side;
    EXPECT_FALSE(QFile::exists(target + ".new"));
}
