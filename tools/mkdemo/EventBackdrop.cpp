#include "mkdemo/EventBackdrop.h"

#include <cmath>
#include <random>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/EventShapes.h"

namespace mkdemo {

namespace {

constexpr double kPi = EventShapes::kPi;
constexpr auto Glow = EventShapes::Glow;
constexpr double kWidth = 800;
constexpr double kHeight = 600;

void Band(cairo_t* cr, double top, double bottom, std::uint32_t upper, std::uint32_t lower) {
    cairo_rectangle(cr, 0, top, kWidth, bottom - top);
    EventShapes::FillDown(cr, top, bottom, upper, lower);
}

void Stars(cairo_t* cr, std::uint32_t seed, int count, double bottom) {
    std::minstd_rand rng(seed);
    for (int i = 0; i < count; ++i) {
        const double x = rng() % 800;
        const double y = rng() % static_cast<unsigned>(bottom);
        SetColor(cr, 0xF4F0DC, 0.4 + (rng() % 6) / 10.0);
        cairo_arc(cr, x, y, 0.8 + (rng() % 3) * 0.5, 0, 2 * kPi);
        cairo_fill(cr);
    }
}

// A row of gabled roofs along the horizon, some windows lit.
void Roofs(cairo_t* cr, std::uint32_t seed, double base, std::uint32_t rgb) {
    std::minstd_rand rng(seed);
    cairo_move_to(cr, 0, kHeight);
    for (double x = 0; x < kWidth; x += 90) {
        const double eave = base - 30 - (rng() % 50);
        cairo_line_to(cr, x, eave);
        cairo_line_to(cr, x + 45, eave - 34);
        cairo_line_to(cr, x + 90, eave);
    }
    cairo_line_to(cr, kWidth, kHeight);
    cairo_close_path(cr);
    SetColor(cr, rgb);
    cairo_fill(cr);
    for (double x = 20; x < kWidth; x += 90) {
        if (rng() % 3 == 0) continue;
        SetColor(cr, 0xFFC86A, 0.85);
        cairo_rectangle(cr, x + (rng() % 30), base + (rng() % 30), 12, 16);
        cairo_fill(cr);
    }
}

// A tailor's dummy on its stand, wearing a costume half made.
void DressForm(cairo_t* cr, double x, const EventScene& scene) {
    SetColor(cr, 0x3A2618);
    cairo_rectangle(cr, x - 4, 470, 8, 110);
    cairo_rectangle(cr, x - 40, 574, 80, 8);
    cairo_fill(cr);
    cairo_move_to(cr, x - 24, 300);
    cairo_curve_to(cr, x - 70, 310, x - 80, 340, x - 66, 400);
    cairo_curve_to(cr, x - 50, 440, x - 56, 460, x - 60, 480);
    cairo_line_to(cr, x + 60, 480);
    cairo_curve_to(cr, x + 56, 460, x + 50, 440, x + 66, 400);
    cairo_curve_to(cr, x + 80, 340, x + 70, 310, x + 24, 300);
    cairo_close_path(cr);
    const ArtStyle::Look& look = ArtStyle::HeroineLook(scene.heroine);
    EventShapes::FillDown(cr, 300, 480, look.accent, ArtShapes::Mix(look.accent, 0x3A2618, 0.5));
    SetColor(cr, 0xE8E0D0);
    cairo_arc(cr, x, 292, 12, 0, 2 * kPi);
    cairo_fill(cr);
}

void Workshop(cairo_t* cr, const EventScene& scene) {
    Band(cr, 0, kHeight, 0x5E3C26, 0x2A1A10);
    SetColor(cr, 0x1E120A, 0.3);
    for (double x = 40; x < kWidth; x += 84) cairo_rectangle(cr, x, 0, 3, kHeight);
    cairo_fill(cr);
    // The window with the night outside.
    cairo_rectangle(cr, 560, 50, 190, 230);
    cairo_pattern_t* night = cairo_pattern_create_linear(0, 50, 0, 280);
    AddStop(night, 0, ArtStyle::kPanel);
    AddStop(night, 1, ArtStyle::kPanelLight);
    cairo_set_source(cr, night);
    cairo_fill(cr);
    cairo_pattern_destroy(night);
    Glow(cr, 700, 110, 60, ArtStyle::kMoon, 0.6);
    SetColor(cr, 0xF4F0DC);
    cairo_arc(cr, 700, 110, 22, 0, 2 * kPi);
    cairo_fill(cr);
    SetColor(cr, 0x6E4A30);
    cairo_set_line_width(cr, 10);
    cairo_rectangle(cr, 560, 50, 190, 230);
    cairo_move_to(cr, 655, 50);
    cairo_line_to(cr, 655, 280);
    cairo_move_to(cr, 560, 165);
    cairo_line_to(cr, 750, 165);
    cairo_stroke(cr);
    // Bolts of cloth on a shelf, in the four heroines' colours.
    SetColor(cr, 0x7A5234);
    cairo_rectangle(cr, 0, 190, 520, 14);
    cairo_fill(cr);
    static constexpr const char* kOwners[] = {"QUIRA", "DULCANE", "OMBREA", "YSMA"};
    for (int i = 0; i < 9; ++i) {
        const ArtStyle::Look& look = ArtStyle::HeroineLook(kOwners[(i + scene.seed) % 4]);
        RoundedRect(cr, 20 + 56 * i, 96 + (i % 2) * 10, 44, 94 - (i % 2) * 10, 8);
        SetColor(cr, i % 3 == 0 ? look.accent : look.dress);
        cairo_fill(cr);
    }
    // The lamp and its warm light.
    SetColor(cr, 0x2A1A10);
    cairo_rectangle(cr, 148, 0, 3, 60);
    cairo_fill(cr);
    Glow(cr, 150, 80, 330, 0xFFC870, 0.45);
    SetColor(cr, 0xFFE6A8);
    cairo_arc(cr, 150, 80, 22, 0, 2 * kPi);
    cairo_fill(cr);
    Band(cr, 520, kHeight, 0x8A5E3A, 0x5A3A22);
    DressForm(cr, scene.figureX < 400 ? 660 : 140, scene);
}

// One curtain falling in folds from the top, its free edge curving to x at the bottom.
void Curtain(cairo_t* cr, double side, double edge) {
    cairo_save(cr);
    if (side < 0) {
        cairo_translate(cr, kWidth, 0);
        cairo_scale(cr, -1, 1);
    }
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, edge, 0);
    cairo_curve_to(cr, edge - 40, 220, edge - 90, 330, edge - 60, kHeight);
    cairo_line_to(cr, 0, kHeight);
    cairo_close_path(cr);
    cairo_pattern_t* folds = cairo_pattern_create_linear(0, 0, 36, 0);
    cairo_pattern_set_extend(folds, CAIRO_EXTEND_REFLECT);
    AddStop(folds, 0, 0x9A1E2A);
    AddStop(folds, 1, 0x4A0A14);
    cairo_set_source(cr, folds);
    cairo_fill(cr);
    cairo_pattern_destroy(folds);
    cairo_restore(cr);
}

// The valance across the top, scalloped, with a gold fringe.
void Valance(cairo_t* cr, double depth) {
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, kWidth, 0);
    cairo_line_to(cr, kWidth, depth);
    for (double x = kWidth; x > 0; x -= 100)
        cairo_curve_to(cr, x - 30, depth + 40, x - 70, depth + 40, x - 100, depth);
    cairo_close_path(cr);
    SetColor(cr, 0x7A1220);
    cairo_fill_preserve(cr);
    SetColor(cr, ArtStyle::kGold);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
}

void Stage(cairo_t* cr, const EventScene& scene) {
    Band(cr, 0, kHeight, 0x2A1630, 0x0C0810);
    Glow(cr, scene.figureX, 280, 330, 0xFFF0D0, 0.4);
    Band(cr, 470, kHeight, 0x6A4628, 0x3A2414);
    SetColor(cr, 0x2A1A10, 0.5);
    for (double y = 490; y < kHeight; y += 28) cairo_rectangle(cr, 0, y, kWidth, 2);
    cairo_fill(cr);
    Curtain(cr, 1, scene.curtainUp ? 110 : 170);
    Curtain(cr, -1, scene.curtainUp ? 110 : 170);
    Valance(cr, scene.curtainUp ? 120 : 60);
}

// A string of paper lanterns sagging between two poles.
void LanternString(cairo_t* cr, double left, double right, double sag, std::uint32_t seed) {
    SetColor(cr, 0x1A1420);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 0, left);
    cairo_curve_to(cr, 260, left + sag, 540, right + sag, kWidth, right);
    cairo_stroke(cr);
    std::minstd_rand rng(seed);
    for (double x = 30; x < kWidth; x += 74) {
        const double t = x / kWidth;
        const double y = left + (right - left) * t + sag * 3 * t * (1 - t) + 14;
        const std::uint32_t tone = rng() % 3 == 0 ? 0xF0C060 : 0xE0503A;
        Glow(cr, x, y, 46, 0xFFB060, 0.45);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 1, 1.25);
        cairo_arc(cr, 0, 0, 15, 0, 2 * kPi);
        cairo_restore(cr);
        SetColor(cr, tone);
        cairo_fill(cr);
    }
}

void Lanterns(cairo_t* cr, const EventScene& scene) {
    Band(cr, 0, kHeight, 0x0E1434, 0x4A2E5E);
    Stars(cr, scene.seed, 40, 260);
    Roofs(cr, scene.seed, 430, 0x14142A);
    LanternString(cr, 70, 130, 70, scene.seed);
    LanternString(cr, 210, 170, 50, scene.seed + 1);
}

void Hills(cairo_t* cr, double base, double swell, std::uint32_t rgb) {
    cairo_move_to(cr, 0, kHeight);
    cairo_line_to(cr, 0, base);
    cairo_curve_to(cr, 220, base - swell, 480, base + swell, kWidth, base - swell / 2);
    cairo_line_to(cr, kWidth, kHeight);
    cairo_close_path(cr);
    SetColor(cr, rgb);
    cairo_fill(cr);
}

void MoonHill(cairo_t* cr, const EventScene& scene) {
    Band(cr, 0, kHeight, 0x080C28, 0x2C3E78);
    Stars(cr, scene.seed, 70, 420);
    const double moonX = scene.figureX < 400 ? 640 : 160;
    Glow(cr, moonX, 130, 200, ArtStyle::kMoon, 0.5);
    SetColor(cr, 0xF6F2E0);
    cairo_arc(cr, moonX, 130, 72, 0, 2 * kPi);
    cairo_fill(cr);
    SetColor(cr, 0xD8DCE8, 0.6);
    cairo_arc(cr, moonX - 20, 115, 14, 0, 2 * kPi);
    cairo_arc(cr, moonX + 24, 150, 9, 0, 2 * kPi);
    cairo_fill(cr);
    Hills(cr, 430, 60, 0x1C2850);
    Hills(cr, 500, -40, 0x111A36);
}

void Rain(cairo_t* cr, const EventScene& scene) {
    Band(cr, 0, kHeight, 0x36445E, 0x62728A);
    Roofs(cr, scene.seed, 400, 0x3A465E);
    Band(cr, 500, kHeight, 0x2E3A50, 0x222A3A);
    std::minstd_rand rng(scene.seed);
    SetColor(cr, 0xD8E4F4, 0.35);
    cairo_set_line_width(cr, 1.5);
    for (int i = 0; i < 140; ++i) {
        const double x = rng() % 840;
        const double y = rng() % 600;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x - 8, y + 26);
    }
    cairo_stroke(cr);
}

void Dawn(cairo_t* cr, const EventScene& scene) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 480);
    AddStop(sky, 0, 0x6C7CB8);
    AddStop(sky, 0.6, 0xE8A8A0);
    AddStop(sky, 1, 0xFFD89A);
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    const double sunX = scene.figureX < 400 ? 620 : 180;
    Glow(cr, sunX, 470, 260, 0xFFF0C0, 0.7);
    Roofs(cr, scene.seed, 480, 0x5A4A6A);
}

}  // namespace

void EventBackdrop::Paint(cairo_t* cr, const EventScene& scene) {
    // The ground colour first, over the whole surface whatever the transformation.
    cairo_save(cr);
    cairo_identity_matrix(cr);
    SetColor(cr, 0x101018);
    cairo_paint(cr);
    cairo_restore(cr);
    switch (scene.place) {
        case EventScene::Place::Workshop:
            Workshop(cr, scene);
            break;
        case EventScene::Place::Stage:
            Stage(cr, scene);
            break;
        case EventScene::Place::Lanterns:
            Lanterns(cr, scene);
            break;
        case EventScene::Place::MoonHill:
            MoonHill(cr, scene);
            break;
        case EventScene::Place::Rain:
            Rain(cr, scene);
            break;
        case EventScene::Place::Dawn:
            Dawn(cr, scene);
            break;
    }
}

}  // namespace mkdemo
