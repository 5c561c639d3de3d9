#pragma once
// Test grids of a given size whose cells read "r,c".

#include "platform/flexgrid/FlexGrid.h"

#include <QString>

inline void FillNumbered(flexgrid::FlexGrid &g, int rows, int cols)
{
    g.SetCols(cols);
    g.SetRows(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}
