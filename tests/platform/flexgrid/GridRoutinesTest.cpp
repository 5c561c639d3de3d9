#include "GridFill.h"
#include "support/EventCount.h"
#include "platform/flexgrid/GridRoutines.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using flexgrid::FlexGrid;

namespace {

// A list window as SearchGridRow sees it: the grid, the search box and
// where its search stands.
struct ListWindow {
    QWidget frm;
    FlexGrid *grid;
    QLineEdit *txtSearch;
    tav::GridSearch state = tav::GridSearch::FromTop;

    explicit ListWindow(const QStringList &column4)
    {
        grid = new FlexGrid(&frm);
        txtSearch = new QLineEdit(&frm);
        grid->SetFixedCols(0);
        QVector<QVector<QString>> rows;
        for (const QString &t : column4)
            rows.append({"", "", "", "", t});
        grid->SetBoundData({"Sal", "ID", "WT", "Art", "Greek"}, rows);
        grid->setGeometry(0, 40, 400, 300);
        grid->SetCol(4);
    }
    void Search(long long col, long long homeRow, QString &text)
    {
        state = tav::SearchGridRow(*grid, state, *txtSearch, col, homeRow, text);
    }
};

// A grid of n data rows and c columns of "r,c" texts, tall enough to scroll.
void Fill(FlexGrid &g, int rows, int cols)
{
    FillNumbered(g, rows, cols);
    g.resize(400, 200);
}

} // namespace

TEST(SearchGridRow, FindsEachHitInTurnThenIsExhaustedAndGoesHome)
{
    ListWindow w({"abc", "xyz", "ABd", "ab", "b"});
    QString text = "ab ";
    w.Search(4, 2, text);
    EXPECT_EQ(text, "ab*");
    EXPECT_EQ(w.state, tav::GridSearch::AfterLastHit);
    EXPECT_EQ(w.grid->Row(), 1);
    EXPECT_EQ(w.grid->TopRow(), 1);
    EXPECT_EQ(w.grid->SearchRow(), 1);
    EXPECT_EQ(w.grid->CellBackColor(), 0xFF00);

    text = "ab";
    w.Search(4, 2, text);
    EXPECT_EQ(w.grid->Row(), 3); // Like ignores case
    EXPECT_EQ(w.grid->CellBackColorAt(1, 4), 0xFFFFFF); // the previous hit back to white
    EXPECT_EQ(w.grid->CellBackColorAt(3, 4), 0xFF00);

    text = "ab";
    w.Search(4, 2, text);
    EXPECT_EQ(w.grid->Row(), 4);

    text = "ab";
    w.Search(4, 2, text);
    EXPECT_EQ(w.state, tav::GridSearch::Exhausted);
    EXPECT_EQ(w.grid->Row(), 2);
    EXPECT_EQ(w.grid->TopRow(), 1); // row 2 cannot be scrolled to the top of a short list

    // Exhausted: nothing more happens.
    text = "x";
    w.Search(4, 1, text);
    EXPECT_EQ(w.grid->Row(), 2);
    EXPECT_EQ(w.state, tav::GridSearch::Exhausted);
}

TEST(SearchGridRow, PatternCharactersWorkAndAnInvalidPatternFindsNothing)
{
    ListWindow w({"alfa", "b[x", "gamma"});
    QString text = "?am";
    w.Search(4, 1, text);
    EXPECT_EQ(w.grid->Row(), 3);

    w.state = tav::GridSearch::FromTop;
    text = "b[";
    w.Search(4, 1, text);
    EXPECT_EQ(w.state, tav::GridSearch::Exhausted);
    EXPECT_EQ(w.grid->Row(), 1);

    // A column that does not exist finds nothing either.
    w.state = tav::GridSearch::FromTop;
    text = "a";
    w.Search(9, 1, text);
    EXPECT_EQ(w.state, tav::GridSearch::Exhausted);
}

TEST(SearchGridRow, EachListWindowKeepsItsOwnLastHit)
{
    ListWindow first({"ab", "ab", "ab"});
    ListWindow second({"ab", "ab", "ab"});
    QString text = "ab";
    first.Search(4, 1, text);
    first.Search(4, 1, text = "ab");
    EXPECT_EQ(first.grid->Row(), 2);
    second.Search(4, 1, text = "ab");
    EXPECT_EQ(second.grid->Row(), 1);
    // The first window goes on after its own hit, not after the second's.
    first.Search(4, 1, text = "ab");
    EXPECT_EQ(first.grid->Row(), 3);
}

TEST(CellEditor, KeysOpenTheEditorWithTheRightText)
{
    QWidget frm;
    FlexGrid grid(&frm);
    Fill(grid, 6, 4);
    QLineEdit box(&frm);
    box.hide();
    grid.SetRow(2);
    grid.SetCol(3);

    tav::StartCellEditKey(grid, box, 13);
    EXPECT_TRUE(box.isHidden());

    tav::StartCellEditKey(grid, box, 113);
    EXPECT_FALSE(box.isHidden());
    EXPECT_EQ(box.text(), "2,3");
    EXPECT_EQ(box.cursorPosition(), 3);

    tav::StartCellEditKey(grid, box, 46);
    EXPECT_EQ(box.text(), "");

    tav::ShowCellEditor(grid, box, 'k');
    EXPECT_EQ(box.text(), "k");
    EXPECT_EQ(box.cursorPosition(), 1);
    tav::ShowCellEditor(grid, box, '.');
    EXPECT_EQ(box.text(), ".");
    tav::ShowCellEditor(grid, box, 13);
    EXPECT_EQ(box.text(), "2,3");
}

// The editor covers its cell exactly, short of the right and bottom grid
// lines, whatever the cell's font, the raise flag, the scroll position or the
// editor's parent: no part of the cell's own text may show beside it.
TEST(CellEditor, CoversItsCellExactlyWithTheCellsBackground)
{
    QWidget frm;
    frm.resize(600, 400);
    QWidget panel(&frm); // the editor's parent differs from the grid's
    panel.setGeometry(10, 20, 580, 370);
    FlexGrid grid(&panel);
    Fill(grid, 40, 4);
    grid.setGeometry(30, 45, 400, 200);
    grid.SetRowHeight(2, 450);
    QLineEdit box(&frm);
    const auto expectOverCell = [&](int row, int col) {
        const QRect cell = grid.CellRect(row, col);
        ASSERT_FALSE(cell.isEmpty());
        const int line = grid.GridLineWidth();
        const QPoint at = frm.mapFromGlobal(grid.viewport()->mapToGlobal(cell.topLeft()));
        EXPECT_EQ(box.geometry(), QRect(at, cell.size() - QSize(line, line)));
    };

    grid.SetRow(2);
    grid.SetCol(2);
    tav::ShowCellEditor(grid, box, 32);
    expectOverCell(2, 2);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(255, 255, 255));

    grid.SetCellFontName("VudedoGreek");
    grid.SetCellBackColor(0xFFFFC0);
    tav::ShowCellEditor(grid, box, 32);
    expectOverCell(2, 2);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xFF));

    // A row below the view is scrolled in first; wider grid lines are left free.
    grid.SetGridLineWidth(2);
    grid.SetRow(35);
    grid.SetCol(3);
    tav::ShowCellEditor(grid, box, 32);
    EXPECT_GT(grid.TopRow(), 1);
    expectOverCell(35, 3);
}

TEST(GridFonts, GreekColumnFontCoversTheDataRowsAndEndsOnTheLastCell)
{
    FlexGrid grid;
    Fill(grid, 5, 6);
    tav::SetGreekColumnFont(grid, 3, 4, 11);
    for (int r = 1; r < 5; ++r) {
        EXPECT_EQ(grid.CellFontNameAt(r, 3), "VudedoGreek");
        EXPECT_EQ(grid.CellFontNameAt(r, 4), "VudedoGreek");
        EXPECT_DOUBLE_EQ(grid.CellFontSizeAt(r, 4), 11);
    }
    EXPECT_NE(grid.CellFontNameAt(0, 3), "VudedoGreek");
    EXPECT_NE(grid.CellFontNameAt(1, 5), "VudedoGreek");
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.Col(), 4);

    // Columns beyond the grid are passed over.
    tav::SetGreekColumnFont(grid, 5, 9, 14);
    EXPECT_EQ(grid.CellFontNameAt(2, 5), "VudedoGreek");
}

TEST(GridFonts, GreekColumnFontLeavesEachRowItsOwnLaterFormats)
{
    FlexGrid grid;
    Fill(grid, 6, 5);
    grid.SetRow(2);
    grid.SetCol(1);
    grid.SetCellBackColor(0xFF);
    tav::SetGreekColumnFont(grid, 3, 4, 11);
    // A row formatted before keeps its own formats and gains the font.
    EXPECT_EQ(grid.CellBackColorAt(2, 1), 0xFF);
    EXPECT_EQ(grid.CellFontNameAt(2, 3), "VudedoGreek");
    // A later change to one cell touches no other row.
    grid.SetRow(3);
    grid.SetCol(4);
    grid.SetCellFontBold(true);
    grid.SetCellBackColor(0xFF00);
    for (int r = 1; r < 6; ++r) {
        EXPECT_EQ(grid.CellFontBoldAt(r, 4), r == 3) << r;
        EXPECT_EQ(grid.CellBackColorAt(r, 4), r == 3 ? 0xFF00 : 0) << r;
        EXPECT_EQ(grid.CellBackColorAt(r, 1), r == 2 ? 0xFF : 0) << r;
        EXPECT_EQ(grid.CellFontNameAt(r, 4), "VudedoGreek") << r;
    }
    EXPECT_NE(grid.CellFontNameAt(4, 2), "VudedoGreek");
}

TEST(GridFonts, FillGridCellsHidesTheHeadingAndPaintsTheDataCells)
{
    QWidget frm;
    FlexGrid grid(&frm);
    Fill(grid, 7, 2);
    tav::FillGridCells(grid, 0xFFFF, 4);
    EXPECT_EQ(grid.RowHeight(0), 0);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_FALSE(grid.isHidden());
    EXPECT_EQ(grid.CellBackColorAt(1, 1), 0xFFFF);
    EXPECT_EQ(grid.CellBackColorAt(6, 3), 0xFFFF);
    EXPECT_EQ(grid.CellBackColorAt(3, 0), 0);
    EXPECT_EQ(grid.CellBackColorAt(0, 2), 0);
}

// The grid is filled where it stands: hidden and shown again it would repaint
// what lies under it and ask the window system where the mouse pointer is.
// Only a grid that has the keyboard focus is hidden, handing the focus on to
// the next control as it always did.
TEST(GridFonts, FillGridCellsFillsInPlaceAndAFocusedGridHandsItsFocusOn)
{
    QWidget frm;
    FlexGrid grid(&frm);
    QLineEdit next(&frm);
    Fill(grid, 7, 2);
    frm.show();
    QApplication::setActiveWindow(&frm);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    tavtest::EventCount hides(&grid, QEvent::Hide);

    next.setFocus();
    tav::FillGridCells(grid, 0xFFFF, 4);
    EXPECT_EQ(hides.count, 0) << "a grid without the focus is not hidden";
    EXPECT_TRUE(grid.isVisible());
    EXPECT_EQ(grid.Cols(), 4);

    grid.setFocus();
    ASSERT_TRUE(grid.hasFocus());
    tav::FillGridCells(grid, 0xFF00, 3);
    EXPECT_EQ(hides.count, 1);
    EXPECT_TRUE(grid.isVisible());
    EXPECT_TRUE(next.hasFocus()) << "the focus went on to the next control";
    EXPECT_EQ(grid.CellBackColorAt(2, 2), 0xFF00);
}

TEST(GridWidths, AutoSizeCountsCharactersWithAMinimum)
{
    FlexGrid grid;
    Fill(grid, 4, 4);
    grid.SetTextMatrix(0, 1, "a very long heading"); // row 0 does not count
    for (int r = 1; r < 4; ++r)
        grid.SetTextMatrix(r, 1, "ab");
    grid.SetTextMatrix(2, 2, "abcdefghij");
    tav::AutoSizeGridCols(grid, 1, 2, 4, 150);
    EXPECT_EQ(grid.ColWidth(1), 600);
    EXPECT_EQ(grid.ColWidth(2), 1500);
}

TEST(GridWidths, FitToTextStepsAndHonoursTheSpecialColumn)
{
    QWidget frm;
    FlexGrid grid(&frm);
    Fill(grid, 4, 6);
    for (int c = 0; c < 6; ++c)
        grid.SetColWidth(c, 111);
    tav::FitGridColsToText(grid, 1, 5, 2, frm, 100, 0, 0);
    EXPECT_NE(grid.ColWidth(1), 111);
    EXPECT_EQ(grid.ColWidth(2), 111);
    EXPECT_NE(grid.ColWidth(3), 111);
    EXPECT_EQ(grid.ColWidth(4), 111);
    EXPECT_NE(grid.ColWidth(5), 111);
    const QFontMetrics fm(frm.font());
    const int textTwips = winsys::PixelsToTwips(fm.horizontalAdvance("3,3"), frm.logicalDpiX());
    EXPECT_EQ(grid.ColWidth(3), textTwips + 100);

    tav::FitGridColsToText(grid, 3, 3, 1, frm, 0, 3, 5000);
    EXPECT_EQ(grid.ColWidth(3), 5000);
    // A step of 0 sizes every column instead of looping for ever.
    tav::FitGridColsToText(grid, 2, 2, 0, frm, 0, 0, 0);
    EXPECT_NE(grid.ColWidth(2), 111);
}

// The widest text found by measuring only the likely candidates is the one
// measuring every text finds: longest by characters is not always widest,
// and short texts of wide letters can beat long ones of narrow letters. A
// long column is summed in parts: the widest text counts in any part.
TEST(GridWidths, WidestTextEqualsMeasuringEveryText)
{
    const QStringList samples = {"iiiiiiiiiiiiiiiiiiii", "WWWWWWWWWWWW", "AVAVAVAVAVAV", "mmmmmmmmmmmmm",
                                 "lllllllllllllllllllllll", "to go, to walk; to be off", "W", "",
                                 QString::fromUtf8("\xce\xb1\xce\xb3\xce\xac\xcf\x80\xce\xb7"), "ttttttttttttttttt",
                                 "a;b:c", QString::fromUtf8("\xd0\x96\xd0\x96\xd0\x96\xd0\x96\xd0\x96\xd0\x96\xd0\x96"),
                                 "\xe2\x80\x94\xe2\x80\x94\xe2\x80\x94"};
    for (const QFont &font : {QApplication::font(), winsys::GreekFont(11), winsys::GreekFont(16)}) {
        const QFontMetrics fm(font);
        QHash<QString, int> widths;
        for (const int count : {300, 3 * 4096 + 5})
            for (int shift = 0; shift < samples.size(); ++shift) {
                QVector<QVector<QString>> rows;
                int measured = 0;
                for (int i = 0; i < count; ++i) {
                    const QString text = samples[(i + shift) % samples.size()] + QString(i % 7, QLatin1Char('i'));
                    rows.append({text});
                    if (!widths.contains(text))
                        widths.insert(text, fm.horizontalAdvance(text));
                    measured = std::max(measured, widths.value(text));
                }
                FlexGrid grid;
                grid.SetFixedCols(0);
                grid.SetBoundData({"Text"}, rows);
                EXPECT_EQ(tav::WidestTextPixels(grid, 0, fm), measured)
                    << font.family().toStdString() << " " << count << " rows, shift " << shift;
            }
    }
    // One wide text among narrow ones, at either end of the column or in
    // its middle.
    const QFontMetrics fm(QApplication::font());
    const QString wide = QStringLiteral("WWWWWWWWWWWWWWWWWWWWWW");
    for (const int at : {0, 6000, 3 * 4096 + 4}) {
        QVector<QVector<QString>> rows(3 * 4096 + 5, QVector<QString>{QStringLiteral("iiii")});
        rows[at] = {wide};
        FlexGrid grid;
        grid.SetFixedCols(0);
        grid.SetBoundData({"Text"}, rows);
        EXPECT_EQ(tav::WidestTextPixels(grid, 0, fm), fm.horizontalAdvance(wide)) << "at " << at;
    }
    FlexGrid empty;
    EXPECT_EQ(tav::WidestTextPixels(empty, 0, fm), 0);
}

TEST(GridMoves, NextRowAndColumnsStopAtTheEnd)
{
    FlexGrid grid;
    Fill(grid, 4, 5);
    grid.SetRow(2);
    grid.SetCol(2);
    tav::GridNextRow(grid);
    EXPECT_EQ(grid.Row(), 3);
    tav::GridNextRow(grid); // last row: nothing
    EXPECT_EQ(grid.Row(), 3);

    tav::GridNextColTop(grid);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 1);
    tav::GridSkipColTop(grid); // column 5 does not exist: nothing
    EXPECT_EQ(grid.Col(), 3);
    tav::GridNextColTop(grid);
    EXPECT_EQ(grid.Col(), 4);
    grid.SetRow(3);
    tav::GridNextColTop(grid); // last column: nothing
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Row(), 3);
    grid.SetCol(1);
    tav::GridSkipColTop(grid);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 1);
}

TEST(GridMoves, MoveCellSkipsHiddenColumnsAndWraps)
{
    FlexGrid grid;
    Fill(grid, 60, 6);
    grid.SetFixedCols(0);
    grid.SetColWidth(0, 0);
    grid.SetColWidth(1, 0);

    tav::GridMoveCell(grid, 2, 2, 10); // the next column
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 10);

    grid.SetColWidth(3, 0);
    tav::GridMoveCell(grid, 2, 2, 10); // one hidden column is skipped
    EXPECT_EQ(grid.Col(), 4);

    tav::GridMoveCell(grid, 2, 5, 20); // last column: next row, wrap column
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 21);

    tav::GridMoveCell(grid, 2, 5, 59); // last row too: back to row 1
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TopRow(), 1);

    // A hidden column and then the end of the grid: no move.
    grid.SetTopRow(1);
    grid.SetColWidth(5, 0);
    grid.SetRow(7);
    grid.SetCol(3);
    tav::GridMoveCell(grid, 2, 4, 7);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 7);
}

TEST(GridMoves, MoveCellKeepsTheViewAndShowsTheNewCell)
{
    FlexGrid grid;
    Fill(grid, 60, 4); // 400 x 200 pixels: some eight rows and three columns of 1500 twips
    grid.SetFixedCols(0);
    for (int c = 0; c < 4; ++c)
        grid.SetColWidth(c, 1500);
    grid.SetTopRow(5);

    // The next cell is on screen: the view stays, the edited row is not
    // scrolled to the top.
    tav::GridMoveCell(grid, 0, 1, 7);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.TopRow(), 5);
    EXPECT_EQ(grid.LeftCol(), 0);

    // The next column lies beyond the right edge: the grid scrolls sideways
    // just far enough to show it, and not up or down.
    tav::GridMoveCell(grid, 0, 2, 7);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_GT(grid.LeftCol(), 0);
    EXPECT_EQ(grid.TopRow(), 5);
    const QRect cell = grid.CellRect(7, 3);
    ASSERT_FALSE(cell.isEmpty());
    EXPECT_LE(cell.right(), grid.viewport()->width());

    // The wrap to the next row below the last one shown scrolls it up into
    // the bottom of the view, and back to the first column.
    int lastShown = grid.TopRow();
    while (!grid.CellRect(lastShown + 1, 3).isEmpty() &&
           grid.CellRect(lastShown + 1, 3).bottom() < grid.viewport()->height())
        ++lastShown;
    tav::GridMoveCell(grid, 0, 3, lastShown);
    EXPECT_EQ(grid.Row(), lastShown + 1);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.LeftCol(), 0);
    EXPECT_EQ(grid.TopRow(), 6) << "one row further, not the edited row at the top";

    // From the last row the cursor wraps to row 1, which comes into view.
    tav::GridMoveCell(grid, 0, 3, 59);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST(GridText, SelectAllTextSelectsEverything)
{
    QLineEdit box("some text");
    box.setCursorPosition(3);
    tav::SelectAllText(box);
    EXPECT_EQ(box.selectedText(), "some text");
    EXPECT_EQ(box.selectionStart(), 0);
}

TEST(GridText, LikePatternCheck)
{
    EXPECT_TRUE(tav::IsValidLikePattern("ab*"));
    EXPECT_TRUE(tav::IsValidLikePattern("[a-c]b*"));
    EXPECT_TRUE(tav::IsValidLikePattern("a]*"));
    EXPECT_FALSE(tav::IsValidLikePattern("a[b*"));
    EXPECT_FALSE(tav::IsValidLikePattern("[a]x[*"));
}
