// The layout services of the grammar panel's views: row captions and the
// Greek font (SetGridFont), the two rows of heading labels over the columns
// (SetGridHeadings, PlaceHeadingLines) and their placement.
#include "inflection/GrammarPanel.h"

#include "inflection/PanelLayout.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QStyle>
#include <QScreen>

#include <algorithm>
#include <cmath>

#include <QLabel>
#include <QRadioButton>

namespace tav {

using flexgrid::FlexGrid;

namespace {

// The narrowest heading column of the views (twips), and the margin the grid
// keeps on each side of a cell's text (pixels).
constexpr int kNarrowestHeadCol = 550;
constexpr int kCellTextMargin = 3;

// The row captions' font: the small caption size, narrowed and then made
// smaller where the widest caption ("Nom sg") would not fit the column.
QFont FittedCaptionFont(const FlexGrid &grid, int room)
{
    QFont font = grid.font();
    font.setStretch(QFont::Unstretched);
    font.setPointSizeF(kRowCaptionPoints);
    auto widest = [&grid](const QFont &f) {
        const QFontMetrics metrics(f);
        int w = 0;
        for (int row = 1; row < grid.Rows(); ++row)
            w = std::max(w, metrics.horizontalAdvance(grid.TextMatrix(row, 0)));
        return w;
    };
    if (widest(font) > room) {
        font.setStretch(QFont::SemiCondensed);
        while (widest(font) > room && font.pointSizeF() > 5.0)
            font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    return font;
}

// Measuring the captions is the costliest font work of showing a word, and
// its outcome depends only on the grid's font, the captions and the screen's
// resolution: the fitted stretch and size are kept for the next word.
void FitCaptionFont(FlexGrid &grid)
{
    const int room = winsys::TwipsToPixelsX(kNarrowestHeadCol) - 2 * kCellTextMargin;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QFont base = grid.font();
    const QChar sep(0x1F);
    QString key = base.toString() + sep + base.families().join(QLatin1Char(',')) + sep
                  + QString::number(base.hintingPreference()) + sep + QString::number(room) + sep
                  + QString::number(screen ? screen->logicalDotsPerInchY() : 0.0);
    for (int row = 1; row < grid.Rows(); ++row)
        key += sep + grid.TextMatrix(row, 0);
    struct Fit {
        int stretch;
        double points;
    };
    static QHash<QString, Fit> fitted;
    auto it = fitted.constFind(key);
    if (it == fitted.constEnd()) {
        const QFont f = FittedCaptionFont(grid, room);
        it = fitted.insert(key, {f.stretch(), f.pointSizeF()});
    }
    QFont font = base;
    font.setStretch(it->stretch);
    font.setPointSizeF(it->points);
    if (font != grid.font())
        grid.SetFont(font);
}

// Paints a heading label: its background is filled before; its text, and
// its four borders as the grid draws its lines, in place of the frame's own
// drawing (which rounds differently on a fractional scale). The frame stays
// for the room it keeps around the text.
class GridLineBorders : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *label = qobject_cast<QLabel *>(watched);
        if (!label || event->type() != QEvent::Paint || label->frameShape() != QFrame::Box)
            return false;
        QPainter p(label);
        label->style()->drawItemText(&p, label->contentsRect(), int(label->alignment()), label->palette(),
                                     label->isEnabled(), label->text(), label->foregroundRole());
        const QColor line = label->palette().color(label->foregroundRole());
        const QRect r = label->rect();
        flexgrid::DrawGridLines(p, r, line, 1);
        flexgrid::DrawGridLines(p, QRect(r.left() - 1, r.top(), 2, r.height()), line, 1);
        flexgrid::DrawGridLines(p, QRect(r.left(), r.top() - 1, r.width(), 2), line, 1);
        return true;
    }
};

// The name of element Index of the heading array whose element 1 is first.
QString HeadingName(const QLabel *first, int index)
{
    return QStringLiteral("%1(%2)").arg(first->objectName().section(QLatin1Char('('), 0, 0)).arg(index);
}

// A new element Index of first's heading array, with the look and the place
// of element 1 (first).
QLabel *NewHeading(const QLabel *first, QWidget *parent, int index)
{
    auto *label = new QLabel(parent);
    label->setObjectName(HeadingName(first, index));
    label->setFixedHeight(first->height());
    label->setAlignment(first->alignment());
    label->setFrameShape(first->frameShape());
    label->setAutoFillBackground(true);
    label->setFont(first->font());
    label->setPalette(first->palette());
    label->setGeometry(first->geometry());
    DrawBordersAsGridLines(label);
    return label;
}

} // namespace

void DrawBordersAsGridLines(QLabel *label)
{
    static GridLineBorders borders;
    label->installEventFilter(&borders);
}

void GrammarPanel::SetGridFont(FlexGrid &grid, const CaptionArray &captions)
{
    int n = captions.LBound();
    for (int row = 1; row < grid.Rows(); ++row)
        grid.SetTextMatrix(row, 0, captions(n++));
    FitCaptionFont(grid);
    SetGreekColumnFont(grid, 1, grid.Cols() - 1, GreekFontSize);
    if (&grid == msflXImp)
        grid.SetRangeBackColor(1, 1, grid.Rows() - 1, grid.Cols() - 1, ColorPaleCyan);
}

// A new element of a heading array, starting with the look of element 1.
// Unloaded elements wait for the next view, which is quicker than making
// new labels each time a word is shown; one that the view before handed back
// is still shown where it was, and the view places it again.
QLabel *GrammarPanel::loadHeading(QList<QLabel *> &array)
{
    QLabel *first = array[1];
    QList<QLabel *> &unloaded = &array == &lblTopLine ? m_unloadedTop : m_unloadedUnder;
    if (unloaded.isEmpty()) {
        array.append(NewHeading(first, first->parentWidget(), array.size()));
        return array.last();
    }
    QLabel *label = unloaded.takeLast();
    restyleHeading(label, first);
    if (const QString name = HeadingName(first, array.size()); label->objectName() != name)
        label->setObjectName(name);
    if (label->palette() != first->palette())
        label->setPalette(first->palette());
    if (label->isHidden())
        label->setGeometry(first->geometry());
    array.append(label);
    return label;
}

void GrammarPanel::hideUnloadedHeadings()
{
    for (QList<QLabel *> *unloaded : {&m_unloadedTop, &m_unloadedUnder}) {
        for (QLabel *label : std::as_const(*unloaded)) {
            if (!label->isHidden()) {
                label->hide();
                label->clear();
            }
        }
    }
}

void GrammarPanel::useConjugationHeadings()
{
    if (m_conjugationHeadings)
        return;
    PlaceHeadingLines();
    hideUnloadedHeadings();
    if (m_conjugationTop.isEmpty()) {
        // Made once, with the look of element 1; SetGridHeadings gives
        // them their texts and the view their places and colours.
        auto make = [this](QList<QLabel *> &array, QList<QLabel *> &own, int count) {
            for (int i = 2; i <= count; ++i)
                own.append(NewHeading(array[1], m_conjugationLayer, i));
        };
        make(lblTopLine, m_conjugationTop, kConjugationTopCount);
        make(lblUnderLine, m_conjugationUnder, kConjugationUnderCount);
    }
    lblTopLine << m_conjugationTop;
    lblUnderLine << m_conjugationUnder;
    m_conjugationHeadings = true;
}

void GrammarPanel::restyleHeading(QLabel *label, const QLabel *first)
{
    // Each setter only where the value differs: a label whose look is
    // touched repaints.
    if (label->height() != first->height() || label->minimumHeight() != label->maximumHeight())
        label->setFixedHeight(first->height());
    if (label->alignment() != first->alignment())
        label->setAlignment(first->alignment());
    if (label->frameShape() != first->frameShape())
        label->setFrameShape(first->frameShape());
    if (!label->autoFillBackground())
        label->setAutoFillBackground(true);
    if (label->font() != first->font())
        label->setFont(first->font());
}

void GrammarPanel::SetGridHeadings(FlexGrid &grid, int TopCount, int UnderCount, const CaptionArray &TopCaptions,
                                   const CaptionArray &UnderCaptions, int TopStart, int UnderStart, bool Flag)
{
    grid.SetCol(1);
    for (QLabel *first : {lblTopLine[1], lblUnderLine[1]}) {
        PaintLabel(first, -1);
        const int fw = first->frameWidth();
        first->setContentsMargins(fw, fw, fw, fw);
    }
    const int cellLeft = LeftTw(&grid) + grid.CellLeft();
    SetTopTw(lblTopLine[1], 0);
    SetLeftTw(lblTopLine[1], cellLeft);
    lblTopLine[1]->show();
    SetTopTw(lblVoice, TopTw(lblTopLine[1]));
    SetLeftTw(lblVoice, 0);
    // Elements still loaded (the conjugation shown again) keep their place
    // and colour, which the view sets again, and get the look of element 1.
    auto heading = [this](QList<QLabel *> &array, int i) {
        if (i >= array.size())
            return loadHeading(array);
        restyleHeading(array[i], array[1]);
        return array[i];
    };
    for (int i = 2; i <= TopCount; ++i) {
        QLabel *label = heading(lblTopLine, i);
        SetTopTw(label, 0);
        label->show();
    }
    int n = TopCaptions.LBound() + std::max(0, TopStart);
    for (int i = 1; i < lblTopLine.size(); ++i)
        lblTopLine[i]->setText(TopCaptions(n++));

    SetTopTw(lblUnderLine[1], TopTw(&grid) - HeightTw(lblUnderLine[1]));
    SetLeftTw(lblUnderLine[1], cellLeft);
    lblUnderLine[1]->show();
    for (int i = 2; i <= UnderCount; ++i) {
        QLabel *label = heading(lblUnderLine, i);
        SetTopTw(label, TopTw(lblUnderLine[1]));
        label->show();
    }

    n = UnderCaptions.LBound();
    if (Flag) {
        for (int i = 1; i < lblUnderLine.size(); ++i)
            lblUnderLine[i]->setText(UnderCaptions(n++));
    } else if (UnderStart >= 0) {
        lblUnderLine[1]->setText(TopCaptions(TopCaptions.LBound()));
        if (lblUnderLine.size() > 2)
            lblUnderLine[2]->setText(UnderCaptions(UnderCaptions.LBound() + UnderStart));
    } else {
        for (int i = 1; i < lblUnderLine.size(); ++i) {
            if (i == 5) {
                lblUnderLine[i]->clear();
            } else if (i == 4) {
                if (opHad[1]->isChecked())
                    lblUnderLine[i]->setText(UnderCaptions(n));
                else if (opHad[0]->isChecked())
                    lblUnderLine[i]->setText(UnderCaptions(1224));
                else
                    lblUnderLine[i]->clear();
            } else {
                lblUnderLine[i]->setText(UnderCaptions(n));
            }
            ++n;
        }
    }
}

// Hands back the loaded heading labels: another view's go back to the pool,
// still shown, until the next view has taken what it needs
// (hideUnloadedHeadings); the conjugation's stay in its layer, hidden with it.
// Each view calls it just before SetGridHeadings, which then loads the labels
// it needs: how many the view before left says nothing of that (a word shown
// in the middle of a view, by a control that took the grid's focus, leaves
// its own).
void GrammarPanel::PlaceHeadingLines()
{
    if (!m_conjugationLayer->isHidden())
        m_conjugationLayer->hide();
    if (m_conjugationHeadings) {
        lblTopLine.resize(2);
        lblUnderLine.resize(2);
        m_conjugationHeadings = false;
        return;
    }
    for (QList<QLabel *> *array : {&lblTopLine, &lblUnderLine}) {
        QList<QLabel *> &unloaded = array == &lblTopLine ? m_unloadedTop : m_unloadedUnder;
        while (array->size() > 2)
            unloaded.append(array->takeLast());
    }
}

// The width (twips) each data column needs to show its longest text whole.
QList<int> GrammarPanel::textWidths(const FlexGrid &grid) const
{
    QList<int> widths(grid.Cols(), 0);
    for (int c = 1; c < grid.Cols(); ++c) {
        int widest = 0;
        for (int r = 1; r < grid.Rows(); ++r)
            widest = std::max(widest, QFontMetrics(grid.CellFontAt(r, c)).horizontalAdvance(grid.TextMatrix(r, c)));
        widths[c] = grid.PixelsToTwipsX(widest + 8);
    }
    return widths;
}

// AutoSizeGridCols counts characters; a column whose longest form is wider
// in the Greek font than that count allows is widened to show it whole.
void GrammarPanel::autoSizeColumns(FlexGrid &grid, int Factor)
{
    AutoSizeGridCols(grid, 1, grid.Cols() - 1, 20, Factor);
    const QList<int> needed = textWidths(grid);
    for (int c = 1; c < grid.Cols(); ++c)
        grid.SetColWidth(c, std::max(grid.ColWidth(c), needed[c]));
}

// Narrows the data columns of the grids, never below their texts' width
// nor below their floors, so that together they take at most the given
// width (twips) more.
void GrammarPanel::fitColumns(const QList<FlexGrid *> &grids, int excess, const ColumnFloors &floors)
{
    int spare = 0;
    QList<QList<int>> needed;
    for (int g = 0; g < grids.size(); ++g) {
        FlexGrid *grid = grids[g];
        needed << textWidths(*grid);
        for (int c = 1; c < grid->Cols(); ++c) {
            needed.last()[c] = std::max(needed.last()[c], floors.value(g).value(c));
            spare += std::max(0, grid->ColWidth(c) - needed.last()[c]);
        }
    }
    if (excess <= 0 || spare <= 0)
        return;
    const double share = std::min(1.0, double(excess) / spare);
    for (int g = 0; g < grids.size(); ++g) {
        FlexGrid &grid = *grids[g];
        for (int c = 1; c < grid.Cols(); ++c) {
            const int room = std::max(0, grid.ColWidth(c) - needed[g][c]);
            grid.SetColWidth(c, grid.ColWidth(c) - int(std::ceil(room * share)));
        }
    }
}

int GrammarPanel::headingWidth(const QString &Caption) const
{
    const QLabel *label = lblUnderLine[1];
    const int frame = 2 * label->frameWidth();
    return winsys::PixelsToTwipsX(QFontMetrics(label->font()).horizontalAdvance(Caption) + frame + 2 * kCellTextMargin);
}

int GrammarPanel::lineAllowance(const FlexGrid &grid) const { return 40 * grid.GridLineWidth(); }

// The grid as wide as all its columns: it shows every column whole, so that
// it never scrolls its cells sideways, away from the headings over them.
// (A grid wider than the window scrolls with the panel, headings and all.)
void GrammarPanel::fitGridWidth(FlexGrid &grid)
{
    int width = grid.width() - grid.contentsRect().width();
    for (int c = 0; c < grid.Cols(); ++c)
        width += grid.TwipsToPixelsX(grid.ColWidth(c));
    if (grid.width() != width)
        grid.resize(width, grid.height());
    grid.SetLeftCol(grid.FixedCols());
}

// Each under-line label, from firstLabel on, over a data column of the grid,
// to the pixel: the column's left edge and width as the grid draws it. The
// grid draws a column's line on the column's last pixel; a label's borders
// are drawn on the same pixels, from the line before its column to its
// column's line (neighbours share their border), so that on a scaled screen
// both round to the same device pixels.
void GrammarPanel::placeUnderLines(FlexGrid &grid, int firstLabel)
{
    int x = grid.x() + grid.contentsRect().left();
    for (int c = 0; c < grid.FixedCols(); ++c)
        x += grid.TwipsToPixelsX(grid.ColWidth(c));
    for (int c = grid.FixedCols(), label = firstLabel; c < grid.Cols() && label < lblUnderLine.size(); ++c, ++label) {
        const int width = grid.TwipsToPixelsX(grid.ColWidth(c));
        QLabel *l = lblUnderLine[label];
        if (l->geometry() != QRect(x - 1, l->y(), width + 1, l->height()))
            l->setGeometry(x - 1, l->y(), width + 1, l->height());
        x += width;
    }
}

// A top-line label over the under-line labels first to last.
void GrammarPanel::spanHeading(QLabel *top, int first, int last)
{
    const int left = lblUnderLine[first]->x();
    const QRect place(left, top->y(), lblUnderLine[last]->geometry().right() + 1 - left, top->height());
    if (top->geometry() != place)
        top->setGeometry(place);
}

// The panel at least as wide as the grids it shows: where the window is
// narrower, the panel scrolls sideways instead of cutting them.
void GrammarPanel::fitPanelWidth()
{
    int right = 0;
    for (FlexGrid *grid : {msflxKlin, msflXImp})
        if (!grid->isHidden())
            right = std::max(right, grid->geometry().right() + 1);
    if (m_picBottom->minimumWidth() != right)
        m_picBottom->setMinimumWidth(right);
}

} // namespace tav
