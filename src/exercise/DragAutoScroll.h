#pragma once
// Scrolls a scroll area by itself while a drag is held near one of its edges,
// as Qt's item views do, so that a drop place outside the view can be reached
// without letting go of the tile. It watches the drags over the area's
// viewport and over every widget inside it, also those made later; the
// viewport takes the drags over the empty parts of the page, and refuses their
// drops.
//
// A drag that starts near an edge (on a tile the view cuts) does not scroll
// while the mouse stays in that edge's margin: an edge starts the scrolling
// only once the drag has been outside its margin, or has moved towards it.

#include <QObject>
#include <QPoint>
#include <QTimer>

class QAbstractScrollArea;
class QDropEvent;
class QMimeData;
class QWidget;

namespace tav {

class DragAutoScroll : public QObject {
public:
    // Margin: how near an edge (pixels) the mouse starts the scrolling.
    explicit DragAutoScroll(QAbstractScrollArea *area, int margin = 16);

    // Time between two steps of the scrolling.
    static constexpr int StepMs = 50;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A drag seen for the first time: its edges are not armed yet.
    void follow(const QMimeData *drag, const QPoint &viewportPos);
    void aim(const QPoint &viewportPos);
    void stop();
    void step();
    QWidget *dropTargetAt(const QPoint &viewportPos) const;
    bool redirectDrop(QWidget *receiver, QDropEvent *drop, const QPoint &viewportPos);

    QAbstractScrollArea *m_area;
    QWidget *m_viewport; // compared only: the area may be half destroyed
    int m_margin;
    QTimer m_timer;
    QPoint m_direction; // -1, 0 or 1 on each axis
    int m_speed = 0;    // pixels a step, growing while the scrolling lasts
    bool m_redirecting = false;
    const QMimeData *m_drag = nullptr; // compared only: the drag being followed
    QPoint m_start;                    // where it was first seen
    bool m_armed[4] = {};              // left, top, right, bottom
};

} // namespace tav
