#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "platform/video/PixelFormat.h"
#include "shell/EnvData.h"
#include "shell/ScreenMode.h"
#include "shell/ShellState.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/ReadPng.h"
#include "support/WholeGameTest.h"

namespace {

using Lines = std::vector<std::string>;

// A reveal seen in one frame: the game's time and the bytes shown.
struct Reveal {
    std::uint32_t dwTime;
    std::int32_t nBytes;
};

Lines SplitLines(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class SettingsRun : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::int32_t step() { return session().procStep(); }

    // Boots with these settings into the story's main loop.
    void begin(const EnvSettings& env = {}) {
        zktest::WriteFileBytes((session().folder() / "env.env").string(), FormatEnvSettings(env));
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        enter(GAME_MODE_ADV);
        session().setPointer({400, 200});
        ASSERT_TRUE(runUntil([&] { return step() == 3; }, 300));
    }
    // The pointer onto a control of the standing panel, then a click on it.
    bool clickOn(std::int32_t nId) {
        const CONFIG_CONTROL& c = *FindConfigControl(nId);
        const CONFIG_DATA& screen = game().ConfigData;
        session().setPointer({screen.nX + (c.rcHit.left + c.rcHit.right) / 2,
                              screen.nY + (c.rcHit.top + c.rcHit.bottom) / 2});
        return runFrames(1) && release(platform::VK_LBUTTON);
    }
    Lines problemLines() const {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
    Lines formChanges() {
        Lines found;
        for (const std::string& action : session().window().actions()) {
            if (action.starts_with("fullscreen")) found.push_back(action.substr(0, 12));
        }
        return found;
    }
};

}  // namespace

// The demo's settings run plays through to its planned end; the message speed it set
// reveals the next lines at 60 bytes per 500 ms, the window went to full screen and
// back, and env.env keeps the fast speed and the window.
TEST_F(SettingsRun, TheDemoRunAppliesItsSettings) {
    std::string error;
    const auto script = autoplay::InputScript::Parse(
        zktest::ReadFileBytes(zktest::DemoData::SourceDir() + "/settings.txt"), error);
    ASSERT_TRUE(script) << error;
    std::vector<Reveal> reveals;
    autoplay::RunSettings settings;
    settings.frames = 2000;
    settings.outDir = (session().folder() / "out").string();
    settings.afterStep = [&] {
        const GAMEMAIN& g = session().game();
        if (g.nMsgSpeed == 500 && g.MsgWindowData.nDispByte > 0) {
            reveals.push_back({g.dwNowTime, g.MsgWindowData.nDispByte});
        }
    };
    const autoplay::RunOutcome outcome = autoplay::InputRunner::Run(session(), *script, settings);
    EXPECT_EQ(outcome.exitCode, autoplay::RunOutcome::kDone) << outcome.reason;
    EXPECT_EQ(problemLines(), Lines{}) << "both mode changes bring every picture back quietly";
    ASSERT_GE(reveals.size(), 2u);
    // The first reveal at the new speed, from its first frame to its last; a line
    // left half shown under the screen stands still meanwhile.
    const auto rises = [](const Reveal& a, const Reveal& b) { return b.nBytes > a.nBytes; };
    const auto first = std::adjacent_find(reveals.begin(), reveals.end(), rises);
    ASSERT_NE(first, reveals.end());
    auto last = first;
    while (last + 1 != reveals.end() && rises(*last, *(last + 1))) ++last;
    const std::uint32_t dwSpan = last->dwTime - first->dwTime;
    ASSERT_GE(dwSpan, 100u);
    EXPECT_NEAR(last->nBytes - first->nBytes, dwSpan * 60.0 / 500, 1.0);
    EXPECT_EQ(formChanges(), (Lines{"fullscreen 1", "fullscreen 0"}));
    const auto shot = [&](const char* name) {
        return zktest::ReadPng::Read(
                   zktest::ReadFileBytes((session().folder() / "out" / name).string() + ".png"))
            .xrgb();
    };
    EXPECT_FALSE(shot("settings-screen").empty());
    // The strip covers the top band of the frame kept from before the pointer came.
    const std::vector<std::uint32_t> full = shot("fullscreen");
    const std::vector<std::uint32_t> band = shot("menu-band");
    ASSERT_EQ(full.size(), band.size());
    const auto rowsBelow = full.begin() + 20 * 800;
    EXPECT_FALSE(std::equal(full.begin(), rowsBelow, band.begin()));
    EXPECT_TRUE(std::equal(rowsBelow, full.end(), band.begin() + 20 * 800));
    session().release();
    const Lines env = SplitLines(zktest::ReadFileBytes((session().folder() / "env.env").string()));
    ASSERT_GE(env.size(), 6u);
    EXPECT_TRUE(env[1].starts_with(zktest::Sjis(u8"スクリーンモード: Window"))) << env[1];
    EXPECT_TRUE(env[5].starts_with(zktest::Sjis(u8"メッセージ速度: 500\t"))) << env[5];
}

// In 16-bit full screen the picture is RGB565: every pixel of a frame is one that the
// 16-bit words can hold.
TEST_F(SettingsRun, SixteenBitFullScreenFramesAreRgb565) {
    begin();
    ASSERT_EQ(ChangeScreenMode(1, 16, CurrentShellState().hWnd), 1);
    ASSERT_TRUE(runFrames(3));
    const std::vector<std::uint32_t>& frame = session().lastFrame();
    ASSERT_FALSE(frame.empty());
    std::size_t changed = 0;
    for (const std::uint32_t pixel : frame) {
        if ((pixel & 0xFFFFFF) != platform::Expand565(platform::Pack565(pixel))) ++changed;
    }
    EXPECT_EQ(changed, 0u);
    EXPECT_GT(std::count_if(frame.begin(), frame.end(),
                            [&](std::uint32_t p) { return (p & 0xFFFFFF) != 0; }),
              0)
        << "the scene is drawn";
}

// A 24-bit setting on a 32-bit display, in full screen: 16 bit, then high colour,
// then OK gives 32-bit colour, not 16.
TEST_F(SettingsRun, HighColourAfterSixteenBitGivesTheDisplaysDepth) {
    EnvSettings env;
    env.settings.fullScreen = 1;
    env.settings.colourDepth = 24;
    begin(env);
    ASSERT_EQ(CurrentShellState().settings.colourDepth, 24u);
    ASSERT_TRUE(release('C'));
    ASSERT_TRUE(runUntil([&] { return step() == 13; }, 60));
    ASSERT_TRUE(clickOn(46));
    ASSERT_TRUE(clickOn(47));
    ASSERT_TRUE(clickOn(kConfigOk));
    ASSERT_TRUE(runUntil([&] { return step() == 3; }, 60));
    EXPECT_EQ(CurrentShellState().settings.colourDepth, 32u);
    EXPECT_EQ(CurrentShellState().settings.fullScreen, 1u);
    EXPECT_EQ(session().sprite().GetDisplayBits(), 32u);
}

// The message window's picture damaged in the archive under the running story: one
// line at the switch to full screen, and the story goes on in the new mode.
TEST_F(SettingsRun, APictureDamagedAtAModeChangeIsOneLineAndTheStoryGoesOn) {
    begin();
    replaceMembers("Img.dat", {{"MsgWndMaterial.gpc", "BM damaged"}});
    ASSERT_EQ(ChangeScreenMode(1, 32, CurrentShellState().hWnd), 1);
    EXPECT_EQ(problemLines(),
              Lines{"Error: <ZKSPRITE::ChangeScreenMode> サーフェスの作成に失敗しました"});
    ASSERT_TRUE(runFrames(30));
    EXPECT_EQ(session().mode(), GAME_MODE_ADV);
    EXPECT_EQ(CurrentShellState().settings.fullScreen, 1u);
}
