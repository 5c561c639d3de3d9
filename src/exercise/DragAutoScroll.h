#pragma once
// Scrolls a scroll area by itself while a drag is held near one of its edges,
// as Qt's item views do, so that a drop place outside the view can be reached
// without letting go of the tile. It watches the drags over the area's
// viewport and over every widget inside it, also those made later; the
// viewport takes the drags over the empty parts of the page, and refuses their
// drops.
//
// The mouse coming into an edge's margin (or a drag starting there, on a tile
// the view cuts) does not scroll at once: a tile held still over a half
// visible row must not have the rows move under it. The scrolling starts when
// the mouse moves on towards the edge inside the margin, or after it stayed
// in the margin for HoldMs. Moving back away from the edge waits again.

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>

class QAbstractScrollArea;
class QScrollArea;
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
    // How long the mouse stays in a margin before the scrolling starts by
    // itself.
    static constexpr int HoldMs = 800;

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
    // One axis of the mouse's place: the margin it is in (-1 the low edge's,
    // 1 the high edge's, 0 none), where it came into it, whether it has moved
    // on towards the edge since, and for how long it has been there.
    struct Axis {
        int near = 0;
        int entry = 0;
        bool armed = false;
        QElapsedTimer since;
    };
    void aimAxis(Axis &axis, int pos, int low, int high);
    bool due(const Axis &axis) const;

    Axis m_axes[2]; // x, y
    int m_speed = 0;    // pixels a step, growing while the scrolling lasts
    bool m_redirecting = false;
    const QMimeData *m_drag = nullptr; // compared only: the drag being followed
};

// A frameless scroll area around a panel of rows (named after it, with
// "Scroll" appended) that scrolls by itself during a drag: the rows scroll,
// the controls beside the area stay where they are.
QScrollArea *RowsScroll(QWidget *rows, QWidget *parent);

} // namespace tav
