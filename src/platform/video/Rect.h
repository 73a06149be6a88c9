#pragma once

#include <cstdint>

namespace platform {

// A rectangle covering [left, right) x [top, bottom).
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int64_t width() const { return std::int64_t{right} - left; }
    std::int64_t height() const { return std::int64_t{bottom} - top; }
    bool empty() const { return width() <= 0 || height() <= 0; }
    bool operator==(const Rect&) const = default;
};

// A rectangle from wider arithmetic; each edge is held to the 32-bit range.
Rect SaturatedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// The part of a and b that lies in both; empty when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);

// The smallest rectangle holding both; an empty one adds nothing.
Rect Enclose(const Rect& a, const Rect& b);

}  // namespace platform
