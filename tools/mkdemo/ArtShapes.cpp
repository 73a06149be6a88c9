#include "mkdemo/ArtShapes.h"

#include <cmath>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

void ArtShapes::Crescent(cairo_t* cr, double cx, double cy, double r, std::uint32_t inner,
                         std::uint32_t outer) {
    cairo_push_group(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_pattern_t* light = cairo_pattern_create_radial(cx - r / 2, cy - r / 2, r / 8, cx, cy, r);
    AddStop(light, 0, inner);
    AddStop(light, 1, outer);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_arc(cr, cx + r * 0.45, cy - r * 0.2, r * 0.85, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

std::uint32_t ArtShapes::Mix(std::uint32_t from, std::uint32_t to, double share) {
    std::uint32_t mixed = 0;
    for (const int shift : {16, 8, 0}) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        mixed |= static_cast<std::uint32_t>(std::lround(a + (b - a) * share)) << shift;
    }
    return mixed;
}

void ArtShapes::Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

void ArtShapes::Sparkle(cairo_t* cr, double x, double y, double size) {
    cairo_move_to(cr, x, y - size);
    cairo_curve_to(cr, x, y, x, y, x + size, y);
    cairo_curve_to(cr, x, y, x, y, x, y + size);
    cairo_curve_to(cr, x, y, x, y, x - size, y);
    cairo_curve_to(cr, x, y, x, y, x, y - size);
    cairo_close_path(cr);
}

void ArtShapes::RimRect(cairo_t* cr, int left, int top, int right, int bottom, std::uint32_t rgb) {
    const int w = right - left;
    const int h = bottom - top;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    SetColor(cr, rgb);
    cairo_rectangle(cr, left + 2, top + 2, w - 4, 1);
    cairo_rectangle(cr, left + 2, bottom - 3, w - 4, 1);
    cairo_rectangle(cr, left + 2, top + 3, 1, h - 6);
    cairo_rectangle(cr, right - 3, top + 3, 1, h - 6);
    cairo_fill(cr);
    cairo_restore(cr);
}

void ArtShapes::CellRim(cairo_t* cr, const SheetCell& cell, std::size_t index) {
    RimRect(cr, cell.left, cell.top, cell.right, cell.bottom, ArtStyle::RimColor(index));
}

}  // namespace mkdemo
