#pragma once
// Judging a typed answer against the stored meanings, part by part.

#include <QString>
#include <QStringList>
#include <QVector>

namespace tav {

struct PartCheck {
    QStringList Typed;    // the typed parts as compared: padded with "?", sorted
    QVector<bool> Right;  // one per compared part: true green, false red
    bool Ok = false;
    QString Shown;        // what the answer box shows after the check
};

// Compares Typed with Stored. Without a comma in Stored the trimmed texts
// are compared whole. Otherwise both are split at the commas and trimmed (an
// empty last part is dropped); every repeated typed part after the first and
// every empty one counts as "?", the typed list is padded with "?" to the
// stored list's length, both are sorted, and each typed part is right when
// some stored part equals it exactly (case counts). With CheckAll every part
// must be right, else one right part suffices. An empty answer is "?".
PartCheck cuPart(const QString &Typed, const QString &Stored, bool CheckAll);

// The exercise's name for the store's shell sort (ArrayShellSortString):
// ascending by character codes, the elements stored trimmed.
void ShellSortString(QStringList &List);

// The caption number of the verdict line for the compared parts: 1105 wrong,
// 1106 right, 1107 partly right; 0 leaves the line as it is. MeaningCount is
// the word's number of meanings (the count field; 1 when it is empty).
int VerdictCaption(const QVector<bool> &Right, bool CheckAll, int MeaningCount);

} // namespace tav
