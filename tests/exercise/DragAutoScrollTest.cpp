// A scroll area that scrolls by itself while a drag is held near its edges,
// driven by drag events sent as Qt delivers them.
#include "exercise/DragAutoScroll.h"
#include "exercise/TileBoxes.h"
#include "support/EventWait.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A page of ten places, taller and wider than its view.
class DragAutoScrollTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *page = new QWidget;
        page->resize(600, 700);
        area.setWidget(page);
        new tav::DragAutoScroll(&area); // before the places, as a round deals them later
        for (int i = 0; i < 10; ++i) {
            auto *place = new tav::DropPlace(i, &owner, page);
            place->setGeometry(10, 20 + 55 * i, 150, 50);
            place->Dropped = [this](int index, const QString &) { dropped.push_back(index); };
            places.push_back(place);
        }
        area.resize(300, 200);
        area.show();
        data.reset(tav::TileMimeData(QStringLiteral("lovgoV"), &owner));
    }
    QWidget *View() { return area.viewport(); }
    // A point of one widget in another's coordinates.
    static QPoint Map(QWidget *from, QPoint at, QWidget *to) { return to->mapFromGlobal(from->mapToGlobal(at)); }
    // The widget Qt sends a drag at a point of the view to: the one under it
    // that takes drops, else the view itself.
    QWidget *TargetAt(QPoint at)
    {
        QWidget *w = View()->childAt(at);
        while (w && !w->acceptDrops())
            w = w->parentWidget();
        return w ? w : View();
    }
    // A drag entering `to` at `at` and moving there, as Qt sends it.
    void Move(QWidget *to, QPoint at)
    {
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(to, &enter);
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(to, &move);
    }
    bool Drop(QWidget *to, QPoint at)
    {
        Move(to, to->rect().center());
        QDropEvent drop(QPointF(at), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(to, &drop);
        return drop.isAccepted();
    }
    // Waits until a scrolling that was running has taken a few steps, however
    // slow the machine.
    static void Steps(int n) { tavtest::WaitPast(n * tav::DragAutoScroll::StepMs + 20); }

    QObject owner;
    QScrollArea area;
    std::vector<tav::DropPlace *> places;
    std::vector<int> dropped;
    std::unique_ptr<QMimeData> data;
};

} // namespace

TEST_F(DragAutoScrollTest, ScrollsWhileTheDragIsNearAnEdgeAndStopsAwayFromIt)
{
    QScrollBar *v = area.verticalScrollBar();
    QScrollBar *h = area.horizontalScrollBar();
    ASSERT_GT(v->maximum(), 0);
    ASSERT_GT(h->maximum(), 0);
    const QRect view = View()->rect();

    // Over a place at the lower edge: down, and on while it stays there.
    QPoint edge(50, view.bottom());
    while (TargetAt(edge) == View() && edge.y() > view.bottom() - 12)
        edge.ry() -= 1;
    QWidget *low = TargetAt(edge);
    ASSERT_NE(low, View());
    Move(View(), view.center()); // the drag starts away from the edges
    Move(low, Map(View(), edge, low));
    EXPECT_EQ(v->value(), 0); // not at once: a drag passing the edge moves nothing
    EXPECT_TRUE(QTest::qWaitFor([&] { return v->value() > 10; }, tav::DragAutoScroll::HoldMs + 1000));
    EXPECT_EQ(h->value(), 0);

    // Over the empty page in the middle: the view stays.
    Move(View(), view.center());
    const int still = v->value();
    Steps(3);
    EXPECT_EQ(v->value(), still);

    // The upper left corner: back up and left; leaving the view stops it.
    Move(View(), QPoint(2, 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return v->value() < still; }, tav::DragAutoScroll::HoldMs + 1000));
    h->setValue(h->maximum());
    QDragLeaveEvent leave;
    QApplication::sendEvent(View(), &leave);
    const int left = h->value(), top = v->value();
    Steps(3);
    EXPECT_EQ(h->value(), left);
    EXPECT_EQ(v->value(), top);
}

TEST_F(DragAutoScrollTest, ADropGoesToThePlaceNowUnderTheMouse)
{
    // The view scrolled under a mouse that stood still: Qt aims the drop at
    // the place the mouse was over before, at a point now outside it.
    QWidget *first = places[0];
    const QPoint overSecond = Map(places[1], places[1]->rect().center(), first);
    EXPECT_TRUE(Drop(first, overSecond));
    EXPECT_EQ(dropped, std::vector<int>{1});

    // Between the places nothing takes the drop; within its own place it lands there.
    dropped.clear();
    EXPECT_FALSE(Drop(first, Map(places[1], QPoint(5, -3), first)));
    EXPECT_TRUE(dropped.empty());
    EXPECT_TRUE(Drop(first, first->rect().center()));
    EXPECT_EQ(dropped, std::vector<int>{0});
}

TEST_F(DragAutoScrollTest, ADragStartingAtAnEdgeScrollsOnlyOnceItHeadsThere)
{
    // A tile the view cuts at its lower edge: the drag starts in the margin.
    QScrollBar *v = area.verticalScrollBar();
    const QRect view = View()->rect();
    const QPoint start(60, view.bottom() - 4);
    Move(TargetAt(start), Map(View(), start, TargetAt(start)));
    Steps(4);
    EXPECT_EQ(v->value(), 0);
    // Along the edge, towards a place beside it: still no scrolling.
    const QPoint along(140, view.bottom() - 5);
    Move(TargetAt(along), Map(View(), along, TargetAt(along)));
    Steps(4);
    EXPECT_EQ(v->value(), 0);
    // Towards the edge: now it scrolls.
    const QPoint down(140, view.bottom());
    Move(TargetAt(down), Map(View(), down, TargetAt(down)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return v->value() > 0; }, 1000));

    // A new drag (new data) starting in the margin is not armed again.
    QDropEvent drop(QPointF(5, 5), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View(), &drop);
    data.reset(tav::TileMimeData(QStringLiteral("lovgoV"), &owner));
    const int before = v->value();
    Move(TargetAt(along), Map(View(), along, TargetAt(along)));
    Steps(4);
    EXPECT_EQ(v->value(), before);
}

TEST_F(DragAutoScrollTest, AStillMouseOverAHalfVisiblePlaceWaitsAndTheDropLandsThere)
{
    QScrollBar *v = area.verticalScrollBar();
    QTest::qWait(20); // laid out, with its scroll bars
    const QRect view = View()->rect();
    // The place the view's lower edge cuts, aimed at from the middle of the view.
    QPoint aim(50, view.bottom() - 3);
    while (TargetAt(aim) == View() && aim.y() > view.bottom() - 14)
        aim.ry() -= 1;
    QWidget *cut = TargetAt(aim);
    ASSERT_NE(cut, View());
    Move(View(), view.center());
    Move(cut, Map(View(), aim, cut));
    Steps(8);
    EXPECT_EQ(v->value(), 0) << "the rows do not move under a mouse held still";
    QDropEvent drop(QPointF(Map(View(), aim, cut)), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cut, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(places[dropped[0]], cut);

    // Moving on towards the edge inside the margin scrolls at once.
    data.reset(tav::TileMimeData(QStringLiteral("lovgoV"), &owner));
    Move(View(), view.center());
    Move(cut, Map(View(), aim, cut));
    const QPoint further(50, view.bottom());
    Move(TargetAt(further), Map(View(), further, TargetAt(further)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return v->value() > 0; }, tav::DragAutoScroll::HoldMs / 2));
}
