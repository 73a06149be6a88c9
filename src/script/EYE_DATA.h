#pragma once

#include <cstdint>

#include "platform/video/Rect.h"

// One eye frame: where it lies in the face picture and how long it shows.
struct EYE_DATA {
    platform::Rect rcRect;
    std::uint32_t dwTime = 0;
};
