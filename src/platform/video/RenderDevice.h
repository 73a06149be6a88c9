#pragma once

#include "platform/video/RenderState.h"

namespace platform {

// The drawing state the sprite rasteriser reads, and the scene bracket.
struct RenderDevice {
    RenderState state;
    bool sceneOpen = false;
};

}  // namespace platform
