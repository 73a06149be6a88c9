#pragma once

#include <cstdint>

#include "platform/video/Rect.h"

// What a window's standby reports for one frame.
enum STANDBY_RESULT : std::int32_t {
    STANDBY_NOT_INITIALIZED = -1,
    STANDBY_NOTHING = 0,
    STANDBY_MOVED = 1,
    STANDBY_ACTED = 2,
    STANDBY_CLOSE = 3,
    STANDBY_SPECIAL = 4,
};

// Sound effects of the windows: the pointer onto another item, and an item clicked.
constexpr int kSECursorMove = 4;
constexpr int kSEEnter = 5;

// Inside when left <= x < right and top <= y < bottom: the right and bottom edges
// belong to the next item.
bool StandbyHit(const platform::Rect& rcItem, std::int32_t nX, std::int32_t nY);
