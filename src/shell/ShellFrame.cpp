#include "platform/core/Log.h"
#include "shell/ScreenMode.h"
#include "shell/Shell.h"
#include "shell/ShellEngine.h"
#include "shell/ShellState.h"

int AppMain() {
    ShellEngine& engine = *CurrentShellState().engine;
    if (engine.GameMainFunc() == 0) {
        platform::LogError("AppMain", u8"GAMEMAIN::GameMainFuncが失敗しました\n");
        return 0;
    }
    if (AppDraw() == 0) {
        platform::LogError("AppMain", u8"AppDrawが失敗しました\n");
        return 0;
    }
    return 1;
}

int AppDraw() {
    ShellState& s = CurrentShellState();
    ShellEngine& engine = *s.engine;
    if (s.dialogOpen != 1) {
        const int bar = DrawMenuBarFullScreen(s.hWnd, &engine);
        if (bar == 0) s.drawStop = 1;
        if (bar == 1) s.drawStop = 0;
    }
    engine.SpriteCheckFrameRate(60, 1);
    if (s.drawStop == 0) {
        if (engine.GameDrawFunc() == 0) return 0;
    } else if (s.drawStop != s.prevDrawStop && engine.GameDrawStop() == 0) {
        return 0;
    }
    engine.GameDrawTimeSet();
    s.prevDrawStop = s.drawStop;
    engine.SpriteFrameWait(16, 0);
    return 1;
}

void ClearMenuRequests() {
    ShellState& s = CurrentShellState();
    s.saveRequest = 0;
    s.loadRequest = 0;
    s.configRequest = 0;
}
