#include "game/GAMEMAIN.h"
#include "game/ModeLeaving.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "system/ClickState.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::StaffrollMainProc";
constexpr const char* kCreditsMusic = "bgm18.mus";
constexpr const char* kEndMusic = "bgm15.mus";
constexpr std::int32_t kMaskMenus = 7;
constexpr int kSurfaceEnd = 27;
constexpr std::uint32_t kDefaultKey = 0xFFFFFFFFu;
constexpr std::uint32_t kOpenFadeTime = 1000;
constexpr std::uint32_t kCreditsCloseTime = 2000;
constexpr std::uint32_t kEndOpenTime = 4000;
constexpr std::uint32_t kLeaveTime = 1000;

enum STAFFROLL_STEP : std::int32_t {
    STAFFROLL_STEP_START = 0,
    STAFFROLL_STEP_OPEN_FADE = 1,
    STAFFROLL_STEP_CREDITS = 2,
    STAFFROLL_STEP_CREDITS_CLOSE = 3,
    STAFFROLL_STEP_RELEASE = 4,
    STAFFROLL_STEP_END_PICTURE = 5,
    STAFFROLL_STEP_END_OPEN = 6,
    STAFFROLL_STEP_END_WAIT = 7,
    STAFFROLL_STEP_LEAVE = 8,
};

std::int32_t Failed(const char8_t* szText) {
    platform::LogError(kTag, szText);
    return -1;
}

bool LoadOverlay(GAMEMAIN& game, const char8_t* szText) {
    ModeHost host(game);
    return LoadOverlayTexture(host, kTag, szText);
}

void PlayMusic(GAMEMAIN& game, bool bOnce) {
    const int nResult = bOnce ? BGMPlay(kCreditsMusic, 0, game.pSnd, game.pSystem, *game.pShell)
                              : BGMPlay(kEndMusic, game.pSnd, game.pSystem, *game.pShell);
    if (nResult == 0) platform::LogError(kTag, u8"BGMの再生に失敗しました");
}

void StopMusic(GAMEMAIN& game) { BGMStop(1, game.pSnd, game.pSystem, *game.pShell); }

// The overlay's fade towards fTarget: true while it runs.
bool Fading(GAMEMAIN& game, float fTarget, std::uint32_t dwFadeTime) {
    GRAPHIC_DATA& fade = game.FadeGraphData;
    const auto fadeFunc = fTarget > 0.0f ? &GAMEMAIN::FadeInTexFunc : &GAMEMAIN::FadeOutTexFunc;
    return (game.*fadeFunc)(&game.dwProcStartTime, &fade.dwTime, &fade.fAlpha, fTarget,
                            dwFadeTime) != 0;
}

// A click or Return, pressed or released in this frame, or Ctrl held.
bool Passed(const ZKSYSTEM& system) {
    const KEY_STATE click = ClickState(system);
    return click == KEY_STATE_PRESSED || click == KEY_STATE_RELEASED ||
           system.GetKey(SYSTEM_KEY_CONTROL) == 1;
}

// Step 0: the screen stays black as the story left it; the music starts before the
// roll, whose start is this frame.
std::int32_t Start(GAMEMAIN& game) {
    game.MsgWndStatusChange(kMaskMenus, 0);
    game.ShowOverlay(1.0f);
    if (!LoadOverlay(game, u8"呼び出したTextureLoadが失敗しました")) return -1;
    PlayMusic(game, true);
    if (game.StaffrollData.Initialize(game.pSprite, game.pSnd, game.pSystem, game.dwNowTime) == 0) {
        return Failed(u8"スタッフロールクラスの初期化に失敗しました");
    }
    game.nProcStep = STAFFROLL_STEP_OPEN_FADE;
    return 1;
}

// Step 1: the overlay clears; the overlay's texture stays, no input is read.
std::int32_t OpenFade(GAMEMAIN& game) {
    if (!Fading(game, 0.0f, kOpenFadeTime)) {
        game.FadeGraphData.Initialize(game.pSprite, game.pSystem);
        game.nProcStep = STAFFROLL_STEP_CREDITS;
    }
    game.StaffrollData.StaffroolStandby(game.dwNowTime);
    return 1;
}

// Step 2: the credits run until their end or the player passes them.
std::int32_t Credits(GAMEMAIN& game) {
    const bool bPassed = Passed(*game.pSystem);
    const std::int32_t nResult = game.StaffrollData.StaffroolStandby(game.dwNowTime);
    if (nResult == -1) return Failed(u8"呼び出したSTAFFROLL_DATA::StaffroolStandbyが失敗しました");
    if (nResult != 1 && !bPassed) return 1;
    game.ShowOverlay(0.0f);
    StopMusic(game);
    game.nProcStep = STAFFROLL_STEP_CREDITS_CLOSE;
    return 1;
}

// Step 3: the credits go on moving under the darkening overlay.
std::int32_t CreditsClose(GAMEMAIN& game) {
    if (!Fading(game, 1.0f, kCreditsCloseTime)) game.nProcStep = STAFFROLL_STEP_RELEASE;
    game.StaffrollData.StaffroolStandby(game.dwNowTime);
    return 1;
}

// Step 4: the roll's release takes the overlay's texture with it.
std::int32_t ReleaseRoll(GAMEMAIN& game) {
    game.ShowOverlay(1.0f);
    if (!LoadOverlay(game, u8"呼び出したTextureLoadが失敗しました")) return -1;
    game.StaffrollData.Release();
    if (!LoadOverlay(game, u8"画像のロードに失敗しました")) return -1;
    game.nProcStep = STAFFROLL_STEP_END_PICTURE;
    return 1;
}

std::int32_t EndPicture(GAMEMAIN& game) {
    game.ShowOverlay(1.0f);
    if (!LoadOverlay(game, u8"呼び出したTextureLoadが失敗しました")) return -1;
    if (SurfaceLoad(game.pSprite, game.pSystem, kSurfaceEnd, 0, kDefaultKey) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    StopMusic(game);
    PlayMusic(game, false);
    game.nProcStep = STAFFROLL_STEP_END_OPEN;
    return 1;
}

std::int32_t EndOpen(GAMEMAIN& game) {
    if (Fading(game, 0.0f, kEndOpenTime)) return 1;
    game.FadeGraphData.Initialize(game.pSprite, game.pSystem);
    game.nProcStep = STAFFROLL_STEP_END_WAIT;
    return 1;
}

std::int32_t EndWait(GAMEMAIN& game) {
    if (!Passed(*game.pSystem)) return 1;
    game.ShowOverlay(0.0f);
    game.nProcStep = STAFFROLL_STEP_LEAVE;
    return 1;
}

// Step 8: the end music stops only once the screen is black. A failed system save
// has logged its own line and left the old file whole; the game starts again all the
// same, and the exit tries the save again.
std::int32_t Leave(GAMEMAIN& game) {
    if (Fading(game, 1.0f, kLeaveTime)) return 1;
    game.StaffrollData.Release();
    game.UnloadModeResources();
    if (!LoadOverlay(game, u8"画像のロードに失敗しました")) return -1;
    StopMusic(game);
    game.SaveIntegratedData();
    game.ChangeMode(GAME_MODE_LOGO);
    return 1;
}

}  // namespace

std::int32_t GAMEMAIN::StaffrollMainProc() {
    switch (nProcStep) {
        case STAFFROLL_STEP_START:
            return Start(*this);
        case STAFFROLL_STEP_OPEN_FADE:
            return OpenFade(*this);
        case STAFFROLL_STEP_CREDITS:
            return Credits(*this);
        case STAFFROLL_STEP_CREDITS_CLOSE:
            return CreditsClose(*this);
        case STAFFROLL_STEP_RELEASE:
            return ReleaseRoll(*this);
        case STAFFROLL_STEP_END_PICTURE:
            return EndPicture(*this);
        case STAFFROLL_STEP_END_OPEN:
            return EndOpen(*this);
        case STAFFROLL_STEP_END_WAIT:
            return EndWait(*this);
        case STAFFROLL_STEP_LEAVE:
            return Leave(*this);
        default:
            return 1;
    }
}

// No settings screen is ever open here, so only the overlay goes over the mode.
std::uint32_t GAMEMAIN::StaffrollDrawProc() {
    if (nProcStep <= STAFFROLL_STEP_CREDITS_CLOSE) {
        StaffrollData.Draw();
    } else if (nProcStep >= STAFFROLL_STEP_END_OPEN) {
        pSprite->DDBlt(kSurfaceEnd, 0, 0, 0);
    }
    DrawOverlay();
    return 1;
}
