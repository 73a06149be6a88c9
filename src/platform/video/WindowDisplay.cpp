#include "platform/video/WindowDisplay.h"

#include "platform/window/WindowHost.h"

namespace platform {

void WindowDisplay::show(const Surface& primary, const Rect& changed) {
    host_.setExternalLayers(&externalLayers());
    host_.presentFrame(primary, changed);
}

void WindowDisplay::showLayers() {
    host_.setExternalLayers(&externalLayers());
    host_.refresh();
}

}  // namespace platform
