#pragma once
// A list window's flex grid as the word store addresses it (tav::GridLink).

#include "platform/flexgrid/FlexGrid.h"
#include "store/ListWindowLink.h"

namespace tav {

class FlexGridLink : public GridLink {
public:
    explicit FlexGridLink(flexgrid::FlexGrid &grid) : m_grid(grid) {}

    int Rows() const override { return m_grid.Rows(); }
    int Row() const override { return m_grid.Row(); }
    void SetRow(int row) override { m_grid.SetRow(row); }
    int Col() const override { return m_grid.Col(); }
    void SetCol(int col) override { m_grid.SetCol(col); }
    int TopRow() const override { return m_grid.TopRow(); }
    void SetTopRow(int row) override { m_grid.SetTopRow(row); }
    void EnsureVisible(int row, int col) override { m_grid.EnsureVisible(row, col); }
    QString TextMatrix(int row, int col) const override { return m_grid.TextMatrix(row, col); }
    void SetTextMatrix(int row, int col, const QString &text) override { m_grid.SetTextMatrix(row, col, text); }
    void SetFocus() override { m_grid.setFocus(); }

private:
    flexgrid::FlexGrid &m_grid;
};

} // namespace tav
