#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "platform/CursorCounter.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowHost.h"
#include "shell/EnvData.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/WholeGameTest.h"

namespace fs = std::filesystem;

namespace {

class Movie : public zktest::WholeGameTest {
protected:
    // Boots and runs the logo to its end, with nothing pressed.
    void runLogo() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runUntil([&] { return session().mode() == 2; }, 400));
    }
    std::vector<std::string> movieLines() const {
        std::vector<std::string> lines;
        for (const std::string& text : logTexts()) {
            if (text.find("DShow") != std::string::npos || text.find("Demo") != std::string::npos ||
                text.find("ムービー") != std::string::npos) {
                lines.push_back(text);
            }
        }
        return lines;
    }
};

const std::string kOpened[] = {"Message: <ZKDSHOWDATA::DShowOpen> ビデオタイプと判別しました",
                               "Message: <ZKDSHOWDATA::DShowOpen> オーディオタイプと判別しました"};
const std::string kClosed = "Message: <ZKDSHOWDATA::DShowClose> 各種データのリリース終了";

}  // namespace

TEST_F(Movie, AReleasedClickReturnOrCtrlStopsAndClosesTheMovieAndGoesToTheTitle) {
    for (const int key : {platform::VK_LBUTTON, platform::VK_RETURN, platform::VK_CONTROL}) {
        SCOPED_TRACE(key);
        runLogo();
        ASSERT_TRUE(runFrames(30));
        EXPECT_EQ(session().procStep(), 1);
        EXPECT_EQ(session().sound().DShowIsOpen(2), 1);
        EXPECT_LT(platform::CursorCount(), 0);
        EXPECT_EQ(movieLines(), (std::vector<std::string>{kOpened[0], kOpened[1]}));
        down(key);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(session().mode(), 2) << "a press alone does not end the movie";
        up(key);
        const int release = session().framesRun();
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(session().mode(), 3);
        EXPECT_EQ(session().previousMode(), 2);
        EXPECT_EQ(session().sound().DShowIsOpen(2), 0);
        EXPECT_GE(platform::CursorCount(), 0);
        EXPECT_EQ(logTexts(std::to_string(release)), (std::vector<std::string>{kClosed}));
        EXPECT_FALSE(runFrames(1));
        const auto last = logTexts(std::to_string(release + 1));
        EXPECT_NE(
            std::find(
                last.begin(), last.end(),
                "Error: <GAMEMAIN::GameMainFunc> モード3 (TitleProc) はこのビルドにありません"),
            last.end());
        TearDown();
    }
}

TEST_F(Movie, CtrlHeldAtTheEndOfTheLogoOpensNoMovieEvenWhenItIsMissing) {
    ASSERT_TRUE(start());
    fs::remove(session().folder() / "dat/Mov.vid");
    ASSERT_TRUE(runUntil([&] { return session().procStep() == 2; }, 400));
    down(platform::VK_CONTROL);
    ASSERT_TRUE(runUntil([&] { return session().mode() != 1; }, 100));
    EXPECT_EQ(session().mode(), 3);
    EXPECT_FALSE(runFrames(1));
    EXPECT_TRUE(movieLines().empty());
}

TEST_F(Movie, AMissingOrDamagedMovieEndsTheGameThroughTheRelease) {
    for (const char* bytes : std::vector<const char*>{"", "garbage that is no movie", nullptr}) {
        SCOPED_TRACE(bytes == nullptr ? "missing" : bytes);
        ASSERT_TRUE(start());
        const fs::path movie = session().folder() / "dat/Mov.vid";
        fs::remove(movie);
        if (bytes != nullptr) zktest::WriteFileBytes(movie.string(), bytes);
        ASSERT_TRUE(runUntil([&] { return session().mode() == 2; }, 400));
        EXPECT_FALSE(runFrames(1));
        EXPECT_TRUE(session().fatal());
        const auto lines = movieLines();
        ASSERT_GE(lines.size(), 3u) << ::testing::PrintToString(lines);
        EXPECT_EQ(lines[lines.size() - 3],
                  "Error: <ZKDSHOWDATA::DShowOpen> データロードに失敗しました");
        EXPECT_EQ(lines[lines.size() - 2],
                  "Error: <GAMEMAIN::DemoProc> ムービーオープンに失敗しました");
        EXPECT_EQ(lines.back(), "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::DemoProcが失敗しました");
        session().release();
        EXPECT_TRUE(fs::exists("sav/sav00.sav"));
        EXPECT_FALSE(fs::exists("tmp"));
        TearDown();
    }
}

TEST_F(Movie, InFullScreenTheStripLeavesForTheMovieAndComesBackAfterIt) {
    EnvSettings settings;
    settings.fullScreen = 1;
    zktest::WriteFileBytes((session().folder() / "env.env").string(), FormatEnvSettings(settings));
    runLogo();
    const ShellState& shell = CurrentShellState();
    ASSERT_EQ(shell.fullScreen, 1u);
    EXPECT_TRUE(shell.host->menu().attached());
    ASSERT_TRUE(runFrames(2));
    EXPECT_FALSE(shell.host->menu().attached());
    EXPECT_EQ(shell.drawStop, 1u);
    down(platform::VK_LBUTTON);
    ASSERT_TRUE(runFrames(1));
    up(platform::VK_LBUTTON);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(session().mode(), 3);
    EXPECT_TRUE(shell.host->menu().attached());
    EXPECT_EQ(shell.drawStop, 0u);
}
