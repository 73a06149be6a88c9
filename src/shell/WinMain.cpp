#include "platform/core/Clock.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/core/SingleInstanceGuard.h"
#include "platform/media/MediaPump.h"
#include "platform/window/CursorCounter.h"
#include "platform/window/WindowHost.h"
#include "shell/CursorSetting.h"
#include "shell/EnvData.h"
#include "shell/Shell.h"
#include "shell/ShellEngine.h"
#include "shell/ShellResources.h"
#include "shell/ShellState.h"

namespace {

using platform::service;

constexpr std::int32_t kTitleMode = 3;
constexpr std::uint32_t kInactiveWaitMs = 10;
constexpr std::uint32_t kTitleRaiseIntervalMs = 250;
constexpr int kShowCursorTries = 101;

// The title screen wants the window in front: while it waits at its first step
// and the window is inactive, the window is shown, raised and given its menu again.
class TitleRaise {
public:
    void onInactivePass(ShellState& s) {
        if (s.engine->GameGetMode() != kTitleMode || s.engine->GameGetProcStep() != 0) return;
        const std::uint32_t now = service<platform::Clock>().now();
        if (done_ && now - last_ < kTitleRaiseIntervalMs) return;
        done_ = true;
        last_ = now;
        s.host->show();
        s.host->bringForward();
        s.host->setMenuAttached(true);
    }

private:
    bool done_ = false;
    std::uint32_t last_ = 0;
};

// Runs frames while the window is active until a quit is posted or a frame fails.
void MessageLoop(ShellState& s) {
    TitleRaise titleRaise;
    while (BeginLoopPass(*s.host)) {
        if (s.appActive == 1) {
            if (AppMain() == 0) {
                s.failed = 1;
                return;
            }
            ClearMenuRequests();
            continue;
        }
        titleRaise.onInactivePass(s);
        s.host->pumpEvent(kInactiveWaitMs);
    }
}

void ShowPointerAgain() {
    int tries = 0;
    while (platform::ShowCursor(true) < 0 && tries++ < kShowCursorTries) {
    }
}

}  // namespace

bool BeginLoopPass(platform::WindowHost& host) {
    while (!host.quitPosted() && host.pumpEvent(0)) {
    }
    if (host.quitPosted()) return false;
    // Media graphs play on while the window is inactive.
    platform::MediaPump::instance().pump();
    return true;
}

int WinMain(ShellEngine& engine, platform::WindowHost& host, const char* instanceName) {
    ShellState& s = BeginShellState();
    s.engine = &engine;
    s.host = &host;
    platform::ResetCursorCount();

    platform::SingleInstanceGuard guard(instanceName);
    switch (guard.acquire()) {
        case platform::SingleInstanceGuard::Result::Raised:
            platform::LogMessage("WinMain",
                                 u8"既に起動しています。そのウィンドウを前面に出しました\n");
            return 0;
        case platform::SingleInstanceGuard::Result::NotRaised:
            platform::LogMessage("WinMain", u8"既に起動しています\n");
            return 0;
        case platform::SingleInstanceGuard::Result::First:
            break;
    }
    host.setInstanceGuard(&guard);
    host.setCursorKind(LoadCursorSetting("cursor.txt"));
    BuildShellMenu(host.menu());
    s.hMenu = &host.menu();
    s.windowStyle = kWindowStyle;
    s.hWnd = host.create(WndProc);
    if (s.hWnd == nullptr) {
        host.setInstanceGuard(nullptr);
        return 1;
    }
    if (!host.quitPosted()) host.show();

    MessageLoop(s);

    platform::Clock& clock = service<platform::Clock>();
    clock.sleep(50);
    if (s.libraryInitialised == 1) {
        SaveEnvData(engine, "env.env");
        clock.sleep(50);
        LibraryRelease();
        s.libraryInitialised = 0;
    }
    host.destroy();
    host.setInstanceGuard(nullptr);
    ShowPointerAgain();
    return s.failed != 0 ? 1 : host.quitCode();
}
