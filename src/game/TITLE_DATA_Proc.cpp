#include "game/GAME_MODE.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "game/TITLE_DATA.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"
#include "windows/CONFIG_DATA.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/WindowStandby.h"

namespace {

using enum TITLE_DATA::TITLE_STEP;

constexpr const char* kTag = TITLE_DATA::kTag;
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
constexpr std::uint32_t kKindTexture = TITLE_DATA::kKindTexture;
constexpr std::uint32_t kKindSurface = TITLE_DATA::kKindSurface;
constexpr std::int32_t kMaskGranted = 14;
constexpr std::int32_t kMaskSave = 1;

constexpr int kPictureFirst = TITLE_DATA::kPictureFirst;
constexpr int kPictureSecond = TITLE_DATA::kPictureSecond;
constexpr int kPictureMenuBack = TITLE_DATA::kPictureMenuBack;

// The step a loaded slot's mode goes on from: its fade in after a load.
constexpr std::int32_t kLoadedStep = 11;

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

std::int32_t Start(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    host.MsgWndStatusChange(kMaskGranted, 1);
    host.MsgWndStatusChange(kMaskSave, 0);
    title.Initialize(&ctx);
    if (TextureLoad(ctx.pSprite, ctx.pSystem, kOverlayTexture, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    host.ShowOverlay(1.0f);
    if (TextureLoad(ctx.pSprite, ctx.pSystem, kIntroTexture1, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    ShowTexture(title.IntroGraphic[kPictureFirst], kIntroTexture1);
    title.IntroGraphic[kPictureFirst].fAlpha = 1.0f;
    for (const int effect : kEffects) {
        if (SELoad(ctx.pSnd, ctx.pSystem, effect, nullptr, *ctx.pShell) == 0) {
            return Failed(u8"SEのロードに失敗しました");
        }
    }
    if (BGMPlay(kTitleMusic, ctx.pSnd, ctx.pSystem, *ctx.pShell) == 0) {
        platform::LogError(kTag, u8"BGMの再生に失敗しました");
    }
    title.dwIdleStart = host.Now();
    host.SaveLoadWindowData().Release();
    host.ConfigData().Release();
    host.SetProcStep(TITLE_STEP_FIRST_PICTURE);
    return 0;
}

// A fade of one picture's alpha from the step's start: true while it runs.
bool Fading(ModeHost& host, GRAPHIC_DATA& picture, float fTarget, std::uint32_t dwTime) {
    if (fTarget == 0.0f) {
        return host.FadeOutTexFunc(&picture.dwTime, &picture.fAlpha, fTarget, dwTime) != 0;
    }
    return host.FadeInTexFunc(&picture.dwTime, &picture.fAlpha, fTarget, dwTime) != 0;
}

std::int32_t FirstPicture(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    if (Fading(host, host.FadeGraph(), 0.0f, kIntroFadeTime)) return 0;
    if (TextureUnload(ctx.pSprite, ctx.pSystem, host.FadeGraph().nIndex) == 0) {
        return Failed(u8"呼び出したTextureUnloadが失敗しました");
    }
    host.FadeGraph().Initialize(ctx.pSprite, ctx.pSystem);
    ShowTexture(title.IntroGraphic[kPictureSecond], kIntroTexture2);
    if (TextureLoad(ctx.pSprite, ctx.pSystem, kIntroTexture2, 0, 0) == 0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    host.StartStep(TITLE_STEP_SECOND_PICTURE);
    return 0;
}

bool LoadMenuBack(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    ShowSurface(title.IntroGraphic[kPictureMenuBack], kMenuBackSurface);
    return SurfaceLoad(ctx.pSprite, ctx.pSystem, kMenuBackSurface, 0, kDefaultKeyColor) != 0;
}

std::int32_t SecondPicture(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    GRAPHIC_DATA& first = title.IntroGraphic[kPictureFirst];
    if (Fading(host, first, 0.0f, kIntroFadeTime)) return 0;
    TextureUnload(ctx.pSprite, ctx.pSystem, kIntroTexture1);
    ResetPicture(first);
    if (!LoadMenuBack(host, title)) return Failed(u8"呼び出したSurfaceLoadが失敗しました");
    host.StartStep(TITLE_STEP_MENU_BACK);
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

std::int32_t MenuBack(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    GRAPHIC_DATA& second = title.IntroGraphic[kPictureSecond];
    if (Fading(host, second, 0.0f, kIntroFadeTime)) return 0;
    TextureUnload(ctx.pSprite, ctx.pSystem, kIntroTexture2);
    ResetPicture(second);
    PlaceItems(title, kItemTexture, kKindTexture, 0.0f);
    if (TextureLoad(ctx.pSprite, ctx.pSystem, kItemTexture, 1, kDefaultKeyColor) == 0 ||
        SurfaceLoad(ctx.pSprite, ctx.pSystem, kItemSurface, 1, kDefaultKeyColor) == 0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    host.StartStep(TITLE_STEP_FIRST_ITEM);
    return 0;
}

// Item (step - 3) fades in; once faded it is drawn from the surface sheet.
std::int32_t ItemFade(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    GRAPHIC_DATA& item = title.ItemGraphic[host.GetProcStep() - TITLE_STEP_FIRST_ITEM];
    if (Fading(host, item, 1.0f, kItemFadeTime)) return 0;
    item.fAlpha = 1.0f;
    item.nGKind = kKindSurface;
    item.nIndex = kItemSurface;
    if (host.GetProcStep() != TITLE_STEP_LAST_ITEM) {
        host.StartStep(host.GetProcStep() + 1);
        return 0;
    }
    TextureUnload(ctx.pSprite, ctx.pSystem, kItemTexture);
    title.dwIdleStart = host.Now();
    host.StartStep(TITLE_STEP_MENU);
    return 0;
}

// The finished menu at once, whatever the intro had reached.
std::int32_t Skip(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    title.dwIdleStart = host.Now();
    for (const int texture : {kOverlayTexture, kIntroTexture1, kIntroTexture2, kItemTexture}) {
        TextureUnload(ctx.pSprite, ctx.pSystem, texture);
    }
    host.FadeGraph().Initialize(ctx.pSprite, ctx.pSystem);
    ResetPicture(title.IntroGraphic[kPictureFirst]);
    ResetPicture(title.IntroGraphic[kPictureSecond]);
    if (!LoadMenuBack(host, title)) return Failed(u8"呼び出したSurfaceLoadが失敗しました");
    PlaceItems(title, kItemSurface, kKindSurface, 1.0f);
    if (SurfaceLoad(ctx.pSprite, ctx.pSystem, kItemSurface, 1, kDefaultKeyColor) == 0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    host.StartStep(TITLE_STEP_MENU);
    return 0;
}

// The load screen or the settings over the menu; the opener's step is done.
bool Open(ModeHost& host, std::int32_t nStep) {
    if (nStep == TITLE_STEP_LOAD_OPEN) {
        TITLE_DATA::SaveLoad(host).Open(SAVE_LOAD_WINDOW_DATA::kKindLoad);
    } else {
        TITLE_DATA::Settings(host).Open();
    }
    return true;
}

// The right button, 'L' and 'C', each while its screen is allowed.
bool KeyOpeners(ModeHost& host) {
    const ZKSYSTEM& system = *host.Context().pSystem;
    const bool bConfig = host.ConfigEnableFlg() != 0;
    if (Released(system, platform::VK_RBUTTON) && bConfig) {
        return Open(host, TITLE_STEP_CONFIG_OPEN);
    }
    if (Released(system, VkLetter('L')) && host.LoadEnableFlg() != 0) {
        return Open(host, TITLE_STEP_LOAD_OPEN);
    }
    if (Released(system, VkLetter('C')) && bConfig) return Open(host, TITLE_STEP_CONFIG_OPEN);
    return false;
}

// The strip's Load and Settings, each while allowed; its Save has nothing to save here.
bool MenuOpeners(ModeHost& host) {
    const ShellWords& shell = *host.Context().pShell;
    if (shell.loadRequest != 0 && host.LoadEnableFlg() != 0) {
        return Open(host, TITLE_STEP_LOAD_OPEN);
    }
    if (shell.configRequest != 0 && host.ConfigEnableFlg() != 0) {
        return Open(host, TITLE_STEP_CONFIG_OPEN);
    }
    return false;
}

void PlayEffect(ModeHost& host, int nEffect) {
    const GameContext& ctx = host.Context();
    SEPlay(nEffect, 0, ctx.pSnd, ctx.pSystem, *ctx.pShell);
}

std::int32_t Choose(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    host.ShowOverlay(0.0f);
    if (TextureLoad(ctx.pSprite, ctx.pSystem, kOverlayTexture, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    switch (title.nSelectItem) {
        case 1:
            PlayEffect(host, kEffectNewGame);
            host.SetProcStep(TITLE_STEP_NEW_GAME);
            return 0;
        case 2:
            PlayEffect(host, kEffectWindow);
            Open(host, TITLE_STEP_LOAD_OPEN);
            return 0;
        case 3:
            PlayEffect(host, kEffectWindow);
            Open(host, TITLE_STEP_CONFIG_OPEN);
            return 0;
        case 4:
            PlayEffect(host, kEffectExtras);
            host.SetProcStep(TITLE_STEP_EXTRAS);
            return 0;
        default:
            host.SetProcStep(TITLE_STEP_EXIT);
            return 0;
    }
}

// The moon rises when the menu has waited its full time, however the pointer moved.
std::int32_t Attract(ModeHost& host, TITLE_DATA& title) {
    const GameContext& ctx = host.Context();
    if (host.Now() - title.dwIdleStart < kIdleTime) return 0;
    host.ShowOverlay(0.0f);
    if (TextureLoad(ctx.pSprite, ctx.pSystem, kOverlayTexture, 0, 0) == 0 ||
        SurfaceLoad(ctx.pSprite, ctx.pSystem, TITLE_DATA::kAttractSurface, 0, kDefaultKeyColor) ==
            0) {
        return Failed(u8"呼び出したTextureLoadが失敗しました");
    }
    title.AttractSet();
    title.dwIdleStart = host.Now();
    host.SetProcStep(TITLE_STEP_ATTRACT);
    return 0;
}

// One action a frame: the keys, then the items and the strip, then the idle wait.
std::int32_t Menu(ModeHost& host, TITLE_DATA& title) {
    const ZKSYSTEM& system = *host.Context().pSystem;
    if (KeyOpeners(host)) return 0;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    system.GetMousePos(&nX, &nY);
    const std::uint32_t result = title.TitleStandby(nX, nY, ClickState(system));
    if (result == TITLE_DATA::kStandbyMoved) PlayEffect(host, kEffectHover);
    if (result == TITLE_DATA::kStandbyChosen) return Choose(host, title);
    if (result == TITLE_DATA::kStandbyNone && MenuOpeners(host)) return 0;
    return Attract(host, title);
}

// Every picture and effect the title loaded goes, and its music; only the overlay's
// black stays, for the next mode.
std::int32_t Leave(ModeHost& host, TITLE_DATA& title, std::uint32_t dwFadeTime,
                   std::int32_t nNextMode) {
    const GameContext& ctx = host.Context();
    if (Fading(host, host.FadeGraph(), 1.0f, dwFadeTime)) return 0;
    host.UnloadModeResources();
    if (TextureLoad(ctx.pSprite, ctx.pSystem, kOverlayTexture, 0, 0) == 0) {
        return Failed(u8"画像のロードに失敗しました");
    }
    BGMStop(1, ctx.pSnd, ctx.pSystem, *ctx.pShell);
    title.Clear();
    host.ChangeMode(nNextMode);
    return 0;
}

// The screen fades to black; the slot then takes the title's place and its own mode
// goes on from its fade in.
std::int32_t Load(ModeHost& host, TITLE_DATA& title) {
    if (Fading(host, host.FadeGraph(), 1.0f, kLoadFadeTime)) return 0;
    if (TITLE_DATA::SaveLoad(host).Resume() == -1) return -1;
    title.Clear();
    host.ReenterMode(kLoadedStep);
    return 0;
}

std::int32_t AttractStep(ModeHost& host, TITLE_DATA& title) {
    GRAPHIC_DATA_EX& moon = title.AttractGraphic;
    moon.AnimationProc(host.Now());
    if (moon.AnimData.nAnimNo >= kAttractLeaveFrame) host.StartStep(TITLE_STEP_ATTRACT_FADE);
    return 0;
}

std::int32_t AttractFade(ModeHost& host, TITLE_DATA& title) {
    title.AttractGraphic.AnimationProc(host.Now());
    return Leave(host, title, kAttractFadeTime, GAME_MODE_LOGO);
}

std::int32_t Intro(ModeHost& host, TITLE_DATA& title) {
    switch (host.GetProcStep()) {
        case TITLE_STEP_FIRST_PICTURE:
            return FirstPicture(host, title);
        case TITLE_STEP_SECOND_PICTURE:
            return SecondPicture(host, title);
        case TITLE_STEP_MENU_BACK:
            return MenuBack(host, title);
        default:
            return ItemFade(host, title);
    }
}

}  // namespace

std::int32_t TITLE_DATA::Proc(ModeHost& host) {
    if (host.GetProcStep() > TITLE_STEP_START && host.GetProcStep() <= TITLE_STEP_LAST_ITEM) {
        return SkipAsked(*host.Context().pSystem) ? Skip(host, *this) : Intro(host, *this);
    }
    switch (host.GetProcStep()) {
        case TITLE_STEP_START:
            return Start(host, *this);
        case TITLE_STEP_SKIP:
            return Skip(host, *this);
        case TITLE_STEP_MENU:
            return Menu(host, *this);
        case TITLE_STEP_NEW_GAME:
            return Leave(host, *this, kLeaveFadeTime, GAME_MODE_ADV);
        case TITLE_STEP_EXTRAS:
            return Leave(host, *this, kLeaveFadeTime, GAME_MODE_SPECIAL);
        case TITLE_STEP_LOAD_OPEN:
        case TITLE_STEP_LOAD_CLOSE:
            return LoadSlide(host, host.GetProcStep() == TITLE_STEP_LOAD_OPEN);
        case TITLE_STEP_LOAD_STANDBY:
            return LoadStandby(host);
        case TITLE_STEP_LOAD:
            return Load(host, *this);
        case TITLE_STEP_CONFIG_OPEN:
        case TITLE_STEP_CONFIG_CLOSE:
            return SettingsSlideStep(host, host.GetProcStep() == TITLE_STEP_CONFIG_OPEN);
        case TITLE_STEP_CONFIG_STANDBY:
            return SettingsStandbyStep(host);
        case TITLE_STEP_EXIT:
            return Exit(host);
        case TITLE_STEP_ATTRACT:
            return AttractStep(host, *this);
        case TITLE_STEP_ATTRACT_FADE:
            return AttractFade(host, *this);
        default:
            return 0;
    }
}
