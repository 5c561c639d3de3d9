// Painting the grid: cell backgrounds, texts, grid lines and the area
// beyond the last row and column.
#include "platform/flexgrid/FlexGrid.h"

#include "platform/flexgrid/CellNumbers.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/VbColor.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace flexgrid {

namespace {

QColor Colour(long long vb)
{
    return winsys::FromVbColor(static_cast<long>(vb));
}

} // namespace

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

} // namespace flexgrid
