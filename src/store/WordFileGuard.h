#pragma once
// What the start-up checks around the word database file before it opens it:
// the file the path really names (through symbolic links), one running
// program per file (a lock beside it), and what an earlier run or another
// program left beside it that the engine would otherwise apply to the file.

#include <QString>

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

// The outcome of taking the lock.
struct WordFileLock {
    std::shared_ptr<QLockFile> lock; // held while set
    bool heldElsewhere = false;      // another running program holds it
    bool crashedRunFound = false;    // a lock left by a program that is gone was taken over
    QString failure;                 // why the lock could not be taken otherwise
};

// Takes the lock beside the file at once, or says why not. A lock whose
// program is no longer running is taken over.
WordFileLock LockWordFile(const QString &file);

// The files beside the word database that the engine would apply to it when
// it opens it but that cannot be shown to belong to it, one description per
// line; empty when there are none. The program itself never leaves a
// write-ahead log, so one that holds changes is always foreign. A rollback
// journal is trusted only when a crashed run of the program on this file was
// found (crashedRun) and the journal was written from the file's current
// state: its copy of the first page matches the file's header, the file's
// change counter at most one commit further.
QString UntrustedLeftovers(const QString &file, bool crashedRun);

} // namespace tav
