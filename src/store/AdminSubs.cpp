#include "store/AdminSubs.h"

#include "platform/dao/Dao.h"
#include "platform/dao/JetSql.h"
#include "platform/winsys/notice/Notice.h"
#include "store/CountsAhead.h"
#include "store/DbTransaction.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"
#include "store/WordEdits.h"
#include "store/WordFileGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <array>
#include <atomic>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {

namespace {

class CompactionError : public std::runtime_error {
public:
    explicit CompactionError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Set when the program is to end: the compaction's connections stop.
std::atomic<bool> g_abandoned = false;
static_assert(std::atomic<bool>::is_always_lock_free);

// The number of rows of every table, by lower-case name.
QHash<QString, qlonglong> TableRowCounts(dao::Database &db)
{
    QHash<QString, qlonglong> counts;
    for (const QString &table : db.TableNames()) {
        const auto rows = db.QueryNative(QStringLiteral("SELECT COUNT(*) FROM ") + dao::SqlName(table));
        counts.insert(table.toLower(), rows.isEmpty() ? 0 : rows[0][0].toLongLong());
    }
    return counts;
}

// The owner and group of the file, by name where it has one.
QString OwnerAndGroup(const QString &path)
{
    const QFileInfo info(path);
    const QString user = info.owner().isEmpty() ? QString::number(info.ownerId()) : info.owner();
    const QString group = info.group().isEmpty() ? QString::number(info.groupId()) : info.group();
    return QStringLiteral("user \"") + user + QStringLiteral("\", group \"") + group + QLatin1Char('"');
}

// Gives the compacted copy the owner, group and permissions of the file it
// is to replace (a rename keeps the copy's own, those of this process): the
// file's owner keeps using it. Where this process may not set them, the
// copy is not used.
void GiveCopyTheFilesOwner(const QString &dbPath, const QString &tempPath)
{
    struct stat old {};
    if (::stat(QFile::encodeName(dbPath).constData(), &old) != 0)
        throw CompactionError(dbPath + QStringLiteral(" cannot be examined: ") +
                              QString::fromLocal8Bit(std::strerror(errno)));
    const QByteArray temp = QFile::encodeName(tempPath);
    // chown clears the set-ID bits: the permissions come after it.
    if (::chown(temp.constData(), old.st_uid, old.st_gid) != 0)
        throw CompactionError(QStringLiteral("the compacted file cannot be given the owner of the file (") +
                              OwnerAndGroup(dbPath) + QStringLiteral("): ") +
                              QString::fromLocal8Bit(std::strerror(errno)) +
                              QStringLiteral(". That user, or an administrator, can compact it"));
    if (::chmod(temp.constData(), old.st_mode & 07777) != 0)
        throw CompactionError(QStringLiteral("the compacted file cannot be given the permissions of the file: ") +
                              QString::fromLocal8Bit(std::strerror(errno)));
}

// Writes the compacted copy of the file at dbPath to tempPath and makes it
// ready to take the file's place: a sound database with the same tables
// holding the same number of rows, a mark of its own (see
// dao::Database::RenewFileMark) and every byte on the disk. Opens its own
// connections (the file's read only), so that it may run in a thread of its
// own while WordDb goes on reading the file.
void WriteCompactedCopy(const QString &dbPath, const QString &tempPath)
{
    QHash<QString, qlonglong> expected;
    {
        dao::DatabasePtr source = dao::DBEngine::OpenDatabase(dbPath, false, true);
        source->StopWhen(&g_abandoned);
        expected = TableRowCounts(*source);
    }
    dao::DBEngine::CompactDatabase(dbPath, tempPath, &g_abandoned);
    dao::DatabasePtr copy = dao::DBEngine::OpenDatabase(tempPath);
    copy->StopWhen(&g_abandoned);
    // Every page and record of the copy is read and found sound; the full
    // integrity check (each index against its table, a fresh copy's indexes
    // are built from its tables) would take twice as long as the copying.
    const auto check = copy->QueryNative(QStringLiteral("PRAGMA quick_check"));
    if (check.isEmpty() || check[0][0].toString() != QLatin1String("ok"))
        throw CompactionError(QStringLiteral("the compacted copy failed its check"));
    if (TableRowCounts(*copy) != expected)
        throw CompactionError(QStringLiteral("the compacted copy does not hold the same rows"));
    // A journal of a crashed run is never played back on a compacted
    // backup, however many writes it has had since its compaction.
    copy->RenewFileMark();
    copy->Close();
    GiveCopyTheFilesOwner(dbPath, tempPath);
    // The engine does not flush the copy it writes: the whole copy is on
    // the disk before it takes the old file's name.
    FlushToDisk(tempPath);
}

QString Megabytes(qint64 bytes) { return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB"); }

} // namespace

void AbandonCompaction(bool abandon) { g_abandoned = abandon; }

void FlushPathToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw CompactionError(path + QStringLiteral(" cannot be opened to flush it: ") +
                              QString::fromLocal8Bit(std::strerror(errno)));
    const int flushed = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (flushed != 0)
        throw CompactionError(path + QStringLiteral(" cannot be flushed to the disk: ") +
                              QString::fromLocal8Bit(std::strerror(error)));
}

Outcome CompactWordDatabase()
{
    // A file deleted, moved or replaced since the start is not the one the
    // program has open: there is nothing at the path to compact.
    if (WordDb && WordDb->IsOpen() && !WordDb->FileStillAtPath()) {
        return {Notice{QStringLiteral("The word database was not compacted: the file\r\n") + DbPath +
                           QStringLiteral("\r\nwas deleted, moved or replaced after ") + winsys::AppTitle +
                           QStringLiteral(" opened it."),
                       winsys::vbExclamation, winsys::AppTitle}};
    }
    // The file itself, also when DbPath is a symbolic link: the compacted
    // copy replaces the link's target and the link stays a link.
    const QString dbPath = ResolvedWordFile(DbPath);
    const QStringList tempFiles = CompactionTempFiles(dbPath);
    const QString tempPath = CompactionTempPath(dbPath);
    const qint64 sizeBefore = QFileInfo(dbPath).size();
    bool copying = false;
    bool replaced = false;
    QString failure;
    try {
        // A file with other names (hard links) would keep its old content
        // under them, and only this name would get the compacted file.
        struct stat file {};
        if (::stat(QFile::encodeName(dbPath).constData(), &file) == 0 && file.st_nlink > 1)
            throw CompactionError(QStringLiteral("the file has ") + QString::number(file.st_nlink) +
                                  QStringLiteral(" names (hard links), and only this one would get the compacted "
                                                 "file; the others would go on naming the old one. Remove the "
                                                 "other names, or compact a copy of the file"));
        // A leftover of an earlier compaction would stop this one.
        for (const QString &path : tempFiles) {
            const QFileInfo stale(path);
            if (!stale.exists() && !stale.isSymLink())
                continue;
            if (stale.isDir() || !QFile::remove(stale.filePath()))
                throw CompactionError(QStringLiteral("the old temporary file ") + stale.filePath() +
                                      QStringLiteral(" cannot be removed"));
        }
        dao::Database &db = OpenWordDb();
        // A write-ahead log left beside the database means another connection
        // still has it open; its log must never meet the new file.
        if (QFileInfo::exists(dbPath + QStringLiteral("-wal")))
            throw CompactionError(QStringLiteral("the database is still in use by another connection"));
        // Counts under way read the file on connections of their own.
        DropCountsAhead();

        // WordDb stays open for reading while the copy is written on a
        // connection of the worker's own; whatever the windows do meanwhile
        // reaches an open database. A write in that time would be missing
        // from the copy: it is found by the connection's change mark, and
        // the copy is then not used.
        const std::array<long long, 3> before = db.ChangeMark();
        copying = true;
        // A sudden end of the process removes the copy too.
        NoteCompactionCopy(dbPath, true);
        Link().RunBusy(QStringLiteral("Compacting the word database ..."), [&] {
            if (!g_abandoned)
                WriteCompactedCopy(dbPath, tempPath);
        });
        if (g_abandoned)
            throw CompactionError({});
        if (!WordDb || !WordDb->IsOpen() || WordDb->ChangeMark() != before)
            throw CompactionError(QStringLiteral("the word database was changed while it was being compacted. "
                                                 "Every change is kept; compact it again"));
        // The one moment the file is closed: WordDb itself closes, the
        // copy takes the old file's name by one atomic rename (there is no
        // moment without a database at DbPath), and WordDb opens the new
        // file, all without an event loop in between, so that no window
        // reaches the file meanwhile. Every holder of WordDb goes on with
        // the new file.
        MainRs.reset();
        CapsRs.reset();
        WordDb->ReplaceFile([&] {
            if (std::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(dbPath).constData()) != 0)
                throw CompactionError(QStringLiteral("the compacted file cannot replace the database: ") +
                                      QString::fromLocal8Bit(std::strerror(errno)));
            replaced = true;
            NoteCompactionCopy(dbPath, false);
            // The rename itself is on the disk once the folder is flushed.
            // The new file is in place whatever happens here: a folder that
            // cannot be flushed (some file systems refuse) is left to the
            // system.
            try {
                FlushToDisk(QFileInfo(dbPath).absolutePath());
            } catch (const std::exception &) {
            }
        });
    } catch (const std::exception &error) {
        // Whatever the engine said of a copy it was stopped in.
        failure = g_abandoned && copying ? winsys::AppTitle + QStringLiteral(" was asked to end while it compacted "
                                                                             "it: the compaction was abandoned")
                                         : ErrorDescription(error);
    }

    if (replaced && !failure.isEmpty()) {
        // The compacted file is in place, but the connection stayed closed:
        // every later use of it says so in these words, not the engine's.
        if (WordDb && !WordDb->IsOpen())
            WordDb->SetWhyClosed(QStringLiteral("The word database\r\n") + DbPath +
                                 QStringLiteral("\r\nis not open (") + winsys::AppTitle +
                                 QStringLiteral(" could not open it again after compacting it): nothing was read or "
                                                "stored. Close ") +
                                 winsys::AppTitle + QStringLiteral(" and start it again."));
        return {Notice{QStringLiteral("The word database was compacted: the compacted file replaced\r\n") + DbPath +
                           QStringLiteral("\r\nbut it could not be opened again: ") + failure +
                           QStringLiteral(".\r\nNothing can be read or stored until ") + winsys::AppTitle +
                           QStringLiteral(" is started again: close it and start it again."),
                       winsys::vbExclamation, winsys::AppTitle}};
    }
    if (!failure.isEmpty()) {
        // Nothing of this compaction stays behind, the engine's journal of
        // the copy included.
        for (const QString &path : tempFiles) {
            const QFileInfo temp(path);
            if (copying && temp.exists() && !temp.isDir())
                QFile::remove(path);
        }
        NoteCompactionCopy(dbPath, false);
        QString reopened;
        if (WordDb && !WordDb->IsOpen()) {
            try {
                WordDb->Reopen();
            } catch (const std::exception &error) {
                reopened = QStringLiteral("\r\nThe word database could not be opened again: ") + ErrorDescription(error);
            }
        }
        return {Notice{QStringLiteral("The word database was not compacted: ") + failure +
                           QStringLiteral(".\r\nThe database file was left as it was.") + reopened,
                       winsys::vbExclamation, winsys::AppTitle}};
    }
    // Open list windows read their rows again from the compacted file.
    RefreshGridForms();
    SetStatusText(QStringLiteral("The word database was compacted (from ") + Megabytes(sizeBefore) +
                      QStringLiteral(" to ") + Megabytes(QFileInfo(dbPath).size()) + QStringLiteral(")."),
                  false);
    return {};
}

int GenusFromArticleAndType(const QString &Article, const QString &WT)
{
    // Compiled once: the gender fill-in asks this for every word.
    static const dao::LikePattern masculine(QStringLiteral("am*"));
    static const dao::LikePattern feminine(QStringLiteral("af*"));
    static const dao::LikePattern neuter(QStringLiteral("an*"));
    if (Article == QLatin1String("o") || masculine.Matches(WT))
        return 0;
    if (ArticleGenus(Article) == 1 || feminine.Matches(WT))
        return 1;
    if (Article == QLatin1String("to") || Article == QLatin1String("ta") || neuter.Matches(WT))
        return 2;
    return 99;
}

std::optional<Notice> SetGenderFromArticle()
{
    try {
        dao::Database &db = OpenWordDb();
        dao::RecordsetPtr words = db.OpenRecordset(
            QStringLiteral("SELECT Main.ID, Main.Art, Main.WT, Main.Genus FROM Main"), dao::RecordsetType::Snapshot);
        DbTransaction transaction(db);
        if (words->RecordCount() > 0)
            words->MoveFirst();
        for (; !words->Eof(); words->MoveNext()) {
            const QString article = words->Text(1);
            if (article.isEmpty())
                continue;
            const int genus = GenusFromArticleAndType(article, words->Text(2));
            const QVariant stored = words->Field(3);
            if (!stored.isNull() && stored.toInt() == genus)
                continue;
            db.Execute(QStringLiteral("UPDATE Main SET Main.Genus = ") + QString::number(genus) +
                       QStringLiteral(" WHERE Main.ID = ") + QString::number(words->Long(0)));
        }
        transaction.Commit();
    } catch (const std::exception &error) {
        return ErrorNotice(error);
    }
    return std::nullopt;
}

} // namespace tav
