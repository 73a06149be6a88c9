#pragma once

#include <cstdint>

// The shell's actions that the game calls, handed to the game with the shell's words
// as the shell starts it.
class GameHost {
public:
    virtual ~GameHost() = default;

    // Puts the menu strip above the game area (true) or takes it away.
    virtual void SetMenuAttached(bool bAttached) = 0;
    // Enables (on non-zero) or greys the menu items of mask: 1 Save, 2 Load,
    // 4 Settings, 8 Help. 1 done, 0 failure.
    virtual int MenuStatusChange(std::int32_t nMask, std::uint32_t nOn) = 0;
    // Switches the window between window and full screen at a colour depth: 1 switched
    // or nothing to do, -1 failed with the previous mode kept, 0 left without a display
    // (or no window).
    virtual std::int32_t ChangeScreenMode(std::uint32_t nFullScreen,
                                          std::uint32_t nColourDepth) = 0;
    // Sends the main window the destroy message and returns once it is handled: the
    // shell asks whether to quit and, on yes, only posts the quit, so the frame that
    // asked finishes on live objects.
    virtual void SendDestroyMessage() = 0;
};
