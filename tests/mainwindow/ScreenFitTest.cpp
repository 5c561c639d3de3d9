// The main window on the screens users have: it fits every screen of at
// least 640x480 logical pixels, maximised or not, with no list, a list, the
// exercise open and the exercise closed again. The program runs these cases
// on the test platform's screen and again on screens of 800x600, and of
// 1280x1024, 1366x768 and 1920x1080 at twice the scale.

#include "FrameListWindows.h"

#include "exercise/Exercise.h"
#include "support/ExerciseProbe.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

using tavtest::FrameListWindows;

class ScreenFit : public FrameListWindows {
protected:
    // Whether every widget from c up to top shows the whole of c.
    static bool WholeInSight(const QWidget *c, const QWidget *top)
    {
        for (const QWidget *a = c->parentWidget(); a; a = a->parentWidget()) {
            if (!a->rect().contains(QRect(c->mapTo(a, QPoint()), c->size())))
                return false;
            if (a == top)
                break;
        }
        return c->isVisible();
    }

    // The window lies on the screen's work area, maximised when asked to be;
    // each control of the toolbar strip shows whole inside it, beside the
    // others; the status bar lies inside it.
    void CheckFit(bool maximised, const std::string &state)
    {
        QApplication::processEvents();
        const QRect area = w->screen()->availableGeometry();
        EXPECT_EQ(w->isMaximized(), maximised) << state;
        EXPECT_TRUE(area.contains(w->frameGeometry()))
            << state << ": the window " << w->frameGeometry().width() << "x" << w->frameGeometry().height()
            << " on a work area of " << area.width() << "x" << area.height();
        EXPECT_LE(w->minimumSizeHint().width(), area.width()) << state;
        const QRect inside = w->rect();
        const auto *bar = w->Control<QStatusBar>("stsStatusBar");
        EXPECT_TRUE(inside.contains(QRect(bar->mapTo(w.get(), QPoint()), bar->size()))) << state;
        if (w->Control<QWidget>("picToolbar")->isHidden())
            return;
        QList<QRect> placed;
        for (const char *name : {"imgPrintNorm", "lblFlag", "opForm(0)", "opForm(1)", "tbSearch", "cmdSearch",
                                 "cmdClear", "tbFind(0)", "tbFind(1)"}) {
            const QWidget *c = w->Control<QWidget>(name);
            const QRect r(c->mapTo(w.get(), QPoint()), c->size());
            EXPECT_TRUE(inside.contains(r)) << state << ": " << name;
            EXPECT_GE(c->width(), std::max(c->minimumWidth(), c->minimumSizeHint().width())) << state << ": " << name;
            for (const QRect &other : std::as_const(placed))
                EXPECT_FALSE(r.intersects(other)) << state << ": " << name << " over another control";
            placed << r;
        }
    }
};

TEST_F(ScreenFit, TheMainWindowLiesOnTheScreenAndStaysMaximised)
{
    w->showMaximized();
    CheckFit(true, "no list");

    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    ASSERT_EQ(w->ChildForms().size(), 1);
    CheckFit(true, "a list");

    w->Exercises = tav::ExerciseWindowRoutines();
    w->mnuExParts_Click(2);
    ASSERT_NE(w->ExerciseInstance(), nullptr);
    CheckFit(true, "an exercise open");
    // On a screen of 960x540 and more, the verb page shows its six forms
    // without scrolling: the grammar panel gives way.
    auto *exercise = dynamic_cast<tav::Exercise *>(w->ExerciseInstance());
    ASSERT_NE(exercise, nullptr);
    if (w->screen()->availableGeometry().height() >= 540) {
        ASSERT_EQ(tavtest::ExProbe(exercise).verbRows.size(), 6);
        for (const auto &row : tavtest::ExProbe(exercise).verbRows)
            EXPECT_TRUE(WholeInSight(row.tbGreR, w.get())) << row.lblPers->text().toStdString();
    }

    w->ExerciseInstance()->Form()->parentWidget()->close();
    QApplication::processEvents();
    ASSERT_FALSE(w->Control<QWidget>("picToolbar")->isHidden());
    CheckFit(true, "the exercise closed");
    // The grammar panel has its whole height back.
    if (w->screen()->availableGeometry().height() >= 540) {
        EXPECT_EQ(w->findChild<QScrollArea *>(QStringLiteral("picBottomScroll"))->verticalScrollBar()->maximum(), 0);
    }

    // In its normal state the window takes the work area, and no more.
    w->showNormal();
    CheckFit(false, "normal, the exercise closed");
    w->Control<QMdiArea>("mdiClient")->closeAllSubWindows();
    CheckFit(false, "normal, no list");
}
