#include "game/CLT_SLC_DATA.h"
#include "game/CostumeCards.h"
#include "game/GameContext.h"
#include "platform/input/VirtualKeys.h"
#include "system/ZKSYSTEM.h"

namespace {

struct KEY_TARGETS {
    int nKey;
    // The place each key goes to from the place under the pointer (0 none): rows wrap,
    // up and down both change rows.
    std::int32_t nTarget[CLT_SLC_DATA::kPlaceCount + 1];
};

constexpr KEY_TARGETS kKeyTargets[] = {
    {platform::VK_LEFT, {1, 4, 1, 2, 3, 8, 5, 6, 7}},
    {platform::VK_RIGHT, {1, 2, 3, 4, 1, 6, 7, 8, 5}},
    {platform::VK_UP, {1, 5, 6, 7, 8, 1, 2, 3, 4}},
    {platform::VK_DOWN, {1, 5, 6, 7, 8, 1, 2, 3, 4}},
};

}  // namespace

// Every key is judged from the place under the pointer on entry: a warp moves only the
// pointer, and the next frame's hit test finds it; of several keys the last wins.
void CLT_SLC_DATA::KeyCursorMove() {
    ZKSYSTEM& system = *pContext->pSystem;
    for (const KEY_TARGETS& keys : kKeyTargets) {
        if (system.GetVKeyStatus(keys.nKey) != KEY_STATE_RELEASED) continue;
        const platform::Rect rect = CostumeCards::PlaceRect(keys.nTarget[nMousePos]);
        system.SetMousePos(rect.left + (rect.right - rect.left) / 2,
                           rect.top + (rect.bottom - rect.top) / 2);
    }
}
