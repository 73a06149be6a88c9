#pragma once

#include <cstdint>
#include <memory>

#include "platform/video/RenderDevice.h"
#include "platform/video/Surface.h"

namespace platform {

class Display;

// A rendering context: its device, the display that made it (which also plays
// the part of the surface factory) and the two surfaces of the swap chain, which
// it owns. Any part may be missing when the display could not supply it.
struct DisplayContext {
    std::unique_ptr<RenderDevice> device;
    Display* directDraw = nullptr;
    std::shared_ptr<Surface> primary;
    std::shared_ptr<Surface> backBuffer;
    std::uint32_t clearColor = 0;  // 0xAARRGGBB
    // The primary's version right after the last frame was copied into it.
    std::uint64_t presentedVersion = 0;
};

}  // namespace platform
