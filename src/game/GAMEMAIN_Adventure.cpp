#include <array>

#include "game/GAMEMAIN.h"
#include "game/ModeHost.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/SETTINGS_OWNER.h"
#include "game/SaveLoadSteps.h"
#include "game/SettingsSteps.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowStandby.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::ADVMainProc";
constexpr const char* kPrologue = "prologue.spt";
constexpr int kOverlayTexture = 0;
constexpr int kEffects[] = {4, 5};
constexpr int kFirstEffectBuffer = 2;
constexpr std::uint32_t kLeaveFadeTime = 1000;
constexpr std::uint32_t kLoadFadeTime = 1000;
constexpr std::uint32_t kStartFadeTime = 1;
// Save, load and settings; with the bar, every permission the story grants.
constexpr std::int32_t kMenuMask = 7;
// The backlog's back and forward buttons on the bar.
constexpr std::int32_t kBackLogButtons = 8 | 16;

enum ADV_STEP : std::int32_t {
    ADV_STEP_NEW_GAME = 0,
    ADV_STEP_EFFECTS = 1,
    ADV_STEP_START_FADE = 2,
    ADV_STEP_MAIN = 3,
    ADV_STEP_SAVE_OPEN = 4,
    ADV_STEP_SAVE_STANDBY = 5,
    ADV_STEP_SAVE_CLOSE = 6,
    ADV_STEP_LOAD_OPEN = 7,
    ADV_STEP_LOAD_STANDBY = 8,
    ADV_STEP_LOAD_CLOSE = 9,
    ADV_STEP_LOAD_FADE = 10,
    ADV_STEP_LOADED_FADE = 11,
    ADV_STEP_CONFIG_OPEN = 12,
    ADV_STEP_CONFIG_STANDBY = 13,
    ADV_STEP_CONFIG_CLOSE = 14,
    ADV_STEP_TO_CLOTHES = 15,
    ADV_STEP_TO_STAFFROLL = 16,
    ADV_STEP_TO_TITLE_CLOSE = 17,
    ADV_STEP_TO_TITLE = 18,
};

constexpr SETTINGS_OWNER kSettingsOwner = StorySettingsOwner(kTag);
constexpr SettingsSteps::STEPS kSettingsSteps = {ADV_STEP_CONFIG_OPEN,    ADV_STEP_CONFIG_STANDBY,
                                                 ADV_STEP_CONFIG_CLOSE,   ADV_STEP_MAIN,
                                                 ADV_STEP_TO_TITLE_CLOSE, ADV_STEP_TO_TITLE};
constexpr SaveLoadSteps::STEPS kSaveLoadSteps = {ADV_STEP_SAVE_OPEN, ADV_STEP_LOAD_OPEN,
                                                 ADV_STEP_MAIN, ADV_STEP_LOAD_FADE};

// The settings screen opens over the story; the bar stays out of use meanwhile.
std::int32_t OpenSettings(GAMEMAIN& game) {
    game.MsgWindowData.nBarUseFlg = 1;
    ModeHost host(game);
    SettingsSteps(kSettingsOwner, kSettingsSteps, host).Open();
    return 1;
}

// The save or load screen opens over the story; the bar stays out of use meanwhile.
std::int32_t OpenSaveLoad(GAMEMAIN& game, std::int32_t nKind) {
    game.MsgWindowData.nBarUseFlg = 1;
    ModeHost host(game);
    SaveLoadSteps(kTag, kSaveLoadSteps, host).Open(nKind);
    return 1;
}

// A save needs the choice window at rest: while it closes, the chosen branch lives
// only in the window and no slot could keep it.
bool MaySave(const GAMEMAIN& game) {
    return game.nSaveEnableFlg != 0 && game.SelectWindowData.nSelect == -1;
}

// The keys and the right button that open a screen: 0 when none acts this frame.
std::int32_t KeyTriggers(GAMEMAIN& game, const ZKSYSTEM& system, const POINTER_INPUT& input) {
    if (input.right == KEY_STATE_RELEASED && game.nConfigEnableFlg != 0) return OpenSettings(game);
    if (Released(system, VkLetter('S')) && MaySave(game)) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindSave);
    }
    if (Released(system, VkLetter('L')) && game.nLoadEnableFlg != 0) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindLoad);
    }
    if (Released(system, VkLetter('C')) && game.nConfigEnableFlg != 0) return OpenSettings(game);
    return 0;
}

// The strip's requests of this frame: 0 when none acts.
std::int32_t MenuTriggers(GAMEMAIN& game) {
    const ShellWords& shell = *game.pShell;
    if (shell.saveRequest != 0 && MaySave(game)) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindSave);
    }
    if (shell.loadRequest != 0 && game.nLoadEnableFlg != 0) {
        return OpenSaveLoad(game, SAVE_LOAD_WINDOW_DATA::kKindLoad);
    }
    if (shell.configRequest != 0 && game.nConfigEnableFlg != 0) return OpenSettings(game);
    return 0;
}

void RunWindows(GAMEMAIN& game, const POINTER_INPUT& input) {
    if (game.nMsgWndDispFlg == 0) return;
    if (game.MsgWindowData.WindowStandby(input.nX, input.nY, input.click, game.dwNowTime) ==
        STANDBY_SPECIAL) {
        game.nMsgWndDispFlg = 0;
    }
    const std::uint32_t nChoose = game.MsgWindowData.nBackLogNo == -1 ? 1 : 0;
    game.SelectWindowData.WindowStandby(input.nX, input.nY, input.click, game.dwNowTime, nChoose);
}

void ReleaseWindows(GAMEMAIN& game) {
    game.ConfigData.Release();
    game.MsgWindowData.Release();
    game.SelectWindowData.Release();
    game.SaveLoadWindowData.Release();
    game.DayWindowData.Release();
}

// Everything the story loaded goes; only the overlay's black stays, for the next mode.
// Only the costume select keeps the music and the characters' progress.
void ReleaseStory(GAMEMAIN& game, std::int32_t nNextMode) {
    const bool bKeepMusic = nNextMode == GAME_MODE_CLOTHES_SELECT;
    if (nNextMode == GAME_MODE_TITLE) {
        ReleaseWindows(game);
        game.ReleaseScriptScene(1);
    } else {
        game.ReleaseScriptScene(bKeepMusic ? 0 : 1);
        ReleaseWindows(game);
    }
    if (nNextMode == GAME_MODE_STAFFROLL) {
        game.dwMsgTextWork[0] = 0;
        game.dwMsgTextWork[1] = 0;
    }
    if (!bKeepMusic) BGMStop(1, game.pSnd, game.pSystem, *game.pShell);
    VoiceStop(game.pSnd, *game.pShell);
    game.UnloadModeResources();
}

std::int32_t NewGame(GAMEMAIN& game) {
    for (std::int32_t& place : game.ClothesSelectData.nSortNo) place = -1;
    game.MsgWndStatusChange(kMenuMask, 0);
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) == 0) {
        platform::LogError(kTag, u8"呼び出したTextureLoadが失敗しました");
        return -1;
    }
    game.ShowOverlay(1.0f);
    game.MsgWindowData.Initialize(&game.Context);
    if (game.ScrOpenResult(kTag, game.ScrFileOpen(kPrologue)) != 1) return -1;
    game.nScrSkipEnableFlg = game.CheckAutoSkipFileList(kPrologue, &game.nScrSkipLine) == 1 ? 1 : 0;
    game.BGDataClear();
    game.MsgWindowData.ButtonDisable(kBackLogButtons);
    game.szBGMName[0] = '\0';
    game.bStoryEffectsReported = false;
    game.nProcStep = ADV_STEP_EFFECTS;
    return 1;
}

std::int32_t LoadEffects(GAMEMAIN& game) {
    if (!game.LoadStoryEffects(kTag, kEffects)) return 0;
    game.nProcStep = ADV_STEP_START_FADE;
    return 1;
}

// The overlay fades away; a new story then grants save, load and settings.
std::int32_t FadeIn(GAMEMAIN& game, std::uint32_t dwFadeTime, bool bGrant) {
    const std::int32_t nFaded = game.OverlayFadeAway(kTag, dwFadeTime);
    if (nFaded != 1) return nFaded;
    if (bGrant) {
        game.MsgWndStatusChange(kMenuMask, 1);
        game.nSaveEnableFlg = 1;
        game.nLoadEnableFlg = 1;
        game.nConfigEnableFlg = 1;
        game.nHelpEnableFlg = 1;
    }
    game.nProcStep = ADV_STEP_MAIN;
    return 1;
}

// The script that asked to leave counts as read to its end; the screen then fades out.
std::int32_t LeaveRequested(GAMEMAIN& game, std::int32_t nStep) {
    game.AddAutoSkipFileList(game.ScrFileData.szFileName, -1);
    game.MsgWndStatusChange(kMenuMask, 0);
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) == 0) {
        platform::LogError(kTag, u8"呼び出したTextureLoadが失敗しました");
        return -1;
    }
    game.ShowOverlay(0.0f);
    game.nProcStep = nStep;
    return 1;
}

std::int32_t MainLoop(GAMEMAIN& game) {
    const POINTER_INPUT input = ReadPointerInput(*game.pSystem);
    if (game.nMsgWndDispFlg == 0 && input.click == KEY_STATE_RELEASED) {
        game.nMsgWndDispFlg = 1;
        return 1;
    }
    if (game.ClickCancelsSkip(input.click, true)) {
        game.MsgWindowData.nSkipFlg = 0;
        game.MsgWindowData.nButtonState[MSG_BUTTON_SKIP] = MSG_WINDOW_DATA::kButtonNormal;
        return 1;
    }
    if (Released(*game.pSystem, platform::VK_SPACE))
        game.nMsgWndDispFlg = game.nMsgWndDispFlg == 0 ? 1 : 0;
    if (const std::int32_t opened = KeyTriggers(game, *game.pSystem, input); opened != 0)
        return opened;
    game.ADVKeyCursorMove();
    if (game.ScrMain() == -1) {
        platform::LogError(kTag, u8"スクリプトの実行に失敗しました");
        return -1;
    }
    RunWindows(game, input);
    if (const std::int32_t opened = MenuTriggers(game); opened != 0) return opened;
    if (game.ScrFileData.nGoToClothesFlg != 0) return LeaveRequested(game, ADV_STEP_TO_CLOTHES);
    if (game.ScrFileData.nEndScriptFlg != 0) return LeaveRequested(game, ADV_STEP_TO_STAFFROLL);
    game.StoryAnimate();
    return 1;
}

std::int32_t Leave(GAMEMAIN& game, std::int32_t nNextMode) {
    if (game.FadeInTexFunc(&game.dwProcStartTime, &game.FadeGraphData.dwTime,
                           &game.FadeGraphData.fAlpha, 1.0f, kLeaveFadeTime) != 0) {
        return 1;
    }
    ReleaseStory(game, nNextMode);
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) == 0) {
        platform::LogError(kTag, u8"画像のロードに失敗しました");
        return -1;
    }
    game.ChangeMode(nNextMode);
    return 1;
}

// The screen fades to black, then the chosen slot takes the story's place.
std::int32_t LoadFade(GAMEMAIN& game, SaveLoadSteps& steps) {
    if (game.FadeInTexFunc(&game.dwProcStartTime, &game.FadeGraphData.dwTime,
                           &game.FadeGraphData.fAlpha, 1.0f, kLoadFadeTime) != 0) {
        return 1;
    }
    if (steps.Resume() == -1) return -1;
    game.nProcStep = ADV_STEP_LOADED_FADE;
    return 1;
}

}  // namespace

void GAMEMAIN::UnloadModeResources() {
    for (int i = 0; i < kSurfaceSlots; ++i) SurfaceUnload(pSprite, pSystem, i);
    for (int i = 0; i < kTextureSlots; ++i) TextureUnload(pSprite, pSystem, i);
    for (int i = kFirstEffectBuffer; i < kWaveSlots; ++i) SEUnload(pSnd, pSystem, i, *pShell);
}

// A missing effect is retried every frame but told once, not sixty times a second.
bool GAMEMAIN::LoadStoryEffects(const char* szTag, std::span<const int> nEffects) {
    bool bLoaded = true;
    for (const int effect : nEffects) {
        bLoaded = SELoad(pSnd, pSystem, effect, nullptr, *pShell) == 1 && bLoaded;
    }
    if (bLoaded) {
        bStoryEffectsReported = false;
        return true;
    }
    if (!bStoryEffectsReported) platform::LogError(szTag, u8"SEのロードに失敗しました");
    bStoryEffectsReported = true;
    return false;
}

// The skip toggle stops at a click while the script stands inside text already read.
bool GAMEMAIN::ClickCancelsSkip(std::int32_t nClick, bool bBarTest) const {
    const MSG_WINDOW_DATA& window = MsgWindowData;
    const bool bInsideRead = nScrSkipLine == -1 || nScrSkipLine > ScrFileData.nLine;
    return nMsgWndDispFlg != 0 && nClick == KEY_STATE_RELEASED &&
           SelectWindowData.SlcWnd[0].nDispFlg == 0 &&
           window.nButtonState[MSG_BUTTON_SKIP] != MSG_WINDOW_DATA::kButtonDisable &&
           (!bBarTest || window.nBarUseFlg == 0) && window.nSkipFlg != 0 &&
           nScrSkipEnableFlg == 1 && bInsideRead;
}

void GAMEMAIN::ReleaseScriptScene(std::int32_t nCharReset) {
    ScrFileData.Release();
    BGGraphData1.Release();
    BGGraphData2.Release();
    BGDataClear();
    PRIM1.Reset();
    PRIM2.Reset();
    for (std::int32_t i = 0; pCharData && i < nCharNum; ++i) pCharData[i].Reset(nCharReset);
}

void GAMEMAIN::StoryAnimate() {
    for (std::int32_t i = 0; i < nCharNum; ++i) {
        if (pCharData[i].nDispFlg != 0) pCharData[i].Animation(dwNowTime);
    }
    for (GRAPHIC_DATA_EX* layer : {&PRIM2, &PRIM1}) {
        if (layer->nDispFlg != 0) layer->AnimationProc(dwNowTime);
    }
}

std::int32_t GAMEMAIN::ADVMainProc() {
    ModeHost host(*this);
    SettingsSteps settings(kSettingsOwner, kSettingsSteps, host);
    SaveLoadSteps saveLoad(kTag, kSaveLoadSteps, host);
    switch (nProcStep) {
        case ADV_STEP_NEW_GAME:
            return NewGame(*this);
        case ADV_STEP_EFFECTS:
            return LoadEffects(*this);
        case ADV_STEP_START_FADE:
            return FadeIn(*this, kStartFadeTime, true);
        case ADV_STEP_MAIN:
            return MainLoop(*this);
        case ADV_STEP_SAVE_OPEN:
        case ADV_STEP_LOAD_OPEN:
            return saveLoad.Slide(true);
        case ADV_STEP_SAVE_STANDBY:
        case ADV_STEP_LOAD_STANDBY:
            return StepGoesOn(saveLoad.Standby());
        case ADV_STEP_SAVE_CLOSE:
        case ADV_STEP_LOAD_CLOSE:
            return saveLoad.Slide(false);
        case ADV_STEP_LOAD_FADE:
            return LoadFade(*this, saveLoad);
        case ADV_STEP_LOADED_FADE:
            return FadeIn(*this, kLoadFadeTime, false);
        case ADV_STEP_CONFIG_OPEN:
            return settings.Slide(true);
        case ADV_STEP_CONFIG_STANDBY:
            return StepGoesOn(settings.Standby());
        case ADV_STEP_CONFIG_CLOSE:
            return settings.Slide(false);
        case ADV_STEP_TO_CLOTHES:
            return Leave(*this, GAME_MODE_CLOTHES_SELECT);
        case ADV_STEP_TO_STAFFROLL:
            return Leave(*this, GAME_MODE_STAFFROLL);
        case ADV_STEP_TO_TITLE_CLOSE:
            return settings.TitleClose();
        case ADV_STEP_TO_TITLE:
            return Leave(*this, GAME_MODE_TITLE);
        default:
            return 1;
    }
}
