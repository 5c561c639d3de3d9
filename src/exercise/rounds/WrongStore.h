#pragma once
// The store of wrong answers, table WrongIDs: at most one row per word, with
// the moment of the wrong answer as an ISO 8601 text. Every read and write
// runs on the shared connection WordDb. Errors (dao::DaoError) reach the
// caller.

#include <QDateTime>
#include <QVector>

namespace tav {

// Stores the word unless it is stored already; true when a row was added.
bool StoreWrongAnswer(long long ID, const QDateTime &When);
void RemoveWrongAnswer(long long ID);
void EmptyWrongAnswers();
// The stored words that still exist in Main, in the order they were stored.
// Rows of words deleted meanwhile are removed from the store first.
QVector<long long> StoredWrongIDs();

} // namespace tav
