#include "mainwindow/PanelScroll.h"

#include "platform/flexgrid/FlexGrid.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace tav {

PanelScroll::PanelScroll(QWidget *Panel, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("picBottomScroll"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setWidget(Panel);
    Panel->installEventFilter(this);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, &PanelScroll::fitHeight);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &PanelScroll::placeCaptions);
    viewport()->installEventFilter(this);
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { showFocus(now); });
    fitHeight();
}

// The focus moves while the panel's controls are destroyed: the handler
// ends before they go, while this is still a PanelScroll.
PanelScroll::~PanelScroll() { disconnect(m_focusWatch); }

namespace {

// A grid's row captions, drawn over the left edge of the sight while the
// panel is scrolled sideways past them: the cells scroll, the captions stay.
// It shows what the grid draws there, and follows each repaint of the grid.
class CaptionStrip : public QWidget {
public:
    CaptionStrip(flexgrid::FlexGrid *grid, QWidget *parent) : QWidget(parent), m_grid(grid)
    {
        setObjectName(grid->objectName() + QStringLiteral("Captions"));
        // It covers what it stands on: nothing under it repaints with it,
        // which would repaint the grid and so the strip again.
        setAttribute(Qt::WA_OpaquePaintEvent);
        grid->viewport()->installEventFilter(this);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        // Drawn into a picture first: rendered straight into this widget's
        // painter, the grid lands elsewhere on a real screen.
        m_drawing = true;
        const QPixmap captions = m_grid->grab(rect());
        m_drawing = false;
        QPainter(this).drawPixmap(0, 0, captions);
    }
    // A click on a caption is the grid's, at the caption it shows, not at
    // the cell scrolled under it. The wheel scrolls the panel as elsewhere.
    void mousePressEvent(QMouseEvent *event) override { passOn(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { passOn(event); }
    void mouseDoubleClickEvent(QMouseEvent *event) override { passOn(event); }
    void mouseMoveEvent(QMouseEvent *event) override { passOn(event); }
    void passOn(QMouseEvent *event)
    {
        QWidget *target = m_grid->viewport();
        const QPointF at = target->mapFrom(m_grid, event->position().toPoint());
        QMouseEvent copy(event->type(), at, target->mapToGlobal(at), event->button(), event->buttons(),
                         event->modifiers());
        QApplication::sendEvent(target, &copy);
        event->setAccepted(copy.isAccepted());
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_drawing && isVisible())
            update();
        return false;
    }

private:
    flexgrid::FlexGrid *m_grid;
    bool m_drawing = false;
};

} // namespace

void PanelScroll::FollowGrid(flexgrid::FlexGrid *grid)
{
    m_captions.insert(grid, new CaptionStrip(grid, viewport()));
    grid->installEventFilter(this);
    // A press moves the current cell before the mouse is let go: the panel
    // scrolls at the click, so that the cells do not slide under the mouse
    // while it is held.
    connect(grid, &flexgrid::FlexGrid::RowColChange, this, [this, grid] {
        if (focusInPanel() && QApplication::mouseButtons() == Qt::NoButton)
            showCell(grid);
    });
    connect(grid, &flexgrid::FlexGrid::Click, this, [this, grid] { showCell(grid); });
}

bool PanelScroll::focusInPanel() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && widget() && widget()->isAncestorOf(focus);
}

void PanelScroll::showFocus(QWidget *focus)
{
    if (!focus || !widget() || !widget()->isAncestorOf(focus))
        return;
    if (auto *grid = qobject_cast<flexgrid::FlexGrid *>(focus))
        showCell(grid);
    else
        showRect(focus, focus->rect()); // the whole box, not only its text cursor
}

void PanelScroll::showCell(flexgrid::FlexGrid *grid)
{
    // A grid lower than its rows scrolls them itself, below the headings, to
    // the cell the user is on.
    if (grid->hasFocus() && grid->Row() >= grid->FixedRows() && grid->Col() >= grid->FixedCols())
        grid->EnsureVisible(grid->Row(), grid->Col());
    const QRect cell = grid->CellRect(grid->Row(), grid->Col());
    if (cell.isEmpty()) {
        showRect(grid, grid->rect());
        return;
    }
    showRect(grid->viewport(), cell);
    // Not under the row captions kept at the left edge.
    const int covered = captionsWidth(grid) - grid->viewport()->mapTo(viewport(), cell.topLeft()).x();
    if (covered > 0 && captionsShown(grid))
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

void PanelScroll::showRect(const QWidget *inside, const QRect &rect)
{
    const QPoint at = inside->mapTo(widget(), rect.topLeft());
    const int halfWidth = (rect.width() + 1) / 2, halfHeight = (rect.height() + 1) / 2;
    ensureVisible(at.x() + halfWidth, at.y() + halfHeight, halfWidth, halfHeight);
}

// A grid's frame and its fixed column, the row captions.
int PanelScroll::captionsWidth(const flexgrid::FlexGrid *grid)
{
    int width = grid->contentsRect().left();
    for (int c = 0; c < grid->FixedCols(); ++c)
        width += grid->TwipsToPixelsX(grid->ColWidth(c));
    return width;
}

// While the panel is scrolled sideways past a grid's row captions, and some
// of its cells are still in sight.
bool PanelScroll::captionsShown(const flexgrid::FlexGrid *grid) const
{
    const int scrolled = horizontalScrollBar()->value();
    return grid->isVisible() && scrolled > grid->x() && scrolled < grid->geometry().right() + 1 - captionsWidth(grid);
}

void PanelScroll::placeCaptions()
{
    for (auto it = m_captions.cbegin(); it != m_captions.cend(); ++it) {
        QWidget *strip = it.value();
        if (!captionsShown(it.key())) {
            strip->hide();
            continue;
        }
        const QRect place(0, it.key()->y() - verticalScrollBar()->value(), captionsWidth(it.key()), it.key()->height());
        if (strip->geometry() != place)
            strip->setGeometry(place);
        strip->show();
        strip->raise();
        strip->update();
    }
}

void PanelScroll::SetRoomAbove(QWidget *above, int height)
{
    if (m_above != above && above)
        above->installEventFilter(this);
    m_above = above;
    m_aboveHeight = height;
    fitHeight();
}

bool PanelScroll::eventFilter(QObject *watched, QEvent *event)
{
    const bool handled = QScrollArea::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if ((watched == widget() && (type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide)) ||
        (watched == m_above && m_above && type == QEvent::Resize) ||
        (watched == viewport() && type == QEvent::LayoutRequest)) // the panel's least or greatest height
        fitHeight();
    if (m_captions.contains(qobject_cast<flexgrid::FlexGrid *>(watched)) &&
        (type == QEvent::Resize || type == QEvent::Move || type == QEvent::Show || type == QEvent::Hide))
        placeCaptions();
    return handled;
}

void PanelScroll::fitHeight()
{
    QWidget *panel = widget();
    if (!panel)
        return;
    const int bar = horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()->sizeHint().height() : 0;
    // The panel takes any height from its least (its headings and two rows
    // of forms) to its whole.
    const int whole = panel->isHidden() ? 0 : std::max(panel->height(), panel->maximumHeight()) + bar;
    int shown = whole;
    if (m_above && m_aboveHeight > 0) {
        // What the area above can spare: the two share their joint height.
        const int free = m_above->height() + height() - m_aboveHeight;
        shown = std::min(whole, std::max(free, panel->minimumHeight() + bar));
    }
    if (shown != height())
        setFixedHeight(shown);
}

} // namespace tav
