#include "game/GameContext.h"
#include "platform/input/VirtualKeys.h"
#include "system/ZKSYSTEM.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/SaveLoadScreen.h"

namespace {

// Browsing takes the keys in this order, asking in the other; each warp stands over
// the ones before it.
constexpr int kBrowseKeys[] = {platform::VK_DOWN, platform::VK_UP, platform::VK_LEFT,
                               platform::VK_RIGHT};
constexpr int kAskKeys[] = {platform::VK_LEFT, platform::VK_RIGHT, platform::VK_UP,
                            platform::VK_DOWN};
constexpr std::int32_t kNone = 0;

}  // namespace

std::int32_t SAVE_LOAD_WINDOW_DATA::SaveKeyCursorMove() {
    KeyCursorMove(kSaveScreen);
    return 1;
}

std::int32_t SAVE_LOAD_WINDOW_DATA::LoadKeyCursorMove() {
    KeyCursorMove(kLoadScreen);
    return 1;
}

// Every key is judged from the same nCursorId: a warp moves only the pointer, and
// the hit tests of the next frame find it there.
void SAVE_LOAD_WINDOW_DATA::KeyCursorMove(const SAVE_LOAD_SCREEN& screen) {
    if (nSlideFlg > 1) return;
    const bool asking = nSlideFlg == 1;
    for (const int key : asking ? kAskKeys : kBrowseKeys) {
        if (pContext->pSystem->GetVKeyStatus(key) != KEY_STATE_RELEASED) continue;
        WarpTo(asking ? AskTarget(key) : BrowseTarget(screen, key));
    }
}

// Down and up run through the rows (the load screen's used rows) and round by the
// close button.
std::int32_t SAVE_LOAD_WINDOW_DATA::BrowseTarget(const SAVE_LOAD_SCREEN& screen, int nKey) const {
    if (nCursorId == kNone) return kCursorClose;
    if (nKey != platform::VK_DOWN && nKey != platform::VK_UP) return kNone;
    if (nCursorId == kCursorYes || nCursorId == kCursorNo) {
        return screen.bPairKeysToClose ? kCursorClose : kNone;
    }
    const std::int32_t direction = nKey == platform::VK_DOWN ? 1 : -1;
    if (nCursorId == kCursorClose) {
        return NextRow(screen, direction > 0 ? 0 : kSaveSlotCount + 1, direction);
    }
    const std::int32_t row = NextRow(screen, nCursorId, direction);
    return row != kNone ? row : kCursorClose;
}

// The first row past nFrom in the direction that the screen lets the pointer onto.
std::int32_t SAVE_LOAD_WINDOW_DATA::NextRow(const SAVE_LOAD_SCREEN& screen, std::int32_t nFrom,
                                            std::int32_t nDirection) const {
    for (std::int32_t slot = nFrom + nDirection; slot >= 1 && slot <= kSaveSlotCount;
         slot += nDirection) {
        if (RowCounts(screen, slot)) return slot;
    }
    return kNone;
}

// Left and right swap yes and no; up and down go between the pair and the close
// button, always arriving on no.
std::int32_t SAVE_LOAD_WINDOW_DATA::AskTarget(int nKey) const {
    const bool across = nKey == platform::VK_LEFT || nKey == platform::VK_RIGHT;
    if (nCursorId == kNone) return kCursorNo;
    if (across) {
        if (nCursorId == kCursorYes) return kCursorNo;
        return nCursorId == kCursorNo ? kCursorYes : kNone;
    }
    if (nCursorId == kCursorYes || nCursorId == kCursorNo) return kCursorClose;
    return nCursorId == kCursorClose ? kCursorNo : kNone;
}

void SAVE_LOAD_WINDOW_DATA::WarpTo(std::int32_t nItem) {
    if (nItem == kNone) return;
    const platform::Rect rc = ItemRect(nItem);
    pContext->pSystem->SetMousePos(rc.left + (rc.right - rc.left) / 2,
                                   rc.top + (rc.bottom - rc.top) / 2);
}
