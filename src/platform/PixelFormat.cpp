#include "platform/PixelFormat.h"

namespace platform {

namespace {

std::uint32_t Pack565(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
}

// Bit replication, so that full channels read back as 255.
std::uint32_t Expand565(std::uint32_t pixel) {
    const std::uint32_t r5 = (pixel >> 11) & 0x1F;
    const std::uint32_t g6 = (pixel >> 5) & 0x3F;
    const std::uint32_t b5 = pixel & 0x1F;
    return (r5 << 3 | r5 >> 2) << 16 | (g6 << 2 | g6 >> 4) << 8 | (b5 << 3 | b5 >> 2);
}

}  // namespace

PixelFormat PixelFormat::ForDepth(std::uint32_t bits) {
    PixelFormat format;
    format.bitCount = bits;
    if (bits == 16) {
        format.storage = PixelStorage::Rgb565;
        format.rMask = 0xF800;
        format.gMask = 0x07E0;
        format.bMask = 0x001F;
    } else if (bits == 8) {
        // A palettised primary has no colour masks.
        format.rMask = format.gMask = format.bMask = 0;
    }
    return format;
}

std::uint32_t PixelFormat::colorBits() const {
    return bitCount >= 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
}

std::uint32_t PixelFormat::fromColorRef(ColorRef color) const {
    const std::uint32_t r = color & 0xFF;
    const std::uint32_t g = (color >> 8) & 0xFF;
    const std::uint32_t b = (color >> 16) & 0xFF;
    return fromXrgb(r << 16 | g << 8 | b);
}

ColorRef PixelFormat::toColorRef(std::uint32_t pixel) const {
    const std::uint32_t xrgb = toXrgb(pixel);
    return (xrgb >> 16 & 0xFF) | (xrgb & 0xFF00) | (xrgb & 0xFF) << 16;
}

std::uint32_t PixelFormat::fromXrgb(std::uint32_t xrgb) const {
    if (storage == PixelStorage::Rgb565) {
        return Pack565(xrgb >> 16 & 0xFF, xrgb >> 8 & 0xFF, xrgb & 0xFF);
    }
    return xrgb & 0xFFFFFF;
}

std::uint32_t PixelFormat::toXrgb(std::uint32_t pixel) const {
    return storage == PixelStorage::Rgb565 ? Expand565(pixel) : pixel & 0xFFFFFF;
}

}  // namespace platform
