#include "extras/BGM_DATA.h"
#include "extras/ExtrasSteps.h"
#include "game/GAME_MODE.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "platform/core/Log.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::BGMModeMainProc";
constexpr std::uint32_t kOpenFadeTime = 500;
constexpr std::uint32_t kCloseFadeTime = 500;

enum BGM_STEP : std::int32_t {
    BGM_STEP_START = 0,
    BGM_STEP_OPEN_FADE = 1,
    BGM_STEP_STANDBY = ExtrasSteps::kStandbyStep,
    BGM_STEP_CLOSE_FADE = 3,
    BGM_STEP_CONFIG_OPEN = 4,
    BGM_STEP_CONFIG_STANDBY = 5,
    BGM_STEP_CONFIG_CLOSE = 6,
    BGM_STEP_TITLE_CLOSE = 7,
    BGM_STEP_TITLE_FADE = 8,
};

std::int32_t Failed(const char8_t* szText) {
    platform::LogError(kTag, szText);
    return -1;
}

}  // namespace

ExtrasSteps::MODE BGM_DATA::Mode() {
    return {kTag,
            kOpenFadeTime,
            BGM_STEP_CONFIG_OPEN,
            BGM_STEP_CONFIG_STANDBY,
            BGM_STEP_CONFIG_CLOSE,
            BGM_STEP_TITLE_CLOSE,
            BGM_STEP_TITLE_FADE,
            true,
            [this] { Release(); }};
}

// The room starts no music of its own: the menu stopped its music as it handed over.
std::int32_t BGM_DATA::Start(ModeHost& host, ExtrasSteps& steps) {
    steps.MenusOff();
    if (!steps.LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました")) return -1;
    host.ShowOverlay(1.0f);
    if (Initialize(&host.Context()) == 0) return Failed(u8"BGMモードクラスの初期化に失敗しました");
    host.SetProcStep(BGM_STEP_OPEN_FADE);
    return 1;
}

std::int32_t BGM_DATA::Standby(ModeHost& host, ExtrasSteps& steps) {
    const POINTER_INPUT input = steps.ReadInput();
    if (steps.SettingsOpeners(input)) return 1;
    const std::int32_t nResult = BGMStandby(input.nX, input.nY, input.click, host.Now());
    if (nResult == RESULT_FAILED) {
        return Failed(u8"呼び出したBGM_DATA::BGMStandbyが失敗しました");
    }
    if (nResult != RESULT_EXIT) return 1;
    if (steps.LeavePrepare() == -1) return -1;
    host.SetProcStep(BGM_STEP_CLOSE_FADE);
    return 1;
}

// The room's music, pictures and effects go; the menu sets up its own.
std::int32_t BGM_DATA::CloseFade(ModeHost& host, ExtrasSteps& steps) {
    if (steps.FadingIn(kCloseFadeTime)) return 1;
    if (!steps.LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました")) return -1;
    host.ShowOverlay(1.0f);
    Release();
    host.ChangeMode(GAME_MODE_SPECIAL);
    return 1;
}

std::int32_t BGM_DATA::Proc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    ExtrasSteps steps(mode, host);
    const std::int32_t nStep = host.GetProcStep();
    if (steps.IsSettingsStep(nStep)) return steps.SettingsStep();
    switch (nStep) {
        case BGM_STEP_START:
            return Start(host, steps);
        case BGM_STEP_OPEN_FADE:
            return steps.OpeningFade();
        case BGM_STEP_STANDBY:
            return Standby(host, steps);
        case BGM_STEP_CLOSE_FADE:
            return CloseFade(host, steps);
        default:
            return 1;
    }
}

std::uint32_t BGM_DATA::DrawProc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    Draw();
    ExtrasSteps(mode, host).DrawTail();
    return 1;
}
