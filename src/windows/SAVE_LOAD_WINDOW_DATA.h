#pragma once

#include <cstdint>
#include <string_view>

#include "game/SaveSlotPath.h"
#include "platform/video/Rect.h"
#include "windows/DrawFailureLatch.h"
#include "windows/SAVE_INFO_DATA.h"
#include "windows/WindowSlide.h"

struct GameContext;
struct SAVE_LOAD_SCREEN;

// The save/load screen: a panel that slides up over the game and lists the 20 save
// slots with the date, time and story day of each, a status line and a yes/no
// question. One object serves as the save screen (kind 1) and the load screen
// (kind 2). Its standby only asks: on a confirmed yes it returns 2 with the slot in
// nSelectNo, and the owner saves or loads.
class SAVE_LOAD_WINDOW_DATA {
public:
    static constexpr std::int32_t kKindSave = 1;
    static constexpr std::int32_t kKindLoad = 2;
    static constexpr std::size_t kStatusSize = 256;
    // nCursorId beyond the rows.
    static constexpr std::int32_t kCursorClose = 21;
    static constexpr std::int32_t kCursorYes = 22;
    static constexpr std::int32_t kCursorNo = 23;

    SAVE_LOAD_WINDOW_DATA() { Clear(); }
    SAVE_LOAD_WINDOW_DATA(const SAVE_LOAD_WINDOW_DATA&) = delete;
    SAVE_LOAD_WINDOW_DATA& operator=(const SAVE_LOAD_WINDOW_DATA&) = delete;

    void Clear();
    // Kind 1 or 2 over a complete context: the headers read, the material and the
    // sounds loaded. 1 success, 0 failure.
    std::int32_t Initialize(std::int32_t nKindIn, const GameContext* pContextIn);
    void Release();
    // Reads the 20 headers again, all of them: 0 when any could not be read, else 1.
    std::int32_t ReloadSaveInfo();
    // A text that stays on the status line until a row's hover text, a question or
    // Release replaces it: the pointer moving off the rows leaves it.
    void SetNotice(const char* szText);

    std::int32_t WindowOpen(std::uint32_t dwStep);
    std::int32_t WindowClose(std::uint32_t dwStep);
    // One frame of the open screen (a STANDBY_RESULT): 2 yes clicked, the slot in
    // nSelectNo; 3 close.
    std::int32_t SaveStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                             std::int32_t nRight);
    std::int32_t LoadStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                             std::int32_t nRight);
    // The arrow keys warp the pointer to the centre of the next item; always 1.
    std::int32_t SaveKeyCursorMove();
    std::int32_t LoadKeyCursorMove();
    std::int32_t Draw();

    // The seven numbers of a header line, each an optional sign and digits with
    // white space before it, saturated to 32 bits; reading stops at the first text
    // that is no number, and the numbers after it are 0.
    static void ParseSaveHeader(std::string_view line, SAVE_INFO_DATA& info);

    std::uint32_t nInitFlg = 0;
    std::uint32_t nDispFlg = 0;
    // The slide's flag while the panel moves; while it stands open, 1 as long as the
    // yes/no question is shown.
    std::uint32_t nSlideFlg = 0;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    float fAngle = 0;
    SAVE_INFO_DATA SaveInfo[kSaveSlotCount];
    std::int32_t nCursorId = 0;
    char szStatusMsg[kStatusSize] = {};
    std::int32_t nSurfNo = -1;
    std::int32_t nSelectNo = 0;
    std::int32_t nCloseBtnState = 0;
    std::int32_t nKind = 0;
    const GameContext* pContext = nullptr;

private:
    DrawFailureLatch drawLatch_;
    // The status line holds a notice that the pointer's moves do not clear.
    bool bNotice_ = false;

    // 0 when slot k's header could not be read (it still counts as used).
    bool ReadSaveInfo(std::int32_t nSlot, const char* szTag);
    void SetStatus(const char* szText);
    void EmptyStatus();

    SLIDE_FIELDS Slide();
    std::int32_t Standby(const SAVE_LOAD_SCREEN& screen, std::int32_t nMouseX, std::int32_t nMouseY,
                         std::int32_t nLeft, std::int32_t nRight);
    std::int32_t Browse(const SAVE_LOAD_SCREEN& screen, std::int32_t nMouseX, std::int32_t nMouseY,
                        std::int32_t nLeft, std::int32_t nResult);
    std::int32_t Ask(const SAVE_LOAD_SCREEN& screen, std::int32_t nMouseX, std::int32_t nMouseY,
                     std::int32_t nLeft, std::int32_t nResult);
    bool RowCounts(const SAVE_LOAD_SCREEN& screen, std::int32_t nSlot) const;

    void KeyCursorMove(const SAVE_LOAD_SCREEN& screen);
    // The items the arrow keys go to from nCursorId; 0 none.
    std::int32_t BrowseTarget(const SAVE_LOAD_SCREEN& screen, int nKey) const;
    std::int32_t AskTarget(int nKey) const;
    std::int32_t NextRow(const SAVE_LOAD_SCREEN& screen, std::int32_t nFrom,
                         std::int32_t nDirection) const;
    void WarpTo(std::int32_t nItem);

    platform::Rect ItemRect(std::int32_t nItem) const;
    std::uint32_t RowColor(std::int32_t nSlot) const;
};
