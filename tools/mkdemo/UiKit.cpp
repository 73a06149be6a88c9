#include "mkdemo/UiKit.h"

#include <cmath>

#include "mkdemo/ArtStyle.h"

namespace mkdemo {

namespace {

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

}  // namespace mkdemo
