// The word-matching and verb-form tabs, driven as a user would, with the
// drops sent to the places as Qt drag events.
#include "ExerciseFixture.h"

#include "exercise/Exercise.h"
#include "exercise/TileBoxes.h"
#include "mainwindow/MDI.h"
#include "platform/winsys/UpDown.h"
#include "store/StoreQueries.h"

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace tavtest;

namespace {

using tav::Green;
using tav::Red;
using tav::White;

class ExerciseRoundsTest : public ExerciseWindowFixture {
protected:
    // Drags the tile onto the place as Qt delivers a drop; true when accepted.
    static bool Drop(QWidget *place, QMimeData *data)
    {
        const QPoint at = place->rect().center();
        QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(place, &enter);
        QDropEvent drop(QPointF(at), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(place, &drop);
        return drop.isAccepted();
    }
    // Drags matching tile `tile` (1-based, Greek side) onto row `row`.
    bool DragGreek(int tile, int row)
    {
        ex->tbMove_MouseDown(0, tile);
        std::unique_ptr<QMimeData> own(tav::TileMimeData(ex->rows[tile - 1].tbMoveGre->text(), ex));
        const bool accepted = Drop(ex->rows[row - 1].tbTestGre, own.get());
        ex->tbMove_OLECompleteDrag(0, tile);
        return accepted;
    }
    // The matching tile that carries the Greek word of row `row`.
    int TileFor(int row) const
    {
        for (int i = 1; i <= int(ex->rows.size()); ++i)
            if (!ex->rows[i - 1].tbMoveGre->text().isEmpty() &&
                ex->rows[i - 1].tbMoveGre->text() == ex->MatchRound().Text(row - 1))
                return i;
        return 0;
    }
    bool DragForm(int tile, int row)
    {
        ex->tbMoveGreR_MouseDown(tile);
        std::unique_ptr<QMimeData> own(tav::TileMimeData(ex->verbRows[tile - 1].tbMoveGreR->text(), ex));
        const bool accepted = Drop(ex->verbRows[row - 1].tbTestGreR, own.get());
        ex->tbMoveGreR_OLECompleteDrag(tile);
        return accepted;
    }
    int FormTileFor(int row) const
    {
        for (int i = 1; i <= 6; ++i)
            if (!ex->verbRows[i - 1].tbMoveGreR->text().isEmpty() &&
                ex->verbRows[i - 1].tbMoveGreR->text() == ex->VerbRound().Text(row - 1))
                return i;
        return 0;
    }
};

} // namespace

TEST_F(ExerciseRoundsTest, ARoundShowsItsWordsAndDealsShuffledTilesWithTheirClasses)
{
    KeepOnly({1, 2, 3, 10, 11});
    Open();
    ex->cmdTest_Click();
    ASSERT_EQ(ex->rows.size(), 5);
    QStringList greek;
    for (const auto &row : ex->rows)
        greek << row.tbGre->text();
    EXPECT_TRUE(greek.contains("h agavph"));   // with its article
    EXPECT_TRUE(greek.contains("agapavw"));    // without one: the word alone
    ex->cmdGo_Click(0);
    EXPECT_FALSE(ex->cmdGo[1]->isEnabled());
    EXPECT_FALSE(ex->UpAntal->isEnabled());
    ex->Form_Activate(); // activation leaves the deal as it is
    EXPECT_FALSE(ex->cmdGo[1]->isEnabled());
    QStringList tiles, tags;
    for (const auto &row : ex->rows) {
        EXPECT_FALSE(row.tbGre->isVisibleTo(ex->picRows));
        EXPECT_TRUE(row.tbTestGre->isVisibleTo(ex->picRows));
        tiles << row.tbMoveGre->text();
        tags << row.lblMove->text();
    }
    tiles.sort();
    greek.sort();
    EXPECT_EQ(tiles, greek);
    tags.sort();
    EXPECT_EQ(tags, QStringList({"Adj", "N", "N", "V", "V"}));
}

TEST_F(ExerciseRoundsTest, RightWrongAndForeignDropsOnTheirPlaces)
{
    Open();
    ex->cmdTest_Click();
    ex->cmdGo_Click(0);
    // A wrong drop: the row turns red, the tile keeps its text.
    const int tile = TileFor(1);
    ASSERT_GT(tile, 0);
    const QString word = ex->rows[tile - 1].tbMoveGre->text();
    EXPECT_TRUE(DragGreek(tile, 2));
    EXPECT_EQ(tav::BackOf(ex->rows[1].lblSvar), Red);
    EXPECT_TRUE(ex->rows[1].tbTestGre->text().isEmpty());
    EXPECT_EQ(ex->rows[tile - 1].tbMoveGre->text(), word);
    // The right drop: green, the word in the place and in the row's tag.
    EXPECT_TRUE(DragGreek(tile, 1));
    EXPECT_EQ(tav::BackOf(ex->rows[0].lblSvar), Green);
    EXPECT_EQ(ex->rows[0].tbTestGre->text(), word);
    EXPECT_TRUE(ex->rows[tile - 1].tbMoveGre->text().isEmpty());
    EXPECT_EQ(ex->rows[0].tbGre->property("Tag").toString(), QString::number(ex->ShownWordID));
    EXPECT_EQ(ex->MatchRound().Solved(), 1);
    // Text from another program is refused.
    QMimeData foreign;
    foreign.setText(ex->MatchRound().Text(2));
    EXPECT_FALSE(Drop(ex->rows[2].tbTestGre, &foreign));
    EXPECT_TRUE(ex->rows[2].tbTestGre->text().isEmpty());
    // Dealing again: the red row is white, the solved word is dealt no more.
    ex->cmdGo_Click(0);
    EXPECT_EQ(tav::BackOf(ex->rows[1].lblSvar), White);
    EXPECT_EQ(tav::BackOf(ex->rows[0].lblSvar), Green);
    for (const auto &row : ex->rows)
        EXPECT_NE(row.tbMoveGre->text(), word);
    EXPECT_FALSE(ex->rows[0].tbMoveGre->isEnabled());
}

TEST_F(ExerciseRoundsTest, FewerWordsThanPlacesDealOnlyTheWordsThereAre)
{
    KeepOnly({1, 2, 3});
    tav::OptNbrScribble = 5;
    Open();
    ex->cmdTest_Click();
    ex->cmdGo_Click(1);
    EXPECT_EQ(ex->MatchRound().Count(), 3);
    EXPECT_TRUE(ex->rows[2].tbMoveEng->isVisibleTo(ex->picRows));
    EXPECT_FALSE(ex->rows[3].tbMoveEng->isVisibleTo(ex->picRows));
    EXPECT_FALSE(ex->rows[4].tbEng->isVisibleTo(ex->picRows));
    // No words at all: nothing to deal.
    KeepOnly({});
    ex->cmdTest_Click();
    EXPECT_FALSE(ex->cmdGo[0]->isEnabled());
    ex->cmdGo_Click(0);
    EXPECT_EQ(ex->MatchRound().Count(), 0);
}

TEST_F(ExerciseRoundsTest, ChangingTheWordCountStartsARoundOfThatSize)
{
    Open();
    ex->cmdTest_Click();
    ex->UpAntal->StepDown();
    EXPECT_EQ(tav::OptNbrScribble, 4);
    EXPECT_EQ(ex->rows.size(), 4);
    EXPECT_EQ(db.Value("SELECT nbrScribble FROM Options").toInt(), 4);
    EXPECT_EQ(ex->findChild<QLineEdit *>("tbGre(5)"), nullptr);
    ex->UpAntal->StepUp();
    EXPECT_EQ(ex->rows.size(), 5);
    EXPECT_FALSE(ex->rows[4].tbGre->text().isEmpty());
}

TEST_F(ExerciseRoundsTest, APassiveClassShowsItsPassiveFormsAndTheRoundEndsAfterSixDrops)
{
    KeepOnly({19});
    Open();
    ex->ProcessExercise();
    EXPECT_EQ(ex->RimaVerbID, 19);
    EXPECT_EQ(ex->lblVoice->text(), "Passive");
    EXPECT_EQ(ex->verbRows[0].tbGreR->text(),
              db.Value("SELECT S1p FROM KonT1 WHERE ID = 19").toString());
    EXPECT_EQ(ex->tbEngR->text(), "struggle, fight, compete");
    ex->cmdGoR_Click();
    for (int row = 1; row <= 3; ++row)
        ASSERT_TRUE(DragForm(FormTileFor(row), row));
    EXPECT_EQ(ex->lblHit->text(), "3/6");
    EXPECT_EQ(ex->lblAction->text(), "3 forms in random order");
    EXPECT_EQ(ex->lblCorrect->text(), "3 of 6 forms in correct order");
    // A wrong drop turns its row red and leaves the form in the tile.
    const int tile = FormTileFor(4);
    DragForm(tile, 5);
    EXPECT_EQ(tav::BackOf(ex->verbRows[4].lblSvarR), Red);
    EXPECT_FALSE(ex->verbRows[tile - 1].tbMoveGreR->text().isEmpty());
    for (int row = 4; row <= 6; ++row)
        DragForm(FormTileFor(row), row);
    EXPECT_EQ(ex->lblCorrect->text(), "The correct order");
    EXPECT_FALSE(ex->cmdGoR->isEnabled());
    EXPECT_FALSE(ex->lblAction->isVisibleTo(ex));
}

TEST_F(ExerciseRoundsTest, ATenseChangeKeepsTheVerbOrDrawsOneWithACompleteRow)
{
    KeepOnly({5, 9});
    Open();
    ex->ProcessExercise();
    const long long verb = ex->RimaVerbID;
    ASSERT_TRUE(verb == 5 || verb == 9);
    ex->CboTempi->setCurrentIndex(3);
    ex->CboTempi_Click();
    EXPECT_EQ(ex->RimaVerbID, verb);
    EXPECT_EQ(ex->verbRows[0].tbGreR->text(),
              db.Value(QString("SELECT %1 FROM KonT4 WHERE ID = %2")
                           .arg(ex->lblVoice->text() == "Active" ? "S1a" : "S1p").arg(verb)).toString());
    // The verb has no full row in the simple past: the other verb is drawn.
    Exec(QString("UPDATE KonT2 SET S3a = '', S3p = '' WHERE ID = %1").arg(verb));
    ex->CboTempi->setCurrentIndex(1);
    ex->CboTempi_Click();
    EXPECT_EQ(ex->RimaVerbID, verb == 5 ? 9 : 5);
    // No verb with a full row at all: said, and the round is empty.
    Exec("UPDATE KonT2 SET S3a = '', S3p = ''");
    ex->CboTempi_Click();
    EXPECT_EQ(ex->RimaVerbID, 0);
    EXPECT_FALSE(ex->cmdGoR->isEnabled());
    EXPECT_FALSE(messages.Messages().isEmpty());
}

TEST_F(ExerciseRoundsTest, TheExerciseMenuOpensTheWindowOnItsTabAndClosingGivesTheToolbarBack)
{
    mdi->Exercises = tav::ExerciseWindowRoutines();
    mdi->mnuExParts[1]->trigger();
    auto *window = dynamic_cast<tav::Exercise *>(mdi->ExerciseInstance());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->tbsOptions->currentIndex(), 1);
    EXPECT_EQ(window->windowTitle(), "Exercise the modern way, check, mix, drag and drop.Click Random to start");
    EXPECT_EQ(window->MatchRound().Count(), 0); // shown, not dealt
    EXPECT_FALSE(window->rows[0].tbGre->text().isEmpty());
    EXPECT_NE(window->RimaVerbID, 0);
    EXPECT_EQ(window->opDbas[1]->text(), "errors in store (0)"); // activated
    EXPECT_TRUE(mdi->picToolbar->isHidden());
    // The same window takes the next start.
    mdi->mnuExParts[2]->trigger();
    EXPECT_EQ(mdi->ExerciseInstance(), window);
    EXPECT_EQ(window->tbsOptions->currentIndex(), 2);
    window->close();
    EXPECT_FALSE(mdi->picToolbar->isHidden());
}
