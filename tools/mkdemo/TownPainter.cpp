#include "mkdemo/TownPainter.h"

#include <algorithm>
#include <cmath>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The point at t along a cord hanging between two points.
void CordPoint(double x0, double y0, double x1, double y1, double sag, double t, double& x,
               double& y) {
    x = x0 + (x1 - x0) * t;
    y = y0 + (y1 - y0) * t + 4 * sag * t * (1 - t);
}

void Cord(cairo_t* cr, double x0, double y0, double x1, double y1, double sag) {
    SetColor(cr, 0x2A2230, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + (x1 - x0) / 3, y0 + sag * 4 / 3, x1 - (x1 - x0) / 3, y1 + sag * 4 / 3,
                   x1, y1);
    cairo_stroke(cr);
}

void Window(cairo_t* cr, double x, double y, double w, double h, bool lit) {
    cairo_rectangle(cr, x, y, w, h);
    SetColor(cr, lit ? SkyPainter::kLamp : 0x3A4A66, lit ? 1.0 : 0.85);
    cairo_fill(cr);
    // The cross of the frame.
    SetColor(cr, 0x2A2026, 0.7);
    cairo_rectangle(cr, x + w / 2 - 0.5, y, 1, h);
    cairo_rectangle(cr, x, y + h / 2 - 0.5, w, 1);
    cairo_fill(cr);
}

void House(cairo_t* cr, double x, double groundY, double w, double h, double roof,
           std::uint32_t wall, Hour hour, std::minstd_rand& rng) {
    SetColor(cr, wall);
    cairo_rectangle(cr, x, groundY - h, w, h);
    cairo_fill(cr);
    cairo_move_to(cr, x - 3, groundY - h);
    cairo_line_to(cr, x + w / 2, groundY - h - roof);
    cairo_line_to(cr, x + w + 3, groundY - h);
    cairo_close_path(cr);
    SetColor(cr, SkyPainter::Tint(0x5A3A3A, hour));
    cairo_fill(cr);
    const int columns = std::max(1, static_cast<int>(w / 22));
    const int rows = std::max(1, static_cast<int>(h / 26));
    const double pane = std::min(w / (columns * 2.0), 10.0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double wx = x + (c + 0.5) * w / columns - pane / 2;
            const double wy = groundY - h + 8 + r * 26 * h / (rows * 26.0);
            const bool lit = SkyPainter::Lamps(hour) && SkyPainter::Unit(rng) < 0.55;
            Window(cr, wx, wy, pane, pane * 1.3, lit);
        }
    }
}

}  // namespace

void TownPainter::Hills(cairo_t* cr, double width, double base, double height, double bottom,
                        double phase, std::uint32_t top, std::uint32_t foot) {
    cairo_move_to(cr, 0, bottom);
    for (double x = 0; x <= width + 8; x += 8) {
        const double rise =
            0.6 * std::sin(x / 260.0 + phase) + 0.4 * std::sin(x / 97.0 + 2 * phase);
        cairo_line_to(cr, x, base - height * (0.5 + 0.5 * rise));
    }
    cairo_line_to(cr, width + 8, bottom);
    cairo_close_path(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, base - height, 0, bottom);
    AddStop(fill, 0, top);
    AddStop(fill, 1, foot);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

void TownPainter::Houses(cairo_t* cr, double x0, double x1, double groundY, double scale,
                         std::uint32_t wall, Hour hour, unsigned seed) {
    std::minstd_rand rng(seed);
    for (double x = x0; x < x1;) {
        const double w = scale * (0.5 + 0.5 * SkyPainter::Unit(rng));
        const double h = scale * (0.55 + 0.6 * SkyPainter::Unit(rng));
        const double roof = scale * (0.2 + 0.25 * SkyPainter::Unit(rng));
        House(cr, x, groundY, w, h, roof, wall, hour, rng);
        x += w + scale * 0.08 * SkyPainter::Unit(rng);
    }
}

void TownPainter::Lanterns(cairo_t* cr, double x0, double y0, double x1, double y1, double sag,
                           int count, bool lit) {
    Cord(cr, x0, y0, x1, y1, sag);
    const double size = std::clamp(std::abs(x1 - x0) / count / 5, 4.0, 14.0);
    for (int i = 1; i <= count; ++i) {
        double x = 0, y = 0;
        CordPoint(x0, y0, x1, y1, sag, static_cast<double>(i) / (count + 1), x, y);
        const std::uint32_t paper = i % 3 == 0 ? 0xF2E2B0 : 0xE0503A;
        if (lit) SkyPainter::Glow(cr, x, y + size, size * 4, 0xFFB060, 0.55);
        cairo_save(cr);
        cairo_translate(cr, x, y + size * 1.3);
        cairo_scale(cr, size * 0.8, size);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_pattern_t* body =
            cairo_pattern_create_radial(x, y + size, 0, x, y + size * 1.3, size);
        AddStop(body, 0, lit ? 0xFFF2C0 : paper);
        AddStop(body, 1, lit ? paper : SkyPainter::Tint(paper, Hour::Dusk));
        cairo_set_source(cr, body);
        cairo_fill(cr);
        cairo_pattern_destroy(body);
        SetColor(cr, 0x2A2230);
        cairo_rectangle(cr, x - size * 0.45, y + size * 0.2, size * 0.9, size * 0.2);
        cairo_rectangle(cr, x - size * 0.45, y + size * 2.2, size * 0.9, size * 0.2);
        cairo_fill(cr);
    }
}

void TownPainter::Bunting(cairo_t* cr, double x0, double y0, double x1, double y1, double sag,
                          int count, Hour hour) {
    static const std::uint32_t kFlags[] = {0xD8584A, ArtStyle::kGold, 0x4A8AB0, 0xF2EEDC, 0x6AA06A};
    Cord(cr, x0, y0, x1, y1, sag);
    const double size = std::clamp(std::abs(x1 - x0) / count / 2.4, 5.0, 22.0);
    for (int i = 0; i < count; ++i) {
        double ax = 0, ay = 0, bx = 0, by = 0;
        CordPoint(x0, y0, x1, y1, sag, (i + 0.15) / count, ax, ay);
        CordPoint(x0, y0, x1, y1, sag, (i + 0.85) / count, bx, by);
        cairo_move_to(cr, ax, ay);
        cairo_line_to(cr, bx, by);
        cairo_line_to(cr, (ax + bx) / 2, (ay + by) / 2 + size * 1.4);
        cairo_close_path(cr);
        SetColor(cr, SkyPainter::Tint(kFlags[i % 5], hour));
        cairo_fill(cr);
    }
}

void TownPainter::StreetLamp(cairo_t* cr, double x, double groundY, double height, bool lit) {
    SetColor(cr, 0x1E1C26);
    cairo_rectangle(cr, x - height * 0.02, groundY - height, height * 0.04, height);
    cairo_rectangle(cr, x - height * 0.06, groundY - height * 0.05, height * 0.12, height * 0.05);
    cairo_fill(cr);
    const double head = height * 0.09;
    cairo_move_to(cr, x - head, groundY - height);
    cairo_line_to(cr, x + head, groundY - height);
    cairo_line_to(cr, x + head * 0.6, groundY - height - head * 1.6);
    cairo_line_to(cr, x - head * 0.6, groundY - height - head * 1.6);
    cairo_close_path(cr);
    SetColor(cr, lit ? 0xFFE7B0 : 0x8A94A8);
    cairo_fill(cr);
    if (lit) SkyPainter::Glow(cr, x, groundY - height - head * 0.8, height * 0.9, 0xFFC070, 0.6);
}

void TownPainter::Ground(cairo_t* cr, double width, double top, double bottom, std::uint32_t far,
                         std::uint32_t near) {
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, top, 0, bottom);
    AddStop(ground, 0, far);
    AddStop(ground, 1, near);
    cairo_set_source(cr, ground);
    cairo_rectangle(cr, 0, top, width, bottom - top);
    cairo_fill(cr);
    cairo_pattern_destroy(ground);
}

}  // namespace mkdemo
