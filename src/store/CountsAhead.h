#pragma once
// Counts made beside the caller, and the counts a start shows made ahead.
//
// A count beside runs on a connection of its own to the word database (a
// reader of WordDb) in a thread of its own, while the caller goes on; it
// gives what the same count on WordDb gives. The category tree's counts are
// begun at start as soon as the list queries are built, so that they are
// made while the main window is built; the tree takes them when WordDb is
// still the same connection, nothing has changed since and the texts are the
// same, else it counts anew.

#include "platform/recordset/Recordset.h"
#include "store/CategoryTree.h"

#include <QString>
#include <QVector>

#include <future>
#include <optional>

namespace tav {

// Runs job on a reader of WordDb's file in a thread of its own. Where a
// reader would not read what WordDb reads (dao::Database::ReadersSeeTheSame),
// or none can be opened or started, the job runs on WordDb itself when get()
// asks for the result. get() gives the result or throws the job's error.
std::future<long long> CountBeside(dao::CountJob<long long> job);
std::future<QVector<long long>> CountBeside(dao::CountJob<QVector<long long>> job);

// Begins the category tree's counts for the shared texts (SqlLang3,
// SqlLang3Genus, Lang3AllTable, OptBoHide3). Counts that cannot be begun are
// simply made when the tree is built.
void BeginStartCountsAhead();

// The category tree's counts, when they were begun ahead for texts and may
// still be used.
std::optional<CategoryCountsUnderWay> TakeCategoryCountsAhead(const CategoryCountTexts &texts);

// Drops the counts begun ahead that nobody took, waiting for any still
// running.
void DropCountsAhead();

} // namespace tav
