#pragma once

#include <cstdint>

#include "game/CLOTHES_DATA.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "platform/video/Rect.h"
#include "windows/DrawFailureLatch.h"

struct GameContext;
class ModeHost;

// The costume select: the 14 costumes and which costume each of the 8 places shows,
// and the screen of eight cards in two rows that shows them. A choosable card under
// the pointer is hovered: its name, its large picture and its description, typed
// out, are drawn; a click on it chooses it.
class CLT_SLC_DATA {
public:
    static constexpr int kClothesCount = 14;
    static constexpr int kPlaceCount = 8;
    static constexpr std::int32_t kDescriptionLimit = 512;

    CLT_SLC_DATA();
    CLT_SLC_DATA(const CLT_SLC_DATA&) = delete;
    CLT_SLC_DATA& operator=(const CLT_SLC_DATA&) = delete;

    // Over a complete context and the game's 14 costume summary flags: the
    // pictures and sounds loaded. 1 success, 0 failure.
    std::uint32_t Initialize(const GameContext* pContextIn, const std::int32_t* pClothesFlgIn);
    // Unloads what Initialize loaded; the costumes and the order map stay.
    void Release();
    // One frame: -1 not initialised, 0 nothing, 1 a choosable card hovered, 2 it was
    // clicked (left released this frame).
    std::int32_t ClothesSelectStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                      std::int32_t nLeft, std::uint32_t dwNow);
    // The arrow keys warp the pointer to the centre of another place.
    void KeyCursorMove();
    // Turns szSource's escapes into blank + line feed in place and copies it whole
    // into szDest (kDescriptionLimit bytes).
    static void SetDescription(char* szSource, char* szDest);
    void DescriptionProc(std::uint32_t dwStart, std::uint32_t dwNow, std::int32_t nLimit);
    std::int32_t Draw();
    // Mode 10 for one frame: the screen's steps, with the save, load and settings
    // screens over it; then its draw. -1 is the mode's failure.
    std::int32_t Proc(ModeHost& host);
    std::uint32_t DrawProc(ModeHost& host);

    std::uint32_t nInitFlg = 0;
    const GameContext* pContext = nullptr;
    // 1 to 8 while the pointer rests on a choosable card, else 0.
    std::int32_t nCursorPos = 0;
    // 1 to 8 while the pointer is on any card, else 0.
    std::int32_t nMousePos = 0;
    std::uint32_t dwDescStartTime = 0;
    // Bytes of the description shown; -1 the whole text.
    std::int32_t nDescLength = 0;
    CLOTHES_DATA ClothesData[kClothesCount];
    char szDescription[kDescriptionLimit] = {};
    const std::int32_t* pClothesFlg = nullptr;
    // Costume index shown in place 1 to 8 (entry 0 is place 1); -1 none.
    std::int32_t nSortNo[kPlaceCount];
    GRAPHIC_DATA_EX CursorAnim;

private:
    DrawFailureLatch drawLatch_;

    // The costume place p shows when it lies in 0 to 13, else -1.
    std::int32_t PlacedClothes(std::int32_t nPlace) const;
    bool Choosable(std::int32_t nClothes) const;
    void ClearScreenState();
    bool LoadMaterial();
    void DrawDescription();
};
