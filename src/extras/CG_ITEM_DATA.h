#pragma once

#include <cstdint>

// One cell of a gallery page.
struct CG_ITEM_DATA {
    std::int32_t nTbSurfNo = -1;
    // The full picture's surface; CG cells only.
    std::int32_t nCGSurfNo = -1;
    // The full picture's file (CG) or the scene's script (REPLAY); empty where the
    // list has no item for the slot.
    char szFileName[260] = {};
    // The scene's title, Shift-JIS; REPLAY cells only.
    char szTitle[100] = {};
    // 1 unlocked.
    std::int32_t nOpen = 0;
};
