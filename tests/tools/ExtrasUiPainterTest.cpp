#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/ExtrasUiPainter.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "shell/AssetManifest.h"

namespace {

using mkdemo::ArtCanvas;
using mkdemo::PictureEntry;
using mkdemo::SheetCell;

const PictureEntry& Entry(const std::string& stem) {
    static const std::map<std::string, PictureEntry> entries = [] {
        std::string error;
        std::map<std::string, PictureEntry> byStem;
        for (PictureEntry& e : mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error)
                                   .value_or(std::vector<PictureEntry>{})) {
            byStem.emplace(e.stem, std::move(e));
        }
        return byStem;
    }();
    return entries.at(stem);
}

// The picture as the painter leaves it, before it becomes a bitmap.
ArtCanvas Painted(const std::string& stem) {
    const PictureEntry& entry = Entry(stem);
    ArtCanvas canvas(entry.width, entry.height);
    EXPECT_TRUE(mkdemo::ExtrasUiPainter::Paint(canvas, entry)) << stem;
    return canvas;
}

const SheetCell& CellNamed(const PictureEntry& entry, const std::string& name) {
    for (const SheetCell& cell : entry.cells) {
        if (cell.name == name) return cell;
    }
    ADD_FAILURE() << entry.stem << " has no " << name;
    return entry.cells.front();
}

// How many pixels inside two cells of one size differ.
int Differing(const ArtCanvas& canvas, const SheetCell& a, const SheetCell& b) {
    int differing = 0;
    for (int y = 4; y < a.bottom - a.top - 4; ++y) {
        for (int x = 4; x < a.right - a.left - 4; ++x) {
            differing += canvas.pixel(a.left + x, a.top + y) != canvas.pixel(b.left + x, b.top + y);
        }
    }
    return differing;
}

// Colours the same but for the last bit or two of a channel, where cairo's edges fall a
// hair apart at another offset.
bool Near(std::uint32_t a, std::uint32_t b) {
    for (const int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 2) {
            return false;
        }
    }
    return true;
}

int Area(const SheetCell& c) { return (c.right - c.left - 8) * (c.bottom - c.top - 8); }

}  // namespace

// Each look of a button, and each frame of a pulse, differs from the others over most
// of the cell.
TEST(ExtrasUiPainter, TheLooksOfAControlTellApart) {
    const struct {
        const char* stem;
        std::vector<std::string> looks;
        int percent;
    } families[] = {
        {"BGMModeMaterial", {"play-n", "play-h", "play-p", "play-i"}, 50},
        {"BGMModeMaterial", {"stop-n", "stop-h", "stop-p"}, 50},
        {"BGMModeMaterial", {"prev-n", "prev-h", "prev-p"}, 50},
        {"BGMModeMaterial", {"next-n", "next-h", "next-p"}, 50},
        {"BGMModeMaterial", {"exit-n", "exit-h", "exit-p"}, 50},
        {"CGMaterial", {"cg-n", "cg-h", "cg-p", "cg-s"}, 50},
        {"CGMaterial", {"rp-n", "rp-h", "rp-p", "rp-s"}, 50},
        {"CGMaterial", {"back-n", "back-h", "back-p"}, 50},
        {"CGMaterial", {"prev-n", "prev-h", "prev-p"}, 50},
        {"CGMaterial", {"next-n", "next-h", "next-p"}, 50},
        {"CGMaterial", {"tab", "tab-hover0", "tab-cur0"}, 50},
        {"CGMaterial", {"tab-cur0", "tab-cur2", "tab-cur4"}, 2},
        {"CGMaterial", {"cursor-cg0", "cursor-cg2", "cursor-cg4"}, 2},
        {"ReplayMaterial", {"replay-n", "replay-h", "replay-p"}, 50},
        {"ClothesSelectMaterial", {"戻る0", "戻る1", "戻る2"}, 50},
        {"ClothesSelectMaterial", {"前0", "前1", "前2"}, 50},
        {"ClothesSelectMaterial", {"次0", "次1", "次2"}, 50},
        {"ClothesSelectMaterial", {"枠0", "枠2", "枠4"}, 2},
        {"SpecialMaterial", {"光", "点滅0", "点滅1"}, 2},
    };
    for (const auto& f : families) {
        const PictureEntry& entry = Entry(f.stem);
        const ArtCanvas canvas = Painted(f.stem);
        for (std::size_t a = 0; a < f.looks.size(); ++a) {
            for (std::size_t b = a + 1; b < f.looks.size(); ++b) {
                const SheetCell& one = CellNamed(entry, f.looks[a]);
                const SheetCell& other = CellNamed(entry, f.looks[b]);
                EXPECT_GT(Differing(canvas, one, other) * 100, Area(one) * f.percent)
                    << f.stem << " " << f.looks[a] << " " << f.looks[b];
            }
        }
    }
}

// A frame is only a border: past its six pixels the key lets the card, the thumbnail
// or the menu through.
TEST(ExtrasUiPainter, FramesAreABorderWithTheKeyInside) {
    int frames = 0;
    for (const char* stem : {"SpecialMaterial", "CGMaterial", "ClothesSelectMaterial"}) {
        const PictureEntry& entry = Entry(stem);
        const ArtCanvas canvas = Painted(stem);
        for (const SheetCell& c : entry.cells) {
            if (!c.frame) continue;
            ++frames;
            for (int y = c.top; y < c.bottom; ++y) {
                for (int x = c.left; x < c.right; ++x) {
                    const int depth =
                        std::min({x - c.left, y - c.top, c.right - 1 - x, c.bottom - 1 - y});
                    ASSERT_EQ(canvas.covered(x, y), depth < 6)
                        << stem << " " << c.name << " " << x << "," << y;
                }
            }
        }
    }
    EXPECT_EQ(frames, 18);
}

// The music room's sheet is keyed on black: inside its rims no shape may read as
// black, even on a 16-bit screen.
TEST(ExtrasUiPainter, TheBlackKeyedSheetHasNoBlackInsideItsShapes) {
    const PictureEntry& entry = Entry("BGMModeMaterial");
    const ArtCanvas canvas = Painted("BGMModeMaterial");
    for (const SheetCell& c : entry.cells) {
        for (int y = c.top + 2; y < c.bottom - 2; ++y) {
            for (int x = c.left + 2; x < c.right - 2; ++x) {
                const auto color = canvas.color(x, y, 0x000000);
                ASSERT_TRUE(color) << c.name << " " << x << "," << y;
                EXPECT_NE(*color & 0xF8FCF8, 0u) << c.name << " " << x << "," << y;
            }
        }
    }
}

// The screens' backgrounds are whole pictures: nothing of them is transparent.
TEST(ExtrasUiPainter, BackgroundsAreOpaqueEverywhere) {
    for (const char* stem : {"SpecialBack", "BGMModeBack", "CGBack"}) {
        const ArtCanvas canvas = Painted(stem);
        int open = 0;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) open += canvas.alpha(x, y) != 255;
        }
        EXPECT_EQ(open, 0) << stem;
    }
}

// The menu draws its gallery, title and dress room pictures without the key over the
// room: around each lit object the picture is the room itself, pixel for pixel, at the
// place the menu puts it, with no rim to frame it.
TEST(ExtrasUiPainter, TheMenusLitObjectsLieExactlyOverTheRoom) {
    const ArtCanvas back = Painted("SpecialBack");
    const PictureEntry& entry = Entry("SpecialMaterial");
    const ArtCanvas material = Painted("SpecialMaterial");
    const struct {
        const char* cell;
        int x, y;
    } shown[] = {{"ＣＧ・選択", 224, 432}, {"タイトル・決定", 256, 16}, {"ドレス・選択", 124, 367}};
    for (const auto& s : shown) {
        const SheetCell& c = CellNamed(entry, s.cell);
        int same = 0;
        int margin = 0;
        int lit = 0;
        for (int y = c.top; y < c.bottom; ++y) {
            for (int x = c.left; x < c.right; ++x) {
                const int depth =
                    std::min({x - c.left, y - c.top, c.right - 1 - x, c.bottom - 1 - y});
                const bool room =
                    Near(material.pixel(x, y), back.pixel(x - c.left + s.x, y - c.top + s.y));
                margin += depth <= 2;
                same += depth <= 2 && room;
                lit += depth > 2 && !room;
            }
        }
        EXPECT_EQ(same, margin) << s.cell;
        // The object itself is lit.
        EXPECT_GT(lit, 400) << s.cell;
    }
}

// Pictures of other families are left alone.
TEST(ExtrasUiPainter, OtherPicturesAreNotItsOwn) {
    for (const char* stem : {"Logo", "MsgWndMaterial", "DressRoomBack", "Staffroll_BG1"}) {
        const PictureEntry& entry = Entry(stem);
        ArtCanvas canvas(entry.width, entry.height);
        EXPECT_FALSE(mkdemo::ExtrasUiPainter::Paint(canvas, entry)) << stem;
        EXPECT_EQ(canvas.alpha(entry.width / 2, entry.height / 2), 0) << stem;
    }
}
