#include "platform/WindowDisplay.h"

#include "platform/WindowHost.h"

namespace platform {

void WindowDisplay::show(const Surface& primary) { host_.presentFrame(primary); }

}  // namespace platform
