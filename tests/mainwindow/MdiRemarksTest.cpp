// The two remarks boxes of the main window: Enter stores the box's text as a
// remark of the word shown while a list or exercise window is active.

#include "MainWindowFixture.h"

#include "ExerciseStandIn.h"

#include "grids/GridStd.h"
#include "support/PaintCount.h"
#include "platform/winsys/TextBox.h"
#include "store/SharedState.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <functional>

using tavtest::MainWindowFixture;

namespace {

class RemarksFixture : public MainWindowFixture {
protected:
    // A list window of the words, active in the main window, on the
    // auxiliary's row, and the auxiliary shown in the grammar panel.
    void OpenList()
    {
        list = new tav::GridStd;
        list->SetRecordset(tav::WordDb->OpenRecordset(tav::SqlLang3));
        list->SetSqlText(tav::SqlLang3);
        list->SetCaption(QStringLiteral("list"));
        list->SetGridTag(QStringLiteral("2"));
        list->GridLangDep(0);
        list->Show();
        w->Control<QMdiArea>("mdiClient")
            ->setActiveSubWindow(w->Control<QMdiArea>("mdiClient")->subWindowList().last());
        ASSERT_EQ(w->ActiveForm(), list);
        id = NativeCount(QStringLiteral("SELECT ID FROM Main WHERE WT = 'cA'"));
        // The list's current row is the auxiliary's.
        for (int r = 1; r < list->Grid()->Rows(); ++r)
            if (list->Grid()->TextMatrix(r, 1) == QString::number(id))
                list->Grid()->SetRow(r);
        w->SmallFacts(id);
    }
    QString Stored(const QString &sql) { return Native(sql.arg(id)).toString(); }
    // Makes a row in the middle of the list's view current and its word the
    // one shown: the list is longer than its window, the rows above and below
    // the current one are in view. Returns the view's top row.
    int MiddleOfTheView()
    {
        flexgrid::FlexGrid &g = *list->Grid();
        const int top = 8;
        g.SetTopRow(top);
        g.SetRow(top + 3);
        id = g.TextMatrix(top + 3, 1).toLongLong();
        w->SmallFacts(id);
        EXPECT_EQ(g.TopRow(), top);
        EXPECT_FALSE(g.CellRect(top + 4, g.Col()).isEmpty()) << "the next row is in view";
        EXPECT_TRUE(g.CellRect(g.Rows() - 1, g.Col()).isEmpty()) << "the list is longer than its window";
        return top;
    }

    tav::GridStd *list = nullptr;
    long long id = 0;
};

} // namespace

TEST_F(RemarksFixture, EnterInTheFirstBoxStoresTheRemarkInMain)
{
    OpenList();
    w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("irregular, don't forget"));
    QTest::keyClick(w->Control<QTextEdit>("tbRem"), Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("irregular, don't forget"));
    EXPECT_EQ(w->Control<QTextEdit>("tbRem")->toPlainText(), QStringLiteral("irregular, don't forget"))
        << "the Enter is not typed";
    EXPECT_FALSE(tav::SaveBusy);
}

TEST_F(RemarksFixture, StoringARemarkFromEitherBoxKeepsTheListsView)
{
    OpenList();
    const int top = MiddleOfTheView();
    const int row = list->Grid()->Row();
    for (const char *name : {"tbRem", "tbRemG3"}) {
        SCOPED_TRACE(name);
        w->Control<QTextEdit>(name)->setPlainText(QStringLiteral("keep the view"));
        QTest::keyClick(w->Control<QTextEdit>(name), Qt::Key_Return);
        EXPECT_EQ(list->Grid()->Row(), row);
        EXPECT_EQ(list->Grid()->TopRow(), top) << "the row is in view: it is not scrolled to the top";
    }
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("keep the view"));
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM GreekSwedish WHERE ID = %1")), QStringLiteral("keep the view"));
}

TEST_F(RemarksFixture, BackFromTheGrammarPanelTheNextRowIsCurrentInTheSameView)
{
    OpenList();
    const int top = MiddleOfTheView();
    const int row = list->Grid()->Row();
    w->ReturnLista(false);
    EXPECT_EQ(list->Grid()->Row(), row + 1);
    EXPECT_EQ(list->Grid()->TopRow(), top) << "the next row is in view: it is not scrolled to the top";
}

TEST_F(RemarksFixture, TheSecondBoxWritesTheThirdLanguagesRemarkOrRemarks2WhenItIsHidden)
{
    OpenList();
    w->Control<QTextEdit>("tbRemG3")->setPlainText(QStringLiteral("oregelbunden"));
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM GreekSwedish WHERE ID = %1")), QStringLiteral("oregelbunden"));
    EXPECT_FALSE(tav::SaveBusy);

    tav::OptBoHide3 = true;
    w->SmallFacts(id); // the switch shows the word anew
    w->Control<QTextEdit>("tbRemG3")->setPlainText(QStringLiteral("second remark"));
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Enter);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks2 FROM Main WHERE ID = %1")), QStringLiteral("second remark"));
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM GreekSwedish WHERE ID = %1")), QStringLiteral("oregelbunden"));
    EXPECT_FALSE(tav::SaveBusy);
}

TEST_F(RemarksFixture, PastedLineBreaksAndTabsBecomeBlanksOtherControlCharactersAreRefused)
{
    OpenList();
    QTextEdit *first = w->Control<QTextEdit>("tbRem");
    QTextEdit *second = w->Control<QTextEdit>("tbRemG3");
    first->setPlainText(QStringLiteral("irregular\nin the\tpast\r\n"));
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("irregular in the past"));
    EXPECT_EQ(first->toPlainText(), QStringLiteral("irregular in the past")) << "the box shows what is stored";
    second->setPlainText(QStringLiteral("oregelbunden\ni\tdåtid"));
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM GreekSwedish WHERE ID = %1")), QStringLiteral("oregelbunden i dåtid"));
    EXPECT_TRUE(messages.Messages().isEmpty());

    // Another control character: a message, nothing stored, the box keeps it.
    for (QTextEdit *box : {first, second}) {
        messages.Clear();
        const QString pasted = QStringLiteral("bell\a and escape\x1b");
        box->setPlainText(pasted);
        QTest::keyClick(box, Qt::Key_Return);
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("control character")));
        EXPECT_EQ(box->toPlainText(), pasted);
        EXPECT_FALSE(tav::SaveBusy);
    }
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("irregular in the past"));
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM GreekSwedish WHERE ID = %1")), QStringLiteral("oregelbunden i dåtid"));
}

TEST_F(RemarksFixture, TheSecondBoxStoresForTheWordShownWhileAWindowWithoutAGridIsActive)
{
    // The exercise window has no grid: the remark is stored all the same.
    auto *exercise = new QWidget;
    w->AddChild(exercise);
    w->Control<QMdiArea>("mdiClient")->setActiveSubWindow(w->Control<QMdiArea>("mdiClient")->subWindowList().last());
    ASSERT_EQ(w->ActiveForm(), exercise);
    id = NativeCount(QStringLiteral("SELECT ID FROM Main WHERE WT = 'cA'"));
    w->SmallFacts(id);
    w->Control<QTextEdit>("tbRemG3")->setPlainText(QStringLiteral("oregelbunden"));
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM GreekSwedish WHERE ID = %1")), QStringLiteral("oregelbunden"));
    EXPECT_EQ(w->Control<QTextEdit>("tbRemG3")->toPlainText(), QStringLiteral("oregelbunden"))
        << "the Enter is not typed";
    EXPECT_FALSE(tav::SaveBusy);

    tav::OptBoHide3 = true;
    w->SmallFacts(id); // the switch shows the word anew
    w->Control<QTextEdit>("tbRemG3")->setPlainText(QStringLiteral("second remark"));
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks2 FROM Main WHERE ID = %1")), QStringLiteral("second remark"));
    EXPECT_FALSE(tav::SaveBusy);

    // No word shown: nothing changes.
    w->ShowWordID(0);
    w->Control<QTextEdit>("tbRemG3")->setPlainText(QStringLiteral("lost?"));
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks2 FROM Main WHERE ID = %1")), QStringLiteral("second remark"));
    EXPECT_FALSE(tav::SaveBusy);
}

TEST_F(RemarksFixture, TheFirstBoxHandsTheRemarkToTheActiveExerciseWindow)
{
    w->Exercises = tav::StandInExerciseRoutines();
    w->mnuExParts_Click(0);
    auto *exercise = static_cast<tav::ExerciseStandIn *>(w->ExerciseInstance());
    ASSERT_NE(exercise, nullptr);
    ASSERT_EQ(w->ActiveForm(), exercise);
    w->SmallFacts(7);
    w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("irregular"));
    QTest::keyClick(w->Control<QTextEdit>("tbRem"), Qt::Key_Return);
    EXPECT_EQ(exercise->Calls().last(), QStringLiteral("GetPos(7, irregular, 12)"));
    EXPECT_FALSE(tav::SaveBusy);

    // A list window active instead: the list stores it, the exercise window hears nothing.
    OpenList();
    const qsizetype heard = exercise->Calls().size();
    w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("in the list"));
    QTest::keyClick(w->Control<QTextEdit>("tbRem"), Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("in the list"));
    EXPECT_EQ(exercise->Calls().size(), heard);
}

TEST_F(RemarksFixture, WithoutAWordOrAListWindowEnterChangesNothingAndTheBoxesKeepWorking)
{
    // No child window at all.
    w->SmallFacts(5);
    w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("a"));
    QTest::keyClick(w->Control<QTextEdit>("tbRem"), Qt::Key_Return);
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Return);
    EXPECT_FALSE(tav::SaveBusy);
    EXPECT_EQ(w->Control<QTextEdit>("tbRem")->toPlainText(), QStringLiteral("a"));
    EXPECT_EQ(Native(QStringLiteral("SELECT count(*) FROM Main WHERE Remarks = 'a'")).toInt(), 0);

    // A list window, but no word shown yet (opening it shows its first word).
    OpenList();
    w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("a"));
    w->ShowWordID(0);
    QTest::keyClick(w->Control<QTextEdit>("tbRem"), Qt::Key_Return);
    QTest::keyClick(w->Control<QTextEdit>("tbRemG3"), Qt::Key_Return);
    EXPECT_FALSE(tav::SaveBusy);
    EXPECT_EQ(Native(QStringLiteral("SELECT count(*) FROM Main WHERE Remarks = 'a'")).toInt(), 0);

    // And the boxes still store once a word is shown.
    w->SmallFacts(id);
    w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("a"));
    QTest::keyClick(w->Control<QTextEdit>("tbRem"), Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("a"));
}

// A remark belongs to the word the grammar panel shows, whatever status
// panel 3 says: another wording, another number or nothing there changes
// neither Enter nor the store when the window closes.
TEST_F(RemarksFixture, ARemarkIsStoredForTheWordShownWhateverPanelThreeSays)
{
    OpenList();
    const long long other = NativeCount(QStringLiteral("SELECT min(ID) FROM Main WHERE ID <> %1").arg(id));
    QTextEdit *first = w->Control<QTextEdit>("tbRem");
    QTextEdit *second = w->Control<QTextEdit>("tbRemG3");
    const QString panels[] = {QStringLiteral("Word %1").arg(id), QStringLiteral("ID %1").arg(other), QString()};
    int n = 0;
    for (const QString &panel : panels) {
        SCOPED_TRACE(panel.toStdString());
        const QString remark = QStringLiteral("remark %1").arg(++n);
        for (QTextEdit *box : {first, second}) {
            w->SetPanelText(3, panel);
            box->setPlainText(remark);
            QTest::keyClick(box, Qt::Key_Return);
        }
        EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), remark);
        EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM GreekSwedish WHERE ID = %1")), remark);
    }

    // Typed without Enter: closing the window stores it for the same word.
    w->SetPanelText(3, panels[0]);
    first->moveCursor(QTextCursor::End);
    QTest::keyClicks(first, QStringLiteral(" kept"));
    w->Control<QMdiArea>("mdiClient")->subWindowList().last()->close();
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("remark 3 kept"));
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM Main WHERE substr(Remarks, 1, 6) = 'remark'")), 1)
        << "no other word got a remark";
}

TEST_F(RemarksFixture, AnEnterWhileARemarkIsStoredIsLeftToTheBox)
{
    OpenList();
    w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("x"));
    tav::SaveBusy = true;
    int KeyAscii = 13;
    w->tbRem_KeyPress(KeyAscii);
    EXPECT_EQ(KeyAscii, 13) << "not handled: the box takes it as typed text";
    w->tbRemG3_KeyPress(KeyAscii);
    EXPECT_EQ(KeyAscii, 13);
    EXPECT_NE(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("x"));
    tav::SaveBusy = false;
    w->tbRem_KeyPress(KeyAscii);
    EXPECT_EQ(KeyAscii, 0);
    EXPECT_EQ(Stored(QStringLiteral("SELECT Remarks FROM Main WHERE ID = %1")), QStringLiteral("x"));
}

TEST_F(RemarksFixture, BothBoxesSurviveAPasteOfClipboardDataWithoutFormats)
{
    OpenList();
    for (QTextEdit *box : {w->Control<QTextEdit>("tbRem"), w->Control<QTextEdit>("tbRemG3")}) {
        SCOPED_TRACE(box->objectName().toStdString());
        auto *guarded = qobject_cast<winsys::TextBox *>(box);
        ASSERT_NE(guarded, nullptr) << "every multi-line box pastes through the guard";
        box->setPlainText(QStringLiteral("a remark"));
        box->moveCursor(QTextCursor::End);
        QMimeData empty;
        guarded->insertFromMimeData(&empty);
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->toPlainText(), QStringLiteral("a remark"));
    }
    QGuiApplication::clipboard()->clear();
}

// From a word to the next with the same remarks (none) the boxes are not
// painted again, and each is left as a new word leaves it: unmodified,
// nothing to undo.
TEST_F(RemarksFixture, TheSameRemarksAgainLeaveTheBoxesUnpaintedAndFresh)
{
    OpenList();
    flexgrid::FlexGrid &g = *list->Grid();
    auto withoutRemarks = [&](int row) {
        return NativeCount(QStringLiteral("SELECT count(*) FROM Main JOIN GreekSwedish ON GreekSwedish.ID = Main.ID "
                                          "WHERE Main.ID = %1 AND ifnull(Main.Remarks, '') = '' "
                                          "AND ifnull(GreekSwedish.Remarks, '') = ''")
                               .arg(g.TextMatrix(row, 1))) == 1;
    };
    int row = 2;
    while (row + 1 < g.Rows() && !(withoutRemarks(row) && withoutRemarks(row + 1)))
        ++row;
    ASSERT_LT(row + 1, g.Rows());
    g.SetRow(row - 1);
    g.setFocus();
    QTest::keyClick(&g, Qt::Key_Down);
    QCoreApplication::processEvents();
    ASSERT_EQ(g.Row(), row);

    auto *first = w->Control<QTextEdit>("tbRem");
    auto *second = w->Control<QTextEdit>("tbRemG3");
    first->insertPlainText(QStringLiteral("x"));
    first->textCursor().deletePreviousChar();
    ASSERT_TRUE(first->toPlainText().isEmpty());
    ASSERT_TRUE(first->document()->isModified());
    ASSERT_TRUE(first->document()->isUndoAvailable());
    QCoreApplication::processEvents();

    tavtest::PaintCount paints(first->viewport());
    paints.watch(second->viewport());
    QTest::keyClick(&g, Qt::Key_Down);
    QCoreApplication::processEvents();
    ASSERT_EQ(g.Row(), row + 1);
    EXPECT_EQ(paints.count, 0);
    EXPECT_FALSE(first->document()->isModified());
    EXPECT_FALSE(first->document()->isUndoAvailable());
    EXPECT_EQ(first->textCursor().position(), 0);
}

// Text typed into a remarks box and not yet stored with Enter belongs to the
// word it was typed for: showing another word, by the list's arrow key or as
// the exercise does (the new ID first, then its facts), or no word, stores it
// first instead of writing the next word's remarks over it.
TEST_F(RemarksFixture, TypedRemarksAreStoredBeforeAnotherWordIsShown)
{
    OpenList();
    flexgrid::FlexGrid &g = *list->Grid();
    const struct {
        const char *box;
        const char *table;
    } boxes[] = {{"tbRem", "Main"}, {"tbRemG3", "GreekSwedish"}};
    const struct {
        const char *how;
        std::function<void(long long next)> show;
    } moves[] = {
        {"Down in the list",
         [&](long long) {
             g.setFocus();
             QTest::keyClick(&g, Qt::Key_Down);
         }},
        {"the exercise's next word",
         [&](long long next) {
             w->ShowWordID(next);
             w->SmallFacts(next);
         }},
        {"no word", [&](long long) { w->BaseFrase(); }},
    };
    int n = 0;
    for (const auto &box : boxes) {
        for (const auto &move : moves) {
            SCOPED_TRACE(std::string(box.box) + ", " + move.how);
            g.SetRow(2 + n);
            const long long typedFor = g.TextMatrix(g.Row(), 1).toLongLong();
            const long long next = g.TextMatrix(g.Row() + 1, 1).toLongLong();
            w->SmallFacts(typedFor);
            auto *edit = w->Control<QTextEdit>(box.box);
            edit->setFocus();
            const QString remark = QStringLiteral("typed %1").arg(++n);
            edit->selectAll();
            QTest::keyClicks(edit, remark);
            move.show(next);
            QCoreApplication::processEvents();
            EXPECT_EQ(Native(QStringLiteral("SELECT Remarks FROM %1 WHERE ID = %2").arg(box.table).arg(typedFor))
                          .toString(),
                      remark);
            EXPECT_NE(Native(QStringLiteral("SELECT ifnull(Remarks, '') FROM %1 WHERE ID = %2")
                                 .arg(box.table)
                                 .arg(next))
                          .toString(),
                      remark)
                << "the next word keeps its own remark";
            EXPECT_FALSE(edit->document()->isModified());
        }
    }
}
