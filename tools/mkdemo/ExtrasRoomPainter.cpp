#include "mkdemo/ExtrasRoomPainter.h"

#include <cmath>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/ExtrasUiKit.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFloorTop = 420;

// The object shown lit.
enum class Lit { None, Album, MusicBox, Window, Wardrobe };

void Fill(cairo_t* cr, std::uint32_t top, std::uint32_t bottom, double y0, double y1) {
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y0, 0, y1);
    AddStop(shade, 0, top);
    AddStop(shade, 1, bottom);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

void WallAndFloor(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 800, kFloorTop);
    Fill(cr, 0x0E1328, 0x1F2750, 0, kFloorTop);
    // Wainscot panels with a gold rail above them.
    for (int x = 20; x < 800; x += 130) {
        RoundedRect(cr, x, 336, 110, 74, 4);
        SetColor(cr, 0x161C3A);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, 324, 800, 4);
    SetColor(cr, ArtStyle::kPressed);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, kFloorTop, 800, 600 - kFloorTop);
    Fill(cr, 0x2A2036, 0x120D1C, kFloorTop, 600);
    // Boards running away to the back of the room.
    SetColor(cr, 0x0C0914, 0.6);
    cairo_set_line_width(cr, 1.5);
    for (int k = -6; k <= 6; ++k) {
        cairo_move_to(cr, 400 + 60 * k, kFloorTop);
        cairo_line_to(cr, 400 + 150 * k, 600);
    }
    cairo_stroke(cr);
}

// Moonlight from the window lying across the floor, and the rug it falls on.
void Moonlight(cairo_t* cr) {
    cairo_save(cr);
    cairo_scale(cr, 1, 0.22);
    cairo_arc(cr, 403, 560 / 0.22, 170, 0, 2 * kPi);
    cairo_restore(cr);
    SetColor(cr, 0x3A2444);
    cairo_fill_preserve(cr);
    SetColor(cr, ArtStyle::kPressed, 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, 330, 210);
    cairo_line_to(cr, 470, 210);
    cairo_line_to(cr, 560, 600);
    cairo_line_to(cr, 250, 600);
    cairo_close_path(cr);
    cairo_pattern_t* beam = cairo_pattern_create_linear(0, 210, 0, 600);
    AddStop(beam, 0, ArtStyle::kMoon, 0.0);
    AddStop(beam, 1, ArtStyle::kMoon, 0.10);
    cairo_set_source(cr, beam);
    cairo_fill(cr);
    cairo_pattern_destroy(beam);
}

void Curtain(cairo_t* cr, double side) {
    cairo_save(cr);
    cairo_translate(cr, 400, 0);
    cairo_scale(cr, side, 1);
    cairo_move_to(cr, 96, 0);
    cairo_line_to(cr, 170, 0);
    cairo_curve_to(cr, 160, 120, 150, 220, 176, 300);
    cairo_line_to(cr, 120, 300);
    cairo_curve_to(cr, 118, 200, 100, 100, 96, 0);
    cairo_restore(cr);
    Fill(cr, 0x2C1E4A, 0x1A1230, 0, 300);
}

// The round window with the moon, the title's sign.
void MoonWindow(const ArtCanvas& canvas, bool lit) {
    cairo_t* cr = canvas.cr();
    constexpr double cx = 400, cy = 120, r = 90;
    cairo_arc(cr, cx, cy, r + 10, 0, 2 * kPi);
    Fill(cr, lit ? ArtStyle::kGoldLight : ArtStyle::kGold, ArtStyle::kPressed, cy - r, cy + r);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    Fill(cr, lit ? 0x22306A : 0x0A0F2A, lit ? 0x5A6CA8 : 0x27356A, cy - r, cy + r);
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_clip(cr);
    ExtrasUiKit::Stars(cr, cx - r, cy - r, 2 * r, 2 * r, 28, 7);
    if (lit) {
        cairo_arc(cr, cx + 24, cy - 26, 62, 0, 2 * kPi);
        SetColor(cr, ArtStyle::kGoldLight, 0.25);
        cairo_fill(cr);
    }
    ArtShapes::Crescent(cr, cx + 24, cy - 26, 38, 0xFFFBEA, lit ? 0xFFF3C8 : ArtStyle::kGoldLight);
    cairo_restore(cr);
    // The mullions.
    SetColor(cr, ArtStyle::kPressed);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, cx - r, cy);
    cairo_line_to(cr, cx + r, cy);
    cairo_stroke(cr);
    canvas.label("月蛾の冠", cx, cy + 52, 26, lit ? 0xFFF6D8 : ArtStyle::kInk, ArtStyle::kInkShadow,
                 2);
}

void Wardrobe(cairo_t* cr, bool lit) {
    cairo_rectangle(cr, 126, 476, 80, 12);
    SetColor(cr, 0x08060E, 0.5);
    cairo_fill(cr);
    cairo_move_to(cr, 126, 384);
    cairo_line_to(cr, 134, 372);
    cairo_line_to(cr, 194, 372);
    cairo_line_to(cr, 202, 384);
    cairo_close_path(cr);
    Fill(cr, lit ? 0x8A6A84 : 0x43304A, 0x2A1C30, 372, 384);
    cairo_rectangle(cr, 130, 384, 68, 100);
    Fill(cr, lit ? 0x7A5A74 : 0x3A2A40, lit ? 0x4E3650 : 0x241A2A, 384, 484);
    // Two doors, a gap of light between them when lit.
    SetColor(cr, lit ? ArtStyle::kGoldLight : 0x1A121E);
    cairo_set_line_width(cr, lit ? 3 : 1.5);
    cairo_move_to(cr, 164, 388);
    cairo_line_to(cr, 164, 480);
    cairo_stroke(cr);
    for (const double x : {134.0, 168.0}) {
        cairo_rectangle(cr, x + 0.5, 392.5, 25, 84);
        SetColor(cr, lit ? ArtStyle::kGold : 0x5A4660);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    for (const double x : {159.0, 169.0}) {
        cairo_arc(cr, x, 436, 2.5, 0, 2 * kPi);
        SetColor(cr, lit ? 0xFFFBEA : ArtStyle::kPressed);
        cairo_fill(cr);
    }
}

void Table(cairo_t* cr) {
    RoundedRect(cr, 318, 512, 170, 14, 4);
    Fill(cr, 0x5A3E3A, 0x3A2626, 512, 526);
    cairo_rectangle(cr, 326, 526, 154, 22);
    SetColor(cr, 0x2A1B1E);
    cairo_fill(cr);
    for (const double x : {332.0, 466.0}) {
        cairo_rectangle(cr, x, 548, 8, 52);
        SetColor(cr, 0x22161A);
        cairo_fill(cr);
    }
}

// The album standing open on its table, a picture on each page.
void Album(cairo_t* cr, bool lit) {
    RoundedRect(cr, 342, 438, 122, 78, 4);
    SetColor(cr, lit ? 0x8A3E6A : 0x4A2240);
    cairo_fill(cr);
    const std::uint32_t paper = lit ? 0xFFF8E6 : 0xA8A090;
    static const char* const kHeroines[] = {"QUIRA", "DULCANE", "OMBREA", "YSMA"};
    for (int page = 0; page < 2; ++page) {
        const double x = 347 + 58 * page;
        cairo_rectangle(cr, x, 442, 54, 70);
        SetColor(cr, paper);
        cairo_fill(cr);
        for (int k = 0; k < 2; ++k) {
            const ArtStyle::Look& look = ArtStyle::HeroineLook(kHeroines[2 * page + k]);
            cairo_rectangle(cr, x + 6, 448 + 32 * k, 42, 26);
            Fill(cr, look.hair, lit ? look.dress : look.dressShade, 448 + 32 * k, 474 + 32 * k);
        }
    }
    SetColor(cr, 0x2A1426, 0.8);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 403, 440);
    cairo_line_to(cr, 403, 514);
    cairo_stroke(cr);
}

void SideTable(cairo_t* cr) {
    RoundedRect(cr, 574, 448, 124, 10, 3);
    Fill(cr, 0x5A3E3A, 0x3A2626, 448, 458);
    for (const double x : {582.0, 682.0}) {
        cairo_rectangle(cr, x, 458, 8, 142);
        SetColor(cr, 0x22161A);
        cairo_fill(cr);
    }
}

// The music box with its lid open and a moth on its spindle; lit, notes rise from it.
void MusicBox(cairo_t* cr, bool lit) {
    cairo_move_to(cr, 598, 404);
    cairo_line_to(cr, 606, 364);
    cairo_line_to(cr, 660, 364);
    cairo_line_to(cr, 668, 404);
    cairo_close_path(cr);
    Fill(cr, lit ? 0x7A96C8 : 0x34426E, lit ? 0xBFD6F2 : 0x4A5A86, 364, 404);
    cairo_rectangle(cr, 596, 404, 76, 44);
    Fill(cr, lit ? 0xA0664A : 0x5A3A30, lit ? 0x6A3E2E : 0x36221E, 404, 448);
    cairo_rectangle(cr, 596.5, 404.5, 75, 43);
    cairo_rectangle(cr, 600.5, 414.5, 67, 26);
    SetColor(cr, lit ? ArtStyle::kGoldLight : ArtStyle::kGold);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, 632, 384, 3, 20);
    SetColor(cr, ArtStyle::kGold);
    cairo_fill(cr);
    ArtShapes::Crescent(cr, 634, 378, 9, 0xFFFBEA, lit ? 0xFFF3C8 : ArtStyle::kGold);
    if (!lit) return;
    for (const auto& [x, y] : {std::pair{690.0, 370.0}, {712.0, 342.0}, {672.0, 348.0}}) {
        cairo_arc(cr, x, y, 5, 0, 2 * kPi);
        cairo_rectangle(cr, x + 3, y - 20, 2.5, 20);
        SetColor(cr, ArtStyle::kGoldLight);
        cairo_fill(cr);
    }
}

void Room(const ArtCanvas& canvas, Lit lit) {
    cairo_t* cr = canvas.cr();
    WallAndFloor(cr);
    for (const double side : {1.0, -1.0}) Curtain(cr, side);
    Moonlight(cr);
    MoonWindow(canvas, lit == Lit::Window);
    Wardrobe(cr, lit == Lit::Wardrobe);
    Table(cr);
    Album(cr, lit == Lit::Album);
    SideTable(cr);
    MusicBox(cr, lit == Lit::MusicBox);
}

// One of the menu's hover pictures: the room lit, cut where the menu shows the cell.
void LitCell(const ArtCanvas& canvas, const SheetCell& cell, int screenX, int screenY, Lit lit) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_rectangle(cr, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
    cairo_clip(cr);
    cairo_translate(cr, cell.left - screenX, cell.top - screenY);
    Room(canvas, lit);
    cairo_restore(cr);
}

}  // namespace

void ExtrasRoomPainter::PaintBack(ArtCanvas& canvas) { Room(canvas, Lit::None); }

// The menu draws the window, wardrobe and album pictures without the key over the
// room, so they are the room itself round the lit object, with no rim to frame them;
// the music box is shown through the key, its cell the box alone. Only the glow
// strips, drawn keyed, carry rims.
void ExtrasRoomPainter::PaintMaterial(ArtCanvas& canvas, const PictureEntry& entry) {
    cairo_t* cr = canvas.cr();
    LitCell(canvas, entry.cells[1], 256, 16, Lit::Window);
    LitCell(canvas, entry.cells[2], 124, 367, Lit::Wardrobe);
    LitCell(canvas, entry.cells[3], 224, 432, Lit::Album);
    constexpr double kGlow[] = {0.5, 1.0, 0.0};
    for (std::size_t k = 0; k < 3; ++k) {
        ExtrasUiKit::Ring(cr, entry.cells[4 + k], kGlow[k]);
        ArtShapes::CellRim(cr, entry.cells[4 + k], 4 + k);
    }
    cairo_save(cr);
    cairo_translate(cr, -584, -320);
    MusicBox(cr, true);
    cairo_restore(cr);
}

}  // namespace mkdemo
