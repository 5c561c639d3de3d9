// The flex grid: its rows and columns, texts, current cell and selection,
// sizes and scrolling, properties, keys and mouse. Its cell formats, sorting
// and painting are in FlexGridFormat.cpp, FlexGridSort.cpp and FlexGridPaint.cpp.
#include "platform/flexgrid/FlexGrid.h"

#include "platform/flexgrid/CellNumbers.h"
#include "platform/flexgrid/RowParts.h"

#include "platform/font/FontLoader.h"
#include "platform/font/GreekKeys.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <numeric>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

#include "platform/winsys/Twips.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/VbKeys.h"
#include "platform/winsys/WholeText.h"

namespace flexgrid {

namespace {

constexpr int kDefaultColWidthPx = 64; // 960 twips at 96 dpi

// The control's default colours: system colours of the window, the buttons
// and the selection.
constexpr long long kWindowBackground = 0x80000005;
constexpr long long kWindowText = 0x80000008;
constexpr long long kHighlight = 0x8000000D;
constexpr long long kHighlightText = 0x8000000E;
constexpr long long kButtonFace = 0x8000000F;
constexpr long long kButtonText = 0x80000012;

// A scroll bar that repaints for a new value only when that changes what it
// shows: its thumb, or an end reached or left. Through a long list most
// steps move the thumb by less than a pixel.
class ThumbScrollBar : public QScrollBar {
public:
    explicit ThumbScrollBar(Qt::Orientation orientation) : QScrollBar(orientation) {}

protected:
    void sliderChange(SliderChange change) override
    {
        if (change == SliderValueChange) {
            const Look now = look();
            if (m_painted && now == m_shown)
                return;
        }
        QScrollBar::sliderChange(change);
    }

    void paintEvent(QPaintEvent *event) override
    {
        m_shown = look();
        m_painted = true;
        QScrollBar::paintEvent(event);
    }

private:
    struct Look {
        QRect thumb;
        bool atMinimum = false, atMaximum = false;
        bool operator==(const Look &) const = default;
    };

    Look look() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
                value() == minimum(), value() == maximum()};
    }

    Look m_shown;
    bool m_painted = false;
};

} // namespace

FlexGrid::FlexGrid(QWidget *parent)
    : QAbstractScrollArea(parent),
      m_backColor(kWindowBackground),
      m_foreColor(kWindowText),
      m_backColorFixed(kButtonFace),
      m_foreColorFixed(kButtonText),
      m_backColorSel(kHighlight),
      m_foreColorSel(kHighlightText),
      m_backColorBkg(0x808080),
      m_gridColor(0xC0C0C0),
      m_gridColorFixed(0x000000)
{
    m_fontNames.append(QString()); // index 0: the grid's own font
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    // paintEvent paints every pixel of the viewport: the widgets behind it
    // need not paint first when rows change.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setVerticalScrollBar(new ThumbScrollBar(Qt::Vertical));
    setHorizontalScrollBar(new ThumbScrollBar(Qt::Horizontal));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The control's defaults: two rows, two columns, one of each fixed.
    SetCols(2);
    SetRows(2);
    m_fixedRows = 1;
    m_fixedCols = 1;
    m_row = m_rowSel = m_topRow = 1;
    m_col = m_colSel = m_leftCol = 1;
    updateScrollBars();
}

FlexGrid::~FlexGrid() = default;

// ---------------------------------------------------------------------------
// Structure

void FlexGrid::SetRows(int rows)
{
    if (rows < 0)
        return;
    const int old = Rows();
    if (rows < old) {
        m_rows.resize(rows);
    } else if (rows > old) {
        m_rows.reserve(rows);
        RowData blank;
        blank.text = QVector<QString>(m_cols);
        for (int r = old; r < rows; ++r)
            m_rows.append(blank);
    }
    if (m_fixedRows > rows)
        m_fixedRows = rows;
    const int last = std::max(0, rows - 1);
    m_row = std::clamp(m_row, 0, last);
    m_rowSel = std::clamp(m_rowSel, 0, last);
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, last));
    if (m_searchRow > last)
        m_searchRow = 0;
    updateScrollBars();
    redraw();
}

void FlexGrid::SetCols(int cols)
{
    if (cols < 0)
        return;
    if (cols != m_cols) {
        for (RowData &r : m_rows) {
            r.text.resize(cols);
            if (!r.format.isEmpty())
                r.format.resize(cols);
        }
        m_colWidth.resize(cols);
        m_colAlign.resize(cols);
        m_fixedAlign.resize(cols);
        m_mergeCol.resize(cols);
        for (int c = m_cols; c < cols; ++c) {
            m_colWidth[c] = -1;
            m_colAlign[c] = flexAlignGeneral;
            m_fixedAlign[c] = flexAlignLeftCenter;
            m_mergeCol[c] = false;
        }
        m_cols = cols;
    }
    if (m_fixedCols > cols)
        m_fixedCols = cols;
    const int last = std::max(0, cols - 1);
    m_col = std::clamp(m_col, 0, last);
    m_colSel = std::clamp(m_colSel, 0, last);
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, last));
    updateScrollBars();
    redraw();
}

void FlexGrid::SetFixedRows(int n)
{
    if (n < 0 || n > Rows())
        return;
    m_fixedRows = n;
    if (m_row < n && n < Rows())
        m_row = m_rowSel = n;
    m_topRow = std::max(m_topRow, n);
    updateScrollBars();
    redraw();
}

void FlexGrid::SetFixedCols(int n)
{
    if (n < 0 || n > m_cols)
        return;
    m_fixedCols = n;
    if (m_col < n && n < m_cols)
        m_col = m_colSel = n;
    m_leftCol = std::max(m_leftCol, n);
    updateScrollBars();
    redraw();
}

// ---------------------------------------------------------------------------
// Texts

bool FlexGrid::validCell(int row, int col) const
{
    return row >= 0 && row < Rows() && col >= 0 && col < m_cols;
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    if (!validCell(row, col))
        return QString();
    return m_rows[row].text[col];
}

const QString &FlexGrid::TextRef(int row, int col) const
{
    static const QString empty;
    return validCell(row, col) ? m_rows[row].text[col] : empty;
}

void FlexGrid::SetTextMatrix(int row, int col, const QString &text)
{
    if (!validCell(row, col))
        return;
    m_rows[row].text[col] = text;
    redraw();
}

QString FlexGrid::Text() const
{
    return TextMatrix(m_row, m_col);
}

void FlexGrid::SetText(const QString &text)
{
    if (m_fillStyle == flexFillRepeat) {
        forEachRepeatCell([&](int r, int c) { m_rows[r].text[c] = text; });
        redraw();
        return;
    }
    SetTextMatrix(m_row, m_col, text);
}

void FlexGrid::Clear()
{
    for (RowData &r : m_rows) {
        r.text = QVector<QString>(m_cols);
        r.format.clear();
    }
    redraw();
}

void FlexGrid::SetBoundData(const QStringList &fieldNames, QVector<QVector<QString>> records)
{
    const int nFields = static_cast<int>(fieldNames.size());
    const int cols = m_fixedCols + std::max(1, nFields);
    const int dataRows = std::max<qsizetype>(1, records.size());
    const int fixedRows = m_fixedRows;

    // Heights of the heading rows belong to the layout, not to the data.
    QVector<int> fixedHeights;
    for (int r = 0; r < fixedRows && r < Rows(); ++r)
        fixedHeights.append(m_rows[r].height);

    m_rows.clear();
    SetCols(cols);
    m_rows.reserve(fixedRows + dataRows);
    for (int r = 0; r < fixedRows; ++r) {
        RowData row;
        row.text = QVector<QString>(cols);
        if (r < fixedHeights.size())
            row.height = fixedHeights[r];
        if (r == 0)
            for (int f = 0; f < nFields; ++f)
                row.text[m_fixedCols + f] = fieldNames[f];
        m_rows.append(std::move(row));
    }
    if (records.isEmpty()) {
        RowData row;
        row.text = QVector<QString>(cols);
        m_rows.append(std::move(row));
    }
    for (QVector<QString> &rec : records) {
        RowData row;
        if (m_fixedCols == 0 && rec.size() == cols) {
            row.text = std::move(rec);
        } else {
            row.text = QVector<QString>(cols);
            const int n = std::min<int>(static_cast<int>(rec.size()), nFields);
            for (int f = 0; f < n; ++f)
                row.text[m_fixedCols + f] = std::move(rec[f]);
        }
        m_rows.append(std::move(row));
    }
    m_row = m_rowSel = m_topRow = std::min(fixedRows, Rows() - 1);
    m_col = m_colSel = m_leftCol = std::min(m_fixedCols, m_cols - 1);
    m_searchRow = 0;
    updateScrollBars();
    redraw();
}

// ---------------------------------------------------------------------------
// Current cell and selection

void FlexGrid::setCurrentFromCode(int row, int col)
{
    if (row == m_row && col == m_col) {
        if (m_rowSel != row || m_colSel != col) {
            m_rowSel = row;
            m_colSel = col;
            emit SelChange();
            redraw();
        }
        return;
    }
    const int leftFirst = std::min(m_row, m_rowSel), leftLast = std::max(m_row, m_rowSel);
    const int leftFirstCol = std::min(m_col, m_colSel), leftLastCol = std::max(m_col, m_colSel);
    emit LeaveCell();
    m_row = m_rowSel = row;
    m_col = m_colSel = col;
    emit EnterCell();
    emit RowColChange();
    emit SelChange();
    // Only the cells whose look changed: the selection left and the cell
    // entered (an arrow key in a long list repaints two cells, not the view).
    redrawCells(leftFirst, leftLast, leftFirstCol, leftLastCol);
    redrawCells(row, row, col, col);
    showCurrentTip();
}

void FlexGrid::SetRow(int row)
{
    if (row < 0 || row >= Rows())
        return;
    setCurrentFromCode(row, m_col);
}

void FlexGrid::SetCol(int col)
{
    if (col < 0 || col >= m_cols)
        return;
    setCurrentFromCode(m_row, col);
}

void FlexGrid::SetRowSel(int row)
{
    if (row < 0 || row >= Rows() || row == m_rowSel)
        return;
    m_rowSel = row;
    emit SelChange();
    redraw();
}

void FlexGrid::SetColSel(int col)
{
    if (col < 0 || col >= m_cols || col == m_colSel)
        return;
    m_colSel = col;
    emit SelChange();
    redraw();
}

void FlexGrid::moveCurrent(int row, int col, bool extend, bool scrollIntoView)
{
    if (!validCell(row, col))
        return;
    if (extend) {
        if (row != m_rowSel || col != m_colSel) {
            m_rowSel = row;
            m_colSel = col;
            emit SelChange();
            redraw();
        }
    } else {
        setCurrentFromCode(row, col);
    }
    if (scrollIntoView)
        ensureVisible(row, col);
    if (!extend)
        showCurrentTip();
}

void FlexGrid::SetTopRow(int row)
{
    if (row < 0 || row >= Rows())
        return;
    setTopLeft(row, m_leftCol);
}

void FlexGrid::EnsureVisible(int row, int col)
{
    if (validCell(row, col))
        ensureVisible(row, col);
}

void FlexGrid::SetLeftCol(int col)
{
    if (col < 0 || col >= m_cols)
        return;
    setTopLeft(m_topRow, col);
}

void FlexGrid::setTopLeft(int top, int left)
{
    top = std::clamp(top, m_fixedRows, std::max(m_fixedRows, maxTopRow()));
    left = std::clamp(left, m_fixedCols, std::max(m_fixedCols, maxLeftCol()));
    if (top == m_topRow && left == m_leftCol)
        return;
    const int oldTop = m_topRow, oldLeft = m_leftCol;
    m_topRow = top;
    m_leftCol = left;
    updateScrollBars();
    moveView(oldTop, oldLeft);
    emit Scroll();
}

// Moves the painted pixels of the scrolling part of the view after the top
// row or the left column changed, so that only the rows or columns coming
// into view are painted afresh; the fixed rows and columns stay where they
// are. Every cell is painted at a place that follows from its row and column
// alone, so moved pixels match a fresh paint. Merged runs are drawn from what
// is in view, so a grid that merges is painted whole.
int FlexGrid::lineSpill() const { return devicePixelRatioF() > 1 ? 1 : 0; }

void FlexGrid::moveView(int oldTop, int oldLeft)
{
    if (!m_redraw)
        return;
    const bool down = m_topRow != oldTop, across = m_leftCol != oldLeft;
    if (m_mergeCells != flexMergeNever || (down && across) || !viewport()->isVisible()) {
        viewport()->update();
        return;
    }
    const int vw = viewport()->width(), vh = viewport()->height();
    // The distance in pixels between the old and the new first scrolling row
    // or column, or -1 when it is at least `limit` (nothing would be kept).
    auto distance = [](int from, int to, int limit, auto size) {
        int px = 0;
        for (int i = std::min(from, to); i < std::max(from, to); ++i) {
            px += size(i);
            if (px >= limit)
                return -1;
        }
        return px;
    };
    int px;
    QRect part;
    if (down) {
        const RowMetrics rm = rowMetrics();
        const int fixed = fixedHeightPx(rm);
        px = distance(oldTop, m_topRow, vh - fixed, [&](int r) { return rowHeightPx(r, rm); });
        part = QRect(0, fixed, vw, vh - fixed);
    } else {
        const int dpiX = logicalDpiX();
        const int fixed = fixedWidthPx(dpiX);
        px = distance(oldLeft, m_leftCol, vw - fixed, [&](int c) { return colWidthPx(c, dpiX); });
        part = QRect(fixed, 0, vw - fixed, vh);
    }
    if (px < 0) {
        viewport()->update();
        return;
    }
    const int by = (down ? m_topRow > oldTop : m_leftCol > oldLeft) ? -px : px;
    viewport()->scroll(down ? 0 : by, down ? by : 0, part);
    // Where moved pixels meet the fixed cells or the newly shown ones, the
    // lines that spill over are painted again (see lineSpill).
    if (const int spill = lineSpill(); spill > 0) {
        const int start = down ? part.top() : part.left();
        const int end = down ? part.bottom() + 1 : part.right() + 1;
        for (const int seam : {start, by > 0 ? start + by : end + by}) {
            viewport()->update(down ? QRect(part.left(), seam - spill, part.width(), 2 * spill)
                                    : QRect(seam - spill, part.top(), 2 * spill, part.height()));
        }
    }
}

// ---------------------------------------------------------------------------
// Sizes

int FlexGrid::TwipsToPixelsX(int twips) const
{
    return winsys::TwipsToPixels(twips, logicalDpiX());
}

int FlexGrid::TwipsToPixelsY(int twips) const
{
    return winsys::TwipsToPixels(twips, logicalDpiY());
}

int FlexGrid::PixelsToTwipsX(int px) const
{
    return winsys::PixelsToTwips(px, logicalDpiX());
}

int FlexGrid::PixelsToTwipsY(int px) const
{
    return winsys::PixelsToTwips(px, logicalDpiY());
}

FlexGrid::RowMetrics FlexGrid::rowMetrics() const
{
    const int dpiY = logicalDpiY();
    return {dpiY, std::max(fontMetrics().height() + 4, winsys::TwipsToPixels(m_rowHeightMin, dpiY))};
}

int FlexGrid::defaultRowHeightPx() const
{
    return rowMetrics().defaultPx;
}

void FlexGrid::SetRowHeightMin(int twips)
{
    m_rowHeightMin = std::max(twips, 0);
    updateScrollBars();
    viewport()->update();
}

int FlexGrid::defaultColWidthPx() const
{
    return kDefaultColWidthPx;
}

int FlexGrid::colWidthPx(int col) const
{
    const int tw = m_colWidth[col];
    return tw < 0 ? defaultColWidthPx() : TwipsToPixelsX(tw);
}

int FlexGrid::colWidthPx(int col, int dpiX) const
{
    const int tw = m_colWidth[col];
    return tw < 0 ? defaultColWidthPx() : winsys::TwipsToPixels(tw, dpiX);
}

int FlexGrid::rowHeightPx(int row) const
{
    const int tw = m_rows[row].height;
    return tw < 0 ? defaultRowHeightPx() : TwipsToPixelsY(tw);
}

int FlexGrid::rowHeightPx(int row, const RowMetrics &m) const
{
    const int tw = m_rows[row].height;
    return tw < 0 ? m.defaultPx : winsys::TwipsToPixels(tw, m.dpiY);
}

int FlexGrid::ColWidth(int col) const
{
    if (col < 0 || col >= m_cols)
        return 0;
    const int tw = m_colWidth[col];
    return tw < 0 ? PixelsToTwipsX(defaultColWidthPx()) : tw;
}

void FlexGrid::SetColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols || twips < -1)
        return;
    m_colWidth[col] = twips;
    updateScrollBars();
    redraw();
}

int FlexGrid::RowHeight(int row) const
{
    if (row < 0 || row >= Rows())
        return 0;
    const int tw = m_rows[row].height;
    return tw < 0 ? PixelsToTwipsY(defaultRowHeightPx()) : tw;
}

void FlexGrid::SetRowHeight(int row, int twips)
{
    if (row < 0 || row >= Rows() || twips < -1)
        return;
    m_rows[row].height = twips;
    updateScrollBars();
    redraw();
}

int FlexGrid::fixedWidthPx() const
{
    return fixedWidthPx(logicalDpiX());
}

int FlexGrid::fixedWidthPx(int dpiX) const
{
    int w = 0;
    for (int c = 0; c < m_fixedCols && c < m_cols; ++c)
        w += colWidthPx(c, dpiX);
    return w;
}

int FlexGrid::fixedHeightPx() const
{
    return fixedHeightPx(rowMetrics());
}

int FlexGrid::fixedHeightPx(const RowMetrics &m) const
{
    int h = 0;
    for (int r = 0; r < m_fixedRows && r < Rows(); ++r)
        h += rowHeightPx(r, m);
    return h;
}

void FlexGrid::syncGeometry() const
{
    // A hidden grid gets its resize event only when it is shown; until then
    // its viewport keeps an old size. Deliver the event now, so that scrolling
    // and cell positions work on the size the grid was given.
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        auto *self = const_cast<FlexGrid *>(this);
        self->setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent e(size(), QSize());
        QCoreApplication::sendEvent(self, &e);
    }
}

int FlexGrid::viewHeight() const
{
    syncGeometry();
    return viewport()->height();
}

int FlexGrid::viewWidth() const
{
    syncGeometry();
    return viewport()->width();
}

int FlexGrid::maxTopRow() const
{
    return maxTopRow(rowMetrics());
}

int FlexGrid::maxTopRow(const RowMetrics &m) const
{
    const int last = Rows() - 1;
    if (last < m_fixedRows)
        return m_fixedRows;
    const int avail = viewHeight() - fixedHeightPx(m);
    int r = last;
    int acc = rowHeightPx(r, m);
    while (r - 1 >= m_fixedRows && acc + rowHeightPx(r - 1, m) <= avail) {
        --r;
        acc += rowHeightPx(r, m);
    }
    return r;
}

int FlexGrid::maxLeftCol() const
{
    return maxLeftCol(logicalDpiX());
}

int FlexGrid::maxLeftCol(int dpiX) const
{
    const int last = m_cols - 1;
    if (last < m_fixedCols)
        return m_fixedCols;
    const int avail = viewWidth() - fixedWidthPx(dpiX);
    int c = last;
    int acc = colWidthPx(c, dpiX);
    while (c - 1 >= m_fixedCols && acc + colWidthPx(c - 1, dpiX) <= avail) {
        --c;
        acc += colWidthPx(c, dpiX);
    }
    return c;
}

void FlexGrid::updateScrollBars()
{
    if (m_syncingScrollBars)
        return;
    m_syncingScrollBars = true;
    const RowMetrics rm = rowMetrics();
    const int maxTop = maxTopRow(rm);
    const int maxLeft = maxLeftCol();
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, maxTop));
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, maxLeft));

    QScrollBar *v = verticalScrollBar();
    v->setRange(0, std::max(0, maxTop - m_fixedRows));
    const int rowPx = std::max(1, rm.defaultPx);
    v->setPageStep(std::max(1, (viewHeight() - fixedHeightPx(rm)) / rowPx));
    v->setSingleStep(1);
    v->setValue(m_topRow - m_fixedRows);

    QScrollBar *h = horizontalScrollBar();
    h->setRange(0, std::max(0, maxLeft - m_fixedCols));
    h->setPageStep(1);
    h->setSingleStep(1);
    h->setValue(m_leftCol - m_fixedCols);
    m_syncingScrollBars = false;
}

void FlexGrid::scrollContentsBy(int, int)
{
    if (m_syncingScrollBars)
        return;
    const int top = m_fixedRows + verticalScrollBar()->value();
    const int left = m_fixedCols + horizontalScrollBar()->value();
    if (top == m_topRow && left == m_leftCol)
        return;
    const int oldTop = m_topRow, oldLeft = m_leftCol;
    m_topRow = std::min(top, std::max(m_fixedRows, Rows() - 1));
    m_leftCol = std::min(left, std::max(m_fixedCols, m_cols - 1));
    moveView(oldTop, oldLeft);
    emit Scroll();
}

void FlexGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void FlexGrid::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateScrollBars();
        redraw();
    }
}

void FlexGrid::ensureVisible(int row, int col)
{
    int top = m_topRow;
    int left = m_leftCol;
    if (row >= m_fixedRows && row < Rows()) {
        if (row < top) {
            top = row;
        } else {
            const RowMetrics rm = rowMetrics();
            const int avail = viewHeight() - fixedHeightPx(rm);
            int used = 0;
            for (int r = top; r <= row; ++r)
                used += rowHeightPx(r, rm);
            if (used > avail) {
                // Scroll so that the row is the last one fully shown.
                int t = row;
                int acc = rowHeightPx(row, rm);
                while (t - 1 >= m_fixedRows && acc + rowHeightPx(t - 1, rm) <= avail) {
                    --t;
                    acc += rowHeightPx(t, rm);
                }
                top = t;
            }
        }
    }
    if (col >= m_fixedCols && col < m_cols) {
        if (col < left) {
            left = col;
        } else {
            const int dpiX = logicalDpiX();
            const int avail = viewWidth() - fixedWidthPx(dpiX);
            int used = 0;
            for (int c = left; c <= col; ++c)
                used += colWidthPx(c, dpiX);
            if (used > avail) {
                int l = col;
                int acc = colWidthPx(col, dpiX);
                while (l - 1 >= m_fixedCols && acc + colWidthPx(l - 1, dpiX) <= avail) {
                    --l;
                    acc += colWidthPx(l, dpiX);
                }
                left = l;
            }
        }
        // Where the view has to move, the reader's columns stay in view, or
        // come back into it, if the cell still shows from its left edge over
        // at least half its width.
        if (left != m_leftCol && m_anchorCol >= m_fixedCols && m_anchorCol <= col && left != m_anchorCol) {
            const int dpiX = logicalDpiX();
            const int avail = viewWidth() - fixedWidthPx(dpiX);
            int before = 0;
            for (int c = m_anchorCol; c < col; ++c)
                before += colWidthPx(c, dpiX);
            const int width = colWidthPx(col, dpiX);
            if (avail - before >= std::min(width, std::max(width / 2, 1)))
                left = m_anchorCol;
        }
    }
    setTopLeft(top, left);
}

int FlexGrid::colX(int col) const
{
    if (col < m_fixedCols) {
        int x = 0;
        for (int c = 0; c < col; ++c)
            x += colWidthPx(c);
        return x;
    }
    if (col < m_leftCol)
        return -1;
    int x = fixedWidthPx();
    const int w = viewWidth();
    for (int c = m_leftCol; c < col; ++c) {
        x += colWidthPx(c);
        if (x >= w)
            return -1;
    }
    return x < w ? x : -1;
}

int FlexGrid::rowY(int row) const
{
    if (row < m_fixedRows) {
        int y = 0;
        for (int r = 0; r < row; ++r)
            y += rowHeightPx(r);
        return y;
    }
    if (row < m_topRow)
        return -1;
    int y = fixedHeightPx();
    const int h = viewHeight();
    for (int r = m_topRow; r < row; ++r) {
        y += rowHeightPx(r);
        if (y >= h)
            return -1;
    }
    return y < h ? y : -1;
}

QRect FlexGrid::CellRect(int row, int col) const
{
    if (!validCell(row, col))
        return QRect();
    const int x = colX(col);
    const int y = rowY(row);
    if (x < 0 || y < 0)
        return QRect();
    return QRect(x, y, colWidthPx(col), rowHeightPx(row));
}

bool FlexGrid::CellTextCut(int row, int col) const
{
    if (!validCell(row, col) || m_wordWrap)
        return false;
    const QString &text = m_rows[row].text[col];
    if (text.isEmpty())
        return false;
    const QFontMetrics metrics(winsys::CellDrawingFont(CellFontAt(row, col)));
    return metrics.horizontalAdvance(text) > colWidthPx(col) - 2 * kTextInsetPx;
}

QString FlexGrid::WholeTextTip(int row, int col) const
{
    if (!CellTextCut(row, col))
        return QString();
    return winsys::TextOutsideFont(CellFontAt(row, col), m_rows[row].text[col]);
}

void FlexGrid::showCurrentTip()
{
    if (!m_wholeTextTips)
        return;
    // Placed once the event that moved the cell is handled: a panel that
    // scrolls the cell into sight has done so by then.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QString tip = hasFocus() && isVisible() ? WholeTextTip(m_row, m_col) : QString();
            const QRect cell = tip.isEmpty() ? QRect() : CellRect(m_row, m_col);
            if (cell.isEmpty()) {
                if (m_focusTip)
                    m_focusTip->hide();
                return;
            }
            // A window of its own that looks like a tool tip; unlike a tool
            // tip it stays while the cell is current. Below the cell, so that
            // the tip covers none of its row.
            if (!m_focusTip)
                m_focusTip = new winsys::WholeTextTip(this);
            m_focusTip->ShowBelow(tip, QRect(viewport()->mapToGlobal(cell.topLeft()), cell.size()));
        },
        Qt::QueuedConnection);
}

bool FlexGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && m_wholeTextTips) {
        const auto *help = static_cast<QHelpEvent *>(event);
        int row = -1, col = -1;
        const QString tip = CellAt(help->pos(), &row, &col) ? WholeTextTip(row, col) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), CellRect(row, col));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool FlexGrid::CellAt(const QPoint &pos, int *row, int *col) const
{
    int foundRow = -1, foundCol = -1;
    const int fh = fixedHeightPx();
    int y = 0;
    for (int r = 0; r < m_fixedRows && foundRow < 0; ++r) {
        const int h = rowHeightPx(r);
        if (pos.y() >= y && pos.y() < y + h)
            foundRow = r;
        y += h;
    }
    y = fh;
    for (int r = m_topRow; foundRow < 0 && r < Rows() && y < viewHeight(); ++r) {
        const int h = rowHeightPx(r);
        if (pos.y() >= y && pos.y() < y + h)
            foundRow = r;
        y += h;
    }
    const int fw = fixedWidthPx();
    int x = 0;
    for (int c = 0; c < m_fixedCols && foundCol < 0; ++c) {
        const int w = colWidthPx(c);
        if (pos.x() >= x && pos.x() < x + w)
            foundCol = c;
        x += w;
    }
    x = fw;
    for (int c = m_leftCol; foundCol < 0 && c < m_cols && x < viewWidth(); ++c) {
        const int w = colWidthPx(c);
        if (pos.x() >= x && pos.x() < x + w)
            foundCol = c;
        x += w;
    }
    if (foundRow < 0 || foundCol < 0)
        return false;
    *row = foundRow;
    *col = foundCol;
    return true;
}

int FlexGrid::CellLeft()
{
    ensureVisible(m_row, m_col);
    const QRect r = CellRect(m_row, m_col);
    return PixelsToTwipsX(viewport()->x() + std::max(0, r.x()));
}

int FlexGrid::CellTop()
{
    ensureVisible(m_row, m_col);
    const QRect r = CellRect(m_row, m_col);
    return PixelsToTwipsY(viewport()->y() + std::max(0, r.y()));
}

int FlexGrid::CellWidth()
{
    ensureVisible(m_row, m_col);
    return validCell(m_row, m_col) ? ColWidth(m_col) : 0;
}

int FlexGrid::CellHeight()
{
    ensureVisible(m_row, m_col);
    return validCell(m_row, m_col) ? RowHeight(m_row) : 0;
}

// ---------------------------------------------------------------------------
// Column and grid properties

int FlexGrid::ColAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_colAlign[col] : 0;
}

void FlexGrid::SetColAlignment(int col, int alignment)
{
    if (col < 0 || col >= m_cols || alignment < 0 || alignment > flexAlignGeneral)
        return;
    m_colAlign[col] = alignment;
    redraw();
}

int FlexGrid::FixedAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_fixedAlign[col] : 0;
}

void FlexGrid::SetFixedAlignment(int col, int alignment)
{
    if (col < 0 || col >= m_cols || alignment < 0 || alignment > flexAlignGeneral)
        return;
    m_fixedAlign[col] = alignment;
    redraw();
}

void FlexGrid::SetBackColor(long long c) { m_backColor = c; redraw(); }
void FlexGrid::SetForeColor(long long c) { m_foreColor = c; redraw(); }
void FlexGrid::SetBackColorFixed(long long c) { m_backColorFixed = c; redraw(); }
void FlexGrid::SetForeColorFixed(long long c) { m_foreColorFixed = c; redraw(); }
void FlexGrid::SetBackColorSel(long long c) { m_backColorSel = c; redraw(); }
void FlexGrid::SetForeColorSel(long long c) { m_foreColorSel = c; redraw(); }
void FlexGrid::SetBackColorBkg(long long c) { m_backColorBkg = c; redraw(); }
void FlexGrid::SetGridColor(long long c) { m_gridColor = c; redraw(); }
void FlexGrid::SetGridColorFixed(long long c) { m_gridColorFixed = c; redraw(); }
void FlexGrid::SetWordWrap(bool on) { m_wordWrap = on; redraw(); }

void FlexGrid::SetMergeCells(int setting)
{
    if (setting < flexMergeNever || setting > flexMergeRestrictAll)
        return;
    m_mergeCells = setting;
    redraw();
}

bool FlexGrid::MergeRow(int row) const
{
    return row >= 0 && row < Rows() && m_rows[row].merge;
}

void FlexGrid::SetMergeRow(int row, bool on)
{
    if (row < 0 || row >= Rows())
        return;
    m_rows[row].merge = on;
    redraw();
}

bool FlexGrid::MergeCol(int col) const
{
    return col >= 0 && col < m_cols && m_mergeCol[col];
}

void FlexGrid::SetMergeCol(int col, bool on)
{
    if (col < 0 || col >= m_cols)
        return;
    m_mergeCol[col] = on;
    redraw();
}

void FlexGrid::SetRedraw(bool on)
{
    m_redraw = on;
    if (on) {
        updateScrollBars();
        viewport()->update();
    }
}

void FlexGrid::SetFont(const QFont &f)
{
    setFont(f);
}

void FlexGrid::redraw()
{
    if (m_redraw)
        viewport()->update();
}

void FlexGrid::redrawCells(int firstRow, int lastRow, int firstCol, int lastCol)
{
    if (!m_redraw)
        return;
    if (m_mergeCells != flexMergeNever || lastRow - firstRow > 64 || lastCol - firstCol > 64) {
        viewport()->update();
        return;
    }
    // The block's columns in view lie side by side: one span across them.
    int left = INT_MAX, right = INT_MIN;
    const int dpiX = logicalDpiX();
    for (int c = std::max(firstCol, 0); c <= lastCol && c < m_cols; ++c) {
        const int x = colX(c);
        if (x >= 0) {
            left = std::min(left, x);
            right = std::max(right, x + colWidthPx(c, dpiX));
        }
    }
    if (left >= right)
        return;
    // The neighbours' edges that this block's lines spill over are painted
    // again too.
    const int spill = lineSpill();
    const RowMetrics rm = rowMetrics();
    for (int r = std::max(firstRow, 0); r <= lastRow && r < Rows(); ++r) {
        const int y = rowY(r);
        if (y >= 0)
            viewport()->update(QRect(left, y, right - left, rowHeightPx(r, rm)).adjusted(-spill, -spill, spill, spill));
    }
}

// ---------------------------------------------------------------------------
// Keyboard and mouse

int FlexGrid::nextVisibleRow(int row, int step) const
{
    for (int r = row + step; r >= m_fixedRows && r < Rows(); r += step)
        if (rowHeightPx(r) > 0)
            return r;
    return row;
}

int FlexGrid::nextVisibleCol(int col, int step) const
{
    for (int c = col + step; c >= m_fixedCols && c < m_cols; c += step)
        if (colWidthPx(c) > 0)
            return c;
    return col;
}

int FlexGrid::visibleRowsBelow(int fromRow, int height) const
{
    int n = 0, used = 0;
    for (int r = fromRow; r < Rows(); ++r) {
        used += rowHeightPx(r);
        if (used > height)
            break;
        ++n;
    }
    return std::max(1, n);
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    int keyCode = winsys::VbKeyCode(event);
    const int shift = winsys::VbShift(event->modifiers());
    if (keyCode != 0)
        emit KeyDown(keyCode, shift);

    // Navigation moves the selection's end with Shift, the current cell without.
    const bool extend = shift & winsys::vbShiftMask;
    const int fromRow = extend ? m_rowSel : m_row;
    const int fromCol = extend ? m_colSel : m_col;
    int row = fromRow, col = fromCol;
    bool navigation = true;
    switch (keyCode) {
    case winsys::vbKeyUp: row = nextVisibleRow(fromRow, -1); break;
    case winsys::vbKeyDown: row = nextVisibleRow(fromRow, 1); break;
    case winsys::vbKeyLeft: col = nextVisibleCol(fromCol, -1); break;
    case winsys::vbKeyRight: col = nextVisibleCol(fromCol, 1); break;
    case winsys::vbKeyPageDown: {
        const int page = visibleRowsBelow(m_topRow, viewHeight() - fixedHeightPx());
        row = std::min(Rows() - 1, fromRow + page);
        if (rowHeightPx(row) == 0)
            row = nextVisibleRow(row, -1);
        break;
    }
    case winsys::vbKeyPageUp: {
        const int page = visibleRowsBelow(m_topRow, viewHeight() - fixedHeightPx());
        row = std::max(m_fixedRows, fromRow - page);
        if (rowHeightPx(row) == 0)
            row = nextVisibleRow(row, 1);
        break;
    }
    case winsys::vbKeyHome:
        col = nextVisibleCol(m_fixedCols - 1, 1);
        if (shift & winsys::vbCtrlMask)
            row = nextVisibleRow(m_fixedRows - 1, 1);
        break;
    case winsys::vbKeyEnd:
        col = nextVisibleCol(m_cols, -1);
        if (shift & winsys::vbCtrlMask)
            row = nextVisibleRow(Rows(), -1);
        break;
    default: navigation = false; break;
    }
    if (navigation) {
        if (validCell(row, col) && row >= m_fixedRows && col >= m_fixedCols)
            moveCurrent(row, col, extend, true);
        event->accept();
        return;
    }

    int keyAscii = winsys::VbKeyAscii(event);
    if (keyAscii != 0)
        emit KeyPress(keyAscii);
    event->accept();
}

void FlexGrid::keyReleaseEvent(QKeyEvent *event)
{
    int keyCode = winsys::VbKeyCode(event);
    if (keyCode != 0)
        emit KeyUp(keyCode, winsys::VbShift(event->modifiers()));
    event->accept();
}

namespace {

int VbButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

} // namespace

void FlexGrid::trackMouse(const QPoint &viewportPos)
{
    if (!CellAt(viewportPos, &m_mouseRow, &m_mouseCol))
        m_mouseRow = m_mouseCol = -1;
}

void FlexGrid::SetGridLineWidth(int px)
{
    m_gridLineWidth = std::max(1, px);
    redraw();
}

void FlexGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    trackMouse(pos);
    const QPoint inGrid = pos + viewport()->pos();
    emit MouseDown(VbButton(event->button()), winsys::VbShift(event->modifiers()),
                   PixelsToTwipsX(inGrid.x()), PixelsToTwipsY(inGrid.y()));
    if (event->button() != Qt::LeftButton)
        return;
    int row, col;
    if (!CellAt(pos, &row, &col) || row < m_fixedRows || col < m_fixedCols)
        return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    moveCurrent(row, col, extend, true);
    m_mouseSelecting = true;
}

void FlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    trackMouse(event->position().toPoint());
    if (!m_mouseSelecting || !(event->buttons() & Qt::LeftButton))
        return;
    int row, col;
    if (CellAt(event->position().toPoint(), &row, &col) && row >= m_fixedRows && col >= m_fixedCols)
        moveCurrent(row, col, true, true);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint inGrid = event->position().toPoint() + viewport()->pos();
    emit MouseUp(VbButton(event->button()), winsys::VbShift(event->modifiers()),
                 PixelsToTwipsX(inGrid.x()), PixelsToTwipsY(inGrid.y()));
    const bool wasSelecting = m_mouseSelecting;
    m_mouseSelecting = false;
    if (event->button() == Qt::LeftButton && (wasSelecting || viewport()->rect().contains(event->position().toPoint())))
        emit Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void FlexGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    redraw();
    showCurrentTip();
    // Activating the window or closing a pop-up menu gives the focus back
    // without the user entering the grid: not a GotFocus of the control.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit GotFocus();
}

void FlexGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    redraw();
    showCurrentTip();
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit LostFocus();
}

} // namespace flexgrid
