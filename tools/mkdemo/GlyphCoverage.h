#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace mkdemo {

// A line of text as glyph coverage (0-255, row after row), drawn by the game's own
// text engine so that labels look as the game's text does.
struct GlyphCoverage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;

    // ASCII or Shift-JIS text in cells of the given height.
    static GlyphCoverage Of(std::string_view text, int height);
    // The width the text takes: half the height per single-byte character.
    static int WidthOf(std::string_view text, int height);
};

}  // namespace mkdemo
