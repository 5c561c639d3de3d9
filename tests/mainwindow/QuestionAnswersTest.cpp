// Every question the program asks while it runs, answered by Esc, the close
// box, Enter and a SIGTERM (a logout) on the real message box: what each
// leaves stored. Esc, the close box and a signal give the answer that changes
// nothing; a question with no such answer stays open on Esc and the close
// box, and a signal leaves the data as it is.

#include "support/ExerciseProbe.h"
#include "support/GrammarPanelProbe.h"
#include "MainWindowFixture.h"
#include "support/AnswerBox.h"
#include "support/ListCellTyping.h"
#include "support/PanelTyping.h"
#include "support/OneWordLists.h"

#include "exercise/Exercise.h"
#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/winsys/VbKeys.h"
#include "mainwindow/FrmOptions.h"
#include "mainwindow/MdiExerciseHost.h"
#include "store/Dynasets.h"
#include "platform/dao/Dao.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "store/ThirdLanguages.h"
#include "exercise/rounds/WrongStore.h"
#include "store/StoreQueries.h"

#include <QComboBox>
#include <QRadioButton>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <functional>

using tavtest::AnswerBox;
using tavtest::MainWindowFixture;
using tavtest::Way;

namespace {

class QuestionAnswers : public MainWindowFixture {
public:
    using MainWindowFixture::w;
    static tav::GridStd *OpenStd(long long id) { return tavtest::OpenStdList(id); }
    static tav::GridSimple *OpenSimple(long long id) { return tavtest::OpenSimpleList(id); }
    tav::Exercise *OpenExercise()
    {
        m_exerciseHost = std::make_unique<tav::MdiExerciseHost>(*w);
        auto *ex = new tav::Exercise(*m_exerciseHost);
        w->AddChild(*ex);
        ex->Form_Activate();
        return ex;
    }
    QString Stored(const QString &sql) const { return Native(sql).toString(); }
    void Empty(const QString &table) { tav::WordDb->ExecNative(QStringLiteral("DELETE FROM ") + table); }
    void TearDown() override
    {
        m_options.reset();
        MainWindowFixture::TearDown();
        m_exerciseHost.reset();
    }

    std::unique_ptr<tav::MdiExerciseHost> m_exerciseHost;
    std::unique_ptr<tav::frmOptions> m_options;
};

// Which ways of answering a question change what it is about.
struct Changes {
    bool esc, closeBox, signal, enter;
    bool forWay(Way way) const
    {
        switch (way) {
        case Way::Esc: return esc;
        case Way::CloseBox: return closeBox;
        case Way::Enter: return enter;
        case Way::Signal: return signal;
        }
        return false;
    }
};

TEST_F(QuestionAnswers, EscTheCloseBoxEnterAndASignalLeaveWhatEachQuestionSays)
{
    const struct {
        const char *question;
        // Makes what the question needs and returns what asks it.
        std::function<std::function<void()>(QuestionAnswers &)> setUp;
        int which;             // the box of the question among those shown (0 the first)
        bool hasSafeAnswer;    // false: Esc and the close box leave the box open
        int fallback;          // answers a box left open
        const char *storedSql; // what the question is about
        Changes changes;
    } questions[] = {
        {"the store of wrong answers is full (Yes practises it, No empties it)",
         [](QuestionAnswers &t) -> std::function<void()> {
             // A word stored before; a wrong answer on another word fills
             // the store.
             t.Empty(QStringLiteral("WrongIDs"));
             tav::StoreWrongAnswer(5, QDateTime::currentDateTime());
             tav::OptNbrWrongs = 2;
             tav::Exercise *ex = t.OpenExercise();
             tavtest::ExProbe(ex).opDbas[0]->setChecked(true);
             do
                 ex->cmdReset_Click();
             while (tav::CurrentWordID == 5);
             return [ex] {
                 ex->txtFields(2)->setText(QStringLiteral("a wrong answer"));
                 QTest::keyClick(ex->txtFields(2), Qt::Key_Return);
             };
         },
         0, false, winsys::vbYes, "SELECT COUNT(*) FROM WrongIDs WHERE ID = 5", {false, false, false, false}},
        {"flush the store of wrong answers",
         [](QuestionAnswers &t) -> std::function<void()> {
             t.Empty(QStringLiteral("WrongIDs"));
             tav::StoreWrongAnswer(5, QDateTime::currentDateTime());
             tav::Exercise *ex = t.OpenExercise();
             return [ex] { ex->CmdFlush_Click(); };
         },
         0, true, 0, "SELECT COUNT(*) FROM WrongIDs", {false, false, false, false}},
        {"delete a word",
         [](QuestionAnswers &t) -> std::function<void()> {
             tav::GridStd *list = t.OpenStd(52);
             tavtest::TypeInListCell(*list, 1, 4, QString());
             list->KeyDownEdits(winsys::vbKeyEscape);
             return [list] { list->FlexDelete(); };
         },
         0, true, 0, "SELECT COUNT(*) FROM Main WHERE ID = 52", {false, false, false, false}},
        {"store an article without gender",
         [](QuestionAnswers &t) -> std::function<void()> {
             tav::GridStd *list = t.OpenStd(2);
             return [list] { tavtest::EditListCell(*list, 1, 3, QString()); };
         },
         0, true, 0, "SELECT Genus || '/' || Art FROM Main WHERE ID = 2", {false, false, false, false}},
        {"add another meaning in a simple list (OK adds it)",
         [](QuestionAnswers &t) -> std::function<void()> {
             tav::GridSimple *list = t.OpenSimple(7);
             const QString typed = list->Grid()->TextMatrix(1, 2) + QStringLiteral(", calf");
             return [list, typed] { tavtest::EditListCell(*list, 1, 2, typed); };
         },
         0, true, 0, "SELECT English FROM Main WHERE ID = 7", {false, false, false, true}},
        {"empty a verb's active form",
         [](QuestionAnswers &t) -> std::function<void()> {
             t.OpenStd(5);
             t.w->SmallFacts(5, QString(), 0);
             QLineEdit *box = tavtest::PanelProbe(t.w->Grammar()).tbAP;
             return [box] {
                 box->clear();
                 QTest::keyClick(box, Qt::Key_Return);
             };
         },
         0, true, 0, "SELECT AP FROM Main WHERE ID = 5", {false, false, false, false}},
        {"empty a stored declension form",
         [](QuestionAnswers &t) -> std::function<void()> {
             t.OpenStd(2);
             t.w->SmallFacts(2, QString(), 0);
             tav::GrammarPanel &panel = t.w->Grammar();
             tavtest::TypeInPanelCell(panel, *panel.FormsGrid(), *tavtest::PanelProbe(panel).tbN, 2, 2, QString());
             return [&panel] {
                 panel.KeyDownEdits(*panel.FormsGrid(), *tavtest::PanelProbe(panel).tbN, winsys::vbKeyReturn);
             };
         },
         0, true, 0, "SELECT sFAck FROM Klino WHERE ID = 2", {false, false, false, false}},
        {"discard a refused text and close its list",
         [](QuestionAnswers &t) -> std::function<void()> {
             tav::GridStd *list = t.OpenStd(352);
             tavtest::TypeInListCell(*list, 1, 3, QStringLiteral("ab"));
             QMdiSubWindow *sub = t.w->Control<QMdiArea>("mdiClient")->subWindowList().last();
             return [sub] { sub->close(); };
         },
         1, true, 0,
         "SELECT Art || '/' || (SELECT COUNT(*) FROM Main WHERE ID = 352) FROM Main WHERE ID = 352",
         {false, false, false, false}},
        {"add a language",
         [](QuestionAnswers &t) -> std::function<void()> {
             t.m_options = std::make_unique<tav::frmOptions>(t.w.get());
             t.m_options->show();
             t.m_options->tbsOptions->setCurrentIndex(1);
             t.m_options->tbAddLang->setText(QStringLiteral("norwegian"));
             t.m_options->tbWelCome->setText(QStringLiteral("velkommen"));
             tav::frmOptions *dialog = t.m_options.get();
             return [dialog] { dialog->cmdAdd->click(); };
         },
         0, true, 0, "SELECT COUNT(*) FROM Languages WHERE Name = 'Norwegian'", {false, false, false, true}},
        {"delete a language",
         [](QuestionAnswers &t) -> std::function<void()> {
             if (!tav::LanguageExists(QStringLiteral("Norwegian")))
                 tav::AddThirdLanguage(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
             t.m_options = std::make_unique<tav::frmOptions>(t.w.get());
             t.m_options->show();
             t.m_options->tbsOptions->setCurrentIndex(1);
             t.m_options->cboUserAdded->setCurrentIndex(t.m_options->cboUserAdded->findText(QStringLiteral("Norwegian")));
             tav::frmOptions *dialog = t.m_options.get();
             return [dialog] { dialog->cmdDelete_Click(); };
         },
         0, true, 0, "SELECT COUNT(*) FROM Languages WHERE Name = 'Norwegian'", {false, false, false, false}},
    };
    for (const auto &q : questions) {
        // Enter last: it may change what the question is about.
        for (const Way way : {Way::Esc, Way::CloseBox, Way::Signal, Way::Enter}) {
            SCOPED_TRACE(std::string(q.question) + " x " + tavtest::WayName(way));
            TearDown();
            SetUp();
            const std::function<void()> ask = q.setUp(*this);
            const QString before = Stored(QString::fromLatin1(q.storedSql));
            const tavtest::BoxRun run = AnswerBox(way, q.which, q.fallback, ask);
            EXPECT_GT(run.shown, q.which) << "the question was asked";
            EXPECT_EQ(run.stayedOpen, !q.hasSafeAnswer && (way == Way::Esc || way == Way::CloseBox))
                << run.prompt.toStdString();
            if (way == Way::Signal) {
                EXPECT_TRUE(run.ended) << "a signal ends the program";
            }
            const QString after = Stored(QString::fromLatin1(q.storedSql));
            EXPECT_EQ(after != before, q.changes.forWay(way)) << before.toStdString() << " -> " << after.toStdString();
        }
    }
}

} // namespace
