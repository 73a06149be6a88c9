#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "mkdemo/PlacePainter.h"
#include "mkdemo/SkyPainter.h"
#include "platform/video/BitmapFile.h"
#include "shell/AssetManifest.h"

namespace {

constexpr std::uint32_t kKey = 0xFF00FF;

const std::vector<mkdemo::PictureEntry>& Catalog() {
    static const std::vector<mkdemo::PictureEntry> catalog = [] {
        std::string error;
        return mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error).value();
    }();
    return catalog;
}

const mkdemo::PictureEntry& EntryOf(const std::string& stem) {
    const auto& catalog = Catalog();
    return *std::find_if(catalog.begin(), catalog.end(),
                         [&](const mkdemo::PictureEntry& e) { return e.stem == stem; });
}

bool IsPlace(const std::string& stem) {
    static const std::set<std::string> kNamed = {"Logo",
                                                 "TitleBack1",
                                                 "TitleBack2",
                                                 "TitleBack3",
                                                 "ClothesSelectBack",
                                                 "DressRoomBack",
                                                 "Staffroll_BG1",
                                                 "Staffroll_BG2",
                                                 "Staffroll_BG3",
                                                 "Staffroll_Material_Surf",
                                                 "Staffroll_Material_Tex"};
    return kNamed.contains(stem) || (stem.starts_with("BG") && stem.size() > 2 &&
                                     std::isdigit(static_cast<unsigned char>(stem[2])) != 0);
}

struct Painted {
    explicit Painted(const std::string& stem)
        : entry(EntryOf(stem)), canvas(entry.width, entry.height) {
        drawn = mkdemo::PlacePainter::Paint(canvas, entry);
    }
    const mkdemo::PictureEntry& entry;
    mkdemo::ArtCanvas canvas;
    bool drawn = false;
};

platform::BitmapFile Bitmap(const mkdemo::PictureEntry& entry) {
    const std::string bytes = mkdemo::PicturePainter::BitmapOf(entry);
    return platform::BitmapFile::Decode(
               std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
        .value();
}

double Brightness(const mkdemo::ArtCanvas& canvas) {
    double sum = 0;
    for (int y = 0; y < canvas.height(); y += 4) {
        for (int x = 0; x < canvas.width(); x += 4) {
            const std::uint32_t p = canvas.pixel(x, y);
            sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        }
    }
    return sum / (canvas.width() / 4 * (canvas.height() / 4));
}

int Gap(std::uint32_t a, std::uint32_t b) {
    int gap = 0;
    for (const int shift : {16, 8, 0}) {
        gap = std::max(gap, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                     static_cast<int>((b >> shift) & 0xFF)));
    }
    return gap;
}

}  // namespace

// The places are drawn here and nowhere else: every other picture is left untouched
// for the painter whose it is.
TEST(PlacePainter, PaintsThePlacesAndLeavesEveryOtherPictureBlank) {
    int places = 0;
    for (const mkdemo::PictureEntry& entry : Catalog()) {
        mkdemo::ArtCanvas canvas(entry.width, entry.height);
        const bool drawn = mkdemo::PlacePainter::Paint(canvas, entry);
        EXPECT_EQ(drawn, IsPlace(entry.stem)) << entry.stem;
        places += drawn ? 1 : 0;
        if (drawn) continue;
        for (const auto& [x, y] : {std::pair{0, 0},
                                   {entry.width / 2, entry.height / 2},
                                   {entry.width - 1, entry.height - 1}}) {
            EXPECT_EQ(canvas.alpha(x, y), 0) << entry.stem;
        }
    }
    EXPECT_EQ(places, 30);
}

// A background shows the scene under it through no hole: every pixel fully opaque,
// so the bitmap keys none.
TEST(PlacePainter, EveryOpaquePlaceCoversEveryPixel) {
    for (const mkdemo::PictureEntry& entry : Catalog()) {
        if (!IsPlace(entry.stem) || entry.kind != mkdemo::PictureKind::Picture) continue;
        Painted painted(entry.stem);
        int open = 0;
        for (int y = 0; y < entry.height; ++y) {
            for (int x = 0; x < entry.width; ++x) open += painted.canvas.alpha(x, y) < 255 ? 1 : 0;
        }
        EXPECT_EQ(open, 0) << entry.stem;
    }
}

// The staff roll's hills stand on the key: above the ridge every pixel is key, from
// the ridge down to the bottom none is, and the ridge rolls.
TEST(PlacePainter, TheRollsHillsAreKeyedExactlyAboveTheirRidge) {
    const mkdemo::PictureEntry& entry = EntryOf("Staffroll_BG2");
    const platform::BitmapFile picture = Bitmap(entry);
    int highest = entry.height;
    int lowest = 0;
    for (int x = 0; x < entry.width; ++x) {
        int ridge = 0;
        while (ridge < entry.height && (picture.pixel(x, ridge) & 0xFFFFFF) == kKey) ++ridge;
        ASSERT_GT(ridge, 0) << x;
        ASSERT_LT(ridge, entry.height) << x;
        for (int y = ridge; y < entry.height; ++y) {
            ASSERT_NE(picture.pixel(x, y) & 0xFFFFFF, kKey) << x << "," << y;
        }
        highest = std::min(highest, ridge);
        lowest = std::max(lowest, ridge);
    }
    EXPECT_GT(lowest - highest, entry.height / 4);
}

// The logo is a plate on the key: its edge all key, so that nothing of a frame shows
// round it, the crescent and the title inside.
TEST(PlacePainter, TheLogoStandsOnTheKeyWithItsMoonAndTitle) {
    Painted logo("Logo");
    const int w = logo.entry.width;
    const int h = logo.entry.height;
    for (int x = 0; x < w; ++x) {
        EXPECT_FALSE(logo.canvas.covered(x, 0)) << x;
        EXPECT_FALSE(logo.canvas.covered(x, h - 1)) << x;
    }
    for (int y = 0; y < h; ++y) {
        EXPECT_FALSE(logo.canvas.covered(0, y)) << y;
        EXPECT_FALSE(logo.canvas.covered(w - 1, y)) << y;
    }
    int shape = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) shape += logo.canvas.covered(x, y) ? 1 : 0;
    }
    EXPECT_GT(shape, w * h / 4);
    EXPECT_LT(shape, w * h * 3 / 4);
}

// The roll's logo fades in as a texture and then stands as a surface: the two the same.
TEST(PlacePainter, TheRollsLogoIsTheSameAsTextureAndSurface) {
    EXPECT_EQ(mkdemo::PicturePainter::BitmapOf(EntryOf("Staffroll_Material_Surf")),
              mkdemo::PicturePainter::BitmapOf(EntryOf("Staffroll_Material_Tex")));
}

// A place's later hour is its darker picture.
TEST(PlacePainter, TheNightPicturesOfAPlaceAreDarkerThanItsDay) {
    const struct {
        const char* day;
        const char* night;
    } pairs[] = {{"BG00", "BG01"},   {"BG05A", "BG05B"}, {"BG07", "BG07A"},
                 {"BG09", "BG09A"},  {"BG09A", "BG08"},  {"BG10", "BG10A"},
                 {"BG11A", "BG11B"}, {"BG02", "BG04"},   {"TitleBack1", "TitleBack2"}};
    for (const auto& pair : pairs) {
        EXPECT_GT(Brightness(Painted(pair.day).canvas), Brightness(Painted(pair.night).canvas) + 20)
            << pair.day << " " << pair.night;
    }
}

// The title's menu and the moon the engine draws over the menu's back stand on a calm
// sky: each row of their places one colour. The game's name stands between them, in
// the logo's ivory letters.
TEST(PlacePainter, TheMenuBackIsCalmWhereTheMenuAndTheMoonStand) {
    Painted back("TitleBack3");
    int ink = 0;
    int inkTop = 600, inkBottom = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (Gap(back.canvas.pixel(x, y), mkdemo::ArtStyle::kInk) > 8) continue;
            ++ink;
            inkTop = std::min(inkTop, y);
            inkBottom = std::max(inkBottom, y + 1);
        }
    }
    EXPECT_GT(ink, 1500);
    EXPECT_GE(inkTop, 73);
    EXPECT_LE(inkBottom, 320);
    const struct {
        int left, top, right, bottom;
    } places[] = {{240, 320, 560, 520}, {384, 0, 472, 73}};
    for (const auto& place : places) {
        for (int y = place.top; y < place.bottom; ++y) {
            const std::uint32_t first = back.canvas.pixel(place.left, y);
            for (int x = place.left; x < place.right; ++x) {
                ASSERT_LE(Gap(back.canvas.pixel(x, y), first), 4) << x << "," << y;
            }
        }
    }
}

// Windows and lamps burn from dusk on, never by day.
TEST(PlacePainter, LampsBurnFromDuskOn) {
    const auto lampPixels = [](const char* stem) {
        Painted place(stem);
        int lit = 0;
        for (int y = 0; y < place.entry.height; y += 2) {
            for (int x = 0; x < place.entry.width; x += 2) {
                lit += place.canvas.pixel(x, y) == mkdemo::SkyPainter::kLamp ? 1 : 0;
            }
        }
        return lit;
    };
    for (const char* stem : {"BG07", "BG09A", "BG11A"}) EXPECT_GT(lampPixels(stem), 20) << stem;
    for (const char* stem : {"BG09", "BG12"}) EXPECT_EQ(lampPixels(stem), 0) << stem;
}
