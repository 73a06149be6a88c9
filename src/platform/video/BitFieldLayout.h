#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace platform {

// A direct-colour pixel whose red, green and blue each sit in one run of bits given
// by a mask. Bits outside the three masks (alpha, or nothing) are not read.
class BitFieldLayout {
public:
    // Nothing when a mask is empty, not one run of bits, or reaches past the pixel.
    static std::optional<BitFieldLayout> FromMasks(const std::array<std::uint32_t, 3>& masks,
                                                   std::uint32_t bits);

    // The pixel as 0xFFRRGGBB: a narrower channel repeats its bits down to the 8th,
    // so that a full channel reads 255; a wider one keeps its top 8 bits.
    std::uint32_t toArgb(std::uint32_t pixel) const;

private:
    struct Channel {
        int shift = 0;
        int width = 0;
        std::uint32_t eightBits(std::uint32_t pixel) const;
    };

    std::array<Channel, 3> channels_{};
};

}  // namespace platform
