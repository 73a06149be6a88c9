// Malformed lines of every command word, fed to the interpreter as a script would
// give them: each names its file, line and word once, and none leaves a fault behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/input/VirtualKeys.h"
#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

constexpr const char* kScrExeFailed = "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました";
constexpr const char* kScrMainFailed =
    "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました";
constexpr const char* kScrExeWarned =
    "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました";
constexpr const char* kInfo = "---Error Info--- ";
constexpr const char* kClosed = "Error: <GAMEMAIN::ScrMain> ファイルポインタが失われています";

std::string A(std::size_t n) { return std::string(n, 'a'); }

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

std::string FirstWord(const std::string& line) { return line.substr(0, line.find(' ')); }

// What a refused line may not change: the words the system save writes, the
// already-read list, and every file outside tmp/.
struct KEPT {
    std::string words;
    std::map<std::string, std::string> files;

    explicit KEPT(const GAMEMAIN& g) {
        const auto add = [this](const auto& field) {
            words.append(reinterpret_cast<const char*>(&field), sizeof field);
        };
        add(g.nClothesFlg);
        add(g.ClothesSelectData.ClothesData);
        add(g.ClothesSelectData.nSortNo);
        add(g.nGameClearFlg);
        add(g.dwCGFlg);
        add(g.dwReplayFlg);
        add(g.AutoSkipFileData);
        namespace fs = std::filesystem;
        for (auto it = fs::recursive_directory_iterator("."); it != fs::end(it); ++it) {
            if (it->path() == "./tmp") {
                it.disable_recursion_pending();
                continue;
            }
            if (!it->is_regular_file()) continue;
            std::ifstream in(it->path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[it->path().string()] = bytes.str();
        }
    }
    bool operator==(const KEPT&) const = default;
};

enum class ACT { None, Pick, Click };

struct FORM {
    // The script below its comment line; the last line is the malformed one unless
    // named reports on an earlier line, counted from 1 in this list.
    Lines script;
    // The fragment the handler's line holds.
    std::string handler;
    ACT act = ACT::None;
    int named = 0;
    // The word the report names, when the interpreter rewrote the slot's.
    std::string word = "";
};

// Runs one form on a fresh bench and checks the lines it gives for this result.
void Sweep(const FORM& f, std::int32_t result) {
    std::string trace;
    for (const std::string& line : f.script) trace += line.substr(0, 60) + " / ";
    SCOPED_TRACE(trace);
    ScriptBench b;
    GAMEMAIN& g = b.game();
    std::vector<std::u8string> script = {u8"// sweep"};
    for (const std::string& line : f.script) script.push_back(U8(line));
    ASSERT_TRUE(b.open(script));
    const KEPT kept(g);
    b.lastResult = 0;
    if (f.act == ACT::Pick) {
        ASSERT_TRUE(b.runUntil([&] { return g.SelectWindowData.nInitFlg != 0; }, 300));
        b.runUntil([] { return false; }, 40);
        b.pickChoice(1);
    } else if (f.act == ACT::Click) {
        b.runUntil([] { return false; }, 10);
        b.click();
    }
    b.runToEnd(300);
    if (b.lastResult != -1) b.runUntil([] { return false; }, 30);
    Lines lines = b.lines();
    std::erase(lines, "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です");
    if (result == 0) {
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(lines, Lines{});
        return;
    }
    const int named = f.named != 0 ? f.named : static_cast<int>(f.script.size());
    const std::string word = f.word.empty() ? FirstWord(f.script[named - 1]) : f.word;
    const std::string info = std::string(kInfo) +
                             "File: test.spt Line: " + std::to_string(named + 1) +
                             " Command: " + word;
    const auto at = std::find(lines.begin(), lines.end(), info);
    ASSERT_NE(at, lines.end()) << ::testing::PrintToString(lines);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with(kInfo); }),
              1)
        << ::testing::PrintToString(lines);
    const Lines before = result == -1 ? Lines{kScrExeFailed, kScrMainFailed} : Lines{kScrExeWarned};
    const auto first = at - static_cast<std::ptrdiff_t>(before.size());
    ASSERT_GT(first - lines.begin(), 0) << ::testing::PrintToString(lines);
    EXPECT_EQ(Lines(first, at), before) << ::testing::PrintToString(lines);
    const std::string& handler = *(first - 1);
    EXPECT_NE(handler.find(f.handler), std::string::npos) << handler;
    const Lines after(at + 1, lines.end());
    if (result == -1) {
        EXPECT_EQ(b.lastResult, -1);
        EXPECT_EQ(after, Lines{});
        EXPECT_TRUE(KEPT(g) == kept);
    } else if (b.lastResult == -1) {
        // A scan that ran off the end closed the script.
        EXPECT_EQ(after, Lines{kClosed});
    } else {
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(after, Lines{});
    }
}

void SweepAll(const std::vector<FORM>& forms, std::int32_t result) {
    for (const FORM& f : forms) Sweep(f, result);
}

const std::string kBad = "引数が不正です";

TEST(MalformedLineSweep, DataBackgroundAndWipeRefusalsFail) {
    SweepAll(
        {
            {{"#LoadData"}, "不正な識別子です"},
            {{"#LoadData BG00 XXX"}, "不正な識別子です"},
            {{"#LoadData NOPE SURF"}, "合致するIDが見つかりませんでした"},
            {{"#LoadData BG00 TEX"}, "合致するIDが見つかりませんでした"},
            {{"#UnLoadData"}, "不正な識別子です"},
            {{"#UnLoadData BG00 XXX"}, "不正な識別子です"},
            {{"#UnLoadData NOPE SURF"}, "合致するIDが見つかりませんでした"},
            {{"#UnLoadData BG00 TEX"}, "合致するIDが見つかりませんでした"},
            {{"#BGDisp"}, ""},
            {{"#BGDisp NOPE"}, ""},
            {{"#WipeOut"}, ""},
            {{"#WipeOut BG00 FOO 4 100"}, ""},
            {{"#WipeOut NOPE BLIND_WAVE1 4 100"}, ""},
            {{"#WipeOut BG00 BLIND_WAVE1 0 100"}, "第3" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 -3 100"}, "第3" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 601 100"}, "第3" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 4 0"}, "第4" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 4 -1"}, "第4" + kBad},
            {{"#Wipe"}, ""},
            {{"#Wipe BG00 FOO 4 100"}, ""},
            {{"#Wipe NOPE BLIND_WAVE1 4 100"}, ""},
            {{"#Wipe BG00 BLIND_WAVE1 0 100"}, "第3" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 -3 100"}, "第3" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 601 100"}, "第3" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 4 0"}, "第4" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 4 -1"}, "第4" + kBad},
            {{"#WipeIn"}, ""},
            {{"#WipeIn BG00 BLIND_WAVE 100"}, ""},
            {{"#WipeOut BG01 BLIND_WAVE1 4 100", "#WipeIn BG00 BLIND_WAVE2 100"}, ""},
            {{"#WipeOut BG01 BLIND_WAVE1 4 100", "#WipeIn BG00 BLIND_WAVE 0"}, "第3" + kBad},
            {{"#MosaicExpansion NULL 64 100"}, "第1" + kBad},
            {{"#MosaicReduction NULL 64 100"}, "第1" + kBad},
        },
        -1);
}

TEST(MalformedLineSweep, PictureLayerAndCharacterRefusalsFail) {
    const std::string three = "#PrimAniInit 1 BG00 SURF 3 LOOP FALSE FALSE FALSE";
    SweepAll(
        {
            {{"#PrimAniInit 3 BG00 SURF 1 LOOP FALSE FALSE FALSE"}, "指定ナンバー外です"},
            {{"#PrimAniInit 1 NOPE SURF 1 LOOP FALSE FALSE FALSE"}, ""},
            {{"#PrimAniInit 1 BG00 XXX 1 LOOP FALSE FALSE FALSE"}, ""},
            {{"#PrimAniInit 1 BG00 SURF 1 FOO FALSE FALSE FALSE"}, "パターン指定"},
            {{"#PrimAniInit 1 BG00 SURF 1 LOOP X FALSE FALSE"}, "カラーキー"},
            {{"#PrimAniInit 1 BG00 SURF 1 LOOP FALSE FALSE X"}, "フェードフラグ"},
            {{"#PrimAniInit 1 BG00 SURF 0 LOOP FALSE FALSE FALSE"}, "第4" + kBad},
            {{"#PrimAniInit 1 BG00 SURF -1 LOOP FALSE FALSE FALSE"}, "第4" + kBad},
            {{"#PrimAniInit 1 BG00 SURF 1025 LOOP FALSE FALSE FALSE"}, "第4" + kBad},
            {{"#PrimAniSet 0 1 100 0 0 10 10"}, "指定ナンバー外です"},
            {{three, "#PrimAniSet 1 0 100 0 0 10 10"}, "最大値を超えています"},
            {{three, "#PrimAniSet 1 4 100 0 0 10 10"}, "最大値を超えています"},
            {{"#PrimAniDisp 3 0 0"}, "指定ナンバー外です"},
            {{"#PrimAniDisp 1 0 0"}, "表示する画像が設定されていません"},
            {{three, "#PrimAniInit 1 NULL SURF 1 LOOP FALSE FALSE FALSE", "#PrimAniDisp 1 0 0"},
             "表示する画像が設定されていません"},
            {{"#PrimAniUnDisp 0"}, "指定ナンバー外です"},
            {{"#PrimGraphicUnDisp 0"}, "指定ナンバー外です"},
            {{"#PrimGraphicDisp 3 BG00 0 0 0 0 10 10"}, "指定ナンバー外です"},
            {{"#PrimGraphicDisp 1 NOPE 0 0 0 0 10 10"}, ""},
            {{"#CharIn NOPE CENTER DEFAULT 1 1 100"}, ""},
            {{"#CharIn HERO CENTER DEFAULT 99 1 100"}, "第4" + kBad},
            {{"#CharIn HERO CENTER DEFAULT 1 99 100"}, "第5" + kBad},
            {{"#CharIn HERO CENTER DEFAULT -2147483648 1 100"}, "第4" + kBad},
            {{"#CharIn HERO CENTER DEFAULT 1 1 -5"}, "第6" + kBad},
            {{"#CharOut NOPE 100"}, ""},
            {{"#CharOut HERO -1"}, "第2" + kBad},
            {{"#CharMove NOPE LEFT DEFAULT"}, ""},
            {{"#CharaFaceChange NOPE 1 100"}, ""},
            {{"#CharaFaceChange HERO 99 100"}, "第2" + kBad},
            {{"#CharaFaceChange HERO 1 -1"}, "第3" + kBad},
            {{"#CharaBodyChange NOPE 1 100"}, ""},
            {{"#CharaBodyChange HERO 99 100"}, "第2" + kBad},
            {{"#CharaBodyChange HERO 0 100"}, "第2" + kBad},
            {{"#CharaBodyChange HERO 1 -1"}, "第3" + kBad},
            {{"#CharaFaceBodyChange NOPE 1 1 100"}, ""},
            {{"#CharaFaceBodyChange HERO 99 1 100"}, "第2" + kBad},
            {{"#CharaFaceBodyChange HERO 1 99 100"}, "第3" + kBad},
            {{"#CharaFaceBodyChange HERO 1 0 100"}, "第3" + kBad},
            {{"#CharaFaceBodyChange HERO 0 1 100"}, "第2" + kBad},
            {{"#CharaFaceBodyChange HERO 1 1 -1"}, "第4" + kBad},
            {{"#CtrlEyeAnimation NOPE 1 1 100"}, ""},
            {{"#CtrlEyeAnimation HERO 99 1 100"}, "第2" + kBad},
            {{"#CtrlEyeAnimation HERO 1 99 100"}, ""},
            {{"#CtrlEyeAnimation HERO 1 1 -1"}, "第4" + kBad},
        },
        -1);
}

TEST(MalformedLineSweep, WindowMessageAndChoiceRefusalsFail) {
    std::vector<FORM> forms;
    for (const std::string word : {"#MsgWndOpen", "#MsgWndClose", "#DayWndOpen", "#DayWndClose"}) {
        forms.push_back({{word}, ""});
        forms.push_back({{word + " FOO"}, ""});
        forms.push_back({{word + " SLIDE -5"}, "第2" + kBad});
    }
    const std::vector<FORM> more = {
        {{"#TimeWait -1"}, "第1" + kBad},
        {{"#FadeOut -1"}, "第1" + kBad},
        {{"#SelectStart 0 1"}, ""},
        {{"#SelectStart 4 1 a b c d"}, ""},
        {{"#SelectStart 2 1 a"}, ""},
        {{"#SelectStart 2 1 " + A(244) + " b"}, ""},
        {{"#SelectWait"}, ""},
        {{"#MsgDisp " + A(100) + " text"}, "第1引数が長すぎます"},
        {{"#MsgDisp NULL " + A(256)}, "第2引数が長すぎます"},
        {{"#MsgDisp NULL text ../v.sou"}, "第3" + kBad},
        {{"#MsgDisp NULL text NULL -1"}, "第4" + kBad},
        {{"#FadeIn"}, ""},
        {{"#FadeIn 500 PINK"}, ""},
        {{"#FadeIn -1 BLACK"}, "第1" + kBad},
    };
    forms.insert(forms.end(), more.begin(), more.end());
    SweepAll(forms, -1);
}

TEST(MalformedLineSweep, ConditionAndFlowRefusalsFail) {
    std::vector<FORM> forms = {
        {{"#If 1 ?? 1 1"}, ""},
        {{"#If 5 & 0 1"}, ""},
        {{"#If 5 & 33 1"}, ""},
        {{"#If_C NOPE = 1 LOVE 1"}, ""},
        {{"#If_C QUIRA = 1 FOO 1"}, ""},
        {{"#If_C CLOTHES01 = 1 LOVE 1"}, ""},
        {{"#If HELP = 1 1", "#ElseIf_C NOPE = 1 LOVE 1", "#EndIf 1"}, "", ACT::None, 1},
        {{"#Love_Jadge_Start NOPE TRUE 1"}, ""},
        {{"#RandomStart 0 1"}, ""},
        {{"#RandomStart -1 1"}, ""},
        {{"#GoTo"}, ""},
    };
    for (const std::string word : {"#FileChange", "#FileChangeSpecial"}) {
        forms.push_back({{word}, ""});
        forms.push_back({{word + " nope.spt"}, ""});
        forms.push_back({{word + " ../x.spt"}, ""});
    }
    SweepAll(forms, -1);
}

TEST(MalformedLineSweep, CostumeVariableAndSoundRefusalsFail) {
    std::vector<FORM> forms = {
        {{"#ClothesDataChange 15 1 1 NULL NULL"}, "第一引数"},
        {{"#ClothesDataChange 1 31 NULL NULL NULL"}, "第二引数"},
        {{"#ClothesDataChange 1 NULL 4 NULL NULL"}, "第三引数"},
        {{"#ClothesDataChange 1 1 1 NULL"}, ""},
        {{"#ClothesDataChange 1 1 1 NULL ../x.spt"}, "第五引数"},
        {{"#ClothesDataChange 1 1 1 NULL " + A(296) + ".spt"}, "第五引数"},
        {{"#ClothesDataSort 0 BASIC"}, ""},
        {{"#ClothesDataSort 9 BASIC"}, ""},
        {{"#PlayBGM"}, ""},
        {{"#PlayBGM ../x.mus"}, "第1" + kBad},
        {{"#PlayBGM " + A(296) + ".mus"}, "第1" + kBad},
        {{"#StopWave NOPE"}, ""},
        {{"#StopWave FALSE"}, ""},
    };
    for (const std::string word : {"#AddVar", "#ChangeVar"}) {
        forms.push_back({{word}, ""});
        forms.push_back({{word + " NOPE 1"}, "合致するIDが見つかりませんでした"});
    }
    for (const std::string word : {"#FlgONVar", "#FlgOFFVar"}) {
        for (const std::string args :
             {"HELP 0", "HELP 17", "QUIRA 33 FLG", "QUIRA 97 CG", "YSMA 33 CG", "DULCANE 33 REPLAY",
              "QUIRA 1 FOO", "NOPE 1"}) {
            forms.push_back({{word + " " + args}, ""});
        }
    }
    SweepAll(forms, -1);
}

// A warning names the line and the script goes on; for a scan, the line that began it.
TEST(MalformedLineSweep, WarnedFormsNameTheirLineAndTheScriptGoesOn) {
    SweepAll(
        {
            {{"#WipeEnd"}, "ワイプアウトが呼び出されていません"},
            {{"#SelectStart 2 1 a b"}, "", ACT::Pick, 0, "#SelectWait"},
            {{"#SelectBranch 1 1"}, ""},
            {{"#ElseIf HELP = 0 1"}, ""},
            {{"#ElseIf_C HERO = 0 LOVE 1"}, ""},
            {{"#Else 1"}, ""},
            {{"#RandomBranch 1 1"}, ""},
            {{"#If HELP = 1 1"}, ""},
            {{"#ChangeVar QUIRA 5", "#Love_Jadge_Start HERO TRUE 1"}, ""},
            {{"#RandomStart 2 1"}, ""},
            {{"#Jump 5"}, ""},
            {{"#GoTo $NOPE"}, ""},
            {{"#ClothesDataSort 1 FOO"}, "定義されていない衣装名です: FOO"},
            {{"#GameClearFlgON"}, "定義されていない識別子です: "},
            {{"#GameClearFlgON FOO"}, "定義されていない識別子です: FOO"},
            {{"#FlgONVar EXTRA 1 CG"}, "CGと回想のフラグがありません: EXTRA"},
            {{"#FlgOFFVar EXTRA 1 CG"}, "CGと回想のフラグがありません: EXTRA"},
            {{"#PlayWave"}, ""},
            {{"#PlayWave NOPE 0"}, ""},
            {{"#PlayVoice ../v.sou"}, "第1" + kBad + ": ../v.sou"},
        },
        1);
}

TEST(MalformedLineSweep, StrayArgumentsRunClean) {
    std::vector<FORM> forms = {{{"#KeyWait x"}, "", ACT::Click}};
    for (const std::string word : {"#MsgClear", "#MosaicReload", "#MosaicEnd", "#StopBGM",
                                   "#StopVoice", "#GoToClothesSelect", "#EndScript", "#SelectEnd",
                                   "#EndIf", "#Love_Jadge_End", "#RandomEnd"}) {
        forms.push_back({{word + " x y"}, ""});
    }
    SweepAll(forms, 0);
}

}  // namespace
