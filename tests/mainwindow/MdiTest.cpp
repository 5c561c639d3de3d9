#include "support/GrammarPanelProbe.h"
#include "MdiFixture.h"

#include "ExerciseStandIn.h"

#include "inflection/GrammarPanel.h"
#include "mainwindow/AccessKeys.h"
#include "mainwindow/Splash.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/winsys/StatusPanel.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/core/Pointer.h"
#include "store/CaptionArrays.h"
#include "store/ListWindowLink.h"
#include "store/StartUp.h"
#include "store/StoreQueries.h"
#include "support/TestDb.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using namespace tavtest;
using winsys::PixelsToTwipsX;
using winsys::PixelsToTwipsY;

namespace {

// A list window as the store sees it, counting its refreshes.
class CountingList : public QWidget, public tav::ListWindowLink {
    Q_OBJECT
public:
    int refreshed = 0;
    QString Name() const override { return objectName(); }
    QString Caption() const override { return windowTitle(); }
    void RefreshGrid() override { ++refreshed; }
    void GetPos(long long, const QString &, int) override {}
    tav::GridLink &msFlxMulti() override { std::abort(); }
};

QAction *ActionNamed(tav::MDI &mdi, const QString &name) { return mdi.findChild<QAction *>(name); }

} // namespace

// --- Load --------------------------------------------------------------------

TEST_F(MdiFixture, LoadCopiesEveryCaptionArrayFromLangCaps)
{
    MakeDb(StandardCaps(), 3, 0);
    NewMdi().MDIForm_Load();
    EXPECT_EQ(tav::Caps1185(1185), QStringLiteral("Closing Tavrinel"));
    EXPECT_EQ(tav::Caps1185(1212), QStringLiteral(" words"));
    EXPECT_EQ(tav::Caps1172(1172), QStringLiteral("Sorry, nothing was found for:"));
    EXPECT_EQ(tav::Caps1079(1079), QStringLiteral("Greek"));
    EXPECT_EQ(tav::Caps1292(1292), QStringLiteral("a"));
    EXPECT_EQ(tav::Caps1292(1315), QStringLiteral("w"));
    EXPECT_EQ(tav::Caps1335(1335), QStringLiteral("Store of wrong answers"));
    EXPECT_EQ(tav::Caps1335(1339), QStringLiteral("last of the options"));
    // A number without a row keeps its (empty) element; nothing is reported.
    EXPECT_EQ(tav::Caps1185(1200), QString());
    EXPECT_TRUE(mdi->LoadFailures().isEmpty());
    EXPECT_EQ(mdi->PanelText(1), QStringLiteral("Ready"));
    EXPECT_FALSE(tav::CapsRs) << "the LangCaps recordset is closed after the Load";
}

TEST_F(MdiFixture, StartUpOnTheShippedDatabaseShowsTheLoadedWindow)
{
    TestDb shipped;
    const QString cwd = QDir::currentPath();
    tav::MDI &w = NewMdi();
    winsys::ScriptedMessages messages;
    const int depth = winsys::PointerDepth();
    w.Pause = [&] {
        ++pauses;
        QTest::qWait(450); // long enough for the splash's timer
    };
    ASSERT_EQ(tav::SubMain(shipped.Folder()), 0);
    QDir::setCurrent(cwd);
    EXPECT_TRUE(w.isVisible());
    ASSERT_NE(w.SplashInstance(), nullptr);
    EXPECT_FALSE(w.SplashInstance()->isVisible()) << "the splash is gone once the main window shows";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.SplashInstance(), nullptr);
    EXPECT_EQ(winsys::PointerDepth(), depth) << "no pointer shape left behind";
    EXPECT_TRUE(w.LoadFailures().isEmpty()) << w.LoadFailures().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(messages.Prompts().isEmpty()) << messages.Prompts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(pauses, 3);
    EXPECT_FALSE(tav::Caps1185(1185).isEmpty());
    EXPECT_FALSE(tav::Caps1292(1292).isEmpty());
    const long long words = tav::CountMainWords();
    EXPECT_GT(words, 0);
    EXPECT_EQ(w.PanelText(2), QString::number(words) + tav::Caps1185(1212));
    EXPECT_EQ(w.PanelText(6), tav::OptBoHide3 ? QStringLiteral("3:rd language deselected")
                                              : QStringLiteral("3:rd language= ") + tav::Opt3rdLang + QStringLiteral("  "));
    EXPECT_EQ(w.PanelText(5), QStringLiteral("M/A ") + QString::number(tav::OptNbrWrongs) + QLatin1Char('/')
                                  + QString::number(tav::CountWrongIDs()) + QStringLiteral("  "));
    EXPECT_EQ(w.frameGeometry().size(), w.screen()->availableGeometry().size());
    EXPECT_EQ(w.frameGeometry().topLeft(), w.screen()->availableGeometry().topLeft());
}

TEST_F(MdiFixture, LoadPausesThreeTimesFirstRightAfterTheFirstCaptionArray)
{
    MakeDb(StandardCaps(), 3, 0);
    tav::MDI &w = NewMdi();
    QStringList seen;
    w.Pause = [&] {
        ++pauses;
        seen << tav::Caps1185(1185) + QLatin1Char('|') + tav::Caps1172(1172);
    };
    w.MDIForm_Load();
    EXPECT_EQ(pauses, 3);
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), QStringLiteral("Closing Tavrinel|")) << "second array not yet filled at the first pause";
}

TEST_F(MdiFixture, LoadWritesTheStatusPanels)
{
    MakeDb(StandardCaps(), 3, 4);
    NewMdi().MDIForm_Load();
    EXPECT_EQ(mdi->PanelText(2), QStringLiteral("3 words"));
    EXPECT_EQ(mdi->PanelText(5), QStringLiteral("M/A 30/4  "));
    EXPECT_EQ(mdi->PanelText(6), QStringLiteral("3:rd language= Swedish  "));
    // The grammar panel's reset at the end of the Load empties panels 3, 4 and 7.
    EXPECT_EQ(mdi->PanelText(3), QString());
    EXPECT_EQ(mdi->PanelText(4), QString());
    EXPECT_EQ(mdi->PanelText(7), QString());
    EXPECT_FALSE(tav::StartingUp);
    EXPECT_FALSE(tav::MainLoading);
    EXPECT_EQ(mdi->LetterFont, QStringLiteral("VudedoGreek"));
    EXPECT_TRUE(mdi->Grammar().VoiceMenuChoice(0));
    EXPECT_EQ(mdi->Control<QLabel>("lblFlag")->text(), QStringLiteral("Search for Greek"));
}

TEST_F(MdiFixture, ThirdLanguagePanelHiddenOrNamed)
{
    MakeDb(StandardCaps(), 1, 0);
    tav::OptBoHide3 = true;
    NewMdi().MDIForm_Load();
    EXPECT_EQ(mdi->PanelText(6), QStringLiteral("3:rd language deselected"));

    tav::OptBoHide3 = false;
    tav::Opt3rdLang.clear();
    NewMdi().MDIForm_Load();
    EXPECT_EQ(mdi->PanelText(6), QStringLiteral("3:rd language=   "));
}

TEST_F(MdiFixture, NoWordsShowsZeroWithItsCaption)
{
    MakeDb(StandardCaps(), 0, 0);
    NewMdi().MDIForm_Load();
    EXPECT_EQ(mdi->PanelText(2), QStringLiteral("0 words"));
}

TEST_F(MdiFixture, EmptyLangCapsGivesAWorkingWindowWithEmptyTexts)
{
    MakeDb({}, 2, 1);
    NewMdi().MDIForm_Load();
    EXPECT_TRUE(mdi->LoadFailures().isEmpty());
    EXPECT_EQ(mdi->PanelText(2), QStringLiteral("2"));
    EXPECT_EQ(mdi->PanelText(5), QStringLiteral("M/A 30/1  "));
    for (const tav::CaptionArray *a : tav::MainCaptionArrays())
        for (const QString &text : a->Texts())
            EXPECT_TRUE(text.isEmpty());
}

TEST_F(MdiFixture, AFailingStepIsReportedInPanelOneAndTheLoadGoesOn)
{
    MakeDb(StandardCaps(), 2, 0);
    db->ExecNative(QStringLiteral("DROP TABLE LangCaps"));
    db->ExecNative(QStringLiteral("DROP TABLE WrongIDs"));
    NewMdi().MDIForm_Load();
    const QString panel1 = mdi->PanelText(1);
    EXPECT_TRUE(panel1.startsWith(QStringLiteral("Not loaded: "))) << panel1.toStdString();
    EXPECT_TRUE(panel1.contains(QStringLiteral("interface texts"))) << panel1.toStdString();
    EXPECT_TRUE(panel1.contains(QStringLiteral("stored wrong answers"))) << panel1.toStdString();
    EXPECT_EQ(mdi->PanelText(5), QStringLiteral("M/A 30/?  "));
    // The rest of the Load ran.
    EXPECT_EQ(pauses, 3);
    EXPECT_EQ(mdi->PanelText(6), QStringLiteral("3:rd language= Swedish  "));
    EXPECT_FALSE(tav::StartingUp);
    EXPECT_FALSE(tav::MainLoading);
    EXPECT_EQ(mdi->LetterFont, QStringLiteral("VudedoGreek"));
}

TEST_F(MdiFixture, LoadWithoutAnyDatabaseStillOpens)
{
    tav::WordDb.reset();
    NewMdi().MDIForm_Load();
    EXPECT_TRUE(mdi->PanelText(1).contains(QStringLiteral("word count")));
    EXPECT_TRUE(mdi->PanelText(1).contains(QStringLiteral("no word database is open")));
    EXPECT_FALSE(tav::MainLoading);
    EXPECT_EQ(pauses, 3);
}

TEST_F(MdiFixture, LoadPutsTheGreekFontOnTheSearchBoxes)
{
    MakeDb(StandardCaps(), 1, 0);
    tav::GreekFontSize = 11;
    NewMdi().MDIForm_Load();
    EXPECT_EQ(mdi->Control<QLineEdit>("tbSearch")->font().family(), QStringLiteral("VudedoGreek"));
    EXPECT_EQ(mdi->Control<QLineEdit>("tbSearch")->font().pointSize(), 9);
    EXPECT_EQ(mdi->Control<QLineEdit>("tbFind(1)")->font().family(), QStringLiteral("VudedoGreek"));
    EXPECT_NE(mdi->Control<QLineEdit>("tbFind(0)")->font().family(), QStringLiteral("VudedoGreek"));
}

TEST_F(MdiFixture, ResetAfterLoadDisablesTheBoxesButTheSearchBox)
{
    MakeDb(StandardCaps(), 1, 0);
    tav::MDI &w = NewMdi();
    w.Control<QLineEdit>("tbFind(0)")->setText(QStringLiteral("old"));
    w.Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("a remark"));
    w.MDIForm_Load();
    EXPECT_TRUE(w.Control<QLineEdit>("tbSearch")->isEnabled());
    EXPECT_FALSE(w.Control<QLineEdit>("tbFind(0)")->isEnabled());
    EXPECT_TRUE(w.Control<QLineEdit>("tbFind(0)")->text().isEmpty());
    EXPECT_FALSE(w.Control<QTextEdit>("tbRem")->isEnabled());
    EXPECT_TRUE(w.Control<QTextEdit>("tbRem")->toPlainText().isEmpty());
    EXPECT_FALSE(w.Control<QTextEdit>("tbRemG3")->isEnabled());
    EXPECT_EQ(tavtest::PanelProbe(w.Grammar()).tbN->property("Tag").toString(), QStringLiteral("Klino"));
    EXPECT_EQ(w.Grammar().FormsGrid()->CellBackColorAt(1, 1), 0xFFFF);
    EXPECT_EQ(w.Grammar().State().wordID, 0);
    EXPECT_TRUE(w.Grammar().ImperativesGrid()->isHidden());
    EXPECT_EQ(tavtest::PanelProbe(w.Grammar()).lblVoice->text(), QStringLiteral("0"));
}

// --- Frame, menus, status bar ------------------------------------------------

TEST_F(MdiFixture, MenusCarryTheirCaptionsAndStates)
{
    tav::MDI &w = NewMdi();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tavrinel"));
    const QList<QPair<QString, QString>> items = {
        {QStringLiteral("mnuPrintParts(0)"), QStringLiteral("No active form to print..")},
        {QStringLiteral("mnuArkivs(1004)"), QStringLiteral("Exit")},
        {QStringLiteral("mnuExParts(0)"), QStringLiteral("by reading and typing")},
        {QStringLiteral("mnuExParts(1)"), QStringLiteral("by choosing alternatives")},
        {QStringLiteral("mnuExParts(2)"), QStringLiteral("choose only verbs")},
        {QStringLiteral("mnuCloseAll"), QStringLiteral("Close all windows")},
        {QStringLiteral("mnuOptionParts(0)"), QStringLiteral("Settings")},
        {QStringLiteral("mnuOptionParts(1)"), QStringLiteral("Hide left controls")},
        {QStringLiteral("mnuHelpParts(0)"), QStringLiteral("Show helpfile")},
        {QStringLiteral("mnuHelpParts(1)"), QStringLiteral("About")},
        {QStringLiteral("mnuFirstParts(2)"), QStringLiteral("Participles and Imperatives")},
        {QStringLiteral("mnuNodeFirstParts(0)"), QStringLiteral("ToBeSelected")},
    };
    for (const auto &[name, caption] : items) {
        QAction *a = ActionNamed(w, name);
        ASSERT_NE(a, nullptr) << name.toStdString();
        EXPECT_EQ(tav::WithoutAccessKey(a->text()), caption) << name.toStdString();
    }
    EXPECT_FALSE(ActionNamed(w, QStringLiteral("mnuPrintParts(0)"))->isEnabled());
    EXPECT_FALSE(w.Control<QAction>("mnuCloseAll")->isEnabled());
    EXPECT_FALSE(w.Control<QMenu>("mnuWindows")->menuAction()->isEnabled());
    EXPECT_TRUE(w.Control<QAction>("mnuFirstParts(0)")->isChecked());
    QStringList bar;
    for (QAction *a : w.menuBar()->actions())
        bar << tav::WithoutAccessKey(a->text());
    EXPECT_EQ(bar, QStringList({QStringLiteral("File"), QStringLiteral("Exercise with words"), QStringLiteral("Window"),
                                QStringLiteral("Tools"), QStringLiteral("Help")}));
}

// The texts a word's facts put into the status bar, on a small and a large
// window: the short panels show their texts whole, the word's other meanings
// take the room left and, where it is too little, are cut with the whole text
// as the tool tip.
TEST_F(MdiFixture, StatusPanelsShowShortTextsWholeAndElideTheLongOne)
{
    MakeDb(StandardCaps(), 3, 4);
    tav::MDI &w = NewMdi();
    w.MDIForm_Load();
    w.show();
    const QString longMeanings = QStringLiteral("Also means: the other one, another, else, different, "
                                                "otherwise, in a different way, besides, moreover  ");
    const QString shortMeanings = QStringLiteral("Also means: gato  ");
    for (const QSize size : {QSize(800, 600), QSize(1280, 1024)}) {
        SCOPED_TRACE(size.width());
        w.setMinimumSize(0, 0);
        w.resize(size);
        w.SetPanelText(1, QStringLiteral("Ready"));
        w.SetPanelText(2, QStringLiteral("1454 words"));
        w.SetPanelText(3, QStringLiteral("ID 276"));
        w.SetPanelText(4, longMeanings);
        w.SetPanelText(5, QStringLiteral("M/A 30/4  "));
        w.SetPanelText(6, QStringLiteral("3:rd language= Swedish  "));
        w.SetPanelText(7, QStringLiteral("Timestamp= 2019-03-04 12:45:10"));
        QCoreApplication::sendPostedEvents();
        w.statusBar()->layout()->activate();
        ASSERT_NEAR(w.width(), size.width(), 8);

        const int barRight = w.statusBar()->contentsRect().right();
        for (int panel = 1; panel <= 7; ++panel) {
            SCOPED_TRACE(panel);
            auto *p = w.findChild<QWidget *>(QStringLiteral("Panels(%1)").arg(panel));
            ASSERT_NE(p, nullptr);
            EXPECT_LE(p->geometry().right(), barRight) << "every panel stays on the bar";
            if (panel == 4)
                continue;
            EXPECT_GE(p->contentsRect().width(), p->fontMetrics().horizontalAdvance(w.PanelText(panel)));
            EXPECT_TRUE(p->toolTip().isEmpty());
        }
        // The meanings have the room the others leave: too little at 800
        // pixels, enough at 1280.
        auto *meanings = w.findChild<QWidget *>(QStringLiteral("Panels(4)"));
        const int room = meanings->contentsRect().width();
        if (size.width() == 800) {
            EXPECT_GT(room, 100);
            EXPECT_LT(room, meanings->fontMetrics().horizontalAdvance(longMeanings));
            EXPECT_EQ(meanings->toolTip(), longMeanings);
        } else {
            EXPECT_GE(room, meanings->fontMetrics().horizontalAdvance(longMeanings));
            EXPECT_TRUE(meanings->toolTip().isEmpty());
        }

        // A text that fits shows whole, and the tool tip of the long one goes.
        w.SetPanelText(4, shortMeanings);
        EXPECT_GE(meanings->contentsRect().width(), meanings->fontMetrics().horizontalAdvance(shortMeanings));
        EXPECT_TRUE(meanings->toolTip().isEmpty());
    }
}

TEST_F(MdiFixture, ChildWindowsAndDialogsCarryTheProgramsIcon)
{
    tav::MDI &w = NewMdi();
    EXPECT_FALSE(w.windowIcon().isNull());
    w.resize(800, 600);
    w.show();
    QWidget *form = AddForm(QStringLiteral("GridStd"), QStringLiteral("list"));
    QMdiSubWindow *sub = w.Control<QMdiArea>("mdiClient")->subWindowList().first();
    sub->resize(300, 200);
    // The title bar's corner shows the program's logo (its blue disc), not
    // the toolkit's own.
    const QImage bar = sub->grab(QRect(0, 0, 30, 30)).toImage();
    int logoBlue = 0;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            logoBlue += bar.pixelColor(x, y) == QColor(13, 94, 175) ? 1 : 0;
    EXPECT_GT(logoBlue, 20);
    EXPECT_EQ(form->windowIcon().cacheKey(), w.windowIcon().cacheKey());
}

TEST_F(MdiFixture, ControlsKeepTheirNames)
{
    tav::MDI &w = NewMdi();
    for (const char *name : {"picToolbar", "imgPrintNorm", "lblFlag", "opForm(0)", "opForm(1)", "tbSearch", "cmdSearch",
                             "cmdClear", "tbFind(0)", "tbFind(1)", "picRemarks", "tv1", "cboTree", "cmdShow", "tbRem",
                             "tbRemG3", "lblRem", "lblRem3", "lblGrip", "picBottom", "stsStatusBar", "msflxKlin",
                             "msflXImp", "lblTopLine(1)", "lblUnderLine(1)", "picsGreysUpsAndDowns"})
        EXPECT_NE(w.findChild<QWidget *>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(MdiFixture, StatusBarHasSevenPanels)
{
    tav::MDI &w = NewMdi();
    for (int p = 1; p <= 7; ++p)
        w.SetPanelText(p, QStringLiteral("panel %1").arg(p));
    for (int p = 1; p <= 7; ++p)
        EXPECT_EQ(w.PanelText(p), QStringLiteral("panel %1").arg(p));
    w.SetPanelText(8, QStringLiteral("none"));
    EXPECT_EQ(w.PanelText(8), QString());
    EXPECT_EQ(w.Control<QStatusBar>("stsStatusBar")->findChildren<winsys::StatusPanel *>().size(), 7);
}

// --- Size ----------------------------------------------------------------------

TEST_F(MdiFixture, LongTextsDoNotWidenTheFrameBeyondASmallScreen)
{
    MakeDb(StandardCaps(), 1, 0);
    tav::MDI &w = NewMdi();
    w.MDIForm_Load();
    const QString longText = QStringLiteral("a very long status text, ").repeated(20);
    for (int panel = 1; panel <= 7; ++panel)
        w.SetPanelText(panel, longText);
    w.Control<QLineEdit>("tbFind(0)")->setText(longText);
    w.Control<QLineEdit>("tbFind(1)")->setText(longText);
    w.Control<QLabel>("lblFlag")->setText(QStringLiteral("Search for Swedish"));
    EXPECT_LE(w.minimumSizeHint().width(), 800);
    EXPECT_LE(w.minimumSizeHint().height(), 600);
}

TEST_F(MdiFixture, NormalWindowAlwaysTakesTheWorkArea)
{
    tav::MDI &w = NewMdi();
    w.show();
    const QRect area = w.screen()->availableGeometry();
    w.MDIForm_Resize();
    EXPECT_EQ(w.frameGeometry().size(), area.size());
    w.resize(300, 200);
    EXPECT_EQ(w.frameGeometry().size(), area.size()) << "the window cannot be left smaller than the work area";
}

TEST(MainWindowPlace, TheFrameFillsTheWorkAreaAndNoMore)
{
    const QRect area(0, 0, 1280, 1024);
    EXPECT_EQ(tav::ClientAreaIn(area, QMargins(1, 20, 1, 5)), QRect(1, 20, 1278, 999));
    EXPECT_EQ(tav::ClientAreaIn(QRect(0, 30, 800, 570), QMargins(1, 20, 1, 5)), QRect(1, 50, 798, 545));
    EXPECT_EQ(tav::ClientAreaIn(area, QMargins()), area);
    // What a window manager still framing the window can report (a 1 by 1
    // frame around the full client area) never makes the window larger.
    EXPECT_EQ(tav::ClientAreaIn(area, QMargins(0, 0, -1279, -1023)), area);
    EXPECT_EQ(tav::ClientAreaIn(area, QMargins(0, 600, 0, 0)), area);
}

TEST_F(MdiFixture, MinimisedWindowIsLeftAlone)
{
    tav::MDI &w = NewMdi();
    w.show();
    w.setWindowState(Qt::WindowMinimized);
    w.resize(790, 500);
    w.MDIForm_Resize();
    EXPECT_EQ(w.size(), QSize(790, 500));
}

// --- Child windows ---------------------------------------------------------------

TEST_F(MdiFixture, CloseAllWindowsLeavesTheNoCloseWindow)
{
    tav::MDI &w = NewMdi();
    w.show();
    AddForm(QStringLiteral("GridStd"), QStringLiteral("one"));
    QWidget *keep = AddForm(QStringLiteral("Exercise"), QStringLiteral("exercise"));
    keep->setProperty("Tag", QStringLiteral("NoClose"));
    AddForm(QStringLiteral("GridSimple"), QStringLiteral("two"));
    EXPECT_TRUE(w.Control<QAction>("mnuCloseAll")->isEnabled());
    w.Control<QAction>("mnuCloseAll")->trigger();
    ASSERT_EQ(w.ChildForms().size(), 1);
    EXPECT_EQ(w.ChildForms().first(), keep);
    EXPECT_TRUE(w.Control<QAction>("mnuCloseAll")->isEnabled());
    EXPECT_TRUE(w.Control<QMenu>("mnuWindows")->menuAction()->isEnabled());
}

TEST_F(MdiFixture, ClosingTheLastChildDisablesTheWindowMenus)
{
    tav::MDI &w = NewMdi();
    w.show();
    AddForm(QStringLiteral("GridStd"), QStringLiteral("one"));
    AddForm(QStringLiteral("GridStd"), QStringLiteral("two"));
    EXPECT_TRUE(w.Control<QAction>("mnuCloseAll")->isEnabled());
    w.Control<QMdiArea>("mdiClient")->subWindowList().first()->close();
    EXPECT_TRUE(w.Control<QAction>("mnuCloseAll")->isEnabled()) << "one of two closed: the menus stay";
    w.CloseChildren();
    EXPECT_TRUE(w.ChildForms().isEmpty());
    EXPECT_FALSE(w.Control<QAction>("mnuCloseAll")->isEnabled());
    EXPECT_FALSE(w.Control<QMenu>("mnuWindows")->menuAction()->isEnabled());
    EXPECT_EQ(w.Grammar().State().wordID, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.Control<QMdiArea>("mdiClient")->subWindowList().isEmpty());
}

TEST_F(MdiFixture, WindowMenuListsTheOpenChildren)
{
    tav::MDI &w = NewMdi();
    AddForm(QStringLiteral("GridStd"), QStringLiteral("12 Greek words"));
    AddForm(QStringLiteral("GridSimple"), QStringLiteral("3 English words"));
    emit w.Control<QMenu>("mnuWindows")->aboutToShow();
    QStringList texts;
    for (QAction *a : w.Control<QMenu>("mnuWindows")->actions())
        if (!a->isSeparator())
            texts << a->text();
    EXPECT_EQ(texts, QStringList({QStringLiteral("&Close all windows"), QStringLiteral("&1 12 Greek words"),
                                  QStringLiteral("&2 3 English words")}));
    // Shown again, the list is rebuilt, not doubled.
    emit w.Control<QMenu>("mnuWindows")->aboutToShow();
    EXPECT_EQ(w.Control<QMenu>("mnuWindows")->actions().size(), 4);
}

TEST_F(MdiFixture, TheStoreSeesTheOpenChildrenAndRefreshesTheListWindows)
{
    tav::MDI &w = NewMdi();
    w.show();
    auto *list = new CountingList;
    list->setObjectName(QStringLiteral("GridStd"));
    w.AddChild(list, list);
    QWidget *exercise = AddForm(QStringLiteral("Exercise"), QStringLiteral("exercise"));
    exercise->setProperty("Tag", QStringLiteral("NoClose"));
    const auto children = w.ChildWindows();
    ASSERT_EQ(children.size(), 2);
    EXPECT_EQ(children[0].name, QStringLiteral("GridStd"));
    EXPECT_EQ(children[1].tag, QStringLiteral("NoClose"));
    EXPECT_EQ(w.OpenListWindows(), QList<tav::ListWindowLink *>({list}));
    EXPECT_EQ(w.CountGridForms(), 1);
    tav::RefreshGridForms();
    EXPECT_EQ(list->refreshed, 1);
    w.Control<QMdiArea>("mdiClient")->subWindowList().first()->close();
    EXPECT_TRUE(w.OpenListWindows().isEmpty()) << "a closed window leaves the lists at once";
    EXPECT_EQ(w.ChildWindows().size(), 1);
}

TEST_F(MdiFixture, StatusTextOfTheStoreGoesToPanelOne)
{
    MakeDb(StandardCaps(), 1, 0);
    NewMdi().MDIForm_Load();
    tav::SetStatusText(QString(), true);
    EXPECT_EQ(mdi->PanelText(1), QStringLiteral("Ready"));
    tav::SetStatusText(QStringLiteral("Working"), true);
    EXPECT_EQ(mdi->PanelText(1), QStringLiteral("Working, please wait..."));
}

// A word shown writes several panels: they are painted together when the
// event loop turns, not one by one; a progress text is painted at once.
TEST_F(MdiFixture, PanelTextsWaitForTheEventLoopButProgressIsPaintedAtOnce)
{
    MakeDb(StandardCaps(), 1, 0);
    tav::MDI &w = NewMdi();
    w.MDIForm_Load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    auto *panel = w.findChild<winsys::StatusPanel *>(QStringLiteral("Panels(3)"));
    auto *first = w.findChild<winsys::StatusPanel *>(QStringLiteral("Panels(1)"));
    ASSERT_TRUE(panel && first);
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } count, firstCount;
    panel->installEventFilter(&count);
    first->installEventFilter(&firstCount);

    w.SetPanelText(3, QStringLiteral("ID 1"));
    w.SetPanelText(3, QStringLiteral("ID 2"));
    EXPECT_EQ(count.paints, 0);
    QApplication::processEvents();
    EXPECT_EQ(count.paints, 1);
    EXPECT_EQ(panel->Text(), QStringLiteral("ID 2"));

    tav::SetStatusText(QStringLiteral("Working"), true);
    EXPECT_GE(firstCount.paints, 1);
    panel->removeEventFilter(&count);
    first->removeEventFilter(&firstCount);
}

// --- Left panel ------------------------------------------------------------------

TEST_F(MdiFixture, HideLeftControlsTwiceRestoresThePanelAndRefitsTheExercise)
{
    tav::MDI &w = NewMdi();
    w.show();
    w.mnuExParts_Click(0);
    tav::ExerciseWindowLink *exercise = w.ExerciseInstance();
    ASSERT_NE(exercise, nullptr);
    const auto &calls = static_cast<tav::ExerciseStandIn *>(exercise)->Calls();
    w.mnuOptionParts_Click(1);
    EXPECT_TRUE(w.Control<QWidget>("picRemarks")->isHidden());
    EXPECT_EQ(tav::WithoutAccessKey(w.Control<QAction>("mnuOptionParts(1)")->text()),
              QStringLiteral("Show left controls"));
    EXPECT_EQ(calls.count(QStringLiteral("Form_Resize")), 1);
    w.mnuOptionParts_Click(1);
    EXPECT_FALSE(w.Control<QWidget>("picRemarks")->isHidden());
    EXPECT_EQ(tav::WithoutAccessKey(w.Control<QAction>("mnuOptionParts(1)")->text()),
              QStringLiteral("Hide left controls"));
    EXPECT_EQ(calls.count(QStringLiteral("Form_Resize")), 2);
    // Another window active: the exercise window is not refitted.
    auto *list = new CountingList;
    w.AddChild(list, list);
    w.Control<QMdiArea>("mdiClient")->setActiveSubWindow(w.Control<QMdiArea>("mdiClient")->subWindowList().last());
    ASSERT_EQ(w.ActiveForm(), list);
    w.mnuOptionParts_Click(1);
    w.mnuOptionParts_Click(1);
    EXPECT_EQ(calls.count(QStringLiteral("Form_Resize")), 2);
    // A plain child, and no child at all, are fine.
    w.CloseChildren();
    AddForm(QStringLiteral("Plain"), QStringLiteral("plain"));
    w.mnuOptionParts_Click(1);
    w.CloseChildren();
    w.mnuOptionParts_Click(1);
    EXPECT_FALSE(w.Control<QWidget>("picRemarks")->isHidden());
}

TEST_F(MdiFixture, GripPressWidensByThePressPositionUpToTheBound)
{
    tav::MDI &w = NewMdi();
    w.show();
    const int start = w.LeftPanelWidth();
    w.lblGrip_MouseDown(Qt::LeftButton, 300);
    EXPECT_NEAR(w.LeftPanelWidth(), start + 300, 15);
    w.lblGrip_MouseDown(Qt::RightButton, 300);
    EXPECT_NEAR(w.LeftPanelWidth(), start + 300, 15) << "only the left button";
    for (int i = 0; i < 100; ++i)
        w.lblGrip_MouseDown(Qt::LeftButton, 600);
    EXPECT_LE(w.LeftPanelWidth(), w.MaxLeftPanelWidth());
    EXPECT_GE(PixelsToTwipsX(w.Control<QMdiArea>("mdiClient")->width()), tav::MDI::MinClientWidth - 15);
}

TEST_F(MdiFixture, DraggingTheGripNarrowsThePanelDownTo1700Twips)
{
    tav::MDI &w = NewMdi();
    w.show();
    QApplication::processEvents();
    const int start = w.LeftPanelWidth();
    QTest::mousePress(w.Control<QLabel>("lblGrip"), Qt::LeftButton, {}, QPoint(2, 5));
    const int afterPress = w.LeftPanelWidth();
    EXPECT_NEAR(afterPress, start + PixelsToTwipsX(2), 15);
    QMouseEvent left(QEvent::MouseMove, QPointF(-60, 5), w.Control<QLabel>("lblGrip")->mapToGlobal(QPointF(-60, 5)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w.Control<QLabel>("lblGrip"), &left);
    EXPECT_NEAR(w.LeftPanelWidth(), afterPress - PixelsToTwipsX(60), 20);
    QMouseEvent far(QEvent::MouseMove, QPointF(-2000, 5), w.Control<QLabel>("lblGrip")->mapToGlobal(QPointF(-2000, 5)),
                    Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w.Control<QLabel>("lblGrip"), &far);
    EXPECT_NEAR(w.LeftPanelWidth(), tav::MDI::MinLeftPanelWidth, 15);
    QTest::mouseRelease(w.Control<QLabel>("lblGrip"), Qt::LeftButton);
}

TEST_F(MdiFixture, LeftPanelLayoutFitsEveryControlInsideThePanel)
{
    tav::MDI &w = NewMdi();
    w.show();
    for (int height : {220, 400, 700}) {
        w.Control<QWidget>("picRemarks")->setFixedHeight(height);
        QApplication::processEvents();
        const QRect panel = w.Control<QWidget>("picRemarks")->rect();
        for (QWidget *c : {w.Control("tv1"), w.Control("cboTree"), w.Control("tbRem"), w.Control("tbRemG3"),
                           w.Control("lblRem"), w.Control("lblRem3"), w.Control("lblGrip")})
            EXPECT_TRUE(panel.contains(c->geometry())) << c->objectName().toStdString() << " at height " << height;
        // Boxes stack without overlapping: tree, remarks, label, lower remarks, label row with the grip.
        EXPECT_LE(w.Control<QTreeWidget>("tv1")->geometry().bottom(), w.Control<QTextEdit>("tbRem")->geometry().top());
        EXPECT_LE(w.Control<QTextEdit>("tbRem")->geometry().bottom(), w.Control<QLabel>("lblRem")->geometry().top());
        EXPECT_LE(w.Control<QLabel>("lblRem")->geometry().bottom(), w.Control<QTextEdit>("tbRemG3")->geometry().top());
        EXPECT_LE(w.Control<QTextEdit>("tbRemG3")->geometry().bottom(), w.Control<QLabel>("lblGrip")->geometry().top());
        EXPECT_EQ(w.Control<QLabel>("lblGrip")->geometry().right(), panel.right());
        EXPECT_EQ(w.Control<QComboBox>("cboTree")->x(), w.Control<QTreeWidget>("tv1")->width());
    }
}

// --- Closing -----------------------------------------------------------------------

TEST_F(MdiFixture, ClosingSetsTheBusyPointerWritesTheStatusAndEndsTheProgram)
{
    MakeDb(StandardCaps(), 1, 0);
    tav::MDI &w = NewMdi();
    w.MDIForm_Load();
    w.show();
    QStringList pointer;
    winsys::SetPointerHooks({[&](winsys::PointerShape s) {
                                 pointer << (s == winsys::PointerShape::ArrowHourglass ? QStringLiteral("busy")
                                                                                        : QStringLiteral("other"));
                             },
                             [&] { pointer << QStringLiteral("pop"); }});
    const int depth = winsys::PointerDepth();
    QString panelAtEnd;
    w.EndProgram = [&] {
        ++ended;
        panelAtEnd = w.PanelText(1);
    };
    AddForm(QStringLiteral("GridStd"), QStringLiteral("list"));
    w.mnuArkivs_Click(1004);
    winsys::SetPointerHooks({});
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(panelAtEnd, QStringLiteral("Closing Tavrinel, please wait..."));
    EXPECT_EQ(pointer, QStringList({QStringLiteral("busy"), QStringLiteral("pop")}));
    EXPECT_EQ(winsys::PointerDepth(), depth);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.ChildForms().isEmpty());
}

TEST_F(MdiFixture, OtherExitIndicesDoNothing)
{
    tav::MDI &w = NewMdi();
    w.show();
    w.mnuArkivs_Click(1003);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(w.isVisible());
}

#include "MdiTest.moc"
