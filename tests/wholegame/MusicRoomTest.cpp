#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"
#include "windows/ConfigControls.h"

namespace {

using Lines = std::vector<std::string>;

struct Point {
    int x;
    int y;
};

constexpr Point kExit{724, 559};
constexpr Point kOff{400, 30};
// The row of track n in the left column.
constexpr Point Row(int track) { return {192, 101 + 40 * (track - 1)}; }

class MusicRoom : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    BGM_DATA& room() { return game().BGMData; }
    std::int32_t step() { return session().procStep(); }

    // Mode 8 entered right after boot, in its opening fade.
    void begin() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        pointAt(kOff);
        // The room puts up its own black to fade from, whatever lay over the frame.
        game().FadeGraphData.nDispFlg = 0;
        enter(GAME_MODE_BGM);
        ASSERT_TRUE(runFrames(1));
        ASSERT_EQ(step(), 1);
        ASSERT_EQ(std::pair(game().FadeGraphData.nDispFlg, game().FadeGraphData.fAlpha),
                  std::pair(1u, 1.0f));
        enteredAt = game().dwNowTime;
    }
    void standing() {
        begin();
        ASSERT_TRUE(reach(2));
    }
    bool reach(std::int32_t nStep, int nFrames = 120) {
        return runUntil([&] { return step() == nStep; }, nFrames);
    }
    // Every input that could act: the three settings openers and a click on a row.
    bool tryEverything() {
        if (!release(platform::VK_RBUTTON) || !release('C')) return false;
        menu(autoplay::MenuItem::Settings);
        return runFrames(1) && clickAt(Row(3));
    }
    bool holds(const std::string& line) {
        const Lines lines = logTexts();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    Lines errors() {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }

    std::uint32_t enteredAt = 0;
};

// Until the opening fade has ended, and again from Exit on, no opener and no click does
// anything; the room starts no music of its own, and track 1 is selected.
TEST_F(MusicRoom, TheFadesIgnoreInput) {
    begin();
    EXPECT_EQ(std::tuple(room().nInitFlg, room().nSelectNo, game().nConfigEnableFlg),
              std::tuple(1u, 1, 0u));
    EXPECT_LT(game().pSnd->DAGetState(1), 0) << "no music of the room's own";
    ASSERT_TRUE(tryEverything());
    EXPECT_EQ(std::tuple(step(), game().ConfigData.nInitFlg, room().nSelectNo, room().nSelectId),
              std::tuple(1, 0u, 1, 0));
    ASSERT_TRUE(reach(2));
    EXPECT_GE(game().dwNowTime - enteredAt, 500u);
    EXPECT_EQ(game().nConfigEnableFlg, 1u);

    ASSERT_TRUE(clickAt(kExit));
    ASSERT_EQ(step(), 3);
    const std::uint32_t left = game().dwNowTime;
    EXPECT_EQ(game().nConfigEnableFlg, 0u);
    ASSERT_TRUE(tryEverything());
    EXPECT_EQ(std::tuple(step(), game().ConfigData.nInitFlg, room().nSelectNo),
              std::tuple(3, 0u, 1));
    EXPECT_LT(game().pSnd->DAGetState(1), 0);
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_BGM; }, 60));
    EXPECT_GE(game().dwNowTime - left, 500u);
    EXPECT_EQ(errors(), Lines{}) << "the boot and the room log no error";
}

// Exit while a track plays: after the fade, the menu's step 0 finds the room's music,
// pictures and effects gone, and starts its own music.
TEST_F(MusicRoom, ExitWhileATrackPlaysReturnsToTheMenu) {
    standing();
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(clickAt(Row(2)));
    EXPECT_EQ(sounds.plays("tmp/bgm02.mus", platform::AudioBus::Music), 1);
    ASSERT_EQ(game().pSnd->DAGetState(1), 0);
    ASSERT_TRUE(clickAt(kExit));
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_BGM; }, 60));
    EXPECT_EQ(std::tuple(session().mode(), session().previousMode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_SPECIAL),
                         static_cast<std::int32_t>(GAME_MODE_BGM), 0));
    EXPECT_EQ(
        std::tuple(room().nInitFlg, game().FadeGraphData.nDispFlg, game().FadeGraphData.fAlpha),
        std::tuple(0u, 1u, 1.0f));
    EXPECT_LT(game().pSnd->DAGetState(1), 0) << "stopped and unloaded";
    for (const int surface : {23, 24}) {
        EXPECT_EQ(game().pSprite->GetSurface(surface), nullptr) << surface;
    }
    for (const int effect : {4, 5, 6}) EXPECT_LT(game().pSnd->DAGetState(effect), 0) << effect;
    EXPECT_NE(game().pSprite->GetTexture(0), nullptr);
    ASSERT_TRUE(reach(2));
    EXPECT_EQ(sounds.plays("tmp/bgm02.mus", platform::AudioBus::Music), 2)
        << "the menu's own music";
    EXPECT_EQ(errors(), Lines{});
}

// A track keeps playing under the settings screen; its end is acted on in the first
// standby frame after the screen has closed.
TEST_F(MusicRoom, ATrackEndingUnderTheSettingsAdvancesOnceTheyClose) {
    standing();
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(clickAt(Row(1)));
    ASSERT_EQ(room().nPlayingFlg, 1);
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(5));
    ASSERT_TRUE(runUntil([&] { return game().pSnd->DAGetState(1) == 2; }, 400));
    ASSERT_TRUE(runFrames(5));
    EXPECT_EQ(std::tuple(step(), room().nSelectNo), std::tuple(5, 1));
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(2));
    EXPECT_EQ(room().nSelectNo, 1);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(room().nSelectNo, 2);
    EXPECT_EQ(sounds.plays("tmp/bgm02.mus", platform::AudioBus::Music), 1);
    EXPECT_EQ(errors(), Lines{});
}

// The settings' return to the title ends the room and whatever the story left: every
// slot empty but the black, no music.
TEST_F(MusicRoom, TheSettingsReturnToTheTitle) {
    standing();
    GAMEMAIN& g = game();
    std::int32_t quira = -1;
    ASSERT_EQ(g.IDSerch("QUIRA", 4, &quira), 1u);
    g.pCharData[quira].nLoveValue = 7;
    ASSERT_TRUE(clickAt(Row(4)));
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(5));
    ASSERT_TRUE(answerReturnToTitle());
    ASSERT_TRUE(reach(8));
    const std::uint32_t start = g.dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_BGM; }, 100));
    EXPECT_GE(g.dwNowTime - start, 1000u);
    EXPECT_EQ(std::tuple(session().mode(), session().previousMode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_TITLE),
                         static_cast<std::int32_t>(GAME_MODE_BGM), 0));
    EXPECT_EQ(std::tuple(room().nInitFlg, g.ConfigData.nInitFlg), std::tuple(0u, 0u));
    EXPECT_LT(g.pSnd->DAGetState(1), 0) << "the music stopped and unloaded";
    EXPECT_EQ(g.pCharData[quira].nLoveValue, 0) << "the characters are reset";
    EXPECT_NE(g.pSprite->GetTexture(0), nullptr);
    for (int i = 1; i < g.pSprite->GetTextureCount(); ++i) {
        EXPECT_EQ(g.pSprite->GetTexture(i), nullptr) << "texture " << i;
    }
    for (int i = 0; i < g.pSprite->GetSurfaceCount(); ++i) {
        EXPECT_EQ(g.pSprite->GetSurface(i), nullptr) << "surface " << i;
    }
    for (int i = 2; i < GAMEMAIN::kWaveSlots; ++i) {
        EXPECT_LT(g.pSnd->DAGetState(i), 0) << "effect " << i;
    }
    EXPECT_EQ(errors(), Lines{});
}

// Failures of the room end the game with the mode's line.
TEST_F(MusicRoom, FailuresEndTheGameWithTheirLine) {
    const struct {
        const char* archive;
        const char* member;
        bool bAtStart;
        std::string line;
    } cases[] = {
        {"Img.dat", "BGMModeMaterial.gpc", true, "BGMモードクラスの初期化に失敗しました"},
        {"AU.dat", "bgm03.mus", false, "呼び出したBGM_DATA::BGMStandbyが失敗しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.member);
        ASSERT_TRUE(start());
        replaceMembers(c.archive, {{c.member, "damaged"}});
        ASSERT_TRUE(runFrames(1));
        pointAt(kOff);
        enter(GAME_MODE_BGM);
        if (c.bAtStart) {
            EXPECT_FALSE(runFrames(1));
        } else {
            ASSERT_TRUE(reach(2));
            EXPECT_FALSE(clickAt(Row(3)));
            EXPECT_EQ(room().nSelectNo, 3);
        }
        EXPECT_TRUE(holds("Error: <GAMEMAIN::BGMModeMainProc> " + c.line));
        TearDown();
    }
}

// The demo's extras input visits the room over the demo's system save: track 17 by
// its row, track 18 after it by itself, then Stop by the arrow keys and Return.
TEST_F(MusicRoom, TheDemoRunPlaysTwoTracksAndStops) {
    useSystemSave(zktest::DemoData::SystemSave());
    std::string error;
    const auto script = autoplay::InputScript::Parse(
        zktest::ReadFileBytes(zktest::DemoData::SourceDir() + "/extras.txt"), error);
    ASSERT_TRUE(script) << error;
    std::vector<std::pair<int, int>> seen;
    autoplay::RunSettings settings;
    settings.frames = script->frames.value_or(600);
    settings.outDir = (session().folder() / "out").string();
    settings.afterStep = [&] {
        if (session().mode() != GAME_MODE_BGM || step() != 2) return;
        const std::pair now{room().nSelectNo, room().nPlayReqFlg};
        if (seen.empty() || seen.back() != now) seen.push_back(now);
    };
    zktest::SoundEventLog sounds;
    const autoplay::RunOutcome outcome = autoplay::InputRunner::Run(session(), *script, settings);
    EXPECT_EQ(outcome.exitCode, autoplay::RunOutcome::kDone) << outcome.reason;
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 0}, {17, 1}, {18, 1}, {18, 0}}));
    for (const char* track : {"tmp/bgm17.mus", "tmp/bgm18.mus"}) {
        EXPECT_EQ(sounds.plays(track, platform::AudioBus::Music), 1) << track;
    }
    EXPECT_EQ(errors(), Lines{});
}

}  // namespace
