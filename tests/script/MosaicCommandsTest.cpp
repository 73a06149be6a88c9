#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "script/MosaicGrid.h"
#include "support/ScriptBench.h"

namespace {

using zktest::ScriptBench;
using Lines = std::vector<std::string>;

constexpr std::uint32_t kTenHours = 10u * 3600u * 1000u;

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

std::uint32_t Menus(const GAMEMAIN& g) {
    return g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg;
}

std::uint32_t Cells(std::uint32_t dwSize) { return MosaicGrid(dwSize, 800, 600).Cells(); }

TEST(MosaicGrid, ClampGridAndSizeOverTime) {
    EXPECT_EQ(MosaicGrid::ClampWord(8), 16u);
    EXPECT_EQ(MosaicGrid::ClampWord(900), 800u);
    EXPECT_EQ(MosaicGrid::ClampWord(-1), 800u);
    EXPECT_EQ(MosaicGrid::ClampWord(-5), 800u);
    const MosaicGrid large(800, 800, 600);
    EXPECT_EQ(std::pair(large.nCols, large.nRows), std::pair(2u, 1u));
    EXPECT_EQ(large.Cell(1), (platform::Rect{800, 0, 1600, 800}));
    const MosaicGrid small(16, 800, 600);
    EXPECT_EQ(std::pair(small.nCols, small.nRows), std::pair(51u, 38u));
    EXPECT_EQ(small.Cell(52), (platform::Rect{16, 16, 32, 32}));
    EXPECT_EQ(MosaicGrid(8, 800, 600).dwSize, 16u);

    const struct {
        std::uint32_t start, end, duration, elapsed;
        bool expand;
        std::uint32_t size;
    } cases[] = {
        // 480 ms over 48 pixels: one pixel every 10 ms.
        {16, 64, 480, 0, true, 16},
        {16, 64, 480, 99, true, 25},
        {16, 64, 480, 480, true, 64},
        {16, 64, 480, kTenHours, true, 64},
        {64, 16, 480, 99, false, 55},
        {64, 16, 480, 480, false, 16},
        {64, 16, 480, kTenHours, false, 16},
        {800, 16, 10, 0xFFFFFFFFu, false, 16},
        // Durations 0 and shorter than the difference move a pixel per millisecond.
        {16, 64, 0, 5, true, 21},
        {16, 64, 20, 47, true, 63},
        {64, 16, 0, 5, false, 59},
        {64, 16, 47, 1000, false, 16},
        // One pixel apart: the size moves once the whole duration has passed.
        {16, 17, 100, 99, true, 16},
        {16, 17, 100, 100, true, 17},
        {17, 16, 100, 99, false, 17},
        {17, 16, 100, 100, false, 16},
        // A start already past its end is at its end.
        {64, 16, 100, 0, true, 16},
        {16, 16, 100, 0, false, 16},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MosaicGrid::SizeAt(c.start, c.end, c.duration, c.elapsed, c.expand), c.size)
            << c.start << " " << c.end << " " << c.duration << " " << c.elapsed;
    }
}

// Both directions end exactly at their end size, on the frame they are called however
// late it is, with the end read as the start is.
TEST(MosaicCommands, TheSizeEndsAtItsEndHoweverLateTheFrame) {
    const struct {
        std::string line;
        std::uint32_t start;  // the clamped start, written back into argument 0
        std::uint32_t end;
    } cases[] = {
        {"#MosaicExpansion 16 64 0", 16, 64},     {"#MosaicExpansion 16 64 20", 16, 64},
        {"#MosaicExpansion 8 900 100", 16, 800},  {"#MosaicExpansion 16 -5 1000", 16, 800},
        {"#MosaicReduction 64 16 0", 64, 16},     {"#MosaicReduction 800 16 5", 800, 16},
        {"#MosaicReduction -1 20 1000", 800, 20},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        GAMEMAIN& g = b.game();
        ASSERT_TRUE(b.open({u8"// c", U8(c.line)}));
        b.frame();  // the header line
        b.frame();
        const SCR_CMD_DATA& cmd = g.ScrFileData.Cmd[0];
        EXPECT_EQ(std::string(cmd.szArg[0]), std::to_string(c.start)) << c.line;
        EXPECT_EQ(cmd.nWaitFlg, 1u) << c.line;
        EXPECT_EQ(g.dwMosaicSize, c.start) << c.line;
        EXPECT_EQ(g.nMosaicCellNum, Cells(c.start)) << c.line;
        EXPECT_EQ(g.nMosaicDispFlg, 1u) << c.line;
        EXPECT_EQ(Menus(g), 0u) << c.line;
        g.nMosaicChangeFlg = 0;
        b.kit().clock().advance(kTenHours);
        b.frame();  // the game's time is sampled a frame behind the clock
        b.frame();
        EXPECT_TRUE(cmd.IsFree()) << c.line;
        EXPECT_EQ(g.dwMosaicSize, c.end) << c.line;
        EXPECT_EQ(g.nMosaicCellNum, Cells(c.end)) << c.line;
        EXPECT_EQ(g.nMosaicChangeFlg, 1u) << c.line;
        EXPECT_EQ(b.lines(), Lines{}) << c.line;
    }
}

// A mosaic already at or past its end stands from the first call; a negative
// duration is refused before anything changes.
TEST(MosaicCommands, AtItsEndAtOnceAndNegativeDurationsRefused) {
    const struct {
        std::string line;
        std::int32_t result;
        std::uint32_t size;
    } cases[] = {
        {"#MosaicExpansion 16 16 1000", 0, 16}, {"#MosaicExpansion 800 16 1000", 0, 800},
        {"#MosaicReduction 16 64 1000", 0, 16}, {"#MosaicReduction 64 64 1000", 0, 64},
        {"#MosaicExpansion 16 64 -1", -1, 0},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        GAMEMAIN& g = b.game();
        ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", U8(c.line)}));
        b.frame();  // the header line
        EXPECT_EQ(b.frame(), c.result) << c.line;
        EXPECT_TRUE(g.ScrFileData.Cmd[0].IsFree()) << c.line;
        EXPECT_EQ(g.dwMosaicSize, c.size) << c.line;
        EXPECT_EQ(g.nMosaicDispFlg, c.result == 0 ? 1u : 0u) << c.line;
        EXPECT_EQ(Menus(g), c.result == 0 ? 0u : 3u) << c.line;
        if (c.result < 0) {
            EXPECT_EQ(b.lines(), ScriptBench::FailureLines(
                                     "Error: <GAMEMAIN::MosaicExpansionProc> [#MosaicExpansion] "
                                     "第3引数が不正です: -1",
                                     2, "#MosaicExpansion"));
        }
    }
}

// NULL starts from the mosaic that stands and samples the composition it was made
// from; only #MosaicReload composes the scene again. Without a mosaic NULL is refused.
TEST(MosaicCommands, NullGrowsTheStandingMosaicWithoutComposingAgain) {
    ScriptBench b;
    GAMEMAIN& g = b.game();
    ASSERT_TRUE(b.open({u8"// c", u8"#MosaicExpansion 16 16 0", u8"#MosaicExpansion NULL 64 480",
                        u8"#MosaicReload", u8"#MosaicEnd"}));
    b.frame();  // the header line
    b.frame();
    EXPECT_TRUE(g.ScrFileData.Cmd[0].IsFree());
    EXPECT_EQ(std::pair(g.dwMosaicSize, g.nMosaicCellNum), std::pair(16u, Cells(16)));
    // A mark on the composition: a new composition would paint the scene over it.
    const platform::Rect whole{0, 0, 800, 600};
    ASSERT_GE(g.pSprite->DDFillRect(1, &whole, 0x123456), 0);
    const auto marked = static_cast<platform::ColorRef>(g.pSprite->GetSurfaceColor(1, 0, 0));
    ASSERT_NE(marked, g.pdwMosaicColor[0]);
    b.frame();
    EXPECT_EQ(std::string(g.ScrFileData.Cmd[0].szArg[0]), "16");
    for (int i = 0; i < 10; ++i) b.frame();
    EXPECT_EQ(g.dwMosaicSize, 16u + 10u * ScriptBench::kFrame / 10u);
    EXPECT_EQ(g.ScrFileData.Cmd[0].nWaitFlg, 1u);
    EXPECT_TRUE(b.runUntil([&] { return g.ScrFileData.Cmd[0].IsFree(); }, 40));
    EXPECT_EQ(std::pair(g.dwMosaicSize, g.nMosaicCellNum), std::pair(64u, Cells(64)));
    EXPECT_EQ(g.pdwMosaicColor[g.nMosaicCellNum - 1], marked);
    EXPECT_EQ(Menus(g), 0u);
    b.frame();  // #MosaicReload
    EXPECT_EQ(std::pair(g.dwMosaicSize, g.nMosaicCellNum), std::pair(64u, Cells(64)));
    EXPECT_NE(g.pdwMosaicColor[0], marked);
    EXPECT_EQ(g.nMosaicDispFlg, 1u);
    b.frame();  // #MosaicEnd
    EXPECT_FALSE(g.prcMosaic || g.pdwMosaicColor);
    EXPECT_EQ(std::tuple(g.nMosaicCellNum, g.dwMosaicSize, g.nMosaicDispFlg, g.nMosaicChangeFlg),
              std::tuple(0u, 0u, 0u, 0u));
    EXPECT_EQ(Menus(g), 3u);
    EXPECT_EQ(b.lines(), Lines{});
}

TEST(MosaicCommands, WithoutAMosaicNullIsRefusedAndReloadDoesNothing) {
    for (const std::string word : {"#MosaicExpansion", "#MosaicReduction"}) {
        ScriptBench b;
        GAMEMAIN& g = b.game();
        ASSERT_TRUE(b.open({u8"// c", u8"#MosaicReload", U8(word + " NULL 64 100")}));
        b.frame();  // the header line
        EXPECT_EQ(b.frame(), 0);
        EXPECT_EQ(g.pSprite->GetSurfaceLoadState(1), 1);
        EXPECT_EQ(b.frame(), -1);
        const std::string tag = word == "#MosaicExpansion" ? "GAMEMAIN::MosaicExpansionProc"
                                                           : "GAMEMAIN::MosaicReductionProc";
        EXPECT_EQ(b.lines(),
                  ScriptBench::FailureLines(
                      "Error: <" + tag + "> [" + word + "] 第1引数が不正です: NULL", 3, word));
        EXPECT_EQ(std::tuple(g.nMosaicCellNum, g.dwMosaicSize, g.nMosaicDispFlg),
                  std::tuple(0u, 0u, 0u));
        EXPECT_EQ(Menus(g), 3u);
    }
}

// The composition of surface 1 as the adventure draws the scene, by pixels.
struct Composition {
    ScriptBench b;
    GAMEMAIN& g = b.game();
    ZKSPRITE& sprite = *b.game().pSprite;

    // The surface slot of a registered picture, loaded with its corner as key.
    int Loaded(const char* szID) {
        std::int32_t row = -1;
        EXPECT_EQ(g.IDSerch(szID, 1, &row), 1u) << szID;
        const int slot = g.pSurfaceData[row].nIndex;
        EXPECT_EQ(SurfaceLoad(&sprite, g.pSystem, slot, 1, 0xFFFFFFFFu), 1) << szID;
        return slot;
    }
    std::uint32_t At(int x, int y) {
        return static_cast<std::uint32_t>(sprite.GetSurfaceColor(1, x, y));
    }
    std::uint32_t Of(int slot, int x, int y) {
        return static_cast<std::uint32_t>(sprite.GetSurfaceColor(slot, x, y));
    }
    void Compose() {
        EXPECT_EQ(SurfaceLoad(&sprite, g.pSystem, 1, 0, 0xFFFFFFFFu), 1);
        EXPECT_EQ(g.MosaicDrawSurfaceComposition(), 1u);
    }
};

void ShowBackground(GRAPHIC_DATA& layer, int slot, int x, int y, std::uint32_t key) {
    layer.nIndex = slot;
    layer.nX = x;
    layer.nY = y;
    layer.dwFlag = key;
    layer.nDispFlg = 1;
}

// Every part lies where the adventure draws it, key colour transparent: background 2,
// background 1, picture layer 2 under 1, then the character with eye frame 0.
TEST(MosaicCommands, TheCompositionPlacesEveryPartOfTheScene) {
    Composition c;
    GAMEMAIN& g = c.g;
    const int white = c.Loaded("white");
    const int green = c.Loaded("Y0200");
    const int blue = c.Loaded("Y0300");
    ShowBackground(g.BGGraphData2, white, 0, 0, 0);
    ShowBackground(g.BGGraphData1, green, 300, 200, 1);
    const platform::Rect frame{0, 0, 40, 40};
    g.PRIM2.Set(1, blue, 1, 0, 1, 0, 0);
    g.PRIM2.AnimationSet(0, 100, &frame, 0);
    g.PRIM2.nX = 600;
    g.PRIM2.nY = 20;
    g.PRIM2.nDispFlg = 1;
    g.PRIM1.Set(1, green, 1, 0, 1, 0, 0);
    g.PRIM1.AnimationSet(0, 100, &frame, 0);
    g.PRIM1.nX = 620;
    g.PRIM1.nY = 40;
    g.PRIM1.nDispFlg = 1;
    ZKCHAR& hero = c.b.character();
    const BODY_DATA& body = hero.pBodyData[0];
    const FACE_DATA& face = hero.pFaceData[0];
    c.Loaded("Y0100");
    c.Loaded("Q00A");
    EXPECT_EQ(hero.FadeIn(100, 300, 0, 0, g.dwNowTime, 0), 0);
    // Standing still the screen shows the animated eye; the composition eye frame 0.
    hero.pFaceData[0].Animation.nAnimNo = 1;
    c.Compose();
    EXPECT_EQ(c.At(5, 5), c.Of(white, 5, 5));
    EXPECT_EQ(c.At(302, 202), c.Of(white, 302, 202));  // the key colour of background 1
    EXPECT_EQ(c.At(320, 220), c.Of(green, 20, 20));
    EXPECT_EQ(c.At(602, 22), c.Of(white, 602, 22));
    EXPECT_EQ(c.At(615, 30), c.Of(blue, 15, 10));
    EXPECT_EQ(c.At(630, 50), c.Of(green, 10, 10));  // layer 1 over layer 2
    const int bx = 100 + body.nX;
    const int by = 300 + body.nY;
    EXPECT_EQ(c.At(bx + 20, by + 20), c.Of(body.nSurfaceIndex, 20, 20));
    const int fx = bx + body.nFaceX + face.nX;
    const int fy = by + body.nFaceY + face.nY;
    EXPECT_EQ(c.At(fx + 20, fy + 80), c.Of(face.nSurfaceIndex, 20, 80));
    // Eye frame 0 begins with the face's key border: the body shows through.
    EXPECT_EQ(c.At(fx + 2, fy + 80),
              c.Of(body.nSurfaceIndex, body.nFaceX + face.nX + 2, body.nFaceY + face.nY + 80));
    EXPECT_EQ(c.b.lines(), Lines{});
}

// During a wipe, background 1 composes as strips in place at full size, one strip as
// well as two; with no strip counted it composes whole. A background without a
// picture composes black.
TEST(MosaicCommands, StripsComposeInPlaceAndNoPictureIsBlack) {
    Composition c;
    GAMEMAIN& g = c.g;
    const int white = c.Loaded("white");
    const int green = c.Loaded("Y0200");
    ShowBackground(g.BGGraphData2, white, 0, 0, 0);
    ShowBackground(g.BGGraphData1, green, 0, 0, 0);
    g.BGGraphData1.nDispFlg = 0;  // composed all the same
    CLIPPING_DATA& clip = g.ClippingData;
    clip.prcClip = std::make_unique<platform::Rect[]>(2);
    clip.prcClip[0] = {20, 20, 60, 40};
    clip.prcClip[1] = {100, 50, 5000, 70};
    const int width = static_cast<int>(c.sprite.GetSurfaceWidth(green));
    ASSERT_GT(width, 130);
    EXPECT_NE(c.Of(green, 30, 30), c.Of(white, 30, 30));
    EXPECT_NE(c.Of(green, 30, 45), c.Of(white, 30, 45));
    const struct {
        int x, y;
        std::int32_t strip;  // the strip the point lies in, -1 for none
    } points[] = {{30, 30, 0},  {59, 39, 0},        {30, 45, -1},        {70, 30, -1},
                  {120, 60, 1}, {width - 9, 60, 1}, {width + 10, 60, -1}};
    for (const std::int32_t count : {2, 1, 0}) {
        clip.nClipNum = count;
        c.Compose();
        for (const auto& p : points) {
            const bool green1 = count == 0 ? p.x < width : p.strip >= 0 && p.strip < count;
            EXPECT_EQ(c.At(p.x, p.y), c.Of(green1 ? green : white, p.x, p.y))
                << count << " strips at " << p.x << ", " << p.y;
        }
    }
    for (const bool strips : {true, false}) {
        clip.nClipNum = strips ? 2 : 0;
        g.BGGraphData1.nIndex = -1;
        c.Compose();
        EXPECT_EQ(c.At(5, 5), 0u);
        EXPECT_EQ(c.At(30, 30), 0u);
    }
    EXPECT_EQ(c.b.lines(), Lines{});
}

// A picture layer that is hidden, holds a texture or no slot, or whose frame lies
// beyond its frame count composes nothing.
TEST(MosaicCommands, OnlyAShownSurfaceLayerWithItsFrameComposes) {
    Composition c;
    GAMEMAIN& g = c.g;
    const int white = c.Loaded("white");
    const int green = c.Loaded("Y0200");
    ShowBackground(g.BGGraphData2, white, 0, 0, 0);
    g.BGGraphData1.nIndex = white;
    const platform::Rect frames[] = {{0, 0, 40, 40}, {40, 0, 80, 40}};
    const struct {
        const char* name;
        void (*spoil)(GRAPHIC_DATA_EX&);
        bool composed;
    } cases[] = {
        {"shown", [](GRAPHIC_DATA_EX&) {}, true},
        {"hidden", [](GRAPHIC_DATA_EX& l) { l.nDispFlg = 0; }, false},
        {"texture", [](GRAPHIC_DATA_EX& l) { l.nGKind = 0; }, false},
        {"no slot", [](GRAPHIC_DATA_EX& l) { l.nIndex = -1; }, false},
        {"frame beyond the count",
         [](GRAPHIC_DATA_EX& l) {
             l.nAnimNum = 1;
             l.AnimData.nAnimNo = 1;
         },
         false},
    };
    for (const auto& t : cases) {
        for (GRAPHIC_DATA_EX* layer : {&g.PRIM1, &g.PRIM2}) {
            layer->Set(1, green, 2, 0, 1, 0, 0);
            layer->AnimationSet(0, 100, &frames[0], 0);
            layer->AnimationSet(1, 100, &frames[1], 0);
            layer->nX = 200;
            layer->nY = 100;
            layer->nDispFlg = 1;
            t.spoil(*layer);
            c.Compose();
            EXPECT_EQ(c.At(215, 115), t.composed ? c.Of(green, 15, 15) : c.Of(white, 215, 115))
                << t.name << (layer == &g.PRIM1 ? " layer 1" : " layer 2");
            layer->Reset();
        }
    }
    EXPECT_NE(c.Of(green, 15, 15), c.Of(white, 215, 115));
    EXPECT_EQ(c.b.lines(), Lines{});
}

// During a body cross-fade both bodies compose, the incoming one on top, with the
// face on the incoming body.
TEST(MosaicCommands, ACrossFadingCharacterComposesBothBodies) {
    Composition c;
    c.Loaded("Y0100");
    c.Loaded("Y0200");
    c.Loaded("Q00A");
    ZKCHAR& hero = c.b.character();
    EXPECT_EQ(hero.FadeIn(100, 300, 0, 0, c.g.dwNowTime, 0), 0);
    EXPECT_EQ(hero.BodyChange(1, c.g.dwNowTime, 1000), 1);
    c.Compose();
    const BODY_DATA& next = hero.pBodyData[1];
    const FACE_DATA& face = hero.pFaceData[0];
    const int bx = 100 + next.nX;
    const int by = 300 + next.nY;
    EXPECT_EQ(c.At(bx + 20, by + 20), c.Of(next.nSurfaceIndex, 20, 20));
    const int fx = bx + next.nFaceX + face.nX;
    const int fy = by + next.nFaceY + face.nY;
    EXPECT_EQ(c.At(fx + 20, fy + 80), c.Of(face.nSurfaceIndex, 20, 80));
    EXPECT_EQ(c.b.lines(), Lines{});
}

// A copy that fails fails the composition, and the command with it.
TEST(MosaicCommands, AFailedCompositionFailsTheCommand) {
    ScriptBench b;
    GAMEMAIN& g = b.game();
    ShowBackground(g.BGGraphData2, 2, 0, 0, 0);  // a slot that is not loaded
    ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", u8"#MosaicReduction 64 16 100"}));
    b.frame();  // the header line
    EXPECT_EQ(b.frame(), -1);
    const Lines lines = b.lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(
        Lines(lines.begin() + 1, lines.end()),
        (Lines{"Error: <GAMEMAIN::MosaicDrawSurfaceComposition> サーフェスの合成に失敗しました",
               "Error: <GAMEMAIN::MosaicReductionProc> モザイクサーフェスへの合成に失敗しました",
               "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました",
               "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました",
               "---Error Info--- File: test.spt Line: 2 Command: #MosaicReduction"}));
    EXPECT_EQ(g.nMosaicDispFlg, 0u);
}

// A mosaic restored with a cell size out of range reloads at the size held to it.
TEST(MosaicCommands, AReloadHoldsARestoredSizeToItsRange) {
    for (const std::uint32_t restored : {5000u, 3u}) {
        ScriptBench b;
        GAMEMAIN& g = b.game();
        ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", u8"#MosaicReload"}));
        g.dwMosaicSize = restored;
        g.nMosaicDispFlg = 1;
        b.frame();  // the header line
        EXPECT_EQ(b.frame(), 0);
        const std::uint32_t size = MosaicGrid::Clamp(restored);
        EXPECT_EQ(std::pair(g.dwMosaicSize, g.nMosaicCellNum), std::pair(size, Cells(size)));
        EXPECT_EQ(b.lines(), Lines{});
    }
}

// A reload whose composition fails keeps no cells of the mosaic it replaced.
TEST(MosaicCommands, AFailedReloadLeavesNoCells) {
    ScriptBench b;
    GAMEMAIN& g = b.game();
    ASSERT_TRUE(
        b.open(ScriptBench::Script{u8"// c", u8"#MosaicExpansion 16 16 0", u8"#MosaicReload"}));
    b.frame();  // the header line
    EXPECT_EQ(b.frame(), 0);
    ASSERT_EQ(g.nMosaicCellNum, Cells(16));
    ShowBackground(g.BGGraphData2, 2, 0, 0, 0);  // a slot that is not loaded
    EXPECT_EQ(b.frame(), -1);
    EXPECT_FALSE(g.prcMosaic || g.pdwMosaicColor);
    EXPECT_EQ(g.nMosaicCellNum, 0u);
    const Lines lines = b.lines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "Error: <GAMEMAIN::MosaicReloadProc> モザイクサーフェスへの合成に失敗しました"),
        lines.end());
}

// The composition needs its work surface.
TEST(MosaicCommands, TheCompositionNeedsItsWorkSurface) {
    Composition c;
    EXPECT_EQ(c.g.MosaicDrawSurfaceComposition(), 0u);
    EXPECT_EQ(c.b.lines(), (Lines{"Error: <GAMEMAIN::MosaicDrawSurfaceComposition> "
                                  "モザイク合成用サーフェスがロードされていません"}));
}

}  // namespace
