#include "extras/ExtrasSteps.h"

#include "game/GAME_MODE.h"
#include "game/GRAPHIC_DATA.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ModeLeaving.h"
#include "game/ResourceLoader.h"
#include "game/SETTINGS_OWNER.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "system/ZKSYSTEM.h"
#include "windows/CONFIG_DATA.h"
#include "windows/WindowStandby.h"

namespace {

constexpr std::int32_t kMaskMenus = 7;
constexpr std::int32_t kMaskConfig = 4;
constexpr std::uint32_t kTitleFadeTime = 1000;

}  // namespace

ExtrasSteps::ExtrasSteps(const MODE& mode, ModeHost& host)
    : mode_(mode),
      host_(host),
      settingsOwner_(StorySettingsOwner(mode.szTag)),
      settingsSteps_{mode.nConfigOpen, mode.nConfigStandby, mode.nConfigClose,
                     kStandbyStep,     mode.nTitleClose,    mode.nTitleFade},
      settings_(settingsOwner_, settingsSteps_, host) {}

std::int32_t ExtrasSteps::Failed(const char8_t* szText) const {
    platform::LogError(mode_.szTag, szText);
    return -1;
}

bool ExtrasSteps::LoadOverlayTexture(const char8_t* szText, int nTexture) {
    return ::LoadOverlayTexture(host_, mode_.szTag, szText, nTexture);
}

std::int32_t ExtrasSteps::OpeningFade() { return OpeningFade(mode_.dwOpenFadeTime); }

std::int32_t ExtrasSteps::OpeningFade(std::uint32_t dwFadeTime) {
    const GameContext& ctx = host_.Context();
    GRAPHIC_DATA& fade = host_.FadeGraph();
    if (host_.FadeOutTexFunc(&fade.dwTime, &fade.fAlpha, 0.0f, dwFadeTime) != 0) {
        return 1;
    }
    if (TextureUnload(ctx.pSprite, ctx.pSystem, fade.nIndex) == 0) {
        return Failed(u8"呼び出したTextureUnloadが失敗しました");
    }
    fade.Initialize(ctx.pSprite, ctx.pSystem);
    host_.MsgWndStatusChange(kMaskConfig, 1);
    host_.SetProcStep(kStandbyStep);
    return 1;
}

POINTER_INPUT ExtrasSteps::ReadInput() const { return ReadPointerInput(*host_.Context().pSystem); }

bool ExtrasSteps::SettingsOpeners(const POINTER_INPUT& input) {
    if (host_.ConfigEnableFlg() == 0) return false;
    const GameContext& ctx = host_.Context();
    if (input.right != KEY_STATE_RELEASED && !Released(*ctx.pSystem, VkLetter('C')) &&
        ctx.pShell->configRequest == 0) {
        return false;
    }
    OpenSettings();
    return true;
}

void ExtrasSteps::OpenSettings() { settings_.Open(); }

bool ExtrasSteps::IsSettingsStep(std::int32_t nStep) const {
    for (const std::int32_t step : {mode_.nConfigOpen, mode_.nConfigStandby, mode_.nConfigClose,
                                    mode_.nTitleClose, mode_.nTitleFade}) {
        if (nStep == step) return true;
    }
    return false;
}

std::int32_t ExtrasSteps::SettingsStep() {
    const std::int32_t nStep = host_.GetProcStep();
    if (nStep == mode_.nConfigOpen) return StepGoesOn(settings_.Slide(true));
    if (nStep == mode_.nConfigStandby) return StepGoesOn(settings_.Standby());
    if (nStep == mode_.nConfigClose) return StepGoesOn(settings_.Slide(false));
    if (nStep == mode_.nTitleClose) return StepGoesOn(settings_.TitleClose());
    return TitleFadeStep();
}

std::int32_t ExtrasSteps::TitleFadeStep() {
    if (FadingIn(kTitleFadeTime)) return 1;
    ReturnToTitle();
    if (!LoadOverlayTexture(u8"画像のロードに失敗しました")) return -1;
    host_.ChangeMode(GAME_MODE_TITLE);
    return 1;
}

// Whatever the story had left goes with the mode: its scene, its characters' state,
// its music and every slot but the overlay's, which is loaded again next.
void ExtrasSteps::ReturnToTitle() {
    host_.ConfigData().Release();
    mode_.release();
    ReleaseStoryScene(host_, mode_.bResetChars);
}

void ExtrasSteps::MenusOff() { host_.MsgWndStatusChange(kMaskMenus, 0); }

std::int32_t ExtrasSteps::LeavePrepare(int nTexture) {
    MenusOff();
    host_.ShowOverlay(0.0f, nTexture);
    return LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました", nTexture) ? 1 : -1;
}

bool ExtrasSteps::FadingIn(std::uint32_t dwFadeTime) {
    GRAPHIC_DATA& fade = host_.FadeGraph();
    return host_.FadeInTexFunc(&fade.dwTime, &fade.fAlpha, 1.0f, dwFadeTime) != 0;
}

void ExtrasSteps::DrawTail() {
    host_.ConfigData().Draw(1);
    host_.DrawOverlay();
}
