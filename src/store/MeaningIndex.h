#pragma once
// The meaning lookup tables: one row per meaning of a word (AllEnglishGreek for
// the English meanings, Lang3AllTable for the third language), so that the
// simple list window can list meanings with their Greek words. When the user
// edits a word's comma list of meanings, the grid's commit sorts the list
// (SortCommaList) and brings the lookup table in step (SyncMeaningIndex).

#include "store/Notice.h"

#include <QString>

namespace tav {

class GridLink;

// The items of List, each trimmed, sorted by character codes (capitals before
// small letters) and joined with ", "; List is set to the same text.
// GsortArr is left holding the sorted items.
QString SortCommaList(QString &List);

// Brings the lookup table of the edited column in step with the word's new
// list of meanings: column 5 AllEnglishGreek, column 6 Lang3AllTable; any other
// column changes nothing. Old and new lists are compared as sets: rows of
// meanings that are gone are deleted, meanings that are new get a row with the
// word's article, spelling and sort key from Main, meanings that stay are left
// alone (so reordering changes nothing, and a meaning listed twice has one
// row). All in one transaction.
//
// When a meaning is new and the word has no row in Main any more, nothing is
// changed: OldMeanings is put back into the edited cell (Col, Row), that
// cell becomes current, the grid gets the focus and the outcome's failure is
// caption 1199, for the window to tell. OldCount, the number of items of
// OldMeanings, is taken from OldMeanings itself. GsortArr is left holding the
// new items.
// The rows of Table (an index table: Sal, ID, Lat, Art, Greek) for word ID
// brought from the items of OldMeanings to those of NewMeanings, compared as
// sets, in one transaction. False, changing nothing, when a row is to be
// added and the word has no row in Main.
bool SyncMeaningRows(const QString &Table, long long ID, const QString &OldMeanings, const QString &NewMeanings);

Outcome SyncMeaningIndex(GridLink &Grid, const QString &NewMeanings, int OldCount, long long ID,
                         const QString &OldMeanings, int Col, int Row);

} // namespace tav
