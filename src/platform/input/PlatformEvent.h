#pragma once

#include <cstdint>

namespace platform {

// What a window backend reports, already free of the library that produced it.
// Pointer positions are client coordinates of the game area (the strip lies at
// y -20..-1); keys are virtual-key codes.
struct PlatformEvent {
    enum class Kind {
        KeyDown,
        KeyUp,
        ButtonDown,
        ButtonUp,
        PointerMoved,
        CloseRequest,
        FocusGained,
        FocusLost,
        Exposed,
        Moved,
        Resized,
        Posted,           // message holds the posted window message
        InstanceRequest,  // a second start asked to bring the window forward
        Terminate,        // a termination signal
    };

    Kind kind = Kind::Exposed;
    int key = 0;
    bool repeat = false;
    bool shift = false;
    int x = 0;
    int y = 0;
    std::uint32_t message = 0;
};

}  // namespace platform
