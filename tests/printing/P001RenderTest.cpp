// The recorded drawing of pages: title, headings, page-number line,
// colours, fonts and fitted cell text (10-point font: 100 twips a character,
// 240 a line).
#include "P001Fixture.h"

#include "platform/winsys/VbColor.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"
#include "store/SharedState.h"

#include <QScopeGuard>

#include <algorithm>

TEST_F(P001Test, TitleOnTheFirstPageNumbersBottomRightAndHeadingsOnEveryPage)
{
    MakeGrid(80, 2);
    print.SetReportTitle(QStringLiteral("Verbs"));
    Print(); // every option set at its default
    ASSERT_EQ(rec.pages, 2);
    EXPECT_TRUE(rec.ended);
    EXPECT_NE(rec.Find(QStringLiteral("Verbs"), 1), nullptr);
    EXPECT_EQ(rec.Find(QStringLiteral("Verbs"), 2), nullptr);
    EXPECT_NE(rec.Find(QStringLiteral("H1"), 2), nullptr) << "heading rows repeat";

    QString line;
    for (const tavtest::DrawnText &t : rec.texts)
        if (t.page == 2 && t.text.endsWith(QLatin1String("Page: 2 of 2")))
            line = t.text;
    ASSERT_FALSE(line.isEmpty());
    EXPECT_TRUE(line.startsWith(QLatin1String("Printed at ")));
    EXPECT_TRUE(line.contains(QLatin1String(". Page: 2")));
    const tavtest::DrawnText *t = rec.Find(line, 2);
    // Right-aligned two "X" short of the right edge, on the last line.
    EXPECT_DOUBLE_EQ(t->at.x(), 12000 - (line.size() + 2) * 100.0);
    EXPECT_DOUBLE_EQ(t->at.y(), 16000 - 240);
    EXPECT_EQ(t->family, grid->Font().family());
    EXPECT_FALSE(print.Printing());
    EXPECT_EQ(print.GridToPrint(), nullptr);
}

TEST_F(P001Test, ACentredTitleAndCentredNumberIncludeTheLeftMargin)
{
    MakeGrid(3, 2);
    print.SetReportTitle(QStringLiteral("Nouns"));
    print.SetMarginUnits(printer::vbTwips);
    print.SetLeftMargin(2000);
    print.SetTopMargin(500);
    print.SetTitlePages(0x245 | 0x80);         // centred
    print.SetPageNumbering(0x1 | 0x4 | 0x40);  // all pages, bottom centre
    Print();
    const tavtest::DrawnText *title = rec.Find(QStringLiteral("Nouns"));
    ASSERT_NE(title, nullptr);
    // 10000 twips between the margins; the title is 5 characters at 10 pt.
    EXPECT_DOUBLE_EQ(title->at.x(), 2000 + (10000 - 500) / 2.0);
    EXPECT_DOUBLE_EQ(title->at.y(), 500);
    int numbers = 0;
    for (const tavtest::DrawnText &t : rec.texts) {
        if (t.text.endsWith(QLatin1String("Page: 1"))) {
            ++numbers;
            EXPECT_DOUBLE_EQ(t.at.x(), 2000 + (10000 - t.text.size() * 100.0) / 2);
        }
    }
    EXPECT_EQ(numbers, 1);
}

TEST_F(P001Test, PrintGridWithOptionsWordZeroShadesHeadingsWithoutOutlines)
{
    MakeGrid(40, 2, 2000, 300);
    rec = {};
    print.PrintGrid(grid.get(), 0, QStringLiteral("No title"), 0);
    ASSERT_EQ(rec.pages, 1);
    EXPECT_EQ(rec.copies, 1);
    EXPECT_EQ(rec.Find(QStringLiteral("No title")), nullptr) << "no placement bit: no title";
    // Cells are filled but not outlined: headings with the button face.
    ASSERT_EQ(rec.boxes.size(), 80);
    for (const tavtest::DrawnBox &b : rec.boxes) {
        EXPECT_EQ(b.fill, winsys::FromVbColor(b.box.top() < 400 ? 0x8000000F : 0xFFFFFF));
        EXPECT_FALSE(b.outline.isValid());
    }
    // Page numbers from the second page on: a one-page job shows none.
    for (const tavtest::DrawnText &t : rec.texts)
        EXPECT_FALSE(t.text.contains(QLatin1String("Page:")));
}

TEST_F(P001Test, CellColoursAndAlignmentFollowTheGrid)
{
    flexgrid::FlexGrid &g = MakeGrid(4, 3);
    g.SetBackColorFixed(0x00FF00);
    g.SetTextMatrix(1, 1, QStringLiteral("12"));
    g.SetTextMatrix(2, 1, QStringLiteral("7.5"));
    g.SetTextMatrix(3, 1, QString());
    g.SetRangeBackColor(2, 2, 2, 2, 0x0000FF);
    g.SetRow(2);
    g.SetCol(2);
    Print();
    // Heading boxes in the grid's heading colour, the red cell in red.
    bool headGreen = false, cellRed = false;
    for (const tavtest::DrawnBox &b : rec.boxes) {
        headGreen |= b.box.top() == 0 && b.fill == winsys::FromVbColor(0x00FF00);
        cellRed |= b.fill == winsys::FromVbColor(0x0000FF) && b.box.left() > 4000;
    }
    EXPECT_TRUE(headGreen);
    EXPECT_TRUE(cellRed);
    // A column of numbers prints right-aligned, text columns left-aligned
    // one millimetre in.
    const tavtest::DrawnText *n = rec.Find(QStringLiteral("12"));
    ASSERT_NE(n, nullptr);
    EXPECT_DOUBLE_EQ(n->at.x(), 2 * 2056.7 - 200);
    EXPECT_DOUBLE_EQ(rec.Find(QStringLiteral("r1c0"))->at.x(), 56.7);
    // Reading colours and fonts left the current cell where it was.
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
}

TEST_F(P001Test, WrappedCellsBreakAtBlanksAndKeepTheRemainder)
{
    flexgrid::FlexGrid &g = MakeGrid(2, 1, 1100, 600);
    g.SetWordWrap(true);
    // 1100 twips for text: two words a line.
    P001::CellTextFit two = Fit(QStringLiteral("alpha beta gamma"), 1156.7, 600);
    EXPECT_EQ(two.LineCount, 2);
    EXPECT_EQ(two.Lines, QStringList({QStringLiteral("alpha beta"), QStringLiteral("gamma")}));
    P001::CellTextFit one = Fit(QStringLiteral("alpha beta gamma"), 1156.7, 300);
    EXPECT_EQ(one.LineCount, 0);
    EXPECT_EQ(one.Line, QStringLiteral("alpha beta"));
    EXPECT_EQ(one.Text, QStringLiteral(" gamma"));

    g.SetWordWrap(false);
    P001::CellTextFit cut = Fit(QStringLiteral("alphabetagamma\nsecond"), 1156.7, 600);
    EXPECT_EQ(cut.Line, QStringLiteral("alphabetaga"));
    EXPECT_EQ(cut.Text, QStringLiteral("mma\nsecond"));
    EXPECT_EQ(Fit(QString(), 1000, 300).Line, QString());
}

TEST_F(P001Test, CellFontsNeverReachTheTitleOrThePageNumber)
{
    flexgrid::FlexGrid &g = MakeGrid(60, 2);
    g.SetRangeFont(1, 1, 59, 1, QStringLiteral("VudedoGreek"), 14);
    print.SetReportTitle(QStringLiteral("Greek"));
    print.SetTitlePages(0x245 | 0x8); // on every page
    Print();
    ASSERT_GE(rec.pages, 2);
    EXPECT_EQ(rec.Find(QStringLiteral("r1c1"))->family, QStringLiteral("VudedoGreek"));
    EXPECT_EQ(rec.Find(QStringLiteral("r1c1"))->size, 10.0) << "the cell's size is not applied";
    EXPECT_NE(rec.Find(QStringLiteral("r1c0"))->family, QStringLiteral("VudedoGreek"));
    for (const tavtest::DrawnText &t : rec.texts) {
        if (t.text == QLatin1String("Greek") || t.text.contains(QLatin1String("Page:"))) {
            EXPECT_NE(t.family, QStringLiteral("VudedoGreek")) << t.text.toStdString();
        }
    }
}

TEST_F(P001Test, WithoutTheDialogEveryPagePrintsAndTheProgressViewCloses)
{
    MakeGrid(200, 2);
    PlainLayout();
    Count();
    ASSERT_EQ(print.RequestPagesHigh(), 4);
    // A page list is the dialog's: a run reads the options anew.
    print.SetPageList({2, 4});
    print.SetShowProgress(true);
    Print();
    EXPECT_EQ(rec.pages, 4) << "without the dialog every page prints";
    EXPECT_FALSE(print.isVisible());
}

TEST_F(P001Test, AFailingPageAsksAbortRetryIgnoreAndAlwaysEndsTheRun)
{
    MakeGrid(200, 2); // 5 pages
    PlainLayout();
    rec.failNewPage = true;
    winsys::ScriptedMessages messages;
    messages.Answer(winsys::vbIgnore);
    messages.Answer(winsys::vbAbort);
    Print();
    ASSERT_EQ(messages.Messages().size(), 2);
    EXPECT_EQ(messages.Messages()[0].title, QStringLiteral("Unexpected Error"));
    EXPECT_EQ(messages.Messages()[0].style, winsys::vbAbortRetryIgnore | winsys::vbExclamation);
    EXPECT_TRUE(messages.Messages()[0].prompt.startsWith(QLatin1String("Unexpected Error Occured.\nPlease note details.\n482\n")));
    EXPECT_TRUE(rec.killed) << "an aborted job is abandoned";
    EXPECT_FALSE(rec.ended);
    EXPECT_TRUE(print.PrintComplete());
    EXPECT_FALSE(print.Printing());
    EXPECT_EQ(winsys::PointerDepth(), 0);
}

TEST_F(P001Test, MergedCellsPrintAsOneBoxAndLeftTopStaysLeft)
{
    flexgrid::FlexGrid &g = MakeGrid(5, 4);
    g.SetMergeCells(flexgrid::flexMergeFree);
    g.SetMergeCol(0, true);
    for (int r = 1; r <= 3; ++r)
        g.SetTextMatrix(r, 0, QStringLiteral("same"));
    g.SetMergeRow(4, true);
    g.SetTextMatrix(4, 1, QStringLiteral("wide"));
    g.SetTextMatrix(4, 2, QStringLiteral("wide"));
    // Numbers align right, but a cell set to left-top keeps it.
    for (int r = 1; r <= 4; ++r)
        g.SetTextMatrix(r, 3, QString::number(r));
    g.SetRow(2);
    g.SetCol(3);
    g.SetCellAlignment(flexgrid::flexAlignLeftTop);
    PlainLayout();
    Print();
    int same = 0, wide = 0;
    for (const tavtest::DrawnText &t : rec.texts) {
        same += t.text == QLatin1String("same");
        wide += t.text == QLatin1String("wide");
    }
    EXPECT_EQ(same, 1) << "a vertical run prints its text once";
    EXPECT_EQ(wide, 1) << "a horizontal run prints its text once";
    bool tall = false, broad = false;
    for (const tavtest::DrawnBox &b : rec.boxes) {
        tall |= b.box.height() == 900 && b.box.left() == 0;
        broad |= std::abs(b.box.width() - 2 * 2056.7) < 1e-6;
    }
    EXPECT_TRUE(tall);
    EXPECT_TRUE(broad);
    EXPECT_DOUBLE_EQ(rec.Find(QStringLiteral("2"))->at.x(), 3 * 2056.7 + 56.7);
    EXPECT_DOUBLE_EQ(rec.Find(QStringLiteral("3"))->at.x(), 4 * 2056.7 - 100);
}

TEST_F(P001Test, AHeadingRowTheListHidesStillPrintsOnEveryPage)
{
    // Lists show their headings as buttons above a hidden heading row.
    flexgrid::FlexGrid &g = MakeGrid(80, 2);
    g.SetRowHeight(0, 0);
    PlainLayout();
    Print();
    ASSERT_EQ(rec.pages, 2);
    EXPECT_NE(rec.Find(QStringLiteral("H0"), 1), nullptr);
    EXPECT_NE(rec.Find(QStringLiteral("H0"), 2), nullptr);
    EXPECT_DOUBLE_EQ(rec.Find(QStringLiteral("r1c0"), 1)->at.y(), 300) << "below the heading row";
}

// A simple list's "Lat" column is headed by the language searched in; a
// standard list's, or a grid no list handed over, prints "Lat". The list is
// forgotten with its grid when the run ends.
TEST_F(P001Test, ASimpleListsLatColumnIsHeadedByTheSearchLanguage)
{
    using Kind = P001::ListKind;
    const auto reset = qScopeGuard([] { tav::ResetSharedState(); });
    tav::Opt3rdLang = QStringLiteral("Swedish");
    const struct {
        Kind kind;
        int searchLang;
        const char *heading;
    } cases[] = {
        {Kind::Simple, 5, "English"}, {Kind::Simple, 6, "Swedish"},  {Kind::Simple, 4, "Lat"},
        {Kind::Standard, 5, "Lat"},   {Kind::Standard, 6, "Lat"},    {Kind::None, 5, "Lat"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.heading);
        rec = {};
        MakeGrid(5, 3).SetTextMatrix(0, 2, QStringLiteral("Lat"));
        print.SetListToPrint({c.kind, {}});
        tav::SearchLang = c.searchLang;
        Print();
        ASSERT_TRUE(rec.ended);
        EXPECT_NE(rec.Find(QLatin1String(c.heading), 1), nullptr);
        EXPECT_EQ(rec.Find(QStringLiteral("Lat"), 1) != nullptr, qstrcmp(c.heading, "Lat") == 0);
    }
    rec = {};
    MakeGrid(5, 3).SetTextMatrix(0, 2, QStringLiteral("Lat"));
    tav::SearchLang = 5;
    Print();
    EXPECT_NE(rec.Find(QStringLiteral("Lat"), 1), nullptr) << "the last run's list was forgotten";
}

TEST_F(P001Test, ATopPageNumberGoesOnTheLineBelowATitleOnEveryPage)
{
    MakeGrid(120, 2);
    print.SetReportTitle(QStringLiteral("Nouns"));
    print.SetTitlePages(0x1 | 0x8 | 0x80 | 0x200); // all pages, centred, headings repeated
    print.SetPageNumbering(0x1 | 0x4 | 0x800);     // all pages, top centre
    Print();
    ASSERT_GE(rec.pages, 2);
    for (int page = 1; page <= rec.pages; ++page) {
        const tavtest::DrawnText *title = rec.Find(QStringLiteral("Nouns"), page);
        const tavtest::DrawnText *number = nullptr;
        for (const tavtest::DrawnText &t : rec.texts)
            if (t.page == page && t.text.endsWith(QStringLiteral("Page: %1").arg(page)))
                number = &t;
        ASSERT_NE(title, nullptr) << page;
        ASSERT_NE(number, nullptr) << page;
        // The title's line is 1.5 lines of 240 twips; the headings follow the number's line.
        EXPECT_DOUBLE_EQ(number->at.y(), title->at.y() + 360) << page;
        const tavtest::DrawnText *heading = rec.Find(QStringLiteral("H0"), page);
        ASSERT_NE(heading, nullptr) << page;
        EXPECT_GE(heading->at.y(), number->at.y() + 240) << page;
    }
}

// A title printed on the first page (or the first row of pages) only leaves
// the later pages' tops free: their heading row starts at the top margin,
// and the rows fill the page from there.
TEST_F(P001Test, LaterPagesStartAtTheTopMarginUnlessTheyCarryTheTitle)
{
    const struct {
        long placement;
        bool laterTitled;
    } cases[] = {{0x4, false}, {0x20, false}, {0x8, true}, {0x10, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.placement);
        rec = {};
        MakeGrid(150, 2);
        PlainLayout(500);
        print.SetTitlePages(0x201 | c.placement);
        print.SetReportTitle(QStringLiteral("Verbs"));
        Print();
        ASSERT_GE(rec.pages, 3);
        for (int page = 2; page <= rec.pages; ++page) {
            EXPECT_EQ(rec.Find(QStringLiteral("Verbs"), page) != nullptr, c.laterTitled) << page;
            const tavtest::DrawnText *head = rec.Find(QStringLiteral("H0"), page);
            ASSERT_NE(head, nullptr) << page;
            // The title takes 1.5 lines of 240 twips.
            EXPECT_DOUBLE_EQ(head->at.y(), 500 + (c.laterTitled ? 360 : 0)) << page;
        }
        // Page 2 is full: its last row ends within a row's height of the paper's foot.
        double lowest = 0;
        for (const tavtest::DrawnText &t : rec.texts)
            if (t.page == 2)
                lowest = std::max(lowest, t.at.y());
        EXPECT_LE(lowest + 300, 16000);
        EXPECT_GT(lowest + 600, 16000);
    }
}
