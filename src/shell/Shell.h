#pragma once

#include <cstdint>

#include "platform/window/ModalDialog.h"

class ShellEngine;
namespace platform {
class WindowHost;
}

// The program's entry: one instance per guard name, the window on host, the
// engine brought up, the frame loop, and everything released and saved at the
// end. 0 after a quit the player or a signal asked for (and for a second
// instance), 1 when start-up or a frame failed.
int WinMain(ShellEngine& engine, platform::WindowHost& host, const char* instanceName);

// The start of each pass of the main loop: every waiting event goes to the window
// procedure, then the media graphs present what is due. False once a quit is
// posted, with the graphs left as they were.
bool BeginLoopPass(platform::WindowHost& host);

int LibraryInitialize();
int LibraryRelease();
int AppMain();
int AppDraw();
void ClearMenuRequests();

std::intptr_t WndProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
std::intptr_t AboutDlgProc(platform::ModalDialog& dialog, std::uint32_t message,
                           std::uintptr_t wParam);
std::intptr_t SoundWarningDlgProc(platform::ModalDialog& dialog, std::uint32_t message,
                                  std::uintptr_t wParam);
std::intptr_t QuitDlgProc(platform::ModalDialog& dialog, std::uint32_t message,
                          std::uintptr_t wParam);

// Enables (on non-zero) or greys the menu items of mask: 1 Save, 2 Load,
// 4 Settings, 8 Help. 1 done, 0 failure.
int MenuStatusChange(std::int32_t nMask, std::uint32_t nOn);
