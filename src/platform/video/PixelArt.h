#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// A small picture written as rows of characters: ' ' transparent, '#' black,
// '.' white, and any other character a colour of the palette.
struct PixelArt {
    struct Colour {
        char key = 0;
        std::uint32_t argb = 0;
    };
    std::vector<const char*> rows;
    std::vector<Colour> palette;
    int hotX = 0;
    int hotY = 0;

    int width() const;
    int height() const { return static_cast<int>(rows.size()); }
    // 0xAARRGGBB, row after row.
    std::vector<std::uint32_t> argb() const;
};

// What the window shows of its own: the icon and the two arrows of cursor.txt.
struct WindowArt {
    PixelArt icon;
    PixelArt monochromeArrow;
    PixelArt colourArrow;
};

}  // namespace platform
