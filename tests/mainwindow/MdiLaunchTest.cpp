#include "MdiFixture.h"

#include "grids/ListWindow.h"
#include "help/HTMLHelp.h"
#include "platform/help/HelpControl.h"
#include "mainwindow/About.h"
#include "mainwindow/AccessKeys.h"
#include "ExerciseStandIn.h"
#include "mainwindow/ProgramWindows.h"
#include "mainwindow/Sorry.h"
#include "store/Dynasets.h"
#include "store/ListWindowLink.h"
#include "store/WindowRoutines.h"
#include "platform/winsys/core/MsgBox.h"
#include "printing/P001.h"
#include "support/DialogPress.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include "store/SharedState.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QLineEdit>
#include <QFile>

using namespace tavtest;

using tav::ExerciseStandIn;

namespace {
ExerciseStandIn *StandIn(tav::MDI &w) { return dynamic_cast<tav::ExerciseStandIn *>(w.ExerciseInstance()); }
} // namespace

// --- Exercise ------------------------------------------------------------------

TEST_F(MdiFixture, EachExerciseEntryOpensTheWindowOnItsTab)
{
    tav::SqlLang3 = QStringLiteral("SELECT * FROM Main");
    for (int index = 0; index < tav::ExerciseCount; ++index) {
        tav::MDI &w = NewMdi();
        EXPECT_EQ(w.Control<QMenu>("mnuEx")->actions().size(), tav::ExerciseCount) << "one entry per exercise";
        tav::PickCriteria = QStringLiteral("ID = %1").arg(index + 7);
        int drawn = 0;
        w.Exercises.PickRandomWords = [&] { ++drawn; };
        w.Control<QAction>(QStringLiteral("mnuExParts(%1)").arg(index))->trigger();
        EXPECT_EQ(w.ExerciseKind, index + 1);
        EXPECT_EQ(drawn, 1);
        ExerciseStandIn *ex = StandIn(w);
        ASSERT_NE(ex, nullptr);
        EXPECT_EQ(ex->Calls(), QStringList({QStringLiteral("BindRound"), QStringLiteral("GridScribble"),
                                            QStringLiteral("ProcessExercise"), QStringLiteral("SelectTab(%1)").arg(index + 1)}));
        EXPECT_EQ(ex->SelectedTab(), index + 1);
        EXPECT_EQ(ex->BoundSql(), QStringLiteral("SELECT * FROM Main"));
        EXPECT_EQ(ex->BoundCriteria(), QStringLiteral("ID = %1").arg(index + 7));
        EXPECT_EQ(w.ChildForms(), QList<QWidget *>({ex}));
        EXPECT_TRUE(w.Control<QWidget>("picToolbar")->isHidden());
    }
}

TEST_F(MdiFixture, ExerciseKindZeroIsTakenAsOne)
{
    tav::MDI &w = NewMdi();
    w.ExerciseWhat(0);
    EXPECT_EQ(w.ExerciseKind, 0);
    w.ExerciseWhat(0);
    w.mnuExParts_Click(-1); // an index below the menu gives kind 0
    EXPECT_EQ(w.ExerciseKind, 1);
    EXPECT_EQ(StandIn(w)->SelectedTab(), 1);
}

TEST_F(MdiFixture, ASecondExerciseReusesTheWindowAndClosingItGivesTheToolbarBack)
{
    tav::MDI &w = NewMdi();
    w.show();
    w.mnuExParts_Click(0);
    ExerciseStandIn *first = StandIn(w);
    w.mnuExParts_Click(2);
    EXPECT_EQ(StandIn(w), first);
    EXPECT_EQ(w.Control<QMdiArea>("mdiClient")->subWindowList().size(), 1);
    EXPECT_EQ(first->SelectedTab(), 3);
    EXPECT_TRUE(w.Control<QWidget>("picToolbar")->isHidden());

    w.Control<QMdiArea>("mdiClient")->subWindowList().first()->close();
    EXPECT_FALSE(w.Control<QWidget>("picToolbar")->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.ExerciseInstance(), nullptr);
    // Opened again after closing: a new window, loaded anew.
    w.mnuExParts_Click(1);
    ASSERT_NE(StandIn(w), nullptr);
    EXPECT_EQ(StandIn(w)->Calls().size(), 4);
}

// --- Print -----------------------------------------------------------------------

TEST_F(MdiFixture, PrintIsEnabledOnlyWhileAListWindowIsActive)
{
    tav::MDI &w = NewMdi();
    QAction *entry = w.Control<QAction>("mnuPrintParts(0)");
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_FALSE(w.Control<QLabel>("imgPrintNorm")->isEnabled());

    AddForm(QStringLiteral("GridStd"), QStringLiteral("12 Greek words"), true);
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_TRUE(w.Control<QLabel>("imgPrintNorm")->isEnabled());
    EXPECT_EQ(tav::WithoutAccessKey(entry->text()), QStringLiteral("The active form: \"12 Greek words\""));
    EXPECT_EQ(w.Control<QLabel>("imgPrintNorm")->toolTip(),
              QStringLiteral("Print :The active form: \"12 Greek words\""));

    w.mnuExParts_Click(0); // the exercise window becomes the active child
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_FALSE(w.Control<QLabel>("imgPrintNorm")->isEnabled());
    EXPECT_EQ(tav::WithoutAccessKey(entry->text()), QStringLiteral("No active form to print.. "));

    w.CloseChildren();
    EXPECT_FALSE(entry->isEnabled());
}

TEST_F(MdiFixture, PrintPassesTheActiveListWindowWithFixedMargins)
{
    tav::MDI &w = NewMdi();
    QWidget *form = AddForm(QStringLiteral("GridStd"), QStringLiteral("12 Greek words"), true);
    P001 *print = w.PrintInstance();
    ASSERT_NE(print, nullptr);
    EXPECT_TRUE(print->CurrentPrinter().Device().PrintsToFile()) << "tests print to a file, never on a printer";
    print->SetRightMargin(7);
    print->SetBottomMargin(9);
    print->SetMarginUnits(1);
    QTemporaryDir dir;
    QStringList written;
    print->SetChooseOutputFile([&](const QString &) {
        written << dir.filePath(QStringLiteral("list%1.pdf").arg(written.size()));
        return written.last();
    });
    tavtest::PressWhenShown(print, QStringLiteral("Command1(0)"));
    w.Control<QAction>("mnuPrintParts(0)")->trigger();
    // The run printed the list window's grid and released it.
    EXPECT_EQ(print->GridToPrint(), nullptr);
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(QFileInfo(written[0]).size() > 0);
    EXPECT_TRUE(print->PrintComplete());
    EXPECT_EQ(print->MarginUnits(), 6);
    EXPECT_EQ(print->LeftMargin(), 20.0f);
    EXPECT_EQ(print->TopMargin(), 20.0f);
    EXPECT_EQ(print->RightMargin(), 7.0f) << "the right and bottom margins are the print window's own";
    EXPECT_EQ(print->BottomMargin(), 9.0f);
    EXPECT_EQ(print->ReportTitle(), QStringLiteral("12 Greek words"));
    EXPECT_EQ(print->FormToPrint(), QStringLiteral("GridStd"));
    EXPECT_TRUE(print->AllowDialogue());
    // The print image does the same, with the same print window.
    tavtest::PressWhenShown(print, QStringLiteral("Command1(0)"));
    w.imgPrintNorm_Click();
    EXPECT_EQ(w.PrintInstance(), print);
    EXPECT_EQ(written.size(), 2);
    Q_UNUSED(form);
}

// The frame knows the list window's grid: another name for it changes
// nothing of what prints.
TEST_F(MdiFixture, PrintTakesTheActiveListWindowsGridWhateverItsName)
{
    tav::MDI &w = NewMdi();
    auto *list = qobject_cast<tav::ListWindow *>(AddForm(QStringLiteral("GridStd"), QStringLiteral("list"), true));
    ASSERT_NE(list, nullptr);
    list->Grid()->setObjectName(QStringLiteral("grid"));
    P001 *print = w.PrintInstance();
    QWidget *printed = nullptr;
    print->SetChooseOutputFile([&](const QString &) {
        printed = print->GridToPrint();
        // No file: back in the dialog, whose Cancel ends the run.
        tavtest::PressWhenShown(print, QStringLiteral("Command1(1)"));
        return QString();
    });
    tavtest::PressWhenShown(print, QStringLiteral("Command1(0)"));
    w.Control<QAction>("mnuPrintParts(0)")->trigger();
    EXPECT_EQ(printed, list->Grid());
}

TEST_F(MdiFixture, PrintImageShowsPressedWhileThePointerIsOverIt)
{
    tav::MDI &w = NewMdi();
    const qint64 up = w.imgPrintUp.cacheKey();
    const qint64 down = w.imgPrintDn.cacheKey();
    w.imgPrintNorm_MouseDown(Qt::LeftButton);
    EXPECT_EQ(w.Control<QLabel>("imgPrintNorm")->pixmap().cacheKey(), down);
    w.imgPrintNorm_MouseMove(Qt::LeftButton, QPoint(-5, 3));
    EXPECT_EQ(w.Control<QLabel>("imgPrintNorm")->pixmap().cacheKey(), up);
    w.imgPrintNorm_MouseMove(Qt::LeftButton, QPoint(2, 3));
    EXPECT_EQ(w.Control<QLabel>("imgPrintNorm")->pixmap().cacheKey(), down);
    w.imgPrintNorm_MouseUp(Qt::LeftButton);
    EXPECT_EQ(w.Control<QLabel>("imgPrintNorm")->pixmap().cacheKey(), up);
}

// --- Help and About -------------------------------------------------------------

TEST_F(MdiFixture, HelpReportsAMissingFileAndKeepsOneHelpObject)
{
    winsys::ScriptedMessages messages;
    tav::MDI &w = NewMdi();
    w.Control<QAction>("mnuHelpParts(0)")->trigger();
    ASSERT_TRUE(w.HelpObject);
    HTMLHelp *first = w.HelpObject.get();
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/Rudedaz.qch");
    EXPECT_EQ(first->CHMFile, path);
    EXPECT_EQ(first->HHWindow, QStringLiteral("Main"));
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_EQ(messages.Prompts().first(),
              QStringLiteral("The file ") + path
                  + QStringLiteral(" does not exist.\nPlease make sure the correct path and file name have been specified."));
    first->CHMFile = QStringLiteral("changed");
    w.mnuHelpParts_Click(0);
    EXPECT_EQ(w.HelpObject.get(), first);
    EXPECT_EQ(first->CHMFile, path) << "each use sets the file again";
}

// Stands in for the help viewer: counts the requests to close every window.
class ClosingViewer : public helpctl::HelpControl {
public:
    ClosingViewer() { helpctl::SetHelpControl(this); }
    ~ClosingViewer() override { helpctl::SetHelpControl(nullptr); }
    long HtmlHelp(long, const QString &, const helpctl::Request &request) override
    {
        closes += request.command == helpctl::Command::CloseAll;
        return 0;
    }
    QString LastError() const override { return {}; }
    int closes = 0;
};

TEST_F(MdiFixture, TheHelpWindowsCloseWithTheMainWindow)
{
    winsys::ScriptedMessages messages;
    ClosingViewer viewer;
    tav::MDI &w = NewMdi();
    w.MDIForm_Unload();
    EXPECT_EQ(viewer.closes, 0) << "no help object, nothing to close";
    tav::MDI &again = NewMdi();
    again.mnuHelpParts_Click(0);
    again.MDIForm_Unload();
    EXPECT_EQ(viewer.closes, 1);
}

TEST_F(MdiFixture, AboutIsShownModelessAndLoadedAnewAfterOk)
{
    tav::MDI &w = NewMdi();
    w.Control<QAction>("mnuHelpParts(1)")->trigger();
    tav::About *about = w.AboutInstance();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_TRUE(about->lblVersion->text().startsWith(QStringLiteral("Version ")));
    about->cmdOK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.AboutInstance(), nullptr);
    w.mnuHelpParts_Click(1);
    ASSERT_NE(w.AboutInstance(), nullptr);
    EXPECT_TRUE(w.AboutInstance()->isVisible());
}

// --- Empty results ------------------------------------------------------------

TEST_F(MdiFixture, SorryShowsTheMessageAndTheWordInTheRightFont)
{
    tav::MDI &w = NewMdi();
    tav::ProgramWindows windows(w);
    tav::SetListWindowFactory(&windows);
    EXPECT_EQ(windows.NewStdGrid(), nullptr) << "no list window until one can be made";
    windows.ShowSorry(QStringLiteral("Sorry, nothing was found for:"), QStringLiteral("levxeiV"), true);
    tav::Sorry *sorry = w.SorryInstance();
    ASSERT_NE(sorry, nullptr);
    EXPECT_TRUE(sorry->isVisible());
    EXPECT_EQ(sorry->tbMSG[0]->text(), QStringLiteral("Sorry, nothing was found for:"));
    EXPECT_EQ(sorry->tbMSG[1]->text(), QStringLiteral("levxeiV"));
    EXPECT_EQ(sorry->tbMSG[1]->font().family(), QStringLiteral("VudedoGreek"));
    windows.ShowSorry(QStringLiteral("again"), QStringLiteral("house"), false);
    EXPECT_EQ(w.SorryInstance(), sorry) << "one Sorry window";
    EXPECT_EQ(sorry->tbMSG[1]->font().family(), QStringLiteral("MS Sans Serif"));
    tav::SetListWindowFactory(nullptr);
}

TEST_F(MdiFixture, AnEmptyQueryOfTheStoreOpensTheSorryWindow)
{
    MakeDb(StandardCaps(), 2, 0);
    tav::MDI &w = NewMdi();
    w.MDIForm_Load();
    tav::ProgramWindows windows(w);
    tav::SetListWindowFactory(&windows);
    winsys::ScriptedMessages messages;
    tav::DynasetsObj.DoStdGrid(QStringLiteral("SELECT * FROM Main WHERE ID = 99"), true, 0, QStringLiteral("xyz"), 2,
                               QString());
    tav::SetListWindowFactory(nullptr);
    ASSERT_NE(w.SorryInstance(), nullptr);
    EXPECT_EQ(w.SorryInstance()->tbMSG[0]->text(), QStringLiteral("Sorry, nothing was found for:"));
    EXPECT_EQ(w.SorryInstance()->tbMSG[1]->text(), QStringLiteral("xyz"));
    EXPECT_TRUE(messages.Prompts().isEmpty());
}
