#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "support/TestKit.h"

namespace {

using Lines = std::vector<std::string>;

TEST(SlotFade, FirstCallStampsTheSlotAndLaterCallsFollowTheFade) {
    zktest::TestKit kit;
    auto game = std::make_unique<GAMEMAIN>();
    SCR_CMD_DATA slot;
    const struct {
        std::uint32_t fadeIn, reset;
        float start, afterStamp, at250;
    } cases[] = {
        {1, 1, 0.7f, 0.0f, 0.25f},
        {0, 1, 0.2f, 1.0f, 0.75f},
        {1, 0, 0.6f, 0.6f, 0.6f},
    };
    for (const auto& c : cases) {
        slot.Clear();
        float value = c.start;
        const auto fadeAt = [&](std::uint32_t now, float in) {
            game->dwNowTime = now;
            return game->FadeTexFunc(&slot, &value, c.fadeIn ? in : 0.0f, 1000, c.fadeIn, c.reset);
        };
        EXPECT_EQ(fadeAt(1000, 1.0f), 2u);
        EXPECT_EQ(slot.dwStartTime, 1000u);
        EXPECT_EQ(slot.dwPhase, 1u);
        EXPECT_EQ(value, c.afterStamp);
        EXPECT_EQ(fadeAt(1250, 1.0f), 2u);
        EXPECT_FLOAT_EQ(value, c.at250);
        EXPECT_EQ(fadeAt(2000, 1.5f), 0u);
        EXPECT_EQ(value, c.fadeIn ? 1.0f : 0.0f);
    }
    const std::string above =
        "Warn: <GAMEMAIN::FadeTexFunc> 目的フェード値が1.0fより大きいので1.0fに修正します";
    EXPECT_EQ(kit.debugLines(), Lines(2, above));

    std::int32_t level = 9;
    slot.Clear();
    game->dwNowTime = 0;
    EXPECT_EQ(game->FadeFunc(&slot, &level, 255, 1000, 1, 1), 2u);
    EXPECT_EQ(level, 0);
    game->dwNowTime = 250;
    EXPECT_EQ(game->FadeFunc(&slot, &level, 255, 1000, 1, 1), 2u);
    EXPECT_EQ(level, 63);
}

TEST(SlotFade, AZeroDurationEndsOnceTimeHasPassed) {
    zktest::TestKit kit;
    auto game = std::make_unique<GAMEMAIN>();
    SCR_CMD_DATA slot;
    float value = 0.3f;
    std::int32_t level = 100;
    game->dwNowTime = 500;
    EXPECT_EQ(game->FadeTexFunc(&slot, &value, 1.0f, 0, 1, 0), 2u);
    EXPECT_EQ(game->FadeTexFunc(&slot, &value, 1.0f, 0, 1, 0), 2u);
    EXPECT_EQ(value, 0.3f);
    game->dwNowTime = 501;
    EXPECT_EQ(game->FadeTexFunc(&slot, &value, 1.0f, 0, 1, 0), 0u);
    EXPECT_EQ(value, 1.0f);
    slot.Clear();
    EXPECT_EQ(game->FadeFunc(&slot, &level, 0, 0, 0, 0), 2u);
    game->dwNowTime = 502;
    EXPECT_EQ(game->FadeFunc(&slot, &level, 0, 0, 0, 0), 0u);
    EXPECT_EQ(level, 0);
}

}  // namespace
