#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "DressRoomFixture.h"
#include "platform/input/VirtualKeys.h"

using zktest::DressRoom;
using zktest::RoomPoint;

namespace {

constexpr int kKeys[] = {platform::VK_LEFT, platform::VK_RIGHT, platform::VK_UP, platform::VK_DOWN};
constexpr RoomPoint kNowhere{1, 1};

// "C5", "N" next page, "P" previous page, "E" exit; "a/b": a on page 0, b on page 1.
RoomPoint Target(std::string_view cell, int page) {
    if (const std::size_t slash = cell.find('/'); slash != std::string_view::npos) {
        cell = page == 0 ? cell.substr(0, slash) : cell.substr(slash + 1);
    }
    if (cell == "N") return {760, 428};
    if (cell == "P") return {320, 428};
    if (cell == "E") return {716, 580};
    const int card = cell[1] - '0';
    return card <= 4 ? RoomPoint{348 + 128 * (card - 1), 165}
                     : RoomPoint{348 + 128 * (card - 5), 333};
}

// From each item (0 none), left, right, up, down.
constexpr const char* kTable[12][4] = {
    {"C1", "C1", "C1", "C1"},       {"C4", "C2", "C5/P", "C5"}, {"C1", "C3", "C6", "C6"},
    {"C2", "C4", "C7/E", "C7/E"},   {"C3", "C1", "E", "C8/E"},  {"C8/C6", "C6", "C1", "C1/P"},
    {"C5", "C7/E", "C2", "C2"},     {"C6", "C8", "C3", "C3"},   {"C7", "C5", "C4", "N/E"},
    {"C5/P", "C5/P", "C8/C4", "E"}, {"N/E", "N/E", "C5", "C1"}, {"E/C6", "C5/P", "N/C4", "C4"},
};

TEST_F(DressRoom, ArrowKeysWarpToTheCentreOfTheItemTheTableNamesOnEachPage) {
    Start();
    for (int page = 0; page < 2; ++page) {
        for (int from = 0; from < 12; ++from) {
            for (int k = 0; k < 4; ++k) {
                bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
                room.nPage = page;
                room.nCursorId = from;
                ReleaseKeys({kKeys[k]});
                EXPECT_EQ(room.KeyCursorMove(), 1);
                EXPECT_EQ(Pointer(), Target(kTable[from][k], page))
                    << "page " << page << " from " << from << " key " << k;
            }
        }
    }
}

// All keys are judged from the item on entry, the last judged winning; a key only
// pressed moves nothing, nor does an id outside the items.
TEST_F(DressRoom, OfArrowKeysReleasedTogetherTheLastJudgedWins) {
    Start();
    const struct {
        std::vector<int> keys;
        int from;
        RoomPoint to;
    } cases[] = {
        {{platform::VK_LEFT, platform::VK_DOWN}, 1, kCentre[5]},
        {{platform::VK_DOWN, platform::VK_LEFT}, 1, kCentre[5]},
        {{platform::VK_RIGHT, platform::VK_UP}, 2, kCentre[6]},
        {{platform::VK_LEFT, platform::VK_RIGHT}, 11, kCentre[5]},
        {{}, 1, kNowhere},
        {{platform::VK_LEFT}, 12, kNowhere},
        {{platform::VK_LEFT}, -1, kNowhere},
    };
    for (const auto& c : cases) {
        bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
        room.nCursorId = c.from;
        ReleaseKeys(c.keys);
        room.KeyCursorMove();
        EXPECT_EQ(Pointer(), c.to) << c.from;
    }
    bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
    input.setKey(platform::VK_UP, true);
    bench.sys->KeyScan();
    room.KeyCursorMove();
    EXPECT_EQ(Pointer(), kNowhere);
}

// The standby warps before its hit test, which still sees the point it was given; a
// closed card is a target like any other.
TEST_F(DressRoom, TheStandbyWarpsFirstAndFindsTheCardInTheNextFrame) {
    Start();
    Standby(kCentre[3], 0);
    ReleaseKeys({platform::VK_RIGHT});
    Standby(kCentre[3], 16);
    EXPECT_EQ(Pointer(), kCentre[4]);
    EXPECT_EQ(room.nCursorId, 3);
    Standby(Pointer(), 32);
    EXPECT_EQ(room.nCursorId, 4);
    EXPECT_EQ(room.nSelectId, 0);
}

}  // namespace
