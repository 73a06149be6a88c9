#include <cstdio>
#include <cstring>
#include <string>

#include "extras/ExtrasSteps.h"
#include "game/GAMEMAIN.h"
#include "game/ModeHost.h"
#include "game/ModeLeaving.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowStandby.h"

namespace {

// What sets the recollection and the hint mode apart; the rest of their steps is one.
struct SCENE_MODE {
    const char* szTag;
    // The fixed script, or none for the scene the gallery handed over.
    const char* szScript;
    // The gallery lent for the scene, the return button, the click that stops
    // skipping and Space hiding the window.
    bool bRecollection;
    std::uint32_t dwEndFadeTime;
    std::int32_t nEndMode;
    std::int32_t nEndStep;
};

constexpr SCENE_MODE kRecollection{
    "GAMEMAIN::RecurdoMainProc", nullptr, true, 1000, GAME_MODE_CG, 9};
constexpr SCENE_MODE kHint{
    "GAMEMAIN::HintModeMainProc", "Hint_Start.spt", false, 500, GAME_MODE_SPECIAL, 0};

enum SCENE_STEP : std::int32_t {
    SCENE_STEP_SET_UP = 0,
    SCENE_STEP_OPEN_FADE = 1,
    SCENE_STEP_MAIN = ExtrasSteps::kStandbyStep,
    SCENE_STEP_CONFIG_OPEN = 3,
    SCENE_STEP_CONFIG_STANDBY = 4,
    SCENE_STEP_CONFIG_CLOSE = 5,
    SCENE_STEP_END_FADE = 6,
    SCENE_STEP_TITLE_CLOSE = 7,
    SCENE_STEP_TITLE_FADE = 8,
};

constexpr std::uint32_t kOpenFadeTime = 1;
constexpr int kEffects[] = {4, 5, 6};
// The backlog's back and forward buttons on the bar.
constexpr std::int32_t kBackLogButtons = 8 | 16;
constexpr const char* kGalleryMusic = "bgm02.mus";

// Everything the scene set up goes: the script and its copy, the layers with their
// wipe and mosaic, the characters' progress, the windows and the return button. The
// story-scene release after it then has no characters left to reset.
void SceneRelease(GAMEMAIN& game, const SCENE_MODE& mode) {
    game.ReleaseScriptScene(1);
    game.MsgWindowData.Release();
    game.SelectWindowData.Release();
    game.DayWindowData.Release();
    if (mode.bRecollection) game.RecurdoData.Release();
}

// A script left open from before is closed here, so that its close is told; its copy
// goes with the script state as the new one opens.
bool CloseOldScript(GAMEMAIN& game, const SCENE_MODE& mode) {
    if (game.ScrFileData.fp == nullptr) return true;
    const int nClosed = std::fclose(game.ScrFileData.fp);
    game.ScrFileData.fp = nullptr;
    if (nClosed == 0) return true;
    platform::LogError(mode.szTag, u8"ファイルのクローズに失敗しました");
    return false;
}

// A script that was extracted but could not be opened is left to the interpreter,
// which tells it at its first step.
bool OpenScript(GAMEMAIN& game, const SCENE_MODE& mode, const std::string& szName) {
    if (!CloseOldScript(game, mode)) return false;
    const GAMEMAIN::SCR_OPEN_RESULT open = game.ScrFileOpen(szName.c_str());
    const bool bExtracted = open.bNameOk && (open.nDivResult < -2 || open.nDivResult > 0);
    return bExtracted || game.ScrOpenResult(mode.szTag, open) == 1;
}

// The set-up runs once per entry: the gallery lets go of its scene's name here, so a
// second run would open nothing.
bool SceneStart(GAMEMAIN& game, const SCENE_MODE& mode, ExtrasSteps& steps) {
    const CG_MODE_DATA& gallery = game.CGModeData;
    const std::string szName =
        mode.bRecollection
            ? std::string(gallery.szRecurdoFile,
                          strnlen(gallery.szRecurdoFile, sizeof gallery.szRecurdoFile))
            : mode.szScript;
    if (mode.bRecollection) game.CGModeData.ReleaseFromRecuerdo();
    steps.MenusOff();
    if (!steps.LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました")) return false;
    game.ShowOverlay(1.0f);
    game.MsgWindowData.Initialize(&game.Context);
    if (mode.bRecollection) game.RecurdoData.Initialize(&game.Context);
    if (!OpenScript(game, mode, szName)) return false;
    // Nothing of a scene goes into the already-read list, and all of it may be skipped.
    game.nScrSkipLine = -1;
    game.nScrSkipEnableFlg = 1;
    game.BGDataClear();
    game.MsgWindowData.ButtonDisable(kBackLogButtons);
    game.bStoryEffectsReported = false;
    return true;
}

// Only the effects are retried while they fail; the step stays.
std::int32_t SetUpStep(GAMEMAIN& game, const SCENE_MODE& mode, ExtrasSteps& steps) {
    if (!game.bSceneSetUp) {
        if (!SceneStart(game, mode, steps)) return -1;
        game.bSceneSetUp = true;
    }
    if (!game.LoadStoryEffects(mode.szTag, kEffects)) return 0;
    game.bSceneSetUp = false;
    game.nProcStep = SCENE_STEP_OPEN_FADE;
    return 1;
}

std::int32_t OpenFadeStep(GAMEMAIN& game, ExtrasSteps& steps) {
    const std::int32_t nResult = steps.OpeningFade();
    if (nResult != 1 || game.nProcStep != SCENE_STEP_MAIN) return nResult;
    game.nSaveEnableFlg = 1;
    game.nLoadEnableFlg = 1;
    game.nConfigEnableFlg = 1;
    game.nHelpEnableFlg = 1;
    return 1;
}

// The settings open over the scene; the bar stays out of use meanwhile.
std::int32_t OpenSettings(GAMEMAIN& game, ExtrasSteps& steps) {
    game.MsgWindowData.nBarUseFlg = 1;
    steps.OpenSettings();
    return 1;
}

// The return button or the scene's end: the screen fades to black from here.
std::int32_t LeaveScene(GAMEMAIN& game, ExtrasSteps& steps) {
    if (steps.LeavePrepare() == -1) return -1;
    game.nProcStep = SCENE_STEP_END_FADE;
    return 1;
}

// The return button counts only while it is drawn: with the window open.
bool ReturnClicked(GAMEMAIN& game, const SCENE_MODE& mode, std::int32_t nResult,
                   const POINTER_INPUT& input) {
    if (!mode.bRecollection || nResult != STANDBY_NOTHING || game.MsgWindowData.nOpenFlg == 0) {
        return false;
    }
    return game.RecurdoData.RecurdoStandby(input.nX, input.nY, game.MsgWindowData.nX,
                                           game.MsgWindowData.nY, input.click) == 2;
}

// The windows' standbys; true when the return button ended the scene's frame.
bool RunWindows(GAMEMAIN& game, const SCENE_MODE& mode, const POINTER_INPUT& input) {
    const std::int32_t nResult =
        game.MsgWindowData.WindowStandby(input.nX, input.nY, input.click, game.dwNowTime);
    if (nResult == STANDBY_SPECIAL) game.nMsgWndDispFlg = 0;
    if (ReturnClicked(game, mode, nResult, input)) return true;
    const std::uint32_t nChoose = game.MsgWindowData.nBackLogNo == -1 ? 1 : 0;
    game.SelectWindowData.WindowStandby(input.nX, input.nY, input.click, game.dwNowTime, nChoose);
    return false;
}

std::int32_t MainStep(GAMEMAIN& game, const SCENE_MODE& mode, ExtrasSteps& steps) {
    const POINTER_INPUT input = steps.ReadInput();
    if (game.nMsgWndDispFlg == 0 && input.click == KEY_STATE_RELEASED) {
        game.nMsgWndDispFlg = 1;
        return 1;
    }
    if (mode.bRecollection && game.ClickCancelsSkip(input.click, false)) {
        game.MsgWindowData.nSkipFlg = 0;
        game.MsgWindowData.nButtonState[MSG_BUTTON_SKIP] = MSG_WINDOW_DATA::kButtonNormal;
        return 1;
    }
    const ZKSYSTEM& system = *game.pSystem;
    if (mode.bRecollection && Released(system, platform::VK_SPACE)) {
        game.nMsgWndDispFlg = game.nMsgWndDispFlg == 0 ? 1 : 0;
    }
    const bool bSettingsKey = input.right == KEY_STATE_RELEASED || Released(system, VkLetter('C'));
    if (bSettingsKey && game.nConfigEnableFlg != 0) return OpenSettings(game, steps);
    if (game.ScrMain() == -1) {
        platform::LogError(mode.szTag, u8"スクリプトの実行に失敗しました");
        return -1;
    }
    if (game.nMsgWndDispFlg != 0 && RunWindows(game, mode, input)) return LeaveScene(game, steps);
    if (game.pShell->configRequest != 0 && game.nConfigEnableFlg != 0) {
        return OpenSettings(game, steps);
    }
    if (game.ScrFileData.nEndScriptFlg != 0) return LeaveScene(game, steps);
    game.StoryAnimate();
    return 1;
}

// After the fade to black the scene goes; the recollection gives the gallery back its
// place and its music, the overlay still black for the gallery to fade away.
std::int32_t EndFadeStep(GAMEMAIN& game, const SCENE_MODE& mode, ExtrasSteps& steps) {
    if (steps.FadingIn(mode.dwEndFadeTime)) return 1;
    SceneRelease(game, mode);
    ModeHost host(game);
    ReleaseStoryScene(host, false);
    if (!steps.LoadOverlayTexture(u8"画像のロードに失敗しました")) return -1;
    if (mode.bRecollection) {
        const GALLERY_WORDS words = GALLERY_WORDS::From(game.dwCGFlg, game.dwReplayFlg);
        if (game.CGModeData.InitializeFromRecuerdo(&game.Context, words) != 1) {
            platform::LogError(mode.szTag,
                               u8"呼び出したCG_MODE_DATA::InitializeFromRecuerdoが失敗しました");
            return -1;
        }
        if (BGMPlay(kGalleryMusic, game.pSnd, game.pSystem, *game.pShell) == 0) {
            platform::LogError(mode.szTag, u8"BGMの再生に失敗しました");
        }
    }
    game.ChangeMode(mode.nEndMode);
    game.nProcStep = mode.nEndStep;
    return 1;
}

std::int32_t SceneMainProc(GAMEMAIN& game, const SCENE_MODE& mode) {
    ModeHost host(game);
    const ExtrasSteps::MODE steps_mode{mode.szTag,
                                       kOpenFadeTime,
                                       SCENE_STEP_CONFIG_OPEN,
                                       SCENE_STEP_CONFIG_STANDBY,
                                       SCENE_STEP_CONFIG_CLOSE,
                                       SCENE_STEP_TITLE_CLOSE,
                                       SCENE_STEP_TITLE_FADE,
                                       false,
                                       [&game, &mode] { SceneRelease(game, mode); }};
    ExtrasSteps steps(steps_mode, host);
    switch (game.nProcStep) {
        case SCENE_STEP_SET_UP:
            return SetUpStep(game, mode, steps);
        case SCENE_STEP_OPEN_FADE:
            return OpenFadeStep(game, steps);
        case SCENE_STEP_MAIN:
            return MainStep(game, mode, steps);
        case SCENE_STEP_END_FADE:
            return EndFadeStep(game, mode, steps);
        default:
            return steps.IsSettingsStep(game.nProcStep) ? steps.SettingsStep() : 1;
    }
}

}  // namespace

std::int32_t GAMEMAIN::RecurdoMainProc() { return SceneMainProc(*this, kRecollection); }

std::int32_t GAMEMAIN::HintModeMainProc() { return SceneMainProc(*this, kHint); }

std::uint32_t GAMEMAIN::RecurdoDrawProc() {
    return SceneDrawProc("GAMEMAIN::RecurdoDrawProc", recurdoDrawLatch_, true);
}

std::uint32_t GAMEMAIN::HintModeDrawProc() {
    return SceneDrawProc("GAMEMAIN::HintModeDrawProc", hintDrawLatch_, false);
}

// The windows only while the player shows them; the return button only while the
// window is open, where it can be hit.
std::uint32_t GAMEMAIN::SceneDrawProc(const char* szTag, DrawFailureLatch& latch,
                                      bool bReturnButton) {
    const DRAW_REPORT report{szTag, latch};
    StoryDraw(report);
    if (nMsgWndDispFlg != 0) {
        report.Check(MsgWindowData.Draw() == 0);
        report.Check(DayWindowData.Draw() == 0);
        if (bReturnButton && MsgWindowData.nOpenFlg != 0) {
            RecurdoData.Draw(MsgWindowData.nX, MsgWindowData.nY);
        }
        report.Check(SelectWindowData.Draw() == 0);
    }
    ConfigData.Draw(1);
    DrawOverlay();
    return 1;
}
