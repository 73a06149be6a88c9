#include <gtest/gtest.h>

#include "MenuFixture.h"
#include "platform/input/VirtualKeys.h"

using zktest::ExtrasMenu;
using zktest::MenuPoint;

namespace {

constexpr int kKeys[] = {platform::VK_LEFT, platform::VK_RIGHT, platform::VK_UP, platform::VK_DOWN};
constexpr MenuPoint kNowhere{1, 1};

// Every key from every button with the dress room hidden and offered; 0 in the
// table: the pointer stays.
TEST_F(ExtrasMenu, ArrowKeysWarpToTheCentreOfTheButtonTheTableNames) {
    const struct {
        std::uint32_t clear;
        int from;
        int target[4];  // left, right, up, down
    } rows[] = {
        {0, 0, {3, 3, 3, 3}},  {0, 1, {2, 2, 3, 3}}, {0, 2, {1, 1, 3, 1}},    {0, 3, {2, 2, 1, 1}},
        {0, 4, {0, 0, 0, 0}},  {1, 0, {3, 3, 3, 3}}, {1, 1, {4, 2, 3, 3}},    {1, 2, {4, 4, 3, 1}},
        {1, 3, {4, 2, 1, 1}},  {1, 4, {2, 2, 3, 1}}, {0x80, 2, {4, 4, 3, 1}}, {1, 5, {0, 0, 0, 0}},
        {1, -1, {0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        gameClear = row.clear;
        Start(row.clear);
        for (int k = 0; k < 4; ++k) {
            bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
            menu.nCursorId = row.from;
            ReleaseKeys({kKeys[k]});
            EXPECT_EQ(menu.KeyCursorMove(), 1);
            const MenuPoint want = row.target[k] == 0 ? kNowhere : kCentre[row.target[k]];
            EXPECT_EQ(Pointer().x, want.x) << row.clear << " from " << row.from << " key " << k;
            EXPECT_EQ(Pointer().y, want.y) << row.clear << " from " << row.from << " key " << k;
        }
        menu.Release();
    }
}

// Keys released together are each judged from the same button, the last winning;
// a key pressed or held is no release.
TEST_F(ExtrasMenu, OfArrowKeysReleasedTogetherTheLastJudgedWins) {
    Start(1);
    const struct {
        std::vector<int> keys;
        int from;
        MenuPoint to;
    } cases[] = {
        {{platform::VK_LEFT, platform::VK_DOWN}, 2, kCentre[1]},
        {{platform::VK_DOWN, platform::VK_LEFT}, 2, kCentre[1]},
        {{platform::VK_RIGHT, platform::VK_UP}, 1, kCentre[3]},
        {{platform::VK_LEFT, platform::VK_RIGHT}, 3, kCentre[2]},
    };
    for (const auto& c : cases) {
        bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
        menu.nCursorId = c.from;
        ReleaseKeys(c.keys);
        menu.KeyCursorMove();
        EXPECT_EQ(Pointer().x, c.to.x) << c.from;
        EXPECT_EQ(Pointer().y, c.to.y) << c.from;
    }
    for (int held = 0; held < 2; ++held) {
        bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
        input.setKey(platform::VK_UP, true);
        bench.sys->KeyScan();
        if (held == 1) bench.sys->KeyScan();
        menu.KeyCursorMove();
        EXPECT_EQ(Pointer().x, kNowhere.x) << held;
        input.setKey(platform::VK_UP, false);
        bench.sys->KeyScan();
    }
}

// The standby moves the pointer before its hit test, which still sees the point it
// was given; the next frame finds the button.
TEST_F(ExtrasMenu, TheStandbyWarpsFirstAndFindsTheButtonInTheNextFrame) {
    Start(0);
    ReleaseKeys({platform::VK_RIGHT});
    EXPECT_EQ(Standby(kOn[0], 0), 0);
    const MenuPoint to = Pointer();
    EXPECT_EQ(to.x, kCentre[3].x);
    EXPECT_EQ(to.y, kCentre[3].y);
    bench.sys->KeyScan();
    EXPECT_EQ(Standby(to, 16), 1);
    EXPECT_EQ(menu.nCursorId, SPECIAL_DATA::kTitle);
}

}  // namespace
