#pragma once

#include <cstdint>

#include "platform/InputSource.h"

namespace platform {
class MenuStrip;
class WindowHost;
}  // namespace platform
class ShellEngine;

// The shell's words: the window, the frame loop's switches, the settings read from
// env.env and the menu requests of one frame. One record per run of the entry, so
// that a process can run the shell many times; the engine reads the sound words
// and the drawing switches from here.
struct ShellState {
    // What this run works with.
    ShellEngine* engine = nullptr;
    platform::WindowHost* host = nullptr;

    platform::WindowHandle hWnd = nullptr;
    platform::MenuStrip* hMenu = nullptr;
    std::uint32_t appActive = 0;
    std::uint32_t windowStyle = 0;
    std::uint32_t drawStop = 0;
    std::uint32_t prevDrawStop = 0;
    std::uint32_t dialogOpen = 0;
    std::uint32_t askOnQuit = 1;
    std::uint32_t libraryInitialised = 0;
    std::uint32_t soundAvailable = 1;
    std::uint32_t saveRequest = 0;
    std::uint32_t loadRequest = 0;
    std::uint32_t configRequest = 0;
    // The game object started in this run, so releasing it is safe.
    std::uint32_t gameInitialised = 0;
    // Start-up failed or a frame failed: the run ends with status 1.
    std::uint32_t failed = 0;
    // The pointer's display count before each dialog opened: about, warning, quit.
    int savedCursorCount[3] = {};

    // Settings words, kept in env.env.
    std::uint32_t soundWarning = 1;
    std::uint32_t fullScreen = 0;
    std::uint32_t colourDepth = 32;
    std::uint32_t bgmOn = 1;
    std::uint32_t voiceOn = 1;
    std::uint32_t seOn = 1;
    std::uint32_t bgmVolume = 1;
    std::uint32_t voiceVolume = 1;
    std::uint32_t seVolume = 1;
};

// The record of the current run. A default record exists before any run.
ShellState& CurrentShellState();

// Replaces the current record with a fresh one; the entry calls it as it starts.
ShellState& BeginShellState();
