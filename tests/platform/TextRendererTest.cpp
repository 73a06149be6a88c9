#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "platform/text/TextRenderer.h"
#include "support/Bytes.h"
#include "support/TestGlyphScope.h"
#include "support/TestKit.h"

using platform::PixelFormat;
using platform::Rect;
using platform::Surface;
using platform::TextLayout;
using platform::TextRenderer;
using platform::TextStyle;
using zktest::Sjis;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

Surface WhiteSurface(std::uint32_t bits) {
    Surface surface(240, 120, PixelFormat::ForDepth(bits));
    surface.fill(surface.bounds(), kWhite);
    return surface;
}

// Pixels that are no longer white, as 0x00RRGGBB by position.
std::vector<std::pair<int, int>> Ink(const Surface& surface) {
    std::vector<std::pair<int, int>> ink;
    const auto pixels = surface.toXrgb();
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (pixels[static_cast<std::size_t>(y) * surface.width() + x] != kWhite) {
                ink.emplace_back(x, y);
            }
        }
    }
    return ink;
}

bool Inside(const std::pair<int, int>& p, const Rect& r) {
    return p.first >= r.left && p.first < r.right && p.second >= r.top && p.second < r.bottom;
}

TextStyle Style(int height, bool bold, platform::ColorRef color, bool smooth = true) {
    return TextStyle{height, bold, color, smooth};
}

}  // namespace

TEST(TextRenderer, InkFallsOnlyInsideItsCellsAndBoldGivesMore) {
    TextRenderer& renderer = TextRenderer::Shared();
    ASSERT_TRUE(renderer.available()) << "the IPAGothic font must be installed";
    const std::string text = "Ag" + Sjis(u8"表あ") + "\x01 " + Sjis(u8"ｱ");
    std::size_t inkCount[2] = {};
    for (const bool bold : {false, true}) {
        Surface surface = WhiteSurface(32);
        const auto cells = TextLayout::Line(text, 10, 20, 24);
        ASSERT_TRUE(renderer.draw(surface, text, cells, Style(24, bold, 0), surface.bounds()));
        const int slack = bold ? 1 : 0;
        const auto ink = Ink(surface);
        inkCount[bold] = ink.size();
        for (const auto& p : ink) {
            EXPECT_TRUE(
                Inside(p, {10 - slack, 20, cells.back().x + cells.back().width + slack, 20 + 24}))
                << p.first << "," << p.second;
        }
        for (const auto& cell : cells) {
            const bool blank = !TextLayout::Inked(text, cell) || text[cell.offset] == ' ';
            const Rect box{cell.x - slack, cell.y, cell.x + cell.width + slack, cell.y + 24};
            const bool inked =
                std::any_of(ink.begin(), ink.end(), [&](const auto& p) { return Inside(p, box); });
            EXPECT_TRUE(blank || inked) << "cell at " << cell.x;
        }
    }
    EXPECT_GT(inkCount[1], inkCount[0] + inkCount[0] / 10) << "bold gives more ink";
}

TEST(TextRenderer, ClippingToTheRectangleShowsOnlyTheTopOfAPartialLine) {
    TextRenderer& renderer = TextRenderer::Shared();
    const std::string text = Sjis(u8"表表表表表表表表表表");
    const Rect box{10, 10, 10 + 4 * 20, 10 + 20 + 8};  // one line and the top 8 rows of the next
    Surface surface = WhiteSurface(32);
    const auto cells = TextLayout::Box(text, box, TextLayout::kWordBreak, 20);
    ASSERT_TRUE(renderer.draw(surface, text, cells, Style(20, false, 0), box));
    const auto ink = Ink(surface);
    ASSERT_FALSE(ink.empty());
    bool secondLine = false;
    for (const auto& p : ink) {
        EXPECT_TRUE(Inside(p, box)) << p.first << "," << p.second;
        secondLine = secondLine || p.second >= 30;
    }
    EXPECT_TRUE(secondLine);
}

TEST(TextRenderer, FullCoverageGivesTheExactTextColour) {
    TextRenderer& renderer = TextRenderer::Shared();
    const std::string text = Sjis(u8"■表");
    const platform::ColorRef red = 0x2040C0;  // COLORREF: blue 0x20, green 0x40, red 0xC0
    for (const std::uint32_t bits : {32u, 16u}) {
        for (const bool smooth : {true, false}) {
            Surface surface = WhiteSurface(bits);
            ASSERT_TRUE(renderer.draw(surface, text, TextLayout::Line(text, 0, 0, 24),
                                      Style(24, false, red, smooth), surface.bounds()));
            const PixelFormat& format = surface.format();
            const std::uint32_t exact = format.toXrgb(format.fromColorRef(red));
            const auto pixels = surface.toXrgb();
            int full = 0, partial = 0;
            for (const auto& p : Ink(surface)) {
                const auto value = pixels[static_cast<std::size_t>(p.second) * 240 + p.first];
                (value == exact ? full : partial) += 1;
            }
            EXPECT_GT(full, 100) << bits << " bits, smooth " << smooth;
            // Monochrome has no intermediate coverage; antialiased edges have.
            EXPECT_EQ(partial > 0, smooth) << bits << " bits";
        }
    }
}

// Test glyphs stand in for the font: a box one pixel short of the cell each way, none
// for a blank.
TEST(TextRenderer, TestGlyphsAreBoxesOnePixelShortOfTheirCells) {
    zktest::TestGlyphScope boxes;
    Surface surface = WhiteSurface(32);
    const std::string text = "A B";
    const auto cells = TextLayout::Line(text, 10, 20, 12);
    ASSERT_TRUE(
        TextRenderer::Shared().draw(surface, text, cells, Style(12, false, 0), surface.bounds()));
    std::vector<std::pair<int, int>> expected;
    for (const std::size_t inked : {0u, 2u}) {
        const platform::TextCell& cell = cells[inked];
        for (int y = cell.y; y < cell.y + 11; ++y) {
            for (int x = cell.x; x < cell.x + cell.width - 1; ++x) expected.emplace_back(x, y);
        }
    }
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return std::tie(a.second, a.first) < std::tie(b.second, b.first);
    });
    EXPECT_EQ(Ink(surface), expected);
}

TEST(TextRenderer, MissingFontIsReportedOnceAndDrawsNothing) {
    zktest::TestKit kit;
    TextRenderer renderer("/nonexistent/font.ttf");
    Surface surface = WhiteSurface(32);
    for (int call = 0; call < 2; ++call) {
        EXPECT_FALSE(renderer.draw(surface, "abc", TextLayout::Line("abc", 0, 0, 24),
                                   Style(24, false, 0), surface.bounds()));
    }
    EXPECT_TRUE(Ink(surface).empty());
    EXPECT_EQ(kit.debugLines(),
              std::vector<std::string>{
                  "Error: <TextRenderer> フォントファイルを読み込めません: /nonexistent/font.ttf"});
}
