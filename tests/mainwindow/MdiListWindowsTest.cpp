// The frame with real list windows, wired as the program wires them: each
// request of the Show button opens a standard list window through the frame,
// which keeps its print entries and window menu in step with them.

#include "support/ListWindowProbe.h"
#include "FrameListWindows.h"

#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "mainwindow/AccessKeys.h"
#include "mainwindow/FrmOptions.h"
#include "mainwindow/ProgramWindows.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/VbKeys.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"
#include "printing/P001.h"
#include "store/ListWindowLink.h"
#include "support/DialogPress.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

using tavtest::FrameListWindows;

TEST_F(FrameListWindows, TwoVerbListsAreListedPrintedAndClosed)
{
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    w->Control<QPushButton>("cmdShow")->click();
    const QList<QWidget *> forms = w->ChildForms();
    ASSERT_EQ(forms.size(), 2);
    const QString caption = forms.first()->windowTitle();
    EXPECT_FALSE(caption.isEmpty());

    // Both windows are in the window list; the second, opened last, is active.
    EXPECT_TRUE(w->Control<QMenu>("mnuWindows")->menuAction()->isEnabled());
    EXPECT_TRUE(w->Control<QAction>("mnuCloseAll")->isEnabled());
    QStringList checked;
    EXPECT_EQ(WindowList(&checked),
              QStringList({QStringLiteral("&1 ") + caption, QStringLiteral("&2 ") + forms.at(1)->windowTitle()}));
    EXPECT_EQ(checked, QStringList({QStringLiteral("&2 ") + forms.at(1)->windowTitle()}));
    EXPECT_FALSE(WindowEntry(0)->isCheckable()) << "only the active window carries a mark";

    // The print entries name the active list window; printing hands its grid over.
    EXPECT_TRUE(w->Control<QAction>("mnuPrintParts(0)")->isEnabled());
    EXPECT_TRUE(w->Control<QLabel>("imgPrintNorm")->isEnabled());
    EXPECT_EQ(tav::WithoutAccessKey(w->Control<QAction>("mnuPrintParts(0)")->text()),
              QStringLiteral("The active form: \"") + caption + QLatin1Char('"'));
    ASSERT_NE(w->PrintInstance(), nullptr);
    QWidget *printed = nullptr;
    w->PrintInstance()->SetChooseOutputFile([&](const QString &) {
        printed = w->PrintInstance()->GridToPrint();
        // No file: back in the dialog, whose Cancel ends the run.
        tavtest::PressWhenShown(w->PrintInstance(), QStringLiteral("Command1(1)"));
        return QString();
    });
    tavtest::PressWhenShown(w->PrintInstance(), QStringLiteral("Command1(0)"));
    w->Control<QAction>("mnuPrintParts(0)")->trigger();
    EXPECT_EQ(printed, forms.at(1)->findChild<QWidget *>(QStringLiteral("msFlxMulti")));
    EXPECT_EQ(w->PrintInstance()->FormToPrint(), QStringLiteral("GridStd"));

    // Choosing the first window in the list makes it the active one.
    WindowEntry(0)->trigger();
    EXPECT_EQ(w->ActiveForm(), forms.first());
    checked.clear();
    WindowList(&checked);
    EXPECT_EQ(checked, QStringList({QStringLiteral("&1 ") + caption}));

    // Closing one leaves the other listed and printable; closing the last
    // disables the window menus and the print entries.
    w->Control<QMdiArea>("mdiClient")->currentSubWindow()->close();
    EXPECT_EQ(w->ChildForms().size(), 1);
    EXPECT_EQ(WindowList().size(), 1);
    EXPECT_TRUE(w->Control<QAction>("mnuPrintParts(0)")->isEnabled());
    EXPECT_TRUE(w->Control<QAction>("mnuCloseAll")->isEnabled());
    w->Control<QAction>("mnuCloseAll")->trigger();
    EXPECT_TRUE(w->ChildForms().isEmpty());
    EXPECT_FALSE(w->Control<QAction>("mnuPrintParts(0)")->isEnabled());
    EXPECT_FALSE(w->Control<QLabel>("imgPrintNorm")->isEnabled());
    EXPECT_EQ(tav::WithoutAccessKey(w->Control<QAction>("mnuPrintParts(0)")->text()),
              QStringLiteral("No active form to print.. "));
    EXPECT_FALSE(w->Control<QMenu>("mnuWindows")->menuAction()->isEnabled());
    EXPECT_FALSE(w->Control<QAction>("mnuCloseAll")->isEnabled());
}

TEST_F(FrameListWindows, ARenamedActiveListRenamesItsPrintEntry)
{
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    ASSERT_EQ(w->ChildForms().size(), 1);
    auto *list = dynamic_cast<tav::GridStd *>(w->ChildForms().first());
    ASSERT_NE(list, nullptr);
    list->SetCaption(QStringLiteral("374 Greek verbs"));
    EXPECT_EQ(tav::WithoutAccessKey(w->Control<QAction>("mnuPrintParts(0)")->text()),
              QStringLiteral("The active form: \"374 Greek verbs\""));
    EXPECT_EQ(w->Control<QLabel>("imgPrintNorm")->toolTip(),
              QStringLiteral("Print :The active form: \"374 Greek verbs\""));
}

TEST_F(FrameListWindows, AnAmpersandInACaptionIsShownInTheWindowList)
{
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    ASSERT_EQ(w->ChildForms().size(), 1);
    w->ChildForms().first()->setWindowTitle(QStringLiteral("3 words on :English \"salt & pepper\""));
    EXPECT_EQ(WindowList(), QStringList({QStringLiteral("&1 3 words on :English \"salt && pepper\"")}));
}

// Text that leaves the Greek key font shows Greek in Greek letters: a list's
// title, in the window's title bar, the Window menu and the print entry, and
// the searched text's tool tip when nothing is found.
TEST_F(FrameListWindows, ASearchedGreekWordIsShownInGreekLettersOutsideTheGreekFont)
{
    struct Search {
        int form; // 0 headwords, 1 inflected forms
        const char *typed, *shown;
    };
    const Search searches[] = {{0, "agapavw", "αγαπάω"}, {1, "agapavw", "αγαπάω"}, {0, "evcw", "έχω"},
                               {0, "ev*", "έ*"}, {1, "evcw", "έχω"}};
    for (const Search &search : searches) {
        w->Control<QRadioButton>(QStringLiteral("opForm(%1)").arg(search.form))->click();
        w->Control<QLineEdit>("tbSearch")->setText(QString::fromUtf8(search.typed));
        w->Control<QPushButton>("cmdSearch")->click();
        ASSERT_FALSE(w->ChildForms().isEmpty()) << search.typed;
        QWidget *list = w->ChildForms().last();
        const QString shown = QLatin1Char('"') + QString::fromUtf8(search.shown) + QLatin1Char('"');
        const QString typed = QLatin1Char('"') + QString::fromUtf8(search.typed) + QLatin1Char('"');
        const QStringList places = {list->windowTitle(), list->parentWidget()->windowTitle(), WindowList().last(),
                                    w->Control<QAction>("mnuPrintParts(0)")->text()};
        for (const QString &place : places) {
            EXPECT_TRUE(place.contains(shown)) << search.typed << ": " << place.toStdString();
            EXPECT_FALSE(place.contains(typed)) << search.typed << ": " << place.toStdString();
        }
    }

    w->Control<QRadioButton>("opForm(0)")->click();
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("levxhqq"));
    w->Control<QPushButton>("cmdSearch")->click();
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(1)")->text(), QStringLiteral("levxhqq"));
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(1)")->toolTip(), QStringLiteral("λέξηθθ"));
}

TEST_F(FrameListWindows, AnEmptyResultShowsTheStartOfItsMessage)
{
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("qqqqzz"));
    w->Control<QPushButton>("cmdSearch")->click();
    EXPECT_TRUE(w->ChildForms().isEmpty());
    const QString message = w->Control<QLineEdit>("tbFind(0)")->text();
    EXPECT_TRUE(message.startsWith(QStringLiteral("No records found for "))) << message.toStdString();
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(0)")->cursorPosition(), 0) << "a long message shows its start, not its end";
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(0)")->toolTip(), message);
}

TEST_F(FrameListWindows, NewListsCascadeAndOpenMaximisedBesideAMaximisedOne)
{
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    w->Control<QPushButton>("cmdShow")->click();
    QList<QMdiSubWindow *> subs = w->Control<QMdiArea>("mdiClient")->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    const int step = winsys::TwipsToPixels(300, w->logicalDpiX());
    EXPECT_EQ(subs.at(0)->pos(), QPoint(0, 0));
    EXPECT_EQ(subs.at(1)->pos(), QPoint(step, step));
    EXPECT_LE(subs.at(1)->geometry().bottom(), w->Control<QMdiArea>("mdiClient")->viewport()->height());

    subs.at(1)->showMaximized();
    w->Control<QPushButton>("cmdShow")->click();
    subs = w->Control<QMdiArea>("mdiClient")->subWindowList();
    ASSERT_EQ(subs.size(), 3);
    EXPECT_TRUE(subs.at(2)->isMaximized());
    EXPECT_EQ(w->ActiveForm(), subs.at(2)->widget());
}

TEST_F(FrameListWindows, RefreshingFromOneListLeavesTheOthersBehindAndTheGrammarPanelOnItsWord)
{
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    w->Control<QPushButton>("cmdShow")->click();
    const QList<QMdiSubWindow *> subs = w->Control<QMdiArea>("mdiClient")->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    auto *first = dynamic_cast<tav::GridStd *>(subs.at(0)->widget());
    ASSERT_NE(first, nullptr);
    w->Control<QMdiArea>("mdiClient")->setActiveSubWindow(subs.at(0));
    tav::SetGridBusy(true);
    first->Grid()->SetRow(3);
    first->Grid()->SetCol(4);
    tav::SetGridBusy(false);
    first->ShowCellInfo();
    const QString shown = w->PanelText(3);
    ASSERT_EQ(shown, QStringLiteral("ID ") + first->Grid()->TextMatrix(3, 1));

    for (bool button : {false, true}) {
        SCOPED_TRACE(button);
        if (button) {
            tavtest::ListProbe(first).cmdFresh->click();
        } else {
            int key = winsys::vbKeyF5;
            first->msFlxMulti_KeyDown(key, 0);
        }
        EXPECT_EQ(w->Control<QMdiArea>("mdiClient")->currentSubWindow(), subs.at(0));
        EXPECT_EQ(w->PanelText(3), shown) << "the grammar panel stays on the word of the list the user is in";
        EXPECT_EQ(first->Grid()->Row(), 3);
        EXPECT_EQ(first->Grid()->Col(), 4);
    }
}

TEST_F(FrameListWindows, PanelFourShowsTheRowsOtherMeaningsAndOnlyWhileASimpleListIsActive)
{
    frameRequests->DoSimpleGrid(tav::SqlAllLang3 + QStringLiteral(" WHERE ID = 36"), 2, QStringLiteral("x"), 2);
    ASSERT_EQ(w->ChildForms().size(), 1);
    auto *simple = dynamic_cast<tav::GridSimple *>(w->ChildForms().first());
    ASSERT_NE(simple, nullptr);
    int mer = -1;
    for (int r = 1; r < simple->Grid()->Rows(); ++r)
        if (simple->Grid()->TextMatrix(r, 2) == QStringLiteral("mer"))
            mer = r;
    ASSERT_GT(mer, 0);
    for (int col : {2, 4}) {
        SCOPED_TRACE(col);
        tav::SetGridBusy(true);
        simple->Grid()->SetRow(mer);
        simple->Grid()->SetCol(col);
        tav::SetGridBusy(false);
        simple->ShowCellInfo();
        const QString panel = w->PanelText(4);
        EXPECT_TRUE(panel.startsWith(tav::Caps1185(1214))) << panel.toStdString();
        EXPECT_TRUE(panel.contains(QStringLiteral("fortfarande"))) << panel.toStdString();
        EXPECT_FALSE(panel.contains(QStringLiteral("mer"))) << panel.toStdString();
    }

    // A standard list has no such meanings: the panel is cleared.
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    ASSERT_EQ(w->ChildForms().size(), 2);
    EXPECT_EQ(w->PanelText(4), QString());
}

TEST_F(FrameListWindows, PanelFourFollowsAChangeOfTheThirdLanguage)
{
    // A Swedish list and an English one of the same word, the English one
    // active: panel 4 shows the word's Swedish meanings.
    frameRequests->DoSimpleGrid(tav::SqlAllLang3 + QStringLiteral(" WHERE ID = 36"), 2, QStringLiteral("x"), 2);
    frameRequests->DoSimpleGrid(tav::SqlAllEnglish + QStringLiteral(" WHERE ID = 36"), 1, QStringLiteral("x"), 2);
    ASSERT_EQ(w->ChildForms().size(), 2);
    QPointer<tav::GridSimple> swedishList = dynamic_cast<tav::GridSimple *>(w->ChildForms().first());
    auto *simple = dynamic_cast<tav::GridSimple *>(w->ChildForms().last());
    ASSERT_NE(simple, nullptr);
    ASSERT_FALSE(swedishList.isNull());
    w->Control<QMdiArea>("mdiClient")->setActiveSubWindow(w->Control<QMdiArea>("mdiClient")->subWindowList().last());
    tav::SetGridBusy(true);
    simple->Grid()->SetRow(1);
    simple->Grid()->SetCol(2);
    tav::SetGridBusy(false);
    simple->ShowCellInfo();
    const QString swedish = w->PanelText(4);
    ASSERT_TRUE(swedish.contains(QStringLiteral("fortfarande"))) << swedish.toStdString();

    tav::frmOptions dialog(w.get());
    dialog.show();
    dialog.tbsOptions->setCurrentIndex(1);
    messages.Answer(winsys::vbYes);
    dialog.tbAddLang->setText(QStringLiteral("Norwegian"));
    dialog.tbWelCome->setText(QStringLiteral("velkommen"));
    dialog.cmdAdd->click();
    ASSERT_NE(dialog.cboLangs->findText(QStringLiteral("Norwegian")), -1);
    // The word has no Norwegian meanings: the Swedish ones go, and so does
    // the list of Swedish words, with a word.
    messages.Clear();
    dialog.cboLangs->setCurrentIndex(dialog.cboLangs->findText(QStringLiteral("Norwegian")));
    dialog.cmdSelect->click();
    ASSERT_EQ(tav::Opt3rdLang, QStringLiteral("Norwegian"));
    EXPECT_EQ(w->PanelText(4), QString());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(swedishList.isNull() || !swedishList->isVisible());
    EXPECT_TRUE(messages.Prompts().join(QLatin1Char('|')).contains(QStringLiteral("Swedish meanings were closed")))
        << messages.Prompts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(simple->isVisible());

    // Back to Swedish: its meanings come back without a row change.
    dialog.cboLangs->setCurrentIndex(dialog.cboLangs->findText(QStringLiteral("Swedish")));
    dialog.cmdSelect->click();
    ASSERT_EQ(tav::Opt3rdLang, QStringLiteral("Swedish"));
    EXPECT_EQ(w->PanelText(4), swedish);

    // Hiding the language shows the row as its entry shows it after the refresh.
    dialog.chk3rd->click();
    w->SetPanelText(4, QStringLiteral("stale"));
    dialog.cmdOK->click();
    ASSERT_TRUE(tav::OptBoHide3);
    const QString hidden = w->PanelText(4);
    simple->ShowCellInfo();
    EXPECT_EQ(hidden, w->PanelText(4));
}

TEST_F(FrameListWindows, OnASmallScreenAListOpensInsideTheClientAreaAndFillsItMaximised)
{
    w->showNormal();
    w->resize(800, 600);
    QApplication::processEvents();
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QPushButton>("cmdShow")->click();
    QApplication::processEvents();
    ASSERT_EQ(w->ChildForms().size(), 1);
    auto *list = dynamic_cast<tav::GridStd *>(w->ChildForms().first());
    ASSERT_NE(list, nullptr);
    QMdiSubWindow *sub = w->Control<QMdiArea>("mdiClient")->subWindowList().first();
    const QRect area = w->Control<QMdiArea>("mdiClient")->viewport()->rect();
    EXPECT_TRUE(area.contains(sub->geometry())) << "frame and title bar inside the client area";
    flexgrid::FlexGrid &g = *list->Grid();
    EXPECT_LE(list->mapTo(w->Control<QMdiArea>("mdiClient")->viewport(), g.geometry().bottomRight()).x(), area.right());
    const QRect third = g.CellRect(1, 6);
    EXPECT_TRUE(third.isEmpty() || third.right() >= g.viewport()->width())
        << "the third language needs the grid to scroll";

    // An Enter in the English column moves on to the third language, which
    // comes into sight, at least half of it, with the Greek word still in view.
    tav::SetGridBusy(true);
    g.SetRow(2);
    g.SetCol(5);
    tav::SetGridBusy(false);
    list->ShowCellInfo();
    int key = winsys::vbKeyF2;
    list->msFlxMulti_KeyDown(key, 0);
    list->KeyDownEdits(winsys::vbKeyReturn);
    EXPECT_EQ(g.Col(), 6);
    const QRect cell = g.CellRect(2, 6);
    ASSERT_FALSE(cell.isEmpty());
    EXPECT_GE(g.viewport()->width() - cell.left(), cell.width() / 2);
    EXPECT_FALSE(g.CellRect(2, 4).isEmpty()) << "the Greek word stays in view";

    // Maximised, the grid takes the whole window below its buttons.
    sub->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(g.geometry().bottom(), list->height() - 1);
    EXPECT_EQ(g.geometry().right(), list->width() - 1);
    EXPECT_EQ(sub->geometry(), area);
}
