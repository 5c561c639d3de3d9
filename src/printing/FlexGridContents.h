#pragma once
// A list window's grid as the print engine reads it.

#include "platform/flexgrid/FlexGrid.h"
#include "printing/GridContents.h"

class FlexGridContents : public GridContents {
public:
    explicit FlexGridContents(const flexgrid::FlexGrid &grid) : m_g(grid) {}

    int Rows() const override { return m_g.Rows(); }
    int Cols() const override { return m_g.Cols(); }
    int FixedRows() const override { return m_g.FixedRows(); }
    int FixedCols() const override { return m_g.FixedCols(); }
    int ColWidth(int col) const override { return m_g.ColWidth(col); }
    int RowHeight(int row) const override { return m_g.RowHeight(row); }
    QString TextMatrix(int row, int col) const override { return m_g.TextMatrix(row, col); }
    QFont Font() const override { return m_g.Font(); }
    QFont CellFontAt(int row, int col) const override { return m_g.CellFontAt(row, col); }
    bool WordWrap() const override { return m_g.WordWrap(); }
    int ColAlignment(int col) const override { return m_g.ColAlignment(col); }
    int FixedAlignment(int col) const override { return m_g.FixedAlignment(col); }
    bool CellAlignmentSetAt(int row, int col) const override { return m_g.CellAlignmentSetAt(row, col); }
    int CellAlignmentAt(int row, int col) const override { return m_g.CellAlignmentAt(row, col); }
    bool MergeRow(int row) const override { return m_g.MergeRow(row); }
    bool MergeCol(int col) const override { return m_g.MergeCol(col); }
    long long BackColor() const override { return m_g.BackColor(); }
    long long ForeColor() const override { return m_g.ForeColor(); }
    long long GridColor() const override { return m_g.GridColor(); }
    long long BackColorFixed() const override { return m_g.BackColorFixed(); }
    long long ForeColorFixed() const override { return m_g.ForeColorFixed(); }
    long long GridColorFixed() const override { return m_g.GridColorFixed(); }
    long long CellBackColorAt(int row, int col) const override { return m_g.CellBackColorAt(row, col); }
    long long CellForeColorAt(int row, int col) const override { return m_g.CellForeColorAt(row, col); }

private:
    const flexgrid::FlexGrid &m_g;
};
