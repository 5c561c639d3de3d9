// Pagination: the printed widths and heights of the grid, the heights above
// it, the fit checks, the column bands, row bands and n-up sections, scaling
// to a number of sheets, and the page-list parser.
#include "printing/PrintEngine.h"



#include <algorithm>
#include <cmath>
#include <vector>

using namespace printer;

namespace {

constexpr double ColumnGap = 56.7;     // one millimetre between printed columns
constexpr double SectionGap = 373.0;   // between n-up sections side by side
constexpr double RowPadding = 30;      // above and below a list's line of text in its row (1.5 points)
const QString ScaleSample = QStringLiteral("AbcdefGhijklMnopQrtsUvwxYz1234567890");

// Cuts the items first..last into runs that fit within limit: an item joins
// the run while it fits, and an item that fits no run goes alone on a fresh
// one, so every run holds an item and the cutting always ends. restart(i)
// is the extent a run that starts at item i begins with (its own size not
// counted); close(first, last, extent) takes each finished run.
template <typename Size, typename Restart, typename Close>
void cutRuns(int first, int last, double start, double limit, Size size, Restart restart, Close close)
{
    double running = start;
    int runFirst = first;
    bool empty = true;
    for (int i = first; i <= last; ++i) {
        const double s = size(i);
        if (empty || running + s <= limit) {
            running += s;
            empty = empty && s <= 0;
            continue;
        }
        close(runFirst, i - 1, running);
        runFirst = i;
        running = restart(i) + s;
        empty = false;
    }
    close(runFirst, last, running);
}

} // namespace

// ---------------------------------------------------------------------------
// Measuring

double PrintEngine::ColWidthSet()
{
    const GridContents &g = *Grid;
    const double threshold = 2 * PixelTwipsX;
    ColWidths.fill(0, g.Cols());
    WidestCol = 0;
    double sum = 0;
    // A list's column is as wide as its texts print, never wider than the
    // room between the margins (a longer text is cut there).
    const double room = betweenMarginsWidth();
    for (int c = 0; c < g.Cols(); ++c) {
        const int w = g.ColWidth(c);
        if (w <= threshold)
            ColWidths[c] = 0;
        else if (ListHeadings.isEmpty())
            ColWidths[c] = w + ColumnGap;
        else
            ColWidths[c] = room > 0 ? std::min(printedTextWidth(c) + ColumnGap, room) : printedTextWidth(c) + ColumnGap;
        sum += ColWidths[c];
        WidestCol = std::max(WidestCol, ColWidths[c]);
    }
    return sum;
}

QFont PrintEngine::printedCellFont(int row, int col) const
{
    // As the page prints a cell: in the report's size, in the cell's own
    // family with its own weight where the cells' fonts print; a list's
    // heading in the family it is shown in.
    QFont f = m_reportFont;
    if (m_effects.UseCellFonts) {
        const QFont cell = Grid->CellFontAt(row, col);
        f.setFamily(cell.family());
        f.setBold(cell.bold());
        f.setItalic(cell.italic());
    }
    const ColumnHeading heading = listHeading(col);
    if (row == 0 && !heading.Text.isEmpty())
        f.setFamily(heading.Family.isEmpty() ? m_reportFont.family() : heading.Family);
    return f;
}

double PrintEngine::printedTextWidth(int col)
{
    const GridContents &g = *Grid;
    PrinterDevice &device = CurrentPrinter().Device();
    double widest = 0;
    for (int r = 0; r < g.Rows(); ++r) {
        const bool heading = r == 0 && !listHeading(col).Text.isEmpty();
        if (!heading && g.RowHeight(r) <= 2 * PixelTwipsY)
            continue;
        const QString text = heading ? listHeading(col).Text : g.TextMatrix(r, col).trimmed();
        if (!text.isEmpty())
            widest = std::max(widest, device.TextWidth(printedCellFont(r, col), text));
    }
    return widest + 2 * CellInset;
}

double PrintEngine::printedRowHeight(int row)
{
    PrinterDevice &device = CurrentPrinter().Device();
    double tallest = device.LineHeight(m_reportFont);
    for (int c = 0; c < ColWidths.size(); ++c)
        if (ColWidths[c] > 0)
            tallest = std::max(tallest, device.LineHeight(printedCellFont(row, c)));
    return tallest + 2 * RowPadding;
}

double PrintEngine::RowHeightSet()
{
    const GridContents &g = *Grid;
    const double threshold = 2 * PixelTwipsY;
    RowHeights.fill(0, g.Rows());
    TallestRow = 0;
    VisibleRows = 0;
    double sum = 0;
    for (int r = 0; r < g.Rows(); ++r) {
        const int h = g.RowHeight(r);
        RowHeights[r] = h <= threshold ? 0 : ListHeadings.isEmpty() ? h : printedRowHeight(r);
        if (RowHeights[r] > 0)
            ++VisibleRows;
        sum += RowHeights[r];
        TallestRow = std::max(TallestRow, RowHeights[r]);
    }
    return sum;
}

void PrintEngine::measureStdRowHeight()
{
    // The height every repeated heading row prints at: the first data row's,
    // taken before the first count so that later pages leave room for it.
    m_stdRowHeight = 0;
    if (RowHeights.size() > 1 && RowHeights[1] > 0)
        m_stdRowHeight = RowHeights[1];
    for (int r = 1; m_stdRowHeight <= 0 && r < RowHeights.size(); ++r)
        m_stdRowHeight = RowHeights[r];
    if (m_stdRowHeight <= 0 && !RowHeights.isEmpty())
        m_stdRowHeight = RowHeights[0];
}

double PrintEngine::rowPrintHeight(int row) const
{
    if (row < 0 || row >= RowHeights.size())
        return 0;
    // Repeated heading rows print at the data rows' height, also when the
    // list hides them behind its own header buttons; other hidden rows are
    // not printed.
    if (m_top.RepeatHeads && Grid && row < Grid->FixedRows())
        return m_stdRowHeight;
    return RowHeights[row];
}

double PrintEngine::SelectionHeight()
{
    TallestRow = 0;
    VisibleRows = 0;
    double sum = 0;
    for (int r = SavedSel[0]; r <= SavedSel[2] && r < RowHeights.size(); ++r) {
        sum += RowHeights[r];
        if (RowHeights[r] > 0)
            ++VisibleRows;
        TallestRow = std::max(TallestRow, RowHeights[r]);
    }
    return sum;
}

double PrintEngine::SelectionWidth()
{
    WidestCol = 0;
    double sum = 0;
    for (int c = SavedSel[1]; c <= SavedSel[3] && c < ColWidths.size(); ++c) {
        sum += ColWidths[c];
        WidestCol = std::max(WidestCol, ColWidths[c]);
    }
    return sum;
}

void PrintEngine::CalcHeaderHeight()
{
    TopLineHeight = 0;
    BottomLineHeight = 0;
    if (m_numbering.NumberingMode == 0)
        return;
    const double h = CurrentPrinter().TextHeight(QStringLiteral("P")) + 56.7;
    if (m_numbering.NumberPosition >= 3 && !m_numbering.NumberBelowMargin)
        BottomLineHeight = h;
    if (m_numbering.NumberPosition < 3 && !m_numbering.NumberAboveMargin)
        TopLineHeight = h;
}

PrintEngine::TopBlockRecord PrintEngine::ReadHeadings(TopBlockRecord top, int headRows)
{
    Printer &P = CurrentPrinter();
    double savedW = 0, savedH = 0;
    if (P.ScaleMode() != vbTwips) {
        savedW = P.ScaleWidth();
        savedH = P.ScaleHeight();
        P.SetScaleMode(vbTwips);
    }
    double titleHeight = 0;
    if (!ReportTitle.isEmpty() && top.TitlePlacement >= 1) {
        const double size = P.FontSize();
        if (top.TitleFontSize >= 1.0f)
            P.SetFontSize(size * top.TitleFontSize);
        P.SetFontBold(top.TitleBold);
        P.SetFontUnderline(top.TitleUnderline);
        fitTitleToWidth(betweenMarginsWidth());
        titleHeight = P.TextHeight(QStringLiteral("X")) * 1.5;
        top.TitleWidth = P.TextWidth(ReportTitle);
        P.SetFontBold(false);
        P.SetFontUnderline(false);
        P.SetFontSize(size);
    }
    // A page number at the top goes on the line below the title, never over
    // it: both lines are kept free above the grid. A title printed on the
    // first page (or the first row of pages) only leaves the later pages'
    // tops free: their rows start at the top margin.
    m_titleLineHeight = titleHeight;
    const bool laterTitled = top.TitlePlacement == 2 || top.TitlePlacement == 4;
    const double firstTop = titleHeight > 0 ? titleHeight + TopLineHeight : TopLineHeight;
    const double laterTop = laterTitled ? firstTop : TopLineHeight;
    top.FirstPageTop = top.TitleHeight = firstTop;
    top.LaterPageTop = m_laterTitleHeight = laterTop;
    top.HeadRowCount = headRows;
    top.HeadsInFirstTop = false;

    HeadsAboveSelection = false;
    const int fixedRows = Grid->FixedRows();
    if (headRows >= 1 && SelectionOnly && (SavedSel[0] > 0 || SavedSel[2] < fixedRows))
        HeadsAboveSelection = true;
    if (headRows >= 1) {
        top.HeadRowsHeight = headRows * m_stdRowHeight;
        top.LaterPageTop += top.HeadRowsHeight;
        if (HeadsAboveSelection) {
            top.FirstPageTop += top.HeadRowsHeight;
            top.HeadsInFirstTop = true;
        }
    } else {
        top.HeadRowsHeight = 0;
    }
    if (savedW > 0) {
        P.SetScaleWidth(savedW);
        P.SetScaleHeight(savedH);
    }
    return top;
}

void PrintEngine::CalcRowCaptionWidth()
{
    CaptionWidth = 0;
    FirstCaptionWidth = 0;
    if (!RepeatCaptions)
        return;
    LastFixedCol = Grid->FixedCols() - 1;
    for (int c = 0; c <= LastFixedCol && c < ColWidths.size(); ++c)
        CaptionWidth += ColWidths[c];
    if (SelectionOnly && SavedSel[1] > LastFixedCol)
        FirstCaptionWidth = CaptionWidth;
}

void PrintEngine::fitTitleToWidth(double room)
{
    // Text widths grow with the size: the size is scaled down to the room,
    // then lowered in tenths of a point while the title is still too wide.
    Printer &P = CurrentPrinter();
    double width = P.TextWidth(ReportTitle);
    if (room <= 0 || width <= room)
        return;
    double size = std::floor(P.FontSize() * room / width * 10) / 10;
    for (; size > 1.0; size = std::round((size - 0.1) * 10) / 10) {
        P.SetFontSize(size);
        width = P.TextWidth(ReportTitle);
        if (width <= room)
            return;
    }
    P.SetFontSize(1.0);
}

bool PrintEngine::CheckGridFits(bool interactive)
{
    Printer &P = CurrentPrinter();
    const double W = P.ScaleX(betweenMarginsWidth());
    const double H = P.ScaleY(betweenMarginsHeight()) - BottomLineHeight;
    // Without a window to ask, only what makes the layout impossible counts.
    auto tell = [&](FitProblem problem) { return interactive && OnFitProblem && OnFitProblem(problem); };
    bool result = true;
    if (TallestRow > H) {
        result = false;
        tell(FitProblem::RowTooHigh);
    }
    if (WidestCol > W) {
        result = false;
        tell(FitProblem::ColumnTooWide);
    }
    if (m_top.LaterPageTop > H && interactive) {
        if (tell(FitProblem::HeadingsTooHigh)) {
            // Later pages keep only their own top (a title they print, a
            // page number above the rows).
            m_top.LaterPageTop = m_laterTitleHeight;
            m_top.RepeatHeads = false;
        } else {
            result = false;
        }
    }
    if (W < CaptionWidth && RepeatCaptions && interactive) {
        if (tell(FitProblem::CaptionsTooWide)) {
            RepeatCaptions = false;
            LastFixedCol = -1;
            FirstCaptionWidth = 0;
            CaptionWidth = 0;
        } else {
            result = false;
        }
    }
    return result;
}

bool PrintEngine::roomOnPage()
{
    if (!Grid)
        return true;
    CalcHeaderHeight();
    const TopBlockRecord top = ReadHeadings(m_top, m_top.RepeatHeads ? Grid->FixedRows() : 0);
    Printer &P = CurrentPrinter();
    const double W = P.ScaleX(betweenMarginsWidth());
    const double H = P.ScaleY(betweenMarginsHeight()) - BottomLineHeight;
    const double captions = RepeatCaptions ? CaptionWidth : 0;
    // The first page holds its title, the heading rows (printed as its
    // first rows, unless they are counted in its top already) and a row;
    // a later page its top, with the heading rows, and a row.
    const double firstHeads = top.HeadRowCount > 0 && !top.HeadsInFirstTop ? top.HeadRowsHeight : 0;
    return std::max(top.FirstPageTop + firstHeads, top.LaterPageTop) + TallestRow <= H && captions + WidestCol <= W;
}

bool PrintEngine::marginFits(int Index, double twips)
{
    double &margin = marginRef(Index);
    const double kept = margin;
    margin = twips;
    const bool fits = roomOnPage();
    margin = kept;
    return fits;
}

bool PrintEngine::titleSizeFits(double factor)
{
    const float kept = m_top.TitleFontSize;
    m_top.TitleFontSize = float(factor);
    const bool fits = roomOnPage() && titleFitsAcross(factor);
    m_top.TitleFontSize = kept;
    return fits;
}

bool PrintEngine::titleFitsAcross(double factor)
{
    // At the report's own size (1.0) a title too wide for the paper is
    // narrowed as it prints; above it, a size fits only where the title does.
    if (factor <= 1.0 || ReportTitle.isEmpty() || m_top.TitlePlacement < 1)
        return true;
    Printer &P = CurrentPrinter();
    const int mode = P.ScaleMode();
    double savedW = 0, savedH = 0;
    if (mode != vbTwips) {
        savedW = P.ScaleWidth();
        savedH = P.ScaleHeight();
        P.SetScaleMode(vbTwips);
    }
    const double size = P.FontSize();
    P.SetFontSize(size * factor);
    P.SetFontBold(m_top.TitleBold);
    P.SetFontUnderline(m_top.TitleUnderline);
    const bool fits = P.TextWidth(ReportTitle) <= betweenMarginsWidth();
    P.SetFontBold(false);
    P.SetFontUnderline(false);
    P.SetFontSize(size);
    if (savedW > 0) {
        P.SetScaleWidth(savedW);
        P.SetScaleHeight(savedH);
    }
    return fits;
}

int PrintEngine::largestFitting(int fitting, int tooMuch, const std::function<bool(int)> &fits)
{
    // Room only shrinks as the value grows: halve the gap between a value
    // that fits and one that does not.
    while (tooMuch - fitting > 1) {
        const int mid = fitting + (tooMuch - fitting) / 2;
        if (fits(mid))
            fitting = mid;
        else
            tooMuch = mid;
    }
    return fitting;
}

bool PrintEngine::CountPages(bool interactive)
{
    if (!Grid)
        return false;
    m_requestSectionsWide = 0;
    m_requestSectionsHigh = 0;
    const int headRows = m_top.RepeatHeads ? Grid->FixedRows() : 0;
    CalcHeaderHeight();
    m_top = ReadHeadings(m_top, headRows);
    CalcRowCaptionWidth();
    if (Unprintable.Width == 0)
        GetPrintableArea();

    Printer &P = CurrentPrinter();
    const double W = P.ScaleX(betweenMarginsWidth());
    const double H = P.ScaleY(betweenMarginsHeight()) - BottomLineHeight;

    if (SelectionOnly) {
        GridHeight = SelectionHeight();
        GridWidth = SelectionWidth();
        m_firstRow = SavedSel[0];
        m_lastRow = SavedSel[2];
        m_firstCol = SavedSel[1];
        m_lastCol = SavedSel[3];
    } else {
        m_firstRow = 0;
        m_lastRow = int(RowHeights.size()) - 1;
        m_firstCol = 0;
        m_lastCol = int(ColWidths.size()) - 1;
    }
    while (m_lastCol >= m_firstCol && ColWidths[m_lastCol] <= 0)
        --m_lastCol;
    bool anyRow = false;
    for (int r = m_firstRow; r <= m_lastRow && !anyRow; ++r)
        anyRow = rowPrintHeight(r) > 0;

    // A range without a visible column or row cannot be printed: no pages.
    if (!CheckGridFits(interactive) || m_lastCol < m_firstCol || !anyRow) {
        m_pagesWide = 0;
        m_pagesHigh = 0;
        m_colBands.resize(1);
        m_rowBands.resize(1);
        return false;
    }

    cutColBands(m_firstCol, m_lastCol, W);
    if (m_requestSectionsWide >= 2)
        cutSections(m_firstRow, m_lastRow, H);
    cutRowBands(m_firstRow, m_lastRow, H);
    m_pagesHigh = int(m_rowBands.size()) - 1;
    m_pagesWide = int(m_colBands.size()) - 1;
    return true;
}

void PrintEngine::cutColBands(int firstCol, int lastCol, double W)
{
    m_colBands.resize(1);
    BandRecord band{firstCol, lastCol, 0};
    if (FirstCaptionWidth + GridWidth <= W) {
        m_requestSectionsWide = std::max(1L, long(std::floor(W / (GridWidth + SectionGap + FirstCaptionWidth))));
        band.Extent = GridWidth;
        m_colBands.append(band);
        return;
    }
    cutRuns(firstCol, lastCol, FirstCaptionWidth, W, [this](int c) { return ColWidths[c]; },
            [this](int) { return CaptionWidth; },
            [this](int f, int l, double extent) { m_colBands.append({f, l, extent}); });
}

void PrintEngine::cutSections(int firstRow, int lastRow, double H)
{
    const int wide = int(m_requestSectionsWide);
    Sections = {QVector<BandRecord>(wide + 1), QVector<BandRecord>(wide + 1)};
    int sheet = 1, section = 0;
    // A new section on the first sheet leaves room for its repeated
    // headings; later sheets start below their own.
    const double firstSheetTop = m_top.FirstPageTop + (m_top.RepeatHeads && !m_top.HeadsInFirstTop ? m_top.HeadRowsHeight : 0);
    cutRuns(firstRow, lastRow, m_top.FirstPageTop, H, [this](int r) { return rowPrintHeight(r); },
            [&](int) { return sheet == 1 && section < wide ? firstSheetTop : m_top.LaterPageTop; },
            [&](int f, int l, double extent) {
                if (++section > wide) {
                    ++sheet;
                    section = 1;
                    Sections.append(QVector<BandRecord>(wide + 1));
                }
                Sections[sheet][section] = {f, l, extent};
            });
    if (sheet == 1)
        m_requestSectionsWide = section;
    m_requestSectionsHigh = sheet;
}

void PrintEngine::cutRowBands(int firstRow, int lastRow, double H)
{
    m_rowBands.resize(1);
    BandRecord band{firstRow, lastRow, 0};
    double height = 0;
    for (int r = firstRow; r <= lastRow; ++r)
        height += rowPrintHeight(r);
    if (height + m_top.FirstPageTop <= H) {
        band.Extent = height + m_top.FirstPageTop;
        m_rowBands.append(band);
        return;
    }
    m_rowBands.resize(1);
    cutRuns(firstRow, lastRow, m_top.FirstPageTop, H, [this](int r) { return rowPrintHeight(r); },
            [this](int) { return m_top.LaterPageTop; },
            [this](int f, int l, double extent) { m_rowBands.append({f, l, extent}); });
}

double PrintEngine::CalcScaleFactor(bool apply)
{
    Printer &P = CurrentPrinter();
    const double SW = P.ScaleWidth();
    const double SH = P.ScaleHeight();
    const double AW = betweenMarginsWidth();
    const double AH = betweenMarginsHeight();
    if (AW <= 0 || AH <= 0)
        return 0;
    double NW = AW;
    if (SheetsWide < 2) {
        if (GridWidth > AW)
            NW = GridWidth + 56.7;
    } else {
        NW = (WidestCol + GridWidth) / SheetsWide;
    }
    double NH = AH;
    if (SheetsHigh < 2) {
        if (m_top.FirstPageTop + GridHeight > AH)
            NH = m_top.FirstPageTop + GridHeight + 56.7;
    } else {
        double slack = VisibleRows > 0 ? SheetsHigh * (GridHeight / VisibleRows) : 0;
        slack = std::max(slack, TallestRow);
        NH = (slack + GridHeight) / SheetsHigh + std::max(m_top.FirstPageTop, m_top.LaterPageTop);
    }
    double newW = SW / AW * NW;
    double newH = SH / AH * NH;
    if (apply) {
        // Bands hold whole rows and columns and the page number takes its
        // line: where the scale from the averages still leaves pages over,
        // it grows until the job fits the sheets asked for.
        for (int step = 0; step < 100; ++step) {
            P.SetScaleHeight(newH);
            P.SetScaleWidth(newW);
            CountPages(false);
            const bool tooHigh = SheetsHigh >= 1 && m_pagesHigh > SheetsHigh;
            const bool tooWide = SheetsWide >= 1 && m_pagesWide > SheetsWide;
            if (!tooHigh && !tooWide)
                break;
            if (tooHigh)
                newH *= 1.02;
            if (tooWide)
                newW *= 1.02;
        }
    }
    return CalcFontFactor(newW, newH);
}

float PrintEngine::CalcFontFactor(double scaleWidth, double scaleHeight, std::optional<double> size)
{
    Printer &P = CurrentPrinter();
    double savedW = 0, savedH = 0;
    if (P.ScaleMode() != vbTwips) {
        savedW = P.ScaleWidth();
        savedH = P.ScaleHeight();
    }
    const double savedSize = P.FontSize();
    P.SetScaleMode(vbTwips);
    if (size)
        P.SetFontSize(*size);
    const double W0 = P.TextWidth(ScaleSample);
    const double H0 = P.TextHeight(ScaleSample);
    P.SetScaleWidth(scaleWidth);
    P.SetScaleHeight(scaleHeight);
    double s = P.FontSize();
    while (s > 0.9) {
        if (P.TextWidth(ScaleSample) <= W0 && P.TextHeight(ScaleSample) <= H0)
            break;
        s = std::round((s - 0.1) * 10) / 10;
        P.SetFontSize(s);
    }
    if (savedW > 0) {
        P.SetScaleWidth(savedW);
        P.SetScaleHeight(savedH);
    } else {
        P.SetScaleMode(vbTwips);
    }
    P.SetFontSize(savedSize);
    return float(s);
}

bool PrintEngine::ScaledFontReadable() { return CalcScaleFactor(false) >= 2.0; }

QVector<int> PrintEngine::ParsePageList(const QString &text)
{
    // Read left to right: digits make a number; "," or a blank ends it; "-"
    // starts a range, with the number before it as its start; anything else
    // is passed over. A range runs on from the last number listed to the
    // number that ends it, so "5-3" lists 5 and 3, and "1-" lists 1.
    constexpr int MostPage = 99999; // more pages than any list prints on
    QVector<int> pages;
    int number = -1; // none being read
    bool range = false;
    auto endNumber = [&] {
        if (number < 0)
            return;
        if (range && !pages.isEmpty()) {
            for (int p = pages.last() + 1; p < number; ++p)
                pages.append(p);
            range = false;
        }
        pages.append(number);
        number = -1;
    };
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            number = std::min(std::max(number, 0) * 10 + c.digitValue(), MostPage);
        else if (c == QLatin1Char(',') || c == QLatin1Char(' '))
            endNumber();
        else if (c == QLatin1Char('-')) {
            range = true;
            if (number >= 0) {
                pages.append(number);
                number = -1;
            }
        }
    }
    endNumber();
    return pages;
}

int PrintEngine::pagesListed(const QVector<int> &list, long total)
{
    std::vector<bool> listed(std::size_t(std::max(total, 0L)) + 1);
    int count = 0;
    for (const int p : list)
        if (p >= 1 && p <= total && !listed[std::size_t(p)]) {
            listed[std::size_t(p)] = true;
            ++count;
        }
    return count;
}
