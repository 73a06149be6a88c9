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
// The title's settings offer no return to the title, and it has nothing to save: those
// steps stand for its own standby and load.
constexpr SettingsSteps::STEPS kSettingsSteps = {
    TITLE_STEP_CONFIG_OPEN, TITLE_STEP_CONFIG_STANDBY, TITLE_STEP_CONFIG_CLOSE,
    TITLE_STEP_MENU,        TITLE_STEP_CONFIG_STANDBY, TITLE_STEP_CONFIG_STANDBY};
constexpr SaveLoadSteps::STEPS kSaveLoadSteps = {TITLE_STEP_LOAD_OPEN, TITLE_STEP_LOAD_OPEN,
                                                 TITLE_STEP_MENU, TITLE_STEP_LOAD};

void BackToMenu(ModeHost& host, TITLE_DATA& title) {
    title.dwIdleStart = host.Now();
    host.SetProcStep(TITLE_STEP_MENU);
}

}  // namespace

SettingsSteps TITLE_DATA::Settings(ModeHost& host) {
    return SettingsSteps(kSettingsOwner, kSettingsSteps, host);
}

SaveLoadSteps TITLE_DATA::SaveLoad(ModeHost& host) {
    return SaveLoadSteps(kTag, kSaveLoadSteps, host);
}

std::int32_t TITLE_DATA::LoadSlide(ModeHost& host, bool bOpen) {
    const std::int32_t nResult = SaveLoad(host).Slide(bOpen);
    if (nResult != 1) return nResult;
    if (!bOpen) BackToMenu(host, *this);
    return 0;
}

std::int32_t TITLE_DATA::LoadStandby(ModeHost& host) {
    return SaveLoad(host).Standby() == -1 ? -1 : 0;
}

std::int32_t TITLE_DATA::SettingsSlideStep(ModeHost& host, bool bOpen) {
    const std::int32_t nResult = Settings(host).Slide(bOpen);
    if (nResult != 1) return nResult;
    if (!bOpen) BackToMenu(host, *this);
    return 0;
}

std::int32_t TITLE_DATA::SettingsStandbyStep(ModeHost& host) {
    return Settings(host).Standby() == -1 ? -1 : 0;
}

// The shell asks whether to quit; on yes it only posts the quit, so this frame ends
// on live objects and the menu stands again on no.
std::int32_t TITLE_DATA::Exit(ModeHost& host) {
    host.Context().pHost->SendDestroyMessage();
    BackToMenu(host, *this);
    return 0;
}
