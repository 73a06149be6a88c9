#include "shell/ScreenMode.h"

#include "platform/core/Log.h"
#include "platform/window/MenuStrip.h"
#include "platform/window/SystemCommands.h"
#include "platform/window/WindowHost.h"
#include "shell/EnvData.h"
#include "shell/ShellEngine.h"
#include "shell/ShellState.h"

namespace {

constexpr std::uint32_t kMinDepth = 16;
constexpr std::int32_t kOpeningMovieMode = 2;
// The caption height: the y offset in full screen and the height of the strip's band.
constexpr int kCaptionHeight = platform::MenuStrip::kHeight;

void LogModeKept() {
    platform::LogError("ChangeScreenMode",
                       u8"画面モードを変更できませんでした。元の画面モードで続けます");
}

void LogModeLost() {
    platform::LogError("ChangeScreenMode",
                       u8"画面モードを変更できず、元の画面モードにも戻せませんでした");
}

// The graphics object at the new mode: 1 switched; -1 refused with the previous mode
// set up again; 0 left without a display.
int SwitchGraphics(ShellEngine& engine, std::uint32_t nFull, std::uint32_t nDepth) {
    if (engine.SpriteChangeScreenMode(nFull, nDepth) == 1) return 1;
    if (engine.SpriteGetSurfaceCount() > 0) {
        LogModeKept();
        return -1;
    }
    LogModeLost();
    return 0;
}

// The window's form after a good graphics switch. When the form cannot be set, the
// graphics object goes back to the mode the window still has.
int SetWindowForm(ShellState& s, bool full, std::uint32_t wasFull) {
    if (s.host != nullptr && s.host->setFullScreen(full)) return 1;
    if (s.engine->SpriteChangeScreenMode(wasFull, s.settings.colourDepth) == 1) {
        LogModeKept();
        return -1;
    }
    LogModeLost();
    return 0;
}

}  // namespace

int ChangeScreenMode(std::uint32_t nFull, std::uint32_t nDepth, platform::WindowHandle hWnd) {
    ShellState& s = CurrentShellState();
    ShellEngine& engine = *s.engine;
    if (nDepth < kMinDepth) nDepth = kMinDepth;
    if (nDepth > engine.SpriteGetDisplayBits()) nDepth = engine.SpriteGetDisplayBits();
    if (hWnd == nullptr) {
        platform::LogError("ChangeScreenMode", u8"引数の値が不正です\n");
        return 0;
    }
    const bool full = nFull != 0;
    const std::uint32_t wasFull = engine.SpriteGetFullScreen();
    if (full ? wasFull == 1 && s.settings.colourDepth == nDepth : wasFull == 0) {
        s.settings.fullScreen = full ? 1 : 0;
        return 1;
    }
    const int switched = SwitchGraphics(engine, full ? 1 : 0, nDepth);
    if (switched != 1) return switched;
    const int formed = SetWindowForm(s, full, wasFull);
    if (formed != 1) return formed;
    if (full) {
        s.windowStyle = kFullScreenStyle;
        engine.SpriteD3DXDrawStart();
        engine.SpriteD3DXDrawEnd();
    } else {
        s.windowStyle = kSwitchedWindowStyle;
        CenterWindow(hWnd);
        RemoveSystemCommands(hWnd);
    }
    engine.SystemInitialize(hWnd, 0);
    engine.SystemSetYOffset(full ? kCaptionHeight : 0);
    s.settings.fullScreen = full ? 1 : 0;
    return 1;
}

int DrawMenuBarFullScreen(platform::WindowHandle hWnd, ShellEngine* engine) {
    if (hWnd == nullptr || engine == nullptr) return -1;
    if (engine->GameGetMode() == kOpeningMovieMode) return 2;
    ShellState& s = CurrentShellState();
    if (s.settings.fullScreen == 0) return 1;
    int x = 0;
    int y = 0;
    engine->SystemGetMousePos(&x, &y);
    if (y < kCaptionHeight) {
        if (s.menuBarShown == 1) return 0;
        if (s.host != nullptr) s.host->drawMenuBar();
        s.menuBarShown = 1;
        return 0;
    }
    if (s.menuBarShown == 1 && s.host != nullptr) s.host->hideMenuBar();
    s.menuBarShown = 0;
    return 1;
}

int CenterWindow(platform::WindowHandle hWnd) {
    platform::WindowHost* host = CurrentShellState().host;
    return hWnd != nullptr && host != nullptr && host->centre() ? 1 : 0;
}

int RemoveSystemCommands(platform::WindowHandle hWnd) {
    platform::WindowHost* host = CurrentShellState().host;
    if (hWnd == nullptr || host == nullptr) return 0;
    bool removed = true;
    for (int command : {platform::SC_SIZE, platform::SC_MAXIMIZE, platform::SC_MINIMIZE,
                        platform::SC_RESTORE, platform::SC_CLOSE}) {
        removed = host->menu().removeItem(command) && removed;
    }
    host->drawMenuBar();
    return removed ? 1 : 0;
}
