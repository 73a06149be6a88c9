#include <cstring>

#include "extras/CG_MODE_DATA.h"
#include "extras/ExtrasSteps.h"
#include "game/GAME_MODE.h"
#include "game/GRAPHIC_DATA.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "platform/core/Log.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::CGModeProc";
constexpr const char* kMusic = "bgm02.mus";
constexpr std::uint32_t kFadeTime = 500;
constexpr std::uint32_t kReturnFadeTime = 1000;
constexpr int kBlack = 0;
constexpr int kWhite = 1;
// A full picture is loaded without its key.
constexpr std::uint32_t kDefaultKey = 0xFFFFFFFFu;

enum CG_STEP : std::int32_t {
    CG_STEP_START = 0,
    CG_STEP_OPEN_FADE = 1,
    CG_STEP_STANDBY = ExtrasSteps::kStandbyStep,
    CG_STEP_LEAVE_FADE = 3,
    CG_STEP_WHITE_IN = 4,
    CG_STEP_PICTURE_SHOWN = 5,
    CG_STEP_PICTURE = 6,
    CG_STEP_PICTURE_CLOSE = 7,
    CG_STEP_PAGE_BACK = 8,
    CG_STEP_FROM_SCENE = 9,
    CG_STEP_CONFIG_OPEN = 10,
    CG_STEP_CONFIG_STANDBY = 11,
    CG_STEP_CONFIG_CLOSE = 12,
    CG_STEP_TITLE_CLOSE = 13,
    CG_STEP_TITLE_FADE = 14,
};

std::int32_t Failed(const char8_t* szText) {
    platform::LogError(kTag, szText);
    return -1;
}

}  // namespace

ExtrasSteps::MODE CG_MODE_DATA::Mode() {
    return {kTag,
            kFadeTime,
            CG_STEP_CONFIG_OPEN,
            CG_STEP_CONFIG_STANDBY,
            CG_STEP_CONFIG_CLOSE,
            CG_STEP_TITLE_CLOSE,
            CG_STEP_TITLE_FADE,
            false,
            [this] { Release(); }};
}

// The gallery starts no music of its own: the menu's plays on.
std::int32_t CG_MODE_DATA::Start(ModeHost& host, ExtrasSteps& steps) {
    steps.MenusOff();
    if (!steps.LoadOverlayTexture(u8"呼び出したTextureLoadが失敗しました")) return -1;
    host.ShowOverlay(1.0f);
    if (Initialize(&host.Context(), GALLERY_WORDS::From(host.CGFlg(), host.ReplayFlg())) == 0) {
        return Failed(u8"呼び出したCG_MODE_DATA::Initializeが失敗しました");
    }
    host.SetProcStep(CG_STEP_OPEN_FADE);
    return 1;
}

std::int32_t CG_MODE_DATA::Standby(ModeHost& host, ExtrasSteps& steps) {
    const POINTER_INPUT input = steps.ReadInput();
    if (steps.SettingsOpeners(input)) return 1;
    const std::int32_t nResult =
        CGModeThumbnailSelectStandby(input.nX, input.nY, input.click, host.Now());
    if (nResult == GALLERY_FAILED) {
        return Failed(u8"呼び出したCG_MODE_DATA::CGModeThumbnailSelectStandbyが失敗しました");
    }
    return StandbyResult(host, steps, nResult);
}

// A scene and the way back go through black, every other change through white.
std::int32_t CG_MODE_DATA::StandbyResult(ModeHost& host, ExtrasSteps& steps, std::int32_t nResult) {
    const bool bThroughBlack = nResult == GALLERY_BACK_CLICKED ||
                               (nResult == GALLERY_CELL_CLICKED && nKind == kGalleryKindReplay);
    if (nResult != GALLERY_CELL_CLICKED && nResult != GALLERY_CHANGE_CLICKED &&
        nResult != GALLERY_BACK_CLICKED) {
        return 1;
    }
    if (steps.LeavePrepare(bThroughBlack ? kBlack : kWhite) == -1) return -1;
    host.SetProcStep(bThroughBlack ? CG_STEP_LEAVE_FADE : CG_STEP_WHITE_IN);
    return 1;
}

// The scene's music is the recollection's own; the way back keeps the menu's.
std::int32_t CG_MODE_DATA::LeaveFade(ModeHost& host, ExtrasSteps& steps) {
    if (steps.FadingIn(kFadeTime)) return 1;
    host.ShowOverlay(1.0f, kBlack);
    if (nSelectId == GALLERY_BACK) {
        Release();
        host.ChangeMode(GAME_MODE_SPECIAL);
        return 1;
    }
    std::memset(szRecurdoFile, 0, sizeof szRecurdoFile);
    std::memcpy(szRecurdoFile, Item[nSelectId - GALLERY_CELL].szFileName, sizeof szRecurdoFile);
    const GameContext& ctx = host.Context();
    BGMStop(1, ctx.pSnd, ctx.pSystem, *ctx.pShell);
    host.ChangeMode(GAME_MODE_RECURDO);
    return 1;
}

// Under the white: a new heroine, kind or page built, or the chosen picture loaded. A
// picture that cannot be loaded is given up, and the page comes back.
std::int32_t CG_MODE_DATA::WhiteCovered(ModeHost& host, ExtrasSteps& steps) {
    if (steps.FadingIn(kFadeTime)) return 1;
    host.ShowOverlay(1.0f, kWhite);
    if (nSelectId >= GALLERY_CELL) {
        nCGSurfNo = Item[nSelectId - GALLERY_CELL].nCGSurfNo;
        const GameContext& ctx = host.Context();
        if (SurfaceLoad(ctx.pSprite, ctx.pSystem, nCGSurfNo, 0, kDefaultKey) != 0) {
            nCGDispFlg = 1;
            host.SetProcStep(CG_STEP_PICTURE_SHOWN);
            return 1;
        }
        platform::LogError(kTag, u8"画像のロードに失敗しました");
        host.SetProcStep(CG_STEP_PAGE_BACK);
        return 1;
    }
    if (nSelectId <= GALLERY_TAB_YSMA) {
        nChara = nSelectId - GALLERY_TAB_QUIRA;
        nPage = 1;
    } else if (nSelectId == GALLERY_PREV || nSelectId == GALLERY_NEXT) {
        nPage += nSelectId == GALLERY_NEXT ? 1 : -1;
    } else {
        nKind = nSelectId == GALLERY_CG ? kGalleryKindCG : kGalleryKindReplay;
        nPage = 1;
    }
    CountPages();
    if (!BuildPage()) return Failed(u8"呼び出したSurfaceLoadが失敗しました");
    nSelectId = GALLERY_NONE;
    host.SetProcStep(CG_STEP_PAGE_BACK);
    return 1;
}

// The picture shows through as the white fades; the white stays loaded.
std::int32_t CG_MODE_DATA::PictureShown(ModeHost& host) {
    GRAPHIC_DATA& fade = host.FadeGraph();
    if (host.FadeOutTexFunc(&fade.dwTime, &fade.fAlpha, 0.0f, kFadeTime) != 0) {
        return 1;
    }
    host.SetProcStep(CG_STEP_PICTURE);
    return 1;
}

// Only the release of the left event matters: no settings, no keys.
std::int32_t CG_MODE_DATA::PictureView(ModeHost& host) {
    const POINTER_INPUT input = ReadPointerInput(*host.Context().pSystem);
    const std::int32_t nResult = CGModeStandby(input.nX, input.nY, input.click, host.Now());
    if (nResult == GALLERY_FAILED) {
        return Failed(u8"呼び出したCG_MODE_DATA::CGModeStandbyが失敗しました");
    }
    if (nResult != 2) return 1;
    host.ShowOverlay(0.0f, kWhite);
    host.SetProcStep(CG_STEP_PICTURE_CLOSE);
    return 1;
}

std::int32_t CG_MODE_DATA::PictureClose(ModeHost& host, ExtrasSteps& steps) {
    if (steps.FadingIn(kFadeTime)) return 1;
    host.ShowOverlay(1.0f, kWhite);
    const GameContext& ctx = host.Context();
    SurfaceUnload(ctx.pSprite, ctx.pSystem, nCGSurfNo);
    nCGDispFlg = 0;
    host.SetProcStep(CG_STEP_PAGE_BACK);
    return 1;
}

// The page comes back as the overlay fades; back from a scene the menu's music starts
// again, which does nothing while it plays.
std::int32_t CG_MODE_DATA::PageBack(ModeHost& host, ExtrasSteps& steps, std::uint32_t dwFadeTime,
                                    bool bMusic) {
    const std::int32_t nResult = steps.OpeningFade(dwFadeTime);
    if (nResult == -1 || !bMusic || host.GetProcStep() != CG_STEP_STANDBY) return nResult;
    const GameContext& ctx = host.Context();
    if (BGMPlay(kMusic, ctx.pSnd, ctx.pSystem, *ctx.pShell) == 0) {
        platform::LogError(kTag, u8"BGMの再生に失敗しました");
    }
    return 1;
}

std::int32_t CG_MODE_DATA::Proc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    ExtrasSteps steps(mode, host);
    const std::int32_t nStep = host.GetProcStep();
    if (steps.IsSettingsStep(nStep)) return steps.SettingsStep();
    switch (nStep) {
        case CG_STEP_START:
            return Start(host, steps);
        case CG_STEP_OPEN_FADE:
            return steps.OpeningFade();
        case CG_STEP_STANDBY:
            return Standby(host, steps);
        case CG_STEP_LEAVE_FADE:
            return LeaveFade(host, steps);
        case CG_STEP_WHITE_IN:
            return WhiteCovered(host, steps);
        case CG_STEP_PICTURE_SHOWN:
            return PictureShown(host);
        case CG_STEP_PICTURE:
            return PictureView(host);
        case CG_STEP_PICTURE_CLOSE:
            return PictureClose(host, steps);
        case CG_STEP_PAGE_BACK:
            return PageBack(host, steps, kFadeTime, false);
        case CG_STEP_FROM_SCENE:
            return PageBack(host, steps, kReturnFadeTime, true);
        default:
            return 1;
    }
}

std::uint32_t CG_MODE_DATA::DrawProc(ModeHost& host) {
    const ExtrasSteps::MODE mode = Mode();
    Draw();
    ExtrasSteps(mode, host).DrawTail();
    return 1;
}
