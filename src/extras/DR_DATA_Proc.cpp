#include "extras/DR_DATA.h"
#include "extras/ExtrasSteps.h"
#include "game/GAME_MODE.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ResourcePlayer.h"
#include "platform/core/Log.h"
#include "windows/CONFIG_DATA.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::DressRoomMainProc";
constexpr const char* kMusic = "bgm15.mus";
constexpr std::uint32_t kOpenFadeTime = 1000;
constexpr std::uint32_t kCloseFadeTime = 500;
// The dress room's standby result that leaves for the extras menu.
constexpr std::int32_t kExitChosen = 3;

enum DR_STEP : std::int32_t {
    DR_STEP_START = 0,
    DR_STEP_OPEN_FADE = 1,
    DR_STEP_STANDBY = ExtrasSteps::kStandbyStep,
    DR_STEP_CLOSE_FADE = 3,
    DR_STEP_CONFIG_OPEN = 4,
    DR_STEP_CONFIG_STANDBY = 5,
    DR_STEP_CONFIG_CLOSE = 6,
    DR_STEP_TITLE_CLOSE = 7,
    DR_STEP_TITLE_FADE = 8,
};

std::int32_t Failed(const char8_t* szText) {
    platform::LogError(kTag, szText);
    return -1;
}

}  // namespace

ExtrasSteps::MODE DR_DATA::Mode() {
    return {kTag,
            kOpenFadeTime,
            DR_STEP_CONFIG_OPEN,
            DR_STEP_CONFIG_STANDBY,
            DR_STEP_CONFIG_CLOSE,
            DR_STEP_TITLE_CLOSE,
            DR_STEP_TITLE_FADE,
            true,
            [this] { Release(); }};
}

std::int32_t DR_DATA::Start(ModeHost& host, ExtrasSteps& steps) {
    const GameContext& ctx = host.Context();
    steps.MenusOff();
    host.ShowOverlay(1.0f);
    if (!steps.LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました")) return -1;
    if (Initialize(&ctx, host.ClothesFlg()) == 0) {
        return Failed(u8"衣装選択クラスの初期化に失敗しました");
    }
    if (BGMPlay(kMusic, ctx.pSnd, ctx.pSystem, *ctx.pShell) == 0) {
        platform::LogError(kTag, u8"BGMの再生に失敗しました");
    }
    host.SetProcStep(DR_STEP_OPEN_FADE);
    return 1;
}

// A card or a page arrow (results 1 and 2) keeps the mode; only the exit leaves.
std::int32_t DR_DATA::Standby(ModeHost& host, ExtrasSteps& steps) {
    const POINTER_INPUT input = steps.ReadInput();
    if (steps.SettingsOpeners(input)) return 1;
    const std::int32_t nResult = DressRoomStandby(input.nX, input.nY, input.click, host.Now());
    if (nResult == -1) return Failed(u8"呼び出したDR_DATA::DressRoomStandbyが失敗しました");
    if (nResult != kExitChosen) return 1;
    if (steps.LeavePrepare() == -1) return -1;
    host.SetProcStep(DR_STEP_CLOSE_FADE);
    return 1;
}

// The menu is entered with every slot empty but the overlay's and no music, so it
// starts its own afresh.
std::int32_t DR_DATA::CloseFade(ModeHost& host, ExtrasSteps& steps) {
    if (steps.FadingIn(kCloseFadeTime)) return 1;
    host.ShowOverlay(1.0f);
    host.ConfigData().Release();
    Release();
    host.UnloadModeResources();
    if (!steps.LoadOverlayTexture(u8"画像のロードに失敗しました")) return -1;
    const GameContext& ctx = host.Context();
    BGMStop(1, ctx.pSnd, ctx.pSystem, *ctx.pShell);
    host.ChangeMode(GAME_MODE_SPECIAL);
    return 1;
}

std::int32_t DR_DATA::Proc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    ExtrasSteps steps(mode, host);
    const std::int32_t nStep = host.GetProcStep();
    if (steps.IsSettingsStep(nStep)) return steps.SettingsStep();
    switch (nStep) {
        case DR_STEP_START:
            return Start(host, steps);
        case DR_STEP_OPEN_FADE:
            return steps.OpeningFade();
        case DR_STEP_STANDBY:
            return Standby(host, steps);
        case DR_STEP_CLOSE_FADE:
            return CloseFade(host, steps);
        default:
            return 1;
    }
}

std::uint32_t DR_DATA::DrawProc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    Draw();
    ExtrasSteps(mode, host).DrawTail();
    return 1;
}
