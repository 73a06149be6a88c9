#include "extras/RECURDO_DATA.h"

#include <array>

#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/video/Rect.h"
#include "system/ClickState.h"
#include "windows/WindowLog.h"
#include "windows/WindowStandby.h"

namespace {

using platform::Rect;

// The plate's place on the message window.
constexpr std::int32_t kOffsetX = 658;
constexpr std::int32_t kOffsetY = 146;
constexpr std::int32_t kWidth = 120;
constexpr std::int32_t kHeight = 32;
// The normal, hovered and pressed looks, stacked.
constexpr std::array<Rect, 3> kCells = {Rect{0, 0, kWidth, kHeight},
                                        Rect{0, kHeight, kWidth, 2 * kHeight},
                                        Rect{0, 2 * kHeight, kWidth, 3 * kHeight}};
constexpr int kHoverEffect = 4;
constexpr int kClickEffect = 6;

enum RECURDO_STATE : std::int32_t { RECURDO_NORMAL = 0, RECURDO_HOVER = 1, RECURDO_PRESSED = 2 };

}  // namespace

RECURDO_DATA::RECURDO_DATA() { Release(); }

std::uint32_t RECURDO_DATA::Initialize(const GameContext* pContextIn) {
    constexpr const char* kTag = "RECURDO_DATA::Initialize";
    if (pContextIn == nullptr || !pContextIn->IsComplete()) {
        WindowLogError(kTag, WINDOW_FAILURE::BadArgument);
        return 0;
    }
    pContext = pContextIn;
    nState = RECURDO_NORMAL;
    nHoverFlg = 0;
    if (SurfaceLoad(pContext->pSprite, pContext->pSystem, kSurface, 1, 0xFFFFFFFFu) == 0) {
        WindowLogError(kTag, WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    nInitFlg = 1;
    return 1;
}

void RECURDO_DATA::Release() {
    if (pContext != nullptr) SurfaceUnload(pContext->pSprite, pContext->pSystem, kSurface);
    pContext = nullptr;
    nHoverFlg = 0;
    nState = RECURDO_NORMAL;
    nInitFlg = 0;
}

std::int32_t RECURDO_DATA::RecurdoStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                          std::int32_t nWndX, std::int32_t nWndY,
                                          std::int32_t nClick) {
    const Rect hit{nWndX + kOffsetX, nWndY + kOffsetY, nWndX + kOffsetX + kWidth,
                   nWndY + kOffsetY + kHeight};
    if (!StandbyHit(hit, nMouseX, nMouseY)) {
        nState = RECURDO_NORMAL;
        nHoverFlg = 0;
        return 0;
    }
    nState = RECURDO_HOVER;
    if (nHoverFlg != 1) {
        nHoverFlg = 1;
        PlayEffect(kHoverEffect);
    }
    if (nClick == KEY_STATE_HELD || nClick == KEY_STATE_PRESSED) nState = RECURDO_PRESSED;
    if (nClick == KEY_STATE_RELEASED) {
        PlayEffect(kClickEffect);
        return 2;
    }
    return 1;
}

// The standby does not ask for a set-up, so a button never set up plays nothing.
void RECURDO_DATA::PlayEffect(int nEffect) const {
    if (pContext != nullptr) pContext->Sound().Effect(nEffect);
}

std::uint32_t RECURDO_DATA::Draw(std::int32_t nWndX, std::int32_t nWndY) {
    // A look outside the three draws an empty rectangle.
    const Rect cell =
        nState >= 0 && nState < static_cast<std::int32_t>(kCells.size()) ? kCells[nState] : Rect{};
    // Without a picture every frame logs its failure: the button stays where it was
    // meant to be, and the log says why it is not seen.
    if (pContext == nullptr ||
        pContext->pSprite->DDBltRange(kSurface, nWndX + kOffsetX, nWndY + kOffsetY, cell.left,
                                      cell.top, cell.right, cell.bottom, 0) == -1) {
        WindowLogError("RECURDO_DATA::Draw", WINDOW_FAILURE::Draw);
    }
    return 1;
}
