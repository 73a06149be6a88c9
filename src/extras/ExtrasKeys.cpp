#include "extras/ExtrasKeys.h"

#include "platform/input/VirtualKeys.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr int kArrowKeys[] = {platform::VK_LEFT, platform::VK_RIGHT, platform::VK_UP,
                              platform::VK_DOWN};

}  // namespace

void ExtrasKeyCursorMove(ZKSYSTEM& system, const ARROW_TARGETS& targets) {
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const platform::Rect* target = targets[k];
        if (target == nullptr || system.GetVKeyStatus(kArrowKeys[k]) != KEY_STATE_RELEASED) {
            continue;
        }
        system.SetMousePos(target->left + (target->right - target->left) / 2,
                           target->top + (target->bottom - target->top) / 2);
    }
}
