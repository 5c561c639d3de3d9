#pragma once
// Typing into a cell of the grammar panel as a user does: a key on the
// current cell opens its editor, which then holds Text (as if pasted).

#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"

#include <QLineEdit>
#include <QString>

namespace tavtest {

inline void TypeInPanelCell(tav::GrammarPanel &panel, flexgrid::FlexGrid &grid, QLineEdit &editor, int row, int col,
                            const QString &text)
{
    grid.SetRow(row);
    grid.SetCol(col);
    int key = 'a';
    panel.Grid_KeyPress(grid, key);
    panel.Editor_GotFocus(grid, editor); // the focus event, where no window is active
    editor.setText(text);
}

} // namespace tavtest
