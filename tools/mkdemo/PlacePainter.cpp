#include "mkdemo/PlacePainter.h"

#include <cmath>
#include <functional>
#include <map>
#include <string_view>

#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/RoomPainter.h"
#include "mkdemo/SkyPainter.h"
#include "mkdemo/TownPainter.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kW = 800;
constexpr double kH = 600;

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

void Moth(cairo_t* cr, double x, double y, double scale, std::uint32_t wingTop,
          std::uint32_t wingFoot) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_pattern_t* wing = cairo_pattern_create_linear(0, -34, 0, 36);
    AddStop(wing, 0, wingTop);
    AddStop(wing, 1, wingFoot);
    for (const double side : {1.0, -1.0}) MothWing(cr, side);
    cairo_set_source(cr, wing);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(wing);
    SetColor(cr, ArtStyle::kPanel);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // The feathered feelers that make it a moth.
    cairo_set_line_width(cr, 2);
    for (const double side : {1.0, -1.0}) {
        cairo_move_to(cr, 0, -4);
        cairo_curve_to(cr, side * 4, -16, side * 10, -24, side * 16, -26);
    }
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_scale(cr, 1, 4);
    cairo_arc(cr, 0, 2.5, 4, 0, 2 * kPi);
    cairo_restore(cr);
    SetColor(cr, ArtStyle::kPanel);
    cairo_fill(cr);
    cairo_restore(cr);
}

void PaleMoth(cairo_t* cr, double x, double y, double scale) {
    Moth(cr, x, y, scale, 0xE9F1FF, ArtStyle::kMoon);
}

// The game's name in ivory letters centred on (cx, cy), on a soft night-blue cloud
// that keeps them readable on any screen.
void GameName(const ArtCanvas& canvas, double cx, double cy, int height) {
    constexpr const char* kName = "月蛾の冠";
    const double w = ArtCanvas::TextWidth(kName, height) + height * 8 / 3.0;
    const double h = 1.5 * height;
    RoundedRect(canvas.cr(), cx - w / 2, cy - h / 2, w, h, h / 2.4);
    SetColor(canvas.cr(), ArtStyle::kPanel, 0.9);
    cairo_fill(canvas.cr());
    canvas.label(kName, cx, cy, height, ArtStyle::kInk, ArtStyle::kInkShadow, 3);
}

// The title: the crescent with the moth resting in it, the name beneath.
void PaintLogo(ArtCanvas& canvas) {
    ArtShapes::Crescent(canvas.cr(), 200, 84, 72, 0xFFFBEA, ArtStyle::kGoldLight);
    PaleMoth(canvas.cr(), 176, 96, 0.9);
    GameName(canvas, 200, 196, 48);
}

// The small plate the staff roll fades in at its end.
void PaintRollLogo(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, 0, canvas.width(), canvas.height());
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, canvas.height());
    AddStop(fill, 0, ArtStyle::kPanelLight);
    AddStop(fill, 1, ArtStyle::kPanel);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    SetColor(cr, ArtStyle::kGold);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 3.5, 3.5, canvas.width() - 7, canvas.height() - 7);
    cairo_stroke(cr);
    ArtShapes::Crescent(cr, 28, 32, 17, 0xFFFBEA, ArtStyle::kGoldLight);
    canvas.label("月蛾の冠", 94, 32, 22, ArtStyle::kInk, ArtStyle::kInkShadow, 2);
}

// --- The workshop -----------------------------------------------------------

void Workshop(ArtCanvas& canvas, Hour hour, bool finished) {
    cairo_t* cr = canvas.cr();
    RoomPainter::WallAndFloor(cr, kW, kH, 420, 0xC8B49A, 0x9A6E4C);
    RoomPainter::Shelf(cr, 30, 60, 320, 70, 3);
    RoomPainter::Shelf(cr, 30, 170, 320, 70, 4);
    RoomPainter::DressForm(cr, 120, 560, 1.4, ArtStyle::HeroineLook("QUIRA").dress);
    if (finished) {
        RoomPainter::Rack(cr, 300, 300, 420, 220);
    } else {
        RoomPainter::Table(cr, 300, 500, 320, 100);
        RoomPainter::DressForm(cr, 700, 540, 1.1, ArtStyle::HeroineLook("YSMA").dress);
    }
    SkyPainter::Shade(cr, kW, kH, hour);
    RoomPainter::Window(cr, 470, 60, 230, 190, hour);
    if (!SkyPainter::Lamps(hour)) SkyPainter::Glow(cr, 585, 470, 260, 0xFFF2D8, 0.35);
    RoomPainter::HangingLamp(cr, 400, 30, 24, SkyPainter::Lamps(hour));
}

// --- The theatre ------------------------------------------------------------

// The painted drop at the back of the stage: the festival play's moonlit hills.
void Backdrop(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    SkyPainter::Sky(cr, w, h, Hour::Night);
    SkyPainter::Stars(cr, w, h * 0.6, 30, 9);
    ArtShapes::Crescent(cr, w * 0.72, h * 0.28, h * 0.16, 0xFFFBEA, ArtStyle::kGoldLight);
    TownPainter::Hills(cr, w, h, h * 0.3, h, 1.0, 0x2E3A66, 0x141A30);
    cairo_restore(cr);
}

void Seats(cairo_t* cr, double top, std::uint32_t color) {
    for (int row = 0; row < 3; ++row) {
        const double y = top + row * 34;
        for (double x = -20 + (row % 2) * 24; x < kW; x += 48) {
            RoundedRect(cr, x, y, 42, 60, 10);
        }
        SetColor(cr, SkyPainter::Tint(color, row == 2 ? Hour::Day : Hour::Dusk));
        cairo_fill(cr);
    }
}

// The stage seen from the seats; with the show's lights, or in the plain morning.
void Theatre(ArtCanvas& canvas, bool show) {
    cairo_t* cr = canvas.cr();
    RoomPainter::Bricks(cr, 0, 0, kW, kH, 0x5A3A34);
    cairo_rectangle(cr, 110, 80, 580, 350);
    SetColor(cr, 0x120E18);
    cairo_fill(cr);
    Backdrop(cr, 150, 110, 500, 260);
    // The stage floor.
    cairo_move_to(cr, 110, 370);
    cairo_line_to(cr, 690, 370);
    cairo_line_to(cr, 760, 460);
    cairo_line_to(cr, 40, 460);
    cairo_close_path(cr);
    SetColor(cr, 0x7A5438);
    cairo_fill(cr);
    cairo_rectangle(cr, 40, 460, 720, 24);
    SetColor(cr, 0x3A2418);
    cairo_fill(cr);
    // The curtains drawn open and the valance.
    RoomPainter::Curtain(cr, 110, 80, 90, 380, 0xA8283A);
    RoomPainter::Curtain(cr, 600, 80, 90, 380, 0xA8283A);
    RoomPainter::Curtain(cr, 110, 60, 580, 50, 0x8A1E30);
    cairo_set_line_width(cr, 6);
    SetColor(cr, ArtStyle::kGold);
    cairo_rectangle(cr, 107, 57, 586, 406);
    cairo_stroke(cr);
    if (show) {
        SkyPainter::Shade(cr, kW, kH, Hour::Night);
        RoomPainter::Spotlight(cr, 250, 50, 330, 420, 70, 0xFFE8B0);
        RoomPainter::Spotlight(cr, 560, 50, 470, 420, 70, 0xB8D0FF);
        RoomPainter::Spotlight(cr, 400, 40, 400, 430, 90, 0xFFF4E0);
    } else {
        for (const double x : {40.0, 760.0})
            SkyPainter::Glow(cr, x, 200, 120, SkyPainter::kLamp, 0.5);
    }
    for (double x = 70; x < 740; x += 60)
        SkyPainter::Glow(cr, x, 470, 26, 0xFFE0A0, show ? 0.8 : 0.3);
    Seats(cr, 500, 0x4A2A34);
}

// From the wings: the black legs of the side curtains, the lit stage between them.
void Wings(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    RoomPainter::WallAndFloor(cr, kW, kH, 430, 0x2A2430, 0x5A4030);
    cairo_rectangle(cr, 420, 120, 380, 310);
    SetColor(cr, 0xE8D2A8);
    cairo_fill(cr);
    SkyPainter::Glow(cr, 640, 330, 260, 0xFFF0C8, 0.6);
    for (int leg = 0; leg < 4; ++leg) {
        const double x = 380 + leg * 110;
        const double w = 90 - leg * 14;
        RoomPainter::Curtain(cr, x, 0, w, 440 - leg * 6, 0x26202C);
    }
    // The fly ropes and their rail.
    SetColor(cr, 0xB8A888, 0.8);
    cairo_set_line_width(cr, 2);
    for (double x = 60; x < 320; x += 22) {
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, 330);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, 40, 320, 300, 16);
    SetColor(cr, 0x5A3E2C);
    cairo_fill(cr);
    RoomPainter::Rack(cr, 60, 380, 260, 180);
    RoomPainter::HangingLamp(cr, 200, 40, 18, true);
}

// Behind the stage: brick, painted flats leaning on the wall, a ladder, work lamps;
// late at night only the last lamp burns.
void Backstage(ArtCanvas& canvas, Hour hour) {
    cairo_t* cr = canvas.cr();
    RoomPainter::WallAndFloor(cr, kW, kH, 440, 0x7A4A3C, 0x6A4A34);
    RoomPainter::Bricks(cr, 0, 0, kW, 422, 0x7A4A3C);
    for (int flat = 0; flat < 3; ++flat) {
        const double x = 60 + flat * 70;
        cairo_save(cr);
        cairo_translate(cr, x, 120 + flat * 14);
        cairo_rotate(cr, -0.06);
        Backdrop(cr, 0, 0, 260, 320);
        SetColor(cr, 0xC8B088);
        cairo_set_line_width(cr, 8);
        cairo_rectangle(cr, 0, 0, 260, 320);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    // The ladder.
    SetColor(cr, 0x8A6A48);
    cairo_set_line_width(cr, 8);
    cairo_move_to(cr, 560, 560);
    cairo_line_to(cr, 620, 80);
    cairo_move_to(cr, 640, 560);
    cairo_line_to(cr, 690, 80);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 5);
    for (double t = 0.08; t < 1; t += 0.11) {
        cairo_move_to(cr, 560 + 60 * t, 560 - 480 * t);
        cairo_line_to(cr, 640 + 50 * t, 560 - 480 * t);
    }
    cairo_stroke(cr);
    SkyPainter::Shade(cr, kW, kH, hour);
    RoomPainter::HangingLamp(cr, 480, 50, 20, true);
    if (!SkyPainter::Lamps(hour)) RoomPainter::HangingLamp(cr, 180, 30, 20, true);
}

// --- The town -----------------------------------------------------------------

void SkyOf(cairo_t* cr, double width, double horizon, Hour hour, unsigned seed) {
    SkyPainter::Sky(cr, width, horizon, hour);
    if (hour == Hour::Night) {
        SkyPainter::Stars(cr, width, horizon * 0.8, static_cast<int>(width / 5), seed);
    }
    SkyPainter::Clouds(cr, width, horizon * 0.6, static_cast<int>(width / 200), hour, seed + 1);
}

// Far roofs pale in the haze, nearer ones stronger: the depth of the town.
void TownRows(cairo_t* cr, double width, double horizon, Hour hour, unsigned seed) {
    TownPainter::Houses(cr, -20, width, horizon, 34, SkyPainter::Tint(0x9A98A8, hour), hour, seed);
    TownPainter::Houses(cr, -40, width, horizon + 50, 70, SkyPainter::Tint(0xB89A80, hour), hour,
                        seed + 1);
}

// A street through the town with lamps and flags across it.
void Street(ArtCanvas& canvas, Hour hour) {
    cairo_t* cr = canvas.cr();
    SkyOf(cr, kW, 330, hour, 21);
    if (hour == Hour::Night) SkyPainter::Moon(cr, 640, 90, 30);
    TownRows(cr, kW, 330, hour, 22);
    TownPainter::Ground(cr, kW, 330, kH, SkyPainter::Tint(0x8A8078, hour),
                        SkyPainter::Tint(0x5A4A40, hour));
    TownPainter::Houses(cr, -60, 180, 520, 200, SkyPainter::Tint(0xC8A888, hour), hour, 24);
    TownPainter::Houses(cr, 640, kW + 60, 520, 200, SkyPainter::Tint(0xA8B0A0, hour), hour, 25);
    TownPainter::Bunting(cr, 150, 170, 660, 160, 60, 14, hour);
    TownPainter::Lanterns(cr, 150, 230, 660, 220, 50, 9, SkyPainter::Lamps(hour));
    for (const double x : {200.0, 600.0}) {
        TownPainter::StreetLamp(cr, x, 560, 220, SkyPainter::Lamps(hour));
    }
}

// The festival's tower in the square, draped, its lanterns strung out to the roofs.
void Tower(cairo_t* cr, double cx, double groundY, Hour hour) {
    SetColor(cr, SkyPainter::Tint(0x6A4A30, hour));
    cairo_set_line_width(cr, 7);
    cairo_move_to(cr, cx - 90, groundY);
    cairo_line_to(cr, cx - 60, groundY - 200);
    cairo_move_to(cr, cx + 90, groundY);
    cairo_line_to(cr, cx + 60, groundY - 200);
    cairo_stroke(cr);
    cairo_rectangle(cr, cx - 80, groundY - 210, 160, 70);
    SetColor(cr, SkyPainter::Tint(0xE8E0D0, hour));
    cairo_fill(cr);
    for (int stripe = 0; stripe < 4; ++stripe) {
        cairo_rectangle(cr, cx - 80 + stripe * 40, groundY - 210, 20, 70);
    }
    SetColor(cr, SkyPainter::Tint(0xC8404A, hour));
    cairo_fill(cr);
    cairo_move_to(cr, cx - 100, groundY - 210);
    cairo_line_to(cr, cx, groundY - 260);
    cairo_line_to(cr, cx + 100, groundY - 210);
    cairo_close_path(cr);
    SetColor(cr, SkyPainter::Tint(0x5A3A30, hour));
    cairo_fill(cr);
}

// A market stall with a striped awning.
void Stall(cairo_t* cr, double x, double groundY, double w, Hour hour) {
    cairo_rectangle(cr, x, groundY - 70, w, 70);
    SetColor(cr, SkyPainter::Tint(0x7A5438, hour));
    cairo_fill(cr);
    for (int stripe = 0; stripe < 6; ++stripe) {
        cairo_move_to(cr, x - 10 + stripe * (w + 20) / 6, groundY - 130);
        cairo_rel_line_to(cr, (w + 20) / 6, 0);
        cairo_rel_line_to(cr, 0, 30);
        cairo_rel_line_to(cr, -(w + 20) / 6, 0);
        cairo_close_path(cr);
        SetColor(cr, SkyPainter::Tint(stripe % 2 == 0 ? 0xD8584A : 0xF2EEDC, hour));
        cairo_fill(cr);
    }
    if (SkyPainter::Lamps(hour))
        SkyPainter::Glow(cr, x + w / 2, groundY - 60, w, SkyPainter::kLamp, 0.5);
}

// The square: being made ready by day, alight on the festival night.
void Square(ArtCanvas& canvas, Hour hour) {
    cairo_t* cr = canvas.cr();
    SkyOf(cr, kW, 340, hour, 31);
    if (hour == Hour::Night) SkyPainter::Moon(cr, 150, 100, 36);
    TownRows(cr, kW, 340, hour, 32);
    TownPainter::Ground(cr, kW, 340, kH, SkyPainter::Tint(0xB0A088, hour),
                        SkyPainter::Tint(0x7A6650, hour));
    Tower(cr, 400, 470, hour);
    Stall(cr, 40, 520, 170, hour);
    Stall(cr, 590, 520, 170, hour);
    const bool lit = SkyPainter::Lamps(hour);
    for (const double x : {0.0, 800.0}) {
        TownPainter::Lanterns(cr, 400, 215, x, 120, 40, 7, lit);
        TownPainter::Bunting(cr, 400, 250, x, 200, 50, 8, hour);
    }
}

// The town from the hill above it, far hills behind; a tree in the grass before it.
void Panorama(ArtCanvas& canvas, Hour hour, bool tree) {
    cairo_t* cr = canvas.cr();
    SkyOf(cr, kW, 400, hour, 41);
    if (hour == Hour::Night) SkyPainter::Moon(cr, 560, 150, 46);
    TownPainter::Hills(cr, kW, 400, 60, kH, 0.3, SkyPainter::Tint(0x7A88A8, hour),
                       SkyPainter::Tint(0x5A6480, hour));
    TownPainter::Houses(cr, 0, kW, 440, 24, SkyPainter::Tint(0xA89890, hour), hour, 42);
    TownPainter::Ground(cr, kW, 440, 470, SkyPainter::Tint(0x6A7A60, hour),
                        SkyPainter::Tint(0x4A5A44, hour));
    TownPainter::Hills(cr, kW, 560, 90, kH, 2.1, SkyPainter::Tint(0x5A7A4A, hour),
                       SkyPainter::Tint(0x2A3A24, hour));
    if (!tree) return;
    SetColor(cr, SkyPainter::Tint(0x3A2A20, hour));
    cairo_rectangle(cr, 132, 300, 16, 240);
    cairo_fill(cr);
    for (int crown = 0; crown < 5; ++crown) {
        cairo_arc(cr, 100 + crown * 22, 270 - (crown % 2) * 30, 60, 0, 2 * kPi);
    }
    SetColor(cr, SkyPainter::Tint(0x3A6A3A, hour));
    cairo_fill(cr);
}

// The river through the town: a stone bridge, the water holding the lights.
void River(ArtCanvas& canvas, Hour hour) {
    cairo_t* cr = canvas.cr();
    SkyOf(cr, kW, 360, hour, 51);
    if (hour == Hour::Night) SkyPainter::Moon(cr, 620, 110, 32);
    TownRows(cr, kW, 360, hour, 52);
    TownPainter::Ground(cr, kW, 360, kH, SkyPainter::Tint(0x4A6A8A, hour),
                        SkyPainter::Tint(0x1E2E48, hour));
    // The light broken into the ripples.
    SetColor(cr, SkyPainter::Tint(0xE8F0FF, hour), 0.35);
    for (int ripple = 0; ripple < 40; ++ripple) {
        const double y = 420 + ripple * 4.4;
        const double x = std::fmod(ripple * 173.0, kW);
        cairo_rectangle(cr, x, y, 40 + ripple, 1.5);
    }
    cairo_fill(cr);
    // The bridge: a deck over a round arch.
    cairo_move_to(cr, 120, 420);
    cairo_line_to(cr, 680, 420);
    cairo_line_to(cr, 680, 300);
    cairo_line_to(cr, 120, 300);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 400, 420, 100, 0, kPi);
    cairo_close_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColor(cr, SkyPainter::Tint(0x8A7E74, hour));
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_rectangle(cr, 110, 286, 580, 16);
    SetColor(cr, SkyPainter::Tint(0x6A5E56, hour));
    cairo_fill(cr);
    const bool lit = SkyPainter::Lamps(hour);
    TownPainter::Lanterns(cr, 120, 286, 680, 286, 30, 10, lit);
    if (!lit) return;
    // Lanterns set on the water for the festival.
    for (int boat = 0; boat < 9; ++boat) {
        const double x = 60 + boat * 85 + (boat % 3) * 12;
        const double y = 470 + (boat % 4) * 30;
        SkyPainter::Glow(cr, x, y, 40, 0xFFB060, 0.6);
        cairo_rectangle(cr, x - 6, y - 8, 12, 10);
        SetColor(cr, 0xFFE8B0);
        cairo_fill(cr);
    }
}

// The workshop from the street, its sign over the door, dresses in its window.
void Shopfront(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    SkyOf(cr, kW, 520, Hour::Day, 61);
    TownPainter::Ground(cr, kW, 520, kH, 0xA09080, 0x7A6A5A);
    cairo_rectangle(cr, 60, 60, 680, 460);
    SetColor(cr, 0xE0CCAA);
    cairo_fill(cr);
    cairo_move_to(cr, 40, 70);
    cairo_line_to(cr, 400, 0);
    cairo_line_to(cr, 760, 70);
    cairo_close_path(cr);
    SetColor(cr, 0x6A3A3A);
    cairo_fill(cr);
    RoomPainter::Window(cr, 110, 220, 320, 220, Hour::Day);
    cairo_save(cr);
    cairo_rectangle(cr, 115, 225, 310, 210);
    cairo_clip(cr);
    RoomPainter::DressForm(cr, 200, 470, 1.0, ArtStyle::HeroineLook("DULCANE").dress);
    RoomPainter::DressForm(cr, 340, 470, 1.0, ArtStyle::HeroineLook("OMBREA").dress);
    cairo_restore(cr);
    cairo_rectangle(cr, 520, 250, 150, 270);
    SetColor(cr, 0x5A3A2A);
    cairo_fill(cr);
    cairo_arc(cr, 645, 390, 6, 0, 2 * kPi);
    SetColor(cr, ArtStyle::kGold);
    cairo_fill(cr);
    RoundedRect(cr, 240, 110, 320, 70, 8);
    SetColor(cr, ArtStyle::kPanel);
    cairo_fill(cr);
    PaleMoth(cr, 282, 146, 0.45);
    canvas.label("衣装工房", 430, 145, 40, ArtStyle::kGoldLight, ArtStyle::kInkShadow, 2);
    for (const double x : {110.0, 290.0}) {
        cairo_rectangle(cr, x, 446, 140, 24);
        SetColor(cr, 0x6A4A34);
        cairo_fill(cr);
        for (int flower = 0; flower < 6; ++flower) {
            cairo_arc(cr, x + 12 + flower * 23, 444, 8, 0, 2 * kPi);
        }
        SetColor(cr, 0xE0707A);
        cairo_fill(cr);
    }
}

// The moon over the roofs, a moth crossing it.
void MoonOverRoofs(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    SkyOf(cr, kW, kH, Hour::Night, 71);
    SkyPainter::Moon(cr, 420, 230, 120);
    PaleMoth(cr, 470, 200, 0.8);
    TownPainter::Houses(cr, -30, kW + 30, kH, 150, 0x1A2038, Hour::Night, 72);
}

// --- The title and the extras -------------------------------------------------

// The night the menu stands on: stars kept out of the menu's place and the top
// middle, where the engine draws the moon; the game's name between the two; the
// town asleep along the bottom.
void MenuNight(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    SkyPainter::Sky(cr, kW, kH, Hour::Night);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kW, kH);
    cairo_rectangle(cr, 220, 300, 360, 240);
    cairo_rectangle(cr, 360, 0, 140, 90);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    SkyPainter::Stars(cr, kW, 500, 140, 81);
    cairo_restore(cr);
    TownPainter::Hills(cr, kW, 590, 40, kH, 0.8, 0x1E2A4E, 0x121A34);
    TownPainter::Houses(cr, -20, kW + 20, kH, 46, 0x10162C, Hour::Night, 82);
    GameName(canvas, kW / 2, 200, 64);
}

// The costume select: a fitting corner behind a deep blue curtain on a gold rail.
void FittingCorner(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    RoomPainter::Curtain(cr, 0, 0, kW, kH, 0x34406E);
    cairo_rectangle(cr, 0, 10, kW, 8);
    SetColor(cr, ArtStyle::kGold);
    cairo_fill(cr);
    TownPainter::Ground(cr, kW, 540, kH, 0x5A4030, 0x3A2A20);
    SkyPainter::Glow(cr, 540, 260, 360, 0xFFE8C0, 0.3);
}

// The dress room: wardrobes open at both sides, a chandelier's warm light.
void Wardrobes(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    RoomPainter::WallAndFloor(cr, kW, kH, 470, 0x8A6A7A, 0x6A4038);
    for (double x = 0; x < kW; x += 40) cairo_rectangle(cr, x, 0, 14, 452);
    SetColor(cr, 0xF4DFA6, 0.08);
    cairo_fill(cr);
    for (const double x : {10.0, 620.0}) {
        cairo_rectangle(cr, x, 60, 170, 420);
        SetColor(cr, 0x4A2E24);
        cairo_fill(cr);
        cairo_rectangle(cr, x + 12, 80, 146, 380);
        SetColor(cr, 0x1E1418);
        cairo_fill(cr);
        RoomPainter::Rack(cr, x + 16, 96, 138, 300);
        cairo_rectangle(cr, x - 4, 48, 178, 16);
        SetColor(cr, 0x5A3A2C);
        cairo_fill(cr);
    }
    RoomPainter::HangingLamp(cr, 400, 40, 30, true);
}

// --- The staff roll -------------------------------------------------------------

// The long sky behind the credits: dusk at its right end, where the roll starts, night
// with the moon at its left, where it ends; the far town along the bottom.
void RollSky(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    SkyPainter::Sky(cr, w, kH, Hour::Dusk);
    cairo_push_group(cr);
    SkyPainter::Sky(cr, w, kH, Hour::Night);
    cairo_pop_group_to_source(cr);
    cairo_pattern_t* fade = cairo_pattern_create_linear(w / 3, 0, w, 0);
    AddStop(fade, 0, 0x000000, 1);
    AddStop(fade, 1, 0x000000, 0);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
    SkyPainter::Stars(cr, w * 0.7, 420, 320, 91);
    SkyPainter::Clouds(cr, w, 300, 10, Hour::Dusk, 92);
    SkyPainter::Moon(cr, 580, 130, 40);
    TownPainter::Hills(cr, w, 470, 70, kH, 0.5, 0x2E3A66, 0x1C2342);
    TownPainter::Houses(cr, 0, w, 500, 30, 0x222A4A, Hour::Night, 93);
    TownPainter::Ground(cr, w, 500, kH, 0x1C2342, 0x10142A);
}

// The near hills the roll pans over, on the key: conifers along the ridge, a few
// lit cottages.
void RollHills(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    const double h = canvas.height();
    TownPainter::Hills(cr, w, 150, 90, h, 1.7, 0x1A2240, 0x0A0E1C);
    for (double x = 30; x < w; x += 90 + std::fmod(x * 7, 70)) {
        const double ridge =
            150 -
            90 * (0.5 + 0.5 * (0.6 * std::sin(x / 260.0 + 1.7) + 0.4 * std::sin(x / 97.0 + 3.4)));
        const double tall = 28 + std::fmod(x * 13, 24);
        cairo_move_to(cr, x - 9, ridge + 8);
        cairo_line_to(cr, x, ridge - tall);
        cairo_line_to(cr, x + 9, ridge + 8);
        cairo_close_path(cr);
    }
    SetColor(cr, 0x121830);
    cairo_fill(cr);
    for (double x = 200; x < w; x += 410) {
        cairo_rectangle(cr, x, 175, 6, 7);
        cairo_rectangle(cr, x + 14, 175, 6, 7);
    }
    SetColor(cr, SkyPainter::kLamp);
    cairo_fill(cr);
}

// The end picture: the festival over, lanterns rising to the full moon.
void RollEnd(ArtCanvas& canvas) {
    cairo_t* cr = canvas.cr();
    MoonOverRoofs(canvas);
    for (int lantern = 0; lantern < 14; ++lantern) {
        const double x = 60 + std::fmod(lantern * 257.0, 680);
        const double y = 120 + std::fmod(lantern * 131.0, 330);
        const double s = 5 + (lantern % 4) * 2;
        SkyPainter::Glow(cr, x, y, s * 5, 0xFFA850, 0.5);
        cairo_rectangle(cr, x - s / 2, y - s * 0.7, s, s * 1.4);
        SetColor(cr, 0xFFE0A0);
        cairo_fill(cr);
    }
}

using Painting = std::function<void(ArtCanvas&)>;

const std::map<std::string_view, Painting>& Paintings() {
    static const std::map<std::string_view, Painting> paintings = {
        {"Logo", PaintLogo},
        {"BG00", [](ArtCanvas& c) { Workshop(c, Hour::Day, false); }},
        {"BG01", [](ArtCanvas& c) { Workshop(c, Hour::Night, false); }},
        {"BG02", [](ArtCanvas& c) { Theatre(c, false); }},
        {"BG03", Wings},
        {"BG04", [](ArtCanvas& c) { Theatre(c, true); }},
        {"BG05A", [](ArtCanvas& c) { Backstage(c, Hour::Day); }},
        {"BG05B", [](ArtCanvas& c) { Backstage(c, Hour::Night); }},
        {"BG06", [](ArtCanvas& c) { Workshop(c, Hour::Morning, true); }},
        {"BG07", [](ArtCanvas& c) { Street(c, Hour::Dusk); }},
        {"BG07A", [](ArtCanvas& c) { Street(c, Hour::Night); }},
        {"BG08", [](ArtCanvas& c) { Square(c, Hour::Night); }},
        {"BG09", [](ArtCanvas& c) { Square(c, Hour::Day); }},
        {"BG09A", [](ArtCanvas& c) { Square(c, Hour::Dusk); }},
        {"BG10", [](ArtCanvas& c) { Panorama(c, Hour::Dusk, true); }},
        {"BG10A", [](ArtCanvas& c) { Panorama(c, Hour::Night, true); }},
        {"BG11A", [](ArtCanvas& c) { River(c, Hour::Dusk); }},
        {"BG11B", [](ArtCanvas& c) { River(c, Hour::Night); }},
        {"BG12", Shopfront},
        {"BG13", MoonOverRoofs},
        {"TitleBack1", [](ArtCanvas& c) { Panorama(c, Hour::Dusk, false); }},
        {"TitleBack2", [](ArtCanvas& c) { Panorama(c, Hour::Night, false); }},
        {"TitleBack3", MenuNight},
        {"ClothesSelectBack", FittingCorner},
        {"DressRoomBack", Wardrobes},
        {"Staffroll_BG1", RollSky},
        {"Staffroll_BG2", RollHills},
        {"Staffroll_BG3", RollEnd},
        {"Staffroll_Material_Surf", PaintRollLogo},
        {"Staffroll_Material_Tex", PaintRollLogo},
    };
    return paintings;
}

}  // namespace

void PlacePainter::PaintMenuBack(ArtCanvas& canvas) { MenuNight(canvas); }

bool PlacePainter::Paint(ArtCanvas& canvas, const PictureEntry& entry) {
    const auto& paintings = Paintings();
    const auto it = paintings.find(entry.stem);
    if (it == paintings.end()) return false;
    it->second(canvas);
    return true;
}

}  // namespace mkdemo
