// A program that forgets to install the list windows' host stops at the
// first use, with a message naming the call it forgot.
#include "grids/ListWindowHost.h"

#include <gtest/gtest.h>

TEST(MissingHostDeathTest, TheListWindowsStopAtAMissingHost)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    tav::SetListHost(nullptr);
    EXPECT_DEATH(tav::ListHost().JulGran(), "SetListHost");
}
