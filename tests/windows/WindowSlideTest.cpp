#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/TestKit.h"
#include "windows/WindowSlide.h"
#include "windows/WindowStandby.h"

namespace {

using W = SLIDE_WINDOW;

// The common fields of a window, as a restored or fresh panel holds them.
struct Panel {
    std::uint32_t init = 1;
    std::uint32_t shown = 0;
    std::uint32_t sliding = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    float angle = 0;

    SLIDE_FIELDS fields() { return {init, shown, sliding, x, y, angle}; }
    std::int32_t& moving(W window) { return window == W::Day ? x : y; }
    std::int32_t call(W window, bool open, std::uint32_t step) {
        const SLIDE_ROW& row = SlideRow(window);
        return open ? SlideOpen(row, step, fields()) : SlideClose(row, step, fields());
    }
};

TEST(WindowSlide, EachRowMovesThroughItsPositionsAndEndsAtItsEnd) {
    const struct {
        W window;
        bool open;
        std::uint32_t step;
        std::vector<std::int32_t> positions;
    } cases[] = {
        {W::Message, true, 100, {500, 417}},
        {W::Message, false, 100, {426, 441, 479, 578, 600}},
        {W::Message,
         true,
         20,
         {580, 560, 540, 520, 500, 480, 460, 447, 437, 430, 425, 422, 420, 418, 417}},
        {W::Message, false, 20, {418, 419, 420, 421, 422, 423, 425, 427, 430, 434, 439,
                                 446, 455, 466, 480, 499, 518, 537, 556, 575, 594, 600}},
        {W::Day, true, 100, {-37, 2}},
        {W::Day, true, 10, {-127, -118, -109, -100, -91, -82, -73, -64, -55, -46,
                            -37,  -28,  -19,  -16,  -14, -12, -10, -9,  -8,  -7,
                            -6,   -5,   -4,   -3,   -2,  -1,  0,   1,   2}},
        {W::Day, false, 10, {-7,  -16, -18, -21, -24, -27,  -31,  -35,  -40,  -46, -52,
                             -59, -67, -75, -84, -93, -102, -111, -120, -129, -136}},
        {W::Config, true, 100, {500, 400, 300, 200, 100, 76}},
        {W::Config, false, 100, {85, 99, 134, 233, 332, 431, 530, 600}},
        {W::SaveLoad, true, 100, {500, 400, 300, 200, 100, 5}},
        {W::SaveLoad, false, 100, {14, 28, 63, 162, 261, 360, 459, 558, 600}},
        // Below 10 px a step moves less than one pixel at the slowest angle: the
        // message window's close still moves one.
        {W::Message, false, 9, {418, 419, 420, 421, 422, 423, 424, 425, 426, 427, 428,
                                429, 430, 431, 433, 435, 437, 439, 442, 445, 448, 452,
                                456, 461, 466, 472, 480, 488, 496, 504, 512, 520, 528,
                                536, 544, 552, 560, 568, 576, 584, 592, 600}},
        // At exactly 10 px travelled the day window's close is still at full speed.
        {W::Day, false, 6, {-3,  -8,  -13,  -14,  -15,  -16,  -17,  -18,  -19,  -20,
                            -22, -24, -26,  -28,  -30,  -32,  -35,  -38,  -41,  -44,
                            -47, -51, -55,  -59,  -63,  -68,  -73,  -78,  -83,  -88,
                            -93, -98, -103, -108, -113, -118, -123, -128, -133, -136}},
        // The save/load window eases in over its last 50 px.
        {W::SaveLoad, true, 20, {580, 560, 540, 520, 500, 480, 460, 440, 420, 400, 380,
                                 360, 340, 320, 300, 280, 260, 240, 220, 200, 180, 160,
                                 140, 120, 100, 80,  60,  40,  22,  11,  7,   5}},
    };
    for (const auto& c : cases) {
        const SLIDE_ROW& row = SlideRow(c.window);
        Panel panel;
        panel.shown = c.open ? 0 : 1;
        std::vector<std::int32_t> seen;
        std::int32_t result = 0;
        while (result == 0 && seen.size() < c.positions.size() + 3) {
            result = panel.call(c.window, c.open, c.step);
            seen.push_back(panel.moving(c.window));
            // An opening panel is shown from its first frame, a closing one until its last.
            if (result == 0) {
                EXPECT_EQ(panel.shown, 1u) << seen.size();
            }
        }
        const std::string what =
            std::string(row.szClass) + (c.open ? " open " : " close ") + std::to_string(c.step);
        EXPECT_EQ(seen, c.positions) << what;
        EXPECT_EQ(result, 1) << what;
        EXPECT_EQ(c.window == W::Day ? panel.y : panel.x, row.nFixed) << what;
        EXPECT_EQ(panel.shown, c.open ? 1u : 0u) << what;
        EXPECT_EQ(panel.sliding, 0u) << what;
    }
}

// Not initialised, an open answers -1 and a close the row's value, each with its line.
TEST(WindowSlide, StepZeroHugeStepsRestoredPositionsUninitialisedAndAbandonedSlides) {
    zktest::TestKit kit;
    for (const W window : {W::Message, W::Day, W::Config, W::SaveLoad}) {
        const SLIDE_ROW& row = SlideRow(window);
        const bool instant = window == W::Message || window == W::Day;
        for (const bool open : {true, false}) {
            Panel zero;
            std::int32_t result = 0;
            for (int i = 0; i < 1000 && result == 0; ++i) result = zero.call(window, open, 0);
            EXPECT_EQ(result, instant ? 1 : 0) << row.szClass << open;
            // A negative script number arrives as the largest step; a slot file can
            // put the panel anywhere.
            for (const std::int32_t from : {0, INT_MIN, INT_MAX}) {
                Panel huge;
                huge.sliding = from != 0 ? 1 : 0;
                huge.moving(window) = from;
                EXPECT_EQ(huge.call(window, open, 4294967295u), 1) << row.szClass << from;
                EXPECT_EQ(huge.moving(window), open ? row.nOpen : row.nClosed) << row.szClass;
            }
            Panel off;
            off.init = 0;
            EXPECT_EQ(off.call(window, open, 100), open ? -1 : (instant ? 1 : -1)) << row.szClass;
            EXPECT_EQ(kit.debugLines().back(), "Error: <" + std::string(row.szClass) +
                                                   (open ? "::WindowOpen" : "::WindowClose") +
                                                   "> 初期化されていません");
        }
        if (!instant) {
            // Ten pixels at the slowest angle truncate to no move at all.
            Panel stuck;
            for (int i = 0; i < 1000; ++i) EXPECT_EQ(stuck.call(window, false, 10), 0);
            EXPECT_EQ(stuck.moving(window), row.nOpen);
        }
    }
    EXPECT_EQ(kit.debugLines().size(), 8u);
    Panel half;
    for (int i = 0; i < 3; ++i) half.call(W::Message, true, 20);
    EXPECT_EQ(half.y, 540);
    EXPECT_EQ(half.call(W::Message, false, 20), 0);
    EXPECT_EQ(half.y, 559);
}

TEST(StandbyHit, TheRightAndBottomEdgesAreOutside) {
    const platform::Rect rc{10, 20, 30, 40};
    const struct {
        int x, y;
        bool inside;
    } points[] = {{10, 20, true},  {29, 39, true}, {30, 20, false},
                  {10, 40, false}, {9, 25, false}, {15, 19, false}};
    for (const auto& p : points) EXPECT_EQ(StandbyHit(rc, p.x, p.y), p.inside) << p.x << "," << p.y;
}

}  // namespace
