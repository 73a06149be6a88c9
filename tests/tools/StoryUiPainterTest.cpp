#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "platform/video/BitmapFile.h"
#include "shell/AssetManifest.h"
#include "windows/ConfigControls.h"

namespace {

using mkdemo::ArtCanvas;
using mkdemo::PictureEntry;
using mkdemo::SheetCell;

constexpr std::uint32_t kKey = 0xFF00FF;

const PictureEntry& Entry(const std::string& stem) {
    static const std::vector<PictureEntry> catalog = [] {
        std::string error;
        auto built = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
        EXPECT_TRUE(built) << error;
        return built.value_or(std::vector<PictureEntry>{});
    }();
    for (const PictureEntry& entry : catalog) {
        if (entry.stem == stem) return entry;
    }
    ADD_FAILURE() << "no picture " << stem;
    return catalog.front();
}

// The picture as painted, shared by the tests: painting the large sheets is slow
// under the sanitizers.
const ArtCanvas& Painted(const std::string& stem) {
    static std::map<std::string, std::unique_ptr<ArtCanvas>> painted;
    auto& canvas = painted[stem];
    if (!canvas) {
        const PictureEntry& entry = Entry(stem);
        canvas = std::make_unique<ArtCanvas>(entry.width, entry.height);
        EXPECT_TRUE(mkdemo::PicturePainter::DrawArt(*canvas, entry)) << stem;
    }
    return *canvas;
}

const SheetCell& CellOf(const std::string& stem, const std::string& name) {
    for (const SheetCell& cell : Entry(stem).cells) {
        if (cell.name == name) return cell;
    }
    ADD_FAILURE() << stem << " has no cell " << name;
    return Entry(stem).cells.front();
}

// Everything the bitmap shows of a cell, the key as the key colour.
std::vector<std::uint32_t> Shown(const ArtCanvas& canvas, const SheetCell& cell) {
    std::vector<std::uint32_t> shown;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x)
            shown.push_back(canvas.color(x, y, kKey).value_or(kKey));
    }
    return shown;
}

}  // namespace

// The level bands are cut a level at a time: every level's slice shows a whole rim.
TEST(StoryUiPainter, EveryLevelSliceOfTheSettingsBandsIsRimmed) {
    const ArtCanvas& canvas = Painted("ConfigMaterial");
    int slices = 0;
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        if (control.kind != CONFIG_KIND::Level) continue;
        for (const platform::Rect& rc : control.rcLook) {
            ++slices;
            std::uint32_t band = 0;
            const auto& cells = Entry("ConfigMaterial").cells;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (cells[i].left <= rc.left && rc.right <= cells[i].right &&
                    cells[i].top <= rc.top && rc.bottom <= cells[i].bottom) {
                    band = mkdemo::ArtStyle::RimColor(i);
                }
            }
            for (const auto& [x, y] : {std::pair{rc.left + 2, rc.top + 2},
                                       {rc.right - 3, rc.top + 2},
                                       {rc.left + 2, rc.bottom - 3},
                                       {rc.right - 3, rc.bottom - 3}}) {
                EXPECT_EQ(canvas.pixel(x, y), band) << x << "," << y;
            }
            EXPECT_EQ(canvas.alpha(rc.right - 3, rc.top + 2), 255) << rc.left << "," << rc.top;
        }
    }
    EXPECT_EQ(slices, 90);
}

// A button's looks must tell apart at a glance: each pair differs inside the rim.
TEST(StoryUiPainter, TheLooksOfEveryButtonDiffer) {
    const struct {
        const char* stem;
        std::vector<std::string> looks;
    } groups[] = {
        {"MsgWndMaterial", {"skip", "skip on", "skip off"}},
        {"MsgWndMaterial", {"auto", "auto on", "auto off"}},
        {"MsgWndMaterial", {"voice", "voice on", "voice off"}},
        {"MsgWndMaterial", {"back", "back on", "back off"}},
        {"MsgWndMaterial", {"forward", "forward on", "forward off"}},
        {"MsgWndMaterial", {"hide", "hide on", "hide off"}},
        {"MsgWndMaterial", {"wait 0", "wait 1", "wait 2", "wait 3", "wait 4", "wait 5"}},
        {"MsgWndMaterial",
         {"skip hover", "auto hover", "voice hover", "back hover", "forward hover", "hide hover"}},
        {"SlcWndMaterial", {"plate", "glow 0", "glow 1", "glow 2", "glow 3", "glow 4"}},
        {"ConfigMaterial", {"slow-h", "slow-s"}},
        {"ConfigMaterial", {"high-h", "high-s"}},
        {"ConfigMaterial", {"music-level-h", "music-level-s", "music-level-off"}},
        {"ConfigMaterial", {"ok-n", "ok-p"}},
        {"ConfigMaterial", {"title-n", "title-p"}},
        {"SaveWindowMaterial", {"close-n", "close-h", "close-p"}},
        {"TtlMaterial_Surf", {"はじめから", "はじめから・選択", "はじめから・決定"}},
        {"TtlMaterial_Tex", {"終了", "終了・選択", "終了・決定"}},
    };
    for (const auto& g : groups) {
        std::set<std::vector<std::uint32_t>> seen;
        for (const std::string& look : g.looks) {
            const SheetCell& cell = CellOf(g.stem, look);
            // Only the inside counts: the rims differ by design.
            const SheetCell inside{"", cell.left + 4, cell.top + 4, cell.right - 4,
                                   cell.bottom - 4};
            EXPECT_TRUE(seen.insert(Shown(Painted(g.stem), inside)).second)
                << g.stem << " " << look;
        }
    }
}

// Beyond the icon, a button's very fill tells its state: resting, on, unavailable.
TEST(StoryUiPainter, ButtonFillsFollowTheirState) {
    const ArtCanvas& canvas = Painted("MsgWndMaterial");
    const auto fill = [&](const std::string& name) {
        const SheetCell& c = CellOf("MsgWndMaterial", name);
        return canvas.pixel(c.left + 4, (c.top + c.bottom) / 2);
    };
    for (const char* button : {"skip", "auto", "voice", "back", "forward", "hide"}) {
        const std::string b = button;
        EXPECT_NE(fill(b), fill(b + " on")) << b;
        EXPECT_NE(fill(b), fill(b + " off")) << b;
        EXPECT_NE(fill(b + " on"), fill(b + " off")) << b;
    }
}

// The title draws the moon's frames without the key over its menu back: no frame
// holds the key, each is the back as the engine shows it along its edges, and the
// moon rises into the first frames until it stands whole, its halo growing after.
TEST(StoryUiPainter, TheMoonRisesOverTheMenuBackThroughItsFrames) {
    const ArtCanvas& canvas = Painted("TitleMoonMaterial");
    const auto& cells = Entry("TitleMoonMaterial").cells;
    ASSERT_EQ(cells.size(), 40u);
    const std::string bytes = mkdemo::PicturePainter::BitmapOf(Entry("TitleBack3"));
    const auto back = platform::BitmapFile::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(back);
    const auto behind = [&](int x, int y) { return back->pixel(384 + x, y) & 0xFFFFFF; };
    for (std::size_t f = 0; f < cells.size(); ++f) {
        const SheetCell& c = cells[f];
        int edge = 0;
        int seams = 0;
        for (int y = c.top; y < c.bottom; ++y) {
            for (int x = c.left; x < c.right; ++x) {
                ASSERT_TRUE(canvas.color(x, y, kKey)) << f << " " << x << "," << y;
                if (x > c.left && x < c.right - 1 && y > c.top && y < c.bottom - 1) continue;
                ++edge;
                seams += canvas.pixel(x, y) != behind(x - c.left, y - c.top);
            }
        }
        EXPECT_EQ(seams, 0) << "frame " << f << " of " << edge;
    }
    const auto at = [&](std::size_t f, int x, int y) {
        return canvas.pixel(cells[f].left + x, cells[f].top + y);
    };
    EXPECT_EQ(at(0, 44, 36), behind(44, 36)) << "frame 0 is the night alone";
    EXPECT_GT(at(10, 44, 36) & 0xFF, behind(44, 36) & 0xFF) << "the moon rising";
    EXPECT_GT(at(39, 44, 36) & 0xFF, at(10, 44, 36) & 0xFF) << "the moon stands";
    EXPECT_NE(Shown(canvas, cells[20]), Shown(canvas, cells[39])) << "its halo grows";
}

// The bar draws a pointed-at button from a 64 x 26 area starting 17 pixels left of
// it: the look fills only the button's own place there, the size of its other
// looks, and lets its neighbours show through the key around it.
TEST(StoryUiPainter, ThePointedAtButtonCoversOnlyItsOwnPlace) {
    const std::string bytes = mkdemo::PicturePainter::BitmapOf(Entry("MsgWndMaterial"));
    const auto sheet = platform::BitmapFile::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(sheet);
    const char* const buttons[] = {"skip", "auto", "voice", "back", "forward", "hide"};
    for (int k = 0; k < 6; ++k) {
        const std::string name = buttons[k];
        const SheetCell& hover = CellOf("MsgWndMaterial", name + " hover");
        for (const char* look : {"", " on", " off"}) {
            const SheetCell& other = CellOf("MsgWndMaterial", name + look);
            EXPECT_EQ(hover.right - hover.left, other.right - other.left) << name << look;
            EXPECT_EQ(hover.bottom - hover.top, other.bottom - other.top) << name << look;
        }
        const int left = 796 + 64 * k;
        EXPECT_EQ(hover.left, left + 17) << name;
        EXPECT_EQ(hover.top, 122) << name;
        int shown = 0;
        for (int y = 122; y < 148; ++y) {
            for (int x = left; x < left + 64; ++x) {
                const bool inside = x >= hover.left && x < hover.right && y < hover.bottom;
                const bool keyed = (sheet->pixel(x, y) & 0xFFFFFF) == kKey;
                shown += inside && !keyed;
                if (!inside) {
                    EXPECT_TRUE(keyed) << name << " " << x << "," << y;
                }
            }
        }
        EXPECT_GT(shown, 28 * 20) << name;
    }
}

// The panel shows every option at rest where the screen lays that option's pictures:
// light label strokes inside each place.
TEST(StoryUiPainter, TheSettingsPanelShowsEachOptionWhereItsPicturesGo) {
    const ArtCanvas& canvas = Painted("ConfigMaterial");
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        if (control.kind != CONFIG_KIND::Option && control.kind != CONFIG_KIND::EffectSwitch &&
            control.kind != CONFIG_KIND::HighColour) {
            continue;
        }
        const platform::Rect& look = control.rcLook[CONFIG_LOOK_HOVER];
        int light = 0;
        for (int y = control.nDrawY + 4; y < control.nDrawY + 20; ++y) {
            for (int x = control.nDrawX + 4; x < control.nDrawX + look.right - look.left - 4; ++x) {
                light += (canvas.pixel(x, y) & 0xFF) > 0x90 ? 1 : 0;
            }
        }
        EXPECT_GT(light, 10) << control.nId;
    }
}

// The engine writes the lines over the message panel's text area: nothing bright
// there to fight them.
TEST(StoryUiPainter, TheMessagePanelLeavesItsTextAreaCalm) {
    const ArtCanvas& canvas = Painted("MsgWndMaterial");
    for (int y = 39; y < 140; ++y) {
        for (int x = 18; x < 782; ++x) {
            const std::uint32_t p = canvas.pixel(x, y);
            ASSERT_LT(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF), 3u * 0x60)
                << x << "," << y;
        }
    }
}
