#pragma once

#include <cstdint>

#include "platform/video/Rect.h"
#include "windows/ConfigControls.h"
#include "windows/DrawFailureLatch.h"
#include "windows/WindowSlide.h"

struct GameContext;

// The live settings the settings screen edits, in the order of its working values.
// None is owned: the message speed is the game's, the two toggles the message
// window's, the rest the shell's words that env.env keeps.
struct CONFIG_LIVE {
    std::uint32_t* pMsgSpeed = nullptr;
    std::uint32_t* pAutoFlg = nullptr;
    std::uint32_t* pSkipFlg = nullptr;
    std::uint32_t* pBgmOn = nullptr;
    std::uint32_t* pBgmVolume = nullptr;
    std::uint32_t* pVoiceOn = nullptr;
    std::uint32_t* pVoiceVolume = nullptr;
    std::uint32_t* pSeOn = nullptr;
    std::uint32_t* pSeVolume = nullptr;
    std::uint32_t* pFullScreen = nullptr;
    std::uint32_t* pColourDepth = nullptr;
};

// The settings screen: a panel that slides up over whatever screen opened it. The
// player edits working copies of the live settings; they are written back and
// applied (music, voice, volumes, screen mode) only on OK, the right button or 'C'.
// The return-to-title item drops them after a confirmation box.
class CONFIG_DATA {
public:
    static constexpr int kSurface = 8;
    // Confirmation states while the panel stands open.
    static constexpr std::uint32_t kNoBox = 0;
    static constexpr std::uint32_t kBoxGrowing = 1;
    static constexpr std::uint32_t kBoxUp = 2;
    static constexpr std::uint32_t kBoxShrinking = 3;

    CONFIG_DATA() { Clear(); }
    CONFIG_DATA(const CONFIG_DATA&) = delete;
    CONFIG_DATA& operator=(const CONFIG_DATA&) = delete;

    void Clear();
    // The live settings, the colour depth the display can use, and a context with its
    // engine objects, shell words and host. 1 success; 0 at once for a missing
    // setting, a colour depth of 0 or an incomplete context, or after a failed
    // picture load.
    std::int32_t Initialize(const CONFIG_LIVE& live, std::int32_t nDisplayBitsIn,
                            const GameContext* pContextIn);
    void Release();

    std::int32_t WindowOpen(std::uint32_t dwStep);
    std::int32_t WindowClose(std::uint32_t dwStep);
    // One frame of the open panel (a STANDBY_RESULT): 3 settings applied, 4 return to
    // the title confirmed, -1 not initialised or a failure while applying. The
    // in-game flag offers the return-to-title item.
    std::int32_t WindowStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                               std::int32_t nRight, std::uint32_t dwNow, std::uint32_t nInGame);
    // The arrow keys warp the pointer to the centre of the next control; always 1.
    std::int32_t KeyCursorMove(std::uint32_t nInGame);
    std::int32_t Draw(std::uint32_t nInGame);

    std::uint32_t nInitFlg = 0;
    std::uint32_t nDispFlg = 0;
    // The slide's flag while the panel moves; while it stands open, the confirmation
    // state.
    std::uint32_t nSlideFlg = 0;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    float fAngle = 0;
    std::uint32_t dwConfirmStart = 0;
    std::int32_t nCursorId = 0;
    // By CONFIG_SETTING; -1 while not initialised. Speed: 0 slow, 1 normal, 2 fast;
    // colour: 0 16 bit, 1 24 bit, 2 32 bit.
    std::int32_t nValue[CONFIG_SETTING_COUNT] = {};
    std::int32_t nOkBtnState = 0;
    std::int32_t nTitleBtnState = 0;
    std::int32_t nYesState = 0;
    std::int32_t nNoState = 0;
    float fConfirmScale = 0;
    CONFIG_LIVE Live;
    std::int32_t nDisplayBits = 0;
    const GameContext* pContext = nullptr;

private:
    DrawFailureLatch drawLatch_;

    SLIDE_FIELDS Slide();
    // 3 applied, -1 a volume setter or the screen-mode change failed.
    std::int32_t Apply();
    std::int32_t ApplySound();
    std::int32_t ApplyScreenMode();

    std::int32_t Controls(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                          std::uint32_t dwNow, std::uint32_t nInGame);
    std::int32_t Press(const CONFIG_CONTROL& button, std::int32_t nLeft, std::uint32_t dwNow,
                       std::int32_t nResult);
    std::int32_t Box(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                     std::uint32_t dwNow);
    std::int32_t Grow(std::uint32_t dwNow);
    std::int32_t Shrink(std::uint32_t dwNow);
    bool Offered(const CONFIG_CONTROL& control, std::uint32_t nInGame) const;
    bool Silent(const CONFIG_CONTROL& control) const;
    bool Acts(const CONFIG_CONTROL& control) const;
    std::int32_t ClickValue(const CONFIG_CONTROL& control) const;
    void Hover(const CONFIG_CONTROL& control, std::int32_t& nResult);

    std::int32_t Target(const CONFIG_CONTROL& control, CONFIG_DIRECTION direction,
                        std::uint32_t nInGame) const;
    void WarpTo(std::int32_t nId);

    // A control's hit rectangle on the screen.
    platform::Rect HitRect(const CONFIG_CONTROL& control) const;
    bool Selected(const CONFIG_CONTROL& control) const;
    void DrawControl(const CONFIG_CONTROL& control);
    void DrawButton(const CONFIG_CONTROL& control, std::int32_t nState);
    void DrawBox();
    void Blt(const platform::Rect& rcCell, std::int32_t nDrawX, std::int32_t nDrawY);
};
