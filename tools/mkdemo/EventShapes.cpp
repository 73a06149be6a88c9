#include "mkdemo/EventShapes.h"

#include <cmath>

#include "mkdemo/ArtCanvas.h"

namespace mkdemo {

void EventShapes::FillDown(cairo_t* cr, double top, double bottom, std::uint32_t upper,
                           std::uint32_t lower) {
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
    AddStop(fill, 0, upper);
    AddStop(fill, 1, lower);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

void EventShapes::Glow(cairo_t* cr, double x, double y, double radius, std::uint32_t rgb,
                       double alpha) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    AddStop(glow, 0, rgb, alpha);
    AddStop(glow, 1, rgb, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, x, y, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

}  // namespace mkdemo
