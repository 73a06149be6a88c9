#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/CharacterSheets.h"
#include "mkdemo/FigureDrawing.h"
#include "mkdemo/FigurePainter.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "mkdemo/Wardrobe.h"
#include "platform/video/BitmapFile.h"
#include "shell/AssetManifest.h"
#include "support/Bytes.h"
#include "support/TempWorkDir.h"

using mkdemo::ArtCanvas;
using mkdemo::CharacterSheets;
using mkdemo::PictureEntry;

namespace {

constexpr int kCell = CharacterSheets::kFaceCell;
// Where a face cell lies on its body: the anchor of every body line.
constexpr int kFaceLeft = 100;
constexpr int kFaceTop = 30;

const std::map<std::string, PictureEntry>& Catalog() {
    static const std::map<std::string, PictureEntry> entries = [] {
        std::string error;
        const auto catalog = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
        std::map<std::string, PictureEntry> byStem;
        for (const PictureEntry& entry : catalog.value()) byStem[entry.stem] = entry;
        return byStem;
    }();
    return entries;
}

std::unique_ptr<ArtCanvas> Painted(const std::string& stem) {
    const PictureEntry& entry = Catalog().at(stem);
    auto canvas = std::make_unique<ArtCanvas>(entry.width, entry.height);
    EXPECT_TRUE(mkdemo::FigurePainter::Paint(*canvas, entry)) << stem;
    return canvas;
}

// A pixel as the picture holds it: its colour where opaque enough, else nothing.
std::uint32_t At(const ArtCanvas& canvas, int x, int y) {
    return canvas.covered(x, y) ? canvas.pixel(x, y) : 0xFF000000u;
}

std::vector<std::string> CharacterStems(bool faces) {
    std::vector<std::string> stems;
    for (const mkdemo::Heroine& heroine : CharacterSheets::Heroines()) {
        for (const std::string& stem : faces ? heroine.faces : heroine.bodies)
            stems.push_back(stem);
    }
    return stems;
}

// Colours a rounding apart: a solid pixel where antialiased edges meet keeps a trace
// of what lay beneath it.
bool Close(std::uint32_t a, std::uint32_t b) {
    for (const int shift : {16, 8, 0}) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > 8 || d < -8) return false;
    }
    return true;
}

std::uint32_t To565(std::uint32_t rgb) {
    return ((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F);
}

}  // namespace

TEST(FigurePainter, PaintsOnlyTheHeroinesPicturesAndLeavesOthersUntouched) {
    for (const char* stem : {"Logo", "BG00", "TitleMenuMaterial"}) {
        if (Catalog().count(stem) == 0) continue;
        const PictureEntry& entry = Catalog().at(stem);
        ArtCanvas canvas(entry.width, entry.height);
        EXPECT_FALSE(mkdemo::FigurePainter::Paint(canvas, entry)) << stem;
        EXPECT_EQ(canvas.alpha(entry.width / 2, entry.height / 2), 0) << stem;
    }
    for (const char* stem : {"ClothesSelectBody", "ClothesCard_F", "ClothesCard_R", "QuiraFaceWnd",
                             "P0100g", "O00H"}) {
        Painted(stem);
    }
}

// The engine cycles a face's three cells to blink: they must differ, only around the
// eyes, and the last must really close them.
TEST(FigurePainter, TheThreeEyeFramesOfEveryFaceDifferOnlyAroundTheEyes) {
    for (const mkdemo::Heroine& heroine : CharacterSheets::Heroines()) {
        const mkdemo::FigureBox eyes =
            mkdemo::FigureDrawing::EyeArea(mkdemo::Wardrobe::BuildOf(heroine.id));
        const std::uint32_t iris = mkdemo::ArtStyle::HeroineLook(heroine.id).eyes;
        for (const std::string& stem : heroine.faces) {
            const auto canvas = Painted(stem);
            int irisPixels[CharacterSheets::kEyeFrames] = {};
            for (int frame = 0; frame < CharacterSheets::kEyeFrames; ++frame) {
                int changed = 0;
                int outside = 0;
                for (int y = 0; y < kCell; ++y) {
                    for (int x = 0; x < kCell; ++x) {
                        const std::uint32_t pixel = At(*canvas, frame * kCell + x, y);
                        irisPixels[frame] += pixel == iris ? 1 : 0;
                        if (pixel == At(*canvas, x, y)) continue;
                        ++changed;
                        const int bx = x + kFaceLeft;
                        const int by = y + kFaceTop;
                        const bool inside = bx >= eyes.left && bx < eyes.right && by >= eyes.top &&
                                            by < eyes.bottom;
                        outside += inside ? 0 : 1;
                    }
                }
                EXPECT_EQ(outside, 0) << stem << " frame " << frame;
                if (frame > 0) {
                    EXPECT_GT(changed, 100) << stem << " frame " << frame;
                }
            }
            EXPECT_GT(irisPixels[0], irisPixels[1]) << stem;
            EXPECT_GT(irisPixels[1], 0) << stem;
            EXPECT_EQ(irisPixels[2], 0) << stem;
        }
    }
}

// Each face of a heroine shows an expression of its own.
TEST(FigurePainter, EveryFaceOfAHeroineLooksDifferent) {
    for (const mkdemo::Heroine& heroine : CharacterSheets::Heroines()) {
        std::vector<std::unique_ptr<ArtCanvas>> faces;
        for (const std::string& stem : heroine.faces) faces.push_back(Painted(stem));
        for (std::size_t a = 0; a < faces.size(); ++a) {
            for (std::size_t b = a + 1; b < faces.size(); ++b) {
                int differ = 0;
                for (int y = 0; y < kCell; ++y) {
                    for (int x = 0; x < kCell; ++x) {
                        differ += At(*faces[a], x, y) != At(*faces[b], x, y) ? 1 : 0;
                    }
                }
                EXPECT_GT(differ, 20) << heroine.faces[a] << " " << heroine.faces[b];
            }
        }
    }
}

// The face is laid over the body at the body's anchor: there it must find the head it
// replaces, the first expression drawn as the body draws it.
TEST(FigurePainter, EachFaceSitsOnItsHeroinesHeadInEveryBody) {
    for (const mkdemo::Heroine& heroine : CharacterSheets::Heroines()) {
        const auto face = Painted(heroine.faces.front());
        for (const std::string& stem : heroine.bodies) {
            const auto body = Painted(stem);
            int offBody = 0;
            int unlike = 0;
            int solid = 0;
            for (int y = 0; y < kCell; ++y) {
                for (int x = 0; x < kCell; ++x) {
                    if (!face->covered(x, y)) continue;
                    offBody += body->covered(x + kFaceLeft, y + kFaceTop) ? 0 : 1;
                    if (face->alpha(x, y) < 255) continue;
                    if (body->alpha(x + kFaceLeft, y + kFaceTop) < 255) continue;
                    ++solid;
                    unlike +=
                        Close(face->pixel(x, y), body->pixel(x + kFaceLeft, y + kFaceTop)) ? 0 : 1;
                }
            }
            EXPECT_EQ(offBody, 0) << stem;
            EXPECT_GT(solid, 5000) << stem;
            EXPECT_EQ(unlike, 0) << stem;
        }
    }
}

// What the engine loads: the key exactly where the drawing leaves the sheet bare, and
// no pure white, which the screens count as their text.
TEST(FigurePainter, BodiesAndFacesTakeTheKeyExactlyOutsideTheFigure) {
    zktest::TempWorkDir dir;
    const std::uint32_t key = To565(mkdemo::PicturePainter::kKeyColor);
    for (const bool faces : {false, true}) {
        for (const std::string& stem : CharacterStems(faces)) {
            const PictureEntry& entry = Catalog().at(stem);
            ArtCanvas canvas(entry.width, entry.height);
            ASSERT_TRUE(mkdemo::PicturePainter::DrawArt(canvas, entry)) << stem;
            zktest::WriteFileBytes("figure.gpc", mkdemo::PicturePainter::BitmapOf(entry));
            const auto bitmap = platform::BitmapFile::Load("figure.gpc");
            ASSERT_TRUE(bitmap) << stem;
            int wrong = 0;
            int figure = 0;
            int white = 0;
            for (int y = 0; y < entry.height; ++y) {
                for (int x = 0; x < entry.width; ++x) {
                    const bool shape = canvas.covered(x, y) && (x != 0 || y != 0);
                    figure += shape ? 1 : 0;
                    wrong += (To565(bitmap->pixel(x, y)) == key) == shape ? 1 : 0;
                    white += (bitmap->pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
                }
            }
            EXPECT_EQ(wrong, 0) << stem;
            EXPECT_EQ(white, 0) << stem;
            EXPECT_GT(figure, entry.width * entry.height / 10) << stem;
        }
    }
}

// Every costume has its own colours and cut: no two of Quira's bodies look alike.
TEST(FigurePainter, EveryCostumeBodyLooksDifferent) {
    const std::vector<std::string>& stems = CharacterSheets::Find("QUIRA")->bodies;
    std::vector<std::unique_ptr<ArtCanvas>> bodies;
    for (const std::string& stem : stems) bodies.push_back(Painted(stem));
    for (std::size_t a = 0; a < bodies.size(); ++a) {
        for (std::size_t b = a + 1; b < bodies.size(); ++b) {
            int differ = 0;
            for (int y = 200; y < CharacterSheets::kBodyHeight; y += 2) {
                for (int x = 0; x < CharacterSheets::kBodyWidth; x += 2) {
                    differ += At(*bodies[a], x, y) != At(*bodies[b], x, y) ? 1 : 0;
                }
            }
            EXPECT_GT(differ, 1000) << stems[a] << " " << stems[b];
        }
    }
}

// Quira's costume bodies follow the story's costume numbers, the sixth stem skipped;
// the others' first bodies and every pose wear the heroine's own dress.
TEST(FigurePainter, EachBodyWearsTheCostumeOfItsNumber) {
    using mkdemo::Wardrobe;
    const auto same = [](const mkdemo::Costume& a, const mkdemo::Costume& b) {
        return a.top == b.top && a.skirt == b.skirt && a.hem == b.hem && a.extras == b.extras;
    };
    const std::vector<std::string>& quira = CharacterSheets::Find("QUIRA")->bodies;
    for (int n = 1; n <= Wardrobe::kCostumes; ++n) {
        const auto outfit = Wardrobe::OutfitOf("QUIRA", quira[static_cast<std::size_t>(n - 1)]);
        ASSERT_TRUE(outfit) << n;
        EXPECT_TRUE(same(outfit->costume, Wardrobe::CostumeOf(n))) << n;
    }
    const struct {
        const char* heroine;
        const char* stem;
        int costume;  // 0: her own dress
    } cases[] = {{"DULCANE", "Y0400D", 4}, {"DULCANE", "Y1400D", 13}, {"DULCANE", "Y1500D", 14},
                 {"DULCANE", "Y0100D", 0}, {"OMBREA", "P0200O", 0},   {"QUIRA", "P0100g", 0},
                 {"YSMA", "Y0100Y", 0}};
    for (const auto& c : cases) {
        const auto outfit = Wardrobe::OutfitOf(c.heroine, c.stem);
        ASSERT_TRUE(outfit) << c.stem;
        const mkdemo::Costume expected =
            c.costume == 0 ? Wardrobe::OwnDress(c.heroine) : Wardrobe::CostumeOf(c.costume);
        EXPECT_TRUE(same(outfit->costume, expected)) << c.stem;
    }
    EXPECT_FALSE(Wardrobe::OutfitOf("QUIRA", "Q00A"));
}
