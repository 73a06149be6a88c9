#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// The extras menu: a room at night whose objects are its buttons (the album, the music
// box, the moon window and the wardrobe), and each object lit, cut to lie exactly over
// the room where the menu shows it.
class ExtrasRoomPainter {
public:
    static void PaintBack(ArtCanvas& canvas);
    static void PaintMaterial(ArtCanvas& canvas, const PictureEntry& entry);
};

}  // namespace mkdemo
