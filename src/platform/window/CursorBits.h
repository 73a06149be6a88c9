#pragma once

#include <cstdint>
#include <vector>

#include "platform/video/PixelArt.h"

namespace platform {

// A picture as the two bit planes of a monochrome cursor: rows padded to whole
// bytes, the leftmost pixel in a byte's top bit; mask 1 where the picture shows,
// data 1 where it is black. Any other shown colour counts as white.
struct CursorBits {
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> mask;

    static CursorBits Of(const PixelArt& art);
};

}  // namespace platform
