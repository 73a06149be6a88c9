#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "BareGame.h"

namespace {

using Lines = std::vector<std::string>;
enum class Fn { OutTex, InTex, Out, In };

struct Step {
    std::uint32_t now;
    double value;  // expected after the call
    std::uint32_t result;
};

struct FadeCase {
    const char* name;
    Fn fn;
    double start, target;
    std::uint32_t duration;
    std::uint32_t startTime;  // time of the stamping call
    std::vector<Step> steps;
};

using Fade = BareGame;

// Runs one fade from a stamping call through the steps, checking value and result.
void RunCase(GAMEMAIN& game, const FadeCase& c) {
    std::uint32_t startTime = 0, phase = 0;
    float fValue = static_cast<float>(c.start);
    std::int32_t nValue = static_cast<std::int32_t>(c.start);
    const auto call = [&] {
        const auto f = static_cast<float>(c.target);
        const auto n = static_cast<std::int32_t>(c.target);
        switch (c.fn) {
            case Fn::OutTex:
                return game.FadeOutTexFunc(&startTime, &phase, &fValue, f, c.duration);
            case Fn::InTex:
                return game.FadeInTexFunc(&startTime, &phase, &fValue, f, c.duration);
            case Fn::Out:
                return game.FadeOutFunc(&startTime, &phase, &nValue, n, c.duration);
            case Fn::In:
                return game.FadeInFunc(&startTime, &phase, &nValue, n, c.duration);
        }
        return 99u;
    };
    const bool isFloat = c.fn == Fn::OutTex || c.fn == Fn::InTex;
    const auto value = [&] { return isFloat ? double(fValue) : double(nValue); };
    game.dwNowTime = c.startTime;
    EXPECT_EQ(call(), 2u);
    EXPECT_NEAR(value(), c.start, 1e-6);
    for (const Step& s : c.steps) {
        game.dwNowTime = s.now;
        EXPECT_EQ(call(), s.result) << "at " << s.now;
        EXPECT_FALSE(std::isnan(value()));
        EXPECT_NEAR(value(), s.value, 1e-6) << "at " << s.now;
        EXPECT_EQ(phase, s.result == 0 ? 0u : 1u);
    }
}

TEST_F(Fade, ValuesFollowTheFullRangeCurve) {
    constexpr std::uint32_t kWrap = 0xFFFFFF00u;
    const FadeCase cases[] = {
        {"out to 0",
         Fn::OutTex,
         1.0,
         0.0,
         1000,
         1000,
         {{1000, 1.0, 2}, {1500, 0.5, 2}, {2000, 0.0, 0}}},
        {"out stops at a middle target",
         Fn::OutTex,
         1.0,
         0.5,
         1000,
         0,
         {{499, 0.501, 2}, {500, 0.5, 0}}},
        {"in waits for the curve",
         Fn::InTex,
         0.6,
         1.0,
         1000,
         0,
         {{250, 0.6, 2}, {600, 0.6, 2}, {800, 0.8, 2}, {1000, 1.0, 0}}},
        {"integer in truncates", Fn::In, 0, 255, 1000, 0, {{250, 63, 2}, {1000, 255, 0}}},
        {"integer out", Fn::Out, 255, 0, 1000, 0, {{500, 127, 2}, {1001, 0, 0}}},
        {"zero duration, no time", Fn::OutTex, 1.0, 0.0, 0, 50, {{50, 1.0, 2}, {51, 0.0, 0}}},
        {"zero duration, integers", Fn::In, 0, 200, 0, 50, {{50, 0, 2}, {60, 200, 0}}},
        {"integer after 4e9 ms", Fn::In, 0, 255, 1, 0, {{4000000000u, 255, 0}}},
        {"integer down after 4e9 ms", Fn::Out, 255, 0, 3, 0, {{4000000000u, 0, 0}}},
        {"start before the wrap",
         Fn::InTex,
         0.0,
         1.0,
         1000,
         kWrap,
         {{kWrap + 100, 0.1, 2}, {kWrap + 999, 0.999, 2}, {kWrap + 1000, 1.0, 0}}},
    };
    for (const FadeCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunCase(*game, c);
    }
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(Fade, TargetsOutsideTheRangeAreClampedWithAWarningEachCall) {
    RunCase(*game, {"out below", Fn::OutTex, 1.0, -0.5, 1000, 0, {{500, 0.5, 2}, {1000, 0.0, 0}}});
    RunCase(*game, {"in above", Fn::InTex, 0.0, 1.5, 1000, 0, {{1000, 1.0, 0}}});
    RunCase(*game, {"int out below", Fn::Out, 255, -3, 1000, 0, {{1000, 0, 0}}});
    RunCase(*game, {"int in above", Fn::In, 0, 300, 1000, 0, {{1000, 255, 0}}});
    const std::string warn = "Warn: <GAMEMAIN::Fade";
    const std::string out = warn + "OutTexFunc> 目的フェード値が0.0f未満です。0.0fに修正します";
    const std::string in = warn + "InTexFunc> 目的フェード値が1.0fより大きいです。1.0fに修正します";
    const std::string intOut = warn + "OutFunc> 目的フェード値が0未満です。0に修正します";
    const std::string intIn = warn + "InFunc> 目的フェード値が255より大きいので255に修正します";
    EXPECT_EQ(kit.debugLines(), (Lines{out, out, out, in, in, intOut, intOut, intIn, intIn}));
}

// A command slot carries the fade's stamp; a reset starts the value at the fade's far end.
TEST_F(Fade, SlotFirstCallStampsTheSlotAndLaterCallsFollowTheFade) {
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
    EXPECT_EQ(kit.debugLines(), Lines(2,
                                      "Warn: <GAMEMAIN::FadeTexFunc> "
                                      "目的フェード値が1.0fより大きいので1.0fに修正します"));

    std::int32_t level = 9;
    slot.Clear();
    game->dwNowTime = 0;
    EXPECT_EQ(game->FadeFunc(&slot, &level, 255, 1000, 1, 1), 2u);
    EXPECT_EQ(level, 0);
    game->dwNowTime = 250;
    EXPECT_EQ(game->FadeFunc(&slot, &level, 255, 1000, 1, 1), 2u);
    EXPECT_EQ(level, 63);
}

TEST_F(Fade, SlotWithZeroDurationEndsOnceTimeHasPassed) {
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
