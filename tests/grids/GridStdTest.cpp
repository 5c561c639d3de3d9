// The standard list window on the shipped words: its views, sorting, column
// show and hide, the search within the list, editing each editable column
// with its effect on every table, and the deletion rules.

#include "support/ListWindowProbe.h"
#include "ListWindowFixture.h"
#include "support/ListCellTyping.h"
#include "support/EventCount.h"

#include "grids/GridStd.h"
#include "platform/winsys/VbKeys.h"
#include "mainwindow/FrmOptions.h"
#include "store/AdminSubs.h"
#include "store/CaptionArrays.h"
#include "store/Dynasets.h"
#include "store/GreekLetters.h"
#include "store/Settings.h"
#include "store/ThirdLanguages.h"
#include "store/WindowRoutines.h"
#include "store/ListWindowLink.h"
#include "store/SharedState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

using tavtest::ListWindowFixture;

namespace {

const QString kFormsSql = QStringLiteral(" SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek "
                                         " FROM FormsAll WHERE FormGreek  Like'agapav*'");

class GridStdTest : public ListWindowFixture {
protected:
    tav::GridStd *Open(const QString &sql, int tag, int sortValue = 0, const QString &filter = QString())
    {
        auto *w = Keep(new tav::GridStd);
        dao::RecordsetPtr rows = tav::RowsPassing(sql, filter);
        EXPECT_TRUE(rows) << sql.toStdString();
        const long long n = rows ? rows->RecordCount() : 0;
        tav::ShowNewStdGrid(*w, std::move(rows), filter, sql, QString::number(n) + QStringLiteral(" Greek words"),
                            sortValue, tag);
        return w;
    }
    static void Enter(tav::GridStd *w, int row, int col)
    {
        tav::SetGridBusy(true);
        w->Grid()->SetRow(row);
        w->Grid()->SetCol(col);
        tav::SetGridBusy(false);
        w->ShowCellInfo();
    }
    // Types Text over the cell (Row, Col) and presses Enter.
    static void Edit(tav::GridStd *w, int row, int col, const QString &text)
    {
        tavtest::EditListCell(*w, row, col, text);
    }
    int RowOfID(tav::GridStd *w, long long id) { return RowOf(*w->Grid(), 1, QString::number(id)); }
    // Opens the editor on the cell with a typed key, types Text after it and
    // leaves the editor open.
    static void Type(tav::GridStd *w, int row, int col, const QString &text)
    {
        Enter(w, row, col);
        int key = text.at(0).unicode();
        w->msFlxMulti_KeyPress(key);
        tavtest::ListProbe(w).tbN->setText(text);
    }
    QString Art(long long id) { return Value(QStringLiteral("SELECT Art FROM Main WHERE ID = %1").arg(id)).toString(); }
    QString English(long long id)
    {
        return Value(QStringLiteral("SELECT English FROM Main WHERE ID = %1").arg(id)).toString();
    }
};

TEST_F(GridStdTest, TheHeadwordViewShowsArticleGreekAndBothMeaningsSortedByTheSortKey)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const flexgrid::FlexGrid &g = *w->Grid();
    EXPECT_EQ(w->objectName(), QStringLiteral("GridStd"));
    EXPECT_EQ(g.objectName(), QStringLiteral("msFlxMulti"));
    EXPECT_EQ(g.Cols(), 7);
    EXPECT_EQ(g.Rows() - 1, Count(QStringLiteral("SELECT count(*) FROM Main JOIN GreekSwedish USING (ID)")));
    for (int c = 0; c <= 2; ++c)
        EXPECT_EQ(g.ColWidth(c), 0) << c;
    EXPECT_EQ(g.ColWidth(3), 550);
    EXPECT_GE(g.ColWidth(4), 2550);
    EXPECT_GE(g.ColWidth(5), g.ColWidth(4));
    EXPECT_GE(g.ColWidth(6), g.ColWidth(4));
    EXPECT_EQ(g.RowHeight(0), 0);
    EXPECT_EQ(g.CellFontNameAt(1, 4), QStringLiteral("VudedoGreek"));
    EXPECT_EQ(g.CellFontNameAt(1, 3), QStringLiteral("VudedoGreek"));
    EXPECT_NE(g.CellFontNameAt(1, 5), QStringLiteral("VudedoGreek"));

    // Greek in the order of its sort key, where the final sigma is a sigma.
    for (int r = 2; r < g.Rows(); ++r)
        ASSERT_LE(QString::compare(g.TextMatrix(r - 1, 0), g.TextMatrix(r, 0), Qt::CaseInsensitive), 0) << r;
    EXPECT_EQ(tav::TavGreSort(QStringLiteral("lovgoV")), tav::TavGreSort(QStringLiteral("lovgos")));
    EXPECT_EQ(w->Grid()->Col(), 4);

    // Heading buttons over their columns, the column buttons beside the row.
    EXPECT_EQ(w->cmdSort[0]->x(), w->cmdSortCol[0]->x());
    EXPECT_LT(w->cmdSort[0]->x(), w->cmdSort[1]->x());
    EXPECT_LT(w->cmdSort[1]->x(), w->cmdSort[2]->x());
    EXPECT_EQ(w->cmdSort[1]->text(), QStringLiteral("English"));
    EXPECT_FALSE(w->cmdCol[1]->isHidden());
    EXPECT_EQ(w->cmdCol[1]->text(), QStringLiteral("ENG -"));
    EXPECT_EQ(w->cmdCol[2]->text(), QStringLiteral("SWE -"));
    EXPECT_TRUE(w->cmdSort[0]->styleSheet().contains(QStringLiteral("#ffffff")));
    EXPECT_TRUE(w->cmdSortCol[0]->styleSheet().contains(QStringLiteral("#0000ff")));

    // The first row's word went to the grammar panel, its Greek to lblInfo.
    ASSERT_FALSE(host.facts.isEmpty());
    EXPECT_EQ(host.facts.last(), g.TextMatrix(1, 1) + QStringLiteral("||0"));
    EXPECT_EQ(tavtest::ListProbe(w).lblInfo->text(), g.TextMatrix(1, 4));
    EXPECT_EQ(w->lblCol(), QStringLiteral("4"));
    EXPECT_EQ(w->lblRow(), QStringLiteral("1"));
}

TEST_F(GridStdTest, VerbsHideTheArticleAndAHiddenThirdLanguageLeavesTwoPairs)
{
    tav::GridStd *verbs = Open(tav::SqlLang3, 5, 0, QStringLiteral("WT Like'c*'"));
    for (int c = 0; c <= 3; ++c)
        EXPECT_EQ(verbs->Grid()->ColWidth(c), 0) << c;
    EXPECT_EQ(verbs->FirstVisibleCol, 4);

    tav::OptBoHide3 = true;
    tav::GridStd *w = Open(tav::SqlMain, 2);
    EXPECT_EQ(w->Grid()->Cols(), 6);
    EXPECT_FALSE(w->cmdSort[1]->isHidden());
    EXPECT_TRUE(w->cmdSort[2]->isHidden());
    EXPECT_TRUE(w->cmdCol[1]->isHidden());
    EXPECT_TRUE(w->cmdCol[2]->isHidden());
    EXPECT_GE(w->Grid()->ColWidth(5), w->Grid()->ColWidth(4));
    w->cmdSort_Click(2); // over a column this view lacks: nothing happens
    EXPECT_EQ(tavtest::ListProbe(w).lblSortValue, 0);
    EXPECT_TRUE(messages.Messages().isEmpty());
    tav::OptBoHide3 = false; // shown again: the refresh (Apply, F5) gives the column
    w->RefreshGrid();
    EXPECT_GT(w->Grid()->ColWidth(6), 0);
}

TEST_F(GridStdTest, TheInflectedFormViewLabelsItsRowsAndSortsEachColumnByItsOwnButton)
{
    tav::GridStd *w = Open(kFormsSql, 33, 33);
    const flexgrid::FlexGrid &g = *w->Grid();
    EXPECT_EQ(g.Cols(), 5);
    EXPECT_EQ(g.ColWidth(1), 0);
    EXPECT_GT(g.ColWidth(0), 0);
    EXPECT_EQ(g.CellFontNameAt(1, 3), QStringLiteral("VudedoGreek"));
    const QString english = Value(QStringLiteral("SELECT English FROM Main WHERE ID = 1")).toString();
    EXPECT_EQ(g.TextMatrix(1, 4), english);
    EXPECT_EQ(tavtest::ListProbe(w).lblInfo->text(), english);
    EXPECT_EQ(w->cmdSort[0]->text(), QStringLiteral("Ref 1"));
    EXPECT_EQ(w->cmdSort[3]->text(), QStringLiteral("English"));
    EXPECT_TRUE(w->cmdCol[1]->isHidden());
    EXPECT_TRUE(host.facts.last().endsWith(QStringLiteral("|66")));
    EXPECT_EQ(g.TextMatrix(1, 0), QStringLiteral("Present")) << "rows are labelled with their form";

    // A participle's row tells the grammar panel so.
    tav::GridStd *menos = Open(QStringLiteral(" SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek "
                                              " FROM FormsAll WHERE FormGreek  Like'agaphmevnoV'"),
                               33, 33);
    EXPECT_EQ(menos->Grid()->TextMatrix(1, 0), QStringLiteral("Passive participle"));
    EXPECT_TRUE(host.facts.last().endsWith(QStringLiteral("|33"))) << host.facts.last().toStdString();

    // Query order until a button sorts its own column.
    QStringList before;
    for (int r = 1; r < g.Rows(); ++r)
        before << g.TextMatrix(r, 3);
    w->cmdSort_Click(2);
    QStringList after;
    for (int r = 1; r < g.Rows(); ++r)
        after << g.TextMatrix(r, 3);
    QStringList sorted = before;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(after, sorted);
    EXPECT_EQ(g.Col(), 3);
    for (int i = 0; i < 4; ++i)
        w->cmdSort_Click(i);
    EXPECT_TRUE(messages.Messages().isEmpty());

    // Nothing is stored from this view; the cell shows what is stored.
    const int row = 1;
    const QString form = g.TextMatrix(row, 3);
    Edit(w, row, 3, QStringLiteral("xxx"));
    EXPECT_EQ(g.TextMatrix(row, 3), form);
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM FormsAll WHERE FormGreek = 'xxx'")), 0);
}

// A column button knows whether it hid its column: another caption on it
// changes nothing of what a press does.
TEST_F(GridStdTest, TheColumnButtonsHoldWithAnotherCaption)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    w->cmdCol[1]->setText(QStringLiteral("English -"));
    w->cmdCol_Click(1);
    EXPECT_EQ(w->Grid()->ColWidth(5), 0);
    EXPECT_EQ(w->cmdCol[1]->text(), QStringLiteral("ENG +"));
}

TEST_F(GridStdTest, TheColumnButtonsHideAndRestoreTheMeaningColumns)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const int width4 = w->Grid()->ColWidth(4);
    const int width5 = w->Grid()->ColWidth(5);
    const int width6 = w->Grid()->ColWidth(6);
    const int left5 = w->cmdSort[1]->x();
    const int left6 = w->cmdSort[2]->x();
    w->cmdCol_Click(1);
    EXPECT_EQ(w->Grid()->ColWidth(5), 0);
    EXPECT_EQ(w->cmdCol[1]->text(), QStringLiteral("ENG +"));
    EXPECT_TRUE(w->cmdSort[1]->isHidden());
    EXPECT_EQ(w->cmdSort[2]->x(), w->cmdSort[0]->geometry().right() + 1)
        << "the third language's buttons move left, beside the Greek column";
    EXPECT_GT(w->Grid()->ColWidth(4) + w->Grid()->ColWidth(6), width4 + width6)
        << "the columns shown take the room of the hidden one";
    EXPECT_EQ(w->cmdSort[2]->width(), w->Grid()->TwipsToPixelsX(w->Grid()->ColWidth(6)));
    w->cmdCol_Click(2);
    EXPECT_EQ(w->Grid()->ColWidth(6), 0);
    EXPECT_EQ(w->cmdCol[2]->text(), QStringLiteral("SWE +"));
    w->cmdCol_Click(1);
    EXPECT_GT(w->Grid()->ColWidth(5), 0);
    EXPECT_EQ(w->cmdCol[1]->text(), QStringLiteral("ENG -"));
    EXPECT_FALSE(w->cmdSort[1]->isHidden());
    w->cmdCol_Click(2);
    EXPECT_FALSE(w->cmdSort[2]->isHidden());
    // Both back: the widths and the buttons' places as before.
    EXPECT_EQ(w->Grid()->ColWidth(4), width4);
    EXPECT_EQ(w->Grid()->ColWidth(5), width5);
    EXPECT_EQ(w->Grid()->ColWidth(6), width6);
    EXPECT_EQ(w->cmdSort[1]->x(), left5);
    EXPECT_EQ(w->cmdSort[2]->x(), left6);

    // In a narrow window the grid scrolls sideways and the buttons stay
    // over their columns.
    w->resize(w->Grid()->TwipsToPixelsX(3000), w->height());
    EXPECT_LE(w->Grid()->width(), w->width());
    w->Grid()->SetLeftCol(5);
    ASSERT_EQ(w->Grid()->LeftCol(), 5);
    EXPECT_LT(w->cmdSort[0]->geometry().right(), 0);
    EXPECT_EQ(w->cmdSort[1]->x(), w->Grid()->x() + w->Grid()->frameWidth()) << "the first column in sight";
    EXPECT_EQ(w->cmdSort[2]->x() - w->cmdSort[1]->x(), w->Grid()->TwipsToPixelsX(w->Grid()->ColWidth(5)));
    EXPECT_EQ(w->Grid()->ColWidth(5), w->LeastWidth(5))
        << "a window narrower than the columns narrows them to their texts";
}

TEST_F(GridStdTest, AWindowNarrowerThanTheColumnsNarrowsTheMeaningsToTheirTextsBeforeItScrolls)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    int least = 0, fitted = 0, lines = 0;
    for (int c = 0; c < g.Cols(); ++c) {
        if (g.ColWidth(c) <= 0)
            continue;
        least += g.TwipsToPixelsX(w->LeastWidth(c));
        fitted += g.TwipsToPixelsX(w->FittedWidth(c));
        ++lines;
    }
    ASSERT_GT(fitted - least, 20) << "the meaning columns are wider than their texts";
    // Room between what the texts need and the fitted widths (a maximised
    // list on a 1024 pixel screen): every column in sight, none scrolled.
    const int room = (least + fitted) / 2 + lines;
    w->resize(w->width() - (g.viewport()->width() - room), w->height());
    QApplication::processEvents();
    ASSERT_LT(g.viewport()->width(), fitted);
    EXPECT_FALSE(g.horizontalScrollBar()->isVisible());
    const QRect third = g.CellRect(g.FixedRows(), 6);
    ASSERT_FALSE(third.isEmpty());
    EXPECT_LE(third.right(), g.viewport()->width());
    for (int c = 5; c <= 6; ++c)
        EXPECT_GE(g.ColWidth(c), w->LeastWidth(c)) << c;
}

TEST_F(GridStdTest, CommitsKeepTheViewAndTheCurrentCellInSight)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    // A window narrower than its columns: the third language lies beyond
    // the grid's right edge.
    w->resize(g.TwipsToPixelsX(6000), w->height());
    ASSERT_TRUE(g.CellRect(1, 6).isEmpty());
    g.SetTopRow(10);
    const int row = 13;
    ASSERT_FALSE(g.CellRect(row, 5).isEmpty());

    // A stored edit and a refresh of the list: the view stays where it was
    // (the edited row is not scrolled to the top), and the cursor's new
    // column is scrolled into sight with its heading button over it.
    const long long id = g.TextMatrix(row, 1).toLongLong();
    Edit(w, row, 5, g.TextMatrix(row, 5) + QStringLiteral(", wanderer"));
    EXPECT_TRUE(Value(QStringLiteral("SELECT English FROM Main WHERE ID = %1").arg(id)).toString().contains("wanderer"));
    EXPECT_EQ(g.Row(), row);
    EXPECT_EQ(g.Col(), 6);
    EXPECT_EQ(g.TopRow(), 10);
    const QRect cell = g.CellRect(row, 6);
    ASSERT_FALSE(cell.isEmpty()) << "the current cell is in sight";
    EXPECT_LE(cell.right(), g.viewport()->width());
    EXPECT_EQ(w->cmdSort[2]->x(), g.x() + g.frameWidth() + cell.x());

    w->RefreshGrid();
    EXPECT_EQ(g.TopRow(), 10);
    EXPECT_EQ(g.Row(), row);
    EXPECT_FALSE(g.CellRect(row, 6).isEmpty());

    // The wrap to the next row keeps the view too, back at the first column.
    Edit(w, row, 6, g.TextMatrix(row, 6));
    EXPECT_EQ(g.Row(), row + 1);
    EXPECT_EQ(g.Col(), w->FirstVisibleCol);
    EXPECT_EQ(g.TopRow(), 10);
    EXPECT_FALSE(g.CellRect(row + 1, g.Col()).isEmpty());
}

TEST_F(GridStdTest, AfterACommitTheWordStaysInViewWhereTheNextCellStillShows)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    ASSERT_EQ(w->FirstVisibleCol, 3);
    // A window (as on an 800x600 screen) that shows the article, the word,
    // the meaning and at least half of the third language, not all of it.
    auto px = [&](int c) { return g.TwipsToPixelsX(g.ColWidth(c)); };
    bool found = false;
    for (int width = 200; width < 1600 && !found; width += 5) {
        w->resize(width, w->height());
        QApplication::processEvents();
        const int before = px(3) + px(4) + px(5);
        const int avail = g.viewport()->width();
        found = avail < before + px(6) && avail - before >= px(6) / 2 + 2;
    }
    ASSERT_TRUE(found);
    const int row = g.FixedRows() + 2;
    g.SetLeftCol(3);
    Edit(w, row, 5, g.TextMatrix(row, 5));
    ASSERT_EQ(g.Col(), 6);
    EXPECT_EQ(g.LeftCol(), 3) << "no scroll away from the word";
    EXPECT_FALSE(g.CellRect(row, 6).isEmpty());
    EXPECT_FALSE(g.CellRect(row, 4).isEmpty());

    // Scrolled to the meanings, Left back to the word shows its article too.
    g.SetLeftCol(5);
    g.setFocus();
    g.SetCol(5);
    QTest::keyClick(&g, Qt::Key_Left);
    ASSERT_EQ(g.Col(), 4);
    EXPECT_EQ(g.LeftCol(), 3);
}

TEST_F(GridStdTest, ARefusedOrDeclinedDeletionKeepsTheView)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    // The word's row lies a few rows below the top of the view; after the
    // message the view stays where it was and the row stays current.
    auto deleteBelowTop = [&](long long id) {
        const int row = RowOfID(w, id);
        ASSERT_GT(row, 3);
        g.SetTopRow(row - 3);
        Enter(w, row, 4);
        w->FlexDelete();
        EXPECT_EQ(g.TopRow(), row - 3) << "the word with ID " << id;
        EXPECT_EQ(g.Row(), row);
        EXPECT_FALSE(g.CellRect(row, 4).isEmpty());
    };
    const long long noun = Value(QStringLiteral("SELECT min(ID) FROM Klino WHERE ID > 100 AND ID IN (SELECT ID FROM GreekSwedish)")).toLongLong();
    deleteBelowTop(noun);
    messages.Answer(winsys::vbNo);
    deleteBelowTop(52);
    ASSERT_EQ(messages.Messages().size(), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM Main WHERE ID IN (52, %1)").arg(noun)), 2);
}

TEST_F(GridStdTest, TheGridFillsAWindowWiderAndTallerThanItsColumns)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    auto columnsWidth = [&g] {
        int sum = 0;
        for (int c = 0; c < g.Cols(); ++c)
            sum += g.TwipsToPixelsX(g.ColWidth(c));
        return sum;
    };
    const int fitted = columnsWidth();
    w->resize(w->width() + 400, w->height() + 300);
    EXPECT_EQ(g.geometry().right(), w->width() - 1);
    EXPECT_EQ(g.geometry().bottom(), w->height() - 1);
    EXPECT_EQ(columnsWidth(), g.viewport()->width()) << "the columns reach the grid's right edge";
    EXPECT_EQ(g.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(g.ColWidth(3), 550) << "the article keeps its width";
    for (int c = 4; c <= 6; ++c) {
        EXPECT_GT(g.ColWidth(c), w->FittedWidth(c)) << c;
        EXPECT_EQ(w->cmdSort[c - 4]->width(), g.TwipsToPixelsX(g.ColWidth(c))) << c;
    }

    // A refresh lays the columns out from their texts and fills again.
    w->RefreshGrid();
    EXPECT_EQ(columnsWidth(), g.viewport()->width());

    // Back to a window too narrow even for the texts: the columns narrow to
    // them, no further, and the grid scrolls.
    w->resize(g.TwipsToPixelsX(4000), w->height());
    EXPECT_GT(fitted, g.viewport()->width());
    EXPECT_EQ(g.ColWidth(3), w->FittedWidth(3)) << "the article keeps its width";
    for (int c = 4; c <= 6; ++c)
        EXPECT_EQ(g.ColWidth(c), w->LeastWidth(c)) << c;
    EXPECT_GT(g.horizontalScrollBar()->maximum(), 0);
}

TEST_F(GridStdTest, SortButtonsAndTheSearchWithinTheList)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    w->cmdSort_Click(1);
    EXPECT_EQ(tavtest::ListProbe(w).lblSortValue, 1);
    EXPECT_EQ(g.Col(), 5);
    for (int r = 2; r < g.Rows(); ++r)
        ASSERT_LE(QString::compare(g.TextMatrix(r - 1, 5), g.TextMatrix(r, 5), Qt::CaseInsensitive), 0) << r;
    EXPECT_TRUE(w->cmdSort[1]->styleSheet().contains(QStringLiteral("#ff0000")));
    EXPECT_FALSE(w->cmdSort[0]->styleSheet().contains(QStringLiteral("#ffffff")));

    // The search marks the next row of the current column that begins with
    // the text; a failed search shows "0" and the next press starts afresh.
    tavtest::ListProbe(w).txtSearch->setText(QStringLiteral("mother"));
    w->cmdS_Click();
    EXPECT_EQ(tavtest::ListProbe(w).cmdS->text(), QStringLiteral("SN"));
    EXPECT_TRUE(g.TextMatrix(g.Row(), 5).startsWith(QStringLiteral("mother")));
    tavtest::ListProbe(w).txtSearch->setText(QStringLiteral("zzzzqq"));
    w->cmdS_Click();
    EXPECT_EQ(tavtest::ListProbe(w).cmdS->text(), QStringLiteral("0"));
    w->cmdS_Click();
    EXPECT_EQ(tavtest::ListProbe(w).cmdS->text(), QStringLiteral("S"));
    EXPECT_TRUE(tavtest::ListProbe(w).txtSearch->text().isEmpty());
    tavtest::ListProbe(w).txtSearch->setText(QStringLiteral("[")); // not a valid pattern: finds nothing
    w->cmdS_Click();
    EXPECT_EQ(tavtest::ListProbe(w).cmdS->text(), QStringLiteral("0"));
    EXPECT_TRUE(messages.Messages().isEmpty());
}

// The search keeps where it stands itself: other names for its controls or
// another caption on its button change nothing it finds.
TEST_F(GridStdTest, TheSearchHoldsWithRenamedControlsAndAnotherCaption)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    w->cmdSort_Click(1);
    tavtest::ListProbe(w).cmdS->setObjectName(QStringLiteral("search"));
    tavtest::ListProbe(w).txtSearch->setObjectName(QStringLiteral("searchText"));
    tavtest::ListProbe(w).txtSearch->setText(QStringLiteral("a"));
    int previous = 0;
    for (int hit = 1; hit <= 2; ++hit) {
        SCOPED_TRACE(hit);
        tavtest::ListProbe(w).cmdS->setText(QStringLiteral("Find"));
        w->cmdS_Click();
        EXPECT_GT(g.Row(), previous);
        EXPECT_TRUE(g.TextMatrix(g.Row(), 5).startsWith(QLatin1Char('a'), Qt::CaseInsensitive));
        EXPECT_EQ(tavtest::ListProbe(w).cmdS->text(), QStringLiteral("SN"))
            << "the button shows where the search stands";
        previous = g.Row();
    }
}

// Enter in the search box runs the search when the box holds a text; in an
// empty box it does nothing.
TEST_F(GridStdTest, EnterInTheSearchBoxSearchesOnlyForAText)
{
    const struct {
        const char *typed;
        const char *caption; // cmdS after Enter
    } cases[] = {{"", "S"}, {"a", "SN"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        tav::GridStd *w = Open(tav::SqlLang3, 2);
        w->cmdSort_Click(1);
        QLineEdit *box = tavtest::ListProbe(w).txtSearch;
        box->setText(QString::fromUtf8(c.typed));
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(tavtest::ListProbe(w).cmdS->text(), QLatin1String(c.caption));
        w->CloseWindow();
    }
}

TEST_F(GridStdTest, EditingTheEnglishMeaningsKeepsTheListCountAndIndexInStep)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const int row = RowOfID(w, 36);
    ASSERT_GT(row, 0);
    Edit(w, row, 5, QStringLiteral(",dog,  hound , cat,,dog,"));
    EXPECT_EQ(w->Grid()->TextMatrix(row, 5), QStringLiteral("cat, dog, hound"));
    EXPECT_EQ(Value(QStringLiteral("SELECT English FROM Main WHERE ID = 36")).toString(), QStringLiteral("cat, dog, hound"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Emeans FROM Main WHERE ID = 36")).toInt(), 3);
    EXPECT_EQ(IndexRows(QStringLiteral("AllEnglishGreek"), 36),
              QStringList({QStringLiteral("cat"), QStringLiteral("dog"), QStringLiteral("hound")}));
    EXPECT_EQ(Value(QStringLiteral("SELECT Sal FROM AllEnglishGreek WHERE ID = 36 AND Lat = 'hound'")),
              Value(QStringLiteral("SELECT Sal FROM Main WHERE ID = 36")));
    EXPECT_FALSE(tavtest::ListProbe(w).tbN->isVisible());
    EXPECT_EQ(w->Grid()->Col(), 6) << "the cursor moves on to the next column";

    // Reordering stores nothing new; one item leaves no stale count; a quote
    // is stored as typed.
    Edit(w, row, 5, QStringLiteral("mother's"));
    EXPECT_EQ(Value(QStringLiteral("SELECT English FROM Main WHERE ID = 36")).toString(), QStringLiteral("mother's"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Emeans FROM Main WHERE ID = 36")).toInt(), 1);
    EXPECT_EQ(IndexRows(QStringLiteral("AllEnglishGreek"), 36), QStringList({QStringLiteral("mother's")}));

    // Emptying is refused: the old text comes back and the editor reopens.
    Edit(w, row, 5, QStringLiteral("   "));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages().first().prompt,
              QStringLiteral("This field must not be left empty.\r\nThe previous text has been put back."));
    EXPECT_EQ(messages.Messages().first().style, winsys::vbCritical);
    EXPECT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
    EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), QStringLiteral("mother's"));
    EXPECT_EQ(w->Grid()->Col(), 5);
    EXPECT_EQ(Value(QStringLiteral("SELECT English FROM Main WHERE ID = 36")).toString(), QStringLiteral("mother's"));

    // Esc discards the edit.
    tavtest::ListProbe(w).tbN->setText(QStringLiteral("gone"));
    w->KeyDownEdits(winsys::vbKeyEscape);
    EXPECT_FALSE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
    EXPECT_EQ(w->Grid()->TextMatrix(row, 5), QStringLiteral("mother's"));
    EXPECT_EQ(Value(QStringLiteral("SELECT English FROM Main WHERE ID = 36")).toString(), QStringLiteral("mother's"));

    // Commas alone are no meaning and no spelling: refused like an empty text.
    const QVariant greek = Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36"));
    Edit(w, row, 5, QStringLiteral(" , ,"));
    w->KeyDownEdits(winsys::vbKeyEscape);
    Edit(w, row, 4, QStringLiteral(","));
    w->KeyDownEdits(winsys::vbKeyEscape);
    EXPECT_EQ(messages.Messages().size(), 3);
    EXPECT_EQ(Value(QStringLiteral("SELECT English FROM Main WHERE ID = 36")).toString(), QStringLiteral("mother's"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Emeans FROM Main WHERE ID = 36")).toInt(), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")), greek);
    EXPECT_EQ(w->Grid()->TextMatrix(row, 4), greek.toString());
}

TEST_F(GridStdTest, TheThirdLanguageArticleAndSpellingAreWrittenToEveryTableThatHoldsThem)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const int row = RowOfID(w, 36);
    Edit(w, row, 6, QStringLiteral("mer, ännu"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 36")).toString(), QStringLiteral("mer, ännu"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Means FROM GreekSwedish WHERE ID = 36")).toInt(), 2);
    EXPECT_EQ(IndexRows(QStringLiteral("AllSwedishGreek"), 36), QStringList({QStringLiteral("mer"), QStringLiteral("ännu")}));
    Edit(w, row, 6, QString());
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 36")).toString(), QString());
    EXPECT_TRUE(IndexRows(QStringLiteral("AllSwedishGreek"), 36).isEmpty());
    EXPECT_TRUE(messages.Messages().isEmpty());

    Edit(w, row, 3, QStringLiteral("to"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Art FROM Main WHERE ID = 36")).toString(), QStringLiteral("to"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Genus FROM Main WHERE ID = 36")).toInt(), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM AllEnglishGreek WHERE ID = 36 AND Art <> 'to'")), 0);
    messages.Answer(winsys::vbYes); // an empty article is allowed, once the user agrees
    Edit(w, row, 3, QString());
    EXPECT_EQ(Value(QStringLiteral("SELECT Genus FROM Main WHERE ID = 36")).toInt(), 99);

    Edit(w, row, 4, QStringLiteral("akovmaV"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")).toString(), QStringLiteral("akovmaV"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Sal FROM Main WHERE ID = 36")).toString(),
              tav::TavGreSort(QStringLiteral("akovmaV")));
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM GreekSwedish WHERE ID = 36")).toString(), QStringLiteral("akovmaV"));
    EXPECT_EQ(w->Grid()->TextMatrix(row, 0), tav::TavGreSort(QStringLiteral("akovmaV")));
    EXPECT_EQ(w->Grid()->Col(), 4 + 1);

    // Keys on the hidden columns open no editor.
    Enter(w, row, 1);
    int key = 'a';
    w->msFlxMulti_KeyPress(key);
    EXPECT_FALSE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
    Enter(w, row, 4);
    key = '.';
    w->msFlxMulti_KeyPress(key);
    EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), QStringLiteral("."));
    w->KeyDownEdits(winsys::vbKeyEscape);
}

TEST_F(GridStdTest, DeletionIsRefusedForInflectedWordsAndOtherwiseRemovesEveryRowOfTheWord)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    auto deleteRow = [&](long long id) {
        Enter(w, RowOfID(w, id), 4);
        w->FlexDelete();
    };
    const long long noun = Value(QStringLiteral("SELECT min(ID) FROM Klino WHERE ID IN (SELECT ID FROM GreekSwedish)")).toLongLong();
    deleteRow(noun);
    deleteRow(864); // two conjugation tables
    deleteRow(5);   // all four
    ASSERT_EQ(messages.Messages().size(), 3);
    EXPECT_EQ(messages.Messages()[0].prompt, QStringLiteral(" This word is declinated \r\n It is NOT allowed to delete it! "));
    EXPECT_EQ(messages.Messages()[1].prompt, QStringLiteral(" This verb is partly conjugated \r\n It is NOT allowed to delete it! "));
    EXPECT_EQ(messages.Messages()[2].prompt, QStringLiteral(" This verb is fully conjugated \r\n It is NOT allowed to delete it! "));
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM Main WHERE ID IN (5, 864, %1)").arg(noun)), 3);

    // No keeps the word.
    messages.Clear();
    messages.Answer(winsys::vbNo);
    deleteRow(36);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].style, 276);
    EXPECT_TRUE(messages.Messages()[0].prompt.startsWith(
        QStringLiteral("Do you really want to delete the word with ID 36: ακόμα\r\n")))
        << messages.Messages()[0].prompt.toStdString();
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM Main WHERE ID = 36")), 1);

    // Yes removes it from every table that refers to it; the list closes
    // up on the same row and the tree is recounted.
    tav::WordDb->ExecNative(QStringLiteral("INSERT INTO WrongIDs (ID) VALUES (36)"));
    tav::WordDb->ExecNative(QStringLiteral("INSERT INTO FormsAll (ID, KasPer, GenTem, Greek, FormGreek) "
                                           "VALUES (36, 'x', 'KonT1', 'akovma', 'akovma')"));
    tav::RepaIDs << 36;
    const int row = RowOfID(w, 36);
    const int rows = w->Grid()->Rows();
    messages.Answer(winsys::vbYes);
    link.Clear();
    deleteRow(36);
    for (const char *table : {"Main", "AllEnglishGreek", "AllSwedishGreek", "GreekSwedish", "WrongIDs", "FormsAll"})
        EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM %1 WHERE ID = 36").arg(QLatin1String(table))), 0) << table;
    EXPECT_TRUE(tav::RepaIDs.isEmpty());
    EXPECT_EQ(host.recounts, 1);
    EXPECT_EQ(link.Count(QStringLiteral("JulGran")), 0) << "the tree is the main window's";
    const QString stored = QString::number(Count(QStringLiteral("SELECT count(*) FROM WrongIDs")));
    EXPECT_EQ(link.PanelText(5), tav::WrongAnswersPanelText(stored)) << "the store's count follows";
    EXPECT_EQ(w->Grid()->Rows(), rows - 1);
    EXPECT_EQ(w->Grid()->Row(), row);
    EXPECT_NE(tavtest::ListProbe(w).WordID, 36);
}

TEST_F(GridStdTest, TwoWindowsRefreshIndependentlyAndAnEmptiedListCloses)
{
    tav::GridStd *all = Open(tav::SqlLang3, 2);
    tav::GridStd *one = Open(tav::SqlLang3, 2, 0, QStringLiteral("ID = 36"));
    EXPECT_EQ(one->Grid()->Rows(), 2);
    EXPECT_EQ(tavtest::ListProbe(one).lblCap, QStringLiteral("Greek words"));
    const int allRows = all->Grid()->Rows();

    tav::WordDb->ExecNative(QStringLiteral("DELETE FROM Main WHERE ID = 36"));
    QPointer<tav::GridStd> guard(one);
    one->RefreshGrid();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "a list without rows closes";
    all->RefreshGrid();
    EXPECT_EQ(all->Grid()->Rows(), allRows - 1);
    EXPECT_EQ(all->Caption(), QString::number(allRows - 2) + QStringLiteral(" Greek words"));
}

TEST_F(GridStdTest, ARefreshThatFailsWhileLayingOutLeavesTheListUsable)
{
    // The inflected-form view reads the words' meanings while it lays out:
    // with Main unreadable that step fails after the rows are in.
    tav::GridStd *w = Open(kFormsSql, 33);
    ASSERT_GT(w->Grid()->Rows(), 1);
    tav::WordDb->ExecNative(QStringLiteral("ALTER TABLE Main RENAME TO MainAway"));
    w->RefreshGrid();
    tav::WordDb->ExecNative(QStringLiteral("ALTER TABLE MainAway RENAME TO Main"));
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_FALSE(tav::GridBusy()) << "row entry would never follow again";
    EXPECT_TRUE(w->Grid()->isVisibleTo(w));
    w->RefreshGrid();
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_FALSE(w->Grid()->TextMatrix(1, 4).isEmpty()) << "the English column is back";
}

TEST_F(GridStdTest, AnOpenEditorNeverWritesIntoTheWordThatTakesItsRowAfterADeletion)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const int row = RowOfID(w, 36);
    const long long next = w->Grid()->TextMatrix(row + 1, 1).toLongLong();
    const QString nextArt = Art(next);
    Type(w, row, 3, QStringLiteral("h"));
    messages.Answer(winsys::vbYes);
    w->FlexDelete();
    ASSERT_EQ(Count(QStringLiteral("SELECT count(*) FROM Main WHERE ID = 36")), 0);
    EXPECT_EQ(w->Grid()->TextMatrix(row, 1).toLongLong(), next);
    EXPECT_FALSE(tavtest::ListProbe(w).tbN->isVisibleTo(w)) << "the edit of the deleted word goes with it";
    EXPECT_EQ(w->Grid()->TextMatrix(row, 3), nextArt);
    // A click into the grid commits nothing into the word now in that row.
    w->msFlxMulti_GotFocus();
    EXPECT_EQ(Art(next), nextArt);
    // The question, then the word that the typed article was not stored.
    ASSERT_EQ(messages.Messages().size(), 2);
    EXPECT_TRUE(messages.Messages()[1].prompt.contains(QStringLiteral("was not stored")))
        << messages.Messages()[1].prompt.toStdString();
    EXPECT_TRUE(messages.Messages()[1].prompt.contains(QStringLiteral("ID 36")));
}

TEST_F(GridStdTest, ARefreshPutsAnOpenEditorBackOverItsWordOrSaysTheTextWasNotStored)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    tav::GridStd *other = Open(tav::SqlLang3, 2);
    // The word before 37 goes, so that 37 moves up a row.
    const int row = RowOfID(w, 37);
    const long long before = w->Grid()->TextMatrix(row - 1, 1).toLongLong();
    Type(w, row, 5, QStringLiteral("lean, rest"));
    tav::WordDb->ExecNative(QStringLiteral("DELETE FROM Main WHERE ID = %1").arg(before));
    other->cmdFresh_Click();
    EXPECT_TRUE(messages.Messages().isEmpty());
    ASSERT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
    EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), QStringLiteral("lean, rest"));
    EXPECT_EQ(w->Grid()->Row(), row - 1);
    EXPECT_EQ(w->Grid()->TextMatrix(w->Grid()->Row(), 1), QStringLiteral("37"));
    w->KeyDownEdits(winsys::vbKeyReturn);
    EXPECT_EQ(English(37), QStringLiteral("lean, rest"));
    EXPECT_EQ(English(before), QString());

    // A sort moves the rows under an open editor: it follows its word.
    const int row48 = RowOfID(w, 48);
    Type(w, row48, 5, QStringLiteral("woe"));
    w->cmdSort_Click(1);
    ASSERT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
    EXPECT_EQ(w->Grid()->TextMatrix(w->Grid()->Row(), 1), QStringLiteral("48"));
    w->KeyDownEdits(winsys::vbKeyReturn);
    EXPECT_EQ(English(48), QStringLiteral("woe"));

    // The word of the open editor deleted elsewhere: the refresh says the
    // text was not stored and nothing is written.
    ASSERT_GT(RowOfID(w, 5), 0);
    Type(w, RowOfID(w, 5), 5, QStringLiteral("never"));
    tav::WordDb->ExecNative(QStringLiteral("DELETE FROM Main WHERE ID = 5"));
    other->cmdFresh_Click();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("was not stored"))) << messages.Messages()[0].prompt.toStdString();
    EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("never")));
    EXPECT_FALSE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
    w->msFlxMulti_GotFocus();
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM Main WHERE English = 'never'")), 0);
}

TEST_F(GridStdTest, AnEditOfAWordGoneMeanwhileIsReportedAndStoresNothing)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const int row = RowOfID(w, 36);
    tav::WordDb->ExecNative(QStringLiteral("DELETE FROM Main WHERE ID = 36"));
    const long long arts = Count(QStringLiteral("SELECT count(*) FROM AllEnglishGreek WHERE ID = 36 AND Art = 'to'"));
    for (int col : {3, 4, 5, 6}) {
        SCOPED_TRACE(col);
        messages.Clear();
        Edit(w, row, col, QStringLiteral("to"));
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("no longer in the word list")))
            << messages.Messages()[0].prompt.toStdString();
        w->KeyDownEdits(winsys::vbKeyEscape);
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM AllEnglishGreek WHERE ID = 36 AND Art = 'to'")), arts);
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM AllEnglishGreek WHERE ID = 36 AND Greek = 'to'")), 0);
}

TEST_F(GridStdTest, PastedLineBreaksBecomeBlanksAndOtherControlCharactersAreRefused)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const int row = RowOfID(w, 48);
    Edit(w, row, 5, QStringLiteral("alas,\r\nwoe\tbetide"));
    EXPECT_EQ(English(48), QStringLiteral("alas, woe betide"));
    EXPECT_EQ(IndexRows(QStringLiteral("AllEnglishGreek"), 48), QStringList({QStringLiteral("alas"), QStringLiteral("woe betide")}));
    Edit(w, row, 6, QStringLiteral("ack\n"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 48")).toString(), QStringLiteral("ack"));
    EXPECT_TRUE(messages.Messages().isEmpty());

    for (const QString &typed : {QStringLiteral("bell\a"), QStringLiteral("a\x1b[0m"), QString(QStringLiteral("x")) + QChar(0x85) + QChar(0x7f)}) {
        messages.Clear();
        Edit(w, row, 5, typed);
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("control character")));
        EXPECT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
        EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), QStringLiteral("alas, woe betide")) << "the stored text is back";
        w->KeyDownEdits(winsys::vbKeyEscape);
    }
    EXPECT_EQ(English(48), QStringLiteral("alas, woe betide"));
}

TEST_F(GridStdTest, AnEditAfterTheDatabaseFileWasDeletedSaysSoAndStoresNothing)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    ASSERT_TRUE(QFile::remove(db.Path()));
    Edit(w, RowOfID(w, 48), 5, QStringLiteral("woe"));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("deleted, moved or replaced")))
        << messages.Messages()[0].prompt.toStdString();
    EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), QStringLiteral("woe")) << "the typed text is kept in the editor";
    w->KeyDownEdits(winsys::vbKeyEscape);
    // The connection still reads the file it opened: nothing went into it.
    EXPECT_EQ(tav::WordDb->QueryNative(QStringLiteral("SELECT English FROM Main WHERE ID = 48"))[0][0].toString(),
              QStringLiteral("alas"));
    EXPECT_EQ(IndexRows(QStringLiteral("AllEnglishGreek"), 48), QStringList({QStringLiteral("alas")}));
}

TEST_F(GridStdTest, RowEntryClearsTheMeaningsASimpleListLeftInPanelFour)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    host.SetPanelText(4, tav::Caps1185(1214) + QStringLiteral("mer  "));
    link.SetPanelText(4, QStringLiteral("the store's"));
    Enter(w, RowOfID(w, 36), 4);
    EXPECT_EQ(host.PanelText(4), QString());
    EXPECT_EQ(link.PanelText(4), QStringLiteral("the store's")) << "the panels are the main window's";
}

TEST_F(GridStdTest, ASwitchOfTheThirdLanguageClosesItsListsWithAWordAndNoEditReachesTheNewTable)
{
    tav::AddThirdLanguage(QStringLiteral("German"), QStringLiteral("willkommen"));
    QPointer<tav::GridStd> swedish = Open(tav::SqlLang3, 2);
    QPointer<tav::GridStd> verbs = Open(tav::SqlLang3, 5, 0, QStringLiteral("WT Like'c*'"));
    const QString swedishMeaning = Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 36")).toString();
    // A meaning typed in the Swedish column and not yet committed.
    Type(swedish, RowOfID(swedish, 36), 6, QStringLiteral("mer"));
    messages.Clear();
    const tav::ThirdLanguageSaved saved = tav::Save3rdLang(QStringLiteral("German"));
    ASSERT_TRUE(saved);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(swedish.isNull() || !swedish->isVisible());
    EXPECT_TRUE(verbs.isNull() || !verbs->isVisible());
    // The typed text is reported as not stored; the outcome names the closing.
    ASSERT_EQ(messages.Messages().size(), 1) << messages.Prompts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("was not stored")));
    ASSERT_TRUE(saved.ListsClosed);
    EXPECT_TRUE(saved.ListsClosed->Prompt.contains(QStringLiteral("The third language is now German")));
    EXPECT_TRUE(saved.ListsClosed->Prompt.contains(QStringLiteral("Swedish")));
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 36")).toString(), swedishMeaning);

    // A list of the new language shows it, and its edits go to its table.
    tav::GridStd *german = Open(tav::SqlLang3, 2);
    EXPECT_TRUE(german->QueryText().contains(QStringLiteral("GreekGerman")));
    messages.Clear();
    Edit(german, RowOfID(german, 36), 6, QStringLiteral("mehr"));
    EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekGerman WHERE ID = 36")).toString(), QStringLiteral("mehr"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 36")).toString(), swedishMeaning);
    // A list that reads no language table (English only) stays open.
    tav::GridStd *english = Open(tav::SqlMain, 2);
    const tav::ThirdLanguageSaved back = tav::Save3rdLang(QStringLiteral("Swedish"));
    ASSERT_TRUE(back);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(english->isVisible());
    ASSERT_TRUE(back.ListsClosed);
    EXPECT_TRUE(back.ListsClosed->Prompt.contains(QStringLiteral("German meanings were closed")));
}

TEST_F(GridStdTest, TheGreekColumnRefusesWhatTypingWouldRefuseNamingTheCharacter)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    const int row = RowOfID(w, 36);
    const QString greek = Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")).toString();
    const QString sal = Value(QStringLiteral("SELECT Sal FROM Main WHERE ID = 36")).toString();
    // Pasted Unicode Greek, a Latin letter outside the keys, a digit and a letter.
    for (const QString &pasted : {QStringLiteral("ακούω"), QStringLiteral("akouvj"), QStringLiteral("Äpfel")}) {
        SCOPED_TRACE(pasted.toStdString());
        messages.Clear();
        Edit(w, row, 4, pasted);
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_TRUE(messages.Messages()[0].prompt.startsWith(QStringLiteral("Nothing was stored: the character \"")))
            << messages.Messages()[0].prompt.toStdString();
        EXPECT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
        EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), pasted) << "kept for the user to mend";
        EXPECT_EQ(w->Grid()->TextMatrix(row, 4), greek);
        w->KeyDownEdits(winsys::vbKeyEscape);
    }
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")).toString(), greek);
    EXPECT_EQ(Value(QStringLiteral("SELECT Sal FROM Main WHERE ID = 36")).toString(), sal);
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM GreekSwedish WHERE ID = 36")).toString(), greek);
    // Capitals pass, as typing lets them.
    messages.Clear();
    Edit(w, row, 4, QStringLiteral("Akovma"));
    EXPECT_TRUE(messages.Messages().isEmpty());
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")).toString(), QStringLiteral("Akovma"));
}

TEST_F(GridStdTest, DeletingOrHidingTheThirdLanguageOfOpenListsLeavesNoBrokenRefresh)
{
    tav::AddThirdLanguage(QStringLiteral("German"), QStringLiteral("willkommen"));
    ASSERT_TRUE(tav::Save3rdLang(QStringLiteral("German")));
    QPointer<tav::GridStd> german = Open(tav::SqlLang3, 2);
    ASSERT_TRUE(german->QueryText().contains(QStringLiteral("GreekGerman")));
    ASSERT_TRUE(tav::Save3rdLang(QStringLiteral("Swedish")));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(german.isNull() || !german->isVisible()) << "the switch closes the list of the former language";
    tav::GridStd *swedish = Open(tav::SqlLang3, 2);
    ASSERT_EQ(swedish->Grid()->Cols(), 7);

    tav::frmOptions dialog;
    dialog.show();
    dialog.cboUserAdded->setCurrentIndex(dialog.cboUserAdded->findText(QStringLiteral("German")));
    messages.Answer(winsys::vbYes);
    dialog.cmdDelete_Click();
    ASSERT_FALSE(tav::LanguageExists(QStringLiteral("German")));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(german.isNull() || !german->isVisible()) << "the list of the deleted language is closed";
    messages.Clear();
    tav::RefreshGridForms();
    EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(swedish->isVisible());

    // Hiding the language hides its column in the open lists at once.
    EXPECT_GT(swedish->Grid()->ColWidth(6), 0);
    dialog.chk3rd->setChecked(true);
    dialog.chk3rd_Click();
    dialog.ApplyOKRoutines();
    EXPECT_EQ(swedish->Grid()->ColWidth(6), 0);
    EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join(QLatin1Char('|')).toStdString();
}

} // namespace

TEST_F(GridStdTest, ARightClickMakesItsRowCurrentBeforeTheConjugationsMenuActs)
{
    tav::GridStd *verbs = Open(tav::SqlLang3, 5, 0, QStringLiteral("WT Like'c*'"));
    flexgrid::FlexGrid &g = *verbs->Grid();
    ASSERT_GE(g.Rows(), 4);
    Enter(verbs, 1, 4);
    host.facts.clear();
    tav::WordKind = 3; // the grammar panel shows a verb

    // A right-click on another row: that row's verb is current, and shown,
    // when the menu opens.
    const QPoint at = g.CellRect(3, 4).center();
    QTest::mousePress(g.viewport(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(g.viewport(), Qt::RightButton, Qt::NoModifier, at);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(tavtest::ListProbe(verbs).WordID, g.TextMatrix(3, 1).toLongLong());
    ASSERT_FALSE(host.facts.isEmpty());
    EXPECT_TRUE(host.facts.last().startsWith(g.TextMatrix(3, 1) + QLatin1Char('|')));
    EXPECT_EQ(host.popups, 1);

    // On the current row it only opens the menu.
    QTest::mousePress(g.viewport(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(g.viewport(), Qt::RightButton, Qt::NoModifier, at);
    EXPECT_EQ(host.popups, 2);
    EXPECT_EQ(g.Row(), 3);
}

TEST_F(GridStdTest, TheMenuKeyAndShiftF10OpenTheConjugationsMenuOfTheCurrentRow)
{
    tav::GridStd *verbs = Open(tav::SqlLang3, 5, 0, QStringLiteral("WT Like'c*'"));
    flexgrid::FlexGrid &g = *verbs->Grid();
    Enter(verbs, 2, 4);
    tav::WordKind = 3; // the grammar panel shows a verb
    QTest::keyClick(&g, Qt::Key_Menu);
    EXPECT_EQ(host.popups, 1);
    QTest::keyClick(&g, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(host.popups, 2);
    QTest::keyClick(&g, Qt::Key_F10);
    EXPECT_EQ(host.popups, 2) << "F10 alone is the menu bar's";
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(tavtest::ListProbe(verbs).tbN->isVisible()) << "no editor opens";
}

// Each row the user arrows to writes its word into lblInfo. The label keeps
// its size and paints its own background, the window's colour: the window
// around it is neither laid out again (its frame with it) nor painted for
// it, and it looks as it did on the window's background.
TEST_F(GridStdTest, TheRowsWordGoesToItsLabelWithoutLayingOutTheWindowAgain)
{
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    w->show();
    tavtest::EventCount requests(w, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents();
    requests.count = 0;
    const QRect place = tavtest::ListProbe(w).lblInfo->geometry();
    for (int row = 2; row <= 4; ++row) {
        Enter(w, row, 4);
        QCoreApplication::sendPostedEvents(w, QEvent::LayoutRequest);
        EXPECT_EQ(tavtest::ListProbe(w).lblInfo->text(), w->Grid()->TextMatrix(row, 4));
    }
    EXPECT_EQ(requests.count, 0);
    EXPECT_EQ(tavtest::ListProbe(w).lblInfo->geometry(), place);

    const QImage own = w->grab().toImage();
    tavtest::ListProbe(w).lblInfo->setAutoFillBackground(false);
    EXPECT_EQ(w->grab().toImage(), own) << "the label's background is the window's";
}

// A list open across a compaction, an added and deleted language and the
// gender fill-in reads the file at the path and stores its edits there.
TEST_F(GridStdTest, AnOpenListGoesOnWithTheFileAfterEachChangeOfIt)
{
    struct Change {
        const char *name;
        std::function<void()> run;
    };
    const Change changes[] = {
        {"compaction", [] { EXPECT_TRUE(tav::CompactWordDatabase()); }},
        {"a language added and deleted",
         [] {
             tav::AddThirdLanguage(QStringLiteral("Fi"), QString());
             tav::DeleteThirdLanguage(QStringLiteral("Fi"));
         }},
        {"the gender fill-in", [] { tav::SetGenderFromArticle(); }},
    };
    tav::GridStd *w = Open(tav::SqlLang3, 2);
    flexgrid::FlexGrid &g = *w->Grid();
    const int row = 3;
    const long long id = g.TextMatrix(row, 1).toLongLong();
    int n = 0;
    for (const Change &change : changes) {
        SCOPED_TRACE(change.name);
        change.run();
        ASSERT_TRUE(messages.Prompts().isEmpty()) << messages.Prompts().join("\n").toStdString();
        const QString edited = QStringLiteral("wanderer %1").arg(++n);
        Edit(w, row, 5, edited);
        EXPECT_TRUE(messages.Prompts().isEmpty()) << messages.Prompts().join("\n").toStdString();
        EXPECT_EQ(Value(QStringLiteral("SELECT English FROM Main WHERE ID = %1").arg(id)).toString(), edited);
        w->RefreshGrid();
        EXPECT_EQ(g.TextMatrix(RowOfID(w, id), 5), edited);
    }
}
