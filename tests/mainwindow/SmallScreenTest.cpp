// The main window on small and scaled screens: the tree's captions fit the
// left panel, and a list keeps room for five rows beside the grammar panel.

#include "FrameListWindows.h"

#include "exercise/Exercise.h"
#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"
#include "store/SharedState.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using tavtest::FrameListWindows;

namespace {

// The rows of the grid shown whole, from its top row down.
int WholeRowsShown(flexgrid::FlexGrid &g)
{
    int n = 0;
    for (int r = g.TopRow(); r < g.Rows(); ++r) {
        const QRect cell = g.CellRect(r, g.Col());
        if (cell.isEmpty() || cell.bottom() >= g.viewport()->height())
            break;
        ++n;
    }
    return n;
}

} // namespace

TEST_F(FrameListWindows, AtEightHundredPixelsTheTreesCaptionsFitOnceAListIsOpen)
{
    w->setFixedWidth(800);
    frameRequests->DoSimpleGrid(tav::SqlAllLang3 + QStringLiteral(" WHERE ID = 36"), 2, QStringLiteral("x"), 2);
    ASSERT_EQ(w->ChildForms().size(), 1);
    QApplication::processEvents();
    auto *tree = w->Control<QTreeWidget>("tv1");
    for (int place : {0, 15}) { // "-" and "Omikron", the longest letter name
        ChooseLetter(place);
        QApplication::processEvents();
        EXPECT_FALSE(tree->horizontalScrollBar()->isVisible()) << "letter " << place;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->parent() && !(*it)->parent()->isExpanded())
                continue;
            const QRect row = tree->visualItemRect(*it);
            EXPECT_LE(row.left() + tree->iconSize().width() + tree->fontMetrics().horizontalAdvance((*it)->text(0)),
                      tree->viewport()->width())
                << (*it)->text(0).toStdString();
        }
    }
}

// 1920x1080 at twice the scale leaves 960x540: the grammar panel shows every
// row of its view (the six persons of a verb) and a list at least five rows.
// A lower window still keeps the list's five rows; the panel then scrolls.
TEST_F(FrameListWindows, ALowWindowShowsThePanelsRowsAndFiveRowsOfAList)
{
    w->setFixedSize(960, 540);
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    auto *list = qobject_cast<tav::GridStd *>(w->ActiveForm());
    ASSERT_NE(list, nullptr);
    list->parentWidget()->showMaximized();
    QApplication::processEvents();
    auto *panel = w->findChild<QScrollArea *>(QStringLiteral("picBottomScroll"));
    ASSERT_NE(panel, nullptr);
    EXPECT_GE(WholeRowsShown(*list->Grid()), 5);
    EXPECT_EQ(panel->verticalScrollBar()->maximum(), 0) << "the panel is shown whole";
    EXPECT_GE(panel->height(), w->Control<QWidget>("picBottom")->height());

    w->setFixedSize(960, 400);
    QApplication::processEvents();
    EXPECT_GE(WholeRowsShown(*list->Grid()), 5);
    EXPECT_GT(panel->height(), 0) << "the grammar panel stays in sight";
    auto &forms = *w->Grammar().FormsGrid();
    EXPECT_LT(WholeRowsShown(forms), forms.Rows() - 1) << "and its grid scrolls to its lower rows";

    // A high window gives the panel its whole height again.
    w->setFixedSize(960, 800);
    QApplication::processEvents();
    EXPECT_EQ(panel->verticalScrollBar()->maximum(), 0);
    EXPECT_GE(panel->height(), w->Control<QWidget>("picBottom")->height());
}

// At 800x600 with the exercise open the grammar panel keeps its heading rows
// and two rows of forms in sight; scrolled sideways, it keeps the row
// captions at its left edge, as the grid draws them.
TEST_F(FrameListWindows, OnAShortScreenThePanelKeepsItsHeadingsAndRowCaptionsInView)
{
    w->setFixedSize(800, 600);
    w->show();
    w->Exercises = tav::ExerciseWindowRoutines();
    w->mnuExParts_Click(2);
    w->SmallFacts(5, QString(), 33); // the participle and the imperatives, wider than the window
    QApplication::processEvents();
    auto *scroll = w->findChild<QScrollArea *>(QStringLiteral("picBottomScroll"));
    flexgrid::FlexGrid &g = *w->Grammar().FormsGrid();
    const QRect lastShown = g.CellRect(2, 1).translated(g.viewport()->mapTo(scroll->viewport(), QPoint()));
    EXPECT_TRUE(scroll->viewport()->rect().contains(QRect(QPoint(0, 0), lastShown.bottomRight())));
    const int captions = g.contentsRect().left() + g.TwipsToPixelsX(g.ColWidth(0));
    ASSERT_GT(scroll->horizontalScrollBar()->maximum(), captions);
    scroll->horizontalScrollBar()->setValue(captions);
    QApplication::processEvents();
    auto image = [](QWidget *from, QRect r) { return from->grab(r).toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(image(scroll->viewport(), QRect(0, g.y(), captions, g.height())), image(&g, QRect(0, 0, captions, g.height())));
    // A click on a caption kept in view does what a click on the caption
    // itself does, not what one on the cell scrolled under it would.
    const QPoint onCaption(captions / 2, g.viewport()->mapTo(&g, g.CellRect(2, 1).center()).y());
    auto clickAt = [&](QPoint inGrid) {
        g.SetRow(1);
        g.SetCol(1);
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, g.mapTo(w.get(), inGrid));
        QApplication::processEvents();
        return QPoint(g.Row(), g.Col());
    };
    // Scrolled so that the third column lies under the captions.
    scroll->horizontalScrollBar()->setValue(g.viewport()->mapTo(scroll->widget(), g.CellRect(2, 2).topLeft()).x());
    QApplication::processEvents();
    const QPoint fromStrip = clickAt(onCaption + QPoint(scroll->horizontalScrollBar()->value() - g.x(), 0));
    scroll->horizontalScrollBar()->setValue(0);
    QApplication::processEvents();
    EXPECT_EQ(fromStrip, clickAt(onCaption));
}
