#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "platform/video/Clipper.h"
#include "platform/video/DrawKey.h"
#include "platform/video/DrawList.h"
#include "platform/video/DrawSource.h"
#include "platform/video/PixelFormat.h"
#include "platform/video/Rect.h"

namespace platform {

// A software pixel buffer in a display format. It owns its memory outright, so it
// stays safe to use and to destroy after the display that made it is gone. While
// lost it refuses every access with DDERR_SURFACELOST.
class Surface {
public:
    static constexpr int kMaxSide = 8192;
    static bool ValidSize(int width, int height);

    // A black surface; the size must satisfy ValidSize.
    Surface(int width, int height, const PixelFormat& format);
    // A surface showing a decoded picture (width x height words 0xAARRGGBB, row after
    // row); a 32-bit surface keeps the picture's words as its own.
    Surface(std::vector<std::uint32_t> argb, int width, int height, const PixelFormat& format);

    int width() const { return width_; }
    int height() const { return height_; }
    const PixelFormat& format() const { return format_; }
    Rect bounds() const { return Rect{0, 0, width_, height_}; }

    bool lost() const { return lost_; }
    void markLost();
    // The memory comes back black, as after a real loss.
    void restore();

    // Stretches srcRect of src onto dst (nearest neighbour), clipped to this surface
    // and to the attached clip list; with keyed, source pixels equal to the source's
    // key are skipped.
    std::int32_t blt(const Rect& dst, const Surface& src, const Rect& srcRect, bool keyed);
    // Fills rect, clipped to the surface; the clip list does not apply.
    std::int32_t fill(const Rect& rect, ColorRef color);
    // Outside the surface a pixel reads as kInvalidColor and writes nothing.
    std::int32_t getPixel(int x, int y, ColorRef& color) const;
    std::int32_t setPixel(int x, int y, ColorRef color);
    std::int32_t rawPixel(int x, int y, std::uint32_t& pixel) const;
    // Copies a decoded picture (0xAARRGGBB, row after row) to the top-left corner.
    std::int32_t drawPicture(std::span<const std::uint32_t> argb, int width, int height);
    // Copies the part of the picture to (x, y), clipped to both.
    std::int32_t drawPicture(std::span<const std::uint32_t> argb, int width, int height,
                             const Rect& part, int x, int y);
    // The status of taking the surface's drawing context.
    std::int32_t contextStatus() const;

    void setColorKey(std::uint32_t rawPixel);
    std::optional<std::uint32_t> colorKey() const { return colorKey_; }

    // Blits onto the surface honour the clipper's list while it is attached.
    void attachClipper(std::shared_ptr<const Clipper> clipper) { clipper_ = std::move(clipper); }

    // Changes whenever the pixels may have changed: every drawing call and every
    // handing out of writable words takes a number never used before, and a copy
    // keeps its original's. A surface that shows the same number again holds the same
    // pixels, as long as words handed out are written before anything else happens.
    std::uint64_t version() const { return version_; }

    // From now on the surface keeps each frame's draws as a list (see DrawList); the
    // back buffer does.
    void recordFrames();
    bool recording() const { return recording_.list != nullptr; }
    // While recording, keeps the draw, which writes inside area at most, for the
    // frame's end and says true; false when the caller is to draw at once.
    bool defer(DrawKey key, const Rect& area, DrawList::Draw draw);
    // Does the draws still waiting, so that the pixels are what drawing at once gives.
    void settle() const;
    // Ends a recorded frame; gives the part whose pixels may differ from the last
    // frame's (all of a surface that does not record).
    Rect finishFrame();
    // This surface as something a waiting draw reads.
    const DrawSource& drawSource() const { return asSource_; }

    // The pixel words for the software renderers, row after row (pitch = width);
    // null for the other storage.
    std::uint32_t* words32() { return words<std::uint32_t>(); }
    std::uint16_t* words16() { return words<std::uint16_t>(); }
    const std::uint32_t* words32() const { return words<std::uint32_t>(); }

    // The picture as 0x00RRGGBB words, row after row.
    std::vector<std::uint32_t> toXrgb() const;
    // The same into width x height words at out, all or only the pixels inside part.
    void copyXrgb(std::uint32_t* out) const;
    void copyXrgb(std::uint32_t* out, const Rect& part) const;
    // The same size and pixel storage.
    bool sameShape(const Surface& other) const;
    // Copies the pixels of a surface of the same shape, all or those inside part;
    // false (nothing copied) for any other.
    bool copyPixels(const Surface& other);
    bool copyPixels(const Surface& other, const Rect& part);

private:
    using Pixels = std::variant<std::vector<std::uint32_t>, std::vector<std::uint16_t>>;

    template <class Word>
    Word* words() {
        touch();
        auto* held = std::get_if<std::vector<Word>>(&pixels_);
        return held != nullptr ? held->data() : nullptr;
    }
    template <class Word>
    const Word* words() const {
        settle();
        const auto* held = std::get_if<std::vector<Word>>(&pixels_);
        return held != nullptr ? held->data() : nullptr;
    }
    // What refuses a blit from src, or DD_OK.
    std::int32_t bltRefusal(const Surface& src, const Rect& srcRect) const;
    // Draws inside within only.
    void bltNow(const Rect& dst, const Surface& src, const Rect& srcRect, bool keyed,
                const ClipRegion* clip, const Rect& within);
    void fillNow(const Rect& part, ColorRef color);
    template <class Pixel>
    void bltPart(const Rect& dst, const Surface& src, const Rect& srcRect, const Rect& part,
                 bool keyed);
    // Gives the surface a new version.
    void touch();
    std::uint32_t pixelAt(int x, int y) const;
    void storePixel(int x, int y, std::uint32_t pixel);

    // The frame's draws of a recording surface. A copy records nothing, and copying
    // a recording surface first does its waiting draws.
    struct Recording {
        Recording() = default;
        Recording(const Recording& other) { other.settle(); }
        Recording& operator=(const Recording& other);
        ~Recording() = default;
        void settle() const {
            if (list) list->settle();
        }
        std::unique_ptr<DrawList> list;
    };

    int width_;
    int height_;
    PixelFormat format_;
    Recording recording_;  // before the pixels: a copy settles before it reads them
    Pixels pixels_;
    bool lost_ = false;
    std::uint64_t version_ = 0;
    std::optional<std::uint32_t> colorKey_;
    std::shared_ptr<const Clipper> clipper_;
    DrawSource asSource_;  // after the pixels: at the end, draws reading them are done first
};

}  // namespace platform
