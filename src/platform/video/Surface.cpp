#include "platform/video/Surface.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/video/DisplayStatus.h"

namespace platform {

namespace {

std::atomic<std::uint64_t> lastVersion{0};

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

bool Surface::ValidSize(int width, int height) {
    return width >= 1 && width <= kMaxSide && height >= 1 && height <= kMaxSide;
}

Surface::Surface(int width, int height, const PixelFormat& format)
    : width_(width), height_(height), format_(format) {
    touch();
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (format.storage == PixelStorage::Rgb565) {
        pixels_ = std::vector<std::uint16_t>(count, 0);
    } else {
        pixels_ = std::vector<std::uint32_t>(count, 0);
    }
}

void Surface::touch() { version_ = lastVersion.fetch_add(1, std::memory_order_relaxed) + 1; }

void Surface::restore() {
    lost_ = false;
    touch();
    std::visit([](auto& words) { std::fill(words.begin(), words.end(), 0); }, pixels_);
}

std::uint32_t Surface::pixelAt(int x, int y) const {
    const std::size_t index = static_cast<std::size_t>(y) * width_ + x;
    return std::visit([index](const auto& words) { return std::uint32_t{words[index]}; }, pixels_);
}

void Surface::storePixel(int x, int y, std::uint32_t pixel) {
    const std::size_t index = static_cast<std::size_t>(y) * width_ + x;
    std::visit(
        [index, pixel](auto& words) {
            using Word = typename std::decay_t<decltype(words)>::value_type;
            words[index] = static_cast<Word>(pixel);
        },
        pixels_);
}

namespace {

// One row of a keyed copy; written as a select so that the compiler vectorises it.
template <class Pixel>
void CopyRowKeyed(Pixel* dst, const Pixel* src, std::size_t count, Pixel key) {
    for (std::size_t i = 0; i < count; ++i) {
        const Pixel pixel = src[i];
        dst[i] = pixel == key ? dst[i] : pixel;
    }
}

}  // namespace

template <class Pixel>
void Surface::bltPart(const Rect& dst, const Surface& src, const Rect& srcRect, const Rect& part,
                      bool keyed) {
    if (part.empty()) return;
    const std::int64_t dw = dst.width(), dh = dst.height();
    const std::int64_t sw = srcRect.width(), sh = srcRect.height();
    const bool useKey = keyed && src.colorKey_.has_value();
    const Pixel key = static_cast<Pixel>(src.colorKey_.value_or(0));
    const Pixel* from = std::get<std::vector<Pixel>>(src.pixels_).data();
    Pixel* to = std::get<std::vector<Pixel>>(pixels_).data();
    const auto count = static_cast<std::size_t>(part.width());

    // Source column of every destination column, counted in the unclipped rectangle.
    std::vector<std::int32_t> columns;
    if (sw != dw) {
        columns.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::int64_t fromLeft = part.left - dst.left + static_cast<std::int64_t>(i);
            columns[i] = static_cast<std::int32_t>(srcRect.left + fromLeft * sw / dw);
        }
    }
    const std::int64_t firstColumn = srcRect.left + (part.left - dst.left);
    for (std::int64_t y = part.top; y < part.bottom; ++y) {
        const std::int64_t sy = srcRect.top + (y - dst.top) * sh / dh;
        const Pixel* srcRow = from + sy * src.width_;
        Pixel* dstRow = to + y * width_ + part.left;
        if (columns.empty()) {
            if (useKey) {
                CopyRowKeyed(dstRow, srcRow + firstColumn, count, key);
            } else {
                std::memcpy(dstRow, srcRow + firstColumn, count * sizeof(Pixel));
            }
            continue;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const Pixel pixel = srcRow[columns[i]];
            if (!useKey || pixel != key) dstRow[i] = pixel;
        }
    }
}

std::int32_t Surface::blt(const Rect& dst, const Surface& src, const Rect& srcRect, bool keyed) {
    if (lost_ || src.lost_) return DDERR_SURFACELOST;
    if (dst.empty() || srcRect.empty()) return DD_OK;
    if (&src == this) {
        // Overlapping source and destination: read from a copy.
        const Surface copy = src;
        return blt(dst, copy, srcRect, keyed);
    }
    if (!Contains(src.bounds(), srcRect)) return DDERR_INVALIDRECT;
    if (src.format_.storage != format_.storage) return DDERR_INVALIDPARAMS;

    touch();
    const Rect visible = Intersect(dst, bounds());
    const auto drawPart = [&](const Rect& part) {
        if (format_.storage == PixelStorage::Rgb565) {
            bltPart<std::uint16_t>(dst, src, srcRect, part, keyed);
        } else {
            bltPart<std::uint32_t>(dst, src, srcRect, part, keyed);
        }
    };
    if (clipper_ == nullptr || !clipper_->list) {
        drawPart(visible);
    } else {
        for (const Rect& rect : clipper_->list->rects()) drawPart(Intersect(visible, rect));
    }
    return DD_OK;
}

std::int32_t Surface::fill(const Rect& rect, ColorRef color) {
    if (lost_) return DDERR_SURFACELOST;
    const Rect part = Intersect(rect, bounds());
    if (part.empty()) return DD_OK;
    touch();
    const std::uint32_t pixel = format_.fromColorRef(color);
    std::visit(
        [&](auto& words) {
            using Word = typename std::decay_t<decltype(words)>::value_type;
            for (std::int32_t y = part.top; y < part.bottom; ++y) {
                auto row = words.begin() + static_cast<std::ptrdiff_t>(y) * width_;
                std::fill(row + part.left, row + part.right, static_cast<Word>(pixel));
            }
        },
        pixels_);
    return DD_OK;
}

std::int32_t Surface::getPixel(int x, int y, ColorRef& color) const {
    std::uint32_t pixel = 0;
    const std::int32_t status = rawPixel(x, y, pixel);
    if (status != DD_OK) return status;
    color =
        Contains(bounds(), Rect{x, y, x + 1, y + 1}) ? format_.toColorRef(pixel) : kInvalidColor;
    return DD_OK;
}

std::int32_t Surface::rawPixel(int x, int y, std::uint32_t& pixel) const {
    if (lost_) return DDERR_SURFACELOST;
    pixel = kInvalidColor;
    if (x >= 0 && x < width_ && y >= 0 && y < height_) pixel = pixelAt(x, y);
    return DD_OK;
}

std::int32_t Surface::setPixel(int x, int y, ColorRef color) {
    if (lost_) return DDERR_SURFACELOST;
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
        touch();
        storePixel(x, y, format_.fromColorRef(color));
    }
    return DD_OK;
}

std::int32_t Surface::drawPicture(std::span<const std::uint32_t> argb, int width, int height) {
    return drawPicture(argb, width, height, Rect{0, 0, width, height}, 0, 0);
}

std::int32_t Surface::drawPicture(std::span<const std::uint32_t> argb, int width, int height,
                                  const Rect& part, int x, int y) {
    if (lost_) return DDERR_SURFACELOST;
    const Rect from = Intersect(part, Rect{0, 0, width, height});
    const std::int64_t dx = std::int64_t{x} - from.left, dy = std::int64_t{y} - from.top;
    const Rect to = Intersect(
        SaturatedRect(from.left + dx, from.top + dy, from.right + dx, from.bottom + dy), bounds());
    touch();
    for (int ty = to.top; ty < to.bottom; ++ty) {
        for (int tx = to.left; tx < to.right; ++tx) {
            const std::size_t index = static_cast<std::size_t>(ty - dy) * width + (tx - dx);
            storePixel(tx, ty, format_.fromXrgb(argb[index]));
        }
    }
    return DD_OK;
}

std::int32_t Surface::contextStatus() const { return lost_ ? DDERR_SURFACELOST : DD_OK; }

namespace {

constexpr std::uint32_t Xrgb(std::uint32_t word) { return word & 0xFFFFFF; }
constexpr std::uint32_t Xrgb(std::uint16_t word) { return Expand565(word); }

// Compares a part at a time, so that equal pixels cost one read of both and
// changed ones are copied from the first part that differs.
template <class Word>
bool CopyChanged(const Word* from, Word* to, std::size_t count) {
    constexpr std::size_t kPart = 4096;
    for (std::size_t start = 0; start < count; start += kPart) {
        const std::size_t size = std::min(kPart, count - start) * sizeof(Word);
        if (std::memcmp(from + start, to + start, size) == 0) continue;
        std::memcpy(to + start, from + start, (count - start) * sizeof(Word));
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::uint32_t> Surface::toXrgb() const {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width_) * height_);
    copyXrgb(out.data());
    return out;
}

void Surface::copyXrgb(std::uint32_t* out) const {
    std::visit(
        [out](const auto& words) {
            for (std::size_t i = 0; i < words.size(); ++i) out[i] = Xrgb(words[i]);
        },
        pixels_);
}

bool Surface::sameShape(const Surface& other) const {
    return width_ == other.width_ && height_ == other.height_ &&
           pixels_.index() == other.pixels_.index();
}

bool Surface::copyPixels(const Surface& other) {
    if (!sameShape(other)) return false;
    const bool changed = std::visit(
        [&other](auto& words) {
            using Words = std::decay_t<decltype(words)>;
            return CopyChanged(std::get<Words>(other.pixels_).data(), words.data(), words.size());
        },
        pixels_);
    if (changed) touch();
    return changed;
}

}  // namespace platform
