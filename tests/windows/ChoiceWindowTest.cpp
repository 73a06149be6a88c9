#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/WindowTestBench.h"
#include "windows/SELECT_WINDOW_COLLECT_DATA.h"

using zktest::WindowTestBench;

namespace {

constexpr std::uint32_t kZoom = 100;

struct Choice : ::testing::Test {
    WindowTestBench bench;
    SELECT_WINDOW_COLLECT_DATA& window = bench.game().SelectWindowData;
    int k = 0;

    bool start(int count) {
        if (window.Initialize(count, bench.context) != 1) return false;
        for (int i = 1; i <= count; ++i) window.SetSlcWndMsg(i, "C");
        return true;
    }
    // Calls a sequence once per frame from k; the k of the call that returned 1.
    int runUntilDone(std::int32_t (SELECT_WINDOW_COLLECT_DATA::*proc)(std::uint32_t,
                                                                      std::uint32_t)) {
        for (int limit = k + 200; k < limit; ++k) {
            if ((window.*proc)(WindowTestBench::Time(k), kZoom) == 1) return k++;
        }
        return -1;
    }
    std::int32_t standby(int y, KEY_STATE key, std::uint32_t enable = 1) {
        return window.WindowStandby(400, y, key, WindowTestBench::Time(k++), enable);
    }
};

TEST_F(Choice, PlatesComeInTurnAndTheChosenOneGoesLastAfterTheHold) {
    const struct {
        int count;
        int chosen;
        std::uint32_t shownAt;   // the appearing call that returns 1
        std::vector<int> order;  // plates in the order they are cleared
    } cases[] = {{2, 1, 100256, {0, 1}}, {1, 0, 100128, {0}}, {3, 1, 100384, {0, 2, 1}}};
    for (const auto& c : cases) {
        window.Release();
        EXPECT_EQ(bench.sprite->GetSurfaceLoadState(SELECT_WINDOW_COLLECT_DATA::kSurface), 1)
            << "unloaded";
        ASSERT_TRUE(start(c.count));
        // The plates zoom in one after another and become clickable together.
        for (k = 0; window.AppSelectWindowProc(WindowTestBench::Time(k), kZoom) == 0; ++k) {
            for (const SELECT_WINDOW_DATA& plate : window.SlcWnd) EXPECT_EQ(plate.nClickFlg, 0u);
            if (k == 4) {
                EXPECT_EQ(window.SlcWnd[0].fScale, 0.48f) << "48 ms after its start";
            }
        }
        EXPECT_EQ(WindowTestBench::Time(k), c.shownAt) << c.count;
        for (int i = 0; i < c.count; ++i) EXPECT_EQ(window.SlcWnd[i].nClickFlg, 1u);
        window.nSelect = c.chosen;
        k = 0;
        std::vector<int> order;
        std::int32_t result = 0;
        for (; result == 0 && k < 200; ++k) {
            result = window.DisSelectWindowProc(WindowTestBench::Time(k), kZoom);
            for (int i = 0; i < c.count; ++i) {
                const bool gone = window.SlcWnd[i].nDispFlg == 0;
                if (gone && std::find(order.begin(), order.end(), i) == order.end()) {
                    order.push_back(i);
                }
            }
        }
        EXPECT_EQ(WindowTestBench::Time(k - 1), 101136u) << c.count;
        EXPECT_EQ(order, c.order) << c.count;
    }
}

// The chosen plate holds a full second from the start of the disappearing.
TEST_F(Choice, TheHoldEndsOneSecondAfterTheDisappearingBegan) {
    ASSERT_TRUE(start(1));
    const struct {
        std::uint32_t after;
        std::uint32_t step;
    } cases[] = {{0, 4}, {999, 4}, {1000, 5}};
    for (const auto& c : cases) {
        window.nStep = 4;
        window.dwDisStart = WindowTestBench::kT0;
        EXPECT_EQ(window.DisSelectWindowProc(WindowTestBench::kT0 + c.after, kZoom), 0);
        EXPECT_EQ(window.nStep, c.step) << c.after;
    }
}

TEST_F(Choice, EnteringAPlateSoundsOnceAndAClickChoosesIt) {
    ASSERT_TRUE(start(3));
    ASSERT_EQ(runUntilDone(&SELECT_WINDOW_COLLECT_DATA::AppSelectWindowProc), 24);
    // Plate centres 224, 288 and 352; the 14-pixel gap between the first two is
    // 249 to 262.
    // Per frame: result, hovered plate, effects 4 and 5 so far.
    const struct {
        int y;
        KEY_STATE key;
        std::uint32_t enable;
        std::vector<long> after;
    } frames[] = {
        {100, KEY_STATE_UP, 1, {0, -1, 0, 0}},      {224, KEY_STATE_UP, 1, {1, 0, 1, 0}},
        {248, KEY_STATE_UP, 1, {0, 0, 1, 0}},       {249, KEY_STATE_UP, 1, {0, -1, 1, 0}},
        {263, KEY_STATE_UP, 1, {1, 1, 2, 0}},       {240, KEY_STATE_UP, 1, {1, 0, 3, 0}},
        {240, KEY_STATE_UP, 0, {0, -1, 3, 0}},      {352, KEY_STATE_HELD, 1, {1, 2, 4, 0}},
        {352, KEY_STATE_RELEASED, 1, {2, 2, 4, 1}}, {288, KEY_STATE_RELEASED, 1, {0, -1, 4, 1}},
    };
    for (const auto& f : frames) {
        const std::int32_t result = standby(f.y, f.key, f.enable);
        EXPECT_EQ((std::vector<long>{result, window.nHover, bench.effects(4), bench.effects(5)}),
                  f.after)
            << "y " << f.y;
    }
    EXPECT_EQ(window.nSelect, 2);
}

// Once chosen, the plate keeps its glow though no plate takes the pointer any more.
TEST_F(Choice, TheChosenPlateGlowsAfterThePointerHasLeftIt) {
    ASSERT_TRUE(start(3));
    ASSERT_NE(runUntilDone(&SELECT_WINDOW_COLLECT_DATA::AppSelectWindowProc), -1);
    ASSERT_EQ(standby(352, KEY_STATE_RELEASED), 2);
    standby(352, KEY_STATE_UP);
    ASSERT_EQ(window.nHover, -1);
    const auto& shown = bench.drawFrame([&] { window.Draw(); });
    const auto cell = [](const std::string& name) {
        return WindowTestBench::CellColor("SlcWndMaterial", name);
    };
    // Near the left edge of the first and the chosen third plate.
    EXPECT_EQ(WindowTestBench::At(shown, 270, 210), cell("plate"));
    const std::uint32_t glow = WindowTestBench::At(shown, 270, 338);
    bool glowing = false;
    for (int f = 0; f < 5; ++f) glowing = glowing || glow == cell("glow " + std::to_string(f));
    EXPECT_TRUE(glowing) << std::hex << glow;
}

// A window set up again over one in use starts without a hovered plate: nothing
// glows, and entering the plate that was hovered sounds again.
TEST_F(Choice, ASecondInitializeForgetsTheHover) {
    ASSERT_TRUE(start(1));
    ASSERT_NE(runUntilDone(&SELECT_WINDOW_COLLECT_DATA::AppSelectWindowProc), -1);
    ASSERT_EQ(standby(288, KEY_STATE_UP), 1);
    ASSERT_TRUE(start(1));
    EXPECT_EQ(window.nHover, -1);
    ASSERT_NE(runUntilDone(&SELECT_WINDOW_COLLECT_DATA::AppSelectWindowProc), -1);
    const auto& shown = bench.drawFrame([&] { window.Draw(); });
    EXPECT_EQ(WindowTestBench::At(shown, 270, 270),
              WindowTestBench::CellColor("SlcWndMaterial", "plate"));
    EXPECT_EQ(standby(288, KEY_STATE_UP), 1);
    EXPECT_EQ(bench.effects(4), 2u);
}

// Half a text's width counts whole characters of its bytes: three bytes start one
// character left of the centre.
TEST_F(Choice, AnOddTextStartsAWholeCharacterLeftOfTheCentre) {
    ASSERT_TRUE(start(1));
    ASSERT_EQ(window.SetSlcWndMsg(1, "abc"), 1u);
    ASSERT_NE(runUntilDone(&SELECT_WINDOW_COLLECT_DATA::AppSelectWindowProc), -1);
    const auto& shown = bench.drawFrame([&] { window.Draw(); });
    EXPECT_EQ(WindowTestBench::At(shown, 400 - 12, 288), 0xFFFFFFu);
    EXPECT_EQ(WindowTestBench::At(shown, 400 - 13, 288),
              WindowTestBench::CellColor("SlcWndMaterial", "plate"));
}

TEST_F(Choice, RestoredAndEmptyStatesNeitherCrashNorHang) {
    // A zoom of no time ends at once.
    SELECT_WINDOW_DATA plate;
    EXPECT_EQ(plate.ZoomIn(100000, 0), 1u);
    EXPECT_EQ(std::pair(plate.fScale, plate.nZoomFlg), std::pair(1.0f, 0u));
    EXPECT_EQ(plate.ZoomOut(100000, 0), 1u);
    EXPECT_EQ(std::pair(plate.fScale, plate.nZoomFlg), std::pair(0.0f, 0u));

    // A shown plate of a window that is not initialised.
    window.SlcWnd[0].nDispFlg = 1;
    EXPECT_EQ(standby(224, KEY_STATE_UP), -1);
    EXPECT_EQ(window.SetSlcWndMsg(1, "C"), 0u);
    const std::string notInit = " 初期化されていません";
    EXPECT_EQ(bench.lines(), (std::vector<std::string>{
                                 "Error: <SELECT_WINDOW_COLLECT_DATA::WindowStandby>" + notInit,
                                 "Error: <SELECT_WINDOW_COLLECT_DATA::SetSlcWndMsg>" + notInit}));

    // A closing step restored without its choice, and a step past the last plate.
    ASSERT_TRUE(start(3));
    bench.kit.clearLog();
    for (const std::uint32_t step : {5u, 3u}) {
        window.nStep = step;
        window.nSelect = step == 5 ? -1 : 2;
        window.SlcWnd[2].nDispFlg = 1;
        k = 0;
        const int done = runUntilDone(&SELECT_WINDOW_COLLECT_DATA::DisSelectWindowProc);
        EXPECT_EQ(done == 0, step == 5) << step;
        EXPECT_NE(done, -1) << step;
    }
    EXPECT_EQ(window.SlcWnd[2].nDispFlg, 0u);
    for (const int number : {0, 4}) EXPECT_EQ(window.SetSlcWndMsg(number, "C"), 0u);
    EXPECT_EQ(window.SetSlcWndMsg(1, nullptr), 0u);
    EXPECT_EQ(bench.lines(),
              std::vector<std::string>(
                  3, "Error: <SELECT_WINDOW_COLLECT_DATA::SetSlcWndMsg> 引数が不正です"));
}

}  // namespace
