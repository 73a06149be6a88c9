#include <algorithm>

#include "graphics/ZKSPRITE.h"

namespace {

struct Rgb {
    double r, g, b;
};

// A bitmap pixel as the screen device reads it: outside the picture it is the
// invalid colour, all channels 255.
Rgb PixelOf(const platform::BitmapFile& bitmap, int x, int y) {
    std::uint32_t argb = 0xFFFFFFFFu;
    if (x >= 0 && x < bitmap.width() && y >= 0 && y < bitmap.height()) argb = bitmap.pixel(x, y);
    return {double(argb >> 16 & 0xFF), double(argb >> 8 & 0xFF), double(argb & 0xFF)};
}

std::uint8_t Luma(const Rgb& p) {
    const double y = 0.299 * p.r + 0.587 * p.g + 0.114 * p.b;
    return static_cast<std::uint8_t>(std::min(y, 255.0));
}

std::uint8_t Chroma(double value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
}

}  // namespace

int ZKSPRITE::DDCopyBitmapYUV(platform::YuvSurface* pSurf, const platform::BitmapFile& bitmap) {
    std::uint8_t* bytes = pSurf != nullptr ? pSurf->lock() : nullptr;
    if (bytes == nullptr) return 0;
    const bool uyvy = pSurf->fourCC() == platform::kFourCCUyvy;
    if (!uyvy && pSurf->fourCC() != platform::kFourCCYuy2) return 1;
    const auto pitch = static_cast<std::size_t>(pSurf->pitch());
    for (int y = 0; y < pSurf->height(); ++y) {
        std::uint8_t* row = bytes + static_cast<std::size_t>(y) * pitch;
        for (int x = 0; x < pSurf->width(); x += 2) {
            const Rgb first = PixelOf(bitmap, x, y);
            const Rgb second = PixelOf(bitmap, x + 1, y);
            const std::uint8_t y0 = Luma(first), y1 = Luma(second);
            const std::uint8_t u = Chroma(128 - 0.14 * first.r - 0.29 * first.g + 0.43 * first.b);
            const std::uint8_t v =
                Chroma(128 + 0.36 * second.r - 0.29 * second.g - 0.07 * second.b);
            const std::uint8_t quad[4] = {uyvy ? u : y0, uyvy ? y0 : u, uyvy ? v : y1,
                                          uyvy ? y1 : v};
            // An odd width leaves half a pair, which must not run past the row.
            const std::size_t offset = 2 * static_cast<std::size_t>(x);
            std::copy_n(quad, std::min<std::size_t>(4, pitch - offset), row + offset);
        }
    }
    return 1;
}
