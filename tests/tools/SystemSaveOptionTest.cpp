#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "autoplay/GameSession.h"
#include "game/GAMEMAIN.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"
#include "support/WholeGameTest.h"

using zktest::DemoData;
using zktest::ReadFileBytes;
using zktest::RunTool;
namespace fs = std::filesystem;

namespace {

autoplay::SessionOptions Options(const std::string& dataDir, bool inPlace,
                                 const std::string& systemSave) {
    return {dataDir, inPlace, false, 100000, 16, systemSave};
}

}  // namespace

bool AnyError(const autoplay::GameSession& session) {
    for (const autoplay::LoggedLine& line : session.log()) {
        if (line.text.rfind("Error:", 0) == 0) return true;
    }
    return false;
}

// The game rewrites its system save, so the session gets a copy of its own, placed
// after the start-up has made sav/ (which it would log as an error if it found one)
// and before the first frame reads it. Without one the folder is as fresh as ever.
TEST(AutoplaySystemSave, TheScratchFolderGetsACopyOrNoSaveAtAll) {
    for (const bool withSave : {true, false}) {
        fs::path folder;
        {
            autoplay::GameSession session(
                Options(DemoData::Dir(), false, withSave ? DemoData::SystemSave() : ""));
            ASSERT_TRUE(session.prepared()) << session.error();
            folder = session.folder();
            const fs::path save = folder / "sav" / "sav00.sav";
            EXPECT_FALSE(fs::exists(folder / "sav"));
            ASSERT_TRUE(session.start());
            EXPECT_EQ(fs::exists(save), withSave);
            EXPECT_FALSE(fs::is_symlink(save));
            if (withSave) {
                EXPECT_TRUE(ReadFileBytes(save.string()) == ReadFileBytes(DemoData::SystemSave()));
            }
            EXPECT_FALSE(AnyError(session)) << withSave;
        }
        EXPECT_FALSE(fs::exists(folder)) << withSave;
        EXPECT_TRUE(zktest::FileExists(DemoData::SystemSave()));
    }
}

// In place the copy would replace the folder's own save; anything but a file is no
// save. Each is refused before the game starts, with nothing left behind.
TEST(AutoplaySystemSave, RefusedInPlaceAndForAnythingButAFile) {
    zktest::TempWorkDir dir;
    const fs::path here = dir.path();
    fs::create_directories(here / "game/dat");
    fs::create_directory(here / "folder.sav");
    ASSERT_EQ(mkfifo((here / "pipe.sav").c_str(), 0600), 0);
    zktest::WriteFileBytes((here / "fine.sav").string(), "0\n");
    const struct {
        std::string data;
        bool inPlace;
        fs::path save;
        const char* says;
    } cases[] = {
        {(here / "game").string(), true, here / "fine.sav", "never copied in place"},
        {DemoData::Dir(), false, here / "folder.sav", "cannot read the system save"},
        {DemoData::Dir(), false, here / "pipe.sav", "cannot read the system save"},
        {DemoData::Dir(), false, here / "missing.sav", "cannot read the system save"},
    };
    for (const auto& c : cases) {
        fs::path folder;
        {
            autoplay::GameSession session(Options(c.data, c.inPlace, c.save.string()));
            EXPECT_FALSE(session.prepared()) << c.save;
            EXPECT_NE(session.error().find(c.says), std::string::npos) << session.error();
            EXPECT_NE(session.error().find(c.save.string()), c.inPlace) << session.error();
            folder = session.folder();
        }
        EXPECT_FALSE(!c.inPlace && fs::exists(folder)) << folder;
    }
    EXPECT_FALSE(fs::exists(here / "game/sav"));

    autoplay::GameSession session(Options(DemoData::Dir(), false, DemoData::SystemSave()));
    ASSERT_TRUE(session.prepared());
    fs::create_directories(session.folder() / "sav" / "sav00.sav");
    EXPECT_FALSE(session.start());
    EXPECT_NE(session.error().find("cannot write the system save into"), std::string::npos)
        << session.error();
}

TEST(AutoplaySystemSave, TheCommandLineCopiesTheSaveAndRefusesItInPlace) {
    zktest::TempWorkDir dir;
    fs::create_directories("game/dat");
    const platform::ProcessResult inPlace =
        RunTool("autoplay", {"--system-save", DemoData::SystemSave(), "--in-place", "game"});
    EXPECT_EQ(inPlace.exitStatus, 2);
    EXPECT_NE(inPlace.err.find("autoplay: a system save is never copied in place"),
              std::string::npos)
        << inPlace.err;
    EXPECT_FALSE(fs::exists("game/sav"));

    // The game writes back what it read: with the option the kept folder's save is the
    // demo's, not a fresh one.
    const platform::ProcessResult run =
        RunTool("autoplay", {"--system-save", DemoData::SystemSave(), "--frames", "2", "--keep",
                             "--quiet", DemoData::Dir()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const std::string kept = "autoplay: kept ";
    const std::size_t at = run.out.find(kept);
    ASSERT_NE(at, std::string::npos) << run.out;
    const fs::path folder =
        run.out.substr(at + kept.size(), run.out.find('\n', at) - at - kept.size());
    EXPECT_TRUE(ReadFileBytes((folder / "sav/sav00.sav").string()) ==
                ReadFileBytes(DemoData::SystemSave()));
    fs::remove_all(folder);
}

class DemoSystemSaveRun : public zktest::WholeGameTest {};

TEST_F(DemoSystemSaveRun, TheGameStartsWithAnEndingReached) {
    useSystemSave(DemoData::SystemSave());
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(session().game().nGameClearFlg, 1u);
    for (const std::string& line : logTexts())
        EXPECT_EQ(line.rfind("Error:", 0), std::string::npos) << line;
}
