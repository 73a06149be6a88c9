#include <gtest/gtest.h>

#include "platform/ManualClock.h"

using platform::ManualClock;

TEST(ManualClock, AdvancesSleepsAndWraps) {
    ManualClock clock(0xFFFFFFF0u);
    clock.advance(0x0F);
    EXPECT_EQ(clock.now(), 0xFFFFFFFFu);
    clock.sleep(0x11);
    EXPECT_EQ(clock.now(), 0x10u);
    EXPECT_EQ(clock.now() - 0xFFFFFFF0u, 0x20u);  // unsigned elapsed time survives the wrap
    clock.set(500);
    EXPECT_EQ(clock.now(), 500u);
    EXPECT_EQ(clock.sleeps(), std::vector<std::uint32_t>{0x11});
}

TEST(ManualClockDeathTest, SpinningOnNowAborts) {
    EXPECT_DEATH(
        {
            ManualClock clock;
            while (clock.now() < 10) {
            }
        },
        "busy wait");
}
