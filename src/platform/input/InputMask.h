#pragma once

#include <array>
#include <atomic>

#include "platform/input/VirtualKeys.h"

namespace platform {

// Keys and buttons that went down while a dialog or the menu loop was open. They
// read up to the game until they have been released, so that the Return that
// answers a dialog never reaches the game as a click.
class InputMask {
public:
    void mask(int virtualKey);
    // The state the game may see for a key whose real state is down.
    bool filter(int virtualKey, bool down);

private:
    std::array<std::atomic<bool>, kVirtualKeyCount> masked_{};
};

}  // namespace platform
