#pragma once

#include <cairo.h>

#include <cstdint>

#include "mkdemo/SkyPainter.h"

namespace mkdemo {

// The town outdoors: hills, rows of houses with their windows, lamps, and the
// festival's lantern strings and bunting.
class TownPainter {
public:
    // A rolling ridge from base - height to base, filled down to bottom with a
    // gradient from its lit top to its foot.
    static void Hills(cairo_t* cr, double width, double base, double height, double bottom,
                      double phase, std::uint32_t top, std::uint32_t foot);
    // A row of houses standing on groundY from x0 to x1, each `scale` tall, the
    // windows lit as the hour asks; the same row for the same seed.
    static void Houses(cairo_t* cr, double x0, double x1, double groundY, double scale,
                       std::uint32_t wall, Hour hour, unsigned seed);
    // Paper lanterns hanging from a sagging cord between two points.
    static void Lanterns(cairo_t* cr, double x0, double y0, double x1, double y1, double sag,
                         int count, bool lit);
    // Small flags hanging from a sagging cord between two points.
    static void Bunting(cairo_t* cr, double x0, double y0, double x1, double y1, double sag,
                        int count, Hour hour);
    // A street lamp standing on groundY, lit or not.
    static void StreetLamp(cairo_t* cr, double x, double groundY, double height, bool lit);
    // A ground band from top to bottom, lighter at its far edge.
    static void Ground(cairo_t* cr, double width, double top, double bottom, std::uint32_t far,
                       std::uint32_t near);
};

}  // namespace mkdemo
