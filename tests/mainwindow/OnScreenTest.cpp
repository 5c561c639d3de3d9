// What the program shows stays on the screen, on the test platform's screen
// and on 640x480, 800x600 and 1920x1080 at 1.25 and 1.5: every window opens
// whole, also where the window manager first put it with its title bar above
// the screen; every cut text is whole on hover and in the focused control, in
// a tip on the screen; the headings' borders lie on the column lines.

#include "FrameListWindows.h"

#include "exercise/Exercise.h"
#include "exercise/TileBoxes.h"
#include "inflection/GrammarPanel.h"
#include "mainwindow/About.h"
#include "mainwindow/Sorry.h"
#include "mainwindow/Splash.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/font/GreekKeys.h"
#include "platform/winsys/QtMessageService.h"
#include "printing/P001.h"
#include "support/ExerciseProbe.h"

#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace {

QRect Area(const QWidget *w) { return w->screen()->availableGeometry(); }

void ExpectWhole(QWidget *window)
{
    QTest::qWait(10);
    EXPECT_TRUE(Area(window).contains(window->frameGeometry())) << "as it opened";
    window->move(Area(window).topLeft() - QPoint(30, 30));
    QTest::qWait(10);
    EXPECT_TRUE(Area(window).contains(window->frameGeometry())) << "put above the screen";
}

// Hover at point of control, then focus(): the whole text in the tool tip
// and in owner's focus tip, on the screen, where cut; else no focus tip.
void ExpectAtHand(QWidget *control, QWidget *owner, QPoint point, const std::function<void()> &focus,
                  const QString &whole, bool cut)
{
    QToolTip::hideText();
    QHelpEvent hover(QEvent::ToolTip, point, control->mapToGlobal(point));
    QApplication::sendEvent(control, &hover);
    EXPECT_TRUE(!cut || (QToolTip::isVisible() && QToolTip::text() == whole)) << QToolTip::text().toStdString();
    if (!control->isEnabled())
        return;
    focus();
    QTest::qWait(10);
    const auto *tip = owner->findChild<QLabel *>(QStringLiteral("wholeTextTip"));
    ASSERT_EQ(tip && tip->isVisible(), cut);
    EXPECT_TRUE(!cut || (tip->text() == whole && Area(control).contains(tip->frameGeometry())));
}

// A control whose text the part its window shows clearly cuts, or clearly
// shows whole.
void CheckControl(QWidget *control)
{
    const QString text = control->property("text").toString();
    SCOPED_TRACE(text.toStdString());
    const QRect shown = control->visibleRegion().boundingRect();
    const int spare = shown.width() - 8 - control->fontMetrics().horizontalAdvance(text);
    if (std::abs(spare) >= 12)
        ExpectAtHand(control, control, QPoint(2, 4), [control] { control->setFocus(); },
                     winsys::TextOutsideFont(control->font(), text), spare < 0);
}

using OnScreen = tavtest::FrameListWindows;

TEST_F(OnScreen, EveryWindowOpensWholeOnTheScreen)
{
    w->show();
    const std::function<QWidget *()> windows[] = {
        [this] { return w->PrintInstance(); },
        [this] { return w->mnuHelpParts_Click(1), w->findChild<tav::About *>(); },
        [this] { return w->ShowSorry(QStringLiteral("None."), QStringLiteral("xyz"), false), w->SorryInstance(); },
        [this] { return new tav::Splash(w.get()); },
        [this] { return winsys::QtMessageService::BuildBox(QString("No. ").repeated(80), 0, {}, w.get()).release(); },
    };
    for (const auto &open : windows) {
        QWidget *window = open();
        window->show();
        SCOPED_TRACE(window->metaObject()->className());
        ExpectWhole(window);
        window->close();
    }
    QTimer::singleShot(20, w.get(), [] { // Settings, modal
        ExpectWhole(QApplication::activeModalWidget());
        qobject_cast<QDialog *>(QApplication::activeModalWidget())->reject();
    });
    w->frmOptions_Show();
}

TEST_F(OnScreen, EveryCutTextIsAtHandWhole)
{
    w->showMaximized();
    // List cells of the rightmost column shown, narrowed as a user narrows it.
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    flexgrid::FlexGrid &g = *qobject_cast<tav::GridStd *>(w->ActiveForm())->Grid();
    QApplication::processEvents();
    int col = g.Cols() - 1;
    while (col > g.FixedCols() && g.CellRect(g.FixedRows(), col).isEmpty())
        --col;
    g.SetColWidth(col, 700);
    for (int row = g.FixedRows(); row < g.FixedRows() + 3; ++row)
        ExpectAtHand(g.viewport(), &g, g.CellRect(row, col).center(), [&] { g.setFocus(), g.SetRow(row), g.SetCol(col); },
                     winsys::TextOutsideFont(g.CellFontAt(row, col), g.TextMatrix(row, col)), g.CellTextCut(row, col));

    w->SmallFacts(1053, QString(), 0); // pragmatopoiwv: the passive box ("P")
    CheckControl(w->findChild<QLineEdit *>(QStringLiteral("tbPP")));

    w->Exercises = tav::ExerciseWindowRoutines();
    w->mnuExParts_Click(1);
    auto *exercise = dynamic_cast<tav::Exercise *>(w->ExerciseInstance());
    QApplication::processEvents();
    for (QPushButton *go : tavtest::ExProbe(exercise).cmdGo)
        CheckControl(go);
    exercise->SelectTab(3);
    tavtest::ExProbe(exercise).cmdGoR->click();
    QApplication::processEvents();
    for (const auto &row : tavtest::ExProbe(exercise).verbRows)
        CheckControl(row.tbMoveGreR);
}

TEST_F(OnScreen, TheHeadingsBordersLieOnTheColumnLines)
{
    w->showMaximized();
    QApplication::processEvents();
    QWidget *panel = w->Control<QWidget>("picBottom");
    flexgrid::FlexGrid &g = *w->Grammar().FormsGrid();
    const QImage image = panel->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    const int headY = int(dpr * panel->findChild<QLabel *>(QStringLiteral("lblUnderLine(1)"))->geometry().center().y());
    for (int c = g.FixedCols() + 1; c < g.Cols(); ++c) {
        const QRect cell = g.CellRect(1, c).translated(g.viewport()->mapTo(panel, QPoint()));
        const int cellY = int(dpr * cell.center().y()), line = cell.left() - 1, back = int(dpr * (line + 2)) + 1;
        QString head, cells; // "|" where a line is drawn
        for (int x = int(dpr * (line - 1)); x < int(dpr * (line + 2)); ++x) {
            head += image.pixel(x, headY) == image.pixel(back, headY) ? QLatin1Char('.') : QLatin1Char('|');
            cells += image.pixel(x, cellY) == image.pixel(back, cellY) ? QLatin1Char('.') : QLatin1Char('|');
        }
        EXPECT_EQ(head.toStdString(), cells.toStdString()) << "column " << c << " at scale " << dpr;
    }
}

} // namespace
