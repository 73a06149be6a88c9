#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "game/ResourcePlayer.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/WholeGameTest.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kTag = "Error: <GAMEMAIN::ADVMainProc> ";

class AdventureSettings : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    CONFIG_DATA& screen() { return game().ConfigData; }
    std::int32_t step() { return session().procStep(); }

    // The story in the main loop with its first line shown, a character on the stage.
    void begin() {
        std::u8string plain = u8"// test\r\n";
        for (const char8_t* line : {u8"#MsgWndOpen INSTANT", u8"#CharIn QUIRA CENTER DEFAULT 1 1 0",
                                    u8"#MsgDisp NULL 一行目", u8"#KeyWait"}) {
            plain += std::u8string(line) + u8"\r\n";
        }
        replaceScript("prologue.spt", zktest::Sjis(plain));
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        enter(GAME_MODE_ADV);
        rest();
        ASSERT_TRUE(runUntil([&] { return step() == 3; }, 300));
    }
    void rest() { session().input().setPointer({400, 200}); }
    bool release(int key) {
        down(key);
        if (!runFrames(1)) return false;
        up(key);
        return runFrames(1);
    }
    bool reach(std::int32_t nStep) {
        return runUntil([&] { return step() == nStep; }, 120);
    }
    // The pointer onto a control of the standing panel, then a click on it.
    bool clickOn(std::int32_t nId) {
        const CONFIG_CONTROL& c = *FindConfigControl(nId);
        const bool onScreen = nId == kConfigYes || nId == kConfigNo;
        const int x = (onScreen ? 0 : screen().nX) + (c.rcHit.left + c.rcHit.right) / 2;
        const int y = (onScreen ? 0 : screen().nY) + (c.rcHit.top + c.rcHit.bottom) / 2;
        session().input().setPointer({x, y});
        return runFrames(1) && release(platform::VK_LBUTTON);
    }
    Lines errors() const {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
};

// Each opener, while the settings are allowed, puts the screen over the story with the
// bar out of use; while they are not, the story goes on untouched.
TEST_F(AdventureSettings, TheOpenersActOnlyWhileAllowed) {
    enum Opener { Right, KeyC, Menu };
    for (const Opener opener : {Right, KeyC, Menu}) {
        for (const bool allowed : {true, false}) {
            SCOPED_TRACE(testing::Message() << opener << (allowed ? " allowed" : " refused"));
            begin();
            game().nConfigEnableFlg = allowed ? 1 : 0;
            if (opener == Menu) {
                menu(autoplay::MenuItem::Settings);
                ASSERT_TRUE(runFrames(1));
            } else {
                ASSERT_TRUE(release(opener == Right ? int{platform::VK_RBUTTON} : int{'C'}));
            }
            if (allowed) {
                EXPECT_EQ(screen().nInitFlg, 1u);
                EXPECT_EQ(game().MsgWindowData.nBarUseFlg, 1u);
                // The panel rises 100 rows a frame, then stops at its place.
                std::vector<std::int32_t> rows;
                while (step() == 12 && rows.size() < 10) {
                    ASSERT_TRUE(runFrames(1));
                    rows.push_back(screen().nY);
                }
                EXPECT_EQ(rows, (std::vector<std::int32_t>{500, 400, 300, 200, 100, 76}));
                EXPECT_EQ(step(), 13);
            } else {
                ASSERT_TRUE(runFrames(10));
                EXPECT_EQ(step(), 3);
                EXPECT_EQ(screen().nInitFlg, 0u);
            }
            EXPECT_EQ(errors(), Lines{});
            TearDown();
        }
    }
}

// 'C' applies and closes: the story comes back with the screen released, and its
// next click goes on with the story.
TEST_F(AdventureSettings, ClosingReturnsToTheStory) {
    begin();
    game().nMsgSpeed = 700;
    ASSERT_TRUE(release('C'));
    ASSERT_TRUE(reach(13));
    ASSERT_TRUE(release('C'));
    EXPECT_EQ(step(), 14);
    ASSERT_TRUE(reach(3));
    EXPECT_EQ(screen().nInitFlg, 0u);
    EXPECT_EQ(game().nMsgSpeed, 1000u) << "applied";
    EXPECT_EQ(session().mode(), GAME_MODE_ADV);
    EXPECT_EQ(errors(), Lines{});
}

// A screen that fails while it opens, stands or closes ends the game with its line.
TEST_F(AdventureSettings, AFailingScreenIsFatal) {
    const struct {
        std::int32_t step;
        std::string line;
    } cases[] = {
        {12, "コンフィグウィンドウのオープン処理でエラーが発生しました"},
        {13, "コンフィグ待機中にエラーが発生しました"},
        {14, "コンフィグウィンドウのクローズ処理でエラーが発生しました"},
        {17, "コンフィグウィンドウのクローズ処理でエラーが発生しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        begin();
        ASSERT_TRUE(release(platform::VK_RBUTTON));
        if (c.step > 12) {
            ASSERT_TRUE(reach(13));
        }
        session().enter(GAME_MODE_ADV, c.step);
        screen().nInitFlg = 0;
        EXPECT_FALSE(runFrames(1));
        const Lines lines = errors();
        EXPECT_NE(std::find(lines.begin(), lines.end(), kTag + c.line), lines.end());
        TearDown();
    }
}

// The confirmed return closes the screen, fades to black over a second and releases
// the whole story, music too, before the title's mode; the title is still missing.
TEST_F(AdventureSettings, TheReturnToTheTitleReleasesTheStory) {
    begin();
    GAMEMAIN& g = game();
    ASSERT_EQ(BGMPlay("bgm01.mus", g.pSnd, g.pSystem, *g.pShell), 1);
    std::int32_t quira = -1;
    ASSERT_EQ(g.IDSerch("QUIRA", 4, &quira), 1u);
    ASSERT_TRUE(runUntil([&] { return g.pCharData[quira].nDispFlg != 0; }, 60));
    g.pCharData[quira].nLoveValue = 7;
    g.pCharData[quira].dwEventFlg = 3;
    g.ClippingData.nClipNum = 1;
    g.ClippingData.prcClip = std::make_unique<platform::Rect[]>(1);
    g.prcMosaic = std::make_unique<platform::Rect[]>(4);
    g.nMosaicCellNum = 4;
    // The return applies nothing: a speed between the screen's three stays as it is.
    g.nMsgSpeed = 700;
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(13));
    ASSERT_TRUE(clickOn(kConfigTitle));
    ASSERT_TRUE(runUntil([&] { return screen().nSlideFlg == CONFIG_DATA::kBoxUp; }, 60));
    ASSERT_TRUE(clickOn(kConfigYes));
    ASSERT_TRUE(reach(17));
    ASSERT_TRUE(reach(18));
    EXPECT_EQ(screen().nInitFlg, 0u);
    EXPECT_EQ(g.FadeGraphData.fAlpha, 0.0f);
    const std::uint32_t start = g.dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_ADV; }, 100));
    EXPECT_GE(g.dwNowTime - start, 1000u);
    EXPECT_EQ(session().mode(), GAME_MODE_TITLE);
    EXPECT_EQ(session().previousMode(), GAME_MODE_ADV);
    EXPECT_EQ(errors(), Lines{});
    EXPECT_EQ(g.nMsgSpeed, 700u);
    for (const std::uint32_t flag : {g.MsgWindowData.nInitFlg, g.SelectWindowData.nInitFlg,
                                     g.DayWindowData.nInitFlg, g.SaveLoadWindowData.nInitFlg}) {
        EXPECT_EQ(flag, 0u);
    }
    EXPECT_EQ(g.ScrFileData.fp, nullptr);
    EXPECT_EQ(std::tuple(g.BGGraphData1.nDispFlg, g.PRIM1.nDispFlg, g.PRIM2.nDispFlg),
              std::tuple(0u, 0u, 0u));
    EXPECT_EQ(std::tuple(g.ClippingData.nClipNum, g.prcMosaic.get(), g.nMosaicCellNum),
              std::tuple(0, nullptr, 0u));
    EXPECT_EQ(std::tuple(g.pCharData[quira].nDispFlg, g.pCharData[quira].nLoveValue,
                         g.pCharData[quira].dwEventFlg),
              std::tuple(0, 0, 0u));
    EXPECT_NE(g.pSnd->DAGetState(1), 0) << "the music unloaded";
    EXPECT_LT(g.pSnd->DAGetState(4), 0) << "effects unloaded";
    EXPECT_NE(g.pSprite->GetTexture(0), nullptr) << "black stays for the title";
    for (int i = 0; i < g.pSprite->GetSurfaceCount(); ++i) {
        EXPECT_EQ(g.pSprite->GetSurface(i), nullptr) << "surface " << i;
    }
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(session().procStep(), 1) << "the title begins";
    EXPECT_EQ(errors(), Lines{});
}

// The overlay's picture gone by the time the screen has closed for the title: the
// game ends with its line instead of fading to nothing.
TEST_F(AdventureSettings, AMissingOverlayPictureAtTheReturnIsFatal) {
    begin();
    const std::string picture = game().pSprite->GetTextureFileName(0);
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(13));
    ASSERT_TRUE(clickOn(kConfigTitle));
    ASSERT_TRUE(runUntil([&] { return screen().nSlideFlg == CONFIG_DATA::kBoxUp; }, 60));
    replaceMembers("Img.dat", {{picture, ""}});
    ASSERT_TRUE(clickOn(kConfigYes));
    EXPECT_FALSE(runUntil([&] { return step() == 18; }, 120));
    EXPECT_TRUE(session().fatal());
    EXPECT_EQ(step(), 17);
    const Lines lines = errors();
    EXPECT_NE(std::find(lines.begin(), lines.end(), kTag + "画像のロードに失敗しました"),
              lines.end());
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.starts_with(kTag); }),
              1)
        << "nothing runs after the failed load";
}

// The overlay's picture gone while the story fades out for the title: once the story is
// released the black cannot be put back, and the game ends with its line, still in the
// story's mode.
TEST_F(AdventureSettings, AMissingOverlayPictureAfterTheFadeIsFatal) {
    begin();
    const std::string picture = game().pSprite->GetTextureFileName(0);
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(13));
    ASSERT_TRUE(clickOn(kConfigTitle));
    ASSERT_TRUE(runUntil([&] { return screen().nSlideFlg == CONFIG_DATA::kBoxUp; }, 60));
    ASSERT_TRUE(clickOn(kConfigYes));
    ASSERT_TRUE(reach(18));
    replaceMembers("Img.dat", {{picture, ""}});
    EXPECT_FALSE(runUntil([&] { return session().mode() != GAME_MODE_ADV; }, 120));
    EXPECT_TRUE(session().fatal());
    EXPECT_EQ(std::tuple(session().mode(), step()), std::tuple(GAME_MODE_ADV, 18));
    const Lines lines = errors();
    EXPECT_NE(std::find(lines.begin(), lines.end(), kTag + "画像のロードに失敗しました"),
              lines.end());
}

}  // namespace
