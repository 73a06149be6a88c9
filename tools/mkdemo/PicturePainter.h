#pragma once

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
};

}  // namespace mkdemo
