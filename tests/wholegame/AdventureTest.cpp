#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "shell/AssetManifest.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/WholeGameTest.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kTag = "Error: <GAMEMAIN::ADVMainProc> ";
const std::string kFailed = "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::ADVMainProcが失敗しました";
const std::string kAppFailed = "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました";

class Adventure : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }

    // prologue.spt of these lines, after its comment line.
    void story(const std::vector<std::u8string>& lines) {
        std::u8string plain = u8"// test\r\n";
        for (const std::u8string& line : lines) plain += line + u8"\r\n";
        replaceScript("prologue.spt", zktest::Sjis(plain));
    }
    // Boots, then enters the adventure at step before the next frame.
    void begin(std::int32_t step = 0) {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        enter(GAME_MODE_ADV, step);
    }
    bool reach(std::int32_t step, int maxFrames = 300) {
        return runUntil([&] { return session().procStep() == step; }, maxFrames);
    }
    // The key goes down in one frame and is released in the next.
    Lines errors() const {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
    // The script's line that stands in the message window.
    std::string shownText() { return game().MsgWindowData.MsgData.szScriptText; }
};

TEST_F(Adventure, ANewGameKeepsNothingOfTheStoryBefore) {
    story({u8"#MsgWndOpen INSTANT", u8"#KeyWait"});
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    GAMEMAIN& g = game();
    g.prcMosaic = std::make_unique<platform::Rect[]>(4);
    g.pdwMosaicColor = std::make_unique<platform::ColorRef[]>(4);
    g.nMosaicCellNum = 4;
    g.dwMosaicSize = 8;
    g.nMosaicDispFlg = 1;
    g.ClippingData.nClipNum = 2;
    g.ClippingData.prcClip = std::make_unique<platform::Rect[]>(2);
    for (std::int32_t& place : g.ClothesSelectData.nSortNo) place = 3;
    std::strcpy(g.szBGMName, "bgm05.mus");
    ASSERT_EQ(g.AddAutoSkipFileList("prologue.spt", 5), 1u);
    enter(GAME_MODE_ADV);
    ASSERT_TRUE(runFrames(1));

    EXPECT_EQ(session().procStep(), 1);
    for (const std::int32_t place : g.ClothesSelectData.nSortNo) EXPECT_EQ(place, -1);
    EXPECT_EQ(std::pair(g.prcMosaic.get(), g.nMosaicCellNum),
              std::pair(static_cast<platform::Rect*>(nullptr), 0u));
    EXPECT_EQ(g.ClippingData.nClipNum, 0);
    EXPECT_STREQ(g.szBGMName, "");
    EXPECT_STREQ(g.ScrFileData.szFileName, "prologue.spt");
    EXPECT_NE(g.ScrFileData.fp, nullptr);
    EXPECT_EQ(std::pair(g.nScrSkipEnableFlg, g.nScrSkipLine), std::pair(1u, 5));
    EXPECT_EQ(g.MsgWindowData.nButtonState[MSG_BUTTON_BACK], MSG_WINDOW_DATA::kButtonDisable);
    EXPECT_EQ(g.MsgWindowData.nButtonState[MSG_BUTTON_FORWARD], MSG_WINDOW_DATA::kButtonDisable);
    EXPECT_EQ(std::pair(g.nSaveEnableFlg, g.nConfigEnableFlg), std::pair(0u, 0u));

    // The start fade ends in its second frame and grants save, load and settings.
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(session().procStep(), 2);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(session().procStep(), 3);
    EXPECT_EQ((std::vector<std::uint32_t>{g.nSaveEnableFlg, g.nLoadEnableFlg, g.nConfigEnableFlg,
                                          g.nHelpEnableFlg}),
              std::vector<std::uint32_t>(4, 1u));
    EXPECT_EQ(g.pSprite->GetTexture(0), nullptr) << "the overlay's texture is unloaded";
    EXPECT_EQ(errors(), Lines{});
}

// The effects are retried each frame while they fail, with one line for each time
// the step is entered.
TEST_F(Adventure, MissingEffectsAreRetriedWithOneLine) {
    const std::string effect = AssetManifest::Instance().EffectNames().at(4);
    const std::string tone =
        zktest::DemoData::Members(zktest::DemoData::Archive("SE.dat")).at(effect);
    const std::string line = kTag + "SEのロードに失敗しました";
    replaceMembers("SE.dat", {{effect, ""}});
    begin();
    ASSERT_TRUE(runFrames(10));
    EXPECT_EQ(session().procStep(), 1);
    Lines lines = errors();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1);

    replaceMembers("SE.dat", {{effect, tone}});
    ASSERT_TRUE(reach(3, 20));
    replaceMembers("SE.dat", {{effect, ""}});
    enter(GAME_MODE_ADV, 1);
    ASSERT_TRUE(runFrames(10));
    lines = errors();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 2);
}

TEST_F(Adventure, AMissingPrologueEndsTheGame) {
    replaceMembers("Scenario.dat", {{"prologue.spt", ""}});
    begin();
    EXPECT_FALSE(runFrames(5));
    EXPECT_EQ(errors(),
              (Lines{"Error: 該当ファイル無し",
                     kTag + "取り出すファイルに該当ファイルが存在しません", kFailed, kAppFailed}));
}

TEST_F(Adventure, AFailingCommandEndsTheGame) {
    story({u8"#FadeIn 100 PURPLE"});
    begin();
    EXPECT_FALSE(runFrames(10));
    const Lines lines = errors();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ((Lines{lines.end() - 3, lines.end()}),
              (Lines{kTag + "スクリプトの実行に失敗しました", kFailed, kAppFailed}));
}

// After a load the overlay, opaque, fades away over a second into the main loop.
TEST_F(Adventure, TheStepAfterALoadFadesInOverOneSecond) {
    story({u8"#MsgWndOpen INSTANT", u8"#KeyWait"});
    begin();
    ASSERT_TRUE(reach(3));
    GAMEMAIN& g = game();
    ASSERT_EQ(TextureLoad(g.pSprite, g.pSystem, 0, 0, 0), 1);
    g.ShowOverlay(1.0f);
    // The load that leads here has set the permissions; this step leaves them be.
    g.nSaveEnableFlg = 0;
    enter(GAME_MODE_ADV, 11);
    ASSERT_TRUE(runFrames(1));
    const std::uint32_t start = g.dwNowTime;
    ASSERT_TRUE(runUntil([&] { return g.dwNowTime - start >= 496; }, 100));
    EXPECT_NEAR(g.FadeGraphData.fAlpha, 0.5f, 0.02f);
    EXPECT_EQ(session().procStep(), 11);
    ASSERT_TRUE(reach(3, 100));
    EXPECT_GE(g.dwNowTime - start, 1000u);
    EXPECT_EQ(g.pSprite->GetTexture(0), nullptr);
    EXPECT_EQ(g.FadeGraphData.nDispFlg, 0u);
    EXPECT_EQ(g.nSaveEnableFlg, 0u);
}

// A short story with a choice: three lines, two plates, a line for each.
const std::vector<std::u8string> kChoiceStory = {u8"#MsgWndOpen SLIDE 40",
                                                 u8"#MsgDisp NULL 一行目",
                                                 u8"#MsgDisp NULL 二行目",
                                                 u8"#MsgDisp NULL 三行目",
                                                 u8"#SelectStart 2 1 あ い",
                                                 u8"#SelectBranch 1 1",
                                                 u8"#MsgDisp NULL 一を選んだ",
                                                 u8"#SelectBranch 2 1",
                                                 u8"#MsgDisp NULL 二を選んだ",
                                                 u8"#SelectEnd 1",
                                                 u8"#KeyWait",
                                                 u8"#GoToClothesSelect"};

class AdventureLoop : public Adventure {
protected:
    // The story running in the main loop with its first line complete; the pointer
    // rests in the middle of the scene, over no button.
    void firstLine(std::int32_t readLimit = 0) {
        story(kChoiceStory);
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        if (readLimit != 0) {
            ASSERT_EQ(game().AddAutoSkipFileList("prologue.spt", readLimit), 1u);
        }
        enter(GAME_MODE_ADV);
        session().input().setPointer({400, 200});
        ASSERT_TRUE(runUntil([&] { return shown(u8"一行目"); }, 300));
    }
    bool shown(std::u8string_view text) {
        return shownText() == zktest::Sjis(text) && game().MsgWindowData.nDispByte == -1;
    }
    bool click() { return release(platform::VK_LBUTTON); }
};

TEST_F(AdventureLoop, AClickWhileHiddenOnlyShowsTheWindows) {
    firstLine();
    ASSERT_TRUE(release(platform::VK_SPACE));
    EXPECT_EQ(game().nMsgWndDispFlg, 0u);
    ASSERT_TRUE(click());
    EXPECT_EQ(game().nMsgWndDispFlg, 1u);
    ASSERT_TRUE(runFrames(5));
    EXPECT_TRUE(shown(u8"一行目"));
    ASSERT_TRUE(click());
    EXPECT_TRUE(runUntil([&] { return shown(u8"二行目"); }, 60));
}

// Inside text already read a click stops the skip and goes no further; beyond the
// read limit it is the story's click.
TEST_F(AdventureLoop, AClickStopsSkippingOnlyInsideReadText) {
    for (const std::int32_t limit : {100, 2}) {
        SCOPED_TRACE(limit);
        firstLine(limit);
        MSG_WINDOW_DATA& window = game().MsgWindowData;
        EXPECT_EQ(game().nScrSkipLine, limit);
        window.nSkipFlg = 1;
        ASSERT_TRUE(click());
        const bool inside = limit == 100;
        EXPECT_EQ(window.nSkipFlg, inside ? 0u : 1u);
        if (inside) {
            ASSERT_TRUE(runFrames(20));
            EXPECT_TRUE(shown(u8"一行目") || shown(u8"二行目"));
        } else {
            EXPECT_TRUE(runUntil([&] { return shown(u8"二行目"); }, 60));
        }
        TearDown();
    }
}

// Each trigger acts only while its screen is allowed: it opens its screen, which its
// key closes again (the right button and 'C' apply the settings as they close).
TEST_F(AdventureLoop, TheScreenTriggersOpenTheirScreenOnlyWhileAllowed) {
    firstLine();
    const struct {
        int key;
        autoplay::MenuItem item;
        std::int32_t standby;  // the screen's standby step
    } triggers[] = {
        {platform::VK_RBUTTON, autoplay::MenuItem::Save, 13},
        {'S', autoplay::MenuItem::Save, 5},
        {'L', autoplay::MenuItem::Load, 8},
        {'C', autoplay::MenuItem::Settings, 13},
    };
    // The trigger's screen opens and is closed by its key.
    const auto acts = [&](const auto& t, bool allowed, std::size_t before) {
        if (!allowed) {
            ASSERT_TRUE(runFrames(1));
            EXPECT_EQ(session().procStep(), 3);
            EXPECT_EQ(errors().size(), before);
            return;
        }
        EXPECT_EQ(game().MsgWindowData.nBarUseFlg, 1u);
        ASSERT_TRUE(reach(t.standby, 60));
        ASSERT_TRUE(release(t.key));
        ASSERT_TRUE(reach(3, 60));
        EXPECT_EQ(game().SaveLoadWindowData.nInitFlg, 0u);
        EXPECT_EQ(game().ConfigData.nInitFlg, 0u);
        EXPECT_EQ(errors().size(), before);
    };
    for (const bool allowed : {true, false}) {
        game().MsgWndStatusChange(7, allowed ? 1 : 0);
        for (const auto& t : triggers) {
            SCOPED_TRACE(std::to_string(t.key) + (allowed ? "" : " (not allowed)"));
            game().MsgWindowData.nBarUseFlg = 0;
            const std::size_t before = errors().size();
            down(t.key);
            ASSERT_TRUE(runFrames(1));
            up(t.key);
            ASSERT_TRUE(runFrames(1));
            acts(t, allowed, before);
        }
        for (const auto& t : triggers) {
            if (t.key == platform::VK_RBUTTON) continue;
            SCOPED_TRACE(std::to_string(t.key) + " from the strip" +
                         (allowed ? "" : " (not allowed)"));
            game().MsgWindowData.nBarUseFlg = 0;
            const std::size_t before = errors().size();
            menu(t.item);
            ASSERT_TRUE(runFrames(1));
            acts(t, allowed, before);
        }
    }
    EXPECT_TRUE(shown(u8"一行目"));
}

TEST_F(AdventureLoop, ChoosingWaitsWhileTheBacklogIsBrowsed) {
    firstLine();
    for (const char8_t* line : {u8"二行目", u8"三行目"}) {
        ASSERT_TRUE(click());
        ASSERT_TRUE(runUntil([&] { return shown(line); }, 60));
    }
    ASSERT_TRUE(click());
    GAMEMAIN& g = game();
    ASSERT_TRUE(runUntil([&] { return g.SelectWindowData.SlcWnd[1].nDispFlg != 0; }, 120));
    ASSERT_TRUE(runFrames(30));
    const SELECT_WINDOW_DATA& plate = g.SelectWindowData.SlcWnd[1];
    session().input().setPointer({plate.nCenterX, plate.nCenterY});
    g.MsgWindowData.nBackLogNo = 0;
    ASSERT_TRUE(runFrames(1));
    ASSERT_TRUE(click());
    EXPECT_EQ(g.SelectWindowData.nSelect, -1);
    g.MsgWindowData.nBackLogNo = -1;
    ASSERT_TRUE(click());
    EXPECT_EQ(g.SelectWindowData.nSelect, 1);
    EXPECT_TRUE(runUntil([&] { return shown(u8"二を選んだ"); }, 200));
}

// The main loop runs the animation of the shown picture layers, and of no hidden one.
TEST_F(AdventureLoop, ShownPictureLayersAnimate) {
    firstLine();
    GAMEMAIN& g = game();
    const platform::Rect frame{0, 0, 10, 10};
    for (GRAPHIC_DATA_EX* layer : {&g.PRIM1, &g.PRIM2}) {
        layer->Set(1, 40, 2, 0, 0, 0, 0);
        for (std::int32_t n = 0; n < 2; ++n) layer->AnimationSet(n, 100, &frame, 0);
        layer->AnimData.dwLastTime = 0;
    }
    g.PRIM2.nDispFlg = 1;
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(g.PRIM2.AnimData.dwLastTime, g.dwNowTime);
    EXPECT_EQ(g.PRIM1.AnimData.dwLastTime, 0u);
    g.PRIM1.nDispFlg = 1;
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(g.PRIM1.AnimData.dwLastTime, g.dwNowTime);
}

// While a wipe-out's strips stand, the background they cover has given its picture
// back and is not drawn; #WipeEnd brings it back loaded and shown. No frame logs an
// error on the way.
TEST_F(AdventureLoop, AStandingWipeOutDrawsNothingItGaveBack) {
    story({u8"#BGDisp BG00", u8"#MsgWndOpen INSTANT", u8"#KeyWait",
           u8"#WipeOut BG01 BLIND_WAVE1 2 16", u8"#KeyWait", u8"#WipeEnd", u8"#KeyWait"});
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    enter(GAME_MODE_ADV);
    session().input().setPointer({400, 200});
    GAMEMAIN& g = game();
    const auto keyWaits = [&] {
        for (const SCR_CMD_DATA& slot : g.ScrFileData.Cmd) {
            if (std::strcmp(slot.szCommand, "#KeyWait") == 0) return true;
        }
        return false;
    };
    const auto pixel = [&] { return session().lastFrame()[200 * 800 + 400] & 0xFFFFFF; };
    std::vector<std::uint32_t> shown;
    for (int wait = 0; wait < 3; ++wait) {
        SCOPED_TRACE(wait);
        ASSERT_TRUE(runUntil(keyWaits, 300));
        ASSERT_TRUE(runFrames(10));
        shown.push_back(pixel());
        EXPECT_EQ(errors(), Lines{});
        ASSERT_TRUE(click());
    }
    EXPECT_NE(shown[1], shown[0]) << "BG01 covers BG00";
    EXPECT_EQ(shown[2], shown[0]) << "BG00 again";
    EXPECT_NE(g.pSprite->GetSurface(g.BGGraphData1.nIndex), nullptr);
}

// The strips of a wipe move from the screen's left side to its right: half-way through
// a wipe-out the covering picture stands on the left half and the old background on
// the right; half-way through the wipe-in the new background shows on the left half
// while the cover keeps the right.
TEST_F(AdventureLoop, WipeStripsSweepFromLeftToRight) {
    story({u8"#BGDisp BG00", u8"#MsgWndOpen INSTANT", u8"#KeyWait",
           u8"#WipeOut BG01 BLIND_WAVE2 1 1600", u8"#KeyWait", u8"#WipeIn BG00 BLIND_WAVE 1600",
           u8"#KeyWait"});
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    enter(GAME_MODE_ADV);
    session().input().setPointer({400, 200});
    GAMEMAIN& g = game();
    const auto running = [&](const char* word, std::uint32_t elapsed) {
        for (const SCR_CMD_DATA& slot : g.ScrFileData.Cmd) {
            if (std::strcmp(slot.szCommand, word) == 0 && slot.dwPhase == 1) {
                return g.GetTime() - slot.dwStartTime >= elapsed;
            }
        }
        return false;
    };
    using Halves = std::pair<std::uint32_t, std::uint32_t>;
    const auto halves = [&] {
        const auto pixel = [&](int x) { return session().lastFrame()[200 * 800 + x] & 0xFFFFFF; };
        return Halves(pixel(200), pixel(600));
    };
    std::vector<Halves> shots;
    for (const char* word : {"#WipeOut", "#WipeIn"}) {
        SCOPED_TRACE(word);
        ASSERT_TRUE(runUntil([&] { return running("#KeyWait", 0); }, 300));
        ASSERT_TRUE(runFrames(2));
        shots.push_back(halves());
        ASSERT_TRUE(click());
        ASSERT_TRUE(runUntil([&] { return running(word, 800); }, 300));
        ASSERT_TRUE(runFrames(1));
        shots.push_back(halves());
    }
    const Halves bg00 = shots[0], bg01 = shots[2];
    ASSERT_NE(bg00.first, bg01.first);
    ASSERT_NE(bg00.second, bg01.second);
    EXPECT_EQ(shots[1], Halves(bg01.first, bg00.second)) << "BG01 covers from the left";
    EXPECT_EQ(shots[3], Halves(bg00.first, bg01.second)) << "BG00 comes back from the left";
    EXPECT_EQ(errors(), Lines{});
}

// Leaving fades to black over a second, releases the story and changes mode: the
// costume select keeps the music and the characters' feelings, the staff roll
// neither.
TEST_F(Adventure, LeavingReleasesTheStoryForTheNextMode) {
    const struct {
        const char8_t* request;
        std::int32_t mode;
        bool musicKept;
    } cases[] = {{u8"#GoToClothesSelect", GAME_MODE_CLOTHES_SELECT, true},
                 {u8"#EndScript", GAME_MODE_STAFFROLL, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        story({u8"#MsgWndOpen INSTANT", u8"#CharIn QUIRA CENTER DEFAULT 1 1 0", u8"#KeyWait",
               c.request});
        begin();
        ASSERT_TRUE(reach(3));
        GAMEMAIN& g = game();
        ASSERT_EQ(BGMPlay("bgm01.mus", g.pSnd, g.pSystem, *g.pShell), 1);
        std::int32_t quira = -1;
        ASSERT_EQ(g.IDSerch("QUIRA", 4, &quira), 1u);
        g.pCharData[quira].nLoveValue = 7;
        g.pCharData[quira].dwEventFlg = 3;
        ASSERT_TRUE(runUntil([&] { return g.pCharData[quira].nDispFlg != 0; }, 60));
        session().input().setPointer({400, 200});
        ASSERT_TRUE(release(platform::VK_LBUTTON));
        ASSERT_TRUE(runUntil([&] { return session().procStep() > 3; }, 60));
        // A wipe or a mosaic standing as the story leaves goes with it.
        g.ClippingData.nClipNum = 1;
        g.ClippingData.prcClip = std::make_unique<platform::Rect[]>(1);
        g.nMosaicDispFlg = 1;
        g.dwMsgTextWork[0] = g.dwMsgTextWork[1] = 9;
        // A voice the bar replays as the story leaves is stopped with it.
        ASSERT_EQ(VoicePlay("V0001.sou", g.pSnd, g.pSystem, *g.pShell), 1);
        ASSERT_EQ(g.pSnd->DAGetState(0), 0);
        EXPECT_EQ(std::pair(g.nSaveEnableFlg, g.nConfigEnableFlg), std::pair(0u, 0u));
        std::int32_t limit = 0;
        EXPECT_EQ(g.CheckAutoSkipFileList("prologue.spt", &limit), 1);
        EXPECT_EQ(limit, -1);
        const std::uint32_t start = g.dwNowTime;
        ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_ADV; }, 100));
        EXPECT_GE(g.dwNowTime - start, 1000u);
        EXPECT_EQ(std::tuple(session().mode(), session().previousMode(), session().procStep()),
                  std::tuple(c.mode, GAME_MODE_ADV, 0));
        EXPECT_EQ(g.ScrFileData.fp, nullptr);
        EXPECT_EQ(g.pCharData[quira].nDispFlg, 0);
        EXPECT_EQ(std::pair(g.pCharData[quira].nLoveValue, g.pCharData[quira].dwEventFlg),
                  c.musicKept ? std::pair(7, 3u) : std::pair(0, 0u));
        EXPECT_NE(g.pSprite->GetTexture(0), nullptr) << "black stays for the next mode";
        for (int i = 1; i < g.pSprite->GetTextureCount(); ++i) {
            EXPECT_EQ(g.pSprite->GetTexture(i), nullptr) << "texture " << i;
        }
        for (int i = 0; i < g.pSprite->GetSurfaceCount(); ++i) {
            EXPECT_EQ(g.pSprite->GetSurface(i), nullptr) << "surface " << i;
        }
        EXPECT_EQ(g.MsgWindowData.nInitFlg, 0u);
        EXPECT_NE(g.pSnd->DAGetState(0), 0) << "the voice";
        EXPECT_EQ(std::pair(g.ClippingData.nClipNum, g.nMosaicDispFlg), std::pair(0, 0u));
        // The end of the story also forgets the last line's reveal.
        EXPECT_EQ(std::pair(g.dwMsgTextWork[0], g.dwMsgTextWork[1]),
                  c.musicKept ? std::pair(9u, 9u) : std::pair(0u, 0u));
        EXPECT_EQ(g.pSnd->DAGetState(4) >= 0, false) << "effects unloaded";
        EXPECT_EQ(g.pSnd->DAGetState(1) == 0, c.musicKept) << "the music buffer";
        session().release();
        EXPECT_NE(zktest::ReadFileBytes((session().folder() / "sav/sav00.sav").string())
                      .find("prologue.spt\t-1"),
                  std::string::npos);
        TearDown();
    }
}

}  // namespace
