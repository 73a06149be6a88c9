#pragma once

#include <cstdint>
#include <span>

namespace platform {

// The virtual-key code of an SDL key (keycode and scancode as SDL reports them);
// 0 for a key the engine has no code for. Letters and digits follow the character
// the key types in the current layout.
int SdlKeyToVirtualKey(int keycode, int scancode);

// Whether a key that holds the virtual key down is down in SDL's keyboard state (a
// byte per scancode); never for mouse buttons and unknown codes.
bool VirtualKeyDown(int virtualKey, std::span<const std::uint8_t> keys);

}  // namespace platform
