#include "mkdemo/UiKit.h"

#include <cmath>

#include "mkdemo/ArtStyle.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

void VerticalFill(cairo_t* cr, double y0, double y1, std::uint32_t top, std::uint32_t bottom) {
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y0, 0, y1);
    AddStop(fill, 0, top);
    AddStop(fill, 1, bottom);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

}  // namespace

UiKit::Look UiKit::LookOf(State state) {
    switch (state) {
        case State::Hover:
            return {0x4C5D96, ArtStyle::kPanelLight, ArtStyle::kGoldLight};
        case State::Pressed:
            return {0xA88450, ArtStyle::kPressed, ArtStyle::kGoldLight};
        case State::Selected:
            return {ArtStyle::kGoldLight, ArtStyle::kGold, ArtStyle::kInkShadow};
        case State::Disabled:
            return {ArtStyle::kDisabled, 0x43465A, 0x9A9EAE};
        default:
            return {ArtStyle::kPanelLight, ArtStyle::kPanel, ArtStyle::kInk};
    }
}

void UiKit::Tile(cairo_t* cr, const SheetCell& cell, State state, double radius) {
    const Look look = LookOf(state);
    const double w = cell.right - cell.left;
    const double h = cell.bottom - cell.top;
    RoundedRect(cr, cell.left, cell.top, w, h, radius);
    VerticalFill(cr, cell.top, cell.bottom, look.top, look.bottom);
    RoundedRect(cr, cell.left + 0.5, cell.top + 0.5, w - 1, h - 1, radius);
    SetColor(cr, ArtStyle::kInkShadow, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void UiKit::PanelFill(cairo_t* cr, double x, double y, double w, double h, double panelTop,
                      double panelBottom) {
    cairo_rectangle(cr, x, y, w, h);
    VerticalFill(cr, panelTop, panelBottom, ArtStyle::kPanelLight, ArtStyle::kPanel);
}

void UiKit::RimRect(cairo_t* cr, int left, int top, int right, int bottom, std::uint32_t rgb) {
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

void UiKit::Rim(cairo_t* cr, const SheetCell& cell, std::size_t index) {
    RimRect(cr, cell.left, cell.top, cell.right, cell.bottom, ArtStyle::RimColor(index));
}

void UiKit::Rule(cairo_t* cr, double x0, double x1, double y, double alpha) {
    cairo_pattern_t* line = cairo_pattern_create_linear(x0, 0, x1, 0);
    AddStop(line, 0, ArtStyle::kGold, 0);
    AddStop(line, 0.5, ArtStyle::kGold, alpha);
    AddStop(line, 1, ArtStyle::kGold, 0);
    cairo_rectangle(cr, x0, y, x1 - x0, 1);
    cairo_set_source(cr, line);
    cairo_fill(cr);
    cairo_pattern_destroy(line);
}

void UiKit::Crescent(cairo_t* cr, double cx, double cy, double r, std::uint32_t rgb) {
    cairo_push_group(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    SetColor(cr, rgb);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_arc(cr, cx + r * 0.45, cy - r * 0.25, r * 0.82, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

}  // namespace mkdemo
