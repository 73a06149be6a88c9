#include <cstring>

#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "windows/SELECT_WINDOW_COLLECT_DATA.h"

namespace {

constexpr const char* kTag = "SELECT_WINDOW_COLLECT_DATA::Draw";
constexpr int kTextHeight = 24;
constexpr int kTextWeight = 400;
// Half a text's bytes times this is half its width.
constexpr std::int32_t kCharWidth = 12;

}  // namespace

std::uint32_t SELECT_WINDOW_COLLECT_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    // The glow follows the chosen plate once there is one, else the pointer.
    const std::int32_t nGlow = nSelect != -1 ? nSelect : nHover;
    for (int i = 0; i < Plates(); ++i) {
        const SELECT_WINDOW_DATA& plate = SlcWnd[i];
        if (plate.nDispFlg != 1) continue;
        const std::int32_t top =
            i == nGlow ? kPlateHeight * (1 + static_cast<std::int32_t>(HighLight.nAnimNo)) : 0;
        drawLatch_.Check(kTag,
                         pContext->pSprite->DDBltScale(kSurface, plate.nCenterX, plate.nCenterY, 0,
                                                       top, kPlateWidth, top + kPlateHeight,
                                                       plate.fScale, plate.fScale, 1),
                         i);
    }
    for (int i = 0; i < Plates(); ++i) {
        const SELECT_WINDOW_DATA& plate = SlcWnd[i];
        if (plate.nDispFlg != 1 || !(plate.fScale >= 1.0f)) continue;
        const SELECT_MSG_DATA& text = plate.MsgData;
        const auto nHalf = static_cast<std::int32_t>(std::strlen(text.szText) / 2);
        drawLatch_.Check(kTag,
                         pContext->pSprite->DDTextOutLock(
                             plate.nCenterX - nHalf * kCharWidth, plate.nCenterY - kTextHeight / 2,
                             text.szText, text.dwColor, kTextHeight, kTextWeight),
                         i);
    }
    pContext->pSprite->DDTextOutUnlock();
    return 1;
}
