#include <algorithm>
#include <filesystem>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "platform/input/VirtualKeys.h"
#include "platform/media/MediaPump.h"
#include "platform/window/CursorCounter.h"
#include "platform/window/WindowHost.h"
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
    // Pictures 0 to 74 were each shown once, and the movie ended 3 s after the first
    // (within the 80 ms its last frames may take).
    void expectEveryPictureOnceForThreeSeconds() {
        std::vector<int> all(75);
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(numbers(), all);
        ASSERT_FALSE(pictures.empty());
        const std::uint32_t afterFirstPicture = session().game().dwNowTime - pictures[0].time;
        EXPECT_GE(afterFirstPicture, 3000u);
        EXPECT_LE(afterFirstPicture, 3080u);
    }
    // The frame after the movie runs the title's first step, which logs nothing.
    void expectTheTitleStarts() {
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(session().mode(), 3);
        EXPECT_EQ(session().procStep(), 1);
        EXPECT_EQ(logTexts(std::to_string(session().framesRun() - 1)), std::vector<std::string>{});
    }
    void writeEnv(const EnvSettings& settings) {
        zktest::WriteFileBytes((session().folder() / "env.env").string(),
                               FormatEnvSettings(settings));
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
};

const std::string kOpened[] = {"Message: <ZKDSHOWDATA::DShowOpen> ビデオタイプと判別しました",
                               "Message: <ZKDSHOWDATA::DShowOpen> オーディオタイプと判別しました"};
const std::string kClosed = "Message: <ZKDSHOWDATA::DShowClose> 各種データのリリース終了";
const std::string kStopped = "Warn: <ZKDSHOWDATA::DShowStop> 既に停止されています";

}  // namespace

TEST_F(Movie, PlaysEachPictureOnceAcrossTheGameAreaAndGoesToTheTitleAtItsEnd) {
    replaceMovie();
    runLogo();
    playToTheEnd();
    expectEveryPictureOnceForThreeSeconds();
    ASSERT_FALSE(pictures.empty());
    // The tone (RMS 0.0884) at music level 5's gain of 0.316.
    const std::size_t movieStart = (pictures[0].time - kT0) * 441 / 10 * 2;
    const std::span<const float> mix = session().mix().samples();
    EXPECT_NEAR(zktest::Rms(mix.subspan(movieStart + 8820, 70560)), 0.0280, 0.0280 * 0.05);
    EXPECT_EQ(posts, std::vector<std::uint32_t>{kMovieEnd});
    EXPECT_EQ(movieLines(), (std::vector<std::string>{kOpened[0], kOpened[1], kStopped, kClosed}));
    EXPECT_GE(platform::CursorCount(), 0);
    EXPECT_TRUE(CurrentShellState().host->menu().attached());
    expectTheTitleStarts();
}

// A movie cut off mid-file, or played where no sound device opens, still shows its
// pictures in order, ends once and goes on to the title, without a box.
TEST_F(Movie, ACutOffMovieOrOneWithoutSoundPlaysItsPicturesInOrderAndEndsOnce) {
    const struct {
        const char* name;
        bool cut;  // to its first 40 % of bytes
        bool soundOff;
        std::size_t minPictures;
        std::size_t maxPictures;
    } cases[] = {{"cut off", true, false, 5, 74}, {"sound off", false, true, 75, 75}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        replaceMovie();
        if (c.cut) {
            const fs::path movie = session().folder() / "dat/Mov.vid";
            const std::string bytes = zktest::ReadFileBytes(movie.string());
            fs::remove(movie);
            zktest::WriteFileBytes(movie.string(), bytes.substr(0, bytes.size() * 2 / 5));
        }
        if (c.soundOff) {
            // No warning dialog: a modal loop without a script would end the run.
            writeEnv({.settings = {.soundWarning = 0}});
            session().audio().refuseOpen(true);
        }
        runLogo();
        playToTheEnd();
        const std::vector<int> shown = numbers();
        EXPECT_GE(shown.size(), c.minPictures);
        EXPECT_LE(shown.size(), c.maxPictures);
        std::vector<int> inOrder(shown.size());
        std::iota(inOrder.begin(), inOrder.end(), 0);
        EXPECT_EQ(shown, inOrder);
        EXPECT_EQ(posts, std::vector<std::uint32_t>{kMovieEnd});
        EXPECT_TRUE(session().boxes().empty()) << session().boxes().size();
        expectTheTitleStarts();
        if (c.soundOff) {
            // Left alone, the title falls back to the logo, whose end stops every sound
            // again: without a device that is told once for both logos.
            ASSERT_TRUE(release(platform::VK_LBUTTON));
            advance(150000);
            ASSERT_TRUE(runUntil([&] { return session().mode() == 1; }, 600));
            ASSERT_TRUE(runUntil([&] { return session().mode() == 2; }, 400));
        }
        const auto texts = logTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(),
                             "Error: <ZKSND::DAAllStop> "
                             "ZKSND::Initializeの処理を終えずに呼び出されました"),
                  c.soundOff ? 1 : 0);
        endRun();
    }
}

// A movie whose sound stops short of its pictures, or whose sound track holds no
// packet, runs on the platform's time to its last picture and ends by itself.
TEST_F(Movie, AMovieWhoseSoundEndsEarlyShowsEachPictureOnceAndEndsOnItsOwn) {
    const struct {
        const char* name;
        double soundSeconds;
    } cases[] = {{"sound for a third", 1.0}, {"sound for a fifth", 0.6}, {"no sound packet", 1e-9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mkdemo::MovieRecipe recipe = mkdemo::MovieRecipe::GameSize();
        recipe.soundSeconds = c.soundSeconds;
        replaceMovie(recipe);
        runLogo();
        playToTheEnd();
        expectEveryPictureOnceForThreeSeconds();
        EXPECT_EQ(posts, std::vector<std::uint32_t>{kMovieEnd});
        EXPECT_EQ(movieLines(),
                  (std::vector<std::string>{kOpened[0], kOpened[1], kStopped, kClosed}));
        expectTheTitleStarts();
        endRun();
    }
}

// What a stopped graph sounds and posts is the sound and media tests'; here the keys,
// the close on the release frame, the mode change and, in full screen, the strip that
// leaves for the movie and comes back after it.
TEST_F(Movie, AReleasedClickReturnOrCtrlStopsAndClosesTheMovieAndGoesToTheTitle) {
    const struct {
        int key;
        bool fullScreen;
    } cases[] = {
        {platform::VK_LBUTTON, true}, {platform::VK_RETURN, false}, {platform::VK_CONTROL, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        writeEnv({.settings = {.fullScreen = c.fullScreen ? 1u : 0u}});
        runLogo();
        const ShellState& shell = CurrentShellState();
        ASSERT_TRUE(runFrames(30));
        EXPECT_EQ(session().procStep(), 1);
        EXPECT_EQ(session().sound().DShowIsOpen(2), 1);
        EXPECT_EQ(shell.host->menu().attached(), !c.fullScreen);
        EXPECT_EQ(shell.drawStop, 1u);
        down(c.key);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(session().mode(), 2) << "a press alone does not end the movie";
        up(c.key);
        const int release = session().framesRun();
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(session().mode(), 3);
        EXPECT_EQ(session().previousMode(), 2);
        EXPECT_EQ(session().sound().DShowIsOpen(2), 0);
        EXPECT_GE(platform::CursorCount(), 0);
        EXPECT_TRUE(shell.host->menu().attached());
        EXPECT_EQ(shell.drawStop, 0u);
        EXPECT_EQ(logTexts(std::to_string(release)), (std::vector<std::string>{kClosed}));
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
    expectTheTitleStarts();
    EXPECT_TRUE(movieLines().empty());
}

// Missing and damaged files fail the open alike below; the game's path is one.
TEST_F(Movie, ADamagedMovieEndsTheGameThroughTheRelease) {
    ASSERT_TRUE(start());
    const fs::path movie = session().folder() / "dat/Mov.vid";
    fs::remove(movie);
    zktest::WriteFileBytes(movie.string(), "no movie");
    ASSERT_TRUE(runUntil([&] { return session().mode() == 2; }, 400));
    EXPECT_FALSE(runFrames(1));
    EXPECT_TRUE(session().fatal());
    const auto lines = movieLines();
    ASSERT_GE(lines.size(), 3u) << ::testing::PrintToString(lines);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{
                  "Error: <ZKDSHOWDATA::DShowOpen> データロードに失敗しました",
                  "Error: <GAMEMAIN::DemoProc> ムービーオープンに失敗しました",
                  "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::DemoProcが失敗しました"}));
    session().release();
    EXPECT_TRUE(fs::exists("sav/sav00.sav"));
    EXPECT_FALSE(fs::exists("tmp"));
}
