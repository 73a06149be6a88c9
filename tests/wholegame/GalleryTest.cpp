#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
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

constexpr Point kMenuGallery{403, 511};
constexpr Point kOff{400, 30};
constexpr Point kTabOmbrea{492, 508};
constexpr Point kNext{780, 300};
constexpr Point kReplayButton{564, 568};
constexpr Point kBack{724, 568};
constexpr Point kCell1{129, 162};
constexpr Point kReplayCell1{211, 162};
constexpr const char* kMusic = "tmp/bgm02.mus";
constexpr int kWhite = 1;
// EV01, QUIRA's first picture.
constexpr const char* kPicture = "EV01.gpc";

class Gallery : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    CG_MODE_DATA& gallery() { return game().CGModeData; }
    std::int32_t step() { return session().procStep(); }

    // The gallery's page reached from the extras menu, over the menu's music, with
    // QUIRA's first picture and first scene unlocked.
    void standing() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        game().dwCGFlg[0] = 1;
        game().dwReplayFlg[0] = 1;
        pointAt(kOff);
        enter(GAME_MODE_SPECIAL);
        ASSERT_TRUE(runUntil([&] { return step() == 2; }, 120));
        ASSERT_TRUE(clickAt(kMenuGallery));
        ASSERT_TRUE(runUntil([&] { return session().mode() == GAME_MODE_CG && step() == 2; }, 300));
        pointAt(kOff);
        ASSERT_TRUE(runFrames(1));
    }
    bool reach(std::int32_t nStep, int nFrames = 120) {
        return runUntil([&] { return step() == nStep; }, nFrames);
    }
    // A fade that starts as the step is entered: its length, with the settings tried
    // on every frame and refused.
    std::uint32_t fadeUntil(std::int32_t nStep) {
        const std::uint32_t start = game().dwNowTime;
        while (step() != nStep) {
            EXPECT_EQ(game().nConfigEnableFlg, 0u);
            down(platform::VK_RBUTTON);
            if (!runFrames(1)) return 0;
            up(platform::VK_RBUTTON);
            if (!runFrames(1)) return 0;
            EXPECT_FALSE(step() >= 10) << "settings opened during a fade";
            if (game().dwNowTime - start > 3000) return 0;
        }
        return game().dwNowTime - start;
    }
    Lines errors() {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
    bool loaded(int surface) { return game().pSprite->GetSurface(surface) != nullptr; }
};

// A tab, an arrow and a kind each go through 500 ms to white, a rebuild and 500 ms
// back; a tab or a kind lands on page 1.
TEST_F(Gallery, ChangesGoThroughWhite) {
    standing();
    const struct {
        Point at;
        int chara, kind, page;
    } changes[] = {
        {kNext, 0, 0, 2}, {kTabOmbrea, 2, 0, 1}, {kNext, 2, 0, 2}, {kReplayButton, 2, 1, 1}};
    for (const auto& c : changes) {
        SCOPED_TRACE(c.at.x);
        ASSERT_TRUE(clickAt(c.at));
        ASSERT_EQ(step(), 4);
        EXPECT_EQ(std::tuple(game().FadeGraphData.nIndex, game().FadeGraphData.nDispFlg),
                  std::tuple(kWhite, 1u));
        pointAt(kOff);
        EXPECT_GE(fadeUntil(8), 500u);
        EXPECT_EQ(
            std::tuple(gallery().nChara, gallery().nKind, gallery().nPage, gallery().nSelectId),
            std::tuple(c.chara, c.kind, c.page, 0));
        EXPECT_GE(fadeUntil(2), 500u);
        EXPECT_EQ(std::tuple(game().nConfigEnableFlg, game().FadeGraphData.nDispFlg),
                  std::tuple(1u, 0u));
        EXPECT_EQ(game().pSprite->GetTexture(kWhite), nullptr);
    }
    EXPECT_EQ(std::tuple(gallery().nPageMax, gallery().nPageItemNum), std::tuple(1, 1));
    EXPECT_EQ(errors(), Lines{});
}

// A picture opens and closes through white and is unloaded after it.
TEST_F(Gallery, APictureOpensAndCloses) {
    standing();
    const int surface = gallery().Item[0].nCGSurfNo;
    ASSERT_TRUE(clickAt(kCell1));
    ASSERT_TRUE(reach(5));
    EXPECT_EQ(std::tuple(gallery().nCGDispFlg, gallery().nCGSurfNo), std::tuple(1, surface));
    EXPECT_TRUE(loaded(surface));
    ASSERT_TRUE(reach(6));
    ASSERT_TRUE(runFrames(3));
    EXPECT_EQ(step(), 6);
    ASSERT_TRUE(release(platform::VK_LBUTTON));
    EXPECT_EQ(step(), 7);
    ASSERT_TRUE(reach(8));
    EXPECT_EQ(gallery().nCGDispFlg, 0);
    EXPECT_FALSE(loaded(surface));
    ASSERT_TRUE(reach(2));
    EXPECT_EQ(errors(), Lines{});
}

// A picture that cannot be loaded is told once, and the page comes back.
TEST_F(Gallery, APictureThatCannotBeLoadedGivesThePageBack) {
    standing();
    replaceMembers("Img.dat", {{kPicture, "damaged"}});
    ASSERT_TRUE(clickAt(kCell1));
    ASSERT_TRUE(reach(8));
    ASSERT_TRUE(reach(2));
    EXPECT_EQ(gallery().nCGDispFlg, 0);
    const Lines lines = errors();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "Error: <GAMEMAIN::CGModeProc> 画像のロードに失敗しました"),
              1);
    EXPECT_EQ(game().nConfigEnableFlg, 1u);
}

// A scene: black, its script handed over, the music gone, then the recollection.
TEST_F(Gallery, ASceneLeavesForTheRecollection) {
    standing();
    ASSERT_TRUE(clickAt(kReplayButton));
    ASSERT_TRUE(reach(2, 200));
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(clickAt(kReplayCell1));
    ASSERT_EQ(step(), 3);
    EXPECT_EQ(game().FadeGraphData.nIndex, 0);
    const std::uint32_t start = game().dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_CG; }, 100));
    EXPECT_GE(game().dwNowTime - start, 500u);
    EXPECT_EQ(std::tuple(session().mode(), session().previousMode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_RECURDO),
                         static_cast<std::int32_t>(GAME_MODE_CG), 0));
    EXPECT_EQ(std::string(gallery().szRecurdoFile), "Q01.spt");
    EXPECT_EQ(sounds.stops(platform::AudioBus::Music), 1);
    EXPECT_LT(game().pSnd->DAGetState(1), 0) << "unloaded";
    EXPECT_EQ(errors(), Lines{});
}

// Back: black, the menu with its music still playing and the gallery released.
TEST_F(Gallery, BackToTheMenuKeepsItsMusic) {
    standing();
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(clickAt(kBack));
    ASSERT_EQ(step(), 3);
    const std::uint32_t start = game().dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_CG; }, 100));
    EXPECT_GE(game().dwNowTime - start, 500u);
    EXPECT_EQ(std::tuple(session().mode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_SPECIAL), 0));
    EXPECT_EQ(std::tuple(gallery().nInitFlg, gallery().nChara), std::tuple(0, -1));
    EXPECT_FALSE(loaded(31));
    EXPECT_EQ(sounds.stops(platform::AudioBus::Music), 0);
    EXPECT_GE(game().pSnd->DAGetState(1), 0);
    ASSERT_TRUE(runUntil([&] { return step() == 2; }, 200));
    EXPECT_EQ(errors(), Lines{});
}

// The settings' way to the title: 1000 ms of black, then the title with nothing
// loaded but the black and no music.
TEST_F(Gallery, TheSettingsReturnToTheTitle) {
    standing();
    GAMEMAIN& g = game();
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(11));
    ASSERT_TRUE(answerReturnToTitle());
    ASSERT_TRUE(reach(14));
    const std::uint32_t start = g.dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_CG; }, 100));
    EXPECT_GE(g.dwNowTime - start, 1000u);
    EXPECT_EQ(session().mode(), static_cast<std::int32_t>(GAME_MODE_TITLE));
    EXPECT_EQ(gallery().nInitFlg, 0);
    EXPECT_LT(g.pSnd->DAGetState(1), 0);
    EXPECT_NE(g.pSprite->GetTexture(0), nullptr);
    for (int i = 1; i < g.pSprite->GetTextureCount(); ++i) {
        EXPECT_EQ(g.pSprite->GetTexture(i), nullptr) << "texture " << i;
    }
    for (int i = 0; i < g.pSprite->GetSurfaceCount(); ++i) {
        EXPECT_EQ(g.pSprite->GetSurface(i), nullptr) << "surface " << i;
    }
    EXPECT_EQ(errors(), Lines{});
}

// Back from a scene: the place kept, 1000 ms from black, and the menu's music again.
TEST_F(Gallery, BackFromASceneFadesInAndStartsTheMusic) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    GAMEMAIN& g = game();
    const GALLERY_WORDS words = GALLERY_WORDS::From(g.dwCGFlg, g.dwReplayFlg);
    ASSERT_EQ(gallery().Initialize(&g.Context, words), 1);
    gallery().nChara = 2;
    gallery().nKind = 1;
    gallery().CountPages();
    gallery().ReleaseFromRecuerdo();
    ASSERT_EQ(gallery().InitializeFromRecuerdo(&g.Context, words), 1);
    ASSERT_EQ(TextureLoad(g.pSprite, g.pSystem, 0, 0, 0), 1);
    g.ShowOverlay(1.0f);
    zktest::SoundEventLog sounds;
    pointAt(kOff);
    enter(GAME_MODE_CG, 9);
    ASSERT_TRUE(runFrames(1));
    const std::uint32_t start = g.dwNowTime;
    ASSERT_TRUE(reach(2));
    EXPECT_GE(g.dwNowTime - start, 1000u);
    EXPECT_EQ(sounds.plays(kMusic, platform::AudioBus::Music), 1);
    EXPECT_EQ(std::tuple(gallery().nChara, gallery().nKind, g.nConfigEnableFlg),
              std::tuple(2, 1, 1u));
    EXPECT_EQ(errors(), Lines{});
}

// The demo's extras input over the demo's system save: QUIRA's first CG page, a
// picture, the second page by the arrow keys and Return, OMBREA's pages, a scene from
// each of her and QUIRA's REPLAY pages, and back.
TEST_F(Gallery, TheDemoRunVisitsTheGallery) {
    useSystemSave(zktest::DemoData::SystemSave());
    std::string error;
    const auto script = autoplay::InputScript::Parse(
        zktest::ReadFileBytes(zktest::DemoData::SourceDir() + "/extras.txt"), error);
    ASSERT_TRUE(script) << error;
    std::vector<std::tuple<int, int, int>> pages;
    bool bPictureShown = false;
    autoplay::RunSettings settings;
    settings.frames = script->frames.value_or(600);
    settings.outDir = (session().folder() / "out").string();
    settings.afterStep = [&] {
        if (session().mode() != GAME_MODE_CG) return;
        bPictureShown = bPictureShown || gallery().nCGDispFlg == 1;
        if (step() != 2) return;
        const std::tuple now{gallery().nChara, gallery().nKind, gallery().nPage};
        if (pages.empty() || pages.back() != now) pages.push_back(now);
    };
    const autoplay::RunOutcome outcome = autoplay::InputRunner::Run(session(), *script, settings);
    EXPECT_EQ(outcome.exitCode, autoplay::RunOutcome::kDone) << outcome.reason;
    EXPECT_EQ(pages, (std::vector<std::tuple<int, int, int>>{
                         {0, 0, 1}, {0, 0, 2}, {2, 0, 1}, {2, 1, 1}, {0, 1, 1}}));
    EXPECT_TRUE(bPictureShown);
    EXPECT_EQ(errors(), Lines{});
}

}  // namespace
