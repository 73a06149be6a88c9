#pragma once

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PictureCatalog.h"

namespace mkdemo {

// Paints the story's interface: message, choice and day windows, settings, save and load, the
// title's menu and moon.
class StoryUiPainter {
public:
    // False, with nothing drawn, for a picture that is not one of these.
    static bool Paint(ArtCanvas& canvas, const PictureEntry& entry);
};

}  // namespace mkdemo
