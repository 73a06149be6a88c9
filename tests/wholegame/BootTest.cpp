#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/WholeGameTest.h"

using zktest::ReadFileBytes;
using zktest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

class Boot : public zktest::WholeGameTest {
protected:
    bool anyLine(const std::string& prefix, const std::string& when) const {
        const auto texts = logTexts(when);
        return std::any_of(texts.begin(), texts.end(),
                           [&](const std::string& t) { return t.rfind(prefix, 0) == 0; });
    }
    void writeSave(const std::string& text) {
        fs::create_directories(session().folder() / "sav");
        WriteFileBytes((session().folder() / "sav/sav00.sav").string(), text);
    }
    std::string save() const { return ReadFileBytes("sav/sav00.sav"); }
};

std::string SaveFile(const std::vector<std::string>& words, const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& word : words) text += word + "\n";
    text += "\n---AUTO_SKIP_FILE_LIST_START---\n";
    for (const std::string& entry : list) text += entry + "\n";
    return text + "---AUTO_SKIP_FILE_LIST_END---\n";
}

}  // namespace

TEST_F(Boot, AFreshFolderBootsRegistersEverythingAndWritesAnEmptySave) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    GAMEMAIN& g = session().game();
    EXPECT_EQ(session().mode(), 1);
    EXPECT_EQ(session().previousMode(), 0);
    EXPECT_EQ(session().procStep(), 0);
    const auto frame0 = logTexts("0");
    for (const char* expected : {"Message: <GAMEMAIN::InitScrObjCount> TEX:60 SURF:462 WAVE:42 "
                                 "変数:2 Character:4 を確保しました",
                                 "Message: <GAMEMAIN::InitScrObjCount> INITファイルの終端です",
                                 "Message: <GAMEMAIN::InitScrMain> INITファイルの終端です"}) {
        EXPECT_NE(std::find(frame0.begin(), frame0.end(), expected), frame0.end()) << expected;
    }
    for (const char* when : {"start", "0"}) {
        EXPECT_FALSE(anyLine("Error:", when)) << when;
        EXPECT_FALSE(anyLine("Warn:", when)) << when;
    }
    EXPECT_TRUE(session().boxes().empty());

    // Which slot each name reaches is the resource and demo tool tests' matter.
    std::int32_t row = -1;
    ASSERT_EQ(g.IDSerch("DAY", 3, &row), 1u);
    EXPECT_EQ(g.nDayVarIndex, row);
    ASSERT_EQ(g.IDSerch("QUIRA", 4, &row), 1u);
    EXPECT_EQ(g.pCharData[row].nBodyNum, 15);
    EXPECT_EQ(g.pCharData[row].nFaceNum, 7);
    const CLOTHES_DATA& costume = g.ClothesSelectData.ClothesData[0];
    EXPECT_EQ(costume.nPartsNum, 2u);
    EXPECT_EQ(costume.nFace, 0u);
    EXPECT_STREQ(costume.szScenario, "cos01.spt");
    EXPECT_FALSE(fs::exists("tmp/Init.spt"));
    EXPECT_GE(session().presents(), 1);
    const auto& shown = session().lastFrame();
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](std::uint32_t p) { return p == 0; }));

    session().release();
    EXPECT_EQ(save(), SaveFile(std::vector<std::string>(29, "0"), {}));
    EXPECT_FALSE(fs::exists("tmp"));
}

TEST_F(Boot, AWrittenSystemSaveIsReadAndWrittenBackUnchanged) {
    std::vector<std::string> words(29, "0");
    words[0] = "7";   // CG word 0
    words[8] = "1";   // scene word 0
    words[14] = "1";  // endings
    words[15] = "1";  // costume 1
    words[16] = "3";  // costume 2
    const std::string file = SaveFile(words, {"prologue.spt\t-1", "cos01.spt\t12"});
    writeSave(file);
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    // The fields are mapped one by one in the save tests; here the boot has read them.
    EXPECT_EQ(session().game().dwCGFlg[0], 7u);
    EXPECT_EQ(session().game().AutoSkipFileData[1].nPosition, 12);
    runFrames(1);
    session().release();
    EXPECT_EQ(save(), file);
}

TEST_F(Boot, ADamagedCostumeLineInInitStopsTheGameAndLeavesTheSaveUnread) {
    std::string init = zktest::DemoData::PlainScript("Init.spt");
    const auto lines = std::count(init.begin(), init.end(), '\n');
    init += "#REG_DATA 15 CLOTHES 2 1 x cos01.spt\r\n";
    replaceScript("Init.spt", init);
    const std::string file = SaveFile(std::vector<std::string>(29, "5"), {});
    writeSave(file);
    ASSERT_TRUE(start());
    EXPECT_FALSE(runFrames(1));
    EXPECT_TRUE(session().fatal());
    const std::string line = std::to_string(lines + 1);
    EXPECT_EQ(session().boxes(), (std::vector<std::pair<std::string, std::string>>{
                                     {"Error", line + "行目でエラーが発生しました"}}));
    session().release();
    EXPECT_EQ(save(), file);
}

TEST_F(Boot, LinksAndSpecialFilesInThePlayersFolderAreNeverFollowedNorWaitedOn) {
    const std::string notRegular =
        std::string(" を読み込めません (") + std::strerror(ENOTSUP) + ")";
    const struct {
        const char* what;
        void (*place)();
        bool boots;
        std::string line;  // a line the run logs; empty for none
        const char* path;  // what stands there after the run
        fs::file_type after;
    } cases[] = {
        {"tmp a link to a folder of other files",
         [] { fs::create_directory_symlink(fs::absolute("elsewhere"), "tmp"); }, false,
         "Error: <ZKSYSTEM::RemoveFile> 検索ファイルハンドルの取得に失敗", "tmp",
         fs::file_type::symlink},
        {"tmp/Init.spt a link to another file",
         [] {
             fs::create_directory("tmp");
             fs::create_symlink(fs::absolute("elsewhere/Init.spt"), "tmp/Init.spt");
         },
         true, "", "tmp", fs::file_type::not_found},
        {"the system save a FIFO",
         [] {
             fs::create_directory("sav");
             mkfifo("sav/sav00.sav", 0600);
         },
         true,
         "Error: <GAMEMAIN::LoadIntegratedData> sav/sav00.sav" + notRegular +
             "。今回は書き込みません",
         "sav/sav00.sav", fs::file_type::fifo},
        {"env.env a file that never ends", [] { fs::create_symlink("/dev/zero", "env.env"); }, true,
         "Error: <LoadEnvData> env.env" + notRegular, "env.env", fs::file_type::symlink},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        autoplay::GameSession run(
            autoplay::SessionOptions{zktest::DemoData::Dir(), false, false, kT0, 16});
        ASSERT_TRUE(run.prepared()) << run.error();
        fs::create_directories("elsewhere/sub");
        WriteFileBytes("elsewhere/Init.spt", "kept");
        WriteFileBytes("elsewhere/sub/a.gpc", "kept");
        c.place();

        EXPECT_EQ(run.start() && run.runFrame() && run.mode() == 1, c.boots);
        run.release();
        const auto lines = run.log();
        EXPECT_TRUE(c.line.empty() || std::any_of(lines.begin(), lines.end(),
                                                  [&](const auto& l) { return l.text == c.line; }));
        EXPECT_EQ(fs::symlink_status(c.path).type(), c.after);
        EXPECT_EQ(ReadFileBytes("elsewhere/Init.spt") + ReadFileBytes("elsewhere/sub/a.gpc"),
                  "keptkept");
        EXPECT_EQ(std::distance(fs::recursive_directory_iterator("elsewhere"), {}), 3);
    }
}

// A second game in the first one's folder boots from what the first left at its exit.
TEST_F(Boot, ASecondGameInTheSameFolderReadsWhatTheFirstLeft) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    session().game().dwCGFlg[0] = 7;
    session().game().nGameClearFlg = 1;
    const fs::path folder = session().folder();
    restartInSameFolder();
    EXPECT_EQ(session().folder(), folder);
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(session().game().dwCGFlg[0], 7u);
    EXPECT_EQ(session().game().nGameClearFlg, 1u);
    EXPECT_FALSE(anyLine("Error:", "0"));
}
