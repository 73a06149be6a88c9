#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// The settings sheet: the panel with every option in its resting look where the
// settings screen lays that option's pictures, each option's pointed-at and chosen
// looks, the level bars, the confirmation box and the two buttons.
class ConfigSheetPainter {
public:
    static void Paint(ArtCanvas& canvas, const PictureEntry& entry);
};

}  // namespace mkdemo
