// The drag exercises played with the keyboard only: Space or Enter picks a
// tile, the arrows or Tab reach a place, Space or Enter places the tile and
// the drop is judged as one made with the mouse.
#include "ExerciseFixture.h"

#include "exercise/Exercise.h"
#include "exercise/TileBoxes.h"
#include "mainwindow/MDI.h"
#include "platform/winsys/UpDown.h"
#include "store/SharedState.h"

#include <QApplication>
#include <QLabel>
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>

using namespace tavtest;

namespace {

using tav::Blue;
using tav::Green;
using tav::Red;
using tav::White;

class ExerciseKeyboardTest : public ExerciseWindowFixture {
protected:
    // Opens the window on the tab, shown and active.
    void OpenOn(int tab)
    {
        Open();
        ex->findChild<QTabWidget *>(QStringLiteral("tbsOptions"))->setCurrentIndex(tab);
        mdi->resize(800, 560);
        mdi->show();
        QApplication::setActiveWindow(mdi.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(mdi.get()));
    }
    static QWidget *Focus() { return QApplication::focusWidget(); }
    static void Key(Qt::Key key) { QTest::keyClick(Focus(), key); }
    int MatchTileFor(int row) const
    {
        for (int i = 1; i <= int(probe().rows.size()); ++i)
            if (!probe().rows[i - 1].tbMoveGre->text().isEmpty() &&
                probe().rows[i - 1].tbMoveGre->text() == ex->MatchRound().Text(row - 1))
                return i;
        return 0;
    }
    int FormTileFor(int row) const
    {
        for (int i = 1; i <= int(probe().verbRows.size()); ++i)
            if (!probe().verbRows[i - 1].tbMoveGreR->text().isEmpty() &&
                probe().verbRows[i - 1].tbMoveGreR->text() == ex->VerbRound().Text(row - 1))
                return i;
        return 0;
    }
};

} // namespace

TEST_F(ExerciseKeyboardTest, MatchWordsIsPlayedWithSpaceEnterAndTheArrows)
{
    OpenOn(1);
    ex->cmdTest_Click();
    ex->cmdGo_Click(0);
    const int tile = MatchTileFor(1);
    ASSERT_GT(tile, 0);
    const QString word = probe().rows[tile - 1].tbMoveGre->text();

    // Picked: its marker turns blue, as when a drag starts.
    probe().rows[tile - 1].tbMoveGre->setFocus();
    Key(Qt::Key_Space);
    EXPECT_EQ(tav::BackOf(probe().rows[tile - 1].lblMove), Blue);
    // To the place of row 2 and placed there: wrong, as that drop would be.
    probe().rows[0].tbTestGre->setFocus();
    Key(Qt::Key_Down);
    ASSERT_EQ(Focus(), probe().rows[1].tbTestGre);
    Key(Qt::Key_Return);
    EXPECT_EQ(tav::BackOf(probe().rows[1].lblSvar), Red);
    EXPECT_TRUE(probe().rows[1].tbTestGre->text().isEmpty());
    EXPECT_EQ(probe().rows[tile - 1].tbMoveGre->text(), word) << "the tile keeps its word";
    EXPECT_EQ(tav::BackOf(probe().rows[tile - 1].lblMove), White);
    // Nothing is picked now: Enter on a place does nothing.
    Key(Qt::Key_Up);
    ASSERT_EQ(Focus(), probe().rows[0].tbTestGre);
    Key(Qt::Key_Return);
    EXPECT_EQ(tav::BackOf(probe().rows[0].lblSvar), White);

    // Picked again and placed on its own row: right.
    probe().rows[tile - 1].tbMoveGre->setFocus();
    Key(Qt::Key_Return);
    probe().rows[0].tbTestGre->setFocus();
    Key(Qt::Key_Space);
    EXPECT_EQ(tav::BackOf(probe().rows[0].lblSvar), Green);
    EXPECT_EQ(probe().rows[0].tbTestGre->text(), word);
    EXPECT_TRUE(probe().rows[tile - 1].tbMoveGre->text().isEmpty());
    EXPECT_EQ(ex->MatchRound().Solved(), 1);

    // Esc puts a picked tile back without judging anything.
    const int other = MatchTileFor(3);
    ASSERT_GT(other, 0);
    probe().rows[other - 1].tbMoveGre->setFocus();
    Key(Qt::Key_Space);
    ASSERT_EQ(tav::DragTile::Picked(), probe().rows[other - 1].tbMoveGre);
    probe().rows[2].tbTestGre->setFocus();
    Key(Qt::Key_Escape);
    EXPECT_EQ(tav::DragTile::Picked(), nullptr);
    Key(Qt::Key_Space);
    EXPECT_EQ(tav::BackOf(probe().rows[2].lblSvar), White);
    EXPECT_EQ(ex->MatchRound().Solved(), 1);
}

TEST_F(ExerciseKeyboardTest, VerbFormsAreSortedWithTheKeyboardToTheEndOfTheRound)
{
    KeepOnly({19});
    OpenOn(2);
    ex->ProcessExercise();
    ex->cmdGoR_Click();
    // A wrong placement first: row 5 for the form of row 4.
    int tile = FormTileFor(4);
    ASSERT_GT(tile, 0);
    probe().verbRows[tile - 1].tbMoveGreR->setFocus();
    Key(Qt::Key_Enter);
    probe().verbRows[4].tbTestGreR->setFocus();
    Key(Qt::Key_Enter);
    EXPECT_EQ(tav::BackOf(probe().verbRows[4].lblSvarR), Red);
    EXPECT_FALSE(probe().verbRows[tile - 1].tbMoveGreR->text().isEmpty());
    for (int row = 1; row <= 6; ++row) {
        tile = FormTileFor(row);
        ASSERT_GT(tile, 0) << row;
        probe().verbRows[tile - 1].tbMoveGreR->setFocus();
        Key(Qt::Key_Space);
        probe().verbRows[row - 1].tbTestGreR->setFocus();
        Key(Qt::Key_Space);
        EXPECT_EQ(tav::BackOf(probe().verbRows[row - 1].lblSvarR), Green) << row;
    }
    EXPECT_EQ(probe().lblCorrect->text(), "The correct order");
    EXPECT_FALSE(probe().cmdGoR->isEnabled());
}

// In a window too small for the rows only the rows scroll: the buttons above
// them stay in sight whichever row is shown.
TEST_F(ExerciseKeyboardTest, OnlyTheRowsScrollAndTheButtonsStayInSight)
{
    tav::OptNbrScribble = 10;
    OpenOn(1);
    ex->parentWidget()->setGeometry(0, 0, 520, 300);
    ex->cmdTest_Click();
    ex->cmdGo_Click(0);
    auto scrollOf = [](QWidget *w) {
        for (QWidget *up = w->parentWidget(); up; up = up->parentWidget())
            if (auto *area = qobject_cast<QScrollArea *>(up))
                return area;
        return static_cast<QScrollArea *>(nullptr);
    };
    QScrollArea *rows = scrollOf(probe().rows.last().tbTestGre);
    ASSERT_NE(rows, nullptr);
    rows->ensureWidgetVisible(probe().rows.last().tbTestGre);
    QTest::qWait(20);
    EXPECT_FALSE(probe().rows.last().tbTestGre->visibleRegion().isEmpty());
    for (QWidget *control : {static_cast<QWidget *>(probe().cmdTest), static_cast<QWidget *>(probe().cmdGo[0]),
                             static_cast<QWidget *>(probe().UpAntal)})
        EXPECT_FALSE(control->visibleRegion().isEmpty()) << control->objectName().toStdString();

    KeepOnly({19});
    ex->SelectTab(3);
    ex->ProcessExercise();
    ex->parentWidget()->setGeometry(0, 0, 520, 200);
    QTest::qWait(20);
    QScrollArea *forms = scrollOf(probe().verbRows.last().tbGreR);
    ASSERT_NE(forms, nullptr);
    forms->ensureWidgetVisible(probe().verbRows.last().tbGreR);
    QTest::qWait(20);
    for (QWidget *control : {static_cast<QWidget *>(probe().cmdTestR), static_cast<QWidget *>(probe().cmdGoR),
                             static_cast<QWidget *>(probe().CboTempi)})
        EXPECT_FALSE(control->visibleRegion().isEmpty()) << control->objectName().toStdString();
}
