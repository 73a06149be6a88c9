#include "game/CLT_SLC_DATA.h"
#include "game/GAME_MODE.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ModeLeaving.h"
#include "game/SETTINGS_OWNER.h"
#include "game/SaveLoadSteps.h"
#include "game/SettingsSteps.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/CONFIG_DATA.h"
#include "windows/MSG_WINDOW_DATA.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/WindowStandby.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::ClothesSelectProc";
constexpr std::uint32_t kOpenFadeTime = 1000;
constexpr std::uint32_t kChoiceFadeTime = 500;
constexpr std::uint32_t kLoadFadeTime = 1000;
constexpr std::uint32_t kTitleFadeTime = 1000;
// Save, load and settings.
constexpr std::int32_t kMenuMask = 7;
// The standby's result when the hovered card was clicked.
constexpr std::int32_t kCardChosen = 2;

enum CLT_STEP : std::int32_t {
    CLT_STEP_START = 0,
    CLT_STEP_OPEN_FADE = 1,
    CLT_STEP_MAIN = 2,
    CLT_STEP_CHOSEN = 3,
    CLT_STEP_SAVE_OPEN = 4,
    CLT_STEP_SAVE_STANDBY = 5,
    CLT_STEP_SAVE_CLOSE = 6,
    CLT_STEP_LOAD_OPEN = 7,
    CLT_STEP_LOAD_STANDBY = 8,
    CLT_STEP_LOAD_CLOSE = 9,
    CLT_STEP_LOAD_FADE = 10,
    CLT_STEP_LOADED_FADE = 11,
    CLT_STEP_CONFIG_OPEN = 12,
    CLT_STEP_CONFIG_STANDBY = 13,
    CLT_STEP_CONFIG_CLOSE = 14,
    CLT_STEP_TO_TITLE_CLOSE = 15,
    CLT_STEP_TO_TITLE = 16,
};

constexpr SETTINGS_OWNER kSettingsOwner = StorySettingsOwner(kTag);
constexpr SettingsSteps::STEPS kSettingsSteps = {CLT_STEP_CONFIG_OPEN,    CLT_STEP_CONFIG_STANDBY,
                                                 CLT_STEP_CONFIG_CLOSE,   CLT_STEP_MAIN,
                                                 CLT_STEP_TO_TITLE_CLOSE, CLT_STEP_TO_TITLE};
constexpr SaveLoadSteps::STEPS kSaveLoadSteps = {CLT_STEP_SAVE_OPEN, CLT_STEP_LOAD_OPEN,
                                                 CLT_STEP_MAIN, CLT_STEP_LOAD_FADE};

bool LoadOverlayTexture(ModeHost& host, const char8_t* szFailed) {
    return LoadOverlayTexture(host, kTag, szFailed);
}

std::int32_t OpenSettings(ModeHost& host) {
    SettingsSteps(kSettingsOwner, kSettingsSteps, host).Open();
    return 1;
}

std::int32_t OpenSaveLoad(ModeHost& host, std::int32_t nKind) {
    SaveLoadSteps(kTag, kSaveLoadSteps, host).Open(nKind);
    return 1;
}

// The right button and the keys, then the strip's requests: 0 when none acts.
std::int32_t Openers(ModeHost& host, const POINTER_INPUT& input) {
    const ZKSYSTEM& system = *host.Context().pSystem;
    const ShellWords& shell = *host.Context().pShell;
    if (input.right == KEY_STATE_RELEASED && host.ConfigEnableFlg() != 0) return OpenSettings(host);
    if (Released(system, VkLetter('S')) && host.SaveEnableFlg() != 0) {
        return OpenSaveLoad(host, SAVE_LOAD_WINDOW_DATA::kKindSave);
    }
    if (Released(system, VkLetter('L')) && host.LoadEnableFlg() != 0) {
        return OpenSaveLoad(host, SAVE_LOAD_WINDOW_DATA::kKindLoad);
    }
    if (Released(system, VkLetter('C')) && host.ConfigEnableFlg() != 0) return OpenSettings(host);
    if (shell.saveRequest != 0 && host.SaveEnableFlg() != 0) {
        return OpenSaveLoad(host, SAVE_LOAD_WINDOW_DATA::kKindSave);
    }
    if (shell.loadRequest != 0 && host.LoadEnableFlg() != 0) {
        return OpenSaveLoad(host, SAVE_LOAD_WINDOW_DATA::kKindLoad);
    }
    if (shell.configRequest != 0 && host.ConfigEnableFlg() != 0) return OpenSettings(host);
    return 0;
}

std::int32_t Start(ModeHost& host, CLT_SLC_DATA& screen) {
    host.MsgWndStatusChange(kMenuMask, 0);
    host.ShowOverlay(1.0f);
    if (!LoadOverlayTexture(host, u8"呼び出したTextureLoadが失敗しました")) return -1;
    if (screen.Initialize(&host.Context(), host.ClothesFlg()) == 0) {
        platform::LogError(kTag, u8"衣装選択クラスの初期化に失敗しました");
        return -1;
    }
    host.SetProcStep(CLT_STEP_OPEN_FADE);
    return 1;
}

// The overlay fades away; the screen then takes its openers.
std::int32_t FadeIn(ModeHost& host, std::uint32_t dwFadeTime, bool bGrant) {
    const std::int32_t nFaded = host.OverlayFadeAway(kTag, dwFadeTime);
    if (nFaded != 1) return nFaded;
    if (bGrant) host.MsgWndStatusChange(kMenuMask, 1);
    host.SetProcStep(CLT_STEP_MAIN);
    return 1;
}

std::int32_t MainStep(ModeHost& host, CLT_SLC_DATA& screen) {
    const POINTER_INPUT input = ReadPointerInput(*host.Context().pSystem);
    if (Openers(host, input) != 0) return 1;
    const std::int32_t nResult =
        screen.ClothesSelectStandby(input.nX, input.nY, input.click, host.Now());
    if (nResult == -1) {
        platform::LogError(kTag, u8"呼び出したCLT_SLC_DATA::ClothesSelectStandbyが失敗しました");
        return -1;
    }
    if (nResult != kCardChosen) return 1;
    host.MsgWndStatusChange(kMenuMask, 0);
    host.ShowOverlay(0.0f);
    if (!LoadOverlayTexture(host, u8"呼び出したTextureLoadが失敗しました")) return -1;
    host.SetProcStep(CLT_STEP_CHOSEN);
    return 1;
}

// The chosen costume's scenario opens, the screen goes and the story goes on in it.
std::int32_t Chosen(ModeHost& host, CLT_SLC_DATA& screen) {
    GRAPHIC_DATA& fade = host.FadeGraph();
    if (host.FadeInTexFunc(&fade.dwTime, &fade.fAlpha, 1.0f, kChoiceFadeTime) != 0) return 1;
    const std::int32_t nPlace = screen.nCursorPos;
    const std::int32_t nClothes =
        nPlace >= 1 && nPlace <= CLT_SLC_DATA::kPlaceCount ? screen.nSortNo[nPlace - 1] : -1;
    if (nClothes < 0 || nClothes >= CLT_SLC_DATA::kClothesCount) {
        platform::LogError(kTag, u8"カーソル位置が異常です");
        return -1;
    }
    const char* szScenario = screen.ClothesData[nClothes].szScenario;
    if (host.ScrFileOpen(kTag, szScenario) != 1) return -1;
    host.ReadScrSkip(szScenario);
    host.ConfigData().Release();
    host.SaveLoadWindowData().Release();
    screen.Release();
    host.UnloadModeResources();
    if (!LoadOverlayTexture(host, u8"画像のロードに失敗しました")) return -1;
    host.MsgWindowData().Initialize(&host.Context());
    host.ShowOverlay(1.0f);
    host.ChangeMode(GAME_MODE_ADV);
    host.SetProcStep(1);
    return 1;
}

// The screen fades to black, then the chosen slot takes its place; the loaded mode
// runs the fade back in.
std::int32_t LoadFade(ModeHost& host, SaveLoadSteps& steps) {
    GRAPHIC_DATA& fade = host.FadeGraph();
    if (host.FadeInTexFunc(&fade.dwTime, &fade.fAlpha, 1.0f, kLoadFadeTime) != 0) return 1;
    if (steps.Resume() == -1) return -1;
    host.SetProcStep(CLT_STEP_LOADED_FADE);
    return 1;
}

// The story ends here: its scene, characters, music and every slot go.
std::int32_t ToTitle(ModeHost& host, CLT_SLC_DATA& screen) {
    GRAPHIC_DATA& fade = host.FadeGraph();
    if (host.FadeInTexFunc(&fade.dwTime, &fade.fAlpha, 1.0f, kTitleFadeTime) != 0) return 1;
    host.ConfigData().Release();
    host.SaveLoadWindowData().Release();
    screen.Release();
    ReleaseStoryScene(host, true);
    if (!LoadOverlayTexture(host, u8"画像のロードに失敗しました")) return -1;
    host.ChangeMode(GAME_MODE_TITLE);
    return 1;
}

}  // namespace

std::int32_t CLT_SLC_DATA::Proc(ModeHost& host) {
    SettingsSteps settings(kSettingsOwner, kSettingsSteps, host);
    SaveLoadSteps saveLoad(kTag, kSaveLoadSteps, host);
    switch (host.GetProcStep()) {
        case CLT_STEP_START:
            return Start(host, *this);
        case CLT_STEP_OPEN_FADE:
            return FadeIn(host, kOpenFadeTime, true);
        case CLT_STEP_MAIN:
            return MainStep(host, *this);
        case CLT_STEP_CHOSEN:
            return Chosen(host, *this);
        case CLT_STEP_SAVE_OPEN:
        case CLT_STEP_LOAD_OPEN:
            return saveLoad.Slide(true);
        case CLT_STEP_SAVE_STANDBY:
        case CLT_STEP_LOAD_STANDBY:
            return StepGoesOn(saveLoad.Standby());
        case CLT_STEP_SAVE_CLOSE:
        case CLT_STEP_LOAD_CLOSE:
            return saveLoad.Slide(false);
        case CLT_STEP_LOAD_FADE:
            return LoadFade(host, saveLoad);
        case CLT_STEP_LOADED_FADE:
            return FadeIn(host, kLoadFadeTime, false);
        case CLT_STEP_CONFIG_OPEN:
            return settings.Slide(true);
        case CLT_STEP_CONFIG_STANDBY:
            return StepGoesOn(settings.Standby());
        case CLT_STEP_CONFIG_CLOSE:
            return settings.Slide(false);
        case CLT_STEP_TO_TITLE_CLOSE:
            return settings.TitleClose();
        case CLT_STEP_TO_TITLE:
            return ToTitle(host, *this);
        default:
            return 1;
    }
}

std::uint32_t CLT_SLC_DATA::DrawProc(ModeHost& host) {
    Draw();
    host.ConfigData().Draw(1);
    host.SaveLoadWindowData().Draw();
    host.DrawOverlay();
    return 1;
}
