#include "platform/video/PixelFormat.h"

namespace platform {

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

}  // namespace platform
