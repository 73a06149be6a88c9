#include "mkdemo/ExtrasUiPainter.h"

namespace mkdemo {

bool ExtrasUiPainter::Paint(ArtCanvas&, const PictureEntry&) { return false; }

}  // namespace mkdemo
