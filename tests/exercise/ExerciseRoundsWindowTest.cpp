// The word-matching and verb-form tabs, driven as a user would, with the
// drops sent to the places as Qt drag events.
#include "ExerciseFixture.h"

#include "exercise/Exercise.h"
#include "exercise/DragAutoScroll.h"
#include "exercise/TileBoxes.h"
#include "mainwindow/MDI.h"
#include "platform/font/GreekKeys.h"
#include "platform/winsys/UpDown.h"
#include "store/StoreQueries.h"
#include "support/EventWait.h"

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

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
        std::unique_ptr<QMimeData> own(tav::TileMimeData(probe().rows[tile - 1].tbMoveGre->text(), ex));
        const bool accepted = Drop(probe().rows[row - 1].tbTestGre, own.get());
        ex->tbMove_OLECompleteDrag(0, tile);
        return accepted;
    }
    // The matching tile that carries the Greek word of row `row`.
    int TileFor(int row) const
    {
        for (int i = 1; i <= int(probe().rows.size()); ++i)
            if (!probe().rows[i - 1].tbMoveGre->text().isEmpty() &&
                probe().rows[i - 1].tbMoveGre->text() == ex->MatchRound().Text(row - 1))
                return i;
        return 0;
    }
    bool DragForm(int tile, int row)
    {
        ex->tbMoveGreR_MouseDown(tile);
        std::unique_ptr<QMimeData> own(tav::TileMimeData(probe().verbRows[tile - 1].tbMoveGreR->text(), ex));
        const bool accepted = Drop(probe().verbRows[row - 1].tbTestGreR, own.get());
        ex->tbMoveGreR_OLECompleteDrag(tile);
        return accepted;
    }
    int FormTileFor(int row) const
    {
        for (int i = 1; i <= 6; ++i)
            if (!probe().verbRows[i - 1].tbMoveGreR->text().isEmpty() &&
                probe().verbRows[i - 1].tbMoveGreR->text() == ex->VerbRound().Text(row - 1))
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
    ASSERT_EQ(probe().rows.size(), 5);
    QStringList greek;
    for (const auto &row : probe().rows)
        greek << row.tbGre->text();
    EXPECT_TRUE(greek.contains("h agavph"));   // with its article
    EXPECT_TRUE(greek.contains("agapavw"));    // without one: the word alone
    ex->cmdGo_Click(0);
    EXPECT_FALSE(probe().cmdGo[1]->isEnabled());
    EXPECT_FALSE(probe().UpAntal->isEnabled());
    ex->Form_Activate(); // activation leaves the deal as it is
    EXPECT_FALSE(probe().cmdGo[1]->isEnabled());
    QStringList tiles, tags;
    for (const auto &row : probe().rows) {
        EXPECT_FALSE(row.tbGre->isVisibleTo(probe().picRows));
        EXPECT_TRUE(row.tbTestGre->isVisibleTo(probe().picRows));
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
    const QString word = probe().rows[tile - 1].tbMoveGre->text();
    EXPECT_TRUE(DragGreek(tile, 2));
    EXPECT_EQ(tav::BackOf(probe().rows[1].lblSvar), Red);
    EXPECT_TRUE(probe().rows[1].tbTestGre->text().isEmpty());
    EXPECT_EQ(probe().rows[tile - 1].tbMoveGre->text(), word);
    // The right drop: green, the word in the place and in the row's tag.
    EXPECT_TRUE(DragGreek(tile, 1));
    EXPECT_EQ(tav::BackOf(probe().rows[0].lblSvar), Green);
    EXPECT_EQ(probe().rows[0].tbTestGre->text(), word);
    EXPECT_TRUE(probe().rows[tile - 1].tbMoveGre->text().isEmpty());
    EXPECT_EQ(probe().rows[0].tbGre->property("Tag").toString(), QString::number(probe().ShownWordID));
    EXPECT_EQ(ex->MatchRound().Solved(), 1);
    // Text from another program is refused.
    QMimeData foreign;
    foreign.setText(ex->MatchRound().Text(2));
    EXPECT_FALSE(Drop(probe().rows[2].tbTestGre, &foreign));
    EXPECT_TRUE(probe().rows[2].tbTestGre->text().isEmpty());
    // Dealing again: the red row is white, the solved word is dealt no more.
    ex->cmdGo_Click(0);
    EXPECT_EQ(tav::BackOf(probe().rows[1].lblSvar), White);
    EXPECT_EQ(tav::BackOf(probe().rows[0].lblSvar), Green);
    for (const auto &row : probe().rows)
        EXPECT_NE(row.tbMoveGre->text(), word);
    EXPECT_FALSE(probe().rows[0].tbMoveGre->isEnabled());
}

TEST_F(ExerciseRoundsTest, FewerWordsThanPlacesDealOnlyTheWordsThereAre)
{
    KeepOnly({1, 2, 3});
    tav::OptNbrScribble = 5;
    Open();
    ex->cmdTest_Click();
    ex->cmdGo_Click(1);
    EXPECT_EQ(ex->MatchRound().Count(), 3);
    EXPECT_TRUE(probe().rows[2].tbMoveEng->isVisibleTo(probe().picRows));
    EXPECT_FALSE(probe().rows[3].tbMoveEng->isVisibleTo(probe().picRows));
    EXPECT_FALSE(probe().rows[4].tbEng->isVisibleTo(probe().picRows));
    // No words at all: nothing to deal.
    KeepOnly({});
    ex->cmdTest_Click();
    EXPECT_FALSE(probe().cmdGo[0]->isEnabled());
    ex->cmdGo_Click(0);
    EXPECT_EQ(ex->MatchRound().Count(), 0);
}

TEST_F(ExerciseRoundsTest, ChangingTheWordCountStartsARoundOfThatSize)
{
    Open();
    ex->cmdTest_Click();
    probe().UpAntal->StepDown();
    EXPECT_EQ(tav::OptNbrScribble, 4);
    EXPECT_EQ(probe().rows.size(), 4);
    EXPECT_EQ(db.Value("SELECT nbrScribble FROM Options").toInt(), 4);
    EXPECT_EQ(ex->findChild<QLineEdit *>("tbGre(5)"), nullptr);
    probe().UpAntal->StepUp();
    EXPECT_EQ(probe().rows.size(), 5);
    EXPECT_FALSE(probe().rows[4].tbGre->text().isEmpty());
}

TEST_F(ExerciseRoundsTest, APassiveClassShowsItsPassiveFormsAndTheRoundEndsAfterSixDrops)
{
    KeepOnly({19});
    Open();
    ex->ProcessExercise();
    EXPECT_EQ(probe().RimaVerbID, 19);
    EXPECT_EQ(probe().lblVoice->text(), "Passive");
    EXPECT_EQ(probe().verbRows[0].tbGreR->text(), db.Value("SELECT S1p FROM KonT1 WHERE ID = 19").toString());
    EXPECT_EQ(probe().tbEngR->text(), "struggle, fight, compete");
    ex->cmdGoR_Click();
    for (int row = 1; row <= 3; ++row)
        ASSERT_TRUE(DragForm(FormTileFor(row), row));
    EXPECT_EQ(probe().lblHit->text(), "3/6");
    EXPECT_EQ(probe().lblAction->text(), "3 forms in random order");
    EXPECT_EQ(probe().lblCorrect->text(), "3 of 6 forms in correct order");
    // A wrong drop turns its row red and leaves the form in the tile.
    const int tile = FormTileFor(4);
    DragForm(tile, 5);
    EXPECT_EQ(tav::BackOf(probe().verbRows[4].lblSvarR), Red);
    EXPECT_FALSE(probe().verbRows[tile - 1].tbMoveGreR->text().isEmpty());
    for (int row = 4; row <= 6; ++row)
        DragForm(FormTileFor(row), row);
    EXPECT_EQ(probe().lblCorrect->text(), "The correct order");
    EXPECT_FALSE(probe().cmdGoR->isEnabled());
    EXPECT_FALSE(probe().lblAction->isVisibleTo(ex));
}

TEST_F(ExerciseRoundsTest, ATenseChangeKeepsTheVerbOrDrawsOneWithACompleteRow)
{
    KeepOnly({5, 9});
    Open();
    ex->ProcessExercise();
    const long long verb = probe().RimaVerbID;
    ASSERT_TRUE(verb == 5 || verb == 9);
    probe().CboTempi->setCurrentIndex(3);
    ex->CboTempi_Click();
    EXPECT_EQ(probe().RimaVerbID, verb);
    EXPECT_EQ(probe().verbRows[0].tbGreR->text(),
              db.Value(QString("SELECT %1 FROM KonT4 WHERE ID = %2")
                           .arg(probe().lblVoice->text() == "Active" ? "S1a" : "S1p").arg(verb)).toString());
    // The verb has no full row in the simple past: the other verb is drawn.
    Exec(QString("UPDATE KonT2 SET S3a = '', S3p = '' WHERE ID = %1").arg(verb));
    probe().CboTempi->setCurrentIndex(1);
    ex->CboTempi_Click();
    EXPECT_EQ(probe().RimaVerbID, verb == 5 ? 9 : 5);
    // No verb with a full row at all: said, and the round is empty.
    Exec("UPDATE KonT2 SET S3a = '', S3p = ''");
    ex->CboTempi_Click();
    EXPECT_EQ(probe().RimaVerbID, 0);
    EXPECT_FALSE(probe().cmdGoR->isEnabled());
    EXPECT_FALSE(messages.Messages().isEmpty());
}

TEST_F(ExerciseRoundsTest, TheExerciseMenuOpensTheWindowOnItsTabAndClosingGivesTheToolbarBack)
{
    mdi->Exercises = tav::ExerciseWindowRoutines();
    mdi->Control<QAction>("mnuExParts(1)")->trigger();
    auto *window = dynamic_cast<tav::Exercise *>(mdi->ExerciseInstance());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(tavtest::ExProbe(window).tbsOptions->currentIndex(), 1);
    EXPECT_EQ(window->windowTitle(), "Exercise the modern way, check, mix, drag and drop.Click Random to start");
    EXPECT_EQ(window->MatchRound().Count(), 0); // shown, not dealt
    EXPECT_FALSE(tavtest::ExProbe(window).rows[0].tbGre->text().isEmpty());
    EXPECT_NE(tavtest::ExProbe(window).RimaVerbID, 0);
    EXPECT_EQ(tavtest::ExProbe(window).opDbas[1]->text(), "errors in store (0)"); // activated
    EXPECT_TRUE(mdi->Control<QWidget>("picToolbar")->isHidden());
    // The same window takes the next start.
    mdi->Control<QAction>("mnuExParts(2)")->trigger();
    EXPECT_EQ(mdi->ExerciseInstance(), window);
    EXPECT_EQ(tavtest::ExProbe(window).tbsOptions->currentIndex(), 2);
    window->close();
    EXPECT_FALSE(mdi->Control<QWidget>("picToolbar")->isHidden());
}

TEST_F(ExerciseRoundsTest, AHalfVisibleTileDraggedOntoItsPlaceInASmallWindowIsRight)
{
    tav::OptNbrScribble = 10;
    mdi->resize(760, 560);
    mdi->show();
    Open();
    ex->SelectTab(2);
    ex->cmdTest_Click();
    ex->cmdGo_Click(0);
    // The window takes the client area's height once the main window has
    // settled around the word shown; then the user makes it small.
    QWidget *client = mdi->Control<QMdiArea>("mdiClient")->viewport();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ex->parentWidget()->height() == int(0.999 * client->height()); }, 1000));
    QTest::qWait(20);
    ex->parentWidget()->setGeometry(0, 0, 520, 300);
    auto *scroll = ex->findChild<QScrollArea *>(QStringLiteral("picRowsScroll"));
    ASSERT_NE(scroll, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return scroll->verticalScrollBar()->maximum() > 0; }, 1000));
    QWidget *view = scroll->viewport();
    // A tile whose place lies a few rows above it: the view is scrolled so
    // that the view's lower edge cuts the tile in half.
    QScrollBar *bar = scroll->verticalScrollBar();
    const int rowHeight = probe().rows[0].tbMoveGre->height();
    const auto cutAt = [&](int t) { // the scroll value that cuts tile t in half
        QWidget *box = probe().rows[t - 1].tbMoveGre;
        return box->mapTo(scroll->widget(), QPoint(0, box->height() / 2)).y() - view->height();
    };
    int tile = 0, place = 0;
    for (int t = 1; t <= 10 && !tile; ++t)
        for (int p = 1; p < t; ++p)
            if (probe().rows[t - 1].tbMoveGre->text() == ex->MatchRound().Text(p - 1) &&
                (t - p + 1) * rowHeight < view->height() && cutAt(t) > 0 && cutAt(t) <= bar->maximum()) {
                tile = t;
                place = p;
            }
    ASSERT_GT(tile, 0);
    QWidget *box = probe().rows[tile - 1].tbMoveGre;
    bar->setValue(cutAt(tile));
    QTest::qWait(20);
    const int scrolled = bar->value();
    const QPoint pressAt(box->width() / 2, box->height() / 4); // on the visible half
    ASSERT_LT(box->mapTo(view, pressAt).y(), view->height());
    ASSERT_GT(box->mapTo(view, QPoint(0, box->height() - 1)).y(), view->height() - 1);

    // The press neither scrolls nor starts anything.
    QTest::mousePress(box, Qt::LeftButton, {}, pressAt);
    EXPECT_EQ(bar->value(), scrolled);
    // The drag begins over the tile, in the view's lower margin, and stays
    // there for a while: no scrolling either. The wait ends after the steps a
    // scrolling begun by the move would have taken, however slow the machine.
    std::unique_ptr<QMimeData> own(tav::TileMimeData(probe().rows[tile - 1].tbMoveGre->text(), ex));
    const QPoint start = box->mapTo(view, pressAt);
    QDragEnterEvent enter(start, Qt::MoveAction, own.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    QDragMoveEvent move(start, Qt::MoveAction, own.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    WaitPast(6 * tav::DragAutoScroll::StepMs);
    EXPECT_EQ(bar->value(), scrolled);
    // Over to the place and let go there: the drop is judged on that place.
    QWidget *target = probe().rows[place - 1].tbTestGre;
    EXPECT_TRUE(Drop(target, own.get()));
    QTest::mouseRelease(box, Qt::LeftButton, {}, pressAt);
    EXPECT_EQ(tav::BackOf(probe().rows[place - 1].lblSvar), Green);
    EXPECT_EQ(ex->MatchRound().Solved(), 1);
    EXPECT_TRUE(probe().rows[tile - 1].tbMoveGre->text().isEmpty());
    EXPECT_EQ(bar->value(), scrolled);
}

TEST_F(ExerciseRoundsTest, TheMatchingTextsUseTheWindowsWidthAndTheRestIsElided)
{
    KeepOnly({1, 2, 10, 22, 44}); // short words and meanings
    mdi->show();
    Open();
    QWidget *sub = ex->parentWidget();
    sub->resize(mdi->Control<QMdiArea>("mdiClient")->width(), sub->height());
    ex->SelectTab(2);
    ex->cmdTest_Click();
    ex->cmdGo_Click(1);
    QTest::qWait(20);
    // The columns fill the page to its right edge, no further.
    for (const auto &row : probe().rows)
        EXPECT_NEAR(row.lblMove->geometry().right(), probe().picRows->width() - 1, 1);
    // Short texts are whole: the Greek words, the meanings, the tiles and
    // their class tags.
    const auto whole = [](QLineEdit *box) {
        return box->width() >= static_cast<tav::TextBox *>(box)->WidthFor(box->text());
    };
    for (const auto &row : probe().rows) {
        EXPECT_TRUE(whole(row.tbGre)) << row.tbGre->text().toStdString();
        EXPECT_TRUE(whole(row.tbMoveEng)) << row.tbMoveEng->text().toStdString();
        EXPECT_GE(row.lblMove->width(), row.lblMove->fontMetrics().horizontalAdvance(row.lblMove->text()));
    }
    // A narrow window: the longest texts no longer fit their boxes, which
    // keep them whole as their text and tool tip (and show them elided). The
    // tool tip, in the application's font, shows a Greek word in Greek letters.
    sub->resize(330, sub->height());
    QTest::qWait(20);
    int cut = 0;
    for (const auto &row : probe().rows) {
        EXPECT_NEAR(row.lblMove->geometry().right(),
                    std::max(probe().picRows->width(), probe().picRows->minimumWidth()) - 1, 1);
        for (QLineEdit *box : {static_cast<QLineEdit *>(row.tbMoveEng), row.tbGre})
            if (!box->text().isEmpty() && !whole(box)) {
                ++cut;
                EXPECT_EQ(box->toolTip(), box == row.tbGre ? winsys::GreekKeysToUnicode(box->text()) : box->text());
            }
    }
    EXPECT_GT(cut, 0);
}

// A meaning a little wider than its box is shown whole in a smaller font
// ("communication, contact" in a narrow window); only a text too wide even at
// three quarters of the size is cut.
TEST_F(ExerciseRoundsTest, AMeaningALittleTooWideShrinksBeforeItIsCut)
{
    KeepOnly({435, 640, 1, 2, 10}); // epikoinwniva, kollavw: long meanings
    mdi->show();
    Open();
    QWidget *sub = ex->parentWidget();
    ex->SelectTab(2);
    ex->cmdTest_Click();
    ex->cmdGo_Click(0); // the meanings stay in their rows
    int shrunk = 0, cut = 0;
    for (int width = 700; width >= 300; width -= 20) {
        sub->resize(width, sub->height());
        QTest::qWait(5);
        for (const auto &row : probe().rows) {
            auto *box = static_cast<tav::TextBox *>(row.tbEng);
            const QString text = box->text();
            if (text.isEmpty() || box->width() >= box->WidthFor(text)) {
                EXPECT_EQ(box->ShownFont(), box->font()) << "a text that fits keeps its size";
                continue;
            }
            const QFont shown = box->ShownFont();
            // The room the box has for its text.
            const int room = box->width() - (box->WidthFor(text) - box->fontMetrics().horizontalAdvance(text) - 1);
            const bool whole = QFontMetrics(shown).horizontalAdvance(text) <= room;
            EXPECT_LT(shown.pointSizeF(), box->font().pointSizeF()) << text.toStdString();
            EXPECT_GE(shown.pointSizeF(), 0.75 * box->font().pointSizeF()) << text.toStdString();
            if (whole)
                ++shrunk;
            else
                ++cut;
            EXPECT_TRUE(whole || shown.pointSizeF() - 0.5 < 0.75 * box->font().pointSizeF())
                << width << ": " << text.toStdString() << " is cut before it is as small as it may be";
        }
    }
    EXPECT_GT(shrunk, 0);
    EXPECT_GT(cut, 0);
}
