// The print engine alone: a grid's contents as plain data, a recording
// printer, no window. Lengths in twips; the recording printer's paper is
// 12000 by 16000, 10-point text 240 a line.
#include "RecordingPrinter.h"

#include "printing/PrintEngine.h"

#include <gtest/gtest.h>

namespace {

// A grid of rows x cols with one heading row: "H<c>" and "r<r>c<c>", every
// column 2000 wide and every row 300 high unless changed.
class TableGrid : public GridContents {
public:
    TableGrid(int rows, int cols) : m_rows(rows), m_cols(cols), m_heights(rows, 300) {}

    int Rows() const override { return m_rows; }
    int Cols() const override { return m_cols; }
    int FixedRows() const override { return 1; }
    int FixedCols() const override { return 0; }
    int ColWidth(int) const override { return 2000; }
    int RowHeight(int row) const override { return m_heights[row]; }
    QString TextMatrix(int row, int col) const override
    {
        return row == 0 ? m_heads.value(col, QStringLiteral("H%1").arg(col)) : QStringLiteral("r%1c%2").arg(row).arg(col);
    }
    QFont Font() const override { return QFont(QStringLiteral("DejaVu Sans"), 10); }
    QFont CellFontAt(int, int) const override { return Font(); }
    bool WordWrap() const override { return false; }
    int ColAlignment(int) const override { return 0; }
    int FixedAlignment(int) const override { return 0; }
    bool CellAlignmentSetAt(int, int) const override { return false; }
    int CellAlignmentAt(int, int) const override { return 0; }
    bool MergeRow(int) const override { return false; }
    bool MergeCol(int) const override { return false; }
    long long BackColor() const override { return 0xFFFFFF; }
    long long ForeColor() const override { return 0; }
    long long GridColor() const override { return 0; }
    long long BackColorFixed() const override { return 0xC0C0C0; }
    long long ForeColorFixed() const override { return 0; }
    long long GridColorFixed() const override { return 0; }
    long long CellBackColorAt(int, int) const override { return 0; }
    long long CellForeColorAt(int, int) const override { return 0; }

    int m_rows, m_cols;
    QVector<int> m_heights;
    QStringList m_heads;
};

class PrintEngineTest : public ::testing::Test {
protected:
    PrintEngineTest() : grid(101, 3)
    {
        engine.SetPrinterSource(std::make_shared<tavtest::RecordingSource>(rec));
        engine.setGrid(&grid);
        engine.setReportFont(grid.Font());
        engine.CurrentPrinter().SetFontSize(10);
        engine.setTitlePlacement(0);
        engine.setRepeatHeads(true);
        PrintEngine::PageNumbering numbering;
        numbering.NumberingMode = 0;
        engine.setNumbering(numbering);
    }
    // Measures the grid and counts its pages.
    bool Count(bool interactive = false)
    {
        engine.measureGrid();
        engine.measureStdRowHeight();
        engine.GetPrintableArea();
        return engine.CountPages(interactive);
    }

    tavtest::Recording rec;
    TableGrid grid;
    PrintEngine engine;
};

} // namespace

TEST_F(PrintEngineTest, PaginatesAGridIntoBandsThatFillThePage)
{
    ASSERT_TRUE(Count());
    // 16000 / 300 = 53 rows a page: the heading row and 52 data rows, then
    // the repeated heading row and the other 48.
    EXPECT_EQ(engine.pagesWide(), 1);
    ASSERT_EQ(engine.pagesHigh(), 2);
    EXPECT_EQ(engine.rowBands()[1].First, 0);
    EXPECT_EQ(engine.rowBands()[1].Last, 52);
    EXPECT_EQ(engine.rowBands()[2].First, 53);
    EXPECT_EQ(engine.rowBands()[2].Last, 100);

    // Six columns of 2056.7 are two bands across the 12000 twips.
    TableGrid wide(101, 6);
    engine.setGrid(&wide);
    ASSERT_TRUE(Count());
    EXPECT_EQ(engine.pagesWide(), 2);
    EXPECT_EQ(engine.colBands()[1].Last, 4);
}

TEST_F(PrintEngineTest, PrintsEachPageOnThePrinterItOwns)
{
    ASSERT_TRUE(Count());
    engine.setSheetsWide(engine.pagesWide());
    engine.setSheetsHigh(engine.pagesHigh());
    engine.ClassifyColumns();
    engine.PrintPage(1);
    engine.PrintPage(2);
    engine.CurrentPrinter().EndDoc();
    EXPECT_EQ(rec.pages, 2);
    EXPECT_NE(rec.Find(QStringLiteral("r52c1"), 1), nullptr);
    EXPECT_NE(rec.Find(QStringLiteral("r53c1"), 2), nullptr);
    EXPECT_NE(rec.Find(QStringLiteral("H2"), 2), nullptr) << "the heading row repeats";
    EXPECT_EQ(rec.jobs, QStringList({QStringLiteral("Recorder")}));

    // A page the page list leaves out prints nothing.
    rec = {};
    engine.setPageList({2});
    engine.setPageStarted(false);
    engine.PrintPage(1);
    EXPECT_TRUE(rec.texts.isEmpty());
    engine.PrintPage(2);
    EXPECT_NE(rec.Find(QStringLiteral("r100c0")), nullptr);
}

// A title over each row of pages side by side stands on the page its
// justification names; centred over an even number of pages it is split
// between the middle two, the left half ending at its page's right edge.
TEST_F(PrintEngineTest, ATitleOverEachRowOfPagesStandsWhereItIsJustified)
{
    TableGrid wide(101, 6); // two pages across, two down
    engine.setGrid(&wide);
    engine.setReportTitle(QStringLiteral("Nouns of the week"));
    auto titles = [&](int placement, int justify) {
        engine.setTitlePlacement(placement);
        engine.setTitleJustify(justify);
        rec = {};
        engine.setPageStarted(false);
        EXPECT_TRUE(Count());
        engine.setSheetsWide(engine.pagesWide());
        engine.setSheetsHigh(engine.pagesHigh());
        engine.ClassifyColumns();
        QStringList onPages;
        for (int page = 1; page <= engine.pagesWide() * engine.pagesHigh(); ++page) {
            engine.PrintPage(page);
            QStringList title;
            for (const QString &t : rec.TextsOn(page))
                if (!t.startsWith(QLatin1Char('r')) && !t.startsWith(QLatin1Char('H')))
                    title << t;
            onPages << title.join(QLatin1Char('|'));
        }
        engine.CurrentPrinter().EndDoc();
        return onPages;
    };
    const QString whole = QStringLiteral("Nouns of the week"), left = QStringLiteral("Nouns of"),
                  right = QStringLiteral(" the week");
    EXPECT_EQ(titles(4, 0), QStringList({whole, {}, whole, {}}));
    EXPECT_EQ(titles(4, 2), QStringList({{}, whole, {}, whole}));
    EXPECT_EQ(titles(4, 1), QStringList({left, right, left, right}));
    EXPECT_DOUBLE_EQ(rec.Find(left)->at.x(), 12000 - 10 * 100); // "Nouns of" and two more letters' room
    EXPECT_DOUBLE_EQ(rec.Find(right)->at.x(), 0);
    // Over the first row of pages only.
    EXPECT_EQ(titles(3, 1), QStringList({left, right, {}, {}}));
}

TEST_F(PrintEngineTest, FitProblemsAreToldOnlyToAnInteractiveCountAndTheAnswerMendsThem)
{
    QVector<PrintEngine::FitProblem> told;
    bool giveUp = false;
    engine.setOnFitProblem([&](PrintEngine::FitProblem p) {
        told << p;
        return giveUp;
    });
    grid.m_heights[5] = 20000;
    EXPECT_FALSE(Count(false));
    EXPECT_TRUE(told.isEmpty());
    EXPECT_FALSE(Count(true));
    EXPECT_EQ(told, QVector<PrintEngine::FitProblem>({PrintEngine::FitProblem::RowTooHigh}));
    EXPECT_EQ(engine.pagesHigh(), 0);

    // The title and the repeated heading row (at the first data row's
    // height) more than the page: kept, no pages; given up, pages.
    grid.m_heights[5] = 300;
    grid.m_heights[1] = 15900;
    engine.setReportTitle(QStringLiteral("Nouns"));
    engine.setTitlePlacement(2); // a title line of 360 on every page
    told.clear();
    engine.setRepeatHeads(true);
    EXPECT_FALSE(Count(true));
    EXPECT_TRUE(told.contains(PrintEngine::FitProblem::HeadingsTooHigh));
    giveUp = true;
    EXPECT_TRUE(Count(true));
    EXPECT_FALSE(engine.topBlock().RepeatHeads);

    // With the title on the first page only, later pages given up their
    // heading rows keep only their page number's line (240 + 56.7).
    PrintEngine::PageNumbering top;
    top.NumberingMode = 2;
    top.NumberPosition = 0;
    engine.setNumbering(top);
    engine.setTitlePlacement(1);
    engine.setRepeatHeads(true);
    grid.m_heights[1] = 15800;
    told.clear();
    EXPECT_TRUE(Count(true));
    EXPECT_EQ(told, QVector<PrintEngine::FitProblem>({PrintEngine::FitProblem::HeadingsTooHigh}));
    EXPECT_DOUBLE_EQ(engine.topBlock().LaterPageTop, 296.7);
    EXPECT_DOUBLE_EQ(engine.topBlock().FirstPageTop, 360 + 296.7);
}

TEST_F(PrintEngineTest, AChosenPrinterReplacesTheOneBeforeAndAVanishedOneGivesWayToTheDefault)
{
    tavtest::RecordedPrinter a, b;
    a.name = QStringLiteral("A");
    b.name = QStringLiteral("B");
    b.paper = QSizeF(8000, 10000);
    auto source = std::make_shared<tavtest::RecordingSource>(rec, QVector<tavtest::RecordedPrinter>{a, b}, QStringLiteral("A"));
    engine.SetPrinterSource(source);
    EXPECT_EQ(engine.CurrentPrinter().DeviceName(), QStringLiteral("A"));
    EXPECT_EQ(engine.refreshPrinters(QStringLiteral("B")), QString());
    EXPECT_EQ(engine.CurrentPrinter().DeviceName(), QStringLiteral("B"));
    EXPECT_DOUBLE_EQ(engine.CurrentPrinter().Width(), 8000);
    EXPECT_EQ(engine.PrinterIndex(), 1);

    source->printers.removeLast();
    EXPECT_EQ(engine.refreshPrinters(QVariant()), QStringLiteral("B"));
    EXPECT_EQ(engine.PrinterName(), QStringLiteral("A"));
    EXPECT_EQ(engine.CurrentPrinter().DeviceName(), QStringLiteral("A"));
}

TEST_F(PrintEngineTest, MarginsCountFromThePaperEdgeOnAPrinterWithStrips)
{
    // Strips of 720 all round; margins of 1440 from the paper's edge leave
    // 9120 by 13120 between them, the strips lying inside the margins.
    tavtest::RecordedPrinter strips;
    strips.name = QStringLiteral("Strips");
    strips.printable = QRectF(720, 720, 12000 - 1440, 16000 - 1440);
    engine.SetPrinterSource(std::make_shared<tavtest::RecordingSource>(
        rec, QVector<tavtest::RecordedPrinter>{strips}, QStringLiteral("Strips")));
    engine.GetPrintableArea();
    PrintEngine::PageArea inch = engine.margins();
    inch.Top = inch.Bottom = inch.Left = inch.Right = 1440;
    engine.setMargins(inch);
    engine.rememberMargins();
    TableGrid four(101, 4);
    engine.setGrid(&four);
    ASSERT_TRUE(Count());
    // Four columns of 2056.7 fit the 9120 across; 13120 / 300 = 43 rows down.
    EXPECT_EQ(engine.pagesWide(), 1);
    ASSERT_GE(engine.pagesHigh(), 2);
    EXPECT_EQ(engine.rowBands()[1].Last, 42);

    // The table starts at the left margin: 720 into the printable area.
    engine.setSheetsWide(engine.pagesWide());
    engine.setSheetsHigh(engine.pagesHigh());
    engine.ClassifyColumns();
    engine.PrintPage(1);
    engine.CurrentPrinter().EndDoc();
    const auto *cell = rec.Find(QStringLiteral("r1c0"), 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_NEAR(cell->at.x(), 720, 120);
}
