#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// A GDI colour value: 0x00BBGGRR; the high byte is ignored.
using ColorRef = std::uint32_t;

// GDI's answer for a pixel that cannot be read.
constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;

// How a surface stores its pixels.
enum class PixelStorage {
    Xrgb32,  // 32-bit words 0x00RRGGBB
    Rgb565,  // 16-bit words
};

// An RGB565 word as 0x00RRGGBB, channels widened by bit replication so that full
// channels read back as 255. Inline, so that whole-surface loops vectorise.
constexpr std::uint32_t Expand565(std::uint32_t pixel) {
    const std::uint32_t r5 = (pixel >> 11) & 0x1F;
    const std::uint32_t g6 = (pixel >> 5) & 0x3F;
    const std::uint32_t b5 = pixel & 0x1F;
    return (r5 << 3 | r5 >> 2) << 16 | (g6 << 2 | g6 >> 4) << 8 | (b5 << 3 | b5 >> 2);
}

// 0x00RRGGBB as an RGB565 word, each channel cut to its top bits.
constexpr std::uint16_t Pack565(std::uint32_t xrgb) {
    return static_cast<std::uint16_t>((xrgb >> 19 & 0x1F) << 11 | (xrgb >> 10 & 0x3F) << 5 |
                                      (xrgb >> 3 & 0x1F));
}

// A surface's pixel format as the display describes it, with the conversions
// between GDI colours, decoded pictures (0xAARRGGBB) and raw pixels.
struct PixelFormat {
    PixelStorage storage = PixelStorage::Xrgb32;
    std::uint32_t bitCount = 32;
    std::uint32_t rMask = 0xFF0000;
    std::uint32_t gMask = 0xFF00;
    std::uint32_t bMask = 0xFF;

    // The format of a display at the given depth (32, 24, 16 or 8).
    static PixelFormat ForDepth(std::uint32_t bits);

    std::size_t bytesPerPixel() const { return storage == PixelStorage::Rgb565 ? 2 : 4; }
    // Colour bits of a raw pixel: the low bitCount bits.
    std::uint32_t colorBits() const;

    std::uint32_t fromColorRef(ColorRef color) const;
    ColorRef toColorRef(std::uint32_t pixel) const;
    std::uint32_t fromXrgb(std::uint32_t xrgb) const {
        return storage == PixelStorage::Rgb565 ? Pack565(xrgb) : xrgb & 0xFFFFFF;
    }
    std::uint32_t toXrgb(std::uint32_t pixel) const {
        return storage == PixelStorage::Rgb565 ? Expand565(pixel) : pixel & 0xFFFFFF;
    }
};

}  // namespace platform
