#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/Bytes.h"
#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

CLOTHES_DATA& Costume(GAMEMAIN& g, int n) { return g.ClothesSelectData.ClothesData[n - 1]; }

// Bit 0 unlocked, bit 1 complete, bit p + 1 part p, in the record and in the summary
// word the system save keeps; a part-count-0 costume is complete with its first part.
TEST(CostumeCommands, ClothesDataChangeSetsPartUnlockAndCompleteBits) {
    const struct {
        std::string line;
        std::uint32_t parts;
        std::uint32_t recordBefore;
        std::int32_t summaryBefore;
        std::uint32_t record;
        std::int32_t summary;
    } cases[] = {
        {"#ClothesDataChange 2 2 NULL NULL NULL", 2, 0, 0, 0b1001, 0b1001},
        {"#ClothesDataChange 2 2 NULL NULL NULL", 2, 0, 0b100, 0b1011, 0b1111},
        {"#ClothesDataChange 2 30 NULL NULL NULL", 2, 0, 0b1100, 0b10000000000000000000000000000011,
         static_cast<std::int32_t>(0b10000000000000000000000000001111)},
        {"#ClothesDataChange 2 1 NULL NULL NULL", 0, 0, 0, 0b111, 0b111},
        {"#ClothesDataChange 2 1 NULL NULL NULL", 31, 0, -4, 0b101, -3},
        {"#ClothesDataChange 2 0 NULL NULL NULL", 2, 0b1111, 0b1111, 0, 0b1111},
        {"#ClothesDataChange 14 null null null null", 2, 0b1001, 0b1001, 0b1001, 0b1001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + " parts " + std::to_string(c.parts));
        ScriptBench b;
        GAMEMAIN& g = b.game();
        const int n = std::stoi(c.line.substr(19));
        Costume(g, n).nPartsNum = c.parts;
        Costume(g, n).dwFlag = c.recordBefore;
        g.nClothesFlg[n - 1] = c.summaryBefore;
        EXPECT_EQ(b.runLine(c.line), Lines{});
        EXPECT_EQ(Costume(g, n).dwFlag, c.record);
        EXPECT_EQ(g.nClothesFlg[n - 1], c.summary);
    }
}

TEST(CostumeCommands, ClothesDataChangeStoresFaceDescriptionAndScenarioAsWritten) {
    ScriptBench b;
    CLOTHES_DATA& costume = Costume(b.game(), 1);
    EXPECT_EQ(b.runLine("#ClothesDataChange 1 NULL 3 First\\nSecond c01.spt"), Lines{});
    EXPECT_EQ(costume.nFace, 2u);
    EXPECT_EQ(std::string(costume.szDescription), "First\\nSecond");
    EXPECT_EQ(std::string(costume.szScenario), "c01.spt");
    EXPECT_EQ(b.runLine("#ClothesDataChange 1 NULL 1 NULL NULL"), Lines{});
    EXPECT_EQ(costume.nFace, 0u);
    EXPECT_EQ(std::string(costume.szDescription), "First\\nSecond");
    EXPECT_EQ(std::string(costume.szScenario), "c01.spt");
}

// The system save's flag words, before the list of read scripts that any run changes.
std::string SavedFlags() {
    const std::string bytes = zktest::ReadFileBytes("sav/sav00.sav");
    return bytes.substr(0, bytes.find("---AUTO_SKIP"));
}

// A refused line changes nothing, and so nothing reaches the system save.
TEST(CostumeCommands, ARefusedClothesDataChangeLeavesRecordSummaryAndSaveAlone) {
    const std::string tag = "Message: <GAMEMAIN::ClothesDataChangeProc> スクリプトの";
    const std::string first = tag + "第一引数が不正です";
    const std::string second = tag + "第二引数が不正です";
    const std::string third = tag + "第三引数が不正です";
    const std::string fifth = tag + "第五引数が不正です";
    const struct {
        std::string line;
        std::string failure;
    } cases[] = {
        {"#ClothesDataChange 0 1 1 d s.spt", first},
        {"#ClothesDataChange 15 1 1 NULL NULL", first},
        {"#ClothesDataChange 1 31 1 d s.spt", second},
        {"#ClothesDataChange 1 -1 1 d s.spt", second},
        {"#ClothesDataChange 1 1 0 d s.spt", third},
        {"#ClothesDataChange 1 1 4 d s.spt", third},
        {"#ClothesDataChange 1 1 1 d", fifth},
        {"#ClothesDataChange 1 1 1 d ../x.spt", fifth},
        {"#ClothesDataChange 1 1 1 d " + std::string(300, 's'), fifth},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 60));
        ScriptBench b;
        GAMEMAIN& g = b.game();
        g.LoadIntegratedData();
        ASSERT_EQ(g.SaveIntegratedData(), 1);
        const std::string saved = SavedFlags();
        b.clearLog();
        const Lines lines = b.runLine(c.line);
        EXPECT_EQ(b.lastResult, -1);
        const Lines tail = ScriptBench::FailureLines(c.failure, 2, "#ClothesDataChange");
        ASSERT_GE(lines.size(), tail.size());
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()), tail);
        const CLOTHES_DATA& costume = Costume(g, 1);
        EXPECT_EQ(costume.dwFlag, 0u);
        EXPECT_EQ(g.nClothesFlg[0], 0);
        EXPECT_EQ(costume.nFace, 0u);
        EXPECT_EQ(std::string(costume.szDescription), "");
        EXPECT_EQ(std::string(costume.szScenario), "");
        ASSERT_EQ(g.SaveIntegratedData(), 1);
        EXPECT_EQ(SavedFlags(), saved);
    }
}

TEST(CostumeCommands, ClothesDataSortStoresTheKeywordsCostumeAtItsPlace) {
    const std::string warn = "Warn: <GAMEMAIN::ClothesDataSortProc> [#ClothesDataSort] ";
    const std::string refused =
        "Message: <GAMEMAIN::ClothesDataSortProc> スクリプトの第一引数が不正です";
    const struct {
        std::string line;
        int place;
        std::int32_t stored;
        Lines lines;
    } cases[] = {
        {"#ClothesDataSort 8 NURSE", 8, 9, {}},
        {"#ClothesDataSort 1 basic", 1, 0, {}},
        {"#ClothesDataSort 2 BLACK_LONG", 2, 13, {}},
        {"#ClothesDataSort 3 NONE", 3, -1, {}},
        {"#ClothesDataSort 1 FOO", 1, -1,
         ScriptBench::WarningLines(warn + "定義されていない衣装名です: FOO", 2,
                                   "#ClothesDataSort")},
        {"#ClothesDataSort 0 NURSE", 1, 5,
         ScriptBench::FailureLines(refused, 2, "#ClothesDataSort")},
        {"#ClothesDataSort 9 NURSE", 8, 5,
         ScriptBench::FailureLines(refused, 2, "#ClothesDataSort")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        std::int32_t* order = b.game().ClothesSelectData.nSortNo;
        for (int i = 0; i < 8; ++i) order[i] = 5;
        EXPECT_EQ(b.runLine(c.line), c.lines);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(order[i], i == c.place - 1 ? c.stored : 5) << i;
    }
}

TEST(CostumeCommands, GameClearFlgONRaisesTheEndingsBitAndWarnsOfOtherWords) {
    const std::string warn =
        "Warn: <GAMEMAIN::GameClearFlgONProc> [#GameClearFlgON] 定義されていない識別子です: ";
    const struct {
        std::string word;
        std::uint32_t flags;
        Lines lines;
    } cases[] = {
        {"QUIRA", 0x21, {}},
        {"dulcane", 0x22, {}},
        {"OMBREA", 0x24, {}},
        {"YSMA", 0x28, {}},
        {"BAD", 0x30, {}},
        {"EXTRA", 0x20, ScriptBench::WarningLines(warn + "EXTRA", 2, "#GameClearFlgON")},
        {"", 0x20, ScriptBench::WarningLines(warn, 2, "#GameClearFlgON")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        ScriptBench b;
        b.game().nGameClearFlg = 0x20;
        EXPECT_EQ(b.runLine("#GameClearFlgON " + c.word), c.lines);
        EXPECT_EQ(b.game().nGameClearFlg, c.flags);
    }
}

}  // namespace
