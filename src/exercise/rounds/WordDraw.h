#pragma once
// Drawing words at random from the words that exist. Every draw takes its IDs
// from a list of existing IDs (never 1..N with retries), so it ends whatever
// the IDs look like, and takes its numbers from the exercises' generator.

#include "exercise/rounds/ExerciseRandom.h"

#include <QSet>
#include <QString>
#include <QVector>

#include <optional>

namespace tav {

// The IDs of table Main. Errors (dao::DaoError) reach the caller.
QVector<long long> MainWordIDs();

// The IDs of the verbs (WT Like "c*") whose row in the conjugation table has
// all six forms of at least one voice, ascending.
QVector<long long> VerbsCompleteIn(const QString &TableName);

// Draws up to n distinct IDs of eligible (never more than it holds), in draw
// order. IDs flagged in cycle are drawn only once every unflagged one has
// been: then the cycle starts again, keeping this round's picks flagged. Every
// drawn ID is flagged.
QVector<long long> DrawRound(const QVector<long long> &eligible, int n, QSet<long long> &cycle,
                             ExerciseRandom &rng);

// One ID of eligible that is not in exclude; nothing when every one is.
std::optional<long long> DrawOne(const QVector<long long> &eligible, const QList<long long> &exclude,
                                 ExerciseRandom &rng);

// "ID = a OR ID  = b ...", the criterion that selects exactly the IDs; one
// that selects nothing for an empty list.
QString PickCriteriaFor(const QVector<long long> &ids);

// Draws the words of a word-matching round: OptNbrScribble words (or as many
// as exist) into PickIDs and their criterion into PickCriteria. The cycle
// lasts for the whole run. Errors reach the caller.
void PickRandomWords();
QSet<long long> &PickedWordCycle();

} // namespace tav
