#include "game/GAMEMAIN.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowStandby.h"

namespace {

constexpr std::uint32_t kSlideStep = 100;

}  // namespace

// The screen's own result is not needed: a screen that could not set itself up
// answers its first slide with -1, which ends the game with the owner's line.
void GAMEMAIN::SettingsOpen() {
    SettingsWords& shell = pShell->settings;
    const CONFIG_LIVE live{
        &nMsgSpeed,       &MsgWindowData.nAutoFlg, &MsgWindowData.nSkipFlg, &shell.bgmOn,
        &shell.bgmVolume, &shell.voiceOn,          &shell.voiceVolume,      &shell.seOn,
        &shell.seVolume,  &shell.fullScreen,       &shell.colourDepth};
    ConfigData.Initialize(live, static_cast<std::int32_t>(pSprite->GetDisplayBits()), &Context);
}

std::int32_t GAMEMAIN::SettingsSlide(const SETTINGS_OWNER& owner, bool bOpen) {
    const std::int32_t nResult =
        bOpen ? ConfigData.WindowOpen(kSlideStep) : ConfigData.WindowClose(kSlideStep);
    if (nResult == -1) {
        platform::LogError(owner.szTag, bOpen ? owner.szOpenFailed : owner.szCloseFailed);
        return -1;
    }
    if (nResult == 1 && !bOpen) ConfigData.Release();
    return nResult;
}

std::int32_t GAMEMAIN::SettingsStandby(const SETTINGS_OWNER& owner) {
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    pSystem->GetMousePos(&nX, &nY);
    const std::int32_t nResult = ConfigData.WindowStandby(
        nX, nY, ClickState(*pSystem), pSystem->GetVKeyStatus(platform::VK_RBUTTON), dwNowTime,
        owner.nInGame);
    switch (nResult) {
        case STANDBY_NOT_INITIALIZED:
            platform::LogError(owner.szTag, owner.szStandbyFailed);
            return -1;
        case STANDBY_CLOSE:
        case STANDBY_SPECIAL:
            return nResult;
        default:
            return 0;
    }
}
