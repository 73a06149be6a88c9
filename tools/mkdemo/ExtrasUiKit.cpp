#include "mkdemo/ExtrasUiKit.h"

#include <cmath>
#include <random>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Fill {
    std::uint32_t top;
    std::uint32_t bottom;
    std::uint32_t line;
};

Fill FillOf(ExtrasUiKit::Look look) {
    using L = ExtrasUiKit::Look;
    switch (look) {
        case L::Hover:
            return {0x4A5C9A, ArtStyle::kPanelLight, ArtStyle::kGoldLight};
        case L::Pressed:
            return {ArtStyle::kPressed, 0x5E4526, ArtStyle::kGold};
        case L::Inactive:
            return {0x6A6E7E, ArtStyle::kDisabled, 0x8A8C96};
        case L::Selected:
            return {ArtStyle::kGoldLight, ArtStyle::kGold, 0xFFF6D8};
        case L::Normal:
            break;
    }
    return {ArtStyle::kPanelLight, ArtStyle::kPanel, ArtStyle::kGold};
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, std::uint32_t rgb) {
    cairo_rectangle(cr, x, y, w, h);
    SetColor(cr, rgb);
    cairo_fill(cr);
}

}  // namespace

std::uint32_t ExtrasUiKit::InkOf(Look look) {
    if (look == Look::Inactive) return 0xB4B6BE;
    if (look == Look::Selected) return ArtStyle::kInkShadow;
    if (look == Look::Hover) return 0xFFFFFF;
    return ArtStyle::kInk;
}

void ExtrasUiKit::Button(const ArtCanvas& canvas, const SheetCell& cell, Look look, Face face) {
    cairo_t* cr = canvas.cr();
    const Fill fill = FillOf(look);
    const double w = cell.right - cell.left;
    const double h = cell.bottom - cell.top;
    FillRect(cr, cell.left, cell.top, w, h, ArtStyle::kInkShadow);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, cell.top, 0, cell.bottom);
    AddStop(body, 0, fill.top);
    AddStop(body, 1, fill.bottom);
    cairo_rectangle(cr, cell.left + 3, cell.top + 3, w - 6, h - 6);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // A line of light under the rim, or of shade when held down.
    cairo_rectangle(cr, cell.left + 3.5, cell.top + 3.5, w - 7, h - 7);
    SetColor(cr, look == Look::Pressed ? 0x3A2A16 : fill.line, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (face.label.empty()) return;
    const double sink = look == Look::Pressed ? 1 : 0;
    const std::uint32_t outline =
        look == Look::Selected ? ArtStyle::kGoldLight : ArtStyle::kInkShadow;
    canvas.label(face.label, cell.left + w / 2, cell.top + h / 2 + sink, face.height, InkOf(look),
                 outline, 1);
}

void ExtrasUiKit::Panel(cairo_t* cr, double x, double y, double w, double h, double radius) {
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(body, 0, ArtStyle::kPanelLight, ArtStyle::kPanelOpacity);
    AddStop(body, 1, ArtStyle::kPanel, ArtStyle::kPanelOpacity);
    RoundedRect(cr, x, y, w, h, radius);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetColor(cr, ArtStyle::kGold);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void ExtrasUiKit::Ring(cairo_t* cr, const SheetCell& cell, double glow) {
    constexpr int kWidth = 6;
    const double w = cell.right - cell.left;
    const double h = cell.bottom - cell.top;
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, cell.left, cell.top, w, h);
    cairo_rectangle(cr, cell.left + kWidth, cell.top + kWidth, w - 2 * kWidth, h - 2 * kWidth);
    // Brighter as the pulse rises.
    const std::uint32_t inner = glow > 0.5 ? 0xFFFBEA : ArtStyle::kGoldLight;
    const std::uint32_t outer = glow > 0.5 ? ArtStyle::kGoldLight : ArtStyle::kGold;
    SetColor(cr, outer);
    cairo_fill_preserve(cr);
    SetColor(cr, inner, 0.35 + 0.65 * glow);
    cairo_fill(cr);
    cairo_restore(cr);
    // White edges, so that the border shows on any picture under it.
    cairo_rectangle(cr, cell.left + 0.5, cell.top + 0.5, w - 1, h - 1);
    cairo_rectangle(cr, cell.left + kWidth - 0.5, cell.top + kWidth - 0.5, w - 2 * kWidth + 1,
                    h - 2 * kWidth + 1);
    SetColor(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void ExtrasUiKit::Rims(cairo_t* cr, const PictureEntry& entry) {
    for (std::size_t i = 0; i < entry.cells.size(); ++i) ArtShapes::CellRim(cr, entry.cells[i], i);
}

void ExtrasUiKit::Stars(cairo_t* cr, double x, double y, double w, double h, int count,
                        unsigned seed) {
    std::minstd_rand random(seed);
    for (int k = 0; k < count; ++k) {
        const double sx = x + static_cast<double>(random() % 10000) * w / 10000;
        const double sy = y + static_cast<double>(random() % 10000) * h / 10000;
        const double r = 0.6 + static_cast<double>(random() % 100) / 80;
        cairo_arc(cr, sx, sy, r, 0, 2 * kPi);
        SetColor(cr, k % 5 == 0 ? ArtStyle::kGoldLight : ArtStyle::kMoon,
                 0.5 + static_cast<double>(random() % 50) / 100);
        cairo_fill(cr);
    }
}

}  // namespace mkdemo
