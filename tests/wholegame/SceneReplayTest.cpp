#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "game/ResourcePlayer.h"
#include "graphics/ZKSPRITE.h"
#include "mkdemo/PicturePainter.h"
#include "platform/input/VirtualKeys.h"
#include "shell/AssetManifest.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"
#include "support/WindowTestBench.h"

namespace {

using Lines = std::vector<std::string>;

struct Point {
    int x;
    int y;
};

constexpr Point kMenuGallery{403, 511};
constexpr Point kReplayKind{564, 568};
constexpr Point kReplayCell1{211, 162};
// The return button with the message window at rest; a click anywhere else that
// only moves the story on.
constexpr Point kReturn{719, 578};
constexpr Point kAside{700, 60};
constexpr const char* kGalleryMusic = "tmp/bgm02.mus";

const std::string kRecurdo = "Error: <GAMEMAIN::RecurdoMainProc> ";
const std::string kHint = "Error: <GAMEMAIN::HintModeMainProc> ";

std::string Effect(int record) {
    return "tmp/" + AssetManifest::Instance().EffectNames().at(static_cast<std::size_t>(record));
}

class SceneReplay : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::int32_t mode() { return session().mode(); }
    std::int32_t step() { return session().procStep(); }
    bool reach(std::int32_t nMode, std::int32_t nStep, int nFrames = 300) {
        return runUntil([&] { return mode() == nMode && step() == nStep; }, nFrames);
    }

    // A script of these lines after its comment line, in place of the demo's.
    void script(const std::string& name, const std::vector<std::u8string>& lines) {
        std::u8string plain = u8"// test\r\n";
        for (const std::u8string& line : lines) plain += line + u8"\r\n";
        replaceScript(name, zktest::Sjis(plain));
    }
    // QUIRA's REPLAY page, reached from the extras menu, with her first scene unlocked.
    void replayPage() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        game().dwReplayFlg[0] = 1;
        pointAt(kAside);
        enter(GAME_MODE_SPECIAL);
        ASSERT_TRUE(reach(GAME_MODE_SPECIAL, 2, 120));
        ASSERT_TRUE(clickAt(kMenuGallery));
        ASSERT_TRUE(reach(GAME_MODE_CG, 2));
        ASSERT_TRUE(clickAt(kReplayKind));
        ASSERT_TRUE(reach(GAME_MODE_CG, 2, 200));
    }
    // The page's first scene clicked, the fade to black run and the scene set up.
    bool playScene() {
        return clickAt(kReplayCell1) &&
               runUntil([&] { return mode() == GAME_MODE_RECURDO; }, 100) && runFrames(1);
    }
    // The demo's scene playing, its window open and at rest.
    void playing() {
        replayPage();
        ASSERT_TRUE(playScene());
        ASSERT_TRUE(reach(GAME_MODE_RECURDO, 2, 10));
        pointAt(kAside);
        const MSG_WINDOW_DATA& window = game().MsgWindowData;
        ASSERT_TRUE(runUntil(
            [&] { return window.nOpenFlg != 0 && window.nSlideFlg == 0 && window.nY == 417; },
            200));
    }
    // The script running in its mode, recollection or hint, its first line typed out
    // and the pointer aside.
    void begin(bool bHint, const std::vector<std::u8string>& lines) {
        script(bHint ? "Hint_Start.spt" : "Q01.spt", lines);
        if (bHint) {
            ASSERT_TRUE(start());
            ASSERT_TRUE(runFrames(1));
            enter(GAME_MODE_HINT);
        } else {
            replayPage();
            ASSERT_TRUE(playScene());
        }
        pointAt(kAside);
        ASSERT_TRUE(runUntil([&] { return shown(u8"一行目"); }, 300));
    }
    // The line typed out whole.
    bool shown(const char8_t* text) { return shows(text) && game().MsgWindowData.nDispByte == -1; }
    // A click that moves the story on.
    bool click() {
        pointAt(kAside);
        return release(platform::VK_LBUTTON);
    }
    bool shows(const char8_t* text) {
        return std::string(game().MsgWindowData.MsgData.szScriptText) == zktest::Sjis(text);
    }
    bool clickUntilShown(const char8_t* text) {
        for (int i = 0; i < 60 && !shows(text); ++i) {
            if (!click() || !runFrames(5)) return false;
        }
        return shows(text);
    }
    Lines errors() const {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
    bool charactersReset() {
        for (std::int32_t i = 0; i < game().nCharNum; ++i) {
            const ZKCHAR& chara = game().pCharData[i];
            if (chara.nLoveValue != 0 || chara.dwEventFlg != 0) return false;
        }
        return true;
    }
    void giveCharactersProgress() {
        for (std::int32_t i = 0; i < game().nCharNum; ++i) {
            game().pCharData[i].nLoveValue = 5;
            game().pCharData[i].dwEventFlg = 3;
        }
    }
    // The fade to black after the scene, then the way back: the gallery's step 9 and
    // its fade to the page.
    void backOnThePage(std::uint32_t dwFadeStart) {
        ASSERT_TRUE(runUntil([&] { return mode() != GAME_MODE_RECURDO; }, 200));
        EXPECT_GE(game().dwNowTime - dwFadeStart, 1000u);
        EXPECT_EQ(std::tuple(mode(), session().previousMode(), step()),
                  std::tuple(GAME_MODE_CG, GAME_MODE_RECURDO, 9));
        EXPECT_EQ(game().FadeGraphData.fAlpha, 1.0f);
        const std::uint32_t dwBack = game().dwNowTime;
        ASSERT_TRUE(reach(GAME_MODE_CG, 2, 200));
        EXPECT_GE(game().dwNowTime - dwBack, 1000u);
        const CG_MODE_DATA& gallery = game().CGModeData;
        EXPECT_EQ(std::tuple(gallery.nInitFlg, gallery.nChara, gallery.nKind, gallery.nPage),
                  std::tuple(1, 0, 1, 1));
    }
};

// A scene of the demo from QUIRA's REPLAY page: it sets its gallery picture again and
// leaves no trace in the story's state.
TEST_F(SceneReplay, ASceneRunsToItsEndAndLeadsBackToItsPage) {
    replayPage();
    GAMEMAIN& g = game();
    g.dwCGFlg[0] &= ~2u;
    giveCharactersProgress();
    const Lines list = [&] {
        Lines names;
        for (const AUTO_SKIP_FILE_DATA& entry : g.AutoSkipFileData)
            names.push_back(entry.szFileName);
        return names;
    }();
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(playScene());
    // The backlog's two buttons start disabled, the others as the window set them up.
    const std::uint32_t kOn = MSG_WINDOW_DATA::kButtonNormal;
    const std::uint32_t kOff = MSG_WINDOW_DATA::kButtonDisable;
    EXPECT_EQ(std::vector<std::uint32_t>(std::begin(g.MsgWindowData.nButtonState),
                                         std::end(g.MsgWindowData.nButtonState)),
              (std::vector<std::uint32_t>{kOn, kOn, kOn, kOff, kOff, kOn}));
    // The 1 ms fade starts in mode 6's second frame and ends in its third, which draws
    // the scene without the overlay.
    EXPECT_EQ(step(), 1);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(std::pair(step(), g.FadeGraphData.nDispFlg), std::pair(1, 1u));
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(g.FadeGraphData.nDispFlg, 0u);
    EXPECT_EQ((std::vector<std::uint32_t>{g.nSaveEnableFlg, g.nLoadEnableFlg, g.nConfigEnableFlg,
                                          g.nHelpEnableFlg}),
              std::vector<std::uint32_t>(4, 1u));
    EXPECT_STREQ(g.ScrFileData.szFileName, "Q01.spt");
    EXPECT_EQ(std::pair(g.nScrSkipEnableFlg, g.nScrSkipLine), std::pair(1u, -1));

    bool bChose = false;
    for (int i = 0; i < 100 && step() == 2; ++i) {
        const SELECT_WINDOW_DATA& plate = g.SelectWindowData.SlcWnd[0];
        if (plate.nDispFlg != 0 && plate.nClickFlg == 1) {
            ASSERT_TRUE(clickAt(Point{plate.nCenterX, plate.nCenterY}));
            bChose = true;
        }
        ASSERT_TRUE(click());
        ASSERT_TRUE(runFrames(10));
    }
    EXPECT_TRUE(bChose);
    ASSERT_EQ(step(), 6);
    backOnThePage(g.dwProcStartTime);
    EXPECT_GE(sounds.plays(kGalleryMusic, platform::AudioBus::Music), 1);
    EXPECT_NE(g.dwCGFlg[0] & 2u, 0u);
    EXPECT_TRUE(charactersReset());
    Lines after;
    for (const AUTO_SKIP_FILE_DATA& entry : g.AutoSkipFileData) after.push_back(entry.szFileName);
    EXPECT_EQ(after, list);
    EXPECT_FALSE(std::filesystem::exists(session().folder() / "tmp/Q01.spt"));
    EXPECT_EQ(errors(), Lines{});
}

// The button ends the scene mid-line; it is hit only where it is drawn, on the open
// window, not on the window resting before it opens or after an instant close.
TEST_F(SceneReplay, TheReturnButtonEndsTheSceneOnlyWhereItIsDrawn) {
    const struct {
        const char* name;
        std::vector<std::u8string> lines;
        // A line read before the window rests closed, or none.
        const char8_t* before;
    } scenes[] = {
        {"before the window opens",
         {u8"#TimeWait 3000", u8"#MsgWndOpen SLIDE 20", u8"#MsgDisp NULL 二行目", u8"#EndScript"},
         nullptr},
        {"after an instant close",
         {u8"#MsgWndOpen SLIDE 20", u8"#MsgDisp NULL 一行目", u8"#MsgWndClose INSTANT",
          u8"#TimeWait 3000", u8"#MsgWndOpen SLIDE 20", u8"#MsgDisp NULL 二行目", u8"#EndScript"},
         u8"一行目"},
    };
    for (const auto& scene : scenes) {
        SCOPED_TRACE(scene.name);
        script("Q01.spt", scene.lines);
        replayPage();
        ASSERT_TRUE(playScene());
        ASSERT_TRUE(reach(GAME_MODE_RECURDO, 2, 10));
        if (scene.before != nullptr) {
            ASSERT_TRUE(clickUntilShown(scene.before));
            for (int i = 0; i < 10 && game().MsgWindowData.nOpenFlg != 0; ++i) {
                ASSERT_TRUE(click());
                ASSERT_TRUE(runFrames(5));
            }
        }
        ASSERT_TRUE(runFrames(10));
        EXPECT_EQ(std::pair(game().MsgWindowData.nY, game().MsgWindowData.nOpenFlg),
                  std::pair(417, 0u));
        zktest::SoundEventLog sounds;
        ASSERT_TRUE(clickAt(kReturn));
        ASSERT_TRUE(runFrames(2));
        EXPECT_EQ(step(), 2);
        EXPECT_EQ(sounds.plays(Effect(4), platform::AudioBus::Effects), 0);
        EXPECT_EQ(sounds.plays(Effect(6), platform::AudioBus::Effects), 0);

        ASSERT_TRUE(runUntil([&] { return shows(u8"二行目"); }, 300));
        ASSERT_TRUE(clickAt(kReturn));
        EXPECT_EQ(step(), 6);
        EXPECT_EQ(sounds.plays(Effect(6), platform::AudioBus::Effects), 1);
        EXPECT_EQ(game().nConfigEnableFlg, 0u);
        backOnThePage(game().dwProcStartTime);
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

const std::vector<std::u8string> kChoiceScene = {
    u8"#MsgWndOpen SLIDE 40", u8"#MsgDisp NULL 一行目",
    u8"#MsgDisp NULL 二行目", u8"#SelectStart 2 1 あ い",
    u8"#SelectBranch 1 1",    u8"#MsgDisp NULL 一を選んだ",
    u8"#SelectBranch 2 1",    u8"#MsgDisp NULL 二を選んだ",
    u8"#SelectEnd 1",         u8"#EndScript"};

// Space and a click while skipping act in the recollection only; a click on the hidden
// window only shows it.
TEST_F(SceneReplay, SpaceAndTheSkipClickActInTheRecollectionOnly) {
    for (const bool bHint : {false, true}) {
        SCOPED_TRACE(bHint ? "hint" : "recollection");
        begin(bHint, kChoiceScene);
        GAMEMAIN& g = game();
        ASSERT_TRUE(release(platform::VK_SPACE));
        EXPECT_EQ(g.nMsgWndDispFlg, bHint ? 1u : 0u);
        const std::int32_t nLine = g.ScrFileData.nLine;
        if (!bHint) {
            ASSERT_TRUE(click());
            EXPECT_EQ(std::pair(g.nMsgWndDispFlg, g.ScrFileData.nLine), std::pair(1u, nLine));
            ASSERT_TRUE(runFrames(5));
            EXPECT_TRUE(shown(u8"一行目"));
        }
        // Skip turned on between the press and the release; the recollection's click
        // stops it even while the bar is marked in use.
        down(platform::VK_LBUTTON);
        ASSERT_TRUE(runFrames(1));
        g.MsgWindowData.nSkipFlg = 1;
        g.MsgWindowData.nButtonState[MSG_BUTTON_SKIP] = MSG_WINDOW_DATA::kButtonPress;
        g.MsgWindowData.nBarUseFlg = 1;
        up(platform::VK_LBUTTON);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(g.MsgWindowData.nSkipFlg, bHint ? 1u : 0u);
        if (!bHint) {
            EXPECT_EQ(g.MsgWindowData.nButtonState[MSG_BUTTON_SKIP],
                      MSG_WINDOW_DATA::kButtonNormal);
        }
        g.MsgWindowData.nBarUseFlg = 0;
        if (!bHint) {
            ASSERT_TRUE(runFrames(20));
            EXPECT_TRUE(shown(u8"一行目"));
        }
        EXPECT_EQ(g.RecurdoData.nInitFlg, bHint ? 0u : 1u);
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// A scene counts as read throughout: with skip on, a first visit runs to its end
// without a click.
TEST_F(SceneReplay, SkipRunsThroughAFirstVisit) {
    script("Q01.spt", {u8"#MsgWndOpen SLIDE 40", u8"#MsgDisp NULL 一行目", u8"#MsgDisp NULL 二行目",
                       u8"#MsgDisp NULL 三行目", u8"#EndScript"});
    replayPage();
    ASSERT_TRUE(playScene());
    pointAt(kAside);
    game().MsgWindowData.nSkipFlg = 1;
    EXPECT_TRUE(reach(GAME_MODE_RECURDO, 6, 200));
}

// The right button, 'C' and the strip's Settings open the settings over a scene that
// stands still: no line read, no animation run.
TEST_F(SceneReplay, TheSettingsOpenOverAStillScene) {
    begin(false, kChoiceScene);
    GAMEMAIN& g = game();
    const platform::Rect frame{0, 0, 10, 10};
    g.PRIM1.Set(1, 40, 2, 0, 0, 0, 0);
    for (std::int32_t n = 0; n < 2; ++n) g.PRIM1.AnimationSet(n, 100, &frame, 0);
    // Without a slot the layer animates but draws nothing.
    g.PRIM1.nIndex = -1;
    g.PRIM1.nDispFlg = 1;
    const struct {
        int key;
        bool bMenu;
    } openers[] = {{platform::VK_RBUTTON, false}, {'C', false}, {'C', true}};
    for (const auto& opener : openers) {
        SCOPED_TRACE(std::to_string(opener.key) + (opener.bMenu ? " from the strip" : ""));
        g.MsgWindowData.nBarUseFlg = 0;
        if (opener.bMenu) {
            menu(autoplay::MenuItem::Settings);
            ASSERT_TRUE(runFrames(1));
        } else {
            ASSERT_TRUE(release(opener.key));
        }
        EXPECT_EQ(g.MsgWindowData.nBarUseFlg, 1u);
        ASSERT_TRUE(reach(GAME_MODE_RECURDO, 4, 60));
        const std::int32_t nLine = g.ScrFileData.nLine;
        const std::uint32_t dwAnimated = g.PRIM1.AnimData.dwLastTime;
        ASSERT_TRUE(runFrames(20));
        EXPECT_EQ(std::pair(g.ScrFileData.nLine, g.PRIM1.AnimData.dwLastTime),
                  std::pair(nLine, dwAnimated));
        ASSERT_TRUE(release(opener.key));
        ASSERT_TRUE(reach(GAME_MODE_RECURDO, 2, 60));
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(g.PRIM1.AnimData.dwLastTime, g.dwNowTime);
    }
    EXPECT_TRUE(shown(u8"一行目"));
    EXPECT_EQ(errors(), Lines{});
}

TEST_F(SceneReplay, NoChoiceIsTakenWhileTheBacklogIsBrowsed) {
    begin(false, kChoiceScene);
    GAMEMAIN& g = game();
    ASSERT_TRUE(click());
    ASSERT_TRUE(runUntil([&] { return shown(u8"二行目"); }, 60));
    ASSERT_TRUE(click());
    ASSERT_TRUE(runUntil([&] { return g.SelectWindowData.SlcWnd[1].nClickFlg == 1; }, 200));
    const SELECT_WINDOW_DATA& plate = g.SelectWindowData.SlcWnd[1];
    const Point centre{plate.nCenterX, plate.nCenterY};
    g.MsgWindowData.nBackLogNo = 0;
    ASSERT_TRUE(clickAt(centre));
    EXPECT_EQ(g.SelectWindowData.nSelect, -1);
    g.MsgWindowData.nBackLogNo = -1;
    ASSERT_TRUE(clickAt(centre));
    EXPECT_EQ(g.SelectWindowData.nSelect, 1);
    EXPECT_TRUE(runUntil([&] { return shows(u8"二を選んだ"); }, 200));
}

// A script missing from Scenario.dat ends the game under its mode's tag.
TEST_F(SceneReplay, AMissingScriptEndsTheGame) {
    for (const bool bHint : {false, true}) {
        SCOPED_TRACE(bHint ? "hint" : "recollection");
        const std::string name = bHint ? "Hint_Start.spt" : "Q01.spt";
        const std::string tag = bHint ? kHint : kRecurdo;
        replaceMembers("Scenario.dat", {{name, ""}});
        if (bHint) {
            ASSERT_TRUE(start());
            ASSERT_TRUE(runFrames(1));
            enter(GAME_MODE_HINT);
            EXPECT_FALSE(runFrames(2));
        } else {
            replayPage();
            EXPECT_FALSE(playScene());
        }
        const std::string mode = bHint ? "HintModeMainProc" : "RecurdoMainProc";
        EXPECT_EQ(
            errors(),
            (Lines{"Error: 該当ファイル無し", tag + "取り出すファイルに該当ファイルが存在しません",
                   "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::" + mode + "が失敗しました",
                   "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました"}));
        TearDown();
    }
}

// A command that fails in a scene ends the game under the mode's tag.
TEST_F(SceneReplay, AFailingCommandEndsTheGame) {
    script("Q01.spt", {u8"#FadeIn 100 PURPLE"});
    replayPage();
    ASSERT_TRUE(playScene());
    EXPECT_FALSE(runFrames(10));
    const Lines lines = errors();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ((Lines{lines.end() - 3, lines.end()}),
              (Lines{kRecurdo + "スクリプトの実行に失敗しました",
                     "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::RecurdoMainProcが失敗しました",
                     "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました"}));
}

// An effect that cannot be loaded holds the scene at its set-up with one line; once
// it loads, the scene the gallery handed over starts.
TEST_F(SceneReplay, AMissingEffectHoldsTheSetUpAndTheSameSceneStarts) {
    script("Q01.spt", kChoiceScene);
    replayPage();
    const std::string effect = AssetManifest::Instance().EffectNames().at(4);
    const std::string tone =
        zktest::DemoData::Members(zktest::DemoData::Archive("SE.dat")).at(effect);
    replaceMembers("SE.dat", {{effect, ""}});
    ASSERT_TRUE(playScene());
    ASSERT_TRUE(runFrames(10));
    EXPECT_EQ(std::pair(mode(), step()),
              std::pair(static_cast<std::int32_t>(GAME_MODE_RECURDO), 0));
    const Lines lines = errors();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kRecurdo + "SEのロードに失敗しました"), 1);
    replaceMembers("SE.dat", {{effect, tone}});
    pointAt(kAside);
    ASSERT_TRUE(runUntil([&] { return shown(u8"一行目"); }, 300));
    EXPECT_STREQ(game().ScrFileData.szFileName, "Q01.spt");
}

// A mosaic and wipe strips left standing go with the scene, and a scene set up after
// them starts without them.
TEST_F(SceneReplay, AMosaicAndWipeStripsDoNotOutliveTheScene) {
    begin(false, kChoiceScene);
    GAMEMAIN& g = game();
    const auto leave = [&] {
        g.prcMosaic = std::make_unique<platform::Rect[]>(4);
        g.pdwMosaicColor = std::make_unique<platform::ColorRef[]>(4);
        g.nMosaicCellNum = 4;
        g.nMosaicDispFlg = 1;
        g.ClippingData.nClipNum = 2;
        g.ClippingData.prcClip = std::make_unique<platform::Rect[]>(2);
    };
    const auto cleared = [&] {
        return g.nMosaicDispFlg == 0 && g.prcMosaic == nullptr && g.ClippingData.nClipNum == 0;
    };
    leave();
    ASSERT_TRUE(clickAt(kReturn));
    ASSERT_TRUE(reach(GAME_MODE_CG, 9, 200));
    EXPECT_TRUE(cleared());
    ASSERT_TRUE(reach(GAME_MODE_CG, 2, 200));
    leave();
    ASSERT_TRUE(playScene());
    EXPECT_TRUE(cleared());
}

// Without #EndScript the last screen stays until the return button.
TEST_F(SceneReplay, ASceneWithoutItsEndWaitsForTheReturnButton) {
    begin(false, {u8"#MsgWndOpen SLIDE 40", u8"#MsgDisp NULL 一行目"});
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(click());
        ASSERT_TRUE(runFrames(20));
    }
    EXPECT_EQ(std::pair(mode(), step()),
              std::pair(static_cast<std::int32_t>(GAME_MODE_RECURDO), 2));
    ASSERT_TRUE(clickAt(kReturn));
    backOnThePage(game().dwProcStartTime);
}

// The settings' way to the title: 1000 ms of black, then the title with nothing
// loaded but the black, no music and the characters reset.
TEST_F(SceneReplay, TheSettingsReturnToTheTitleFromAScene) {
    for (const bool bHint : {false, true}) {
        SCOPED_TRACE(bHint ? "hint" : "recollection");
        begin(bHint, {u8"#MsgWndOpen SLIDE 40", u8"#PlayBGM bgm05.mus", u8"#MsgDisp NULL 一行目"});
        GAMEMAIN& g = game();
        giveCharactersProgress();
        ASSERT_TRUE(release(platform::VK_RBUTTON));
        ASSERT_TRUE(reach(bHint ? GAME_MODE_HINT : GAME_MODE_RECURDO, 4, 60));
        ASSERT_TRUE(answerReturnToTitle());
        ASSERT_TRUE(runUntil([&] { return step() == 8; }, 60));
        const std::uint32_t dwStart = g.dwNowTime;
        ASSERT_TRUE(runUntil([&] { return mode() == GAME_MODE_TITLE; }, 100));
        EXPECT_GE(g.dwNowTime - dwStart, 1000u);
        EXPECT_EQ(
            std::pair(session().previousMode(), step()),
            std::pair(static_cast<std::int32_t>(bHint ? GAME_MODE_HINT : GAME_MODE_RECURDO), 0));
        EXPECT_LT(g.pSnd->DAGetState(1), 0);
        EXPECT_NE(g.pSprite->GetTexture(0), nullptr);
        for (int i = 1; i < g.pSprite->GetTextureCount(); ++i) {
            EXPECT_EQ(g.pSprite->GetTexture(i), nullptr) << "texture " << i;
        }
        for (int i = 0; i < g.pSprite->GetSurfaceCount(); ++i) {
            EXPECT_EQ(g.pSprite->GetSurface(i), nullptr) << "surface " << i;
        }
        EXPECT_TRUE(charactersReset());
        EXPECT_EQ(std::pair(g.CGModeData.nInitFlg, g.RecurdoData.nInitFlg), std::pair(0, 0u));
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// The hint script to its end: 500 ms to black, then the extras menu from its start.
TEST_F(SceneReplay, TheHintLeadsToTheExtrasMenu) {
    begin(true, {u8"#MsgWndOpen SLIDE 40", u8"#MsgDisp NULL 一行目", u8"#EndScript"});
    GAMEMAIN& g = game();
    EXPECT_STREQ(g.ScrFileData.szFileName, "Hint_Start.spt");
    ASSERT_TRUE(click());
    ASSERT_TRUE(runUntil([&] { return step() == 6; }, 60));
    const std::uint32_t dwStart = g.dwNowTime;
    ASSERT_TRUE(runUntil([&] { return mode() != GAME_MODE_HINT; }, 100));
    EXPECT_GE(g.dwNowTime - dwStart, 500u);
    EXPECT_LT(g.dwNowTime - dwStart, 1000u);
    EXPECT_EQ(std::tuple(mode(), session().previousMode(), step()),
              std::tuple(GAME_MODE_SPECIAL, GAME_MODE_HINT, 0));
    EXPECT_EQ(g.FadeGraphData.fAlpha, 1.0f);
    ASSERT_TRUE(reach(GAME_MODE_SPECIAL, 2, 200));
    EXPECT_EQ(errors(), Lines{});
}

// The demo's inputs: the extras input plays OMBREA's scene and QUIRA's, the hint
// input the hint script, each to its end and without an error.
TEST_F(SceneReplay, TheDemoInputsPlayTheScenesAndTheHint) {
    const struct {
        const char* input;
        bool bSystemSave;
        Lines scripts;
    } runs[] = {{"extras.txt", true, {"O01.spt", "Q01.spt"}},
                {"hint.txt", false, {"Hint_Start.spt"}}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.input);
        if (run.bSystemSave) useSystemSave(zktest::DemoData::SystemSave());
        std::string error;
        const auto script = autoplay::InputScript::Parse(
            zktest::ReadFileBytes(zktest::DemoData::SourceDir() + "/" + run.input), error);
        ASSERT_TRUE(script) << error;
        Lines scripts;
        autoplay::RunSettings settings;
        settings.frames = script->frames.value_or(600);
        settings.outDir = (session().folder() / "out").string();
        settings.afterStep = [&] {
            const std::string name = game().ScrFileData.szFileName;
            const bool bScene = mode() == GAME_MODE_RECURDO || mode() == GAME_MODE_HINT;
            if (bScene && !name.empty() && (scripts.empty() || scripts.back() != name)) {
                scripts.push_back(name);
            }
        };
        const autoplay::RunOutcome outcome =
            autoplay::InputRunner::Run(session(), *script, settings);
        EXPECT_EQ(outcome.exitCode, autoplay::RunOutcome::kDone) << outcome.reason;
        EXPECT_EQ(scripts, run.scripts);
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// A script still open when a scene is set up is closed, and its copy goes under its
// own name.
TEST_F(SceneReplay, AScriptLeftOpenGoesWithItsCopy) {
    script("Q01.spt", kChoiceScene);
    replayPage();
    ASSERT_TRUE(game().ScrFileOpen("prologue.spt").bOpened);
    const std::filesystem::path copy = session().folder() / "tmp/prologue.spt";
    ASSERT_TRUE(std::filesystem::exists(copy));
    ASSERT_TRUE(playScene());
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_STREQ(game().ScrFileData.szFileName, "Q01.spt");
    EXPECT_EQ(errors(), Lines{});
}

// The gallery's music missing on the way back is told, and the page comes back.
TEST_F(SceneReplay, TheGalleryMusicMissingIsToldAndThePageComesBack) {
    playing();
    replaceMembers("AU.dat", {{"bgm02.mus", ""}});
    ASSERT_TRUE(clickAt(kReturn));
    ASSERT_TRUE(reach(GAME_MODE_CG, 2, 300));
    const Lines lines = errors();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kRecurdo + "BGMの再生に失敗しました"), 1);
}

// A failed draw is told under the mode's own draw tag, once while it keeps failing.
TEST_F(SceneReplay, AFailedDrawIsToldUnderTheModesDrawTag) {
    for (const bool bHint : {false, true}) {
        SCOPED_TRACE(bHint ? "hint" : "recollection");
        begin(bHint, {u8"#MsgWndOpen SLIDE 40", u8"#BGDisp BG01", u8"#MsgDisp NULL 一行目"});
        GAMEMAIN& g = game();
        ASSERT_EQ(g.BGGraphData1.nDispFlg, 1u);
        g.pSprite->ReleaseSurface(g.BGGraphData1.nIndex);
        ASSERT_TRUE(runFrames(3));
        const Lines lines = errors();
        const std::string tag = bHint ? "HintModeDrawProc" : "RecurdoDrawProc";
        EXPECT_EQ(std::count(lines.begin(), lines.end(),
                             "Error: <GAMEMAIN::" + tag + "> 描画に失敗しました"),
                  1);
        TearDown();
    }
}

// The frame: the message window while the player shows it, the return button on it in
// the recollection only, none of them once Space hides the window.
TEST_F(SceneReplay, TheWindowsAndTheButtonAreDrawnWhileShown) {
    const auto pixel = [&](Point p) {
        return session().lastFrame()[static_cast<std::size_t>(p.y * 800 + p.x)] & 0xFFFFFF;
    };
    const std::uint32_t panel = zktest::WindowTestBench::ArtCellColor("MsgWndMaterial", "panel");
    // The demo's painted button, found by its rim's upper right point.
    const std::uint32_t button =
        zktest::WindowTestBench::ArtCellColor("ReplayMaterial", "replay-n");
    // The panel's rim, two pixels in from its lower left corner.
    const Point inPanel{4, 562};
    const Point onButton{777, 565};
    for (const bool bHint : {false, true}) {
        SCOPED_TRACE(bHint ? "hint" : "recollection");
        begin(bHint, kChoiceScene);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(pixel(inPanel), panel);
        EXPECT_EQ(pixel(onButton) == button, !bHint);
        if (!bHint) {
            ASSERT_TRUE(release(platform::VK_SPACE));
            ASSERT_TRUE(runFrames(1));
            EXPECT_NE(pixel(inPanel), panel);
            EXPECT_NE(pixel(onButton), button);
        }
        TearDown();
    }
}

}  // namespace
