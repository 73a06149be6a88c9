#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// The message window's sheet: the panel the engine writes its lines over, the name
// plate, the six buttons with their icons in every look, and the waiting crescent.
class MessageSheetPainter {
public:
    static void Paint(ArtCanvas& canvas, const PictureEntry& entry);
};

}  // namespace mkdemo
