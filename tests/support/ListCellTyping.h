#pragma once
// Typing into a list window's cell as a user does: the cell made current,
// F2 opens its editor, the text goes in, and Enter (EditListCell) stores it.

#include "support/ListWindowProbe.h"
#include "grids/ListWindow.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/winsys/VbKeys.h"
#include "store/SharedState.h"

#include <QLineEdit>
#include <QString>

namespace tavtest {

// Leaves the editor open with Text in it.
inline void TypeInListCell(tav::ListWindow &w, int row, int col, const QString &text)
{
    tav::SetGridBusy(true);
    w.Grid()->SetRow(row);
    w.Grid()->SetCol(col);
    tav::SetGridBusy(false);
    w.ShowCellInfo();
    int key = winsys::vbKeyF2;
    w.msFlxMulti_KeyDown(key, 0);
    tavtest::ListProbe(w).tbN->setText(text);
}

inline void EditListCell(tav::ListWindow &w, int row, int col, const QString &text)
{
    TypeInListCell(w, row, col, text);
    w.KeyDownEdits(winsys::vbKeyReturn);
}

} // namespace tavtest
