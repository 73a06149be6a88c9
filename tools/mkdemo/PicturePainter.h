#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Paints a placeholder picture straight in palette indices and gives its bitmap
// file: colours come from the name, so the same name always looks the same.
class PicturePainter {
public:
    // The magenta that marks transparent pixels, pixel (0, 0) included.
    static constexpr std::uint32_t kKeyColor = 0xFF00FF;

    static std::string BitmapOf(const PictureEntry& entry);
    // The style for test fixtures: a cell sheet's cells each one flat colour, with
    // no outline and no label; other pictures as BitmapOf paints them.
    static std::string PlainBitmapOf(const PictureEntry& entry);
    // The flat colour (0x00RRGGBB) of each cell of a cell sheet, by name, the same
    // in both styles: every cell has its own, found two pixels in from any corner.
    static std::map<std::string, std::uint32_t> CellColors(const PictureEntry& entry);

private:
    static std::string Paint(const PictureEntry& entry, bool labelled);
};

}  // namespace mkdemo
