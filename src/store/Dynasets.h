#pragma once
// Runs an SQL text on the shared connection WordDb and hands the rows on: to a
// new standard list window (DoStdGrid), to a data control of the exercise
// window (MakeExercise), or back to the caller after a filter (FilterField).
// One instance, DynasetsObj, serves the whole program; it keeps no state.

#include "platform/recordset/Recordset.h"
#include "store/Notice.h"

#include <QString>
#include <QVariant>

namespace tav {

// A data control of the exercise window (Data1, Data2) as the store sees it.
class DataControlLink {
public:
    virtual ~DataControlLink() = default;
    // Binds the rows to the control; the control owns them from now on.
    virtual void SetRecordset(dao::RecordsetPtr rows) = 0;
};

// A window whose labels strTest captions, by the labels' names.
class FormLabelsLink {
public:
    virtual ~FormLabelsLink() = default;
    // Captions the label called Name and sets its font.
    virtual void SetLabel(const QString &Name, const QString &Caption, const QString &FontName, int PointSize) = 0;
};

class Dynasets {
public:
    // Sets Rs's filter (Jet criteria) and returns a new recordset holding the
    // rows that pass it ("" passes every row). Errors reach the caller.
    dao::RecordsetPtr FilterField(dao::Recordset &Rs, const QString &Filter) const;

    // Runs Sql, applies Filter and opens a new standard list window on the
    // rows, captioned with the row count and Title. When no row is left
    // (an empty result, or a filter that removes every row) it shows the Sorry
    // window with caption 1172's text and Title instead (Title in the Greek
    // font when IsGreek). An error is returned, with the engine's message,
    // for the caller to tell, and a window already made is closed again.
    Outcome DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Title, int ViewTag,
                      const QString &Filter) const;

    // Binds the rows of Sql that pass Filter to DataCtl (an empty set when
    // none pass). An error is returned and leaves DataCtl as it was.
    Outcome MakeExercise(DataControlLink &DataCtl, const QString &Sql, const QString &Filter) const;
    // Captions Frm's label lblGre: Text and a blank in the Greek font, or Alt
    // in the plain font when Text is empty; both at GreekFontSize + 2.
    void strTest(FormLabelsLink &Frm, const QString &Text, const QVariant &Alt) const;
};

// The rows of Sql that pass Filter (Jet criteria; "" passes every row and
// runs Sql only once), on their first row; nullptr when none do. Errors
// reach the caller.
dao::RecordsetPtr RowsPassing(const QString &Sql, const QString &Filter);

// The one instance.
extern Dynasets DynasetsObj;

} // namespace tav
