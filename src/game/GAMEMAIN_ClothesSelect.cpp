#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowStandby.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::ClothesSelectProc";
constexpr int kOverlayTexture = 0;
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

const GAMEMAIN::SETTINGS_OWNER kSettingsOwner = {
    kTag, 1, u8"コンフィグウィンドウのオープン処理でエラーが発生しました",
    u8"コンフィグ待機中にエラーが発生しました",
    u8"コンフィグウィンドウのクローズ処理でエラーが発生しました"};

struct CLT_INPUT {
    int nX = 0;
    int nY = 0;
    KEY_STATE click = KEY_STATE_UP;
    KEY_STATE right = KEY_STATE_UP;
};

CLT_INPUT ReadInput(const ZKSYSTEM& system) {
    CLT_INPUT input;
    system.GetMousePos(&input.nX, &input.nY);
    input.click = ClickState(system);
    input.right = system.GetVKeyStatus(platform::VK_RBUTTON);
    return input;
}

// Letter keys have their capital's code.
constexpr int VkLetter(char c) { return platform::VK_A + (c - 'A'); }

bool Released(const ZKSYSTEM& system, int nVirtualKey) {
    return system.GetVKeyStatus(nVirtualKey) == KEY_STATE_RELEASED;
}

bool LoadOverlayTexture(const GAMEMAIN& game, const char8_t* szFailed) {
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) != 0) return true;
    platform::LogError(kTag, szFailed);
    return false;
}

std::int32_t OpenSettings(GAMEMAIN& game) {
    game.SettingsOpen();
    game.nProcStep = CLT_STEP_CONFIG_OPEN;
    return 1;
}

std::int32_t OpenSaveLoad(GAMEMAIN& game, std::int32_t nKind) {
    game.SaveLoadWindowData.Initialize(nKind, &game.Context);
    game.nProcStep =
        nKind == SAVE_LOAD_WINDOW_DATA::kKindSave ? CLT_STEP_SAVE_OPEN : CLT_STEP_LOAD_OPEN;
    return 1;
}

// The right button and the keys, then the strip's requests: 0 when none acts.
std::int32_t Openers(GAMEMAIN& game, const CLT_INPUT& input) {
    const ZKSYSTEM& system = *game.pSystem;
    const ShellWords& shell = *game.pShell;
    if (input.right == KEY_STATE_RELEASED && game.nConfigEnableFlg != 0) return OpenSettings(game);
    if (Released(system, VkLetter('S')) && game.nSaveEnableFlg != 0) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindSave);
    }
    if (Released(system, VkLetter('L')) && game.nLoadEnableFlg != 0) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindLoad);
    }
    if (Released(system, VkLetter('C')) && game.nConfigEnableFlg != 0) return OpenSettings(game);
    if (shell.saveRequest != 0 && game.nSaveEnableFlg != 0) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindSave);
    }
    if (shell.loadRequest != 0 && game.nLoadEnableFlg != 0) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindLoad);
    }
    if (shell.configRequest != 0 && game.nConfigEnableFlg != 0) return OpenSettings(game);
    return 0;
}

std::int32_t Start(GAMEMAIN& game) {
    game.MsgWndStatusChange(kMenuMask, 0);
    game.ShowOverlay(1.0f);
    if (!LoadOverlayTexture(game, u8"呼び出したTextureLoadが失敗しました")) return -1;
    if (game.ClothesSelectData.Initialize(&game.Context, game.nClothesFlg) == 0) {
        platform::LogError(kTag, u8"衣装選択クラスの初期化に失敗しました");
        return -1;
    }
    game.nProcStep = CLT_STEP_OPEN_FADE;
    return 1;
}

// The overlay fades away; the screen then takes its openers.
std::int32_t FadeIn(GAMEMAIN& game, std::uint32_t dwFadeTime, bool bGrant) {
    const std::int32_t nFaded = game.OverlayFadeAway(kTag, dwFadeTime);
    if (nFaded != 1) return nFaded;
    if (bGrant) game.MsgWndStatusChange(kMenuMask, 1);
    game.nProcStep = CLT_STEP_MAIN;
    return 1;
}

std::int32_t MainStep(GAMEMAIN& game) {
    const CLT_INPUT input = ReadInput(*game.pSystem);
    if (Openers(game, input) != 0) return 1;
    const std::int32_t nResult = game.ClothesSelectData.ClothesSelectStandby(
        input.nX, input.nY, input.click, game.dwNowTime);
    if (nResult == -1) {
        platform::LogError(kTag, u8"呼び出したCLT_SLC_DATA::ClothesSelectStandbyが失敗しました");
        return -1;
    }
    if (nResult != kCardChosen) return 1;
    game.MsgWndStatusChange(kMenuMask, 0);
    game.ShowOverlay(0.0f);
    if (!LoadOverlayTexture(game, u8"呼び出したTextureLoadが失敗しました")) return -1;
    game.nProcStep = CLT_STEP_CHOSEN;
    return 1;
}

// The chosen costume's scenario opens, the screen goes and the story goes on in it.
std::int32_t Chosen(GAMEMAIN& game) {
    if (game.FadeInTexFunc(&game.dwProcStartTime, &game.FadeGraphData.dwTime,
                           &game.FadeGraphData.fAlpha, 1.0f, kChoiceFadeTime) != 0) {
        return 1;
    }
    CLT_SLC_DATA& screen = game.ClothesSelectData;
    const std::int32_t nPlace = screen.nCursorPos;
    const std::int32_t nClothes =
        nPlace >= 1 && nPlace <= CLT_SLC_DATA::kPlaceCount ? screen.nSortNo[nPlace - 1] : -1;
    if (nClothes < 0 || nClothes >= CLT_SLC_DATA::kClothesCount) {
        platform::LogError(kTag, u8"カーソル位置が異常です");
        return -1;
    }
    const char* szScenario = screen.ClothesData[nClothes].szScenario;
    if (game.ScrOpenResult(kTag, game.ScrFileOpen(szScenario)) != 1) return -1;
    game.nScrSkipEnableFlg =
        game.CheckAutoSkipFileList(szScenario, &game.nScrSkipLine) == 1 ? 1 : 0;
    game.ConfigData.Release();
    game.SaveLoadWindowData.Release();
    screen.Release();
    game.UnloadModeResources();
    if (!LoadOverlayTexture(game, u8"画像のロードに失敗しました")) return -1;
    game.MsgWindowData.Initialize(&game.Context);
    game.ShowOverlay(1.0f);
    game.ChangeMode(GAME_MODE_ADV);
    game.nProcStep = 1;
    return 1;
}

// The save/load screen's slides; the step after an open is its standby.
std::int32_t SlideStep(GAMEMAIN& game, bool bOpen) {
    const std::int32_t nResult = game.SaveLoadSlide(kTag, bOpen);
    if (nResult != 1) return nResult;
    if (bOpen) {
        ++game.nProcStep;
    } else {
        game.SaveLoadWindowData.Release();
        game.nProcStep = CLT_STEP_MAIN;
    }
    return 1;
}

std::int32_t StandbyStep(GAMEMAIN& game) {
    const CLT_INPUT input = ReadInput(*game.pSystem);
    const std::int32_t nResult =
        game.SaveLoadStandby(kTag, input.nX, input.nY, input.click, input.right);
    if (nResult == STANDBY_ACTED) game.nProcStep = CLT_STEP_LOAD_FADE;
    if (nResult == STANDBY_CLOSE) ++game.nProcStep;
    return nResult == -1 ? -1 : 1;
}

// The screen fades to black, then the chosen slot takes its place; the loaded mode
// runs the fade back in.
std::int32_t LoadFade(GAMEMAIN& game) {
    if (game.FadeInTexFunc(&game.dwProcStartTime, &game.FadeGraphData.dwTime,
                           &game.FadeGraphData.fAlpha, 1.0f, kLoadFadeTime) != 0) {
        return 1;
    }
    if (game.SaveLoadResume(kTag) == -1) return -1;
    game.nProcStep = CLT_STEP_LOADED_FADE;
    return 1;
}

std::int32_t SettingsSlideStep(GAMEMAIN& game, bool bOpen) {
    const std::int32_t nResult = game.SettingsSlide(kSettingsOwner, bOpen);
    if (nResult != 1) return nResult;
    game.nProcStep = bOpen ? CLT_STEP_CONFIG_STANDBY : CLT_STEP_MAIN;
    return 1;
}

std::int32_t SettingsStandbyStep(GAMEMAIN& game) {
    const std::int32_t nResult = game.SettingsStandby(kSettingsOwner);
    if (nResult == STANDBY_CLOSE) game.nProcStep = CLT_STEP_CONFIG_CLOSE;
    if (nResult == STANDBY_SPECIAL) game.nProcStep = CLT_STEP_TO_TITLE_CLOSE;
    return nResult == -1 ? -1 : 1;
}

// The confirmed return to the title: the settings close, then the screen fades out.
std::int32_t TitleCloseStep(GAMEMAIN& game) {
    const std::int32_t nResult = game.SettingsSlide(kSettingsOwner, false);
    if (nResult != 1) return nResult;
    if (!LoadOverlayTexture(game, u8"画像のロードに失敗しました")) return -1;
    game.ShowOverlay(0.0f);
    game.nProcStep = CLT_STEP_TO_TITLE;
    return 1;
}

// The story ends here: its scene, characters, music and every slot go.
std::int32_t ToTitle(GAMEMAIN& game) {
    if (game.FadeInTexFunc(&game.dwProcStartTime, &game.FadeGraphData.dwTime,
                           &game.FadeGraphData.fAlpha, 1.0f, kTitleFadeTime) != 0) {
        return 1;
    }
    game.ConfigData.Release();
    game.SaveLoadWindowData.Release();
    game.ClothesSelectData.Release();
    game.BGGraphData1.Release();
    game.BGGraphData2.Release();
    game.PRIM1.Reset();
    game.PRIM2.Reset();
    for (std::int32_t i = 0; game.pCharData && i < game.nCharNum; ++i) game.pCharData[i].Reset(1);
    BGMStop(1, game.pSnd, game.pSystem, *game.pShell);
    VoiceStop(game.pSnd, *game.pShell);
    game.UnloadModeResources();
    if (!LoadOverlayTexture(game, u8"画像のロードに失敗しました")) return -1;
    game.ChangeMode(GAME_MODE_TITLE);
    return 1;
}

}  // namespace

std::int32_t GAMEMAIN::ClothesSelectProc() {
    switch (nProcStep) {
        case CLT_STEP_START:
            return Start(*this);
        case CLT_STEP_OPEN_FADE:
            return FadeIn(*this, kOpenFadeTime, true);
        case CLT_STEP_MAIN:
            return MainStep(*this);
        case CLT_STEP_CHOSEN:
            return Chosen(*this);
        case CLT_STEP_SAVE_OPEN:
        case CLT_STEP_LOAD_OPEN:
            return SlideStep(*this, true);
        case CLT_STEP_SAVE_STANDBY:
        case CLT_STEP_LOAD_STANDBY:
            return StandbyStep(*this);
        case CLT_STEP_SAVE_CLOSE:
        case CLT_STEP_LOAD_CLOSE:
            return SlideStep(*this, false);
        case CLT_STEP_LOAD_FADE:
            return LoadFade(*this);
        case CLT_STEP_LOADED_FADE:
            return FadeIn(*this, kLoadFadeTime, false);
        case CLT_STEP_CONFIG_OPEN:
            return SettingsSlideStep(*this, true);
        case CLT_STEP_CONFIG_STANDBY:
            return SettingsStandbyStep(*this);
        case CLT_STEP_CONFIG_CLOSE:
            return SettingsSlideStep(*this, false);
        case CLT_STEP_TO_TITLE_CLOSE:
            return TitleCloseStep(*this);
        case CLT_STEP_TO_TITLE:
            return ToTitle(*this);
        default:
            return 1;
    }
}

std::uint32_t GAMEMAIN::ClothesSelectDrawProc() {
    ClothesSelectData.Draw();
    ConfigData.Draw(1);
    SaveLoadWindowData.Draw();
    DrawOverlay();
    return 1;
}
