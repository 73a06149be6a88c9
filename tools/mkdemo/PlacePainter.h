#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Paints the places: backgrounds, the title's and the extras' backs, the logo and the staff roll's
// scenery.
class PlacePainter {
public:
    // False, with nothing drawn, for a picture that is not one of these.
    static bool Paint(ArtCanvas& canvas, const PictureEntry& entry);
    // The back the title's menu stands on, which the title's moon is drawn over.
    static void PaintMenuBack(ArtCanvas& canvas);
};

}  // namespace mkdemo
