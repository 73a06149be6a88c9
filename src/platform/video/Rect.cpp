#include "platform/video/Rect.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

Rect SaturatedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    return Rect{Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

Rect Intersect(const Rect& a, const Rect& b) {
    return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

Rect Enclose(const Rect& a, const Rect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace platform
