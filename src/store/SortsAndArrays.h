#pragma once
// The Greek check and sort key, and the comma-list routines that split a
// word's list of meanings into the shared work array GsortArr, edit it item by
// item, sort it and join it again. One instance, SortsObj, serves the whole
// program; the class keeps no state of its own.

#include <QString>
#include <QStringList>

namespace tav {

class SortsAndArrays {
public:
    // Letter mapping (GreekLetters.h): the key check and the sort key.
    bool TavGreCheck(QString &s) const;
    QString TavGreSort(const QString &s) const;

    // Splits List at its commas into GsortArr, each item trimmed; an empty
    // text gives one empty item, a trailing comma an empty last item. List is
    // left holding the untrimmed text after its last comma.
    void ArrayFill(QString &List) const;

    // Sorts Arr in place by character codes (capitals before small letters),
    // every item trimmed. Safe on an empty or one-item array.
    void ArrayShellSortString(QStringList &Arr) const;

    // The items joined with ", "; "" for an empty array.
    QString StringBack(const QStringList &Arr) const;

    // Always "".
    QString MakeString() const;

    // The number of commas in List; List is left holding the text after the
    // last comma (callers that still need the list pass a copy).
    int CountComma(QString &List) const;

    // Removes every item equal to Item from GsortArr (exact comparison).
    void DelOrdGsortArr(const QString &Item) const;

    // The last item of GsortArr that differs from Item; "" when none.
    QString NewOrdIs(const QString &Item) const;

    // Appends Item to GsortArr.
    void AddOrdArr(const QString &Item) const;

    // Every item of GsortArr equal to OldItem becomes NewItem.
    void ChangeOrdGsortArr(const QString &OldItem, const QString &NewItem) const;

    // Strips commas from both ends, trimming blanks after each one removed;
    // stops at the first end that is not a comma. List gets the same text.
    QString DelOuterCommas(QString &List) const;
};

// The one instance.
extern SortsAndArrays SortsObj;

} // namespace tav
