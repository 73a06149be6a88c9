#include "game/GameContext.h"
#include "platform/input/VirtualKeys.h"
#include "system/ZKSYSTEM.h"
#include "windows/CONFIG_DATA.h"

namespace {

// Each warp stands over the ones before it: of two arrows in one frame the last wins.
constexpr struct {
    int nKey;
    CONFIG_DIRECTION direction;
} kArrows[] = {{platform::VK_LEFT, CONFIG_LEFT},
               {platform::VK_RIGHT, CONFIG_RIGHT},
               {platform::VK_UP, CONFIG_UP},
               {platform::VK_DOWN, CONFIG_DOWN}};

bool Across(CONFIG_DIRECTION direction) {
    return direction == CONFIG_LEFT || direction == CONFIG_RIGHT;
}

}  // namespace

// Every key is judged from the same nCursorId: a warp moves only the pointer, and the
// hit test of the next frame finds it there. Nothing moves while the box grows or
// shrinks.
std::int32_t CONFIG_DATA::KeyCursorMove(std::uint32_t nInGame) {
    if (nInitFlg == 0) return 1;
    if (nSlideFlg != kNoBox && nSlideFlg != kBoxUp) return 1;
    const bool box = nSlideFlg == kBoxUp;
    for (const auto& arrow : kArrows) {
        if (pContext->pSystem->GetVKeyStatus(arrow.nKey) != KEY_STATE_RELEASED) continue;
        if (box && !Across(arrow.direction)) continue;
        // Over nothing, the arrows go to OK, or in the box to no.
        if (nCursorId == 0) {
            WarpTo(box ? kConfigNo : kConfigOk);
            continue;
        }
        const CONFIG_CONTROL* focus = FindConfigControl(nCursorId);
        if (focus == nullptr) continue;
        const bool inBox = focus->kind == CONFIG_KIND::Yes || focus->kind == CONFIG_KIND::No;
        if (inBox == box) WarpTo(Target(*focus, arrow.direction, nInGame));
    }
    return 1;
}

std::int32_t CONFIG_DATA::Target(const CONFIG_CONTROL& control, CONFIG_DIRECTION direction,
                                 std::uint32_t nInGame) const {
    const std::int32_t target = control.nNeighbour[direction];
    if (target != kConfigTitleOrOk) return target;
    return nInGame != 0 ? kConfigTitle : kConfigOk;
}

// The centre of the control's hit rectangle where the panel stands now.
void CONFIG_DATA::WarpTo(std::int32_t nId) {
    const CONFIG_CONTROL* control = FindConfigControl(nId);
    if (control == nullptr) return;
    const platform::Rect rc = HitRect(*control);
    pContext->pSystem->SetMousePos(rc.left + (rc.right - rc.left) / 2,
                                   rc.top + (rc.bottom - rc.top) / 2);
}
