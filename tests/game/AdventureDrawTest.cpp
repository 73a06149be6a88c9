#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/BitmapWriter.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "shell/AssetManifest.h"
#include "support/SpriteKit.h"
#include "support/WindowTestBench.h"

namespace {

using platform::Rect;
using zktest::ScriptKit;
using zktest::WindowTestBench;
using Lines = std::vector<std::string>;

// Surface slots of the test pictures; texture slot 0 is the overlay's.
enum : int {
    kScreen = 40,  // 800 x 600 of kBelow
    kBg2 = 41,
    kBg1 = 42,  // its left 10 columns are the key colour
    kPrim2 = 43,
    kPrim1 = 44,
    kRow1 = 45,
    kRow0 = 46,
    kSheet = 47,   // two 20 x 20 frames; frame 0's right half is the key colour
    kCoords = 48,  // 100 x 60 coordinate picture
    kUnloaded = 49,
    kTall = 50,  // 10 x 700, reaching below the screen
};
constexpr int kOverlay = 0;
constexpr int kTexSheet = 1;  // frame 0 green, frame 1 red

constexpr std::uint32_t kBlack = 0x000000, kKey = 0xFF00FF, kBelow = 0x102030;
constexpr std::uint32_t kStair[] = {0x200000, 0x400000, 0x600000, 0x800000, 0xA00000, 0xC00000};
constexpr std::uint32_t kSheet0 = 0x3060C0, kSheet1 = 0x60C030;
constexpr std::uint32_t kGreen = 0x00FF00, kRed = 0xFF0000;
constexpr std::uint32_t kCells[] = {0x112233, 0x445566, 0x778899};
constexpr const char* kFailed = "Error: <GAMEMAIN::ADVDrawProc> 描画に失敗しました";

// The draw's colours are COLORREFs: red in the low byte.
platform::ColorRef Ref(std::uint32_t xrgb) {
    return (xrgb & 0xFF) << 16 | (xrgb & 0xFF00) | (xrgb >> 16 & 0xFF);
}

std::string Bitmap(int width, int height, const std::vector<std::uint32_t>& pixels) {
    return zktools::BitmapBytes(zktools::BitmapForm::Rgb24, width, height, pixels);
}

// w x h of colour, with the columns [keyFrom, keyTo) of the key colour.
std::string Picture(int width, int height, std::uint32_t xrgb, int keyFrom = 0, int keyTo = 0) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), xrgb);
    for (int y = 0; y < height; ++y) {
        for (int x = keyFrom; x < keyTo; ++x)
            pixels[static_cast<std::size_t>(y * width + x)] = kKey;
    }
    return Bitmap(width, height, pixels);
}

// Two frames side by side: 20 x 20 of first (with its right half keyed), then second.
std::string Sheet(std::uint32_t first, std::uint32_t second, bool keyed) {
    std::vector<std::uint32_t> pixels(40 * 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::uint32_t c = x >= 20 ? second : (keyed && x >= 10) ? kKey : first;
            pixels[static_cast<std::size_t>(y * 40 + x)] = c;
        }
    }
    return Bitmap(40, 20, pixels);
}

struct Probe {
    int x, y;
    std::uint32_t color;
};

struct AdventureDraw : ::testing::Test {
    WindowTestBench bench;
    GAMEMAIN& g = bench.game();
    ZKSPRITE* sprite = bench.sprite;

    void SetUp() override {
        auto members = WindowTestBench::Materials();
        const auto surface = [&](int slot, std::string bytes) {
            members.emplace_back(ScriptKit::SurfaceName(slot), std::move(bytes));
        };
        surface(kScreen, Picture(800, 600, kBelow));
        surface(kBg2, Picture(200, 40, kStair[0]));
        surface(kBg1, Picture(200, 40, kStair[1], 0, 10));
        for (int i = 2; i < 6; ++i) surface(kPrim2 + i - 2, Picture(200, 40, kStair[i]));
        surface(kSheet, Sheet(kSheet0, kSheet1, true));
        surface(kCoords, Bitmap(100, 60, zktest::CoordPicture(100, 60)));
        surface(kUnloaded, Picture(8, 8, kKey));
        surface(kTall, Picture(10, 700, kKey));
        const auto& textures = AssetManifest::Instance().TextureNames();
        members.emplace_back(textures[kOverlay], Picture(100, 100, 0xFFFFFF));
        members.emplace_back(textures[kTexSheet], Sheet(kGreen, kRed, false));
        ScriptKit::WriteArchive("dat/Img.dat", members);
        for (int slot = kScreen; slot <= kTall; ++slot) {
            if (slot == kUnloaded) continue;
            ASSERT_EQ(SurfaceLoad(sprite, bench.sys, slot, 1, Ref(kKey)), 1) << slot;
        }
        for (const int slot : {kOverlay, kTexSheet}) {
            ASSERT_EQ(TextureLoad(sprite, bench.sys, slot, 0, 0xFFFFFFFFu), 1) << slot;
        }
        bench.kit.clearLog();
    }

    const std::vector<std::uint32_t>& draw() {
        return bench.drawFrame([&] { EXPECT_EQ(g.ADVDrawProc(), 1u); });
    }
    void expect(const std::vector<Probe>& probes, const std::string& what) {
        const auto& frame = draw();
        for (const Probe& p : probes) {
            EXPECT_EQ(WindowTestBench::At(frame, p.x, p.y), p.color)
                << what << " at " << p.x << ", " << p.y;
        }
    }
    void show(GRAPHIC_DATA& layer, int slot, int x, int y, std::uint32_t key = 1) {
        layer.Initialize(sprite, bench.sys);
        layer.nIndex = slot;
        layer.nGKind = 1;
        layer.nDispFlg = 1;
        layer.nX = x;
        layer.nY = y;
        layer.dwFlag = key;
    }
    // A shown picture layer cut into frames, at (x, y).
    static void frames(GRAPHIC_DATA_EX& layer, std::uint32_t kind, int slot,
                       const std::vector<Rect>& rects, std::uint32_t key, std::uint32_t cross,
                       int x, int y) {
        layer.Set(kind, slot, static_cast<std::uint32_t>(rects.size()), 0, key, 0, cross);
        for (std::size_t i = 0; i < rects.size(); ++i) {
            EXPECT_EQ(layer.AnimationSet(static_cast<std::int32_t>(i), 100, &rects[i], 65535), 1u);
        }
        layer.nDispFlg = 1;
        layer.nX = x;
        layer.nY = y;
    }
    // Characters of one 200 x 40 body each, row r's body in slot bodies[r].
    void characters(const std::vector<std::pair<int, int>>& at, const std::vector<int>& bodies) {
        g.nCharNum = static_cast<std::int32_t>(bodies.size());
        g.pCharData = std::make_unique<ZKCHAR[]>(bodies.size());
        for (std::size_t r = 0; r < bodies.size(); ++r) {
            ZKCHAR& c = g.pCharData[r];
            const std::string id = "C" + std::to_string(r);
            ASSERT_EQ(c.CreateCharData(sprite, bench.snd, bench.sys, id.c_str(), 1, 1), 1);
            ASSERT_EQ(c.SetBodyData(0, 0, 0, 0, 0, "body", bodies[r], -1), 1);
            ASSERT_EQ(c.FadeIn(at[r].first, at[r].second, -1, 0, 0, 0), 0);
        }
    }
    int failures() const {
        const Lines lines = bench.lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), kFailed));
    }
};

// Each part of the scene starts 20 pixels right of the one before and reaches past
// all that follow, so each probe finds the topmost part there.
TEST_F(AdventureDraw, ThePartsOfTheSceneStackInTheirOrder) {
    show(g.BGGraphData2, kBg2, 0, 100);
    show(g.BGGraphData1, kBg1, 20, 100);
    frames(g.PRIM2, 1, kPrim2, {{0, 0, 200, 40}}, 1, 0, 40, 100);
    frames(g.PRIM1, 1, kPrim1, {{0, 0, 200, 40}}, 1, 0, 60, 100);
    characters({{100, 100}, {80, 100}}, {kRow0, kRow1});
    expect({{10, 120, kStair[0]},
            {25, 120, kStair[0]},  // layer 1's keyed columns show layer 2
            {35, 120, kStair[1]},
            {50, 120, kStair[2]},
            {70, 120, kStair[3]},
            {90, 120, kStair[4]},  // the last row under the first
            {110, 120, kStair[5]},
            {299, 120, kStair[5]},
            {300, 120, kBlack},
            {110, 99, kBlack}},
           "all shown");

    g.BGGraphData1.dwFlag = 0;
    g.BGGraphData2.nDispFlg = 0;
    g.PRIM2.nDispFlg = 0;
    g.pCharData[1].nDispFlg = 0;
    expect({{10, 120, kBlack},
            {25, 120, kKey},
            {50, 120, kStair[1]},
            {70, 120, kStair[3]},
            {90, 120, kStair[3]},
            {110, 120, kStair[5]}},
           "some hidden, layer 1 unkeyed");
    EXPECT_EQ(bench.lines(), Lines{});
}

// The strips cut layer 1 in place, each rectangle held to the picture; the layer's
// position is not theirs.
TEST_F(AdventureDraw, StripsShowTheirPartOfLayer1InPlace) {
    using zktest::CoordColor;
    show(g.BGGraphData1, kCoords, 300, 300, 0);
    CLIPPING_DATA& clip = g.ClippingData;
    const std::vector<Rect> strips = {
        {-10, -10, 20, 20}, {90, 50, 130, 80}, {150, 0, 200, 10}, {30, 30, 30, 40}, {40, 5, 50, 6}};
    clip.nClipNum = static_cast<std::int32_t>(strips.size());
    clip.prcClip = std::make_unique<Rect[]>(strips.size());
    std::copy(strips.begin(), strips.end(), clip.prcClip.get());
    expect({{0, 0, CoordColor(0, 0)},
            {19, 19, CoordColor(19, 19)},
            {20, 19, kBlack},
            {19, 20, kBlack},
            {90, 50, CoordColor(90, 50)},
            {99, 59, CoordColor(99, 59)},
            {100, 59, kBlack},
            {99, 60, kBlack},
            {89, 55, kBlack},
            {45, 5, CoordColor(45, 5)},
            {45, 6, kBlack},
            {30, 35, kBlack},
            {305, 305, kBlack}},
           "strips");

    clip.nClipNum = 0;
    expect({{0, 0, kBlack}, {300, 300, CoordColor(0, 0)}, {399, 359, CoordColor(99, 59)}},
           "no strips");
    // A strip wholly below the screen draws nothing and is no failure.
    show(g.BGGraphData1, kTall, 0, 0, 0);
    clip.nClipNum = 1;
    clip.prcClip[0] = {0, 650, 10, 700};
    expect({{5, 599, kBlack}}, "off the screen");
    EXPECT_EQ(bench.lines(), Lines{});
}

// The cells fill exactly the count the arrays hold, only when they changed, and
// cover the picture layers and characters.
TEST_F(AdventureDraw, TheMosaicFillsItsCountedCellsWhenTheyChange) {
    ASSERT_EQ(SurfaceLoad(sprite, bench.sys, 0, 0, 0), 1);
    show(g.BGGraphData2, kScreen, 0, 0);
    frames(g.PRIM1, 1, kPrim1, {{0, 0, 200, 40}}, 1, 0, 0, 0);
    characters({{0, 20}}, {kRow0});
    g.prcMosaic = std::make_unique<Rect[]>(3);
    g.pdwMosaicColor = std::make_unique<platform::ColorRef[]>(3);
    for (int i = 0; i < 3; ++i) {
        g.prcMosaic[i] = {10 * i, 0, 10 * i + 10, 10};
        g.pdwMosaicColor[i] = Ref(kCells[i]);
    }
    // A cell size of 0 once divided; the count is the arrays' own.
    g.dwMosaicSize = 0;
    g.nMosaicCellNum = 2;
    g.nMosaicDispFlg = 1;
    g.nMosaicChangeFlg = 1;
    const std::vector<Probe> first = {{5, 5, kCells[0]},
                                      {15, 5, kCells[1]},
                                      {25, 5, kBlack},
                                      {5, 30, kBlack},
                                      {300, 300, kBlack}};
    expect(first, "first fill");
    EXPECT_EQ(g.nMosaicChangeFlg, 0u);

    g.pdwMosaicColor[0] = Ref(kCells[2]);
    expect(first, "unchanged cells are not filled again");
    g.nMosaicChangeFlg = 1;
    expect({{5, 5, kCells[2]}, {15, 5, kCells[1]}}, "changed");

    // A count with either array missing fills nothing.
    g.nMosaicCellNum = 3;
    g.pdwMosaicColor.reset();
    g.nMosaicChangeFlg = 1;
    expect({{5, 5, kCells[2]}}, "no colours");
    g.prcMosaic.reset();
    g.pdwMosaicColor = std::make_unique<platform::ColorRef[]>(3);
    g.nMosaicChangeFlg = 1;
    expect({{5, 5, kCells[2]}}, "no rectangles");
    EXPECT_EQ(g.nMosaicChangeFlg, 0u);
    EXPECT_EQ(bench.lines(), Lines{});

    g.BGDataClear();
    EXPECT_EQ(g.nMosaicCellNum, 0u);
    expect({{5, 5, kStair[3]}, {5, 30, kStair[5]}, {300, 300, kBlack}}, "mosaic gone");
}

TEST_F(AdventureDraw, PictureLayersDrawTheirFramesOrNothing) {
    show(g.BGGraphData2, kScreen, 0, 0);
    struct LayerCase {
        const char* name;
        std::uint32_t kind;  // 1 surface, 0 texture
        std::uint32_t key;
        std::uint32_t count;  // frames of the layer's table
        std::uint32_t current, next;
        std::uint32_t cross;
        std::int32_t alpha;
        float scale;
        std::int32_t slot;
        std::vector<Probe> probes;
    };
    const Rect sheet[] = {{0, 0, 20, 20}, {20, 0, 40, 20}};
    const std::int32_t s = kSheet, t = kTexSheet;
    const LayerCase cases[] = {
        {"keyed surface",
         1,
         1,
         2,
         0,
         0,
         0,
         255,
         0,
         s,
         {{205, 305, kSheet0}, {215, 305, kBelow}, {221, 305, kBelow}, {199, 305, kBelow}}},
        {"unkeyed surface", 1, 0, 2, 0, 0, 0, 255, 0, s, {{205, 305, kSheet0}, {215, 305, kKey}}},
        {"second frame",
         1,
         1,
         2,
         1,
         0,
         0,
         255,
         0,
         s,
         {{205, 305, kSheet1}, {219, 319, kSheet1}, {220, 305, kBelow}, {205, 320, kBelow}}},
        {"sprite, scale 0",
         0,
         0,
         2,
         1,
         0,
         0,
         255,
         0.0f,
         t,
         {{200, 300, kRed}, {219, 319, kRed}, {220, 305, kBelow}, {205, 320, kBelow}}},
        {"sprite, scale 2",
         0,
         0,
         2,
         0,
         0,
         0,
         255,
         2.0f,
         t,
         {{200, 300, kGreen}, {235, 335, kGreen}, {241, 305, kBelow}, {205, 341, kBelow}}},
        // Next frame x 191/255 plus current x 64/255, added to what lies below.
        {"cross-fade at 64",
         0,
         0,
         2,
         0,
         1,
         1,
         64,
         0,
         t,
         {{205, 305, 0xCF6030}, {219, 319, 0xCF6030}, {220, 305, kBelow}}},
        {"cross-fade above 255", 0, 0, 2, 0, 1, 1, 300, 0, t, {{205, 305, 0x10FF30}}},
        {"cross-fade below 0", 0, 0, 2, 0, 1, 1, INT32_MIN, 0, t, {{205, 305, 0xFF2030}}},
        {"cross-fade, next outside", 0, 0, 2, 0, 5, 1, 64, 0, t, {{205, 305, 0x106030}}},
        {"cross-fade, current outside", 0, 0, 2, 7, 1, 1, 64, 0, t, {{205, 305, 0xCF2030}}},
        {"no frames, surface", 1, 1, 0, 0, 0, 0, 255, 0, s, {{205, 305, kBelow}}},
        {"no frames, sprite", 0, 0, 0, 0, 0, 0, 255, 0, t, {{205, 305, kBelow}}},
        {"no frames, cross-fade", 0, 0, 0, 0, 0, 1, 64, 0, t, {{205, 305, kBelow}}},
        {"frame outside, surface", 1, 1, 2, 2, 0, 0, 255, 0, s, {{205, 305, kBelow}}},
        {"frame outside, sprite", 0, 0, 2, 2, 0, 0, 255, 0, t, {{205, 305, kBelow}}},
        {"no slot", 1, 1, 2, 0, 0, 0, 255, 0, -1, {{205, 305, kBelow}}},
    };
    for (const LayerCase& c : cases) {
        frames(g.PRIM1, c.kind, c.slot, {sheet, sheet + c.count}, c.key, c.cross, 200, 300);
        g.PRIM1.AnimData.nAnimNo = c.current;
        g.PRIM1.nNextAnim = c.next;
        g.PRIM1.nCrossAlpha = c.alpha;
        g.PRIM1.fScaleX = c.scale;
        g.PRIM1.fScaleY = 0.0f;
        expect(c.probes, c.name);
        EXPECT_EQ(bench.lines(), Lines{}) << c.name;
    }

    g.PRIM1.nDispFlg = 0;
    frames(g.PRIM2, 1, kSheet, {sheet[1]}, 1, 0, 210, 300);
    expect({{205, 305, kBelow}, {215, 305, kSheet1}}, "layer 2 alone");
    frames(g.PRIM1, 1, kSheet, {sheet[0]}, 0, 0, 200, 300);
    expect({{205, 305, kSheet0}, {215, 305, kKey}, {225, 305, kSheet1}}, "layer 1 over layer 2");
}

TEST_F(AdventureDraw, WindowsWhileShownAndTheOverlayOverAll) {
    show(g.BGGraphData2, kScreen, 0, 0);
    ASSERT_EQ(g.MsgWindowData.Initialize(bench.context), 1u);
    ASSERT_EQ(g.MsgWindowData.WindowOpen(0), 1);
    ASSERT_EQ(g.SelectWindowData.Initialize(1, bench.context), 1u);
    for (int k = 0; g.SelectWindowData.AppSelectWindowProc(WindowTestBench::Time(k), 100) == 0;) {
        ++k;
    }
    const std::uint32_t panel = WindowTestBench::CellColor("MsgWndMaterial", "panel");
    const std::uint32_t plate = WindowTestBench::CellColor("SlcWndMaterial", "plate");
    expect({{20, 456, kBelow}, {270, 270, kBelow}}, "hidden");
    g.nMsgWndDispFlg = 1;
    expect({{20, 456, panel}, {270, 270, plate}}, "shown");

    // White at alpha 0.5: (255 x 128 + below x 127 + 127) / 255 in each channel.
    const auto half = [](std::uint32_t below) {
        std::uint32_t out = 0;
        for (const int shift : {16, 8, 0}) {
            out |= (255 * 128 + (below >> shift & 0xFF) * 127 + 127) / 255 << shift;
        }
        return out;
    };
    GRAPHIC_DATA& fade = g.FadeGraphData;
    fade.Initialize(sprite, bench.sys);
    fade.nIndex = kOverlay;
    fade.nGKind = 0;
    fade.nX = 10;
    fade.nY = 420;
    fade.fScaleX = 2.0f;
    fade.fScaleY = 1.0f;
    fade.fAlpha = 0.5f;
    expect({{20, 456, panel}}, "overlay not shown");
    fade.nDispFlg = 1;
    expect({{20, 456, half(panel)},
            {10, 410, kBelow},
            {209, 519, half(panel)},
            {210, 456, panel},
            {20, 520, panel}},
           "overlay over the window");
    fade.nY = 0;
    expect({{15, 5, 0x889098}, {15, 100, kBelow}}, "overlay over the background");
    EXPECT_EQ(bench.lines(), Lines{});
}

// A failing call is logged once, and again only after it has drawn in between.
TEST_F(AdventureDraw, AFailingDrawIsLoggedOnceWhileItKeepsFailing) {
    show(g.BGGraphData1, kUnloaded, 0, 0);
    frames(g.PRIM2, 0, 5, {{0, 0, 4, 4}}, 0, 0, 0, 0);          // texture 5 is not loaded
    frames(g.PRIM1, 0, kTexSheet, {{0, 0, 4, 4}}, 0, 0, 0, 0);  // drawn by the same call
    g.FadeGraphData.Initialize(sprite, bench.sys);
    g.FadeGraphData.nIndex = 6;
    g.FadeGraphData.nGKind = 0;
    g.FadeGraphData.nDispFlg = 1;
    for (int frame = 0; frame < 3; ++frame) draw();
    EXPECT_EQ(failures(), 3);

    g.BGGraphData1.nIndex = kScreen;
    draw();
    g.BGGraphData1.nIndex = kUnloaded;
    draw();
    draw();
    EXPECT_EQ(failures(), 4);

    // A mosaic without its work surface: the fill once, the surface's blit once.
    bench.kit.clearLog();
    g.BGGraphData1.nDispFlg = 0;
    g.FadeGraphData.nDispFlg = 0;
    g.prcMosaic = std::make_unique<Rect[]>(2);
    g.pdwMosaicColor = std::make_unique<platform::ColorRef[]>(2);
    g.nMosaicCellNum = 2;
    g.nMosaicDispFlg = 1;
    g.nMosaicChangeFlg = 1;
    draw();
    g.nMosaicChangeFlg = 1;
    draw();
    EXPECT_EQ(failures(), 2);
}

}  // namespace
