#pragma once

#include <cstdint>

#include "game/GRAPHIC_DATA.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "platform/video/Rect.h"

class ZKSYSTEM;

// The title screen's own state: the hovered menu item and the look of each, the
// start of the idle wait, and the pictures of the intro, the menu and the attract.
class TITLE_DATA {
public:
    static constexpr std::int32_t kItemCount = 5;
    static constexpr std::int32_t kIntroCount = 3;
    static constexpr std::int32_t kAttractFrames = 40;
    static constexpr std::int32_t kAttractSurface = 13;

    // Item states, which pick the item's cell of the sheet.
    static constexpr std::int32_t kItemNormal = 0;
    static constexpr std::int32_t kItemPointed = 1;
    static constexpr std::int32_t kItemPressed = 2;

    // TitleStandby's results.
    static constexpr std::uint32_t kStandbyNone = 0;
    static constexpr std::uint32_t kStandbyMoved = 1;
    static constexpr std::uint32_t kStandbyChosen = 2;

    TITLE_DATA() { Clear(); }
    TITLE_DATA(const TITLE_DATA&) = delete;
    TITLE_DATA& operator=(const TITLE_DATA&) = delete;

    std::uint32_t Initialize(ZKSYSTEM* pSystemIn);
    void Clear();
    std::uint32_t TitleStandby(std::int32_t nX, std::int32_t nY, std::int32_t nClick);
    std::uint32_t TitleKeyCursorMove();

    // Item k (1 to 5): where it is hit and drawn on the screen, and its cell of the
    // item sheet in state nState.
    static platform::Rect ItemRect(std::int32_t nItem);
    static platform::Rect ItemCell(std::int32_t nItem, std::int32_t nState);
    // Frame i (0 to 39) of the attract animation's sheet.
    static platform::Rect AttractCell(std::int32_t nFrame);
    // Makes the attract animation ready to show from its sheet's surface slot; the
    // sheet itself is loaded by the caller.
    void AttractSet();

    ZKSYSTEM* pSystem;
    std::int32_t nSelectItem;  // 0 none, else 1 to 5
    std::int32_t nItemState[kItemCount];
    std::uint32_t dwIdleStart;
    GRAPHIC_DATA IntroGraphic[kIntroCount];
    GRAPHIC_DATA_EX AttractGraphic;
    GRAPHIC_DATA ItemGraphic[kItemCount];

private:
    void ResetState(ZKSYSTEM* pSystemIn);
    void ResetPictures();
    void WarpToItem(std::int32_t nItem);
};
