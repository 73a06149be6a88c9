#include "script/WipeStrips.h"

#include <algorithm>

namespace {

// A duration that divides, or that a strip runs for, is at least 1 ms: a strip of 0 ms
// would move at an infinite speed.
std::uint32_t AtLeastOne(std::uint32_t dw) { return std::max<std::uint32_t>(dw, 1); }

// The strip's own duration: the first takes a fifth of the command's, the last all
// of it, the ones between a random time from the fifth up to the whole.
std::uint32_t StripDuration(std::size_t i, std::size_t n, std::uint32_t d,
                            const WipeStrips::Random& random) {
    if (i + 1 == n) return d;
    const std::uint32_t fifth = d / 5;
    if (i == 0) return AtLeastOne(fifth);
    return AtLeastOne(static_cast<std::uint32_t>(random()) % (d - fifth) + fifth);
}

}  // namespace

// How far strip i starts behind: the first not at all, the last half the screen,
// the ones between a random part of that.
std::int32_t WipeStrips::Offset(std::size_t i, std::size_t n, const Random& random) const {
    const std::int32_t half = width_ / 2;
    if (i + 1 == n) return half;
    if (i == 0 || half == 0) return 0;
    return random() % half;
}

void WipeStrips::Start(std::span<platform::Rect> start, std::span<std::uint32_t> durations,
                       std::uint32_t dwDuration, const Random& random) const {
    const std::size_t n = start.size();
    const std::int32_t h = height_ / static_cast<std::int32_t>(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t behind =
            schedule_ == WIPE_SCHEDULE::Staggered ? Offset(i, n, random) : 0;
        platform::Rect& rc = start[i];
        rc.top = static_cast<std::int32_t>(i) * h;
        rc.bottom = rc.top + h;
        rc.left = edge_ == WIPE_EDGE::Left ? -behind : 0;
        rc.right = edge_ == WIPE_EDGE::Left ? width_ : -behind;
        if (schedule_ == WIPE_SCHEDULE::PerStrip) {
            durations[i] = StripDuration(i, n, AtLeastOne(dwDuration), random);
        }
    }
}

platform::Rect WipeStrips::At(const platform::Rect& start, std::uint32_t dwDuration,
                              std::uint32_t dwElapsed) const {
    // Past twice the width every edge has reached the right side, so the distance is
    // held there before it becomes an integer, however late the frame.
    const double speed = static_cast<double>(width_) / AtLeastOne(dwDuration);
    const double travel = std::min(speed * dwElapsed, 2.0 * width_);
    const std::int64_t p = static_cast<std::int64_t>(travel);
    platform::Rect rc = start;
    std::int32_t& moving = edge_ == WIPE_EDGE::Left ? rc.left : rc.right;
    moving = static_cast<std::int32_t>(std::min<std::int64_t>(moving + p, width_));
    return rc;
}

bool WipeStrips::Grow(std::span<const platform::Rect> start,
                      std::span<const std::uint32_t> durations, std::uint32_t dwDuration,
                      std::uint32_t dwElapsed, std::span<platform::Rect> current) const {
    for (std::size_t i = 0; i < current.size(); ++i) {
        const std::uint32_t d = schedule_ == WIPE_SCHEDULE::PerStrip ? durations[i] : dwDuration;
        current[i] = At(start[i], d, dwElapsed);
    }
    if (current.empty()) return true;
    const platform::Rect& last = current.back();
    return (edge_ == WIPE_EDGE::Left ? last.left : last.right) >= width_;
}
