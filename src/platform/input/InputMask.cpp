#include "platform/input/InputMask.h"

namespace platform {

void InputMask::mask(int virtualKey) {
    if (virtualKey > 0 && virtualKey < kVirtualKeyCount) masked_[virtualKey] = true;
}

bool InputMask::filter(int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey >= kVirtualKeyCount || !masked_[virtualKey]) return down;
    if (!down) masked_[virtualKey] = false;
    return false;
}

}  // namespace platform
