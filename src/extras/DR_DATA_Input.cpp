#include <iterator>

#include "extras/DR_DATA.h"
#include "extras/ExtrasKeys.h"
#include "game/CostumeCards.h"
#include "game/GameContext.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr int kEffectHover = 4;
constexpr int kEffectPage = 5;
constexpr int kEffectExit = 6;
constexpr std::int32_t kPlacesPerPage[2] = {8, 6};

struct BUTTON {
    std::int32_t nItem;
    int nState;
    Rect rcHit;
    // The page it is on; -1 both.
    std::int32_t nPage;
    // The page a click turns to; -1 none.
    std::int32_t nTurnTo;
};

// In the order they are tested, after the cards.
constexpr BUTTON kButtons[] = {
    {DR_DATA::kPrevPage, DR_DATA::kPrevButton, {304, 412, 336, 444}, 1, 0},
    {DR_DATA::kNextPage, DR_DATA::kNextButton, {744, 412, 776, 444}, 0, 1},
    {DR_DATA::kExit, DR_DATA::kExitButton, {656, 564, 776, 596}, -1, -1},
};

bool Inside(const Rect& rect, std::int32_t nX, std::int32_t nY) {
    return nX >= rect.left && nX < rect.right && nY >= rect.top && nY < rect.bottom;
}

// A key's target on each page.
struct KEY_TARGET {
    std::int32_t nItem[2];
};
constexpr KEY_TARGET Both(std::int32_t nItem) { return {{nItem, nItem}}; }
constexpr KEY_TARGET ByPage(std::int32_t nFirst, std::int32_t nSecond) {
    return {{nFirst, nSecond}};
}

constexpr std::int32_t N = DR_DATA::kNextPage;
constexpr std::int32_t P = DR_DATA::kPrevPage;
constexpr std::int32_t E = DR_DATA::kExit;

// By the item under the pointer (0 none): left, right, up, down.
constexpr KEY_TARGET kKeyTable[DR_DATA::kExit + 1][4] = {
    {Both(1), Both(1), Both(1), Both(1)},
    {Both(4), Both(2), ByPage(5, P), Both(5)},
    {Both(1), Both(3), Both(6), Both(6)},
    {Both(2), Both(4), ByPage(7, E), ByPage(7, E)},
    {Both(3), Both(1), Both(E), ByPage(8, E)},
    {ByPage(8, 6), Both(6), Both(1), ByPage(1, P)},
    {Both(5), ByPage(7, E), Both(2), Both(2)},
    {Both(6), Both(8), Both(3), Both(3)},
    {Both(7), Both(5), Both(4), ByPage(N, E)},
    {ByPage(5, P), ByPage(5, P), ByPage(8, 4), Both(E)},
    {ByPage(N, E), ByPage(N, E), Both(5), Both(1)},
    {ByPage(E, 6), ByPage(5, P), ByPage(N, 4), Both(4)},
};

// The hit rectangle of every item by id; 0 has none.
const Rect* ItemRects() {
    static const Rect rects[DR_DATA::kExit + 1] = {
        {},
        CostumeCards::PlaceRect(1),
        CostumeCards::PlaceRect(2),
        CostumeCards::PlaceRect(3),
        CostumeCards::PlaceRect(4),
        CostumeCards::PlaceRect(5),
        CostumeCards::PlaceRect(6),
        CostumeCards::PlaceRect(7),
        CostumeCards::PlaceRect(8),
        kButtons[1].rcHit,
        kButtons[0].rcHit,
        kButtons[2].rcHit,
    };
    return rects;
}

}  // namespace

std::int32_t DR_DATA::PlaceCount() const { return kPlacesPerPage[nPage]; }

std::int32_t DR_DATA::PlacedFlag(std::int32_t nPlace) const {
    return pnClothesFlg[nPlace + 8 * nPage - 1];
}

std::int32_t DR_DATA::DressRoomStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                       std::int32_t nLeft, std::uint32_t dwNow) {
    if (nInitFlg == 0) {
        WindowLogError("DR_DATA::DressRoomStandby", WINDOW_FAILURE::NotInitialized);
        return -1;
    }
    KeyCursorMove();
    std::int32_t found = kNoItem;
    std::int32_t result = CardsStandby(nMouseX, nMouseY, nLeft, dwNow, &found);
    for (int k = 0; k < static_cast<int>(std::size(kButtons)); ++k) {
        const std::int32_t nButton =
            ButtonStandby(k, nMouseX, nMouseY, nLeft, dwNow, result != 0 ? nullptr : &found);
        if (nButton != 0) result = nButton;
    }
    if (result == 0) {
        szDispComment[0] = '\0';
        nCommentCount = 0;
        dwCommentStartTime = 0;
        nSelectId = kNoItem;
    }
    if (found == kNoItem) nCursorId = kNoItem;
    if (szDispComment[0] != '\0') CommentReveal(dwCommentStartTime, dwNow, kCommentLimit);
    Cursor.AnimationProc(dwNow);
    return result;
}

// The first card hit ends the search, whether it reacts or not.
std::int32_t DR_DATA::CardsStandby(std::int32_t nX, std::int32_t nY, std::int32_t nLeft,
                                   std::uint32_t dwNow, std::int32_t* pnFound) {
    for (std::int32_t place = 1; place <= PlaceCount(); ++place) {
        if (!Inside(CostumeCards::PlaceRect(place), nX, nY)) continue;
        *pnFound = place;
        nCursorId = place;
        if ((PlacedFlag(place) & 1) == 0) return 0;
        if (nSelectId != place) NewSelect(place, dwNow);
        return nLeft == KEY_STATE_RELEASED ? 2 : 1;
    }
    return 0;
}

// Button nButton of kButtons reacts only while nothing before it did (pnFound null
// otherwise) and it is on the page; else it rests. 0 when it does not react.
std::int32_t DR_DATA::ButtonStandby(int nButton, std::int32_t nX, std::int32_t nY,
                                    std::int32_t nLeft, std::uint32_t dwNow,
                                    std::int32_t* pnFound) {
    const BUTTON& button = kButtons[nButton];
    const std::int32_t nItem = button.nItem;
    std::int32_t& state = nBtnState[button.nState];
    const bool bOnPage = button.nPage == -1 || button.nPage == nPage;
    if (pnFound == nullptr || !bOnPage || !Inside(button.rcHit, nX, nY)) {
        state = 0;
        return 0;
    }
    *pnFound = nItem;
    nCursorId = nItem;
    state = 1;
    if (nSelectId != nItem) NewSelect(nItem, dwNow);
    if (nLeft == KEY_STATE_HELD || nLeft == KEY_STATE_PRESSED) state = 2;
    if (nLeft != KEY_STATE_RELEASED) return 1;
    if (button.nTurnTo < 0) {
        pContext->Sound().Effect(kEffectExit);
        return 3;
    }
    pContext->Sound().Effect(kEffectPage);
    nPage = button.nTurnTo;
    return 2;
}

// The comment of a card's costume starts typing afresh; an arrow or the exit has none.
void DR_DATA::NewSelect(std::int32_t nItem, std::uint32_t dwNow) {
    nSelectId = nItem;
    nCommentCount = 0;
    dwCommentStartTime = dwNow;
    szDispComment[0] = '\0';
    pContext->Sound().Effect(kEffectHover);
    if (nItem >= kNextPage) return;
    TextEscapeToLF(CommentData[nItem + 8 * nPage - 1].szText, szDispComment);
}

// Every key is judged from the item under the pointer on entry; of several keys the
// last wins.
std::int32_t DR_DATA::KeyCursorMove() {
    if (nCursorId < kNoItem || nCursorId > kExit) return 1;
    const Rect* rects = ItemRects();
    ARROW_TARGETS targets{};
    for (std::size_t key = 0; key < targets.size(); ++key) {
        targets[key] = &rects[kKeyTable[nCursorId][key].nItem[nPage]];
    }
    ExtrasKeyCursorMove(*pContext->pSystem, targets);
    return 1;
}
