#include "mkdemo/SkyPainter.h"

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct SkyColors {
    std::uint32_t top;
    std::uint32_t middle;
    std::uint32_t horizon;
    std::uint32_t light;  // what the scene under it is multiplied by
    std::uint32_t cloud;
};

const SkyColors& ColorsOf(Hour hour) {
    static const SkyColors kColors[] = {
        {0x7FA9D8, 0xB9D3EA, 0xF6E2C4, 0xFFF8EE, 0xFFF4EA},  // morning
        {0x4F86C6, 0x8DB8E4, 0xD6E8F4, 0xFFFFFF, 0xFFFFFF},  // day
        {0x2B2F5E, 0x8A5A88, 0xF2A66A, 0xE8B8A8, 0xF0A890},  // dusk
        {0x070B1E, 0x142044, 0x2E3A66, 0x5A6894, 0x3A4670},  // night
    };
    return kColors[static_cast<int>(hour)];
}

}  // namespace

void SkyPainter::Sky(cairo_t* cr, double width, double horizon, Hour hour) {
    const SkyColors& colors = ColorsOf(hour);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
    AddStop(sky, 0, colors.top);
    AddStop(sky, 0.6, colors.middle);
    AddStop(sky, 1, colors.horizon);
    cairo_set_source(cr, sky);
    cairo_rectangle(cr, 0, 0, width, horizon);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
}

void SkyPainter::Stars(cairo_t* cr, double width, double maxY, int count, unsigned seed) {
    std::minstd_rand rng(seed);
    for (int i = 0; i < count; ++i) {
        const double x = Unit(rng) * width;
        const double y = Unit(rng) * Unit(rng) * maxY;  // thicker towards the top
        const double bright = 0.35 + 0.65 * Unit(rng);
        SetColor(cr, i % 5 == 0 ? ArtStyle::kGoldLight : 0xF4F6FF, bright);
        cairo_arc(cr, x, y, 0.6 + bright, 0, 2 * kPi);
        cairo_fill(cr);
        if (bright < 0.9) continue;
        cairo_set_line_width(cr, 0.8);
        cairo_move_to(cr, x - 4, y);
        cairo_line_to(cr, x + 4, y);
        cairo_move_to(cr, x, y - 4);
        cairo_line_to(cr, x, y + 4);
        cairo_stroke(cr);
    }
}

void SkyPainter::Moon(cairo_t* cr, double cx, double cy, double r) {
    Glow(cr, cx, cy, r * 4, ArtStyle::kMoon, 0.45);
    cairo_pattern_t* disc = cairo_pattern_create_radial(cx - r / 3, cy - r / 3, r / 6, cx, cy, r);
    AddStop(disc, 0, 0xFFFDF2);
    AddStop(disc, 1, 0xF0E2B8);
    cairo_set_source(cr, disc);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    // A few soft seas so that it reads as the moon, not a lamp.
    SetColor(cr, 0xC8B88E, 0.35);
    cairo_arc(cr, cx + r * 0.25, cy - r * 0.15, r * 0.3, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_arc(cr, cx - r * 0.3, cy + r * 0.3, r * 0.22, 0, 2 * kPi);
    cairo_fill(cr);
}

void SkyPainter::Clouds(cairo_t* cr, double width, double maxY, int count, Hour hour,
                        unsigned seed) {
    std::minstd_rand rng(seed);
    const double alpha = hour == Hour::Night ? 0.35 : 0.55;
    for (int i = 0; i < count; ++i) {
        const double x = Unit(rng) * width;
        const double y = maxY * (0.2 + 0.8 * Unit(rng));
        const double w = 80 + 160 * Unit(rng);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, w, 10 + 8 * Unit(rng));
        cairo_pattern_t* puff = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        AddStop(puff, 0, ColorsOf(hour).cloud, alpha);
        AddStop(puff, 1, ColorsOf(hour).cloud, 0);
        cairo_set_source(cr, puff);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(puff);
        cairo_restore(cr);
    }
}

void SkyPainter::Glow(cairo_t* cr, double cx, double cy, double r, std::uint32_t rgb,
                      double strength) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SCREEN);
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    AddStop(glow, 0, rgb, strength);
    AddStop(glow, 0.35, rgb, strength * 0.35);
    AddStop(glow, 1, rgb, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
}

void SkyPainter::Shade(cairo_t* cr, double width, double height, Hour hour) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
    SetColor(cr, ColorsOf(hour).light);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_restore(cr);
}

std::uint32_t SkyPainter::Tint(std::uint32_t rgb, Hour hour) {
    const std::uint32_t light = ColorsOf(hour).light;
    std::uint32_t tinted = 0;
    for (const int shift : {16, 8, 0}) {
        const std::uint32_t channel = ((rgb >> shift) & 0xFF) * ((light >> shift) & 0xFF) / 255;
        tinted |= channel << shift;
    }
    return tinted;
}

}  // namespace mkdemo
