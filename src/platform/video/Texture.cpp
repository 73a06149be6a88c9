#include "platform/video/Texture.h"

#include <utility>

namespace platform {

Texture::Texture(std::vector<std::uint32_t> argb, int width, int height)
    : width_(width), height_(height), argb_(std::move(argb)), version_(NewDrawVersion()) {
    for (auto& word : argb_) word |= 0xFF000000u;
}

void Texture::setColorKey(std::uint32_t rgb) {
    asSource_.release();
    colorKey_ = rgb & 0xFFFFFF;
    version_ = NewDrawVersion();
}

std::uint32_t Texture::texel(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return 0;
    return argb_[static_cast<std::size_t>(y) * width_ + x];
}

}  // namespace platform
