#include "platform/flexgrid/GridRoutines.h"

#include <algorithm>
#include <bitset>

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QSet>
#include <QVector>

#include <vector>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include "platform/dao/JetSql.h"
#include "platform/flexgrid/RowParts.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/VbKeys.h"

namespace tav {

namespace {

constexpr long long kWhite = 0xFFFFFF;
constexpr long long kGreen = 0xFF00;

// Moves step columns to the right, to the first data row, when that column
// exists.
void MoveToColTop(FlexGrid &Grid, int step)
{
    if (Grid.Col() + step >= Grid.Cols())
        return;
    Grid.SetCol(Grid.Col() + step);
    Grid.SetRow(1);
    Grid.setFocus();
}

} // namespace

bool IsValidLikePattern(const QString &Pattern)
{
    for (qsizetype i = 0; i < Pattern.size(); ++i) {
        if (Pattern.at(i) != QLatin1Char('['))
            continue;
        const qsizetype close = Pattern.indexOf(QLatin1Char(']'), i + 1);
        if (close < 0)
            return false;
        i = close;
    }
    return true;
}

QString GridSearchCaption(GridSearch State)
{
    switch (State) {
    case GridSearch::FromTop:
        return QStringLiteral("S");
    case GridSearch::AfterLastHit:
        return QStringLiteral("SN");
    case GridSearch::Exhausted:
        break;
    }
    return QStringLiteral("0");
}

GridSearch SearchGridRow(FlexGrid &Grid, GridSearch From, QWidget &SearchBox, long long Col, long long HomeRow,
                         QString &Text)
{
    Text = Text.trimmed() + QLatin1Char('*');
    Grid.SetCellBackColor(kWhite);
    if (From == GridSearch::Exhausted)
        return From;
    const int from = From == GridSearch::FromTop ? 1 : Grid.SearchRow() + 1;

    int hit = -1;
    if (IsValidLikePattern(Text) && Col >= 0 && Col < Grid.Cols()) {
        const int col = static_cast<int>(Col);
        const dao::LikePattern like(Text);
        for (int r = std::max(from, 1); r < Grid.Rows(); ++r) {
            if (like.Matches(Grid.TextMatrix(r, col))) {
                hit = r;
                break;
            }
        }
    }
    if (hit >= 0) {
        Grid.SetRow(hit);
        Grid.SetTopRow(hit);
        Grid.SetSearchRow(hit);
        Grid.SetCellBackColor(kGreen);
        SearchBox.setFocus();
        return GridSearch::AfterLastHit;
    }
    if (HomeRow >= 0 && HomeRow < Grid.Rows()) {
        Grid.SetRow(static_cast<int>(HomeRow));
        Grid.SetTopRow(static_cast<int>(HomeRow));
    }
    Grid.setFocus();
    return GridSearch::Exhausted;
}

void SelectAllText(QLineEdit &Box)
{
    Box.setSelection(0, static_cast<int>(Box.text().size()));
}

void SetGreekColumnFont(FlexGrid &Grid, int FirstCol, int LastCol, int PointSize)
{
    const int first = std::max(FirstCol, 0);
    const int last = std::min(LastCol, Grid.Cols() - 1);
    const int lastRow = Grid.Rows() - 1;
    if (first > last || lastRow < 1)
        return;
    // One pass over the block instead of visiting each cell: a list of 50,000
    // words would otherwise fire the cell events twice per cell.
    Grid.SetRangeFont(1, first, lastRow, last, winsys::GreekFamily, PointSize);
    Grid.SetCol(last);
    Grid.SetRow(lastRow);
}

void HideIfFocused(FlexGrid &Grid)
{
    // Nothing is painted before the event loop runs again: a grid need not
    // be hidden while it changes. Hidden and shown again it would repaint the
    // panel under it, and showing a widget asks the window system where the
    // mouse pointer is (a round trip).
    const QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == &Grid || Grid.isAncestorOf(focus)))
        Grid.setVisible(false);
}

void FillGridCells(FlexGrid &Grid, long long Color, int NewCols)
{
    HideIfFocused(Grid);
    Grid.SetRowHeight(0, 0);
    Grid.SetCols(NewCols);
    Grid.SetRangeBackColor(1, 1, Grid.Rows() - 1, Grid.Cols() - 1, Color);
    Grid.setVisible(true);
}

void StartCellEditKey(FlexGrid &Grid, QLineEdit &EditBox, int KeyCode)
{
    if (KeyCode == winsys::vbKeyF2)
        ShowCellEditor(Grid, EditBox, 32);
    else if (KeyCode == winsys::vbKeyDelete)
        ShowCellEditor(Grid, EditBox, CellEditDeleteRequest);
}

void ShowCellEditor(FlexGrid &Grid, QLineEdit &EditBox, int KeyAscii, bool TakeFocus)
{
    // 1. The text and the caret.
    if (KeyAscii >= 0 && KeyAscii <= 32) {
        EditBox.setText(Grid.Text());
        EditBox.setCursorPosition(std::min(1000, static_cast<int>(EditBox.text().size())));
    } else if (KeyAscii == CellEditDeleteRequest || KeyAscii < 0 || KeyAscii > 0xFFFF) {
        EditBox.setText(QString());
    } else {
        EditBox.setText(QString(QChar(KeyAscii)));
        EditBox.setCursorPosition(1);
    }

    // 2, 3. Exactly over the current cell, short of its right and bottom
    // grid lines, so that none of the cell's own text shows beside the box.
    // Reading CellLeft scrolls the cell into view first. The grid's position
    // is taken in the editor's parent, so the two need not share a parent.
    const int cellLeft = Grid.CellLeft();
    QRect cell = Grid.CellRect(Grid.Row(), Grid.Col()).intersected(Grid.viewport()->rect());
    QPoint origin = Grid.viewport()->pos();
    if (cell.isEmpty()) { // a grid not laid out yet: the cell's size in twips
        cell = QRect(Grid.TwipsToPixelsX(cellLeft), Grid.TwipsToPixelsY(Grid.CellTop()),
                     Grid.TwipsToPixelsX(Grid.CellWidth()), Grid.TwipsToPixelsY(Grid.CellHeight()));
        origin = QPoint(0, 0);
    }
    const int line = Grid.GridLineWidth();
    cell.setSize(QSize(std::max(1, cell.width() - line), std::max(1, cell.height() - line)));
    QWidget *parent = EditBox.parentWidget();
    const QPoint gridPos = parent ? parent->mapFromGlobal(Grid.mapToGlobal(QPoint(0, 0))) : Grid.pos();
    EditBox.setGeometry(cell.translated(gridPos + origin));

    // 4. The cell's background.
    const long long back = Grid.CellBackColor();
    if (back >= 0) {
        QPalette pal = EditBox.palette();
        pal.setColor(QPalette::Base, winsys::FromVbColor(static_cast<long>(back == 0 ? kWhite : back)));
        EditBox.setPalette(pal);
    }

    // 5. Shown and focused.
    EditBox.setVisible(true);
    EditBox.raise();
    if (TakeFocus)
        EditBox.setFocus();
}

void AutoSizeGridCols(FlexGrid &Grid, int FirstCol, int LastCol, int MinLen, long long Factor)
{
    const int first = std::max(FirstCol, 0);
    const int last = std::min(LastCol, Grid.Cols() - 1);
    for (int c = first; c <= last; ++c) {
        qsizetype longest = MinLen;
        for (int r = 1; r < Grid.Rows(); ++r)
            longest = std::max(longest, Grid.TextMatrix(r, c).size());
        Grid.SetColWidth(c, static_cast<int>(std::clamp<long long>(longest * Factor, 0, 1 << 30)));
    }
}

int WidestTextPixels(const FlexGrid &Grid, int Col, const QFontMetrics &Metrics)
{
    if (Col < 0 || Col >= Grid.Cols() || Grid.Rows() < 2)
        return 0;
    // Measuring every text of a long list is slow; the sum of the characters'
    // own advances is fast and close to the text's width. Only the texts
    // whose sum comes near the largest are measured whole. A long list's
    // sums are taken in parts side by side; the advances are measured here
    // first, as a font's metrics belong to one thread.
    const qsizetype count = Grid.Rows() - 1;
    std::vector<const QString *> texts(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        texts[size_t(i)] = &Grid.TextRef(static_cast<int>(i) + 1, Col);
    const int parts = flexgrid::PartCount(count);

    // 1. The characters the column holds.
    constexpr char16_t kTable = 0x800; // Latin, Greek and Cyrillic letters, looked up directly
    struct Seen {
        std::bitset<kTable> direct;
        QSet<char16_t> others;
    };
    std::vector<Seen> seen(static_cast<size_t>(parts));
    flexgrid::RunParts(parts, [&](int part) {
        Seen &s = seen[size_t(part)];
        const auto [first, end] = flexgrid::PartRows(count, parts, part);
        for (qsizetype i = first; i < end; ++i)
            for (const QChar c : *texts[size_t(i)]) {
                if (c.unicode() < kTable)
                    s.direct.set(c.unicode());
                else
                    s.others.insert(c.unicode());
            }
    });

    // 2. Their advances.
    std::bitset<kTable> direct;
    QHash<char16_t, int> others;
    for (const Seen &s : seen) {
        direct |= s.direct;
        for (const char16_t u : s.others)
            if (!others.contains(u))
                others.insert(u, Metrics.horizontalAdvance(QChar(u)));
    }
    std::vector<int> table(kTable, 0);
    for (char16_t u = 0; u < kTable; ++u)
        if (direct.test(u))
            table[u] = Metrics.horizontalAdvance(QChar(u));

    // 3. Each text's sum of advances.
    std::vector<int> rough(static_cast<size_t>(count));
    const int *advance = table.data();
    flexgrid::RunParts(parts, [&](int part) {
        const auto [first, end] = flexgrid::PartRows(count, parts, part);
        for (qsizetype i = first; i < end; ++i) {
            int w = 0;
            for (const QChar c : *texts[size_t(i)])
                w += c.unicode() < kTable ? advance[c.unicode()] : others.value(c.unicode());
            rough[size_t(i)] = w;
        }
    });

    // 4. Kerning and shaping change a text's width by a few per cent at most.
    const int roughest = *std::max_element(rough.begin(), rough.end());
    const int nearLargest = roughest - roughest / 16 - 2;
    int widest = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (rough[i] >= nearLargest)
            widest = std::max(widest, Metrics.horizontalAdvance(*texts[i]));
    }
    return widest;
}

void FitGridColsToText(FlexGrid &Grid, int FirstCol, int LastCol, int StepCol, const QWidget &Frm,
                       long long Margin, int SpecialCol, long long MinWidth)
{
    // A step below 1 would never reach LastCol.
    const int step = std::max(StepCol, 1);
    const QFontMetrics fm(Frm.font());
    const double dpi = Frm.logicalDpiX();
    for (int c = std::max(FirstCol, 0); c <= LastCol && c < Grid.Cols(); c += step) {
        long long width = Grid.Rows() > 1 ? winsys::PixelsToTwips(WidestTextPixels(Grid, c, fm), dpi) : 0;
        if (SpecialCol != 0 && c == SpecialCol && Grid.Rows() > 1 && width < MinWidth)
            width = MinWidth;
        Grid.SetColWidth(c, static_cast<int>(std::clamp<long long>(width + Margin, 0, 1 << 30)));
    }
}

void GridNextRow(FlexGrid &Grid)
{
    if (Grid.Row() + 1 >= Grid.Rows())
        return;
    Grid.SetRow(Grid.Row() + 1);
    Grid.setFocus();
}

void GridNextColTop(FlexGrid &Grid) { MoveToColTop(Grid, 1); }

void GridSkipColTop(FlexGrid &Grid) { MoveToColTop(Grid, 2); }

void GridMoveCell(FlexGrid &Grid, long long WrapCol, long long Col, long long Row)
{
    const long long lastCol = Grid.Cols() - 1;
    const long long lastRow = Grid.Rows() - 1;
    long long newCol, newRow;
    if (Col + 1 <= lastCol) {
        if (Grid.ColWidth(static_cast<int>(Col + 1)) >= 1)
            newCol = Col + 1;
        else if (Col + 2 <= lastCol)
            newCol = Col + 2;
        else
            return;
        newRow = Row;
    } else {
        newCol = WrapCol;
        newRow = Row + 1 <= lastRow ? Row + 1 : 1;
    }
    if (newCol < 0 || newCol > lastCol || newRow < 0 || newRow > lastRow)
        return;
    Grid.SetCol(static_cast<int>(newCol));
    Grid.SetRow(static_cast<int>(newRow));
    Grid.EnsureVisible(static_cast<int>(newRow), static_cast<int>(newCol));
    Grid.setFocus();
}

} // namespace tav
