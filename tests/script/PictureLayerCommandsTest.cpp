#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "graphics/ZKSPRITE.h"
#include "support/ScriptBench.h"

namespace {

using zktest::ScriptBench;
using zktest::WindowTestBench;
using Lines = std::vector<std::string>;

constexpr int kSurfaceKind = 1;
constexpr int kTextureKind = 0;

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// The image slot registered under the ID.
std::int32_t Slot(ScriptBench& b, const char* szID, int nKind) {
    std::int32_t row = -1;
    b.game().IDSerch(szID, static_cast<std::uint32_t>(nKind), &row);
    EXPECT_GE(row, 0) << szID;
    const GAMEMAIN& g = b.game();
    return (nKind == kSurfaceKind ? g.pSurfaceData : g.pTextureData)[row < 0 ? 0 : row].nIndex;
}

bool Loaded(ScriptBench& b, const char* szID, int nKind) {
    const ZKSPRITE& sprite = *b.win.sprite;
    const std::int32_t slot = Slot(b, szID, nKind);
    return (nKind == kSurfaceKind ? sprite.GetSurfaceLoadState(slot)
                                  : sprite.GetTextureLoadState(slot)) == 0;
}

// Everything a layer holds that a draw, a save or the animation reads.
std::string Describe(const GRAPHIC_DATA_EX& layer) {
    std::string text =
        "slot " + std::to_string(layer.nIndex) + " kind " + std::to_string(layer.nGKind) +
        " shown " + std::to_string(layer.nDispFlg) + " at " + std::to_string(layer.nX) + "," +
        std::to_string(layer.nY) + " key " + std::to_string(layer.dwFlag) + " extra " +
        std::to_string(layer.dwExtra) + " fade " + std::to_string(layer.nCrossFadeFlg) + " type " +
        std::to_string(layer.AnimData.nType) + " on " + std::to_string(layer.AnimData.nAnimNo) +
        " frames";
    for (std::uint32_t n = 0; n < layer.nAnimNum; ++n) {
        const platform::Rect& r = layer.prcAnim[n];
        text += " " + std::to_string(layer.AnimData.pdwCtrlTime[n]) + "ms(" +
                std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
    }
    return text;
}

bool AllSlotsFree(ScriptBench& b) {
    for (const SCR_CMD_DATA& slot : b.game().ScrFileData.Cmd) {
        if (!slot.IsFree()) return false;
    }
    return true;
}

// Opens the lines after a comment line and runs them up to line `upTo`.
void RunUpTo(ScriptBench& b, const std::vector<std::string>& lines, int upTo) {
    ScriptBench::Script script = {u8"// c"};
    for (const std::string& line : lines) script.push_back(U8(line));
    ASSERT_TRUE(b.open(script));
    ASSERT_TRUE(b.runUntil([&] { return b.game().ScrFileData.nLine >= upTo && AllSlotsFree(b); }));
}

const std::string kAniInit = "Error: <GAMEMAIN::PrimAniInitProc> [#PrimAniInit] ";
const std::string kNoSurface =
    "Message: <GAMEMAIN::IDSerch> サーフェスデータのIDと照合しませんでした";

// Opens a second script on the same bench and runs it to its end, which leaves no
// command behind.
void RunAgain(ScriptBench& b, const std::string& line) {
    ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", U8(line)}));
    b.lastResult = 0;
    ASSERT_TRUE(b.runToEnd(30));
    EXPECT_TRUE(AllSlotsFree(b));
}

// A refused line fails the script and leaves both layers as they stood: layer 1 an
// animation of three frames, shown; layer 2 a still picture.
TEST(PictureLayerCommands, RefusedLinesLeaveBothLayersUnchanged) {
    const std::string frameNumber =
        "Error: <GAMEMAIN::PrimAniSetProc> [#PrimAniSet] "
        "指定アニメーションナンバーが最大値を超えています";
    const struct {
        const char* line;
        Lines refusal;
    } cases[] = {
        {"#PrimAniInit 3 Y0100 SURF 1 LOOP FALSE FALSE FALSE", {kAniInit + "指定ナンバー外です"}},
        {"#PrimAniInit abc Y0100 SURF 1 LOOP FALSE FALSE FALSE", {kAniInit + "指定ナンバー外です"}},
        {"#PrimAniInit 1 NOPE SURF 1 LOOP FALSE FALSE FALSE",
         {kNoSurface, kAniInit + "IDが見つかりませんでした"}},
        {"#PrimAniInit 1 BG00 TEX 1 LOOP FALSE FALSE FALSE",
         {"Message: <GAMEMAIN::IDSerch> テクスチャデータのIDと照合しませんでした",
          kAniInit + "IDが見つかりませんでした"}},
        {"#PrimAniInit 1 Y0100 XXX 1 LOOP FALSE FALSE FALSE", {kAniInit + "画像指定が規定外です"}},
        {"#PrimAniInit 1 Y0100 SURF 1 FOO FALSE FALSE FALSE",
         {kAniInit + "アニメーションパターン指定が規定外です"}},
        {"#PrimAniInit 1 Y0100 SURF 1 LOOP X FALSE FALSE",
         {kAniInit + "カラーキーフラグ指定が規定外です"}},
        {"#PrimAniInit 1 Y0100 SURF 1 LOOP FALSE X FALSE",
         {kAniInit + "カラーキーフラグ指定が規定外です"}},
        {"#PrimAniInit 1 Y0100 SURF 1 LOOP FALSE FALSE X",
         {kAniInit + "アニメーションフェードフラグ指定が規定外です"}},
        {"#PrimAniInit 1 Y0100 SURF 0 LOOP FALSE FALSE FALSE", {kAniInit + "第4引数が不正です: 0"}},
        {"#PrimAniInit 1 Y0100 SURF -1 LOOP FALSE FALSE FALSE",
         {kAniInit + "第4引数が不正です: -1"}},
        {"#PrimAniInit 2 Y0100 SURF 1025 LOOP FALSE FALSE FALSE",
         {kAniInit + "第4引数が不正です: 1025"}},
        {"#PrimAniSet 0 1 100 0 0 10 10",
         {"Error: <GAMEMAIN::PrimAniSetProc> [#PrimAniSet] 指定ナンバー外です"}},
        {"#PrimAniSet 1 0 100 0 0 10 10", {frameNumber}},
        {"#PrimAniSet 1 -1 100 0 0 10 10", {frameNumber}},
        {"#PrimAniSet 1 4 100 0 0 10 10", {frameNumber}},
        {"#PrimAniSet 2 2 100 0 0 10 10", {frameNumber}},
        {"#PrimAniDisp 3 0 0",
         {"Error: <GAMEMAIN::PrimAniDispProc> [#PrimAniDisp] 指定ナンバー外です"}},
        {"#PrimAniUnDisp 0",
         {"Error: <GAMEMAIN::PrimAniUnDispProc> [#PrimAniUnDisp] 指定ナンバー外です"}},
        {"#PrimGraphicUnDisp 0", {"Error: <GAMEMAIN::PrimGraphicUnDispProc> 指定ナンバー外です"}},
        {"#PrimGraphicDisp 3 Q00A 0 0 0 0 8 8",
         {"Error: <GAMEMAIN::PrimGraphicDispProc> 指定ナンバー外です"}},
        {"#PrimGraphicDisp 1 NOPE 0 0 0 0 8 8",
         {kNoSurface, "Error: <GAMEMAIN::PrimGraphicDispProc> IDが見つかりませんでした"}},
        // Frames outside their picture, known or loaded for the first time.
        {"#PrimGraphicDisp 2 Q00A 0 0 0 0 99999 48",
         {"Error: <GAMEMAIN::PrimGraphicDispProc> [#PrimGraphicDisp] 第7引数が不正です: 99999"}},
        {"#PrimGraphicDisp 1 BG00 0 0 0 0 10 99999",
         {"Error: <GAMEMAIN::PrimGraphicDispProc> [#PrimGraphicDisp] 第8引数が不正です: 99999"}},
        {"#PrimAniSet 1 3 100 20 -1 30 10",
         {"Error: <GAMEMAIN::PrimAniSetProc> [#PrimAniSet] 第5引数が不正です: -1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        RunUpTo(
            b,
            {"#PrimAniInit 1 Y0100 SURF 3 LOOP TRUE FALSE FALSE", "#PrimAniSet 1 1 100 0 0 10 10",
             "#PrimAniSet 1 2 100 10 0 20 10", "#PrimAniSet 1 3 100 20 0 30 10",
             "#PrimAniDisp 1 5 6", "#PrimGraphicDisp 2 Q00A 10 20 0 0 64 48", c.line},
            7);
        const std::string layer1 = Describe(b.game().PRIM1);
        const std::string layer2 = Describe(b.game().PRIM2);
        b.clearLog();
        ASSERT_TRUE(b.runToEnd(30));
        EXPECT_EQ(b.lastResult, -1);
        Lines expected(c.refusal.begin(), c.refusal.end() - 1);
        const std::string word = std::string(c.line).substr(0, std::string(c.line).find(' '));
        for (const std::string& line : ScriptBench::FailureLines(c.refusal.back(), 8, word)) {
            expected.push_back(line);
        }
        EXPECT_EQ(b.lines(), expected);
        EXPECT_EQ(Describe(b.game().PRIM1), layer1);
        EXPECT_EQ(Describe(b.game().PRIM2), layer2);
        EXPECT_TRUE(Loaded(b, "Y0100", kSurfaceKind));
        EXPECT_TRUE(Loaded(b, "Q00A", kSurfaceKind));
        EXPECT_FALSE(Loaded(b, "BG00", kSurfaceKind));
    }
}

// Frames set while their picture's size was unknown are refused where the picture
// is first loaded, or where the layer is shown once the size is known, so that no
// frame fails to draw in every frame; a picture the refused line loaded is let go.
TEST(PictureLayerCommands, FramesSetBeforeThePictureLoadedAreRefusedWhereItLoads) {
    const std::string disp =
        "Error: <GAMEMAIN::PrimAniDispProc> [#PrimAniDisp] 第1引数が不正です: 1";
    const std::string load = "Error: <GAMEMAIN::LoadDataProc> [#LoadData] 第1引数が不正です: BG00";
    const struct {
        std::vector<std::string> lines;
        std::string refusal;
        bool shown;
        bool loaded;
    } cases[] = {
        {{"#PrimAniDisp 1 0 0"}, disp, false, false},
        {{"#LoadData BG00 SURF"}, load, false, false},
        {{"#PrimAniDisp 1 0 0 FALSE", "#LoadData BG00 SURF"}, load, true, false},
        {{"#BGDisp BG00", "#PrimAniDisp 1 0 0 FALSE"}, disp, false, true},
        {{"#BGDisp BG00", "#LoadData BG00 SURF"}, load, false, true},
        // Another picture of the kind loads whatever a layer holds.
        {{"#BGDisp BG00", "#LoadData BG01 SURF", "#PrimAniDisp 1 0 0 FALSE"}, disp, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.back());
        ScriptBench b;
        ScriptBench::Script script = {
            u8"// c", u8"#PrimAniInit 1 BG00 SURF 2 LOOP FALSE FALSE FALSE",
            u8"#PrimAniSet 1 1 100 0 0 10 10", u8"#PrimAniSet 1 2 100 -100 -100 99999 99999"};
        for (const std::string& line : c.lines) script.push_back(U8(line));
        ASSERT_TRUE(b.open(script));
        b.lastResult = 0;
        ASSERT_TRUE(b.runToEnd(60));
        EXPECT_EQ(b.lastResult, -1);
        const std::string& last = c.lines.back();
        EXPECT_EQ(b.lines(), ScriptBench::FailureLines(c.refusal, static_cast<int>(script.size()),
                                                       last.substr(0, last.find(' '))));
        EXPECT_EQ(b.game().PRIM1.nDispFlg, c.shown ? 1u : 0u);
        EXPECT_EQ(Loaded(b, "BG00", kSurfaceKind), c.loaded);
    }
}

// A layer without frames or picture is never shown: never set up, reset by NULL, left
// as it was by a refused frame count, or restored from a save with frames but no
// picture, or a picture but no frames.
TEST(PictureLayerCommands, ALayerWithNothingToShowIsRefused) {
    const std::string refusal =
        "Error: <GAMEMAIN::PrimAniDispProc> [#PrimAniDisp] 表示する画像が設定されていません";
    const struct {
        const char* setUp;
        bool restoredWithPicture;
        std::uint32_t restoredFrames;
    } cases[] = {
        {"// fresh", false, 0},
        {"#PrimAniInit 1 NULL SURF 1 LOOP FALSE FALSE FALSE", false, 0},
        {"#PrimAniInit 1 Y0100 SURF 0 LOOP FALSE FALSE FALSE", false, 0},
        {"// restored", false, 2},
        {"// restored", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.setUp) + (c.restoredWithPicture ? " picture" : "") +
                     std::to_string(c.restoredFrames));
        ScriptBench b;
        ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", U8(c.setUp)}));
        b.runToEnd(30);
        if (c.restoredWithPicture || c.restoredFrames != 0) {
            const std::int32_t slot = c.restoredWithPicture ? Slot(b, "Y0100", kSurfaceKind) : -1;
            b.game().PRIM1.Set(1, slot, c.restoredFrames, 0, 0, 0, 0);
        }
        b.clearLog();
        RunAgain(b, "#PrimAniDisp 1 0 0");
        EXPECT_EQ(b.lastResult, -1);
        EXPECT_EQ(b.lines(), ScriptBench::FailureLines(refusal, 2, "#PrimAniDisp"));
        EXPECT_EQ(b.game().PRIM1.nDispFlg, 0u);
        EXPECT_EQ(b.game().PRIM2.nDispFlg, 0u);
    }
}

// NULL resets the layer at once; the kind word is not read, the keywords after the
// frame count still are.
TEST(PictureLayerCommands, NullResetsTheLayerBeforeItsKeywordsAreChecked) {
    ScriptBench b;
    RunUpTo(b,
            {"#PrimGraphicDisp 1 Q00A 10 20 0 0 64 48", "#PrimGraphicDisp 2 Q00A 1 2 0 0 8 8",
             "#PrimAniInit 1 NULL XXX 0 LOOP TRUE MAYBE FALSE"},
            3);
    const std::string layer2 = Describe(b.game().PRIM2);
    b.clearLog();
    ASSERT_TRUE(b.runToEnd(30));
    EXPECT_EQ(b.lines(), ScriptBench::FailureLines(kAniInit + "カラーキーフラグ指定が規定外です", 4,
                                                   "#PrimAniInit"));
    GRAPHIC_DATA_EX fresh;
    EXPECT_EQ(Describe(b.game().PRIM1), Describe(fresh));
    EXPECT_EQ(Describe(b.game().PRIM2), layer2);
    // Resetting is not hiding: the picture stays loaded until the mode unloads it.
    EXPECT_TRUE(Loaded(b, "Q00A", kSurfaceKind));
}

// Set-up, frames, showing and hiding, in any letter case, with the picture loaded
// from its own table with the layer's colour key, or left alone after FALSE. The
// black texture is slot 0, a slot like any other.
TEST(PictureLayerCommands, AnAnimatedLayerIsSetUpFilledShownAndHidden) {
    const struct {
        const char* line;
        const char* layer2;
        bool surfaceLoaded;
        bool textureLoaded;
    } steps[] = {
        {"#PrimAniInit 2 y0100 surf 3 Repetition true false true",
         "slot S kind 1 shown 0 at 0,0 key 1 extra 0 fade 1 type 1 on 0 frames 0ms(0,0,0,0) "
         "0ms(0,0,0,0) 0ms(0,0,0,0)",
         false, false},
        {"#PrimAniSet 2 3 250 1 2 3 4",
         "slot S kind 1 shown 0 at 0,0 key 1 extra 0 fade 1 type 1 on 0 frames 0ms(0,0,0,0) "
         "0ms(0,0,0,0) 250ms(1,2,3,4)",
         false, false},
        {"#PrimAniSet 2 1 -1 5 0 40 30",
         "slot S kind 1 shown 0 at 0,0 key 1 extra 0 fade 1 type 1 on 0 frames "
         "4294967295ms(5,0,40,30) 0ms(0,0,0,0) 250ms(1,2,3,4)",
         false, false},
        {"#PrimAniDisp 2 100 50 false",
         "slot S kind 1 shown 1 at 100,50 key 1 extra 0 fade 1 type 1 on 0 frames "
         "4294967295ms(5,0,40,30) 0ms(0,0,0,0) 250ms(1,2,3,4)",
         false, false},
        {"#PrimAniDisp 2 -7 8",
         "slot S kind 1 shown 1 at -7,8 key 1 extra 0 fade 1 type 1 on 0 frames "
         "4294967295ms(5,0,40,30) 0ms(0,0,0,0) 250ms(1,2,3,4)",
         true, false},
        {"#PrimAniUnDisp 2 FALSE",
         "slot S kind 1 shown 0 at -7,8 key 1 extra 0 fade 1 type 1 on 0 frames "
         "4294967295ms(5,0,40,30) 0ms(0,0,0,0) 250ms(1,2,3,4)",
         true, false},
        {"#PrimAniUnDisp 2",
         "slot S kind 1 shown 0 at -7,8 key 1 extra 0 fade 1 type 1 on 0 frames "
         "4294967295ms(5,0,40,30) 0ms(0,0,0,0) 250ms(1,2,3,4)",
         false, false},
        {"#PrimAniInit 2 black TEX 1 LOOP FALSE TRUE FALSE",
         "slot T kind 0 shown 0 at 0,0 key 0 extra 1 fade 0 type 0 on 0 frames 0ms(0,0,0,0)", false,
         false},
        {"#PrimAniDisp 2 0 0",
         "slot T kind 0 shown 1 at 0,0 key 0 extra 1 fade 0 type 0 on 0 frames 0ms(0,0,0,0)", false,
         true},
        {"#PrimAniUnDisp 2",
         "slot T kind 0 shown 0 at 0,0 key 0 extra 1 fade 0 type 0 on 0 frames 0ms(0,0,0,0)", false,
         false},
    };
    ScriptBench b;
    ScriptBench::Script script = {u8"// c"};
    for (const auto& step : steps) script.push_back(U8(step.line));
    ASSERT_TRUE(b.open(script));
    const std::string surface = std::to_string(Slot(b, "Y0100", kSurfaceKind));
    const std::string texture = std::to_string(Slot(b, "black", kTextureKind));
    b.clearLog();
    const GRAPHIC_DATA_EX untouched;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(steps[i].line);
        const auto line = static_cast<std::int32_t>(i + 2);
        ASSERT_TRUE(
            b.runUntil([&] { return b.game().ScrFileData.nLine >= line && AllSlotsFree(b); }));
        std::string expected = steps[i].layer2;
        expected.replace(5, 1, expected[5] == 'S' ? surface : texture);
        EXPECT_EQ(Describe(b.game().PRIM2), expected);
        EXPECT_EQ(Describe(b.game().PRIM1), Describe(untouched));
        EXPECT_EQ(Loaded(b, "Y0100", kSurfaceKind), steps[i].surfaceLoaded);
        EXPECT_EQ(Loaded(b, "black", kTextureKind), steps[i].textureLoaded);
    }
    EXPECT_EQ(b.lines(), Lines{});
}

// Hidden, a layer keeps its frame and its timing; shown again, it goes on from there.
TEST(PictureLayerCommands, ShowingAgainResumesTheSameFrame) {
    ScriptBench b;
    RunUpTo(b,
            {"#PrimAniInit 1 Y0100 SURF 3 LOOP FALSE FALSE FALSE", "#PrimAniSet 1 1 100 0 0 10 10",
             "#PrimAniSet 1 2 100 10 0 20 10", "#PrimAniSet 1 3 100 20 0 30 10",
             "#PrimAniDisp 1 5 6", "#TimeWait 150", "#PrimAniUnDisp 1", "#TimeWait 500",
             "#PrimAniDisp 1 5 6", "#TimeWait 40"},
            8);
    const GRAPHIC_DATA_EX& layer = b.game().PRIM1;
    ASSERT_EQ(layer.nDispFlg, 0u);
    const std::uint32_t hiddenOn = layer.AnimData.nAnimNo;
    ASSERT_NE(hiddenOn, 0u);
    ASSERT_TRUE(b.runUntil([&] { return layer.nDispFlg != 0; }));
    // The hidden time counts: the frame it was on is over at once.
    const std::uint32_t next = (hiddenOn + 1) % 3;
    EXPECT_EQ(layer.AnimData.nAnimNo, next);
    b.frame();
    EXPECT_EQ(layer.AnimData.nAnimNo, next);
    EXPECT_EQ(std::pair(layer.nX, layer.nY), std::pair(5, 6));
    EXPECT_EQ(b.lines(), Lines{});
}

// A still picture: one never-ending frame of the rectangle, no colour key, loaded at
// once. Setting the layer up again leaves the first picture loaded; the reset unloads
// the picture it holds unless FALSE, and a reset layer has nothing to unload.
TEST(PictureLayerCommands, AStillPictureShowsItsCornerWithoutColourKey) {
    ScriptBench b;
    RunUpTo(b, {"#PrimGraphicDisp 2 Y0100 10 20 0 0 64 48"}, 2);
    const std::string y0100 = std::to_string(Slot(b, "Y0100", kSurfaceKind));
    EXPECT_EQ(Describe(b.game().PRIM2), "slot " + y0100 +
                                            " kind 1 shown 1 at 10,20 key 0 extra 0 fade 0 type 0 "
                                            "on 0 frames 4294967295ms(0,0,64,48)");
    EXPECT_TRUE(Loaded(b, "Y0100", kSurfaceKind));
    const auto& frame = b.win.drawFrame([&] { b.game().ADVDrawProc(); });
    // The picture's border is the key colour: drawn, since the key is off.
    EXPECT_EQ(WindowTestBench::At(frame, 10, 20), ScriptBench::kKey);
    EXPECT_EQ(WindowTestBench::At(frame, 73, 67), ScriptBench::kBodyColors[0]);
    EXPECT_NE(WindowTestBench::At(frame, 74, 20), ScriptBench::kKey);
    EXPECT_NE(WindowTestBench::At(frame, 73, 68), ScriptBench::kBodyColors[0]);

    const GRAPHIC_DATA_EX reset;
    const struct {
        const char* line;
        bool y0100Loaded;
        bool q00aLoaded;
        bool layer2Reset;
    } steps[] = {
        {"#PrimGraphicDisp 2 Q00A 0 0 0 0 8 8", true, true, false},
        {"#PrimGraphicUnDisp 2", true, false, true},
        {"#PrimGraphicUnDisp 2", true, false, true},
        {"#PrimGraphicDisp 2 Q00A 0 0 0 0 8 8", true, true, false},
        {"#PrimGraphicUnDisp 2 FALSE", true, true, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        RunAgain(b, step.line);
        EXPECT_EQ(b.lines(), Lines{"Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"});
        EXPECT_EQ(Loaded(b, "Y0100", kSurfaceKind), step.y0100Loaded);
        EXPECT_EQ(Loaded(b, "Q00A", kSurfaceKind), step.q00aLoaded);
        EXPECT_EQ(Describe(b.game().PRIM2) == Describe(reset), step.layer2Reset);
        b.clearLog();
    }
}

}  // namespace
