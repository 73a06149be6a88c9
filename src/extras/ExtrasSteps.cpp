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
    if (host_.FadeOutTexFunc(&host_.ProcStartTime(), &fade.dwTime, &fade.fAlpha, 0.0f,
                             dwFadeTime) != 0) {
        return 1;
    }
    if (TextureUnload(ctx.pSprite, ctx.pSystem, fade.nIndex) == 0) {
        return Failed(u8"呼び出したTextureUnloadが失敗しました");
    }
    fade.Initialize(ctx.pSprite, ctx.pSystem);
    host_.MsgWndStatusChange(kMaskConfig, 1);
    host_.ProcStep() = kStandbyStep;
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

void ExtrasSteps::OpenSettings() {
    host_.SettingsOpen();
    host_.ProcStep() = mode_.nConfigOpen;
}

bool ExtrasSteps::IsSettingsStep(std::int32_t nStep) const {
    for (const std::int32_t step : {mode_.nConfigOpen, mode_.nConfigStandby, mode_.nConfigClose,
                                    mode_.nTitleClose, mode_.nTitleFade}) {
        if (nStep == step) return true;
    }
    return false;
}

std::int32_t ExtrasSteps::SettingsStep() {
    const std::int32_t nStep = host_.ProcStep();
    if (nStep == mode_.nConfigOpen) return SettingsSlideStep(true, mode_.nConfigStandby);
    if (nStep == mode_.nConfigStandby) return SettingsStandbyStep();
    if (nStep == mode_.nConfigClose) return SettingsSlideStep(false, kStandbyStep);
    if (nStep == mode_.nTitleClose) return TitleCloseStep();
    return TitleFadeStep();
}

std::int32_t ExtrasSteps::SettingsSlideStep(bool bOpen, std::int32_t nDoneStep) {
    const std::int32_t nResult = host_.SettingsSlide(StorySettingsOwner(mode_.szTag), bOpen);
    if (nResult == -1) return -1;
    if (nResult == 1) host_.ProcStep() = nDoneStep;
    return 1;
}

std::int32_t ExtrasSteps::SettingsStandbyStep() {
    const std::int32_t nResult = host_.SettingsStandby(StorySettingsOwner(mode_.szTag));
    if (nResult == STANDBY_CLOSE) host_.ProcStep() = mode_.nConfigClose;
    if (nResult == STANDBY_SPECIAL) host_.ProcStep() = mode_.nTitleClose;
    return nResult == -1 ? -1 : 1;
}

std::int32_t ExtrasSteps::TitleCloseStep() {
    const std::int32_t nResult = host_.SettingsSlide(StorySettingsOwner(mode_.szTag), false);
    if (nResult != 1) return nResult == -1 ? -1 : 1;
    if (!LoadOverlayTexture(u8"画像のロードに失敗しました")) return -1;
    host_.ShowOverlay(0.0f);
    host_.ProcStep() = mode_.nTitleFade;
    return 1;
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
    return host_.FadeInTexFunc(&host_.ProcStartTime(), &fade.dwTime, &fade.fAlpha, 1.0f,
                               dwFadeTime) != 0;
}

void ExtrasSteps::DrawTail() {
    host_.ConfigData().Draw(1);
    host_.DrawOverlay();
}
