// Malformed lines of every command word, fed to the interpreter as a script would
// give them: each names its file, line and word once, and none leaves a fault behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/input/VirtualKeys.h"
#include "support/Bytes.h"
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

// The already-read list of the system save on disk.
std::string SavedList() {
    const std::string bytes = zktest::ReadFileBytes("sav/sav00.sav");
    const std::string start = "---AUTO_SKIP_FILE_LIST_START---\n";
    const std::size_t from = bytes.find(start);
    if (from == std::string::npos) return "no list";
    const std::size_t body = from + start.size();
    return bytes.substr(body, bytes.find("---AUTO_SKIP_FILE_LIST_END---", body) - body);
}

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
    g.LoadIntegratedData();
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
    // The handler's own line comes first.
    ASSERT_GT(at - lines.begin(), static_cast<std::ptrdiff_t>(before.size()))
        << ::testing::PrintToString(lines);
    const auto first = at - static_cast<std::ptrdiff_t>(before.size());
    EXPECT_EQ(Lines(first, at), before) << ::testing::PrintToString(lines);
    const std::string& handler = *(first - 1);
    EXPECT_NE(handler.find(f.handler), std::string::npos) << handler;
    const Lines after(at + 1, lines.end());
    if (result == -1) {
        EXPECT_EQ(b.lastResult, -1);
        EXPECT_EQ(after, Lines{});
        EXPECT_TRUE(KEPT(g) == kept);
        // The exit save marks the script the refusal stopped, where it stopped, and no
        // script a refused change named.
        ASSERT_EQ(g.SaveIntegratedData(), 1);
        EXPECT_STREQ(g.ScrFileData.szFileName, "test.spt");
        if (f.named == 0) {
            EXPECT_EQ(g.ScrFileData.nLine, named + 1);
        }
        EXPECT_EQ(SavedList(), "test.spt\t" + std::to_string(g.ScrFileData.nLine) + "\n");
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

TEST(MalformedLineSweep, DataAndBackgroundRefusalsFail) {
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
            {{"#BGDisp"}, "[#BGDisp] 合致するIDが見つかりませんでした"},
            {{"#BGDisp NOPE"}, "[#BGDisp] 合致するIDが見つかりませんでした"},
        },
        -1);
}

TEST(MalformedLineSweep, WipeAndMosaicRefusalsFail) {
    SweepAll(
        {
            {{"#WipeOut"}, "[#WipeOutProc] 定義されていない効果です"},
            {{"#WipeOut BG00 FOO 4 100"}, "[#WipeOutProc] 定義されていない効果です"},
            {{"#WipeOut NOPE BLIND_WAVE1 4 100"},
             "[#WipeOutProc] 合致するIDが見つかりませんでした"},
            {{"#WipeOut BG00 BLIND_WAVE1 0 100"}, "第3" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 -3 100"}, "第3" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 601 100"}, "第3" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 4 0"}, "第4" + kBad},
            {{"#WipeOut BG00 BLIND_WAVE1 4 -1"}, "第4" + kBad},
            {{"#Wipe"}, "[#WipeProc] 定義されていない効果です"},
            {{"#Wipe BG00 FOO 4 100"}, "[#WipeProc] 定義されていない効果です"},
            {{"#Wipe NOPE BLIND_WAVE1 4 100"}, "[#WipeProc] 合致するIDが見つかりませんでした"},
            {{"#Wipe BG00 BLIND_WAVE1 0 100"}, "第3" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 -3 100"}, "第3" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 601 100"}, "第3" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 4 0"}, "第4" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 4 -1"}, "第4" + kBad},
            {{"#Wipe BG00 BLIND_WAVE1 4 2147483647"}, "第4" + kBad + ": 2147483647"},
            {{"#WipeOut BG00 BLIND_WAVE1 4 600001"}, "第4" + kBad + ": 600001"},
            {{"#WipeOut BG01 BLIND_WAVE1 4 100", "#WipeIn BG00 BLIND_WAVE1 600001"},
             "第3" + kBad + ": 600001"},
            {{"#MosaicExpansion 16 800 2147483647"}, "第3" + kBad + ": 2147483647"},
            {{"#MosaicReduction 48 16 600001"}, "第3" + kBad + ": 600001"},
            {{"#WipeIn"}, "[#WipeInProc] 定義されていない効果です"},
            {{"#WipeIn BG00 BLIND_WAVE 100"}, "[#WipeInProc] ワイプアウトが呼び出されていません"},
            {{"#WipeOut BG01 BLIND_WAVE1 4 100", "#WipeIn BG00 BLIND_WAVE2 100"},
             "[#WipeInProc] 定義されていない効果です"},
            {{"#WipeOut BG01 BLIND_WAVE1 4 100", "#WipeIn BG00 BLIND_WAVE 0"}, "第3" + kBad},
            {{"#MosaicExpansion NULL 64 100"}, "第1" + kBad},
            {{"#MosaicReduction NULL 64 100"}, "第1" + kBad},
        },
        -1);
}

TEST(MalformedLineSweep, PictureLayerRefusalsFail) {
    const std::string three = "#PrimAniInit 1 BG00 SURF 3 LOOP FALSE FALSE FALSE";
    SweepAll(
        {
            {{"#PrimAniInit 3 BG00 SURF 1 LOOP FALSE FALSE FALSE"}, "指定ナンバー外です"},
            {{"#PrimAniInit 1 NOPE SURF 1 LOOP FALSE FALSE FALSE"},
             "[#PrimAniInit] IDが見つかりませんでした"},
            {{"#PrimAniInit 1 BG00 XXX 1 LOOP FALSE FALSE FALSE"},
             "[#PrimAniInit] 画像指定が規定外です"},
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
            {{"#PrimGraphicDisp 1 NOPE 0 0 0 0 10 10"}, "IDが見つかりませんでした"},
            {{"#PrimGraphicDisp 1 BG00 0 0 -100 -100 99999 99999"},
             "[#PrimGraphicDisp] 第5" + kBad + ": -100"},
            {{"#PrimGraphicDisp 1 BG00 0 0 0 -1 800 600"}, "第6" + kBad + ": -1"},
            {{"#PrimGraphicDisp 1 BG00 0 0 0 0 801 600"}, "第7" + kBad + ": 801"},
            {{"#PrimGraphicDisp 1 BG00 0 0 0 0 800 601"}, "第8" + kBad + ": 601"},
            // A frame set before its picture's size was known, refused where it loads.
            {{"#PrimAniInit 1 BG00 SURF 1 LOOP FALSE FALSE FALSE",
              "#PrimAniSet 1 1 100 -100 -100 99999 99999", "#PrimAniDisp 1 0 0"},
             "[#PrimAniDisp] 第1" + kBad + ": 1"},
            {{"#PrimAniInit 2 BG00 SURF 1 LOOP FALSE FALSE FALSE",
              "#PrimAniSet 2 1 100 0 0 800 601", "#PrimAniDisp 2 0 0 FALSE", "#LoadData BG00 SURF"},
             "[#LoadData] 第1" + kBad + ": BG00"},
            // A picture unloaded keeps the size it was loaded with.
            {{"#PrimGraphicDisp 1 BG00 0 0 0 0 800 600", "#PrimGraphicUnDisp 1", three,
              "#PrimAniSet 1 2 100 0 0 800 601"},
             "[#PrimAniSet] 第7" + kBad + ": 601"},
        },
        -1);
}

TEST(MalformedLineSweep, CharacterRefusalsFail) {
    SweepAll(
        {
            {{"#CharIn NOPE CENTER DEFAULT 1 1 100"}, "[#CharIn] 合致するIDが見つかりませんでした"},
            {{"#CharIn HERO CENTER DEFAULT 99 1 100"}, "第4" + kBad},
            {{"#CharIn HERO CENTER DEFAULT 1 99 100"}, "第5" + kBad},
            {{"#CharIn HERO CENTER DEFAULT -2147483648 1 100"}, "第4" + kBad},
            {{"#CharIn HERO CENTER DEFAULT 1 1 -5"}, "第6" + kBad},
            {{"#CharIn HERO CENTER DEFAULT 1 1 2147483647"}, "第6" + kBad + ": 2147483647"},
            {{"#CharOut NOPE 100"}, "[#CharOut] 合致するIDが見つかりませんでした"},
            {{"#CharOut HERO -1"}, "第2" + kBad},
            {{"#CharOut HERO 2147483647"}, "第2" + kBad + ": 2147483647"},
            {{"#CharMove NOPE LEFT DEFAULT"}, "[#CharMove] 合致するIDが見つかりませんでした"},
            {{"#CharaFaceChange NOPE 1 100"}, "[#CharFaceChange] 合致するIDが見つかりませんでした"},
            {{"#CharaFaceChange HERO 99 100"}, "第2" + kBad},
            {{"#CharaFaceChange HERO 1 -1"}, "第3" + kBad},
            {{"#CharaFaceChange HERO 1 600001"}, "第3" + kBad},
            {{"#CharaBodyChange NOPE 1 100"}, "[#CharBodyChange] 合致するIDが見つかりませんでした"},
            {{"#CharaBodyChange HERO 99 100"}, "第2" + kBad},
            {{"#CharaBodyChange HERO 0 100"}, "第2" + kBad},
            {{"#CharaBodyChange HERO 1 -1"}, "第3" + kBad},
            {{"#CharaBodyChange HERO 1 600001"}, "第3" + kBad},
            {{"#CharaFaceBodyChange NOPE 1 1 100"},
             "[#CharFaceBodyChange] 合致するIDが見つかりませんでした"},
            {{"#CharaFaceBodyChange HERO 99 1 100"}, "第2" + kBad},
            {{"#CharaFaceBodyChange HERO 1 99 100"}, "第3" + kBad},
            {{"#CharaFaceBodyChange HERO 1 0 100"}, "第3" + kBad},
            {{"#CharaFaceBodyChange HERO 0 1 100"}, "第2" + kBad},
            {{"#CharaFaceBodyChange HERO 1 1 -1"}, "第4" + kBad},
            {{"#CharaFaceBodyChange HERO 1 1 600001"}, "第4" + kBad},
            {{"#CtrlEyeAnimation NOPE 1 1 100"},
             "[#CtrlEyeAnimation] 合致するIDが見つかりませんでした"},
            {{"#CtrlEyeAnimation HERO 99 1 100"}, "第2" + kBad},
            {{"#CtrlEyeAnimation HERO 1 99 100"}, "指定した目スプライト番号は不正です"},
            {{"#CtrlEyeAnimation HERO 1 1 -1"}, "第4" + kBad},
        },
        -1);
}

TEST(MalformedLineSweep, WindowRefusalsFail) {
    std::vector<FORM> forms;
    for (const std::string word : {"#MsgWndOpen", "#MsgWndClose", "#DayWndOpen", "#DayWndClose"}) {
        forms.push_back({{word}, "第二引数が不正です"});
        forms.push_back({{word + " FOO"}, "第二引数が不正です"});
        forms.push_back({{word + " SLIDE -5"}, "第2" + kBad});
    }
    SweepAll(forms, -1);
}

TEST(MalformedLineSweep, WaitMessageFadeAndChoiceRefusalsFail) {
    SweepAll(
        {
            {{"#TimeWait -1"}, "第1" + kBad},
            {{"#FadeOut -1"}, "第1" + kBad},
            {{"#TimeWait 600001"}, "第1" + kBad + ": 600001"},
            {{"#FadeOut 2147483647"}, "第1" + kBad + ": 2147483647"},
            {{"#SelectStart 0 1"}, "[#SelectStart] 選択肢数が不正です"},
            {{"#SelectStart 4 1 a b c d"}, "[#SelectStart] 選択肢数が不正です"},
            {{"#SelectStart 2 1 a"}, "[#SelectStart] 第4引数が不正です: "},
            {{"#SelectStart 2 1 " + A(244) + " b"}, "第3引数が長すぎます"},
            {{"#SelectWait"}, "選択肢ウィンドウが開かれていません"},
            {{"#MsgDisp " + A(100) + " text"}, "第1引数が長すぎます"},
            {{"#MsgDisp NULL " + A(256)}, "第2引数が長すぎます"},
            {{"#MsgDisp NULL text ../v.sou"}, "第3" + kBad},
            {{"#MsgDisp NULL text NULL -1"}, "第4" + kBad},
            {{"#FadeIn"}, "定義されていない画像名です"},
            {{"#FadeIn 500 PINK"}, "定義されていない画像名です"},
            {{"#FadeIn -1 BLACK"}, "第1" + kBad},
            {{"#FadeIn 2147483647 BLACK"}, "[#FadeIn] 第1" + kBad + ": 2147483647"},
        },
        -1);
}

TEST(MalformedLineSweep, ConditionAndFlowRefusalsFail) {
    std::vector<FORM> forms = {
        {{"#If 1 ?? 1 1"}, "[#If] 定義されていない比較演算子です"},
        {{"#If 5 & 0 1"}, "[#If] bit値が不正です"},
        {{"#If 5 & 33 1"}, "[#If] bit値が不正です"},
        {{"#If_C NOPE = 1 LOVE 1"}, "合致するキャラIDが見つかりませんでした"},
        {{"#If_C QUIRA = 1 FOO 1"}, "不正な比較対象を指定しています"},
        {{"#If_C CLOTHES01 = 1 LOVE 1"}, "不正な比較対象を指定しています"},
        {{"#If HELP = 1 1", "#ElseIf_C NOPE = 1 LOVE 1", "#EndIf 1"},
         "合致するキャラIDが見つかりませんでした",
         ACT::None,
         1},
        {{"#Love_Jadge_Start NOPE TRUE 1"}, "合致するキャラIDが見つかりませんでした"},
        {{"#RandomStart 0 1"}, "[#RandomStart] 第1引数が不正です: 0"},
        {{"#RandomStart -1 1"}, "[#RandomStart] 第1引数が不正です: -1"},
        {{"#GoTo"}, "[#GoTo] 第1引数が不正です: "},
    };
    for (const std::string word : {"#FileChange", "#FileChangeSpecial"}) {
        forms.push_back({{word}, "不正なファイル名です: "});
        forms.push_back({{word + " nope.spt"}, "取り出すファイルに該当ファイルが存在しません"});
        forms.push_back({{word + " ../x.spt"}, "不正なファイル名です: ../x.spt"});
    }
    SweepAll(forms, -1);
}

TEST(MalformedLineSweep, CostumeVariableAndSoundRefusalsFail) {
    std::vector<FORM> forms = {
        {{"#ClothesDataChange 15 1 1 NULL NULL"}, "第一引数"},
        {{"#ClothesDataChange 1 31 NULL NULL NULL"}, "第二引数"},
        {{"#ClothesDataChange 1 NULL 4 NULL NULL"}, "第三引数"},
        {{"#ClothesDataChange 1 1 1 NULL"}, "スクリプトの第五引数が不正です"},
        {{"#ClothesDataChange 1 1 1 NULL ../x.spt"}, "第五引数"},
        {{"#ClothesDataChange 1 1 1 NULL " + A(296) + ".spt"}, "第五引数"},
        {{"#ClothesDataSort 0 BASIC"}, "スクリプトの第一引数が不正です"},
        {{"#ClothesDataSort 9 BASIC"}, "スクリプトの第一引数が不正です"},
        {{"#PlayBGM"}, "[#PlayBGM] 再生パスが不正です"},
        {{"#PlayBGM ../x.mus"}, "第1" + kBad},
        {{"#PlayBGM " + A(296) + ".mus"}, "第1" + kBad},
        {{"#StopWave NOPE"}, "[#StopWave] 合致するIDが見つかりませんでした"},
        {{"#StopWave FALSE"}, "[#StopWave] 合致するIDが見つかりませんでした"},
    };
    for (const std::string word : {"#AddVar", "#ChangeVar"}) {
        forms.push_back({{word}, "合致するIDが見つかりませんでした"});
        forms.push_back({{word + " NOPE 1"}, "合致するIDが見つかりませんでした"});
    }
    const struct {
        const char* args;
        const char* handler;
    } flags[] = {
        {"HELP 0", "ビット値が不正です"},
        {"HELP 17", "ビット値が不正です"},
        {"QUIRA 33 FLG", "[フラグ] ビット値が不正です"},
        {"QUIRA 97 CG", "[クィラ/CG] ビット値が不正です"},
        {"YSMA 33 CG", "[イスマ/CG] ビット値が不正です"},
        {"DULCANE 33 REPLAY", "[ドゥルカーネ/回想] ビット値が不正です"},
        {"QUIRA 1 FOO", "定義されていない識別子です"},
        {"NOPE 1", "合致するキャラIDが見つかりませんでした"},
    };
    for (const std::string word : {"#FlgONVar", "#FlgOFFVar"}) {
        for (const auto& flag : flags) forms.push_back({{word + " " + flag.args}, flag.handler});
    }
    SweepAll(forms, -1);
}

// A warning names the line and the script goes on; for a scan, the line that began it.
TEST(MalformedLineSweep, WarnedFormsNameTheirLineAndTheScriptGoesOn) {
    SweepAll(
        {
            {{"#WipeEnd"}, "ワイプアウトが呼び出されていません"},
            {{"#SelectStart 2 1 a b"},
             "#SelectEnd未検出のままファイルの終端に到達しました",
             ACT::Pick,
             0,
             "#SelectWait"},
            {{"#SelectBranch 1 1"}, "#SelectEnd未検出のままファイルの終端に到達しました"},
            {{"#ElseIf HELP = 0 1"}, "#EndIf未検出のままファイルの終端に到達しました"},
            {{"#ElseIf_C HERO = 0 LOVE 1"}, "#EndIf未検出のままファイルの終端に到達しました"},
            {{"#Else 1"}, "#EndIf未検出のままファイルの終端に到達しました"},
            {{"#RandomBranch 1 1"}, "#RandomEnd未検出のままファイルの終端に到達しました"},
            {{"#If HELP = 1 1"}, "[#If] #EndIf未検出のままファイルの終端に到達しました"},
            {{"#ChangeVar QUIRA 5", "#Love_Jadge_Start HERO TRUE 1"},
             "#EndIf未検出のままファイルの終端に到達しました"},
            {{"#RandomStart 2 1"}, "#RandomEnd未検出のままファイルの終端に到達しました"},
            {{"#Jump 5"}, "[#Jump] ジャンプ行数がファイルの終端を超えています"},
            {{"#GoTo $NOPE"}, "[#GoToProc] ラベルが検出されずにファイル終端を超えました"},
            {{"#ClothesDataSort 1 FOO"}, "定義されていない衣装名です: FOO"},
            {{"#GameClearFlgON"}, "定義されていない識別子です: "},
            {{"#GameClearFlgON FOO"}, "定義されていない識別子です: FOO"},
            {{"#FlgONVar EXTRA 1 CG"}, "CGと回想のフラグがありません: EXTRA"},
            {{"#FlgOFFVar EXTRA 1 CG"}, "CGと回想のフラグがありません: EXTRA"},
            {{"#PlayWave"}, "[#PlayWave] 合致するIDが見つかりませんでした"},
            {{"#PlayWave NOPE 0"}, "[#PlayWave] 合致するIDが見つかりませんでした"},
            {{"#PlayVoice ../v.sou"}, "第1" + kBad + ": ../v.sou"},
        },
        1);
}

// A blink period and a message's auto-mode wait hold no story line up: however long,
// they are taken.
TEST(MalformedLineSweep, StrayArgumentsAndTimesThatHoldNothingRunClean) {
    std::vector<FORM> forms = {{{"#KeyWait x"}, "", ACT::Click},
                               {{"#CtrlEyeAnimation HERO 1 1 600001"}, ""},
                               {{"#CtrlEyeAnimation HERO 1 1 2147483647"}, ""},
                               {{"#MsgDisp NULL text NULL 600001"}, "", ACT::Click}};
    for (const std::string word : {"#MsgClear", "#MosaicReload", "#MosaicEnd", "#StopBGM",
                                   "#StopVoice", "#GoToClothesSelect", "#EndScript", "#SelectEnd",
                                   "#EndIf", "#Love_Jadge_End", "#RandomEnd"}) {
        forms.push_back({{word + " x y"}, ""});
    }
    SweepAll(forms, 0);
}

// Lines taken that leave a picture failing to draw: however many frames the scene is
// drawn, each failing place is told once.
TEST(MalformedLineSweep, PicturesThatFailToDrawAreToldOncePerPlace) {
    const std::string draw = "Error: <GAMEMAIN::ADVDrawProc> 描画に失敗しました";
    const std::string lost = "> 何らかの要因で出力元サーフェスポインタが消失しています";
    const struct {
        Lines script;
        Lines told;
    } forms[] = {
        {{"#BGDisp BG00", "#UnLoadData BG00 SURF"}, {"Error: <ZKSPRITE::DDBlt" + lost, draw}},
        {{"#PrimAniInit 1 BG00 SURF 1 LOOP FALSE FALSE FALSE", "#PrimAniSet 1 1 100 0 0 10 10",
          "#PrimAniDisp 1 0 0 FALSE"},
         {"Error: <ZKSPRITE::DDBltRange" + lost, draw}},
        {{"#PrimAniInit 2 black TEX 1 LOOP FALSE FALSE FALSE", "#PrimAniSet 2 1 100 0 0 10 10",
          "#PrimAniDisp 2 0 0", "#UnLoadData black TEX"},
         {"Error: <ZKSPRITE::D3DXSpriteDrawTL> "
          "何らかの要因で出力元テクスチャポインタが消失しています",
          draw}},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(f.script.back());
        ScriptBench b;
        std::vector<std::u8string> script = {u8"// sweep"};
        for (const std::string& line : f.script) script.push_back(U8(line));
        ASSERT_TRUE(b.open(script));
        b.lastResult = 0;
        b.runToEnd(300);
        EXPECT_EQ(b.lastResult, 2);
        for (int frame = 0; frame < 20; ++frame) {
            b.frame();
            b.win.drawFrame([&] { b.game().ADVDrawProc(); });
        }
        Lines lines = b.lines();
        std::erase(lines, "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です");
        EXPECT_EQ(lines, f.told);
    }
}

// The extreme-value pass: each argument of a word's ordinary line in turn replaced by
// a value at or past some edge, on one bench per word whose story state is put back
// between lines. Every line logged is in one of the engine's forms, and each line ends
// as its row says.
bool InLogForm(const std::string& line) {
    for (const char* level : {"Error: <", "Warn: <", "Message: <"}) {
        if (!line.starts_with(level)) continue;
        const std::size_t close = line.find("> ");
        return close != std::string::npos && line.find('<', std::strlen(level)) > close;
    }
    return line.starts_with("---Error Info--- File: ") && line.find(" Line: ") != std::string::npos;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// What one line left behind, cleared as a new story scene would start: the scripts'
// slots and choice window, the backgrounds, strips, mosaic and picture layers, the
// characters on stage, the window shown with every button on, no key held.
void PutBack(ScriptBench& b) {
    GAMEMAIN& g = b.game();
    g.SelectWindowData.Release();
    g.BGDataClear();
    g.PRIM1.Reset();
    g.PRIM2.Reset();
    g.prcMosaic.reset();
    g.pdwMosaicColor.reset();
    g.nMosaicCellNum = 0;
    g.dwMosaicSize = 0;
    g.nMosaicDispFlg = 0;
    g.nMosaicChangeFlg = 0;
    for (std::int32_t i = 0; i < g.nCharNum; ++i) g.pCharData[i].nDispFlg = 0;
    g.nMsgWndDispFlg = 1;
    g.MsgWndStatusChange(65535, 1);
    b.hold(platform::VK_LBUTTON, false);
    b.clearLog();
}

// The line with argument i replaced by value; an empty value leaves the argument out.
std::string Replaced(const std::string& line, std::size_t i, const std::string& value) {
    std::vector<std::string> words = Words(line);
    if (words.size() <= i + 1) words.resize(i + 2, "x");
    words[i + 1] = value;
    std::string out;
    for (const std::string& word : words) {
        if (word.empty()) continue;
        out += (out.empty() ? "" : " ") + word;
    }
    return out;
}

// How a line ended, one letter:
//   A  refused with the replaced argument's own line, "[#Word] 第k引数が不正です: VALUE"
//   L  refused with its too-long line, "[#Word] 第k引数が長すぎます: ..."
//   r  refused with another line of the handler's
//   w  warned, and the script went on
//   o  ran clean, nothing logged
//   m  went on past lines of its own that are no refusal (an ID looked up as a number,
//      a sound file missing)
//   h  still under way after two seconds, its slot held
char Outcome(ScriptBench& b, std::size_t i, bool bEnded) {
    if (!bEnded) return 'h';
    Lines lines = b.lines();
    std::erase(lines, "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です");
    const auto failed = std::find(lines.begin(), lines.end(), kScrExeFailed);
    if (failed != lines.end()) {
        if (failed == lines.begin()) return '?';
        const std::string& handler = *(failed - 1);
        const std::string k = "第" + std::to_string(i + 1) + "引数が";
        if (handler.find(k + "不正です: ") != std::string::npos) return 'A';
        if (handler.find(k + "長すぎます: ") != std::string::npos) return 'L';
        return 'r';
    }
    if (std::find(lines.begin(), lines.end(), kScrExeWarned) != lines.end()) return 'w';
    return lines.empty() ? 'o' : 'm';
}

// A word's ordinary line and, for each of its arguments, the outcome of each extreme
// value, in their order.
struct EXTREME {
    std::string line;
    std::vector<std::string> outcomes;
};

// The values each argument takes in turn; "" leaves the argument out, so that the
// arguments after it move up.
const std::string kExtremes[] = {"",    "-1",   "0",     "2147483648", "99999999999",
                                 "abc", "NULL", "FALSE", A(400)};

void Extremes(const std::vector<EXTREME>& rows) {
    const auto& values = kExtremes;
    for (const EXTREME& row : rows) {
        ScriptBench b;
        const std::string word = FirstWord(row.line);
        const std::size_t count = std::max<std::size_t>(Words(row.line).size() - 1, 1);
        std::vector<std::string> outcomes;
        for (std::size_t i = 0; i < count; ++i) {
            std::string outcome;
            for (const std::string& value : values) {
                std::string line = Replaced(row.line, i, value);
                // The longest line a script may hold.
                if (value.size() == 400) line.resize(510, ' ');
                SCOPED_TRACE(line.substr(0, 80));
                PutBack(b);
                ASSERT_TRUE(b.open({u8"// extreme", U8(line)}));
                b.lastResult = 0;
                const bool bEnded =
                    b.runUntil([&] { return b.lastResult == -1 || b.lastResult == 2; }, 120);
                for (const std::string& logged : b.lines()) {
                    EXPECT_TRUE(InLogForm(logged)) << logged;
                }
                outcome += Outcome(b, i, bEnded);
                if (bEnded) continue;
                for (const SCR_CMD_DATA& slot : b.game().ScrFileData.Cmd) {
                    if (slot.IsFree()) continue;
                    const std::string held = slot.szCommand;
                    EXPECT_TRUE(held == word || held == "#SelectWait") << held;
                }
            }
            outcomes.push_back(outcome);
        }
        std::string printed;
        for (const std::string& outcome : outcomes) printed += " \"" + outcome + "\",";
        EXPECT_EQ(outcomes, row.outcomes) << row.line << ":" << printed;
        EXPECT_GE(b.count(word), static_cast<int>(count * std::size(values))) << word;
    }
}

TEST(MalformedLineSweep, ExtremeValuesForDataBackgroundMosaicAndPictureWords) {
    Extremes({
        {"#LoadData BG00 SURF", {"rrrrrrrrr", "rrrrrrrrr"}},
        {"#UnLoadData BG00 SURF", {"rrrrrrrrr", "rrrrrrrrr"}},
        {"#BGDisp BG01", {"rrrrrrorr"}},
        {"#WipeOut BG01 BLIND_WAVE1 4 100", {"rrrrrrrrr", "rrrrrrrrr", "rAAAAAAAA", "AAAAAAAAA"}},
        {"#WipeIn BG00 BLIND_WAVE 100", {"rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr"}},
        {"#WipeEnd", {"wwwwwwwww"}},
        {"#Wipe BG01 BLIND_WAVE2 4 100 FALSE",
         {"rrrrrrrrr", "rrrrrrrrr", "rAAAAAAAA", "AAAAAAAAA", "ooooooooo"}},
        {"#MosaicExpansion 16 48 100", {"ooooooAoo", "ooooooooo", "oAoAAoooo"}},
        {"#MosaicReduction 48 16 100", {"ooooooAoo", "ooooooooo", "oAoAAoooo"}},
        {"#MosaicReload", {"ooooooooo"}},
        {"#MosaicEnd", {"ooooooooo"}},
        {"#PrimAniInit 1 BG00 SURF 2 LOOP FALSE FALSE FALSE",
         {"rrrrrrrrr", "rrrrrrorr", "rrrrrrrrr", "AAAAAAAAA", "rrrrrrrrr", "rrrrrrror", "rrrrrrror",
          "rrrrrrror"}},
        {"#PrimAniSet 1 1 100 0 0 10 10",
         {"rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr",
          "rrrrrrrrr"}},
        {"#PrimAniDisp 1 0 0", {"rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr"}},
        {"#PrimAniUnDisp 1", {"rrrrrrrrr"}},
        {"#PrimGraphicDisp 1 BG00 0 0 0 0 10 10",
         {"rrrrrrrrr", "rrrrrrrrr", "ooooooooo", "ooooooooo", "oAooooooo", "oAooooooo", "oooAAoooo",
          "oooAAoooo"}},
        {"#PrimGraphicUnDisp 1", {"rrrrrrrrr"}},
    });
}

TEST(MalformedLineSweep, ExtremeValuesForCharacterWindowAndWaitWords) {
    Extremes({
        {"#CharIn HERO CENTER DEFAULT 1 1 100",
         {"rrrrrrrrr", "roooooooo", "roooooooo", "rAoAAoooo", "AAoAAoooo", "oAoAAoooo"}},
        {"#CharOut HERO 100", {"rrrrrrrrr", "oAoAAoooo"}},
        {"#CharMove HERO LEFT DEFAULT", {"rrrrrrrrr", "ooooooooo", "ooooooooo"}},
        {"#CharaFaceChange HERO 2 100", {"rrrrrrrrr", "AAoAAoooo", "oAoAAoooo"}},
        {"#CharaBodyChange HERO 2 100", {"rrrrrrrrr", "AAAAAAAAA", "oAoAAoooo"}},
        {"#CharaFaceBodyChange HERO 2 2 100", {"rrrrrrrrr", "rAAAAAAAA", "AAAAAAAAA", "oAoAAoooo"}},
        {"#CtrlEyeAnimation HERO 1 1 100", {"rrrrrrrrr", "rAAAAAAAA", "rrrrrrrrr", "oAooooooo"}},
        {"#KeyWait", {"hhhhhhhhh"}},
        {"#TimeWait 100", {"oAoAAoooo"}},
        {"#MsgWndOpen SLIDE 20", {"rrrrrrrrr", "oAooooooo"}},
        {"#MsgWndClose SLIDE 20", {"rrrrrrrrr", "oAooooooo"}},
        {"#DayWndOpen INSTANT", {"rrrrrrrrr"}},
        {"#DayWndClose INSTANT", {"rrrrrrrrr"}},
        {"#MsgClear", {"ooooooooo"}},
    });
}

TEST(MalformedLineSweep, ExtremeValuesForChoiceMessageFadeAndConditionWords) {
    Extremes({
        {"#SelectStart 2 1 a b", {"hrrrrrrrr", "rhhhhhhhh", "rhhhhhhhL", "AhhhhhhhL"}},
        {"#SelectWait", {"rrrrrrrrr"}},
        {"#SelectBranch 1 1", {"wwwwwwwww", "wwwwwwwww"}},
        {"#SelectEnd 1", {"ooooooooo"}},
        {"#MsgDisp NULL text NULL 100", {"hhhhhhhhL", "hhhhhhhhL", "hhhhhhhhA", "hAhhhhhhh"}},
        {"#FadeIn 100 BLACK", {"rAoAAoooo", "rrrrrrrrr"}},
        {"#FadeOut 100", {"oAoAAoooo"}},
        {"#If HELP = 0 1", {"rwmwwmmmm", "rrrrrrrrr", "wwmwwmmmm", "mmmmmmmmm"}},
        {"#ElseIf HELP = 0 1", {"wwwwwwwww", "wwwwwwwww", "wwwwwwwww", "wwwwwwwww"}},
        {"#If_C HERO = 0 LOVE 1",
         {"rrrrrrrrr", "rrrrrrrrr", "rwmwwmmmm", "rrrrrrrrr", "mmmmmmmmm"}},
        {"#ElseIf_C HERO = 0 LOVE 1",
         {"wwwwwwwww", "wwwwwwwww", "wwwwwwwww", "wwwwwwwww", "wwwwwwwww"}},
        {"#Else 1", {"wwwwwwwww"}},
        {"#EndIf 1", {"ooooooooo"}},
        {"#Love_Jadge_Start HERO TRUE 1", {"rrrrrrrrr", "ooooooooo", "ooooooooo"}},
        {"#Love_Jadge_End 1", {"ooooooooo"}},
    });
}

TEST(MalformedLineSweep, ExtremeValuesForFlowCostumeVariableAndSoundWords) {
    Extremes({
        {"#RandomStart 2 1", {"wAAwwAAAA", "wwwwwwwww"}},
        {"#RandomBranch 1 1", {"wwwwwwwww", "wwwwwwwww"}},
        {"#RandomEnd 1", {"ooooooooo"}},
        {"#Jump 1", {"ooowwoooo"}},
        {"#GoTo $L", {"Awwwwwwww"}},
        {"#FileChange test.spt", {"rrrrrrrrr"}},
        {"#FileChangeSpecial test.spt", {"rrrrrrrrr"}},
        {"#GoToClothesSelect", {"ooooooooo"}},
        {"#EndScript", {"ooooooooo"}},
        {"#ClothesDataChange 1 1 1 NULL NULL",
         {"rrrrrrrrr", "rrorroooo", "rrrrrrorr", "roooooooo", "rooooooor"}},
        {"#ClothesDataSort 1 BASIC", {"rrrrrrrrr", "wwwwwwwww"}},
        {"#GameClearFlgON QUIRA", {"wwwwwwwww"}},
        {"#AddVar HELP 1", {"rrrrrrrrr", "ooooooooo"}},
        {"#ChangeVar HELP 1", {"rrrrrrrrr", "ooooooooo"}},
        {"#FlgONVar HELP 1", {"rrrrrrrrr", "rrrrrrrrr"}},
        {"#FlgOFFVar HELP 1", {"rrrrrrrrr", "rrrrrrrrr"}},
        {"#PlayBGM bgm00.mus", {"rmmmmmmmA"}},
        {"#StopBGM", {"ooooooooo"}},
        {"#PlayWave GenPurEnter 0", {"wwwwwwwww", "ooooooooo"}},
        {"#StopWave GenPurEnter", {"orrrrrrrr"}},
        {"#PlayVoice VSHORT.sou", {"ommmmmmmw"}},
        {"#StopVoice", {"ooooooooo"}},
    });
}

}  // namespace
