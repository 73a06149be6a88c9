#pragma once

#include <cstdint>

#include "game/GRAPHIC_DATA.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "game/SaveLoadSteps.h"
#include "game/SettingsSteps.h"
#include "platform/video/Rect.h"

class ModeHost;
struct GameContext;

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

    // The mode's steps, and the tag its lines are logged under: its procedure's.
    enum TITLE_STEP : std::int32_t {
        TITLE_STEP_START = 0,
        TITLE_STEP_FIRST_PICTURE = 1,
        TITLE_STEP_SECOND_PICTURE = 2,
        TITLE_STEP_MENU_BACK = 3,
        TITLE_STEP_FIRST_ITEM = 4,
        TITLE_STEP_LAST_ITEM = 8,
        TITLE_STEP_SKIP = 9,
        TITLE_STEP_MENU = 10,
        TITLE_STEP_NEW_GAME = 11,
        TITLE_STEP_EXTRAS = 12,
        TITLE_STEP_LOAD_OPEN = 13,
        TITLE_STEP_LOAD_STANDBY = 14,
        TITLE_STEP_LOAD_CLOSE = 15,
        TITLE_STEP_LOAD = 16,
        TITLE_STEP_CONFIG_OPEN = 17,
        TITLE_STEP_CONFIG_STANDBY = 18,
        TITLE_STEP_CONFIG_CLOSE = 19,
        TITLE_STEP_EXIT = 20,
        TITLE_STEP_ATTRACT = 21,
        TITLE_STEP_ATTRACT_FADE = 22,
    };
    static constexpr const char* kTag = "GAMEMAIN::TitleProc";

    // Intro pictures, drawn from the last to the first.
    static constexpr std::int32_t kPictureFirst = 0;
    static constexpr std::int32_t kPictureSecond = 1;
    static constexpr std::int32_t kPictureMenuBack = 2;
    // A picture's kind: a texture while it fades, a surface once it stands.
    static constexpr std::uint32_t kKindTexture = 0;
    static constexpr std::uint32_t kKindSurface = 1;

    // TitleStandby's results.
    static constexpr std::uint32_t kStandbyNone = 0;
    static constexpr std::uint32_t kStandbyMoved = 1;
    static constexpr std::uint32_t kStandbyChosen = 2;

    TITLE_DATA() { Clear(); }
    TITLE_DATA(const TITLE_DATA&) = delete;
    TITLE_DATA& operator=(const TITLE_DATA&) = delete;

    // The title's steps and its draw for one frame, run for the game by the host.
    std::int32_t Proc(ModeHost& host);
    std::uint32_t DrawProc(ModeHost& host);
    // The settings and load screens' steps over the title.
    static SettingsSteps Settings(ModeHost& host);
    static SaveLoadSteps SaveLoad(ModeHost& host);

    // Refuses a context without the system object, which the keys read and warp.
    std::uint32_t Initialize(const GameContext* pContextIn);
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

    const GameContext* pContext;
    std::int32_t nSelectItem;  // 0 none, else 1 to 5
    std::int32_t nItemState[kItemCount];
    std::uint32_t dwIdleStart;
    GRAPHIC_DATA IntroGraphic[kIntroCount];
    GRAPHIC_DATA_EX AttractGraphic;
    GRAPHIC_DATA ItemGraphic[kItemCount];

private:
    // The load and settings screens over the menu, and the exit's question.
    std::int32_t LoadSlide(ModeHost& host, bool bOpen);
    static std::int32_t LoadStandby(ModeHost& host);
    std::int32_t SettingsSlideStep(ModeHost& host, bool bOpen);
    static std::int32_t SettingsStandbyStep(ModeHost& host);
    std::int32_t Exit(ModeHost& host);

    void ResetState(const GameContext* pContextIn);
    void ResetPictures();
    void WarpToItem(std::int32_t nItem);
};
