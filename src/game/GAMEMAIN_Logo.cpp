#include "game/GAMEMAIN.h"
#include "game/GameHost.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/input/VirtualKeys.h"
#include "platform/text/SjisText.h"
#include "platform/window/CursorCounter.h"
#include "sound/ZKSND.h"
#include "system/ClickState.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr int kLogoSurface = 4;
constexpr int kOverlayTexture = 0;
constexpr std::uint32_t kLogoFadeTime = 1000;
constexpr std::uint32_t kLogoHoldTime = 2000;
// Colour -1 asks the loader for the picture's own key colour.
constexpr std::uint32_t kDefaultKeyColor = 0xFFFFFFFFu;

constexpr int kMovieGraph = 2;
constexpr const char* kMoviePath = "dat/Mov.vid";
constexpr std::int32_t kMovieWidth = 800;
constexpr std::int32_t kMovieHeight = 600;
constexpr std::uint32_t kMovieStopped = 2;

enum DEMO_STEP : std::int32_t {
    DEMO_STEP_START = 0,
    DEMO_STEP_WATCH = 1,
};

enum LOGO_STEP : std::int32_t {
    LOGO_STEP_LOAD = 0,
    LOGO_STEP_FADE_IN = 1,
    LOGO_STEP_HOLD = 2,
    LOGO_STEP_FADE_OUT = 3,
};

}  // namespace

std::int32_t GAMEMAIN::LogoLoad() {
    if (TextureLoad(pSprite, pSystem, kOverlayTexture, 0, 0) == 0 ||
        SurfaceLoad(pSprite, pSystem, kLogoSurface, 1, kDefaultKeyColor) == 0) {
        platform::LogError("GAMEMAIN::LogoProc", u8"画像のロードに失敗しました");
        return -1;
    }
    ShowOverlay(1.0f);
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
    const KEY_STATE click = ClickState(*pSystem);
    const KEY_STATE ctrl = pSystem->GetVKeyStatus(platform::VK_CONTROL);
    return click == KEY_STATE_RELEASED || ctrl == KEY_STATE_HELD || ctrl == KEY_STATE_PRESSED ||
           dwNowTime - dwProcStartTime > kLogoHoldTime;
}

// Leaves nothing loaded behind: every picture slot, every effect, and no sound left playing.
void GAMEMAIN::LogoRelease() {
    BGGraphData1.Initialize(pSprite, pSystem);
    FadeGraphData.Initialize(pSprite, pSystem);
    pSnd->DAAllStop();
    UnloadModeResources();
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
    DrawOverlay();
    return 1;
}

// The movie is the only picture while it plays: the game stops drawing, the pointer
// goes, and in full screen the strip goes too.
std::int32_t GAMEMAIN::DemoStart() {
    ShellWords& shell = *pShell;
    shell.drawStop = 1;
    if (shell.settings.fullScreen == 0) shell.prevDrawStop = 1;
    while (platform::ShowCursor(false) >= 0) {
    }
    if (shell.settings.fullScreen != 0) pHost->SetMenuAttached(false);
    if (pSnd->DShowIsOpen(kMovieGraph) != 1 &&
        pSnd->DShowOpen(kMovieGraph, kMoviePath, kMovieWidth, kMovieHeight) < 0) {
        platform::LogError("GAMEMAIN::DemoProc", u8"ムービーオープンに失敗しました");
        nProcStep = DEMO_STEP_START;
        return -1;
    }
    if (pSnd->DShowPlay(kMovieGraph) < 0) {
        platform::LogError("GAMEMAIN::DemoProc", u8"ムービー再生に失敗しました");
        nProcStep = DEMO_STEP_START;
        return -1;
    }
    if (pSnd->DShowSetVolume(kMovieGraph,
                             VOLUME_LEVEL(static_cast<int>(shell.settings.bgmVolume))) < 0) {
        platform::LogError("GAMEMAIN::DemoProc", u8"ムービーの音量設定に失敗しました");
    }
    dwProcStartTime = dwNowTime;
    nProcStep = DEMO_STEP_WATCH;
    return 0;
}

// Ends the movie when it has stopped or a click, Return or Ctrl is released.
std::int32_t GAMEMAIN::DemoWatch() {
    KEY_STATE key = pSystem->GetVKeyStatus(platform::VK_LBUTTON);
    if (key == KEY_STATE_UP) key = pSystem->GetVKeyStatus(platform::VK_RETURN);
    if (key == KEY_STATE_UP) key = pSystem->GetVKeyStatus(platform::VK_CONTROL);
    std::uint32_t status = 0;
    if (pSnd->DShowGetStatus(kMovieGraph, &status) < 0) {
        platform::LogError("GAMEMAIN::DemoProc", u8"ムービーの状態取得に失敗しました");
        return -1;
    }
    if (status != kMovieStopped && key != KEY_STATE_RELEASED) return 0;
    pHost->SetMenuAttached(true);
    while (platform::ShowCursor(true) < 0) {
    }
    ChangeMode(GAME_MODE_TITLE);
    pShell->drawStop = 0;
    pSnd->DShowStop(kMovieGraph);
    pSnd->DShowClose(kMovieGraph);
    return 0;
}

std::int32_t GAMEMAIN::DemoProc() {
    if (nProcStep == DEMO_STEP_START) return DemoStart();
    if (nProcStep == DEMO_STEP_WATCH) return DemoWatch();
    return 0;
}

// The movie draws itself over the frozen game frame.
std::uint32_t GAMEMAIN::DemoDrawProc() { return 1; }
