#pragma once

#include <cairo.h>

#include <cstdint>
#include <random>

namespace mkdemo {

// The time of day a place is painted at: it sets the sky, the light over everything
// and whether lamps and windows burn.
enum class Hour { Morning, Day, Dusk, Night };

// The sky and the light of the hour: gradients, stars, the moon, clouds, and the
// glows that lamps add over a finished scene.
class SkyPainter {
public:
    // The sky from the picture's top down to the horizon.
    static void Sky(cairo_t* cr, double width, double horizon, Hour hour);
    // Stars over the band above maxY, the same for the same seed.
    static void Stars(cairo_t* cr, double width, double maxY, int count, unsigned seed);
    // The full moon in its halo.
    static void Moon(cairo_t* cr, double cx, double cy, double r);
    // Long soft clouds above maxY, tinted by the hour.
    static void Clouds(cairo_t* cr, double width, double maxY, int count, Hour hour, unsigned seed);
    // A soft round light screened over what lies under it.
    static void Glow(cairo_t* cr, double cx, double cy, double r, std::uint32_t rgb,
                     double strength);
    // The whole picture, already opaque, darkened and tinted to the hour's light.
    static void Shade(cairo_t* cr, double width, double height, Hour hour);
    // A colour as the hour's light shows it.
    static std::uint32_t Tint(std::uint32_t rgb, Hour hour);
    // Whether lamps and windows are lit.
    static bool Lamps(Hour hour) { return hour == Hour::Dusk || hour == Hour::Night; }
    // A number in [0, 1) from a painter's seeded generator, the same on every machine.
    static double Unit(std::minstd_rand& rng) {
        return static_cast<double>(rng() % 10000) / 10000.0;
    }
    // The warm colour of lamplight.
    static constexpr std::uint32_t kLamp = 0xFFD28A;
};

}  // namespace mkdemo
