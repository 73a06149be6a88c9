#include <algorithm>
#include <filesystem>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "platform/CursorCounter.h"
#include "platform/MediaPump.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowHost.h"
#include "shell/EnvData.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/ManualAudio.h"
#include "support/MovieBand.h"
#include "support/WholeGameTest.h"

namespace fs = std::filesystem;

namespace {

constexpr int kW = autoplay::GameSession::kWidth;
constexpr std::uint32_t kMovieEnd = 0x8004;

// A movie picture the display composed: the number its band carries, and when.
struct Shown {
    int number;
    std::uint32_t time;
};

class Movie : public zktest::WholeGameTest {
protected:
    // Boots and runs the logo to its end, with nothing pressed. From the boot on,
    // every movie picture composed across the game area and every message a graph
    // posts is recorded.
    void runLogo() {
        ASSERT_TRUE(start());
        platform::MediaPump& pump = platform::MediaPump::instance();
        pump.poster = [this, post = pump.poster](platform::WindowHandle window,
                                                 std::uint32_t message) {
            posts.push_back(message);
            post(window, message);
        };
        session().display().onCompose = [this](const std::vector<std::uint32_t>& frame, int width) {
            const int number = zktest::MovieBand::Read(frame, width, 0, 0, kW);
            if (number >= 0) pictures.push_back({number, session().clock().now()});
        };
        ASSERT_TRUE(runUntil([&] { return session().mode() == 2; }, 400));
    }
    // Runs the movie until the game leaves it, checking that the pointer stays hidden.
    void playToTheEnd() {
        ASSERT_TRUE(runUntil(
            [&] {
                if (session().mode() == 2) {
                    EXPECT_LT(platform::CursorCount(), 0);
                }
                return session().mode() != 2;
            },
            300));
        EXPECT_EQ(session().mode(), 3);
    }
    std::vector<int> numbers() const {
        std::vector<int> seen;
        for (const Shown& picture : pictures) seen.push_back(picture.number);
        return seen;
    }
    // The frame after the movie ends the run: the title is not in this build.
    void expectTheTitleMissing() {
        EXPECT_FALSE(runFrames(1));
        const auto last = logTexts(std::to_string(session().framesRun() - 1));
        EXPECT_NE(std::find(last.begin(), last.end(), kNoTitle), last.end());
    }
    // The pulled mix from one moment to another, each in ms after the first frame.
    std::span<const float> mixBetween(std::uint32_t fromMs, std::uint32_t toMs) {
        const std::vector<float>& mix = session().mix().samples();
        const auto at = [&](std::uint32_t ms) {
            return std::min(mix.size(), std::size_t{ms} * 441 / 10 * 2);
        };
        return std::span<const float>(mix).subspan(at(fromMs), at(toMs) - at(fromMs));
    }
    // Ends the run and forgets what it recorded, for the next case.
    void endRun() {
        TearDown();
        posts.clear();
        pictures.clear();
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

    std::vector<std::uint32_t> posts;
    std::vector<Shown> pictures;
    static constexpr const char* kNoTitle =
        "Error: <GAMEMAIN::GameMainFunc> モード3 (TitleProc) はこのビルドにありません";
};

std::vector<int> FirstNumbers(int count) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 0);
    return numbers;
}

const std::string kOpened[] = {"Message: <ZKDSHOWDATA::DShowOpen> ビデオタイプと判別しました",
                               "Message: <ZKDSHOWDATA::DShowOpen> オーディオタイプと判別しました"};
const std::string kClosed = "Message: <ZKDSHOWDATA::DShowClose> 各種データのリリース終了";
const std::string kStopped = "Warn: <ZKDSHOWDATA::DShowStop> 既に停止されています";

}  // namespace

TEST_F(Movie, PlaysEachPictureOnceAcrossTheGameAreaAndGoesToTheTitleAtItsEnd) {
    runLogo();
    playToTheEnd();
    EXPECT_EQ(numbers(), FirstNumbers(75));
    ASSERT_FALSE(pictures.empty());
    const std::uint32_t afterFirstPicture = session().game().dwNowTime - pictures[0].time;
    EXPECT_GE(afterFirstPicture, 3000u);
    EXPECT_LE(afterFirstPicture, 3080u);
    // The tone (RMS 0.0884) at music level 5's gain of 0.316.
    const std::uint32_t movieStart = pictures[0].time - kT0;
    EXPECT_NEAR(zktest::Rms(mixBetween(movieStart + 100, movieStart + 900)), 0.0280, 0.0280 * 0.05);
    EXPECT_EQ(posts, std::vector<std::uint32_t>{kMovieEnd});
    EXPECT_EQ(movieLines(), (std::vector<std::string>{kOpened[0], kOpened[1], kStopped, kClosed}));
    EXPECT_GE(platform::CursorCount(), 0);
    EXPECT_TRUE(CurrentShellState().host->menu().attached());
    expectTheTitleMissing();
}

TEST_F(Movie, ACutOffMovieOrOneWithoutSoundPlaysItsPicturesInOrderAndEndsOnce) {
    const struct {
        const char* name;
        bool cut;  // to its first 40 % of bytes
        bool soundOff;
        int minPictures;
        int maxPictures;
    } cases[] = {
        {"cut off", true, false, 5, 74},
        {"sound off", false, true, 75, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.cut) {
            const fs::path movie = session().folder() / "dat/Mov.vid";
            const std::string bytes = zktest::ReadFileBytes(movie.string());
            fs::remove(movie);
            zktest::WriteFileBytes(movie.string(), bytes.substr(0, bytes.size() * 2 / 5));
        }
        if (c.soundOff) {
            // No warning dialog: a modal loop without a script would end the run.
            EnvSettings settings;
            settings.soundWarning = 0;
            zktest::WriteFileBytes((session().folder() / "env.env").string(),
                                   FormatEnvSettings(settings));
            session().audio().refuseOpen(true);
        }
        runLogo();
        playToTheEnd();
        const std::vector<int> shown = numbers();
        EXPECT_GE(static_cast<int>(shown.size()), c.minPictures);
        EXPECT_LE(static_cast<int>(shown.size()), c.maxPictures);
        EXPECT_EQ(shown, FirstNumbers(static_cast<int>(shown.size())));
        EXPECT_EQ(posts, std::vector<std::uint32_t>{kMovieEnd});
        const auto texts = logTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(),
                             "Error: <ZKSND::DAAllStop> "
                             "ZKSND::Initializeの処理を終えずに呼び出されました"),
                  c.soundOff ? 1 : 0);
        // Without sound every sound of Init.spt is still registered, without a box.
        EXPECT_TRUE(session().boxes().empty()) << session().boxes().size();
        expectTheTitleMissing();
        endRun();
    }
}

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
        const std::uint32_t releaseMs = session().timeOfFrame(release) - kT0;
        ASSERT_TRUE(runFrames(1));
        EXPECT_GT(zktest::Rms(mixBetween(releaseMs - 100, releaseMs)), 0.01) << "heard until then";
        EXPECT_EQ(session().mode(), 3);
        EXPECT_EQ(session().previousMode(), 2);
        EXPECT_EQ(session().sound().DShowIsOpen(2), 0);
        EXPECT_GE(platform::CursorCount(), 0);
        EXPECT_EQ(logTexts(std::to_string(release)), (std::vector<std::string>{kClosed}));
        expectTheTitleMissing();
        EXPECT_TRUE(posts.empty());
        const std::uint32_t endMs = session().timeOfFrame(session().framesRun()) - kT0;
        EXPECT_EQ(zktest::SoundingFrames(mixBetween(releaseMs, endMs)), 0u)
            << "the mix is silent from the block after the release frame on";
        endRun();
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
