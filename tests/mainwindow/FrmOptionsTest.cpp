// The settings dialog: what it shows, what Apply and OK store, the tab strip,
// and the third-language page.

#include "mainwindow/FrmOptions.h"

#include "platform/winsys/UpDown.h"
#include "platform/dao/Dao.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "support/RecordingLink.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QSet>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class FrmOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.MakeWordStore();
        tav::OptNbrWrongs = 30;
        tav::Caps1335.Set(1335, QStringLiteral("Store of wrong answers"));
        // Two stored wrong answers.
        tav::WordDb->ExecNative(QStringLiteral("DELETE FROM WrongIDs"));
        tav::WordDb->ExecNative(QStringLiteral("INSERT INTO WrongIDs (ID) SELECT ID FROM Main LIMIT 2"));
        dialog = std::make_unique<tav::frmOptions>();
        dialog->show();
        link.Clear();
    }
    void TearDown() override
    {
        dialog.reset();
        tav::ResetSharedState();
    }
    QVariant Native(const QString &sql) { return db.Value(sql); }
    bool HasTable(const QString &name)
    {
        return Native(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = '") + name + QLatin1Char('\''))
                   .toInt() == 1;
    }
    QStringList Items(QComboBox *box)
    {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }
    void LanguagePage() { dialog->tbsOptions->setCurrentIndex(1); }
    void Add(const QString &name, const QString &welcome)
    {
        LanguagePage();
        dialog->tbAddLang->setText(name);
        dialog->tbWelCome->setText(welcome);
        dialog->cmdAdd->click();
    }

    tavtest::TestDb db;
    tavtest::RecordingLink link;
    winsys::ScriptedMessages messages;
    std::unique_ptr<tav::frmOptions> dialog;
};

} // namespace

TEST_F(FrmOptionsTest, ActivateShowsTheStoredSettings)
{
    EXPECT_TRUE(dialog->opTreat1111->isChecked());
    EXPECT_EQ(dialog->lblWrong->text(), QStringLiteral("30"));
    EXPECT_EQ(dialog->UpStore->Value(), 30) << "the up-down starts at the stored limit";
    EXPECT_EQ(dialog->TbFailedInStore->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog->fraStore->title(), QStringLiteral("Store of wrong answers"));
    EXPECT_FALSE(dialog->chk3rd->isChecked());
    EXPECT_TRUE(dialog->fra3langYttre->isEnabledTo(dialog->picOptions[1]));
    EXPECT_FALSE(dialog->picOptions[1]->isEnabled()) << "only the page in front takes input";
    EXPECT_EQ(dialog->cmdSelect->text(), QStringLiteral("Swedish is selected"));
    EXPECT_EQ(Items(dialog->cboLangs), QStringList({QStringLiteral("Swedish")}));
    EXPECT_EQ(dialog->cboLangs->currentText(), QStringLiteral("Swedish"));
    EXPECT_FALSE(dialog->cboLangs->isEditable());
    EXPECT_FALSE(dialog->cboUserAdded->isEditable());
    EXPECT_EQ(dialog->cboUserAdded->count(), 0);
    EXPECT_EQ(dialog->cboUserAdded->placeholderText(), QStringLiteral("No user language added"));
    EXPECT_FALSE(dialog->cmdDelete->isEnabled());
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 0);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[0]);
    EXPECT_EQ(dialog->tbAddLang->text(), QStringLiteral("that uses a latin alphabet"));
    EXPECT_EQ(dialog->tbWelCome->text(), QStringLiteral("welcome"));
}

TEST_F(FrmOptionsTest, TheDialogStaysInsideTheWorkArea)
{
    const QRect area = dialog->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(dialog->frameGeometry().topLeft()));
    EXPECT_GE(dialog->y(), area.top());
}

TEST_F(FrmOptionsTest, ApplyWithNothingChangedWritesNothing)
{
    dialog->cmdApply->click();
    EXPECT_TRUE(link.calls.isEmpty());
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(FrmOptionsTest, TheRuleIsStoredDirectlyAndAnOpenExerciseIsTold)
{
    QList<bool> told;
    dialog->RuleChanged = [&](bool rule) { told << rule; };
    dialog->opTreat1110->click();
    EXPECT_TRUE(dialog->rule);
    EXPECT_FALSE(tav::OptBoChecka) << "collected, not yet stored";
    dialog->cmdOK->click();
    EXPECT_TRUE(tav::OptBoChecka);
    EXPECT_NE(Native(QStringLiteral("SELECT BoChecka FROM Options")).toLongLong(), 0);
    EXPECT_EQ(link.PanelText(4), QStringLiteral("Tavrinel CheckAll True  "));
    EXPECT_EQ(told, QList<bool>({true}));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(FrmOptionsTest, TheLimitStepsByFiveFromTheStoredLimit)
{
    dialog->UpStore->StepUp();
    EXPECT_EQ(dialog->lblWrong->text(), QStringLiteral("35"));
    EXPECT_EQ(dialog->limit, 35);
    dialog->cmdApply->click();
    EXPECT_EQ(tav::OptNbrWrongs, 35);
    EXPECT_EQ(Native(QStringLiteral("SELECT nbrWrongs FROM Options")).toInt(), 35);
    EXPECT_EQ(link.PanelText(5), QStringLiteral("M/A 35/2  "));

    for (int i = 0; i < 30; ++i)
        dialog->UpStore->StepUp();
    EXPECT_EQ(dialog->limit, 100);
    for (int i = 0; i < 30; ++i)
        dialog->UpStore->StepDown();
    EXPECT_EQ(dialog->limit, 0);
}

TEST_F(FrmOptionsTest, HidingTheThirdLanguageRebuildsTheTreeAndPanelSix)
{
    LanguagePage();
    dialog->chk3rd->click();
    EXPECT_TRUE(dialog->hide);
    EXPECT_FALSE(dialog->fra3langYttre->isEnabled());
    dialog->cmdApply->click();
    EXPECT_TRUE(tav::OptBoHide3);
    EXPECT_NE(Native(QStringLiteral("SELECT boHide3 FROM Options")).toLongLong(), 0);
    EXPECT_EQ(link.Count(QStringLiteral("JulGran")), 1);
    EXPECT_EQ(link.PanelText(6), QStringLiteral("3:rd language deselected"));

    dialog->chk3rd->click();
    EXPECT_TRUE(dialog->fra3langYttre->isEnabled());
    EXPECT_EQ(dialog->cmdSelect->text(), QStringLiteral("Swedish is selected"));
    dialog->cmdApply->click();
    EXPECT_EQ(link.PanelText(6), QStringLiteral("3:rd language= Swedish  "));
}

TEST_F(FrmOptionsTest, CancelStoresNothing)
{
    LanguagePage();
    dialog->chk3rd->click();
    dialog->tbsOptions->setCurrentIndex(0);
    dialog->opTreat1110->click();
    dialog->UpStore->StepDown();
    dialog->cmdCancel->click();
    EXPECT_FALSE(tav::OptBoChecka);
    EXPECT_EQ(tav::OptNbrWrongs, 30);
    EXPECT_FALSE(tav::OptBoHide3);
    EXPECT_TRUE(link.calls.isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(FrmOptionsTest, CtrlTabAndCtrlPageDownGoRoundTheTabsBothWays)
{
    QTest::keyClick(dialog->tbAddLang, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 1);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[1]);
    EXPECT_TRUE(dialog->picOptions[1]->isEnabled());
    EXPECT_FALSE(dialog->picOptions[0]->isEnabled());
    QTest::keyClick(dialog->cmdOK, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 2);
    // The maintenance page with the two commands is the third tab's.
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[3]);
    EXPECT_TRUE(dialog->cmdKomprimera->isVisible());
    EXPECT_TRUE(dialog->cmdGenus->isVisible());
    QTest::keyClick(dialog.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 0);
    QTest::keyClick(dialog.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 2) << "Ctrl+Shift+Tab goes back, round to the last";
    QTest::keyClick(dialog->cmdCancel, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 0);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[0]);
    QTest::keyClick(dialog->cmdCancel, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 2);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[3]);
}

TEST_F(FrmOptionsTest, TheTabStripIsATabStopAndEveryTabAndControlHasAnAccessKey)
{
    // The limit's labels come from the captions: they get keys when shown.
    tav::Caps1335.Set(1336, QStringLiteral("Largest number of stored wrong answers:"));
    tav::Caps1335.Set(1337, QStringLiteral("Wrong answers stored now:"));
    dialog->Form_Activate();
    EXPECT_EQ(dialog->lblex[0]->text(), QStringLiteral("La&rgest number of stored wrong answers:"));
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    dialog->cmdCancel->setFocus();
    QTest::keyClick(dialog->cmdCancel, Qt::Key_Tab);
    for (int i = 0; i < 20 && dialog->focusWidget() != dialog->tbsOptions && dialog->focusWidget() != dialog->cmdCancel;
         ++i)
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(dialog->focusWidget(), dialog->tbsOptions) << "Tab reaches the tab strip";
    QTest::keyClick(dialog->tbsOptions, Qt::Key_Right);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[1]) << "the arrows change the page";

    // No two captions of a page, its tabs and the dialog's buttons share a key.
    auto keyOf = [](const QString &text) { return QKeySequence::mnemonic(text).toString(); };
    for (int t = 0; t < dialog->tbsOptions->count(); ++t) {
        dialog->tbsOptions->setCurrentIndex(t);
        QStringList keys;
        for (int i = 0; i < dialog->tbsOptions->count(); ++i)
            keys << keyOf(dialog->tbsOptions->tabText(i));
        for (QPushButton *b : {dialog->cmdOK, dialog->cmdApply, dialog->cmdCancel})
            keys << keyOf(b->text());
        QWidget *page = dialog->pages->currentWidget();
        for (QAbstractButton *b : page->findChildren<QAbstractButton *>())
            keys << keyOf(b->text());
        for (QGroupBox *g : page->findChildren<QGroupBox *>())
            keys << keyOf(g->title());
        for (QLabel *l : page->findChildren<QLabel *>()) {
            keys << keyOf(l->text());
            if (!keyOf(l->text()).isEmpty()) {
                EXPECT_NE(l->buddy(), nullptr) << "else the label shows its \"&\": " << l->text().toStdString();
            }
        }
        keys.removeAll(QString());
        EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size()) << keys.join(' ').toStdString();
    }

    // The keys reach the tabs and the controls.
    auto press = [&](Qt::Key key) { QTest::keyClick(dialog->focusWidget(), key, Qt::AltModifier); };
    press(Qt::Key_T);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[0]);
    press(Qt::Key_R); // "La&rgest number of stored wrong answers:"
    EXPECT_EQ(dialog->focusWidget(), dialog->UpStore);
    press(Qt::Key_N); // "all a&nswers are right"
    EXPECT_TRUE(dialog->opTreat1110->hasFocus());
    press(Qt::Key_L);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[1]);
    press(Qt::Key_S); // "&Select 3:rd language to show"
    EXPECT_EQ(dialog->focusWidget(), dialog->cboLangs);
    press(Qt::Key_W); // "Type  \"&Welcome\" in Your language"
    EXPECT_EQ(dialog->focusWidget(), dialog->tbWelCome);
    press(Qt::Key_M);
    EXPECT_EQ(dialog->pages->currentWidget(), dialog->picOptions[3]);
    for (QPushButton *b : {dialog->cmdKomprimera, dialog->cmdGenus})
        EXPECT_FALSE(keyOf(b->text()).isEmpty()) << b->text().toStdString();
}

TEST_F(FrmOptionsTest, TheLimitIsATabStopThatTheArrowKeysStepWithinItsBounds)
{
    EXPECT_TRUE(dialog->UpStore->focusPolicy() & Qt::TabFocus);
    dialog->UpStore->setFocus();
    QTest::keyClick(dialog->UpStore, Qt::Key_Up);
    EXPECT_EQ(dialog->lblWrong->text(), QStringLiteral("35"));
    EXPECT_EQ(dialog->limit, 35);
    QTest::keyClick(dialog->UpStore, Qt::Key_Down);
    QTest::keyClick(dialog->UpStore, Qt::Key_Down);
    EXPECT_EQ(dialog->limit, 25);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(dialog->UpStore, Qt::Key_Up);
    EXPECT_EQ(dialog->limit, 100);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(dialog->UpStore, Qt::Key_Down);
    EXPECT_EQ(dialog->limit, 0);
    EXPECT_EQ(dialog->tbsOptions->currentIndex(), 0) << "the arrows change no tab";
}

TEST_F(FrmOptionsTest, AddingNorwegianCreatesItAndRefreshesTheLists)
{
    messages.Answer(winsys::vbYes);
    Add(QStringLiteral("norwegian"), QStringLiteral(" velkommen "));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages().first().prompt,
              QStringLiteral("You want to add the Norwegian language \nwith the word \"velkommen\" for "
                             "\"Welcome\"\nto Tavrinel´s database!"));
    EXPECT_EQ(messages.Messages().first().style, winsys::vbYesNoCancel | winsys::vbQuestion);
    EXPECT_TRUE(HasTable(QStringLiteral("GreekNorwegian")));
    EXPECT_TRUE(HasTable(QStringLiteral("AllNorwegianGreek")));
    EXPECT_EQ(Native(QStringLiteral("SELECT count(*) FROM AllNorwegianGreek WHERE Lat = 'velkommen'")).toInt(), 2);
    EXPECT_EQ(Items(dialog->cboLangs), QStringList({QStringLiteral("Norwegian"), QStringLiteral("Swedish")}));
    EXPECT_EQ(dialog->cboLangs->currentText(), QStringLiteral("Swedish"));
    EXPECT_EQ(Items(dialog->cboUserAdded), QStringList({QStringLiteral("Norwegian")}));
    EXPECT_TRUE(dialog->cmdDelete->isEnabled());
    // The add fields are reset and the dialog's buttons work again.
    EXPECT_EQ(dialog->tbAddLang->text(), QStringLiteral("that uses a latin alphabet"));
    EXPECT_EQ(dialog->NewLang(), QString());
    EXPECT_TRUE(dialog->cmdApply->isEnabled());
    EXPECT_TRUE(dialog->cmdCancel->isEnabled());
}

TEST_F(FrmOptionsTest, RefusedNamesChangeNothingAndSayWhy)
{
    const QString long5000(5000, QLatin1Char('w'));
    for (const QString &name : {QStringLiteral("Old Norse"), QStringLiteral("Verbs"), QStringLiteral("English"),
                                QStringLiteral("Dan1sh"), QStringLiteral("it's"), QString::fromUtf8("Ελληνικά"),
                                long5000}) {
        const std::string trace = name.left(20).toStdString();
        messages.Clear();
        Add(name, QStringLiteral("hej"));
        ASSERT_EQ(messages.Messages().size(), 1) << trace;
        EXPECT_EQ(messages.Messages().first().style, winsys::vbExclamation) << trace;
        EXPECT_LT(messages.Messages().first().prompt.size(), 300) << trace;
        EXPECT_TRUE(dialog->cmdApply->isEnabled()) << trace;
        EXPECT_TRUE(dialog->cmdCancel->isEnabled()) << trace;
    }
    EXPECT_EQ(Native(QStringLiteral("SELECT count(*) FROM Languages")).toInt(), 1);

    // A blank name only returns to the box.
    messages.Clear();
    Add(QStringLiteral("   "), QStringLiteral("hej"));
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(FrmOptionsTest, TheLongestNameKeepsTheDialogOnTheScreen)
{
    const QString name = QStringLiteral("Wwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
    messages.Answer(winsys::vbYes);
    Add(name, QStringLiteral("hej"));
    ASSERT_TRUE(HasTable(QStringLiteral("Greek") + name));
    dialog->cboLangs->setCurrentIndex(dialog->cboLangs->findText(name));
    dialog->cboLangs_Click();
    dialog->adjustSize();
    EXPECT_LE(dialog->frameGeometry().width(), dialog->screen()->availableGeometry().width());
}

TEST_F(FrmOptionsTest, ADuplicateIsReportedAfterTheQuestionAndKeepsApplyAndCancelOff)
{
    messages.Answer(winsys::vbYes);
    Add(QStringLiteral("swedish"), QStringLiteral("välkommen"));
    ASSERT_EQ(messages.Messages().size(), 2);
    EXPECT_EQ(messages.Messages().at(1).prompt,
              QStringLiteral("The Swedish language is already present,\nand will not be added.\nAll other option "
                             "changes, if any, will be made effective!"));
    EXPECT_EQ(messages.Messages().at(1).style, winsys::vbCritical);
    EXPECT_FALSE(dialog->cmdApply->isEnabled());
    EXPECT_FALSE(dialog->cmdCancel->isEnabled());
    EXPECT_EQ(Native(QStringLiteral("SELECT count(*) FROM Languages")).toInt(), 1);
}

TEST_F(FrmOptionsTest, NotAnsweringYesResetsTheAddFieldsAndAddsNothing)
{
    messages.Answer(winsys::vbNo);
    Add(QStringLiteral("Danish"), QStringLiteral("velkommen"));
    EXPECT_FALSE(HasTable(QStringLiteral("GreekDanish")));
    EXPECT_EQ(dialog->tbAddLang->text(), QStringLiteral("that uses a latin alphabet"));
    EXPECT_EQ(dialog->tbWelCome->text(), QStringLiteral("welcome"));
    EXPECT_TRUE(dialog->cmdApply->isEnabled());
}

TEST_F(FrmOptionsTest, TheWelcomeWordIsTheOneInTheBoxNow)
{
    messages.Answer(winsys::vbYes);
    Add(QStringLiteral("swedish"), QStringLiteral("välkommen")); // refused as present
    messages.Answer(winsys::vbYes);
    Add(QStringLiteral("Danish"), QStringLiteral(""));
    EXPECT_TRUE(messages.Messages().last().prompt.contains(QStringLiteral("with the word \"\" for")));
    EXPECT_TRUE(HasTable(QStringLiteral("GreekDanish")));
    EXPECT_EQ(Native(QStringLiteral("SELECT count(*) FROM AllDanishGreek")).toInt(), 0);
}

TEST_F(FrmOptionsTest, DeletingAnAddedLanguageAsksWithItsPostsAndRemovesIt)
{
    messages.Answer(winsys::vbYes);
    Add(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
    messages.Clear();
    messages.Answer(winsys::vbYes);
    dialog->cmdDelete->click();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages().first().prompt,
              QStringLiteral("You want to delete the Norwegian language \nand it´s  2 posts from\nthe Tavrinel´s "
                             "database!"));
    EXPECT_EQ(messages.Messages().first().style, winsys::vbYesNo | winsys::vbCritical | winsys::vbDefaultButton2);
    EXPECT_FALSE(HasTable(QStringLiteral("GreekNorwegian")));
    EXPECT_FALSE(HasTable(QStringLiteral("AllNorwegianGreek")));
    EXPECT_EQ(Items(dialog->cboLangs), QStringList({QStringLiteral("Swedish")}));
    EXPECT_EQ(dialog->cboUserAdded->count(), 0);
    EXPECT_FALSE(dialog->cmdDelete->isEnabled());
    EXPECT_TRUE(dialog->cmdOK->isEnabled());
}

TEST_F(FrmOptionsTest, NoDoesNotDeleteAndTheLanguageInUseIsRefused)
{
    messages.Answer(winsys::vbYes);
    Add(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
    messages.Answer(winsys::vbNo);
    dialog->cmdDelete->click();
    EXPECT_TRUE(HasTable(QStringLiteral("GreekNorwegian")));

    // Choose Norwegian: it is then in use and cannot be deleted.
    dialog->cboLangs->setCurrentIndex(dialog->cboLangs->findText(QStringLiteral("Norwegian")));
    dialog->cboLangs_Click();
    EXPECT_EQ(dialog->cmdSelect->text(), QStringLiteral("Click to select Norwegian"));
    dialog->cmdSelect->click();
    EXPECT_EQ(tav::Opt3rdLang, QStringLiteral("Norwegian"));
    EXPECT_EQ(Native(QStringLiteral("SELECT [3rdLang] FROM Options")).toString(), QStringLiteral("Norwegian"));
    EXPECT_EQ(dialog->cmdSelect->text(), QStringLiteral("Norwegian is selected"));
    EXPECT_FALSE(dialog->cmdApply->isEnabled());
    EXPECT_FALSE(dialog->cmdCancel->isEnabled());
    EXPECT_EQ(link.PanelText(6), QStringLiteral("3:rd language= Norwegian  "));
    EXPECT_EQ(link.Count(QStringLiteral("JulGran")), 1);

    messages.Clear();
    dialog->cmdDelete->click();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages().first().prompt,
              QStringLiteral("You can Not delete a user added language that is in use as 3:rd language!\nIf you like "
                             "to delete it, You must first select another 3:rd language from the left list!"));
    EXPECT_EQ(messages.Messages().first().style, winsys::vbInformation);
    EXPECT_TRUE(HasTable(QStringLiteral("GreekNorwegian")));
}

// The maintenance buttons tell the user why their work failed, with the
// normal pointer, in the words the store gave.
TEST_F(FrmOptionsTest, AFailedMaintenanceCommandIsToldWithTheNormalPointer)
{
    struct Case {
        const char *name;
        QPushButton *tav::frmOptions::*button;
        std::function<void()> spoil;
        const char *said;
    };
    const QList<Case> cases = {
        {"gender fill-in", &tav::frmOptions::cmdGenus,
         [] {
             tav::WordDb->ExecNative(QStringLiteral("UPDATE Main SET Genus = 5 WHERE Art <> ''"));
             tav::WordDb->ExecNative(QStringLiteral("CREATE TRIGGER Refuse BEFORE UPDATE OF Genus ON Main "
                                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
         },
         "refused"},
        // Last: the file is gone afterwards.
        {"compaction", &tav::frmOptions::cmdKomprimera, [&] { QFile::remove(db.Path()); },
         "was deleted, moved or replaced"},
    };
    dialog->tbsOptions->setCurrentIndex(2); // "Maintenance"
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        class PointerWatch : public winsys::ScriptedMessages {
        public:
            int Show(const QString &prompt, int style, const QString &title) override
            {
                depths.append(winsys::PointerDepth());
                return ScriptedMessages::Show(prompt, style, title);
            }
            QList<int> depths;
        } messages;
        c.spoil();
        (dialog.get()->*c.button)->click();
        ASSERT_EQ(messages.Messages().size(), 1) << "nothing told";
        EXPECT_TRUE(messages.Messages()[0].prompt.contains(QString::fromUtf8(c.said)))
            << messages.Messages()[0].prompt.toStdString();
        EXPECT_EQ(messages.Messages()[0].title, winsys::AppTitle);
        EXPECT_EQ(messages.depths, QList<int>{0});
    }
}

// A language whose tables no longer answer is refused: the dialog says why
// and keeps the language in use.
TEST_F(FrmOptionsTest, ALanguageThatCannotBeSelectedIsToldAndTheOldOneStays)
{
    messages.Answer(winsys::vbYes);
    Add(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
    tav::WordDb->ExecNative(QStringLiteral("DROP TABLE GreekNorwegian"));
    dialog->cboLangs->setCurrentIndex(dialog->cboLangs->findText(QStringLiteral("Norwegian")));
    dialog->cboLangs_Click();
    messages.Clear();
    dialog->cmdSelect->click();
    ASSERT_EQ(messages.Messages().size(), 1) << messages.Prompts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(messages.Messages()[0].prompt.startsWith(QStringLiteral("The Norwegian language can not be selected")));
    EXPECT_EQ(messages.Messages()[0].style, winsys::vbCritical);
    EXPECT_EQ(tav::Opt3rdLang, QStringLiteral("Swedish"));
    EXPECT_EQ(dialog->cmdSelect->text(), QStringLiteral("Swedish is selected"));
}
