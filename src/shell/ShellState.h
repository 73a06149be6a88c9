#pragma once

#include <cstdint>

#include "game/ShellWords.h"

namespace platform {
class MenuStrip;
class WindowHost;
}  // namespace platform
class ShellEngine;

// One run of the shell: the words it shares with the game, what the run works with,
// the frame loop's switches and the dialogs' saved pointer counts. One record per
// run of the entry, so that a process can run the shell many times.
struct ShellState : ShellWords {
    // What this run works with.
    ShellEngine* engine = nullptr;
    platform::WindowHost* host = nullptr;

    platform::MenuStrip* hMenu = nullptr;
    std::uint32_t appActive = 0;
    std::uint32_t windowStyle = 0;
    // 1 while the pointer is in the full-screen strip's band and the strip is shown.
    std::uint32_t menuBarShown = 0;
    std::uint32_t dialogOpen = 0;
    std::uint32_t askOnQuit = 1;
    std::uint32_t libraryInitialised = 0;
    // The game object started in this run, so releasing it is safe.
    std::uint32_t gameInitialised = 0;
    // Start-up failed or a frame failed: the run ends with status 1.
    std::uint32_t failed = 0;
    // env.env was there but could not be read: the run ends without replacing it.
    bool envWithheld = false;
    // The pointer's display count before each dialog opened: about, warning, quit.
    int savedCursorCount[3] = {};
};

// The record of the current run. A default record exists before any run.
ShellState& CurrentShellState();

// Replaces the current record with a fresh one; the entry calls it as it starts.
ShellState& BeginShellState();
