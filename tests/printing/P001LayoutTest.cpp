// Pagination with fixed metrics: the paper is 12000 x 16000 twips, a column
// prints 56.7 twips wider than the grid shows it.
#include "P001Fixture.h"

using Band = P001::BandRecord;

TEST_F(P001Test, RowBandsFillThePageExactlyAndLaterPagesRepeatTheHeadings)
{
    // 15000 twips of height: 50 rows of 300 fill the first page exactly.
    MakeGrid(50, 2);
    PlainLayout(1000);
    Count();
    EXPECT_EQ(print.RequestPagesHigh(), 1);
    EXPECT_EQ(print.RequestPagesWide(), 1);

    MakeGrid(52, 2);
    Count();
    ASSERT_EQ(print.RequestPagesHigh(), 2);
    EXPECT_EQ(print.RowBands()[1].First, 0);
    EXPECT_EQ(print.RowBands()[1].Last, 49);
    EXPECT_DOUBLE_EQ(print.RowBands()[1].Extent, 15000);
    // The second page starts below the repeated heading row.
    EXPECT_EQ(print.RowBands()[2].First, 50);
    EXPECT_EQ(print.RowBands()[2].Last, 51);
    EXPECT_DOUBLE_EQ(print.RowBands()[2].Extent, 300 + 2 * 300);
}

TEST_F(P001Test, TheHeadingRowCountsAtTheHeightItPrintsAt)
{
    // A tall heading row prints at the data rows' height when repeated, so
    // the first page holds as many rows as that height allows.
    flexgrid::FlexGrid &g = MakeGrid(52, 2);
    g.SetRowHeight(0, 3000);
    PlainLayout(1000);
    Count();
    EXPECT_EQ(print.RequestPagesHigh(), 2);
    EXPECT_EQ(print.RowBands()[1].Last, 49);
    EXPECT_DOUBLE_EQ(print.StdRowHeight(), 300);
}

TEST_F(P001Test, ColumnBandsBreakWhereTheNextColumnNoLongerFits)
{
    MakeGrid(3, 6, 2943); // 2999.7 twips a column: four fit across 12000
    PlainLayout();
    Count();
    ASSERT_EQ(print.RequestPagesWide(), 2);
    EXPECT_EQ(print.ColBands()[1].First, 0);
    EXPECT_EQ(print.ColBands()[1].Last, 3);
    EXPECT_EQ(print.ColBands()[2].First, 4);
    EXPECT_NEAR(print.ColBands()[2].Extent, 2 * 2999.7, 1e-6);
    EXPECT_EQ(print.RequestSectionsWide(), 0);

    // Hidden columns at the right end make no band of their own.
    grid->SetColWidth(4, 0);
    grid->SetColWidth(5, 0);
    Count();
    EXPECT_EQ(print.RequestPagesWide(), 1);
}

TEST_F(P001Test, RepeatedCaptionsStartEveryLaterBand)
{
    flexgrid::FlexGrid &g = MakeGrid(3, 6, 2943);
    g.SetFixedCols(1);
    PlainLayout();
    print.SetTitlePages(0x1201);
    Count();
    // Band 1: columns 0-3; the later bands carry column 0 again.
    ASSERT_EQ(print.RequestPagesWide(), 2);
    EXPECT_EQ(print.ColBands()[2].First, 4);
    EXPECT_NEAR(print.ColBands()[2].Extent, 3 * 2999.7, 1e-6);
}

TEST_F(P001Test, AColumnThatFitsNoBandGoesAloneAndTheCountEnds)
{
    flexgrid::FlexGrid &g = MakeGrid(3, 3, 10000);
    g.SetFixedCols(1);
    g.SetColWidth(0, 2943);
    PlainLayout();
    print.SetTitlePages(0x1201);
    Count();
    // Beside the repeated caption neither wide column fits: each goes alone.
    ASSERT_EQ(print.RequestPagesWide(), 3);
    EXPECT_EQ(print.ColBands()[2].First, 1);
    EXPECT_EQ(print.ColBands()[2].Last, 1);
    EXPECT_EQ(print.ColBands()[3].First, 2);

    // A row taller than the page refuses the job with no pages.
    g.SetRowHeight(1, 17000);
    Count();
    EXPECT_EQ(print.RequestPagesHigh(), 0);
    EXPECT_EQ(print.RequestPagesWide(), 0);
}

TEST_F(P001Test, AGridWithoutVisibleRowsHasNoPagesAndScalingItDoesNotFail)
{
    flexgrid::FlexGrid &g = MakeGrid(4, 2);
    for (int r = 0; r < 4; ++r)
        g.SetRowHeight(r, 0);
    PlainLayout();
    print.SetTitlePages(0x1); // headings not repeated: nothing at all to print
    Count();
    EXPECT_EQ(print.RequestPagesHigh(), 0);
    EXPECT_EQ(FontSizeOfScaledJob(), FontSizeOfScaledJob());
    Print();
    EXPECT_TRUE(print.PrintComplete());
    EXPECT_EQ(rec.pages, 0);
}

TEST_F(P001Test, ANarrowGridIsCutIntoSectionsSideBySide)
{
    // 2999.4 twips wide: three copies with their gaps fit across 12000.
    MakeGrid(121, 2, 1443);
    PlainLayout();
    Count();
    EXPECT_EQ(print.RequestSectionsWide(), 3);
    EXPECT_EQ(print.RequestSectionsHigh(), 1);
    const auto &s = Sections();
    // Section 1 starts with the heading row; sections 2 and 3 leave room for
    // their own.
    EXPECT_EQ(s[1][1].First, 0);
    EXPECT_EQ(s[1][1].Last, 52);
    EXPECT_EQ(s[1][2].First, 53);
    EXPECT_EQ(s[1][2].Last, 104);
    EXPECT_EQ(s[1][3].First, 105);
    EXPECT_EQ(s[1][3].Last, 120);

    // Printed n up: one sheet, the third section at its offset, with headings.
    print.SetMultiColumnPrint(1);
    Print();
    EXPECT_EQ(rec.pages, 1);
    const tavtest::DrawnText *r105 = rec.Find(QStringLiteral("r105c0"));
    ASSERT_NE(r105, nullptr);
    EXPECT_NEAR(r105->at.x(), 2 * (2999.4 + 373.0) + 56.7, 1e-6);
    EXPECT_EQ(rec.TextsOn(1).count(QStringLiteral("H0")), 3);
}

TEST_F(P001Test, ScalingToOneSheetShrinksTheTextAndRefusesItBelowTwoPoints)
{
    MakeGrid(3, 8, 2943); // two pages wide
    PlainLayout();
    print.SetRequestPagesWide(1);
    print.SetRequestPagesHigh(1);
    print.SetSetPages(true);
    Print();
    EXPECT_EQ(rec.pages, 1);
    const tavtest::DrawnText *cell = rec.Find(QStringLiteral("r1c7"));
    ASSERT_NE(cell, nullptr);
    EXPECT_LT(cell->size, 10.0);
    EXPECT_GE(cell->size, 2.0);

    // A hundred pages' width on one sheet would print unreadably: nothing.
    rec = {};
    MakeGrid(3, 400, 2943);
    print.SetRequestPagesWide(1);
    print.SetRequestPagesHigh(1);
    print.SetSetPages(true);
    Print();
    EXPECT_EQ(rec.pages, 0);
    EXPECT_TRUE(print.PrintComplete());
}

TEST_F(P001Test, ScalingToSheetsHighPrintsNoMoreSheetsThanAskedFor)
{
    // Page numbers at the bottom take a line of each page; rows are cut whole.
    for (const int sheets : {7, 10, 17, 25}) {
        rec = {};
        MakeGrid(1200, 2);
        PlainLayout();
        print.SetPageNumbering(0x13);
        print.SetRequestPagesWide(1);
        print.SetRequestPagesHigh(sheets);
        print.SetSetPages(true);
        Print();
        EXPECT_GE(rec.pages, sheets - 1) << sheets;
        EXPECT_LE(rec.pages, sheets) << sheets;
    }
}

TEST_F(P001Test, SetPagesNeedsBothSheetCounts)
{
    print.SetRequestPagesWide(2);
    print.SetRequestPagesHigh(-4);
    EXPECT_EQ(print.RequestPagesHigh(), 0);
    print.SetSetPages(true);
    EXPECT_FALSE(print.SetPages());
    print.SetPrintCopies(0);
    EXPECT_EQ(print.PrintCopies(), 1);
    print.SetTitleFontSize(0.5);
    EXPECT_FLOAT_EQ(print.TitleFontSize(), 1.0f);
}

TEST(ParsePageList, ReadsTheListAsWrittenPassingOverOtherCharacters)
{
    const std::pair<const char *, QVector<int>> cases[] = {
        {"1-3,5", {1, 2, 3, 5}}, {"3,,7", {3, 7}}, {"5-3", {5, 3}},  {"1-", {1}}, {"-4", {4}},   {"2 2", {2, 2}},
        {"1a-b3", {1, 2, 3}},    {"0", {0}},       {"-", {}},        {"abc", {}}, {"1-99999999999", {1, 2, 3, 4}}};
    for (const auto &[text, pages] : cases) // (the first four of a long list)
        EXPECT_EQ(P001::ParsePageList(QString::fromLatin1(text)).mid(0, 4), pages.mid(0, 4)) << text;
}
