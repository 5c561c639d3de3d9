// rebuild-wordbase's replacement of the database beside the program: what
// the old file's engine left beside it goes, and a linked file is replaced
// at its target.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

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

// Runs the replacement of the database at beside by the one at fresh, as
// rebuild-wordbase does; its exit code and what it printed.
std::pair<int, QString> Replace(const QString &fresh, const QString &beside)
{
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(TAV_CMAKE), {"-DSRC=" + fresh, "-DDST=" + beside, "-P",
                                           QStringLiteral(TAV_REPLACE_WORDBASE)});
    if (!cmake.waitForFinished(60000))
        return {-1, QStringLiteral("did not finish")};
    return {cmake.exitCode(), QString::fromUtf8(cmake.readAll()).simplified()};
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

    const auto [status, said] = Replace(fresh, beside);
    ASSERT_EQ(status, 0) << said.toStdString();

    EXPECT_TRUE(QFileInfo(beside).isSymLink());
    EXPECT_EQ(Read(target), "the fresh database");
    for (const char *side : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(target + side)) << side;
    EXPECT_FALSE(QFile::exists(target + ".new"));
}

// What stands where the database should be but is no file: each is left as
// it is, with a message that says why, and no fresh copy stays behind.
TEST(RebuildWordbase, WhatIsNoFileIsLeftAsItIs)
{
    struct Case {
        const char *name;
        const char *target;  // where the link points; "" for no link
        bool folder;         // a folder named TavWrd.twl at the target
        const char *reason;
    };
    for (const Case &c : {Case{"a link into a folder that is not there", "unplugged-stick/TavWrd.twl", false,
                               "does not exist"},
                          Case{"a link to itself", "TavWrd.twl", false, "leads back to itself"},
                          Case{"two links to each other", "other.twl", false, "leads back to itself"},
                          Case{"a folder", "", true, "is a folder, not a file"}}) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString fresh = dir.filePath("fresh.twl");
        const QString bin = dir.filePath("bin");
        const QString beside = bin + "/TavWrd.twl";
        ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
        ASSERT_TRUE(Put(fresh, "the fresh database"));
        const QString target = QLatin1String(c.target) == QLatin1String("unplugged-stick/TavWrd.twl")
                                   ? dir.filePath(c.target)
                                   : bin + "/" + c.target;
        if (c.folder) {
            ASSERT_TRUE(QDir(bin).mkpath("TavWrd.twl"));
        } else {
            ASSERT_TRUE(QFile::link(target, beside));
        }
        if (QLatin1String(c.target) == QLatin1String("other.twl")) {
            ASSERT_TRUE(QFile::link(beside, target));
        }

        const auto [status, said] = Replace(fresh, beside);
        EXPECT_NE(status, 0);
        EXPECT_TRUE(said.contains("was not replaced")) << said.toStdString();
        EXPECT_TRUE(said.contains(c.reason)) << said.toStdString();
        if (c.folder) {
            EXPECT_TRUE(QFileInfo(beside).isDir());
        } else {
            EXPECT_TRUE(QFileInfo(beside).isSymLink()) << "the link stays a link";
            EXPECT_EQ(QFileInfo(beside).symLinkTarget(), QFileInfo(target).absoluteFilePath());
        }
        const QStringList left = QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        for (const QString &name : left)
            EXPECT_FALSE(name.endsWith(".new")) << name.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("unplugged-stick")));
    }
}
