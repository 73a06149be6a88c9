#include "mkdemo/StoryUiPainter.h"

namespace mkdemo {

bool StoryUiPainter::Paint(ArtCanvas&, const PictureEntry&) { return false; }

}  // namespace mkdemo
