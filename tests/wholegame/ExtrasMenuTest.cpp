#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"
#include "windows/ConfigControls.h"

namespace {

using Lines = std::vector<std::string>;

struct Point {
    int x;
    int y;
};

// The objects' centres, where the arrow keys put the pointer.
constexpr Point kGallery{403, 511};
constexpr Point kMusicRoom{631, 397};
constexpr Point kTitle{400, 135};
constexpr Point kDressRoom{150, 422};
// Clear of every object.
constexpr Point kOff{750, 50};
constexpr const char* kMusic = "tmp/bgm02.mus";

class ExtrasMenu : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::int32_t step() { return session().procStep(); }

    // Mode 4 entered right after boot, in its opening fade; with bCleared an ending
    // has been reached.
    void begin(bool bCleared = false) {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        game().nGameClearFlg = bCleared ? 1 : 0;
        pointAt(kOff);
        enter(GAME_MODE_SPECIAL);
        ASSERT_TRUE(runFrames(1));
        ASSERT_EQ(step(), 1);
        enteredAt = game().dwNowTime;
    }
    // The menu standing after its opening fade.
    void standing(bool bCleared = false) {
        begin(bCleared);
        ASSERT_TRUE(reach(2));
    }
    bool reach(std::int32_t nStep, int nFrames = 120) {
        return runUntil([&] { return step() == nStep; }, nFrames);
    }
    // The three ways to the settings screen.
    enum Opener { Right, KeyC, MenuSettings };
    bool open(Opener opener) {
        if (opener == Right) return release(platform::VK_RBUTTON);
        if (opener == KeyC) return release('C');
        menu(autoplay::MenuItem::Settings);
        return runFrames(1);
    }
    // Every slot is empty but the overlay's black.
    void expectOnlyBlack() {
        EXPECT_NE(game().pSprite->GetTexture(0), nullptr);
        for (int i = 1; i < game().pSprite->GetTextureCount(); ++i) {
            EXPECT_EQ(game().pSprite->GetTexture(i), nullptr) << "texture " << i;
        }
        for (int i = 0; i < game().pSprite->GetSurfaceCount(); ++i) {
            EXPECT_EQ(game().pSprite->GetSurface(i), nullptr) << "surface " << i;
        }
        for (int i = 2; i < GAMEMAIN::kWaveSlots; ++i) {
            EXPECT_LT(game().pSnd->DAGetState(i), 0) << "effect " << i;
        }
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

// Until the 500 ms fade has ended, no opener and no click does anything.
TEST_F(ExtrasMenu, TheOpeningFadeIgnoresInput) {
    begin();
    EXPECT_EQ(game().nConfigEnableFlg, 0u);
    for (const Opener opener : {Right, KeyC, MenuSettings}) ASSERT_TRUE(open(opener));
    ASSERT_TRUE(clickAt(kGallery));
    EXPECT_EQ(step(), 1);
    EXPECT_EQ(std::tuple(game().ConfigData.nInitFlg, game().SpecialData.nCursorId),
              std::tuple(0u, 0));
    ASSERT_TRUE(reach(2));
    EXPECT_GE(game().dwNowTime - enteredAt, 500u);
    EXPECT_EQ(std::tuple(game().nSaveEnableFlg, game().nLoadEnableFlg, game().nConfigEnableFlg,
                         game().FadeGraphData.nDispFlg),
              std::tuple(0u, 0u, 1u, 0u))
        << "only the settings are offered in the menu";
    EXPECT_EQ(game().pSprite->GetTexture(0), nullptr) << "the black goes with the fade";
    EXPECT_EQ(errors(), Lines{});
}

// A choice pauses a second with input ignored, fades for half a second, then leaves
// for its mode; only the gallery keeps the menu's music.
TEST_F(ExtrasMenu, EachChoiceLeavesForItsMode) {
    const struct {
        Point at;
        std::int32_t mode;
        bool bKeepsMusic;
    } cases[] = {
        {kGallery, GAME_MODE_CG, true},
        {kMusicRoom, GAME_MODE_BGM, false},
        {kTitle, GAME_MODE_TITLE, false},
        {kDressRoom, GAME_MODE_DRESS_ROOM, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        standing(true);
        zktest::SoundEventLog sounds;
        ASSERT_TRUE(clickAt(c.at));
        ASSERT_EQ(step(), 3);
        const std::uint32_t chosen = game().dwNowTime;
        const std::int32_t nChosen = game().SpecialData.nCursorId;
        EXPECT_EQ(game().nConfigEnableFlg, 0u);
        ASSERT_TRUE(open(Right));
        ASSERT_TRUE(open(KeyC));
        ASSERT_TRUE(clickAt(c.at.x == kTitle.x ? kGallery : kTitle));
        EXPECT_EQ(std::tuple(step(), game().ConfigData.nInitFlg, game().SpecialData.nCursorId),
                  std::tuple(3, 0u, nChosen));
        ASSERT_TRUE(reach(4));
        EXPECT_GE(game().dwNowTime - chosen, 1000u);
        EXPECT_EQ(game().SpecialData.nPictureFlg[SPECIAL_DATA::kTitle - 1],
                  SPECIAL_DATA::kTitlePictureShown);
        ASSERT_TRUE(
            runUntil([&] { return session().mode() != GAME_MODE_SPECIAL || step() != 4; }, 120));
        EXPECT_GE(game().dwNowTime - chosen, 1500u);
        EXPECT_EQ(std::tuple(session().mode(), session().previousMode(), step()),
                  std::tuple(c.mode, static_cast<std::int32_t>(GAME_MODE_SPECIAL), 0));
        EXPECT_EQ(std::tuple(game().SpecialData.nInitFlg, game().FadeGraphData.nDispFlg,
                             game().FadeGraphData.fAlpha),
                  std::tuple(0u, 1u, 1.0f));
        EXPECT_EQ(sounds.stops(platform::AudioBus::Music), c.bKeepsMusic ? 0 : 1);
        EXPECT_EQ(game().pSnd->DAGetState(1) >= 0, c.bKeepsMusic);
        expectOnlyBlack();
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// The right button, 'C' and the menu's Settings each open the screen; its quick apply
// closes it back to the menu.
TEST_F(ExtrasMenu, TheSettingsOpenAndCloseBackToTheMenu) {
    for (const Opener opener : {Right, KeyC, MenuSettings}) {
        SCOPED_TRACE(opener);
        standing();
        ASSERT_TRUE(open(opener));
        ASSERT_TRUE(reach(6));
        EXPECT_EQ(game().ConfigData.nInitFlg, 1u);
        ASSERT_TRUE(release(platform::VK_RBUTTON));
        ASSERT_TRUE(reach(2));
        EXPECT_EQ(game().ConfigData.nInitFlg, 0u);
        EXPECT_EQ(session().mode(), GAME_MODE_SPECIAL);
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// Openers in one frame open the screen once, and the menu does not take that frame's
// click on an object.
TEST_F(ExtrasMenu, OpenersInOneFrameOpenOnceBeforeTheMenu) {
    standing();
    zktest::SoundEventLog sounds;
    for (const int key : {int{platform::VK_RBUTTON}, int{'C'}, int{platform::VK_LBUTTON}})
        down(key);
    ASSERT_TRUE(runFrames(1));
    pointAt(kGallery);
    for (const int key : {int{platform::VK_RBUTTON}, int{'C'}, int{platform::VK_LBUTTON}}) up(key);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(std::tuple(step(), game().SpecialData.nCursorId), std::tuple(5, 0));
    ASSERT_TRUE(reach(6));
    EXPECT_EQ(game().SpecialData.nCursorId, 0);
    EXPECT_EQ(errors(), Lines{});
}

// The settings' return to the title ends whatever the story had left: the scene, the
// characters' love, the music and every slot but the black.
TEST_F(ExtrasMenu, TheSettingsReturnToTheTitle) {
    standing();
    GAMEMAIN& g = game();
    std::int32_t quira = -1;
    ASSERT_EQ(g.IDSerch("QUIRA", 4, &quira), 1u);
    g.pCharData[quira].nLoveValue = 7;
    for (GRAPHIC_DATA* layer :
         {static_cast<GRAPHIC_DATA*>(&g.PRIM1), static_cast<GRAPHIC_DATA*>(&g.PRIM2),
          &g.BGGraphData1, &g.BGGraphData2}) {
        layer->nDispFlg = 1;
    }
    ASSERT_TRUE(open(Right));
    ASSERT_TRUE(reach(6));
    ASSERT_TRUE(answerReturnToTitle());
    ASSERT_TRUE(reach(9));
    EXPECT_EQ(g.ConfigData.nDispFlg, 0u) << "the panel has slid away before the fade";
    const std::uint32_t start = g.dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_SPECIAL; }, 100));
    EXPECT_GE(g.dwNowTime - start, 1000u);
    EXPECT_EQ(std::tuple(session().mode(), session().previousMode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_TITLE),
                         static_cast<std::int32_t>(GAME_MODE_SPECIAL), 0));
    EXPECT_EQ(std::tuple(g.SpecialData.nInitFlg, g.ConfigData.nInitFlg), std::tuple(0u, 0u));
    EXPECT_EQ(g.pCharData[quira].nLoveValue, 0);
    EXPECT_EQ(std::tuple(g.PRIM1.nDispFlg, g.PRIM2.nDispFlg, g.BGGraphData1.nDispFlg,
                         g.BGGraphData2.nDispFlg),
              std::tuple(0u, 0u, 0u, 0u));
    EXPECT_LT(g.pSnd->DAGetState(1), 0) << "the music stopped and unloaded";
    expectOnlyBlack();
    EXPECT_EQ(errors(), Lines{});
}

// A menu whose pictures cannot be loaded ends the game with its line; music that
// cannot play is told, and the menu goes on without it.
TEST_F(ExtrasMenu, SetUpFailures) {
    const struct {
        const char* archive;
        const char* member;
        std::string line;
        bool bGoesOn;
    } cases[] = {
        {"Img.dat", "SpecialBack.gpc", "呼び出したSPECIAL_DATA::Initializeが失敗しました", false},
        {"AU.dat", "bgm02.mus", "BGMの再生に失敗しました", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.member);
        ASSERT_TRUE(start());
        replaceMembers(c.archive, {{c.member, "damaged"}});
        ASSERT_TRUE(runFrames(1));
        enter(GAME_MODE_SPECIAL);
        EXPECT_EQ(runFrames(3), c.bGoesOn);
        const Lines lines = errors();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Error: <GAMEMAIN::SpecialProc> " + c.line),
                  lines.end());
        if (c.bGoesOn) {
            EXPECT_EQ(game().SpecialData.nInitFlg, 1u);
        }
        TearDown();
    }
}

// The overlay's black reloaded for the leaving fade: without it the game ends.
TEST_F(ExtrasMenu, ABlackThatCannotBeLoadedAtTheChoiceEndsTheGame) {
    standing();
    replaceMembers("Img.dat", {{"black.gpc", "damaged"}});
    EXPECT_FALSE(clickAt(kTitle) && runFrames(40)) << "the game ended";
    const Lines lines = errors();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Error: <GAMEMAIN::SpecialProc> 呼び出したTextureLoadが失敗しました"),
              lines.end());
}

// The title's extras item opens the menu over its music; the menu's title object
// leads back to the title's intro.
TEST_F(ExtrasMenu, FromTheTitleAndBack) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    pointAt(kOff);
    enter(GAME_MODE_TITLE);
    ASSERT_TRUE(runFrames(1));
    ASSERT_TRUE(release(platform::VK_LBUTTON));
    ASSERT_TRUE(reach(10));
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(clickAt({400, 460}));
    ASSERT_TRUE(
        runUntil([&] { return session().mode() == GAME_MODE_SPECIAL && step() == 1; }, 200));
    EXPECT_EQ(std::tuple(game().nSaveEnableFlg, game().nLoadEnableFlg, game().nConfigEnableFlg),
              std::tuple(0u, 0u, 0u))
        << "the title's load and settings are withdrawn during the opening fade";
    ASSERT_TRUE(reach(2));
    EXPECT_EQ(sounds.plays(kMusic, platform::AudioBus::Music), 1);
    EXPECT_GE(game().pSnd->DAGetState(1), 0);
    ASSERT_TRUE(clickAt(kTitle));
    ASSERT_TRUE(runUntil([&] { return session().mode() == GAME_MODE_TITLE; }, 200));
    ASSERT_TRUE(reach(1));
    EXPECT_EQ(session().previousMode(), GAME_MODE_SPECIAL);
    EXPECT_EQ(errors(), Lines{});
}

}  // namespace
