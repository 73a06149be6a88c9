#include "platform/video/WindowDisplay.h"

#include "platform/window/WindowHost.h"

namespace platform {

void WindowDisplay::show(const Surface& primary) {
    host_.setExternalLayers(&externalLayers());
    host_.presentFrame(primary);
}

void WindowDisplay::showLayers() {
    host_.setExternalLayers(&externalLayers());
    host_.refresh();
}

}  // namespace platform
