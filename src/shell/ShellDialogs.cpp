#include <cstdio>

#include "platform/text/Cp932.h"
#include "platform/window/CursorCounter.h"
#include "platform/window/WindowMessages.h"
#include "shell/Shell.h"
#include "shell/ShellResources.h"
#include "shell/ShellState.h"

namespace {

using namespace platform;

enum SavedCount { ABOUT_COUNT, WARNING_COUNT, QUIT_COUNT };

// The dialog needs the pointer even where the game hides it; the count from
// before is kept so that closing hides it again.
void ShowPointer(SavedCount which) {
    int count = ShowCursor(true);
    CurrentShellState().savedCursorCount[which] = count - 1;
    while (count < 0) count = ShowCursor(true);
}

void RestorePointer(SavedCount which) {
    if (CurrentShellState().savedCursorCount[which] >= 0) return;
    while (ShowCursor(false) >= 0) {
    }
}

bool IsCloseOr(std::uint32_t message, std::uintptr_t wParam, int id) {
    return message == WM_CLOSE ||
           (message == WM_COMMAND && wParam == static_cast<std::uintptr_t>(id));
}

}  // namespace

std::intptr_t AboutDlgProc(ModalDialog& dialog, std::uint32_t message, std::uintptr_t wParam) {
    ShellState& s = CurrentShellState();
    if (message == WM_INITDIALOG) {
        s.dialogOpen = 1;
        ShowPointer(ABOUT_COUNT);
        dialog.setItemText(IDC_APP_NAME, ShellTitle());
        dialog.setItemText(IDC_VERSION, "Version 1.0");
        dialog.setItemText(IDC_NOTICE, utf8ToCp932(u8"Linux版").value_or(""));
        return 1;
    }
    if (!IsCloseOr(message, wParam, IDOK)) return 0;
    RestorePointer(ABOUT_COUNT);
    s.dialogOpen = 0;
    dialog.end(0);
    return 1;
}

std::intptr_t SoundWarningDlgProc(ModalDialog& dialog, std::uint32_t message,
                                  std::uintptr_t wParam) {
    if (message == WM_INITDIALOG) {
        ShowPointer(WARNING_COUNT);
        return 1;
    }
    if (!IsCloseOr(message, wParam, IDOK)) return 0;
    CurrentShellState().settings.soundWarning = dialog.isChecked(IDC_NO_WARNING) ? 0 : 1;
    RestorePointer(WARNING_COUNT);
    dialog.end(0);
    return 0;
}

std::intptr_t QuitDlgProc(ModalDialog& dialog, std::uint32_t message, std::uintptr_t wParam) {
    ShellState& s = CurrentShellState();
    if (message == WM_INITDIALOG) {
        s.dialogOpen = 1;
        ShowPointer(QUIT_COUNT);
        char text[100];
        std::snprintf(text, sizeof text, "%s %s", ShellTitle().c_str(),
                      utf8ToCp932(u8"を").value_or("").c_str());
        dialog.setItemText(IDC_QUIT_TITLE, text);
        return 1;
    }
    const bool yes = message == WM_COMMAND && wParam == IDC_YES;
    if (!yes && !IsCloseOr(message, wParam, IDC_NO)) return 0;
    RestorePointer(QUIT_COUNT);
    s.dialogOpen = 0;
    dialog.end(yes ? 1 : 0);
    return 1;
}
