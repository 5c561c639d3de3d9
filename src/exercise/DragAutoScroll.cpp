#include "exercise/DragAutoScroll.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDragMoveEvent>
#include <QScrollBar>

#include <algorithm>
#include <iterator>

namespace tav {

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

void DragAutoScroll::follow(const QMimeData *drag, const QPoint &at)
{
    if (drag == m_drag)
        return;
    m_drag = drag;
    m_start = at;
    std::fill(std::begin(m_armed), std::end(m_armed), false);
}

void DragAutoScroll::aim(const QPoint &at)
{
    const QRect view = m_viewport->rect();
    // One axis: -1 towards the low edge, 1 towards the high one, 0 neither.
    // An edge is armed once the mouse was outside its margin or moved towards
    // it, by half the way from the start to the edge (a few pixels sideways
    // do not count).
    const auto towards = [](int way) { return std::clamp(way / 2, 2, QApplication::startDragDistance()); };
    const auto axis = [&](int pos, int start, int low, int high, bool &lowArmed, bool &highArmed) {
        const bool nearLow = pos < low + m_margin;
        const bool nearHigh = pos > high - m_margin;
        lowArmed = lowArmed || !nearLow || start - pos >= towards(start - low);
        highArmed = highArmed || !nearHigh || pos - start >= towards(high - start);
        return nearLow && lowArmed ? -1 : nearHigh && highArmed ? 1 : 0;
    };
    m_direction = QPoint(axis(at.x(), m_start.x(), view.left(), view.right(), m_armed[0], m_armed[2]),
                         axis(at.y(), m_start.y(), view.top(), view.bottom(), m_armed[1], m_armed[3]));
    if (m_direction.isNull())
        stop();
    else if (!m_timer.isActive())
        m_timer.start();
}

void DragAutoScroll::stop()
{
    m_timer.stop();
    m_direction = QPoint();
    m_speed = 0;
}

void DragAutoScroll::step()
{
    bool moved = false;
    const auto scroll = [this, &moved](QScrollBar *bar, int direction) {
        if (direction == 0)
            return;
        const int old = bar->value();
        bar->setValue(old + direction * std::min(m_speed, std::max(bar->singleStep(), 1)));
        moved = moved || bar->value() != old;
    };
    m_speed += 2; // slow at first, so that a short stay moves the view a little
    scroll(m_area->horizontalScrollBar(), m_direction.x());
    scroll(m_area->verticalScrollBar(), m_direction.y());
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
