#pragma once

#include <cstdint>

struct GameContext;

// The return button a replayed scene adds to the message window: a 120 x 32 plate at
// the window's lower right that ends the replay. It has no slide of its own and
// follows the window, whose place the caller passes in every frame.
class RECURDO_DATA {
public:
    static constexpr int kSurface = 32;

    RECURDO_DATA();
    RECURDO_DATA(const RECURDO_DATA&) = delete;
    RECURDO_DATA& operator=(const RECURDO_DATA&) = delete;

    // Over a complete context: the plate's picture loaded. 1, or 0 with the failure
    // logged.
    std::uint32_t Initialize(const GameContext* pContextIn);
    void Release();
    // One frame with the pointer at (nMouseX, nMouseY) and the window at (nWndX, nWndY):
    // 0 off the button, 1 on it, 2 clicked (released on it).
    std::int32_t RecurdoStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nWndX,
                                std::int32_t nWndY, std::int32_t nClick);
    // Draws the look of the last standby; returns 1.
    std::uint32_t Draw(std::int32_t nWndX, std::int32_t nWndY);

    std::uint32_t nInitFlg = 0;
    const GameContext* pContext = nullptr;
    // The pointer was on the button at the last standby.
    std::int32_t nHoverFlg = 0;
    // 0 normal, 1 hovered, 2 pressed.
    std::int32_t nState = 0;

private:
    void PlayEffect(int nEffect) const;
};
