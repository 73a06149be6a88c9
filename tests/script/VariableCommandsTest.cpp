#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

VAR_DATA& Variable(GAMEMAIN& g, const char* szID) {
    std::int32_t row = -1;
    EXPECT_EQ(g.IDSerch(szID, 3, &row), 1u) << szID;
    return g.pVarData[row < 0 ? 0 : row];
}

const std::string kVarMiss = "Message: <GAMEMAIN::IDSerch> 変数データのIDと照合しませんでした";
const std::string kCharaMiss = "Message: <GAMEMAIN::IDSerch> キャラデータのIDと照合しませんでした";

// A variable first, then a character's love value; a sum saturates.
TEST(VariableCommands, ChangeAndAddSetAVariableOrALoveValue) {
    const struct {
        std::string line;
        std::int32_t helpBefore;
        std::int32_t loveBefore;
        std::int32_t help;
        std::int32_t love;
        bool throughCharacters;
    } cases[] = {
        {"#ChangeVar HELP 3", 9, 9, 3, 9, false},
        {"#AddVar help -4", 9, 9, 5, 9, false},
        {"#AddVar HELP 2147483647", 5, 9, kMax, 9, false},
        {"#AddVar HELP -2147483648", -5, 9, kMin, 9, false},
        {"#ChangeVar HERO 7", 9, 9, 9, 7, true},
        {"#AddVar HERO 5", 9, 9, 9, 14, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        Variable(g, "HELP").nValue = c.helpBefore;
        b.character().SetLoveValue(c.loveBefore);
        const Lines lines = b.runLine(c.line);
        const bool add = c.line.starts_with("#Add");
        const std::string tag =
            add ? "GAMEMAIN::VarAddProc> [#AddVar] " : "GAMEMAIN::VarChangeProc> [#ChangeVar] ";
        Lines expected;
        if (c.throughCharacters) {
            expected = {kVarMiss, "Message: <" + tag + "合致する変数IDが見つかりませんでした"};
        }
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(Variable(g, "HELP").nValue, c.help);
        EXPECT_EQ(b.character().nLoveValue, c.love);
    }
}

TEST(VariableCommands, AnIDThatIsNeitherFailsWithThreeLines) {
    for (const char* word : {"#ChangeVar", "#AddVar"}) {
        SCOPED_TRACE(word);
        ScriptBench b;
        const std::string tag = std::string(word) == "#AddVar"
                                    ? "<GAMEMAIN::VarAddProc> [#AddVar] "
                                    : "<GAMEMAIN::VarChangeProc> [#ChangeVar] ";
        Lines expected = {kVarMiss, "Message: " + tag + "合致する変数IDが見つかりませんでした",
                          kCharaMiss, "Message: " + tag + "合致するキャラIDが見つかりませんでした"};
        for (const std::string& line : ScriptBench::FailureLines(
                 "Error: " + tag + "合致するIDが見つかりませんでした", 2, word)) {
            expected.push_back(line);
        }
        EXPECT_EQ(b.runLine(std::string(word) + " NOPE 1"), expected);
        EXPECT_EQ(b.lastResult, -1);
    }
}

// Item n of a heroine is bit (n - 1) mod 32 of her word (n - 1) div 32; a variable
// takes bits 1 to 16 and a character's event flags 1 to 32.
TEST(VariableCommands, FlagItemsLandInTheirWordAndBit) {
    enum class WORDS { Variable, Event, CG, Replay };
    const struct {
        std::string args;
        WORDS words;
        std::size_t word;
        std::uint32_t bit;
    } cases[] = {
        {"HELP 1", WORDS::Variable, 0, 1u << 0},
        {"HELP 16", WORDS::Variable, 0, 1u << 15},
        {"HERO 1 FLG", WORDS::Event, 0, 1u << 0},
        {"HERO 32 flg", WORDS::Event, 0, 1u << 31},
        {"QUIRA 33 CG", WORDS::CG, 1, 1u << 0},
        {"QUIRA 96 CG", WORDS::CG, 2, 1u << 31},
        {"DULCANE 64 CG", WORDS::CG, 4, 1u << 31},
        {"OMBREA 2 CG", WORDS::CG, 5, 1u << 1},
        {"OMBREA 33 CG", WORDS::CG, 6, 1u << 0},
        {"YSMA 32 CG", WORDS::CG, 7, 1u << 31},
        {"QUIRA 65 REPLAY", WORDS::Replay, 2, 1u << 0},
        {"DULCANE 1 replay", WORDS::Replay, 3, 1u << 0},
        {"OMBREA 32 REPLAY", WORDS::Replay, 4, 1u << 31},
        {"YSMA 1 REPLAY", WORDS::Replay, 5, 1u << 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        const auto all = [&] {
            std::vector<std::uint32_t> words = {
                static_cast<std::uint32_t>(Variable(g, "HELP").nValue), b.character().dwEventFlg};
            words.insert(words.end(), std::begin(g.dwCGFlg), std::end(g.dwCGFlg));
            words.insert(words.end(), std::begin(g.dwReplayFlg), std::end(g.dwReplayFlg));
            return words;
        };
        const std::size_t firsts[] = {0, 1, 2, 10};
        Variable(g, "HELP").nValue = 0;
        std::vector<std::uint32_t> expected = all();
        b.runLine("#FlgONVar " + c.args);
        EXPECT_EQ(b.lastResult, 2);
        expected[firsts[static_cast<int>(c.words)] + c.word] = c.bit;
        EXPECT_EQ(all(), expected);
        // Set twice, still one bit; cleared twice, none.
        b.runLine("#FlgONVar " + c.args);
        EXPECT_EQ(all(), expected);
        b.runLine("#FlgOFFVar " + c.args);
        b.runLine("#FlgOFFVar " + c.args);
        EXPECT_EQ(b.lastResult, 2);
        expected[firsts[static_cast<int>(c.words)] + c.word] = 0;
        EXPECT_EQ(all(), expected);
    }
}

TEST(VariableCommands, FlagRefusalsNameTheirRangeAndChangeNothing) {
    const struct {
        std::string args;
        std::string failure;
    } cases[] = {
        {"HELP 0", "[#W] ビット値が不正です"},
        {"HELP 17", "[#W] ビット値が不正です"},
        {"HERO 0 FLG", "[#W] [フラグ] ビット値が不正です"},
        {"QUIRA 33 FLG", "[#W] [フラグ] ビット値が不正です"},
        {"QUIRA 97 CG", "[#W] [クィラ/CG] ビット値が不正です"},
        {"QUIRA 0 REPLAY", "[#W] [クィラ/回想] ビット値が不正です"},
        {"DULCANE 65 CG", "[#W] [ドゥルカーネ/CG] ビット値が不正です"},
        {"DULCANE 33 REPLAY", "[#W] [ドゥルカーネ/回想] ビット値が不正です"},
        {"OMBREA 65 CG", "[#W] [オンブレア/CG] ビット値が不正です"},
        {"OMBREA 33 REPLAY", "[#W] [オンブレア/回想] ビット値が不正です"},
        {"YSMA 33 CG", "[#W] [イスマ/CG] ビット値が不正です"},
        {"YSMA 33 REPLAY", "[#W] [イスマ/回想] ビット値が不正です"},
        {"QUIRA 1 FOO", "定義されていない識別子です"},
        {"NOPE 1", "[#W] 合致するキャラIDが見つかりませんでした"},
    };
    for (const bool on : {true, false}) {
        const std::string word = on ? "#FlgONVar" : "#FlgOFFVar";
        const std::string tag = on ? "GAMEMAIN::VarFlgONProc" : "GAMEMAIN::VarFlgOFFProc";
        for (const auto& c : cases) {
            SCOPED_TRACE(word + " " + c.args);
            ScriptBench b;
            GAMEMAIN& g = b.game();
            const std::uint32_t fill = on ? 0u : 0xFFFFFFFFu;
            for (std::uint32_t& w : g.dwCGFlg) w = fill;
            for (std::uint32_t& w : g.dwReplayFlg) w = fill;
            b.character().dwEventFlg = fill;
            Variable(g, "HELP").nValue = static_cast<std::int32_t>(fill);
            std::string failure = c.failure;
            if (failure.starts_with("[#W]")) failure.replace(1, 2, word);
            const Lines lines = b.runLine(word + " " + c.args);
            EXPECT_EQ(b.lastResult, -1);
            const Lines tail =
                ScriptBench::FailureLines("Error: <" + tag + "> " + failure, 2, word);
            ASSERT_GE(lines.size(), tail.size());
            EXPECT_EQ(Lines(lines.end() - 4, lines.end()), tail);
            for (std::uint32_t w : g.dwCGFlg) EXPECT_EQ(w, fill);
            for (std::uint32_t w : g.dwReplayFlg) EXPECT_EQ(w, fill);
            EXPECT_EQ(b.character().dwEventFlg, fill);
            EXPECT_EQ(static_cast<std::uint32_t>(Variable(g, "HELP").nValue), fill);
        }
    }
}

// A character that is no heroine has no gallery or scene items: a warning, nothing
// changed, and the story goes on.
TEST(VariableCommands, GalleryAndSceneItemsOfANonHeroineWarn) {
    for (const std::string word : {"#FlgONVar", "#FlgOFFVar"}) {
        for (const char* kind : {"CG", "REPLAY"}) {
            SCOPED_TRACE(word + kind);
            ScriptBench b;
            const bool on = word == "#FlgONVar";
            const std::string tag = on ? "GAMEMAIN::VarFlgONProc" : "GAMEMAIN::VarFlgOFFProc";
            const Lines lines = b.runLine(word + " EXTRA 1 " + kind);
            EXPECT_EQ(b.lastResult, 2);
            const Lines tail = ScriptBench::WarningLines(
                "Warn: <" + tag + "> [" + word +
                    "] ヒロイン以外のキャラにはCGと回想のフラグがありません: EXTRA",
                2, word);
            ASSERT_GE(lines.size(), tail.size());
            EXPECT_EQ(Lines(lines.end() - 3, lines.end()), tail);
            EXPECT_EQ(
                lines[1],
                on ? "Message: <" + tag +
                         "> [#FlgONVar] 合致する変数IDが見つからないのでキャラIDで検索します"
                   : "Message: <" + tag + "> [#FlgOFFVar] 合致する変数IDが見つかりませんでした");
            for (std::uint32_t w : b.game().dwCGFlg) EXPECT_EQ(w, 0u);
            for (std::uint32_t w : b.game().dwReplayFlg) EXPECT_EQ(w, 0u);
        }
    }
}

}  // namespace
