#include "mkdemo/EventPainter.h"

namespace mkdemo {

bool EventPainter::Paint(ArtCanvas&, const PictureEntry&) { return false; }

}  // namespace mkdemo
