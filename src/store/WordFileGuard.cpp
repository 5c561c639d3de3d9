#include "store/WordFileGuard.h"

#include "platform/dao/Dao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <QSysInfo>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {

namespace {

constexpr int kHeaderBytes = 100;     // the database header on the first page
constexpr qint64 kWalHeaderBytes = 32; // a log this size or smaller holds no change

quint32 BigEndian32(const QByteArray &bytes, int at)
{
    if (at + 4 > bytes.size())
        return 0;
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData() + at);
    return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
}

QByteArray ReadAt(QFile &file, qint64 at, qint64 length)
{
    if (!file.seek(at))
        return {};
    return file.read(length);
}

// A journal the engine would play back: it exists and its first byte is not
// zero (the engine writes the header's magic number only once the journal is
// complete and synced).
bool IsHotJournal(const QString &path)
{
    QFile journal(path);
    if (!journal.open(QIODevice::ReadOnly))
        return false;
    const QByteArray first = journal.read(1);
    return !first.isEmpty() && first[0] != '\0';
}

// What a start needs of a rollback journal: its saved copy of page 1 (the
// first record for page 1, when its checksum holds), how many pages it
// saves in all, its page size and the file's size in pages when it began.
struct JournalContents {
    QByteArray firstPage;
    quint32 records = 0;
    quint32 pageSize = 0;
    quint32 originalPages = 0;
};

// Reads every segment of a rollback journal as the engine plays it back: a
// header on a sector boundary (its record count, or all records to the end
// when that is 0xFFFFFFFF), then the records of whole pages. A long write
// that spills pages into the file before its commit writes several
// segments.
JournalContents ReadJournal(const QString &path)
{
    static const unsigned char magic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
    JournalContents contents;
    QFile journal(path);
    if (!journal.open(QIODevice::ReadOnly))
        return contents;
    const qint64 size = journal.size();
    qint64 sectorSize = 0;
    qint64 at = 0;
    while (at + 28 <= size) {
        const QByteArray header = ReadAt(journal, at, 28);
        if (header.size() < 28 || std::memcmp(header.constData(), magic, sizeof magic) != 0)
            break;
        if (sectorSize == 0) {
            sectorSize = BigEndian32(header, 20);
            contents.pageSize = BigEndian32(header, 24);
            contents.originalPages = BigEndian32(header, 16);
            if (contents.pageSize < 512 || contents.pageSize > 65536 || sectorSize < 32 || sectorSize > 65536)
                return {};
        }
        const quint32 nonce = BigEndian32(header, 12);
        const qint64 recordSize = 4 + qint64(contents.pageSize) + 4;
        at += sectorSize;
        qint64 records = BigEndian32(header, 8);
        if (records == 0xFFFFFFFF)
            records = (size - at) / recordSize;
        for (qint64 r = 0; r < records && at + recordSize <= size; ++r, at += recordSize) {
            const QByteArray record = ReadAt(journal, at, recordSize);
            if (record.size() < recordSize)
                break;
            ++contents.records;
            if (BigEndian32(record, 0) != 1 || !contents.firstPage.isEmpty())
                continue;
            // The engine's checksum: the nonce plus every 200th byte from
            // the end of the page.
            quint32 sum = nonce;
            for (qint64 i = contents.pageSize - 200; i > 0; i -= 200)
                sum += quint8(record[4 + i]);
            if (sum == BigEndian32(record, 4 + int(contents.pageSize)))
                contents.firstPage = record.mid(4, contents.pageSize);
        }
        at = (at + sectorSize - 1) / sectorSize * sectorSize;
    }
    return contents;
}

// True when the journal was written from the file as it is. Every write of
// the program first steps the file's mark (header bytes 60-63) to the next
// one (dao::Database::NextFileMark), so its journal saves page 1: the file
// is the one the journal was written from when its first page is still the
// saved one byte for byte (the commit had not reached it), or when its
// header holds the saved format bytes, the mark after the saved one and the
// saved change counter (bytes 24-27) plus one (the commit had written it).
// A copy of the file changed by another program (an in-place VACUUM, any
// commit) keeps the mark and so fits neither. A journal that saves page 1
// alone and differs from the file only in those header fields (a crash
// while the mark was renewed at random, at a run's first write or a
// compaction) fits too: playing it back changes nothing but them.
bool JournalFitsFile(const QString &journalPath, const QString &databasePath)
{
    const JournalContents journal = ReadJournal(journalPath);
    if (journal.firstPage.isEmpty())
        return false;
    QFile database(databasePath);
    if (!database.open(QIODevice::ReadOnly))
        return false;
    const QByteArray current = ReadAt(database, 0, journal.pageSize);
    if (current.size() < kHeaderBytes)
        return false;
    const QByteArray &saved = journal.firstPage;
    if (current == saved)
        return true;
    const quint32 savedCounter = BigEndian32(saved, 24);
    const bool oneCommitOn = BigEndian32(current, 24) == savedCounter + 1;
    if (saved.left(24) == current.left(24) && oneCommitOn &&
        BigEndian32(current, 60) == dao::Database::NextFileMark(BigEndian32(saved, 60)))
        return true;
    auto headerFieldsBlanked = [](QByteArray page) {
        for (const auto &[from, length] : {std::pair{24, 4}, std::pair{60, 4}, std::pair{92, 8}})
            page.replace(from, length, QByteArray(length, '\0'));
        return page;
    };
    return journal.records == 1 && oneCommitOn && current.size() == saved.size() &&
           BigEndian32(current, 60) != BigEndian32(saved, 60) &&
           database.size() == qint64(journal.originalPages) * journal.pageSize &&
           headerFieldsBlanked(saved) == headerFieldsBlanked(current);
}

} // namespace

QString ResolvedWordFile(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString WordFileLockPath(const QString &file) { return file + QStringLiteral("-lock"); }

namespace {

// Who owns a file, by user name; the number when the name is unknown.
QString OwnerOf(const QFileInfo &info)
{
    const QString name = info.owner();
    return name.isEmpty() ? QString::number(info.ownerId()) : name;
}

// Removes a lock file that no program uses: none holds its lock of the
// system (flock: a running program's QLockFile keeps one), and none has it
// open for writing (a start that has created it but not yet locked it, to
// which it belongs already). A copy of the file, made with the program's
// folder while the program ran, names that program but is used by nobody.
// The file is locked while it is checked and removed: a second start that
// checks it meanwhile finds it held, and only the file checked is removed.
bool RemoveUnusedLock(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A read lease is refused while any process has the file open for
    // writing; a file system without leases leaves the lock of the system
    // to tell.
    const bool beingWritten = ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0 && errno == EAGAIN;
    if (!beingWritten)
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
    struct stat opened {};
    struct stat named {};
    const bool removed = !beingWritten && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
                         ::stat(name.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
                         opened.st_ino == named.st_ino && ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

// Why a lock file that this user cannot read stops the start, and what to
// do about it.
QString CannotReadLock(const QString &path, int error)
{
    return QStringLiteral("Its lock file\n") + path + QStringLiteral("\ncannot be read (") +
           QString::fromLocal8Bit(std::strerror(error)) +
           QStringLiteral("), so whether the program already runs with this word database cannot be told.\nIf it "
                          "does not run with it (on this or another computer), remove that lock file and start "
                          "again.");
}

// Why this user cannot remove another user's lock file, and who can.
QString CannotRemoveLock(const QString &path, const QFileInfo &info)
{
    struct stat folder {};
    const bool sticky = ::stat(QFile::encodeName(info.absolutePath()).constData(), &folder) == 0 &&
                        (folder.st_mode & S_ISVTX) != 0;
    const QString owner = OwnerOf(info);
    return QStringLiteral("Its lock file\n") + path + QStringLiteral("\nbelongs to the user \"") + owner +
           QStringLiteral("\" and cannot be removed by you") +
           (sticky ? QStringLiteral(": in this folder only a file's owner may remove it.") : QStringLiteral(".")) +
           QStringLiteral("\nThe user \"") + owner +
           QStringLiteral("\" or an administrator can remove it, once the program no longer runs there; then "
                          "start again.");
}


// One file RemoveRunFilesNow removes: its path as the system takes it, in
// storage a signal handler may read (no allocation), valid while set; and
// the journal that, while it is hot, keeps it (the lock of a run ended in
// the middle of a write is what lets the next start trust its journal).
struct RunFile {
    char path[4096] = {};
    char keptByJournal[4096] = {};
    std::atomic<bool> set = false;
};
static_assert(std::atomic<bool>::is_always_lock_free);

// The lock first, then the compaction's files.
RunFile g_runFiles[5];
constexpr int kLockSlot = 0;

void NoteRunFile(int slot, const QString &path, const QString &journal = {})
{
    RunFile &file = g_runFiles[slot];
    file.set = false;
    const QByteArray name = QFile::encodeName(path);
    const QByteArray kept = QFile::encodeName(journal);
    if (name.isEmpty() || name.size() >= qsizetype(sizeof file.path) || kept.size() >= qsizetype(sizeof file.path))
        return;
    std::memcpy(file.path, name.constData(), size_t(name.size()) + 1);
    std::memcpy(file.keptByJournal, kept.constData(), size_t(kept.size()) + 1);
    file.set = true;
}

// IsHotJournal with calls that are safe in a signal handler.
bool HotNow(const char *journal)
{
    const int fd = *journal ? ::open(journal, O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0)
        return false;
    unsigned char first = 0;
    const bool hot = ::read(fd, &first, 1) == 1 && first != 0;
    ::close(fd);
    return hot;
}

// The lock of this run, noted while it is held.
std::shared_ptr<QLockFile> NotedLock(const QString &path)
{
    return std::shared_ptr<QLockFile>(new QLockFile(path), [](QLockFile *lock) {
        if (lock->isLocked())
            g_runFiles[kLockSlot].set = false;
        delete lock;
    });
}

} // namespace

WordFileLock LockWordFile(const QString &file)
{
    WordFileLock result;
    const QString path = WordFileLockPath(file);
    const bool lockThere = QFileInfo::exists(path);
    auto lock = NotedLock(path);
    // Only a lock whose program is gone is stale, however old it is: the
    // program may run for days.
    lock->setStaleLockTime(0);
    auto taken = [&](bool crashedRun) {
        NoteRunFile(kLockSlot, path, file + QStringLiteral("-journal"));
        result = {};
        result.lock = std::move(lock);
        result.crashedRunFound = crashedRun;
        return result;
    };
    if (lock->tryLock(0))
        return taken(lockThere);
    if (lock->error() == QLockFile::LockFailedError) {
        // A lock file that cannot be read tells nothing of its program.
        if (const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC); fd >= 0) {
            ::close(fd);
        } else if (errno == EACCES || errno == EPERM) {
            result.failure = CannotReadLock(path, errno);
            return result;
        }
        result.heldElsewhere = true;
        // A lock of another computer, or of another user's program, is never
        // stale to QLockFile: it cannot check that program.
        qint64 pid = 0;
        QString host;
        QString application;
        const QFileInfo info(path);
        if (lock->getLockInfo(&pid, &host, &application) &&
            (host != QSysInfo::machineHostName() || info.ownerId() != ::getuid())) {
            result.uncheckable = true;
            result.holder = {host, OwnerOf(info), info.lastModified()};
            return result;
        }
        // A lock counts only for the file it was written for: one that
        // names a program running here but is not used is a copy.
        if (info.ownerId() == ::getuid() && RemoveUnusedLock(path) && lock->tryLock(0))
            return taken(true);
        return result;
    }
    result.failure = QStringLiteral("Its lock file ") + path + QStringLiteral(" cannot be created.");
    return result;
}

WordFileLock TakeOverWordFileLock(const QString &file)
{
    const QString path = WordFileLockPath(file);
    const QFileInfo info(path);
    bool removed = false;
    {
        QLockFile old(path);
        removed = old.removeStaleLockFile();
    }
    if (!removed && QFileInfo::exists(path) && info.ownerId() != ::getuid()) {
        WordFileLock refused;
        refused.failure = CannotRemoveLock(path, info);
        return refused;
    }
    WordFileLock taken = LockWordFile(file);
    if (taken.lock)
        taken.crashedRunFound = true;
    return taken;
}

void NoteCompactionCopy(const QString &file, bool writing)
{
    const QStringList paths = CompactionTempFiles(file);
    for (int i = 0; i < paths.size(); ++i) {
        if (writing)
            NoteRunFile(kLockSlot + 1 + i, paths[i]);
        else
            g_runFiles[kLockSlot + 1 + i].set = false;
    }
}

void RemoveRunFilesNow()
{
    for (RunFile &file : g_runFiles)
        if (file.set.exchange(false) && !HotNow(file.keptByJournal))
            ::unlink(file.path);
}

QString CompactionTempPath(const QString &file)
{
    return QFileInfo(file).absoluteDir().filePath(QStringLiteral("tmp.mdb"));
}

QStringList CompactionTempFiles(const QString &file)
{
    const QString temp = CompactionTempPath(file);
    return {temp, temp + QStringLiteral("-journal"), temp + QStringLiteral("-wal"), temp + QStringLiteral("-shm")};
}

void RemoveCompactionLeftovers(const QString &file)
{
    for (const QString &path : CompactionTempFiles(file)) {
        const QFileInfo left(path);
        if (left.isFile() && !left.isSymLink())
            QFile::remove(path);
    }
}

UntrustedSideFiles UntrustedLeftovers(const QString &file, bool crashedRun)
{
    UntrustedSideFiles found;
    const QFileInfo wal(file + QStringLiteral("-wal"));
    if (wal.isFile() && wal.size() > kWalHeaderBytes)
        found.foreign << wal.filePath() + QStringLiteral(" (changes that another program wrote and that are not in the file)");
    const QString journal = file + QStringLiteral("-journal");
    if (!IsHotJournal(journal))
        return found;
    if (!crashedRun)
        found.foreign << journal + QStringLiteral(" (a change that another program did not finish)");
    else if (!JournalFitsFile(journal, file))
        found.otherCopysJournal = journal;
    else
        found.ownJournal = true;
    return found;
}

} // namespace tav
