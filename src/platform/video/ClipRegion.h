#pragma once

#include <utility>
#include <vector>

#include "platform/video/Rect.h"

namespace platform {

// The visible part of a surface as a list of rectangles; blits draw only inside them.
class ClipRegion {
public:
    ClipRegion() = default;
    explicit ClipRegion(std::vector<Rect> rects) : rects_(std::move(rects)) {}

    const std::vector<Rect>& rects() const { return rects_; }

private:
    std::vector<Rect> rects_;
};

}  // namespace platform
