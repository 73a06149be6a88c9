#include "mkdemo/MessageSheetPainter.h"

#include <cmath>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/UiKit.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kButtons = 6;
constexpr std::size_t kFirstButton = 2;
constexpr int kLooksPerButton = 4;
// The panel's height: tiles laid over it take its gradient from the same span.
constexpr double kPanelHeight = 148;
// Where the engine lays the wait mark over the panel.
constexpr double kWaitMarkY = 88;

enum Icon { kSkip, kAuto, kVoice, kBack, kForward, kHide };

void Triangle(cairo_t* cr, double x, double cy, double w, double h) {
    cairo_move_to(cr, x, cy - h / 2);
    cairo_line_to(cr, x + w, cy);
    cairo_line_to(cr, x, cy + h / 2);
    cairo_close_path(cr);
}

void Speaker(cairo_t* cr, double cx, double cy) {
    cairo_move_to(cr, cx - 7, cy - 3);
    cairo_line_to(cr, cx - 4, cy - 3);
    cairo_line_to(cr, cx, cy - 7);
    cairo_line_to(cr, cx, cy + 7);
    cairo_line_to(cr, cx - 4, cy + 3);
    cairo_line_to(cr, cx - 7, cy + 3);
    cairo_close_path(cr);
    cairo_fill(cr);
    for (const double r : {4.0, 7.5}) {
        cairo_arc(cr, cx, cy, r, -kPi / 4, kPi / 4);
        cairo_stroke(cr);
    }
}

// A button's picture in a 16-px square about (cx, cy).
void DrawIcon(cairo_t* cr, int icon, double cx, double cy, std::uint32_t rgb) {
    SetColor(cr, rgb);
    cairo_set_line_width(cr, 1.6);
    switch (icon) {
        case kSkip:
            Triangle(cr, cx - 7, cy, 7, 11);
            Triangle(cr, cx, cy, 7, 11);
            cairo_fill(cr);
            break;
        case kAuto:
            cairo_arc(cr, cx, cy, 7, 0, 2 * kPi);
            cairo_stroke(cr);
            Triangle(cr, cx - 2.5, cy, 6.5, 8);
            cairo_fill(cr);
            break;
        case kVoice:
            Speaker(cr, cx - 1, cy);
            break;
        case kBack:
        case kForward: {
            const double side = icon == kBack ? -1 : 1;
            cairo_move_to(cr, cx - 3 * side, cy - 6);
            cairo_line_to(cr, cx + 3 * side, cy);
            cairo_line_to(cr, cx - 3 * side, cy + 6);
            cairo_set_line_width(cr, 2.4);
            cairo_stroke(cr);
            break;
        }
        default:
            cairo_rectangle(cr, cx - 7.5, cy - 5.5, 15, 11);
            cairo_stroke(cr);
            cairo_rectangle(cr, cx - 4, cy + 1, 8, 2);
            cairo_fill(cr);
            break;
    }
}

void PaintPanel(ArtCanvas& canvas, const SheetCell& cell) {
    cairo_t* cr = canvas.cr();
    const double w = cell.right - cell.left;
    RoundedRect(cr, 0, 0, w, kPanelHeight, 8);
    cairo_clip(cr);
    UiKit::PanelFill(cr, 0, 0, w, kPanelHeight, 0, kPanelHeight);
    cairo_reset_clip(cr);
    RoundedRect(cr, 0.5, 0.5, w - 1, kPanelHeight - 1, 8);
    SetColor(cr, ArtStyle::kInkShadow);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, 5.5, 5.5, w - 11, kPanelHeight - 11, 5);
    SetColor(cr, ArtStyle::kGoldLight, 0.35);
    cairo_stroke(cr);
    // The crest and the rule under the heading, clear of the name plate and the buttons.
    ArtShapes::Crescent(cr, 280, 20, 8, ArtStyle::kGoldLight, ArtStyle::kGoldLight);
    UiKit::Rule(cr, 296, 540, 21);
    for (int k = 0; k < kButtons; ++k) {
        RoundedRect(cr, 552.5 + 39 * k, 8.5, 33, 25, 4);
        SetColor(cr, ArtStyle::kInkShadow, 0.5);
        cairo_stroke(cr);
    }
    UiKit::Rule(cr, 30, 766, 34, 0.45);
}

void PaintNamePlate(ArtCanvas& canvas, const SheetCell& cell) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, cell, UiKit::State::Normal, 8);
    const double cy = (cell.top + cell.bottom) / 2.0;
    ArtShapes::Crescent(cr, cell.left + 16, cy, 7, ArtStyle::kGoldLight, ArtStyle::kGoldLight);
    ArtShapes::Crescent(cr, cell.right - 18, cy, 7, ArtStyle::kGoldLight, ArtStyle::kGoldLight);
    UiKit::Rule(cr, cell.left + 30, cell.right - 30, cell.bottom - 9, 0.6);
}

void PaintButton(ArtCanvas& canvas, const SheetCell& cell, int icon, UiKit::State state) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, cell, state, 4);
    const double cx = (cell.left + cell.right) / 2.0;
    const double cy = (cell.top + cell.bottom) / 2.0;
    if (state == UiKit::State::Hover) {
        // Pointed at, the button glows at its middle.
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 2, cx, cy, 16);
        AddStop(glow, 0, ArtStyle::kGoldLight, 0.45);
        AddStop(glow, 1, ArtStyle::kGoldLight, 0);
        cairo_rectangle(cr, cell.left + 1, cell.top + 1, cell.right - cell.left - 2,
                        cell.bottom - cell.top - 2);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    DrawIcon(cr, icon, cx, cy, UiKit::LookOf(state).ink);
}

// The crescent breathes, brightening and lifting a little, while a spark circles it.
void PaintWaitMark(ArtCanvas& canvas, const SheetCell& cell, int frame) {
    cairo_t* cr = canvas.cr();
    const double w = cell.right - cell.left;
    const double h = cell.bottom - cell.top;
    RoundedRect(cr, cell.left, cell.top, w, h, 3);
    cairo_clip(cr);
    UiKit::PanelFill(cr, cell.left, cell.top, w, h, cell.top - kWaitMarkY,
                     cell.top - kWaitMarkY + kPanelHeight);
    cairo_reset_clip(cr);
    const double phase = std::sin(kPi * frame / 6.0);
    const double cx = cell.left + w / 2;
    const double cy = cell.top + h / 2 + 3 - 5 * phase;
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 2, cx, cy, 13);
    AddStop(glow, 0, ArtStyle::kGoldLight, 0.2 + 0.5 * phase);
    AddStop(glow, 1, ArtStyle::kGoldLight, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, 13, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    ArtShapes::Crescent(cr, cx, cy, 8, phase > 0.5 ? ArtStyle::kGoldLight : ArtStyle::kGold,
                        phase > 0.5 ? ArtStyle::kGoldLight : ArtStyle::kGold);
    const double turn = 2 * kPi * frame / 6.0;
    cairo_arc(cr, cx + 9 * std::cos(turn), cy + 9 * std::sin(turn), 1.6, 0, 2 * kPi);
    SetColor(cr, ArtStyle::kInk);
    cairo_fill(cr);
}

}  // namespace

void MessageSheetPainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    PaintPanel(canvas, entry.cells[0]);
    PaintNamePlate(canvas, entry.cells[1]);
    static const UiKit::State looks[kLooksPerButton] = {
        UiKit::State::Normal, UiKit::State::Pressed, UiKit::State::Disabled, UiKit::State::Hover};
    for (int k = 0; k < kButtons; ++k) {
        for (int look = 0; look < kLooksPerButton; ++look) {
            const std::size_t i =
                kFirstButton + static_cast<std::size_t>(kLooksPerButton * k + look);
            PaintButton(canvas, entry.cells[i], k, looks[look]);
        }
    }
    const std::size_t firstWait = kFirstButton + kButtons * kLooksPerButton;
    for (std::size_t i = firstWait; i < entry.cells.size(); ++i) {
        PaintWaitMark(canvas, entry.cells[i], static_cast<int>(i - firstWait));
    }
    for (std::size_t i = 0; i < entry.cells.size(); ++i)
        ArtShapes::CellRim(canvas.cr(), entry.cells[i], i);
}

}  // namespace mkdemo
