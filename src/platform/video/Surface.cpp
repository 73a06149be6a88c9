#include "platform/video/Surface.h"

#include <algorithm>
#include <cstring>

#include "platform/video/DisplayStatus.h"

namespace platform {

namespace {

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

Surface::Surface(std::vector<std::uint32_t> argb, int width, int height, const PixelFormat& format)
    : width_(width), height_(height), format_(format) {
    touch();
    if (format.storage == PixelStorage::Rgb565) {
        pixels_ = std::vector<std::uint16_t>(argb.size());
        drawPicture(argb, width, height);
        return;
    }
    for (auto& word : argb) word = format.fromXrgb(word);
    pixels_ = std::move(argb);
}

void Surface::touch() {
    asSource_.release();
    if (recording_.list) recording_.list->drawnOutside();
    version_ = NewDrawVersion();
}

Surface::Recording& Surface::Recording::operator=(const Recording& other) {
    other.settle();
    list.reset();
    return *this;
}

void Surface::markLost() {
    asSource_.release();
    lost_ = true;
}

void Surface::setColorKey(std::uint32_t rawPixel) {
    asSource_.release();
    colorKey_ = rawPixel & format_.colorBits();
}

void Surface::recordFrames() {
    if (!recording_.list) recording_.list = std::make_unique<DrawList>(*this);
}

bool Surface::defer(DrawKey key, const Rect& area, DrawList::Draw draw) {
    return recording_.list && recording_.list->defer(std::move(key), area, std::move(draw));
}

void Surface::settle() const { recording_.settle(); }

Rect Surface::finishFrame() { return recording_.list ? recording_.list->finishFrame() : bounds(); }

void Surface::restore() {
    lost_ = false;
    touch();
    std::visit([](auto& words) { std::fill(words.begin(), words.end(), 0); }, pixels_);
}

std::uint32_t Surface::pixelAt(int x, int y) const {
    settle();
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

std::int32_t Surface::bltRefusal(const Surface& src, const Rect& srcRect) const {
    if (!Contains(src.bounds(), srcRect)) return DDERR_INVALIDRECT;
    if (src.format_.storage != format_.storage) return DDERR_INVALIDPARAMS;
    return DD_OK;
}

std::int32_t Surface::blt(const Rect& dst, const Surface& src, const Rect& srcRect, bool keyed) {
    if (lost_ || src.lost_) return DDERR_SURFACELOST;
    if (dst.empty() || srcRect.empty()) return DD_OK;
    const ClipRegion* clip = clipper_ != nullptr && clipper_->list ? &*clipper_->list : nullptr;
    if (&src == this) {
        // Overlapping source and destination: read from a copy, now.
        const Surface copy = src;
        const std::int32_t refusal = bltRefusal(copy, srcRect);
        if (refusal == DD_OK) bltNow(dst, copy, srcRect, keyed, clip, bounds());
        return refusal;
    }
    const std::int32_t refusal = bltRefusal(src, srcRect);
    if (refusal != DD_OK) return refusal;
    if (recording()) {
        // A source that records too is read as drawn so far, its version with it.
        src.settle();
        DrawKey key('b');
        key.add(dst).reads(src.asSource_, &src, src.version_).add(srcRect).add(keyed);
        key.add(src.colorKey_.has_value()).add(src.colorKey_.value_or(0));
        std::optional<ClipRegion> kept;
        if (clip != nullptr) {
            kept = *clip;
            for (const Rect& rect : clip->rects()) key.add(rect);
        } else if (Contains(dst, bounds()) && !(keyed && src.colorKey_)) {
            key.coversAll();
        }
        const auto draw = [dst, &src, srcRect, keyed, kept](Surface& target, const Rect& within) {
            target.bltNow(dst, src, srcRect, keyed, kept ? &*kept : nullptr, within);
        };
        if (defer(std::move(key), Intersect(dst, bounds()), draw)) return DD_OK;
    }
    bltNow(dst, src, srcRect, keyed, clip, bounds());
    return DD_OK;
}

void Surface::bltNow(const Rect& dst, const Surface& src, const Rect& srcRect, bool keyed,
                     const ClipRegion* clip, const Rect& within) {
    src.settle();
    touch();
    const Rect visible = Intersect(Intersect(dst, bounds()), within);
    const auto drawPart = [&](const Rect& part) {
        if (format_.storage == PixelStorage::Rgb565) {
            bltPart<std::uint16_t>(dst, src, srcRect, part, keyed);
        } else {
            bltPart<std::uint32_t>(dst, src, srcRect, part, keyed);
        }
    };
    if (clip == nullptr) {
        drawPart(visible);
    } else {
        for (const Rect& rect : clip->rects()) drawPart(Intersect(visible, rect));
    }
}

std::int32_t Surface::fill(const Rect& rect, ColorRef color) {
    if (lost_) return DDERR_SURFACELOST;
    const Rect part = Intersect(rect, bounds());
    if (part.empty()) return DD_OK;
    if (recording()) {
        DrawKey key('f');
        key.add(part).add(color);
        if (part == bounds()) key.coversAll();
        const auto draw = [part, color](Surface& s, const Rect& within) {
            s.fillNow(Intersect(part, within), color);
        };
        if (defer(std::move(key), part, draw)) {
            return DD_OK;
        }
    }
    fillNow(part, color);
    return DD_OK;
}

void Surface::fillNow(const Rect& part, ColorRef color) {
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

}  // namespace

std::vector<std::uint32_t> Surface::toXrgb() const {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width_) * height_);
    copyXrgb(out.data());
    return out;
}

void Surface::copyXrgb(std::uint32_t* out) const {
    settle();
    std::visit(
        [out](const auto& words) {
            for (std::size_t i = 0; i < words.size(); ++i) out[i] = Xrgb(words[i]);
        },
        pixels_);
}

void Surface::copyXrgb(std::uint32_t* out, const Rect& part) const {
    settle();
    const Rect rows = Intersect(part, bounds());
    std::visit(
        [&](const auto& words) {
            for (std::int32_t y = rows.top; y < rows.bottom; ++y) {
                const std::size_t start = static_cast<std::size_t>(y) * width_;
                for (std::int32_t x = rows.left; x < rows.right; ++x) {
                    out[start + x] = Xrgb(words[start + x]);
                }
            }
        },
        pixels_);
}

bool Surface::sameShape(const Surface& other) const {
    return width_ == other.width_ && height_ == other.height_ &&
           pixels_.index() == other.pixels_.index();
}

bool Surface::copyPixels(const Surface& other) {
    if (!sameShape(other)) return false;
    other.settle();
    touch();
    pixels_ = other.pixels_;
    return true;
}

bool Surface::copyPixels(const Surface& other, const Rect& part) {
    if (!sameShape(other)) return false;
    other.settle();
    touch();
    const Rect rows = Intersect(part, bounds());
    if (rows.empty()) return true;
    std::visit(
        [&](auto& words) {
            const auto& from = std::get<std::decay_t<decltype(words)>>(other.pixels_);
            for (std::int32_t y = rows.top; y < rows.bottom; ++y) {
                const std::size_t start = static_cast<std::size_t>(y) * width_ + rows.left;
                std::copy_n(from.begin() + start, rows.width(), words.begin() + start);
            }
        },
        pixels_);
    return true;
}

}  // namespace platform
