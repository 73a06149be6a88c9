#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/DemoData.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"
#include "support/WindowTestBench.h"
#include "windows/ConfigControls.h"

namespace {

using Lines = std::vector<std::string>;

struct Point {
    int x;
    int y;
};

// The extras menu's dress room object, the room's exit, and a place clear of both.
constexpr Point kDressRoom{150, 422};
constexpr Point kExit{716, 580};
constexpr Point kCard1{348, 165};
constexpr Point kOff{100, 560};
constexpr const char* kRoomMusic = "tmp/bgm15.mus";
constexpr const char* kMenuMusic = "tmp/bgm02.mus";
// The game core's line for a mode procedure's -1, which ends the game.
constexpr const char* kModeFailed =
    "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::DressRoomMainProcが失敗しました";

class DressRoom : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::int32_t mode() { return session().mode(); }
    std::int32_t step() { return session().procStep(); }

    // From the demo's system save, into the menu and through its dress room object,
    // to the room's opening fade.
    void enterFromMenu() {
        useSystemSave(zktest::DemoData::SystemSave());
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        pointAt(kOff);
        enter(GAME_MODE_SPECIAL);
        ASSERT_TRUE(runUntil([&] { return step() == 2; }, 120));
        ASSERT_TRUE(clickAt(kDressRoom));
        ASSERT_TRUE(runUntil([&] { return mode() == GAME_MODE_DRESS_ROOM; }, 200));
        ASSERT_TRUE(runFrames(1));
        ASSERT_EQ(step(), 1);
        enteredAt = game().dwNowTime;
    }
    std::uint32_t pixel(Point p) { return session().lastFrame()[p.y * 800 + p.x] & 0xFFFFFF; }
    // The colour the demo's art shows at the cell's rim points.
    static std::uint32_t Cell(const char* stem, const char* cell) {
        return zktest::WindowTestBench::ArtCellColor(stem, cell);
    }
    bool reach(std::int32_t nStep, int nFrames = 120) {
        return runUntil([&] { return step() == nStep; }, nFrames);
    }
    Lines errors() {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }

    // From the frame before the one that starts a fade of dwFade ms: the overlay is half faded
    // halfway, and the step is still nStep; the caller looks at the frame that ends it.
    // A frame's time is the one the frame before it set, so an advance shows a frame
    // late.
    void fadeTo(std::uint32_t dwFade, std::int32_t nStep) {
        ASSERT_TRUE(runFrames(1));
        const std::uint32_t start = game().dwProcStartTime;
        ASSERT_EQ(game().dwNowTime, start);
        ASSERT_TRUE(runFrames(1));
        const std::uint32_t frame = game().dwNowTime - start;
        advance(dwFade / 2 - 3 * frame);
        ASSERT_TRUE(runFrames(2));
        EXPECT_EQ(game().dwNowTime - start, dwFade / 2);
        EXPECT_FLOAT_EQ(game().FadeGraphData.fAlpha, 0.5f);
        EXPECT_EQ(step(), nStep);
        advance(dwFade / 2 - 2 * frame);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(step(), nStep);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(game().dwNowTime - start, dwFade);
    }

    std::uint32_t enteredAt = 0;
};

// The room fades in over a second and out over half a second, to the millisecond.
TEST_F(DressRoom, TheFadesTakeASecondInAndHalfASecondOut) {
    enterFromMenu();
    fadeTo(1000, 1);
    EXPECT_EQ(step(), 2);
    pointAt(kExit);
    ASSERT_TRUE(runFrames(1));
    down(platform::VK_LBUTTON);
    ASSERT_TRUE(runFrames(1));
    up(platform::VK_LBUTTON);
    ASSERT_TRUE(runFrames(1));
    ASSERT_EQ(step(), 3);
    fadeTo(500, 3);
    EXPECT_EQ(mode(), static_cast<std::int32_t>(GAME_MODE_SPECIAL));
}

// The demo's costume words reach the room: its first card reacts and is drawn.
// Nothing reacts during the second's fade.
TEST_F(DressRoom, TheOpeningFadeIgnoresTheExit) {
    enterFromMenu();
    EXPECT_EQ(game().DressRoomData.nInitFlg, 1u);
    EXPECT_EQ(game().nConfigEnableFlg, 0u);
    ASSERT_TRUE(clickAt(kExit));
    ASSERT_TRUE(release(platform::VK_RETURN));
    EXPECT_EQ(std::tuple(mode(), step(), game().DressRoomData.nCursorId),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_DRESS_ROOM), 1, 0));
    ASSERT_TRUE(reach(2));
    EXPECT_GE(game().dwNowTime - enteredAt, 1000u);
    EXPECT_EQ(game().nConfigEnableFlg, 1u);
    pointAt(kCard1);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(game().DressRoomData.nSelectId, 1);
    // The frame shows the room: card 1 and, under the pointer, its figure, each found
    // by its rim two pixels in from the lower right corner.
    EXPECT_EQ(pixel({403, 237}), Cell("ClothesCard_F", "衣装1"));
    EXPECT_EQ(pixel({271, 439}), Cell("ClothesSelectBody", "衣装1 全身"));
    EXPECT_EQ(errors(), Lines{});
}

// The exit, clicked or by Return, fades half a second and hands the menu an empty
// house: only the black, no music; the menu starts its own afresh.
TEST_F(DressRoom, TheExitLeavesForTheMenuWithEverythingUnloaded) {
    for (const bool bReturn : {false, true}) {
        SCOPED_TRACE(bReturn);
        enterFromMenu();
        ASSERT_TRUE(reach(2));
        zktest::SoundEventLog sounds;
        pointAt(kExit);
        ASSERT_TRUE(runFrames(1));
        ASSERT_TRUE(release(bReturn ? platform::VK_RETURN : platform::VK_LBUTTON));
        ASSERT_EQ(step(), 3);
        const std::uint32_t chosen = game().dwNowTime;
        EXPECT_EQ(game().nConfigEnableFlg, 0u);
        ASSERT_TRUE(runUntil([&] { return mode() != GAME_MODE_DRESS_ROOM; }, 60));
        EXPECT_GE(game().dwNowTime - chosen, 500u);
        EXPECT_EQ(std::tuple(mode(), session().previousMode(), step()),
                  std::tuple(static_cast<std::int32_t>(GAME_MODE_SPECIAL),
                             static_cast<std::int32_t>(GAME_MODE_DRESS_ROOM), 0));
        EXPECT_EQ(std::tuple(game().DressRoomData.nInitFlg, game().FadeGraphData.nDispFlg,
                             game().FadeGraphData.fAlpha),
                  std::tuple(0u, 1u, 1.0f));
        EXPECT_NE(game().pSprite->GetTexture(0), nullptr);
        for (int i = 1; i < game().pSprite->GetTextureCount(); ++i)
            EXPECT_EQ(game().pSprite->GetTexture(i), nullptr) << "texture " << i;
        for (int i = 0; i < game().pSprite->GetSurfaceCount(); ++i)
            EXPECT_EQ(game().pSprite->GetSurface(i), nullptr) << "surface " << i;
        for (int i = 2; i < GAMEMAIN::kWaveSlots; ++i)
            EXPECT_LT(game().pSnd->DAGetState(i), 0) << "effect " << i;
        EXPECT_EQ(sounds.stops(platform::AudioBus::Music), 1);
        EXPECT_LT(game().pSnd->DAGetState(1), 0) << kRoomMusic << " stopped and unloaded";
        EXPECT_EQ(sounds.plays(kMenuMusic, platform::AudioBus::Music), 0);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(sounds.plays(kMenuMusic, platform::AudioBus::Music), 1);
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// A card or a page arrow never ends the mode.
TEST_F(DressRoom, CardsAndArrowsKeepTheRoom) {
    enterFromMenu();
    ASSERT_TRUE(reach(2));
    ASSERT_TRUE(clickAt(kCard1));
    ASSERT_TRUE(clickAt({760, 428}));
    EXPECT_EQ(game().DressRoomData.nPage, 1);
    ASSERT_TRUE(clickAt({320, 428}));
    EXPECT_EQ(game().DressRoomData.nPage, 0);
    ASSERT_TRUE(runFrames(30));
    EXPECT_EQ(std::tuple(mode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_DRESS_ROOM), 2));
}

// The settings' return to the title takes a second, leaves the room released and every
// slot but the overlay's empty, and resets the characters.
TEST_F(DressRoom, TheSettingsReturnToTheTitle) {
    enterFromMenu();
    ASSERT_TRUE(reach(2));
    GAMEMAIN& g = game();
    std::int32_t quira = -1;
    ASSERT_EQ(g.IDSerch("QUIRA", 4, &quira), 1u);
    g.pCharData[quira].nLoveValue = 7;
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(5));
    ASSERT_TRUE(answerReturnToTitle());
    ASSERT_TRUE(reach(8));
    const std::uint32_t start = g.dwNowTime;
    ASSERT_TRUE(runUntil([&] { return mode() != GAME_MODE_DRESS_ROOM; }, 100));
    EXPECT_GE(g.dwNowTime - start, 1000u);
    EXPECT_EQ(std::tuple(mode(), session().previousMode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_TITLE),
                         static_cast<std::int32_t>(GAME_MODE_DRESS_ROOM), 0));
    EXPECT_EQ(std::tuple(g.DressRoomData.nInitFlg, g.ConfigData.nInitFlg), std::tuple(0u, 0u));
    EXPECT_LT(g.pSnd->DAGetState(1), 0);
    EXPECT_EQ(g.pCharData[quira].nLoveValue, 0) << "the characters are reset";
    for (int i = 1; i < g.pSprite->GetTextureCount(); ++i)
        EXPECT_EQ(g.pSprite->GetTexture(i), nullptr) << "texture " << i;
    for (int i = 0; i < g.pSprite->GetSurfaceCount(); ++i)
        EXPECT_EQ(g.pSprite->GetSurface(i), nullptr) << "surface " << i;
    EXPECT_EQ(errors(), Lines{});
}

// The black that the leaving loads again, damaged before the exit or during its fade,
// ends the game with the line of that load.
TEST_F(DressRoom, ADamagedBlackEndsTheLeaving) {
    const struct {
        std::int32_t nDamagedAt;
        const char* line;
    } cases[] = {
        {2, "Error: <GAMEMAIN::DressRoomMainProc> 呼び出したTextureLoadが失敗しました"},
        {3, "Error: <GAMEMAIN::DressRoomMainProc> 画像のロードに失敗しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nDamagedAt);
        enterFromMenu();
        ASSERT_TRUE(reach(2));
        pointAt(kExit);
        ASSERT_TRUE(runFrames(1));
        down(platform::VK_LBUTTON);
        ASSERT_TRUE(runFrames(1));
        up(platform::VK_LBUTTON);
        if (c.nDamagedAt == 2) replaceMembers("Img.dat", {{"black.gpc", "damaged"}});
        if (c.nDamagedAt == 3) {
            ASSERT_TRUE(runFrames(1));
            ASSERT_EQ(step(), 3);
            replaceMembers("Img.dat", {{"black.gpc", "damaged"}});
        }
        EXPECT_FALSE(runUntil([&] { return mode() != GAME_MODE_DRESS_ROOM; }, 60));
        const Lines lines = errors();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), kModeFailed), lines.end());
        TearDown();
    }
}

// A room whose faces are missing ends the game through the normal release path.
TEST_F(DressRoom, AMissingPictureEndsTheGame) {
    useSystemSave(zktest::DemoData::SystemSave());
    ASSERT_TRUE(start());
    replaceMembers("Img.dat", {{"QuiraFaceWnd.gpc", ""}});
    ASSERT_TRUE(runFrames(1));
    enter(GAME_MODE_DRESS_ROOM);
    EXPECT_FALSE(runFrames(2));
    const Lines lines = errors();
    const auto image = std::find(lines.begin(), lines.end(),
                                 "Error: <DR_DATA::Initialize> 画像のロードに失敗しました");
    const auto mode =
        std::find(lines.begin(), lines.end(),
                  "Error: <GAMEMAIN::DressRoomMainProc> 衣装選択クラスの初期化に失敗しました");
    ASSERT_NE(image, lines.end());
    ASSERT_NE(mode, lines.end());
    EXPECT_LT(image, mode);
    EXPECT_NE(std::find(lines.begin(), lines.end(), kModeFailed), lines.end());
}

}  // namespace
