#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "extras/BGM_DATA.h"
#include "support/WindowTestBench.h"

namespace zktest {

struct RoomPoint {
    int x, y;
};

// The music room on the window bench, called once per simulated frame at
// Time(frame) with a frame's sound pulled first, as a session runs it.
struct MusicRoom : ::testing::Test {
    // The centres of the controls by id, where the arrow keys put the pointer.
    static RoomPoint Centre(int nId);
    // Clear of every control.
    static constexpr RoomPoint kOff{400, 30};

    WindowTestBench bench;
    BGM_DATA room;
    platform::ScriptedInput& input = bench.kit.sprites.kit.input;
    int frame = 0;
    // The standby's result in the last frame run.
    int last = 0;

    ~MusicRoom() override { room.Release(); }

    // Initialised over the bench; the log and the sounds emptied.
    void Start();
    // One frame of the standby with the pointer at p.
    int Standby(RoomPoint p, std::int32_t left = KEY_STATE_UP);
    // A press in one frame and its release in the next: the release's result.
    int Click(RoomPoint p);
    // Frames with the pointer at p until pred holds after one; false after max frames.
    bool StandbyUntil(RoomPoint p, const std::function<bool()>& pred, int max = 60);
    // The keys pressed in one frame and released in the next, the current one.
    void ReleaseKeys(const std::vector<int>& keys);
    RoomPoint Pointer() const;
    std::int32_t MusicState() const { return bench.snd->DAGetState(1); }
    // Plays of track n's music so far.
    int TrackPlays(int track) const;
    const std::vector<std::uint32_t>& Frame();
    // The cell of the room's material, as mkdemo paints it.
    static std::uint32_t Cell(const std::string& name);
};

}  // namespace zktest
