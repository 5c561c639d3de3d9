#pragma once
// The write of one inflected form: the word's row in its inflection table,
// the word's flag in Main and the table of all forms (FormsAll), kept in step.

#include <QString>

namespace tav {

// Where a form is stored; an empty table: the cell holds no stored form.
struct FormCell {
    QString table;   // KonT1..KonT4, Klino, KlinoMenos or IMPER (FormsAll's GenTem)
    QString column;  // e.g. "S1a", "sFAck", "PlContAct" (FormsAll's KasPer)
    bool IsStored() const { return !table.isEmpty(); }
};

// Stores Form for word ID in the cell's table and column, in one
// transaction, when ID is a word of Main (else EditRefusal, nothing
// stored): the word's row is made when it has none (Greek and WT copied
// from Main, Sal too where the table keeps it; Main's ISKONJ or ISKLIN set
// for a new conjugation or declension row), the form written as typed, and
// its FormsAll row (found by ID, GenTem and KasPer) added or updated. On an
// error nothing is changed and dao::DaoError reaches the caller.
void CommitInflectionCell(long long ID, const FormCell &Cell, const QString &Form);

} // namespace tav
