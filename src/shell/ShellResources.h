#pragma once

#include <string>

#include "platform/window/DialogTemplate.h"

namespace platform {
class MenuStrip;
}

enum ShellResourceId : int {
    IDR_MENU = 101,
    IDM_SAVE = 102,
    IDM_LOAD = 103,
    IDM_CONFIG = 104,
    IDM_HELP = 105,
    IDD_ABOUT = 106,
    IDD_SOUND_WARNING = 107,
    IDD_QUIT = 108,
    IDOK = 1,
    IDC_NO_WARNING = 1002,
    IDC_YES = 1003,
    IDC_NO = 1004,
    IDC_QUIT_TITLE = 1005,
    IDC_APP_NAME = 1006,
    IDC_VERSION = 1007,
    IDC_NOTICE = 1008,
};

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr unsigned kWindowStyle = 0x10080000;

// The title in the game's code page, for the dialogs; the window manager gets UTF-8.
std::string ShellTitle();

// Menu 101 on the strip.
void BuildShellMenu(platform::MenuStrip& menu);

platform::DialogTemplate AboutDialog();
platform::DialogTemplate SoundWarningDialog();
platform::DialogTemplate QuitDialog();
