#include "store/WindowRoutines.h"

#include "platform/dao/Dao.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/CaptionArrays.h"
#include "store/EditRefusal.h"
#include "store/MainWindowLink.h"
#include "store/Notice.h"
#include "support/RecordingListWindow.h"
#include "WordStoreFixture.h"

#include <gtest/gtest.h>

using namespace tav;

namespace {

class WindowRoutines : public ::testing::Test {
protected:
    void SetUp() override
    {
        Caps1185.Set(1186, "Ready");
        Caps1185.Set(1187, ", please wait...");
    }
    void TearDown() override { ResetSharedState(); }
    tavtest::MainWindowRecorder mdi;
};

} // namespace

TEST_F(WindowRoutines, StatusTextUsesTheReadyCaptionForAnEmptyText)
{
    SetStatusText("", true);
    EXPECT_EQ(mdi.PanelText(1), "Ready");
    SetStatusText("Loading", true);
    EXPECT_EQ(mdi.PanelText(1), "Loading, please wait...");
    SetStatusText("Loading", false);
    EXPECT_EQ(mdi.PanelText(1), "Loading");
    SetStatusText("", false);
    EXPECT_EQ(mdi.calls, (QStringList{"Panel 1: Ready", "RefreshStatusBar", "Panel 1: Loading, please wait...",
                                      "RefreshStatusBar", "Panel 1: Loading", "RefreshStatusBar", "Panel 1: Ready",
                                      "RefreshStatusBar"}));
}

TEST_F(WindowRoutines, PrintEntriesFollowTheActiveListWindow)
{
    UpdatePrintMenu(true, "12 Verbs");
    EXPECT_TRUE(mdi.printEnabled);
    EXPECT_EQ(mdi.printCaption, "The active form: \"12 Verbs\"");
    EXPECT_EQ(mdi.printToolTip, "Print :The active form: \"12 Verbs\"");

    UpdatePrintMenu(false);
    EXPECT_FALSE(mdi.printEnabled);
    EXPECT_EQ(mdi.printCaption, "No active form to print.. ");
    EXPECT_EQ(mdi.printToolTip, "No active form to print.. ");
}

TEST_F(WindowRoutines, RefreshGridFormsCallsEveryListWindow)
{
    RefreshGridForms(); // no window: nothing to do, nothing fails
    tavtest::RecordingListWindow std1, simple("GridSimple"), other("Exercise");
    mdi.lists = {&std1, &simple, &other};
    RefreshGridForms();
    EXPECT_EQ(std1.m_refreshes, 1);
    EXPECT_EQ(simple.m_refreshes, 1);
    EXPECT_EQ(other.m_refreshes, 0) << "only windows whose name begins with Grid";
}

TEST_F(WindowRoutines, OpeningAWindowEnablesTheMenusOnlyWhenOneIsVisible)
{
    mdi.children = {{"GridStd", "", false}};
    UpdateWindowMenus(false);
    EXPECT_EQ(mdi.calls, QStringList{"Resize"}) << "hidden child windows change nothing";

    mdi.calls.clear();
    mdi.children = {{"GridStd", "", false}, {"GridSimple", "", true}};
    UpdateWindowMenus(false);
    EXPECT_EQ(mdi.calls, (QStringList{"Resize", "WindowMenus 1", "Klin 1"}));
}

TEST_F(WindowRoutines, ClosingOneOfTwoWindowsKeepsTheMenus)
{
    // Two list windows open; the first one closes and leaves the list.
    mdi.children = {{"GridStd", "", true}};
    UpdateWindowMenus(true);
    EXPECT_EQ(mdi.calls, QStringList{"Resize"});

    // Then the last one closes.
    mdi.calls.clear();
    mdi.children.clear();
    UpdateWindowMenus(true);
    EXPECT_EQ(mdi.calls,
              (QStringList{"Resize", "WindowMenus 0", "BaseFrase", QString("DeKlino %1 99999").arg(0xFFFF), "Klin 0"}));
}

TEST_F(WindowRoutines, ClosingLeavesTheMenusWhileANoCloseWindowIsLoaded)
{
    mdi.children = {{"Exercise", "NoClose", false}};
    UpdateWindowMenus(true);
    EXPECT_EQ(mdi.calls, QStringList{"Resize"});
}

TEST_F(WindowRoutines, ErrorNoticeGivesTheEngineMessageWithItsNumber)
{
    const Notice engine = ErrorNotice(dao::DaoError(1, "no such table: Mian"));
    EXPECT_EQ(engine.Prompt, "Error:1 no such table: Mian");
    EXPECT_EQ(engine.Style, winsys::vbOKOnly);
    EXPECT_EQ(engine.Title, "Tavrinel");
    EXPECT_EQ(ErrorNotice(std::runtime_error("disk full")).Prompt, "Error:0 disk full");
    winsys::ScriptedMessages shown;
    winsys::ShowErrorBox(dao::WriteRefused(13, "The disk is full."));
    winsys::ShowErrorBox(EditRefusal(QStringLiteral("The word has gone.")));
    EXPECT_EQ(shown.Prompts(), QStringList({"The disk is full.", "The word has gone."}));
    EXPECT_EQ(shown.Messages().value(1).style, winsys::vbExclamation);
}
