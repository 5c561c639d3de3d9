#pragma once
// The one grid control of the program: the inflection grids, the exercise
// grids, the list windows and the print engine all address it through the
// properties and events the windows were written against (Rows, Cols,
// TextMatrix, Row, Col, TopRow, ColWidth in twips, the current cell's font
// and colours, Sort, EnterCell, LeaveCell, KeyDown, ...).
//
// Model of the control:
// - Cells are numbered from 0. The first FixedRows rows and FixedCols columns
//   are real rows and columns that are drawn as headings and never scroll, so
//   row 0 is the heading row and the first data row is 1.
// - The grid scrolls by whole rows and columns: TopRow is the first data row
//   shown, LeftCol the first data column shown.
// - Lengths (ColWidth, RowHeight, CellLeft, ...) are twips, 1440 per inch at
//   the screen's logical resolution. A width or height of 0 hides the column or
//   row. What was set is what is read back.
// - Colours are numbers 0xBBGGRR or system colours (winsys/VbColor.h). A cell
//   colour of 0 means "the grid's colour" and reads back as 0.
// - The current cell is (Row, Col); the selection runs from it to (RowSel,
//   ColSel). Setting Row or Col collapses the selection onto the current cell.
//   Every change of the current cell, by code, keys or mouse, fires LeaveCell
//   (still on the old cell), then EnterCell and RowColChange on the new one, as
//   the windows' handlers expect; the handlers guard themselves with GridBusy.
// - Setting a property out of range (Row beyond the last row, a column that
//   does not exist) changes nothing.

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QVector>

#include <algorithm>

class QColor;
class QPainter;
class QRect;

namespace winsys {
class WholeTextTip;
}

namespace flexgrid {

// Sort codes of the Sort property.
enum SortSettings : int {
    flexSortNone = 0,
    flexSortGenericAscending = 1,
    flexSortGenericDescending = 2,
    flexSortNumericAscending = 3,
    flexSortNumericDescending = 4,
    flexSortStringNoCaseAscending = 5,
    flexSortStringNoCaseDescending = 6,
    flexSortStringAscending = 7,
    flexSortStringDescending = 8,
};

// Alignment codes of CellAlignment, ColAlignment and FixedAlignment.
enum AlignmentSettings : int {
    flexAlignLeftTop = 0, flexAlignLeftCenter = 1, flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3, flexAlignCenterCenter = 4, flexAlignCenterBottom = 5,
    flexAlignRightTop = 6, flexAlignRightCenter = 7, flexAlignRightBottom = 8,
    flexAlignGeneral = 9,
};

// MergeCells settings.
enum MergeSettings : int {
    flexMergeNever = 0, flexMergeFree = 1, flexMergeRestrictRows = 2,
    flexMergeRestrictColumns = 3, flexMergeRestrictAll = 4,
};

// FillStyle: whether the Cell* formatting properties set the current cell
// only or every cell of the selection.
enum FillStyleSettings : int { flexFillSingle = 0, flexFillRepeat = 1 };

// The grid lines of a cell: its right and bottom edges, `width` pixels wide.
void DrawGridLines(QPainter &p, const QRect &rect, const QColor &color, int width);

// The room a cell's text keeps from the cell's left and right edges.
constexpr int kTextInsetPx = 3;

// Mouse buttons of MouseDown/MouseUp.
enum MouseButtonConstants : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    // --- Structure ---------------------------------------------------------
    int Rows() const { return static_cast<int>(m_rows.size()); }
    void SetRows(int rows);
    int Cols() const { return m_cols; }
    void SetCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int n);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int n);

    // --- Texts ---------------------------------------------------------------
    QString TextMatrix(int row, int col) const;
    // The same without a copy, for loops over long lists; an empty text for
    // a cell that does not exist.
    const QString &TextRef(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString &text);
    QString Text() const; // the current cell's text
    void SetText(const QString &text);
    // Empties every cell and removes all cell formatting; structure, widths
    // and the current cell stay.
    void Clear();
    // Fills the grid as a bound data control does: heading row 0 takes the
    // field names (when FixedRows > 0), the records fill the rows from
    // FixedRows on, columns from FixedCols on. Rows and Cols follow the data
    // (one empty data row when there is no record); cell formatting is
    // cleared, column widths stay, the current cell goes to the first data
    // cell without firing cell events.
    void SetBoundData(const QStringList &fieldNames, QVector<QVector<QString>> records);

    // --- Current cell, selection, scrolling --------------------------------
    int Row() const { return m_row; }
    void SetRow(int row);
    int Col() const { return m_col; }
    void SetCol(int col);
    int RowSel() const { return m_rowSel; }
    void SetRowSel(int row);
    int ColSel() const { return m_colSel; }
    void SetColSel(int col);
    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int col);
    // Scrolls as little as needed to show the cell (row, col) whole; the view
    // stays where it is when the cell is already shown.
    void EnsureVisible(int row, int col);
    // The first of the columns a reader keeps in view (a list's word, with
    // its article): scrolling to a cell right of it leaves the view from
    // this column on while at least half of the cell shows, and scrolling
    // back to it or to a column after it shows it again. -1: none.
    void SetAnchorCol(int col) { m_anchorCol = col; }
    int AnchorCol() const { return m_anchorCol; }

    // --- Sizes (twips) -------------------------------------------------------
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips); // -1: back to the default width
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips); // -1: back to the default height
    // The least height of a row of default height (a larger cell font needs it).
    int RowHeightMin() const { return m_rowHeightMin; }
    void SetRowHeightMin(int twips);
    // Position and size of the current cell in the grid's own coordinates,
    // for laying a text box over it; reading them scrolls the cell into view
    // first, so that the box lies over a visible cell.
    int CellLeft();
    int CellTop();
    int CellWidth();
    int CellHeight();

    // --- The current cell's formatting (the selection's with flexFillRepeat)
    QString CellFontName() const;
    void SetCellFontName(const QString &name);
    double CellFontSize() const;
    void SetCellFontSize(double points);
    bool CellFontBold() const;
    void SetCellFontBold(bool on);
    bool CellFontItalic() const;
    void SetCellFontItalic(bool on);
    bool CellFontUnderline() const;
    void SetCellFontUnderline(bool on);
    long long CellBackColor() const;      // 0: the grid's colour
    void SetCellBackColor(long long color);
    long long CellForeColor() const;      // 0: the grid's colour
    void SetCellForeColor(long long color);
    int CellAlignment() const;            // 0 when never set
    void SetCellAlignment(int alignment);
    int FillStyle() const { return m_fillStyle; }
    void SetFillStyle(int style) { m_fillStyle = style; }

    // The same, for any cell without moving the current cell.
    QString CellFontNameAt(int row, int col) const;
    double CellFontSizeAt(int row, int col) const;
    bool CellFontBoldAt(int row, int col) const;
    long long CellBackColorAt(int row, int col) const;
    long long CellForeColorAt(int row, int col) const;
    int CellAlignmentAt(int row, int col) const;
    // Whether a cell's alignment was ever set (CellAlignmentAt gives 0 for
    // both a cell set to left-top and one never set).
    bool CellAlignmentSetAt(int row, int col) const;
    QFont CellFontAt(int row, int col) const;
    // Formats a block of cells at once (rows r1..r2, columns c1..c2) without
    // moving the current cell: the fast road for whole columns of a long list.
    void SetRangeFont(int r1, int c1, int r2, int c2, const QString &name, double points);
    void SetRangeBackColor(int r1, int c1, int r2, int c2, long long color);

    // --- Columns and the grid as a whole -------------------------------------
    int ColAlignment(int col) const;
    void SetColAlignment(int col, int alignment);
    int FixedAlignment(int col) const;
    void SetFixedAlignment(int col, int alignment);
    long long BackColor() const { return m_backColor; }
    void SetBackColor(long long c);
    long long ForeColor() const { return m_foreColor; }
    void SetForeColor(long long c);
    long long BackColorFixed() const { return m_backColorFixed; }
    void SetBackColorFixed(long long c);
    long long ForeColorFixed() const { return m_foreColorFixed; }
    void SetForeColorFixed(long long c);
    long long BackColorSel() const { return m_backColorSel; }
    void SetBackColorSel(long long c);
    long long ForeColorSel() const { return m_foreColorSel; }
    void SetForeColorSel(long long c);
    long long BackColorBkg() const { return m_backColorBkg; }
    void SetBackColorBkg(long long c);
    long long GridColor() const { return m_gridColor; }
    void SetGridColor(long long c);
    long long GridColorFixed() const { return m_gridColorFixed; }
    void SetGridColorFixed(long long c);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on);
    int MergeCells() const { return m_mergeCells; }
    void SetMergeCells(int setting);
    bool MergeRow(int row) const;
    void SetMergeRow(int row, bool on);
    bool MergeCol(int col) const;
    void SetMergeCol(int col, bool on);
    // False stops drawing (for long series of changes); True draws again.
    bool Redraw() const { return m_redraw; }
    void SetRedraw(bool on);
    QString Tag() const { return m_tag; }
    void SetTag(const QString &tag) { m_tag = tag; }
    QFont Font() const { return font(); }
    void SetFont(const QFont &f);

    // Sorts the rows Row..RowSel (all data rows when they are equal) on the
    // columns Col..ColSel, left column first. Rows move whole, with their
    // formatting and heights. Setting flexSortNone does nothing.
    void SetSort(int sortCode);

    // The row of this grid's last search hit (each list window keeps its own).
    int SearchRow() const { return m_searchRow; }
    void SetSearchRow(int row) { m_searchRow = row; }

    // Twips <-> pixels at this grid's logical resolution.
    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;
    int PixelsToTwipsX(int px) const;
    int PixelsToTwipsY(int px) const;

    // The row and column under the mouse at its last press or move over the
    // grid; -1 when it was beside the cells.
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }

    // Width of the grid lines in pixels (1 by default, at least 1).
    int GridLineWidth() const { return m_gridLineWidth; }
    void SetGridLineWidth(int px);

    // The cell under a point of the viewport; false beside the cells.
    bool CellAt(const QPoint &viewportPos, int *row, int *col) const;
    // The viewport rectangle of a cell; empty when it is not on screen.
    QRect CellRect(int row, int col) const;

    // Whether a cell's one-line text is wider than the room its column gives
    // it, so that it is drawn ending in an ellipsis.
    bool CellTextCut(int row, int col) const;
    // With whole-text tips on, a cut text shows whole in a tool tip while the
    // mouse rests on its cell and while its cell is the current one of the
    // focused grid. Off by default.
    void SetWholeTextTips(bool on) { m_wholeTextTips = on; }
    // What the tip of a cell shows: its whole text when it is cut, else
    // nothing. The tip is drawn in the application's font, so a text in the
    // Greek key font is given in Greek letters.
    QString WholeTextTip(int row, int col) const;

signals:
    void EnterCell();
    void LeaveCell();
    void RowColChange();
    void SelChange();
    void Scroll();
    // The handlers may set keyCode / keyAscii to 0 to swallow the key.
    void KeyDown(int &keyCode, int shift);
    void KeyPress(int &keyAscii);
    void KeyUp(int &keyCode, int shift);
    void Click();
    void DblClick();
    // x and y in twips from the grid's top-left corner.
    void MouseDown(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void GotFocus();
    void LostFocus();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    struct CellFormat {
        quint32 back = 0;     // 0: grid colour
        quint32 fore = 0;     // 0: grid colour
        float size = 0;       // 0: grid font size
        quint16 font = 0;     // index into m_fontNames; 0: grid font
        qint8 bold = -1;      // -1: grid font
        qint8 italic = -1;
        qint8 underline = -1;
        qint8 align = -1;     // -1: never set
    };
    struct RowData {
        QVector<QString> text;
        QVector<CellFormat> format; // empty until a cell of the row is formatted
        int height = -1;            // twips; -1 default
        bool merge = false;
    };

    bool validCell(int row, int col) const;
    const CellFormat *formatAt(int row, int col) const;
    CellFormat &formatRef(int row, int col);
    quint16 fontIndex(const QString &name);
    template <typename F> void applyToTarget(F &&f);
    // Calls f(row, col) for every cell a repeat fill covers: those between
    // the current cell and the other corner of the selection.
    template <typename F> void forEachRepeatCell(F &&f) const
    {
        const int r1 = std::min(m_row, m_rowSel), r2 = std::max(m_row, m_rowSel);
        const int c1 = std::min(m_col, m_colSel), c2 = std::max(m_col, m_colSel);
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                if (validCell(r, c))
                    f(r, c);
    }
    void moveCurrent(int row, int col, bool extend, bool scrollIntoView);
    void setCurrentFromCode(int row, int col);
    // The screen's vertical resolution and the default row height, looked
    // up once for a pass over many rows (each lookup asks for the screen).
    struct RowMetrics {
        int dpiY;
        int defaultPx;
    };
    RowMetrics rowMetrics() const;
    int defaultRowHeightPx() const;
    int defaultColWidthPx() const;
    int colWidthPx(int col) const;
    int colWidthPx(int col, int dpiX) const;
    int rowHeightPx(int row) const;
    int rowHeightPx(int row, const RowMetrics &m) const;
    int fixedWidthPx() const;
    int fixedWidthPx(int dpiX) const;
    int fixedHeightPx() const;
    int fixedHeightPx(const RowMetrics &m) const;
    void syncGeometry() const;
    int viewHeight() const;
    int viewWidth() const;
    int maxTopRow() const;
    int maxTopRow(const RowMetrics &m) const;
    int maxLeftCol() const;
    int maxLeftCol(int dpiX) const;
    void updateScrollBars();
    void ensureVisible(int row, int col);
    void setTopLeft(int top, int left);
    int colX(int col) const; // viewport x of a column's left edge; -1 when off screen
    int rowY(int row) const;
    int visibleRowsBelow(int fromRow, int height) const;
    int nextVisibleRow(int row, int step) const;
    int nextVisibleCol(int col, int step) const;
    void paintCell(QPainter &p, int row, int col, const QRect &rect, bool fixed);
    void paintCellBackground(QPainter &p, const QRect &rect, long long back, bool fixed) const;
    bool isSelected(int row, int col) const;
    void redraw();
    // On a scaled screen a cell's grid lines reach a device pixel into its
    // neighbours: a repaint of part of the view paints that many pixels past
    // its cells again, so that they end as a whole repaint leaves them.
    int lineSpill() const;
    void moveView(int oldTop, int oldLeft);
    // Repaints the visible cells of rows firstRow to lastRow in columns
    // firstCol to lastCol (the whole view while cells merge: a merged cell
    // reaches past its rows).
    void redrawCells(int firstRow, int lastRow, int firstCol, int lastCol);

    QVector<RowData> m_rows;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    QVector<int> m_colWidth;      // twips; -1 default
    int m_rowHeightMin = 0;       // twips
    QVector<int> m_colAlign;
    QVector<int> m_fixedAlign;
    QVector<bool> m_mergeCol;
    QStringList m_fontNames;      // index 0 unused (grid font)
    int m_row = 0, m_col = 0, m_rowSel = 0, m_colSel = 0;
    int m_topRow = 0, m_leftCol = 0;
    int m_anchorCol = -1;
    int m_fillStyle = flexFillSingle;
    long long m_backColor, m_foreColor, m_backColorFixed, m_foreColorFixed;
    long long m_backColorSel, m_foreColorSel, m_backColorBkg, m_gridColor, m_gridColorFixed;
    bool m_wordWrap = false;
    int m_mergeCells = flexMergeNever;
    bool m_redraw = true;
    QString m_tag;
    int m_searchRow = 0;
    bool m_syncingScrollBars = false;
    bool m_mouseSelecting = false;
    int m_mouseRow = -1;
    int m_mouseCol = -1;
    int m_gridLineWidth = 1;
    bool m_wholeTextTips = false;
    winsys::WholeTextTip *m_focusTip = nullptr; // the current cell's whole text
    void trackMouse(const QPoint &viewportPos);
    // Shows the current cell's whole text below it while the grid has the
    // focus and the text is cut; hides it otherwise.
    void showCurrentTip();
};

} // namespace flexgrid
