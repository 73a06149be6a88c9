#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

bool AllSlotsFree(ScriptBench& b) {
    for (const SCR_CMD_DATA& slot : b.game().ScrFileData.Cmd) {
        if (!slot.IsFree()) return false;
    }
    return true;
}

std::string Word(const std::string& line) { return line.substr(0, line.find(' ')); }

// Opens "// c", the set-up lines and the command, and runs the set-up to its end.
void RunUpTo(ScriptBench& b, const std::vector<std::string>& setUp, const std::string& command) {
    ScriptBench::Script script = {u8"// c"};
    for (const std::string& line : setUp) script.push_back(U8(line));
    script.push_back(U8(command));
    ASSERT_TRUE(b.open(script));
    const auto last = static_cast<std::int32_t>(setUp.size() + 1);
    ASSERT_TRUE(b.runUntil([&] { return b.game().ScrFileData.nLine == last && AllSlotsFree(b); }));
    b.clearLog();
}

enum class FORM { Slide, Instant, Wrong };

constexpr std::uint32_t kOff = MSG_WINDOW_DATA::kButtonDisable;
constexpr std::uint32_t kOn = MSG_WINDOW_DATA::kButtonNormal;

// The two windows in a line: the message window's y, open word and text, and the day
// window's day, shown word and x, or "none" before its set-up.
std::string Windows(const GAMEMAIN& g) {
    const MSG_WINDOW_DATA& m = g.MsgWindowData;
    const DAY_WINDOW_DATA& d = g.DayWindowData;
    std::string line = "msg y" + std::to_string(m.nY) +
                       (m.nOpenFlg != 0 ? " open '" : " closed '") + m.MsgData.szText + "', day ";
    if (d.nInitFlg == 0) return line + "none";
    return line + std::to_string(d.nDay) + (d.nDispFlg != 0 ? " shown x" : " hidden x") +
           std::to_string(d.nX);
}

// Each command in its three forms. A slide runs over several frames, INSTANT ends in
// its first call, any other word fails after giving the menus back. Every form shows
// the message window again, and none leaves the menus off. The message window stands
// aside (y 555) with a line as each command begins.
TEST(WindowCommands, SlideInstantAndAWrongWordForEachCommand) {
    const std::vector<std::string> msgOpen = {"#MsgWndOpen SLIDE 0"};
    const std::vector<std::string> dayOpen = {"#DayWndOpen SLIDE 0"};
    const struct {
        std::vector<std::string> setUp;
        const char* command;
        FORM form;
        const char* windows;
    } cases[] = {
        {{}, "#MsgWndOpen SLIDE 20", FORM::Slide, "msg y417 open 'words', day none"},
        {{}, "#MsgWndOpen instant", FORM::Instant, "msg y555 closed 'words', day none"},
        {{}, "#MsgWndOpen SLIDES 20", FORM::Wrong, "msg y555 closed 'words', day none"},
        {msgOpen, "#MsgWndClose SLIDE 20", FORM::Slide, "msg y600 closed '', day none"},
        {msgOpen, "#MsgWndClose INSTANT", FORM::Instant, "msg y555 closed '', day none"},
        {msgOpen, "#MsgWndClose CLOSE", FORM::Wrong, "msg y555 open 'words', day none"},
        {{}, "#DayWndOpen SLIDE 10", FORM::Slide, "msg y555 closed 'words', day 1 shown x2"},
        {{}, "#DayWndOpen INSTANT", FORM::Instant, "msg y555 closed 'words', day 1 hidden x-136"},
        {{}, "#DayWndOpen", FORM::Wrong, "msg y555 closed 'words', day 1 hidden x-136"},
        {dayOpen, "#DayWndClose SLIDE 10", FORM::Slide, "msg y555 closed 'words', day none"},
        {dayOpen, "#DayWndClose INSTANT", FORM::Instant, "msg y555 closed 'words', day none"},
        {dayOpen, "#DayWndClose 10", FORM::Wrong, "msg y555 closed 'words', day none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        RunUpTo(b, c.setUp, c.command);
        g.nMsgWndDispFlg = 0;
        g.MsgWindowData.MsgData.SetText("words");
        g.MsgWindowData.nY = 555;
        const std::string word = Word(c.command);
        const int before = b.count(word);
        EXPECT_TRUE(b.runToEnd());
        if (c.form == FORM::Wrong) {
            EXPECT_EQ(b.lastResult, -1);
            const auto line = static_cast<int>(c.setUp.size() + 2);
            EXPECT_EQ(b.lines(), ScriptBench::FailureLines("Error: <GAMEMAIN::" + word.substr(1) +
                                                               "Proc> 第二引数が不正です",
                                                           line, word));
        } else {
            EXPECT_EQ(b.lastResult, 2);
            EXPECT_EQ(b.lines(),
                      Lines{"Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"});
        }
        const int calls = b.count(word) - before;
        if (c.form == FORM::Slide) {
            EXPECT_GT(calls, 1);
        } else {
            EXPECT_EQ(calls, 1);
        }
        EXPECT_EQ(Windows(g), c.windows);
        EXPECT_EQ(g.nMsgWndDispFlg, 1u);
        EXPECT_EQ(g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg, 3u);
        EXPECT_TRUE(AllSlotsFree(b));
    }
}

// While a window moves, saving, loading, the settings and the whole bar are off; help
// is not touched. After the slide the bar comes back, its backlog-back button only
// when there is a backlog to page and its forward button only while paging.
TEST(WindowCommands, ASlideHoldsTheMenusAndTheBarOff) {
    const struct {
        std::vector<std::string> setUp;
        const char* command;
        // The open window's own rule: no voice to replay.
        bool bVoiceOff;
    } cases[] = {
        {{}, "#MsgWndOpen SLIDE 20", true},
        {{"#MsgWndOpen SLIDE 0"}, "#MsgWndClose SLIDE 20", false},
        {{}, "#DayWndOpen SLIDE 10", false},
        {{"#DayWndOpen SLIDE 0"}, "#DayWndClose SLIDE 10", false},
    };
    for (const auto& c : cases) {
        for (const bool bBackLog : {false, true}) {
            SCOPED_TRACE(std::string(c.command) + (bBackLog ? " with a backlog" : ""));
            ScriptBench b;
            GAMEMAIN& g = b.game();
            RunUpTo(b, c.setUp, c.command);
            g.MsgWndStatusChange(8, 1);
            g.MsgWndStatusChange(1023, 1);
            if (bBackLog) g.MsgWindowData.SetBackLog(nullptr, "line", nullptr);
            ASSERT_TRUE(b.runUntil([&] { return b.count(Word(c.command)) >= 1; }));
            ASSERT_FALSE(AllSlotsFree(b));
            EXPECT_EQ(g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg, 0u);
            EXPECT_EQ(g.nHelpEnableFlg, 1u);
            for (const std::uint32_t state : g.MsgWindowData.nButtonState) EXPECT_EQ(state, kOff);
            EXPECT_TRUE(b.runToEnd());
            EXPECT_EQ(b.lastResult, 2);
            EXPECT_EQ(g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg, 3u);
            EXPECT_EQ(g.nHelpEnableFlg, 1u);
            const std::uint32_t back = bBackLog ? kOn : kOff;
            const std::uint32_t voice = c.bVoiceOff ? kOff : kOn;
            const std::vector<std::uint32_t> expected = {kOn, kOn, voice, back, kOff, kOn};
            EXPECT_EQ(std::vector<std::uint32_t>(std::begin(g.MsgWindowData.nButtonState),
                                                 std::end(g.MsgWindowData.nButtonState)),
                      expected);
        }
    }
}

// A window that cannot slide gives the story back with a warning instead of holding
// it for ever; the next line runs and the menus are on.
TEST(WindowCommands, AWindowThatCannotSlideIsLeftWithAWarning) {
    const std::string info2 = "---Error Info--- File: test.spt Line: 2 Command: ";
    const std::string warned = "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました";
    const struct {
        const char* command;
        std::function<void(GAMEMAIN&)> before;
        bool bMidway;
        Lines lines;
    } cases[] = {
        {"#MsgWndOpen SLIDE 20",
         [](GAMEMAIN& g) { g.MsgWindowData.Release(); },
         false,
         {"Error: <MSG_WINDOW_DATA::WindowOpen> 初期化されていません",
          "Warn: <GAMEMAIN::MsgWndOpenProc> ウィンドウが初期化されていないため移動を打ち切りました",
          warned, info2 + "#MsgWndOpen"}},
        {"#DayWndOpen SLIDE 10",
         [](GAMEMAIN& g) { g.DayWindowData.Release(); },
         true,
         {"Error: <DAY_WINDOW_DATA::WindowOpen> 初期化されていません",
          "Warn: <GAMEMAIN::DayWndOpenProc> ウィンドウが初期化されていないため移動を打ち切りました",
          warned, info2 + "#DayWndOpen"}},
        {"#DayWndOpen SLIDE 10",
         [](GAMEMAIN& g) { g.pVarData[g.nDayVarIndex].nValue = -1; },
         false,
         {"Error: <DAY_WINDOW_DATA::Initialize> 引数が不正です",
          "Warn: <GAMEMAIN::DayWndOpenProc> 日付ウィンドウの初期化に失敗しました", warned,
          info2 + "#DayWndOpen"}},
        {"#DayWndOpen INSTANT",
         [](GAMEMAIN& g) { g.pVarData[g.nDayVarIndex].nValue = -1; },
         false,
         {"Error: <DAY_WINDOW_DATA::Initialize> 引数が不正です",
          "Warn: <GAMEMAIN::DayWndOpenProc> 日付ウィンドウの初期化に失敗しました", warned,
          info2 + "#DayWndOpen"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        ASSERT_TRUE(b.open({u8"// c", U8(c.command), u8"#CharMove HERO 5 6"}));
        if (c.bMidway) {
            ASSERT_TRUE(b.runUntil([&] { return b.count(Word(c.command)) == 1; }));
            ASSERT_FALSE(AllSlotsFree(b));
        }
        c.before(g);
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(b.lastResult, 2);
        Lines expected = c.lines;
        expected.push_back("Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です");
        EXPECT_EQ(b.lines(), expected);
        EXPECT_EQ(std::pair(b.character().nX, b.character().nY), std::pair(5, 6));
        EXPECT_EQ(g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg, 3u);
        EXPECT_EQ(g.MsgWindowData.nButtonState[MSG_BUTTON_SKIP], MSG_WINDOW_DATA::kButtonNormal);
    }
}

// A start-up that found no DAY variable leaves its index at -1: the day window shows
// day 0 and slides in.
TEST(WindowCommands, WithoutADayVariableTheDayWindowShowsDayZero) {
    ScriptBench b;
    GAMEMAIN& g = b.game();
    ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", u8"#DayWndOpen SLIDE 10"}));
    g.pVarData[g.nDayVarIndex].nValue = 7;
    g.nDayVarIndex = -1;
    EXPECT_TRUE(b.runToEnd());
    EXPECT_EQ(b.lastResult, 2);
    EXPECT_EQ(
        b.lines(),
        (Lines{"Warn: <GAMEMAIN::DayWndOpenProc> 変数DAYが登録されていないため0日目を表示します",
               "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"}));
    EXPECT_EQ(g.DayWindowData.nDay, 0);
    EXPECT_EQ(g.DayWindowData.nDispFlg, 1u);
    EXPECT_EQ(g.DayWindowData.nX, 2);
}

}  // namespace
