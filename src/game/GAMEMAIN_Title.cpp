#include "game/GAMEMAIN.h"
#include "game/GameHost.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowStandby.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::TitleProc";
constexpr const char* kTitleMusic = "bgm19.mus";
constexpr int kOverlayTexture = 0;
constexpr int kIntroTexture1 = 3;
constexpr int kIntroTexture2 = 4;
constexpr int kItemTexture = 5;
constexpr int kMenuBackSurface = 11;
constexpr int kItemSurface = 12;
constexpr int kEffects[] = {2, 4, 5, 6};
constexpr int kEffectHover = 4;
constexpr int kEffectNewGame = 2;
constexpr int kEffectWindow = 5;
constexpr int kEffectExtras = 6;
constexpr std::uint32_t kDefaultKeyColor = 0xFFFFFFFFu;
constexpr std::uint32_t kIntroFadeTime = 1000;
constexpr std::uint32_t kItemFadeTime = 500;
constexpr std::uint32_t kLeaveFadeTime = 1000;
constexpr std::uint32_t kLoadFadeTime = 1000;
constexpr std::uint32_t kAttractFadeTime = 4000;
constexpr std::uint32_t kIdleTime = 141000;
// The attract hands over to its fade-out from this frame of the moon on.
constexpr std::uint32_t kAttractLeaveFrame = 10;
constexpr std::uint32_t kKindTexture = 0;
constexpr std::uint32_t kKindSurface = 1;
constexpr std::int32_t kMaskGranted = 14;
constexpr std::int32_t kMaskSave = 1;

// Intro pictures, drawn from the last to the first.
constexpr int kPictureFirst = 0;
constexpr int kPictureSecond = 1;
constexpr int kPictureMenuBack = 2;

enum TITLE_STEP : std::int32_t {
    TITLE_STEP_START = 0,
    TITLE_STEP_FIRST_PICTURE = 1,
    TITLE_STEP_SECOND_PICTURE = 2,
    TITLE_STEP_MENU_BACK = 3,
    TITLE_STEP_FIRST_ITEM = 4,
    TITLE_STEP_LAST_ITEM = 8,
    TITLE_STEP_SKIP = 9,
    TITLE_STEP_MENU = 10,
    TITLE_STEP_NEW_GAME = 11,
    TITLE_STEP_EXTRAS = 12,
    TITLE_STEP_LOAD_OPEN = 13,
    TITLE_STEP_LOAD_STANDBY = 14,
    TITLE_STEP_LOAD_CLOSE = 15,
    TITLE_STEP_LOAD = 16,
    TITLE_STEP_CONFIG_OPEN = 17,
    TITLE_STEP_CONFIG_STANDBY = 18,
    TITLE_STEP_CONFIG_CLOSE = 19,
    TITLE_STEP_EXIT = 20,
    TITLE_STEP_ATTRACT = 21,
    TITLE_STEP_ATTRACT_FADE = 22,
};

// The step a loaded slot's mode goes on from: its fade in after a load.
constexpr std::int32_t kLoadedStep = 11;

const GAMEMAIN::SETTINGS_OWNER kSettingsOwner = {
    kTag, 0, u8"コンフィグウィンドウのオープン処理でエラーが発生しました",
    u8"コンフィグ待機中にエラーが発生しました", u8"クローズ処理でエラーが発生しました"};

// Letter keys have their capital's code.
constexpr int VkLetter(char c) { return platform::VK_A + (c - 'A'); }

bool Released(const ZKSYSTEM& system, int nVirtualKey) {
    return system.GetVKeyStatus(nVirtualKey) == KEY_STATE_RELEASED;
}

std::int32_t Failed(const char8_t* szText) {
    platform::LogError(kTag, szText);
    return -1;
}

// The intro gives way to the finished menu when a click or Return is released, or
// while Ctrl is down.
bool SkipAsked(const ZKSYSTEM& system) {
    const KEY_STATE ctrl = system.GetVKeyStatus(platform::VK_CONTROL);
    return Clicked(system) || ctrl == KEY_STATE_HELD || ctrl == KEY_STATE_PRESSED;
}

void ShowTexture(GRAPHIC_DATA& picture, int nTexture) {
    picture.nIndex = nTexture;
    picture.nGKind = kKindTexture;
    picture.nDispFlg = 1;
    picture.fScaleX = 1.0f;
    picture.fScaleY = 1.0f;
}

void ShowSurface(GRAPHIC_DATA& picture, int nSurface) {
    picture.nIndex = nSurface;
    picture.nGKind = kKindSurface;
    picture.nDispFlg = 1;
}

void ResetPicture(GRAPHIC_DATA& picture) { picture.Initialize(nullptr, nullptr); }

std::int32_t Start(GAMEMAIN& game) {
    game.MsgWndStatusChange(kMaskGranted, 1);
    game.MsgWndStatusChange(kMaskSave, 0);
    TITLE_DATA& title = game.TitleData;
    title.Initialize(game.pSystem);
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    game.ShowOverlay(1.0f);
    if (TextureLoad(game.pSprite, game.pSystem, kIntroTexture1, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    ShowTexture(title.IntroGraphic[kPictureFirst], kIntroTexture1);
    title.IntroGraphic[kPictureFirst].fAlpha = 1.0f;
    for (const int effect : kEffects) {
        if (SELoad(game.pSnd, game.pSystem, effect, nullptr, *game.pShell) == 0) {
            return Failed(u8"SEのロードに失敗しました");
        }
    }
    if (BGMPlay(kTitleMusic, game.pSnd, game.pSystem, *game.pShell) == 0) {
        platform::LogError(kTag, u8"BGMの再生に失敗しました");
    }
    title.dwIdleStart = game.dwNowTime;
    game.SaveLoadWindowData.Release();
    game.ConfigData.Release();
    game.nProcStep = TITLE_STEP_FIRST_PICTURE;
    return 0;
}

// A fade of one picture's alpha from the step's start: true while it runs.
bool Fading(GAMEMAIN& game, GRAPHIC_DATA& picture, float fTarget, std::uint32_t dwTime) {
    if (fTarget == 0.0f) {
        return game.FadeOutTexFunc(&game.dwProcStartTime, &picture.dwTime, &picture.fAlpha, fTarget,
                                   dwTime) != 0;
    }
    return game.FadeInTexFunc(&game.dwProcStartTime, &picture.dwTime, &picture.fAlpha, fTarget,
                              dwTime) != 0;
}

void NextStep(GAMEMAIN& game, std::int32_t nStep) {
    game.dwProcStartTime = game.dwNowTime;
    game.nProcStep = nStep;
}

std::int32_t FirstPicture(GAMEMAIN& game) {
    if (Fading(game, game.FadeGraphData, 0.0f, kIntroFadeTime)) return 0;
    if (TextureUnload(game.pSprite, game.pSystem, game.FadeGraphData.nIndex) == 0) {
        return Failed(u8"呼び出したTextureUnloadが失敗しました");
    }
    game.FadeGraphData.Initialize(game.pSprite, game.pSystem);
    ShowTexture(game.TitleData.IntroGraphic[kPictureSecond], kIntroTexture2);
    if (TextureLoad(game.pSprite, game.pSystem, kIntroTexture2, 0, 0) == 0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    NextStep(game, TITLE_STEP_SECOND_PICTURE);
    return 0;
}

bool LoadMenuBack(GAMEMAIN& game) {
    ShowSurface(game.TitleData.IntroGraphic[kPictureMenuBack], kMenuBackSurface);
    return SurfaceLoad(game.pSprite, game.pSystem, kMenuBackSurface, 0, kDefaultKeyColor) != 0;
}

std::int32_t SecondPicture(GAMEMAIN& game) {
    GRAPHIC_DATA& first = game.TitleData.IntroGraphic[kPictureFirst];
    if (Fading(game, first, 0.0f, kIntroFadeTime)) return 0;
    TextureUnload(game.pSprite, game.pSystem, kIntroTexture1);
    ResetPicture(first);
    if (!LoadMenuBack(game)) return Failed(u8"呼び出したSurfaceLoadが失敗しました");
    NextStep(game, TITLE_STEP_MENU_BACK);
    return 0;
}

// The items as the intro fades them in: the texture sheet, invisible yet.
void PlaceItems(TITLE_DATA& title, int nSlot, std::uint32_t nKind, float fAlpha) {
    for (std::int32_t item = 1; item <= TITLE_DATA::kItemCount; ++item) {
        GRAPHIC_DATA& picture = title.ItemGraphic[item - 1];
        ShowTexture(picture, nSlot);
        picture.nGKind = nKind;
        picture.dwFlag = 1;
        picture.fAlpha = fAlpha;
        picture.nX = TITLE_DATA::ItemRect(item).left;
        picture.nY = TITLE_DATA::ItemRect(item).top;
    }
}

std::int32_t MenuBack(GAMEMAIN& game) {
    GRAPHIC_DATA& second = game.TitleData.IntroGraphic[kPictureSecond];
    if (Fading(game, second, 0.0f, kIntroFadeTime)) return 0;
    TextureUnload(game.pSprite, game.pSystem, kIntroTexture2);
    ResetPicture(second);
    PlaceItems(game.TitleData, kItemTexture, kKindTexture, 0.0f);
    if (TextureLoad(game.pSprite, game.pSystem, kItemTexture, 1, kDefaultKeyColor) == 0 ||
        SurfaceLoad(game.pSprite, game.pSystem, kItemSurface, 1, kDefaultKeyColor) == 0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    NextStep(game, TITLE_STEP_FIRST_ITEM);
    return 0;
}

// Item (step - 3) fades in; once faded it is drawn from the surface sheet.
std::int32_t ItemFade(GAMEMAIN& game) {
    GRAPHIC_DATA& item = game.TitleData.ItemGraphic[game.nProcStep - TITLE_STEP_FIRST_ITEM];
    if (Fading(game, item, 1.0f, kItemFadeTime)) return 0;
    item.fAlpha = 1.0f;
    item.nGKind = kKindSurface;
    item.nIndex = kItemSurface;
    if (game.nProcStep != TITLE_STEP_LAST_ITEM) {
        NextStep(game, game.nProcStep + 1);
        return 0;
    }
    TextureUnload(game.pSprite, game.pSystem, kItemTexture);
    game.TitleData.dwIdleStart = game.dwNowTime;
    NextStep(game, TITLE_STEP_MENU);
    return 0;
}

// The finished menu at once, whatever the intro had reached.
std::int32_t Skip(GAMEMAIN& game) {
    TITLE_DATA& title = game.TitleData;
    title.dwIdleStart = game.dwNowTime;
    for (const int texture : {kOverlayTexture, kIntroTexture1, kIntroTexture2, kItemTexture}) {
        TextureUnload(game.pSprite, game.pSystem, texture);
    }
    game.FadeGraphData.Initialize(game.pSprite, game.pSystem);
    ResetPicture(title.IntroGraphic[kPictureFirst]);
    ResetPicture(title.IntroGraphic[kPictureSecond]);
    if (!LoadMenuBack(game)) return Failed(u8"呼び出したSurfaceLoadが失敗しました");
    PlaceItems(title, kItemSurface, kKindSurface, 1.0f);
    if (SurfaceLoad(game.pSprite, game.pSystem, kItemSurface, 1, kDefaultKeyColor) == 0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    NextStep(game, TITLE_STEP_MENU);
    return 0;
}

// The load screen or the settings over the menu; the opener's step is done.
bool Open(GAMEMAIN& game, std::int32_t nStep) {
    if (nStep == TITLE_STEP_LOAD_OPEN) {
        game.SaveLoadWindowData.Initialize(SAVE_LOAD_WINDOW_DATA::kKindLoad, &game.Context);
    } else {
        game.SettingsOpen();
    }
    game.nProcStep = nStep;
    return true;
}

// The right button, 'L' and 'C', each while its screen is allowed.
bool KeyOpeners(GAMEMAIN& game) {
    const ZKSYSTEM& system = *game.pSystem;
    const bool bConfig = game.nConfigEnableFlg != 0;
    if (Released(system, platform::VK_RBUTTON) && bConfig) {
        return Open(game, TITLE_STEP_CONFIG_OPEN);
    }
    if (Released(system, VkLetter('L')) && game.nLoadEnableFlg != 0) {
        return Open(game, TITLE_STEP_LOAD_OPEN);
    }
    if (Released(system, VkLetter('C')) && bConfig) return Open(game, TITLE_STEP_CONFIG_OPEN);
    return false;
}

// The strip's Load and Settings, each while allowed; its Save has nothing to save here.
bool MenuOpeners(GAMEMAIN& game) {
    const ShellWords& shell = *game.pShell;
    if (shell.loadRequest != 0 && game.nLoadEnableFlg != 0) {
        return Open(game, TITLE_STEP_LOAD_OPEN);
    }
    if (shell.configRequest != 0 && game.nConfigEnableFlg != 0) {
        return Open(game, TITLE_STEP_CONFIG_OPEN);
    }
    return false;
}

void PlayEffect(GAMEMAIN& game, int nEffect) {
    SEPlay(nEffect, 0, game.pSnd, game.pSystem, *game.pShell);
}

std::int32_t Choose(GAMEMAIN& game) {
    game.ShowOverlay(0.0f);
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    switch (game.TitleData.nSelectItem) {
        case 1:
            PlayEffect(game, kEffectNewGame);
            game.nProcStep = TITLE_STEP_NEW_GAME;
            return 0;
        case 2:
            PlayEffect(game, kEffectWindow);
            Open(game, TITLE_STEP_LOAD_OPEN);
            return 0;
        case 3:
            PlayEffect(game, kEffectWindow);
            Open(game, TITLE_STEP_CONFIG_OPEN);
            return 0;
        case 4:
            PlayEffect(game, kEffectExtras);
            game.nProcStep = TITLE_STEP_EXTRAS;
            return 0;
        default:
            game.nProcStep = TITLE_STEP_EXIT;
            return 0;
    }
}

// The moon rises when the menu has waited its full time, however the pointer moved.
std::int32_t Attract(GAMEMAIN& game) {
    TITLE_DATA& title = game.TitleData;
    if (game.dwNowTime - title.dwIdleStart < kIdleTime) return 0;
    game.ShowOverlay(0.0f);
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) == 0 ||
        SurfaceLoad(game.pSprite, game.pSystem, TITLE_DATA::kAttractSurface, 0, kDefaultKeyColor) ==
            0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    title.AttractSet();
    title.dwIdleStart = game.dwNowTime;
    game.nProcStep = TITLE_STEP_ATTRACT;
    return 0;
}

// One action a frame: the keys, then the items and the strip, then the idle wait.
std::int32_t Menu(GAMEMAIN& game) {
    const ZKSYSTEM& system = *game.pSystem;
    if (KeyOpeners(game)) return 0;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    system.GetMousePos(&nX, &nY);
    const std::uint32_t result = game.TitleData.TitleStandby(nX, nY, ClickState(system));
    if (result == TITLE_DATA::kStandbyMoved) PlayEffect(game, kEffectHover);
    if (result == TITLE_DATA::kStandbyChosen) return Choose(game);
    if (result == TITLE_DATA::kStandbyNone && MenuOpeners(game)) return 0;
    return Attract(game);
}

// Every picture and effect the title loaded goes, and its music; only the overlay's
// black stays, for the next mode.
std::int32_t Leave(GAMEMAIN& game, std::uint32_t dwFadeTime, std::int32_t nNextMode) {
    if (Fading(game, game.FadeGraphData, 1.0f, dwFadeTime)) return 0;
    game.UnloadModeResources();
    if (TextureLoad(game.pSprite, game.pSystem, kOverlayTexture, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    BGMStop(1, game.pSnd, game.pSystem, *game.pShell);
    game.TitleData.Clear();
    game.ChangeMode(nNextMode);
    return 0;
}

void BackToMenu(GAMEMAIN& game) {
    game.TitleData.dwIdleStart = game.dwNowTime;
    game.nProcStep = TITLE_STEP_MENU;
}

std::int32_t LoadSlide(GAMEMAIN& game, bool bOpen) {
    const std::int32_t nResult = game.SaveLoadSlide(kTag, bOpen);
    if (nResult != 1) return nResult;
    if (bOpen) {
        game.nProcStep = TITLE_STEP_LOAD_STANDBY;
    } else {
        game.SaveLoadWindowData.Release();
        BackToMenu(game);
    }
    return 0;
}

std::int32_t LoadStandby(GAMEMAIN& game) {
    const ZKSYSTEM& system = *game.pSystem;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    system.GetMousePos(&nX, &nY);
    const std::int32_t nResult = game.SaveLoadStandby(kTag, nX, nY, ClickState(system),
                                                      system.GetVKeyStatus(platform::VK_RBUTTON));
    if (nResult == STANDBY_ACTED) game.nProcStep = TITLE_STEP_LOAD;
    if (nResult == STANDBY_CLOSE) game.nProcStep = TITLE_STEP_LOAD_CLOSE;
    return nResult == -1 ? -1 : 0;
}

// The screen fades to black; the slot then takes the title's place and its own mode
// goes on from its fade in.
std::int32_t Load(GAMEMAIN& game) {
    if (Fading(game, game.FadeGraphData, 1.0f, kLoadFadeTime)) return 0;
    if (game.SaveLoadResume(kTag) == -1) return -1;
    game.TitleData.Clear();
    game.nOldMode = game.nMode;
    game.nProcStep = kLoadedStep;
    return 0;
}

std::int32_t SettingsSlideStep(GAMEMAIN& game, bool bOpen) {
    const std::int32_t nResult = game.SettingsSlide(kSettingsOwner, bOpen);
    if (nResult != 1) return nResult;
    if (bOpen) {
        game.nProcStep = TITLE_STEP_CONFIG_STANDBY;
    } else {
        BackToMenu(game);
    }
    return 0;
}

std::int32_t SettingsStandbyStep(GAMEMAIN& game) {
    const std::int32_t nResult = game.SettingsStandby(kSettingsOwner);
    if (nResult == STANDBY_CLOSE) game.nProcStep = TITLE_STEP_CONFIG_CLOSE;
    return nResult == -1 ? -1 : 0;
}

// The shell asks whether to quit; on yes it only posts the quit, so this frame ends
// on live objects and the menu stands again on no.
std::int32_t Exit(GAMEMAIN& game) {
    game.pHost->SendDestroyMessage();
    BackToMenu(game);
    return 0;
}

std::int32_t AttractStep(GAMEMAIN& game) {
    GRAPHIC_DATA_EX& moon = game.TitleData.AttractGraphic;
    moon.AnimationProc(game.dwNowTime);
    if (moon.AnimData.nAnimNo >= kAttractLeaveFrame) NextStep(game, TITLE_STEP_ATTRACT_FADE);
    return 0;
}

std::int32_t AttractFade(GAMEMAIN& game) {
    game.TitleData.AttractGraphic.AnimationProc(game.dwNowTime);
    return Leave(game, kAttractFadeTime, GAME_MODE_LOGO);
}

std::int32_t Intro(GAMEMAIN& game) {
    switch (game.nProcStep) {
        case TITLE_STEP_FIRST_PICTURE:
            return FirstPicture(game);
        case TITLE_STEP_SECOND_PICTURE:
            return SecondPicture(game);
        case TITLE_STEP_MENU_BACK:
            return MenuBack(game);
        default:
            return ItemFade(game);
    }
}

}  // namespace

std::int32_t GAMEMAIN::TitleProc() {
    if (nProcStep > TITLE_STEP_START && nProcStep <= TITLE_STEP_LAST_ITEM) {
        return SkipAsked(*pSystem) ? Skip(*this) : Intro(*this);
    }
    switch (nProcStep) {
        case TITLE_STEP_START:
            return Start(*this);
        case TITLE_STEP_SKIP:
            return Skip(*this);
        case TITLE_STEP_MENU:
            return Menu(*this);
        case TITLE_STEP_NEW_GAME:
            return Leave(*this, kLeaveFadeTime, GAME_MODE_ADV);
        case TITLE_STEP_EXTRAS:
            return Leave(*this, kLeaveFadeTime, GAME_MODE_SPECIAL);
        case TITLE_STEP_LOAD_OPEN:
        case TITLE_STEP_LOAD_CLOSE:
            return LoadSlide(*this, nProcStep == TITLE_STEP_LOAD_OPEN);
        case TITLE_STEP_LOAD_STANDBY:
            return LoadStandby(*this);
        case TITLE_STEP_LOAD:
            return Load(*this);
        case TITLE_STEP_CONFIG_OPEN:
        case TITLE_STEP_CONFIG_CLOSE:
            return SettingsSlideStep(*this, nProcStep == TITLE_STEP_CONFIG_OPEN);
        case TITLE_STEP_CONFIG_STANDBY:
            return SettingsStandbyStep(*this);
        case TITLE_STEP_EXIT:
            return Exit(*this);
        case TITLE_STEP_ATTRACT:
            return AttractStep(*this);
        case TITLE_STEP_ATTRACT_FADE:
            return AttractFade(*this);
        default:
            return 0;
    }
}

// Pictures are textures while they fade and surfaces once they stand.
std::uint32_t GAMEMAIN::TitleDrawProc() {
    const TITLE_DATA& title = TitleData;
    for (const int picture : {kPictureMenuBack, kPictureSecond, kPictureFirst}) {
        const GRAPHIC_DATA& intro = title.IntroGraphic[picture];
        if (intro.nDispFlg == 0) continue;
        if (intro.nGKind == kKindSurface) {
            pSprite->DDBlt(intro.nIndex, intro.nX, intro.nY, static_cast<int>(intro.dwFlag));
        } else {
            pSprite->D3DXSpriteDrawEffectTL(intro.nIndex, static_cast<float>(intro.nX),
                                            static_cast<float>(intro.nY),
                                            static_cast<int>(intro.dwFlag), nullptr, intro.fAlpha,
                                            intro.fScaleX, intro.fScaleY, 0.0f, 0);
        }
    }
    for (std::int32_t item = 1; item <= TITLE_DATA::kItemCount; ++item) {
        const GRAPHIC_DATA& picture = title.ItemGraphic[item - 1];
        if (picture.nDispFlg == 0) continue;
        const platform::Rect cell = TITLE_DATA::ItemCell(item, title.nItemState[item - 1]);
        const int key = static_cast<int>(picture.dwFlag);
        if (picture.nGKind == kKindSurface) {
            pSprite->DDBltRange(picture.nIndex, picture.nX, picture.nY, cell.left, cell.top,
                                cell.right, cell.bottom, key);
        } else if (picture.fAlpha > 0.0f) {
            pSprite->D3DXSpriteDrawTL(picture.nIndex, static_cast<float>(picture.nX),
                                      static_cast<float>(picture.nY), key, &cell, picture.fAlpha,
                                      picture.fScaleX, 0.0f, 0);
        }
    }
    const GRAPHIC_DATA_EX& moon = title.AttractGraphic;
    if (moon.nDispFlg != 0 && moon.AnimData.nAnimNo < moon.nAnimNum) {
        const platform::Rect& cell = moon.prcAnim[moon.AnimData.nAnimNo];
        pSprite->DDBltRange(moon.nIndex, moon.nX, moon.nY, cell.left, cell.top, cell.right,
                            cell.bottom, static_cast<int>(moon.dwFlag));
    }
    ConfigData.Draw(0);
    SaveLoadWindowData.Draw();
    DrawOverlay();
    return 1;
}
