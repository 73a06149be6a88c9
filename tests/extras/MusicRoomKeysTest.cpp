#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "MusicRoomFixture.h"
#include "platform/input/VirtualKeys.h"

using zktest::MusicRoom;
using zktest::RoomPoint;

namespace {

constexpr int kKeys[] = {platform::VK_LEFT, platform::VK_RIGHT, platform::VK_UP, platform::VK_DOWN};
enum { kLeft, kRight, kUp, kDown };
constexpr RoomPoint kNowhere{1, 1};

int Row(int track) { return track + 5; }

// Where a key leads, from the rules in words: left and right swap the columns; the
// left column cycles on its own; the right column and the buttons form one vertical
// cycle; Prev, Stop and Next cycle sideways, and Play and Exit go sideways to Prev and
// Next.
int Expected(int id, int key) {
    if (id == 0) return Row(1);
    if (id >= 6) {
        const int track = id - 5;
        if (key == kLeft || key == kRight) return Row(track <= 9 ? track + 9 : track - 9);
        if (track <= 9) {
            const int next = key == kUp ? track - 1 : track + 1;
            return Row(next < 1 ? 9 : next > 9 ? 1 : next);
        }
    }
    if (key == kLeft || key == kRight) {
        if (id == MUSIC_PLAY || id == MUSIC_EXIT) return key == kLeft ? MUSIC_PREV : MUSIC_NEXT;
        const std::array<int, 3> side = {MUSIC_PREV, MUSIC_STOP, MUSIC_NEXT};
        const int at = static_cast<int>(std::find(side.begin(), side.end(), id) - side.begin());
        return side[static_cast<std::size_t>((at + (key == kLeft ? 2 : 1)) % 3)];
    }
    std::vector<int> cycle;
    for (int track = 10; track <= 18; ++track) cycle.push_back(Row(track));
    cycle.insert(cycle.end(), {MUSIC_PLAY, MUSIC_STOP, MUSIC_EXIT});
    const int place = id == MUSIC_PREV || id == MUSIC_NEXT ? MUSIC_STOP : id;
    const int at = static_cast<int>(std::find(cycle.begin(), cycle.end(), place) - cycle.begin());
    const int size = static_cast<int>(cycle.size());
    return cycle[static_cast<std::size_t>((at + (key == kUp ? size - 1 : 1)) % size)];
}

// Every arrow from every control, and from none, leads to the centre the rules name;
// an id outside the table moves nothing.
TEST_F(MusicRoom, ArrowKeysFollowTheRulesFromEveryControl) {
    Start();
    for (int id = -1; id <= 24; ++id) {
        for (int key = kLeft; key <= kDown; ++key) {
            bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
            room.nCursorId = id;
            ReleaseKeys({kKeys[key]});
            EXPECT_EQ(room.KeyCursorMove(), 1);
            const bool inTable = id >= 0 && id <= 23;
            const RoomPoint want = inTable ? Centre(Expected(id, key)) : kNowhere;
            EXPECT_EQ(Pointer().x, want.x) << "from " << id << " key " << key;
            EXPECT_EQ(Pointer().y, want.y) << "from " << id << " key " << key;
        }
    }
    EXPECT_EQ(Centre(Row(1)).x, 192);
    EXPECT_EQ(Centre(Row(1)).y, 101);
}

// Keys released together are each judged from the same control, down last; a held or
// pressed key is no release.
TEST_F(MusicRoom, OfArrowKeysReleasedTogetherDownDecides) {
    Start();
    bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
    room.nCursorId = Row(2);
    ReleaseKeys({platform::VK_DOWN, platform::VK_UP, platform::VK_RIGHT, platform::VK_LEFT});
    room.KeyCursorMove();
    EXPECT_EQ(Pointer().x, Centre(Row(3)).x);
    EXPECT_EQ(Pointer().y, Centre(Row(3)).y);
    for (int held = 0; held < 2; ++held) {
        bench.sys->SetMousePos(kNowhere.x, kNowhere.y);
        input.setKey(platform::VK_UP, true);
        bench.sys->KeyScan();
        if (held == 1) bench.sys->KeyScan();
        room.KeyCursorMove();
        EXPECT_EQ(Pointer().x, kNowhere.x) << held;
        input.setKey(platform::VK_UP, false);
        bench.sys->KeyScan();
    }
}

// The warp shows in the next frame's hit tests, even onto Play while it is inactive;
// from there the keys go on as from Play.
TEST_F(MusicRoom, AWarpIsFoundInTheNextFrameEvenOnAnInactiveControl) {
    Start();
    ASSERT_EQ(Click(Centre(Row(18))), BGM_DATA::RESULT_STARTED);
    ReleaseKeys({platform::VK_DOWN});
    EXPECT_EQ(Standby(Centre(Row(18))), BGM_DATA::RESULT_HOVER);
    EXPECT_EQ(room.nCursorId, Row(18)) << "this frame still tests the point it was given";
    const RoomPoint play = Pointer();
    EXPECT_EQ(play.x, 724);
    EXPECT_EQ(play.y, 495);
    bench.sys->KeyScan();
    EXPECT_EQ(Standby(play), BGM_DATA::RESULT_NONE);
    EXPECT_EQ(room.nCursorId, MUSIC_PLAY);
    EXPECT_EQ(room.nSelectId, MUSIC_NONE);
    ReleaseKeys({platform::VK_DOWN});
    Standby(play);
    EXPECT_EQ(Pointer().x, 724);
    EXPECT_EQ(Pointer().y, 527);
}

}  // namespace
