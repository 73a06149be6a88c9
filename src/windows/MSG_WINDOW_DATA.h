#pragma once

#include <cstdint>

#include "game/ANIMATION_DATA.h"
#include "platform/video/Rect.h"
#include "system/ZKSYSTEM.h"
#include "windows/DrawFailureLatch.h"
#include "windows/MSG_DATA.h"
#include "windows/WindowSlide.h"

struct GameContext;

// The bar's buttons, left to right; a button's mask bit is 1 << its index.
enum MSG_BUTTON : int {
    MSG_BUTTON_SKIP,
    MSG_BUTTON_AUTO,
    MSG_BUTTON_VOICE,
    MSG_BUTTON_BACK,
    MSG_BUTTON_FORWARD,
    MSG_BUTTON_HIDE,
    MSG_BUTTON_COUNT,
};

// The message window: the panel at the bottom of the story screen with the current
// line, the last thirty lines as a backlog, and the button bar. Its owner drives it
// once per frame: slide, standby, draw. The skip and auto toggles are settings that
// live here and survive every reset.
class MSG_WINDOW_DATA {
public:
    static constexpr int kBackLogSize = 30;
    static constexpr int kSurface = 5;
    // Button states.
    static constexpr std::uint32_t kButtonNormal = 0;
    static constexpr std::uint32_t kButtonHover = 1;
    static constexpr std::uint32_t kButtonPress = 2;
    static constexpr std::uint32_t kButtonDisable = 4;

    MSG_WINDOW_DATA() { Clear(); }
    MSG_WINDOW_DATA(const MSG_WINDOW_DATA&) = delete;
    MSG_WINDOW_DATA& operator=(const MSG_WINDOW_DATA&) = delete;

    void Clear();
    std::uint32_t Initialize(const GameContext* pContextIn);
    void Release();
    std::int32_t WindowOpen(std::uint32_t dwStep);
    std::int32_t WindowClose(std::uint32_t dwStep);
    // Appends a line; with all thirty entries in use the oldest drops out. A null
    // text adds nothing.
    void SetBackLog(const char* szName, const char* szText, const char* szVoice);
    void ButtonEnable(std::int32_t nMask);
    void ButtonDisable(std::int32_t nMask);

    // The bar for one frame: a STANDBY_RESULT; 0 while the window is not up.
    std::int32_t WindowStandby(std::int32_t nMouseX, std::int32_t nMouseY, KEY_STATE key,
                               std::uint32_t dwNow);
    // Backlog paging by the back and forward buttons; both always give 1.
    std::uint32_t BackLogBack(std::uint32_t dwNow, KEY_STATE key);
    std::uint32_t BackLogForward(std::uint32_t dwNow, KEY_STATE key);

    std::uint32_t Draw();

    const GameContext* pContext = nullptr;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    // Bytes of the current text shown; -1 once the line is complete.
    std::int32_t nDispByte = 0;
    std::uint32_t nInitFlg = 0;
    MSG_DATA MsgData;
    MSG_DATA BackLog[kBackLogSize];
    // -1 while the current line is shown, else the backlog entry shown instead.
    std::int32_t nBackLogNo = -1;
    std::uint32_t nOpenFlg = 0;
    std::uint32_t nSlideFlg = 0;
    float fAngle = 0;
    std::uint32_t nSkipFlg = 0;
    std::uint32_t nAutoFlg = 0;
    // Set when the player used the bar or opened a screen during this line: automatic
    // advance and skipping wait until the line ends.
    std::uint32_t nBarUseFlg = 0;
    std::uint32_t dwAutoWaitTime = 0;
    std::uint32_t dwMsgStartTime = 0;
    std::uint32_t nButtonState[MSG_BUTTON_COUNT] = {};
    // Back, forward: when the press began (0 while not held) and the last repeat.
    std::uint32_t dwHoldStart[2] = {};
    std::uint32_t dwLastStep[2] = {};
    ANIMATION_DATA WaitMark;
    // 0 none, else the hovered button's index + 1.
    std::uint32_t nHoverButton = 0;

private:
    DrawFailureLatch drawLatch_;

    SLIDE_FIELDS Slide();
    bool TestButton(int nButton, std::int32_t nMouseX, std::int32_t nMouseY, KEY_STATE key,
                    std::uint32_t dwNow, std::int32_t& nResult);
    void ReleaseButton(int nButton, std::uint32_t dwNow, std::int32_t& nResult);
    void LeaveButton(int nButton);
    void ReplayRule();
    bool VoiceBusy() const;
    bool HoldSteps(int nHold, std::uint32_t dwNow, KEY_STATE key);
    void PageStepped();
    platform::Rect ButtonRect(int nButton) const;

    void DrawButtons();
    std::uint32_t ButtonCell(int nButton) const;
    void DrawLine(const MSG_DATA& line, std::int32_t nCount, std::uint32_t dwColor);
    void DrawName(const char* szName, std::uint32_t dwColor);
    void DrawWaitMark();
    void Blt(const platform::Rect& rcCell, std::int32_t nDestX, std::int32_t nDestY, int nItem = 0,
             CallSite site = CallSite::Here());
};
