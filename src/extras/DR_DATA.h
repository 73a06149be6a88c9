#pragma once

#include <cstdint>

#include "extras/DR_COMMENT_DATA.h"
#include "extras/ExtrasSteps.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "windows/DrawFailureLatch.h"

struct GameContext;
class ModeHost;

// The dress room: the 14 costumes as cards on two pages, 1 to 8 on the first and 9 to
// 14 on the second. Resting the pointer on an unlocked card shows the costume's
// figure and names, and the heroine's face with her comment on it, typed out; two
// page arrows turn the page and the exit leaves.
class DR_DATA {
public:
    static constexpr int kClothesCount = 14;
    static constexpr std::int32_t kCommentLimit = 512;
    // Items: 1 to 8 the cards by place, then these; 0 is none.
    static constexpr std::int32_t kNoItem = 0;
    static constexpr std::int32_t kNextPage = 9;
    static constexpr std::int32_t kPrevPage = 10;
    static constexpr std::int32_t kExit = 11;
    // nBtnState's order.
    static constexpr int kPrevButton = 0;
    static constexpr int kNextButton = 1;
    static constexpr int kExitButton = 2;

    DR_DATA();
    DR_DATA(const DR_DATA&) = delete;
    DR_DATA& operator=(const DR_DATA&) = delete;

    // Over a complete context and the game's 14 costume summary flags: the pictures
    // and sounds loaded, the comments filled. 1 ready, 0 failed; what loaded before a
    // failure stays.
    std::uint32_t Initialize(const GameContext* pContextIn, const std::int32_t* pnClothesFlgIn);
    // Unloads and clears; the comments keep their texts. Harmless on a screen never
    // initialised.
    void Release();
    // One frame: -1 not initialised, 0 nothing reacting under the pointer, 1 a
    // reacting item under it, 2 an unlocked card or a page arrow clicked, 3 the exit
    // clicked.
    std::int32_t DressRoomStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                                  std::uint32_t dwNow);
    // The arrow keys warp the pointer to another item, closed cards included.
    // Returns 1.
    std::int32_t KeyCursorMove();
    // The expression and text of costume nClothes (1 to 14) into *pComment: 1, or 0
    // for any other number.
    static std::int32_t SetCommentData(std::int32_t nClothes, DR_COMMENT_DATA* pComment);
    // Turns szSource's escapes into blank + line feed in place, then copies it whole
    // into szDest (kCommentLimit bytes).
    static void TextEscapeToLF(char* szSource, char* szDest);
    // The bytes typed by dwNow at 60 a second, in whole pairs; -1 (all) from nLimit on.
    void CommentReveal(std::uint32_t dwStart, std::uint32_t dwNow, std::int32_t nLimit);
    // Returns 1; nothing is drawn before Initialize.
    std::int32_t Draw();
    // Mode 11 for one frame, its steps and its draw: 1 to go on, -1 failed.
    std::int32_t Proc(ModeHost& host);
    std::uint32_t DrawProc(ModeHost& host);

    std::uint32_t nInitFlg = 0;
    const GameContext* pContext = nullptr;
    // The reacting item the pointer rests on, whose content is shown.
    std::int32_t nSelectId = kNoItem;
    // The item under the pointer, reacting or not; the arrow keys start from it.
    std::int32_t nCursorId = kNoItem;
    std::uint32_t dwCommentStartTime = 0;
    // Bytes of the comment shown; -1 all of it.
    std::int32_t nCommentCount = 0;
    // By costume - 1.
    DR_COMMENT_DATA CommentData[kClothesCount];
    char szDispComment[kCommentLimit] = {};
    // By costume - 1: bit 0 unlocked, bit 1 complete.
    const std::int32_t* pnClothesFlg = nullptr;
    GRAPHIC_DATA_EX Cursor;
    // 0: costumes 1 to 8; 1: 9 to 14.
    std::int32_t nPage = 0;
    // Previous page, next page, exit: 0 normal, 1 pointer on it, 2 held down on it.
    std::int32_t nBtnState[3] = {};

private:
    DrawFailureLatch drawLatch_;

    // The cards on the page.
    std::int32_t PlaceCount() const;
    // The flag word of the costume at place nPlace of the page.
    std::int32_t PlacedFlag(std::int32_t nPlace) const;
    void ClearScreenState();
    bool LoadMaterial();
    std::int32_t CardsStandby(std::int32_t nX, std::int32_t nY, std::int32_t nLeft,
                              std::uint32_t dwNow, std::int32_t* pnFound);
    std::int32_t ButtonStandby(int nButton, std::int32_t nX, std::int32_t nY, std::int32_t nLeft,
                               std::uint32_t dwNow, std::int32_t* pnFound);
    void NewSelect(std::int32_t nItem, std::uint32_t dwNow);
    void DrawButtons();
    void DrawShownCostume(std::int32_t nClothes);
    void DrawComment();
    ExtrasSteps::MODE Mode();
    std::int32_t Start(ModeHost& host, ExtrasSteps& steps);
    std::int32_t Standby(ModeHost& host, ExtrasSteps& steps);
    std::int32_t CloseFade(ModeHost& host, ExtrasSteps& steps);
};
