#include "platform/video/PixelArt.h"

#include <cstring>

namespace platform {

int PixelArt::width() const { return rows.empty() ? 0 : static_cast<int>(std::strlen(rows[0])); }

std::vector<std::uint32_t> PixelArt::argb() const {
    const int w = width();
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(w) * rows.size());
    for (const char* row : rows) {
        const int length = static_cast<int>(std::strlen(row));
        for (int x = 0; x < w; ++x) {
            const char c = x < length ? row[x] : ' ';
            std::uint32_t value = 0;
            if (c == '#') value = 0xFF000000;
            if (c == '.') value = 0xFFFFFFFF;
            for (const auto& colour : palette) {
                if (colour.key == c) value = colour.argb;
            }
            pixels.push_back(value);
        }
    }
    return pixels;
}

}  // namespace platform
