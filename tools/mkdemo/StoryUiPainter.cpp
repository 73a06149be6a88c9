#include "mkdemo/StoryUiPainter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/ConfigSheetPainter.h"
#include "mkdemo/MessageSheetPainter.h"
#include "mkdemo/PicturePainter.h"
#include "mkdemo/PlacePainter.h"
#include "mkdemo/UiKit.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;
using State = UiKit::State;

void RimEvery(cairo_t* cr, const PictureEntry& entry) {
    for (std::size_t i = 0; i < entry.cells.size(); ++i) ArtShapes::CellRim(cr, entry.cells[i], i);
}

double MidX(const SheetCell& cell) { return (cell.left + cell.right) / 2.0; }
double MidY(const SheetCell& cell) { return (cell.top + cell.bottom) / 2.0; }

// A tile laid over the panel at (atX, atY) that takes the panel's own gradient there.
void PanelPatch(cairo_t* cr, const SheetCell& cell, double atY, double panelHeight) {
    UiKit::PanelFill(cr, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                     cell.top - atY, cell.top - atY + panelHeight);
}

// The engine writes the choice in the middle of the plate; the glow frames light its
// edge ever more brightly while a spark runs along the top.
void PaintChoicePlate(ArtCanvas& canvas, const SheetCell& cell, int glow) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, cell, State::Normal, 12);
    const double w = cell.right - cell.left;
    if (glow >= 0) {
        const double strength = 0.3 + 0.15 * glow;
        cairo_pattern_t* light =
            cairo_pattern_create_radial(MidX(cell), MidY(cell), 20, MidX(cell), MidY(cell), w / 2);
        AddStop(light, 0, ArtStyle::kPanelLight, 0);
        AddStop(light, 1, ArtStyle::kGoldLight, strength);
        RoundedRect(cr, cell.left + 1, cell.top + 1, w - 2, cell.bottom - cell.top - 2, 11);
        cairo_set_source(cr, light);
        cairo_fill(cr);
        cairo_pattern_destroy(light);
        cairo_arc(cr, cell.left + 40 + 48 * glow, cell.top + 6, 2.5, 0, 2 * kPi);
        SetColor(cr, ArtStyle::kInk);
        cairo_fill(cr);
    }
    const std::uint32_t mark = glow >= 0 ? ArtStyle::kGoldLight : ArtStyle::kGold;
    ArtShapes::Crescent(cr, cell.left + 18, MidY(cell), 7, mark, mark);
    ArtShapes::Crescent(cr, cell.right - 20, MidY(cell), 7, mark, mark);
}

void PaintChoice(ArtCanvas& canvas, const PictureEntry& entry) {
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        PaintChoicePlate(canvas, entry.cells[i], static_cast<int>(i) - 1);
    }
    RimEvery(canvas.cr(), entry);
}

// The day panel stands at the screen's left; digits, label and the prologue's
// picture are laid over it at these heights.
constexpr double kDayPanelHeight = 107;
constexpr double kDigitY = 34;
constexpr double kDayLabelY = 55;

void PaintDayPanel(ArtCanvas& canvas, const SheetCell& cell) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, cell, State::Normal, 8);
    ArtShapes::Crescent(cr, MidX(cell), 18, 9, ArtStyle::kGoldLight, ArtStyle::kGoldLight);
    UiKit::Rule(cr, cell.left + 8, MidX(cell) - 14, 18);
    UiKit::Rule(cr, MidX(cell) + 14, cell.right - 8, 18);
    UiKit::Rule(cr, cell.left + 12, cell.right - 12, 92, 0.6);
}

void PaintDay(ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    PaintDayPanel(canvas, entry.cells[0]);
    for (std::size_t i = 1; i <= 10; ++i) {
        const SheetCell& digit = entry.cells[i];
        PanelPatch(cr, digit, kDigitY, kDayPanelHeight);
        canvas.label(digit.name, MidX(digit), MidY(digit), 30, ArtStyle::kGoldLight,
                     ArtStyle::kInkShadow, 2);
    }
    const SheetCell& label = entry.cells[11];
    PanelPatch(cr, label, kDayLabelY, kDayPanelHeight);
    canvas.label("DAY", MidX(label), MidY(label), 12, ArtStyle::kInk, ArtStyle::kInkShadow, 1);
    const SheetCell& zero = entry.cells[12];
    PanelPatch(cr, zero, kDigitY, kDayPanelHeight);
    canvas.label("序章", MidX(zero), MidY(zero), 22, ArtStyle::kGoldLight, ArtStyle::kInkShadow, 2);
    RimEvery(cr, entry);
}

// The close button's cross.
void PaintClose(ArtCanvas& canvas, const SheetCell& cell, State state) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, cell, state, 4);
    SetColor(cr, UiKit::LookOf(state).ink);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const double side : {1.0, -1.0}) {
        cairo_move_to(cr, MidX(cell) - 5, MidY(cell) - 5 * side);
        cairo_line_to(cr, MidX(cell) + 5, MidY(cell) + 5 * side);
    }
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// The engine writes the twenty slots' rows from y 41, 24 px apart, between x 12 and
// 387, and its messages near the foot: the stripes only guide the eye.
void PaintSaveLoadPanel(ArtCanvas& canvas, const SheetCell& cell, const char* heading) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, cell, State::Normal, 10);
    ArtShapes::Crescent(cr, 22, 21, 8, ArtStyle::kGoldLight, ArtStyle::kGoldLight);
    canvas.text(heading, 36, 9, 22, ArtStyle::kGoldLight);
    UiKit::Rule(cr, 10, 390, 37);
    for (int row = 0; row < 20; row += 2) {
        cairo_rectangle(cr, 10, 41 + 24 * row, 380, 24);
        SetColor(cr, ArtStyle::kPanelLight, 0.4);
        cairo_fill(cr);
    }
    UiKit::Rule(cr, 10, 390, 524);
    UiKit::Rule(cr, 60, 340, 585, 0.5);
}

void PaintSaveLoad(ArtCanvas& canvas, const PictureEntry& entry, const char* heading) {
    PaintSaveLoadPanel(canvas, entry.cells[0], heading);
    const State looks[] = {State::Normal, State::Hover, State::Pressed};
    for (std::size_t i = 1; i < entry.cells.size(); ++i)
        PaintClose(canvas, entry.cells[i], looks[i - 1]);
    RimEvery(canvas.cr(), entry);
}

// The title's items: resting, pointed at (lit, between two crescents) and chosen
// (gold).
void PaintTitleItem(ArtCanvas& canvas, const SheetCell& cell, State state) {
    cairo_t* cr = canvas.cr();
    UiKit::Tile(cr, cell, state, 8);
    const std::string label = cell.name.substr(0, cell.name.find("・"));
    const UiKit::Look look = UiKit::LookOf(state);
    const std::uint32_t outline =
        state == State::Selected ? ArtStyle::kGoldLight : ArtStyle::kInkShadow;
    canvas.label(label, MidX(cell), MidY(cell), 24, look.ink, outline, 2);
    if (state == State::Normal) return;
    const double half = ArtCanvas::TextWidth(label, 24) / 2.0 + 22;
    ArtShapes::Crescent(cr, MidX(cell) - half, MidY(cell), 7, look.ink, look.ink);
    ArtShapes::Crescent(cr, MidX(cell) + half, MidY(cell), 7, look.ink, look.ink);
}

void PaintTitleItems(ArtCanvas& canvas, const PictureEntry& entry) {
    const State looks[] = {State::Normal, State::Hover, State::Selected};
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        PaintTitleItem(canvas, entry.cells[i], looks[i / 5]);
    }
    RimEvery(canvas.cr(), entry);
}

// The title draws the moon's frames without the key at (384, 0), over its menu back:
// each frame is that back as the engine shows it, the moon rising into it and
// brightening over the first half, then its halo swelling.
constexpr int kMoonX = 384;
constexpr int kMoonY = 0;

void PaintMoonFrame(ArtCanvas& canvas, const ArtCanvas& back, const SheetCell& cell, int frame) {
    cairo_t* cr = canvas.cr();
    constexpr double kRadius = 22;
    const double rise = std::min(frame / 20.0, 1.0);
    const double eased = 1 - (1 - rise) * (1 - rise);
    const double cx = MidX(cell);
    const double cy = cell.top + 36 + (1 - eased) * 14;
    cairo_save(cr);
    cairo_rectangle(cr, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
    cairo_clip(cr);
    canvas.paint(back, cell.left - kMoonX, cell.top - kMoonY);
    cairo_push_group(cr);
    if (frame > 20) {
        cairo_arc(cr, cx, cy, kRadius + 3 + 0.4 * (frame - 20), 0, 2 * kPi);
        SetColor(cr, 0x8FA6CC);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_pattern_t* light = cairo_pattern_create_radial(cx - 7, cy - 7, 3, cx, cy, kRadius);
    AddStop(light, 0, 0xFFFBEA);
    AddStop(light, 1, ArtStyle::kMoon);
    cairo_arc(cr, cx, cy, kRadius, 0, 2 * kPi);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    static const double craters[][3] = {{-8, 4, 4}, {6, -6, 3}, {7, 9, 2.5}};
    for (const auto& c : craters) {
        cairo_arc(cr, cx + c[0], cy + c[1], c[2], 0, 2 * kPi);
        SetColor(cr, 0x9FB4D4);
        cairo_fill(cr);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, eased);
    cairo_restore(cr);
}

void PaintMoon(ArtCanvas& canvas, const PictureEntry& entry) {
    ArtCanvas night(800, 600);
    PlacePainter::PaintMenuBack(night);
    const ArtCanvas back = night.reduced(PicturePainter::kKeyColor);
    for (std::size_t i = 0; i < entry.cells.size(); ++i) {
        PaintMoonFrame(canvas, back, entry.cells[i], static_cast<int>(i));
    }
}

}  // namespace

bool StoryUiPainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    const std::string& stem = entry.stem;
    if (stem == "MsgWndMaterial") {
        MessageSheetPainter::Paint(canvas, entry);
    } else if (stem == "SlcWndMaterial") {
        PaintChoice(canvas, entry);
    } else if (stem == "DayWndMaterial") {
        PaintDay(canvas, entry);
    } else if (stem == "ConfigMaterial") {
        ConfigSheetPainter::Paint(canvas, entry);
    } else if (stem == "SaveWindowMaterial" || stem == "LoadWindowMaterial") {
        PaintSaveLoad(canvas, entry, stem.starts_with("Save") ? "セーブ" : "ロード");
    } else if (stem == "TtlMaterial_Surf" || stem == "TtlMaterial_Tex") {
        PaintTitleItems(canvas, entry);
    } else if (stem == "TitleMoonMaterial") {
        PaintMoon(canvas, entry);
    } else {
        return false;
    }
    return true;
}

}  // namespace mkdemo
