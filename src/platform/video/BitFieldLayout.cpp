#include "platform/video/BitFieldLayout.h"

#include <bit>

namespace platform {

std::optional<BitFieldLayout> BitFieldLayout::FromMasks(const std::array<std::uint32_t, 3>& masks,
                                                        std::uint32_t bits) {
    BitFieldLayout layout;
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const std::uint32_t mask = masks[i];
        if (mask == 0 || (bits < 32 && mask >> bits != 0)) return std::nullopt;
        const int shift = std::countr_zero(mask);
        const std::uint32_t run = mask >> shift;
        if ((run & (run + 1)) != 0) return std::nullopt;
        layout.channels_[i] = {shift, std::popcount(run)};
    }
    return layout;
}

std::uint32_t BitFieldLayout::Channel::eightBits(std::uint32_t pixel) const {
    const std::uint32_t value = (pixel >> shift) & (0xFFFFFFFFu >> (32 - width));
    if (width >= 8) return value >> (width - 8);
    std::uint32_t widened = 0;
    for (int at = 8 - width; at > -width; at -= width) {
        widened |= at >= 0 ? value << at : value >> -at;
    }
    return widened;
}

std::uint32_t BitFieldLayout::toArgb(std::uint32_t pixel) const {
    std::uint32_t argb = 0xFFu;
    for (const Channel& channel : channels_) argb = argb << 8 | channel.eightBits(pixel);
    return argb;
}

}  // namespace platform
