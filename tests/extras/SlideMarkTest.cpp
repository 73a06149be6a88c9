#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "extras/SLIDE_MARK_DATA.h"

namespace {

using platform::Rect;

// A row of the music room: 368 wide.
constexpr Rect kRow{8, 88, 376, 114};
constexpr std::uint32_t kStart = 100000;

struct Step {
    std::uint32_t dwNow;
    std::int32_t nX;
    Rect rcSrc;
    std::int32_t nDrawX;
};

// From a start at kStart (and, where set, a position put in by hand), each step's
// position, visible part of the cell and where that part is drawn.
TEST(SlideMark, StepsMoveWrapAndCutTheMark) {
    const struct {
        const char* what;
        std::uint32_t dwSlideTime;
        bool bSetX;
        std::int32_t nFromX;
        std::vector<Step> steps;
    } cases[] = {
        {"a step at the start time shows nothing",
         2000,
         false,
         0,
         {{kStart, kRow.left - 33, {402, 0, 402, 26}, kRow.left}}},
        {"the fraction is dropped: 100 + 2.944",
         2000,
         true,
         100,
         {{kStart + 16, 102, {369, 0, 402, 26}, 102}, {kStart + 32, 104, {369, 0, 402, 26}, 104}}},
        {"truncation toward zero: -25 + 2.944 is -22",
         2000,
         true,
         -25,
         {{kStart + 16, -22, {399, 0, 402, 26}, kRow.left}}},
        {"entering on the left, the cell is cut on its left",
         2000,
         true,
         0,
         {{kStart, 0, {377, 0, 402, 26}, 8}}},
        {"leaving on the right, the cell is cut on its right",
         2000,
         true,
         350,
         {{kStart, 350, {369, 0, 395, 26}, 350}}},
        {"at the right edge it is not wrapped yet",
         2000,
         true,
         kRow.right,
         {{kStart, kRow.right, {369, 0, 369, 26}, kRow.right}}},
        {"one past the right edge it wraps by a row and a mark",
         2000,
         true,
         kRow.right + 1,
         {{kStart, kRow.right + 1 - 401, {401, 0, 402, 26}, kRow.left}}},
        {"a time before the last is a huge elapsed time: the row starts again",
         2000,
         false,
         0,
         {{kStart - 16, kRow.left - 33, {402, 0, 402, 26}, kRow.left}}},
        {"a slide time of 0 holds the mark, its part still computed",
         0,
         true,
         360,
         {{kStart + 16, 360, {369, 0, 385, 26}, 360},
          {kStart + 5000, 360, {369, 0, 385, 26}, 360}}},
        {"a slide time of 1 with a huge elapsed time wraps out",
         1,
         false,
         0,
         {{kStart - 1, kRow.left - 33, {402, 0, 402, 26}, kRow.left}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SLIDE_MARK_DATA mark;
        mark.SlideSet(kRow, c.dwSlideTime, kStart);
        EXPECT_EQ(mark.nSlideFlg, 1);
        EXPECT_EQ(mark.nY, kRow.top);
        if (c.bSetX) mark.nX = c.nFromX;
        for (const Step& step : c.steps) {
            EXPECT_EQ(mark.SlideProc(step.dwNow), 1);
            EXPECT_EQ(mark.nX, step.nX) << step.dwNow;
            EXPECT_EQ(mark.rcSrc, step.rcSrc) << step.dwNow;
            EXPECT_EQ(mark.DrawX(), step.nDrawX) << step.dwNow;
            EXPECT_EQ(mark.dwLastTime, step.dwNow);
        }
    }
}

// Ten wraps are made as needed; the eleventh subtraction gives up and starts the row
// again, even where one more would have been enough.
TEST(SlideMark, TheEleventhWrapStartsTheRowAgain) {
    const std::int32_t span = 33 + 368;
    const struct {
        std::int32_t nFromX;
        std::int32_t nX;
    } cases[] = {
        {kRow.right + 10 * span, kRow.right},
        {kRow.right + 10 * span + 1, kRow.left - 33},
        {kRow.right + 11 * span, kRow.left - 33},
    };
    for (const auto& c : cases) {
        SLIDE_MARK_DATA mark;
        mark.SlideSet(kRow, 2000, kStart);
        mark.nX = c.nFromX;
        mark.SlideProc(kStart);
        EXPECT_EQ(mark.nX, c.nX) << c.nFromX;
    }
}

// A pause leaves its span out of the next step; the room never pauses, but the mark
// keeps its time base.
TEST(SlideMark, PauseThenRestartSkipsThePausedSpan) {
    SLIDE_MARK_DATA mark;
    mark.SlideSet(kRow, 2000, kStart);
    mark.nX = 100;
    EXPECT_EQ(mark.SlidePause(kStart + 100), 1);
    EXPECT_EQ(mark.SlideRestart(kStart + 1100), 1);
    EXPECT_EQ(mark.dwLastTime, kStart + 1000);
    mark.SlideProc(kStart + 1016);
    EXPECT_EQ(mark.nX, 102);
}

// A start clears what a run before it left; a reset stops the mark.
TEST(SlideMark, SetStartsAfreshAndResetStops) {
    SLIDE_MARK_DATA mark;
    EXPECT_EQ(mark.nSlideFlg, 0);
    mark.SlideSet(kRow, 2000, kStart);
    mark.SlidePause(kStart + 50);
    const Rect next{424, 128, 792, 154};
    mark.SlideSet(next, 1000, kStart + 400);
    EXPECT_EQ(mark.nX, 424 - 33);
    EXPECT_EQ(mark.nY, 128);
    EXPECT_EQ(mark.rcSlide, next);
    EXPECT_EQ(mark.rcSrc, Rect{});
    EXPECT_EQ(mark.dwSlideTime, 1000u);
    EXPECT_EQ(mark.dwLastTime, kStart + 400);
    EXPECT_EQ(mark.dwPauseTime, 0u);
    mark.Reset();
    EXPECT_EQ(mark.nSlideFlg, 0);
    EXPECT_EQ(mark.rcSlide, Rect{});
    EXPECT_EQ(mark.nX, 0);
    EXPECT_EQ(mark.dwLastTime, 0u);
}

}  // namespace
