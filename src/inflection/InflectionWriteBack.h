#pragma once
// Storing an edited form of the grammar panel: which table and column hold
// the form of a grid cell, and the checks of a typed form. The write itself
// is the store's (CommitInflectionCell, store/FormWrites.h).

#include "store/FormWrites.h"

#include <QString>
#include <QVariant>

namespace tav {

// The form behind a cell of a grammar grid. EditorTag names what the grid
// shows: "NewKona"/"NewKonp" (conjugation), "Klino", "KlinoMenos", or "Imp"
// for the imperative grid, whose rows 3 to 6 show second persons: the
// aorist subjunctive (KonT4) in the simple columns 1 and 2, the present
// (KonT1) in the continuous columns 3 and 4. Column 5 of the conjugation comes from
// Column5Table; column 4 (composed) holds none, nor does a declension cell
// of a word that is neither noun, adjective nor verb, or a noun without a
// gender.
FormCell MapInflectionCell(const QString &EditorTag, int Row, int Col, int WordKind, const QVariant &WordGenus,
                           const QString &Column5Table);

// The form as stored from the text typed into a cell: on a subjunctive row
// of the imperative grid (rows 3 to 6) the particle shown before the form
// ("na", "mh" or "mhn", in any case) is taken off first; then the blanks around the text
// and the stress marks are tidied (CollapseVMarks). A particle alone gives
// "", an emptied cell.
QString StoredForm(const QString &EditorTag, int Row, const QString &text);
// The question before a stored form is emptied (No keeps it).
QString FormEmptyQuestion();

// The most characters a form may hold.
inline constexpr int MaxFormLength = 50;

// False, with a message, for a form longer than MaxFormLength.
bool CheckFormLength(qsizetype Length);

// Checks a form typed or pasted into a cell of the grid tagged EditorTag, on
// Row, with the rule of the editors' keys (TavGreCheck): every character a
// Greek key, and at most MaxFormLength characters in the form as stored
// (StoredForm: a subjunctive row's particle does not count). A refused text
// is reported in a message box; "" passes.
bool CheckFormText(const QString &EditorTag, int Row, const QString &Text);

} // namespace tav
