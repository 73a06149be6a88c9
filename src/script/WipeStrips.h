#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "platform/video/Rect.h"

// Which edge of every strip travels across the screen: the right edge while a
// picture covers the screen, the left edge while it uncovers the picture behind.
enum class WIPE_EDGE { Right, Left };

// How the strips are timed: all at one speed, each starting behind by its own
// offset; or all starting together, each with its own duration.
enum class WIPE_SCHEDULE { Staggered, PerStrip };

// The geometry of a strip wipe over a screen of W x H pixels, cut into N horizontal
// strips h = H / N rows high. Positions depend only on the start rectangles and the
// elapsed time, so a late frame never drifts.
class WipeStrips {
public:
    using Random = std::function<std::int32_t()>;

    WipeStrips(std::int32_t nWidth, std::int32_t nHeight, WIPE_EDGE edge, WIPE_SCHEDULE schedule)
        : width_(nWidth), height_(nHeight), edge_(edge), schedule_(schedule) {}

    // The start rectangle of every strip of start (N = its size, at least 1) and,
    // for the per-strip schedule, its duration from the command's dwDuration;
    // random gives the offsets or the durations of the strips between the first and
    // the last, in strip order.
    void Start(std::span<platform::Rect> start, std::span<std::uint32_t> durations,
               std::uint32_t dwDuration, const Random& random) const;
    // Every strip of current dwElapsed ms after the start, from its start rectangle
    // and its own duration (per-strip) or the command's dwDuration (staggered). True
    // once the last strip's moving edge has reached the screen's right side, and
    // when there are no strips.
    bool Grow(std::span<const platform::Rect> start, std::span<const std::uint32_t> durations,
              std::uint32_t dwDuration, std::uint32_t dwElapsed,
              std::span<platform::Rect> current) const;

private:
    platform::Rect At(const platform::Rect& start, std::uint32_t dwDuration,
                      std::uint32_t dwElapsed) const;
    std::int32_t Offset(std::size_t i, std::size_t n, const Random& random) const;

    std::int32_t width_;
    std::int32_t height_;
    WIPE_EDGE edge_;
    WIPE_SCHEDULE schedule_;
};
