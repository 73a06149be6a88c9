#include "platform/core/Clock.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/window/MenuStrip.h"
#include "platform/window/WindowHost.h"
#include "shell/Shell.h"
#include "shell/ShellEngine.h"
#include "shell/ShellGameHost.h"
#include "shell/ShellResources.h"
#include "shell/ShellState.h"

namespace {

// It acts on whichever run is current, so one serves every run.
ShellGameHost gameHost;

// Asks the graphics object for the configured depth, then 24 and 16 bits while
// it answers that the depth is not available.
bool StartGraphics(ShellState& s) {
    auto start = [&s] {
        return s.engine->SpriteInitialize(s.hWnd, kScreenWidth, kScreenHeight,
                                          s.settings.colourDepth, s.settings.fullScreen);
    };
    int result = start();
    for (std::uint32_t lower : {24u, 16u}) {
        if (result != 0) break;
        platform::LogError("LibraryInitialize", u8"ビデオモードを変更して再試行します\n\n");
        s.settings.colourDepth = lower;
        result = start();
    }
    if (result == 1) return true;
    platform::LogError("LibraryInitialize", u8"描画クラスの初期化に失敗しました\n");
    return false;
}

void StartSound(ShellState& s) {
    if (s.engine->SndInitialize(s.hWnd, s.windowStyle) >= 0) return;
    s.soundAvailable = 0;
    if (s.settings.soundWarning != 1) return;
    s.engine->SpriteDDFlipToGDI();
    s.host->runDialog(SoundWarningDialog(), SoundWarningDlgProc);
}

}  // namespace

int LibraryInitialize() {
    ShellState& s = CurrentShellState();
    ShellEngine& engine = *s.engine;
    engine.SpriteInitD3DX();
    engine.SystemInitialize(s.hWnd, 1);
    engine.SystemSetYOffset(s.settings.fullScreen != 0 ? platform::MenuStrip::kHeight : 0);
    if (!StartGraphics(s)) return 0;
    StartSound(s);
    engine.RegisterResourceFiles();
    if (engine.GameInitialize(s, gameHost) == 0) {
        platform::LogError("LibraryInitialize", u8"ゲームメインクラスの初期化に失敗しました\n");
        return 0;
    }
    s.gameInitialised = 1;
    return 1;
}

int LibraryRelease() {
    ShellState& s = CurrentShellState();
    ShellEngine& engine = *s.engine;
    if (s.gameInitialised != 0) engine.GameRelease();
    s.gameInitialised = 0;
    engine.SndRelease();
    engine.SpriteRelease();
    // The game object's release normally sweeps tmp/ already; a second sweep
    // would only report the missing folder.
    platform::Files& files = platform::service<platform::Files>();
    if (files.exists("tmp/")) {
        engine.SystemRemoveFile("tmp/", nullptr, 1);
        files.removeFolder("tmp/");
    }
    engine.SystemRelease();
    engine.SpriteDeleteD3DX();
    return 1;
}
