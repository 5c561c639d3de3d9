#pragma once
// A plain standard list window: the rows of one query in the flex grid
// msFlxMulti, captioned with the row count and the title. It stands in for
// the full standard list window (sorting buttons, column show and hide,
// search, in-cell editing) and keeps the list-window contract the store
// relies on: its name begins with "Grid", it refreshes itself from its SQL
// text and writes a remark through GetPos.

#include "grids/FlexGridLink.h"
#include "platform/flexgrid/FlexGrid.h"
#include "store/ListWindowLink.h"

#include <QPointer>

#include <functional>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;

namespace tav {

class PlainListWindow : public QWidget, public StdGridWindowLink {
    Q_OBJECT

public:
    // area: the main window's MDI area that Show() adds the window to; without
    // one the window shows on its own.
    explicit PlainListWindow(QMdiArea *area = nullptr, QWidget *parent = nullptr);
    // addToFrame: puts the window into the main window's frame, which keeps
    // its window menus and print entries in step with its child windows.
    using AddToFrame = std::function<QMdiSubWindow *(QWidget *)>;
    explicit PlainListWindow(AddToFrame addToFrame, QWidget *parent = nullptr);
    ~PlainListWindow() override;

    // ListWindowLink
    QString Name() const override { return objectName(); }
    QString Caption() const override { return windowTitle(); }
    void RefreshGrid() override;
    void GetPos(long long ID, const QString &Value, int FieldPos) override;
    GridLink &msFlxMulti() override { return m_gridLink; }
    QString lblCol() const override { return m_lblCol; }
    QString lblRow() const override { return m_lblRow; }

    // StdGridWindowLink
    void SetRecordset(dao::RecordsetPtr rows) override;
    void SetFilterText(const QString &filter) override { m_filter = filter; }
    void SetSqlText(const QString &sql) override { m_sql = sql; }
    void SetCaption(const QString &caption) override;
    void SetSortValue(int sortValue) override { m_sortValue = sortValue; }
    void SetGridTag(const QString &tag) override { m_grid->SetTag(tag); }
    void GridLangDep(int SortValue) override;
    void Show() override;
    void Close() override;

    flexgrid::FlexGrid &Grid() { return *m_grid; }
    QString FilterText() const { return m_filter; }
    QString SqlText() const { return m_sql; }
    int SortValue() const { return m_sortValue; }

private:
    // Runs the SQL text again and refills the grid on the same cell; a list
    // left without rows closes. False when the window closed.
    bool requery(int row, int col);
    // Sizes and places a new window in the frame's client area.
    void placeInFrame();
    // A cell was entered: lblCol and lblRow follow it, and a new row shows
    // its word in the main window's grammar panel.
    void gridEnterCell();
    void showRowWord();

    flexgrid::FlexGrid *m_grid;
    FlexGridLink m_gridLink;
    QMdiArea *m_area = nullptr;
    AddToFrame m_addToFrame;
    QPointer<QMdiSubWindow> m_subWindow;
    dao::RecordsetPtr m_rows;
    QString m_filter;
    QString m_sql;
    int m_sortValue = 0;
    QString m_lblCol;
    QString m_lblRow;
    int m_shownRow = -1; // the row whose word the grammar panel was last given
};

} // namespace tav
