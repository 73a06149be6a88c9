#include "platform/video/Letterbox.h"

#include <algorithm>
#include <cmath>

#include "platform/input/InputSource.h"

namespace platform {

Letterbox::Letterbox(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return;
    scale_ = std::min(static_cast<double>(windowWidth) / pictureWidth,
                      static_cast<double>(windowHeight) / pictureHeight);
    if (scale_ <= 0) scale_ = 1.0;
    width_ = static_cast<int>(std::lround(pictureWidth * scale_));
    height_ = static_cast<int>(std::lround(pictureHeight * scale_));
    left_ = (windowWidth - width_) / 2;
    top_ = (windowHeight - height_) / 2;
}

PointerPosition Letterbox::windowToClient(int x, int y) const {
    const int px = static_cast<int>(std::floor((x - left_) / scale_));
    const int py = static_cast<int>(std::floor((y - top_) / scale_));
    return {px, py - kStripRows};
}

PointerPosition Letterbox::clientToWindow(PointerPosition client) const {
    // Halves round down, so that at scale 1 the centre lands on the pixel itself.
    auto nearest = [this](int origin, int pixel) {
        return static_cast<int>(std::ceil(origin + (pixel + 0.5) * scale_ - 0.5));
    };
    return {nearest(left_, client.x), nearest(top_, client.y + kStripRows)};
}

}  // namespace platform
