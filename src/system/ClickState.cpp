#include "system/ClickState.h"

#include "platform/input/VirtualKeys.h"

KEY_STATE ClickState(const ZKSYSTEM& system) {
    const KEY_STATE left = system.GetVKeyStatus(platform::VK_LBUTTON);
    return left != KEY_STATE_UP ? left : system.GetVKeyStatus(platform::VK_RETURN);
}
