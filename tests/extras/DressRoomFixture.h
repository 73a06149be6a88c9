#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "extras/DR_DATA.h"
#include "support/WindowTestBench.h"

namespace zktest {

struct RoomPoint {
    int x, y;
    bool operator==(const RoomPoint&) const = default;
};

// The dress room on the window bench, its costume words those of the demo's system
// save: 1 to 3 unlocked, 5 and 9 unlocked, 8 and 14 complete, the rest locked.
struct DressRoom : ::testing::Test {
    static constexpr std::int32_t kDemoWords[DR_DATA::kClothesCount] = {5, 5, 5, 0, 1, 0, 0,
                                                                        3, 1, 0, 0, 0, 0, 3};
    // The centres the arrow keys warp to, by item id (0: none).
    static constexpr RoomPoint kCentre[] = {{0, 0},     {348, 165}, {476, 165}, {604, 165},
                                            {732, 165}, {348, 333}, {476, 333}, {604, 333},
                                            {732, 333}, {760, 428}, {320, 428}, {716, 580}};
    static constexpr RoomPoint kOff{100, 580};

    WindowTestBench bench;
    DR_DATA room;
    std::int32_t flags[DR_DATA::kClothesCount] = {};
    platform::ScriptedInput& input = bench.kit.sprites.kit.input;

    DressRoom();
    ~DressRoom() override { room.Release(); }

    // Initialised over the bench; the log emptied.
    void Start();
    // The keys pressed in one frame and released in the next, the current one.
    void ReleaseKeys(const std::vector<int>& keys);
    // The standby at kT0 + ms.
    int Standby(RoomPoint at, std::uint32_t ms, std::int32_t left = KEY_STATE_UP);
    RoomPoint Pointer() const;
    const std::vector<std::uint32_t>& Frame();
    // The plain colour of a named cell of a sheet.
    static std::uint32_t Cell(const char* stem, const std::string& cell);
};

}  // namespace zktest
