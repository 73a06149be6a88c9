#include "game/GameContext.h"
#include "game/GameHost.h"
#include "game/ModeHost.h"
#include "game/SETTINGS_OWNER.h"
#include "game/TITLE_DATA.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/WindowStandby.h"

namespace {

using enum TITLE_DATA::TITLE_STEP;

constexpr const char* kTag = TITLE_DATA::kTag;

const SETTINGS_OWNER kSettingsOwner = {
    kTag, 0, u8"コンフィグウィンドウのオープン処理でエラーが発生しました",
    u8"コンフィグ待機中にエラーが発生しました", u8"クローズ処理でエラーが発生しました"};

void BackToMenu(ModeHost& host, TITLE_DATA& title) {
    title.dwIdleStart = host.Now();
    host.ProcStep() = TITLE_STEP_MENU;
}

}  // namespace

std::int32_t TITLE_DATA::LoadSlide(ModeHost& host, bool bOpen) {
    const std::int32_t nResult = host.SaveLoadSlide(kTag, bOpen);
    if (nResult != 1) return nResult;
    if (bOpen) {
        host.ProcStep() = TITLE_STEP_LOAD_STANDBY;
    } else {
        host.SaveLoadWindowData().Release();
        BackToMenu(host, *this);
    }
    return 0;
}

std::int32_t TITLE_DATA::LoadStandby(ModeHost& host) {
    const ZKSYSTEM& system = *host.Context().pSystem;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    system.GetMousePos(&nX, &nY);
    const std::int32_t nResult = host.SaveLoadStandby(kTag, nX, nY, ClickState(system),
                                                      system.GetVKeyStatus(platform::VK_RBUTTON));
    if (nResult == STANDBY_ACTED) host.ProcStep() = TITLE_STEP_LOAD;
    if (nResult == STANDBY_CLOSE) host.ProcStep() = TITLE_STEP_LOAD_CLOSE;
    return nResult == -1 ? -1 : 0;
}

std::int32_t TITLE_DATA::SettingsSlideStep(ModeHost& host, bool bOpen) {
    const std::int32_t nResult = host.SettingsSlide(kSettingsOwner, bOpen);
    if (nResult != 1) return nResult;
    if (bOpen) {
        host.ProcStep() = TITLE_STEP_CONFIG_STANDBY;
    } else {
        BackToMenu(host, *this);
    }
    return 0;
}

std::int32_t TITLE_DATA::SettingsStandbyStep(ModeHost& host) {
    const std::int32_t nResult = host.SettingsStandby(kSettingsOwner);
    if (nResult == STANDBY_CLOSE) host.ProcStep() = TITLE_STEP_CONFIG_CLOSE;
    return nResult == -1 ? -1 : 0;
}

// The shell asks whether to quit; on yes it only posts the quit, so this frame ends
// on live objects and the menu stands again on no.
std::int32_t TITLE_DATA::Exit(ModeHost& host) {
    host.Context().pHost->SendDestroyMessage();
    BackToMenu(host, *this);
    return 0;
}
