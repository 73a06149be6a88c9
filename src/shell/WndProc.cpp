#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/input/VirtualKeys.h"
#include "platform/text/Cp932.h"
#include "platform/window/MenuStrip.h"
#include "platform/window/MessageBox.h"
#include "platform/window/WindowHost.h"
#include "platform/window/WindowMessages.h"
#include "shell/EnvData.h"
#include "shell/Shell.h"
#include "shell/ShellEngine.h"
#include "shell/ShellResources.h"
#include "shell/ShellState.h"

namespace {

using namespace platform;

void OnCreate(ShellState& s) {
    // The start-up hands the window to every engine object before creation returns.
    s.hWnd = s.host->window();
    ShellEngine& engine = *s.engine;
    engine.ClearPlayingNames();
    LoadEnvData(engine, "env.env");
    if (LibraryInitialize() == 0) {
        service<MessageBox>().show("Error", utf8ToCp932(u8"初期化に失敗しました").value_or(""));
        s.askOnQuit = 0;
        s.failed = 1;
        s.host->send(WM_DESTROY);
    }
    s.libraryInitialised = 1;
    engine.SetBGMVolume(s.settings.bgmVolume);
    engine.SetVoiceVolume(s.settings.voiceVolume);
    engine.SetSEVolume(s.settings.seOn != 0 ? s.settings.seVolume : 0);
}

// The loop ends at its next pass; the frame that asked finishes on live objects
// and the end of the entry saves and releases.
void QuitPath(ShellState& s) {
    if (s.askOnQuit != 0 && !s.host->terminated()) {
        s.engine->GameDrawStop();
        if (s.host->runDialog(QuitDialog(), QuitDlgProc) != 1) return;
    }
    s.host->postQuit(0);
}

void OnCommand(ShellState& s, int id) {
    switch (id) {
        case IDM_SAVE:
            s.saveRequest = 1;
            break;
        case IDM_LOAD:
            s.loadRequest = 1;
            break;
        case IDM_CONFIG:
            s.configRequest = 1;
            break;
        case IDM_HELP:
            s.engine->SpriteDDFlipToGDI();
            s.host->runDialog(AboutDialog(), AboutDlgProc);
            break;
        default:
            break;
    }
}

// The graph of the type has posted its end; a failure to handle it is only noted.
void OnGraphEvent(ShellState& s, int type) {
    static const char8_t* const kFailures[] = {
        u8"Dshow[Voice]のイベント通知に失敗しました\n",
        u8"Dshow[Audio]のイベント通知に失敗しました\n",
        u8"Dshow[Movie]のイベント通知に失敗しました\n",
    };
    if (s.engine->SndDShowEventNotify(type) < 0) LogWarn("WndProc", kFailures[type]);
}

}  // namespace

std::intptr_t WndProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
    ShellState& s = CurrentShellState();
    switch (message) {
        case WM_CREATE:
            OnCreate(s);
            break;
        case WM_DESTROY:
        case WM_CLOSE:
            QuitPath(s);
            break;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) QuitPath(s);
            break;
        case WM_SIZE:
            s.engine->SystemSetHwnd(s.hWnd);
            break;
        case WM_PAINT:
            if (s.dialogOpen != 1) AppDraw();
            break;
        case WM_ACTIVATEAPP:
            s.appActive = wParam != 0 ? 1 : 0;
            break;
        case WM_COMMAND:
            OnCommand(s, static_cast<int>(wParam & 0xFFFF));
            break;
        case WM_ENTERMENULOOP:
            s.drawStop = 1;
            s.host->refresh();
            s.engine->GameDrawStop();
            s.appActive = 0;
            break;
        case WM_EXITMENULOOP:
            s.drawStop = 0;
            s.appActive = 1;
            break;
        case WM_MOVE:
            s.engine->SndDShowChangeSize(2, 1, 800, 600);
            break;
        case WM_DSHOW_EVENT:
        case WM_DSHOW_EVENT + 1:
        case WM_DSHOW_EVENT + 2:
            OnGraphEvent(s, static_cast<int>(message - WM_DSHOW_EVENT));
            break;
        default:
            break;
    }
    return 0;
}

int MenuStatusChange(std::int32_t nMask, std::uint32_t nOn) {
    static constexpr int kItems[] = {IDM_SAVE, IDM_LOAD, IDM_CONFIG, IDM_HELP};
    ShellState& s = CurrentShellState();
    for (int bit = 0; bit < 4; ++bit) {
        if ((nMask & (1 << bit)) == 0) continue;
        if (s.hMenu == nullptr || !s.hMenu->setEnabled(kItems[bit], nOn != 0)) {
            LogError("MenuStatusChange", u8"メニューの設定に失敗しました\n");
            return 0;
        }
    }
    if (s.settings.fullScreen == 0 && s.host != nullptr) s.host->refresh();
    return 1;
}
