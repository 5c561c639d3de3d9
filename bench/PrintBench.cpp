// Printing the "All Greek" list as the standard list window holds it (a
// generated database; the third-language column makes it two sheets wide):
// 5,000 rows printed to a PDF file as the print command does, against a bare
// QPdfWriter run of the same rows and layout in the same run; and the page
// count of the 50,000-row list.

#include "BenchProgram.h"
#include "GeneratedWordDb.h"
#include "UserWait.h"

#include "grids/GridStd.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/font/FontLoader.h"
#include "platform/font/GreekKeys.h"
#include "printing/P001.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>

namespace {

constexpr int PrintedRows = 5000;
constexpr double TwipsPerMM = 56.7;

tavbench::BenchProgram *g_program = nullptr;

// The "All Greek" list as the Show button opens it.
void OpenAllGreek()
{
    g_program->SelectNode(QStringLiteral("All Greek"));
    tavbench::Click(g_program->Mdi().Control<QPushButton>("cmdShow"));
    tavbench::ProcessUntilIdle();
    if (!g_program->NewestList())
        std::abort();
}

flexgrid::FlexGrid &AllGreekGrid() { return *g_program->NewestList()->Grid; }

QString AllGreekCaption() { return g_program->NewestList()->windowTitle(); }

// The print command's settings: 20 mm left and top margins, no dialog.
void SetUpAsThePrintCommand(P001 &print, flexgrid::FlexGrid &grid, const QString &file)
{
    print.SetChooseOutputFile([file](const QString &) { return file; });
    print.SetGridToPrint(&grid);
    print.SetMarginUnits(6);
    print.SetLeftMargin(20);
    print.SetTopMargin(20);
    print.SetReportTitle(AllGreekCaption());
    print.SetFormToPrint(QStringLiteral("GridStd"));
    print.SetAllowDialogue(false);
}

// The same rows and layout drawn straight with QPdfWriter: A4 without strips,
// 20 mm margins left and top, the visible columns with their 1 mm gap cut
// into bands across, the heading row on every page, the title on the first
// page and a page-number line at the foot; each cell a quarter-point box
// and its text in its font (Greek keys as Greek letters in DejaVu Sans),
// cut to the cell's width.
// Returns the pages written.
int BarePdfRun(const flexgrid::FlexGrid &g, const QString &title, const QString &path)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Tavrinel"));
    const double unit = pdf.resolution() / 1440.0; // device units a twip
    QPainter p(&pdf);
    p.setPen(QPen(Qt::black, 0.25 * pdf.resolution() / 72.0));

    QHash<QString, QFontMetricsF> metrics;
    auto printedFont = [](QFont f) {
        if (f.family() == winsys::GreekFamily) {
            f.setFamily(QStringLiteral("DejaVu Sans"));
            f.setKerning(false);
        }
        return f;
    };
    QFont lastFont;
    std::optional<QFontMetricsF> last;
    auto fm = [&](const QFont &f) -> const QFontMetricsF & {
        if (last && f == lastFont)
            return *last;
        auto it = metrics.find(f.key());
        if (it == metrics.end())
            it = metrics.insert(f.key(), QFontMetricsF(printedFont(f), &pdf));
        lastFont = f;
        last = it.value();
        return *last;
    };
    // A text cut to the width it has (none: the whole text).
    auto drawText = [&](double x, double y, const QFont &font, const QString &text, double width = 0) {
        p.setFont(printedFont(font));
        QString shown = font.family() == winsys::GreekFamily ? winsys::GreekKeysToUnicode(text) : text;
        while (width > 0 && !shown.isEmpty() && fm(font).horizontalAdvance(shown) > width * unit)
            shown.chop(1);
        p.drawText(QPointF(x * unit, y * unit + fm(font).ascent()), shown);
    };

    QVector<int> cols;
    QVector<double> widths;
    for (int c = 0; c < g.Cols(); ++c)
        if (g.ColWidth(c) > 30) {
            cols << c;
            widths << g.ColWidth(c) + TwipsPerMM;
        }
    const double left = 20 * TwipsPerMM, top = 20 * TwipsPerMM;
    const double W = 210 * TwipsPerMM - left;
    const double lineHeight = fm(g.Font()).height() / unit;
    const double H = 297 * TwipsPerMM - top - (lineHeight + TwipsPerMM);
    const double titleHeight = fm(g.Font()).height() * 1.5 / unit;
    const double headHeight = g.RowHeight(1);

    QVector<std::pair<int, int>> colBands; // first and last index into cols
    for (int i = 0, first = 0; i < cols.size(); ++i) {
        double run = 0;
        for (int k = first; k <= i; ++k)
            run += widths[k];
        if (run > W && i > first) {
            colBands.append({first, i - 1});
            first = i;
        }
        if (i == cols.size() - 1)
            colBands.append({first, i});
    }
    QVector<std::pair<int, int>> rowBands;
    double used = titleHeight;
    int first = g.FixedRows();
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        const double h = g.RowHeight(r);
        if (used + h > H && r > first) {
            rowBands.append({first, r - 1});
            first = r;
            used = titleHeight + headHeight;
        }
        used += h;
    }
    rowBands.append({first, g.Rows() - 1});

    const int total = int(rowBands.size() * colBands.size());
    int page = 0;
    for (const auto &rows : rowBands) {
        for (const auto &band : colBands) {
            if (page++ > 0)
                pdf.newPage();
            double y = top;
            if (page == 1)
                drawText(left, y, g.Font(), title);
            y += titleHeight;
            auto drawRow = [&](int r, double h) {
                double x = left;
                for (int i = band.first; i <= band.second; ++i) {
                    p.drawRect(QRectF(x * unit, y * unit, widths[i] * unit, h * unit));
                    drawText(x + TwipsPerMM, y, g.CellFontAt(r, cols[i]), g.TextMatrix(r, cols[i]), widths[i] - TwipsPerMM);
                    x += widths[i];
                }
                y += h;
            };
            drawRow(0, headHeight);
            for (int r = rows.first; r <= rows.second; ++r)
                drawRow(r, g.RowHeight(r));
            drawText(left, 297 * TwipsPerMM - lineHeight, g.Font(), QStringLiteral("Page: %1 of %2").arg(page).arg(total));
        }
    }
    p.end();
    return total;
}

// The print window on the list (cut to its first `rows` rows when given),
// set up as the print command does: each iteration counts the pages or
// prints them to a PDF file (with the progress view shown when asked).
void PrintWindowRun(benchmark::State &state, int rows, bool countOnly, bool progress = false)
{
    flexgrid::FlexGrid &grid = AllGreekGrid();
    if (rows > 0)
        grid.SetRows(rows + 1);
    QTemporaryDir dir;
    P001 print;
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    for (auto _ : state) {
        SetUpAsThePrintCommand(print, grid, dir.filePath(QStringLiteral("list.pdf")));
        print.SetShowProgress(progress);
        if (countOnly)
            print.CountGridPages();
        else
            print.PrintGridAPI();
    }
    SetUpAsThePrintCommand(print, grid, dir.filePath(QStringLiteral("list.pdf")));
    print.CountGridPages();
    state.counters["rows"] = grid.Rows() - 1;
    state.counters["pages"] = double(print.RequestPagesWide() * print.RequestPagesHigh());
    state.counters["wide"] = double(print.RequestPagesWide());
}

void CountPagesOf50000Rows(benchmark::State &state) { PrintWindowRun(state, 0, true); }

void Print5000RowsToPdf(benchmark::State &state) { PrintWindowRun(state, PrintedRows, false); }

// The same run with "Show Print Progress" ticked: the view is painted while
// the pages are made, at a cost of a few per cent at most.
void Print5000RowsToPdfWithProgress(benchmark::State &state) { PrintWindowRun(state, PrintedRows, false, true); }

void BareQPdfWriter5000Rows(benchmark::State &state)
{
    flexgrid::FlexGrid &grid = AllGreekGrid();
    grid.SetRows(PrintedRows + 1);
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state)
        pages = BarePdfRun(grid, AllGreekCaption(), dir.filePath(QStringLiteral("bare.pdf")));
    state.counters["rows"] = grid.Rows() - 1;
    state.counters["pages"] = pages;
}

} // namespace

int main(int argc, char **argv)
{
    tavbench::WindowBenchApp app(argc, argv);
    tavbench::BenchProgram program(tavbench::GeneratedWordDbPath(50000));
    program.Start();
    g_program = &program;
    OpenAllGreek();
    // The count runs on the whole list first; the print runs then keep its
    // first 5,000 rows.
    benchmark::RegisterBenchmark("CountPagesAllGreek/50000", CountPagesOf50000Rows)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PrintAllGreekToPdf/5000", Print5000RowsToPdf)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PrintAllGreekToPdfWithProgress/5000", Print5000RowsToPdfWithProgress)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BareQPdfWriterAllGreek/5000", BareQPdfWriter5000Rows)->Unit(benchmark::kMillisecond);
    const int result = app.Run();
    g_program = nullptr;
    program.Stop();
    return result;
}
