#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using Script = std::vector<std::u8string>;
using zktest::ScriptBench;

const std::string kScrExeWarn = "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました";
const std::string kNoFile = "Error: <GAMEMAIN::ScrMain> ファイルポインタが失われています";
const std::string kFailed = "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました";
const std::string kMainFailed =
    "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました";

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

std::string Info(int line, const std::string& word) {
    return "---Error Info--- File: test.spt Line: " + std::to_string(line) + " Command: " + word;
}

void SetVariable(GAMEMAIN& g, const char* szName, std::int32_t value) {
    std::int32_t index = -1;
    ASSERT_EQ(g.IDSerch(szName, 3, &index), 1u);
    g.pVarData[index].nValue = value;
}

// HELP is 2 and names a character too, as does "4"; four characters share the
// highest love, two the lowest.
void Cast(ScriptBench& b) {
    GAMEMAIN& g = b.game();
    SetVariable(g, "HELP", 2);
    const struct {
        const char* id;
        std::int32_t love;
    } cast[] = {{"HERO", 5}, {"TIE", 5}, {"HELP", 5}, {"4", 5},
                {"MID", 3},  {"LOW", 1}, {"LOW2", 1}};
    g.nCharNum = static_cast<std::int32_t>(std::size(cast));
    g.pCharData = std::make_unique<ZKCHAR[]>(std::size(cast));
    for (std::int32_t i = 0; i < g.nCharNum; ++i) {
        std::strcpy(g.pCharData[i].szID, cast[i].id);
        g.pCharData[i].nLoveValue = cast[i].love;
    }
    g.pCharData[0].dwEventFlg = 0x80000004u;
    for (int i = 0; i < 14; ++i) g.nClothesFlg[i] = 11 + i;
}

// A script of the lines given with '|' between them, after its comment line.
Script Parse(const std::string& lines) {
    Script script = {u8"// c"};
    for (std::size_t at = 0, bar = 0; at <= lines.size(); at = bar + 1) {
        bar = std::min(lines.find('|', at), lines.size());
        script.push_back(U8(lines.substr(at, bar - at)));
    }
    return script;
}

// The block's lines, then a true branch (#RandomEnd) and the rest: "true" when that
// branch ran, "false" when not, or the first error line.
std::string Branch(const std::string& block) {
    ScriptBench b;
    Cast(b);
    if (!b.open(Parse(block + "|#RandomEnd 8|#Else 1|#Love_Jadge_End 1|#EndIf 1"))) return "closed";
    b.runToEnd();
    for (const std::string& line : b.lines()) {
        if (line.starts_with("Error:")) return line;
    }
    return b.count("#RandomEnd") == 1 ? "true" : "false";
}

// Signed comparisons and bit tests (bits 1 to 32); operands looked up as variable,
// character's love, number; #If_C and #ElseIf_C on love, event flags and costume
// flags; the love judge with ties.
TEST(ConditionCommands, EveryConditionDecidesItsBranch) {
    const std::string bits = "Error: <GAMEMAIN::IfProc> [#If] bit値が不正です";
    const std::string noChar = "合致するキャラIDが見つかりませんでした";
    const std::string badKind = "不正な比較対象を指定しています";
    const struct {
        const char* block;
        std::string branch;
    } cases[] = {
        {"#If -1 < 1 1", "true"},
        {"#If 1 < 1 1", "false"},
        {"#If 1 > -1 1", "true"},
        {"#If 1 > 1 1", "false"},
        {"#If 2 = 2 1", "true"},
        {"#If 2 = 3 1", "false"},
        {"#If 2 >= 2 1", "true"},
        {"#If 1 >= 2 1", "false"},
        {"#If 2 <= 2 1", "true"},
        {"#If 3 <= 2 1", "false"},
        {"#If 2 != 3 1", "true"},
        {"#If 2 != 2 1", "false"},
        {"#If 5 & 3 1", "true"},
        {"#If 5 & 2 1", "false"},
        {"#If 1 & 1 1", "true"},
        {"#If 2 & 1 1", "false"},
        {"#If -2147483648 & 32 1", "true"},
        {"#If 2147483647 & 32 1", "false"},
        {"#If 5 ! 2 1", "true"},
        {"#If 5 ! 1 1", "false"},
        {"#If 2147483647 ! 32 1", "true"},
        {"#If 5 & 0 1", bits},
        {"#If 5 & 33 1", bits},
        {"#If 5 ! 0 1", bits},
        {"#If 5 ! 33 1", bits},
        {"#If 5 => 3 1", "Error: <GAMEMAIN::IfProc> [#If] 定義されていない比較演算子です"},
        {"#If HELP = 2 1", "true"},
        {"#If MID = 3 1", "true"},
        {"#If 4 = 5 1", "true"},
        {"#If_C HERO >= 5 LOVE 1", "true"},
        {"#If_C HERO > 5 love 1", "false"},
        {"#If_C HERO & 3 EVENTFLG 1", "true"},
        {"#If_C HERO & 2 EVENTFLG 1", "false"},
        {"#If_C HERO & 32 EVENTFLG 1", "true"},
        {"#If_C HERO ! 3 EventFlg 1", "false"},
        {"#If_C CLOTHES01 = 11 EVENTFLG 1", "true"},
        {"#If_C clothes08 = 18 EVENTFLG 1", "true"},
        {"#If_C CLOTHES09 = 19 EVENTFLG 1", "Error: <GAMEMAIN::BrIf_CProc> " + noChar},
        {"#If_C HERO = 5 HEIGHT 1", "Error: <GAMEMAIN::BrIf_CProc> " + badKind},
        {"#If_C CLOTHES01 = 11 LOVE 1", "Error: <GAMEMAIN::BrIf_CProc> " + badKind},
        {"#If 0 = 1 1|#ElseIf_C MID = 3 LOVE 1", "true"},
        {"#If 0 = 1 1|#ElseIf_C CLOTHES02 & 1 EVENTFLG 1", "false"},
        {"#If 0 = 1 1|#ElseIf_C NOBODY = 1 LOVE 1", "Error: <GAMEMAIN::IfProc> " + noChar},
        {"#If 0 = 1 1|#ElseIf_C HERO = 1 HEIGHT 1",
         "Error: <GAMEMAIN::IfProc> #ElseIf_Cの第四引数は定義されていない値です"},
        {"#If 0 = 1 1|#ElseIf_C CLOTHES02 = 1 LOVE 1", "Error: <GAMEMAIN::IfProc> " + badKind},
        {"#Love_Jadge_Start HERO TRUE 1", "true"},
        {"#Love_Jadge_Start TIE true 1", "true"},
        {"#Love_Jadge_Start MID TRUE 1", "false"},
        {"#Love_Jadge_Start MID FALSE 1", "false"},
        {"#Love_Jadge_Start LOW2 FALSE 1", "true"},
        {"#Love_Jadge_Start LOW TRUE 1", "false"},
        {"#Love_Jadge_Start NOBODY TRUE 1", "Error: <GAMEMAIN::Love_Jadge_StartProc> " + noChar}};
    for (const auto& c : cases) EXPECT_EQ(Branch(c.block), c.branch) << c.block;
}

// Each look-up that finds nothing is told before the next is tried.
TEST(ConditionCommands, AnOperandsFailedLookUpsAreTold) {
    ScriptBench b;
    Cast(b);
    ASSERT_TRUE(b.open({u8"// c", u8"#If 4 = HELP 1", u8"#EndIf 1"}));
    b.frame();
    b.frame();
    EXPECT_EQ(b.lines(),
              (Lines{"Message: <GAMEMAIN::IDSerch> 変数データのIDと照合しませんでした",
                     "Message: <GAMEMAIN::IfProc> 合致する変数IDが見つかりませんでした"}));
}

// After a false #If the block's later branches are tried one per frame, and the
// first that holds runs alone; an #ElseIf_C is read as #If_C reads its line.
TEST(ConditionCommands, TheFirstTrueBranchRunsAndEachConditionTakesAFrame) {
    const struct {
        int help;
        int love;
        int conditions;
        int endIf, randomEnd, loveEnd, selectEnd;
    } cases[] = {
        {1, 0, 1, 1, 0, 0, 0},
        // Both #ElseIf hold: the first runs.
        {2, 0, 2, 0, 1, 0, 0},
        {3, 0, 3, 0, 0, 1, 0},
        {-1, 4, 4, 0, 0, 0, 1},
        // The #Else branch, whose own #EndIf then runs.
        {-1, 0, 4, 2, 0, 0, 0},
    };
    const Script script = {u8"// c",
                           u8"#If HELP = 1 2",
                           u8"#EndIf 91",
                           u8"#ElseIf HELP = 2 2",
                           u8"#RandomEnd 92",
                           u8"#ElseIf HELP >= 2 2",
                           u8"#Love_Jadge_End 93",
                           u8"#ElseIf_C HERO = 4 LOVE 2",
                           u8"#SelectEnd 94",
                           u8"#Else 2",
                           u8"#EndIf 95",
                           u8"#EndIf 2"};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.help << " " << c.love);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        SetVariable(g, "HELP", c.help);
        b.character().nLoveValue = c.love;
        ASSERT_TRUE(b.open(script));
        b.frame();
        // One condition a frame, with the bar off until a branch is chosen.
        for (int frame = 1; frame <= c.conditions; ++frame) {
            b.frame();
            EXPECT_EQ(b.count("#If"), frame);
            EXPECT_EQ(g.MsgWindowData.nButtonState[MSG_BUTTON_SKIP],
                      frame < c.conditions ? MSG_WINDOW_DATA::kButtonDisable
                                           : MSG_WINDOW_DATA::kButtonNormal);
        }
        b.runToEnd();
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(b.count("#If"), c.conditions);
        EXPECT_EQ(b.count("#EndIf"), c.endIf);
        EXPECT_EQ(b.count("#RandomEnd"), c.randomEnd);
        EXPECT_EQ(b.count("#Love_Jadge_End"), c.loveEnd);
        EXPECT_EQ(b.count("#SelectEnd"), c.selectEnd);
    }
}

// Nothing inside a passed block runs, nested blocks included, whichever command
// passes it.
TEST(ConditionCommands, PassedBlocksRunNothingNestedOnesIncluded) {
    const std::string body =
        "#RandomEnd 2|#If HELP = 2 3|#Love_Jadge_End 3|#EndIf 3|#SelectStart 1 4 a|"
        "#SelectBranch 1 4|#SelectEnd 4|#Love_Jadge_Start HERO TRUE 5|#Love_Jadge_End 5|";
    const struct {
        const char* head;
        const char* tail;
        std::string word;
    } cases[] = {{"#If HELP = 1 1|", "#EndIf 1", "#If"},
                 {"#If HELP = 2 1|#Else 1|", "#EndIf 1", "#If"},
                 {"#If HELP = 2 1|#ElseIf HELP = 2 1|", "#EndIf 1", "#If"},
                 {"#If HELP = 2 1|#ElseIf_C HERO = 5 LOVE 1|", "#EndIf 1", "#If"},
                 {"#Love_Jadge_Start HERO FALSE 1|", "#Love_Jadge_End 1", "#Love_Jadge_Start"},
                 {"#SelectBranch 1 1|", "#SelectEnd 1", "#SelectBranch"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head);
        ScriptBench b;
        Cast(b);
        ASSERT_TRUE(b.open(Parse(c.head + body + c.tail + "|#SelectEnd 9")));
        b.runToEnd();
        EXPECT_EQ(b.lastResult, 2);
        for (const char* word : {"#If", "#Love_Jadge_Start", "#SelectBranch", "#RandomEnd",
                                 "#Love_Jadge_End", "#EndIf", "#SelectStart"}) {
            EXPECT_EQ(b.count(word), word == c.word ? 1 : 0) << word;
        }
        EXPECT_EQ(b.count("#SelectEnd"), 1);
    }
}

// A block that never ends warns under the command that looked for its end, names
// that command's own line, and closes the script, which the next frame finds
// missing.
TEST(ConditionCommands, ABlockWithoutItsEndWarnsNamesTheCommandAndClosesTheScript) {
    const std::string noEndIf = "#EndIf未検出のままファイルの終端に到達しました";
    const struct {
        const char* lines;
        int line;
        std::string word;
        std::string warn;
    } cases[] = {
        {"#If HELP = 1 1|#EndIf 2", 2, "#If", "Warn: <GAMEMAIN::IfProc> [#If] " + noEndIf},
        {"#If_C HERO = 1 LOVE 1", 2, "#If_C", "Warn: <GAMEMAIN::IfProc> [#If] " + noEndIf},
        {"#If HELP = 2 1|#ElseIf HELP = 2 1|#EndIf 2", 3, "#ElseIf",
         "Warn: <GAMEMAIN::ElseIfProc> " + noEndIf},
        {"#If HELP = 2 1|#ElseIf_C HERO = 5 LOVE 1", 3, "#ElseIf_C",
         "Warn: <GAMEMAIN::ElseIf_CProc> " + noEndIf},
        {"#If HELP = 2 1|#Else 1|#EndIf 2", 3, "#Else", "Warn: <GAMEMAIN::ElseProc> " + noEndIf},
        {"#Love_Jadge_Start HERO FALSE 1|#EndIf 1", 2, "#Love_Jadge_Start",
         "Warn: <GAMEMAIN::Love_Jadge_StartProc> " + noEndIf}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        ScriptBench b;
        Cast(b);
        ASSERT_TRUE(b.open(Parse(c.lines)));
        b.runToEnd();
        const Lines lines = b.lines();
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
                  (Lines{c.warn, kScrExeWarn, Info(c.line, c.word), kNoFile}));
        EXPECT_EQ(b.game().MsgWindowData.nButtonState[MSG_BUTTON_SKIP],
                  MSG_WINDOW_DATA::kButtonNormal);
        EXPECT_EQ(b.count("#EndIf"), 0);
    }
}

// A line over the raw limit inside a passed block fails the scanning command and
// leaves its slot as it was.
TEST(ConditionCommands, AnOverlongLineInsideAScanFailsTheCommand) {
    ScriptBench b;
    const std::string overlong = "#RandomEnd " + std::string(600, 'x');
    ASSERT_TRUE(b.open({u8"// c", u8"#If HELP = DAY 1", U8(overlong), u8"#EndIf 1"}));
    b.runToEnd();
    EXPECT_EQ(b.lastResult, -1);
    EXPECT_EQ(b.lines(), (Lines{"Error: <GAMEMAIN::IfProc> 行が510バイトを超えています", kFailed,
                                kMainFailed, Info(2, "#If")}));
    const SCR_CMD_DATA& slot = b.game().ScrFileData.Cmd[0];
    EXPECT_STREQ(slot.szCommand, "#If");
    EXPECT_EQ(slot.nWaitFlg, 1u);
    EXPECT_EQ(b.game().ScrFileData.nLine, 3);
}

}  // namespace
