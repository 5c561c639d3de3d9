#pragma once
// The shared routines that work on any window's flex grid and on the text box
// laid over its current cell: the search within a list window, the Greek font
// on grid columns, painting the cells of the grammar grids, the in-cell editor
// and the keys that open it, column widths fitted to the texts, and moves of
// the current cell. Lengths are twips, colours 0xBBGGRR numbers.

#include "platform/flexgrid/FlexGrid.h"

#include <QString>

class QFontMetrics;
class QLineEdit;
class QWidget;

namespace tav {

using flexgrid::FlexGrid;

// The request "open the editor empty" of ShowCellEditor (the Delete key). It
// differs from every character code, so a typed full stop (46) still opens the
// editor holding ".".
inline constexpr int CellEditDeleteRequest = -46;

// Where a list window's search within its grid stands: the next search
// starts at row 1, or after the grid's last hit; or the last search found
// nothing more and no search runs until the user starts again.
enum class GridSearch { FromTop, AfterLastHit, Exhausted };

// The caption of the search button for a state: "S", "SN", "0".
QString GridSearchCaption(GridSearch State);

// Searches Text (trimmed, "*" appended; Text is changed) with Jet's Like down
// column Col, starting where From says (Exhausted: no search). A hit becomes
// Row and TopRow, turns green and sends the focus to SearchBox; no hit
// returns to HomeRow and focuses the grid. Returns the state after the
// search: AfterLastHit for a hit, Exhausted for none. Each grid keeps its
// own last hit. A text that is not a valid pattern (a "[" without its "]")
// finds nothing.
GridSearch SearchGridRow(FlexGrid &Grid, GridSearch From, QWidget &SearchBox, long long Col, long long HomeRow,
                         QString &Text);

// Selects the whole text of Box.
void SelectAllText(QLineEdit &Box);

// Every data cell (rows 1 to the last) of columns FirstCol..LastCol gets the
// font "VudedoGreek" at PointSize (the callers pass the store's
// GreekFontSize); the current cell is left on the last cell visited (the
// last row of LastCol).
void SetGreekColumnFont(FlexGrid &Grid, int FirstCol, int LastCol, int PointSize);

// Before a grid is refilled: one that has the keyboard focus is hidden, which
// hands the focus on to the next control (the caller shows it again); any
// other stays as it is.
void HideIfFocused(FlexGrid &Grid);

// Hides the heading row (RowHeight(0) = 0), sets Cols = NewCols, paints
// every cell of columns 1.. and rows 1.. with Color and leaves the grid shown
// (HideIfFocused first).
void FillGridCells(FlexGrid &Grid, long long Color, int NewCols);

// F2 (113) opens the editor on the current cell with its text, Delete (46)
// opens it empty; other keys do nothing.
void StartCellEditKey(FlexGrid &Grid, QLineEdit &EditBox, int KeyCode);

// Fills the editor (KeyAscii 0..32: the cell's text, caret at the end;
// CellEditDeleteRequest: empty; any other character: that character, caret
// after it), lays it exactly over the current cell (scrolled into view) short
// of the cell's right and bottom grid lines, gives it the cell's background
// (white for a cell without its own colour), shows it and focuses it. The
// box covers the cell whatever the cell's font, so no part of the cell's own
// text shows beside it. Without TakeFocus the box is shown but the focus
// stays where it is (an editor put back in a window the user is not in).
void ShowCellEditor(FlexGrid &Grid, QLineEdit &EditBox, int KeyAscii, bool TakeFocus = true);

// Columns FirstCol..LastCol get the width Factor times the character count of
// their longest text in rows 1.., never less than MinLen characters.
void AutoSizeGridCols(FlexGrid &Grid, int FirstCol, int LastCol, int MinLen, long long Factor);

// The width in pixels of the widest text of column Col in rows 1.., drawn
// with Metrics' font; 0 for a column without data rows.
int WidestTextPixels(const FlexGrid &Grid, int Col, const QFontMetrics &Metrics);

// Columns FirstCol..LastCol in steps of StepCol get the width of their widest
// text in rows 1.. (measured in Frm's font) plus Margin; in column SpecialCol
// (when not 0) a text counts at least MinWidth.
void FitGridColsToText(FlexGrid &Grid, int FirstCol, int LastCol, int StepCol, const QWidget &Frm,
                       long long Margin, int SpecialCol, long long MinWidth);

// Moves of the current cell after an edit; each gives the grid the focus and
// does nothing at the last row (GridNextRow) or column (the other two).
void GridNextRow(FlexGrid &Grid);
void GridNextColTop(FlexGrid &Grid);
void GridSkipColTop(FlexGrid &Grid);

// Moves on from the cell (Row, Col) just edited: to the next visible column
// on the right (skipping one hidden column), or after the last column to
// column WrapCol of the next row (of row 1 after the last row); then scrolls
// only as far as that cell needs to be seen (the view does not jump to the
// edited row) and focuses the grid.
void GridMoveCell(FlexGrid &Grid, long long WrapCol, long long Col, long long Row);

// True when Pattern is a pattern Like can use: every "[" has its "]".
bool IsValidLikePattern(const QString &Pattern);

} // namespace tav
