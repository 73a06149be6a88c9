#include "platform/video/SpriteRasterizer.h"

#include <algorithm>
#include <cmath>

#include "platform/video/DisplayStatus.h"

namespace platform {

namespace {

// (n / 255) exactly for every n a blend produces, without a division.
inline std::uint32_t Div255(std::uint32_t n) {
    return static_cast<std::uint32_t>((std::uint64_t{n} * 0x80808081ull) >> 39);
}

// (c * a + d * (255 - a) + 127) / 255 on all three channels at once: red and blue
// share one word, green another, each in a 16-bit lane that the sum never leaves.
inline std::uint32_t BlendOpaque(std::uint32_t c, std::uint32_t d, std::uint32_t a,
                                 std::uint32_t keep) {
    const auto lanes = [](std::uint32_t n) {
        return ((n + 0x00010001u + ((n >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    };
    const std::uint32_t rb = lanes((c & 0xFF00FFu) * a + (d & 0xFF00FFu) * keep + 0x007F007Fu);
    const std::uint32_t g = lanes(((c >> 8) & 0xFFu) * a + ((d >> 8) & 0xFFu) * keep + 0x7Fu);
    return rb | g << 8;
}

// One channel of the same in 16 bits, where every step fits: the sum is at most
// 255 * 255 + 127, and the division's own sum at most 65407.
inline std::uint16_t BlendChannel(std::uint32_t c, std::uint32_t d, std::uint16_t a,
                                  std::uint16_t keep) {
    const auto n = static_cast<std::uint16_t>(c * a + d * keep + 127);
    return static_cast<std::uint16_t>(n + 1 + (n >> 8)) >> 8;
}

// Both pixel storages seen as 0x00RRGGBB, and an opaque colour blended over a word
// with the exact rounding of BlendOpaque.
struct Xrgb32 {
    using Word = std::uint32_t;
    static std::uint32_t load(Word w) { return w & 0xFFFFFF; }
    static Word store(std::uint32_t xrgb) { return xrgb; }
    static Word blend(std::uint32_t rgb, Word old, std::uint32_t a, std::uint32_t keep) {
        return BlendOpaque(rgb, load(old), a, keep);
    }
};
// Blends in 16-bit lanes, which vectorise without 32-bit multiplies, straight from
// and to the 565 word.
struct Rgb565 {
    using Word = std::uint16_t;
    static std::uint32_t load(Word w) { return Expand565(w); }
    static Word store(std::uint32_t xrgb) { return Pack565(xrgb); }
    static Word blend(std::uint32_t rgb, Word old, std::uint32_t a, std::uint32_t keep) {
        const std::uint32_t r5 = old >> 11, g6 = (old >> 5) & 0x3F, b5 = old & 0x1F;
        const auto alpha = static_cast<std::uint16_t>(a), rest = static_cast<std::uint16_t>(keep);
        const std::uint16_t r = BlendChannel(rgb >> 16 & 0xFF, r5 << 3 | r5 >> 2, alpha, rest);
        const std::uint16_t g = BlendChannel(rgb >> 8 & 0xFF, g6 << 2 | g6 >> 4, alpha, rest);
        const std::uint16_t b = BlendChannel(rgb & 0xFF, b5 << 3 | b5 >> 2, alpha, rest);
        return static_cast<Word>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
    }
};

// Puts one premultiplied 0xAARRGGBB source over a 0x00RRGGBB target.
struct Blender {
    std::uint32_t a8;
    std::uint32_t vr, vg, vb;
    bool modulated;
    bool additive;

    explicit Blender(const SpritePaint& paint)
        : a8(paint.alpha),
          vr(paint.modulate >> 16 & 0xFF),
          vg(paint.modulate >> 8 & 0xFF),
          vb(paint.modulate & 0xFF),
          modulated((paint.modulate & 0xFFFFFF) != 0xFFFFFF),
          additive(paint.blend == BlendMode::Additive) {}

    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const {
        std::uint32_t sr = src >> 16 & 0xFF, sg = src >> 8 & 0xFF, sb = src & 0xFF;
        if (modulated) {
            sr = Div255(sr * vr + 127);
            sg = Div255(sg * vg + 127);
            sb = Div255(sb * vb + 127);
        }
        const std::uint32_t dr = dst >> 16 & 0xFF, dg = dst >> 8 & 0xFF, db = dst & 0xFF;
        if (additive) {
            return std::min(255u, dr + sr) << 16 | std::min(255u, dg + sg) << 8 |
                   std::min(255u, db + sb);
        }
        const std::uint32_t keep = 255 - Div255((src >> 24) * a8 + 127);
        return Div255(sr * a8 + dr * keep + 127) << 16 | Div255(sg * a8 + dg * keep + 127) << 8 |
               Div255(sb * a8 + db * keep + 127);
    }
};

// A texture read with its key applied and its indexes held to the picture.
class TexelReader {
public:
    explicit TexelReader(const SpriteSource& source)
        : texels_(source.texture->data()),
          width_(source.texture->width()),
          height_(source.texture->height()),
          keyed_(source.keyed && source.texture->colorKey().has_value()),
          key_(source.texture->colorKey().value_or(0)) {}

    std::uint32_t at(std::int64_t x, std::int64_t y) const {
        const std::int64_t cx = std::clamp<std::int64_t>(x, 0, width_ - 1);
        const std::int64_t cy = std::clamp<std::int64_t>(y, 0, height_ - 1);
        const std::uint32_t texel = texels_[cy * width_ + cx];
        return keyed_ && (texel & 0xFFFFFF) == key_ ? 0 : texel;
    }

    // Bilinear between the four texel centres around (u - 0.5, v - 0.5).
    std::uint32_t filtered(double u, double v) const {
        const double x = u - 0.5, y = v - 0.5;
        const double fx0 = std::floor(x), fy0 = std::floor(y);
        const double fx = x - fx0, fy = y - fy0;
        const auto x0 = static_cast<std::int64_t>(fx0), y0 = static_cast<std::int64_t>(fy0);
        const std::uint32_t t[4] = {at(x0, y0), at(x0 + 1, y0), at(x0, y0 + 1), at(x0 + 1, y0 + 1)};
        const double w[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
        std::uint32_t out = 0;
        for (const int shift : {24, 16, 8, 0}) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += w[k] * (t[k] >> shift & 0xFF);
            out |= std::min(255u, static_cast<std::uint32_t>(sum + 0.5)) << shift;
        }
        return out;
    }

private:
    const std::uint32_t* texels_;
    std::int64_t width_;
    std::int64_t height_;
    bool keyed_;
    std::uint32_t key_;
};

// Pixel indexes [first, last) whose centres fall in [low, high), held to [lowest, highest].
void CentresWithin(double low, double high, int lowest, int highest, int& first, int& last) {
    const double lo = std::clamp(std::ceil(low - 0.5), double(lowest), double(highest));
    const double hi = std::clamp(std::ceil(high - 0.5), double(lowest), double(highest));
    first = static_cast<int>(lo);
    last = static_cast<int>(hi);
}

bool IsInteger(double value) { return std::floor(value) == value; }

// One texel per pixel, unrotated and texel-aligned: a plain copy of texels.
bool ExactCopy(const SpriteSource& s, const Affine2D& m) {
    return m.b == 0 && m.c == 0 && m.a == s.width && m.d == s.height && IsInteger(s.left) &&
           IsInteger(s.top) && IsInteger(m.tx - m.a / 2) && IsInteger(m.ty - m.d / 2);
}

// The pixels inside within that the draw visits. An exact copy visits the centres
// in its rectangle; any other draw those in its bounding box grown by a pixel, and
// keeps the ones whose centres map back inside the quad.
Rect VisitedPixels(const SpriteSource& source, const Affine2D& map, const Rect& within) {
    double minX = map.tx - map.a / 2, minY = map.ty - map.d / 2;
    double maxX = minX + map.a, maxY = minY + map.d;
    if (!ExactCopy(source, map)) {
        minX = minY = INFINITY;
        maxX = maxY = -INFINITY;
        for (const double s : {-0.5, 0.5}) {
            for (const double t : {-0.5, 0.5}) {
                double x, y;
                map.apply(s, t, x, y);
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
        }
        maxX += 1;
        maxY += 1;
    }
    Rect box;
    CentresWithin(minX, maxX, within.left, within.right, box.left, box.right);
    CentresWithin(minY, maxY, within.top, within.bottom, box.top, box.bottom);
    return box;
}

// The common exact-copy cases with their own tight loops: opaque copies and
// constant-alpha blends of texels that are opaque or keyed out (alpha 0).
enum class ExactOp { Copy, Alpha, Other };

ExactOp ChooseExactOp(const SpritePaint& paint) {
    if (paint.blend != BlendMode::Normal || (paint.modulate & 0xFFFFFF) != 0xFFFFFF) {
        return ExactOp::Other;
    }
    return paint.alpha == 255 ? ExactOp::Copy : ExactOp::Alpha;
}

// One pixel of an exact copy. Written as selects without early exits so that the
// compiler vectorises the rows.
template <class Format, ExactOp op>
struct ExactPixel {
    std::uint32_t key;
    std::uint32_t keyMask;  // 0 when unkeyed: no texel then matches
    std::uint32_t a, keep;
    const Blender* blend;

    typename Format::Word operator()(std::uint32_t texel, typename Format::Word old) const {
        const std::uint32_t rgb = texel & 0xFFFFFF;
        typename Format::Word out;
        if constexpr (op == ExactOp::Copy) {
            out = Format::store(rgb);
        } else if constexpr (op == ExactOp::Alpha) {
            out = Format::blend(rgb, old, a, keep);
        } else {
            out = Format::store((*blend)(texel, Format::load(old)));
        }
        return (rgb & keyMask) == key ? old : out;
    }
};

template <class Format, ExactOp op>
void ExactRow(typename Format::Word* row, const std::uint32_t* texels, int first, int last,
              std::int64_t dx, std::int64_t textureWidth, const ExactPixel<Format, op>& pixel) {
    // Columns that read inside the texture go straight through; those beyond its
    // edges repeat the edge texel.
    const auto inside = [&](std::int64_t i) {
        return static_cast<int>(std::clamp<std::int64_t>(i, first, last));
    };
    const int innerFirst = inside(-dx);
    const int innerLast = inside(textureWidth - dx);
    for (int i = first; i < innerFirst; ++i) row[i] = pixel(texels[0], row[i]);
    const std::uint32_t* from = texels + dx;
    for (int i = innerFirst; i < innerLast; ++i) row[i] = pixel(from[i], row[i]);
    for (int i = std::max(innerLast, innerFirst); i < last; ++i) {
        row[i] = pixel(texels[textureWidth - 1], row[i]);
    }
}

template <class Format, ExactOp op>
void DrawExactRows(Surface& target, const SpriteSource& source, const Affine2D& map,
                   const Blender& blend, const Rect& box) {
    auto* pixels = reinterpret_cast<typename Format::Word*>(
        sizeof(typename Format::Word) == 4 ? static_cast<void*>(target.words32())
                                           : static_cast<void*>(target.words16()));
    const double left = map.tx - map.a / 2, top = map.ty - map.d / 2;
    const Texture& texture = *source.texture;
    const bool keyed = source.keyed && texture.colorKey().has_value();
    // Unkeyed, no texel's masked colour (0) can equal 1.
    const ExactPixel<Format, op> pixel{keyed ? texture.colorKey().value_or(0) : 1u,
                                       keyed ? 0xFFFFFFu : 0u, blend.a8, 255 - blend.a8, &blend};
    const auto dx = static_cast<std::int64_t>(source.left - left);
    const auto dy = static_cast<std::int64_t>(source.top - top);
    for (int j = box.top; j < box.bottom; ++j) {
        const std::int64_t y = std::clamp<std::int64_t>(j + dy, 0, texture.height() - 1);
        ExactRow<Format, op>(pixels + static_cast<std::ptrdiff_t>(j) * target.width(),
                             texture.data() + y * texture.width(), box.left, box.right, dx,
                             texture.width(), pixel);
    }
}

template <class Format>
void DrawExact(Surface& target, const SpriteSource& source, const Affine2D& map,
               const SpritePaint& paint, const Blender& blend, const Rect& box) {
    switch (ChooseExactOp(paint)) {
        case ExactOp::Copy:
            return DrawExactRows<Format, ExactOp::Copy>(target, source, map, blend, box);
        case ExactOp::Alpha:
            return DrawExactRows<Format, ExactOp::Alpha>(target, source, map, blend, box);
        case ExactOp::Other:
            return DrawExactRows<Format, ExactOp::Other>(target, source, map, blend, box);
    }
}

template <class Format>
void DrawGeneral(Surface& target, const SpriteSource& source, const Affine2D& map,
                 const Blender& blend, const Rect& box) {
    auto* pixels = reinterpret_cast<typename Format::Word*>(
        sizeof(typename Format::Word) == 4 ? static_cast<void*>(target.words32())
                                           : static_cast<void*>(target.words16()));
    const Affine2D back = map.inverse();
    const TexelReader texels(source);
    for (int j = box.top; j < box.bottom; ++j) {
        auto* row = pixels + static_cast<std::ptrdiff_t>(j) * target.width();
        for (int i = box.left; i < box.right; ++i) {
            double s, t;
            back.apply(i + 0.5, j + 0.5, s, t);
            if (!(s >= -0.5 && s < 0.5 && t >= -0.5 && t < 0.5)) continue;
            const std::uint32_t src = texels.filtered(source.left + (s + 0.5) * source.width,
                                                      source.top + (t + 0.5) * source.height);
            if (src == 0) continue;
            row[i] = Format::store(blend(src, Format::load(row[i])));
        }
    }
}

// A flat rectangle as a quad of its one texel.
SpriteSource FlatSource(const Texture* flat) { return {flat, 0, 0, 1, 1, false}; }

Affine2D FlatMap(const Rect& rect) {
    const double w = static_cast<double>(rect.width()), h = static_cast<double>(rect.height());
    return Affine2D::Scaling(w, h).then(Affine2D::Translation(rect.left + w / 2, rect.top + h / 2));
}

template <class Format>
void DrawWith(Surface& target, const SpriteSource& source, const Affine2D& map,
              const SpritePaint& paint, const Blender& blend, const Rect& within) {
    const Rect box = VisitedPixels(source, map, within);
    if (ExactCopy(source, map)) {
        DrawExact<Format>(target, source, map, paint, blend, box);
    } else {
        DrawGeneral<Format>(target, source, map, blend, box);
    }
}

}  // namespace

std::uint32_t SpriteRasterizer::AlphaByte(float alpha) {
    if (!std::isfinite(alpha)) return 0;
    return static_cast<std::uint32_t>(std::clamp(std::lround(double{alpha} * 255.0), 0L, 255L));
}

std::int32_t SpriteRasterizer::DrawTextured(Surface& target, const SpriteSource& source,
                                            const Affine2D& map, const SpritePaint& paint) {
    if (target.lost()) return DDERR_SURFACELOST;
    const Texture* texture = source.texture;
    if (texture == nullptr || texture->width() <= 0 || texture->height() <= 0 ||
        !map.invertible() || !std::isfinite(source.left) || !std::isfinite(source.top) ||
        !std::isfinite(source.width) || !std::isfinite(source.height)) {
        return DD_OK;
    }
    if (target.recording()) {
        DrawKey key('t');
        key.reads(texture->drawSource(), texture, texture->version());
        key.add(source.left).add(source.top).add(source.width).add(source.height);
        key.add(source.keyed).add(map.a).add(map.b).add(map.c).add(map.d).add(map.tx).add(map.ty);
        key.add(paint.alpha).add(paint.modulate).add(static_cast<int>(paint.blend));
        const auto draw = [source, map, paint](Surface& s, const Rect& within) {
            DrawTexturedNow(s, source, map, paint, within);
        };
        if (target.defer(std::move(key), VisitedPixels(source, map, target.bounds()), draw)) {
            return DD_OK;
        }
    }
    DrawTexturedNow(target, source, map, paint, target.bounds());
    return DD_OK;
}

void SpriteRasterizer::DrawTexturedNow(Surface& target, const SpriteSource& source,
                                       const Affine2D& map, const SpritePaint& paint,
                                       const Rect& within) {
    const Blender blend(paint);
    const Rect part = Intersect(within, target.bounds());
    if (target.format().storage == PixelStorage::Rgb565) {
        DrawWith<Rgb565>(target, source, map, paint, blend, part);
    } else {
        DrawWith<Xrgb32>(target, source, map, paint, blend, part);
    }
}

std::int32_t SpriteRasterizer::DrawFlat(Surface& target, const Rect& rect, std::uint32_t xrgb,
                                        BlendMode blend) {
    if (target.lost()) return DDERR_SURFACELOST;
    // The one-texel picture lives only for the draw, so the draw waits as a whole.
    if (target.recording()) {
        DrawKey key('r');
        key.add(rect).add(xrgb).add(static_cast<int>(blend));
        const auto draw = [rect, xrgb, blend](Surface& s, const Rect& within) {
            DrawFlatNow(s, rect, xrgb, blend, within);
        };
        const Rect area = VisitedPixels(FlatSource(nullptr), FlatMap(rect), target.bounds());
        if (target.defer(std::move(key), area, draw)) return DD_OK;
    }
    DrawFlatNow(target, rect, xrgb, blend, target.bounds());
    return DD_OK;
}

void SpriteRasterizer::DrawFlatNow(Surface& target, const Rect& rect, std::uint32_t xrgb,
                                   BlendMode blend, const Rect& within) {
    const Affine2D map = FlatMap(rect);
    if (!map.invertible()) return;
    const Texture flat({xrgb}, 1, 1);
    SpritePaint paint;
    paint.blend = blend;
    DrawTexturedNow(target, FlatSource(&flat), map, paint, within);
}

}  // namespace platform
