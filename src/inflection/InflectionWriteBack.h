#pragma once
// Storing an edited form of the grammar panel: which table and column hold
// the form of a grid cell, and the write that keeps the inflection tables,
// the word's flag in Main and the table of all forms (FormsAll) in step.

#include <QString>
#include <QVariant>

namespace tav {

// Where a form is stored; an empty table: the cell holds no stored form.
struct FormCell {
    QString table;   // KonT1..KonT4, Klino, KlinoMenos or IMPER (FormsAll's GenTem)
    QString column;  // e.g. "S1a", "sFAck", "PlContAct" (FormsAll's KasPer)
    bool IsStored() const { return !table.isEmpty(); }
};

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

// Stores Form for word ID in the cell's table and column, in one
// transaction, when ID is a word of Main (else EditRefusal, nothing
// stored): the word's row is made when it has none (Greek and WT copied
// from Main, Sal too where the table keeps it; Main's ISKONJ or ISKLIN set
// for a new conjugation or declension row), the form written as typed, and
// its FormsAll row (found by ID, GenTem and KasPer) added or updated. On an
// error nothing is changed and dao::DaoError reaches the caller.
void CommitInflectionCell(long long ID, const FormCell &Cell, const QString &Form);

} // namespace tav
