#include "mkdemo/EventForeground.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/EventShapes.h"
#include "mkdemo/HeroineFigure.h"

namespace mkdemo {

namespace {

constexpr double kPi = EventShapes::kPi;
constexpr auto Glow = EventShapes::Glow;
constexpr std::uint32_t kCoat = 0x5A4E6E;
constexpr std::uint32_t kPartnerSkin = 0xF2D2BC;
using Place = EventScene::Place;

// The viewer's own hand: a coat sleeve from the frame's edge to the point.
void PartnerHand(cairo_t* cr, double fromX, double fromY, double x, double y, double scale) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 46 * scale);
    SetColor(cr, kCoat);
    cairo_move_to(cr, fromX, fromY);
    cairo_curve_to(cr, (fromX + x) / 2, fromY, x + 40 * scale, y, x + 22 * scale, y);
    cairo_stroke(cr);
    SetColor(cr, 0xF4EEE2);
    ArtShapes::Ellipse(cr, x + 26 * scale, y, 10 * scale, 22 * scale);
    cairo_fill(cr);
    SetColor(cr, kPartnerSkin);
    cairo_save(cr);
    cairo_translate(cr, x + 6 * scale, y - 4 * scale);
    cairo_scale(cr, 24 * scale, 17 * scale);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_fill(cr);
}

void Umbrella(cairo_t* cr, const EventScene& scene, HeroineFigure::Point hand) {
    const double s = scene.scale;
    const double top = scene.headY - 170 * s;
    const double half = 290 * s;
    const double rim = top + 110 * s;
    const double middle = hand.x + 12 * s;
    SetColor(cr, 0x3A2A22);
    cairo_set_line_width(cr, 7 * s);
    cairo_move_to(cr, hand.x, hand.y);
    cairo_line_to(cr, middle, top);
    cairo_stroke(cr);
    cairo_move_to(cr, middle - half, rim);
    cairo_curve_to(cr, middle - half, top - 20 * s, middle + half, top - 20 * s, middle + half,
                   rim);
    for (double x = middle + half; x > middle - half + 1; x -= half / 3) {
        cairo_curve_to(cr, x - half / 9, rim - 22 * s, x - half * 2 / 9, rim - 22 * s, x - half / 3,
                       rim);
    }
    cairo_close_path(cr);
    cairo_pattern_t* cloth = cairo_pattern_create_linear(0, top, 0, rim);
    AddStop(cloth, 0, 0x8EA4D6);
    AddStop(cloth, 1, 0x506494);
    cairo_set_source(cr, cloth);
    cairo_fill(cr);
    cairo_pattern_destroy(cloth);
    PartnerHand(cr, 800, hand.y + 120 * s, hand.x + 30 * s, hand.y + 20 * s, s);
}

void Moment(cairo_t* cr, const EventScene& scene) {
    const HeroineFigure::Point hand = HeroineFigure::Hand(scene);
    const double s = scene.scale;
    switch (scene.moment) {
        case EventScene::Moment::Alone:
            break;
        case EventScene::Moment::HandInHand:
            PartnerHand(cr, 820, 640, hand.x + 14 * s, hand.y + 6 * s, s);
            Glow(cr, hand.x, hand.y, 90 * s, 0xFFE0A0, 0.35);
            break;
        case EventScene::Moment::Umbrella:
            Umbrella(cr, scene, hand);
            break;
        case EventScene::Moment::Dance:
            PartnerHand(cr, 820, hand.y - 60 * s, hand.x + 14 * s, hand.y - 4 * s, s);
            SetColor(cr, ArtStyle::kGoldLight, 0.5);
            cairo_set_line_width(cr, 5);
            cairo_move_to(cr, scene.figureX - 260 * s, scene.headY + 320 * s);
            cairo_curve_to(cr, scene.figureX - 120 * s, scene.headY + 180 * s,
                           scene.figureX + 60 * s, scene.headY + 420 * s, hand.x, hand.y + 200 * s);
            cairo_stroke(cr);
            break;
    }
}

// The heads and shoulders of the front row, dark against the stage.
void Audience(cairo_t* cr) {
    SetColor(cr, 0x0A0608);
    for (double x = -20; x < 820; x += 70) {
        const double lift = std::fmod(x * 7, 23);
        cairo_arc(cr, x, 560 - lift, 24, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_rectangle(cr, x - 40, 580 - lift, 80, 30 + lift);
        cairo_fill(cr);
    }
}

void Sparkles(cairo_t* cr, std::uint32_t seed, int count, std::uint32_t rgb) {
    std::minstd_rand rng(seed);
    SetColor(cr, rgb, 0.85);
    for (int i = 0; i < count; ++i) {
        ArtShapes::Sparkle(cr, rng() % 800, rng() % 560, 4 + rng() % 8);
    }
    cairo_fill(cr);
}

void Light(cairo_t* cr, const EventScene& scene) {
    switch (scene.place) {
        case Place::Workshop:
            Glow(cr, 150, 80, 520, 0xFFC870, 0.2);
            break;
        case Place::Stage: {
            cairo_move_to(cr, scene.figureX - 70, 0);
            cairo_line_to(cr, scene.figureX + 70, 0);
            cairo_line_to(cr, scene.figureX + 280, 600);
            cairo_line_to(cr, scene.figureX - 280, 600);
            cairo_close_path(cr);
            SetColor(cr, 0xFFF6E0, 0.12);
            cairo_fill(cr);
            if (scene.outfit == EventScene::Outfit::White) Sparkles(cr, scene.seed, 18, 0xFFFFFF);
            break;
        }
        case Place::Lanterns:
            Glow(cr, 60, 560, 120, 0xFFB060, 0.35);
            Glow(cr, 760, 520, 90, 0xFF8050, 0.3);
            break;
        case Place::MoonHill:
            Sparkles(cr, scene.seed, 14, 0xE8F4B0);
            break;
        case Place::Rain:
            Glow(cr, scene.figureX, scene.headY, 260, 0xFFE8C0, 0.12);
            break;
        case Place::Dawn:
            Sparkles(cr, scene.seed, 10, 0xFFF4D0);
            break;
    }
}

// Darkened edges, drawn as four linear shades: a radial one costs far more.
void Vignette(cairo_t* cr) {
    constexpr double kDepth = 110;
    static constexpr double kEdges[][4] = {
        {0, 0, kDepth, 0}, {800, 0, 800 - kDepth, 0}, {0, 0, 0, kDepth}, {0, 600, 0, 600 - kDepth}};
    for (const auto& edge : kEdges) {
        cairo_pattern_t* shade = cairo_pattern_create_linear(edge[0], edge[1], edge[2], edge[3]);
        AddStop(shade, 0, 0x000000, 0.35);
        AddStop(shade, 1, 0x000000, 0);
        cairo_rectangle(cr, std::min(edge[0], edge[2]), std::min(edge[1], edge[3]),
                        edge[2] == edge[0] ? 800 : kDepth, edge[3] == edge[1] ? 600 : kDepth);
        cairo_set_source(cr, shade);
        cairo_fill(cr);
        cairo_pattern_destroy(shade);
    }
}

}  // namespace

void EventForeground::Paint(cairo_t* cr, const EventScene& scene) {
    Moment(cr, scene);
    if (scene.curtainUp) Audience(cr);
    Light(cr, scene);
    Vignette(cr);
}

}  // namespace mkdemo
