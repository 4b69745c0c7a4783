#include "platform/TTerminateThread.h"

#include <gtest/gtest.h>

#include <cstdlib>

// A shutdown that hangs is cut off with exit code 0 once the delay is over.
TEST(TerminateThreadDeathTest, EndsAHangingShutdownWithExitCodeZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            (new TTerminateThread(50))->start();
            QThread::sleep(30);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}
