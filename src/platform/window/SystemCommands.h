#pragma once

namespace platform {

// The window's system commands, with the numbers the engine knows them by.
enum SystemCommand : int {
    SC_SIZE = 0xF000,
    SC_MINIMIZE = 0xF020,
    SC_MAXIMIZE = 0xF030,
    SC_CLOSE = 0xF060,
    SC_RESTORE = 0xF120,
};

}  // namespace platform
