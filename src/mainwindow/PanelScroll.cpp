#include "mainwindow/PanelScroll.h"

#include "platform/flexgrid/FlexGrid.h"

#include <QApplication>
#include <QEvent>
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
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { showFocus(now); });
    fitHeight();
}

// The focus moves while the panel's controls are destroyed: the handler
// ends before they go, while this is still a PanelScroll.
PanelScroll::~PanelScroll() { disconnect(m_focusWatch); }

void PanelScroll::FollowGrid(flexgrid::FlexGrid *grid)
{
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
    const QRect cell = grid->CellRect(grid->Row(), grid->Col());
    if (cell.isEmpty())
        showRect(grid, grid->rect());
    else
        showRect(grid->viewport(), cell);
}

void PanelScroll::showRect(const QWidget *inside, const QRect &rect)
{
    const QPoint at = inside->mapTo(widget(), rect.topLeft());
    const int halfWidth = (rect.width() + 1) / 2, halfHeight = (rect.height() + 1) / 2;
    ensureVisible(at.x() + halfWidth, at.y() + halfHeight, halfWidth, halfHeight);
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
    if ((watched == widget() && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                                 event->type() == QEvent::Hide)) ||
        (watched == m_above && m_above && event->type() == QEvent::Resize))
        fitHeight();
    return handled;
}

void PanelScroll::fitHeight()
{
    QWidget *panel = widget();
    if (!panel)
        return;
    const int bar = horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()->sizeHint().height() : 0;
    const int whole = panel->isHidden() ? 0 : panel->height() + bar;
    int shown = whole;
    if (m_above && m_aboveHeight > 0) {
        // What the area above can spare: the two share their joint height.
        const int free = m_above->height() + height() - m_aboveHeight;
        shown = std::min(whole, std::max(free, whole / 3));
    }
    if (shown != height())
        setFixedHeight(shown);
}

} // namespace tav
