// A debug build that forgets to install the list windows' host stops at
// the first use, with a message naming the call it forgot; a release build
// goes on without list windows rather than end in front of a user.
#include "grids/ListWindowHost.h"

#include <gtest/gtest.h>

TEST(MissingHostDeathTest, TheListWindowsStopAtAMissingHost)
{
#ifdef NDEBUG
    GTEST_SKIP() << "a release build goes on past a missing link, showing nothing";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    tav::SetListHost(nullptr);
    EXPECT_DEATH(tav::ListHost().JulGran(), "SetListHost");
}
