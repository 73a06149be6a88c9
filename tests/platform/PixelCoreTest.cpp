#include <gtest/gtest.h>

#include "platform/video/DisplayStatus.h"
#include "platform/video/SpriteRasterizer.h"
#include "platform/video/Surface.h"
#include "support/SpriteKit.h"

using platform::PixelFormat;
using platform::Rect;
using platform::Surface;
using zktest::Inside;

namespace {

const PixelFormat kXrgb = PixelFormat::ForDepth(32);
const PixelFormat k565 = PixelFormat::ForDepth(16);

// A surface whose pixel (x, y) is CoordColor(x, y).
Surface CoordSurface(int width, int height, const PixelFormat& format = kXrgb) {
    Surface surface(width, height, format);
    const auto picture = zktest::CoordPicture(width, height);
    EXPECT_EQ(surface.drawPicture(picture, width, height), platform::DD_OK);
    return surface;
}

std::uint32_t Raw(const Surface& surface, int x, int y) {
    std::uint32_t pixel = 0;
    EXPECT_EQ(surface.rawPixel(x, y, pixel), platform::DD_OK);
    return pixel;
}

}  // namespace

TEST(PixelFormat, ConversionsInBothFormatsAndThe565BlendAgree) {
    const struct {
        const PixelFormat& format;
        platform::ColorRef in;
        std::uint32_t pixel;
        platform::ColorRef back;
    } cases[] = {
        {kXrgb, 0x00112233, 0x332211, 0x112233},
        {kXrgb, 0xAB112233, 0x332211, 0x112233},  // the high byte is ignored
        {k565, 0xFFFFFF, 0xFFFF, 0xFFFFFF},       // white survives by bit replication
        {k565, 0x00070307, 0x0000, 0x000000},     // below one step of each channel
        {k565, 0x0000840F, 0x0C20, 0x00008608},
        {k565, 0xFF0000FF, 0xF800, 0x0000FF},
        {k565, 0x0000FF00, 0x07E0, 0x00FF00},
        {k565, 0x00FF0000, 0x001F, 0xFF0000},
    };
    // A whole surface converts as one pixel does.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(c.format.fromColorRef(c.in), c.pixel);
        EXPECT_EQ(c.format.toColorRef(c.pixel), c.back);
        Surface surface(9, 1, c.format);
        surface.fill(surface.bounds(), c.in);
        EXPECT_EQ(surface.toXrgb(), std::vector<std::uint32_t>(9, c.format.toXrgb(c.pixel)));
    }
    // A picture blended over 565 words gives the 32-bit blend cut to 565.
    std::vector<std::uint32_t> ramp(256), under(256);
    for (std::uint32_t i = 0; i < 256; ++i) {
        ramp[i] = i << 16 | (255 - i) << 8 | (i * 7 & 0xFF);
        under[i] = platform::Expand565(i * 257);
    }
    const platform::Texture picture(ramp, 256, 1);
    for (const std::uint32_t alpha : {1u, 64u, 128u, 200u, 254u}) {
        SCOPED_TRACE(alpha);
        Surface deep(256, 1, kXrgb), shallow(256, 1, k565);
        platform::SpritePaint paint;
        paint.alpha = alpha;
        for (Surface* target : {&deep, &shallow}) {
            target->drawPicture(under, 256, 1);
            platform::SpriteRasterizer::DrawTextured(
                *target, {&picture, 0, 0, 256, 1, false},
                platform::Affine2D::Scaling(256, 1).then(platform::Affine2D::Translation(128, 0.5)),
                paint);
        }
        std::vector<std::uint32_t> cut = deep.toXrgb();
        for (std::uint32_t& xrgb : cut) xrgb = k565.toXrgb(k565.fromXrgb(xrgb));
        EXPECT_EQ(shallow.toXrgb(), cut);
    }
    Surface surface(4, 4, k565);
    platform::ColorRef color = 0;
    ASSERT_EQ(surface.getPixel(800, 0, color), platform::DD_OK);
    EXPECT_EQ(color, platform::kInvalidColor);
    ASSERT_EQ(surface.getPixel(-1, 2, color), platform::DD_OK);
    EXPECT_EQ(color, platform::kInvalidColor);
}

TEST(Texture, KeepsTheWordsItIsGivenMadeOpaque) {
    std::vector<std::uint32_t> words = {0x00123456, 0x80ABCDEF, 0xFF000001};
    const std::uint32_t* held = words.data();
    const platform::Texture texture(std::move(words), 3, 1);
    EXPECT_EQ(texture.data(), held);
    const std::uint32_t opaque[] = {0xFF123456, 0xFFABCDEF, 0xFF000001};
    for (int x = 0; x < 3; ++x) EXPECT_EQ(texture.texel(x, 0), opaque[x]) << x;
}

TEST(SpriteRasterizer, ASpriteAFractionOfATexelWideSamplesEachPixelCentre) {
    // 2.5 texels onto 2.5 pixels with the left edge half a pixel off the grid: no
    // whole-texel copy fits, each pixel shows the texels filtered at its centre.
    const platform::Texture picture(std::vector<std::uint32_t>{0x10, 0x20, 0x30, 0x40}, 4, 1);
    Surface target(4, 1, kXrgb);
    platform::SpriteRasterizer::DrawTextured(
        target, {&picture, 0, 0, 2.5, 1, false},
        platform::Affine2D::Scaling(2.5, 1).then(platform::Affine2D::Translation(0.75, 0.5)),
        platform::SpritePaint{});
    EXPECT_EQ(target.toXrgb(), (std::vector<std::uint32_t>{0x18, 0x28, 0, 0}));
}

TEST(SpriteRasterizer, AFlatRectanglePaintsItsOwnPixelsUnderItsBlend) {
    const Rect rect{-2, 1, 3, 4};
    const struct {
        platform::BlendMode blend;
        std::uint32_t inside;
    } cases[] = {{platform::BlendMode::Normal, 0x304050},
                 {platform::BlendMode::Additive, 0x405060}};
    for (const auto& c : cases) {
        Surface target(5, 5, kXrgb);
        target.fill(target.bounds(), 0x101010);
        ASSERT_EQ(platform::SpriteRasterizer::DrawFlat(target, rect, 0x304050, c.blend),
                  platform::DD_OK);
        const std::vector<std::uint32_t> pixels = target.toXrgb();
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(pixels[static_cast<std::size_t>(y) * 5 + x],
                          Inside(x, y, rect) ? c.inside : 0x101010u)
                    << x << "," << y;
            }
        }
    }
}

TEST(Surface, FillsClipToEveryEdge) {
    const Rect rects[] = {
        {-5, -5, 3, 2}, {8, 6, 20, 20}, {-3, 2, 30, 4}, {4, -9, 6, 99}, {5, 5, 2, 2}, {3, 3, 3, 7},
    };
    for (const Rect& rect : rects) {
        SCOPED_TRACE(::testing::Message()
                     << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom);
        Surface surface(10, 8, kXrgb);
        ASSERT_EQ(surface.fill(rect, 0x0000FF), platform::DD_OK);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) {
                EXPECT_EQ(Raw(surface, x, y), Inside(x, y, rect) ? 0xFF0000u : 0u) << x << "," << y;
            }
        }
    }
}

TEST(Surface, PlainKeyedAndStretchedBlitsMapExactly) {
    const Surface src = CoordSurface(6, 3);
    // A plain copy of a part; 6 columns onto 3 (factor 0.5) and onto 2 (0.33), 3 rows
    // onto 6 (factor 2). Nothing lands outside the destination rectangle.
    const struct {
        Rect dst, from;
        std::vector<int> columns, rows;
    } blits[] = {
        {{1, 2, 5, 4}, {2, 1, 6, 3}, {2, 3, 4, 5}, {1, 2}},
        {{0, 0, 3, 3}, src.bounds(), {0, 2, 4}, {0, 1, 2}},
        {{0, 0, 2, 1}, src.bounds(), {0, 3}, {0}},
        {{0, 0, 6, 6}, src.bounds(), {0, 1, 2, 3, 4, 5}, {0, 0, 1, 1, 2, 2}},
    };
    for (const auto& b : blits) {
        Surface dst(8, 8, kXrgb);
        ASSERT_EQ(dst.blt(b.dst, src, b.from, false), platform::DD_OK);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const std::uint32_t want =
                    Inside(x, y, b.dst)
                        ? zktest::CoordColor(b.columns[x - b.dst.left], b.rows[y - b.dst.top])
                        : 0u;
                EXPECT_EQ(Raw(dst, x, y), want) << x << "," << y;
            }
        }
    }

    // The key skips exactly the pixels equal to it; without a key, keyed is plain.
    Surface keyed(6, 3, kXrgb);
    keyed.setColorKey(zktest::CoordColor(1, 1));
    Surface under(6, 3, kXrgb);
    under.fill(under.bounds(), 0x00FF00);
    Surface onto = under;
    ASSERT_EQ(keyed.blt(keyed.bounds(), src, src.bounds(), false), platform::DD_OK);
    ASSERT_EQ(onto.blt(onto.bounds(), keyed, keyed.bounds(), true), platform::DD_OK);
    EXPECT_EQ(Raw(onto, 1, 1), 0x00FF00u);
    EXPECT_EQ(Raw(onto, 2, 1), zktest::CoordColor(2, 1));
    ASSERT_EQ(onto.blt(onto.bounds(), src, src.bounds(), true), platform::DD_OK);
    EXPECT_EQ(Raw(onto, 1, 1), zktest::CoordColor(1, 1));
}

TEST(Surface, KeyIn565CatchesNearColoursAnd32BitDoesNot) {
    for (const PixelFormat* format : {&k565, &kXrgb}) {
        Surface src(2, 1, *format);
        src.setPixel(0, 0, 0x0000FF);  // red
        src.setPixel(1, 0, 0x0000FC);  // a red that 565 cannot tell apart
        src.setColorKey(format->fromColorRef(0x0000FF));
        Surface dst(2, 1, *format);
        dst.fill(dst.bounds(), 0xFFFFFF);
        ASSERT_EQ(dst.blt(dst.bounds(), src, src.bounds(), true), platform::DD_OK);
        platform::ColorRef near = 0;
        dst.getPixel(1, 0, near);
        EXPECT_EQ(near, format == &k565 ? 0xFFFFFFu : 0x0000FCu);
    }
}

TEST(Surface, BltChecksInOrderAndNeverLeavesTheBuffers) {
    const Surface src = CoordSurface(4, 4);
    Surface dst(5, 5, kXrgb);
    EXPECT_EQ(dst.blt({0, 0, 0, 4}, src, {9, 9, 99, 99}, false), platform::DD_OK);  // empty first
    EXPECT_EQ(dst.blt({0, 0, 4, 4}, src, {1, 1, 5, 4}, false), platform::DDERR_INVALIDRECT);
    EXPECT_EQ(dst.blt({0, 0, 4, 4}, src, {-1, 0, 3, 4}, false), platform::DDERR_INVALIDRECT);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(Raw(dst, x, y), 0u);
    }
    // Past every edge at once, stretched 4 times: columns count from the unclipped left.
    ASSERT_EQ(dst.blt({-4, -4, 12, 12}, src, src.bounds(), false), platform::DD_OK);
    EXPECT_EQ(Raw(dst, 0, 0), zktest::CoordColor(1, 1));
    EXPECT_EQ(Raw(dst, 4, 3), zktest::CoordColor(2, 1));
    // Overlapping source and destination read the picture as it was.
    Surface self = CoordSurface(4, 1);
    ASSERT_EQ(self.blt({1, 0, 4, 1}, self, {0, 0, 3, 1}, false), platform::DD_OK);
    EXPECT_EQ(Raw(self, 3, 0), zktest::CoordColor(2, 0));
}

TEST(Surface, AttachedClipListLimitsBlitsNotFills) {
    const Surface src = CoordSurface(6, 6);
    Surface dst(6, 6, kXrgb);
    auto clipper = std::make_shared<platform::Clipper>();
    clipper->list = platform::ClipRegion({{0, 0, 2, 2}, {4, 4, 9, 9}});
    dst.attachClipper(clipper);
    ASSERT_EQ(dst.blt(dst.bounds(), src, src.bounds(), false), platform::DD_OK);
    EXPECT_EQ(Raw(dst, 1, 1), zktest::CoordColor(1, 1));
    EXPECT_EQ(Raw(dst, 5, 5), zktest::CoordColor(5, 5));
    EXPECT_EQ(Raw(dst, 2, 2), 0u);
    EXPECT_EQ(Raw(dst, 3, 4), 0u);
    ASSERT_EQ(dst.fill({2, 2, 4, 4}, 0x00FFFFFF), platform::DD_OK);
    EXPECT_EQ(Raw(dst, 3, 3), 0x00FFFFFFu) << "fills ignore the clip list";
    dst.attachClipper(nullptr);
    ASSERT_EQ(dst.blt(dst.bounds(), src, src.bounds(), false), platform::DD_OK);
    EXPECT_EQ(Raw(dst, 2, 2), zktest::CoordColor(2, 2));
}

TEST(Surface, LostSurfaceRefusesEverythingUntilRestoredBlack) {
    Surface lost = CoordSurface(3, 3);
    Surface other = CoordSurface(3, 3);
    lost.markLost();
    platform::ColorRef color = 0;
    std::uint32_t raw = 0;
    EXPECT_EQ(lost.blt(lost.bounds(), other, other.bounds(), false), platform::DDERR_SURFACELOST);
    EXPECT_EQ(other.blt(other.bounds(), lost, lost.bounds(), false), platform::DDERR_SURFACELOST);
    EXPECT_EQ(lost.blt({0, 0, 0, 0}, other, other.bounds(), false), platform::DDERR_SURFACELOST);
    EXPECT_EQ(lost.fill(lost.bounds(), 0), platform::DDERR_SURFACELOST);
    EXPECT_EQ(lost.getPixel(0, 0, color), platform::DDERR_SURFACELOST);
    EXPECT_EQ(lost.rawPixel(0, 0, raw), platform::DDERR_SURFACELOST);
    EXPECT_EQ(lost.setPixel(0, 0, 0), platform::DDERR_SURFACELOST);
    EXPECT_EQ(lost.contextStatus(), platform::DDERR_SURFACELOST);
    EXPECT_EQ(Raw(other, 1, 1), zktest::CoordColor(1, 1));
    lost.restore();
    EXPECT_EQ(lost.contextStatus(), platform::DD_OK);
    EXPECT_EQ(Raw(lost, 1, 1), 0u);
    EXPECT_EQ(Raw(lost, 2, 2), 0u);
}
