#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mkdemo {

// A picture drawn with cairo (antialiased paths, gradients, the game's font), kept as
// premultiplied ARGB until it is written as one of the engine's bitmaps. Painters
// draw through cr(); the canvas starts fully transparent.
class ArtCanvas {
public:
    ArtCanvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() const { return context_.get(); }

    // A line of UTF-8 text in the game's font with its top-left at (x, y), under the
    // current transformation, in colour (0x00RRGGBB) at the given opacity.
    void text(std::string_view utf8, double x, double y, int height, std::uint32_t rgb,
              double alpha = 1.0) const;
    // Text centred on (cx, cy) inside a soft outline of the given width.
    void label(std::string_view utf8, double cx, double cy, int height, std::uint32_t ink,
               std::uint32_t outline, int outlineWidth = 2) const;
    static int TextWidth(std::string_view utf8, int height);

    // A pixel's colour over black (0x00RRGGBB) and its opacity (0-255).
    std::uint32_t pixel(int x, int y) const;
    int alpha(int x, int y) const;
    // Whether the pixel belongs to the drawn shape: at least half opaque.
    bool covered(int x, int y) const { return alpha(x, y) >= 128; }

    // The colour the bitmap gives a pixel, or nothing where it takes the key; pixel
    // (0, 0) aside, which the bitmap settles for the whole picture.
    std::optional<std::uint32_t> color(int x, int y, std::uint32_t key) const;

    // The engine's bitmap file. Pixels outside the shape take the key colour; shape
    // pixels keep their own colour unpremultiplied, moved off the key where they would
    // meet it even at 16 bits. Pixel (0, 0), where the engine may read its key, is the
    // key in a picture with a transparent part; in a whole picture it keeps nearly its
    // art's colour, one no other pixel has even at 16 bits.
    // Sheets keep exact colours at 24 bits; other pictures go to a 256-colour palette.
    std::string bitmap(std::uint32_t key, bool exactColors) const;
    // The picture in the colours of its 256-colour bitmap, its key pixels clear: what
    // the engine shows of it.
    ArtCanvas reduced(std::uint32_t key) const;
    // Draws picture with its top-left at (x, y), under the current clip and transformation.
    void paint(const ArtCanvas& picture, double x, double y) const;

private:
    struct SurfaceFree {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct ContextFree {
        void operator()(cairo_t* c) const { cairo_destroy(c); }
    };
    // Reads the surface as cairo left it: callers flush first.
    std::uint32_t raw(int x, int y) const;
    // The bitmap's colours before (0, 0) is settled: the key outside the shape and there.
    std::vector<std::uint32_t> keyed(std::uint32_t key) const;
    static std::optional<std::uint32_t> ColorOf(std::uint32_t argb, std::uint32_t key);

    int width_;
    int height_;
    std::unique_ptr<cairo_surface_t, SurfaceFree> surface_;
    std::unique_ptr<cairo_t, ContextFree> context_;
};

// Sets the source of cr to a colour (0x00RRGGBB) at the given opacity.
void SetColor(cairo_t* cr, std::uint32_t rgb, double alpha = 1.0);
// Adds a colour stop (0x00RRGGBB) to a gradient.
void AddStop(cairo_pattern_t* pattern, double offset, std::uint32_t rgb, double alpha = 1.0);
// A rectangle path with rounded corners.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

}  // namespace mkdemo
