#pragma once

#include <cstdint>
#include <vector>

namespace zktest {

// Reads the number a generated movie picture carries in its band: ten square
// blocks across the picture's top, block b holding bit 9 - b.
class MovieBand {
public:
    // The number of the picture whose top-left corner lies at (x, y) of an XRGB frame
    // frameWidth pixels wide, drawn width pixels wide; -1 when any block shows no
    // movie picture.
    static int Read(const std::vector<std::uint32_t>& frame, int frameWidth, int x, int y,
                    int width);
    // One block's bit by the mean of R, G and B at its centre: 1 white, 0 grey, -1 neither.
    static int BlockBit(std::uint32_t xrgb);
};

}  // namespace zktest
