#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ScenarioScripts.h"
#include "game/SlotFileParser.h"
#include "sound/ZKSND.h"
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
        EXPECT_EQ(game().LoadIndependentData(c.slot), c.result) << c.slot;
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
    std::strcpy(game().ClothesSelectData.ClothesData[2].szDescription, "one\\ntwo");
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
    EXPECT_EQ(bench.lines(), std::vector<std::string>{});

    EXPECT_EQ(game().CaptureSlotImage(refused), saved);
    EXPECT_EQ(game().pVarData[1].nValue, 5);
    EXPECT_EQ(game().BGGraphData2.nX, 120);
    EXPECT_STREQ(game().BGGraphData2.szName, "BG01");
    EXPECT_STREQ(game().ClothesSelectData.ClothesData[2].szDescription, "one\\ntwo");
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
    hero.dwEventFlg = 0x10u * static_cast<std::uint32_t>(k);
    hero.nX = 40 * k;
    hero.nY = 50 * k;
    hero.nBody = k;
    hero.nNextBody = 2 - k;
    hero.nFace = k;
    hero.fFaceAlpha = 0.125f * static_cast<float>(k);
    hero.nDispFlg = one ? 1 : 0;
    g.BGGraphData1.fScaleX = 0.5f * static_cast<float>(k);
    g.BGGraphData1.nGKind = one ? 1 : 0;
    g.BGGraphData1.nIndex = 5;
    g.BGGraphData1.nDispFlg = one ? 1 : 0;
    g.BGGraphData1.nY = 7 * k;
    g.BGGraphData1.fAlpha = 0.25f * static_cast<float>(k);
    SELECT_WINDOW_DATA& plate = g.SelectWindowData.SlcWnd[1];
    plate.nCenterY = 200 + k;
    plate.rcHit = {10 * k, 20 * k, 300 + k, 400 + k};
    // An unset highlight has no frames to give back.
    g.SelectWindowData.HighLight.Set(one ? 0 : 5, 0);
    g.SelectWindowData.HighLight.nPlayFlg = one ? 0 : 1;
    g.SelectWindowData.HighLight.nDirection = one ? 0 : 1;
    g.DayWindowData.nDay = 3 * k;
    g.DayWindowData.nX = -k;
    CLOTHES_DATA& costume = g.ClothesSelectData.ClothesData[3];
    costume.dwFlag = static_cast<std::uint32_t>(k);
    costume.nFace = static_cast<std::uint32_t>(k);
    costume.nPartsNum = 5u * static_cast<std::uint32_t>(k);
    std::strcpy(costume.szScenario, one ? "a.spt" : "b.spt");
    g.ClothesSelectData.nSortNo[2] = k;
    g.MsgWindowData.nY = 420 + k;
    g.MsgWindowData.MsgData.nFontSize = 20 + k;
    g.MsgWindowData.MsgData.dwColor = 0x100u * static_cast<std::uint32_t>(k);
    g.SelectWindowData.nStep = k;
    plate.nCenterX = 100 + k;
    plate.nClickFlg = one ? 1 : 0;
    plate.MsgData.SetText(one ? "first" : "second");
    plate.MsgData.dwColor = static_cast<std::uint32_t>(k);
    plate.fScale = 0.25f * static_cast<float>(k);
    g.dwMsgTextWork[1] = 30u * static_cast<std::uint32_t>(k);
    g.PRIM1.Set(1, 40, 2, 0, 0, 0, 0);
    for (std::int32_t n = 0; n < 2; ++n) {
        const platform::Rect frame{0, 0, 10 * k + n, 10 * k};
        g.PRIM1.AnimationSet(n, static_cast<std::uint32_t>(100 * k + n), &frame, 0);
    }
    g.PRIM1.nNextAnim = static_cast<std::uint32_t>(2 - k);
    g.PRIM1.nCrossAlpha = 100 * k;
    g.PRIM1.dwExtra = static_cast<std::uint32_t>(k);
    g.PRIM1.AnimData.nAnimNo = static_cast<std::uint32_t>(2 - k);
    g.PRIM1.AnimData.nDirection = one ? 0 : 1;
    g.MsgWindowData.nButtonState[0] = one ? 2 : 4;
    g.DayWindowData.nSlideFlg = one ? 1 : 0;
    g.MsgWindowData.nButtonState[2] = one ? 1 : 2;
    std::strcpy(g.ScrFileData.Cmd[1].szCommand, one ? "#KeyWait" : "#TimeWait");
    g.ScrFileData.Cmd[1].dwPhase = 10u * static_cast<std::uint32_t>(k);
    g.ScrFileData.nReadFlg = one ? 0 : 1;
    g.MsgWindowData.nOpenFlg = one ? 1 : 0;
}

TEST_F(SaveSlotTest, EveryFieldGoesThereAndBack) {
    ZKCHAR& hero = bench.character();
    Distinct(game(), hero, 1);
    ASSERT_EQ(game().SaveIndependentData(7), 1u) << bench.lines().front();
    Distinct(game(), hero, 2);
    // The loaded characters start their transitions and blinks afresh.
    hero.dwStartTime = 9;
    hero.dwDuration = 500;
    hero.pFaceData[1].Animation.dwLastTime = 9;
    ASSERT_EQ(game().LoadIndependentData(7), 1u) << bench.lines().front();
    EXPECT_EQ(hero.dwStartTime, 0u);
    EXPECT_EQ(hero.dwDuration, 0u);
    EXPECT_EQ(hero.pFaceData[1].Animation.dwLastTime, 0u);
    EXPECT_EQ(hero.nLoveValue, 10);
    EXPECT_EQ(hero.nState, 1);
    EXPECT_EQ(hero.fBodyAlpha, 0.25f);
    EXPECT_EQ(hero.nNextFace, 0);
    EXPECT_EQ(hero.dwEventFlg, 0x10u);
    EXPECT_EQ(hero.nX, 40);
    EXPECT_EQ(hero.nY, 50);
    EXPECT_EQ(hero.nBody, 1);
    EXPECT_EQ(hero.nNextBody, 1);
    EXPECT_EQ(hero.nFace, 1);
    EXPECT_EQ(hero.fFaceAlpha, 0.125f);
    EXPECT_EQ(hero.nDispFlg, 1);
    EXPECT_EQ(game().BGGraphData1.fScaleX, 0.5f);
    EXPECT_EQ(game().BGGraphData1.nGKind, 1u);
    EXPECT_EQ(game().BGGraphData1.nDispFlg, 1u);
    EXPECT_EQ(game().BGGraphData1.nY, 7);
    EXPECT_EQ(game().BGGraphData1.fAlpha, 0.25f);
    EXPECT_EQ(game().SelectWindowData.HighLight.nPlayFlg, 0u);
    EXPECT_EQ(game().SelectWindowData.HighLight.nDirection, 0u);
    EXPECT_EQ(game().DayWindowData.nDay, 3);
    EXPECT_EQ(game().DayWindowData.nX, -1);
    const CLOTHES_DATA& costume = game().ClothesSelectData.ClothesData[3];
    EXPECT_EQ(costume.dwFlag, 1u);
    EXPECT_EQ(costume.nFace, 1u);
    EXPECT_EQ(costume.nPartsNum, 5u);
    EXPECT_STREQ(costume.szScenario, "a.spt");
    EXPECT_EQ(game().ClothesSelectData.nSortNo[2], 1);
    EXPECT_EQ(game().MsgWindowData.nY, 421);
    EXPECT_EQ(game().MsgWindowData.MsgData.nFontSize, 21);
    EXPECT_EQ(game().MsgWindowData.MsgData.dwColor, 0x100u);
    EXPECT_EQ(game().SelectWindowData.nStep, 1);
    const SELECT_WINDOW_DATA& plate = game().SelectWindowData.SlcWnd[1];
    EXPECT_EQ(plate.nCenterX, 101);
    EXPECT_EQ(plate.nClickFlg, 1u);
    EXPECT_STREQ(plate.MsgData.szText, "first");
    EXPECT_EQ(plate.MsgData.dwColor, 1u);
    EXPECT_EQ(plate.fScale, 0.25f);
    EXPECT_EQ(game().dwMsgTextWork[1], 30u);
    const GRAPHIC_DATA_EX& picture = game().PRIM1;
    ASSERT_EQ(picture.nAnimNum, 2u);
    ASSERT_TRUE(picture.prcAnim && picture.AnimData.pdwCtrlTime);
    EXPECT_EQ(picture.prcAnim[0], (platform::Rect{0, 0, 10, 10}));
    EXPECT_EQ(picture.prcAnim[1], (platform::Rect{0, 0, 11, 10}));
    EXPECT_EQ(picture.AnimData.pdwCtrlTime[0], 100u);
    EXPECT_EQ(picture.AnimData.pdwCtrlTime[1], 101u);
    EXPECT_EQ(picture.nNextAnim, 1u);
    EXPECT_EQ(picture.nCrossAlpha, 100);
    EXPECT_EQ(picture.dwExtra, 1u);
    EXPECT_EQ(picture.AnimData.nAnimNo, 1u);
    EXPECT_EQ(picture.AnimData.nDirection, 0u);
    EXPECT_EQ(game().MsgWindowData.nButtonState[0], 2u);
    EXPECT_EQ(game().SelectWindowData.HighLight.nAnimNum, 0u);
    EXPECT_EQ(plate.nCenterY, 201);
    EXPECT_EQ(plate.rcHit, (platform::Rect{10, 20, 301, 401}));
    EXPECT_EQ(game().DayWindowData.nSlideFlg, 1u);
    EXPECT_EQ(game().MsgWindowData.nButtonState[2], 1u);
    EXPECT_EQ(game().ScrFileData.Cmd[1].dwPhase, 10u);
    EXPECT_STREQ(game().ScrFileData.Cmd[1].szCommand, "#KeyWait");
    EXPECT_EQ(game().ScrFileData.Cmd[1].nLine, game().ScrFileData.nLine);
    EXPECT_EQ(game().ScrFileData.nReadFlg, 0u);
    EXPECT_EQ(game().MsgWindowData.nOpenFlg, 1u);
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
    {"NullVoiceRecord", [](GAMEMAIN& g) { g.pSnd->DASetData(0, "__NULL__"); },
     "保存できない値があります (szVoice)"},
    {"NullDescription",
     [](GAMEMAIN& g) { std::strcpy(g.ClothesSelectData.ClothesData[1].szDescription, "__NULL__"); },
     "保存できない値があります (szDescription)"},
    {"NullScenario",
     [](GAMEMAIN& g) { std::strcpy(g.ClothesSelectData.ClothesData[5].szScenario, "__null__"); },
     "保存できない値があります (szScenario)"},
    {"NullCommand", [](GAMEMAIN& g) { std::strcpy(g.ScrFileData.Cmd[4].szCommand, "__NULL__"); },
     "保存できない値があります (szCommand)"},
    {"NullMessageText", [](GAMEMAIN& g) { g.MsgWindowData.MsgData.SetText("__NULL__"); },
     "保存できない値があります (szText)"},
    {"NullSpeaker", [](GAMEMAIN& g) { g.MsgWindowData.MsgData.SetName("__NULL__"); },
     "保存できない値があります (szName)"},
    {"NullScriptText", [](GAMEMAIN& g) { g.MsgWindowData.MsgData.SetScriptText("__NULL__"); },
     "保存できない値があります (szScriptText)"},
    {"NullLineVoice", [](GAMEMAIN& g) { g.MsgWindowData.MsgData.SetVoice("__Null__"); },
     "保存できない値があります (szVoice)"},
    {"NullPlateText", [](GAMEMAIN& g) { g.SelectWindowData.SlcWnd[2].MsgData.SetText("__NULL__"); },
     "保存できない値があります (szText)"},
    {"NullPicturePath", [](GAMEMAIN& g) { std::strcpy(g.PRIM2.szFilePath, "__NULL__"); },
     "保存できない値があります (szFilePath)"},
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

// Each text comes back in the form the running game holds it: a costume description
// as the script wrote it, escapes and all; the message texts with a blank and a line
// feed, as the message window shows them. The file holds each with its escapes.
TEST_F(SaveSlotTest, TextsComeBackInTheFormTheGameHoldsThem) {
    const std::string table = zktest::Hex("95 5C");  // ends in 0x5C, so "n" after it is text
    struct Case {
        std::string held;
        std::string token;
    };
    for (const Case& c : {Case{"one\\ntwo", "one\\ntwo"},
                          Case{table + "n" + table + "\\n", table + "n" + table + "\\n"}}) {
        std::strcpy(game().ClothesSelectData.ClothesData[0].szDescription, c.held.c_str());
        game().MsgWindowData.MsgData.SetText("a \nb");
        game().MsgWindowData.MsgData.SetScriptText("c \nd");
        ASSERT_EQ(game().SaveIndependentData(1), 1u) << bench.lines().front();
        const std::string bytes = ReadFileBytes("sav/sav01.sav");
        EXPECT_NE(bytes.find(" " + c.token + " "), std::string::npos) << c.held;
        EXPECT_NE(bytes.find("a\\nb"), std::string::npos);
        std::strcpy(game().ClothesSelectData.ClothesData[0].szDescription, "x");
        ASSERT_EQ(game().LoadIndependentData(1), 1u);
        EXPECT_EQ(std::string(game().ClothesSelectData.ClothesData[0].szDescription), c.held);
        EXPECT_EQ(std::string(game().MsgWindowData.MsgData.szText), "a \nb");
        EXPECT_EQ(std::string(game().MsgWindowData.MsgData.szScriptText), "c \nd");
    }
}

// The strips of a standing wipe come back as they stood, and the background is drawn
// through them again.
TEST_F(SaveSlotTest, StandingWipeStripsComeBack) {
    ASSERT_TRUE(bench.open({u8"// test", u8"#BGDisp BG01", u8"#Wait 1", u8"#Wait 1"}));
    ASSERT_TRUE(bench.runUntil([&] { return game().ScrFileData.nLine >= 3; }));
    CLIPPING_DATA& clip = game().ClippingData;
    constexpr std::int32_t kStrips = 2;
    const auto strip = [](std::int32_t i) {
        return platform::Rect{0, 300 * i, 300 + i, 300 * i + 300};
    };
    const auto start = [](std::int32_t i) {
        return platform::Rect{800, 300 * i, 800, 300 * i + 300};
    };
    clip.nClipNum = kStrips;
    clip.prcClip = std::make_unique<platform::Rect[]>(kStrips);
    clip.prcStartClip = std::make_unique<platform::Rect[]>(kStrips);
    clip.pdwClipTime = std::make_unique<std::uint32_t[]>(kStrips);
    for (std::int32_t i = 0; i < kStrips; ++i) {
        clip.prcClip[i] = strip(i);
        clip.prcStartClip[i] = start(i);
        clip.pdwClipTime[i] = 100u + static_cast<std::uint32_t>(i);
    }
    ASSERT_EQ(game().SaveIndependentData(8), 1u) << bench.lines().front();
    clip.Free();
    ASSERT_EQ(game().LoadIndependentData(8), 1u);
    ASSERT_EQ(clip.nClipNum, kStrips);
    ASSERT_TRUE(clip.prcClip && clip.prcStartClip && clip.pdwClipTime);
    for (std::int32_t i = 0; i < kStrips; ++i) {
        EXPECT_EQ(clip.prcClip[i], strip(i)) << i;
        EXPECT_EQ(clip.prcStartClip[i], start(i)) << i;
        EXPECT_EQ(clip.pdwClipTime[i], 100u + static_cast<std::uint32_t>(i)) << i;
    }
    game().nMsgWndDispFlg = 0;
    const auto& frame = bench.win.drawFrame([&] { game().ADVDrawProc(); });
    const std::uint32_t bg01 = ScriptBench::kBackgroundColors[1];
    for (const int y : {100, 450}) {
        EXPECT_EQ(zktest::WindowTestBench::At(frame, 100, y) & 0xFFFFFF, bg01) << y;
        EXPECT_EQ(zktest::WindowTestBench::At(frame, 500, y) & 0xFFFFFF, 0u) << y;
    }
}

// The story loaded replaces the running one whole: its open script is closed and its
// copy deleted, and its back log and bar state are gone.
TEST_F(SaveSlotTest, ALoadEndsTheRunningStorysScriptAndBackLog) {
    ASSERT_EQ(game().SaveIndependentData(2), 1u) << bench.lines().front();
    game().MsgWindowData.SetBackLog("A", "old line", nullptr);
    game().MsgWindowData.nBarUseFlg = 1;
    ASSERT_NE(game().ScrFileData.fp, nullptr);
    ASSERT_TRUE(fs::exists("tmp/test.spt"));
    ASSERT_EQ(game().LoadIndependentData(2), 1u);
    EXPECT_EQ(game().ScrFileData.fp, nullptr);
    EXPECT_FALSE(fs::exists("tmp/test.spt"));
    EXPECT_STREQ(game().MsgWindowData.BackLog[0].szText, "");
    EXPECT_EQ(game().MsgWindowData.nBarUseFlg, 0u);
    EXPECT_EQ(game().MsgWindowData.nInitFlg, 1u);
}

// The running music stops and gives way to the saved one, or to silence.
TEST_F(SaveSlotTest, ALoadReplacesTheRunningMusic) {
    zktest::ScriptKit::WriteArchive("dat/AU.dat", {{"m1.mus", zktest::ScriptKit::Tone()},
                                                   {"m2.mus", zktest::ScriptKit::Tone()}});
    GAMEMAIN& g = game();
    const auto play = [&g](const char* name) {
        std::strcpy(g.szBGMName, name);
        ASSERT_EQ(BGMPlay(g.szBGMName, g.pSnd, g.pSystem, *g.pShell), 1);
    };
    ASSERT_EQ(g.SaveIndependentData(1), 1u) << bench.lines().front();
    play("m2.mus");
    ASSERT_EQ(g.SaveIndependentData(2), 1u) << bench.lines().front();
    play("m1.mus");
    const int m2Plays = bench.win.sounds.plays("tmp/m2.mus", platform::AudioBus::Music);
    ASSERT_EQ(g.LoadIndependentData(2), 1u);
    EXPECT_STREQ(g.szBGMName, "m2.mus");
    EXPECT_EQ(bench.win.sounds.plays("tmp/m2.mus", platform::AudioBus::Music), m2Plays + 1);
    ASSERT_EQ(g.LoadIndependentData(1), 1u);
    EXPECT_STREQ(g.szBGMName, "");
    EXPECT_EQ(g.pSnd->DAGetLoadState(1), 0);
}

// The voice standing in sound record 0 when the game was saved is loaded again, in
// place of the one standing there at the load.
TEST_F(SaveSlotTest, TheSavedVoiceIsLoadedAgain) {
    GAMEMAIN& g = game();
    const auto voicePath = [&g] {
        char path[512] = {};
        g.pSnd->DAGetWAVEPath(0, path, sizeof path);
        return std::string(path);
    };
    ASSERT_EQ(VoicePlay(ScriptBench::kShortVoice, g.pSnd, g.pSystem, *g.pShell), 1);
    const std::string saved = voicePath();
    const int loaded = g.pSnd->DAGetLoadState(0);
    ASSERT_NE(loaded, 0);
    ASSERT_EQ(g.SaveIndependentData(3), 1u) << bench.lines().front();
    ASSERT_EQ(VoicePlay(ScriptBench::kLongVoice, g.pSnd, g.pSystem, *g.pShell), 1);
    ASSERT_NE(voicePath(), saved);
    ASSERT_EQ(VoiceUnload(g.pSnd, g.pSystem, *g.pShell), 1);
    ASSERT_EQ(g.pSnd->DAGetLoadState(0), 0);
    ASSERT_EQ(g.LoadIndependentData(3), 1u);
    EXPECT_EQ(voicePath(), saved);
    EXPECT_EQ(g.pSnd->DAGetLoadState(0), loaded);
}

// A picture loaded when the game was saved is loaded by the load, and one that was not
// is given back.
TEST_F(SaveSlotTest, ALoadLoadsThePicturesLoadedWhenSaved) {
    GAMEMAIN& g = game();
    std::int32_t row = -1;
    ASSERT_EQ(g.IDSerch(ScriptBench::kBackgrounds[1], 1, &row), 1u);
    const std::int32_t slot = g.pSurfaceData[row].nIndex;
    const auto isLoaded = [&g, slot] { return g.pSprite->GetSurfaceLoadState(slot) == 0; };
    ASSERT_EQ(SurfaceLoad(g.pSprite, g.pSystem, slot, 1, 0xFFFFFFFF), 1);
    ASSERT_EQ(g.SaveIndependentData(1), 1u) << bench.lines().front();
    SurfaceUnload(g.pSprite, g.pSystem, slot);
    ASSERT_EQ(g.SaveIndependentData(2), 1u) << bench.lines().front();
    ASSERT_FALSE(isLoaded());
    ASSERT_EQ(g.LoadIndependentData(1), 1u);
    EXPECT_TRUE(isLoaded());
    ASSERT_EQ(g.LoadIndependentData(2), 1u);
    EXPECT_FALSE(isLoaded());
}

}  // namespace
