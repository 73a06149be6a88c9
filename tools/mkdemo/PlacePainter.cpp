#include "mkdemo/PlacePainter.h"

#include <cmath>

#include "mkdemo/ArtStyle.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A crescent: the moon's disc with a second disc taken out of it.
void Crescent(cairo_t* cr, double cx, double cy, double r) {
    cairo_push_group(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_pattern_t* light = cairo_pattern_create_radial(cx - r / 2, cy - r / 2, r / 8, cx, cy, r);
    AddStop(light, 0, 0xFFFBEA);
    AddStop(light, 1, ArtStyle::kGoldLight);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_arc(cr, cx + r * 0.45, cy - r * 0.2, r * 0.85, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

// One pair of a moth's wings, drawn for the right side and mirrored for the left.
void MothWing(cairo_t* cr, double side) {
    cairo_save(cr);
    cairo_scale(cr, side, 1);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 18, -30, 52, -34, 58, -12);
    cairo_curve_to(cr, 60, 2, 36, 6, 14, 4);
    cairo_curve_to(cr, 34, 12, 40, 30, 24, 36);
    cairo_curve_to(cr, 12, 38, 4, 20, 0, 6);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Moth(cairo_t* cr, double x, double y, double scale) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_pattern_t* wing = cairo_pattern_create_linear(0, -34, 0, 36);
    AddStop(wing, 0, 0xE9F1FF);
    AddStop(wing, 1, ArtStyle::kMoon);
    for (const double side : {1.0, -1.0}) MothWing(cr, side);
    cairo_set_source(cr, wing);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(wing);
    SetColor(cr, ArtStyle::kPanel);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_scale(cr, 1, 4);
    cairo_arc(cr, 0, 2.5, 4, 0, 2 * kPi);
    cairo_restore(cr);
    SetColor(cr, ArtStyle::kPanel);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The title: the crescent with the moth resting in it, the name beneath.
void PaintLogo(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    Crescent(cr, 200, 92, 72);
    Moth(cr, 176, 104, 0.9);
    canvas.label("月蛾の冠", 200, 196, 48, ArtStyle::kInk, ArtStyle::kInkShadow, 3);
}

}  // namespace

bool PlacePainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    if (entry.stem == "Logo") {
        PaintLogo(canvas);
        return true;
    }
    return false;
}

}  // namespace mkdemo
