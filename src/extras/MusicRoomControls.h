#pragma once

#include <array>
#include <cstdint>

#include "platform/video/Rect.h"

// The music room's controls by id: the five buttons, then one row per track.
enum MUSIC_ROOM_ID : std::int32_t {
    MUSIC_NONE = 0,
    MUSIC_PLAY = 1,
    MUSIC_STOP = 2,
    MUSIC_PREV = 3,
    MUSIC_NEXT = 4,
    MUSIC_EXIT = 5,
};
constexpr std::int32_t kMusicButtons = 5;
constexpr std::int32_t kMusicTracks = 18;
constexpr std::int32_t kMusicControls = kMusicButtons + kMusicTracks;

// The row of track nTrack (1 to 18).
constexpr std::int32_t MusicRowId(std::int32_t nTrack) { return nTrack + kMusicButtons; }

// A button's looks, by its state (normal, hover, pressed); Play alone also has an
// inactive one.
enum MUSIC_BUTTON_LOOK : std::int32_t {
    MUSIC_LOOK_NORMAL = 0,
    MUSIC_LOOK_HOVER = 1,
    MUSIC_LOOK_PRESSED = 2,
    MUSIC_LOOK_INACTIVE = 3,
};

struct MUSIC_ROOM_CONTROL {
    std::int32_t nId;
    // Where it is hit and drawn.
    platform::Rect rcHit;
    // A button's cells on the material by look; empty where it has none, and for a
    // row, which is drawn as text.
    std::array<platform::Rect, 4> rcCell;
    // Where the arrow keys lead from it, by id: left, right, up, down.
    std::array<std::int32_t, 4> nTarget;

    bool Contains(std::int32_t nX, std::int32_t nY) const {
        return nX >= rcHit.left && nX < rcHit.right && nY >= rcHit.top && nY < rcHit.bottom;
    }
};

// Every control in id order, which is the order of the hit tests.
const std::array<MUSIC_ROOM_CONTROL, kMusicControls>& MusicRoomControls();
// The control of nId, 1 to 23.
const MUSIC_ROOM_CONTROL& MusicRoomControl(std::int32_t nId);
