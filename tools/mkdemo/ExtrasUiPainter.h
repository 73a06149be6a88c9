#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Paints the extras' interface: the menu, the music room, the gallery, the return button, the
// credits and the costume select's frames and buttons.
class ExtrasUiPainter {
public:
    // False, with nothing drawn, for a picture that is not one of these.
    static bool Paint(ArtCanvas& canvas, const PictureEntry& entry);
};

}  // namespace mkdemo
