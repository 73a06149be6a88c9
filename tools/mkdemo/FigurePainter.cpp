#include "mkdemo/FigurePainter.h"

namespace mkdemo {

bool FigurePainter::Paint(ArtCanvas&, const PictureEntry&) { return false; }

}  // namespace mkdemo
