#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/WipeStrips.h"

namespace {

using platform::Rect;
using Rects = std::vector<Rect>;
using Times = std::vector<std::uint32_t>;

constexpr std::int32_t kW = 800;
constexpr std::int32_t kH = 600;

// A random source that always gives one value and counts its calls.
struct FixedRandom {
    std::int32_t value;
    int calls = 0;
    WipeStrips::Random Source() {
        return [this] {
            ++calls;
            return value;
        };
    }
};

struct Set {
    Rects start;
    Times durations;
};

Set Started(const WipeStrips& strips, std::size_t n, std::uint32_t d, FixedRandom& random) {
    Set set{Rects(n), Times(n)};
    strips.Start(set.start, set.durations, d, random.Source());
    return set;
}

// Offsets and durations between the first and last strip are random; the first
// starts level (or takes a fifth of the time), the last half a screen behind (or
// all of it), also when it is the only one.
TEST(WipeStrips, StartRectanglesAndDurations) {
    const struct {
        std::string name;
        WIPE_EDGE edge;
        WIPE_SCHEDULE schedule;
        std::size_t n;
        std::uint32_t d;
        std::int32_t random;
        Rects start;
        Times durations;
        int calls;
    } cases[] = {
        {"cover, staggered",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::Staggered,
         3,
         1000,
         1234,
         {{0, 0, 0, 200}, {0, 200, -34, 400}, {0, 400, -400, 600}},
         {0, 0, 0},
         1},
        {"uncover, staggered",
         WIPE_EDGE::Left,
         WIPE_SCHEDULE::Staggered,
         3,
         1000,
         1234,
         {{0, 0, 800, 200}, {-34, 200, 800, 400}, {-400, 400, 800, 600}},
         {0, 0, 0},
         1},
        {"cover, per strip",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::PerStrip,
         3,
         1000,
         1234,
         {{0, 0, 0, 200}, {0, 200, 0, 400}, {0, 400, 0, 600}},
         {200, 634, 1000},
         1},
        {"uncover, per strip",
         WIPE_EDGE::Left,
         WIPE_SCHEDULE::PerStrip,
         2,
         1000,
         7,
         {{0, 0, 800, 300}, {0, 300, 800, 600}},
         {200, 1000},
         0},
        {"one staggered strip",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::Staggered,
         1,
         1000,
         7,
         Rects{{0, 0, -400, 600}},
         {0},
         0},
        {"one timed strip",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::PerStrip,
         1,
         1000,
         7,
         Rects{{0, 0, 0, 600}},
         {1000},
         0},
        {"durations below 1 ms", WIPE_EDGE::Right, WIPE_SCHEDULE::PerStrip, 4, 3, 0,
         Rects{{0, 0, 0, 150}, {0, 150, 0, 300}, {0, 300, 0, 450}, {0, 450, 0, 600}},
         Times{1, 1, 1, 3}, 2},
        {"a fifth of 4 ms", WIPE_EDGE::Left, WIPE_SCHEDULE::PerStrip, 3, 4, 6,
         Rects{{0, 0, 800, 200}, {0, 200, 800, 400}, {0, 400, 800, 600}}, Times{1, 2, 4}, 1},
        {"a duration of 0", WIPE_EDGE::Right, WIPE_SCHEDULE::PerStrip, 2, 0, 0,
         Rects{{0, 0, 0, 300}, {0, 300, 0, 600}}, Times{1, 1}, 0},
    };
    for (const auto& c : cases) {
        FixedRandom random{c.random};
        const Set set = Started(WipeStrips(kW, kH, c.edge, c.schedule), c.n, c.d, random);
        EXPECT_EQ(set.start, c.start) << c.name;
        EXPECT_EQ(set.durations, c.durations) << c.name;
        EXPECT_EQ(random.calls, c.calls) << c.name;
    }
}

// 7 strips of 85 rows end at row 595: the 5 bottom rows belong to none.
TEST(WipeStrips, AnUnevenCountLeavesTheBottomRowsOutside) {
    for (const WIPE_EDGE edge : {WIPE_EDGE::Right, WIPE_EDGE::Left}) {
        FixedRandom random{0};
        const Set set = Started(WipeStrips(kW, kH, edge, WIPE_SCHEDULE::Staggered), 7, 100, random);
        for (std::size_t i = 0; i < 7; ++i) {
            EXPECT_EQ(set.start[i].top, static_cast<std::int32_t>(i) * 85);
            EXPECT_EQ(set.start[i].bottom, static_cast<std::int32_t>(i + 1) * 85);
        }
    }
}

// The moving edge after a time, and whether the wipe has arrived: one staggered
// strip arrives at 1.5 x d, the first of two timed strips at d / 5 and the wipe at d;
// a wipe of 3 ms arrives; a frame 10 hours late ends it with every edge at the side.
TEST(WipeStrips, EdgesMoveWithTheElapsedTimeAndArrive) {
    const struct {
        std::string name;
        WIPE_EDGE edge;
        WIPE_SCHEDULE schedule;
        std::size_t n;
        std::uint32_t d;
        std::uint32_t elapsed;
        std::vector<std::int32_t> edges;
        bool arrived;
    } cases[] = {
        {"staggered, 1 strip",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::Staggered,
         1,
         1000,
         0,
         {-400},
         false},
        {"staggered, 1 strip",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::Staggered,
         1,
         1000,
         1499,
         {799},
         false},
        {"staggered, 1 strip",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::Staggered,
         1,
         1000,
         1500,
         {800},
         true},
        {"uncovering, 1 strip",
         WIPE_EDGE::Left,
         WIPE_SCHEDULE::Staggered,
         1,
         1000,
         1499,
         {799},
         false},
        {"uncovering, 1 strip",
         WIPE_EDGE::Left,
         WIPE_SCHEDULE::Staggered,
         1,
         1000,
         1500,
         {800},
         true},
        {"timed, 2 strips",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::PerStrip,
         2,
         1000,
         199,
         {796, 159},
         false},
        {"timed, 2 strips",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::PerStrip,
         2,
         1000,
         200,
         {800, 160},
         false},
        {"timed, 2 strips",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::PerStrip,
         2,
         1000,
         999,
         {800, 799},
         false},
        {"timed, 2 strips",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::PerStrip,
         2,
         1000,
         1000,
         {800, 800},
         true},
        {"uncovering timed",
         WIPE_EDGE::Left,
         WIPE_SCHEDULE::PerStrip,
         2,
         1000,
         600,
         {800, 480},
         false},
        {"3 ms", WIPE_EDGE::Right, WIPE_SCHEDULE::PerStrip, 4, 3, 2, {800, 800, 800, 533}, false},
        {"3 ms", WIPE_EDGE::Right, WIPE_SCHEDULE::PerStrip, 4, 3, 3, {800, 800, 800, 800}, true},
        {"10 hours late",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::Staggered,
         3,
         1,
         36000000,
         {800, 800, 800},
         true},
        {"10 hours late",
         WIPE_EDGE::Left,
         WIPE_SCHEDULE::PerStrip,
         3,
         1,
         36000000,
         {800, 800, 800},
         true},
        {"10 hours, a long wipe",
         WIPE_EDGE::Right,
         WIPE_SCHEDULE::Staggered,
         1,
         2147483647,
         36000000,
         {-387},
         false},
    };
    for (const auto& c : cases) {
        const WipeStrips strips(kW, kH, c.edge, c.schedule);
        FixedRandom random{0};
        const Set set = Started(strips, c.n, c.d, random);
        Rects current(c.n);
        const bool arrived = strips.Grow(set.start, set.durations, c.d, c.elapsed, current);
        std::vector<std::int32_t> edges;
        for (std::size_t i = 0; i < c.n; ++i) {
            const Rect& rc = current[i];
            edges.push_back(c.edge == WIPE_EDGE::Left ? rc.left : rc.right);
            // Only the moving edge moves.
            Rect still = rc;
            (c.edge == WIPE_EDGE::Left ? still.left : still.right) =
                c.edge == WIPE_EDGE::Left ? set.start[i].left : set.start[i].right;
            EXPECT_EQ(still, set.start[i]) << c.name;
        }
        EXPECT_EQ(edges, c.edges) << c.name << " at " << c.elapsed;
        EXPECT_EQ(arrived, c.arrived) << c.name << " at " << c.elapsed;
    }
}

// Strips whose words came from elsewhere (a restored slot): a duration of 0 counts
// as 1 ms, an edge far off the screen does not overflow, and no strips have arrived.
TEST(WipeStrips, StoredWordsNeverDivideByZeroOrOverflow) {
    const WipeStrips timed(kW, kH, WIPE_EDGE::Right, WIPE_SCHEDULE::PerStrip);
    const Rects start = {{0, 0, 2147483000, 300}, {0, 300, 0, 600}};
    const Times durations = {0, 0};
    Rects current(2);
    EXPECT_FALSE(timed.Grow(start, durations, 0, 0, current));
    EXPECT_EQ(current, (Rects{{0, 0, 800, 300}, {0, 300, 0, 600}}));
    EXPECT_TRUE(timed.Grow(start, durations, 0, 1, current));
    EXPECT_EQ(current, (Rects{{0, 0, 800, 300}, {0, 300, 800, 600}}));
    const WipeStrips staggered(kW, kH, WIPE_EDGE::Left, WIPE_SCHEDULE::Staggered);
    EXPECT_TRUE(staggered.Grow({}, {}, 0, 0, {}));
    current = {{}};
    EXPECT_FALSE(staggered.Grow(Rects{{-400, 0, 800, 600}}, Times{0}, 0, 1, current));
    EXPECT_TRUE(staggered.Grow(Rects{{-400, 0, 800, 600}}, Times{0}, 0, 2, current));
}

}  // namespace
