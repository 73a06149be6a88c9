#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/core/HResult.h"
#include "platform/core/Services.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/MediaPump.h"
#include "support/MakeMovie.h"
#include "support/SpriteKit.h"

using zktest::SpriteKit;

TEST(ZKSPRITETiming, FrameWaitSleepsOutTheRestOfTheFrame) {
    SpriteKit k(32);
    platform::ManualClock& clock = k.kit.clock;
    clock.set(0xFFFFFFF0u);  // the 2^32 wrap falls inside the frames below
    EXPECT_EQ(k.sprite.FrameWait(16, 0), 0);
    EXPECT_EQ(clock.now(), 0u) << "the first call waits a whole frame from itself";
    const struct {
        std::uint32_t busy;
        std::uint32_t expectedSleep;
    } frames[] = {{3, 13}, {40, 0}, {16, 0}, {15, 1}};
    for (const auto& f : frames) {
        const std::size_t before = clock.sleeps().size();
        clock.advance(f.busy);
        const std::uint32_t start = clock.now();
        k.sprite.FrameWait(16, 0);
        EXPECT_EQ(clock.now() - start, f.expectedSleep) << "busy " << f.busy;
        EXPECT_EQ(clock.sleeps().size() - before, f.expectedSleep > 0 ? 1u : 0u);
    }
}

// A movie of 25 pictures a second on the platform clock, the loop pass pumping it
// before each frame's wait: each picture is handed over at its due time, though it
// falls inside a frame, and the frames stay 16 ms apart.
TEST(ZKSPRITETiming, FrameWaitHandsEachMoviePictureOverWhenItIsDue) {
    SpriteKit k(32);
    platform::ScopedService<platform::Display> displayScope(k.display);
    platform::ManualClock& clock = k.kit.clock;
    const auto window = reinterpret_cast<platform::WindowHandle>(0x1000);
    mkdemo::MovieRecipe recipe;
    recipe.rate = 25;
    recipe.sound = false;
    zktest::MakeMovie(recipe, "m.mkv");
    std::vector<std::uint32_t> shown;
    k.display.onCompose = [&](const std::vector<std::uint32_t>&, int) {
        shown.push_back(clock.now());
    };
    platform::MediaGraph graph(2, nullptr);
    ASSERT_EQ(graph.renderFile("m.mkv"), platform::S_OK);
    graph.setOwner(window);
    graph.setVisible(true);
    ASSERT_EQ(graph.setWindowPosition(0, 0, 800, 600), platform::S_OK);
    ASSERT_EQ(graph.run(), platform::S_OK);
    const std::uint32_t start = clock.now();
    std::vector<std::uint32_t> frameEnds;
    while (clock.now() - start < 500) {
        platform::MediaPump::instance().pump();
        k.sprite.FrameWait(16, 0);
        frameEnds.push_back(clock.now());
    }
    ASSERT_EQ(shown.size(), 10u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_LE(shown[i] - (start + 40 * i), 1u) << "picture " << i;
    }
    for (std::size_t i = 1; i < frameEnds.size(); ++i) {
        EXPECT_GE(frameEnds[i] - frameEnds[i - 1], 16u) << "frame " << i;
    }
}

TEST(ZKSPRITETiming, FrameWaitAndFrameRateTexts) {
    SpriteKit k(32);
    k.sprite.FrameWait(0, 0);
    k.kit.clock.advance(20);
    EXPECT_EQ(k.sprite.FrameWait(16, 1), 0) << "the text output's result";
    EXPECT_NE(k.backPixel(55, 590), 0u) << "\"ms:20,fps:50,end\" in red at (50, 580)";
    EXPECT_EQ(k.sprite.FrameWait(0, 0), 0) << "no time passed counts as 1 ms";
    EXPECT_EQ(k.sprite.DrawFrameRate(10, 10, 0xFFFFFF, 20), 1);
    EXPECT_TRUE(k.debugLines().empty());
}

// Shown, the frame's time and rate are drawn exactly as that text drawn by a text call.
TEST(ZKSPRITETiming, FrameWaitShowsTheFramesTimeAndRate) {
    const struct {
        std::uint32_t busy;
        const char* text;
    } cases[] = {{20, "ms:20,fps:50,end"}, {0, "ms:1,fps:1000,end"}, {3, "ms:3,fps:333,end"}};
    // Each kit's clock serves the process while it lives, so they live one after the
    // other.
    const auto strip = [](const SpriteKit& k) {
        std::vector<std::uint32_t> pixels;
        for (int y = 570; y < 600; ++y) {
            for (int x = 40; x < 400; ++x) pixels.push_back(k.backPixel(x, y));
        }
        return pixels;
    };
    for (const auto& c : cases) {
        std::vector<std::uint32_t> shown;
        {
            SpriteKit k(32);
            k.sprite.FrameWait(0, 0);
            k.kit.clock.advance(c.busy);
            EXPECT_EQ(k.sprite.FrameWait(0, 1), 0);
            shown = strip(k);
        }
        SpriteKit k(32);
        k.sprite.DDTextOut(-1, 50, 580, c.text, 255, 20, 400);
        const std::vector<std::uint32_t> drawn = strip(k);
        EXPECT_EQ(shown, drawn) << c.text;
        EXPECT_NE(std::count(drawn.begin(), drawn.end(), 0u), std::ssize(drawn)) << c.text;
    }
}

TEST(ZKSPRITETiming, FrameRateAgainstTheFrameStart) {
    SpriteKit k(32);
    platform::ManualClock& clock = k.kit.clock;
    k.sprite.SetFrameStartTime();
    EXPECT_EQ(k.sprite.CheckFrameRate(60, 0), 0) << "no time passed gives rate 0";
    clock.advance(10);
    EXPECT_EQ(k.sprite.CheckFrameRate(60, 0), 1);
    clock.advance(10);
    EXPECT_EQ(k.sprite.CheckFrameRate(60, 1), 0);
    const std::uint32_t sinceStart = clock.now();
    EXPECT_EQ(k.sprite.dwFPS, 1000 / sinceStart) << "first measurement against time 0";
    clock.advance(25);
    k.sprite.CheckFrameRate(60, 1);
    EXPECT_EQ(k.sprite.dwFPS, 40u);
    k.sprite.CheckFrameRate(60, 1);
    EXPECT_EQ(k.sprite.dwFPS, 40u) << "a second call at the same time measures nothing";
}

TEST(ZKSPRITETiming, ErrorTexts) {
    SpriteKit k;
    const struct {
        std::uint32_t hr;
        const char* text;
    } cases[] = {
        {0, "エラーは発生していない"},
        {0x887602E8u, "サーフェスに関連付けられているパレットが無効である。"},
        {0x88760001u, "不明のエラーです"},
        // Neighbouring numbers keep their own texts.
        {0x887602BCu, "Direct3Dのメジャーバージョンが正しくない。"},
        {0x887602BDu, "Direct3Dのマイナーバージョンが正しくない。"},
        {0x887602FAu, "シーンの開始に失敗した。"},
        {0x887602FBu, "シーンの終了に失敗した。"},
    };
    for (const auto& c : cases) {
        k.clearLog();
        k.sprite.ErrorNumber(static_cast<std::int32_t>(c.hr));
        EXPECT_EQ(k.debugLines(), std::vector<std::string>{
                                      std::string("Error: <ZKSPRITE::ErrorNumber> ") + c.text});
    }
}
