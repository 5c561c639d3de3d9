// The grammar panel's layout at the screen sizes users have: every form
// stands under its own headings whichever cell the keys or the mouse make
// current, and the current cell is always in sight.

#include "PanelFixture.h"

#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <functional>

using tavtest::PanelFixture;
using tavtest::Size;

namespace {

// A heading label over the data columns first..last of a grid.
struct Heading {
    QLabel *label;
    flexgrid::FlexGrid *grid;
    int first, last;
};

} // namespace

class PanelLayout : public PanelFixture {
protected:
    QWidget *picBottom() { return w->Control<QWidget>("picBottom"); }
    QScrollArea *scroll() { return w->findChild<QScrollArea *>(QStringLiteral("picBottomScroll")); }

    // The horizontal extent of a cell in the panel's coordinates; empty when
    // the grid does not show the cell whole.
    QRect CellInPanel(flexgrid::FlexGrid &g, int row, int col)
    {
        const QRect cell = g.CellRect(row, col);
        if (cell.isEmpty() || !g.viewport()->rect().contains(cell))
            return QRect();
        return cell.translated(g.viewport()->mapTo(picBottom(), QPoint()));
    }

    // Which heading stands over which columns in the view shown.
    QList<Heading> HeadingsOfView()
    {
        const auto &top = controls().lblTopLine;
        const auto &under = controls().lblUnderLine;
        flexgrid::FlexGrid *k = &klin(), *i = &imp();
        QList<Heading> h;
        if (!imp().isHidden()) { // participles and imperatives
            h << Heading{top[1], k, 1, 3} << Heading{top[2], i, 1, 4};
            for (int c = 1; c <= 3; ++c)
                h << Heading{under[c], k, c, c};
            for (int c = 1; c <= 4; ++c)
                h << Heading{under[c + 3], i, c, c};
        } else if (klin().Cols() == 6) { // conjugation
            h << Heading{top[1], k, 1, 1} << Heading{top[2], k, 2, 4} << Heading{top[3], k, 5, 5};
            for (int c = 1; c <= 5; ++c)
                h << Heading{under[c], k, c, c};
        } else { // declensions: one top heading over all columns
            h << Heading{top[1], k, 1, klin().Cols() - 1};
            for (int c = 1; c < klin().Cols(); ++c)
                h << Heading{under[c], k, c, c};
        }
        return h;
    }

    // Each heading spans exactly its columns; every cell of the grids is
    // shown whole by its grid (so under its row caption), at least two rows
    // of them; the current cell
    // of the grid in use is inside the part of the panel in sight.
    void CheckLayout(flexgrid::FlexGrid &current, const std::string &where)
    {
        QApplication::processEvents();
        for (const Heading &h : HeadingsOfView()) {
            ASSERT_TRUE(h.label->isVisibleTo(picBottom())) << where;
            const QRect first = CellInPanel(*h.grid, h.grid->TopRow(), h.first);
            const QRect last = CellInPanel(*h.grid, h.grid->TopRow(), h.last);
            ASSERT_FALSE(first.isEmpty() || last.isEmpty())
                << where << ": the grid " << h.grid->objectName().toStdString() << " hides a column under "
                << h.label->text().toStdString();
            EXPECT_NEAR(h.label->x(), first.left(), 1) << where << ": " << h.label->text().toStdString();
            EXPECT_NEAR(h.label->geometry().right(), last.right(), 1) << where << ": " << h.label->text().toStdString();
        }
        for (flexgrid::FlexGrid *g : {&klin(), &imp()}) {
            if (g->isHidden())
                continue;
            for (int r = g->TopRow(); r < g->TopRow() + 2; ++r) // a low panel scrolls the rest below them
                for (int c = 0; c < g->Cols(); ++c)
                    EXPECT_FALSE(CellInPanel(*g, r, c).isEmpty()) << where << ": cell " << r << "," << c;
        }
        const QRect cell = CellInPanel(current, current.Row(), current.Col());
        const QRect inView = cell.translated(picBottom()->mapTo(scroll()->viewport(), QPoint()));
        EXPECT_TRUE(scroll()->viewport()->rect().contains(inView))
            << where << ": current cell " << current.Row() << "," << current.Col() << " out of sight";
    }

};

TEST_F(PanelLayout, EveryViewKeepsItsFormsUnderTheirHeadingsAndTheCurrentCellInSight)
{
    struct View {
        const char *name;
        std::function<void()> show;
    };
    const QList<View> views = {
        {"base state", [&] { w->BaseFrase(); }},
        {"active conjugation", [&] { w->SmallFacts(1, QString(), 0); }},
        {"passive conjugation",
         [&] {
             w->SmallFacts(1, QString(), 0);
             entry(1)->trigger();
         }},
        {"adjective", [&] { w->SmallFacts(3, QString(), 0); }},
        {"noun", [&] { w->SmallFacts(10, QString(), 0); }},
        {"participles and imperatives", [&] { w->SmallFacts(1, QString(), 33); }},
    };
    struct Key {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const QList<Key> keys = {
        {"End", Qt::Key_End, {}},          {"Home", Qt::Key_Home, {}},         {"Right", Qt::Key_Right, {}},
        {"Right", Qt::Key_Right, {}},      {"Right", Qt::Key_Right, {}},       {"Right", Qt::Key_Right, {}},
        {"Right", Qt::Key_Right, {}},      {"Down", Qt::Key_Down, {}},         {"Down", Qt::Key_Down, {}},
        {"PageDown", Qt::Key_PageDown, {}}, {"Left", Qt::Key_Left, {}},        {"Up", Qt::Key_Up, {}},
        {"PageUp", Qt::Key_PageUp, {}},    {"Ctrl+End", Qt::Key_End, Qt::ControlModifier},
        {"Ctrl+Home", Qt::Key_Home, Qt::ControlModifier},
        {"Enter on an open editor", Qt::Key_F2, {}},
    };
    // 960x540: a 1920x1080 screen at twice the scale. 800x400: lower still,
    // the grids scroll their rows below the headings.
    int partlyShownClicked = 0;
    for (const Size size : {Size{800, 600}, Size{1280, 1024}, Size{960, 540}, Size{800, 400}}) {
        SetSize(size);
        for (const View &view : views) {
            view.show();
            for (flexgrid::FlexGrid *g : {&klin(), &imp()}) {
                if (g->isHidden())
                    continue;
                const std::string at = std::to_string(size.width) + "x" + std::to_string(size.height) + " " +
                                       view.name + " " + g->objectName().toStdString();
                g->setFocus();
                g->SetRow(1);
                g->SetCol(1);
                CheckLayout(*g, at + " at start");
                for (const Key &k : keys) {
                    QTest::keyClick(g, k.key, k.modifiers);
                    if (k.key == Qt::Key_F2 && !g->hasFocus())
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                    CheckLayout(*g, at + " after " + k.name);
                }
                // A click on a cell the panel shows only in part: the panel
                // scrolls it into sight with its headings.
                QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
                scroll()->horizontalScrollBar()->setValue(0);
                scroll()->verticalScrollBar()->setValue(0);
                QApplication::processEvents();
                const QRect sight = scroll()->viewport()->rect();
                for (int c = g->Cols() - 1; c >= 1; --c) {
                    const QRect cell = g->CellRect(2, c);
                    const QRect shown = cell.translated(g->viewport()->mapTo(scroll()->viewport(), QPoint()));
                    if (!sight.intersects(shown) || sight.contains(shown))
                        continue;
                    ++partlyShownClicked;
                    const QPoint inside = sight.intersected(shown).center();
                    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                                      g->viewport()->mapFrom(scroll()->viewport(), inside));
                    EXPECT_EQ(g->Col(), c) << at;
                    CheckLayout(*g, at + " after a click on column " + std::to_string(c));
                    break;
                }
            }
        }
        if (size.height == 400) {
            EXPECT_EQ(scroll()->verticalScrollBar()->maximum(), 0) << "the headings stay, the grids scroll their rows";
        }
    }
    EXPECT_GT(partlyShownClicked, 0);
}

// In a window too low for the whole panel, F6 into the panel and Tab through
// it bring the control that takes the focus into sight: the grid's current
// cell with its focus mark, the verb boxes.
TEST_F(PanelLayout, TheFocusComingIntoALowPanelIsInSight)
{
    SetSize({800, 400});
    w->SmallFacts(1, QString(), 0);
    klin().SetRow(6);
    klin().SetCol(5);
    w->Control<QWidget>("tv1")->setFocus();
    scroll()->verticalScrollBar()->setValue(0);
    scroll()->horizontalScrollBar()->setValue(0);
    QApplication::processEvents();
    ASSERT_EQ(scroll()->verticalScrollBar()->maximum(), 0) << "the headings stay, the grid scrolls its rows";
    const auto inSight = [this](const QRect &inPanel) {
        return scroll()->viewport()->rect().contains(inPanel.translated(picBottom()->mapTo(scroll()->viewport(), QPoint())));
    };
    ASSERT_FALSE(inSight(CellInPanel(klin(), 6, 5))) << "the last row starts out of sight";
    for (int n = 0; n < 3 && !klin().hasFocus(); ++n)
        w->MoveToArea(true);
    ASSERT_TRUE(klin().hasFocus());
    QApplication::processEvents();
    EXPECT_TRUE(inSight(CellInPanel(klin(), 6, 5)));

    controls().tbPP->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(inSight(controls().tbPP->geometry()));
}
