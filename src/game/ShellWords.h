#pragma once

#include <cstdint>

#include "game/SettingsWords.h"
#include "platform/input/InputSource.h"

// The shell's words that the game reads and writes: the window, the drawing
// switches, whether sound may be used, the menu requests of one frame and the
// settings kept in env.env. The shell owns the record of its run and hands it to
// the game as it starts it.
struct ShellWords {
    platform::WindowHandle hWnd = nullptr;
    std::uint32_t drawStop = 0;
    std::uint32_t prevDrawStop = 0;
    std::uint32_t soundAvailable = 1;
    std::uint32_t saveRequest = 0;
    std::uint32_t loadRequest = 0;
    std::uint32_t configRequest = 0;

    // The settings kept in env.env.
    SettingsWords settings;
};
