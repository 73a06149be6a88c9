#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Bytes.h"
#include "support/ScriptKit.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptKit;

const std::string kEnd = "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です";

// Opens a script and runs the frame that reads its header line.
bool Open(ScriptKit& k, const std::vector<std::u8string>& lines) {
    if (!k.OpenScript(lines) || k.game->ScrMain() != 0) return false;
    return k.game->ScrFileData.nLine == 1;
}

TEST(Interpreter, SkippedLinesAreConsumedInOneCallAndTheEndIsReportedOnce) {
    ScriptKit k;
    ASSERT_TRUE(Open(k, {u8"// header", u8"$label", u8"", u8"   ", u8"// more"}));
    EXPECT_EQ(k.game->ScrMain(), 2);
    EXPECT_EQ(k.game->ScrFileData.nLine, 5);
    for (int frame = 0; frame < 2; ++frame) EXPECT_EQ(k.game->ScrMain(), 2);
    EXPECT_EQ(k.lines(), Lines{kEnd});
}

// Execution held off keeps every command in its slot, so the reads can be watched.
TEST(Interpreter, ReadsOneCommandPerFrameAndHoldsTheLineWhileEverySlotIsTaken) {
    ScriptKit k;
    ASSERT_TRUE(Open(
        k, {u8"// header", u8"not a command", u8"#selectend 1 2 3 4 5 6 7 8 9 10", u8"#EndIf 1",
            u8"#EndIf 2", u8"#EndIf 3", u8"#EndIf 4", u8"#EndIf 5", u8"#RandomEnd 6"}));
    SCR_FILE_DATA& scr = k.game->ScrFileData;
    scr.nExeFlg = 0;
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_EQ(k.lines(), Lines{"Error: <GAMEMAIN::ScrRead> 命令文以外を検出しました"});
    EXPECT_STREQ(scr.Cmd[0].szCommand, "#selectend");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(std::string(scr.Cmd[0].szArg[i]), std::to_string(i + 1));
    EXPECT_STREQ(scr.Cmd[0].szArg[8], "");
    EXPECT_EQ(scr.Cmd[0].nLine, 3);
    EXPECT_TRUE(scr.Cmd[1].IsFree());

    for (int frame = 1; frame < 8; ++frame) EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_STREQ(scr.Cmd[5].szCommand, "#EndIf");
    EXPECT_EQ(scr.nLine, 8);

    // A lower-case word dispatches: the slots empty without a report.
    k.clearLog();
    scr.nExeFlg = 1;
    EXPECT_EQ(k.game->ScrMain(), 0);
    for (const SCR_CMD_DATA& slot : scr.Cmd) EXPECT_TRUE(slot.IsFree());
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_EQ(k.game->ScrMain(), 2);
    EXPECT_EQ(scr.nLine, 9);
    EXPECT_EQ(k.lines(), Lines{kEnd});
}

TEST(Interpreter, AWaitingSlotRunsAloneAndTheLowerSlotResumesAfterwards) {
    ScriptKit k;
    ASSERT_TRUE(Open(k, {u8"// header", u8"#EndIf 1", u8"#RandomEnd 2", u8"#EndIf 3"}));
    SCR_FILE_DATA& scr = k.game->ScrFileData;
    scr.nExeFlg = 0;
    for (int frame = 0; frame < 2; ++frame) k.game->ScrMain();
    scr.nExeFlg = 1;
    // Of two waiting slots the higher runs first; reading holds while one waits.
    scr.Cmd[0].nWaitFlg = scr.Cmd[1].nWaitFlg = 1;
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_STREQ(scr.Cmd[0].szCommand, "#EndIf");
    EXPECT_TRUE(scr.Cmd[1].IsFree());
    EXPECT_EQ(scr.nLine, 3);
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_TRUE(scr.Cmd[0].IsFree());
    EXPECT_EQ(scr.nLine, 3);
}

TEST(Interpreter, AnUnknownCommandReportsItsOwnLineAndTheScriptGoesOn) {
    ScriptKit k;
    ASSERT_TRUE(
        Open(k, {u8"// header", u8"#Bogus a", u8"#MosaicEnd x", u8"#EndIf 1", u8"#EndIf 2"}));
    SCR_FILE_DATA& scr = k.game->ScrFileData;
    scr.nExeFlg = 0;
    for (int frame = 0; frame < 3; ++frame) k.game->ScrMain();
    scr.nExeFlg = 1;
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_EQ(k.lines(), (Lines{"Error: <GAMEMAIN::ScrExe> 定義されていない命令です",
                                "---Error Info--- File: test.spt Line: 2 Command: #Bogus"}));
    for (const SCR_CMD_DATA& slot : scr.Cmd) EXPECT_TRUE(slot.IsFree());
    EXPECT_EQ(scr.nLine, 5);
    k.clearLog();
    EXPECT_EQ(k.game->ScrMain(), 2);
    EXPECT_EQ(k.lines(), Lines{kEnd});
}

// Each way an open can fail gives one line, under the tag of the caller that asks.
TEST(Interpreter, AFailedOpenIsToldByItsCallerInOneLine) {
    // The archive whole, plain bytes, or cut short inside its member.
    enum class ARCHIVE { Whole, Plain, Cut };
    const struct {
        const char* name;
        ARCHIVE archive;
        std::int32_t result;
        Lines lines;
    } cases[] = {
        {"test.spt", ARCHIVE::Whole, 1, {}},
        {"none.spt",
         ARCHIVE::Whole,
         -1,
         {"Error: <Caller> 取り出すファイルに該当ファイルが存在しません"}},
        {"test.spt", ARCHIVE::Plain, -1, {"Error: <Caller> 指定ファイルは非結合ファイルです"}},
        {"test.spt", ARCHIVE::Cut, -1, {"Error: <Caller> 呼び出したFileDivが失敗しました"}},
        {"../x.spt",
         ARCHIVE::Whole,
         -1,
         {"Error: <GAMEMAIN::ScrFileOpen> 不正なファイル名です: ../x.spt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptKit k;
        if (c.archive == ARCHIVE::Plain) {
            zktest::WriteFileBytes("dat/Scenario.dat", "plain bytes");
        } else {
            ScriptKit::WriteArchive("dat/Scenario.dat",
                                    {{"test.spt", ScriptKit::Coded({u8"// c"})}});
        }
        if (c.archive == ARCHIVE::Cut) {
            std::filesystem::resize_file("dat/Scenario.dat",
                                         std::filesystem::file_size("dat/Scenario.dat") - 3);
        }
        const GAMEMAIN::SCR_OPEN_RESULT open = k.game->ScrFileOpen(c.name);
        EXPECT_EQ(k.game->ScrOpenResult("Caller", open), c.result);
        EXPECT_EQ(k.game->ScrFileData.fp != nullptr, c.result == 1);
        EXPECT_EQ(k.lines(), c.lines);
    }
}

TEST(Interpreter, LinesLongerThan510BytesFailTheScript) {
    const std::string tooLong = "Error: <GAMEMAIN::ScrRead> 行が510バイトを超えています";
    for (const std::size_t content : {510u, 511u, 600u}) {
        SCOPED_TRACE(content);
        ScriptKit k;
        const std::string word = "#EndIf ";
        const std::string line = word + std::string(content - word.size(), 'x');
        ASSERT_TRUE(k.OpenCodedScript(ScriptKit::CodedPlain("// c\r\n" + line + "\r\n")));
        ASSERT_EQ(k.game->ScrMain(), 0);
        if (content == 510) {
            EXPECT_EQ(k.game->ScrMain(), 0);
            EXPECT_EQ(k.lines(), Lines{});
            EXPECT_TRUE(k.game->ScrFileData.Cmd[0].IsFree());
            EXPECT_EQ(k.game->ScrFileData.nLine, 2);
            continue;
        }
        EXPECT_EQ(k.game->ScrMain(), -1);
        EXPECT_EQ(
            k.lines(),
            (Lines{tooLong, "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrReadが失敗しました",
                   "---Error Info--- File: test.spt Line: 2"}));
    }
}

TEST(Interpreter, LinesThatNeverRunAreReported) {
    ScriptKit k;
    ASSERT_TRUE(k.OpenCodedScript(ScriptKit::CodedPlain("#EndIf 1\r\n// c\r\n#EndIf 2")));
    EXPECT_EQ(k.game->ScrMain(), 0);
    EXPECT_EQ(k.lines(),
              Lines{"Warn: <GAMEMAIN::ScrRead> 1行目はヘッダーと同じ行にあるため実行されません"});
    k.clearLog();
    EXPECT_EQ(k.game->ScrMain(), 2);
    EXPECT_EQ(k.game->ScrMain(), 2);
    EXPECT_EQ(k.lines(),
              (Lines{"Warn: <GAMEMAIN::ScrRead> 最終行に改行がないため実行されません", kEnd}));
}

TEST(Interpreter, NeedsAnInitialisedGameAndAnOpenScript) {
    ScriptKit k;
    EXPECT_EQ(k.game->ScrMain(), -1);
    EXPECT_EQ(k.game->ScrRead(), -1);
    EXPECT_FALSE(k.game->ScrFileOpen("../x.spt").bOpened);
    k.game->Release();
    EXPECT_EQ(k.game->ScrMain(), -1);
    EXPECT_EQ(k.lines(),
              (Lines{"Error: <GAMEMAIN::ScrMain> ファイルポインタが失われています",
                     "Error: <GAMEMAIN::ScrRead> ファイルポインタが失われています",
                     "Error: <GAMEMAIN::ScrFileOpen> 不正なファイル名です: ../x.spt",
                     "Error: <GAMEMAIN::ScrMain> GAMEMAIN::Initializeが実行されていません"}));
}

TEST(Interpreter, ResetAndReleaseCloseTheScriptAndDeleteItsCopy) {
    ScriptKit k;
    ASSERT_TRUE(Open(k, {u8"// header", u8"#EndIf 1"}));
    SCR_FILE_DATA& scr = k.game->ScrFileData;
    ASSERT_TRUE(zktest::FileExists("tmp/test.spt"));
    k.game->ScrMain();
    scr.Reset();
    EXPECT_FALSE(zktest::FileExists("tmp/test.spt"));
    EXPECT_EQ(scr.fp, nullptr);
    EXPECT_STREQ(scr.szFileName, "test.spt");
    EXPECT_EQ(scr.nLine, 0);
    scr.Release();
    EXPECT_STREQ(scr.szFileName, "");
}

}  // namespace
