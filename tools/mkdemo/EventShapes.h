#pragma once

#include <cairo.h>

#include <cstdint>

namespace mkdemo {

// The small drawing steps the event pictures' painters share.
struct EventShapes {
    static constexpr double kPi = 3.14159265358979323846;

    // Fills the current path with a gradient from top to bottom.
    static void FillDown(cairo_t* cr, double top, double bottom, std::uint32_t upper,
                         std::uint32_t lower);
    // A soft round light fading out to its radius.
    static void Glow(cairo_t* cr, double x, double y, double radius, std::uint32_t rgb,
                     double alpha);
};

}  // namespace mkdemo
