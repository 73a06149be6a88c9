#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "game/GAMEMAIN.h"
#include "game/GameHost.h"
#include "graphics/ZKSPRITE.h"
#include "shell/ShellState.h"
#include "support/WholeGameTest.h"

namespace {

constexpr int kLogoSurface = 4;

bool Holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class InputDirectives : public zktest::WholeGameTest {
protected:
    // Plays the script from the start-up on, calling afterStep where the runner reports.
    autoplay::RunOutcome play(const std::string& text, std::function<void()> afterStep = {}) {
        std::string error;
        const auto script = autoplay::InputScript::Parse(text, error);
        EXPECT_TRUE(script) << error;
        if (!script) return {};
        autoplay::RunSettings settings;
        settings.frames = 100;
        settings.outDir = (session().folder() / "out").string();
        settings.afterStep = std::move(afterStep);
        return autoplay::InputRunner::Run(session(), *script, settings);
    }
    // From the start on, the menu requests each frame's drawing saw, as three digits:
    // save, load, settings.
    void watchRequests() {
        session().display().onCompose = [this](const std::vector<std::uint32_t>&, int) {
            const ShellState& s = CurrentShellState();
            requests[session().framesRun() - 1] =
                static_cast<int>(s.saveRequest * 100 + s.loadRequest * 10 + s.configRequest);
        };
    }
    std::map<int, int> requests;
};

}  // namespace

// Frame 0 boots into the logo at step 0; frame 1 loads the logo's picture and starts
// its fade-in (step 1), which lasts about sixty frames.
TEST_F(InputDirectives, EnterChangesTheModeAndStepAfterItsFrame) {
    // Mode 7's step 7 closes a settings screen that was never opened.
    const char* const kMode7 =
        "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::HintModeMainProcが失敗しました";
    const struct {
        const char* script;
        const char* reason;
        int mode, step, previous;
        bool logoLoaded;
        const char* fatalFrame;  // where the mode's failure line comes, if it does
    } cases[] = {
        // Step 0 runs the logo's load again, and the mode left is the logo.
        {"at 0 enter 1\nat 1 end", "end in frame 1", 1, 1, 1, true, nullptr},
        // Past the load, its picture never comes.
        {"at 0 enter 1 step 1\nat 1 end", "end in frame 1", 1, 1, 1, false, nullptr},
        // The frame's own expectation sees the mode entered; the next frame runs it.
        {"at 3 enter 7 step 7\nat 3 expect mode 7 step 7", "fatal game error in frame 4", 7, 7, 1,
         true, "4"},
        // The wait after an enter sees its step 0 first, and the load's step 1 a frame later.
        {"wait mode 1 step 1 within 5\nat +0 enter 1\nwait mode 1 step 1 within 1\nat +0 end",
         "end in frame 2", 1, 1, 1, true, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(play(c.script).reason, c.reason);
        EXPECT_EQ(session().mode(), c.mode);
        EXPECT_EQ(session().procStep(), c.step);
        EXPECT_EQ(session().previousMode(), c.previous);
        EXPECT_EQ(session().sprite().GetSurfaceLoadState(kLogoSurface) == 0, c.logoLoaded);
        if (c.fatalFrame != nullptr) {
            EXPECT_TRUE(Holds(logTexts(c.fatalFrame), kMode7));
        }
        TearDown();
    }
}

TEST_F(InputDirectives, AMenuLineIsTheRequestOfExactlyItsFrame) {
    watchRequests();
    const autoplay::RunOutcome outcome =
        play("at 2 menu save\nat 4 menu load\nat 5 menu settings\nat 6 end\n");
    EXPECT_EQ(outcome.reason, "end in frame 6");
    EXPECT_EQ(requests,
              (std::map<int, int>{{0, 0}, {1, 0}, {2, 100}, {3, 0}, {4, 10}, {5, 1}, {6, 0}}));
}

TEST_F(InputDirectives, TheFixtureEntersAndClicksAsTheLinesDo) {
    watchRequests();
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    enter(1, 1);
    menu(autoplay::MenuItem::Settings);
    ASSERT_TRUE(runFrames(1));
    enter(7, 7);
    EXPECT_FALSE(runFrames(1));
    EXPECT_EQ(session().sprite().GetSurfaceLoadState(kLogoSurface), 1);
    EXPECT_EQ(requests, (std::map<int, int>{{0, 0}, {1, 1}}));
    EXPECT_TRUE(Holds(logTexts("2"),
                      "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::HintModeMainProcが失敗しました"));
}

namespace {

// The shell's exit question, asked as the game asks it: the destroy message through
// the game's host, here after frame 3 has run and before the run looks at it.
class QuitQuestion : public InputDirectives {
protected:
    autoplay::RunOutcome askAfterFrame3(const std::string& text) {
        return play(text, [this] {
            if (session().framesRun() == 4) ask();
        });
    }
    void ask() {
        ++asked;
        session().game().pHost->SendDestroyMessage();
    }
    int asked = 0;
};

}  // namespace

TEST_F(QuitQuestion, ADialogLineAnswersTheQuestionItsFrameAsks) {
    const struct {
        const char* script;
        int exit;
        const char* reason;
        int framesRun;
    } cases[] = {
        // Yes: the frame that asked is the last one.
        {"at 3 dialog Y\nat 9 end", 0, "quit in frame 3", 4},
        {"at 3 dialog RETURN\nat 9 end", 0, "quit in frame 3", 4},
        // No, or the dialog closed: the game goes on where it was.
        {"at 3 dialog N\nat 9 end", 0, "end in frame 9", 10},
        {"at 3 dialog ESCAPE\nat 9 end", 0, "end in frame 9", 10},
        // A key that answers nothing ('9') leaves the dialog open until the script runs
        // out, which ends it as a termination signal would: the next pass quits.
        {"at 3 dialog 9\nat 9 end", 0, "quit before frame 4", 5},
        // The question comes after frame 3: a line for frame 2 finds no dialog.
        {"at 2 dialog Y\nat 9 end", 3,
         "frame 2: input line 1: expectation failed: no dialog opened", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        asked = 0;
        const autoplay::RunOutcome outcome = askAfterFrame3(c.script);
        EXPECT_EQ(outcome.exitCode, c.exit);
        EXPECT_EQ(outcome.reason, c.reason);
        EXPECT_EQ(session().framesRun(), c.framesRun);
        EXPECT_EQ(asked, c.framesRun >= 4 ? 1 : 0);
        EXPECT_EQ(CurrentShellState().dialogOpen, 0u);
        TearDown();
    }
}

TEST_F(QuitQuestion, TheFixtureAnswersAsTheLineDoes) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(3));
    const std::int32_t mode = session().mode();
    dialog({'N'});
    ask();
    EXPECT_TRUE(session().dialogAnswered());
    EXPECT_FALSE(session().quitPosted());
    ASSERT_TRUE(runFrames(2)) << "no goes on";
    EXPECT_EQ(session().mode(), mode);

    dialog({'Y'});
    ask();
    EXPECT_TRUE(session().quitPosted());
    const int presents = session().presents();
    EXPECT_FALSE(runFrames(1)) << "no frame runs after a yes";
    EXPECT_EQ(session().presents(), presents);
    EXPECT_FALSE(session().fatal());
    const std::filesystem::path folder = session().folder();
    session().release();
    EXPECT_TRUE(std::filesystem::exists(folder / "env.env"));
    EXPECT_EQ(CurrentShellState().libraryInitialised, 0u);
}
