#include "store/Dynasets.h"

#include "WordStoreFixture.h"
#include "support/RecordingListWindow.h"

using namespace tav;

namespace {

class DynasetsRun : public tavtest::WordStoreTest {
protected:
    const QString sql = "SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,Main.English FROM Main ";
    tavtest::RecordingListWindowFactory windows;
};

class RecordingDataControl : public DataControlLink {
public:
    void SetRecordset(dao::RecordsetPtr rows) override
    {
        ++binds;
        this->rows = std::move(rows);
    }
    dao::RecordsetPtr rows;
    int binds = 0;
};

} // namespace

TEST_F(DynasetsRun, RowsOpenANewListWindowCaptionedWithCountAndTitle)
{
    DynasetsObj.DoStdGrid(sql, true, 0, "The complete post # =900001", 2, " ID  = 900001");
    ASSERT_EQ(windows.m_windows.size(), 1u);
    const auto &w = *windows.m_windows[0];
    EXPECT_EQ(w.m_log, (QStringList{"SetRecordset", "SetFilterText", "SetSqlText", "SetCaption", "SetSortValue",
                                    "SetGridTag", "GridLangDep 0", "Show"}));
    EXPECT_EQ(w.m_caption, "1 The complete post # =900001");
    EXPECT_EQ(w.m_filter, " ID  = 900001");
    EXPECT_EQ(w.m_sql, sql);
    EXPECT_EQ(w.m_tag, "2");
    EXPECT_EQ(w.m_sortValue, 0);
    ASSERT_TRUE(w.m_rows);
    EXPECT_EQ(w.m_rows->RecordCount(), 1);
    w.m_rows->MoveFirst();
    EXPECT_EQ(w.m_rows->Text("Greek"), "spivti");
    EXPECT_TRUE(windows.m_sorry.isEmpty());
    EXPECT_TRUE(messages.Prompts().isEmpty());
}

TEST_F(DynasetsRun, InflectedFormsAndRepeatedRequests)
{
    const QString forms = " SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek  FROM FormsAll "
                          "WHERE ID >= 900001";
    DynasetsObj.DoStdGrid(forms, false, 33, "grav*", 33, "");
    DynasetsObj.DoStdGrid(forms, false, 33, "grav*", 33, "");
    ASSERT_EQ(windows.m_windows.size(), 2u) << "every request opens its own window";
    EXPECT_EQ(windows.m_windows[0]->m_caption, "3 grav*");
    EXPECT_EQ(windows.m_windows[1]->m_caption, "3 grav*");
    EXPECT_EQ(windows.m_windows[1]->m_tag, "33");
    EXPECT_NE(windows.m_windows[0]->m_rows.get(), windows.m_windows[1]->m_rows.get());
}

TEST_F(DynasetsRun, NothingFoundShowsTheSorryWindow)
{
    DynasetsObj.DoStdGrid(sql + "WHERE ID = 1234567", true, 0, "The complete post # =1234567", 2, "");
    // A filter that removes every row is no different for the user.
    DynasetsObj.DoStdGrid(sql, false, 0, "nothing", 2, "ID = 1234567");
    EXPECT_TRUE(windows.m_windows.empty());
    ASSERT_EQ(windows.m_sorry.size(), 2);
    EXPECT_EQ(windows.m_sorry[0].message, "Sorry, nothing was found for:");
    EXPECT_EQ(windows.m_sorry[0].text, "The complete post # =1234567");
    EXPECT_TRUE(windows.m_sorry[0].greekFont);
    EXPECT_EQ(windows.m_sorry[1].text, "nothing");
    EXPECT_FALSE(windows.m_sorry[1].greekFont);
    EXPECT_TRUE(messages.Prompts().isEmpty());
}

TEST_F(DynasetsRun, AnEngineErrorIsReportedOnceAndLeavesNoWindow)
{
    const Outcome opened = DynasetsObj.DoStdGrid("SELECT * FROM Mian", true, 0, "x", 2, "");
    ASSERT_FALSE(opened);
    EXPECT_TRUE(opened.Failure->Prompt.contains("Mian")) << opened.Failure->Prompt.toStdString();
    EXPECT_EQ(opened.Failure->Style, winsys::vbOKOnly);
    EXPECT_TRUE(windows.m_windows.empty());
    EXPECT_TRUE(windows.m_sorry.isEmpty());

    // A failure while the window is being laid out closes it again.
    windows.m_failNextLayout = true;
    const Outcome laidOut = DynasetsObj.DoStdGrid(sql, true, 0, "all", 2, "");
    ASSERT_EQ(windows.m_windows.size(), 1u);
    EXPECT_TRUE(windows.m_windows[0]->m_closed);
    EXPECT_FALSE(windows.m_windows[0]->m_shown);
    ASSERT_FALSE(laidOut);
    EXPECT_EQ(laidOut.Failure->Prompt, "Item not found in this collection.");
    EXPECT_TRUE(messages.Prompts().isEmpty());
}

TEST_F(DynasetsRun, ExerciseRowsAreBoundToTheDataControl)
{
    RecordingDataControl data;
    DynasetsObj.MakeExercise(data, sql, "ID = 900001 OR ID = 900002");
    ASSERT_EQ(data.binds, 1);
    EXPECT_EQ(data.rows->RecordCount(), 2);

    DynasetsObj.MakeExercise(data, sql, "ID = 1234567");
    ASSERT_EQ(data.binds, 2);
    EXPECT_EQ(data.rows->RecordCount(), 0) << "an empty set, still bound";

    EXPECT_FALSE(DynasetsObj.MakeExercise(data, "SELECT * FROM Mian", ""));
    EXPECT_EQ(data.binds, 2) << "a failed query leaves the control as it was";
}

TEST_F(DynasetsRun, FilterFieldKeepsTheRowsThatPass)
{
    dao::RecordsetPtr all = WordDb->OpenRecordset(sql + "WHERE ID >= 900001");
    EXPECT_EQ(DynasetsObj.FilterField(*all, "")->RecordCount(), 4);
    EXPECT_EQ(DynasetsObj.FilterField(*all, "Greek Like 'gr*'")->RecordCount(), 1);
}

TEST(DynasetsLabel, GreekTextOrThePlainAlternative)
{
    struct Labels : FormLabelsLink {
        QStringList calls;
        void SetLabel(const QString &Name, const QString &Caption, const QString &FontName, int PointSize) override
        {
            calls << QString("%1|%2|%3|%4").arg(Name, Caption, FontName).arg(PointSize);
        }
    } frm;
    const int saved = GreekFontSize;
    GreekFontSize = 11;
    DynasetsObj.strTest(frm, "gravfw", QVariant());
    DynasetsObj.strTest(frm, "", QVariant("write"));
    GreekFontSize = saved;
    EXPECT_EQ(frm.calls, QStringList({"lblGre|gravfw |VudedoGreek|13", "lblGre|write|MS Sans Serif|13"}));
}
