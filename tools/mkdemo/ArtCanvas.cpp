#include "mkdemo/ArtCanvas.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/BitmapWriter.h"
#include "mkdemo/GlyphCoverage.h"
#include "mkdemo/PaletteQuantizer.h"
#include "platform/text/Cp932.h"

namespace mkdemo {

namespace {

double Part(std::uint32_t rgb, int shift) { return ((rgb >> shift) & 0xFF) / 255.0; }

// The coverage of a line of text as an alpha-only cairo surface.
struct GlyphMask {
    std::vector<std::uint8_t> data;
    int stride = 0;
    GlyphCoverage glyphs;
};

GlyphMask MaskOf(std::string_view utf8, int height) {
    GlyphMask mask;
    mask.glyphs = GlyphCoverage::Of(platform::utf8ToCp932(utf8).value_or("?"), height);
    mask.stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, mask.glyphs.width);
    mask.data.assign(static_cast<std::size_t>(mask.stride * mask.glyphs.height), 0);
    for (int y = 0; y < mask.glyphs.height; ++y) {
        std::copy_n(mask.glyphs.coverage.begin() + y * mask.glyphs.width, mask.glyphs.width,
                    mask.data.begin() + y * mask.stride);
    }
    return mask;
}

}  // namespace

void SetColor(cairo_t* cr, std::uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, Part(rgb, 16), Part(rgb, 8), Part(rgb, 0), alpha);
}

void AddStop(cairo_pattern_t* pattern, double offset, std::uint32_t rgb, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, Part(rgb, 16), Part(rgb, 8), Part(rgb, 0),
                                      alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    constexpr double kQuarter = 1.5707963267948966;
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -kQuarter, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, kQuarter);
    cairo_arc(cr, x + radius, y + h - radius, radius, kQuarter, 2 * kQuarter);
    cairo_arc(cr, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
    cairo_close_path(cr);
}

ArtCanvas::ArtCanvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context_(cairo_create(surface_.get())) {}

void ArtCanvas::text(std::string_view utf8, double x, double y, int height, std::uint32_t rgb,
                     double alpha) const {
    GlyphMask mask = MaskOf(utf8, height);
    if (mask.glyphs.width <= 0) return;
    std::unique_ptr<cairo_surface_t, SurfaceFree> glyphs(cairo_image_surface_create_for_data(
        mask.data.data(), CAIRO_FORMAT_A8, mask.glyphs.width, mask.glyphs.height, mask.stride));
    SetColor(cr(), rgb, alpha);
    cairo_mask_surface(cr(), glyphs.get(), x, y);
}

void ArtCanvas::label(std::string_view utf8, double cx, double cy, int height, std::uint32_t ink,
                      std::uint32_t outline, int outlineWidth) const {
    const double x = cx - TextWidth(utf8, height) / 2.0;
    const double y = cy - height / 2.0;
    for (int dy = -outlineWidth; dy <= outlineWidth; ++dy) {
        for (int dx = -outlineWidth; dx <= outlineWidth; ++dx) {
            if (dx * dx + dy * dy > outlineWidth * outlineWidth || (dx == 0 && dy == 0)) continue;
            text(utf8, x + dx, y + dy, height, outline, 0.6);
        }
    }
    text(utf8, x, y, height, ink);
}

int ArtCanvas::TextWidth(std::string_view utf8, int height) {
    return GlyphCoverage::WidthOf(platform::utf8ToCp932(utf8).value_or("?"), height);
}

std::uint32_t ArtCanvas::raw(int x, int y) const {
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    std::uint32_t argb = 0;
    std::memcpy(&argb, data + y * stride + 4 * x, sizeof argb);
    return argb;
}

std::uint32_t ArtCanvas::pixel(int x, int y) const {
    cairo_surface_flush(surface_.get());
    return raw(x, y) & 0xFFFFFF;
}

int ArtCanvas::alpha(int x, int y) const {
    cairo_surface_flush(surface_.get());
    return static_cast<int>(raw(x, y) >> 24);
}

std::optional<std::uint32_t> ArtCanvas::color(int x, int y, std::uint32_t key) const {
    cairo_surface_flush(surface_.get());
    return ColorOf(raw(x, y), key);
}

std::optional<std::uint32_t> ArtCanvas::ColorOf(std::uint32_t argb, std::uint32_t key) {
    const std::uint32_t a = argb >> 24;
    if (a < 128) return std::nullopt;
    if (a == 255) return MoveOffKey(argb & 0xFFFFFF, key);
    std::uint32_t rgb = 0;
    for (const int shift : {16, 8, 0}) {
        const std::uint32_t c = (argb >> shift) & 0xFF;
        rgb = rgb << 8 | std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
    }
    return MoveOffKey(rgb, key);
}

std::vector<std::uint32_t> ArtCanvas::keyed(std::uint32_t key) const {
    cairo_surface_flush(surface_.get());
    std::vector<std::uint32_t> xrgb;
    xrgb.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) xrgb.push_back(ColorOf(raw(x, y), key).value_or(key));
    }
    xrgb[0] = key;
    return xrgb;
}

std::string ArtCanvas::bitmap(std::uint32_t key, bool exactColors) const {
    std::vector<std::uint32_t> xrgb = keyed(key);
    // The engine reads the key from (0, 0) unless it is told one. A picture with
    // transparent pixels keeps the key there; a whole one gives (0, 0) a colour of its
    // own, near the art's, so that drawn without its key it shows no stray dot.
    const std::optional<std::uint32_t> origin = color(0, 0, key);
    const bool whole = origin && std::count(xrgb.begin(), xrgb.end(), key) == 1;
    if (exactColors) {
        if (whole) xrgb[0] = OwnColorNear(*origin, std::span(xrgb).subspan(1), key);
        return zktools::BitmapBytes(zktools::BitmapForm::Rgb24, width_, height_, xrgb);
    }
    IndexedPicture reduced = PaletteQuantizer::Reduce(xrgb, key);
    if (whole)
        reduced.palette[0] = OwnColorNear(*origin, std::span(reduced.palette).subspan(1), key);
    return zktools::IndexedBitmapBytes(zktools::BitmapForm::Indexed8, width_, height_,
                                       reduced.indices, reduced.palette);
}

ArtCanvas ArtCanvas::reduced(std::uint32_t key) const {
    const IndexedPicture picture = PaletteQuantizer::Reduce(keyed(key), key);
    ArtCanvas copy(width_, height_);
    unsigned char* data = cairo_image_surface_get_data(copy.surface_.get());
    const int stride = cairo_image_surface_get_stride(copy.surface_.get());
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const std::uint8_t index = picture.indices[static_cast<std::size_t>(y * width_ + x)];
            const std::uint32_t argb = index == 0 ? 0 : 0xFF000000 | picture.palette[index];
            std::memcpy(data + y * stride + 4 * x, &argb, sizeof argb);
        }
    }
    cairo_surface_mark_dirty(copy.surface_.get());
    return copy;
}

void ArtCanvas::paint(const ArtCanvas& picture, double x, double y) const {
    cairo_set_source_surface(cr(), picture.surface_.get(), x, y);
    cairo_paint(cr());
}

}  // namespace mkdemo
