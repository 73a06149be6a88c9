#pragma once

#include <cstdint>

namespace platform {

// Window messages as the engine knows them (the Windows values).
enum WindowMessageId : std::uint32_t {
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ACTIVATEAPP = 0x001C,
    WM_KEYDOWN = 0x0100,
    WM_INITDIALOG = 0x0110,
    WM_COMMAND = 0x0111,
    WM_ENTERMENULOOP = 0x0211,
    WM_EXITMENULOOP = 0x0212,
    WM_DSHOW_EVENT = 0x8002,  // 0x8002 + graph type: voice, audio, movie
};

constexpr std::uint32_t kGraphEventCount = 3;

}  // namespace platform
