#include <gtest/gtest.h>

#include "platform/ManualClock.h"

using platform::ManualClock;

TEST(ManualClockDeathTest, SpinningOnNowAborts) {
    EXPECT_DEATH(
        {
            ManualClock clock;
            while (clock.now() < 10) {
            }
        },
        "busy wait");
}
