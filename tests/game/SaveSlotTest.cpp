#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/GAMEMAIN.h"
#include "game/ScenarioScripts.h"
#include "game/SlotFileParser.h"
#include "support/Bytes.h"
#include "support/ScriptBench.h"

namespace {

namespace fs = std::filesystem;
using zktest::ReadFileBytes;
using zktest::ScriptBench;
using zktest::WriteFileBytes;

const platform::CalendarTime kNow{2026, 12, 5, 18, 7, 9};

// The bench's story in the adventure mode, two lines into test.spt.
struct SaveSlotTest : ::testing::Test {
    ScriptBench bench;

    void SetUp() override {
        bench.kit().clock().setLocalTime(kNow);
        ASSERT_TRUE(bench.open({u8"// test", u8"#Wait 1", u8"#Wait 1", u8"#Wait 1"}));
        ASSERT_TRUE(bench.runUntil([&] { return bench.game().ScrFileData.nLine >= 2; }));
        bench.game().nMode = GAME_MODE_ADV;
        bench.game().nOldMode = GAME_MODE_TITLE;
        bench.clearLog();
    }

    GAMEMAIN& game() { return bench.game(); }

    SlotParseResult parse(const std::string& path) {
        const ScenarioScripts scripts;
        return ParseSlotFile(ReadFileBytes(path), game().SlotSchemaOf(&scripts));
    }
};

TEST_F(SaveSlotTest, SlotNumbersNameTheirFiles) {
    struct Case {
        std::uint32_t slot;
        std::uint32_t result;
        const char* path;
    };
    for (const Case& c : {Case{9, 1, "sav/sav09.sav"}, Case{10, 1, "sav/sav10.sav"},
                          Case{20, 1, "sav/sav20.sav"}}) {
        EXPECT_EQ(game().SaveIndependentData(c.slot), c.result) << c.slot;
        EXPECT_TRUE(fs::is_regular_file(c.path)) << c.path;
    }
    const std::string refused = "Error: <GAMEMAIN::SaveIndependentData> 引数が不正です";
    for (const std::uint32_t slot : {0u, 21u, 0xFFFFFFFFu}) {
        bench.clearLog();
        EXPECT_EQ(game().SaveIndependentData(slot), 0u) << slot;
        EXPECT_EQ(bench.lines(), std::vector<std::string>{refused}) << slot;
    }
    EXPECT_FALSE(fs::exists("sav/sav00.sav"));
    EXPECT_FALSE(fs::exists("sav/sav21.sav"));
}

// The saved file reads back, against the running game, as the state it was taken from.
TEST_F(SaveSlotTest, TheFileIsTheCapturedState) {
    game().pVarData[1].nValue = -7;
    game().BGGraphData2.nX = 120;
    std::string refused;
    const SlotImage image = game().CaptureSlotImage(refused);
    ASSERT_EQ(refused, "");
    ASSERT_EQ(game().SaveIndependentData(4), 1u);
    const SlotParseResult parsed = parse("sav/sav04.sav");
    ASSERT_TRUE(parsed.image) << parsed.nLine << " " << parsed.szField;
    EXPECT_EQ(*parsed.image, image);
    EXPECT_EQ(parsed.image->nHeader, (std::array<std::int32_t, 7>{2026, 12, 5, 18, 7, 9, 1}));
    EXPECT_EQ(parsed.image->ScrFileData.szFileName, "test.spt");
    EXPECT_EQ(parsed.image->VARIABLE_DATA[1], -7);
    EXPECT_EQ(parsed.image->BGGraphData2.nX, 120);
    EXPECT_FALSE(fs::exists("sav/sav04.sav.tmp"));
}

TEST_F(SaveSlotTest, TheHeaderDayIsTheDayVariableWithinTwoDigits) {
    struct Case {
        std::int32_t value;
        bool registered;
        std::int32_t day;
    };
    for (const Case& c :
         {Case{17, true, 17}, Case{42, true, 42}, Case{99, true, 99}, Case{100, true, 0},
          Case{120, true, 0}, Case{-1, true, 0}, Case{42, false, 0}}) {
        game().pVarData[0].nValue = c.value;
        game().nDayVarIndex = c.registered ? 0 : -1;
        std::string refused;
        EXPECT_EQ(game().CaptureSlotImage(refused).nHeader[6], c.day) << c.value;
    }
}

TEST_F(SaveSlotTest, TheSavedLoadTablesAreTheLiveOnes) {
    // The message window's surface is loaded; surface 400 holds nothing.
    game().SURF_LOAD_DATA[MSG_WINDOW_DATA::kSurface] = {0, 7};
    game().SURF_LOAD_DATA[400] = {7, 7};
    game().WAVE_LOAD_DATA[3] = {7, 9};
    std::string refused;
    const SlotImage image = game().CaptureSlotImage(refused);
    EXPECT_EQ(game().SURF_LOAD_DATA[MSG_WINDOW_DATA::kSurface].nLoadFlg, 1u);
    EXPECT_EQ(game().SURF_LOAD_DATA[400].nLoadFlg, 0u);
    EXPECT_EQ(image.SURF_LOAD_DATA[MSG_WINDOW_DATA::kSurface].nLoadFlg, 1u);
    EXPECT_EQ(image.SURF_LOAD_DATA[400].nLoadFlg, 0u);
    EXPECT_EQ(image.SURF_LOAD_DATA[400].dwFlag, 0u);
    // A sound record keeps its second word and learns its loaded flag.
    EXPECT_EQ(image.WAVE_LOAD_DATA[3].dwFlag, 9u);
    EXPECT_EQ(image.WAVE_LOAD_DATA[3].nLoadFlg, 0u);
}

// A story saved, then changed, then loaded, is the story saved.
TEST_F(SaveSlotTest, ALoadedSlotRestoresTheSavedState) {
    game().pVarData[1].nValue = 5;
    game().BGGraphData2.nX = 120;
    std::strcpy(game().BGGraphData2.szName, "BG01");
    std::strcpy(game().ClothesSelectData.ClothesData[2].szDescription, "one \ntwo");
    ZKCHAR& hero = bench.character();
    hero.nDispFlg = 1;
    hero.nX = 40;
    hero.SetEyeData(1, 2, 777);
    std::string refused;
    const SlotImage saved = game().CaptureSlotImage(refused);
    ASSERT_EQ(game().SaveIndependentData(6), 1u);

    game().pVarData[1].nValue = 9;
    game().BGGraphData2.nX = 0;
    hero.nX = 0;
    hero.SetEyeData(1, 2, 5);
    game().nMode = GAME_MODE_TITLE;
    game().nMsgWndDispFlg = 0;
    bench.clearLog();
    ASSERT_EQ(game().LoadIndependentData(6), 1u);

    EXPECT_EQ(game().CaptureSlotImage(refused), saved);
    EXPECT_EQ(game().pVarData[1].nValue, 5);
    EXPECT_EQ(game().BGGraphData2.nX, 120);
    EXPECT_STREQ(game().BGGraphData2.szName, "BG01");
    EXPECT_STREQ(game().ClothesSelectData.ClothesData[2].szDescription, "one \ntwo");
    EXPECT_EQ(game().nMode, GAME_MODE_ADV);
    EXPECT_EQ(game().nOldMode, GAME_MODE_TITLE);
    EXPECT_EQ(hero.nX, 40);
    EXPECT_EQ(hero.pFaceData[1].pEyeData[2].dwTime, 777u);
    EXPECT_EQ(game().nMsgWndDispFlg, 1u);
    EXPECT_EQ(game().ScrFileData.nLine, saved.ScrFileData.nLine);
    EXPECT_STREQ(game().ScrFileData.szFileName, "test.spt");
}

// Live fields a save must carry and a load must give back, each set to a value of
// its own for a given story k (1 or 2).
void Distinct(GAMEMAIN& g, ZKCHAR& hero, int k) {
    const bool one = k == 1;
    hero.nLoveValue = 10 * k;
    hero.nState = one ? 1 : 0;
    hero.fBodyAlpha = 0.25f * static_cast<float>(k);
    hero.nNextFace = k - 1;
    g.BGGraphData1.fScaleX = 0.5f * static_cast<float>(k);
    g.BGGraphData1.nGKind = one ? 0 : 1;
    g.DayWindowData.nSlideFlg = one ? 1 : 0;
    g.MsgWindowData.nButtonState[2] = one ? 1 : 2;
    std::strcpy(g.ScrFileData.Cmd[1].szCommand, one ? "#KeyWait" : "#TimeWait");
    g.ScrFileData.Cmd[1].dwPhase = 10u * static_cast<std::uint32_t>(k);
}

TEST_F(SaveSlotTest, EveryFieldGoesThereAndBack) {
    ZKCHAR& hero = bench.character();
    Distinct(game(), hero, 1);
    ASSERT_EQ(game().SaveIndependentData(7), 1u) << bench.lines().front();
    Distinct(game(), hero, 2);
    ASSERT_EQ(game().LoadIndependentData(7), 1u) << bench.lines().front();
    EXPECT_EQ(hero.nLoveValue, 10);
    EXPECT_EQ(hero.nState, 1);
    EXPECT_EQ(hero.fBodyAlpha, 0.25f);
    EXPECT_EQ(hero.nNextFace, 0);
    EXPECT_EQ(game().BGGraphData1.fScaleX, 0.5f);
    EXPECT_EQ(game().BGGraphData1.nGKind, 0u);
    EXPECT_EQ(game().DayWindowData.nSlideFlg, 1u);
    EXPECT_EQ(game().MsgWindowData.nButtonState[2], 1u);
    EXPECT_EQ(game().ScrFileData.Cmd[1].dwPhase, 10u);
    EXPECT_STREQ(game().ScrFileData.Cmd[1].szCommand, "#KeyWait");
    EXPECT_EQ(game().ScrFileData.Cmd[1].nLine, game().ScrFileData.nLine);
}

// A slot the game cannot read changes nothing: the running story goes on as it was.
TEST_F(SaveSlotTest, AnUnreadableSlotChangesNothing) {
    ASSERT_EQ(game().SaveIndependentData(2), 1u);
    const std::string good = ReadFileBytes("sav/sav02.sav");
    WriteFileBytes("sav/sav03.sav", good.substr(0, good.size() / 2));
    WriteFileBytes("sav/sav04.sav", good + "x\n");
    fs::create_directory("sav/sav05.sav");
    game().pVarData[1].nValue = 9;
    game().BGGraphData2.nX = 33;
    std::string refused;
    const SlotImage before = game().CaptureSlotImage(refused);
    struct Case {
        std::uint32_t slot;
        std::string line;
    };
    const std::string tag = "Error: <GAMEMAIN::LoadIndependentData> ";
    const std::string damaged = tag + "セーブファイルでないか、ファイルが壊れています (";
    for (const Case& c :
         {Case{0, tag + "引数が不正です"}, Case{21, tag + "引数が不正です"},
          Case{1, tag + "ファイルオープンに失敗しました"},
          Case{5, tag + "ファイルオープンに失敗しました"}, Case{3, damaged + "sav/sav03.sav "},
          Case{4, damaged + "sav/sav04.sav "}}) {
        bench.clearLog();
        EXPECT_EQ(game().LoadIndependentData(c.slot), 0u) << c.slot;
        const std::vector<std::string> lines = bench.lines();
        ASSERT_EQ(lines.size(), 1u) << c.slot;
        EXPECT_TRUE(lines[0].starts_with(c.line)) << lines[0];
        EXPECT_EQ(game().CaptureSlotImage(refused), before) << c.slot;
    }
    EXPECT_EQ(ReadFileBytes("sav/sav03.sav"), good.substr(0, good.size() / 2));
}

// A state the file cannot hold, or a slot that cannot be written, keeps the old save.
struct Refusal {
    const char* name;
    void (*spoil)(GAMEMAIN& game);
    const char* line;
    friend void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }
};

const Refusal kRefusals[] = {
    {"BlankInAName", [](GAMEMAIN& g) { std::strcpy(g.BGGraphData1.szName, "a b"); },
     "保存できない値があります (szName)"},
    {"TheNullWord", [](GAMEMAIN& g) { std::strcpy(g.szBGMName, "__null__"); },
     "保存できない値があります (szBGMName)"},
    {"ControlByte", [](GAMEMAIN& g) { std::strcpy(g.ScrFileData.Cmd[2].szArg[4], "a\x01b"); },
     "保存できない値があります (szArg)"},
    {"NaNAlpha", [](GAMEMAIN& g) { g.PRIM1.fAlpha = std::nanf(""); },
     "保存できない値があります (fAlpha)"},
    {"UnknownMode", [](GAMEMAIN& g) { g.nMode = 7; }, "保存できない値があります (nMode)"},
    {"FolderAtTheTemporaryPath", [](GAMEMAIN&) { fs::create_directory("sav/sav03.sav.tmp"); },
     "sav/sav03.sav の書き込みに失敗しました"},
};

struct SaveRefusalTest : SaveSlotTest, ::testing::WithParamInterface<Refusal> {};

TEST_P(SaveRefusalTest, KeepsTheOldSlot) {
    WriteFileBytes("sav/sav03.sav", "old save\n");
    GetParam().spoil(game());
    EXPECT_EQ(game().SaveIndependentData(3), 0u);
    const std::vector<std::string> lines = bench.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].starts_with(std::string("Error: <GAMEMAIN::SaveIndependentData> ") +
                                     GetParam().line))
        << lines[0];
    EXPECT_EQ(ReadFileBytes("sav/sav03.sav"), "old save\n");
    EXPECT_FALSE(fs::is_regular_file("sav/sav03.sav.tmp"));
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
