#pragma once

#include "game/GameHost.h"

// The shell's actions for the game, on the current run's window and menu.
class ShellGameHost final : public GameHost {
public:
    void SetMenuAttached(bool bAttached) override;
    int MenuStatusChange(std::int32_t nMask, std::uint32_t nOn) override;
    std::int32_t ChangeScreenMode(std::uint32_t nFullScreen, std::uint32_t nColourDepth) override;
    void SendDestroyMessage() override;
};
