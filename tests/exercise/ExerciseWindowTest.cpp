#include "ExerciseFixture.h"

#include "exercise/Exercise.h"
#include "exercise/rounds/WrongStore.h"
#include "mainwindow/MDI.h"
#include "platform/winsys/UpDown.h"
#include "platform/winsys/Twips.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace tavtest;

namespace {

class ExerciseWindowTest : public ExerciseWindowFixture {
protected:
    void SetUp() override
    {
        ExerciseWindowFixture::SetUp();
        Open();
    }
    void Type(const QString &text)
    {
        ex->txtFields(2)->setText(text);
        QTest::keyClick(ex->txtFields(2), Qt::Key_Return);
    }
    QString RightAnswer() const { return ex->txtFields(3)->text(); }
};

} // namespace

TEST_F(ExerciseWindowTest, ActivationWithAnEmptyStoreAndAnIncompleteThirdLanguage)
{
    tav::Lang3Complete = false;
    tav::Opt2ndTavrinel = "Swedish";
    ex->Form_Activate();
    EXPECT_FALSE(probe().opDbas[1]->isEnabled());
    EXPECT_EQ(probe().opDbas[1]->text(), "errors in store (0)");
    EXPECT_TRUE(probe().opZero[0]->isChecked());
    EXPECT_FALSE(probe().opZero[1]->isEnabled());
    EXPECT_FALSE(probe().opOne[1]->isEnabled());
    // The answer field is the third language only when it is complete and chosen.
    EXPECT_EQ(ex->AnswerField(), 3);
    tav::Lang3Complete = true;
    EXPECT_EQ(ex->AnswerField(), 33);
    EXPECT_EQ(mdi->PanelText(5), "M/A 30/0  ");
}

TEST_F(ExerciseWindowTest, AStoreAtItsLimitForcesTheStoreSource)
{
    tav::OptNbrWrongs = 2;
    tav::StoreWrongAnswer(1, QDateTime::currentDateTime());
    tav::StoreWrongAnswer(2, QDateTime::currentDateTime());
    ex->Form_Activate();
    EXPECT_FALSE(probe().opDbas[0]->isEnabled());
    EXPECT_TRUE(probe().opDbas[1]->isChecked());
    ex->cmdReset_Click();
    EXPECT_TRUE(tav::CurrentWordID == 1 || tav::CurrentWordID == 2);
}

TEST_F(ExerciseWindowTest, ReturnJudgesOnceAndTheTimerStopsAtAKey)
{
    probe().opTimer[2]->setChecked(true);
    ex->cmdReset_Click();
    EXPECT_EQ(probe().cmdReset->text(), "Reset");
    EXPECT_TRUE(probe().Timer1->isActive());
    EXPECT_EQ(probe().Timer1->interval(), 5000);
    EXPECT_EQ(mdi->PanelText(3), QString("ID %1").arg(tav::CurrentWordID));
    QTest::keyClick(ex->txtFields(2), Qt::Key_A);
    EXPECT_FALSE(probe().Timer1->isActive());
    Type(RightAnswer());
    EXPECT_EQ(probe().lblLabels[3]->text(), "Right");
    EXPECT_FALSE(ex->txtFields(2)->isEnabled());
    EXPECT_TRUE(probe().CmdEnter->isEnabled());
    EXPECT_FALSE(probe().Timer1->isActive());
    // A late timer event judges nothing.
    ex->Timer1_Timer();
    EXPECT_TRUE(tav::RepaIDs.isEmpty());
    EXPECT_EQ(probe().lblLabels[3]->text(), "Right");
    // Next asks a new word and arms the timer again.
    ex->CmdEnter_Click();
    EXPECT_TRUE(ex->txtFields(2)->isEnabled());
    EXPECT_TRUE(probe().Timer1->isActive());
    EXPECT_FALSE(probe().CmdEnter->isEnabled());
}

// The window knows it was started: another caption on its Start button
// changes nothing of the first start.
TEST_F(ExerciseWindowTest, TheFirstStartHoldsWithAnotherCaptionOnItsButton)
{
    probe().cmdReset->setText("Begin");
    ex->cmdReset_Click();
    EXPECT_EQ(probe().cmdReset->text(), "Reset");
    EXPECT_NE(tav::CurrentWordID, 0);
    Type(RightAnswer());
    EXPECT_EQ(probe().lblLabels[3]->text(), "Right");
}

TEST_F(ExerciseWindowTest, TheTimerJudgesAnUntouchedAnswerAsUnknown)
{
    probe().opTimer[1]->setChecked(true);
    ex->cmdReset_Click();
    const long long asked = tav::CurrentWordID;
    ex->Timer1_Timer();
    EXPECT_EQ(ex->txtFields(2)->text().left(1), "?");
    EXPECT_EQ(tav::RepaIDs, QList<long long>({asked}));
    EXPECT_EQ(probe().lstRepa[2]->count(), 1);
    EXPECT_EQ(probe().tbErr->text(), "1");
    EXPECT_EQ(probe().lblFails->text(), "1");
    EXPECT_EQ(mdi->PanelText(5), "M/A 30/1  ");
    EXPECT_EQ(probe().opDbas[1]->text(), "errors in store (1)  ");
    EXPECT_TRUE(probe().opDbas[1]->isEnabled());
}

// The window writes the status panels of the main window it was given, not
// those of whatever window the store reports to.
TEST_F(ExerciseWindowTest, TheStatusTextsGoToTheHostsPanels)
{
    tav::SetLink(nullptr);
    probe().opTimer[1]->setChecked(true);
    ex->cmdReset_Click();
    EXPECT_EQ(mdi->PanelText(3), QString("ID %1").arg(tav::CurrentWordID));
    ex->Timer1_Timer();
    EXPECT_EQ(mdi->PanelText(5), "M/A 30/1  ");
    tav::SetLink(mdi.get());
}

TEST_F(ExerciseWindowTest, ActivationRunsNoOptionClicks)
{
    ex->cmdReset_Click();
    Type("wrong");
    const long long asked = tav::CurrentWordID;
    const QString answerLanguage = tav::Opt2ndTavrinel;
    ex->Form_Activate();
    EXPECT_EQ(tav::RepaIDs.size(), 1);
    EXPECT_EQ(tav::CurrentWordID, asked);
    EXPECT_EQ(tav::Opt2ndTavrinel, answerLanguage);
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(ExerciseWindowTest, SeveralMeaningsGetOneMarkerEach)
{
    KeepOnly({2}); // "love, darling": two meanings
    ex->cmdReset_Click();
    ASSERT_EQ(tav::CurrentWordID, 2);
    EXPECT_EQ(probe().lblLabels[1]->text(), "2 meanings in English");
    Type("darling");
    EXPECT_EQ(ex->txtFields(2)->text(), "?, darling");
    EXPECT_EQ(probe().lblLabels[3]->text(), "Partly");
    ASSERT_GE(probe().shTest.size(), 2);
    EXPECT_TRUE(probe().shTest[1]->isVisibleTo(ex));
    EXPECT_EQ(probe().shTest[1]->x() - probe().shTest[0]->x(), winsys::TwipsToPixelsX(480));
    // Next removes the markers.
    ex->CmdEnter_Click();
    EXPECT_EQ(probe().shTest.size(), 1);
    EXPECT_FALSE(probe().shTest[0]->isVisibleTo(ex));
}

TEST_F(ExerciseWindowTest, FlushingEmptiesTheStoreAndRestarts)
{
    tav::StoreWrongAnswer(5, QDateTime::currentDateTime());
    ex->Form_Load();
    ex->Form_Activate();
    ex->cmdReset_Click();
    Type("wrong");
    messages.Answer(winsys::vbYes);
    ex->CmdFlush_Click();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM WrongIDs"), 0);
    EXPECT_EQ(probe().lblFails->text(), "0");
    EXPECT_FALSE(probe().opDbas[1]->isEnabled());
    EXPECT_FALSE(probe().CmdFlush->isEnabled());
    EXPECT_TRUE(tav::RepaIDs.isEmpty());
}

TEST_F(ExerciseWindowTest, EnterOnTheFlushQuestionKeepsTheStore)
{
    tav::StoreWrongAnswer(5, QDateTime::currentDateTime());
    ex->Form_Load();
    ex->Form_Activate();
    messages.Clear();
    ex->CmdFlush_Click(); // answered with the box's default button, as Enter does
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(winsys::DefaultAnswer(messages.Messages()[0].style), winsys::vbNo);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM WrongIDs"), 1);
    EXPECT_TRUE(probe().CmdFlush->isEnabled());
}

TEST_F(ExerciseWindowTest, ARemarkTypedInTheMainWindowIsStoredForTheWordShown)
{
    mdi->SmallFacts(7);
    mdi->Control<QTextEdit>("tbRem")->setPlainText("a remark");
    int key = 13;
    mdi->tbRem_KeyPress(key);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Main WHERE ID = 7 AND Remarks = 'a remark'"), 1);
    EXPECT_FALSE(tav::SaveBusy);
    EXPECT_TRUE(messages.Messages().isEmpty());
    // A word no longer in the word list stores nothing, and says so.
    tav::SaveBusy = true;
    ex->GetPos(123456, "nowhere", 12);
    EXPECT_FALSE(tav::SaveBusy);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].prompt.contains("the word with ID 123456 is no longer in the word list"))
        << messages.Messages()[0].prompt.toStdString();
    messages.Clear();

    // A remark the file refuses is reported, not dropped in silence.
    Exec("CREATE TRIGGER NoRemarks BEFORE UPDATE ON Main BEGIN SELECT RAISE(ABORT, 'read-only'); END");
    tav::SaveBusy = true;
    ex->GetPos(7, "another remark", 12);
    EXPECT_FALSE(tav::SaveBusy);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Main WHERE ID = 7 AND Remarks = 'a remark'"), 1);
}

TEST_F(ExerciseWindowTest, AFailedSettingsWriteIsReportedAndKeepsTheStoredValue)
{
    tav::WordDb->ExecNative("UPDATE Options SET nbrRepeats = 3, nbrScribble = 5");
    tav::WordDb->ExecNative("CREATE TRIGGER refuse BEFORE UPDATE ON Options BEGIN "
                            "SELECT RAISE(ABORT, 'settings are locked'); END");
    probe().upRepa->StepUp();
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(tav::OptNbrRepeats, 3);
    EXPECT_EQ(probe().upRepa->Value(), 3);
    EXPECT_FALSE(ex->UpDateScribble(7));
    EXPECT_EQ(tav::OptNbrScribble, 5);
}

TEST_F(ExerciseWindowTest, ClosingGivesTheToolbarBack)
{
    mdi->Control<QWidget>("picToolbar")->hide();
    probe().RimaVerbID = 4;
    ex->close();
    EXPECT_FALSE(mdi->Control<QWidget>("picToolbar")->isHidden());
    EXPECT_EQ(mdi->PanelText(1), QString());
}

TEST_F(ExerciseWindowTest, AnAnswerLanguageClickAlwaysStartsANewRound)
{
    // Before the first Start: the click starts the exercise.
    probe().opZero[0]->click();
    EXPECT_EQ(probe().cmdReset->text(), "Reset");
    EXPECT_TRUE(tav::CurrentWordID != 0);
    // The same language again: the round restarts, the repetition list empties.
    Type("wrong");
    ASSERT_EQ(tav::RepaIDs.size(), 1);
    ex->CmdEnter_Click();
    probe().opZero[0]->click();
    EXPECT_TRUE(tav::RepaIDs.isEmpty());
    EXPECT_EQ(probe().lstRepa[0]->count(), 0);
    EXPECT_EQ(probe().AnswerLangText, "English.");
}

TEST_F(ExerciseWindowTest, TheOnlyStoredWordIsAskedAgainWhileItWaitsForRepetition)
{
    tav::StoreWrongAnswer(11, QDateTime::currentDateTime());
    ex->Form_Activate();
    probe().opDbas[1]->setChecked(true);
    ex->cmdReset_Click();
    ASSERT_EQ(tav::CurrentWordID, 11);
    Type("wrong");
    EXPECT_EQ(tav::RepaIDs, QList<long long>({11}));
    ex->CmdEnter_Click();
    EXPECT_EQ(tav::CurrentWordID, 11);
    EXPECT_TRUE(ex->txtFields(2)->isEnabled());
    EXPECT_TRUE(messages.Messages().isEmpty());
    Type(RightAnswer());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM WrongIDs"), 0);
}

TEST_F(ExerciseWindowTest, TheWindowKeepsTheClientAreasHeightAndADisplayChangeFitsTheActiveChild)
{
    mdi->resize(800, 560);
    mdi->show();
    auto *sub = qobject_cast<QMdiSubWindow *>(ex->parentWidget());
    ASSERT_NE(sub, nullptr);
    QWidget *client = mdi->Control<QMdiArea>("mdiClient")->viewport();
    // The toolbar goes: the client area grows, and the window with it.
    mdi->Control<QWidget>("picToolbar")->hide();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub->height() == int(0.999 * client->height()); }, 1000));
    EXPECT_EQ(sub->pos(), QPoint(0, 0));

    // The work area shrinks to the upper 200 pixels of the client area and
    // its left 300: the child takes 0.99 of the height, at the area's top and left.
    sub->setGeometry(40, 30, 500, 250);
    const QPoint origin = client->mapToGlobal(QPoint(0, 0));
    ex->SysInfo1_DisplayChanged(QRect(origin + QPoint(0, 10), QSize(300, 200)));
    EXPECT_EQ(sub->geometry(), QRect(0, 10, 300, 198));
    // A taller work area again: the child grows to it, staying inside it.
    ex->SysInfo1_DisplayChanged(QRect(origin, QSize(300, 300)));
    EXPECT_EQ(sub->height(), 297);
    EXPECT_LE(sub->geometry().bottom(), 299);
    // A maximised child is left alone.
    sub->showMaximized();
    const QRect maximised = sub->geometry();
    ex->SysInfo1_DisplayChanged(QRect(origin, QSize(100, 100)));
    EXPECT_EQ(sub->geometry(), maximised);
}

TEST_F(ExerciseWindowTest, TheWindowAsksWhenTheStoreIsFullAndFollowsTheAnswer)
{
    tav::OptNbrWrongs = 1;
    ex->cmdReset_Click();
    const long long missed = tav::CurrentWordID;
    messages.Answer(winsys::vbYes);
    Type("wrong");
    EXPECT_EQ(messages.Prompts(), QStringList({"Store full?"}));
    EXPECT_EQ(tav::MsgAnswer, winsys::vbYes);
    // Yes: the store is practised at once, the repetition list is empty.
    EXPECT_TRUE(probe().opDbas[1]->isChecked());
    EXPECT_TRUE(tav::RepaIDs.isEmpty());
    EXPECT_EQ(probe().lstRepa[0]->count(), 0);
    EXPECT_EQ(tav::CurrentWordID, missed);
    EXPECT_TRUE(ex->txtFields(2)->isEnabled());

    // No: the store is emptied and the exercise starts again on all words.
    probe().opDbas[0]->setChecked(true);
    ex->cmdReset_Click();
    messages.Answer(winsys::vbNo);
    Type("wrong");
    EXPECT_EQ(messages.Prompts().size(), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM WrongIDs"), 0);
    EXPECT_EQ(probe().lblFails->text(), "0");
    EXPECT_TRUE(probe().opDbas[0]->isChecked());
    EXPECT_TRUE(ex->txtFields(2)->isEnabled());
}

// A limit of 0 keeps no store: a wrong answer stores nothing and asks
// nothing, and a store left from before does not force its source.
TEST_F(ExerciseWindowTest, AStoreLimitOfZeroStoresNothingAndAsksNothing)
{
    tav::OptNbrWrongs = 0;
    ex->cmdReset_Click();
    messages.Clear();
    Type("wrong");
    EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join('|').toStdString();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM WrongIDs"), 0);
    tav::StoreWrongAnswer(5, QDateTime::currentDateTime());
    ex->Form_Activate();
    EXPECT_TRUE(probe().opDbas[0]->isEnabled()) << "all words stay a source";
}

// The main window's MDI area takes Ctrl+Tab for its child windows: the
// exercise's tabs change with Ctrl+PageDown and Ctrl+PageUp, from any control
// of the window and around from the last tab to the first.
TEST_F(ExerciseWindowTest, CtrlPageDownAndCtrlPageUpSwitchTheTabs)
{
    mdi->resize(800, 560);
    mdi->show();
    QApplication::setActiveWindow(mdi.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(mdi.get()));
    auto *tabs = ex->findChild<QTabWidget *>(QStringLiteral("tbsOptions"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->currentIndex(), 0);
    ex->txtFields(2)->setEnabled(true);
    ex->txtFields(2)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(ex->windowTitle().startsWith("Exercise the modern way")) << "the tab's own caption";
}

// Tab walks the typing page in reading order: the question, the answer with
// its buttons, the source and repetition settings beside them, the timer and
// answer language, then the repetition list. Disabled and hidden controls are
// passed over; the buttons keep their access keys.
TEST_F(ExerciseWindowTest, TabWalksTheTypingPageInReadingOrder)
{
    mdi->resize(800, 560);
    mdi->show();
    QApplication::setActiveWindow(mdi.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(mdi.get()));
    ex->cmdReset_Click(); // Next stays disabled until a word is answered
    QWidget *page = ex->findChild<QWidget *>(QStringLiteral("picOptions(0)"));
    ASSERT_NE(page, nullptr);
    ex->txtFields(0)->setFocus();
    QStringList walked;
    for (int n = 0; n < 40; ++n) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus || !page->isAncestorOf(focus))
            break;
        walked << (focus->objectName().isEmpty() ? QString::fromLatin1(focus->metaObject()->className())
                                                  : focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    // The timer options wait for an answer, Next and Flush store for a word.
    EXPECT_EQ(walked.join(' ').toStdString(),
              "txtFields(0) txtFields(1) txtFields(2) cmdReset opDbas(0) upRepa opZero(0) "
              "tbErr checkDbs lstRepa(0) lstRepa(1) lstRepa(2)");
    EXPECT_EQ(probe().cmdReset->text(), "Reset");
    EXPECT_EQ(probe().CmdEnter->text(), "&Next");
    EXPECT_EQ(probe().CmdFlush->text(), "&Flush store");
}

// The round reads and writes the word database; when that fails the window
// tells why, and the exercise goes on.
TEST_F(ExerciseWindowTest, AFailedReadOrWriteOfTheRoundIsTold)
{
    struct Case {
        const char *name;
        std::function<void()> spoil;
        QList<int> answers; // to the questions on the way
        std::function<void()> act;
        const char *said;
    };
    const auto typeWrong = [&] { Type("wrong"); };
    const QList<Case> cases = {
        {"a wrong answer that cannot be stored",
         [&] {
             Exec("CREATE TRIGGER Locked BEFORE INSERT ON WrongIDs BEGIN SELECT RAISE(ABORT, 'store locked'); END");
         },
         {}, typeWrong, "store locked"},
        {"a full store that cannot be emptied",
         [&] {
             tav::OptNbrWrongs = 1;
             Exec("CREATE TRIGGER Locked BEFORE DELETE ON WrongIDs BEGIN SELECT RAISE(ABORT, 'store locked'); END");
         },
         {winsys::vbNo}, typeWrong, "store locked"},
        {"a store that cannot be read for the next word",
         [&] {
             tav::StoreWrongAnswer(5, QDateTime::currentDateTime());
             ex->Form_Activate();
             probe().opDbas[1]->setChecked(true);
             Exec("ALTER TABLE WrongIDs RENAME TO WrongIDsGone");
         },
         {}, [&] { ex->cmdReset_Click(); }, "WrongIDs"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        probe().opDbas[0]->setChecked(true);
        ex->cmdReset_Click();
        c.spoil();
        messages.Clear();
        for (int answer : c.answers)
            messages.Answer(answer);
        c.act();
        const QStringList said = messages.Prompts().filter(QString::fromUtf8(c.said));
        EXPECT_EQ(said.size(), 1) << messages.Prompts().join('|').toStdString();
        EXPECT_EQ(messages.Prompts().size(), c.answers.size() + 1) << messages.Prompts().join('|').toStdString();
        Exec("DROP TRIGGER IF EXISTS Locked");
    }
}
