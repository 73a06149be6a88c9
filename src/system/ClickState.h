#pragma once

#include "platform/input/VirtualKeys.h"
#include "system/ZKSYSTEM.h"

// A click's key state as the game reads it: the left button's, or Return's while the
// left button is up, so that Return clicks for a player without a mouse.
KEY_STATE ClickState(const ZKSYSTEM& system);

// A click released in this frame.
inline bool Clicked(const ZKSYSTEM& system) { return ClickState(system) == KEY_STATE_RELEASED; }

// A key released in this frame.
inline bool Released(const ZKSYSTEM& system, int nVirtualKey) {
    return system.GetVKeyStatus(nVirtualKey) == KEY_STATE_RELEASED;
}

// Letter keys have their capital's code.
constexpr int VkLetter(char c) { return platform::VK_A + (c - 'A'); }

// What a screen's standby step reads once, at its top: the pointer, the click and the
// right button.
struct POINTER_INPUT {
    int nX = 0;
    int nY = 0;
    KEY_STATE click = KEY_STATE_UP;
    KEY_STATE right = KEY_STATE_UP;
};

inline POINTER_INPUT ReadPointerInput(const ZKSYSTEM& system) {
    POINTER_INPUT input;
    system.GetMousePos(&input.nX, &input.nY);
    input.click = ClickState(system);
    input.right = system.GetVKeyStatus(platform::VK_RBUTTON);
    return input;
}
