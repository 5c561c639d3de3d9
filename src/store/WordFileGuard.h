#pragma once
// What the start-up checks around the word database file before it opens it:
// the file the path really names (through symbolic links), one running
// program per file (a lock beside it), and what an earlier run or another
// program left beside it that the engine would otherwise apply to the file.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace tav {

// The file a database path names, symbolic links followed; the path made
// absolute when it names nothing. Side files (journal, lock, temporary copy)
// belong beside this file, not beside the link.
QString ResolvedWordFile(const QString &path);

// The lock of one running program on a word database file: the file's path
// with "-lock" added.
QString WordFileLockPath(const QString &file);

// Who holds a lock that this program cannot check: one taken on another
// computer (a synced folder, a USB stick) or by another user (a shared
// folder), whose program may have ended long ago.
struct LockHolder {
    QString host;    // the computer's name
    QString user;    // the user who owns the lock file
    QDateTime since; // when the lock was taken (the lock file's time)
};

// The outcome of taking the lock.
struct WordFileLock {
    std::shared_ptr<QLockFile> lock; // held while set
    bool heldElsewhere = false;      // another running program holds it
    bool uncheckable = false;        // held on another computer or by another user: see holder
    LockHolder holder;
    bool crashedRunFound = false;    // a lock left by a program that is gone was taken over
    QString failure;                 // why the lock could not be taken otherwise
};

// Takes the lock beside the file at once, or says why not. A lock whose
// program is no longer running is taken over, and so is a lock of this user
// that no running program holds and no start is still making (a copy of
// the lock, made with the program's folder while the program ran there). A
// lock file this user cannot read is a failure that names it.
WordFileLock LockWordFile(const QString &file);

// Takes over a lock that LockWordFile found uncheckable, once the user has
// confirmed that the program no longer runs there: as a lock of a crashed
// run. Another user's lock file that this user may not remove (a folder
// with the sticky bit, a lock file only its owner may write) is not taken:
// failure then says so and who can remove it.
WordFileLock TakeOverWordFileLock(const QString &file);

// Removes what a compaction ended by a crash left in the file's folder (the
// temporary copy "tmp.mdb" and the engine's files beside it). Only a start
// that holds the lock may call it: a running compaction holds the lock too.
void RemoveCompactionLeftovers(const QString &file);

// The temporary copy a compaction writes beside the word database file, and
// the engine's files beside that copy.
QString CompactionTempPath(const QString &file);
QStringList CompactionTempFiles(const QString &file);

// The files of this run that an end of the process the program sees coming
// removes even when the program cannot end normally (a second end signal,
// the time limit after the first): the lock it holds (LockWordFile notes it
// until it is released) and a compaction's copy while it is written
// (NoteCompactionCopy); the lock stays while the file's journal is hot, for
// the next start to play it back. RemoveRunFilesNow is safe in a signal
// handler.
void NoteCompactionCopy(const QString &file, bool writing);
void RemoveRunFilesNow();

// The files beside the word database that the engine would apply to it when
// it opens it but that cannot be shown to belong to it.
struct UntrustedSideFiles {
    // Left by another program: a write-ahead log that holds changes (the
    // program itself never leaves one), or a journal found without a lock of
    // a crashed run of this program. One description per file.
    QStringList foreign;
    // The journal of a crashed run of this program, written for another copy
    // of the file: the file was replaced after the crash.
    QString otherCopysJournal;
    // The journal of a crashed run of this program, written from this very
    // file: the engine plays it back when it opens the file.
    bool ownJournal = false;
    bool Empty() const { return foreign.isEmpty() && otherCopysJournal.isEmpty(); }
};

// A rollback journal is trusted only when a crashed run of the program on
// this file was found (crashedRun) and the journal was written from the
// file's current state (its copy of the first page is the file's first
// page, or the file holds the next mark and change counter after it).
UntrustedSideFiles UntrustedLeftovers(const QString &file, bool crashedRun);

} // namespace tav
