#include "extras/CG_MODE_DATA.h"
#include "game/GameContext.h"
#include "system/ClickState.h"
#include "windows/WindowLog.h"

namespace {

constexpr int kEffectHover = 4;
constexpr int kEffectCell = 5;

}  // namespace

// The current tab and the current kind's button never react; the arrows only where a
// page lies beyond them.
bool CG_MODE_DATA::IsActive(std::int32_t nId) const {
    switch (nId) {
        case GALLERY_PREV:
            return nPage >= 2;
        case GALLERY_NEXT:
            return nPage < nPageMax;
        case GALLERY_CG:
            return nKind != kGalleryKindCG;
        case GALLERY_REPLAY:
            return nKind != kGalleryKindReplay;
        case GALLERY_BACK:
            return true;
        default:
            return nChara != nId - GALLERY_TAB_QUIRA;
    }
}

std::int32_t CG_MODE_DATA::CGModeThumbnailSelectStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                                        std::int32_t nLeft, std::uint32_t dwNow) {
    if (nInitFlg == 0) {
        WindowLogError("CG_MODE_DATA::CGModeThumbnailSelectStandby",
                       WINDOW_FAILURE::NotInitialized);
        return GALLERY_FAILED;
    }
    KeyCursorMove();
    std::int32_t result = GALLERY_IDLE;
    std::int32_t taken = GALLERY_NONE;
    std::int32_t under = GALLERY_NONE;
    for (const GALLERY_CONTROL& control : GalleryButtons()) {
        const bool bHit = taken == GALLERY_NONE && GalleryContains(control.rcHit, nMouseX, nMouseY);
        if (bHit) under = nCursorId = control.nId;
        if (!bHit || !IsActive(control.nId)) {
            if (control.nButton != GALLERY_BUTTON_NONE) nBtnState[control.nButton] = 0;
            continue;
        }
        taken = control.nId;
        result =
            Take(control.nId, control.nButton, control.nClickResult, control.nClickEffect, nLeft);
    }
    if (taken == GALLERY_NONE) result = HitCells(nMouseX, nMouseY, nLeft, &taken);
    const auto cells = GalleryCells(nKind);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (GalleryContains(cells[i], nMouseX, nMouseY)) {
            under = nCursorId = GALLERY_CELL + static_cast<std::int32_t>(i);
            break;
        }
    }
    for (GRAPHIC_DATA_EX* anim : {&NWndS, &NWndE, &TbCG, &TbRP}) {
        if (anim->nDispFlg != 0) anim->AnimationProc(dwNow);
    }
    if (taken == GALLERY_NONE) nSelectId = GALLERY_NONE;
    if (under == GALLERY_NONE) nCursorId = GALLERY_NONE;
    return result;
}

// The page's cells up to the first under the pointer, which reacts only when unlocked.
std::int32_t CG_MODE_DATA::HitCells(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                                    std::int32_t* pnTaken) {
    const auto cells = GalleryCells(nKind);
    for (std::int32_t i = 0; i < nPageItemNum && i < static_cast<std::int32_t>(cells.size()); ++i) {
        if (!GalleryContains(cells[static_cast<std::size_t>(i)], nMouseX, nMouseY)) continue;
        if (Item[i].nOpen != 1) return GALLERY_IDLE;
        *pnTaken = GALLERY_CELL + i;
        return Take(*pnTaken, GALLERY_BUTTON_NONE, GALLERY_CELL_CLICKED, kEffectCell, nLeft);
    }
    return GALLERY_IDLE;
}

// The pointer rests on an active control: its hover sound when it has just come, its
// pressed look while the left event is down, its click on the release.
std::int32_t CG_MODE_DATA::Take(std::int32_t nId, std::int32_t nButton, std::int32_t nClickResult,
                                int nClickEffect, std::int32_t nLeft) {
    const GameSound sound = pContext->Sound();
    if (nSelectId != nId) {
        nSelectId = nId;
        sound.Effect(kEffectHover);
    }
    if (nButton != GALLERY_BUTTON_NONE) {
        nBtnState[nButton] = nLeft == KEY_STATE_HELD || nLeft == KEY_STATE_PRESSED ? 2 : 1;
    }
    if (nLeft != KEY_STATE_RELEASED) return GALLERY_HOVER;
    sound.Effect(nClickEffect);
    return nClickResult;
}

std::int32_t CG_MODE_DATA::CGModeStandby(std::int32_t, std::int32_t, std::int32_t nLeft,
                                         std::uint32_t) {
    if (nInitFlg == 0) {
        WindowLogError("CG_MODE_DATA::CGModeStandby", WINDOW_FAILURE::NotInitialized);
        return GALLERY_FAILED;
    }
    return nLeft == KEY_STATE_RELEASED ? 2 : 0;
}
