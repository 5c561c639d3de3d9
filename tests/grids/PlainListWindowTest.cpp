#include "grids/PlainListWindow.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/Dynasets.h"
#include "store/SharedState.h"
#include "support/RecordingLink.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A small word table in a database of its own, shared as WordDb for the test.
class PlainListWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db = dao::DBEngine::CreateDatabase(m_dir.filePath("words.twl"));
        m_db->Execute("CREATE TABLE Main (Sal TEXT, ID INTEGER, WT TEXT, Art TEXT, Greek TEXT, "
                      "English TEXT, Remarks TEXT)");
        m_db->Execute("INSERT INTO Main VALUES ('c', 3, 'am', 'o', 'gatoV', 'cat', '')");
        m_db->Execute("INSERT INTO Main VALUES ('a', 1, 'am', 'o', 'anqrwpoV', 'man', '')");
        m_db->Execute("INSERT INTO Main VALUES ('b', 2, 'af', 'h', 'bolhv', 'shot', '')");
        m_saved = tav::WordDb;
        tav::WordDb = m_db;
        winsys::SetMessageService(&m_messages);
    }
    void TearDown() override
    {
        winsys::SetMessageService(nullptr);
        tav::WordDb = m_saved;
    }

    // Opens a window on the query the way Dynasets.DoStdGrid does.
    tav::PlainListWindow *Open(const QString &sql, const QString &filter = QString())
    {
        auto *w = new tav::PlainListWindow();
        dao::RecordsetPtr rows = m_db->OpenRecordset(sql);
        rows->MoveFirst();
        dao::RecordsetPtr filtered = tav::DynasetsObj.FilterField(*rows, filter);
        const long long n = filtered->RecordCount();
        w->SetRecordset(std::move(filtered));
        w->SetFilterText(filter);
        w->SetSqlText(sql);
        w->SetCaption(QString::number(n) + " Nouns");
        w->SetSortValue(0);
        w->SetGridTag("2");
        w->GridLangDep(0);
        return w;
    }

    struct Silent : winsys::MessageService {
        QStringList prompts;
        int Show(const QString &prompt, int, const QString &) override
        {
            prompts << prompt;
            return winsys::vbOK;
        }
    } m_messages;
    QTemporaryDir m_dir;
    dao::DatabasePtr m_db, m_saved;
};

const QString kSql = "SELECT Sal, ID, WT, Art, Greek, English FROM Main";

} // namespace

TEST_F(PlainListWindowTest, ShowsTheRowsSortedWithTheContractNames)
{
    std::unique_ptr<tav::PlainListWindow> w(Open(kSql));
    EXPECT_TRUE(w->Name().startsWith("Grid"));
    EXPECT_EQ(w->Caption(), "3 Nouns");
    EXPECT_EQ(w->Grid().objectName(), "msFlxMulti");
    EXPECT_EQ(w->Grid().Tag(), "2");
    flexgrid::FlexGrid &g = w->Grid();
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.Cols(), 6);
    EXPECT_EQ(g.TextMatrix(0, 4), "Greek");
    // Sorted on the sort key, which is hidden; the Greek columns in the Greek font.
    EXPECT_EQ(g.TextMatrix(1, 4), "anqrwpoV");
    EXPECT_EQ(g.TextMatrix(3, 5), "cat");
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_GT(g.ColWidth(5), 0);
    EXPECT_EQ(g.CellFontNameAt(2, 4), "VudedoGreek");
    EXPECT_EQ(g.CellFontNameAt(2, 3), "VudedoGreek");
    EXPECT_NE(g.CellFontNameAt(2, 5), "VudedoGreek");
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 4);
    // The store reads the grid through its link.
    EXPECT_EQ(w->msFlxMulti().TextMatrix(2, 5), "shot");
}

TEST_F(PlainListWindowTest, RefreshRunsTheQueryAgainAndKeepsTheCell)
{
    std::unique_ptr<tav::PlainListWindow> w(Open(kSql, "WT Like 'a*'"));
    w->Grid().SetRow(2);
    w->Grid().SetCol(5);
    m_db->Execute("INSERT INTO Main VALUES ('d', 4, 'an', 'to', 'dwvro', 'gift', '')");
    w->RefreshGrid();
    EXPECT_EQ(w->Caption(), "4 Nouns");
    EXPECT_EQ(w->Grid().Rows(), 5);
    EXPECT_EQ(w->Grid().Row(), 2);
    EXPECT_EQ(w->Grid().Col(), 5);
    EXPECT_TRUE(m_messages.prompts.isEmpty());
}

TEST_F(PlainListWindowTest, ARefreshThatFindsNothingClosesTheWindow)
{
    QPointer<tav::PlainListWindow> w(Open(kSql));
    m_db->Execute("DELETE FROM Main");
    w->RefreshGrid();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

TEST_F(PlainListWindowTest, AnEngineErrorIsReportedOnce)
{
    std::unique_ptr<tav::PlainListWindow> w(Open(kSql));
    w->SetSqlText("SELECT Nothing FROM Nowhere");
    w->RefreshGrid();
    EXPECT_EQ(m_messages.prompts.size(), 1);
    EXPECT_EQ(w->Caption(), "3 Nouns");
}

TEST_F(PlainListWindowTest, GetPosWritesTheFieldAndClearsSaveBusy)
{
    std::unique_ptr<tav::PlainListWindow> w(Open("SELECT Sal, ID, WT, Art, Greek, English, Remarks FROM Main"));
    tav::SaveBusy = true;
    w->GetPos(2, "a remark's text", 6);
    EXPECT_FALSE(tav::SaveBusy);
    auto rs = m_db->OpenRecordset("SELECT Remarks FROM Main WHERE ID = 2");
    EXPECT_EQ(rs->Text(0), "a remark's text");
    EXPECT_EQ(w->Grid().TextMatrix(2, 6), "a remark's text");
}

TEST_F(PlainListWindowTest, ShowsInTheMdiAreaAndClosesFromIt)
{
    QMdiArea area;
    auto *w = new tav::PlainListWindow(&area);
    w->SetRecordset(m_db->OpenRecordset(kSql));
    w->SetCaption("3 Nouns");
    w->Show();
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(area.subWindowList().first()->windowTitle(), "3 Nouns");
    QPointer<tav::PlainListWindow> guard(w);
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_TRUE(guard.isNull());
}

TEST_F(PlainListWindowTest, ShowsThroughTheFrameAndCascadesNewWindows)
{
    QMdiArea area;
    area.resize(1000, 800);
    int framed = 0;
    auto addToFrame = [&](QWidget *form) {
        ++framed;
        return area.addSubWindow(form);
    };
    auto *first = new tav::PlainListWindow(addToFrame);
    first->SetRecordset(m_db->OpenRecordset(kSql));
    first->Show();
    auto *second = new tav::PlainListWindow(addToFrame);
    second->SetRecordset(m_db->OpenRecordset(kSql));
    second->Show();
    second->Show(); // a second Show keeps the one frame
    EXPECT_EQ(framed, 2);
    ASSERT_EQ(area.subWindowList().size(), 2);
    const QPoint a = area.subWindowList().at(0)->pos();
    const QPoint b = area.subWindowList().at(1)->pos();
    EXPECT_EQ(a, QPoint(0, 0));
    EXPECT_GT(b.x(), a.x());
    EXPECT_EQ(b.x(), b.y());
}

TEST_F(PlainListWindowTest, GreekRowsAreTallEnoughForTheGreekFont)
{
    tav::PlainListWindow *w = Open(kSql);
    const QFontMetrics greek(QFont("VudedoGreek", tav::GreekFontSize));
    EXPECT_GE(w->Grid().TwipsToPixelsY(w->Grid().RowHeight(1)), greek.height());
    delete w;
}

TEST_F(PlainListWindowTest, EnteringARowShowsItsWordInTheGrammarPanel)
{
    tavtest::RecordingLink link;
    std::unique_ptr<tav::PlainListWindow> w(Open(kSql));
    w->Show();
    EXPECT_EQ(link.calls.filter("SmallFacts"), QStringList{"SmallFacts 1||0"}) << "the first row on opening";
    w->Grid().SetRow(3);
    w->Grid().SetCol(5);
    EXPECT_EQ(w->lblRow(), "3");
    EXPECT_EQ(w->lblCol(), "5");
    w->Grid().SetCol(4); // the same row again: no new request
    EXPECT_EQ(link.calls.filter("SmallFacts"), (QStringList{"SmallFacts 1||0", "SmallFacts 3||0"}));
    EXPECT_EQ(w->lblCol(), "4");

    // A right click offers the Conjugations menu while a verb is shown.
    const QPoint cell = w->Grid().CellRect(1, 4).center();
    tav::WordKind = 2;
    QTest::mouseClick(w->Grid().viewport(), Qt::RightButton, {}, cell);
    EXPECT_EQ(link.Count("PopupConjugations"), 0);
    tav::WordKind = 3;
    QTest::mouseClick(w->Grid().viewport(), Qt::RightButton, {}, cell);
    EXPECT_EQ(link.Count("PopupConjugations"), 1);
    tav::WordKind = QVariant();

    // Moves made by code under GridBusy are not the user's.
    tav::SetGridBusy(true);
    w->Grid().SetRow(2);
    tav::SetGridBusy(false);
    EXPECT_EQ(link.calls.filter("SmallFacts").size(), 2);
    w->Close();
    w.release();
}

TEST_F(PlainListWindowTest, SimpleAndInflectedFormListsTellTheirKindOfRow)
{
    tavtest::RecordingLink link;
    m_db->Execute("CREATE TABLE AllEnglishGreek (Sal TEXT, ID INTEGER, Lat TEXT, Art TEXT, Greek TEXT)");
    m_db->Execute("INSERT INTO AllEnglishGreek VALUES ('a', 7, 'man', 'o', 'anqrwpoV')");
    std::unique_ptr<tav::PlainListWindow> simple(Open("SELECT Sal, ID, Lat, Art, Greek FROM AllEnglishGreek"));
    simple->setObjectName("GridSimple");
    simple->Show();
    EXPECT_EQ(link.calls.filter("SmallFacts").last(), "SmallFacts 7|man|3");

    m_db->Execute("CREATE TABLE FormsAll (GenTem TEXT, ID INTEGER, KasPer TEXT, FormGreek TEXT)");
    m_db->Execute("INSERT INTO FormsAll VALUES ('KonT1', 3, 'S1a', 'x'), ('KlinoMenos', 4, 'sMNom', 'y')");
    std::unique_ptr<tav::PlainListWindow> forms(Open("SELECT GenTem, ID, KasPer, FormGreek FROM FormsAll"));
    forms->SetGridTag("33");
    forms->Show(); // sorted on the table's name: the participle first
    EXPECT_EQ(link.calls.filter("SmallFacts").last(), "SmallFacts 4||33");
    forms->Grid().SetRow(2);
    EXPECT_EQ(link.calls.filter("SmallFacts").last(), "SmallFacts 3||66");
    simple->Close();
    simple.release();
    forms->Close();
    forms.release();
}
