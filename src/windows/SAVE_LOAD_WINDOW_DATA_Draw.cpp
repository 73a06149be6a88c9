#include <string>

#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/SaveRowText.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "SAVE_LOAD_WINDOW_DATA::Draw";
constexpr int kBackBuffer = -1;
constexpr int kTextHeight = 24;
constexpr int kTextWeight = 400;
constexpr int kStatusWeight = 700;
// Centred both ways on a single line.
constexpr std::uint32_t kStatusFormat = 37;

constexpr Rect kPanel{0, 0, 400, 590};
constexpr Rect kCloseCells[] = {{0, 590, 27, 614}, {27, 590, 54, 614}, {54, 590, 81, 614}};

// COLORREF, blue in the high byte.
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;

}  // namespace

SLIDE_FIELDS SAVE_LOAD_WINDOW_DATA::Slide() {
    return {nInitFlg, nDispFlg, nSlideFlg, nX, nY, fAngle};
}

std::int32_t SAVE_LOAD_WINDOW_DATA::WindowOpen(std::uint32_t dwStep) {
    return SlideOpen(SlideRow(SLIDE_WINDOW::SaveLoad), dwStep, Slide());
}

// Closing from the question, the flag is already 1: the slide starts where the panel
// stands open, and the yes/no pair stays until its end.
std::int32_t SAVE_LOAD_WINDOW_DATA::WindowClose(std::uint32_t dwStep) {
    return SlideClose(SlideRow(SLIDE_WINDOW::SaveLoad), dwStep, Slide());
}

// On the save screen any row can be chosen, a used one shows white; on the load
// screen an empty row is never red.
std::uint32_t SAVE_LOAD_WINDOW_DATA::RowColor(std::int32_t nSlot) const {
    const bool used = SaveInfo[nSlot - 1].nExist == 1;
    if (nKind == kKindLoad && !used) return kGrey;
    if (nSlot == nSelectNo) return kRed;
    return used ? kWhite : kGrey;
}

std::int32_t SAVE_LOAD_WINDOW_DATA::Draw() {
    if (nInitFlg != 1 || nDispFlg != 1 || (nKind != kKindSave && nKind != kKindLoad)) return 1;
    ZKSPRITE& sprite = *pContext->pSprite;
    WindowBlt(drawLatch_, kTag, &sprite, nSurfNo, kPanel, nX, nY, 0, CallSite::Here());
    const Rect& close =
        kCloseCells[nCloseBtnState == 0 || nCloseBtnState == 1 ? nCloseBtnState : 2];
    WindowBlt(drawLatch_, kTag, &sprite, nSurfNo, close, nX + 365, nY + 7, 0, CallSite::Here());
    for (std::int32_t slot = 1; slot <= kSaveSlotCount; ++slot) {
        const Rect row = ItemRect(slot);
        sprite.DDTextOutLock(row.left, row.top, SaveRowText(slot, SaveInfo[slot - 1]).c_str(),
                             RowColor(slot), kTextHeight, kTextWeight);
    }
    sprite.DDTextOutUnlock();
    if (szStatusMsg[0] != '\0') {
        const Rect status{nX + 8, nY + 532, nX + 390, nY + 558};
        sprite.DDTextOutRange(kBackBuffer, &status, szStatusMsg, kWhite, kTextHeight, -1,
                              kStatusWeight, kStatusFormat);
    }
    if (nSlideFlg == 1 && nSelectNo != 0) {
        const Rect yesRect = ItemRect(kCursorYes);
        const Rect noRect = ItemRect(kCursorNo);
        sprite.DDTextOut(kBackBuffer, yesRect.left, yesRect.top, SaveAnswerText(true).c_str(),
                         nCursorId == kCursorYes ? kRed : kWhite, kTextHeight, kTextWeight);
        sprite.DDTextOut(kBackBuffer, noRect.left, noRect.top, SaveAnswerText(false).c_str(),
                         nCursorId == kCursorNo ? kRed : kWhite, kTextHeight, kTextWeight);
    }
    return 1;
}
