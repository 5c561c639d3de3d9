// The main window from the keyboard: access keys on every menu entry, F10,
// F1, the context-menu keys of the tree, Tab, F6 and Ctrl+Tab.

#include "ExerciseStandIn.h"
#include "FrameListWindows.h"

#include "grids/GridStd.h"
#include "help/HTMLHelp.h"
#include "inflection/GrammarPanel.h"
#include "mainwindow/AccessKeys.h"
#include "mainwindow/FrmOptions.h"
#include "store/SharedState.h"

#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeWidget>

using tavtest::FrameListWindows;

namespace {

// Each entry of the menu (and of its submenus) has one access key, and no
// two entries of one menu share one.
void ExpectAccessKeys(QMenu *menu)
{
    QSet<QString> keys;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const QString key = QKeySequence::mnemonic(a->text()).toString();
        EXPECT_FALSE(key.isEmpty()) << menu->objectName().toStdString() << ": " << a->text().toStdString();
        EXPECT_FALSE(keys.contains(key)) << menu->objectName().toStdString() << ": " << a->text().toStdString();
        keys.insert(key);
        if (a->menu())
            ExpectAccessKeys(a->menu());
    }
}

class MainWindowKeys : public FrameListWindows {
protected:
    void SetUp() override
    {
        FrameListWindows::SetUp();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    // Opens the verbs as a list window and gives its grid the focus.
    tav::GridStd *OpenVerbs()
    {
        ClickNode(QStringLiteral("Verbs"));
        w->Control<QPushButton>("cmdShow")->click();
        auto *list = qobject_cast<tav::GridStd *>(w->ActiveForm());
        if (list)
            list->Grid()->setFocus();
        return list;
    }
    static QWidget *Focus() { return QApplication::focusWidget(); }
    static bool Within(const QWidget *area) { return Focus() && (Focus() == area || area->isAncestorOf(Focus())); }
};

} // namespace

TEST(AccessKeyCaptions, TakeTheFirstLetterOrDigitAndShowTheirOwnAmpersands)
{
    EXPECT_EQ(tav::WithAccessKey(QStringLiteral("2194 Swedish words")), QStringLiteral("&2194 Swedish words"));
    EXPECT_EQ(tav::WithAccessKey(QStringLiteral("\"salt & pepper\"")), QStringLiteral("\"&salt && pepper\""));
    EXPECT_EQ(tav::WithAccessKey(QStringLiteral("& more")), QStringLiteral("&& &more"));
    EXPECT_EQ(tav::WithAccessKey(QStringLiteral("...")), QStringLiteral("..."));
    EXPECT_EQ(tav::WithAccessKey(QString()), QString());
    for (const QString &caption : {QStringLiteral("Unique English/Swedish"), QStringLiteral("a && b & c"),
                                   QStringLiteral("&"), QStringLiteral("The active form: \"x\"")})
        EXPECT_EQ(tav::WithoutAccessKey(tav::WithAccessKey(caption)), caption) << caption.toStdString();
    EXPECT_EQ(tav::WithoutAccessKey(QStringLiteral("Hide &left controls")), QStringLiteral("Hide left controls"));
}

TEST_F(MainWindowKeys, EveryMenuAndEntryHasItsOwnAccessKey)
{
    OpenVerbs();
    OpenVerbs(); // the window list has two entries
    emit w->Control<QMenu>("mnuWindows")->aboutToShow();
    QSet<QString> bar;
    for (QAction *a : w->menuBar()->actions()) {
        const QString key = QKeySequence::mnemonic(a->text()).toString();
        EXPECT_FALSE(key.isEmpty()) << a->text().toStdString();
        EXPECT_FALSE(bar.contains(key)) << a->text().toStdString();
        bar.insert(key);
        ExpectAccessKeys(a->menu());
    }
    // The pop-ups, also with captions set at run time.
    ExpectAccessKeys(w->Control<QMenu>("mnuConjugations"));
    QTreeWidgetItem *english = w->FindNode(QStringLiteral("English"));
    w->Control<QTreeWidget>("tv1")->scrollToItem(english);
    w->ShowNodePopup(w->Control<QTreeWidget>("tv1")->visualItemRect(english).center());
    w->Control<QMenu>("mnuNodes")->hide();
    ExpectAccessKeys(w->Control<QMenu>("mnuNodes"));
    w->mnuOptionParts_Click(1);
    ExpectAccessKeys(w->Control<QMenu>("mnuOption"));
    w->mnuOptionParts_Click(1);
    w->mnuCloseAll_Click();
    ExpectAccessKeys(w->Control<QMenu>("mnuArkiv")); // "No active form to print.." again
}

TEST_F(MainWindowKeys, AltWithALetterAndF10OpenTheMenus)
{
    QTest::keyClick(w.get(), Qt::Key_F10);
    EXPECT_TRUE(w->Control<QMenu>("mnuArkiv")->isVisible()) << "F10 opens the first menu";
    QTest::keyClick(w->Control<QMenu>("mnuArkiv"), Qt::Key_Escape);
    QTest::keyClick(w->Control<QMenu>("mnuArkiv"), Qt::Key_Escape);
    EXPECT_FALSE(w->Control<QMenu>("mnuArkiv")->isVisible());

    w->Control<QTreeWidget>("tv1")->setFocus();
    QTest::keyClick(w->Control<QTreeWidget>("tv1"), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(w->Control<QMenu>("mnuOption")->isVisible()) << "Alt+T opens Tools";
    QTest::keyClick(w->Control<QMenu>("mnuOption"), Qt::Key_L); // "Hide left controls"
    EXPECT_FALSE(w->Control<QMenu>("mnuOption")->isVisible());
    EXPECT_TRUE(w->Control<QWidget>("picRemarks")->isHidden());
    w->mnuOptionParts_Click(1);
}

TEST_F(MainWindowKeys, F1OpensTheHelpPageOfWhatTheUserWorksIn)
{
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("index.html"));
    tav::GridStd *list = OpenVerbs();
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list->Grid(), Qt::Key_F1);
    ASSERT_TRUE(w->HelpObject);
    EXPECT_EQ(w->HelpObject->HHTopicURL, QStringLiteral("standard-list.html"));
    EXPECT_EQ(w->HelpObject->HHWindow, QStringLiteral("Main"));
    // This build's test folder has no help file: the request got as far as
    // the file check, which tells the user.
    ASSERT_FALSE(messages.Prompts().isEmpty());
    EXPECT_TRUE(messages.Prompts().last().contains(QStringLiteral("Rudedaz.qch")));

    w->Control<QTreeWidget>("tv1")->setFocus();
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("category-tree.html"));
    w->Control<QTextEdit>("tbRemG3")->setFocus();
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("remarks.html"));
    w->Control<QLineEdit>("tbSearch")->setFocus();
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("searching.html"));
    w->Grammar().FormsGrid()->setFocus();
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("grammar-panel.html"));

    // A simple list window.
    frameRequests->DoSimpleGrid(tav::SqlAllLang3 + QStringLiteral(" WHERE ID = 36"), 2, QStringLiteral("x"), 2);
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
    ASSERT_EQ(w->ActiveForm()->objectName(), QStringLiteral("GridSimple"));
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("simple-list.html"));

    // The exercise window: the page of its open tab.
    w->Exercises = tav::StandInExerciseRoutines();
    w->mnuExParts_Click(1);
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
    ASSERT_NE(w->ExerciseInstance(), nullptr);
    ASSERT_EQ(w->ActiveForm(), w->ExerciseInstance()->Form());
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("exercise-matching.html"));
    w->ExerciseInstance()->SelectTab(3);
    EXPECT_EQ(w->HelpTopic(), QStringLiteral("exercise-verbs.html"));
}

TEST_F(MainWindowKeys, TheMenuKeyAndShiftF10OpenTheTreesPopUpAtTheCurrentNode)
{
    QTreeWidgetItem *english = w->FindNode(QStringLiteral("English"));
    w->Control<QTreeWidget>("tv1")->setCurrentItem(english);
    w->Control<QTreeWidget>("tv1")->setFocus();
    QTest::keyClick(w->Control<QTreeWidget>("tv1"), Qt::Key_Menu);
    ASSERT_TRUE(w->Control<QMenu>("mnuNodes")->isVisible());
    EXPECT_EQ(tav::WithoutAccessKey(w->Control<QAction>("mnuNodeFirstParts(0)")->text()), english->text(0));
    const QRect row = w->Control<QTreeWidget>("tv1")->visualItemRect(english);
    const QPoint rowOnScreen = w->Control<QTreeWidget>("tv1")->viewport()->mapToGlobal(row.topLeft());
    EXPECT_NEAR(w->Control<QMenu>("mnuNodes")->y(), rowOnScreen.y() + row.height(), row.height()) << "beside the node";
    w->Control<QMenu>("mnuNodes")->hide();

    QTreeWidgetItem *verbs = w->FindNode(QStringLiteral("Verbs"));
    w->Control<QTreeWidget>("tv1")->setCurrentItem(verbs);
    QTest::keyClick(w->Control<QTreeWidget>("tv1"), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(w->Control<QMenu>("mnuNodes")->isVisible());
    EXPECT_EQ(tav::WithoutAccessKey(w->Control<QAction>("mnuNodeFirstParts(0)")->text()), verbs->text(0));
    w->Control<QMenu>("mnuNodes")->hide();
}

TEST_F(MainWindowKeys, TabF6AndCtrlTabReachEveryPartOfTheWindow)
{
    tav::GridStd *first = OpenVerbs();
    tav::GridStd *second = OpenVerbs();
    ASSERT_TRUE(first && second && first != second);
    ASSERT_EQ(w->ActiveForm(), second);

    // F6 and Shift+F6: list, grammar panel, left panel, and back.
    QTest::keyClick(Focus(), Qt::Key_F6);
    EXPECT_TRUE(Within(w->Control<QWidget>("picBottom")));
    QTest::keyClick(Focus(), Qt::Key_F6);
    EXPECT_EQ(Focus(), w->Control<QTreeWidget>("tv1"));
    QTest::keyClick(Focus(), Qt::Key_F6);
    EXPECT_EQ(Focus(), second->Grid());
    QTest::keyClick(Focus(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), w->Control<QTreeWidget>("tv1"));
    QTest::keyClick(Focus(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(Within(w->Control<QWidget>("picBottom")));

    // Tab runs from the list on into the grammar panel, the tree and the
    // remarks boxes, and comes back to the list; Shift+Tab goes back.
    second->Grid()->setFocus();
    QList<QWidget *> seen;
    for (int i = 0; i < 40 && !(i > 0 && Focus() == second->Grid()); ++i) {
        seen << Focus();
        QTest::keyClick(Focus(), Qt::Key_Tab);
    }
    EXPECT_EQ(Focus(), second->Grid()) << "Tab comes round to the list";
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(),
                            [&](QWidget *f) { return w->Control<QWidget>("picBottom")->isAncestorOf(f); }));
    EXPECT_TRUE(seen.contains(w->Control<QTreeWidget>("tv1")));
    EXPECT_TRUE(seen.contains(w->Control<QTextEdit>("tbRem")));
    EXPECT_TRUE(seen.contains(w->Control<QTextEdit>("tbRemG3")));
    EXPECT_FALSE(std::any_of(seen.begin(), seen.end(), [&](QWidget *f) { return first->isAncestorOf(f); }))
        << "only the active child window is in the Tab order";
    w->Control<QTextEdit>("tbRem")->setFocus();
    QTest::keyClick(w->Control<QTextEdit>("tbRem"), Qt::Key_Tab);
    EXPECT_EQ(Focus(), w->Control<QTextEdit>("tbRemG3")) << "a remarks box passes Tab on";
    EXPECT_TRUE(w->Control<QTextEdit>("tbRem")->toPlainText().isEmpty());
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), w->Control<QTextEdit>("tbRem"));

    // Ctrl+Tab and Ctrl+Shift+Tab: the other child window, chosen when Ctrl
    // is let go.
    second->Grid()->setFocus();
    QTest::keyPress(Focus(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyRelease(Focus(), Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(w->ActiveForm(), first);
    QTest::keyPress(Focus(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyRelease(Focus(), Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(w->ActiveForm(), second);
}

TEST_F(MainWindowKeys, TheFocusStartsInTheTreeAndF6EntersTheLeftPanelAtTheTree)
{
    EXPECT_EQ(Focus(), w->Control<QTreeWidget>("tv1")) << "at start";

    tav::GridStd *list = OpenVerbs();
    ASSERT_NE(list, nullptr);
    // What last had the focus in the left panel does not matter: F6 goes to
    // the tree, so that a typed letter moves there and not into a box.
    for (QWidget *last : {w->Control<QWidget>("cmdShow"), w->Control<QWidget>("tbRem")}) {
        last->setFocus();
        list->Grid()->setFocus();
        QTest::keyClick(Focus(), Qt::Key_F6);
        ASSERT_TRUE(Within(w->Control<QWidget>("picBottom")));
        QTest::keyClick(Focus(), Qt::Key_F6);
        EXPECT_EQ(Focus(), w->Control<QTreeWidget>("tv1")) << last->objectName().toStdString();
        list->Grid()->setFocus();
        QTest::keyClick(Focus(), Qt::Key_F6, Qt::ShiftModifier);
        EXPECT_EQ(Focus(), w->Control<QTreeWidget>("tv1")) << last->objectName().toStdString();
    }
}

TEST_F(MainWindowKeys, TheTreeAndTheRemarksBoxesShowThatTheyHaveTheFocus)
{
    ASSERT_NE(OpenVerbs(), nullptr); // a word shown: the remarks boxes take input
    for (const char *name : {"tv1", "tbRem", "tbRemG3"}) {
        QWidget *box = w->Control<QWidget>(name);
        w->Control<QWidget>("cmdShow")->setFocus();
        const QImage without = box->grab().toImage();
        box->setFocus();
        ASSERT_TRUE(box->hasFocus());
        const QImage with = box->grab().toImage();
        // The frame, not the contents, differs.
        EXPECT_NE(without.pixel(1, with.height() / 2), with.pixel(1, with.height() / 2)) << name;
    }
}

TEST_F(MainWindowKeys, CtrlTabStepsThroughTheChildWindowsFromTheLeftPanelAndTheGrammarPanel)
{
    tav::GridStd *first = OpenVerbs();
    tav::GridStd *second = OpenVerbs();
    ASSERT_TRUE(first && second && first != second);
    ASSERT_EQ(w->ActiveForm(), second);
    for (QWidget *from : {w->Control<QWidget>("tv1"), w->Control<QWidget>("tbRem"),
                          static_cast<QWidget *>(w->Grammar().FormsGrid())}) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyRelease(Focus(), Qt::Key_Control, Qt::NoModifier);
        EXPECT_EQ(w->ActiveForm(), first) << from->objectName().toStdString();
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyRelease(Focus(), Qt::Key_Control, Qt::NoModifier);
        EXPECT_EQ(w->ActiveForm(), second) << from->objectName().toStdString();
    }
    EXPECT_TRUE(w->Control<QTextEdit>("tbRem")->toPlainText().isEmpty()) << "no tab typed into the box";
}

TEST_F(MainWindowKeys, F1InTheSettingsOpensThePageOfTheTabInFront)
{
    QStringList topics;
    QTimer::singleShot(0, w.get(), [&] {
        auto *dialog = qobject_cast<tav::frmOptions *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->opTreat1110->setFocus();
        QTest::keyClick(dialog->opTreat1110, Qt::Key_F1);
        topics << (w->HelpObject ? w->HelpObject->HHTopicURL : QString());
        dialog->tbsOptions->setCurrentIndex(1);
        dialog->cboLangs->setFocus();
        QTest::keyClick(dialog->cboLangs, Qt::Key_F1);
        topics << (w->HelpObject ? w->HelpObject->HHTopicURL : QString());
        dialog->reject();
    });
    w->mnuOptionParts_Click(0);
    EXPECT_EQ(topics, QStringList({QStringLiteral("settings.html"), QStringLiteral("third-language.html")}));
}

// The keys a desktop user reaches for: a child window picked from the Window
// menu takes the focus, so that Ctrl+W closes it at once; Ctrl+F4 closes the
// active child window also from the grammar panel; there the menu key and
// Shift+F10 open the voice menu while a verb is shown.
TEST_F(MainWindowKeys, TheWindowMenuCtrlF4AndTheMenuKeysActWhereTheUserIs)
{
    QMenu *voices = w->Control<QMenu>("mnuConjugations");
    QWidget *tree = w->Control<QWidget>("tv1"), *panel = w->Grammar().FormsGrid();
    const struct { const char *name; QWidget *at; QKeyCombination keys; bool closes; /* else opens the voice menu */ } cases[] = {{"Ctrl+W after a pick from the Window menu", tree, Qt::CTRL | Qt::Key_W, true},
                 {"Ctrl+F4 in the grammar panel", panel, Qt::CTRL | Qt::Key_F4, true},
                 {"the menu key in the grammar panel", panel, QKeyCombination(Qt::Key_Menu), false},
                 {"Shift+F10 in the grammar panel", panel, Qt::SHIFT | Qt::Key_F10, false}};
    for (const auto &c : cases) {
        w->mnuCloseAll_Click();
        OpenVerbs();
        OpenVerbs();
        w->SmallFacts(5);
        c.at->setFocus();
        if (c.at == tree)
            WindowEntry(1)->trigger(); // the active window
        QTest::keyClick(Focus(), c.keys.key(), c.keys.keyboardModifiers());
        EXPECT_EQ(WindowList().size(), c.closes ? 1 : 2) << c.name;
        EXPECT_EQ(voices->isVisible(), !c.closes) << c.name;
        voices->hide();
    }
}
