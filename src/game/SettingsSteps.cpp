#include "game/SettingsSteps.h"

#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ModeLeaving.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/CONFIG_DATA.h"
#include "windows/WindowStandby.h"

namespace {

constexpr std::uint32_t kSlideStep = 100;

}  // namespace

SettingsSteps::SettingsSteps(const SETTINGS_OWNER& owner, const STEPS& steps, ModeHost& host)
    : owner_(owner), steps_(steps), host_(host), window_(host.ConfigData()) {}

// The screen's own result is not needed: a screen that could not set itself up
// answers its first slide with -1, which ends the game with the owner's line.
void SettingsSteps::Open() {
    const GameContext& ctx = host_.Context();
    window_.Initialize(host_.LiveSettings(),
                       static_cast<std::int32_t>(ctx.pSprite->GetDisplayBits()), &ctx);
    host_.SetProcStep(steps_.nOpen);
}

std::int32_t SettingsSteps::SlideWindow(bool bOpen) {
    const std::int32_t nResult =
        bOpen ? window_.WindowOpen(kSlideStep) : window_.WindowClose(kSlideStep);
    if (nResult == -1) {
        platform::LogError(owner_.szTag, bOpen ? owner_.szOpenFailed : owner_.szCloseFailed);
        return -1;
    }
    if (nResult == 1 && !bOpen) window_.Release();
    return nResult;
}

std::int32_t SettingsSteps::Slide(bool bOpen) {
    const std::int32_t nResult = SlideWindow(bOpen);
    if (nResult == 1) host_.SetProcStep(bOpen ? steps_.nStandby : steps_.nBack);
    return nResult;
}

std::int32_t SettingsSteps::Standby() {
    const ZKSYSTEM& system = *host_.Context().pSystem;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    system.GetMousePos(&nX, &nY);
    const std::int32_t nResult = window_.WindowStandby(nX, nY, ClickState(system),
                                                       system.GetVKeyStatus(platform::VK_RBUTTON),
                                                       host_.Now(), owner_.nInGame);
    switch (nResult) {
        case STANDBY_NOT_INITIALIZED:
            platform::LogError(owner_.szTag, owner_.szStandbyFailed);
            return -1;
        case STANDBY_CLOSE:
            host_.SetProcStep(steps_.nClose);
            return nResult;
        case STANDBY_SPECIAL:
            host_.SetProcStep(steps_.nTitleClose);
            return nResult;
        default:
            return 0;
    }
}

std::int32_t SettingsSteps::TitleClose() {
    const std::int32_t nResult = SlideWindow(false);
    if (nResult != 1) return nResult;
    if (!LoadOverlayTexture(host_, owner_.szTag, u8"画像のロードに失敗しました")) return -1;
    host_.ShowOverlay(0.0f);
    host_.SetProcStep(steps_.nTitleFade);
    return 1;
}
