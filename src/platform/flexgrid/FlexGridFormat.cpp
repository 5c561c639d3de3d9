// The grid's cell formats: fonts, colours and alignments of single cells
// and of ranges, kept apart from the cells' texts.
#include "platform/flexgrid/FlexGrid.h"

#include <algorithm>

namespace flexgrid {

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
        forEachRepeatCell([&](int r, int c) { f(formatRef(r, c)); });
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

} // namespace flexgrid
