#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "extras/RECURDO_DATA.h"
#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "support/ScriptKit.h"
#include "support/WindowTestBench.h"
#include "system/ZKSYSTEM.h"

using zktest::WindowTestBench;

namespace {

using Lines = std::vector<std::string>;

struct Point {
    int x, y;
};
// The message window at rest, and slid away below the screen.
constexpr Point kRest{2, 417};
constexpr Point kAway{2, 600};
// The button then covers 660..779 x 563..594.
constexpr Point kOn{719, 578};
constexpr Point kOff{400, 300};

struct ReturnButton : ::testing::Test {
    WindowTestBench bench;
    RECURDO_DATA button;

    void SetUp() override {
        ASSERT_EQ(SELoad(bench.snd, bench.sys, 6, nullptr, *bench.context->pShell), 1);
        ASSERT_EQ(button.Initialize(bench.context), 1u);
    }
};

// One frame: the pointer, the window, the click state, then the result, the look and
// the sounds played so far.
struct Frame {
    Point at;
    Point window;
    KEY_STATE click;
    std::int32_t result;
    std::int32_t look;
    std::uint32_t hovers;
    std::uint32_t clicks;
};

TEST_F(ReturnButton, FollowsThePointerAndTheWindow) {
    const Frame frames[] = {
        {kOff, kRest, KEY_STATE_UP, 0, 0, 0, 0},
        // Arriving plays the hover sound once; resting on it reports 1 every frame.
        {kOn, kRest, KEY_STATE_UP, 1, 1, 1, 0},
        {kOn, kRest, KEY_STATE_UP, 1, 1, 1, 0},
        // Pressed and held: the pressed look.
        {kOn, kRest, KEY_STATE_PRESSED, 1, 2, 1, 0},
        {kOn, kRest, KEY_STATE_HELD, 1, 2, 1, 0},
        // Released on it: clicked.
        {kOn, kRest, KEY_STATE_RELEASED, 2, 1, 1, 1},
        // Released elsewhere: nothing; coming back sounds again.
        {kOff, kRest, KEY_STATE_RELEASED, 0, 0, 1, 1},
        {kOn, kRest, KEY_STATE_UP, 1, 1, 2, 1},
        // The edges: left and top inside, right and bottom outside.
        {{660, 563}, kRest, KEY_STATE_UP, 1, 1, 2, 1},
        {{779, 594}, kRest, KEY_STATE_UP, 1, 1, 2, 1},
        {{780, 578}, kRest, KEY_STATE_UP, 0, 0, 2, 1},
        {{719, 595}, kRest, KEY_STATE_UP, 0, 0, 2, 1},
        {{659, 578}, kRest, KEY_STATE_UP, 0, 0, 2, 1},
        {{719, 562}, kRest, KEY_STATE_UP, 0, 0, 2, 1},
        // With the window slid away the button lies below the screen.
        {kOn, kAway, KEY_STATE_RELEASED, 0, 0, 2, 1},
        {{719, 599}, kAway, KEY_STATE_RELEASED, 0, 0, 2, 1},
        {{719, 761}, kAway, KEY_STATE_UP, 1, 1, 3, 1},
    };
    int n = 0;
    for (const Frame& f : frames) {
        SCOPED_TRACE(n++);
        EXPECT_EQ(button.RecurdoStandby(f.at.x, f.at.y, f.window.x, f.window.y, f.click), f.result);
        EXPECT_EQ(button.nState, f.look);
        EXPECT_EQ(bench.effects(4), f.hovers);
        EXPECT_EQ(bench.effects(6), f.clicks);
    }
}

// Each look draws its own cell at the window's lower right, without a key.
TEST_F(ReturnButton, DrawsTheLookOfItsLastStandby) {
    const struct {
        KEY_STATE click;
        const char* cell;
    } looks[] = {{KEY_STATE_UP, "replay-h"}, {KEY_STATE_HELD, "replay-p"}};
    for (const auto& look : looks) {
        button.RecurdoStandby(kOn.x, kOn.y, kRest.x, kRest.y, look.click);
        const auto& frame = bench.drawFrame([&] { EXPECT_EQ(button.Draw(kRest.x, kRest.y), 1u); });
        const std::uint32_t colour = WindowTestBench::CellColor("ReplayMaterial", look.cell);
        EXPECT_EQ(WindowTestBench::At(frame, 660, 563), colour) << look.cell;
        EXPECT_EQ(WindowTestBench::At(frame, 779, 594), colour) << look.cell;
        // Nothing of the sheet beside or below the plate.
        for (const Point outside : {Point{659, 563}, Point{660, 595}, Point{779, 595}}) {
            EXPECT_EQ(WindowTestBench::At(frame, outside.x, outside.y), 0u) << look.cell;
        }
    }
    button.RecurdoStandby(kOff.x, kOff.y, 10, 50, KEY_STATE_UP);
    const auto& frame = bench.drawFrame([&] { button.Draw(10, 50); });
    EXPECT_EQ(WindowTestBench::At(frame, 669, 197),
              WindowTestBench::CellColor("ReplayMaterial", "replay-n"));
    // The sheet's corner holds its key colour, which shows: the plate has no key.
    EXPECT_EQ(WindowTestBench::At(frame, 668, 196), 0xFF00FFu);
    EXPECT_EQ(bench.lines(), Lines{});
}

// Bad arguments and a lost picture are told, the button's draw in every frame and the
// lost picture's blit once; a release lets the picture go and forgets the looks.
TEST_F(ReturnButton, FailuresAreToldAndTheSurfaceGoesWithTheButton) {
    RECURDO_DATA other;
    EXPECT_EQ(other.Initialize(nullptr), 0u);
    EXPECT_EQ(other.nInitFlg, 0u);
    ASSERT_EQ(SurfaceUnload(bench.sprite, bench.sys, RECURDO_DATA::kSurface), 1);
    bench.drawFrame([&] {
        EXPECT_EQ(button.Draw(kRest.x, kRest.y), 1u);
        EXPECT_EQ(button.Draw(kRest.x, kRest.y), 1u);
    });
    const std::string lost =
        "Error: <ZKSPRITE::DDBltRange> 何らかの要因で出力元サーフェスポインタが消失しています";
    const std::string failed = "Error: <RECURDO_DATA::Draw> 描画に失敗しました";
    EXPECT_EQ(bench.lines(),
              (Lines{"Error: <RECURDO_DATA::Initialize> 引数が不正です", lost, failed, failed}));
    ASSERT_EQ(button.Initialize(bench.context), 1u);
    button.RecurdoStandby(kOn.x, kOn.y, kRest.x, kRest.y, KEY_STATE_HELD);
    button.Release();
    EXPECT_EQ(bench.sprite->GetSurface(RECURDO_DATA::kSurface), nullptr);
    EXPECT_EQ(std::tuple(button.nInitFlg, button.nState, button.nHoverFlg), std::tuple(0u, 0, 0));
    // Back on it after the release: the hover sound again.
    ASSERT_EQ(button.Initialize(bench.context), 1u);
    button.RecurdoStandby(kOn.x, kOn.y, kRest.x, kRest.y, KEY_STATE_UP);
    EXPECT_EQ(bench.effects(4), 2u);
}

// A plate whose picture is not in the archive stays unset, with its line.
TEST_F(ReturnButton, AMissingPictureLeavesTheButtonUnset) {
    button.Release();
    std::vector<std::pair<std::string, std::string>> pictures;
    for (auto& picture : WindowTestBench::Materials()) {
        if (picture.first != WindowTestBench::Entry("ReplayMaterial").name)
            pictures.push_back(picture);
    }
    zktest::ScriptKit::WriteArchive("dat/Img.dat", pictures);
    EXPECT_EQ(button.Initialize(bench.context), 0u);
    EXPECT_EQ(button.nInitFlg, 0u);
    EXPECT_EQ(bench.lines().back(), "Error: <RECURDO_DATA::Initialize> 画像のロードに失敗しました");
}

}  // namespace
