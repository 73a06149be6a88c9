#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "SlotFixture.h"
#include "game/SlotFileFormat.h"
#include "game/SlotFileParser.h"
#include "game/SlotText.h"
#include "platform/core/ProcessRunner.h"
#include "support/SlotFileBuilder.h"
#include "support/TempWorkDir.h"

namespace {

using zktest::RealisticSlotImage;
using zktest::SlotFileBuilder;
using zktest::SlotFixture;

// A character block that only resets the character.
SlotImage::CHARACTER ResetOnly(const char* id) {
    SlotImage::CHARACTER chara;
    chara.szID = id;
    return chara;
}

// A small story: a costume with a line break in its description, one command
// waiting, two wipe strips, AYA with two faces of three eye frames (MEI only reset),
// a two-frame picture whose second frame lasts 0xFFFFFFFF ms, and a voice name
// whose second byte is the trail byte 0x5C.
SlotImage GoldenImage() {
    SlotImage image;
    image.nHeader = {2026, 1, 2, 3, 4, 5, 6};
    image.nMode = 9;
    image.nOldMode = 3;
    image.ClothesData[0] = {3, 1, 2, "Red\\ndress", "cos00.spt"};
    image.nSortNo = {0, -1, -1, -1, -1, -1, -1, -1};
    image.ScrFileData.nLine = 2;
    image.ScrFileData.nReadFlg = 1;
    image.ScrFileData.nExeFlg = 1;
    image.ScrFileData.nNextReadFlg = 1;
    image.ScrFileData.szFileName = "prologue.spt";
    image.ScrFileData.Cmd[0] = {1, 1500, 0, "#MsgDisp", {"AYA", "Hi"}};
    image.ClippingData = {{{0, 0, 400, 600}, {0, 0, 0, 600}, 500},
                          {{400, 0, 800, 600}, {400, 0, 400, 600}, 500}};
    SlotImage::MSG_WINDOW& msg = image.MsgWindowData;
    msg = {1, 2, 417, 0, {0, 0, 0, 0, 0, 0}, 24, 0xFFFFFF, "Hi", "AYA", "Hi", "\x95\x5C.sou"};
    for (SlotImage::SELECT_PLATE& plate : image.SelectWindowData.SlcWnd) plate.nFontSize = 24;
    image.DayWindowData = {0, 0, -136, 2, 0};
    image.VARIABLE_DATA = {5, -1};
    SlotImage::CHARACTER aya;
    aya.szID = "AYA";
    aya.bSaved = true;
    aya.nLoveValue = 7;
    aya.nX = 120;
    aya.nY = 40;
    aya.fBodyAlpha = 1.0f;
    aya.fFaceAlpha = 1.0f;
    aya.nDispFlg = 1;
    aya.pFaceData = {{3, {2000, 100, 100}}, {3, {3000, 150, 150}}};
    image.CHARACTER_DATA = {aya, ResetOnly("MEI")};
    image.BGGraphData1 = {1, 1, 0, 1, 10, 0, 0, 1.0f, 1.0f, 1.0f, "BG01", "bg01.gpc"};
    image.BGGraphData2 = {0, 0, 0, 1, -1, 0, 0, 0.0f, 1.0f, 1.0f, "", ""};
    image.PRIM1.Graphic = {1, 1, 0, 0, 4, 120, 40, 0.5f, 1.0f, 1.0f, "EV01", "ev01.gpc"};
    image.PRIM1.nCrossAlpha = 255;
    image.PRIM1.AnimData = {1, 1, 2, 0, 0, {250, 0xFFFFFFFFu}};
    image.PRIM1.nAnimNum = 2;
    image.PRIM1.prcAnim = {{0, 0, 100, 100}, {100, 0, 200, 100}};
    image.PRIM2.Graphic = {0, 0, 0, 1, -1, 0, 0, 0.0f, 1.0f, 1.0f, "", ""};
    image.PRIM2.nCrossAlpha = 255;
    image.SURF_LOAD_DATA = {{1, 1}};
    image.WAVE_LOAD_DATA = {{7, 1}};
    return image;
}

TEST(SlotFileFormat, GoldenFile) {
    const std::string golden =
        "2026 1 2 3 4 5 6\n"
        "__NULL__\n"
        "__NULL__\n"
        "9 3\n"
        "3 1 2 Red\\ndress cos00.spt \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ \n"
        "0 -1 -1 -1 -1 -1 -1 -1 \n"
        "2 1 1 0 1 0 0 prologue.spt\n"
        "1 1500 0 #MsgDisp AYA Hi __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ \n"
        "0 0 0 __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ "
        "__NULL__ \n"
        "0 0 0 __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ "
        "__NULL__ \n"
        "0 0 0 __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ "
        "__NULL__ \n"
        "0 0 0 __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ "
        "__NULL__ \n"
        "0 0 0 __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ __NULL__ "
        "__NULL__ \n"
        "2\n"
        "---CLIPPING_DATA_START---\n"
        "0 0 400 600 0 0 0 600 500\n"
        "400 0 800 600 400 0 400 600 500\n"
        "---CLIPPING_DATA_END---\n"
        "1 2 417 0 0 0 0 0 0 0\n"
        "24 16777215 Hi AYA Hi \x95\x5C.sou\n"
        "0 0 0 0 0 0 0 0\n"
        "\n"
        "0 0 0 0 0 0 0 0 0 __NULL__ 24 0 0.000000\n"
        "0 0 0 0 0 0 0 0 0 __NULL__ 24 0 0.000000\n"
        "0 0 0 0 0 0 0 0 0 __NULL__ 24 0 0.000000\n"
        "0 0 -136 2 0\n"
        "---VARIABLE_DATA_START---\n"
        "5\n"
        "-1\n"
        "---VARIABLE_DATA_END---\n"
        "---CHARACTER_DATA_START---\n"
        "---AYA_DATA_START---\n"
        "AYA 7 0 120 40 0 0 1.000000 0 0 1.000000 0 1\n"
        "---AYA_FACE_DATA_START---\n"
        "3\n"
        "---AYA_FACE0_EYE_DATA_START---\n"
        "2000\n"
        "100\n"
        "100\n"
        "---AYA_FACE0_EYE_DATA_END---\n"
        "3\n"
        "---AYA_FACE1_EYE_DATA_START---\n"
        "3000\n"
        "150\n"
        "150\n"
        "---AYA_FACE1_EYE_DATA_END---\n"
        "---AYA_FACE_DATA_END---\n"
        "---AYA_DATA_END---\n"
        "---MEI_DATA_START---\n"
        "---MEI_DATA_END---\n"
        "---CHARACTER_DATA_END---\n"
        "1 1 0 1 10 0 0 1.000000 1.000000 1.000000 BG01 bg01.gpc \n"
        "0 0 0 1 -1 0 0 0.000000 1.000000 1.000000 __NULL__ __NULL__ \n"
        "1 1 0 0 4 120 40 0 0 0 255 1 1 2 0 0\n"
        "---PRIM1_ANIM_DATA_CTRL_TIME_START---\n"
        "250\n"
        "-1\n"
        "---PRIM1_ANIM_DATA_CTRL_TIME_END---\n"
        "0.500000 1.000000 1.000000 EV01 ev01.gpc 2\n"
        "---PRIM1_ANIM_DATA_RECT_START---\n"
        "0 0 100 100\n"
        "100 0 200 100\n"
        "---PRIM1_ANIM_DATA_RECT_END---\n"
        "0 0 0 1 -1 0 0 0 0 0 255 0 0 0 0 0\n"
        "---PRIM2_ANIM_DATA_CTRL_TIME_START---\n"
        "---PRIM2_ANIM_DATA_CTRL_TIME_END---\n"
        "0.000000 1.000000 1.000000 __NULL__ __NULL__ 0\n"
        "---PRIM2_ANIM_DATA_RECT_START---\n"
        "---PRIM2_ANIM_DATA_RECT_END---\n"
        "0 0 0\n"
        "---SURF_LOAD_DATA_START---\n"
        "1 1\n"
        "---SURF_LOAD_DATA_END---\n"
        "---TEX_LOAD_DATA_START---\n"
        "---TEX_LOAD_DATA_END---\n"
        "---WAVE_LOAD_DATA_START---\n"
        "7 1\n"
        "---WAVE_LOAD_DATA_END---\n";
    const SlotImage image = GoldenImage();
    EXPECT_EQ(FormatSlotFile(image), golden);

    SlotFixture game;
    game.scripts.members["prologue.spt"] = zktest::CodedScript("#MsgDisp AYA Hi\r\n#KeyWait\r\n");
    const SlotParseResult parsed = ParseSlotFile(golden, game.schema);
    ASSERT_TRUE(parsed.image) << parsed.nLine << " " << parsed.szField;
    EXPECT_EQ(*parsed.image, image);
    EXPECT_EQ(parsed.image->PRIM1.AnimData.pdwCtrlTime[1], 0xFFFFFFFFu);
}

// The tolerated shapes of a file: a character only reset, a character whose face
// records are missing, eye times, variables and load pairs ending early.
SlotImage TolerantImage() {
    SlotImage image = RealisticSlotImage();
    image.CHARACTER_DATA[0].pFaceData[1].dwEyeTime.resize(1);
    image.CHARACTER_DATA[1] = ResetOnly("MEI");
    image.VARIABLE_DATA.resize(1);
    image.SURF_LOAD_DATA.resize(3);
    image.TEX_LOAD_DATA.clear();
    image.WAVE_LOAD_DATA.resize(43);
    return image;
}

SlotImage FacelessImage() {
    SlotImage image = RealisticSlotImage();
    image.CHARACTER_DATA[1].pFaceData.clear();
    return image;
}

TEST(SlotFileFormat, EqualsTheLayoutWrittenByHand) {
    const struct {
        const char* what;
        SlotImage image;
    } cases[] = {
        {"empty", SlotImage{}},
        {"golden", GoldenImage()},
        {"realistic", RealisticSlotImage()},
        {"tolerant", TolerantImage()},
        {"faceless", FacelessImage()},
    };
    SlotFixture game;
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSlotFile(c.image), SlotFileBuilder(c.image).bytes) << c.what;
    }
    // Each of the tolerated shapes also reads back as it was written.
    for (const auto& c : cases) {
        if (std::string(c.what) == "empty") continue;
        const SlotParseResult parsed = ParseSlotFile(FormatSlotFile(c.image), game.schema);
        ASSERT_TRUE(parsed.image) << c.what << ": line " << parsed.nLine << " " << parsed.szField;
        EXPECT_EQ(*parsed.image, c.image) << c.what;
    }
}

// Makes a comma-decimal numeric locale under a private LOCPATH; empty when localedef
// is missing or fails.
std::string CommaLocale(const std::filesystem::path& folder) {
    const platform::ProcessResult made = platform::RunProcess(
        {"localedef", "-i", "de_DE", "-f", "UTF-8", (folder / "de_DE.UTF-8").string()});
    if (!made.started || made.exitStatus > 1) return {};
    return "de_DE.UTF-8";
}

TEST(SlotFileFormat, FloatsIgnoreTheNumericLocale) {
    zktest::TempWorkDir dir;
    const std::string name = CommaLocale(dir.path());
    if (name.empty()) GTEST_SKIP() << "localedef could not make a comma-decimal locale";
    ::setenv("LOCPATH", dir.path().c_str(), 1);
    const char* set = std::setlocale(LC_NUMERIC, name.c_str());
    ::unsetenv("LOCPATH");
    if (set == nullptr) GTEST_SKIP() << "the comma-decimal locale did not load";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%f", 1.0);
    const std::string formatted = FormatSlotFile(GoldenImage());
    SlotFixture game;
    game.scripts.members["prologue.spt"] = zktest::CodedScript("#MsgDisp AYA Hi\r\n#KeyWait\r\n");
    const SlotParseResult parsed = ParseSlotFile(formatted, game.schema);
    std::setlocale(LC_NUMERIC, "C");

    EXPECT_STREQ(probe, "1,000000");
    EXPECT_NE(formatted.find("AYA 7 0 120 40 0 0 1.000000 0 0 1.000000 0 1\n"), std::string::npos);
    ASSERT_TRUE(parsed.image);
    EXPECT_EQ(parsed.image->PRIM1.Graphic.fAlpha, 0.5f);
}

class SlotFileParser : public ::testing::Test {
protected:
    SlotFixture game;
    SlotFileBuilder built{RealisticSlotImage()};

    // The file is refused on the line and field named.
    void ExpectRefused(const std::string& bytes, std::int32_t nLine, const std::string& field,
                       const std::string& what) {
        const SlotParseResult parsed = ParseSlotFile(bytes, game.schema);
        EXPECT_FALSE(parsed.image) << what;
        EXPECT_EQ(parsed.nLine, nLine) << what;
        EXPECT_EQ(parsed.szField, field) << what;
    }
};

TEST_F(SlotFileParser, TheRealisticFileLoads) {
    const SlotParseResult parsed = ParseSlotFile(built.bytes, game.schema);
    ASSERT_TRUE(parsed.image) << parsed.nLine << " " << parsed.szField;
    EXPECT_EQ(*parsed.image, RealisticSlotImage());
}

TEST_F(SlotFileParser, EachValueRuleRefusesItsField) {
    const std::string longWord(512, 'a');
    const std::string longText(256, 'a');
    const std::string longName(100, 'a');
    const std::string longPath(260, 'a');
    // Field, its occurrence, the defective text; the refusal names the field.
    const struct {
        const char* field;
        int occurrence;
        std::string text;
    } cases[] = {
        {"nHeader", 0, "x"},
        {"nHeader", 1, "-0"},
        {"nHeader", 2, "05"},
        {"nHeader", 3, "2147483648"},
        {"nHeader", 4, "+5"},
        {"szBGMName", 0, "dat/x.mus"},
        {"szBGMName", 0, "a..mus"},
        {"szVoice", 0, "a\\b"},
        {"nMode", 0, "7"},
        {"nMode", 0, "11"},
        {"nOldMode", 0, "13"},
        {"nOldMode", 0, "-1"},
        {"nFace", 0, "3"},
        {"nPartsNum", 0, "30"},
        {"szDescription", 0, longWord},
        {"szScenario", 0, "../x.spt"},
        {"nSortNo", 0, "14"},
        {"nSortNo", 7, "-2"},
        {"nLine", 0, "-1"},
        {"nLine", 0, "5"},
        {"nReadFlg", 0, "2"},
        {"nExeFlg", 0, "2"},
        {"nEndScriptFlg", 0, "2"},
        {"nNextReadFlg", 0, "2"},
        {"nSelectPhase", 0, "1"},
        {"szFileName", 0, "missing.spt"},
        {"szFileName", 0, "__NULL__"},
        {"nWaitFlg", 0, "2"},
        {"szCommand", 0, "#NoSuchWord"},
        {"szArg", 0, longWord},
        {"szArg", 18, "x"},
        {"nClipNum", 0, "4097"},
        {"nClipNum", 0, "-1"},
        {"prcClip", 0, "100001"},
        {"prcStartClip", 3, "-100001"},
        {"nOpenFlg", 0, "2"},
        {"nX", 0, "3"},
        {"nY", 0, "416"},
        {"nY", 0, "601"},
        {"nSlideFlg", 0, "2"},
        {"nButtonState", 0, "3"},
        {"nButtonState", 5, "5"},
        {"nFontSize", 0, "65"},
        {"nFontSize", 0, "0"},
        {"szText", 0, longText},
        {"szName", 0, longName},
        {"szScriptText", 0, longText},
        {"szVoice", 1, "x/y"},
        {"nInitFlg", 0, "2"},
        {"nStep", 0, "4"},
        {"nNum", 0, "0"},
        {"nNum", 0, "4"},
        {"nPlayFlg", 0, "2"},
        {"nDirection", 0, "2"},
        {"nAnimNum", 0, "4"},
        {"nAnimNo", 0, "5"},
        {"nType", 0, "2"},
        {"pdwCtrlTime", 0, "1.5"},
        {"nDispFlg", 0, "2"},
        {"nClickFlg", 0, "2"},
        {"nZoomFlg", 0, "2"},
        {"nCenterX", 0, "100001"},
        {"nCenterY", 0, "-100001"},
        {"rcHit", 0, "100001"},
        {"szText", 1, longText},
        {"nFontSize", 1, "65"},
        {"dwColor", 1, "1.0"},
        {"fScale", 0, "1.000001"},
        {"fScale", 0, "-0.000001"},
        {"fScale", 0, "1.0"},
        {"fScale", 0, "1e0"},
        {"fScale", 0, "01.000000"},
        {"fScale", 0, "nan"},
        {"fScale", 0, "1.0000000"},
        {"nDispFlg", 3, "2"},
        {"nSlideFlg", 1, "2"},
        {"nX", 1, "-137"},
        {"nX", 1, "3"},
        {"nY", 1, "3"},
        {"nDay", 0, "-1"},
        {"VARIABLE_DATA", 0, "1x"},
        {"szID", 0, "MEI"},
        {"nLoveValue", 0, "2147483648"},
        {"nX", 2, "100001"},
        {"nY", 2, "-100001"},
        {"nBody", 0, "2"},
        {"nBody", 0, "-2"},
        {"nNextBody", 1, "1"},
        {"nNextBody", 0, "-2"},
        {"nFace", 15, "-2"},
        {"nDispFlg", 4, "-1"},
        {"fBodyAlpha", 0, "1.500000"},
        {"nFace", 14, "2"},
        {"nNextFace", 0, "-2"},
        {"fFaceAlpha", 1, "-0.100000"},
        {"nState", 0, "2"},
        {"nDispFlg", 5, "2"},
        {"nEyeNum", 0, "4"},
        {"nEyeNum", 2, "1"},
        {"dwTime", 0, "x"},
        {"dwFlag", 14, "2"},
        {"nDispFlg", 7, "2"},
        {"nGKind", 0, "2"},
        {"nIndex", 0, "464"},
        {"nIndex", 0, "-2"},
        {"nIndex", 2, "60"},
        {"nX", 4, "100001"},
        {"fAlpha", 0, "1.000001"},
        {"fScaleX", 0, "16.000001"},
        {"fScaleY", 1, "-1.000000"},
        {"szName", 1, longName},
        {"szFilePath", 0, longPath},
        {"dwExtra", 0, "x"},
        {"nCrossFadeFlg", 0, "2"},
        {"nNextAnim", 0, "2"},
        {"nCrossAlpha", 0, "256"},
        {"nCrossAlpha", 0, "-1"},
        {"nPlayFlg", 1, "2"},
        {"nAnimNum", 1, "1025"},
        {"nAnimNo", 1, "2"},
        {"nAnimNum", 2, "1"},
        {"prcAnim", 0, "100001"},
        {"nAnimNo", 2, "1"},
        {"nNextAnim", 1, "1"},
        {"dwMsgTextWork", 0, "256"},
        {"dwMsgTextWork", 2, "-2"},
        {"dwFlag", 18, "2"},
        {"nLoadFlg", 0, "2"},
        {"dwFlag", 482, "2"},
        {"nLoadFlg", 550, "2"},
    };
    for (const auto& c : cases) {
        const zktest::SlotFileField& field = built.Find(c.field, c.occurrence);
        ExpectRefused(built.With(c.field, c.occurrence, c.text), built.LineOf(field.offset),
                      c.field,
                      std::string(c.field) + " " + std::to_string(c.occurrence) + " = " +
                          c.text.substr(0, 20));
    }
}

TEST_F(SlotFileParser, EmptyCommandSlotsHoldNothing) {
    // The third slot is empty: a start time, phase or wait flag there is refused with
    // its command word.
    for (const char* field : {"nWaitFlg", "dwStartTime", "dwPhase"}) {
        const zktest::SlotFileField& slot = built.Find(field, 2);
        ExpectRefused(built.With(field, 2, "1"), built.LineOf(slot.offset), "szCommand", field);
    }
}

// The offset where a line begins, counted from 1.
std::size_t LineStart(const std::string& bytes, int nLine) {
    std::size_t offset = 0;
    for (int i = 1; i < nLine; ++i) offset = bytes.find('\n', offset) + 1;
    return offset;
}

std::string Replaced(std::string bytes, std::string_view from, std::string_view to) {
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return bytes.replace(at, from.size(), to);
}

TEST_F(SlotFileParser, EachStructureRuleRefusesItsLine) {
    const std::string& b = built.bytes;
    const std::int32_t nLast = built.LineOf(b.size() - 1);
    const std::int32_t nSurfLine = built.LineOf(b.find("---SURF_LOAD_DATA_START---"));
    const std::int32_t nVarEnd = built.LineOf(b.find("---VARIABLE_DATA_END---"));
    const std::int32_t nMeiLine = built.LineOf(b.find("---MEI_DATA_START---"));
    const std::int32_t nCharEnd = built.LineOf(b.find("---CHARACTER_DATA_END---"));
    const std::int32_t nClipEnd = built.LineOf(b.find("---CLIPPING_DATA_END---"));
    const std::string mei =
        b.substr(b.find("---MEI_DATA_START---"),
                 b.find("---CHARACTER_DATA_END---") - b.find("---MEI_DATA_START---"));
    const struct {
        const char* what;
        std::string bytes;
        std::int32_t nLine;
        const char* field;
    } cases[] = {
        {"CR before LF", Replaced(b, "\n", "\r\n"), 1, "nHeader"},
        {"two blanks", Replaced(b, "2026 12", "2026  12"), 1, "nHeader"},
        {"a tab", Replaced(b, "2026 12", "2026\t12"), 1, "nHeader"},
        {"a blank at the end of a line without one", Replaced(b, "\n9 3\n", "\n9 3 \n"), 4,
         "nOldMode"},
        {"the order map without its last blank", Replaced(b, "-1 -1 \n", "-1 -1\n"), 19, "nSortNo"},
        {"one field too few", Replaced(b, "\n9 3\n", "\n9\n"), 4, "nOldMode"},
        {"a NUL in a name", Replaced(b, "bgm01.mus", std::string("bgm\0.mus", 8)), 2, "szBGMName"},
        {"a DEL in a name", Replaced(b, "bgm01.mus", "bgm\x7F.mus"), 2, "szBGMName"},
        {"the last LF missing", b.substr(0, b.size() - 1), nLast, "WAVE_LOAD_DATA"},
        {"the last line missing", b.substr(0, LineStart(b, nLast)), nLast, "WAVE_LOAD_DATA"},
        {"the header alone", b.substr(0, LineStart(b, 2)), 2, "szBGMName"},
        {"an empty file", "", 1, "nHeader"},
        {"bytes after the end", b + "\n", nLast + 1, "WAVE_LOAD_DATA"},
        {"a strip more than counted",
         Replaced(b, "---CLIPPING_DATA_END---", "0 0 0 0 0 0 0 0 0\n---CLIPPING_DATA_END---"),
         nClipEnd, "CLIPPING_DATA"},
        {"a variable more than registered",
         Replaced(b, "---VARIABLE_DATA_END---", "1\n---VARIABLE_DATA_END---"), nVarEnd,
         "VARIABLE_DATA"},
        {"a 1024-byte line in a section",
         Replaced(b, "---VARIABLE_DATA_END---",
                  std::string(1024, '1') + "\n---VARIABLE_DATA_END---"),
         nVarEnd, "VARIABLE_DATA"},
        {"a character twice",
         Replaced(b, "---CHARACTER_DATA_END---", mei + "---CHARACTER_DATA_END---"), nCharEnd,
         "CHARACTER_DATA"},
        {"a character missing", Replaced(b, mei, ""), nMeiLine, "CHARACTER_DATA"},
        {"an unknown character",
         Replaced(b, mei,
                  Replaced(Replaced(mei, "---MEI_DATA_START---", "---RIN_DATA_START---"),
                           "---MEI_DATA_END---", "---RIN_DATA_END---")),
         nMeiLine, "CHARACTER_DATA"},
        {"a marker misspelt",
         Replaced(b, "---SURF_LOAD_DATA_START---", "---SURF_LOAD_DATA_STRAT---"), nSurfLine,
         "SURF_LOAD_DATA"},
    };
    for (const auto& c : cases) ExpectRefused(c.bytes, c.nLine, c.field, c.what);
}

TEST_F(SlotFileParser, TheToleratedShapesLoad) {
    const std::string& b = built.bytes;
    const std::string aya =
        b.substr(b.find("---AYA_DATA_START---"),
                 b.find("---MEI_DATA_START---") - b.find("---AYA_DATA_START---"));
    SlotImage resetStrips = RealisticSlotImage();
    resetStrips.ClippingData[1] = {};
    const struct {
        const char* what;
        std::string bytes;
        SlotImage expected;
    } cases[] = {
        {"blocks in another order",
         Replaced(Replaced(b, aya, ""), "---CHARACTER_DATA_END---",
                  aya + "---CHARACTER_DATA_END---"),
         RealisticSlotImage()},
        {"markers and nulls in another case",
         Replaced(Replaced(Replaced(b, "---CLIPPING_DATA_START---", "---clipping_data_start---"),
                           "---AYA_FACE0_EYE_DATA_END---", "---aya_face0_EYE_DATA_END---"),
                  "__NULL__ __NULL__ \n1 1 48000", "__null__ __Null__ \n1 1 48000"),
         RealisticSlotImage()},
        {"strips ending early", Replaced(b, "400 0 800 600 400 0 400 600 500\n", ""), resetStrips},
        {"the tolerant image", SlotFileBuilder(TolerantImage()).bytes, TolerantImage()},
        {"faces missing", SlotFileBuilder(FacelessImage()).bytes, FacelessImage()},
    };
    for (const auto& c : cases) {
        const SlotParseResult parsed = ParseSlotFile(c.bytes, game.schema);
        ASSERT_TRUE(parsed.image) << c.what << ": line " << parsed.nLine << " " << parsed.szField;
        EXPECT_EQ(*parsed.image, c.expected) << c.what;
    }
}

TEST(SlotFileResume, CountsTheInterpretersRawLines) {
    // A line over 300 bytes and a two-byte character whose trail byte 0xF5 the codec
    // stores as a line feed: the script holds exactly three raw lines.
    const std::string script =
        zktest::CodedScript("#MsgDisp AYA " + std::string(320, 'a') +
                            "\r\n#MsgDisp AYA \x88\xF5\x88\xF5\r\n#KeyWait\r\n");
    ASSERT_NE(script.find('\x0A', script.find("\r\n") + 2), std::string::npos);
    EXPECT_TRUE(ScriptHoldsLines(script, 0));
    EXPECT_TRUE(ScriptHoldsLines(script, 3));
    EXPECT_FALSE(ScriptHoldsLines(script, 4));
    EXPECT_FALSE(ScriptHoldsLines(script, 2147483647));

    SlotFixture game;
    game.scripts.members["prologue.spt"] = script;
    SlotImage image = RealisticSlotImage();
    image.ScrFileData.nLine = 3;
    EXPECT_TRUE(ParseSlotFile(FormatSlotFile(image), game.schema).image);
    image.ScrFileData.nLine = 4;
    const SlotParseResult parsed = ParseSlotFile(FormatSlotFile(image), game.schema);
    EXPECT_FALSE(parsed.image);
    EXPECT_EQ(parsed.szField, "nLine");
    EXPECT_EQ(parsed.nLine, 20);
}

TEST(SlotFileResume, ACostumeSelectSlotNeedsNoScript) {
    SlotFixture game;
    game.schema.pScripts = nullptr;
    SlotImage image = RealisticSlotImage();
    image.nMode = 10;
    image.nOldMode = 3;
    image.ScrFileData.szFileName.clear();
    const SlotParseResult parsed = ParseSlotFile(FormatSlotFile(image), game.schema);
    ASSERT_TRUE(parsed.image);
    EXPECT_EQ(*parsed.image, image);
    image.nMode = 9;
    EXPECT_EQ(ParseSlotFile(FormatSlotFile(image), game.schema).szField, "szFileName");
}

// A slot resumes in the adventure or the costume select; any other mode is damage.
TEST(SlotFileResume, OnlyTheAdventureAndTheCostumeSelectResume) {
    const SlotFixture game;
    SlotImage image = RealisticSlotImage();
    for (const std::int32_t mode : {10, 7, 11, 9}) {
        SCOPED_TRACE(mode);
        image.nMode = mode;
        const SlotParseResult parsed = ParseSlotFile(FormatSlotFile(image), game.schema);
        EXPECT_EQ(parsed.szField, mode == 9 || mode == 10 ? "" : "nMode");
    }
}

}  // namespace

namespace {

TEST(SlotText, NumbersInTheirOnlyForm) {
    const std::string huge = "340282366920938463463374607431768211456.000000";
    const struct {
        const char* text;
        std::optional<std::int32_t> integer;
        std::optional<float> real;
    } cases[] = {
        {"0", 0, std::nullopt},
        {"-1", -1, std::nullopt},
        {"2147483647", 2147483647, std::nullopt},
        {"-2147483648", -2147483647 - 1, std::nullopt},
        {"-2147483649", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"0.500000", std::nullopt, 0.5f},
        {"-0.000000", std::nullopt, -0.0f},
        {"-.500000", std::nullopt, std::nullopt},
        {".500000", std::nullopt, std::nullopt},
        {"0.50000x", std::nullopt, std::nullopt},
        {"0x1.000000", std::nullopt, std::nullopt},
        {huge.c_str(), std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSlotInt(c.text), c.integer) << c.text;
        EXPECT_EQ(ParseSlotFloat(c.text), c.real) << c.text;
    }
    EXPECT_EQ(ParseSlotWord("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseSlotFloat("340282346638528859811704183484516925440.000000"),
              std::numeric_limits<float>::max());
}

TEST(SlotText, StringsAndTheirEmptyForm) {
    EXPECT_EQ(ParseSlotString("__Null__", 3), "");
    EXPECT_EQ(ParseSlotString("abc", 3), "abc");
    EXPECT_EQ(ParseSlotString("abcd", 3), std::nullopt);
    EXPECT_EQ(ParseSlotString("", 3), std::nullopt);
    EXPECT_EQ(ParseSlotString("\x95\x5C", 3), "\x95\x5C");
    std::string out;
    AppendSlotString(out, "");
    AppendSlotWord(out, 0x80000000u);
    AppendSlotFloat(out, -0.25f);
    EXPECT_EQ(out, "__NULL__-2147483648-0.250000");
}

}  // namespace
