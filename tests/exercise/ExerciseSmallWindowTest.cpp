// The exercise pages in a child window of an 800x600 screen, not maximised:
// they fit the window's width (rows fold, long texts shrink) before anything
// scrolls sideways.

#include "ExerciseFixture.h"

#include "exercise/Exercise.h"
#include "exercise/TileBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace tavtest;

namespace {

class ExerciseSmallWindowTest : public ExerciseWindowFixture {
protected:
    void ShowOnSmallScreen()
    {
        mdi->resize(800, 560);
        mdi->show();
        QApplication::setActiveWindow(mdi.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(mdi.get()));
        Open();
        QApplication::processEvents();
    }
    QScrollArea *typingScroll()
    {
        return qobject_cast<QScrollArea *>(probe().picOptions[0]->parentWidget()->parentWidget());
    }
};

} // namespace

// Every label, button and box of the typing page shows whole inside the
// window, at the width the program gives the window and narrower, and the
// page does not scroll sideways as the focus walks through it.
TEST_F(ExerciseSmallWindowTest, TheTypingPageFitsTheWindowsWidthWithoutScrollingSideways)
{
    ShowOnSmallScreen();
    auto *sub = qobject_cast<QMdiSubWindow *>(ex->parentWidget());
    ASSERT_NE(sub, nullptr);
    QScrollArea *scroll = typingScroll();
    ASSERT_NE(scroll, nullptr);
    QWidget *page = probe().picOptions[0];
    const int given = sub->width();
    EXPECT_LE(given, mdi->Control<QMdiArea>("mdiClient")->width());
    for (const int width : {given, 420, 360}) {
        sub->resize(width, sub->height());
        QApplication::processEvents();
        const std::string at = "window " + std::to_string(width) + " wide";
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << at;
        const QRect sight = scroll->viewport()->rect();
        for (QWidget *w : page->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(page) || w->parentWidget() != page)
                continue;
            const QRect place(w->mapTo(scroll->viewport(), QPoint()), w->size());
            EXPECT_GE(sight.right(), place.right()) << at << ": " << w->objectName().toStdString();
            if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)) {
                EXPECT_GE(w->width(), w->minimumSizeHint().width()) << at << ": " << w->objectName().toStdString();
            }
        }
        ex->txtFields(0)->setFocus();
        for (int n = 0; n < 15; ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(scroll->horizontalScrollBar()->value(), 0) << at;
        }
    }
    // The narrowest window has the answer language under the timer; a wide
    // one beside it.
    QWidget *timer = ex->findChild<QWidget *>(QStringLiteral("fraTimer"));
    QWidget *answer = ex->findChild<QWidget *>(QStringLiteral("Frame2"));
    EXPECT_GT(answer->y(), timer->y());
    mdi->resize(1280, 900);
    sub->resize(mdi->Control<QMdiArea>("mdiClient")->width(), sub->height());
    QApplication::processEvents();
    EXPECT_EQ(answer->y(), timer->y());
    EXPECT_GT(answer->x(), timer->geometry().right());
}
