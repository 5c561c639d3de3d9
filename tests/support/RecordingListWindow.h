#pragma once
// Recording stand-ins of the list windows for store tests: a grid that keeps
// its cells and current cell, a standard list window that logs each call the
// store makes, and a factory that installs itself for the life of a test and
// keeps every window and every Sorry window it was asked for.

#include "store/ListWindowLink.h"

#include <QMap>
#include <QPair>
#include <QStringList>

#include <memory>
#include <vector>

namespace tavtest {

class RecordingGrid : public tav::GridLink {
public:
    int Rows() const override { return m_rows; }
    int Row() const override { return m_row; }
    void SetRow(int row) override { m_row = row; }
    int Col() const override { return m_col; }
    void SetCol(int col) override { m_col = col; }
    int TopRow() const override { return m_topRow; }
    void SetTopRow(int row) override { m_topRow = row; }
    // A view of m_pageRows rows that scrolls the least to show the row.
    void EnsureVisible(int row, int) override
    {
        if (row < m_topRow)
            m_topRow = row;
        else if (row >= m_topRow + m_pageRows)
            m_topRow = row - m_pageRows + 1;
    }
    QString TextMatrix(int row, int col) const override { return m_cells.value({row, col}); }
    void SetTextMatrix(int row, int col, const QString &text) override { m_cells[{row, col}] = text; }
    void SetFocus() override { ++m_focusCalls; }

    int m_rows = 10;
    int m_row = 1;
    int m_col = 1;
    int m_topRow = 1;
    int m_pageRows = 5;
    int m_focusCalls = 0;
    QMap<QPair<int, int>, QString> m_cells;
};

class RecordingListWindow : public tav::StdGridWindowLink {
public:
    explicit RecordingListWindow(QString name = QStringLiteral("GridStd")) : m_name(std::move(name)) {}

    QString Name() const override { return m_name; }
    QString Caption() const override { return m_caption; }
    void RefreshGrid() override;
    void GetPos(long long ID, const QString &Value, int FieldPos) override;
    tav::GridLink &msFlxMulti() override { return m_grid; }

    void SetRecordset(dao::RecordsetPtr rows) override;
    void SetFilterText(const QString &filter) override;
    void SetSqlText(const QString &sql) override;
    void SetCaption(const QString &caption) override;
    void SetSortValue(int sortValue) override;
    void SetGridTag(const QString &tag) override;
    void GridLangDep(int SortValue) override;
    void Show() override;
    void Close() override;

    QString m_name;
    QStringList m_log;          // one line per call, in order
    dao::RecordsetPtr m_rows;
    QString m_caption, m_filter, m_sql, m_tag;
    int m_sortValue = -1;
    bool m_shown = false;
    bool m_closed = false;
    bool m_failLayout = false;  // GridLangDep throws a dao::DaoError
    int m_refreshes = 0;
    RecordingGrid m_grid;
};

// Installs itself as the list-window factory; uninstalls itself at the end.
class RecordingListWindowFactory : public tav::ListWindowFactory {
public:
    RecordingListWindowFactory();
    ~RecordingListWindowFactory() override;

    tav::StdGridWindowLink *NewStdGrid() override;
    void ShowSorry(const QString &Message, const QString &Text, bool GreekFont) override;

    struct Sorry {
        QString message;
        QString text;
        bool greekFont;
    };
    std::vector<std::unique_ptr<RecordingListWindow>> m_windows;
    QVector<Sorry> m_sorry;
    bool m_failNextLayout = false; // the next window's GridLangDep throws
};

} // namespace tavtest
