#include "platform/winsys/OnScreen.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace winsys {

namespace {

// The window's state while it opens: from its show until it has first been
// active, any move the window manager makes is checked; afterwards only one
// that takes the title bar above the work area, where it cannot be reached.
const char *const kOpening = "tavOpening";
// Set while a check waits in the event queue, so that a burst of moves and
// resizes makes one check.
const char *const kCheckQueued = "tavOnScreenQueued";
const char *const kPlacesItself = "tavPlacesItself";

bool Kept(const QWidget *w)
{
    switch (w->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Tool:
    case Qt::SplashScreen:
        return true;
    default:
        // Menus, pop-ups and tool tips are placed by Qt or by their owner.
        return false;
    }
}

void QueueCheck(QWidget *w)
{
    if (w->property(kCheckQueued).toBool())
        return;
    w->setProperty(kCheckQueued, true);
    QTimer::singleShot(0, w, [window = QPointer<QWidget>(w)] {
        if (!window)
            return;
        window->setProperty(kCheckQueued, false);
        KeepWholeOnScreen(window);
    });
}

class OnScreenWatch : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize && type != QEvent::WindowActivate)
            return false;
        if (!watched->isWidgetType())
            return false;
        auto *w = static_cast<QWidget *>(watched);
        if (!w->isWindow() || !Kept(w) || w->property(kPlacesItself).toBool())
            return false;
        if (type == QEvent::Show) {
            w->setProperty(kOpening, true);
        } else if (type == QEvent::WindowActivate) {
            w->setProperty(kOpening, false);
        } else if (type == QEvent::Move && !w->property(kOpening).toBool()) {
            const QScreen *screen = w->screen();
            if (!screen || w->frameGeometry().top() >= screen->availableGeometry().top())
                return false;
        }
        QueueCheck(w);
        return false;
    }
};

OnScreenWatch *g_watch = nullptr;

} // namespace

QRect FrameKeptInside(const QRect &frame, const QRect &area)
{
    QRect kept = frame;
    kept.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    kept.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    return kept;
}

void KeepWholeOnScreen(QWidget *window)
{
    if (!window || !window->isWindow() || !window->isVisible()
        || (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    if (area.contains(frame))
        return;
    if (frame.width() > area.width() || frame.height() > area.height()) {
        const QSize border = frame.size() - window->size();
        const QSize client =
            (area.size() - border).boundedTo(window->size()).expandedTo(window->minimumSize());
        if (client != window->size()) {
            window->resize(client);
            frame = window->frameGeometry();
        }
    }
    const QRect kept = FrameKeptInside(frame, area);
    // move() places the frame, title bar included.
    if (kept.topLeft() != frame.topLeft())
        window->move(kept.topLeft());
}

void PlacesItself(QWidget *window) { window->setProperty(kPlacesItself, true); }

void KeepWindowsOnScreen(bool on)
{
    if (on == (g_watch != nullptr))
        return;
    if (on) {
        g_watch = new OnScreenWatch;
        qApp->installEventFilter(g_watch);
    } else {
        qApp->removeEventFilter(g_watch);
        delete g_watch;
        g_watch = nullptr;
    }
}

} // namespace winsys
