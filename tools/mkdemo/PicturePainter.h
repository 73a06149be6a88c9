#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Gives each picture's bitmap file: the demo's art, drawn by the painter of its
// family, or for test fixtures flat placeholder cells in palette indices whose
// colours come from the name, so the same name always looks the same.
class PicturePainter {
public:
    // The magenta that marks transparent pixels, pixel (0, 0) included.
    static constexpr std::uint32_t kKeyColor = 0xFF00FF;

    static std::string BitmapOf(const PictureEntry& entry);
    // The demo's art on a canvas of the picture's size; false when no painter
    // draws it, then BitmapOf gives the labelled placeholder.
    static bool DrawArt(ArtCanvas& canvas, const PictureEntry& entry);
    // The colour a picture's key pixels take: black for the sheets keyed on black.
    static std::uint32_t KeyOf(const PictureEntry& entry);
    // The colour (0x00RRGGBB) of each cell of a sheet in the demo's art, by name:
    // every cell has its own, found two pixels in from any corner.
    static std::map<std::string, std::uint32_t> CellColors(const PictureEntry& entry);

    // The style for test fixtures: a cell sheet's cells each one flat colour, with
    // no outline and no label; other pictures as the labelled placeholder.
    static std::string PlainBitmapOf(const PictureEntry& entry);
    // The flat colour of each cell in that style, by name.
    static std::map<std::string, std::uint32_t> PlainCellColors(const PictureEntry& entry);

private:
    static std::string Paint(const PictureEntry& entry, bool labelled);
};

}  // namespace mkdemo
