#include "mkdemo/EventShapes.h"

#include <cmath>

#include "mkdemo/ArtCanvas.h"

namespace mkdemo {

std::uint32_t EventShapes::Mix(std::uint32_t from, std::uint32_t to, double share) {
    std::uint32_t mixed = 0;
    for (const int shift : {16, 8, 0}) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        mixed |= static_cast<std::uint32_t>(std::lround(a + (b - a) * share)) << shift;
    }
    return mixed;
}

void EventShapes::Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

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
