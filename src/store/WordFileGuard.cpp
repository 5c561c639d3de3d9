#include "store/WordFileGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>

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

// True when the journal was written from the file as it is: its saved copy of
// page 1 (found in the journal's first segment) has the file's header, and
// the file's change counter is the saved one or one further (the commit had
// begun to write the file when it stopped).
bool JournalFitsFile(const QString &journalPath, const QString &databasePath)
{
    QFile journal(journalPath);
    QFile database(databasePath);
    if (!journal.open(QIODevice::ReadOnly) || !database.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = ReadAt(journal, 0, 28);
    const QByteArray current = ReadAt(database, 0, kHeaderBytes);
    if (header.size() < 28 || current.size() < kHeaderBytes)
        return false;
    const quint32 sectorSize = BigEndian32(header, 20);
    const quint32 pageSize = BigEndian32(header, 24);
    // The page size as the database header stores it (1 means 65536).
    const quint32 filePageSize = (quint32(quint8(current[16])) << 8) | quint8(current[17]);
    if (pageSize < 512 || sectorSize < 32 || pageSize != (filePageSize == 1 ? 65536u : filePageSize))
        return false;
    const qint64 recordSize = 4 + qint64(pageSize) + 4;
    quint32 records = BigEndian32(header, 8);
    if (records == 0xFFFFFFFFu)
        records = quint32((journal.size() - sectorSize) / recordSize);
    for (quint32 r = 0; r < records; ++r) {
        const qint64 at = sectorSize + qint64(r) * recordSize;
        const QByteArray pageNumber = ReadAt(journal, at, 4);
        if (pageNumber.size() < 4)
            return false;
        if (BigEndian32(pageNumber, 0) != 1)
            continue;
        const QByteArray saved = ReadAt(journal, at + 4, kHeaderBytes);
        if (saved.size() < kHeaderBytes || saved.left(24) != current.left(24))
            return false;
        const quint32 savedCounter = BigEndian32(saved, 24);
        const quint32 fileCounter = BigEndian32(current, 24);
        return fileCounter == savedCounter || fileCounter == savedCounter + 1;
    }
    return false;
}

} // namespace

QString ResolvedWordFile(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString WordFileLockPath(const QString &file) { return file + QStringLiteral("-lock"); }

WordFileLock LockWordFile(const QString &file)
{
    WordFileLock result;
    const QString path = WordFileLockPath(file);
    const bool lockThere = QFileInfo::exists(path);
    auto lock = std::make_shared<QLockFile>(path);
    // Only a lock whose program is gone is stale, however old it is: the
    // program may run for days.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        result.lock = std::move(lock);
        result.crashedRunFound = lockThere;
        return result;
    }
    if (lock->error() == QLockFile::LockFailedError) {
        result.heldElsewhere = true;
        return result;
    }
    result.failure = QStringLiteral("Its lock file ") + path + QStringLiteral(" cannot be created.");
    return result;
}

QString UntrustedLeftovers(const QString &file, bool crashedRun)
{
    QStringList found;
    const QFileInfo wal(file + QStringLiteral("-wal"));
    if (wal.isFile() && wal.size() > kWalHeaderBytes)
        found << wal.filePath() + QStringLiteral(" (a write-ahead log of changes that are not in the file)");
    const QString journal = file + QStringLiteral("-journal");
    if (IsHotJournal(journal) && !(crashedRun && JournalFitsFile(journal, file)))
        found << journal + QStringLiteral(" (the journal of a change that was being written)");
    return found.join(QLatin1Char('\n'));
}

} // namespace tav
