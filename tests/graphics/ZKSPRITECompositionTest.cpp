#include <gtest/gtest.h>

#include "support/Bytes.h"
#include "support/SpriteKit.h"

using platform::Rect;
using zktest::Inside;
using zktest::SpriteKit;

namespace {

constexpr std::uint32_t kKey = 0xFF00FF;
constexpr std::uint32_t kBody = 0x3060C0;
constexpr std::uint32_t kGreen = 0x00FF00;
const Rect kTextBox{10, 500, 790, 530};

// One adventure-like frame: background, two keyed characters, a half-transparent
// sprite, a line of text and a quarter-dark fade overlay.
class Frame {
public:
    explicit Frame(std::uint32_t bits) {
        k_.setUp(bits);
        k_.loadPicture(0, 800, 600);
        std::vector<std::uint32_t> character(100 * 200, kBody);
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 10; ++x) character[y * 100 + x] = kKey;
        }
        k_.loadTexture(0, 100, 200, character, 1);
        k_.loadFlatTexture(1, 50, 50, kGreen);
        k_.loadFlatTexture(2, 800, 600, 0);
        ZKSPRITE& s = k_.sprite;
        const std::string text = zktest::Sjis(u8"表示のテスト、文字列です");
        EXPECT_EQ(s.D3DXDrawStart(), 1);
        EXPECT_EQ(s.DDBlt(0, 0, 0, 0), 1);
        EXPECT_EQ(s.D3DXSpriteDrawTL(0, 100, 100, 1, nullptr, 1, 1, 0, 0), 1);
        EXPECT_EQ(s.D3DXSpriteDrawTL(0, 400, 100, 1, nullptr, 1, 1, 0, 0), 1);
        EXPECT_EQ(s.D3DXSpriteDrawTL(1, 300, 300, 0, nullptr, 0.5f, 1, 0, 0), 1);
        EXPECT_EQ(s.DDTextOutRange(-1, &kTextBox, text.c_str(), 0xFFFFFF, 24, -1, 700, 16), 0);
        EXPECT_EQ(s.D3DXSpriteDrawEffectTL(2, 0, 0, 0, nullptr, 0.25f, 1, 1, 0, 0), 1);
        EXPECT_EQ(s.D3DXDrawEnd(), 1);
        EXPECT_TRUE(k_.debugLines().empty());
    }

    std::uint32_t shown(int x, int y) const {
        return k_.display.frame()[static_cast<std::size_t>(y) * 800 + x];
    }

    // The pixel as the blend rules make it, text aside.
    std::uint32_t expected(int x, int y) const {
        std::uint32_t pixel = stored(zktest::CoordColor(x, y));
        for (const int left : {100, 400}) {
            if (Inside(x, y, {left + 10, 100, left + 100, 300})) pixel = stored(kBody);
        }
        if (Inside(x, y, {300, 300, 350, 350})) pixel = stored(Blend(kGreen, pixel, 128));
        return stored(Blend(0, pixel, 64));
    }

private:
    static std::uint32_t Blend(std::uint32_t c, std::uint32_t d, std::uint32_t a8) {
        std::uint32_t out = 0;
        for (const int shift : {16, 8, 0}) {
            out |= ((c >> shift & 0xFF) * a8 + (d >> shift & 0xFF) * (255 - a8) + 127) / 255
                   << shift;
        }
        return out;
    }
    std::uint32_t stored(std::uint32_t xrgb) const {
        const platform::PixelFormat& f = k_.sprite.pBack->format();
        return f.toXrgb(f.fromXrgb(xrgb));
    }

    SpriteKit k_;
};

}  // namespace

TEST(ZKSPRITEComposition, OneWholeFrameAtBothDepths) {
    for (const std::uint32_t bits : {32u, 16u}) {
        const Frame frame(bits);
        int ink = 0;
        for (int y = 0; y < 600; y += 3) {
            for (int x = 0; x < 800; x += 3) {
                const std::uint32_t want = frame.expected(x, y), got = frame.shown(x, y);
                if (!Inside(x, y, kTextBox)) {
                    ASSERT_EQ(got, want) << x << "," << y << " at " << bits << " bits";
                    continue;
                }
                // White ink can only lighten what lies under it.
                for (const int shift : {16, 8, 0}) {
                    ASSERT_GE(got >> shift & 0xFF, want >> shift & 0xFF) << x << "," << y;
                }
                ink += got != want;
            }
        }
        EXPECT_GT(ink, 100) << bits << " bits";
        EXPECT_EQ(frame.shown(105, 150), frame.expected(105, 150)) << "keyed edge of a character";
    }
}
