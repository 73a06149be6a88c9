#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/Log.h"
#include "platform/SjisText.h"
#include "platform/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr int kLogoSurface = 4;
constexpr int kOverlayTexture = 0;
constexpr std::uint32_t kLogoFadeTime = 1000;
constexpr std::uint32_t kLogoHoldTime = 2000;
// Colour -1 asks the loader for the picture's own key colour.
constexpr std::uint32_t kDefaultKeyColor = 0xFFFFFFFFu;

enum LOGO_STEP : std::int32_t {
    LOGO_STEP_LOAD = 0,
    LOGO_STEP_FADE_IN = 1,
    LOGO_STEP_HOLD = 2,
    LOGO_STEP_FADE_OUT = 3,
};

}  // namespace

// The overlay covers the whole frame, opaque, until the mode has faded it away.
void GAMEMAIN::ShowOpaqueOverlay() {
    FadeGraphData.Initialize(pSprite, pSystem);
    FadeGraphData.nIndex = kOverlayTexture;
    FadeGraphData.nGKind = 0;
    FadeGraphData.dwFlag = 0;
    FadeGraphData.nDispFlg = 1;
    FadeGraphData.fScaleX = 1.0f;
    FadeGraphData.fScaleY = 1.0f;
    FadeGraphData.fAlpha = 1.0f;
}

std::int32_t GAMEMAIN::LogoLoad() {
    if (TextureLoad(pSprite, pSystem, kOverlayTexture, 0, 0) == 0 ||
        SurfaceLoad(pSprite, pSystem, kLogoSurface, 1, kDefaultKeyColor) == 0) {
        platform::LogError("GAMEMAIN::LogoProc", u8"画像のロードに失敗しました");
        return -1;
    }
    ShowOpaqueOverlay();
    BGGraphData1.Initialize(pSprite, pSystem);
    BGGraphData1.dwFlag = 1;
    BGGraphData1.nDispFlg = 1;
    const char* szLogoFile = pSprite->GetSurfacePath(kLogoSurface);
    platform::SjisCopyTruncated(BGGraphData1.szFilePath, sizeof BGGraphData1.szFilePath,
                                szLogoFile != nullptr ? szLogoFile : "");
    BGGraphData1.nGKind = 1;
    BGGraphData1.nIndex = kLogoSurface;
    BGGraphData1.nX = static_cast<std::int32_t>(pSprite->GetWidth() / 2);
    BGGraphData1.nY = static_cast<std::int32_t>(pSprite->GetHeight() / 2);
    nProcStep = LOGO_STEP_FADE_IN;
    return 0;
}

// A click ends the hold when it is released; Ctrl ends it as soon as it goes down.
bool GAMEMAIN::LogoHoldEnds() const {
    KEY_STATE click = pSystem->GetVKeyStatus(platform::VK_LBUTTON);
    if (click == KEY_STATE_UP) click = pSystem->GetVKeyStatus(platform::VK_RETURN);
    const KEY_STATE ctrl = pSystem->GetVKeyStatus(platform::VK_CONTROL);
    return click == KEY_STATE_RELEASED || ctrl == KEY_STATE_HELD || ctrl == KEY_STATE_PRESSED ||
           dwNowTime - dwProcStartTime > kLogoHoldTime;
}

// Leaves nothing loaded behind: every picture slot, every effect, and no sound left playing.
void GAMEMAIN::LogoRelease() {
    BGGraphData1.Initialize(pSprite, pSystem);
    FadeGraphData.Initialize(pSprite, pSystem);
    for (int i = 0; i < pSprite->GetSurfaceCount(); ++i) SurfaceUnload(pSprite, pSystem, i);
    for (int i = 0; i < pSprite->GetTextureCount(); ++i) TextureUnload(pSprite, pSystem, i);
    pSnd->DAAllStop();
    for (std::uint32_t i = 2; i < pSnd->DAGetDataNum(); ++i) {
        SEUnload(pSnd, pSystem, static_cast<int>(i));
    }
}

std::int32_t GAMEMAIN::LogoProc() {
    switch (nProcStep) {
        case LOGO_STEP_LOAD:
            MsgWndStatusChange(8, 1);
            MsgWndStatusChange(7, 0);
            return LogoLoad();
        case LOGO_STEP_FADE_IN:
            if (FadeOutTexFunc(&dwProcStartTime, &FadeGraphData.dwTime, &FadeGraphData.fAlpha, 0.0f,
                               kLogoFadeTime) != 0) {
                return 0;
            }
            FadeGraphData.nDispFlg = 0;
            dwProcStartTime = dwNowTime;
            nProcStep = LOGO_STEP_HOLD;
            return 0;
        case LOGO_STEP_HOLD:
            if (LogoHoldEnds()) {
                FadeGraphData.nDispFlg = 1;
                nProcStep = LOGO_STEP_FADE_OUT;
            }
            return 0;
        case LOGO_STEP_FADE_OUT:
            if (FadeInTexFunc(&dwProcStartTime, &FadeGraphData.dwTime, &FadeGraphData.fAlpha, 1.0f,
                              kLogoFadeTime) != 0) {
                return 0;
            }
            LogoRelease();
            ChangeMode(pSystem->GetKey(SYSTEM_KEY_CONTROL) != 0 ? GAME_MODE_TITLE : GAME_MODE_DEMO);
            return 0;
        default:
            return 0;
    }
}

std::uint32_t GAMEMAIN::LogoDrawProc() {
    if (BGGraphData1.nDispFlg != 0) {
        pSprite->DDBltCenter(BGGraphData1.nIndex, BGGraphData1.nX, BGGraphData1.nY,
                             static_cast<int>(BGGraphData1.dwFlag));
    }
    if (FadeGraphData.nDispFlg != 0 && FadeGraphData.fAlpha > 0.0f) {
        pSprite->D3DXSpriteDrawEffectTL(
            FadeGraphData.nIndex, static_cast<float>(FadeGraphData.nX),
            static_cast<float>(FadeGraphData.nY), static_cast<int>(FadeGraphData.dwFlag), nullptr,
            FadeGraphData.fAlpha, FadeGraphData.fScaleX, FadeGraphData.fScaleY, 0.0f, 0);
    }
    return 1;
}
