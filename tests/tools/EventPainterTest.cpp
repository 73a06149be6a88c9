#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/EventPainter.h"
#include "mkdemo/EventScene.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "platform/video/BitmapFile.h"
#include "shell/AssetManifest.h"
#include "support/DemoData.h"

namespace {

using mkdemo::EventScene;
using mkdemo::PictureEntry;

const std::vector<PictureEntry>& Catalog() {
    static const std::vector<PictureEntry> catalog = [] {
        std::string error;
        auto built = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
        EXPECT_TRUE(built) << error;
        return built.value_or(std::vector<PictureEntry>{});
    }();
    return catalog;
}

std::vector<PictureEntry> EntriesStartingWith(std::initializer_list<std::string> prefixes) {
    std::vector<PictureEntry> entries;
    for (const PictureEntry& entry : Catalog()) {
        for (const std::string& prefix : prefixes) {
            if (entry.stem.starts_with(prefix)) entries.push_back(entry);
        }
    }
    return entries;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The gallery spells the letters of the pictures' names in capitals.
const PictureEntry& EntryOf(const std::string& stem) {
    for (const PictureEntry& entry : Catalog()) {
        if (Upper(entry.stem) == Upper(stem)) return entry;
    }
    ADD_FAILURE() << stem << " is not in the catalog";
    return Catalog().front();
}

platform::BitmapFile Bitmap(const PictureEntry& entry) {
    const std::string bytes = mkdemo::PicturePainter::BitmapOf(entry);
    auto bitmap = platform::BitmapFile::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(bitmap) << entry.name;
    return std::move(bitmap).value();
}

std::uint32_t Rgb(std::uint32_t pixel) { return pixel & 0xFFFFFF; }

std::uint32_t To565(std::uint32_t rgb) {
    return ((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F);
}

struct Mean {
    double r = 0, g = 0, b = 0;
};

// The mean colour of a rectangle of a bitmap.
Mean MeanOf(const platform::BitmapFile& bitmap, int left, int top, int right, int bottom) {
    Mean mean;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t p = bitmap.pixel(x, y);
            mean.r += p >> 16 & 0xFF, mean.g += p >> 8 & 0xFF, mean.b += p & 0xFF;
        }
    }
    const double n = static_cast<double>((right - left) * (bottom - top));
    return {mean.r / n, mean.g / n, mean.b / n};
}

constexpr int kGridX = 6;
constexpr int kGridY = 3;

// How far a thumbnail's regions are from the same regions of a picture scaled by
// `scale` and shifted by (dx, dy): the mean colour difference per region.
double Distance(const platform::BitmapFile& thumb, int thumbHeight,
                const platform::BitmapFile& picture, double scale, double dx, double dy) {
    double total = 0;
    for (int gy = 0; gy < kGridY; ++gy) {
        for (int gx = 0; gx < kGridX; ++gx) {
            const int l = gx * thumb.width() / kGridX, r = (gx + 1) * thumb.width() / kGridX;
            const int t = gy * thumbHeight / kGridY, b = (gy + 1) * thumbHeight / kGridY;
            const Mean small = MeanOf(thumb, l, t, r, b);
            const auto at = [&](double v, double shift, int limit) {
                return std::clamp(static_cast<int>(std::lround((v - shift) / scale)), 0, limit);
            };
            const Mean large =
                MeanOf(picture, at(l, dx, 800), at(t, dy, 600), at(r, dx, 800), at(b, dy, 600));
            total += std::fabs(small.r - large.r) + std::fabs(small.g - large.g) +
                     std::fabs(small.b - large.b);
        }
    }
    return total / (3 * kGridX * kGridY);
}

// The best match over the cuts a thumbnail may take of its picture: scaled to cover
// the thumbnail, shifted along the side that overflows.
double BestDistance(const platform::BitmapFile& thumb, int thumbHeight,
                    const platform::BitmapFile& picture) {
    const double scale = std::max(thumb.width() / 800.0, thumb.height() / 600.0);
    const double spareX = thumb.width() - 800 * scale;
    const double spareY = thumb.height() - 600 * scale;
    double best = 1e9;
    for (double f = 0; f <= 1.0; f += 0.02) {
        best = std::min(best, Distance(thumb, thumbHeight, picture, scale, f * spareX, f * spareY));
    }
    return best;
}

// The game draws its event pictures without the key: none shows a key-coloured pixel,
// and the pixel the engine would read a key from is its own colour at 16 bits, near
// the art's.
TEST(EventPainter, EveryEventPictureAndThumbnailIsOpaqueWithNoKeyPixel) {
    const auto entries = EntriesStartingWith({"EV", "HCG", "ED", "Tb_cg_", "Tb_rp_"});
    ASSERT_EQ(entries.size(), 148u + 211u);
    for (const PictureEntry& entry : entries) {
        mkdemo::ArtCanvas canvas(entry.width, entry.height);
        ASSERT_TRUE(mkdemo::EventPainter::Paint(canvas, entry)) << entry.name;
        const platform::BitmapFile bitmap = Bitmap(entry);
        const std::uint32_t origin = To565(bitmap.pixel(0, 0));
        int keyed = 0;
        int likeOrigin = 0;
        for (const std::uint32_t pixel : bitmap.pixels()) {
            keyed += Rgb(pixel) == mkdemo::PicturePainter::kKeyColor ? 1 : 0;
            likeOrigin += To565(pixel) == origin ? 1 : 0;
        }
        EXPECT_EQ(keyed, 0) << entry.name;
        EXPECT_EQ(likeOrigin, 1) << entry.name;
        const std::uint32_t art = canvas.color(0, 0, mkdemo::PicturePainter::kKeyColor).value();
        for (const int shift : {16, 8, 0}) {
            EXPECT_LE(std::abs(static_cast<int>(bitmap.pixel(0, 0) >> shift & 0xFF) -
                               static_cast<int>(art >> shift & 0xFF)),
                      16)
                << entry.name;
        }
    }
}

TEST(EventPainter, EveryEventPictureLooksDifferent) {
    std::map<std::string, std::string> seen;
    for (const PictureEntry& entry : EntriesStartingWith({"EV", "HCG", "ED"})) {
        const auto [it, fresh] = seen.emplace(mkdemo::PicturePainter::BitmapOf(entry), entry.stem);
        EXPECT_TRUE(fresh) << entry.stem << " looks like " << it->second;
    }
}

TEST(EventPainter, AThumbnailIsItsPictureScaledDown) {
    // The replay pages write a title over a thumbnail's bottom band: compare above it.
    const struct {
        const char* thumbnail;
        const char* picture;
        const char* other;
    } cases[] = {
        {"Tb_cg_Quira_01", "EV01", "EV03"},      {"Tb_cg_Quira_04", "EV03a", "EV16"},
        {"Tb_cg_Dulcane_22", "HCG0430", "EV09"}, {"Tb_cg_Ombrea_17", "ED06", "EV12"},
        {"Tb_cg_Ysma_01", "EV24a", "EV12"},      {"Tb_rp_Quira_01", "EV01", "EV03"},
        {"Tb_rp_Ombrea_01", "EV12", "EV01"},     {"Tb_rp_Dulcane_16", "EV15", "EV09"},
    };
    for (const auto& c : cases) {
        const platform::BitmapFile thumb = Bitmap(EntryOf(c.thumbnail));
        const int height = std::string(c.thumbnail).starts_with("Tb_rp_") ? 90 : thumb.height();
        const double own = BestDistance(thumb, height, Bitmap(EntryOf(c.picture)));
        const double other = BestDistance(thumb, height, Bitmap(EntryOf(c.other)));
        EXPECT_LT(own, 12.0) << c.thumbnail;
        EXPECT_LT(own * 2, other) << c.thumbnail << " is as near to " << c.other;
    }
}

TEST(EventPainter, AThumbnailIsCutFromItsGalleryItem) {
    const struct {
        const char* thumbnail;
        std::optional<std::string> picture;
    } cases[] = {
        {"Tb_cg_Quira_01", "EV01"},        {"Tb_cg_Quira_04", "EV03A"},
        {"Tb_cg_Quira_86", "HCG1510"},     {"Tb_cg_Dulcane_01", "EV09"},
        {"Tb_cg_Ysma_13", "ED05"},         {"Tb_rp_Ombrea_01", "EV12"},
        {"Tb_rp_Quira_42", "HCG1500"},     {"Tb_rp_Dulcane_16", "EV15"},
        {"Tb_rp_Ysma_03", "EV29A"},        {"Tb_cg_Quira_87", std::nullopt},
        {"Tb_cg_Quira_00", std::nullopt},  {"Tb_rp_Ombrea_02", std::nullopt},
        {"Tb_cg_Nobody_01", std::nullopt}, {"Tb_cg_Quira_1x", std::nullopt},
        {"Tb_cg_Quira", std::nullopt},     {"EV01", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EventScene::ThumbnailSource(c.thumbnail), c.picture) << c.thumbnail;
    }
    for (const PictureEntry& entry : EntriesStartingWith({"Tb_cg_", "Tb_rp_"})) {
        const auto source = EventScene::ThumbnailSource(entry.stem);
        ASSERT_TRUE(source) << entry.stem;
        const auto scene = EventScene::Of(*source);
        ASSERT_TRUE(scene) << entry.stem << " from " << *source;
        EntryOf(*source);
        // A replay page shows its own heroine's scenes.
        if (!entry.stem.starts_with("Tb_rp_")) continue;
        EXPECT_EQ(scene->heroine, Upper(entry.stem.substr(6, entry.stem.rfind('_') - 6)))
            << entry.stem;
    }
}

TEST(EventPainter, NamesOutsideTheFamilyAreLeftAlone) {
    for (const char* stem :
         {"BG01", "Logo", "EVX", "EV1", "EV01ab", "HCG", "ED01_", "Tb_cg_Quira_99", "CGMaterial"}) {
        EXPECT_FALSE(EventScene::Of(stem)) << stem;
        PictureEntry entry{std::string(stem) + ".gpc", stem, "", 800, 600};
        mkdemo::ArtCanvas canvas(entry.width, entry.height);
        EXPECT_FALSE(mkdemo::EventPainter::Paint(canvas, entry)) << stem;
        EXPECT_EQ(canvas.alpha(400, 300), 0) << stem;
    }
}

TEST(EventPainter, ScenesBelongToTheirHeroineAndFitTheScripts) {
    const struct {
        const char* stem;
        const char* heroine;
    } owners[] = {{"EV01", "QUIRA"},    {"EV09", "DULCANE"},    {"EV12", "OMBREA"},
                  {"EV24", "YSMA"},     {"HCG0430", "DULCANE"}, {"ED06", "OMBREA"},
                  {"EV06b", "DULCANE"}, {"EV06a", "DULCANE"},   {"EV02", "YSMA"}};
    for (const auto& owner : owners) {
        EXPECT_EQ(EventScene::Of(owner.stem)->heroine, owner.heroine) << owner.stem;
    }
    using Place = EventScene::Place;
    using Outfit = EventScene::Outfit;
    const auto curtain = EventScene::Of("EV01");
    EXPECT_EQ(curtain->place, Place::Stage);
    EXPECT_TRUE(curtain->curtainUp);
    EXPECT_EQ(EventScene::Of("EV16")->outfit, Outfit::White);
    EXPECT_EQ(EventScene::Of("EV03")->outfit, Outfit::Kimono);
}

// A costume's scene ends on her in that costume; the scene every other costume leads
// to shows her in her own dress, whichever was chosen.
TEST(EventPainter, TheSceneAfterACostumeShowsThatCostume) {
    using Outfit = EventScene::Outfit;
    const struct {
        const char* script;
        const char* picture;
        int costume;
        Outfit outfit;
    } scenes[] = {{"cos01.spt", "EV01", 1, Outfit::Stage},
                  {"cos02.spt", "EV16", 2, Outfit::White},
                  {"cos03.spt", "EV03", 3, Outfit::Kimono},
                  {"cos_more.spt", "EV03a", 0, Outfit::Everyday}};
    for (const auto& s : scenes) {
        const std::string script = zktest::DemoData::PlainScript(s.script);
        EXPECT_NE(script.find("#BGDisp " + std::string(s.picture) + "\r\n"), std::string::npos)
            << s.script;
        const auto scene = EventScene::Of(s.picture);
        EXPECT_EQ(scene->costume, s.costume) << s.picture;
        EXPECT_EQ(scene->outfit, s.outfit) << s.picture;
    }
}

// A kimono's sash ends above the picture's foot, the kimono going on below it, in
// every picture that shows one.
TEST(EventPainter, AKimonosSashShowsWhole) {
    int kimonos = 0;
    for (const PictureEntry& entry : EntriesStartingWith({"EV", "HCG", "ED"})) {
        const auto scene = EventScene::Of(entry.stem);
        if (scene->outfit != EventScene::Outfit::Kimono) continue;
        ++kimonos;
        EXPECT_LE(scene->headY + EventScene::kSashFoot * scene->scale, 560.5) << entry.stem;
    }
    EXPECT_GT(kimonos, 5);
}

TEST(EventPainter, SceneFamiliesShowTheirKindOfMoment) {
    // Scene pictures share a moment; event pictures show her alone; endings are
    // out under the moon or at dawn.
    using Moment = EventScene::Moment;
    using Place = EventScene::Place;
    for (const PictureEntry& entry : EntriesStartingWith({"EV", "HCG", "ED"})) {
        const auto scene = EventScene::Of(entry.stem);
        ASSERT_TRUE(scene) << entry.stem;
        const bool alone = scene->moment == Moment::Alone;
        if (entry.stem.starts_with("HCG")) {
            EXPECT_FALSE(alone) << entry.stem;
        } else if (entry.stem.starts_with("EV")) {
            EXPECT_TRUE(alone) << entry.stem;
        } else {
            EXPECT_TRUE(scene->place == Place::Dawn || scene->place == Place::MoonHill)
                << entry.stem;
        }
        EXPECT_EQ(scene->moment == Moment::Umbrella, scene->place == Place::Rain) << entry.stem;
    }
}

TEST(EventPainter, LetteredPicturesAreStepsOfTheirMoment) {
    const struct {
        const char* base;
        const char* step;
    } cases[] = {{"EV06", "EV06k"}, {"HCG0410", "HCG0410e"}, {"EV21", "EV21b"}, {"ED02", "ED02a"}};
    for (const auto& c : cases) {
        const auto base = EventScene::Of(c.base);
        const auto step = EventScene::Of(c.step);
        EXPECT_EQ(step->place, base->place) << c.step;
        EXPECT_EQ(step->outfit, base->outfit) << c.step;
        EXPECT_EQ(step->moment, base->moment) << c.step;
        EXPECT_NE(step->seed, base->seed) << c.step;
    }
}

}  // namespace
