#pragma once
// What the print engine reads of a grid: its rows and columns with their
// sizes, texts, fonts, colours, alignments and merge settings. Lengths are
// twips; colours are colour numbers as the grid keeps them.

#include <QFont>
#include <QString>

class GridContents {
public:
    virtual ~GridContents() = default;

    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    virtual int FixedRows() const = 0;
    virtual int FixedCols() const = 0;
    virtual int ColWidth(int col) const = 0;
    virtual int RowHeight(int row) const = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
    virtual QFont Font() const = 0;
    virtual QFont CellFontAt(int row, int col) const = 0;
    virtual bool WordWrap() const = 0;

    virtual int ColAlignment(int col) const = 0;
    virtual int FixedAlignment(int col) const = 0;
    virtual bool CellAlignmentSetAt(int row, int col) const = 0;
    virtual int CellAlignmentAt(int row, int col) const = 0;

    virtual bool MergeRow(int row) const = 0;
    virtual bool MergeCol(int col) const = 0;

    virtual long long BackColor() const = 0;
    virtual long long ForeColor() const = 0;
    virtual long long GridColor() const = 0;
    virtual long long BackColorFixed() const = 0;
    virtual long long ForeColorFixed() const = 0;
    virtual long long GridColorFixed() const = 0;
    virtual long long CellBackColorAt(int row, int col) const = 0;
    virtual long long CellForeColorAt(int row, int col) const = 0;
};
