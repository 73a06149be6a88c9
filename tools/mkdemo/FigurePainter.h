#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Paints the heroines: body and face sheets, the costume cards and whole figures, the dress room's
// faces.
class FigurePainter {
public:
    // False, with nothing drawn, for a picture that is not one of these.
    static bool Paint(ArtCanvas& canvas, const PictureEntry& entry);
};

}  // namespace mkdemo
