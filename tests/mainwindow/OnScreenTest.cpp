// What the program shows stays on the screen: every window and dialog opens
// whole on the screen's work area, also where the window manager first put
// it with its title bar above the screen; and every text a control cuts can
// be read whole, on hover and in the focused control, in a tip that lies on
// the screen. The program runs these cases on the test platform's screen and
// again on 640x480, 800x600 and 1920x1080 at scales 1.25 and 1.5.

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
#include "platform/winsys/WindowServices.h"
#include "printing/P001.h"
#include "support/ExerciseProbe.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>

using tavtest::FrameListWindows;

namespace {

class OnScreen : public FrameListWindows {
protected:
    void SetUp() override
    {
        FrameListWindows::SetUp();
        winsys::InstallWindowServices();
        winsys::SetMessageService(&messages);
    }
    void TearDown() override
    {
        winsys::UninstallWindowServices();
        FrameListWindows::TearDown();
    }

    static QRect Area(const QWidget *window) { return window->screen()->availableGeometry(); }

    // The window whole on the work area as it opened, and again after the
    // window manager put it with its title bar above the screen.
    static void ExpectWholeOnScreen(QWidget *window)
    {
        QTest::qWait(10);
        EXPECT_TRUE(Area(window).contains(window->frameGeometry())) << "as it opened";
        window->move(Area(window).topLeft() - QPoint(30, 30));
        QTest::qWait(10);
        EXPECT_TRUE(Area(window).contains(window->frameGeometry())) << "put above the screen";
    }

    // Opens a modal dialog, checks it while it shows and closes it.
    static void CheckModal(const std::function<void()> &open)
    {
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || seen)
                return;
            seen = true;
            ExpectWholeOnScreen(dialog);
            dialog->reject();
        });
        poll.start(10);
        open();
        EXPECT_TRUE(seen);
    }

    // The whole text of control, which shows text cut, is at hand: in the
    // tool tip on hover at point, and below the control while it has the
    // focus (focus() gives it), in a tip on the screen. A text shown whole
    // has no focus tip.
    void ExpectWholeTextAtHand(QWidget *control, const QPoint &point, const std::function<void()> &focus,
                               const QString &whole, bool cut)
    {
        QHelpEvent hover(QEvent::ToolTip, point, control->mapToGlobal(point));
        QToolTip::hideText();
        QApplication::sendEvent(control, &hover);
        if (cut) {
            EXPECT_TRUE(QToolTip::isVisible());
            EXPECT_EQ(QToolTip::text(), whole);
        }
        focus();
        QTest::qWait(10);
        QWidget *owner = qobject_cast<flexgrid::FlexGrid *>(control->parentWidget()) ? control->parentWidget() : control;
        const auto *tip = owner->findChild<QLabel *>(QStringLiteral("wholeTextTip"));
        const bool shown = tip && tip->isVisible();
        if (!control->isEnabled())
            return; // a disabled control takes no focus
        ASSERT_EQ(shown, cut);
        if (cut) {
            EXPECT_EQ(tip->text(), whole);
            EXPECT_TRUE(Area(control).contains(tip->frameGeometry()))
                << tip->frameGeometry().x() << "+" << tip->frameGeometry().width() << " on " << Area(control).width();
        }
        w->Control<QWidget>("tv1")->setFocus();
        QTest::qWait(10);
        EXPECT_FALSE(tip && tip->isVisible()) << "the tip goes with the focus";
    }

    // Whether a control's text is wider than the part of the control its
    // window shows; nullopt where the two are too close to call.
    static std::optional<bool> ShownCut(const QWidget *control, const QString &text, int inside)
    {
        QRect shown = control->rect();
        for (const QWidget *a = control->parentWidget(); a; a = a->isWindow() ? nullptr : a->parentWidget())
            shown &= QRect(control->mapFrom(a, QPoint()), a->size());
        const int room = shown.width() - inside, needed = QFontMetrics(control->font()).horizontalAdvance(text);
        if (std::abs(room - needed) < 12)
            return std::nullopt;
        return needed > room;
    }

    void CheckControl(QWidget *control, const QString &text, int inside)
    {
        SCOPED_TRACE(control->objectName().toStdString() + ": " + text.toStdString());
        const std::optional<bool> cut = ShownCut(control, text, inside);
        if (!cut)
            return;
        ExpectWholeTextAtHand(control, QPoint(2, control->height() / 2), [control] { control->setFocus(); },
                              winsys::TextOutsideFont(control->font(), text), *cut);
    }
};

TEST_F(OnScreen, EveryWindowOpensWholeOnTheScreen)
{
    w->show();
    const struct {
        const char *window;
        std::function<void()> check;
    } windows[] = {
        {"Settings", [this] { CheckModal([this] { w->frmOptions_Show(); }); }},
        {"Print Options",
         [this] {
             P001 *print = w->PrintInstance();
             print->show();
             ExpectWholeOnScreen(print);
             print->close();
         }},
        {"About",
         [this] {
             w->mnuHelpParts_Click(1);
             auto *about = w->findChild<tav::About *>();
             ASSERT_NE(about, nullptr);
             ExpectWholeOnScreen(about);
             about->close();
         }},
        {"empty result",
         [this] {
             w->ShowSorry(QStringLiteral("No word found."), QStringLiteral("xyz"), false);
             ExpectWholeOnScreen(w->SorryInstance());
             w->SorryInstance()->close();
         }},
        {"message box",
         [this] {
             auto box = winsys::QtMessageService::BuildBox(QStringLiteral("The word database cannot be read. ").repeated(12),
                                                          winsys::vbOKOnly, QString(), w.get());
             box->show();
             ExpectWholeOnScreen(box.get());
         }},
        {"splash",
         [] {
             tav::Splash splash;
             splash.show();
             ExpectWholeOnScreen(&splash);
         }},
    };
    for (const auto &entry : windows) {
        SCOPED_TRACE(entry.window);
        entry.check();
    }
}

TEST_F(OnScreen, EveryCutTextIsAtHandWhole)
{
    w->showMaximized();
    QApplication::processEvents();

    // List cells: the cut cells of the rightmost column shown, narrowed as
    // a user narrows it.
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    auto *list = qobject_cast<tav::GridStd *>(w->ActiveForm());
    ASSERT_NE(list, nullptr);
    flexgrid::FlexGrid &g = *list->Grid();
    QApplication::processEvents();
    int col = g.Cols() - 1;
    while (col > g.FixedCols() && g.CellRect(g.FixedRows(), col).isEmpty())
        --col;
    g.SetColWidth(col, 700);
    QApplication::processEvents();
    int cutCells = 0;
    for (int row = g.FixedRows(); row < g.Rows() && cutCells < 3; ++row) {
        const QRect cell = g.CellRect(row, col);
        if (cell.isEmpty() || !g.CellTextCut(row, col))
            continue;
        ++cutCells;
        SCOPED_TRACE("list cell " + g.TextMatrix(row, col).toStdString());
        ExpectWholeTextAtHand(
            g.viewport(), cell.center(),
            [&] {
                g.setFocus();
                g.SetRow(row);
                g.SetCol(col);
            },
            winsys::TextOutsideFont(g.CellFontAt(row, col), g.TextMatrix(row, col)), true);
    }
    EXPECT_GT(cutCells, 0) << "a list cuts some of its texts";

    // The grammar panel's passive box ("P") with a long form.
    w->SmallFacts(1053, QString(), 0); // pragmatopoiwv
    QApplication::processEvents();
    auto *passive = w->findChild<QLineEdit *>(QStringLiteral("tbPP"));
    ASSERT_NE(passive, nullptr);
    CheckControl(passive, passive->text(), 8);

    // The exercises: the matching page's deal buttons, the verb page's boxes.
    w->Exercises = tav::ExerciseWindowRoutines();
    w->mnuExParts_Click(1);
    auto *exercise = dynamic_cast<tav::Exercise *>(w->ExerciseInstance());
    ASSERT_NE(exercise, nullptr);
    QApplication::processEvents();
    for (QPushButton *go : tavtest::ExProbe(exercise).cmdGo)
        CheckControl(go, go->text(), 8);
    exercise->SelectTab(3);
    QApplication::processEvents();
    if (tavtest::ExProbe(exercise).cmdGoR->isEnabled())
        tavtest::ExProbe(exercise).cmdGoR->click();
    QApplication::processEvents();
    for (const auto &row : tavtest::ExProbe(exercise).verbRows)
        for (QLineEdit *box : {static_cast<QLineEdit *>(row.tbGreR), static_cast<QLineEdit *>(row.tbMoveGreR)})
            if (box->isVisible() && !box->text().isEmpty())
                CheckControl(box, box->text(), 8);
}

// The borders of the headings over the grammar panel's columns lie on the
// grid's column lines, to the device pixel, at every scale.
TEST_F(OnScreen, TheHeadingsBordersLieOnTheColumnLines)
{
    w->showMaximized();
    QApplication::processEvents();
    QWidget *panel = w->Control<QWidget>("picBottom");
    flexgrid::FlexGrid &g = *w->Grammar().FormsGrid();
    const QImage image = panel->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    const QLabel *heading = panel->findChild<QLabel *>(QStringLiteral("lblUnderLine(1)"));
    ASSERT_NE(heading, nullptr);
    const int headY = int(dpr * (heading->y() + heading->height() / 2));
    for (int c = g.FixedCols() + 1; c < g.Cols(); ++c) {
        const QRect cell = g.CellRect(1, c).translated(g.viewport()->mapTo(panel, QPoint()));
        const int cellY = int(dpr * cell.center().y()), line = cell.left() - 1;
        const QRgb headBack = image.pixel(int(dpr * (line + 2)) + 1, headY);
        const QRgb cellBack = image.pixel(int(dpr * (line + 2)) + 1, cellY);
        QString head, cells;
        for (int x = int(dpr * (line - 1)); x < int(dpr * (line + 2)); ++x) {
            head += image.pixel(x, headY) == headBack ? QLatin1Char('.') : QLatin1Char('|');
            cells += image.pixel(x, cellY) == cellBack ? QLatin1Char('.') : QLatin1Char('|');
        }
        EXPECT_EQ(head.toStdString(), cells.toStdString()) << "column " << c << " at scale " << dpr;
    }
}

} // namespace
