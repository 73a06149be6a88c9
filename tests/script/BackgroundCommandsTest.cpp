#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "support/ScriptBench.h"

namespace {

using zktest::ScriptBench;
using zktest::WindowTestBench;
using Lines = std::vector<std::string>;
using Script = ScriptBench::Script;

const std::string kScriptEnd = "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です";
constexpr std::uint32_t kBG00 = ScriptBench::kBackgroundColors[0];
constexpr std::uint32_t kBG01 = ScriptBench::kBackgroundColors[1];
constexpr std::uint32_t kBlack = 0x000000;

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

Script WithHeader(const std::vector<std::string>& lines) {
    Script script = {u8"// c"};
    for (const std::string& line : lines) script.push_back(U8(line));
    return script;
}

std::int32_t SlotOf(ScriptBench& b, const char* szID) {
    std::int32_t row = -1;
    EXPECT_EQ(b.game().IDSerch(szID, 1, &row), 1u) << szID;
    return b.game().pSurfaceData[row].nIndex;
}

// Whether BG00 and BG01 are loaded.
std::vector<bool> Loaded(ScriptBench& b) {
    std::vector<bool> loaded;
    for (const char* id : ScriptBench::kBackgrounds) {
        loaded.push_back(b.game().pSprite->GetSurfaceLoadState(SlotOf(b, id)) == 0);
    }
    return loaded;
}

std::uint32_t Menus(const GAMEMAIN& g) {
    return g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg;
}

// The story screen with the windows out of the way.
const std::vector<std::uint32_t>& Scene(ScriptBench& b) {
    GAMEMAIN& g = b.game();
    const std::uint32_t shown = g.nMsgWndDispFlg;
    g.nMsgWndDispFlg = 0;
    const auto& frame = b.win.drawFrame([&] { g.ADVDrawProc(); });
    g.nMsgWndDispFlg = shown;
    return frame;
}

std::uint32_t At(ScriptBench& b, int x, int y) {
    return WindowTestBench::At(Scene(b), x, y) & 0xFFFFFF;
}

const SCR_CMD_DATA& Slot(ScriptBench& b) { return b.game().ScrFileData.Cmd[0]; }

// Runs frames until the command word waits in its slot; false if it never does.
bool Started(ScriptBench& b, const char* szWord) {
    return b.runUntil(
        [&] { return Slot(b).nWaitFlg != 0 && std::strcmp(Slot(b).szCommand, szWord) == 0; }, 200);
}

// Opens the script and runs it to the end, failing the test when it does not end.
void RunScript(ScriptBench& b, const std::vector<std::string>& lines) {
    ASSERT_TRUE(b.open(WithHeader(lines)));
    EXPECT_TRUE(b.runToEnd(400));
}

// #BGDisp sets layer 1 to a registered picture at once, or empties it with NULL, giving
// back the picture it showed; FALSE leaves both to the script.
TEST(BackgroundCommands, BGDispSetsOrEmptiesTheBackground) {
    const struct {
        std::vector<std::string> script;
        const char* name;
        bool shown;
        std::vector<bool> loaded;
        std::uint32_t pixel;
    } cases[] = {
        {{"#BGDisp BG00"}, "BG00", true, {true, false}, kBG00},
        {{"#BGDisp bg01"}, "bg01", true, {false, true}, kBG01},
        {{"#BGDisp BG00", "#BGDisp BG01"}, "BG01", true, {false, true}, kBG01},
        {{"#BGDisp BG00", "#BGDisp NULL"}, "", false, {false, false}, kBlack},
        {{"#BGDisp BG00", "#BGDisp BG01 FALSE"}, "BG01", true, {true, false}, kBlack},
        {{"#BGDisp BG00", "#BGDisp null false"}, "", false, {true, false}, kBlack},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        RunScript(b, c.script);
        const std::string what = c.script.back();
        const GRAPHIC_DATA& layer = b.game().BGGraphData1;
        EXPECT_STREQ(layer.szName, c.name) << what;
        EXPECT_EQ(layer.nDispFlg, c.shown ? 1u : 0u) << what;
        EXPECT_EQ(layer.nIndex, c.shown ? SlotOf(b, c.name) : -1) << what;
        EXPECT_EQ(layer.dwFlag, 0u) << what;
        EXPECT_EQ(Loaded(b), c.loaded) << what;
        EXPECT_EQ(b.lines(), Lines{kScriptEnd}) << what;
        b.clearLog();
        EXPECT_EQ(At(b, 400, 300), c.pixel) << what;
    }
}

// A moment of a wipe: the time since its start, whether it still runs, the first and
// last strip's moving edge while strips stand, and the strip count.
struct MOMENT {
    std::uint32_t elapsed;
    bool running;
    std::int32_t first;
    std::int32_t last;
    std::int32_t count;
};

// The first strip's and the last strip's moving edge (-1 without strips).
std::pair<std::int32_t, std::int32_t> Edges(ScriptBench& b, bool bLeft) {
    const CLIPPING_DATA& clip = b.game().ClippingData;
    if (!clip.prcClip) return {-1, -1};
    const platform::Rect& first = clip.prcClip[0];
    const platform::Rect& last = clip.prcClip[clip.nClipNum - 1];
    return bLeft ? std::pair(first.left, last.left) : std::pair(first.right, last.right);
}

// One strip staggered arrives at 1.5 x d; of two timed strips the first arrives at d / 5
// and the command at d; d = 3 with 4 strips runs to the end.
TEST(BackgroundCommands, WipesArriveOnTheirSchedule) {
    const struct {
        std::vector<std::string> script;
        const char* word;
        std::vector<MOMENT> moments;
    } cases[] = {
        {{"#BGDisp BG00", "#WipeOut BG01 BLIND_WAVE1 1 1600"},
         "#WipeOut",
         {{16, true, -392, -392, 1}, {2384, true, 792, 792, 1}, {2400, false, 800, 800, 1}}},
        {{"#BGDisp BG00", "#Wipe BG01 BLIND_WAVE2 2 1600"},
         "#Wipe",
         {{304, true, 760, 152, 2},
          {320, true, 800, 160, 2},
          {1584, true, 800, 792, 2},
          {1600, false, -1, -1, 0}}},
        {{"#BGDisp BG00", "#WipeOut BG01 BLIND_WAVE2 4 3"}, "#WipeOut", {{16, false, 800, 800, 4}}},
        {{"#BGDisp BG00", "#WipeOut BG01 BLIND_WAVE1 1 16", "#WipeIn BG00 BLIND_WAVE1 1600"},
         "#WipeIn",
         {{2384, true, 792, 792, 1}, {2400, false, -1, -1, 0}}},
        {{"#BGDisp BG00", "#WipeOut BG01 BLIND_WAVE2 2 16", "#WipeIn BG00 BLIND_WAVE 1600"},
         "#WipeIn",
         {{304, true, 760, 152, 2}, {1584, true, 800, 792, 2}, {1600, false, -1, -1, 0}}},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        b.game().SetScrRandomSource([] { return 0; });
        ASSERT_TRUE(b.open(WithHeader(c.script)));
        ASSERT_TRUE(Started(b, c.word)) << c.script.back();
        const std::uint32_t start = Slot(b).dwStartTime;
        const bool bLeft = std::strcmp(c.word, "#WipeIn") == 0;
        for (const MOMENT& m : c.moments) {
            while (b.game().dwNowTime - start < m.elapsed) b.frame();
            const std::string what = c.script.back() + " at " + std::to_string(m.elapsed);
            EXPECT_EQ(std::strcmp(Slot(b).szCommand, c.word) == 0, m.running) << what;
            EXPECT_EQ(Edges(b, bLeft), std::pair(m.first, m.last)) << what;
            EXPECT_EQ(b.game().ClippingData.nClipNum, m.count) << what;
        }
        EXPECT_EQ(b.lines(), Lines{}) << c.script.back();
    }
}

// During #Wipe the new picture shows in the strips and the old one elsewhere, also in
// the 5 bottom rows that 7 strips of 85 rows leave outside; then the new one alone.
TEST(BackgroundCommands, AWipeShowsBothPicturesUntilItEnds) {
    ScriptBench b;
    b.game().SetScrRandomSource([] { return 0; });
    ASSERT_TRUE(b.open(WithHeader({"#BGDisp BG00", "#Wipe BG01 BLIND_WAVE2 7 1600"})));
    ASSERT_TRUE(Started(b, "#Wipe"));
    const std::uint32_t start = Slot(b).dwStartTime;
    while (b.game().dwNowTime - start < 800) b.frame();
    const struct {
        int x;
        int y;
        std::uint32_t pixel;
    } probes[] = {{700, 0, kBG01},   {700, 84, kBG01},  {399, 594, kBG01}, {400, 594, kBG00},
                  {100, 595, kBG00}, {100, 599, kBG00}, {799, 300, kBG01}};
    const auto& during = Scene(b);
    for (const auto& p : probes) {
        EXPECT_EQ(WindowTestBench::At(during, p.x, p.y) & 0xFFFFFF, p.pixel) << p.x << ", " << p.y;
    }
    EXPECT_EQ(Menus(b.game()), 0u);
    EXPECT_TRUE(b.runToEnd(200));
    for (const auto& p : probes) EXPECT_EQ(At(b, p.x, p.y), kBG01) << p.x << ", " << p.y;
    EXPECT_EQ(Menus(b.game()), 3u);
    EXPECT_EQ(b.lines(), Lines{kScriptEnd});
}

// Save, load and settings are refused from #WipeOut's first frame until #WipeIn or
// #WipeEnd has ended, also in the frame the wipe-out arrives; #WipeIn BLIND_WAVE
// disables every bar button for good.
TEST(BackgroundCommands, MenusWaitFromWipeOutToItsEnd) {
    const struct {
        std::string last;
        bool buttonsOff;
    } cases[] = {
        {"#WipeEnd", false},
        {"#WipeIn BG00 BLIND_WAVE1 160", false},
        {"#WipeIn BG00 BLIND_WAVE 160", true},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        ASSERT_TRUE(
            b.open(WithHeader({"#BGDisp BG00", "#WipeOut BG01 BLIND_WAVE2 3 160", c.last})));
        ASSERT_TRUE(Started(b, "#WipeOut"));
        int covered = 0;
        for (int i = 0; i < 100 && b.lastResult == 0; ++i) {
            b.frame();
            const bool strips = b.game().ClippingData.prcClip != nullptr;
            covered += strips ? 1 : 0;
            EXPECT_EQ(Menus(b.game()), strips ? 0u : 3u) << c.last << ", frame " << i;
        }
        EXPECT_GE(covered, 10) << c.last;
        EXPECT_EQ(b.lastResult, 2) << c.last;
        const std::uint32_t state = b.game().MsgWindowData.nButtonState[0];
        EXPECT_EQ(state == MSG_WINDOW_DATA::kButtonDisable, c.buttonsOff) << c.last;
    }
}

// With FALSE no command loads or unloads a picture, whether the script had them
// loaded or not.
TEST(BackgroundCommands, FalseLeavesLoadingToTheScript) {
    const std::vector<std::string> script = {"#BGDisp BG00 FALSE",
                                             "#Wipe BG01 BLIND_WAVE1 2 160 FALSE",
                                             "#WipeOut BG00 BLIND_WAVE2 3 160 FALSE",
                                             "#WipeIn BG01 BLIND_WAVE 160 FALSE",
                                             "#WipeOut BG00 BLIND_WAVE1 2 160 false",
                                             "#WipeEnd FALSE",
                                             "#BGDisp NULL FALSE"};
    for (const bool preloaded : {false, true}) {
        ScriptBench b;
        if (preloaded) {
            for (const char* id : ScriptBench::kBackgrounds) {
                ASSERT_EQ(
                    SurfaceLoad(b.game().pSprite, b.game().pSystem, SlotOf(b, id), 0, 0xFFFFFFFFu),
                    1);
            }
        }
        ASSERT_TRUE(b.open(WithHeader(script)));
        const std::vector<bool> expected = {preloaded, preloaded};
        for (int i = 0; i < 400 && b.lastResult == 0; ++i) {
            b.frame();
            ASSERT_EQ(Loaded(b), expected) << b.game().ScrFileData.Cmd[0].szCommand;
        }
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(b.count("#WipeEnd"), 1);
    }
}

// Refused lines fail the script and leave the background, the strips and the menus
// as they stood; the lookup of the picture comes after the menus went off.
TEST(BackgroundCommands, RefusedLinesChangeNothing) {
    const std::string id = "Message: <GAMEMAIN::IDSerch> サーフェスデータのIDと照合しませんでした";
    const std::string wipeOut = "Error: <GAMEMAIN::WipeOutProc> ";
    const std::string wipe = "Error: <GAMEMAIN::WipeProc> ";
    const std::string wipeIn = "Error: <GAMEMAIN::WipeInProc> ";
    const struct {
        bool covered;  // after a #WipeOut BG01 of 2 strips
        std::string line;
        Lines lines;
    } cases[] = {
        {false, "#WipeOut BG01 BLIND_WAVE1 0 100", {wipeOut + "[#WipeOut] 第3引数が不正です: 0"}},
        {false, "#WipeOut BG01 BLIND_WAVE1 -3 100", {wipeOut + "[#WipeOut] 第3引数が不正です: -3"}},
        {false, "#Wipe BG01 BLIND_WAVE2 601 100", {wipe + "[#Wipe] 第3引数が不正です: 601"}},
        {false, "#Wipe BG01 BLIND_WAVE2 600 0", {wipe + "[#Wipe] 第4引数が不正です: 0"}},
        {false, "#Wipe BG01 BLIND_WAVE1 4 -1", {wipe + "[#Wipe] 第4引数が不正です: -1"}},
        {false, "#WipeOut BG01 FOO 0 0", {wipeOut + "[#WipeOutProc] 定義されていない効果です"}},
        {false, "#Wipe BG01 BLIND_WAVE 4 100", {wipe + "[#WipeProc] 定義されていない効果です"}},
        {false, "#Wipe", {wipe + "[#WipeProc] 定義されていない効果です"}},
        {false,
         "#WipeIn BG00 BLIND_WAVE1 100",
         {wipeIn + "[#WipeInProc] ワイプアウトが呼び出されていません"}},
        {false,
         "#WipeIn BG00 BLIND_WAVE2 100",
         {wipeIn + "[#WipeInProc] 定義されていない効果です"}},
        {false,
         "#BGDisp NOPE",
         {id, "Error: <GAMEMAIN::BGDispProc> [#BGDisp] 合致するIDが見つかりませんでした"}},
        {false,
         "#BGDisp",
         {id, "Error: <GAMEMAIN::BGDispProc> [#BGDisp] 合致するIDが見つかりませんでした"}},
        {true, "#WipeIn BG00 BLIND_WAVE 0", {wipeIn + "[#WipeIn] 第3引数が不正です: 0"}},
        {true, "#WipeIn BG00 BLIND_WAVE2 100", {wipeIn + "[#WipeInProc] 定義されていない効果です"}},
        {true, "#WipeOut BG00 BLIND_WAVE1 2 0", {wipeOut + "[#WipeOut] 第4引数が不正です: 0"}},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        std::vector<std::string> script = {"#BGDisp BG00"};
        if (c.covered) script.push_back("#WipeOut BG01 BLIND_WAVE1 2 16");
        script.push_back(c.line);
        ASSERT_TRUE(b.open(WithHeader(script)));
        // Up to the line before the refused one.
        ASSERT_TRUE(b.runUntil(
            [&] { return b.game().ScrFileData.nLine == int(script.size()) && Slot(b).IsFree(); }));
        b.clearLog();
        GAMEMAIN& g = b.game();
        const std::string bg1 = g.BGGraphData1.szName;
        const std::string bg2 = g.BGGraphData2.szName;
        const std::vector<bool> loaded = Loaded(b);
        const std::uint32_t menus = Menus(g);
        const std::int32_t count = g.ClippingData.nClipNum;
        EXPECT_EQ(b.frame(), -1) << c.line;
        const std::string word = c.line.substr(0, c.line.find(' '));
        Lines expected = c.lines;
        const Lines tail = ScriptBench::FailureLines("", int(script.size()) + 1, word);
        expected.insert(expected.end(), tail.begin() + 1, tail.end());
        EXPECT_EQ(b.lines(), expected) << c.line;
        EXPECT_TRUE(Slot(b).IsFree()) << c.line;
        EXPECT_EQ(g.BGGraphData1.szName, bg1) << c.line;
        EXPECT_EQ(g.BGGraphData2.szName, bg2) << c.line;
        EXPECT_EQ(Loaded(b), loaded) << c.line;
        EXPECT_EQ(Menus(g), menus) << c.line;
        EXPECT_EQ(g.ClippingData.nClipNum, count) << c.line;
        EXPECT_NE(g.MsgWindowData.nButtonState[0], MSG_WINDOW_DATA::kButtonDisable) << c.line;
    }
}

// A picture that is not registered fails the wipe after the menus went off; they
// stay off, as the failed script left them.
TEST(BackgroundCommands, AnUnknownPictureFailsTheWipeWithTheMenusOff) {
    const struct {
        std::vector<std::string> script;
        std::string failure;
    } cases[] = {
        {{"#WipeOut NOPE BLIND_WAVE1 4 100"},
         "Error: <GAMEMAIN::WipeOutProc> [#WipeOutProc] 合致するIDが見つかりませんでした"},
        {{"#Wipe NOPE BLIND_WAVE2 4 100"},
         "Error: <GAMEMAIN::WipeProc> [#WipeProc] 合致するIDが見つかりませんでした"},
        {{"#WipeOut BG01 BLIND_WAVE1 2 16", "#WipeIn NOPE BLIND_WAVE 100"},
         "Error: <GAMEMAIN::WipeInProc> [#WipeIn] 合致するIDが見つかりませんでした"},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        std::vector<std::string> script = {"#BGDisp BG00"};
        script.insert(script.end(), c.script.begin(), c.script.end());
        ASSERT_TRUE(b.open(WithHeader(script)));
        EXPECT_TRUE(b.runToEnd(100));
        EXPECT_EQ(b.lastResult, -1);
        const std::string word = c.script.back().substr(0, c.script.back().find(' '));
        Lines expected = {"Message: <GAMEMAIN::IDSerch> サーフェスデータのIDと照合しませんでした"};
        const Lines tail = ScriptBench::FailureLines(c.failure, int(script.size()) + 1, word);
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(b.lines(), expected) << c.script.back();
        EXPECT_EQ(Menus(b.game()), 0u) << c.script.back();
        EXPECT_STREQ(b.game().BGGraphData1.szName, c.script.size() == 1 ? "BG00" : "BG01");
    }
}

// A frame that comes 10 hours after the wipe began ends it at once, with every strip
// at the side, and nothing is logged.
TEST(BackgroundCommands, AFrameTenHoursLateEndsTheWipe) {
    const struct {
        std::vector<std::string> script;
        const char* word;
        std::int32_t count;
    } cases[] = {
        {{"#WipeOut BG01 BLIND_WAVE1 5 100000"}, "#WipeOut", 5},
        {{"#Wipe BG01 BLIND_WAVE2 5 100000"}, "#Wipe", 0},
        {{"#WipeOut BG01 BLIND_WAVE1 3 16", "#WipeIn BG00 BLIND_WAVE1 100000"}, "#WipeIn", 0},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        std::vector<std::string> script = {"#BGDisp BG00"};
        script.insert(script.end(), c.script.begin(), c.script.end());
        ASSERT_TRUE(b.open(WithHeader(script)));
        ASSERT_TRUE(Started(b, c.word));
        b.frame();
        b.kit().clock().advance(36000000);
        // The frame's time is the one sampled as the frame before ended.
        b.frame();
        b.frame();
        EXPECT_TRUE(Slot(b).IsFree()) << c.word;
        const CLIPPING_DATA& clip = b.game().ClippingData;
        EXPECT_EQ(clip.nClipNum, c.count) << c.word;
        for (std::int32_t i = 0; i < clip.nClipNum; ++i) EXPECT_EQ(clip.prcClip[i].right, 800);
        EXPECT_EQ(b.lines(), Lines{}) << c.word;
    }
}

// Which pictures stay loaded as a wipe ends: the one leaving is given back unless the
// other layer still shows it, and #WipeEnd loads the old background it brings back.
TEST(BackgroundCommands, TheBackgroundLeftStandingIsLoaded) {
    const struct {
        std::vector<std::string> script;
        const char* name;
        std::vector<bool> loaded;
    } cases[] = {
        {{"#Wipe BG01 BLIND_WAVE1 2 16"}, "BG01", {false, true}},
        {{"#Wipe BG00 BLIND_WAVE2 2 16"}, "BG00", {true, false}},
        {{"#WipeOut BG01 BLIND_WAVE1 2 16", "#WipeIn BG00 BLIND_WAVE 16"}, "BG00", {true, false}},
        {{"#WipeOut BG01 BLIND_WAVE1 2 16", "#WipeIn BG01 BLIND_WAVE1 16"}, "BG01", {false, true}},
        {{"#WipeOut BG01 BLIND_WAVE1 2 16", "#WipeEnd"}, "BG00", {true, false}},
        {{"#WipeOut BG00 BLIND_WAVE2 2 16", "#WipeEnd"}, "BG00", {true, false}},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        std::vector<std::string> script = {"#BGDisp BG00"};
        script.insert(script.end(), c.script.begin(), c.script.end());
        RunScript(b, script);
        const std::string what = c.script.front() + ", " + c.script.back();
        GAMEMAIN& g = b.game();
        EXPECT_STREQ(g.BGGraphData1.szName, c.name) << what;
        EXPECT_EQ(g.BGGraphData1.nIndex, SlotOf(b, c.name)) << what;
        EXPECT_EQ(g.BGGraphData1.nDispFlg, 1u) << what;
        EXPECT_EQ(g.BGGraphData2.nDispFlg, 0u) << what;
        EXPECT_EQ(g.BGGraphData2.nIndex, -1) << what;
        EXPECT_EQ(Loaded(b), c.loaded) << what;
        EXPECT_FALSE(g.ClippingData.prcClip) << what;
        EXPECT_EQ(Menus(g), 3u) << what;
        EXPECT_EQ(b.lines(), Lines{kScriptEnd}) << what;
        EXPECT_EQ(At(b, 400, 300), std::strcmp(c.name, "BG00") == 0 ? kBG00 : kBG01) << what;
        EXPECT_EQ(b.lines(), Lines{kScriptEnd}) << what;
    }
}

// #WipeEnd with no wipe-out warns and leaves the background as it stands.
TEST(BackgroundCommands, WipeEndWithoutAWipeOutWarnsAndKeepsTheBackground) {
    ScriptBench b;
    RunScript(b, {"#BGDisp BG00", "#WipeEnd", "#WipeEnd FALSE"});
    const Lines warned = {
        "Warn: <GAMEMAIN::WipeEndProc> [#WipeEnd] ワイプアウトが呼び出されていません",
        "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました",
        "---Error Info--- File: test.spt Line: 3 Command: #WipeEnd",
        "Warn: <GAMEMAIN::WipeEndProc> [#WipeEnd] ワイプアウトが呼び出されていません",
        "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました",
        "---Error Info--- File: test.spt Line: 4 Command: #WipeEnd",
        kScriptEnd};
    EXPECT_EQ(b.lines(), warned);
    EXPECT_STREQ(b.game().BGGraphData1.szName, "BG00");
    EXPECT_EQ(Loaded(b), (std::vector<bool>{true, false}));
    EXPECT_EQ(Menus(b.game()), 3u);
    EXPECT_EQ(At(b, 400, 300), kBG00);
}

}  // namespace
