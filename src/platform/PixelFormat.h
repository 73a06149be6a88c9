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
    std::uint32_t fromXrgb(std::uint32_t xrgb) const;
    std::uint32_t toXrgb(std::uint32_t pixel) const;
};

}  // namespace platform
