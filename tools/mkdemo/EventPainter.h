#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Paints the event pictures (EV, HCG, ED) and the gallery thumbnails cut from them.
class EventPainter {
public:
    // False, with nothing drawn, for a picture that is not one of these.
    static bool Paint(ArtCanvas& canvas, const PictureEntry& entry);
};

}  // namespace mkdemo
