// An entry point that forgets to install the windows' links stops at the
// first use in a debug build, with a message naming the call it forgot,
// instead of going on with links that do nothing; a release build goes on
// rather than end in front of a user.
#include "store/ListRequests.h"
#include "store/ListWindowLink.h"
#include "store/MainWindowLink.h"

#include <gtest/gtest.h>

TEST(MissingLinkDeathTest, TheStoreStopsAtAMissingLink)
{
#ifdef NDEBUG
    GTEST_SKIP() << "a release build goes on past a missing link, showing nothing";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    tav::SetLink(nullptr);
    tav::SetListWindowFactory(nullptr);
    EXPECT_DEATH(tav::Link().SetPanelText(3, QStringLiteral("ID 7")), "SetLink");
    EXPECT_DEATH(tav::ListWindows().NewStdGrid(), "SetListWindowFactory");
    tav::SetListWindowRequests(nullptr);
    EXPECT_DEATH(tav::SendListRequest(tav::ShowRequest(QStringLiteral("Verbs"), QStringLiteral("v"), false, QString())),
                 "SetListWindowRequests");
}
