#pragma once

#include <cstdint>

#include "extras/ExtrasSteps.h"
#include "extras/SPECIAL_BUTTON_DATA.h"
#include "windows/DrawFailureLatch.h"

struct GameContext;
class ModeHost;

// The extras menu: one background picture with four objects that glow under the
// pointer: the CG gallery, the music room, the way back to the title, and the dress
// room, which is offered only once the game has been cleared. Everything is kept by
// button id, in the order gallery, music room, title, dress room.
class SPECIAL_DATA {
public:
    static constexpr int kButtonCount = 4;
    // Button ids; 0 is no button.
    static constexpr std::int32_t kNoButton = 0;
    static constexpr std::int32_t kGallery = 1;
    static constexpr std::int32_t kMusicRoom = 2;
    static constexpr std::int32_t kTitle = 3;
    static constexpr std::int32_t kDressRoom = 4;
    // The title's picture flag once the pause after a click has ended: only then is
    // its picture drawn.
    static constexpr std::int32_t kTitlePictureShown = 2;

    SPECIAL_DATA() { Release(); }
    SPECIAL_DATA(const SPECIAL_DATA&) = delete;
    SPECIAL_DATA& operator=(const SPECIAL_DATA&) = delete;

    // Over a complete context and the game-clear word: the buttons set, the pictures
    // and sounds loaded. 1 success, 0 failure; what loaded before a failure stays.
    std::uint32_t Initialize(const GameContext* pContextIn, const std::uint32_t* pGameClearFlgIn);
    // Unloads and clears; harmless on a menu never initialised.
    void Release();
    // One frame: -1 not initialised, 0 no button under the pointer, 1 a button under
    // it, 2 that button chosen (left released this frame).
    std::int32_t SpecialStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                                std::uint32_t dwNow);
    // The arrow keys warp the pointer to another button; for an initialised menu.
    // Returns 1.
    std::int32_t KeyCursorMove();
    // Returns 1; nothing is drawn before Initialize.
    std::int32_t Draw();
    // Mode 4 for one frame, its steps and its draw: 1 to go on, -1 failed.
    std::int32_t Proc(ModeHost& host);
    std::uint32_t DrawProc(ModeHost& host);

    std::uint32_t nInitFlg = 0;
    const GameContext* pContext = nullptr;
    // The button under the pointer; after a click, the one chosen.
    std::int32_t nCursorId = kNoButton;
    // By id - 1: 1 while the pointer is on that button, else 0; the title's alone
    // may be kTitlePictureShown.
    std::int32_t nPictureFlg[kButtonCount] = {};
    const std::uint32_t* pGameClearFlg = nullptr;
    // By id - 1.
    SPECIAL_BUTTON_DATA Button[kButtonCount];

private:
    DrawFailureLatch drawLatch_;

    // The dress room is offered once the game has been cleared.
    bool DressRoomOffered() const { return *pGameClearFlg != 0; }
    // The buttons in play: the dress room's is the last.
    int ButtonsInPlay() const { return DressRoomOffered() ? kButtonCount : kButtonCount - 1; }
    bool LoadMaterial();
    void DrawButton(const SPECIAL_BUTTON_DATA& button, int nIndex);
    ExtrasSteps::MODE Mode();
    std::int32_t Start(ModeHost& host, ExtrasSteps& steps);
    std::int32_t Standby(ModeHost& host, ExtrasSteps& steps);
    void ButtonsAfterChoice(std::uint32_t dwNow);
    std::int32_t Pause(ModeHost& host);
    std::int32_t CloseFade(ModeHost& host, ExtrasSteps& steps);
};
