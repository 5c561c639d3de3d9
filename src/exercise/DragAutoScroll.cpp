#include "exercise/DragAutoScroll.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDragMoveEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <iterator>

namespace tav {

QScrollArea *RowsScroll(QWidget *rows, QWidget *parent)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setObjectName(rows->objectName() + QStringLiteral("Scroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(rows);
    new DragAutoScroll(scroll);
    return scroll;
}

DragAutoScroll::DragAutoScroll(QAbstractScrollArea *area, int margin)
    : QObject(area), m_area(area), m_viewport(area->viewport()), m_margin(margin)
{
    m_viewport->setAcceptDrops(true);
    // The page's places come and go with the rounds: the drags are watched
    // on their way to any widget, and those inside the view are looked at.
    qApp->installEventFilter(this);
    m_timer.setInterval(StepMs);
    connect(&m_timer, &QTimer::timeout, this, &DragAutoScroll::step);
}

bool DragAutoScroll::eventFilter(QObject *watched, QEvent *event)
{
    // Qt sends a drag's moves and its drop only to the widget that accepted
    // its entry, so the viewport accepts every entry the page's places refuse
    // or the empty page gets: it then sees the moves there, and refuses them
    // as drops.
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::DragLeave && type != QEvent::Drop)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    const bool isView = receiver == m_viewport;
    if (!isView && !m_viewport->isAncestorOf(receiver))
        return false;
    if (type == QEvent::DragEnter) {
        auto *enter = static_cast<QDragEnterEvent *>(event);
        follow(enter->mimeData(), receiver->mapTo(m_viewport, enter->position().toPoint()));
        if (!isView)
            return false;
        event->accept();
        return true;
    }
    if (type == QEvent::DragLeave) {
        stop(); // the next move, over whatever the mouse reached, aims again
        return false;
    }
    auto *drag = static_cast<QDropEvent *>(event);
    const QPoint at = receiver->mapTo(m_viewport, drag->position().toPoint());
    follow(drag->mimeData(), at);
    if (type == QEvent::DragMove) {
        aim(at);
    } else {
        stop();
        if (!m_redirecting)
            m_drag = nullptr; // the drag ends here
    }
    if (type == QEvent::Drop && !m_redirecting && redirectDrop(receiver, drag, at)) {
        m_drag = nullptr;
        return true;
    }
    if (!isView)
        return false;
    drag->setDropAction(Qt::IgnoreAction);
    drag->ignore();
    return true;
}

void DragAutoScroll::follow(const QMimeData *drag, const QPoint &)
{
    if (drag == m_drag)
        return;
    // A new drag: where it starts counts as coming into a margin.
    m_drag = drag;
    for (Axis &axis : m_axes)
        axis = Axis();
}

void DragAutoScroll::aimAxis(Axis &axis, int pos, int low, int high)
{
    const int near = pos < low + m_margin ? -1 : pos > high - m_margin ? 1 : 0;
    if (near != axis.near) {
        axis.near = near;
        axis.entry = pos;
        axis.armed = false;
        axis.since.start();
        return;
    }
    if (near == 0)
        return;
    // Moved on towards the edge by half the way from where the mouse came in
    // (a few pixels, so that a hand's tremble does not count), or back away.
    const int way = near < 0 ? axis.entry - low : high - axis.entry;
    const int enough = std::clamp(way / 2, 2, QApplication::startDragDistance());
    const int moved = near < 0 ? axis.entry - pos : pos - axis.entry;
    if (moved >= enough) {
        axis.armed = true;
    } else if (moved <= -enough) {
        axis.entry = pos;
        axis.armed = false;
        axis.since.start();
    }
}

bool DragAutoScroll::due(const Axis &axis) const
{
    return axis.near != 0 && (axis.armed || axis.since.elapsed() >= HoldMs);
}

void DragAutoScroll::aim(const QPoint &at)
{
    const QRect view = m_viewport->rect();
    aimAxis(m_axes[0], at.x(), view.left(), view.right());
    aimAxis(m_axes[1], at.y(), view.top(), view.bottom());
    if (m_axes[0].near == 0 && m_axes[1].near == 0) {
        stop();
        return;
    }
    // The timer runs from the moment the mouse is in a margin; each step
    // scrolls the axes whose scrolling is due.
    if (!m_timer.isActive())
        m_timer.start();
}

void DragAutoScroll::stop()
{
    m_timer.stop();
    m_speed = 0;
}

void DragAutoScroll::step()
{
    const bool x = due(m_axes[0]), y = due(m_axes[1]);
    if (!x && !y)
        return; // still waiting in a margin
    bool moved = false;
    const auto scroll = [this, &moved](QScrollBar *bar, int direction) {
        const int old = bar->value();
        bar->setValue(old + direction * std::min(m_speed, std::max(bar->singleStep(), 1)));
        moved = moved || bar->value() != old;
    };
    m_speed += 2; // slow at first, so that a short stay moves the view a little
    if (x)
        scroll(m_area->horizontalScrollBar(), m_axes[0].near);
    if (y)
        scroll(m_area->verticalScrollBar(), m_axes[1].near);
    if (!moved)
        stop(); // the view is at its end
}

QWidget *DragAutoScroll::dropTargetAt(const QPoint &at) const
{
    QWidget *viewport = m_viewport;
    QWidget *w = viewport->childAt(at);
    while (w && w != viewport && !w->acceptDrops())
        w = w->parentWidget();
    return w ? w : viewport;
}

// When the view scrolled under a mouse that stood still, Qt still aims the
// drop at the widget the mouse was over before: the drop goes to the widget
// under the mouse now, as if the mouse had moved there.
bool DragAutoScroll::redirectDrop(QWidget *receiver, QDropEvent *drop, const QPoint &at)
{
    // A point outside the view (a window not laid out yet) leaves the drop
    // where Qt sent it.
    if (!m_viewport->rect().contains(at))
        return false;
    QWidget *target = dropTargetAt(at);
    if (target == receiver)
        return false;
    m_redirecting = true;
    QDragLeaveEvent leave;
    QApplication::sendEvent(receiver, &leave);
    const QPoint local = target->mapFrom(m_viewport, at);
    QDragEnterEvent enter(local, drop->possibleActions(), drop->mimeData(), drop->buttons(), drop->modifiers());
    QApplication::sendEvent(target, &enter);
    QDropEvent moved(QPointF(local), drop->possibleActions(), drop->mimeData(), drop->buttons(), drop->modifiers());
    moved.ignore();
    QApplication::sendEvent(target, &moved);
    m_redirecting = false;
    drop->setDropAction(moved.isAccepted() ? moved.dropAction() : Qt::IgnoreAction);
    drop->setAccepted(moved.isAccepted());
    return true;
}

} // namespace tav
