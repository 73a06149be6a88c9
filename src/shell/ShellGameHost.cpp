#include "shell/ShellGameHost.h"

#include "platform/window/WindowHost.h"
#include "platform/window/WindowMessages.h"
#include "shell/ScreenMode.h"
#include "shell/Shell.h"
#include "shell/ShellState.h"

void ShellGameHost::SetMenuAttached(bool bAttached) {
    ShellState& s = CurrentShellState();
    if (s.host != nullptr) s.host->setMenuAttached(bAttached);
}

int ShellGameHost::MenuStatusChange(std::int32_t nMask, std::uint32_t nOn) {
    return ::MenuStatusChange(nMask, nOn);
}

std::int32_t ShellGameHost::ChangeScreenMode(std::uint32_t nFullScreen,
                                             std::uint32_t nColourDepth) {
    return ::ChangeScreenMode(nFullScreen, nColourDepth, CurrentShellState().hWnd);
}

void ShellGameHost::SendDestroyMessage() {
    ShellState& s = CurrentShellState();
    if (s.host != nullptr) s.host->send(platform::WM_DESTROY);
}
