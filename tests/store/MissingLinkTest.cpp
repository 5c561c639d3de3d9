// An entry point that forgets to install the windows' links stops at the
// first use, with a message naming the call it forgot, instead of going on
// with links that do nothing.
#include "store/ListWindowLink.h"
#include "store/MainWindowLink.h"

#include <gtest/gtest.h>

TEST(MissingLinkDeathTest, TheStoreStopsAtAMissingLink)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    tav::SetLink(nullptr);
    tav::SetListWindowFactory(nullptr);
    EXPECT_DEATH(tav::Link().SetPanelText(3, QStringLiteral("ID 7")), "SetLink");
    EXPECT_DEATH(tav::ListWindows().NewStdGrid(), "SetListWindowFactory");
}
