#include "platform/flexgrid/FlexGrid.h"

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
#include <QLabel>
#include <QToolTip>

#include "platform/winsys/Twips.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/VbKeys.h"

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

QColor Colour(long long vb)
{
    return winsys::FromVbColor(static_cast<long>(vb));
}

bool ParseNumber(const QString &text, double *value)
{
    // Most cells are words: a text that cannot start a number is none.
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i == text.size())
        return false;
    const QChar first = text.at(i);
    if (!first.isDigit() && first != QLatin1Char('-') && first != QLatin1Char('+') && first != QLatin1Char('.'))
        return false;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok)
        *value = v;
    return ok;
}

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
        const int r1 = std::min(m_row, m_rowSel), r2 = std::max(m_row, m_rowSel);
        const int c1 = std::min(m_col, m_colSel), c2 = std::max(m_col, m_colSel);
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                if (validCell(r, c))
                    m_rows[r].text[c] = text;
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
            if (!m_focusTip) {
                // A window of its own that looks like a tool tip; unlike a
                // tool tip it stays while the cell is current.
                m_focusTip = new QLabel(this, Qt::ToolTip | Qt::BypassGraphicsProxyWidget);
                m_focusTip->setObjectName(QStringLiteral("wholeTextTip"));
                m_focusTip->setForegroundRole(QPalette::ToolTipText);
                m_focusTip->setBackgroundRole(QPalette::ToolTipBase);
                m_focusTip->setPalette(QToolTip::palette());
                m_focusTip->setFont(QToolTip::font());
                m_focusTip->setAutoFillBackground(true);
                m_focusTip->setFrameShape(QFrame::Box);
                m_focusTip->setMargin(2);
            }
            m_focusTip->setText(tip);
            m_focusTip->adjustSize();
            // Below the cell, so that the tip covers none of its row.
            m_focusTip->move(viewport()->mapToGlobal(cell.bottomLeft() + QPoint(0, 1)));
            m_focusTip->show();
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
// Cell formatting

const FlexGrid::CellFormat *FlexGrid::formatAt(int row, int col) const
{
    if (!validCell(row, col))
        return nullptr;
    const RowData &r = m_rows[row];
    if (r.format.isEmpty())
        return nullptr;
    return &r.format[col];
}

FlexGrid::CellFormat &FlexGrid::formatRef(int row, int col)
{
    RowData &r = m_rows[row];
    if (r.format.isEmpty())
        r.format.resize(m_cols);
    return r.format[col];
}

quint16 FlexGrid::fontIndex(const QString &name)
{
    if (name.isEmpty())
        return 0;
    const qsizetype i = m_fontNames.indexOf(name, 1);
    if (i > 0)
        return static_cast<quint16>(i);
    m_fontNames.append(name);
    return static_cast<quint16>(m_fontNames.size() - 1);
}

template <typename F> void FlexGrid::applyToTarget(F &&f)
{
    if (!validCell(m_row, m_col))
        return;
    if (m_fillStyle == flexFillRepeat) {
        const int r1 = std::min(m_row, m_rowSel), r2 = std::max(m_row, m_rowSel);
        const int c1 = std::min(m_col, m_colSel), c2 = std::max(m_col, m_colSel);
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                if (validCell(r, c))
                    f(formatRef(r, c));
    } else {
        f(formatRef(m_row, m_col));
    }
    redraw();
}

QFont FlexGrid::CellFontAt(int row, int col) const
{
    QFont f = font();
    const CellFormat *fmt = formatAt(row, col);
    if (!fmt)
        return f;
    if (fmt->font > 0)
        f.setFamily(m_fontNames[fmt->font]);
    if (fmt->size > 0)
        f.setPointSizeF(fmt->size);
    if (fmt->bold >= 0)
        f.setBold(fmt->bold > 0);
    if (fmt->italic >= 0)
        f.setItalic(fmt->italic > 0);
    if (fmt->underline >= 0)
        f.setUnderline(fmt->underline > 0);
    return f;
}

QString FlexGrid::CellFontNameAt(int row, int col) const
{
    const CellFormat *fmt = formatAt(row, col);
    if (fmt && fmt->font > 0)
        return m_fontNames[fmt->font];
    return font().family();
}

double FlexGrid::CellFontSizeAt(int row, int col) const
{
    const CellFormat *fmt = formatAt(row, col);
    if (fmt && fmt->size > 0)
        return fmt->size;
    return font().pointSizeF();
}

bool FlexGrid::CellFontBoldAt(int row, int col) const
{
    return CellFontAt(row, col).bold();
}

long long FlexGrid::CellBackColorAt(int row, int col) const
{
    const CellFormat *fmt = formatAt(row, col);
    return fmt ? fmt->back : 0;
}

long long FlexGrid::CellForeColorAt(int row, int col) const
{
    const CellFormat *fmt = formatAt(row, col);
    return fmt ? fmt->fore : 0;
}

int FlexGrid::CellAlignmentAt(int row, int col) const
{
    const CellFormat *fmt = formatAt(row, col);
    return fmt && fmt->align >= 0 ? fmt->align : 0;
}

bool FlexGrid::CellAlignmentSetAt(int row, int col) const
{
    const CellFormat *fmt = formatAt(row, col);
    return fmt && fmt->align >= 0;
}

QString FlexGrid::CellFontName() const { return CellFontNameAt(m_row, m_col); }
double FlexGrid::CellFontSize() const { return CellFontSizeAt(m_row, m_col); }
bool FlexGrid::CellFontBold() const { return CellFontBoldAt(m_row, m_col); }
bool FlexGrid::CellFontItalic() const { return CellFontAt(m_row, m_col).italic(); }
bool FlexGrid::CellFontUnderline() const { return CellFontAt(m_row, m_col).underline(); }
long long FlexGrid::CellBackColor() const { return CellBackColorAt(m_row, m_col); }
long long FlexGrid::CellForeColor() const { return CellForeColorAt(m_row, m_col); }
int FlexGrid::CellAlignment() const { return CellAlignmentAt(m_row, m_col); }

void FlexGrid::SetCellFontName(const QString &name)
{
    const quint16 i = fontIndex(name);
    applyToTarget([i](CellFormat &f) { f.font = i; });
}

void FlexGrid::SetCellFontSize(double points)
{
    if (points <= 0)
        return;
    applyToTarget([points](CellFormat &f) { f.size = static_cast<float>(points); });
}

void FlexGrid::SetCellFontBold(bool on)
{
    applyToTarget([on](CellFormat &f) { f.bold = on ? 1 : 0; });
}

void FlexGrid::SetCellFontItalic(bool on)
{
    applyToTarget([on](CellFormat &f) { f.italic = on ? 1 : 0; });
}

void FlexGrid::SetCellFontUnderline(bool on)
{
    applyToTarget([on](CellFormat &f) { f.underline = on ? 1 : 0; });
}

void FlexGrid::SetCellBackColor(long long color)
{
    if (color < 0 || color > 0xFFFFFFFFLL)
        return;
    const quint32 c = static_cast<quint32>(color);
    applyToTarget([c](CellFormat &f) { f.back = c; });
}

void FlexGrid::SetCellForeColor(long long color)
{
    if (color < 0 || color > 0xFFFFFFFFLL)
        return;
    const quint32 c = static_cast<quint32>(color);
    applyToTarget([c](CellFormat &f) { f.fore = c; });
}

void FlexGrid::SetCellAlignment(int alignment)
{
    if (alignment < 0 || alignment > flexAlignGeneral)
        return;
    applyToTarget([alignment](CellFormat &f) { f.align = static_cast<qint8>(alignment); });
}

void FlexGrid::SetRangeFont(int r1, int c1, int r2, int c2, const QString &name, double points)
{
    const quint16 i = fontIndex(name);
    r1 = std::max(r1, 0);
    c1 = std::max(c1, 0);
    r2 = std::min(r2, Rows() - 1);
    c2 = std::min(c2, m_cols - 1);
    auto apply = [&](CellFormat &f) {
        f.font = i;
        if (points > 0)
            f.size = static_cast<float>(points);
    };
    // Rows not formatted before all get the same formats: they share one
    // copy (a later change to one of them copies its own), instead of each
    // of 50,000 rows allocating its own.
    QVector<CellFormat> fresh;
    for (int r = r1; r <= r2; ++r) {
        RowData &row = m_rows[r];
        if (row.format.isEmpty() && c1 <= c2) {
            if (fresh.isEmpty()) {
                fresh.resize(m_cols);
                for (int c = c1; c <= c2; ++c)
                    apply(fresh[c]);
            }
            row.format = fresh;
            continue;
        }
        for (int c = c1; c <= c2; ++c)
            apply(formatRef(r, c));
    }
    redraw();
}

void FlexGrid::SetRangeBackColor(int r1, int c1, int r2, int c2, long long color)
{
    if (color < 0 || color > 0xFFFFFFFFLL)
        return;
    r1 = std::max(r1, 0);
    c1 = std::max(c1, 0);
    r2 = std::min(r2, Rows() - 1);
    c2 = std::min(c2, m_cols - 1);
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            formatRef(r, c).back = static_cast<quint32>(color);
    redraw();
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
// Sorting

namespace {

// A cell's sort key, worked out once per cell and not once per comparison:
// the text (its case-folded copy where folding changes it) and its number.
struct SortKey {
    const QChar *chars; // the text's
    qsizetype size;
    double number;
    bool numeric;
    QStringView text() const { return QStringView(chars, size); }
};

// A row's first key in a compact entry that is sorted itself: the first code
// units of its text packed into two words (16 units of a byte each, or 8 of
// two bytes), so most comparisons read no text.
struct SortEntry {
    quint64 head[2];
    double number;
    int row;
    bool numeric;
};

// Fills rows first to end - 1 of keys, nKeys keys a row, cell(i, k) giving
// the text; folded keeps the copies that folded keys look at. True when
// every unit of those rows' first key's head is below 0x100.
template<typename Cell>
bool MakeSortKeys(int sortCode, int first, int end, int nKeys, Cell cell, SortKey *keys, QList<QString> &folded)
{
    const bool foldCase = sortCode == flexSortGenericAscending || sortCode == flexSortGenericDescending ||
                          sortCode == flexSortStringNoCaseAscending || sortCode == flexSortStringNoCaseDescending;
    // Folding leaves ASCII other than capitals as it is.
    auto foldChanges = [](const QString &text) {
        for (QChar c : text)
            if (c.unicode() >= 0x80 || (c.unicode() >= 'A' && c.unicode() <= 'Z'))
                return true;
        return false;
    };
    bool narrow = true; // every unit of the first key's head below 0x100
    for (int i = first; i < end; ++i)
        for (int k = 0; k < nKeys; ++k) {
            SortKey &key = keys[static_cast<qsizetype>(i) * nKeys + k];
            const QString &text = cell(i, k);
            key.chars = text.constData();
            key.size = text.size();
            key.number = 0; // also the number of a text that is none
            key.numeric = ParseNumber(text, &key.number);
            if (foldCase && !key.numeric && foldChanges(text)) {
                folded.append(text.toCaseFolded());
                key.chars = folded.constLast().constData();
                key.size = folded.constLast().size();
            }
            if (k == 0)
                for (qsizetype u = 0; u < std::min<qsizetype>(key.size, 16) && narrow; ++u)
                    narrow = key.chars[u].unicode() < 0x100;
        }
    return narrow;
}

// Entries first to end - 1, one per row, from the row's first key.
void PackFirstKeys(const SortKey *keys, int first, int end, int nKeys, bool narrow, SortEntry *entries)
{
    const int unitBits = narrow ? 8 : 16;
    const int unitsPerWord = 64 / unitBits;
    for (int i = first; i < end; ++i) {
        const SortKey &key = keys[static_cast<qsizetype>(i) * nKeys];
        SortEntry &e = entries[i];
        for (int w = 0; w < 2; ++w) {
            quint64 word = 0;
            for (int u = 0; u < unitsPerWord; ++u) {
                const qsizetype at = static_cast<qsizetype>(w) * unitsPerWord + u;
                word = (word << unitBits) | (at < key.size ? key.chars[at].unicode() : 0);
            }
            e.head[w] = word;
        }
        e.number = key.number;
        e.numeric = key.numeric;
        e.row = i;
    }
}

// The order of a sort code over the rows' keys: negative, 0 or positive as
// a row comes before, with or after another.
class SortOrder {
public:
    SortOrder(int sortCode, const SortKey *keys, int nKeys)
        : m_sortCode(sortCode), m_descending(sortCode % 2 == 0), m_keys(keys), m_nKeys(nKeys)
    {
    }

    // The first key as far as the entries tell it, then every key's text.
    int compareEntries(const SortEntry &a, const SortEntry &b) const
    {
        int c = 0;
        switch (m_sortCode) {
        case flexSortGenericAscending:
        case flexSortGenericDescending:
            if (a.numeric && b.numeric)
                c = compareNumbers(a.number, b.number);
            else if (a.numeric != b.numeric)
                c = a.numeric ? -1 : 1;
            else
                c = compareHeads(a, b);
            break;
        case flexSortNumericAscending:
        case flexSortNumericDescending:
            c = compareNumbers(a.number, b.number);
            break;
        default:
            c = compareHeads(a, b);
            break;
        }
        if (c != 0)
            return m_descending ? -c : c;
        return compareRows(a.row, b.row);
    }

private:
    static int compareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }
    // Texts in code-unit order.
    int compareKeys(const SortKey &a, const SortKey &b) const
    {
        switch (m_sortCode) {
        case flexSortGenericAscending:
        case flexSortGenericDescending:
            if (a.numeric && b.numeric)
                return compareNumbers(a.number, b.number);
            if (a.numeric != b.numeric)
                return a.numeric ? -1 : 1; // numbers before texts
            return a.text().compare(b.text(), Qt::CaseSensitive);
        case flexSortNumericAscending:
        case flexSortNumericDescending:
            return compareNumbers(a.number, b.number);
        default:
            return a.text().compare(b.text(), Qt::CaseSensitive);
        }
    }
    int compareRows(int x, int y) const
    {
        for (int k = 0; k < m_nKeys; ++k) {
            const int c = compareKeys(m_keys[static_cast<qsizetype>(x) * m_nKeys + k],
                                      m_keys[static_cast<qsizetype>(y) * m_nKeys + k]);
            if (c != 0)
                return m_descending ? -c : c;
        }
        return 0;
    }
    // The first key as far as the entries tell it; 0 leaves it to the texts.
    static int compareHeads(const SortEntry &a, const SortEntry &b)
    {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0] ? -1 : 1;
        return a.head[1] != b.head[1] ? (a.head[1] < b.head[1] ? -1 : 1) : 0;
    }

    const int m_sortCode;
    const bool m_descending;
    const SortKey *m_keys;
    const int m_nKeys;
};

} // namespace

void FlexGrid::SetSort(int sortCode)
{
    if (sortCode < flexSortGenericAscending || sortCode > flexSortStringDescending)
        return;
    int r1 = std::min(m_row, m_rowSel), r2 = std::max(m_row, m_rowSel);
    if (r1 == r2) {
        r1 = m_fixedRows;
        r2 = Rows() - 1;
    }
    r1 = std::max(r1, m_fixedRows);
    if (r2 - r1 < 1)
        return;
    const int c1 = std::max(0, std::min(m_col, m_colSel));
    const int c2 = std::min(m_cols - 1, std::max(m_col, m_colSel));
    if (c1 > c2)
        return;
    const int nKeys = c2 - c1 + 1;
    const int n = r2 - r1 + 1;

    // Keys are made, and the rows sorted, in parts at once: a long list's
    // parts side by side. The keys and entries are left unwritten until the
    // parts fill them, so that their memory is first touched side by side.
    const int parts = PartCount(n);
    auto start = [&](int part) { return static_cast<int>(PartStart(n, parts, part)); };
    const auto keys = std::make_unique_for_overwrite<SortKey[]>(static_cast<size_t>(n) * size_t(nKeys));
    std::vector<QList<QString>> folded(static_cast<size_t>(parts)); // the copies folded keys look at
    std::vector<char> narrowPart(static_cast<size_t>(parts));
    // The parts read the rows through a pointer taken here: nothing they
    // touch is detached or resized.
    const RowData *rows = std::as_const(m_rows).data() + r1;
    auto cell = [rows, c1](int i, int k) -> const QString & { return rows[i].text.at(c1 + k); };
    RunParts(parts, [&](int part) {
        narrowPart[size_t(part)] =
            MakeSortKeys(sortCode, start(part), start(part + 1), nKeys, cell, keys.get(), folded[size_t(part)]);
    });
    const bool narrow = std::all_of(narrowPart.begin(), narrowPart.end(), [](char c) { return c != 0; });
    auto entries = std::make_unique_for_overwrite<SortEntry[]>(static_cast<size_t>(n));
    RunParts(parts,
             [&](int part) { PackFirstKeys(keys.get(), start(part), start(part + 1), nKeys, narrow, entries.get()); });
    const SortOrder order(sortCode, keys.get(), nKeys);
    // Rows already in order stay as they are.
    bool ordered = true;
    for (int i = 1; i < n && ordered; ++i)
        ordered = order.compareEntries(entries[i - 1], entries[i]) <= 0;
    if (ordered)
        return;
    // Equal rows keep their order: the row number decides between them. No
    // two rows are then equal, so sorting the parts and merging them gives
    // the one order a single sort gives.
    auto before = [&](const SortEntry &x, const SortEntry &y) {
        const int c = order.compareEntries(x, y);
        return c != 0 ? c < 0 : x.row < y.row;
    };
    RunParts(parts, [&](int part) { std::sort(&entries[start(part)], &entries[start(part + 1)], before); });
    // Neighbouring runs merge in pairs, from one array into the other, until
    // one run is left.
    auto spare = std::make_unique_for_overwrite<SortEntry[]>(parts > 1 ? static_cast<size_t>(n) : 0);
    SortEntry *from = entries.get(), *to = spare.get();
    for (int width = 1; width < parts; width *= 2) {
        RunParts((parts + 2 * width - 1) / (2 * width), [&](int pair) {
            const int left = start(pair * 2 * width), middle = start(std::min(pair * 2 * width + width, parts)),
                      right = start(std::min(pair * 2 * width + 2 * width, parts));
            std::merge(from + left, from + middle, from + middle, from + right, to + left, before);
        });
        std::swap(from, to);
    }
    const SortEntry *sorted = from;
    // Each row moves to its place along the cycles of the new order, without
    // a copy of the rows: place i takes the row that sorted[i] names.
    std::vector<bool> placed(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (placed[size_t(i)] || sorted[i].row == i)
            continue;
        RowData held = std::move(m_rows[r1 + i]);
        for (int at = i;;) {
            const int source = sorted[at].row;
            placed[size_t(at)] = true;
            if (source == i) {
                m_rows[r1 + at] = std::move(held);
                break;
            }
            m_rows[r1 + at] = std::move(m_rows[r1 + source]);
            at = source;
        }
    }
    updateScrollBars();
    redraw();
}

// ---------------------------------------------------------------------------
// Drawing

bool FlexGrid::isSelected(int row, int col) const
{
    if (m_row == m_rowSel && m_col == m_colSel)
        return false;
    if (row == m_row && col == m_col)
        return false;
    return row >= std::min(m_row, m_rowSel) && row <= std::max(m_row, m_rowSel)
           && col >= std::min(m_col, m_colSel) && col <= std::max(m_col, m_colSel);
}

// Whether a one-line text drawn in a rectangle takes the width its font
// measures: not so with trailing white space (left out of the drawn width)
// nor with control characters and line or paragraph separators (drawing
// breaks lines or shows spaces where measuring does not).
static bool LaidOutAsMeasured(const QString &text)
{
    if (text.isEmpty() || text.back().isSpace())
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029)
            return false;
    }
    return true;
}

void DrawGridLines(QPainter &p, const QRect &rect, const QColor &color, int width)
{
    if (width == 1 && p.deviceTransform().type() <= QTransform::TxTranslate) {
        // Unscaled, a line one pixel wide covers the same pixels as a filled
        // rectangle one pixel wide, which the painter draws for a fraction of
        // the cost of a stroked line.
        p.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), color);
        p.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), color);
        return;
    }
    QPen line(color);
    line.setWidth(width);
    p.setPen(line);
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
}

void FlexGrid::paintCellBackground(QPainter &p, const QRect &rect, long long back, bool fixed) const
{
    p.fillRect(rect, Colour(back));
    DrawGridLines(p, rect, Colour(fixed ? m_gridColorFixed : m_gridColor), m_gridLineWidth);
}

void FlexGrid::paintCell(QPainter &p, int row, int col, const QRect &rect, bool fixed)
{
    const CellFormat *fmt = formatAt(row, col);
    const bool selected = !fixed && isSelected(row, col);
    long long back = fmt && fmt->back ? fmt->back : (fixed ? m_backColorFixed : m_backColor);
    long long fore = fmt && fmt->fore ? fmt->fore : (fixed ? m_foreColorFixed : m_foreColor);
    if (selected) {
        back = m_backColorSel;
        fore = m_foreColorSel;
    }
    paintCellBackground(p, rect, back, fixed);

    const QString &text = m_rows[row].text[col];
    if (!text.isEmpty()) {
        int align = fmt && fmt->align >= 0 ? fmt->align : -1;
        if (align < 0 || align == flexAlignGeneral)
            align = fixed ? m_fixedAlign[col] : m_colAlign[col];
        int flags = 0;
        if (align == flexAlignGeneral) {
            double v;
            flags = (ParseNumber(text, &v) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        } else {
            static const int horizontal[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
            static const int vertical[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
            flags = horizontal[align / 3] | vertical[align % 3];
        }
        if (m_wordWrap)
            flags |= Qt::TextWordWrap;
        p.setFont(winsys::CellDrawingFont(CellFontAt(row, col)));
        p.setPen(Colour(fore));
        p.save();
        p.setClipRect(rect.adjusted(0, 0, -1, -1), Qt::IntersectClip);
        const QRect room = rect.adjusted(kTextInsetPx, 0, -kTextInsetPx, 0);
        // A one-line text wider than its cell ends in an ellipsis, so that
        // the reader sees it goes on. Laying a text out is most of the cost
        // of a cell, so a text is laid out once: drawn whole, and only when
        // it turns out wider than its room is the cell painted again with
        // the shortened text. The width drawn is the width measured except
        // for trailing white space and line breaks, which are measured first.
        const QFontMetrics metrics = p.fontMetrics();
        if (m_wordWrap) {
            p.drawText(room, flags, text);
        } else if (!LaidOutAsMeasured(text)) {
            const bool cut = metrics.horizontalAdvance(text) > room.width();
            p.drawText(room, flags, cut ? metrics.elidedText(text, Qt::ElideRight, room.width()) : text);
        } else {
            QRectF drawn;
            p.drawText(QRectF(room), flags, text, &drawn);
            if (qRound(drawn.width()) > room.width()) {
                paintCellBackground(p, rect, back, fixed);
                p.setPen(Colour(fore)); // the grid lines may have taken the pen
                p.drawText(room, flags, metrics.elidedText(text, Qt::ElideRight, room.width()));
            }
        }
        p.restore();
    }
    if (!fixed && row == m_row && col == m_col && hasFocus()) {
        QPen pen(Colour(fore));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

void FlexGrid::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    const QRegion &dirty = event->region();
    if (Rows() == 0 || m_cols == 0) {
        p.fillRect(area, Colour(m_backColorBkg));
        return;
    }

    struct Span { int index, pos, size; };
    QVector<Span> cols, rows;
    const int dpiX = logicalDpiX();
    int x = 0;
    for (int c = 0; c < m_fixedCols; ++c) {
        const int w = colWidthPx(c, dpiX);
        if (w > 0)
            cols.append({c, x, w});
        x += w;
    }
    for (int c = m_leftCol; c < m_cols && x < area.width(); ++c) {
        const int w = colWidthPx(c, dpiX);
        if (w > 0)
            cols.append({c, x, w});
        x += w;
    }
    const RowMetrics rm = rowMetrics();
    int y = 0;
    for (int r = 0; r < m_fixedRows; ++r) {
        const int h = rowHeightPx(r, rm);
        if (h > 0)
            rows.append({r, y, h});
        y += h;
    }
    for (int r = m_topRow; r < Rows() && y < area.height(); ++r) {
        const int h = rowHeightPx(r, rm);
        if (h > 0)
            rows.append({r, y, h});
        y += h;
    }

    // The cells fill their own rectangles: the background shows only right
    // of the last column and below the last row.
    const QRegion cellBlock(QRect(0, 0, x, y));
    for (const QRect &bare : QRegion(area).subtracted(cellBlock))
        p.fillRect(bare, Colour(m_backColorBkg));

    const int nr = static_cast<int>(rows.size()), nc = static_cast<int>(cols.size());
    // Merged runs: cells of a MergeCol column (or MergeRow row) with the text
    // of their neighbour are drawn as one cell; never across the boundary
    // between heading and data cells.
    QVector<char> covered;
    if (m_mergeCells != flexMergeNever)
        covered.fill(0, static_cast<qsizetype>(nr) * nc);
    for (int ri = 0; ri < nr; ++ri) {
        const int r = rows[ri].index;
        for (int ci = 0; ci < nc; ++ci) {
            const int c = cols[ci].index;
            if (!covered.isEmpty() && covered[ri * nc + ci])
                continue;
            const bool fixed = r < m_fixedRows || c < m_fixedCols;
            int spanR = 1, spanC = 1;
            if (!covered.isEmpty()) {
                const QString &t = m_rows[r].text[c];
                if (m_rows[r].merge) {
                    while (ci + spanC < nc) {
                        const int c2 = cols[ci + spanC].index;
                        if ((c2 < m_fixedCols) != (c < m_fixedCols) || m_rows[r].text[c2] != t)
                            break;
                        ++spanC;
                    }
                }
                if (spanC == 1 && m_mergeCol[c]) {
                    while (ri + spanR < nr) {
                        const int r2 = rows[ri + spanR].index;
                        if ((r2 < m_fixedRows) != (r < m_fixedRows) || m_rows[r2].text[c] != t)
                            break;
                        ++spanR;
                    }
                }
                for (int a = 0; a < spanR; ++a)
                    for (int b = 0; b < spanC; ++b)
                        covered[(ri + a) * nc + ci + b] = 1;
            }
            const QRect cell(cols[ci].pos, rows[ri].pos,
                             cols[ci + spanC - 1].pos + cols[ci + spanC - 1].size - cols[ci].pos,
                             rows[ri + spanR - 1].pos + rows[ri + spanR - 1].size - rows[ri].pos);
            if (dirty.intersects(cell))
                paintCell(p, r, c, cell, fixed);
        }
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
