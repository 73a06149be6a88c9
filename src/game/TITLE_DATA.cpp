#include "game/TITLE_DATA.h"

#include "game/GameContext.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr std::int32_t kItemLeft = 240;
constexpr std::int32_t kItemTop = 320;
constexpr std::int32_t kItemWidth = 320;
constexpr std::int32_t kItemHeight = 40;
// The sheet holds the five items once per state, one band of rows per state.
constexpr std::int32_t kStateBand = TITLE_DATA::kItemCount * kItemHeight;

constexpr std::int32_t kAttractCellW = 88;
constexpr std::int32_t kAttractCellH = 73;
constexpr std::int32_t kAttractColumns = 10;
constexpr std::uint32_t kAttractFrameTime = 100;
// The last frame holds for good: the title falls back to the logo long before.
constexpr std::uint32_t kAttractLastFrameTime = 100000;
constexpr std::uint32_t kLoop = 0;
constexpr std::int32_t kAttractX = 384;

// The item above or below nFrom, round from one end to the other; from none, item 1.
std::int32_t ItemAbove(std::int32_t nFrom) {
    if (nFrom == 0) return 1;
    return nFrom == 1 ? TITLE_DATA::kItemCount : nFrom - 1;
}

std::int32_t ItemBelow(std::int32_t nFrom) {
    if (nFrom == 0) return 1;
    return nFrom == TITLE_DATA::kItemCount ? 1 : nFrom + 1;
}

bool Holds(const platform::Rect& rc, std::int32_t nX, std::int32_t nY) {
    return rc.left <= nX && nX < rc.right && rc.top <= nY && nY < rc.bottom;
}

}  // namespace

std::uint32_t TITLE_DATA::Initialize(const GameContext* pContextIn) {
    if (pContextIn == nullptr || pContextIn->pSystem == nullptr) {
        platform::LogError("TITLE_DATA::Initialize", u8"引数が不正です");
        return 0;
    }
    ResetState(pContextIn);
    ResetPictures();
    return 1;
}

void TITLE_DATA::Clear() {
    ResetState(nullptr);
    ResetPictures();
}

void TITLE_DATA::ResetState(const GameContext* pContextIn) {
    pContext = pContextIn;
    nSelectItem = 0;
    for (std::int32_t& state : nItemState) state = kItemNormal;
    dwIdleStart = 0;
}

void TITLE_DATA::ResetPictures() {
    for (GRAPHIC_DATA& picture : IntroGraphic) picture.Initialize(nullptr, nullptr);
    AttractGraphic.Initialize(nullptr, nullptr);
    AttractGraphic.Reset();
    for (GRAPHIC_DATA& picture : ItemGraphic) picture.Initialize(nullptr, nullptr);
}

// The keys warp the pointer first; the hit test sees the point it was given, so a
// warp reaches it in the next frame.
std::uint32_t TITLE_DATA::TitleStandby(std::int32_t nX, std::int32_t nY, std::int32_t nClick) {
    TitleKeyCursorMove();
    std::uint32_t result = kStandbyNone;
    std::int32_t hit = 0;
    for (std::int32_t item = 1; item <= kItemCount; ++item) {
        std::int32_t& state = nItemState[item - 1];
        if (hit != 0 || !Holds(ItemRect(item), nX, nY)) {
            state = kItemNormal;
            continue;
        }
        hit = item;
        if (item != nSelectItem) result = kStandbyMoved;
        if (nClick == KEY_STATE_HELD || nClick == KEY_STATE_PRESSED) {
            state = kItemPressed;
        } else if (nClick == KEY_STATE_RELEASED) {
            state = kItemNormal;
            result = kStandbyChosen;
        } else {
            state = kItemPointed;
        }
    }
    nSelectItem = hit;
    return result;
}

// Each released arrow is judged from the item hovered on entry; with both, Down's
// warp is the later and stands.
std::uint32_t TITLE_DATA::TitleKeyCursorMove() {
    const ZKSYSTEM& system = *pContext->pSystem;
    if (system.GetVKeyStatus(platform::VK_UP) == KEY_STATE_RELEASED) {
        WarpToItem(ItemAbove(nSelectItem));
    }
    if (system.GetVKeyStatus(platform::VK_DOWN) == KEY_STATE_RELEASED) {
        WarpToItem(ItemBelow(nSelectItem));
    }
    return 1;
}

void TITLE_DATA::WarpToItem(std::int32_t nItem) {
    const platform::Rect rc = ItemRect(nItem);
    pContext->pSystem->SetMousePos(rc.left + (rc.right - rc.left) / 2,
                                   rc.top + (rc.bottom - rc.top) / 2);
}

platform::Rect TITLE_DATA::ItemRect(std::int32_t nItem) {
    const std::int32_t top = kItemTop + kItemHeight * (nItem - 1);
    return {kItemLeft, top, kItemLeft + kItemWidth, top + kItemHeight};
}

platform::Rect TITLE_DATA::ItemCell(std::int32_t nItem, std::int32_t nState) {
    const std::int32_t top = kStateBand * nState + kItemHeight * (nItem - 1);
    return {0, top, kItemWidth, top + kItemHeight};
}

platform::Rect TITLE_DATA::AttractCell(std::int32_t nFrame) {
    const std::int32_t left = kAttractCellW * (nFrame % kAttractColumns);
    const std::int32_t top = kAttractCellH * (nFrame / kAttractColumns);
    return {left, top, left + kAttractCellW, top + kAttractCellH};
}

void TITLE_DATA::AttractSet() {
    AttractGraphic.Set(kKindSurface, kAttractSurface, kAttractFrames, kLoop, 0, 0, 0);
    for (std::int32_t frame = 0; frame < kAttractFrames; ++frame) {
        const platform::Rect cell = AttractCell(frame);
        const bool last = frame == kAttractFrames - 1;
        AttractGraphic.AnimationSet(frame, last ? kAttractLastFrameTime : kAttractFrameTime, &cell,
                                    kLoop);
    }
    AttractGraphic.nDispFlg = 1;
    AttractGraphic.nX = kAttractX;
    AttractGraphic.nY = 0;
}
