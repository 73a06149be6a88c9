#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "mkdemo/ArtCanvas.h"
#include "mkdemo/ArtStyle.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
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

// The moon's frames are free shapes on the key: edges and corners keyed, nothing in
// between the key and the moon's own pale colours, and the moon rising until it
// stands whole.
TEST(StoryUiPainter, TheMoonRisesCleanlyKeyedThroughItsFrames) {
    const ArtCanvas& canvas = Painted("TitleMoonMaterial");
    const auto& cells = Entry("TitleMoonMaterial").cells;
    ASSERT_EQ(cells.size(), 40u);
    int lastTop = 1000;
    for (std::size_t f = 0; f < cells.size(); ++f) {
        const SheetCell& c = cells[f];
        int top = 1000;
        for (int y = c.top; y < c.bottom; ++y) {
            for (int x = c.left; x < c.right; ++x) {
                const auto color = canvas.color(x, y, kKey);
                const bool edge =
                    x < c.left + 2 || x >= c.right - 2 || y < c.top + 2 || y >= c.bottom - 2;
                if (edge) {
                    EXPECT_FALSE(color) << f << " " << x << "," << y;
                }
                if (!color) continue;
                top = std::min(top, y - c.top);
                // Pale blues and whites only: green well above a keyed pixel's.
                EXPECT_GE((*color >> 8) & 0xFF, 0x80u) << f << " " << x << "," << y;
            }
        }
        if (f <= 20) {
            EXPECT_LE(top, lastTop) << "frame " << f;
        }
        lastTop = top;
    }
    EXPECT_FALSE(canvas.color(cells[0].left + 44, cells[0].top + 36, kKey)) << "frame 0 is dark";
    EXPECT_TRUE(canvas.color(cells[39].left + 44, cells[39].top + 36, kKey)) << "the moon stands";
    EXPECT_NE(Shown(canvas, cells[20]), Shown(canvas, cells[39])) << "its halo grows";
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
