#include "mkdemo/RoomPainter.h"

#include <algorithm>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/TownPainter.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

void FillGradient(cairo_t* cr, double x0, double y0, double x1, double y1, std::uint32_t from,
                  std::uint32_t to) {
    cairo_pattern_t* fill = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStop(fill, 0, from);
    AddStop(fill, 1, to);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

std::uint32_t Darker(std::uint32_t rgb) { return (rgb >> 1) & 0x7F7F7F; }

}  // namespace

void RoomPainter::WallAndFloor(cairo_t* cr, double width, double height, double floorY,
                               std::uint32_t wall, std::uint32_t floor) {
    cairo_rectangle(cr, 0, 0, width, floorY);
    FillGradient(cr, 0, 0, 0, floorY, Darker(wall), wall);
    cairo_rectangle(cr, 0, floorY - 18, width, 18);
    SetColor(cr, Darker(floor));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, floorY, width, height - floorY);
    FillGradient(cr, 0, floorY, 0, height, Darker(floor), floor);
    // The boards' seams meet at a point above the middle of the wall.
    SetColor(cr, Darker(Darker(floor)), 0.6);
    cairo_set_line_width(cr, 1.2);
    for (int i = -8; i <= 8; ++i) {
        cairo_move_to(cr, width / 2 + i * width / 16, floorY);
        cairo_line_to(cr, width / 2 + i * width / 3, height);
    }
    cairo_stroke(cr);
}

void RoomPainter::Window(cairo_t* cr, double x, double y, double w, double h, Hour hour) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    SkyPainter::Sky(cr, w, h, hour);
    if (hour == Hour::Night) {
        SkyPainter::Stars(cr, w, h * 0.7, 14, 71);
        SkyPainter::Moon(cr, w * 0.7, h * 0.28, std::min(w, h) * 0.1);
    } else {
        SkyPainter::Clouds(cr, w, h * 0.5, 3, hour, 17);
    }
    TownPainter::Houses(cr, -10, w + 10, h, h * 0.35, SkyPainter::Tint(0x8A7A78, hour), hour, 5);
    cairo_restore(cr);
    // The frame, its bars and the sill.
    SetColor(cr, 0x4A3426);
    cairo_set_line_width(cr, 10);
    cairo_rectangle(cr, x, y, w, h);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, x + w / 2, y);
    cairo_line_to(cr, x + w / 2, y + h);
    cairo_move_to(cr, x, y + h * 0.45);
    cairo_line_to(cr, x + w, y + h * 0.45);
    cairo_stroke(cr);
    cairo_rectangle(cr, x - 14, y + h + 4, w + 28, 10);
    SetColor(cr, 0x6A4A34);
    cairo_fill(cr);
}

void RoomPainter::Shelf(cairo_t* cr, double x, double y, double w, double h, unsigned seed) {
    static const std::uint32_t kCloth[] = {0xC8505A, 0xE8C878, 0x5A7AB8, 0xF0E8DA,
                                           0x7A5AA0, 0x4A9A8A, 0xE0908A, 0x2E3A66};
    std::minstd_rand rng(seed);
    for (double bx = x + 4; bx < x + w - 12;) {
        const double bw = 12 + 14 * SkyPainter::Unit(rng);
        const double bh = h * (0.6 + 0.35 * SkyPainter::Unit(rng));
        const std::uint32_t cloth = kCloth[rng() % 8];
        cairo_rectangle(cr, bx, y + h - bh, std::min(bw, x + w - 4 - bx), bh);
        FillGradient(cr, bx, 0, bx + bw, 0, cloth, Darker(cloth));
        bx += bw + 1;
    }
    cairo_rectangle(cr, x - 4, y + h, w + 8, 7);
    SetColor(cr, 0x5A3E2C);
    cairo_fill(cr);
}

void RoomPainter::DressForm(cairo_t* cr, double x, double groundY, double scale,
                            std::uint32_t dress) {
    const double s = scale;
    SetColor(cr, 0x3A2A22);
    cairo_rectangle(cr, x - 2 * s, groundY - 80 * s, 4 * s, 78 * s);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, x, groundY);
    cairo_scale(cr, 1, 0.25);
    cairo_arc(cr, 0, 0, 22 * s, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_fill(cr);
    // The torso: shoulders, waist, hips.
    const double top = groundY - 200 * s;
    cairo_move_to(cr, x - 34 * s, top + 16 * s);
    cairo_curve_to(cr, x - 30 * s, top, x + 30 * s, top, x + 34 * s, top + 16 * s);
    cairo_curve_to(cr, x + 22 * s, top + 60 * s, x + 40 * s, top + 90 * s, x + 30 * s,
                   top + 120 * s);
    cairo_line_to(cr, x - 30 * s, top + 120 * s);
    cairo_curve_to(cr, x - 40 * s, top + 90 * s, x - 22 * s, top + 60 * s, x - 34 * s,
                   top + 16 * s);
    cairo_close_path(cr);
    FillGradient(cr, x - 34 * s, 0, x + 34 * s, 0, 0xE8D8C0, 0x9A8670);
    // The half-made skirt pinned to it.
    cairo_move_to(cr, x - 26 * s, top + 62 * s);
    cairo_line_to(cr, x + 26 * s, top + 62 * s);
    cairo_curve_to(cr, x + 40 * s, top + 110 * s, x + 56 * s, top + 140 * s, x + 60 * s,
                   top + 150 * s);
    cairo_curve_to(cr, x + 20 * s, top + 158 * s, x - 20 * s, top + 158 * s, x - 60 * s,
                   top + 150 * s);
    cairo_curve_to(cr, x - 56 * s, top + 140 * s, x - 40 * s, top + 110 * s, x - 26 * s,
                   top + 62 * s);
    cairo_close_path(cr);
    FillGradient(cr, x - 60 * s, 0, x + 60 * s, 0, dress, Darker(dress));
    cairo_arc(cr, x, top - 4 * s, 6 * s, 0, 2 * kPi);
    SetColor(cr, 0x3A2A22);
    cairo_fill(cr);
}

void RoomPainter::HangingLamp(cairo_t* cr, double x, double y, double size, bool lit) {
    SetColor(cr, 0x2A2026);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, y);
    cairo_stroke(cr);
    if (lit) SkyPainter::Glow(cr, x, y + size * 0.8, size * 7, SkyPainter::kLamp, 0.7);
    cairo_move_to(cr, x - size * 0.3, y);
    cairo_line_to(cr, x + size * 0.3, y);
    cairo_line_to(cr, x + size, y + size * 0.7);
    cairo_line_to(cr, x - size, y + size * 0.7);
    cairo_close_path(cr);
    SetColor(cr, 0x3E5A4A);
    cairo_fill(cr);
    cairo_arc(cr, x, y + size * 0.75, size * 0.3, 0, kPi);
    SetColor(cr, lit ? 0xFFF4D0 : 0xB8B0A0);
    cairo_fill(cr);
}

void RoomPainter::Table(cairo_t* cr, double x, double y, double w, double h) {
    SetColor(cr, 0x4A3020);
    cairo_rectangle(cr, x + 10, y, 14, h);
    cairo_rectangle(cr, x + w - 24, y, 14, h);
    cairo_fill(cr);
    cairo_move_to(cr, x - 10, y);
    cairo_line_to(cr, x + w + 10, y);
    cairo_line_to(cr, x + w - 20, y - 40);
    cairo_line_to(cr, x + 20, y - 40);
    cairo_close_path(cr);
    FillGradient(cr, 0, y - 40, 0, y, 0x8A6448, 0x6A4A34);
    cairo_rectangle(cr, x - 10, y, w + 20, 12);
    SetColor(cr, 0x5A3E2C);
    cairo_fill(cr);
    // Heaped cloth: overlapping soft mounds.
    static const std::uint32_t kHeap[] = {0xC8505A, 0xF0E8DA, 0x5A7AB8, 0xE8C878, 0x7A5AA0};
    for (int i = 0; i < 5; ++i) {
        const double cx = x + w * (0.2 + 0.15 * i);
        cairo_save(cr);
        cairo_translate(cr, cx, y - 30);
        cairo_scale(cr, w * 0.13, 18 + 4 * (i % 2));
        cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
        cairo_restore(cr);
        cairo_close_path(cr);
        FillGradient(cr, 0, y - 52, 0, y - 30, kHeap[i], Darker(kHeap[i]));
    }
}

void RoomPainter::Rack(cairo_t* cr, double x, double y, double w, double h) {
    SetColor(cr, 0x6A6A72);
    cairo_set_line_width(cr, 4);
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x, y);
    cairo_line_to(cr, x + w, y);
    cairo_line_to(cr, x + w, y + h);
    cairo_stroke(cr);
    static const char* kHeroines[] = {"QUIRA", "DULCANE", "OMBREA", "YSMA"};
    const int count = std::max(3, static_cast<int>(w / 46));
    for (int i = 0; i < count; ++i) {
        const ArtStyle::Look& look = ArtStyle::HeroineLook(kHeroines[i % 4]);
        const double cx = x + (i + 0.5) * w / count;
        const double half = w / count * 0.55;
        cairo_move_to(cr, cx - half * 0.5, y + 14);
        cairo_line_to(cr, cx + half * 0.5, y + 14);
        cairo_line_to(cr, cx + half * 0.35, y + h * 0.35);
        cairo_line_to(cr, cx + half, y + h * 0.8);
        cairo_line_to(cr, cx - half, y + h * 0.8);
        cairo_line_to(cr, cx - half * 0.35, y + h * 0.35);
        cairo_close_path(cr);
        FillGradient(cr, cx - half, 0, cx + half, 0, look.dress, look.dressShade);
        SetColor(cr, look.accent);
        cairo_rectangle(cr, cx - half * 0.4, y + h * 0.33, half * 0.8, 4);
        cairo_fill(cr);
        SetColor(cr, 0x2A2026);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, cx, y);
        cairo_line_to(cr, cx, y + 14);
        cairo_stroke(cr);
    }
}

void RoomPainter::Curtain(cairo_t* cr, double x, double y, double w, double h,
                          std::uint32_t color) {
    cairo_pattern_t* folds = cairo_pattern_create_linear(x, 0, x + 28, 0);
    cairo_pattern_set_extend(folds, CAIRO_EXTEND_REFLECT);
    AddStop(folds, 0, Darker(color));
    AddStop(folds, 0.5, color);
    AddStop(folds, 1, Darker(color));
    cairo_set_source(cr, folds);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(folds);
    // Shadow near the top, where the curtain gathers.
    cairo_rectangle(cr, x, y, w, h);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(shade, 0, 0x000000, 0.45);
    AddStop(shade, 0.3, 0x000000, 0);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

void RoomPainter::Spotlight(cairo_t* cr, double fromX, double fromY, double toX, double toY,
                            double spread, std::uint32_t rgb) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SCREEN);
    cairo_move_to(cr, fromX - 6, fromY);
    cairo_line_to(cr, fromX + 6, fromY);
    cairo_line_to(cr, toX + spread, toY);
    cairo_line_to(cr, toX - spread, toY);
    cairo_close_path(cr);
    cairo_pattern_t* beam = cairo_pattern_create_linear(fromX, fromY, toX, toY);
    AddStop(beam, 0, rgb, 0.4);
    AddStop(beam, 1, rgb, 0.08);
    cairo_set_source(cr, beam);
    cairo_fill(cr);
    cairo_pattern_destroy(beam);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, toX, toY);
    cairo_scale(cr, spread, spread * 0.22);
    SkyPainter::Glow(cr, 0, 0, 1.1, rgb, 0.6);
    cairo_restore(cr);
}

void RoomPainter::Bricks(cairo_t* cr, double x, double y, double w, double h, std::uint32_t brick) {
    cairo_rectangle(cr, x, y, w, h);
    SetColor(cr, Darker(brick));
    cairo_fill(cr);
    constexpr double kW = 44;
    constexpr double kH = 18;
    SetColor(cr, brick);
    for (int row = 0; row * kH < h; ++row) {
        const double offset = row % 2 == 0 ? 0 : kW / 2;
        for (double bx = x - offset; bx < x + w; bx += kW) {
            const double left = std::max(bx, x) + 1;
            const double right = std::min(bx + kW, x + w) - 1;
            if (right > left) cairo_rectangle(cr, left, y + row * kH + 1, right - left, kH - 2);
        }
    }
    cairo_fill(cr);
}

}  // namespace mkdemo
