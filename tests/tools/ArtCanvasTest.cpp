#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtShapes.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/PaletteQuantizer.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "platform/video/BitmapFile.h"
#include "shell/AssetManifest.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

std::uint32_t To565(std::uint32_t rgb) {
    return ((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F);
}

std::optional<platform::BitmapFile> Decode(const std::string& bytes) {
    return platform::BitmapFile::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

int Channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

int LargestChannelGap(std::uint32_t a, std::uint32_t b) {
    int gap = 0;
    for (const int shift : {16, 8, 0}) {
        gap = std::max(gap, std::abs(Channel(a, shift) - Channel(b, shift)));
    }
    return gap;
}

void PaintPixel(const mkdemo::ArtCanvas& canvas, int x, int y, std::uint32_t rgb, double alpha) {
    cairo_set_operator(canvas.cr(), CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(canvas.cr(), x, y, 1, 1);
    mkdemo::SetColor(canvas.cr(), rgb, alpha);
    cairo_fill(canvas.cr());
}

}  // namespace

TEST(PaletteQuantizer, AColourAHalfStepFromTheKeyAtSixteenBitsMovesOffIt) {
    const struct {
        std::uint32_t rgb, key, expected;
    } cases[] = {
        {0xFF00FF, kMagenta, 0xFF04FF}, {0xFC03FC, kMagenta, 0xFC07FC},
        {0xF800F8, kMagenta, 0xF804F8}, {0xF700FF, kMagenta, 0xF700FF},
        {0xFF04FF, kMagenta, 0xFF04FF}, {0x000000, 0x000000, 0x000400},
        {0x070307, 0x000000, 0x070707}, {0x080000, 0x000000, 0x080000},
        {0x123456, kMagenta, 0x123456},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mkdemo::MoveOffKey(c.rgb, c.key), c.expected) << std::hex << c.rgb;
    }
}

TEST(PaletteQuantizer, FewColoursKeepTheirOwnEntriesAndTheKeyIndexZero) {
    const std::vector<std::uint32_t> pixels = {0x102030, kMagenta, 0xA0B0C0, 0x102030, kMagenta};
    const struct {
        std::optional<std::uint32_t> key;
        std::size_t paletteSize;
    } cases[] = {{kMagenta, 3}, {std::nullopt, 3}};
    for (const auto& c : cases) {
        const mkdemo::IndexedPicture picture = mkdemo::PaletteQuantizer::Reduce(pixels, c.key);
        EXPECT_EQ(picture.palette.size(), c.paletteSize);
        ASSERT_EQ(picture.indices.size(), pixels.size());
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            EXPECT_EQ(picture.palette.at(picture.indices[i]), pixels[i]) << i;
            if (c.key) {
                EXPECT_EQ(picture.indices[i] == 0, pixels[i] == *c.key) << i;
            }
        }
    }
}

// A cube of 4096 colours with the key among them: at most 256 entries, only the key
// pixels on entry 0, and every pixel near its own colour.
TEST(PaletteQuantizer, ManyColoursShareAPaletteThatStaysCloseToThem) {
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t r = 0; r < 16; ++r) {
        for (std::uint32_t g = 0; g < 16; ++g) {
            for (std::uint32_t b = 0; b < 16; ++b)
                pixels.push_back((r * 17) << 16 | (g * 17) << 8 | b * 17);
        }
    }
    pixels.push_back(kMagenta);
    for (const std::optional<std::uint32_t> key :
         {std::optional<std::uint32_t>(kMagenta), std::optional<std::uint32_t>()}) {
        const mkdemo::IndexedPicture picture = mkdemo::PaletteQuantizer::Reduce(pixels, key);
        EXPECT_EQ(picture.palette.size(), 256u);
        ASSERT_EQ(picture.indices.size(), pixels.size());
        long total = 0;
        int worst = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const std::uint32_t given = picture.palette.at(picture.indices[i]);
            if (key) {
                EXPECT_EQ(picture.indices[i] == 0, pixels[i] == *key) << std::hex << pixels[i];
                if (pixels[i] == *key) continue;
                EXPECT_NE(To565(given), To565(*key)) << std::hex << pixels[i];
            }
            const int gap = LargestChannelGap(given, pixels[i]);
            total += gap;
            worst = std::max(worst, gap);
        }
        EXPECT_LT(total / static_cast<long>(pixels.size()), 20);
        EXPECT_LT(worst, 48);
    }
}

// The shape keeps its colours, unpremultiplied; what is less than half covered, what
// was never drawn and, in a picture with such pixels, the origin take the key; a shape
// colour the key would swallow at 16 bits moves off it. A whole picture's origin keeps
// its colour but for the least step that sets it apart from every other pixel at 16
// bits. Both bitmap forms give the same pixels.
TEST(ArtCanvas, TheBitmapKeysWhatLiesOutsideTheShapeAndNothingInsideIt) {
    const struct {
        std::uint32_t key, nearKey, movedOff;
    } keys[] = {{kMagenta, 0xFC02FC, 0xFC06FC}, {0x000000, 0x020001, 0x020401}};
    for (const auto& k : keys) {
        mkdemo::ArtCanvas canvas(4, 2);
        PaintPixel(canvas, 0, 0, 0xFF0000, 1.0);
        PaintPixel(canvas, 1, 0, 0x336699, 1.0);
        PaintPixel(canvas, 2, 0, 0x804020, 0.6);
        PaintPixel(canvas, 3, 0, 0x804020, 0.45);
        PaintPixel(canvas, 0, 1, k.nearKey, 1.0);
        const struct {
            int x, y;
            std::uint32_t expected;
            int tolerance;
        } pixels[] = {{0, 0, k.key, 0}, {1, 0, 0x336699, 0},   {2, 0, 0x804020, 2},
                      {3, 0, k.key, 0}, {0, 1, k.movedOff, 0}, {1, 1, k.key, 0},
                      {3, 1, k.key, 0}};
        for (const bool exact : {true, false}) {
            const auto picture = Decode(canvas.bitmap(k.key, exact));
            ASSERT_TRUE(picture);
            ASSERT_EQ(picture->width(), 4);
            for (const auto& p : pixels) {
                const std::uint32_t got = picture->pixel(p.x, p.y) & 0xFFFFFF;
                EXPECT_LE(LargestChannelGap(got, p.expected), p.tolerance)
                    << std::hex << k.key << " " << exact << " " << p.x << "," << p.y << " " << got;
                EXPECT_EQ(got == k.key, p.expected == k.key) << p.x << "," << p.y;
            }
        }
    }
    mkdemo::ArtCanvas whole(3, 1);
    for (int x = 0; x < 3; ++x) PaintPixel(whole, x, 0, 0x336699, 1.0);
    for (const bool exact : {true, false}) {
        const auto picture = Decode(whole.bitmap(kMagenta, exact));
        ASSERT_TRUE(picture);
        const std::uint32_t origin = picture->pixel(0, 0) & 0xFFFFFF;
        EXPECT_EQ(LargestChannelGap(origin, 0x336699), 4) << exact << " " << std::hex << origin;
        EXPECT_NE(To565(origin), To565(0x336699)) << exact;
        EXPECT_EQ(picture->pixel(2, 0) & 0xFFFFFF, 0x336699u) << exact;
    }
}

TEST(ArtCanvas, TextInTheGameFontInksItsBoxOnly) {
    mkdemo::ArtCanvas canvas(80, 30);
    const int width = mkdemo::ArtCanvas::TextWidth("月蛾", 20);
    EXPECT_EQ(width, 40);
    canvas.text("月蛾", 10, 5, 20, 0xFFFFFF);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            const bool box = x >= 10 && x < 10 + width && y >= 5 && y < 25;
            (box ? inside : outside) += canvas.covered(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 60);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(canvas.pixel(0, 0), 0u);
}

// The crescent is the disc less a second disc to its upper right, lit from the
// upper left: its horns' inside lets the canvas through, its back is drawn.
TEST(ArtShapes, TheCrescentIsADiscWithABiteTakenOutLitFromTheUpperLeft) {
    mkdemo::ArtCanvas canvas(100, 100);
    mkdemo::ArtShapes::Crescent(canvas.cr(), 50, 50, 40, 0xFFFFFF, 0x000080);
    const struct {
        int x, y;
        bool covered;
    } points[] = {{14, 50, true},  {50, 86, true},  {30, 40, true},
                  {60, 45, false}, {75, 30, false}, {95, 50, false}};
    for (const auto& p : points) {
        EXPECT_EQ(canvas.covered(p.x, p.y), p.covered) << p.x << "," << p.y;
    }
    // Nearer the light the back is nearer the inner colour.
    EXPECT_GT(Channel(canvas.pixel(24, 34), 8), Channel(canvas.pixel(40, 86), 8));
}

// Up to 256 cells of a sheet each get a rim colour of their own, still their own on a
// 16-bit screen, and all of them close to the frame gold.
TEST(DemoArt, RimColoursStayApartAtSixteenBitsAndNearTheGold) {
    std::set<std::uint32_t> seen;
    for (std::size_t cell = 0; cell < 256; ++cell) {
        const std::uint32_t rim = mkdemo::ArtStyle::RimColor(cell);
        EXPECT_TRUE(seen.insert(To565(rim)).second) << cell;
        EXPECT_LE(LargestChannelGap(rim, mkdemo::ArtStyle::kGold), 64) << cell;
    }
}

// Tests and screens find a sheet's cell by its rim: each of the four points two pixels
// in from its corners is the cell's own rim colour, opaque and unblended, and the
// colours reported by name are those. The pictures screens draw over a background,
// the moon's frames and the extras menu's lit objects, carry no rim: it would show
// as a frame round them.
TEST(DemoArt, EveryCellOfEverySheetCarriesItsOwnRim) {
    std::string error;
    const auto catalog = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
    ASSERT_TRUE(catalog) << error;
    int sheets = 0;
    for (const mkdemo::PictureEntry& entry : *catalog) {
        if (entry.cells.empty()) continue;
        ++sheets;
        mkdemo::ArtCanvas canvas(entry.width, entry.height);
        ASSERT_TRUE(mkdemo::PicturePainter::DrawArt(canvas, entry)) << entry.name;
        const auto reported = mkdemo::PicturePainter::CellColors(entry);
        for (std::size_t i = 0; i < entry.cells.size(); ++i) {
            const mkdemo::SheetCell& c = entry.cells[i];
            const bool freeShape =
                entry.stem == "TitleMoonMaterial" || (entry.stem == "SpecialMaterial" && i < 4);
            const std::array<std::pair<int, int>, 4> rim = {{{c.left + 2, c.top + 2},
                                                             {c.right - 3, c.top + 2},
                                                             {c.left + 2, c.bottom - 3},
                                                             {c.right - 3, c.bottom - 3}}};
            if (freeShape) {
                for (const auto& [x, y] : rim) {
                    EXPECT_NE(canvas.pixel(x, y), mkdemo::ArtStyle::RimColor(i)) << c.name;
                }
                continue;
            }
            EXPECT_EQ(reported.at(c.name), mkdemo::ArtStyle::RimColor(i))
                << entry.stem << " " << c.name;
            for (const auto& [x, y] : rim) {
                EXPECT_EQ(canvas.alpha(x, y), 255) << entry.stem << " " << c.name << " " << x;
                EXPECT_EQ(canvas.pixel(x, y), mkdemo::ArtStyle::RimColor(i))
                    << entry.stem << " " << c.name << " " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(sheets, 19);
}

// Every keyed picture the demo's art draws, kind by kind: the key exactly where the
// drawn shape is not, and never inside it, even as a 16-bit screen reads it; the
// origin the key too, unless the shape covers the whole picture.
TEST(DemoArt, KeyedPicturesShowTheKeyOnlyOutsideTheirShape) {
    std::string error;
    const auto catalog = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
    ASSERT_TRUE(catalog) << error;
    using K = mkdemo::PictureKind;
    for (const K kind :
         {K::Plate, K::Hills, K::CellSheet, K::CellSheetKeyBlack, K::Body, K::Face}) {
        for (const mkdemo::PictureEntry& entry : *catalog) {
            if (entry.kind != kind) continue;
            mkdemo::ArtCanvas canvas(entry.width, entry.height);
            if (!mkdemo::PicturePainter::DrawArt(canvas, entry)) continue;
            const std::uint32_t key = mkdemo::PicturePainter::KeyOf(entry);
            const auto picture = Decode(mkdemo::PicturePainter::BitmapOf(entry));
            ASSERT_TRUE(picture) << entry.name;
            int wrong = 0;
            int open = 0;
            for (int y = 0; y < entry.height; ++y) {
                for (int x = 0; x < entry.width; ++x) {
                    const std::uint32_t got = picture->pixel(x, y) & 0xFFFFFF;
                    const bool shape = canvas.covered(x, y);
                    open += shape ? 0 : 1;
                    if (x == 0 && y == 0) continue;
                    wrong += shape ? To565(got) == To565(key) : got != key;
                }
            }
            EXPECT_EQ(wrong, 0) << entry.name;
            EXPECT_EQ((picture->pixel(0, 0) & 0xFFFFFF) == key, open > 0) << entry.name;
        }
    }
}
