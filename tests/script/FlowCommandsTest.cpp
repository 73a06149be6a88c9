#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/input/VirtualKeys.h"
#include "support/Bytes.h"
#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

const std::string kEnd = "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です";
const std::string kLost = "Error: <GAMEMAIN::ScrMain> ファイルポインタが失われています";

std::string Info(int line, const std::string& word, const std::string& file = "test.spt") {
    return "---Error Info--- File: " + file + " Line: " + std::to_string(line) +
           " Command: " + word;
}

// A handler's own line, then the interpreter's lines for a failed command.
Lines Failed(const std::string& first, int line, const std::string& word,
             const std::string& file = "test.spt") {
    return {first, "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました",
            "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました",
            Info(line, word, file)};
}

// A scan that ran off the end: its warning, the interpreter's, the command's own line;
// the next frame has no file to read.
Lines RanOut(const std::string& warn, int line, const std::string& word) {
    return {warn, "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました", Info(line, word),
            kLost};
}

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// Opens a script of these lines below its comment line.
bool OpenBelowComment(ScriptBench& b, const ScriptBench::Script& body) {
    ScriptBench::Script script = {u8"// c"};
    script.insert(script.end(), body.begin(), body.end());
    return b.open(script);
}

// Which of the three marker words ran: each block's body is one of them.
std::vector<int> Bodies(const ScriptBench& b) {
    return {b.count("#EndIf"), b.count("#SelectEnd"), b.count("#Love_Jadge_End")};
}

void AllowSkip(GAMEMAIN& g) {
    g.nScrSkipEnableFlg = 1;
    g.nScrSkipLine = -1;
    g.MsgWindowData.nSkipFlg = 1;
}

TEST(FlowCommands, RandomStartRunsBranchRPlusOneOfItsOwnBlock) {
    const struct {
        std::int32_t count;
        std::int32_t r;
        std::vector<int> bodies;
    } cases[] = {
        {3, 0, {1, 0, 0}}, {3, 1, {0, 1, 0}}, {3, 2, {0, 0, 1}},
        {3, 7, {0, 1, 0}}, {4, 3, {0, 0, 0}},  // branch 4 is missing: none runs
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r);
        ScriptBench b;
        int draws = 0;
        b.game().SetScrRandomSource([&] {
            ++draws;
            return c.r;
        });
        ASSERT_TRUE(b.open({u8"// c", U8("#RandomStart " + std::to_string(c.count) + " 4"),
                            u8"#RandomBranch 2 9", u8"#RandomBranch 1 4", u8"#EndIf 1",
                            u8"#RandomBranch 2 4", u8"#SelectEnd 1", u8"#RandomBranch 3 4",
                            u8"#Love_Jadge_End 1", u8"#RandomEnd 4", u8"#EndScript"}));
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(Bodies(b), c.bodies);
        EXPECT_EQ(draws, 1);
        EXPECT_EQ(b.game().ScrFileData.nEndScriptFlg, 1u);
        EXPECT_EQ(b.lines(), Lines{kEnd});
    }
}

// Refused counts draw no number; a block without its end releases the script and
// says which command it was.
TEST(FlowCommands, RandomCountsBelowOneAndMissingEndsAreReported) {
    const std::string noEnd = "#RandomEnd未検出のままファイルの終端に到達しました";
    const struct {
        std::vector<std::u8string> script;
        Lines lines;
    } cases[] = {
        {{u8"#RandomStart 0 4"},
         Failed("Error: <GAMEMAIN::RandomStartProc> [#RandomStart] 第1引数が不正です: 0", 2,
                "#RandomStart")},
        {{u8"#RandomStart -2 4"},
         Failed("Error: <GAMEMAIN::RandomStartProc> [#RandomStart] 第1引数が不正です: -2", 2,
                "#RandomStart")},
        {{u8"#RandomStart 2 4", u8"#RandomBranch 1 4", u8"#RandomEnd 5"},
         RanOut("Warn: <GAMEMAIN::RandomStartProc> " + noEnd, 2, "#RandomStart")},
        {{u8"#RandomStart 2 4", u8"#RandomBranch 2 4", u8"#EndIf 1", u8"#RandomBranch 3 4",
          u8"#EndIf 2"},
         RanOut("Warn: <GAMEMAIN::RandomBranchProc> " + noEnd, 5, "#RandomBranch")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines[0]);
        ScriptBench b;
        int draws = 0;
        b.game().SetScrRandomSource([&] {
            ++draws;
            return 1;
        });
        ASSERT_TRUE(OpenBelowComment(b, c.script));
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(b.lastResult, -1);
        EXPECT_EQ(b.lines(), c.lines);
        EXPECT_EQ(draws, c.script.size() == 1 ? 0 : 1);
        EXPECT_EQ(b.count("#EndIf"), c.script.size() == 5 ? 1 : 0);
        // Released: the name goes with the file.
        if (c.script.size() > 1) {
            EXPECT_STREQ(b.game().ScrFileData.szFileName, "");
        }
    }
}

TEST(FlowCommands, JumpAndGoToMoveForwardOnly) {
    const std::string jumpOut =
        "Warn: <GAMEMAIN::JumpProc> [#Jump] ジャンプ行数がファイルの終端を超えています";
    const std::string noLabel =
        "Warn: <GAMEMAIN::GoToProc> [#GoToProc] ラベルが検出されずにファイル終端を超えました";
    const struct {
        std::vector<std::u8string> script;
        std::vector<int> bodies;
        Lines lines;
    } cases[] = {
        // Comment lines count; the lines jumped over never run.
        {{u8"#Jump 2", u8"// x", u8"#EndIf 1", u8"#SelectEnd 1"}, {0, 1, 0}, {kEnd}},
        {{u8"#Jump 1", u8"#EndIf 1", u8"#SelectEnd 1"}, {0, 1, 0}, {kEnd}},
        {{u8"#Jump 0", u8"#EndIf 1"}, {1, 0, 0}, {kEnd}},
        {{u8"#Jump -3", u8"#EndIf 1"}, {1, 0, 0}, {kEnd}},
        {{u8"#Jump 3", u8"#EndIf 1", u8"#EndIf 2"}, {0, 0, 0}, RanOut(jumpOut, 2, "#Jump")},
        // A line the reader refuses stops the scan and the script.
        {{u8"#Jump 2", U8("#EndIf " + std::string(600, 'x')), u8"#EndIf 1"},
         {0, 0, 0},
         Failed("Error: <GAMEMAIN::JumpProc> 行が510バイトを超えています", 2, "#Jump")},
        // A label is a line's first word, in any letter case; the search goes on after it.
        {{u8"#GoTo $next", u8"#EndIf 1", u8"$NEXT", u8"#SelectEnd 1"}, {0, 1, 0}, {kEnd}},
        {{u8"$back", u8"#EndIf 1", u8"#GoTo $back", u8"#SelectEnd 1"},
         {1, 0, 0},
         RanOut(noLabel, 4, "#GoTo")},
        {{u8"#GoTo", u8"", u8"#EndIf 1"},
         {0, 0, 0},
         Failed("Error: <GAMEMAIN::GoToProc> [#GoTo] 第1引数が不正です: ", 2, "#GoTo")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(reinterpret_cast<const char*>(c.script[0].c_str()));
        ScriptBench b;
        ASSERT_TRUE(OpenBelowComment(b, c.script));
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(Bodies(b), c.bodies);
        EXPECT_EQ(b.lines(), c.lines);
        // Reset keeps the name of the script it closed.
        EXPECT_STREQ(b.game().ScrFileData.szFileName, "test.spt");
    }
}

TEST(FlowCommands, RequestsAreRaisedOneEach) {
    for (const bool clothes : {true, false}) {
        ScriptBench b;
        ASSERT_TRUE(b.open(
            ScriptBench::Script{u8"// c", clothes ? u8"#GoToClothesSelect" : u8"#EndScript"}));
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(b.game().ScrFileData.nGoToClothesFlg, clothes ? 1u : 0u);
        EXPECT_EQ(b.game().ScrFileData.nEndScriptFlg, clothes ? 0u : 1u);
    }
}

TEST(FlowCommands, FileChangesOpenTheNewScriptWithItsOwnLinesAndReadRule) {
    const struct {
        const char* line;
        bool listed;    // b.spt was read up to line 5 before
        bool recorded;  // a.spt is marked as read to its end
        std::uint32_t skippable;
        std::int32_t limit;
    } cases[] = {
        {"#FileChange b.spt", true, true, 1, 5},
        {"#FileChange b.spt", false, true, 0, 0},
        {"#FileChangeSpecial b.spt", false, false, 1, -1},
        {"#filechangespecial b.spt", true, false, 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + (c.listed ? " listed" : ""));
        ScriptBench b;
        GAMEMAIN& g = b.game();
        ScriptBench::Scripts({{"a.spt", {u8"// a", u8"#EndIf 1", U8(c.line), u8"#EndIf 2"}},
                              {"b.spt", {u8"// b", u8"#SelectEnd 1", u8"#EndScript"}}});
        if (c.listed) g.AddAutoSkipFileList("b.spt", 5);
        ASSERT_TRUE(b.open("a.spt"));
        b.frame();
        b.frame();
        // Another command still under way when the script changes.
        const char args[1][SCR_CMD_DATA::kWordSize] = {"200"};
        g.ScrFileData.Cmd[1].Set("#TimeWait", args, 1);
        g.ScrFileData.Cmd[1].dwPhase = 1;
        g.ScrFileData.Cmd[1].dwStartTime = g.dwNowTime;
        g.ScrFileData.dwWork = 7;
        b.frame();
        EXPECT_STREQ(g.ScrFileData.szFileName, "b.spt");
        EXPECT_EQ(g.ScrFileData.nLine, 0);
        EXPECT_EQ(g.ScrFileData.dwWork, 0u);
        EXPECT_FALSE(zktest::FileExists("tmp/a.spt"));
        EXPECT_STREQ(g.ScrFileData.Cmd[1].szCommand, "#TimeWait");
        std::int32_t position = 0;
        EXPECT_EQ(g.CheckAutoSkipFileList("a.spt", &position), c.recorded ? 1 : 0);
        if (c.recorded) {
            EXPECT_EQ(position, -1);
        }
        EXPECT_EQ(g.nScrSkipEnableFlg, c.skippable);
        EXPECT_EQ(g.nScrSkipLine, c.limit);
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(Bodies(b), (std::vector<int>{1, 1, 0}));
        EXPECT_EQ(g.ScrFileData.nEndScriptFlg, 1u);
        // b.spt's own count: a slot saved there resumes at the right line.
        EXPECT_EQ(g.ScrFileData.nLine, 3);
        EXPECT_TRUE(b.runUntil([&] { return g.ScrFileData.Cmd[1].IsFree(); }, 20));
        EXPECT_EQ(b.lines(), Lines{kEnd});
    }
}

// The old script is closed and gone before the new one is looked for.
TEST(FlowCommands, AFileChangeThatCannotOpenFailsWithItsOwnLine) {
    const struct {
        const char* line;
        Lines lines;
    } cases[] = {
        {"#FileChange none.spt",
         Failed("Error: <GAMEMAIN::FileChangeProc> 取り出すファイルに該当ファイルが存在しません", 2,
                "#FileChange", "a.spt")},
        {"#FileChangeSpecial none.spt", Failed("Error: <GAMEMAIN::FileChangeSpecialProc> "
                                               "取り出すファイルに該当ファイルが存在しません",
                                               2, "#FileChangeSpecial", "a.spt")},
        {"#FileChange ../b.spt",
         Failed("Error: <GAMEMAIN::ScrFileOpen> 不正なファイル名です: ../b.spt", 2, "#FileChange",
                "a.spt")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        ScriptBench::Scripts({{"a.spt", {u8"// a", U8(c.line), u8"#EndIf 1"}}});
        ASSERT_TRUE(b.open("a.spt"));
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(b.lastResult, -1);
        EXPECT_EQ(b.lines(), c.lines);
        EXPECT_EQ(b.game().ScrFileData.fp, nullptr);
        // The script left is still the one the exit save records, at the refused line.
        EXPECT_STREQ(b.game().ScrFileData.szFileName, "a.spt");
        EXPECT_EQ(b.game().ScrFileData.nLine, 2);
        EXPECT_TRUE(b.game().ScrFileData.Cmd[0].IsFree());
        EXPECT_FALSE(zktest::FileExists("tmp/a.spt"));
    }
}

TEST(FlowCommands, CloseAndDeleteLeavesTheScriptsOtherWords) {
    ScriptBench b;
    ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", u8"#KeyWait"}));
    b.frame();
    b.frame();
    SCR_FILE_DATA& scr = b.game().ScrFileData;
    scr.CloseAndDelete();
    EXPECT_EQ(scr.fp, nullptr);
    EXPECT_FALSE(zktest::FileExists("tmp/test.spt"));
    EXPECT_STREQ(scr.szFileName, "test.spt");
    EXPECT_EQ(scr.nLine, 2);
    EXPECT_STREQ(scr.Cmd[0].szCommand, "#KeyWait");
}

// One input case of a wait: set-up before the wait starts, then the frames it acts in.
struct WaitCase {
    const char* name;
    std::function<void(ScriptBench&)> setUp;
    std::function<void(ScriptBench&)> act;
    bool ends;
};

void Press(ScriptBench& b, int key) {
    b.hold(key, true);
    b.frame();
    b.hold(key, false);
    b.frame();
}

void OverVoiceButton(ScriptBench& b) {
    MSG_WINDOW_DATA& w = b.game().MsgWindowData;
    ASSERT_EQ(w.WindowOpen(0), 1);
    b.point(w.nX + 553 + 39 * MSG_BUTTON_VOICE + 16, w.nY + 21);
}

void RunWaitCases(const char* line, const std::vector<WaitCase>& cases) {
    for (const WaitCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptBench b;
        ASSERT_TRUE(b.open({u8"// c", U8(line), u8"#EndScript"}));
        b.frame();
        if (c.setUp) c.setUp(b);
        b.frame();
        if (c.act) c.act(b);
        EXPECT_EQ(b.game().ScrFileData.Cmd[0].IsFree(), c.ends);
        b.frame();
        EXPECT_EQ(b.game().ScrFileData.nEndScriptFlg, c.ends ? 1u : 0u);
        EXPECT_EQ(b.lines(), Lines{});
    }
}

TEST(FlowCommands, KeyWaitEndsOnAClickCtrlSkipOrAutoAdvance) {
    const auto ctrl = [](ScriptBench& b) {
        b.hold(platform::VK_CONTROL, true);
        b.frame();
    };
    const auto skip = [](ScriptBench& b) { AllowSkip(b.game()); };
    const auto hidden = [](ScriptBench& b) { b.game().nMsgWndDispFlg = 0; };
    const auto browsing = [](ScriptBench& b) { b.game().MsgWindowData.nBackLogNo = 0; };
    // The message began this long before the next frame's time.
    const auto messageAge = [](std::uint32_t ms, bool barUsed) {
        return [ms, barUsed](ScriptBench& b) {
            MSG_WINDOW_DATA& w = b.game().MsgWindowData;
            w.nAutoFlg = 1;
            w.nBarUseFlg = barUsed ? 1 : 0;
            w.dwMsgStartTime = b.kit().clock().now() - ms;
            b.frame();
        };
    };
    RunWaitCases(
        "#KeyWait",
        {
            {"nothing", nullptr, [](ScriptBench& b) { b.frame(); }, false},
            {"click", nullptr, [](ScriptBench& b) { b.click(); }, true},
            {"return", nullptr, [](ScriptBench& b) { Press(b, platform::VK_RETURN); }, true},
            {"return with the button held",
             [](ScriptBench& b) { b.hold(platform::VK_LBUTTON, true); },
             [](ScriptBench& b) { Press(b, platform::VK_RETURN); }, false},
            {"ctrl", nullptr, ctrl, true},
            {"skip", skip, nullptr, true},
            {"skip past the read limit",
             [&](ScriptBench& b) {
                 skip(b);
                 b.game().nScrSkipLine = 2;
             },
             [](ScriptBench& b) { b.frame(); }, false},
            {"skip with a screen open",
             [&](ScriptBench& b) {
                 skip(b);
                 b.game().MsgWindowData.nBarUseFlg = 1;
             },
             [](ScriptBench& b) { b.frame(); }, false},
            {"auto at 1000 ms", nullptr, messageAge(1000, false), true},
            {"auto at 999 ms", nullptr, messageAge(999, false), false},
            {"auto with the bar used", nullptr, messageAge(5000, true), false},
            {"click over a bar button", OverVoiceButton, [](ScriptBench& b) { b.click(); }, false},
            {"ctrl over a bar button", OverVoiceButton, ctrl, true},
            {"click while hidden", hidden, [](ScriptBench& b) { b.click(); }, false},
            {"ctrl while hidden", hidden, ctrl, false},
            {"skip while browsing",
             [&](ScriptBench& b) {
                 skip(b);
                 browsing(b);
             },
             [](ScriptBench& b) { b.frame(); }, false},
            {"click while browsing", browsing, [](ScriptBench& b) { b.click(); }, false},
        });
}

TEST(FlowCommands, TimeWaitEndsEarlyByTheWindowsState) {
    const auto ctrl = [](ScriptBench& b) {
        b.hold(platform::VK_CONTROL, true);
        b.frame();
    };
    const auto ctrlClick = [](ScriptBench& b) {
        b.hold(platform::VK_CONTROL, true);
        b.click();
    };
    const auto click = [](ScriptBench& b) { b.click(); };
    const auto skip = [](ScriptBench& b) { AllowSkip(b.game()); };
    const auto open = [](ScriptBench& b) { ASSERT_EQ(b.game().MsgWindowData.WindowOpen(0), 1); };
    const auto openHidden = [&](ScriptBench& b) {
        open(b);
        b.game().nMsgWndDispFlg = 0;
    };
    RunWaitCases("#TimeWait 100000",
                 {
                     {"closed: nothing", nullptr, [](ScriptBench& b) { b.frame(); }, false},
                     {"closed: ctrl", nullptr, ctrl, true},
                     {"closed: click", nullptr, click, true},
                     {"closed: return", nullptr,
                      [](ScriptBench& b) { Press(b, platform::VK_RETURN); }, true},
                     {"closed: skip", skip, nullptr, true},
                     {"open: click", open, click, false},
                     {"open: ctrl", open, ctrl, false},
                     {"open: click with ctrl", open, ctrlClick, true},
                     {"open: click with ctrl over a bar button", OverVoiceButton, ctrlClick, true},
                     {"open: skip",
                      [&](ScriptBench& b) {
                          open(b);
                          skip(b);
                      },
                      nullptr, true},
                     {"hidden: click with ctrl", openHidden, ctrlClick, false},
                     {"hidden: skip",
                      [&](ScriptBench& b) {
                          openHidden(b);
                          skip(b);
                      },
                      [](ScriptBench& b) { b.frame(); }, false},
                 });
}

// Frames are 16 ms apart: a wait of 31 ms ends at 32 ms, one of 32 ms only at 48,
// also when the clock wraps meanwhile. Save, load and settings are off until then.
TEST(FlowCommands, TimeWaitEndsOnceItsTimeIsExceededAcrossTheClocksWrap) {
    const struct {
        std::uint32_t duration;
        std::uint32_t endsAt;
    } cases[] = {{31, 32}, {32, 48}, {0, 16}, {600000, 600016}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.duration);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        b.kit().clock().set(0xFFFFFFFFu - 35);
        ASSERT_TRUE(
            b.open(ScriptBench::Script{u8"// c", U8("#TimeWait " + std::to_string(c.duration))}));
        b.frame();
        b.frame();
        const std::uint32_t start = g.ScrFileData.Cmd[0].dwStartTime;
        EXPECT_EQ(start, 0xFFFFFFFFu - 19);
        std::uint32_t elapsed = 0;
        while (!g.ScrFileData.Cmd[0].IsFree() && elapsed <= c.endsAt) {
            EXPECT_EQ(g.ScrFileData.Cmd[0].nWaitFlg, 1u);
            EXPECT_EQ(g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg, 0u);
            b.frame();
            elapsed = g.dwNowTime - start;
        }
        EXPECT_EQ(elapsed, c.endsAt);
        EXPECT_EQ(g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg, 3u);
        EXPECT_EQ(b.lines(), Lines{});
    }
}

TEST(FlowCommands, ANegativeTimeWaitIsRefusedBeforeItHoldsAnything) {
    ScriptBench b;
    ASSERT_TRUE(b.open({u8"// c", u8"#TimeWait -1", u8"#EndIf 1"}));
    EXPECT_TRUE(b.runToEnd());
    EXPECT_EQ(b.lines(), Failed("Error: <GAMEMAIN::TimeWaitProc> [#TimeWait] 第1引数が不正です: -1",
                                2, "#TimeWait"));
    EXPECT_TRUE(b.game().ScrFileData.Cmd[0].IsFree());
    EXPECT_EQ(b.game().nSaveEnableFlg, 1u);
}

}  // namespace
