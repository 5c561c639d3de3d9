#pragma once
// The list windows as the word store sees them. The store links no widgets:
// the list windows (src/grids) implement these interfaces, and tests use
// recording stand-ins (tests/support/RecordingListWindow.h).
//
//   GridLink           a list window's grid msFlxMulti: current cell, view,
//                      cell texts and the focus.
//   ListWindowLink     an open list window ("GridStd", "GridSimple").
//   StdGridWindowLink  a new standard list window that Dynasets.DoStdGrid
//                      fills step by step before it shows it.
//   ListWindowFactory  makes new standard list windows and shows the Sorry
//                      window; installed by the program.

#include "platform/recordset/Recordset.h"

#include <QString>

namespace tav {

// A grid as the store reads and moves it. Rows and columns count from 0; row 0
// is the fixed heading row.
class GridLink {
public:
    virtual ~GridLink() = default;
    virtual int Rows() const = 0;
    virtual int Row() const = 0;
    virtual void SetRow(int row) = 0;
    virtual int Col() const = 0;
    virtual void SetCol(int col) = 0;
    virtual int TopRow() const = 0;
    virtual void SetTopRow(int row) = 0;
    // Scrolls the least that brings the cell into view; a cell in view
    // leaves the view where it is.
    virtual void EnsureVisible(int row, int col) = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
    virtual void SetTextMatrix(int row, int col, const QString &text) = 0;
    virtual void SetFocus() = 0;
};

// The grid of a window that has none (the exercise window, or a remark
// stored while the program ends): nothing is given back to it.
class NoGridLink final : public GridLink {
public:
    int Rows() const override { return 0; }
    int Row() const override { return 0; }
    void SetRow(int) override {}
    int Col() const override { return 0; }
    void SetCol(int) override {}
    int TopRow() const override { return 0; }
    void SetTopRow(int) override {}
    void EnsureVisible(int, int) override {}
    QString TextMatrix(int, int) const override { return {}; }
    void SetTextMatrix(int, int, const QString &) override {}
    void SetFocus() override {}
};

// An open list window.
class ListWindowLink {
public:
    virtual ~ListWindowLink() = default;
    // The window's name: "GridStd" or "GridSimple" (every list window's name
    // begins with "Grid").
    virtual QString Name() const = 0;
    virtual QString Caption() const = 0;
    // Runs the window's query again on the shared connection WordDb and
    // refills the grid, keeping the current cell. It must not re-read an old
    // recordset: a compaction opens the compacted file in this same
    // connection (dao::Database::ReplaceFile), which first closes every
    // statement of the recordsets opened before.
    virtual void RefreshGrid() = 0;
    // Stores Value in the field at position FieldPos of the word's Main row
    // when it differs, then refreshes the grid with its cell kept and clears
    // SaveBusy.
    virtual void GetPos(long long ID, const QString &Value, int FieldPos) = 0;
    // Stores what the window's open cell editor holds as Enter would. True
    // when no typing is left open; false when it was refused or failed (the
    // user has been told, and the editor is open with the typed text).
    virtual bool StoreOpenEdit() { return true; }
    // At a close: StoreOpenEdit, and a text it refused is closed without
    // being stored when the user chooses so (DiscardRefusedText). False
    // when the user goes back to the text.
    virtual bool LeaveOpenEdit() { return StoreOpenEdit(); }
    // When this is the active list, shows its current row's word in the
    // grammar panel and status panel 4 as entering the row does.
    virtual void ShowCurrentRow() {}
    // The window's grid.
    virtual GridLink &msFlxMulti() = 0;
    // The SQL text the window's rows come from ("" when unknown).
    virtual QString QueryText() const { return QString(); }
    // Closes the window and releases it; the pointer is not used afterwards.
    virtual void Close() {}

    // The labels the grammar panel uses. lblCol and lblRow: the column and
    // row of the grid's current cell as text, written whenever a cell is
    // entered. lblInfo: a line of information over the list; HasLblInfo is
    // false for a window without one, which then ignores SetLblInfo.
    virtual QString lblCol() const { return QString(); }
    virtual QString lblRow() const { return QString(); }
    virtual bool HasLblInfo() const { return false; }
    virtual void SetLblInfo(const QString & /*caption*/) {}
};

// A new standard list window ("GridStd") before it is shown. Dynasets.DoStdGrid
// sets it up in this order: SetRecordset, SetFilterText, SetSqlText,
// SetCaption, SetSortValue, SetGridTag, GridLangDep, Show. Any of them may
// throw; the caller then calls Close, which must remove the window (shown or
// not) and release it.
class StdGridWindowLink : public ListWindowLink {
public:
    // The rows of the data control Data1; the window owns them from now on.
    virtual void SetRecordset(dao::RecordsetPtr rows) = 0;
    // lblFilter: the filter the rows were taken with.
    virtual void SetFilterText(const QString &filter) = 0;
    // tbQ: the SQL text, which RefreshGrid runs again.
    virtual void SetSqlText(const QString &sql) = 0;
    // The window's caption.
    virtual void SetCaption(const QString &caption) = 0;
    // lblSortValue: the sort value.
    virtual void SetSortValue(int sortValue) = 0;
    // The Tag of msFlxMulti: the view tag in decimal ("2", "5", "33").
    virtual void SetGridTag(const QString &tag) = 0;
    // Lays out the columns for the view of the grid's Tag and sorts by
    // SortValue.
    virtual void GridLangDep(int SortValue) = 0;
    // Shows the window modeless as a child of the main window.
    virtual void Show() = 0;
    // As for every list window; this kind must close.
    void Close() override = 0;
};

class ListWindowFactory {
public:
    virtual ~ListWindowFactory() = default;
    // A new standard list window, never a reused one, not yet shown; the
    // window system owns it. nullptr when no window can be made.
    virtual StdGridWindowLink *NewStdGrid() = 0;
    // Shows the one Sorry window modeless: Message in its first box (tbMSG(0)),
    // Text in its second (tbMSG(1)), that one in the Greek font when
    // GreekFont is true.
    virtual void ShowSorry(const QString &Message, const QString &Text, bool GreekFont) = 0;
};

// Sets up a new standard list window in the order above (the rows, Filter,
// Sql, Caption, SortValue, ViewTag as the grid's Tag, GridLangDep) and shows
// it. When a step throws, the window is closed and the error passed on.
void ShowNewStdGrid(StdGridWindowLink &window, dao::RecordsetPtr rows, const QString &Filter, const QString &Sql,
                    const QString &Caption, int SortValue, int ViewTag);

// The installed factory. Without one a debug build (and so every test) stops
// with a message; a release build goes on with one that makes no window.
ListWindowFactory &ListWindows();
void SetListWindowFactory(ListWindowFactory *factory);

} // namespace tav
