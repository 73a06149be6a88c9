#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "BareGame.h"
#include "platform/input/VirtualKeys.h"
#include "support/WindowTestBench.h"
#include "system/ZKSYSTEM.h"

namespace {

using platform::VK_DOWN;
using platform::VK_LEFT;
using platform::VK_RETURN;
using platform::VK_RIGHT;
using platform::VK_UP;
using Point = std::pair<int, int>;

// The windows as the keys see them; by default the message window is shown and open
// at rest, nothing is hovered and no choices are up.
struct Windows {
    std::uint32_t shown = 1;
    std::uint32_t open = 1;
    int x = 2;
    int y = 417;
    std::uint32_t button = 0;
    std::uint32_t platesUp = 0;
    int plates = 0;
    int plate = -1;
};

struct KeyCase {
    const char* name;
    Windows w;
    std::vector<int> keys;  // released together in one frame
    std::optional<Point> warp;
};

constexpr Point kRest{400, 410};
Point Button(int k) { return {571 + 39 * (k - 1), 438}; }
Point PlateAt(int y) { return {400, y}; }

struct AdventureKeys : BareGame {
    ZKSYSTEM sys;

    AdventureKeys() {
        sys.Initialize(nullptr, 1);
        game->pSystem = &sys;
    }
    void set(const Windows& w) {
        game->nMsgWndDispFlg = w.shown;
        MSG_WINDOW_DATA& msg = game->MsgWindowData;
        msg.nOpenFlg = w.open;
        msg.nX = w.x;
        msg.nY = w.y;
        msg.nHoverButton = w.button;
        SELECT_WINDOW_COLLECT_DATA& slc = game->SelectWindowData;
        slc.SlcWnd[0].nDispFlg = w.platesUp;
        slc.nNum = w.plates;
        slc.nHover = w.plate;
    }
    // The keys pressed in one frame and released in the next, then the keys' step;
    // the warps it made.
    std::vector<platform::PointerPosition> release(const std::vector<int>& keys) {
        for (const int vk : keys) kit.input.setKey(vk, true);
        sys.MainLoop(nullptr);
        for (const int vk : keys) kit.input.setKey(vk, false);
        sys.MainLoop(nullptr);
        const std::size_t before = kit.input.warps().size();
        EXPECT_EQ(game->ADVKeyCursorMove(), 1);
        return {kit.input.warps().begin() + static_cast<long>(before), kit.input.warps().end()};
    }
};

TEST_F(AdventureKeys, EachReleasedArrowPutsThePointerOnItsTarget) {
    const Windows none;
    const KeyCase cases[] = {
        {"hidden windows", {.shown = 0}, {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}, {}},
        {"closed window", {.open = 0}, {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}, {}},
        {"other key", none, {VK_RETURN}, {}},
        {"left from none", none, {VK_LEFT}, Button(1)},
        {"left from 1 wraps", {.button = 1}, {VK_LEFT}, Button(6)},
        {"left from 4", {.button = 4}, {VK_LEFT}, Button(3)},
        {"right from none", none, {VK_RIGHT}, Button(1)},
        {"right from 3", {.button = 3}, {VK_RIGHT}, Button(4)},
        {"right from 6 wraps", {.button = 6}, {VK_RIGHT}, Button(1)},
        {"left, unknown button", {.button = 7}, {VK_LEFT}, {}},
        {"right, unknown button", {.button = 7}, {VK_RIGHT}, {}},
        // No choices: UP and DOWN alternate between the rest point and button 1.
        {"up, no choices, button", {.button = 2}, {VK_UP}, kRest},
        {"up, no choices", none, {VK_UP}, Button(1)},
        {"down, no choices, button", {.button = 5}, {VK_DOWN}, kRest},
        {"down, no choices", none, {VK_DOWN}, Button(1)},
        {"plates not shown", {.button = 2, .plates = 3, .plate = 1}, {VK_DOWN}, kRest},
        // Three plates.
        {"3: up from nothing", {.platesUp = 1, .plates = 3}, {VK_UP}, PlateAt(224)},
        {"3: up from plate 0", {.platesUp = 1, .plates = 3, .plate = 0}, {VK_UP}, Button(1)},
        {"3: up from plate 2", {.platesUp = 1, .plates = 3, .plate = 2}, {VK_UP}, PlateAt(288)},
        {"3: up from button", {.button = 1, .platesUp = 1, .plates = 3}, {VK_UP}, PlateAt(352)},
        {"3: down from nothing", {.platesUp = 1, .plates = 3}, {VK_DOWN}, PlateAt(224)},
        {"3: down from button", {.button = 4, .platesUp = 1, .plates = 3}, {VK_DOWN}, PlateAt(224)},
        {"3: down from plate 0", {.platesUp = 1, .plates = 3, .plate = 0}, {VK_DOWN}, PlateAt(288)},
        {"3: down from plate 2", {.platesUp = 1, .plates = 3, .plate = 2}, {VK_DOWN}, Button(1)},
        // Two plates and one.
        {"2: up from button", {.button = 6, .platesUp = 1, .plates = 2}, {VK_UP}, PlateAt(324)},
        {"2: down from plate 0", {.platesUp = 1, .plates = 2, .plate = 0}, {VK_DOWN}, PlateAt(324)},
        {"2: down from plate 1", {.platesUp = 1, .plates = 2, .plate = 1}, {VK_DOWN}, Button(1)},
        {"1: up from button", {.button = 3, .platesUp = 1, .plates = 1}, {VK_UP}, PlateAt(288)},
        {"1: down from plate 0", {.platesUp = 1, .plates = 1, .plate = 0}, {VK_DOWN}, Button(1)},
        // The arrows do not move along the bar's buttons up and down.
        {"left beside choices",
         {.button = 2, .platesUp = 1, .plates = 3, .plate = 1},
         {VK_LEFT},
         Button(1)},
        // Several keys: each judged from the state on entry, the last one's move stands.
        {"left and right", {.button = 3}, {VK_RIGHT, VK_LEFT}, Button(4)},
        {"left and up", {.button = 2}, {VK_UP, VK_LEFT}, kRest},
        {"left and down", {.platesUp = 1, .plates = 3}, {VK_DOWN, VK_LEFT}, PlateAt(224)},
        {"up and down", {.platesUp = 1, .plates = 3, .plate = 1}, {VK_DOWN, VK_UP}, PlateAt(352)},
        // A window away from its rest position takes the bar's targets along.
        {"moved window, right", {.x = 100, .y = 50}, {VK_RIGHT}, Point(669, 71)},
        {"moved window, left", {.x = -30, .y = 500, .button = 1}, {VK_LEFT}, Point(734, 521)},
        // Counts and plates outside the table: no choices up, no plate hovered.
        {"count 0", {.button = 2, .platesUp = 1, .plates = 0}, {VK_UP}, kRest},
        {"count 4", {.button = 2, .platesUp = 1, .plates = 4, .plate = 3}, {VK_UP}, kRest},
        {"count -1", {.platesUp = 1, .plates = -1, .plate = 0}, {VK_DOWN}, Button(1)},
        {"plate past the count", {.platesUp = 1, .plates = 2, .plate = 2}, {VK_DOWN}, PlateAt(252)},
        {"plate past the table",
         {.button = 1, .platesUp = 1, .plates = 3, .plate = 7},
         {VK_UP},
         PlateAt(352)},
    };
    for (const KeyCase& c : cases) {
        set(c.w);
        const auto warps = release(c.keys);
        if (!c.warp) {
            EXPECT_TRUE(warps.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(warps.size(), 1u) << c.name;
        EXPECT_EQ(Point(warps[0].x, warps[0].y), *c.warp) << c.name;
    }
    EXPECT_TRUE(kit.debugLines().empty());
}

// The targets lie where the windows' own hover tests find their buttons and plates:
// three plates and the bar walked round by the arrows alone.
TEST(AdventureKeysOverWindows, TheArrowsWalkTheWindowsRound) {
    zktest::WindowTestBench bench;
    GAMEMAIN& g = bench.game();
    ASSERT_EQ(g.MsgWindowData.Initialize(bench.context), 1u);
    ASSERT_EQ(g.MsgWindowData.WindowOpen(0), 1);
    ASSERT_EQ(g.SelectWindowData.Initialize(3, bench.context), 1u);
    int k = 0;
    while (g.SelectWindowData.AppSelectWindowProc(zktest::WindowTestBench::Time(k++), 100) == 0) {
    }
    g.nMsgWndDispFlg = 1;
    platform::ScriptedInput& input = bench.kit.sprites.kit.input;
    ZKSYSTEM& sys = bench.kit.sys;
    input.setPointer({5, 5});
    // After each key: the hovered plate and bar button.
    const struct {
        int vk;
        std::int32_t plate;
        std::uint32_t button;
    } steps[] = {
        {VK_DOWN, 0, 0},   {VK_DOWN, 1, 0},   {VK_DOWN, 2, 0},   {VK_DOWN, -1, 1},
        {VK_RIGHT, -1, 2}, {VK_RIGHT, -1, 3}, {VK_RIGHT, -1, 4}, {VK_RIGHT, -1, 5},
        {VK_RIGHT, -1, 6}, {VK_RIGHT, -1, 1}, {VK_LEFT, -1, 6},  {VK_UP, 2, 0},
        {VK_UP, 1, 0},     {VK_UP, 0, 0},     {VK_UP, -1, 1},
    };
    for (const auto& s : steps) {
        input.setKey(s.vk, true);
        sys.MainLoop(nullptr);
        input.setKey(s.vk, false);
        sys.MainLoop(nullptr);
        EXPECT_EQ(g.ADVKeyCursorMove(), 1);
        sys.MainLoop(nullptr);
        int x = 0, y = 0;
        sys.GetMousePos(&x, &y);
        const std::uint32_t now = zktest::WindowTestBench::Time(k++);
        g.MsgWindowData.WindowStandby(x, y, KEY_STATE_UP, now);
        g.SelectWindowData.WindowStandby(x, y, KEY_STATE_UP, now, 1);
        EXPECT_EQ(std::pair(g.SelectWindowData.nHover, g.MsgWindowData.nHoverButton),
                  std::pair(s.plate, s.button))
            << "after key " << s.vk << " at " << x << ", " << y;
    }
}

}  // namespace
