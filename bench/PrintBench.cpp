// Printing a word list: a 5,000-row list printed to a PDF file, and the page
// count of a 50,000-row list, both with the print window's default options on
// A4 paper.

#include "platform/flexgrid/FlexGrid.h"
#include "platform/printer/QtPrinterDevice.h"
#include "printing/P001.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A list like the headword lists: sort key (hidden), ID, article, Greek,
// English meanings.
std::unique_ptr<flexgrid::FlexGrid> ListGrid(int rows)
{
    auto g = std::make_unique<flexgrid::FlexGrid>();
    g->SetCols(5);
    g->SetRows(rows + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(0);
    const QStringList heads = {QStringLiteral("Sal"), QStringLiteral("ID"), QStringLiteral("Art"),
                               QStringLiteral("Greek"), QStringLiteral("English")};
    const int widths[] = {0, 700, 600, 2600, 4200};
    for (int c = 0; c < 5; ++c) {
        g->SetTextMatrix(0, c, heads[c]);
        g->SetColWidth(c, widths[c]);
    }
    for (int r = 1; r <= rows; ++r) {
        g->SetTextMatrix(r, 0, QStringLiteral("key%1").arg(r));
        g->SetTextMatrix(r, 1, QString::number(r));
        g->SetTextMatrix(r, 2, QStringLiteral("o"));
        g->SetTextMatrix(r, 3, QStringLiteral("lexi%1").arg(r));
        g->SetTextMatrix(r, 4, QStringLiteral("word %1, meaning %2").arg(r).arg(r % 97));
    }
    g->SetRangeFont(1, 3, rows, 3, QStringLiteral("VudedoGreek"), 14);
    return g;
}

void BM_Print5000RowsToPdf(benchmark::State &state)
{
    auto grid = ListGrid(5000);
    QTemporaryDir dir;
    P001 print;
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    print.ChooseOutputFile = [&](const QString &) { return dir.filePath(QStringLiteral("list.pdf")); };
    for (auto _ : state) {
        print.GridToPrint = grid.get();
        print.ReportTitle = QStringLiteral("5000 words");
        print.PrintGridAPI();
    }
    print.GridToPrint = grid.get();
    print.CountGridPages();
    state.counters["pages"] = double(print.RequestPagesWide() * print.RequestPagesHigh());
}
BENCHMARK(BM_Print5000RowsToPdf)->Unit(benchmark::kMillisecond);

void BM_CountPagesOf50000Rows(benchmark::State &state)
{
    auto grid = ListGrid(50000);
    P001 print;
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    print.GridToPrint = grid.get();
    for (auto _ : state)
        print.CountGridPages();
    state.counters["pages"] = double(print.RequestPagesWide() * print.RequestPagesHigh());
}
BENCHMARK(BM_CountPagesOf50000Rows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
