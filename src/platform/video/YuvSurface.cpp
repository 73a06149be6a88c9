#include "platform/video/YuvSurface.h"

#include <algorithm>

namespace platform {

YuvSurface::YuvSurface(int width, int height, std::uint32_t fourCC, int pitch)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      fourCC_(fourCC),
      pitch_(std::max(pitch, 2 * width_)),
      bytes_(static_cast<std::size_t>(pitch_) * height_, 0) {}

}  // namespace platform
