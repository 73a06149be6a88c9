#pragma once

#include <cstdint>

#include "platform/input/InputSource.h"

class ShellEngine;

// The window style word after a switch back from full screen.
constexpr std::uint32_t kSwitchedWindowStyle = 0x10C80000;

// Switches the running game between the window and full screen at a colour depth
// (clamped to 16 and the deepest the display gives). 1 switched or nothing to do;
// -1 the switch failed and the previous mode is back; 0 for a null window, or when
// the graphics object is left without a display.
int ChangeScreenMode(std::uint32_t nFull, std::uint32_t nDepth, platform::WindowHandle hWnd);

// In full screen, shows the strip while the pointer is in the top band: 0 the strip
// is showing (drawing pauses), 1 draw as usual, 2 the opening movie is playing (the
// pause stays as it is), -1 a null argument.
int DrawMenuBarFullScreen(platform::WindowHandle hWnd, ShellEngine* engine);

// Centres the window on its display: 1 moved, 0 not.
int CenterWindow(platform::WindowHandle hWnd);

// Asks the strip to drop the window's system commands, then redraws it. 1 only when
// every step succeeded, which the strip of menu commands never allows.
int RemoveSystemCommands(platform::WindowHandle hWnd);
