#include "platform/window/CursorBits.h"

#include <cstddef>

namespace platform {

CursorBits CursorBits::Of(const PixelArt& art) {
    const int w = art.width();
    const int h = art.height();
    const std::size_t rowBytes = static_cast<std::size_t>((w + 7) / 8);
    const std::size_t bytes = rowBytes * static_cast<std::size_t>(h);
    CursorBits bits{std::vector<std::uint8_t>(bytes, 0), std::vector<std::uint8_t>(bytes, 0)};
    const auto pixels = art.argb();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * w + x)];
            const std::size_t at =
                static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8);
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            if ((p >> 24) == 0) continue;
            bits.mask[at] |= bit;
            if ((p & 0xFFFFFF) == 0) bits.data[at] |= bit;
        }
    }
    return bits;
}

}  // namespace platform
