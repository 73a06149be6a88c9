#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "extras/SPECIAL_BUTTON_DATA.h"

namespace {

constexpr platform::Rect kHit{335, 423, 472, 600};
constexpr std::uint32_t kFadeMs = 100;

struct Point {
    int x, y;
};
constexpr Point kIn{400, 500};
constexpr Point kOut{0, 0};

// One frame: the time after the sequence's base, the pointer, the strength after it.
// Starts are whole milliseconds, so a strength may lie one step (0.01) off the line.
struct Frame {
    std::uint32_t ms;
    Point at;
    float strength;
};

void SetButton(SPECIAL_BUTTON_DATA& button, std::uint32_t dwFade = kFadeMs) {
    button.Set(400, 546, &kHit, dwFade, 2);
    button.AnimData.AnimationSet(0, 50, ANIMATION_DATA::kKeepType);
    button.AnimData.AnimationSet(1, 50, ANIMATION_DATA::kKeepType);
}

void Follow(SPECIAL_BUTTON_DATA& button, std::uint32_t base, const std::vector<Frame>& frames) {
    for (const Frame& f : frames) {
        EXPECT_EQ(button.Proc(f.at.x, f.at.y, base + f.ms), 1);
        EXPECT_NEAR(button.fHighlight, f.strength, 0.0101) << "base " << base << " +" << f.ms;
    }
}

// Rise, fall and return, each continuing from the strength reached.
const std::vector<Frame> kComeAndGo = {
    {0, kIn, 0.0f},    {50, kIn, 0.5f},   {100, kIn, 1.0f},  {130, kIn, 1.0f},  {140, kOut, 1.0f},
    {180, kOut, 0.6f}, {180, kIn, 0.6f},  {200, kIn, 0.8f},  {200, kOut, 0.8f}, {220, kOut, 0.6f},
    {220, kIn, 0.6f},  {230, kIn, 0.7f},  {230, kOut, 0.7f}, {250, kOut, 0.5f}, {250, kIn, 0.5f},
    {270, kIn, 0.7f},  {270, kOut, 0.7f}, {290, kOut, 0.5f}, {330, kOut, 0.1f}, {340, kOut, 0.0f},
    {500, kOut, 0.0f}, {500, kIn, 0.0f},  {560, kIn, 0.6f},  {560, kOut, 0.6f}, {580, kOut, 0.4f},
    {580, kIn, 0.4f},  {600, kIn, 0.6f},  {640, kIn, 1.0f},
};

// Entering from a strength left from before the clock started.
const std::vector<Frame> kFromHalf = {
    {0, kIn, 0.5f}, {30, kIn, 0.8f}, {50, kIn, 1.0f}, {60, kOut, 1.0f}, {110, kOut, 0.5f},
};

// The same curve wherever the clock stands: at a start of 0, within one fade of it
// and across the wrap of the millisecond clock.
TEST(SpecialButton, TheStrengthFollowsThePointerFromWhereverItStands) {
    for (const std::uint32_t base : {0u, 1000u, 0xFFFFFFFFu - 130u, 0xFFFFFFFFu - 570u}) {
        SPECIAL_BUTTON_DATA button;
        SetButton(button);
        Follow(button, base, kComeAndGo);
    }
    for (const std::uint32_t base : {30u, 100030u, 0xFFFFFFFFu - 40u}) {
        SPECIAL_BUTTON_DATA button;
        SetButton(button);
        button.fHighlight = 0.5f;
        Follow(button, base, kFromHalf);
    }
}

TEST(SpecialButton, LeftAndTopEdgesAreInsideRightAndBottomOutside) {
    const struct {
        Point at;
        float strength;
    } cases[] = {
        {{335, 423}, 1.0f}, {{471, 599}, 1.0f}, {{472, 500}, 0.0f},
        {{400, 600}, 0.0f}, {{334, 500}, 0.0f}, {{400, 422}, 0.0f},
    };
    for (const auto& c : cases) {
        SPECIAL_BUTTON_DATA button;
        SetButton(button);
        button.Proc(c.at.x, c.at.y, 1000);
        button.Proc(c.at.x, c.at.y, 1100);
        EXPECT_EQ(button.fHighlight, c.strength) << c.at.x << "," << c.at.y;
    }
}

// Once chosen, the strength stays where it was wherever the pointer goes, and the
// blink alternates its two frames; the first update after the choice only stamps the
// time.
TEST(SpecialButton, AChosenButtonKeepsItsStrengthAndBlinks) {
    SPECIAL_BUTTON_DATA button;
    SetButton(button);
    button.Proc(kIn.x, kIn.y, 1000);
    button.Proc(kIn.x, kIn.y, 1070);
    button.nClickFlg = 1;
    const struct {
        std::uint32_t ms;
        Point at;
        std::uint32_t frame;
    } frames[] = {
        {1070, kIn, 0},  {1100, kOut, 0}, {1119, kOut, 0}, {1120, kOut, 1}, {1150, kIn, 1},
        {1170, kOut, 0}, {1220, kOut, 1}, {1270, kOut, 0}, {5000, kIn, 1},
    };
    for (const auto& f : frames) {
        button.Proc(f.at.x, f.at.y, f.ms);
        EXPECT_NEAR(button.fHighlight, 0.7f, 1e-6) << f.ms;
        EXPECT_EQ(button.AnimData.nAnimNo, f.frame) << f.ms;
    }
}

TEST(SpecialButton, ANoughtFadeTimeFreezesTheStrength) {
    SPECIAL_BUTTON_DATA button;
    SetButton(button, 0);
    Follow(button, 1000, {{0, kIn, 0.0f}, {500, kIn, 0.0f}, {600, kOut, 0.0f}});
    button.fHighlight = 0.3f;
    Follow(button, 2000, {{0, kIn, 0.3f}, {500, kIn, 0.3f}, {600, kOut, 0.3f}, {9000, kOut, 0.3f}});
}

// Set starts afresh, a null rectangle keeping the old one; Release clears the button,
// and a button released under the pointer rises again from nothing.
TEST(SpecialButton, SetAndReleaseStartAfresh) {
    SPECIAL_BUTTON_DATA button;
    SetButton(button);
    button.Proc(kIn.x, kIn.y, 1000);
    button.Proc(kIn.x, kIn.y, 1200);
    button.nClickFlg = 1;
    button.Set(10, 20, nullptr, 200, 2);
    EXPECT_EQ(button.nX, 10);
    EXPECT_EQ(button.nY, 20);
    EXPECT_EQ(button.fHighlight, 0.0f);
    EXPECT_EQ(button.dwFadeTime, 200u);
    EXPECT_EQ(button.dwFadeStart, 0u);
    EXPECT_EQ(button.nClickFlg, 0);
    EXPECT_EQ(button.rcHit, kHit);
    EXPECT_EQ(button.AnimData.nAnimNum, 2u);

    button.Proc(kIn.x, kIn.y, 3000);
    button.Proc(kOut.x, kOut.y, 3100);
    ASSERT_NE(button.dwFadeStart, 0u);
    button.Release();
    EXPECT_EQ(button.rcHit, platform::Rect{});
    EXPECT_EQ(button.fHighlight, 0.0f);
    EXPECT_EQ(button.dwFadeTime, 0u);
    EXPECT_EQ(button.dwFadeStart, 0u);
    EXPECT_EQ(button.nX, 0);
    EXPECT_EQ(button.nY, 0);
    EXPECT_EQ(button.AnimData.nAnimNum, 0u);
    SetButton(button);
    Follow(button, 5000, {{0, kIn, 0.0f}, {40, kIn, 0.4f}});
}

}  // namespace
