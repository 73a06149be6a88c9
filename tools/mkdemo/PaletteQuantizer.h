#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mkdemo {

struct IndexedPicture {
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB, at most 256
    std::vector<std::uint8_t> indices;
};

// Reduces a picture to 256 colours by median cut over a 15-bit histogram, each box
// taking the mean of the colours in it. When key is given it keeps index 0 for
// itself: exactly the pixels of that colour take it, and no other pixel can.
// The colour itself, or a colour beside it when a 16-bit screen would read it as the key.
std::uint32_t MoveOffKey(std::uint32_t rgb, std::uint32_t key);
// The colour nearest rgb that a 16-bit screen tells apart from the key and from every
// colour of others: given to the one pixel a picture's key is read from, so that a
// picture drawn without its key shows that pixel as the art has it, and one drawn with
// it loses only that pixel.
std::uint32_t OwnColorNear(std::uint32_t rgb, std::span<const std::uint32_t> others,
                           std::uint32_t key);

class PaletteQuantizer {
public:
    static IndexedPicture Reduce(std::span<const std::uint32_t> xrgb,
                                 std::optional<std::uint32_t> key);
};

}  // namespace mkdemo
