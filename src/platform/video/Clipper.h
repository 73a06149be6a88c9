#pragma once

#include <optional>

#include "platform/video/ClipRegion.h"

namespace platform {

// Holds the clip list of the surface it is attached to; without a list it clips nothing.
struct Clipper {
    std::optional<ClipRegion> list;
};

}  // namespace platform
