#include <cstring>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/WholeGameTest.h"

namespace {

constexpr const char* kTag = "Error: <GAMEMAIN::ADVMainProc> ";

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
    void enter(std::int32_t step = 0) {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        game().ChangeMode(GAME_MODE_ADV);
        game().nProcStep = step;
    }
    bool reach(std::int32_t mode, std::int32_t step, int maxFrames = 200) {
        return runUntil([&] { return session().mode() == mode && session().procStep() == step; },
                        maxFrames);
    }
    // A key or button released in the next frame (down in this one).
    void release(int key) {
        down(key);
        ASSERT_TRUE(runFrames(1));
        up(key);
    }
    std::vector<std::string> errors() const {
        std::vector<std::string> found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
};

TEST_F(Adventure, ANewGameKeepsNothingOfTheStoryBefore) {
    story({u8"#MsgWndOpen INSTANT", u8"#KeyWait"});
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    GAMEMAIN& g = game();
    g.prcMosaic = std::make_unique<platform::Rect[]>(4);
    g.pdwMosaicColor = std::make_unique<platform::ColorRef[]>(4);
    g.dwMosaicSize = 8;
    g.nMosaicDispFlg = 1;
    g.ClippingData.nClipNum = 2;
    g.ClippingData.prcClip = std::make_unique<platform::Rect[]>(2);
    for (std::int32_t& place : g.ClothesSelectData.nSortNo) place = 3;
    std::strcpy(g.szBGMName, "bgm05.mus");
    ASSERT_EQ(g.AddAutoSkipFileList("prologue.spt", 5), 1u);
    g.ChangeMode(GAME_MODE_ADV);
    ASSERT_TRUE(runFrames(1));

    EXPECT_EQ(session().procStep(), 1);
    for (const std::int32_t place : g.ClothesSelectData.nSortNo) EXPECT_EQ(place, -1);
    EXPECT_EQ(g.prcMosaic, nullptr);
    EXPECT_EQ(g.nMosaicDispFlg, 0u);
    EXPECT_EQ(g.ClippingData.nClipNum, 0);
    EXPECT_STREQ(g.szBGMName, "");
    EXPECT_STREQ(g.ScrFileData.szFileName, "prologue.spt");
    EXPECT_NE(g.ScrFileData.fp, nullptr);
    EXPECT_EQ(std::pair(g.nScrSkipEnableFlg, g.nScrSkipLine), std::pair(1u, 5));
    EXPECT_EQ(g.MsgWindowData.nButtonState[MSG_BUTTON_BACK], MSG_WINDOW_DATA::kButtonDisable);
    EXPECT_EQ(g.MsgWindowData.nButtonState[MSG_BUTTON_FORWARD], MSG_WINDOW_DATA::kButtonDisable);
    EXPECT_EQ(std::pair(g.nSaveEnableFlg, g.nConfigEnableFlg), std::pair(0u, 0u));

    // The start fade ends in its second frame and grants save, load and settings.
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(session().procStep(), 2);
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(session().procStep(), 3);
    EXPECT_EQ((std::vector<std::uint32_t>{g.nSaveEnableFlg, g.nLoadEnableFlg, g.nConfigEnableFlg,
                                          g.nHelpEnableFlg}),
              (std::vector<std::uint32_t>(4, 1u)));
    EXPECT_EQ(g.pSprite->GetTextureState(0) & 1, 0u) << "the overlay's texture is unloaded";
    EXPECT_EQ(errors(), std::vector<std::string>{});
}

// The effects are retried each frame while they fail, with one line for it all.
TEST_F(Adventure, MissingEffectsAreRetriedWithOneLine) {
    replaceMembers("SE.dat", {{"SE04.sou", ""}});
    enter();
    ASSERT_TRUE(runFrames(10));
    EXPECT_EQ(session().procStep(), 1);
    EXPECT_EQ(errors(), (std::vector<std::string>{
                            "Error: <ZKSND::...>",
                        }));
}

TEST_F(Adventure, AMissingPrologueOrAFailingCommandEndsTheGame) {
    const struct {
        bool removed;
        std::u8string line;
        std::string fatal;
    } cases[] = {
        {true, u8"", std::string(kTag) + "取り出すファイルに該当ファイルが存在しません"},
        {false, u8"#FadeIn 100 PURPLE", std::string(kTag) + "スクリプトの実行に失敗しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fatal);
        if (c.removed) {
            replaceMembers("Scenario.dat", {{"prologue.spt", ""}});
        } else {
            story({c.line});
        }
        enter();
        EXPECT_FALSE(runFrames(20));
        const std::vector<std::string> lines = errors();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], c.fatal);
        EXPECT_EQ(lines.back(), "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::ADVMainProcが失敗しました");
        TearDown();
    }
}

}  // namespace
