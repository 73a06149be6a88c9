#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/video/DrawSource.h"

namespace platform {

// A picture for the sprite rasteriser: 32-bit ARGB words at the picture's own size,
// with an optional RGB colour key.
class Texture {
public:
    // From decoded 0xAARRGGBB pixels, row after row, whose words it keeps; alpha
    // becomes 255.
    Texture(std::vector<std::uint32_t> argb, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // The texels, row after row (pitch = width).
    const std::uint32_t* data() const { return argb_.data(); }
    // Outside the picture: 0.
    std::uint32_t texel(int x, int y) const;

    void setColorKey(std::uint32_t rgb);
    std::optional<std::uint32_t> colorKey() const { return colorKey_; }

    // A number never used before, taken at every change, as a surface's version.
    std::uint64_t version() const { return version_; }
    const DrawSource& drawSource() const { return asSource_; }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> argb_;
    std::optional<std::uint32_t> colorKey_;
    std::uint64_t version_;
    DrawSource asSource_;  // after the texels: at the end, draws reading them are done first
};

}  // namespace platform
