#include "extras/CG_MODE_DATA.h"
#include "extras/ExtrasKeys.h"
#include "game/GameContext.h"

// The targets that depend on the page are resolved here; a target is not checked for
// reacting.
std::int32_t CG_MODE_DATA::KeyCursorMove() {
    const GALLERY_ARROWS* row = GalleryArrows(nKind, nCursorId);
    if (row == nullptr) return 1;
    const bool bFirst = nPage < 2;
    const bool bLast = nPage >= nPageMax;
    ARROW_TARGETS targets{};
    for (std::size_t key = 0; key < targets.size(); ++key) {
        targets[key] = GalleryRect(nKind, row->targets[key].Resolve(bFirst, bLast));
    }
    ExtrasKeyCursorMove(*pContext->pSystem, targets);
    return 1;
}
