// Drawing a page: the title, the repeated heading rows, merged cells, the
// page-number line and the grid rows, cell by cell with its box, colours,
// font and fitted text.
#include "printing/PrintEngine.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace printer;

namespace {

constexpr long long ButtonFace = 0x8000000F;
constexpr long long ButtonText = 0x80000012;
constexpr long long White = 0xFFFFFF;

// AlignCode of a grid alignment value 0..9 (9: general, 1). Left-top is
// kept as left-top, not taken for general.
int alignCodeOf(int alignment)
{
    static const int codes[] = {18, 34, 66, 20, 36, 68, 24, 40, 72, 1};
    return alignment >= 0 && alignment <= 9 ? codes[alignment] : 1;
}

} // namespace

// ---------------------------------------------------------------------------
// Cell services

void PrintEngine::printInReportFont()
{
    Printer &P = CurrentPrinter();
    P.SetFontName(m_reportFont.family());
    P.SetFontBold(false);
    P.SetFontItalic(false);
    P.SetFontUnderline(false);
}

void PrintEngine::PrintPage(int p)
{
    if (!StartNewPage(p))
        return;
    if (OnPageStarted)
        OnPageStarted(p);
    Printer &P = CurrentPrinter();
    if (MultiUp) {
        for (int s = 1; s <= m_requestSectionsWide && p < Sections.size(); ++s) {
            const BandRecord &section = Sections[p][s];
            if (section.Last < section.First || section.Last < 1)
                continue;
            printSection(p, s, (s - 1) * (GridWidth + 373.0 + FirstCaptionWidth));
        }
        return;
    }
    int cb = 1, rb = 1;
    bandsOfPage(p, cb, rb);
    if (rb >= m_rowBands.size() || cb >= m_colBands.size())
        return;
    for (int r = m_rowBands[rb].First; r <= m_rowBands[rb].Last; ++r) {
        const double h = rowPrintHeight(r);
        if (h <= 0)
            continue;
        PrintRowOnPage(r, cb, 0);
        P.SetCurrentY(P.CurrentY() + h);
    }
}

bool PrintEngine::StartNewPage(int page)
{
    if (!PageList.isEmpty() && !PageList.contains(page))
        return false;
    Printer &P = CurrentPrinter();
    LastLineColour = -1;
    if (PageStarted)
        P.NewPage();
    PageStarted = true;
    ++m_printProgress;

    int cb = 1, rb = 1;
    bandsOfPage(page, cb, rb);
    const PageTitle title = titleOfPage(page, cb, rb);
    if (!title.Text.isEmpty())
        printTitle(title);

    P.SetFontTransparent(true);
    const double leftX = P.ScaleX(Margins.Left - Unprintable.Left);
    const double y = P.ScaleY(Margins.Top - Unprintable.Top) + (rb == 1 ? m_top.FirstPageTop : m_top.LaterPageTop);

    // In n-up printing the run draws each section's headings and merges.
    const bool bandsExist = rb < m_rowBands.size() && cb < m_colBands.size();
    if (!MultiUp && bandsExist) {
        // The heading rows stand right above the page's first row.
        if ((rb >= 2 && m_top.RepeatHeads) || HeadsAboveSelection)
            PrintHeadingRows(cb, y - m_top.HeadRowsHeight, 0);
        if (m_merging.MergeDown) {
            FindMergedCols(m_rowBands[rb].First, m_rowBands[rb].Last, m_colBands[cb].First, m_colBands[cb].Last);
            PrintMergedCols(y, captionShift(cb));
        }
    }

    if (m_numbering.NumberingMode != 0 && !(m_numbering.NumberingMode == 1 && rb == 1 && cb == 1))
        printPageNumber(page, !title.Text.isEmpty());

    P.SetCurrentX(leftX);
    P.SetCurrentY(y);
    BodyTop = std::lround(y);
    return true;
}

PrintEngine::PageTitle PrintEngine::titleOfPage(int page, int cb, int rb) const
{
    PageTitle title;
    switch (m_top.TitlePlacement) {
    case 1:
        if (page == 1)
            title.Text = ReportTitle;
        break;
    case 2:
        title.Text = ReportTitle;
        break;
    case 3:
    case 4:
        if (m_top.TitlePlacement == 3 && rb >= 2)
            break;
        if (m_top.TitleJustify == 0 && cb == 1)
            title.Text = ReportTitle;
        else if (m_top.TitleJustify == 2 && cb == SheetsWide)
            title.Text = ReportTitle;
        else if (m_top.TitleJustify == 1) {
            const long h = std::max(1L, SheetsWide) / 2;
            if (std::max(1L, SheetsWide) % 2 == 1) {
                if (cb == h + 1)
                    title.Text = ReportTitle;
            } else if (cb == h) {
                title.Text = ReportTitle.left(ReportTitle.size() / 2);
                title.Part = PageTitle::LeftHalf;
            } else if (cb == h + 1) {
                title.Text = ReportTitle.mid(ReportTitle.size() / 2);
                title.Part = PageTitle::RightHalf;
            }
        }
        break;
    default:
        break;
    }
    return title;
}

void PrintEngine::printTitle(const PageTitle &title)
{
    Printer &P = CurrentPrinter();
    const double leftX = P.ScaleX(Margins.Left - Unprintable.Left);
    const double topY = P.ScaleY(Margins.Top - Unprintable.Top);
    const double between = betweenMarginsWidth();
    const double rightX = P.ScaleX(Unprintable.Width - (Margins.Right - Unprintable.Right));
    // The title is set in the report's font, never a cell's left over.
    printInReportFont();
    const double size = P.FontSize();
    const bool sized = m_titleFontSize != 1.0f && m_titleFontSize != 0.0f;
    if (sized)
        P.SetFontSize(size * m_titleFontSize);
    P.SetFontBold(m_top.TitleBold);
    P.SetFontUnderline(m_top.TitleUnderline);
    fitTitleToWidth(P.ScaleX(between));
    const double width = P.TextWidth(title.Text);
    double x = leftX;
    if (m_top.TitleJustify == 1) {
        if (title.Part == PageTitle::LeftHalf)
            x = rightX - P.TextWidth(title.Text + QStringLiteral("XX"));
        else if (title.Part == PageTitle::Whole && P.ScaleX(between) - width > 0)
            x = leftX + (P.ScaleX(between) - width) / 2;
    } else if (m_top.TitleJustify == 2) {
        x = rightX - (P.TextWidth(QStringLiteral("XX")) + width);
    }
    P.SetCurrentX(x);
    P.SetCurrentY(topY);
    P.Print(title.Text);
    P.SetFontBold(false);
    P.SetFontUnderline(false);
    P.SetFontSize(size);
}

void PrintEngine::printPageNumber(int page, bool titled)
{
    Printer &P = CurrentPrinter();
    const double leftX = P.ScaleX(Margins.Left - Unprintable.Left);
    const double topY = P.ScaleY(Margins.Top - Unprintable.Top);
    printInReportFont();
    const QString text = pageNumberText(page);
    double ny;
    if (m_numbering.NumberPosition <= 2)
        ny = m_numbering.NumberAboveMargin ? 0 : topY + (titled ? m_titleLineHeight : 0);
    else
        ny = P.ScaleHeight() - P.TextHeight(QStringLiteral("P"))
             - (m_numbering.NumberBelowMargin ? 0 : P.ScaleY(Margins.Bottom - Unprintable.Bottom));
    double nx = leftX;
    if (m_numbering.NumberPosition == 1 || m_numbering.NumberPosition == 4)
        nx = leftX + (P.ScaleX(betweenMarginsWidth()) - P.TextWidth(text)) / 2;
    else if (m_numbering.NumberPosition == 0 || m_numbering.NumberPosition == 5)
        nx = P.ScaleWidth() - P.ScaleX(Margins.Right - Unprintable.Right) - P.TextWidth(text + QStringLiteral("XX"));
    P.SetForeColor(0);
    P.SetCurrentX(nx);
    P.SetCurrentY(ny);
    P.Print(text);
}

QString PrintEngine::pageNumberText(int page) const
{
    QString text;
    if (m_numbering.IncludeDateTime)
        text = QStringLiteral("Printed at ")
               + QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("dd/MM/yyyy HH:mm:ss"))
               + QStringLiteral(". ");
    text += QStringLiteral("Page: ") + QString::number(page);
    if (m_numbering.PageOfPages) {
        const long total = MultiUp ? m_requestSectionsHigh : SheetsHigh * SheetsWide;
        text += QStringLiteral(" of ") + QString::number(total);
    }
    return text;
}

void PrintEngine::PrintHeadingRows(int colBand, double top, double xOffset)
{
    Printer &P = CurrentPrinter();
    const int fixedRows = Grid->FixedRows();
    if (m_merging.MergeDown) {
        // Merged heading cells are drawn where the heading rows are.
        FindMergedCols(0, fixedRows - 1, m_colBands[colBand].First, m_colBands[colBand].Last);
        PrintMergedCols(top, xOffset + captionShift(colBand));
    }
    P.SetCurrentY(top);
    for (int r = 0; r < fixedRows; ++r) {
        PrintRowOnPage(r, colBand, xOffset);
        P.SetCurrentY(P.CurrentY() + m_stdRowHeight);
    }
}

void PrintEngine::PrintRowOnPage(int row, int colBand, double xOffset)
{
    Printer &P = CurrentPrinter();
    const GridContents &g = *Grid;
    const double y = P.CurrentY();
    double x = P.ScaleX(Margins.Left - Unprintable.Left) + xOffset;
    const BandRecord &band = m_colBands[colBand];

    if (m_merging.MergeAcross)
        FindMergedRow(row, m_merging.MergedCellRule == 1 ? 0 : band.First, m_merging.MergedCellRule == 1 ? g.Cols() - 1 : band.Last);

    long long lastLine = -1;
    const bool repeatedHead = row < g.FixedRows() && m_top.RepeatHeads;
    for (int c : columnsOfBand(colBand)) {
        const double colWidth = ColWidths[c];
        if (colWidth <= 0 || (m_merging.MergeDown && vRunCode(row, c) > 0)) {
            x += colWidth;
            continue;
        }
        PrintedCell cell;
        cell.Align = cellPrintAlignment(row, c);
        cell.Text = g.TextMatrix(row, c);
        if (row == 0 && m_top.RepeatHeads && c == 2 && !HeadingForLat.isEmpty() && cell.Text == QLatin1String("Lat"))
            cell.Text = HeadingForLat;
        // A list's heading row holds its fields' names: the words the list
        // shows over the column print instead.
        if (row == 0 && !listHeading(c).Text.isEmpty()) {
            cell.Text = listHeading(c).Text;
            cell.Family = listHeading(c).Family.isEmpty() ? m_reportFont.family() : listHeading(c).Family;
        }
        cell.Width = colWidth;
        cell.Height = repeatedHead ? m_stdRowHeight : RowHeights[row];
        if (m_merging.MergeAcross && HRunCodes.value(c) >= 1 && !spanMergedRun(c, band, cell)) {
            x += colWidth; // inside a run drawn from its first cell
            continue;
        }
        lastLine = printCell(row, c, x, y, cell);
        x += colWidth;
    }
    LastLineColour = lastLine < 0 ? 0 : lastLine;
}

QVector<int> PrintEngine::columnsOfBand(int colBand) const
{
    QVector<int> cols;
    if ((CaptionWidth > 0 && colBand >= 2) || (FirstCaptionWidth > 0 && colBand == 1))
        for (int c = 0; c < Grid->FixedCols(); ++c)
            cols.append(c);
    for (int c = m_colBands[colBand].First; c <= m_colBands[colBand].Last; ++c)
        cols.append(c);
    return cols;
}

int PrintEngine::cellPrintAlignment(int row, int col) const
{
    const int a = GetCellAlignment(row, col);
    if (a != 1)
        return a;
    if (row == 0 && m_top.RepeatHeads)
        return ColAlignCodes.value(col, 0x12);
    if (row < Grid->FixedRows())
        return alignCodeOf(Grid->FixedAlignment(col));
    return ColAlignCodes.value(col, 0x12);
}

bool PrintEngine::spanMergedRun(int c, const BandRecord &band, PrintedCell &cell)
{
    const long code = HRunCodes[c];
    if (code % 1000 != 1 && c != band.First)
        return false;
    for (int k = c + 1; k < HRunCodes.size() && HRunCodes[k] > 0 && sameRun(HRunCodes[k], code); ++k) {
        if (k > band.Last) {
            cell.Align = 2;
            break;
        }
        cell.Width += ColWidths[k];
    }
    if (c > 0 && c == band.First && m_merging.MergedCellRule == 1) {
        double hidden = 0;
        for (int k = c - 1; k >= 0 && HRunCodes[k] > 0 && sameRun(HRunCodes[k], code); --k) {
            hidden += ColWidths[k];
            cell.Align = 2;
        }
        if (hidden > 0) {
            CellTextFit earlier;
            earlier.Height = cell.Height;
            earlier.Width = cell.Width;
            earlier.FitWidth = hidden;
            earlier.Text = cell.Text;
            cell.Text = TruncateAndWrapC(earlier).Text;
        }
    }
    return true;
}

long long PrintEngine::printCell(int row, int col, double x, double y, const PrintedCell &cell)
{
    Printer &P = CurrentPrinter();
    const CellColours colours = GetColours(row, col);
    drawCellBox(x, y, cell.Width, cell.Height, colours);

    if (m_effects.UseCellFonts) {
        const int s = GetGridFont(row, col);
        P.SetFontBold(s & 1);
        P.SetFontItalic(s & 2);
        P.SetFontUnderline(s & 4);
    }
    if (!cell.Family.isEmpty())
        P.SetFontName(cell.Family);
    CellTextFit fit;
    fit.Height = cell.Height;
    fit.Width = cell.Width;
    fit.Text = cell.Text;
    fit = TruncateAndWrapC(fit);
    if (!fit.Line.isEmpty() || fit.LineCount >= 1) {
        P.SetForeColor(colours.Fore);
        printFitted(fit, textX(cell.Align, x, cell.Width, fit.TextWidth), y);
    }
    // Back to the report's font: the next cell, the title and the page
    // number never inherit a cell's font.
    if (m_effects.UseCellFonts || !cell.Family.isEmpty())
        printInReportFont();
    P.SetCurrentY(y);
    return colours.Line;
}

void PrintEngine::drawCellBox(double x, double y, double w, double h, const CellColours &colours)
{
    if (w <= 0 || !m_effects.ShowGridLines)
        return;
    Printer &P = CurrentPrinter();
    P.SetFillColor(colours.Back);
    P.SetFillStyle(vbSolid);
    P.SetForeColor(colours.Line);
    P.SetDrawStyle(HideLines ? vbInvisible : vbSolid);
    P.Box(x, y, x + w, y + h);
    P.SetFillStyle(vbFSTransparent);
    if (LastLineColour >= 0 && LastLineColour != colours.Line && !HideLines)
        P.Line(x, y, x + w, y, LastLineColour);
    P.SetCurrentY(y);
}

double PrintEngine::textX(int align, double x, double w, double textWidth) const
{
    // Tested in this order: a later match wins.
    double tx = x;
    if (align & 2)
        tx = x + CellInset;
    if (align & 4)
        tx = x + (w - textWidth) / 2;
    if (align & 8)
        tx = x + w - textWidth;
    return tx;
}

void PrintEngine::bandsOfPage(int page, int &cb, int &rb) const
{
    // Pages run across every column band of a row band before the next.
    cb = 1;
    rb = page;
    if (SheetsWide >= 2) {
        rb = int(page / SheetsWide) + (page % SheetsWide != 0 ? 1 : 0);
        cb = int(page % SheetsWide);
        if (cb == 0)
            cb = int(SheetsWide);
    }
}

void PrintEngine::printFitted(const CellTextFit &fit, double tx, double y)
{
    Printer &P = CurrentPrinter();
    P.SetCurrentY(y);
    if (fit.LineCount == 0) {
        P.SetCurrentX(tx);
        P.Print(fit.Line);
        return;
    }
    for (const QString &line : fit.Lines) {
        P.SetCurrentX(tx);
        P.Print(line);
    }
}

long PrintEngine::vRunCode(int row, int col) const
{
    const int r = row - m_vFirstRow, c = col - m_vFirstCol;
    if (r < 0 || r >= VRunCodes.size() || c < 0 || c >= VRunCodes[r].size())
        return 0;
    return VRunCodes[r][c];
}

void PrintEngine::FindMergedRow(int row, int firstCol, int lastCol)
{
    const GridContents &g = *Grid;
    HRunCodes.fill(0, std::max(0, lastCol + 1));
    if (!g.MergeRow(row))
        return;
    long run = 0;
    const int fixedCols = g.FixedCols();
    for (int c = 1; c <= lastCol; ++c) {
        if (!(c - 1 >= firstCol || c < fixedCols))
            continue;
        if (m_merging.MergeDown && vRunCode(row, c - 1) > 0)
            continue;
        if (c - 1 < fixedCols && c >= fixedCols)
            continue;
        if (g.TextMatrix(row, c - 1) != g.TextMatrix(row, c))
            continue;
        if (HRunCodes[c - 1] == 0) {
            run += 1000;
            HRunCodes[c - 1] = run + 1;
        }
        HRunCodes[c] = HRunCodes[c - 1] + 1;
    }
}

void PrintEngine::FindMergedCols(int firstRow, int lastRow, int firstCol, int lastCol)
{
    const GridContents &g = *Grid;
    m_vFirstRow = firstRow;
    m_vFirstCol = firstCol;
    VRunCodes = QVector<QVector<long>>(std::max(0, lastRow - firstRow + 1), QVector<long>(std::max(0, lastCol - firstCol + 1), 0));
    long run = 0;
    const int fixedRows = g.FixedRows();
    for (int c = firstCol; c <= lastCol; ++c) {
        if (ColWidths.value(c) <= 0 || !g.MergeCol(c))
            continue;
        for (int r = firstRow + 1; r <= lastRow; ++r) {
            if (g.TextMatrix(r - 1, c) != g.TextMatrix(r, c) || (r - 1 < fixedRows && r >= fixedRows))
                continue;
            long &above = VRunCodes[r - 1 - firstRow][c - firstCol];
            if (above == 0) {
                run += 1000;
                above = run + 1;
            }
            VRunCodes[r - firstRow][c - firstCol] = above + 1;
        }
    }
}

void PrintEngine::PrintMergedCols(double top, double xOffset)
{
    Printer &P = CurrentPrinter();
    const GridContents &g = *Grid;
    double x = P.ScaleX(Margins.Left - Unprintable.Left) + xOffset;
    const int rows = int(VRunCodes.size());
    const int cols = rows > 0 ? int(VRunCodes[0].size()) : 0;

    auto drawRun = [&](int col, int lastRow, double runTop, double H, double w) {
        const int c = col + m_vFirstCol;
        const int r = lastRow + m_vFirstRow;
        int a = GetCellAlignment(r, c);
        if (a == 1)
            a = ColAlignCodes.value(c, 0x12);
        const CellColours colours = GetColours(r, c);
        drawCellBox(x, runTop, w, H, colours);
        LastLineColour = colours.Line;
        CellTextFit fit;
        fit.Height = H;
        fit.Width = w;
        fit.Text = g.TextMatrix(r, c);
        fit = TruncateAndWrapC(fit);
        if (fit.Line.isEmpty() && fit.LineCount < 1)
            return;
        double ty = runTop;
        if ((a & 32) && H - fit.TextHeight >= 0)
            ty = runTop + (H - fit.TextHeight) / 2;
        else if ((a & 64) && H - fit.TextHeight >= 0)
            ty = runTop + H - fit.TextHeight;
        P.SetForeColor(colours.Fore);
        const double keepY = P.CurrentY();
        printFitted(fit, textX(a, x, w, fit.TextWidth), ty);
        P.SetCurrentY(keepY);
    };

    for (int c = 0; c < cols; ++c) {
        const double w = ColWidths.value(c + m_vFirstCol);
        double yr = top, runTop = 0, H = 0;
        long runCode = 0;
        int runLast = -1;
        for (int r = 0; r < rows; ++r) {
            const long code = VRunCodes[r][c];
            const double rh = rowPrintHeight(r + m_vFirstRow);
            if (code < 1) {
                if (H > 0)
                    drawRun(c, runLast, runTop, H, w);
                H = 0;
            } else if (H > 0 && sameRun(code, runCode)) {
                H += rh;
                runLast = r;
            } else {
                if (H > 0)
                    drawRun(c, runLast, runTop, H, w);
                runTop = yr;
                H = rh;
                runCode = code;
                runLast = r;
            }
            yr += rh;
        }
        if (H > 0)
            drawRun(c, runLast, runTop, H, w);
        x += w;
    }
}

PrintEngine::CellTextFit PrintEngine::TruncateAndWrapC(CellTextFit r)
{
    Printer &P = CurrentPrinter();
    const QString entry = r.Text;
    r.Lines.clear();
    r.LineCount = 0;
    if (entry.isEmpty()) {
        r.Line.clear();
        r.TextHeight = r.TextWidth = 0;
        return r;
    }
    const double width = r.FitWidth > 0 ? r.FitWidth : r.Width;
    const double AW = width - CellInset;
    const double AH = r.Height - 2 * P.TwipsPerPixelY();
    const QString t = entry.trimmed();
    double lineWidth = -1; // the single line's width, when measured

    if (Grid->WordWrap()) {
        QStringList lines;
        QString cur, brk;
        for (const QChar ch : t) {
            if (ch == QLatin1Char(' ')) {
                if (!cur.isEmpty())
                    brk = cur;
                cur += ch;
            } else if (ch == QLatin1Char('\r')) {
                continue;
            } else if (ch == QLatin1Char('\n')) {
                lines << cur.trimmed();
                cur.clear();
                brk.clear();
            } else {
                cur += ch;
                if (P.TextWidth(cur) > AW && !brk.isEmpty()) {
                    lines << brk;
                    cur = cur.mid(brk.size()).trimmed();
                    brk.clear();
                }
            }
        }
        if (!cur.trimmed().isEmpty())
            lines << cur.trimmed();
        if (lines.size() >= 2) {
            while (lines.size() > 1 && P.TextHeight(lines.join(QStringLiteral("\r\n"))) > AH)
                lines.removeLast();
        }
        if (lines.isEmpty()) {
            r.Line.clear();
        } else if (lines.size() == 1) {
            r.Line = lines.first();
        } else {
            r.LineCount = int(lines.size());
            r.Lines = lines;
            const QString joined = lines.join(QStringLiteral("\r\n"));
            r.TextHeight = P.TextHeight(joined);
            r.TextWidth = P.TextWidth(joined);
        }
    } else {
        QString line = t;
        const qsizetype cr = line.indexOf(QLatin1Char('\r'));
        if (cr >= 0)
            line.truncate(cr);
        const qsizetype lf = line.indexOf(QLatin1Char('\n'));
        if (lf >= 0)
            line.truncate(lf);
        // The width is measured once: a text that fits keeps it.
        lineWidth = P.TextWidth(line);
        if (lineWidth > AW) {
            // The longest prefix that fits (widths grow with the prefix).
            qsizetype lo = 0, hi = line.size();
            while (lo < hi) {
                const qsizetype mid = (lo + hi + 1) / 2;
                if (P.TextWidth(line.left(mid)) <= AW)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            line.truncate(lo);
            lineWidth = -1;
        }
        r.Line = line;
    }
    if (r.LineCount == 0) {
        r.TextHeight = r.Line.isEmpty() ? 0 : P.TextHeight(r.Line);
        r.TextWidth = r.Line.isEmpty() ? 0 : lineWidth >= 0 ? lineWidth : P.TextWidth(r.Line);
        r.Text = r.Line.size() < entry.size() ? entry.mid(r.Line.size()) : QString();
    } else {
        const QString last = r.Lines.last().trimmed();
        if (!entry.endsWith(last)) {
            const qsizetype at = entry.indexOf(last);
            r.Text = at >= 0 ? entry.mid(at + last.size()) : QString();
        } else {
            r.Text.clear();
        }
    }
    r.FitWidth = 0;
    return r;
}

int PrintEngine::GetCellAlignment(int row, int col) const
{
    const GridContents &g = *Grid;
    return g.CellAlignmentSetAt(row, col) ? alignCodeOf(g.CellAlignmentAt(row, col)) : 1;
}

double PrintEngine::captionShift(int colBand) const
{
    if (!((CaptionWidth > 0 && colBand >= 2) || (FirstCaptionWidth > 0 && colBand == 1)))
        return 0;
    double shift = 0;
    for (int c = 0; c < Grid->FixedCols() && c < ColWidths.size(); ++c)
        shift += ColWidths[c];
    return shift;
}

PrintEngine::CellColours PrintEngine::GetColours(int row, int col) const
{
    // Read straight from the cell: the grid's current cell never moves.
    const GridContents &g = *Grid;
    CellColours c;
    const bool heading = col < g.FixedCols() || row < g.FixedRows();
    if (heading) {
        c.Back = m_effects.ShowBackColours ? g.BackColorFixed() : m_effects.ShadeHeadings ? ButtonFace : White;
        c.Fore = m_effects.ShowTextColours ? g.ForeColorFixed() : ButtonText;
        c.Line = m_effects.ShowGridLineColours ? g.GridColorFixed() : ButtonText;
    } else {
        if (m_effects.ShowBackColours) {
            c.Back = g.CellBackColorAt(row, col);
            if (c.Back == 0)
                c.Back = g.BackColor();
        } else {
            c.Back = White;
        }
        if (m_effects.ShowTextColours) {
            c.Fore = g.CellForeColorAt(row, col);
            if (c.Fore == 0)
                c.Fore = g.ForeColor();
        } else {
            c.Fore = ButtonText;
        }
        c.Line = m_effects.ShowGridLineColours ? g.GridColor() : ButtonText;
    }
    return c;
}

int PrintEngine::GetGridFont(int row, int col)
{
    const QFont f = Grid->CellFontAt(row, col);
    Printer &P = CurrentPrinter();
    if (P.FontName() != f.family())
        P.SetFontName(f.family());
    return (f.bold() ? 1 : 0) + (f.italic() ? 2 : 0) + (f.underline() ? 4 : 0);
}

void PrintEngine::printSection(int sheet, int section, double xOffset)
{
    Printer &P = CurrentPrinter();
    const BandRecord &s = Sections[sheet][section];
    // A later sheet leaves room only for what it prints above its rows.
    double top = P.ScaleY(Margins.Top - Unprintable.Top) + (sheet == 1 ? m_top.TitleHeight : m_laterTitleHeight);
    // Each section carries its heading rows, except the first section of
    // the first sheet, which starts with them.
    const bool heads = (m_top.RepeatHeads && !(sheet == 1 && section == 1)) || HeadsAboveSelection;
    if (heads && m_top.HeadRowCount > 0) {
        PrintHeadingRows(1, top, xOffset);
        top += m_top.HeadRowsHeight;
    }
    if (m_merging.MergeDown) {
        FindMergedCols(s.First, s.Last, m_colBands[1].First, m_colBands[1].Last);
        PrintMergedCols(top, xOffset + captionShift(1));
    }
    P.SetCurrentY(top);
    for (int r = s.First; r <= s.Last; ++r) {
        const double h = rowPrintHeight(r);
        if (h <= 0)
            continue;
        PrintRowOnPage(r, 1, xOffset);
        P.SetCurrentY(P.CurrentY() + h);
    }
}

void PrintEngine::ClassifyColumns()
{
    const GridContents &g = *Grid;
    static const int codes[] = {0x12, 0x22, 0x42, 0x14, 0x24, 0x44, 0x18, 0x28, 0x48};
    static const QRegularExpression date(QStringLiteral("^\\d{1,4}[-/.]\\d{1,2}[-/.]\\d{1,4}( \\d{1,2}:\\d{2}(:\\d{2})?)?$"));
    ColAlignCodes.fill(0x12, g.Cols());
    const int last = g.Rows() - 1;
    for (int c = 0; c < g.Cols(); ++c) {
        const int alignment = g.ColAlignment(c);
        if (alignment >= 0 && alignment <= 8) {
            ColAlignCodes[c] = codes[alignment];
            continue;
        }
        // General: text on the left, numbers and dates on the right.
        int code = 0x18;
        for (int r = g.FixedRows(); r <= last; ++r) {
            if (r >= 51 && r <= last - 51) {
                r = last - 51;
                continue;
            }
            const QString t = g.TextMatrix(r, c).trimmed();
            bool number = false;
            QLocale::c().toDouble(t, &number);
            if (!t.isEmpty() && !number && !date.match(t).hasMatch()) {
                code = 0x12;
                break;
            }
        }
        ColAlignCodes[c] = code;
    }
}
