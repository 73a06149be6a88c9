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

const std::string kEnd = "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です";
const std::string kScrExeWarn = "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました";
const std::string kNoFile = "Error: <GAMEMAIN::ScrMain> ファイルポインタが失われています";
const std::string kFailed = "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました";
const std::string kMainFailed =
    "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました";
const std::string kNoVariable = "Message: <GAMEMAIN::IDSerch> 変数データのIDと照合しませんでした";
const std::string kIfNoVariable =
    "Message: <GAMEMAIN::IfProc> 合致する変数IDが見つかりませんでした";
const std::string kNoCharacter =
    "Message: <GAMEMAIN::IDSerch> キャラデータのIDと照合しませんでした";

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

std::string Info(int line, const std::string& word) {
    return "---Error Info--- File: test.spt Line: " + std::to_string(line) + " Command: " + word;
}

void SetVariable(GAMEMAIN& g, const char* szName, std::int32_t value) {
    std::int32_t index = -1;
    ASSERT_EQ(g.IDSerch(szName, 3, &index), 1u);
    g.pVarData[index].nValue = value;
}

// The condition's line, then its true branch (#RandomEnd) and its false one
// (#Love_Jadge_End): which of the two ran, or "failed" with the slot freed.
std::string Branch(ScriptBench& b, const std::string& condition) {
    if (!b.open({u8"// c", U8(condition), u8"#RandomEnd 8", u8"#Else 1", u8"#Love_Jadge_End 9",
                 u8"#EndIf 1"})) {
        return "not opened";
    }
    b.runToEnd();
    if (b.lastResult == -1) return b.game().ScrFileData.Cmd[0].IsFree() ? "failed" : "held";
    if (b.count("#RandomEnd") + b.count("#Love_Jadge_End") != 1) return "both or neither";
    return b.count("#RandomEnd") == 1 ? "true" : "false";
}

// Signed comparisons, and the bit tests with bits counted from 1 to 32.
TEST(ConditionCommands, EveryOperatorComparesAsWritten) {
    const struct {
        const char* condition;
        const char* branch;
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
        {"#If 5 & 0 1", "failed"},
        {"#If 5 & 33 1", "failed"},
        {"#If 5 ! 0 1", "failed"},
        {"#If 5 ! 33 1", "failed"},
        {"#If 5 => 3 1", "failed"},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        EXPECT_EQ(Branch(b, c.condition), c.branch) << c.condition;
    }
}

// An operand is a variable first, then a character's love, then the number written;
// each failed look-up is told.
TEST(ConditionCommands, AnOperandIsAVariableThenACharactersLoveThenANumber) {
    ScriptBench b;
    GAMEMAIN& g = b.game();
    SetVariable(g, "HELP", 2);
    ZKCHAR& hero = b.character();
    hero.nLoveValue = 7;
    std::strcpy(hero.szID, "HELP");
    EXPECT_EQ(Branch(b, "#If HELP = 2 1"), "true");
    EXPECT_EQ(b.lines(), (Lines{kNoVariable, kIfNoVariable, kNoCharacter, kEnd}));

    ScriptBench c;
    c.character().nLoveValue = 7;
    std::strcpy(c.character().szID, "5");
    EXPECT_EQ(Branch(c, "#If 5 = 7 1"), "true");
    EXPECT_EQ(c.lines(),
              (Lines{kNoVariable, kIfNoVariable, kNoVariable, kIfNoVariable, kNoCharacter, kEnd}));
}

// #If_C reads a character's love or event flags, or a costume's flag word, and tests
// it as #If does; every other subject or kind is refused.
TEST(ConditionCommands, CharacterConditionsTestLoveEventFlagsAndCostumes) {
    const std::string tag = "Error: <GAMEMAIN::BrIf_CProc> ";
    const struct {
        const char* condition;
        const char* branch;
        const char* error;
    } cases[] = {
        {"#If_C HERO >= 5 LOVE 1", "true", nullptr},
        {"#If_C HERO > 5 love 1", "false", nullptr},
        {"#If_C HERO & 3 EVENTFLG 1", "true", nullptr},
        {"#If_C HERO & 2 EVENTFLG 1", "false", nullptr},
        {"#If_C HERO & 32 EVENTFLG 1", "true", nullptr},
        {"#If_C HERO ! 3 EventFlg 1", "false", nullptr},
        {"#If_C CLOTHES01 = 11 EVENTFLG 1", "true", nullptr},
        {"#If_C clothes08 = 18 EVENTFLG 1", "true", nullptr},
        {"#If_C CLOTHES09 = 19 EVENTFLG 1", "failed", "合致するキャラIDが見つかりませんでした"},
        {"#If_C NOBODY = 0 LOVE 1", "failed", "合致するキャラIDが見つかりませんでした"},
        {"#If_C HERO = 5 HEIGHT 1", "failed", "不正な比較対象を指定しています"},
        {"#If_C CLOTHES01 = 11 LOVE 1", "failed", "不正な比較対象を指定しています"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.condition);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        b.character().nLoveValue = 5;
        b.character().dwEventFlg = 0x80000004u;
        for (int i = 0; i < 14; ++i) g.nClothesFlg[i] = 11 + i;
        EXPECT_EQ(Branch(b, c.condition), c.branch);
        if (c.error == nullptr) continue;
        EXPECT_EQ(b.lines().at(b.lines().size() - 4), tag + c.error);
    }
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

// A branch's #ElseIf_C is refused under the #If's tag, with its own text for a
// wrong kind of a character.
TEST(ConditionCommands, ALaterCharacterConditionIsCheckedAsItIsTaken) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"#ElseIf_C NOBODY = 1 LOVE 1", "合致するキャラIDが見つかりませんでした"},
        {"#ElseIf_C HERO = 1 HEIGHT 1", "#ElseIf_Cの第四引数は定義されていない値です"},
        {"#ElseIf_C CLOTHES02 = 1 LOVE 1", "不正な比較対象を指定しています"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        ASSERT_TRUE(b.open({u8"// c", u8"#If HELP = 1 1", U8(c.line), u8"#EndIf 1"}));
        b.runToEnd();
        EXPECT_EQ(b.lastResult, -1);
        const Lines lines = b.lines();
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
                  (Lines{std::string("Error: <GAMEMAIN::IfProc> ") + c.error, kFailed, kMainFailed,
                         Info(2, "#If")}));
        EXPECT_TRUE(b.game().ScrFileData.Cmd[0].IsFree());
    }
}

// The judge enters its block for the highest love (with FALSE the lowest), ties
// included; otherwise the block is passed.
TEST(ConditionCommands, TheLoveJudgeEntersForTheHighestOrLowestTiesIncluded) {
    const struct {
        const char* line;
        std::int32_t loves[3];
        bool entered;
    } cases[] = {
        {"#Love_Jadge_Start B TRUE 1", {1, 5, 3}, true},
        {"#Love_Jadge_Start B TRUE 1", {5, 5, 3}, true},
        {"#Love_Jadge_Start B TRUE 1", {6, 5, 3}, false},
        {"#Love_Jadge_Start B false 1", {5, 3, 3}, true},
        {"#Love_Jadge_Start B FALSE 1", {5, 3, 2}, false},
        {"#Love_Jadge_Start C FALSE 1", {-1, 0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.line << " " << c.loves[0] << c.loves[1] << c.loves[2]);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        g.pCharData = std::make_unique<ZKCHAR[]>(3);
        g.nCharNum = 3;
        for (int i = 0; i < 3; ++i) {
            g.pCharData[i].szID[0] = static_cast<char>('A' + i);
            g.pCharData[i].nLoveValue = c.loves[i];
        }
        ASSERT_TRUE(b.open(
            {u8"// c", U8(c.line), u8"#RandomEnd 5", u8"#Love_Jadge_End 1", u8"#SelectEnd 6"}));
        b.runToEnd();
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(b.count("#RandomEnd"), c.entered ? 1 : 0);
        EXPECT_EQ(b.count("#Love_Jadge_End"), c.entered ? 1 : 0);
        EXPECT_EQ(b.count("#SelectEnd"), 1);
        EXPECT_EQ(b.lines(), Lines{kEnd});
    }
    ScriptBench b;
    EXPECT_EQ(Branch(b, "#Love_Jadge_Start NOBODY TRUE 1"), "failed");
    EXPECT_EQ(b.lines().at(1),
              "Error: <GAMEMAIN::Love_Jadge_StartProc> 合致するキャラIDが見つかりませんでした");
}

// Nothing inside a passed block runs, nested blocks included, whichever command
// passes it.
TEST(ConditionCommands, PassedBlocksRunNothingNestedOnesIncluded) {
    const Script body = {u8"#RandomEnd 2",       u8"#If HELP = 0 3",
                         u8"#Love_Jadge_End 3",  u8"#EndIf 3",
                         u8"#SelectStart 1 4 a", u8"#SelectBranch 1 4",
                         u8"#SelectEnd 4",       u8"#Love_Jadge_Start HERO TRUE 5",
                         u8"#Love_Jadge_End 5"};
    const struct {
        const char* name;
        Script head;
        Script tail;
        int ifs;
    } cases[] = {
        {"false #If", {u8"#If HELP = 1 1"}, {u8"#EndIf 1"}, 1},
        {"#Else after a true #If", {u8"#If HELP = 0 1", u8"#Else 1"}, {u8"#EndIf 1"}, 1},
        {"#ElseIf after a true #If",
         {u8"#If HELP = 0 1", u8"#ElseIf HELP = 0 1"},
         {u8"#EndIf 1"},
         1},
        {"#ElseIf_C after a true #If",
         {u8"#If HELP = 0 1", u8"#ElseIf_C HERO = 0 LOVE 1"},
         {u8"#EndIf 1"},
         1},
        {"love judge", {u8"#Love_Jadge_Start HERO FALSE 1"}, {u8"#Love_Jadge_End 1"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        // HERO is the only character: with FALSE it is the lowest, so make it miss.
        if (c.ifs == 0) {
            g.pCharData = std::make_unique<ZKCHAR[]>(2);
            g.nCharNum = 2;
            std::strcpy(g.pCharData[0].szID, "HERO");
            g.pCharData[0].nLoveValue = 1;
        }
        Script script = {u8"// c"};
        script.insert(script.end(), c.head.begin(), c.head.end());
        script.insert(script.end(), body.begin(), body.end());
        script.insert(script.end(), c.tail.begin(), c.tail.end());
        script.push_back(u8"#SelectEnd 9");
        ASSERT_TRUE(b.open(script));
        b.runToEnd();
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(b.count("#If"), c.ifs);
        for (const char* word : {"#RandomEnd", "#Love_Jadge_End", "#EndIf", "#SelectStart",
                                 "#SelectBranch", "#Love_Jadge_Start"}) {
            EXPECT_EQ(b.count(word), std::string(word) == "#Love_Jadge_Start" && c.ifs == 0 ? 1 : 0)
                << word;
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
        Script lines;
        int line;
        std::string word;
        std::string warn;
    } cases[] = {
        {{u8"#If HELP = 1 1", u8"#EndIf 2"}, 2, "#If", "Warn: <GAMEMAIN::IfProc> [#If] " + noEndIf},
        {{u8"#If HELP = 0 1", u8"#ElseIf HELP = 0 1", u8"#EndIf 2"},
         3,
         "#ElseIf",
         "Warn: <GAMEMAIN::ElseIfProc> " + noEndIf},
        {{u8"#If HELP = 0 1", u8"#ElseIf_C HERO = 0 LOVE 1"},
         3,
         "#ElseIf_C",
         "Warn: <GAMEMAIN::ElseIf_CProc> " + noEndIf},
        {{u8"#If HELP = 0 1", u8"#Else 1", u8"#EndIf 2"},
         3,
         "#Else",
         "Warn: <GAMEMAIN::ElseProc> " + noEndIf},
        {{u8"#If_C HERO = 1 LOVE 1"}, 2, "#If_C", "Warn: <GAMEMAIN::IfProc> [#If] " + noEndIf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        ScriptBench b;
        Script script = {u8"// c"};
        script.insert(script.end(), c.lines.begin(), c.lines.end());
        ASSERT_TRUE(b.open(script));
        b.runToEnd();
        EXPECT_EQ(b.lastResult, -1);
        const Lines lines = b.lines();
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
                  (Lines{c.warn, kScrExeWarn, Info(c.line, c.word), kNoFile}));
        EXPECT_EQ(b.game().ScrFileData.fp, nullptr);
        EXPECT_EQ(b.game().MsgWindowData.nButtonState[MSG_BUTTON_SKIP],
                  MSG_WINDOW_DATA::kButtonNormal);
        EXPECT_EQ(b.count("#EndIf"), 0);
    }
}

// The love judge's own end of file, with one character that is always the highest
// but never below itself.
TEST(ConditionCommands, ALoveJudgeWithoutItsEndWarnsAndClosesTheScript) {
    ScriptBench b;
    GAMEMAIN& g = b.game();
    g.pCharData = std::make_unique<ZKCHAR[]>(2);
    g.nCharNum = 2;
    std::strcpy(g.pCharData[0].szID, "HERO");
    g.pCharData[0].nLoveValue = 1;
    ASSERT_TRUE(b.open({u8"// c", u8"#Love_Jadge_Start HERO FALSE 1", u8"#EndIf 1"}));
    b.runToEnd();
    EXPECT_EQ(
        b.lines(),
        (Lines{
            "Warn: <GAMEMAIN::Love_Jadge_StartProc> #EndIf未検出のままファイルの終端に到達しました",
            kScrExeWarn, Info(2, "#Love_Jadge_Start"), kNoFile}));
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
