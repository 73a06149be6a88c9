#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

const std::string kScrExeWarn = "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました";
const std::string kScrExeFailed = "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました";
const std::string kScrMainFailed =
    "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました";
// "【選択肢】" in CP932, then the escape as shown text: a blank and a line feed.
const std::string kHeading = "\x81\x79\x91\x49\x91\xF0\x8E\x88\x81\x7A \n";

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

std::string Info(int line, const std::string& word) {
    return "---Error Info--- File: test.spt Line: " + std::to_string(line) + " Command: " + word;
}

// Runs the script until its choice stands open, picks plate k and runs on to the end.
void Choose(ScriptBench& b, int k) {
    ASSERT_TRUE(b.runUntil([&] { return b.count("#SelectWait") > 0; }));
    b.pickChoice(k);
    b.runToEnd();
}

// Each plate runs its own branch only, and the rest of the block is passed by the
// next branch's marker; the pick goes to the backlog under its heading.
TEST(ChoiceCommands, APickRunsItsBranchAndGoesToTheBacklog) {
    const struct {
        int pick;
        int endIf, randomEnd, loveEnd, selectEnd;
        const char* text;
    } cases[] = {
        {1, 1, 0, 0, 1, "Alpha"},
        {2, 0, 1, 0, 1, "Beta"},
        // The last branch meets the block's end marker itself.
        {3, 0, 0, 1, 2, "Gamma"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pick);
        ScriptBench b;
        ASSERT_TRUE(
            b.open({u8"// c", u8"#SelectStart 3 7 Alpha Beta Gamma", u8"#SelectBranch 1 7",
                    u8"#EndIf 1", u8"#SelectBranch 2 7", u8"#RandomEnd 2", u8"#SelectBranch 3 7",
                    u8"#Love_Jadge_End 3", u8"#SelectEnd 7", u8"#SelectEnd 8"}));
        GAMEMAIN& g = b.game();
        // Saving, loading and the bar stay off while the plates come in.
        ASSERT_TRUE(b.runUntil([&] { return b.count("#SelectStart") == 2; }));
        EXPECT_EQ(g.nSaveEnableFlg, 0u);
        EXPECT_EQ(g.ScrFileData.nReadFlg, 0u);
        Choose(b, c.pick);
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(b.count("#EndIf"), c.endIf);
        EXPECT_EQ(b.count("#RandomEnd"), c.randomEnd);
        EXPECT_EQ(b.count("#Love_Jadge_End"), c.loveEnd);
        EXPECT_EQ(b.count("#SelectEnd"), c.selectEnd);
        EXPECT_EQ(std::string(g.MsgWindowData.BackLog[0].szText), kHeading + c.text);
        EXPECT_EQ(g.MsgWindowData.BackLog[1].szText[0], '\0');
        EXPECT_EQ(g.SelectWindowData.nInitFlg, 0u);
        EXPECT_EQ(g.nSaveEnableFlg, 1u);
        EXPECT_EQ(g.ScrFileData.nNextReadFlg, 1u);
        EXPECT_EQ(b.lines(), Lines{"Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"});
    }
}

// A text must leave room for the backlog heading; every plate the count announces
// needs its text; a count of 1 to 3; a #SelectWait only for a choice that is open.
TEST(ChoiceCommands, MalformedChoicesAreRefused) {
    const std::string tag = "Error: <GAMEMAIN::SelectStartProc> [#SelectStart] ";
    const std::string longest(243, 'a');
    const struct {
        std::string line;
        bool opens;
        bool lockedAfter;
        Lines lines;
    } cases[] = {
        {"#SelectStart 2 1 " + longest + " b", true, false, {}},
        {"#SelectStart 2 1 b " + longest + "a",
         false,
         false,
         {tag + "第4引数が長すぎます: 244バイト (上限243バイト)"}},
        {"#SelectStart 3 1 a b", false, false, {tag + "第5引数が不正です: "}},
        {"#SelectStart 2 1", false, false, {tag + "第3引数が不正です: "}},
        // The count's own check comes after the bar is locked.
        {"#SelectStart 4 1 a b c d", false, true, {tag + "選択肢数が不正です"}},
        {"#SelectStart 0 1 a", false, true, {tag + "選択肢数が不正です"}},
        {"#SelectWait 1",
         false,
         false,
         {"Error: <GAMEMAIN::SelectWait> 選択肢ウィンドウが開かれていません"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        ASSERT_TRUE(b.open({u8"// c", U8(c.line), u8"#EndIf 1"}));
        b.frame();
        b.frame();
        GAMEMAIN& g = b.game();
        EXPECT_EQ(g.SelectWindowData.nInitFlg, c.opens ? 1u : 0u);
        if (c.opens) continue;
        EXPECT_EQ(b.lastResult, -1);
        Lines expected = c.lines;
        expected.insert(expected.end(), {kScrExeFailed, kScrMainFailed,
                                         Info(2, c.line.substr(0, c.line.find(' ')))});
        EXPECT_EQ(b.lines(), expected);
        EXPECT_TRUE(g.ScrFileData.Cmd[0].IsFree());
        EXPECT_EQ(g.nSaveEnableFlg, c.lockedAfter ? 0u : 1u);
        EXPECT_EQ(g.ScrFileData.nReadFlg, c.lockedAfter ? 0u : 1u);
    }
}

// The longest text fits its backlog entry whole: 255 bytes.
TEST(ChoiceCommands, TheLongestTextFitsTheBacklogWhole) {
    const std::string longest = std::string(242, 'a') + "z";
    ScriptBench b;
    ASSERT_TRUE(b.open(
        {u8"// c", U8("#SelectStart 1 1 " + longest), u8"#SelectBranch 1 1", u8"#SelectEnd 1"}));
    Choose(b, 1);
    const std::string entry = b.game().MsgWindowData.BackLog[0].szText;
    EXPECT_EQ(entry.size(), 255u);
    EXPECT_EQ(entry, kHeading + longest);
}

// A pick without a branch warns, names the choice's line and goes on after the
// block; a choice or branch running off the end of the file warns the same way, and
// only the branch closes the script.
TEST(ChoiceCommands, APickWithoutItsBranchOrEndWarnsAndTheStoryGoesOn) {
    const std::string noEnd = "#SelectEnd未検出のままファイルの終端に到達しました";
    const struct {
        const char* name;
        int pick;
        std::vector<std::u8string> tail;
        int randomEnd;
        bool closed;
        Lines lines;
    } cases[] = {
        {"no branch",
         2,
         {u8"#SelectBranch 1 1", u8"#EndIf 5", u8"#SelectEnd 1", u8"#RandomEnd 6"},
         1,
         false,
         {"Warn: <GAMEMAIN::SelectWait> #SelectBranchが呼び出されませんでした", kScrExeWarn,
          Info(2, "#SelectWait"), "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"}},
        {"no end for the pick",
         2,
         {u8"#SelectBranch 1 1", u8"#EndIf 5"},
         0,
         false,
         {"Warn: <GAMEMAIN::SelectWait> " + noEnd, kScrExeWarn, Info(2, "#SelectWait"),
          "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"}},
        {"no end for the branch",
         1,
         {u8"#SelectBranch 1 1", u8"#RandomEnd 6", u8"#SelectBranch 2 1", u8"#EndIf 5"},
         1,
         true,
         {"Warn: <GAMEMAIN::SelectBranchProc> " + noEnd, kScrExeWarn, Info(5, "#SelectBranch"),
          "Error: <GAMEMAIN::ScrMain> ファイルポインタが失われています"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptBench b;
        std::vector<std::u8string> script = {u8"// c", u8"#SelectStart 2 1 a b"};
        script.insert(script.end(), c.tail.begin(), c.tail.end());
        ASSERT_TRUE(b.open(script));
        Choose(b, c.pick);
        EXPECT_EQ(b.lines(), c.lines);
        EXPECT_EQ(b.count("#EndIf"), 0);
        EXPECT_EQ(b.count("#RandomEnd"), c.randomEnd);
        EXPECT_EQ(b.game().ScrFileData.fp == nullptr, c.closed);
        EXPECT_EQ(b.game().SelectWindowData.nInitFlg, 0u);
        EXPECT_EQ(b.game().ScrFileData.nSelectPhase, 0u);
    }
}

}  // namespace
