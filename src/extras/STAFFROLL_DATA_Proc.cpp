#include "extras/STAFFROLL_DATA.h"
#include "game/GAME_MODE.h"
#include "game/GRAPHIC_DATA.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
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

bool LoadOverlay(ModeHost& host, const char8_t* szText) {
    return LoadOverlayTexture(host, kTag, szText);
}

void PlayMusic(const GameContext& ctx, bool bOnce) {
    const int nResult = bOnce ? BGMPlay(kCreditsMusic, 0, ctx.pSnd, ctx.pSystem, *ctx.pShell)
                              : BGMPlay(kEndMusic, ctx.pSnd, ctx.pSystem, *ctx.pShell);
    if (nResult == 0) platform::LogError(kTag, u8"BGMの再生に失敗しました");
}

void StopMusic(const GameContext& ctx) { BGMStop(1, ctx.pSnd, ctx.pSystem, *ctx.pShell); }

// The overlay's fade towards fTarget: true while it runs.
bool Fading(ModeHost& host, float fTarget, std::uint32_t dwFadeTime) {
    GRAPHIC_DATA& fade = host.FadeGraph();
    const auto fadeFunc = fTarget > 0.0f ? &ModeHost::FadeInTexFunc : &ModeHost::FadeOutTexFunc;
    return (host.*fadeFunc)(&fade.dwTime, &fade.fAlpha, fTarget, dwFadeTime) != 0;
}

// The overlay shown with nothing over it, its fade done.
void ClearOverlay(ModeHost& host) {
    host.FadeGraph().Initialize(host.Context().pSprite, host.Context().pSystem);
}

// A click or Return, pressed or released in this frame, or Ctrl held.
bool Passed(const ZKSYSTEM& system) {
    const KEY_STATE click = ClickState(system);
    return click == KEY_STATE_PRESSED || click == KEY_STATE_RELEASED ||
           system.GetKey(SYSTEM_KEY_CONTROL) == 1;
}

// Step 0: the screen stays black as the story left it; the music starts before the
// roll, whose start is this frame.
std::int32_t Start(ModeHost& host, STAFFROLL_DATA& roll) {
    host.MsgWndStatusChange(kMaskMenus, 0);
    host.ShowOverlay(1.0f);
    if (!LoadOverlay(host, u8"呼び出したTextureLoadが失敗しました")) return -1;
    PlayMusic(host.Context(), true);
    if (roll.Initialize(&host.Context(), host.Now()) == 0) {
        return Failed(u8"スタッフロールクラスの初期化に失敗しました");
    }
    host.SetProcStep(STAFFROLL_STEP_OPEN_FADE);
    return 1;
}

// Step 1: the overlay clears; the overlay's texture stays, no input is read.
std::int32_t OpenFade(ModeHost& host, STAFFROLL_DATA& roll) {
    if (!Fading(host, 0.0f, kOpenFadeTime)) {
        ClearOverlay(host);
        host.SetProcStep(STAFFROLL_STEP_CREDITS);
    }
    roll.StaffroolStandby(host.Now());
    return 1;
}

// Step 2: the credits run until their end or the player passes them.
std::int32_t Credits(ModeHost& host, STAFFROLL_DATA& roll) {
    const bool bPassed = Passed(*host.Context().pSystem);
    const std::int32_t nResult = roll.StaffroolStandby(host.Now());
    if (nResult == -1) return Failed(u8"呼び出したSTAFFROLL_DATA::StaffroolStandbyが失敗しました");
    if (nResult != 1 && !bPassed) return 1;
    host.ShowOverlay(0.0f);
    StopMusic(host.Context());
    host.SetProcStep(STAFFROLL_STEP_CREDITS_CLOSE);
    return 1;
}

// Step 3: the credits go on moving under the darkening overlay.
std::int32_t CreditsClose(ModeHost& host, STAFFROLL_DATA& roll) {
    if (!Fading(host, 1.0f, kCreditsCloseTime)) host.SetProcStep(STAFFROLL_STEP_RELEASE);
    roll.StaffroolStandby(host.Now());
    return 1;
}

// Step 4: the roll's release takes the overlay's texture with it.
std::int32_t ReleaseRoll(ModeHost& host, STAFFROLL_DATA& roll) {
    host.ShowOverlay(1.0f);
    if (!LoadOverlay(host, u8"呼び出したTextureLoadが失敗しました")) return -1;
    roll.Release();
    if (!LoadOverlay(host, u8"画像のロードに失敗しました")) return -1;
    host.SetProcStep(STAFFROLL_STEP_END_PICTURE);
    return 1;
}

std::int32_t EndPicture(ModeHost& host) {
    host.ShowOverlay(1.0f);
    if (!LoadOverlay(host, u8"呼び出したTextureLoadが失敗しました")) return -1;
    if (SurfaceLoad(host.Context().pSprite, host.Context().pSystem, kSurfaceEnd, 0, kDefaultKey) ==
        0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    StopMusic(host.Context());
    PlayMusic(host.Context(), false);
    host.SetProcStep(STAFFROLL_STEP_END_OPEN);
    return 1;
}

std::int32_t EndOpen(ModeHost& host) {
    if (Fading(host, 0.0f, kEndOpenTime)) return 1;
    ClearOverlay(host);
    host.SetProcStep(STAFFROLL_STEP_END_WAIT);
    return 1;
}

std::int32_t EndWait(ModeHost& host) {
    if (!Passed(*host.Context().pSystem)) return 1;
    host.ShowOverlay(0.0f);
    host.SetProcStep(STAFFROLL_STEP_LEAVE);
    return 1;
}

// Step 8: the end music stops only once the screen is black. A failed system save
// has logged its own line and left the old file whole; the game starts again all the
// same, and the exit tries the save again.
std::int32_t Leave(ModeHost& host, STAFFROLL_DATA& roll) {
    if (Fading(host, 1.0f, kLeaveTime)) return 1;
    roll.Release();
    host.UnloadModeResources();
    if (!LoadOverlay(host, u8"画像のロードに失敗しました")) return -1;
    StopMusic(host.Context());
    host.SaveIntegratedData();
    host.ChangeMode(GAME_MODE_LOGO);
    return 1;
}

}  // namespace

std::int32_t STAFFROLL_DATA::Proc(ModeHost& host) {
    switch (host.GetProcStep()) {
        case STAFFROLL_STEP_START:
            return Start(host, *this);
        case STAFFROLL_STEP_OPEN_FADE:
            return OpenFade(host, *this);
        case STAFFROLL_STEP_CREDITS:
            return Credits(host, *this);
        case STAFFROLL_STEP_CREDITS_CLOSE:
            return CreditsClose(host, *this);
        case STAFFROLL_STEP_RELEASE:
            return ReleaseRoll(host, *this);
        case STAFFROLL_STEP_END_PICTURE:
            return EndPicture(host);
        case STAFFROLL_STEP_END_OPEN:
            return EndOpen(host);
        case STAFFROLL_STEP_END_WAIT:
            return EndWait(host);
        case STAFFROLL_STEP_LEAVE:
            return Leave(host, *this);
        default:
            return 1;
    }
}

// No settings screen is ever open here, so only the overlay goes over the mode.
std::uint32_t STAFFROLL_DATA::DrawProc(ModeHost& host) {
    if (host.GetProcStep() <= STAFFROLL_STEP_CREDITS_CLOSE) {
        Draw();
    } else if (host.GetProcStep() >= STAFFROLL_STEP_END_OPEN) {
        host.Context().pSprite->DDBlt(kSurfaceEnd, 0, 0, 0);
    }
    host.DrawOverlay();
    return 1;
}
