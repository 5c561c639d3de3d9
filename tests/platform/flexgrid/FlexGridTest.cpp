#include "GridFill.h"
#include "support/PaintCount.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/font/FontLoader.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPalette>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QSignalSpy>
#include <QThreadPool>
#include <QTest>
#include <QStyleOptionSlider>
#include <QStyle>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using flexgrid::FlexGrid;

namespace {

// Records the cell events with the current cell at the moment each fired.
struct EventLog {
    QStringList events;
    explicit EventLog(FlexGrid &g)
    {
        QObject::connect(&g, &FlexGrid::LeaveCell, [&g, this] {
            events << QStringLiteral("Leave %1,%2").arg(g.Row()).arg(g.Col());
        });
        QObject::connect(&g, &FlexGrid::EnterCell, [&g, this] {
            events << QStringLiteral("Enter %1,%2").arg(g.Row()).arg(g.Col());
        });
    }
};

} // namespace

TEST(FlexGridStructure, StartsWithTwoByTwoCellsOneFixedAndTheFirstDataCellCurrent)
{
    FlexGrid g;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.TopRow(), 1);
}

TEST(FlexGridStructure, TextMatrixKeepsTextsWhenRowsAndColsChange)
{
    FlexGrid g;
    FillNumbered(g, 5, 3);
    EXPECT_EQ(g.TextMatrix(0, 0), "0,0"); // row 0 is a real row
    EXPECT_EQ(g.TextMatrix(4, 2), "4,2");
    g.SetCols(4);
    g.SetRows(7);
    EXPECT_EQ(g.TextMatrix(4, 2), "4,2");
    EXPECT_EQ(g.TextMatrix(6, 3), "");
    g.SetRows(3);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(2, 1), "2,1");
    EXPECT_EQ(g.TextMatrix(4, 2), ""); // gone, and reading beyond is harmless

    // Out of range writes change nothing.
    g.SetTextMatrix(3, 0, "x");
    g.SetTextMatrix(0, -1, "x");
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.Cols(), 4);
}

TEST(FlexGridStructure, ShrinkingKeepsTheCurrentCellInside)
{
    FlexGrid g;
    FillNumbered(g, 10, 5);
    g.SetRow(9);
    g.SetCol(4);
    g.SetRows(4);
    g.SetCols(3);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Text(), "3,2");
}

TEST(FlexGridStructure, TextIsTheCurrentCell)
{
    FlexGrid g;
    FillNumbered(g, 4, 4);
    g.SetRow(2);
    g.SetCol(3);
    EXPECT_EQ(g.Text(), "2,3");
    g.SetText("new");
    EXPECT_EQ(g.TextMatrix(2, 3), "new");
}

TEST(FlexGridStructure, ClearEmptiesTextsAndFormatsButKeepsLayout)
{
    FlexGrid g;
    FillNumbered(g, 4, 3);
    g.SetColWidth(1, 700);
    g.SetCellBackColor(0xFF00);
    g.Clear();
    EXPECT_EQ(g.TextMatrix(1, 1), "");
    EXPECT_EQ(g.TextMatrix(0, 0), "");
    EXPECT_EQ(g.CellBackColor(), 0);
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.ColWidth(1), 700);
}

TEST(FlexGridStructure, BoundDataPutsFieldNamesInRowZero)
{
    FlexGrid g;
    g.SetFixedCols(0);
    g.SetBoundData({"Sal", "ID", "Greek"}, {{"a", "1", "alfa"}, {"b", "2", "beta"}});
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.TextMatrix(0, 1), "ID");
    EXPECT_EQ(g.TextMatrix(2, 2), "beta");
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 0);

    // With a fixed column the fields start right of it.
    FlexGrid h;
    h.SetBoundData({"A", "B"}, {{"1", "2"}});
    EXPECT_EQ(h.Cols(), 3);
    EXPECT_EQ(h.TextMatrix(0, 1), "A");
    EXPECT_EQ(h.TextMatrix(1, 2), "2");
    EXPECT_EQ(h.TextMatrix(1, 0), "");

    // No record still leaves one (empty) data row.
    h.SetBoundData({"A"}, {});
    EXPECT_EQ(h.Rows(), 2);
    EXPECT_EQ(h.TextMatrix(1, 1), "");
}

TEST(FlexGridSizes, WidthsAndHeightsAreTwipsReadBackAsSet)
{
    FlexGrid g;
    FillNumbered(g, 4, 4);
    const int dpi = g.logicalDpiX();
    EXPECT_EQ(g.ColWidth(1), qRound(64 * 1440.0 / dpi)); // the default width
    g.SetColWidth(1, 550);
    EXPECT_EQ(g.ColWidth(1), 550);
    EXPECT_EQ(g.TwipsToPixelsX(1440), dpi);
    g.SetRowHeight(2, 600);
    EXPECT_EQ(g.RowHeight(2), 600);
    g.SetColWidth(1, -1);
    EXPECT_EQ(g.ColWidth(1), qRound(64 * 1440.0 / dpi));
    EXPECT_EQ(g.ColWidth(9), 0); // no such column
}

TEST(FlexGridSizes, ZeroWidthAndHeightHideColumnsAndRows)
{
    FlexGrid g;
    FillNumbered(g, 5, 4);
    g.resize(400, 300);
    g.SetFixedCols(0);
    g.SetColWidth(0, 0);
    g.SetRowHeight(0, 0);
    EXPECT_EQ(g.ColWidth(0), 0);
    // The first visible column starts at the left edge; row 1 at the top.
    EXPECT_EQ(g.CellRect(1, 1).x(), 0);
    EXPECT_EQ(g.CellRect(1, 1).y(), 0);
    int row = -1, col = -1;
    ASSERT_TRUE(g.CellAt(QPoint(2, 2), &row, &col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 1);
}

TEST(FlexGridSizes, CellPositionIsInTwipsAndScrollsTheCellIntoView)
{
    FlexGrid g;
    FillNumbered(g, 100, 4);
    g.resize(400, 200);
    g.SetColWidth(0, 900);
    g.SetColWidth(1, 1200);
    g.SetRowHeight(0, 300);
    for (int r = 1; r < 100; ++r)
        g.SetRowHeight(r, 240);
    g.SetRow(3);
    g.SetCol(2);
    const int frameX = g.PixelsToTwipsX(g.viewport()->x());
    const int frameY = g.PixelsToTwipsY(g.viewport()->y());
    EXPECT_EQ(g.CellLeft() - frameX, g.PixelsToTwipsX(g.TwipsToPixelsX(900) + g.TwipsToPixelsX(1200)));
    EXPECT_EQ(g.CellTop() - frameY, g.PixelsToTwipsY(g.TwipsToPixelsY(300) + 2 * g.TwipsToPixelsY(240)));
    EXPECT_EQ(g.CellWidth(), 960);
    EXPECT_EQ(g.CellHeight(), 240);

    // A cell far below comes into view when its position is read.
    g.SetRow(90);
    EXPECT_EQ(g.TopRow(), 1);
    g.CellTop();
    EXPECT_GT(g.TopRow(), 1);
    EXPECT_FALSE(g.CellRect(90, 2).isEmpty());
}

TEST(FlexGridFormat, CellFormattingTouchesTheCurrentCellOnly)
{
    FlexGrid g;
    FillNumbered(g, 4, 4);
    g.SetRow(2);
    g.SetCol(3);
    g.SetCellFontName("VudedoGreek");
    g.SetCellFontSize(14);
    g.SetCellFontBold(true);
    g.SetCellBackColor(0xFF00);
    g.SetCellForeColor(0x0000FF);
    g.SetCellAlignment(flexgrid::flexAlignCenterCenter);
    EXPECT_EQ(g.CellFontName(), "VudedoGreek");
    EXPECT_DOUBLE_EQ(g.CellFontSize(), 14);
    EXPECT_TRUE(g.CellFontBold());
    EXPECT_EQ(g.CellBackColor(), 0xFF00);
    EXPECT_EQ(g.CellForeColor(), 0x0000FF);
    EXPECT_EQ(g.CellAlignment(), 4);

    g.SetCol(2);
    EXPECT_EQ(g.CellFontName(), g.font().family());
    EXPECT_EQ(g.CellBackColor(), 0); // never set: 0, the grid's colour
    EXPECT_EQ(g.CellAlignment(), 0);
    EXPECT_FALSE(g.CellFontBold());
    EXPECT_EQ(g.CellBackColorAt(2, 3), 0xFF00);
    EXPECT_EQ(g.CellFontAt(2, 3).family(), "VudedoGreek");
}

TEST(FlexGridFormat, FillRepeatFormatsTheWholeSelection)
{
    FlexGrid g;
    FillNumbered(g, 5, 5);
    g.SetRow(1);
    g.SetCol(1);
    g.SetRowSel(3);
    g.SetColSel(2);
    g.SetFillStyle(flexgrid::flexFillRepeat);
    g.SetCellBackColor(0xC0E0FF);
    EXPECT_EQ(g.CellBackColorAt(3, 2), 0xC0E0FF);
    EXPECT_EQ(g.CellBackColorAt(1, 1), 0xC0E0FF);
    EXPECT_EQ(g.CellBackColorAt(4, 2), 0);
    EXPECT_EQ(g.CellBackColorAt(3, 3), 0);
}

TEST(FlexGridFormat, SettingRowCollapsesTheSelection)
{
    FlexGrid g;
    FillNumbered(g, 6, 4);
    g.SetRowSel(4);
    g.SetColSel(3);
    EXPECT_EQ(g.RowSel(), 4);
    g.SetRow(2);
    EXPECT_EQ(g.RowSel(), 2);
    EXPECT_EQ(g.ColSel(), g.Col());
}

TEST(FlexGridSort, GenericAscendingSortsNumbersAsNumbersBelowTheFixedRow)
{
    FlexGrid g;
    g.SetFixedCols(0);
    g.SetBoundData({"Key", "Word"}, {{"10", "ten"}, {"9", "nine"}, {"b", "bee"}, {"A", "ay"}, {"100", "hundred"}});
    g.SetCol(0);
    g.SetSort(flexgrid::flexSortGenericAscending);
    QStringList keys;
    for (int r = 1; r < g.Rows(); ++r)
        keys << g.TextMatrix(r, 0);
    EXPECT_EQ(keys, QStringList({"9", "10", "100", "A", "b"}));
    EXPECT_EQ(g.TextMatrix(0, 0), "Key"); // the heading row stays
    EXPECT_EQ(g.TextMatrix(2, 1), "ten"); // rows move whole

    g.SetSort(flexgrid::flexSortGenericDescending);
    EXPECT_EQ(g.TextMatrix(1, 0), "b");
    EXPECT_EQ(g.TextMatrix(5, 0), "9");

    // Texts that differ only in case keep their order; " 7" is a number.
    g.SetBoundData({"Key", "Word"}, {{"Beta", "1"}, {"alpha", "2"}, {"beta", "3"}, {"ALPHA", "4"}, {" 7", "5"}});
    g.SetCol(0);
    g.SetSort(flexgrid::flexSortGenericAscending);
    QStringList words;
    for (int r = 1; r < g.Rows(); ++r)
        words << g.TextMatrix(r, 1);
    EXPECT_EQ(words, QStringList({"5", "2", "4", "1", "3"}));
}

TEST(FlexGridSort, StringSortsAndCaseAndRange)
{
    FlexGrid g;
    g.SetFixedCols(0);
    g.SetBoundData({"W"}, {{"b"}, {"B"}, {"a"}, {"C"}});
    g.SetCol(0);
    g.SetSort(flexgrid::flexSortStringAscending); // case-sensitive: capitals first
    EXPECT_EQ(g.TextMatrix(1, 0), "B");
    EXPECT_EQ(g.TextMatrix(2, 0), "C");
    EXPECT_EQ(g.TextMatrix(3, 0), "a");
    g.SetSort(flexgrid::flexSortStringNoCaseDescending);
    EXPECT_EQ(g.TextMatrix(1, 0), "C");
    EXPECT_EQ(g.TextMatrix(4, 0), "a");

    // Only the rows Row..RowSel when they differ.
    g.SetBoundData({"W"}, {{"d"}, {"c"}, {"b"}, {"a"}});
    g.SetRow(2);
    g.SetRowSel(3);
    g.SetSort(flexgrid::flexSortGenericAscending);
    EXPECT_EQ(g.TextMatrix(1, 0), "d");
    EXPECT_EQ(g.TextMatrix(2, 0), "b");
    EXPECT_EQ(g.TextMatrix(3, 0), "c");
    EXPECT_EQ(g.TextMatrix(4, 0), "a");
}

TEST(FlexGridSort, KeysRunLeftToRightAndFormatsMoveWithTheRow)
{
    FlexGrid g;
    g.SetFixedCols(0);
    g.SetBoundData({"A", "B"}, {{"x", "2"}, {"x", "1"}, {"a", "9"}});
    g.SetRow(3);
    g.SetCol(1);
    g.SetCellBackColor(0xFF00); // on "a","9"
    g.SetRow(1);
    g.SetCol(0);
    g.SetColSel(1);
    g.SetSort(flexgrid::flexSortGenericAscending); // on A, then B
    EXPECT_EQ(g.TextMatrix(1, 0), "a");
    EXPECT_EQ(g.TextMatrix(2, 1), "1");
    EXPECT_EQ(g.TextMatrix(3, 1), "2");
    EXPECT_EQ(g.CellBackColorAt(1, 1), 0xFF00);
    EXPECT_EQ(g.CellBackColorAt(3, 1), 0);
    g.SetSort(flexgrid::flexSortNone); // nothing
    EXPECT_EQ(g.TextMatrix(1, 0), "a");
}

// Long lists with long shared beginnings, capitals, Greek and numbers, sorted
// on one and on two keys by every sort code, against a plain stable sort.
namespace {

// Rows of a key mixing letters (Greek ones too where asked), spaces, numbers
// and long shared beginnings; a second key of few values; the row's number.
QVector<QVector<QString>> SortRows(int count, bool greek)
{
    const QStringList pieces = {"a", "b", "A", "B", "x", " ", QString(QChar(0x3AC)), QString(QChar(0x3A3)),
                                QString(QChar(0x3C2)), QString(QChar(0x3C3))};
    const QString prefix = QStringLiteral("abAbabababababababab"); // longer than any quick comparison
    quint32 seed = greek ? 7 : 11;
    auto next = [&seed](int n) { return int((seed = seed * 1103515245u + 12345u) >> 16) % n; };
    QVector<QVector<QString>> rows;
    for (int r = 0; r < count; ++r) {
        QString t = next(3) == 0 ? prefix : QString();
        const int len = next(6);
        for (int i = 0; i < len; ++i)
            t += pieces[next(greek ? pieces.size() : 6)];
        if (next(10) == 0)
            t = QString::number(next(200) - 100) + (next(2) ? QStringLiteral(".5") : QString());
        rows.append({t, QString::number(next(4)), QString::number(r)});
    }
    return rows;
}

// The rows' numbers in the order a grid holding them sorts them by its first
// key, or its first two.
QStringList SortedRowNumbers(const QVector<QVector<QString>> &rows, int code, int lastKey)
{
    FlexGrid g;
    g.SetFixedCols(0);
    g.SetBoundData({"Key", "Second", "Row"}, rows);
    g.SetCol(0);
    g.SetColSel(lastKey);
    g.SetSort(code);
    QStringList order;
    for (int r = 1; r < g.Rows(); ++r)
        order.append(g.TextMatrix(r, 2));
    return order;
}

} // namespace

TEST(FlexGridSort, EverySortCodeMatchesAPlainStableSort)
{
    auto parse = [](const QString &t, double *v) {
        const QString s = t.trimmed();
        if (s.isEmpty() || !(s[0].isDigit() || s[0] == '-' || s[0] == '.'))
            return false;
        bool ok = false;
        *v = s.toDouble(&ok);
        return ok;
    };
    for (const bool greek : {false, true}) {
        const QVector<QVector<QString>> rows = SortRows(3000, greek);
        for (int code = flexgrid::flexSortGenericAscending; code <= flexgrid::flexSortStringDescending; ++code)
            for (const int lastKey : {0, 1}) {
                const bool generic = code <= 2, numeric = code == 3 || code == 4, fold = generic || code == 5 || code == 6;
                auto compareKey = [&](const QString &a, const QString &b) {
                    double x = 0, y = 0;
                    const bool na = parse(a, &x), nb = parse(b, &y);
                    if (numeric || (generic && na && nb))
                        return (na ? x : 0) < (nb ? y : 0) ? -1 : ((na ? x : 0) > (nb ? y : 0) ? 1 : 0);
                    if (generic && na != nb)
                        return na ? -1 : 1;
                    const QString fa = fold && !na ? a.toCaseFolded() : a, fb = fold && !nb ? b.toCaseFolded() : b;
                    return QString::compare(fa, fb, Qt::CaseSensitive);
                };
                QVector<QVector<QString>> expected = rows;
                std::stable_sort(expected.begin(), expected.end(), [&](const auto &a, const auto &b) {
                    for (int k = 0; k <= lastKey; ++k)
                        if (const int c = compareKey(a[k], b[k]); c != 0)
                            return code % 2 == 0 ? c > 0 : c < 0;
                    return false;
                });
                const QStringList order = SortedRowNumbers(rows, code, lastKey);
                int wrong = 0;
                for (int r = 0; r < expected.size(); ++r)
                    wrong += order.value(r) != expected[r][2];
                EXPECT_EQ(wrong, 0) << "sort code " << code << ", keys " << lastKey + 1 << ", Greek " << greek;
            }
    }
}

// A long list is sorted in parts that are then merged: with any number of
// threads, every sort code puts the rows in the order a single sort does.
TEST(FlexGridSort, SortingInPartsGivesTheOrderOfOneSort)
{
    QThreadPool &pool = *QThreadPool::globalInstance();
    const int threads = pool.maxThreadCount();
    const QVector<QVector<QString>> rows = SortRows(5 * 4096 + 3, true);
    for (int code = flexgrid::flexSortGenericAscending; code <= flexgrid::flexSortStringDescending; ++code)
        for (const int lastKey : {0, 1}) {
            QStringList expected;
            for (const int parts : {1, 2, 3, 5}) {
                pool.setMaxThreadCount(parts);
                const QStringList order = SortedRowNumbers(rows, code, lastKey);
                if (parts == 1)
                    expected = order;
                else
                    EXPECT_EQ(order, expected) << "sort code " << code << ", keys " << lastKey + 1 << ", " << parts
                                               << " parts";
            }
        }
    pool.setMaxThreadCount(threads);
}

TEST(FlexGridEvents, CodeMovesFireLeaveThenEnter)
{
    FlexGrid g;
    FillNumbered(g, 5, 5);
    EventLog log(g);
    g.SetRow(3);
    g.SetCol(2);
    g.SetRow(3); // no move, no event
    EXPECT_EQ(log.events, QStringList({"Leave 1,1", "Enter 3,1", "Leave 3,1", "Enter 3,2"}));
    g.SetRow(7); // out of range: nothing
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(log.events.size(), 4);
}

TEST(FlexGridEvents, ArrowKeysMoveAndSkipHiddenColumns)
{
    FlexGrid g;
    FillNumbered(g, 5, 5);
    g.resize(400, 300);
    g.SetColWidth(2, 0);
    EventLog log(g);
    QTest::keyClick(&g, Qt::Key_Down);
    QTest::keyClick(&g, Qt::Key_Right);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 3); // column 2 is hidden
    QTest::keyClick(&g, Qt::Key_Up);
    QTest::keyClick(&g, Qt::Key_Up); // row 0 is fixed: stays on row 1
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(log.events, QStringList({"Leave 1,1", "Enter 2,1", "Leave 2,1", "Enter 2,3",
                                       "Leave 2,3", "Enter 1,3"}));
    QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.Col(), 4);
    QTest::keyClick(&g, Qt::Key_Up, Qt::ShiftModifier); // extends the selection
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.RowSel(), 3);
}

TEST(FlexGridEvents, KeyDownCanSwallowAKeyAndKeyPressGetsTheCharacter)
{
    FlexGrid g;
    FillNumbered(g, 5, 5);
    QList<int> downs, presses;
    QObject::connect(&g, &FlexGrid::KeyDown, [&](int &code, int shift) {
        downs << code << shift;
        if (code == 40)
            code = 0;
    });
    QObject::connect(&g, &FlexGrid::KeyPress, [&](int &ascii) { presses << ascii; });
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 1); // swallowed
    QTest::keyClick(&g, Qt::Key_F2);
    QTest::keyClick(&g, Qt::Key_Delete);
    QTest::keyClick(&g, Qt::Key_K);
    QTest::keyClick(&g, Qt::Key_Return);
    QTest::keyClick(&g, Qt::Key_Period);
    EXPECT_EQ(downs, QList<int>({40, 0, 113, 0, 46, 0, 75, 0, 13, 0, 190, 0}));
    EXPECT_EQ(presses, QList<int>({'k', 13, '.'}));
}

TEST(FlexGridEvents, MouseClickMovesTheCurrentCell)
{
    FlexGrid g;
    FillNumbered(g, 6, 4);
    g.resize(400, 300);
    QList<int> downs;
    int clicks = 0;
    QObject::connect(&g, &FlexGrid::MouseDown, [&](int button, int, int, int) { downs << button; });
    QObject::connect(&g, &FlexGrid::Click, [&] { ++clicks; });
    const QRect cell = g.CellRect(3, 2);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 2);
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, g.CellRect(4, 2).center());
    EXPECT_EQ(g.Row(), 3); // the right button does not move
    // A click on the heading row leaves the current cell.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellRect(0, 2).center());
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(downs, QList<int>({1, 2, 1}));
    EXPECT_EQ(clicks, 2);
}

TEST(FlexGridScroll, TopRowScrollsAndStopsAtTheEnd)
{
    FlexGrid g;
    FillNumbered(g, 50, 3);
    g.resize(300, 200);
    QSignalSpy scrolls(&g, &FlexGrid::Scroll);
    g.SetTopRow(10);
    EXPECT_EQ(g.TopRow(), 10);
    EXPECT_EQ(scrolls.count(), 1);
    g.SetTopRow(49); // cannot scroll past the last full page
    EXPECT_LT(g.TopRow(), 49);
    EXPECT_FALSE(g.CellRect(49, 1).isEmpty());
    g.SetTopRow(0); // the fixed row: the first data row instead
    EXPECT_EQ(g.TopRow(), 1);
    // Moving the current cell by keys keeps it in view.
    g.SetRow(1);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_FALSE(g.CellRect(31, 1).isEmpty());
    // Code that sets Row does not scroll.
    g.SetTopRow(1);
    g.SetRow(45);
    EXPECT_EQ(g.TopRow(), 1);
}

TEST(FlexGridDraw, MergedAndWrappedCellsPaintWithoutTrouble)
{
    FlexGrid g;
    FillNumbered(g, 8, 4);
    g.resize(300, 200);
    g.SetMergeCells(flexgrid::flexMergeFree);
    g.SetMergeCol(1, true);
    g.SetMergeRow(2, true);
    for (int r = 1; r < 8; ++r)
        g.SetTextMatrix(r, 1, "same");
    g.SetWordWrap(true);
    g.SetRowSel(4);
    g.SetColSel(3);
    EXPECT_EQ(g.MergeCells(), 1);
    EXPECT_TRUE(g.MergeCol(1));
    EXPECT_TRUE(g.MergeRow(2));
    EXPECT_FALSE(g.MergeRow(3));
    const QPixmap shot = g.grab();
    EXPECT_FALSE(shot.isNull());
}

namespace {

// Shows the grid, then runs each step and checks that what the window shows
// after it is what a repaint of the whole grid shows.
void ExpectEachStepShowsAWholeRepaint(FlexGrid &g, const std::vector<std::function<void()>> &steps)
{
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    QScreen *screen = QGuiApplication::primaryScreen();
    auto shown = [&] {
        QCoreApplication::processEvents();
        return screen->grabWindow(g.winId()).toImage();
    };
    shown();
    int step = 0;
    for (const auto &move : steps) {
        move();
        const QImage afterMove = shown();
        g.viewport()->update();
        EXPECT_EQ(afterMove, shown()) << "step " << step;
        ++step;
    }
}

} // namespace

// Moving the current cell repaints only the cells whose look changes; what
// the window then shows must be what a repaint of the whole grid shows, for
// arrow keys, a jump by code, a selection of rows or columns left behind and
// a scroll.
TEST(FlexGridDraw, AMoveRepaintsItsRowsAsAWholeRepaintWould)
{
    FlexGrid g;
    FillNumbered(g, 60, 4);
    g.resize(300, 200);
    g.SetRow(2);
    ExpectEachStepShowsAWholeRepaint(g, {
        [&] { QTest::keyClick(&g, Qt::Key_Down); },
        [&] { QTest::keyClick(&g, Qt::Key_Right); },
        [&] { g.SetRow(7); },
        [&] { g.SetRowSel(10); },
        [&] { QTest::keyClick(&g, Qt::Key_Up); },
        [&] { g.SetColSel(3); },
        [&] { QTest::keyClick(&g, Qt::Key_Left); },
        [&] { g.SetCol(3); g.SetRowSel(3); g.SetColSel(1); },
        [&] { QTest::keyClick(&g, Qt::Key_Down); },
        [&] { g.SetRow(40); },
        [&] { QTest::keyClick(&g, Qt::Key_PageDown); },
    });
}

namespace {

// Collects the region a widget is asked to paint, from now until dropped.
struct PaintedRegion : QObject {
    QRegion region;
    QWidget *widget;
    explicit PaintedRegion(QWidget *w) : widget(w) { w->installEventFilter(this); }
    ~PaintedRegion() override { widget->removeEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};

} // namespace

// Scrolling moves the pixels already painted and paints only what comes into
// view; what the window then shows must be what a repaint of the whole grid
// shows, with fixed rows and columns, rows and columns of several sizes, hidden
// rows, and every way of scrolling.
TEST(FlexGridDraw, AScrollShowsWhatAWholeRepaintShows)
{
    struct Layout { int fixedRows, fixedCols; bool mixedSizes; };
    for (const Layout layout : {Layout{0, 0, false}, Layout{1, 1, false}, Layout{2, 2, true},
                                Layout{1, 0, true}, Layout{0, 2, false}}) {
        SCOPED_TRACE(testing::Message() << "fixed " << layout.fixedRows << "x" << layout.fixedCols
                                        << (layout.mixedSizes ? " mixed sizes" : ""));
        FlexGrid g;
        FillNumbered(g, 80, 14);
        g.SetFixedRows(layout.fixedRows);
        g.SetFixedCols(layout.fixedCols);
        if (layout.mixedSizes) {
            for (int r = 3; r < 80; r += 4)
                g.SetRowHeight(r, 400);
            g.SetRowHeight(9, 0);
            for (int c = 3; c < 14; c += 3)
                g.SetColWidth(c, 1600);
        }
        g.resize(320, 210);
        auto keys = [&g](Qt::Key key, int n, Qt::KeyboardModifiers mods = Qt::NoModifier) {
            return [&g, key, n, mods] {
                for (int i = 0; i < n; ++i)
                    QTest::keyClick(&g, key, mods);
            };
        };
        QScrollBar *v = g.verticalScrollBar(), *h = g.horizontalScrollBar();
        ExpectEachStepShowsAWholeRepaint(g, {
            keys(Qt::Key_Down, 12),
            keys(Qt::Key_Down, 1),
            keys(Qt::Key_Right, 10),
            keys(Qt::Key_Up, 15),
            keys(Qt::Key_Left, 9),
            keys(Qt::Key_PageDown, 2),
            [v] { v->setValue(v->value() + 1); },
            [v] { v->setValue(v->value() - 3); },
            [h] { h->setValue(h->value() + 2); },
            keys(Qt::Key_End, 1, Qt::ControlModifier),
            keys(Qt::Key_Home, 1, Qt::ControlModifier),
        });
    }
}

// A key paints what changes: an arrow key the cell left and the cell
// entered, not their rows; a Down that scrolls by one row little more than
// the row coming into view, not the view.
TEST(FlexGridDraw, AKeyPaintsOnlyTheCellsWhoseLookChanges)
{
    FlexGrid g;
    FillNumbered(g, 80, 5);
    g.resize(400, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    g.SetRow(2);
    g.SetCol(2);
    QCoreApplication::processEvents();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
        const QRect left = g.CellRect(g.Row(), g.Col());
        PaintedRegion painted(g.viewport());
        QTest::keyClick(&g, key);
        QCoreApplication::processEvents();
        EXPECT_EQ(painted.region, QRegion(left).united(g.CellRect(g.Row(), g.Col()))) << key;
    }

    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&g, Qt::Key_Down);
    QCoreApplication::processEvents();
    const int top = g.TopRow();
    ASSERT_GT(top, 1);
    PaintedRegion painted(g.viewport());
    QTest::keyClick(&g, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.TopRow(), top + 1);
    int area = 0;
    for (const QRect &r : painted.region)
        area += r.width() * r.height();
    EXPECT_LE(area, 3 * g.viewport()->width() * g.TwipsToPixelsY(g.RowHeight(top)));
}

// A one-line text wider than its cell's room ends in an ellipsis; one that
// fits is drawn whole. The grid lays a text out once while drawing it, and
// must come to the same decision as measuring the text first, also at the
// pixel where the text just fits, with trailing spaces and line breaks, on
// plain and on scaled screens.
TEST(FlexGridPaint, ATextIsShortenedExactlyWhenItIsWiderThanItsRoom)
{
    QFont greek(winsys::GreekFamily);
    greek.setPointSize(14);
    struct Case { QString text; bool greekFont; };
    const Case cases[] = {{QStringLiteral("be late, be slow 24"), false},
                          {QStringLiteral("WAV fi ffl To"), false},
                          {QStringLiteral("trailing space "), false},
                          {QStringLiteral("two\nlines"), false},
                          {QStringLiteral("tab\there"), false},
                          {QStringLiteral("eivcame eucheqeiv"), true},
                          {QStringLiteral("abastunomikovV  "), true}};
    auto paintedCell = [](FlexGrid &g, const QString &text, int scale) {
        g.SetTextMatrix(1, 1, text);
        const QRect cell = g.CellRect(1, 1);
        QImage image(g.viewport()->size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::magenta);
        g.viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image.copy(QRect(cell.topLeft() * scale, cell.size() * scale));
    };
    for (const int scale : {1, 2})
    for (const Case &c : cases) {
        FlexGrid g;
        FillNumbered(g, 3, 3);
        g.resize(600, 120);
        if (c.greekFont)
            g.SetFont(greek);
        const QFontMetrics metrics(winsys::CellDrawingFont(g.CellFontAt(1, 1)));
        const int needed = metrics.horizontalAdvance(c.text);
        for (int room = needed - 3; room <= needed + 3; ++room) {
            g.SetColWidth(1, g.PixelsToTwipsX(room + 2 * flexgrid::kTextInsetPx));
            ASSERT_EQ(g.CellRect(1, 1).width() - 2 * flexgrid::kTextInsetPx, room);
            const QString shown = needed > room ? metrics.elidedText(c.text, Qt::ElideRight, room) : c.text;
            const QImage expected = paintedCell(g, shown, scale);
            EXPECT_EQ(paintedCell(g, c.text, scale), expected)
                << c.text.toStdString() << " in " << room << " px at scale " << scale;
        }
    }
}

// The cells and the background beside and below them cover every pixel of
// the viewport: nothing behind it shows through, also once scrolled.
TEST(FlexGridPaint, TheCellsAndTheBackgroundCoverTheWholeViewport)
{
    FlexGrid g;
    FillNumbered(g, 4, 3);
    g.SetBackColorBkg(0x00FF00); // green, as 0xBBGGRR
    g.resize(400, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    auto painted = [&] {
        QImage image(g.viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        g.viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image;
    };
    auto countOf = [](const QImage &image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    };
    const QImage few = painted();
    EXPECT_EQ(countOf(few, qRgb(255, 0, 255)), 0);
    const QRect last = g.CellRect(3, 2);
    EXPECT_EQ(few.pixel(last.right() + 5, 5), qRgb(0, 255, 0)) << "beside the last column";
    EXPECT_EQ(few.pixel(5, last.bottom() + 5), qRgb(0, 255, 0)) << "below the last row";
    EXPECT_EQ(few.pixel(last.left() + 1, last.top() + 1), qRgb(255, 255, 255)) << "a data cell";
    EXPECT_EQ(countOf(few, qRgb(0, 255, 0)),
              few.width() * few.height() - (last.right() + 1) * (last.bottom() + 1));

    FillNumbered(g, 200, 30);
    g.SetTopRow(150);
    g.SetLeftCol(20);
    const QImage scrolled = painted();
    EXPECT_EQ(countOf(scrolled, qRgb(255, 0, 255)), 0);
}

// A scroll bar's look: its thumb and whether it stands at an end.
struct BarLook {
    QRect thumb;
    bool atMinimum, atMaximum;
    bool operator==(const BarLook &) const = default;
};

BarLook LookOf(const QScrollBar &bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    if (bar.orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return {bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar),
            bar.value() == bar.minimum(), bar.value() == bar.maximum()};
}

// Row by row through a long list the scroll bar repaints only when its look
// changes, and what the window shows is what a whole repaint shows.
TEST(FlexGridDraw, TheScrollBarRepaintsOnlyWhenItsLookChanges)
{
    FlexGrid g;
    FillNumbered(g, 3000, 3);
    g.resize(300, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QScrollBar &bar = *g.verticalScrollBar();
    tavtest::PaintCount paints(&bar);
    QScreen *screen = QGuiApplication::primaryScreen();
    auto shown = [&] {
        QCoreApplication::processEvents();
        return screen->grabWindow(g.winId()).toImage();
    };
    shown();
    int changes = 0;
    for (int step = 0; step < 150; ++step) {
        const BarLook before = LookOf(bar);
        paints.count = 0;
        g.SetTopRow(g.TopRow() + 1);
        shown();
        const bool changed = !(LookOf(bar) == before);
        EXPECT_EQ(paints.count > 0, changed) << "step " << step;
        changes += changed;
    }
    EXPECT_GT(changes, 1);
    EXPECT_LT(changes, 100);
    paints.count = 0;
    g.SetTopRow(g.Rows() - 1);
    const QImage atEnd = shown();
    EXPECT_GT(paints.count, 0) << "the end is reached";
    bar.update();
    g.viewport()->update();
    EXPECT_EQ(atEnd, shown());
}

// Thin grid lines are filled as rectangles, for speed: the pixels must be
// those of the lines a one-pixel pen draws, on cells of any place and size,
// also where the screen is scaled.
TEST(FlexGridPaint, ThinGridLinesCoverTheSamePixelsAsAOnePixelPen)
{
    const QColor line(0xC0, 0xC0, 0xC0);
    for (int scale : {1, 2}) {
        for (const QRect cell : {QRect(0, 0, 10, 10), QRect(3, 5, 1, 1), QRect(7, 2, 40, 17), QRect(20, 30, 2, 25),
                                 QRect(-3, -4, 12, 9), QRect(55, 40, 9, 30)}) {
            QImage pen(64 * scale, 64 * scale, QImage::Format_RGB32), filled = pen;
            pen.fill(Qt::white);
            filled.fill(Qt::white);
            {
                QPainter p(&pen);
                p.scale(scale, scale);
                QPen stroke(line);
                stroke.setWidth(1);
                p.setPen(stroke);
                p.drawLine(cell.topRight(), cell.bottomRight());
                p.drawLine(cell.bottomLeft(), cell.bottomRight());
            }
            {
                QPainter p(&filled);
                p.scale(scale, scale);
                flexgrid::DrawGridLines(p, cell, line, 1);
            }
            EXPECT_EQ(pen, filled) << scale << " " << cell.x() << "," << cell.y() << " " << cell.width() << "x"
                                   << cell.height();
        }
    }
}
