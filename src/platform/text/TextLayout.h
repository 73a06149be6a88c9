#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/video/Rect.h"

namespace platform {

// One character placed on the screen: its bytes in the text and its cell, whose
// top-left corner is (x, y) and whose height is the font height.
struct TextCell {
    std::size_t offset = 0;
    std::size_t length = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    bool operator==(const TextCell&) const = default;
};

// Places Shift-JIS text into the engine's fixed cells: a single-byte character
// takes half the font height, a double-byte one the whole height.
class TextLayout {
public:
    // Box format flags that are honoured; all others are ignored.
    static constexpr std::uint32_t kCenter = 1;
    static constexpr std::uint32_t kRight = 2;
    static constexpr std::uint32_t kVCenter = 4;
    static constexpr std::uint32_t kBottom = 8;
    static constexpr std::uint32_t kWordBreak = 16;
    static constexpr std::uint32_t kSingleLine = 32;
    static constexpr std::uint32_t kNoClip = 256;

    // One line whose first cell's top-left is (x, y).
    static std::vector<TextCell> Line(std::string_view text, int x, int y, int height);
    // Lines inside rect as the format asks.
    static std::vector<TextCell> Box(std::string_view text, const Rect& rect, std::uint32_t format,
                                     int height);
    // Whether the cell shows a glyph: control bytes and a lead byte without its
    // trail byte keep their cell but draw nothing.
    static bool Inked(std::string_view text, const TextCell& cell);
};

}  // namespace platform
