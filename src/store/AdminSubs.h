#pragma once
// Two maintenance commands of the settings dialog: compaction of the word
// database file and the fill-in of every word's gender code.

#include "store/Notice.h"

#include <QString>

#include <functional>
#include <optional>

namespace tav {

// Compacts the word database at DbPath through the temporary file "tmp.mdb"
// in the same folder; WordDb stays the same connection object and goes on
// with the compacted file (dao::Database::ReplaceFile), so every holder of
// it does too. The database is never lost: a stale temporary file is
// removed first, the compacted copy is checked (every page read back sound,
// the row count of every table), given a mark of its own and put in place
// by one atomic rename. The copy is written and checked in a thread of its
// own (Link().RunBusy) while WordDb stays open for reading, so that the
// windows stay painted and anything that runs meanwhile reads an open
// database; WordDb is closed only for the rename, with no event loop
// running. The copy gets the file's owner, group and permissions. A write
// to the file while the copy was written (the copy would miss it), a file
// with other hard links, an owner the copy cannot be given and an end of
// the program asked for meanwhile (AbandonCompaction) keep the old file. On
// any failure the old file stays, WordDb goes on with it and the outcome
// says why, for the window to tell; a file that cannot be opened again
// after the rename is said to be in place, with what to do. After a
// compaction every open list window reads its rows again; the status bar
// says it is done.
Outcome CompactWordDatabase();

// Called from a signal handler when the program is to end (safe there): a
// compaction under way gives its copy up and removes it, and the old file
// stays; false again for a run that goes on.
void AbandonCompaction(bool abandon);

// Writes a file's data, or a folder's entries, through to the disk (fsync);
// throws std::runtime_error with the system's reason when it cannot.
void FlushPathToDisk(const QString &path);

// What compaction flushes with: FlushPathToDisk, replaceable by tests.
inline std::function<void(const QString &path)> FlushToDisk = FlushPathToDisk;

// Writes the gender code Genus of every word that has an article, from the
// article and the word type WT: 0 for "o" or a type Like "am*"; else 1 for
// "h", "tis", an article beginning with "th" or a type Like "af*"; else 2 for
// "to", "ta" or a type Like "an*"; else 99. Words without an article keep
// their code. All words or none: an error changes nothing and is returned,
// for the window to tell.
std::optional<Notice> SetGenderFromArticle();

// The gender code the fill-in gives a word with this article and type.
int GenusFromArticleAndType(const QString &Article, const QString &WT);

} // namespace tav
