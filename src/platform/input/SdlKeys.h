#pragma once

#include <vector>

namespace platform {

// The virtual-key code of an SDL key (keycode and scancode as SDL reports them);
// 0 for a key the engine has no code for. Letters and digits follow the character
// the key types in the current layout.
int SdlKeyToVirtualKey(int keycode, int scancode);

// The SDL scancodes that hold a virtual key down; empty for mouse buttons and
// unknown codes.
std::vector<int> VirtualKeyScancodes(int virtualKey);

}  // namespace platform
