#include "game/GameContext.h"
#include "system/ZKSYSTEM.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/SaveLoadScreen.h"
#include "windows/WindowLog.h"

namespace {

constexpr std::int32_t kRowLeft = 12;
constexpr std::int32_t kRowRight = 387;
constexpr std::int32_t kRowTop = 41;
constexpr std::int32_t kRowHeight = 24;

constexpr std::int32_t kButtonNormal = 0;
constexpr std::int32_t kButtonHover = 1;
constexpr std::int32_t kButtonPressed = 2;

bool Released(std::int32_t nState) { return nState == KEY_STATE_RELEASED; }

}  // namespace

// The hit rectangles of the close button, the rows 1 to 20, yes and no.
platform::Rect SAVE_LOAD_WINDOW_DATA::ItemRect(std::int32_t nItem) const {
    if (nItem == kCursorClose) return {nX + 365, nY + 7, nX + 392, nY + 31};
    if (nItem == kCursorYes) return {nX + 76, nY + 557, nX + 123, nY + 581};
    if (nItem == kCursorNo) return {nX + 264, nY + 557, nX + 334, nY + 581};
    const std::int32_t top = nY + kRowTop + kRowHeight * (nItem - 1);
    return {nX + kRowLeft, top, nX + kRowRight, top + kRowHeight};
}

std::int32_t SAVE_LOAD_WINDOW_DATA::SaveStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                                std::int32_t nLeft, std::int32_t nRight) {
    return Standby(kSaveScreen, nMouseX, nMouseY, nLeft, nRight);
}

std::int32_t SAVE_LOAD_WINDOW_DATA::LoadStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                                std::int32_t nLeft, std::int32_t nRight) {
    return Standby(kLoadScreen, nMouseX, nMouseY, nLeft, nRight);
}

bool SAVE_LOAD_WINDOW_DATA::RowCounts(const SAVE_LOAD_SCREEN& screen, std::int32_t nSlot) const {
    return !screen.bUsedRowsOnly || SaveInfo[nSlot - 1].nExist == 1;
}

// The keys move the pointer for the next frame; this one goes on with the position
// the owner read.
std::int32_t SAVE_LOAD_WINDOW_DATA::Standby(const SAVE_LOAD_SCREEN& screen, std::int32_t nMouseX,
                                            std::int32_t nMouseY, std::int32_t nLeft,
                                            std::int32_t nRight) {
    if (nInitFlg == 0) {
        WindowLogError(screen.szStandbyTag, WINDOW_FAILURE::NotInitialized);
        return STANDBY_NOT_INITIALIZED;
    }
    KeyCursorMove(screen);
    if (Released(nRight) || pContext->pSystem->GetVKeyStatus(screen.nCloseKey) == 3) {
        return STANDBY_CLOSE;
    }
    std::int32_t nResult = STANDBY_NOTHING;
    if (StandbyHit(ItemRect(kCursorClose), nMouseX, nMouseY)) {
        nCloseBtnState = kButtonHover;
        if (nCursorId != kCursorClose) {
            nCursorId = kCursorClose;
            pContext->Sound().Effect(kSECursorMove);
            if (nSlideFlg == 0) EmptyStatus();
        }
        if (nLeft == KEY_STATE_HELD || nLeft == KEY_STATE_PRESSED) {
            nCloseBtnState = kButtonPressed;
        } else if (Released(nLeft)) {
            nCloseBtnState = kButtonNormal;
            pContext->Sound().Effect(kSEEnter);
            nResult = STANDBY_CLOSE;
        }
        if (nSlideFlg == 0 && screen.bCloseDropsSelect) nSelectNo = 0;
        return nResult;
    }
    nCloseBtnState = kButtonNormal;
    if (nSlideFlg == 0) return Browse(screen, nMouseX, nMouseY, nLeft, nResult);
    return Ask(screen, nMouseX, nMouseY, nLeft, nResult);
}

std::int32_t SAVE_LOAD_WINDOW_DATA::Browse(const SAVE_LOAD_SCREEN& screen, std::int32_t nMouseX,
                                           std::int32_t nMouseY, std::int32_t nLeft,
                                           std::int32_t nResult) {
    for (std::int32_t slot = 1; slot <= kSaveSlotCount; ++slot) {
        if (!RowCounts(screen, slot) || !StandbyHit(ItemRect(slot), nMouseX, nMouseY)) continue;
        nSelectNo = slot;
        if (nCursorId != slot) {
            nCursorId = slot;
            pContext->Sound().Effect(kSECursorMove);
            SetStatus(SaveStatusText(SAVE_STATUS::Hover, slot).c_str());
            nResult = STANDBY_MOVED;
        }
        if (Released(nLeft)) {
            pContext->Sound().Effect(kSEEnter);
            SetStatus(SaveStatusText(screen.question, slot).c_str());
            nSlideFlg = 1;
            nResult = STANDBY_MOVED;
        }
        return nResult;
    }
    nSelectNo = 0;
    nCursorId = 0;
    nCloseBtnState = kButtonNormal;
    EmptyStatus();
    return STANDBY_NOTHING;
}

// The rows are not tested while the question stands, so the slot and the question
// stay as they are.
std::int32_t SAVE_LOAD_WINDOW_DATA::Ask(const SAVE_LOAD_SCREEN& screen, std::int32_t nMouseX,
                                        std::int32_t nMouseY, std::int32_t nLeft,
                                        std::int32_t nResult) {
    for (const std::int32_t item : {kCursorYes, kCursorNo}) {
        if (!StandbyHit(ItemRect(item), nMouseX, nMouseY)) continue;
        if (nCursorId != item) {
            nCursorId = item;
            pContext->Sound().Effect(kSECursorMove);
            nResult = STANDBY_MOVED;
        }
        if (Released(nLeft)) {
            pContext->Sound().Effect(item == kCursorYes ? screen.nYesSound : kSEEnter);
            nSlideFlg = 0;
            nResult = item == kCursorYes ? STANDBY_ACTED : STANDBY_NOTHING;
        }
        return nResult;
    }
    nCursorId = 0;
    return STANDBY_NOTHING;
}
