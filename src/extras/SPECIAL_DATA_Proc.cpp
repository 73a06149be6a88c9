#include "extras/ExtrasSteps.h"
#include "extras/SPECIAL_DATA.h"
#include "game/GAME_MODE.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ResourcePlayer.h"
#include "platform/core/Log.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::SpecialProc";
constexpr const char* kMusic = "bgm02.mus";
constexpr std::uint32_t kOpenFadeTime = 500;
constexpr std::uint32_t kPauseTime = 1000;
constexpr std::uint32_t kCloseFadeTime = 500;

enum SPECIAL_STEP : std::int32_t {
    SPECIAL_STEP_START = 0,
    SPECIAL_STEP_OPEN_FADE = 1,
    SPECIAL_STEP_STANDBY = ExtrasSteps::kStandbyStep,
    SPECIAL_STEP_PAUSE = 3,
    SPECIAL_STEP_CLOSE_FADE = 4,
    SPECIAL_STEP_CONFIG_OPEN = 5,
    SPECIAL_STEP_CONFIG_STANDBY = 6,
    SPECIAL_STEP_CONFIG_CLOSE = 7,
    SPECIAL_STEP_TITLE_CLOSE = 8,
    SPECIAL_STEP_TITLE_FADE = 9,
};

// The mode each button leads to, by id - 1.
constexpr std::int32_t kNextMode[SPECIAL_DATA::kButtonCount] = {
    GAME_MODE_CG, GAME_MODE_BGM, GAME_MODE_TITLE, GAME_MODE_DRESS_ROOM};

std::int32_t Failed(const char8_t* szText) {
    platform::LogError(kTag, szText);
    return -1;
}

}  // namespace

ExtrasSteps::MODE SPECIAL_DATA::Mode() {
    return {kTag,
            kOpenFadeTime,
            SPECIAL_STEP_CONFIG_OPEN,
            SPECIAL_STEP_CONFIG_STANDBY,
            SPECIAL_STEP_CONFIG_CLOSE,
            SPECIAL_STEP_TITLE_CLOSE,
            SPECIAL_STEP_TITLE_FADE,
            true,
            [this] { Release(); }};
}

std::int32_t SPECIAL_DATA::Start(ModeHost& host, ExtrasSteps& steps) {
    const GameContext& ctx = host.Context();
    steps.MenusOff();
    if (!steps.LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました")) return -1;
    host.ShowOverlay(1.0f);
    if (Initialize(&ctx, host.GameClearFlg()) == 0) {
        return Failed(u8"呼び出したSPECIAL_DATA::Initializeが失敗しました");
    }
    if (BGMPlay(kMusic, ctx.pSnd, ctx.pSystem, *ctx.pShell) == 0) {
        platform::LogError(kTag, u8"BGMの再生に失敗しました");
    }
    host.SetProcStep(SPECIAL_STEP_OPEN_FADE);
    return 1;
}

std::int32_t SPECIAL_DATA::Standby(ModeHost& host, ExtrasSteps& steps) {
    const POINTER_INPUT input = steps.ReadInput();
    if (steps.SettingsOpeners(input)) return 1;
    const std::int32_t nResult = SpecialStandby(input.nX, input.nY, input.click, host.Now());
    if (nResult == -1) return Failed(u8"呼び出したSPECIAL_DATA::SpecialStandbyが失敗しました");
    if (nResult != 2) return 1;
    if (steps.LeavePrepare() == -1) return -1;
    host.StartStep(SPECIAL_STEP_PAUSE);
    return 1;
}

// After a click the chosen button blinks and the others fade, whatever the pointer does.
void SPECIAL_DATA::ButtonsAfterChoice(std::uint32_t dwNow) {
    for (SPECIAL_BUTTON_DATA& button : Button) button.Proc(0, 0, dwNow);
}

std::int32_t SPECIAL_DATA::Pause(ModeHost& host) {
    if (host.StepTime() >= kPauseTime) {
        nPictureFlg[kTitle - 1] = kTitlePictureShown;
        host.SetProcStep(SPECIAL_STEP_CLOSE_FADE);
    }
    ButtonsAfterChoice(host.Now());
    return 1;
}

// The chosen mode begins under the black overlay; only the gallery keeps the music.
std::int32_t SPECIAL_DATA::CloseFade(ModeHost& host, ExtrasSteps& steps) {
    if (nInitFlg != 0) ButtonsAfterChoice(host.Now());
    if (steps.FadingIn(kCloseFadeTime)) return 1;
    if (!steps.LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました")) return -1;
    host.ShowOverlay(1.0f);
    const std::int32_t nChosen = nCursorId;
    if (nChosen < kGallery || nChosen > kDressRoom) {
        host.ReenterMode(SPECIAL_STEP_START);
        return 1;
    }
    Release();
    if (nChosen != kGallery) {
        const GameContext& ctx = host.Context();
        BGMStop(1, ctx.pSnd, ctx.pSystem, *ctx.pShell);
    }
    host.ChangeMode(kNextMode[nChosen - 1]);
    return 1;
}

std::int32_t SPECIAL_DATA::Proc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    ExtrasSteps steps(mode, host);
    const std::int32_t nStep = host.GetProcStep();
    if (steps.IsSettingsStep(nStep)) return steps.SettingsStep();
    switch (nStep) {
        case SPECIAL_STEP_START:
            return Start(host, steps);
        case SPECIAL_STEP_OPEN_FADE:
            return steps.OpeningFade();
        case SPECIAL_STEP_STANDBY:
            return Standby(host, steps);
        case SPECIAL_STEP_PAUSE:
            return Pause(host);
        case SPECIAL_STEP_CLOSE_FADE:
            return CloseFade(host, steps);
        default:
            return 1;
    }
}

std::uint32_t SPECIAL_DATA::DrawProc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    Draw();
    ExtrasSteps(mode, host).DrawTail();
    return 1;
}
