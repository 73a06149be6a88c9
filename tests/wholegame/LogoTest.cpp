#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "platform/video/BitmapFile.h"
#include "support/DemoData.h"
#include "support/WholeGameTest.h"

namespace fs = std::filesystem;

namespace {

constexpr int kW = autoplay::GameSession::kWidth;
constexpr int kH = autoplay::GameSession::kHeight;

// The pixels of the demo's logo that are neither its key nor black: what the screen
// shows of it over black.
int LogoShapePixels() {
    const std::string bytes =
        zktest::DemoData::Members(zktest::DemoData::Archive("Img.dat")).at("Logo.gpc");
    const auto picture = platform::BitmapFile::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    int shape = 0;
    for (const std::uint32_t pixel : picture.value().pixels()) {
        const std::uint32_t rgb = pixel & 0xFFFFFF;
        shape += rgb != 0xFF00FF && rgb != 0 ? 1 : 0;
    }
    return shape;
}

class Logo : public zktest::WholeGameTest {
protected:
    // Boots and runs the logo's first frame.
    void startLogo() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(2));
        ASSERT_EQ(session().mode(), 1);
        ASSERT_EQ(session().procStep(), 1);
    }
    bool runToStep(std::int32_t step) {
        return runUntil([&] { return session().procStep() == step; }, 400);
    }
    // Counts shown pixels inside and outside the logo's centred 400 x 240 place.
    std::pair<int, int> litInsideOutside() {
        const auto& frame = session().lastFrame();
        int inside = 0, outside = 0;
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                if ((frame[y * kW + x] & 0xFFFFFFu) == 0) continue;
                const bool in = x >= 200 && x < 600 && y >= 180 && y < 420;
                ++(in ? inside : outside);
            }
        }
        return {inside, outside};
    }
};

}  // namespace

TEST_F(Logo, FadesInHoldsCentredFadesOutAndLeavesNothingLoaded) {
    startLogo();
    EXPECT_EQ(session().previousMode(), 0);
    const std::uint32_t first = session().game().dwNowTime;
    EXPECT_EQ(litInsideOutside(), std::make_pair(0, 0)) << "the overlay starts opaque";

    ASSERT_TRUE(runToStep(2));
    runFrames(1);
    const auto [inside, outside] = litInsideOutside();
    EXPECT_EQ(inside, LogoShapePixels());
    EXPECT_GT(inside, 400 * 240 / 4);
    EXPECT_EQ(outside, 0);

    ASSERT_TRUE(runUntil([&] { return session().mode() != 1; }, 400));
    EXPECT_EQ(session().mode(), 2);
    const std::uint32_t took = session().game().dwNowTime - first;
    EXPECT_GE(took, 4000u);
    EXPECT_LE(took, 4100u);
    EXPECT_EQ(litInsideOutside(), std::make_pair(0, 0)) << "the overlay ends opaque";
    ZKSPRITE& sprite = session().sprite();
    for (int i = 0; i < sprite.GetSurfaceCount(); ++i) EXPECT_EQ(sprite.GetSurfaceLoadState(i), 1);
    for (int i = 0; i < sprite.GetTextureCount(); ++i) EXPECT_EQ(sprite.GetTextureLoadState(i), 1);
    const auto texts = logTexts();
    EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [](const std::string& t) {
        return t.rfind("Error:", 0) == 0 || t.rfind("Warn:", 0) == 0;
    }));
}

// Ctrl held to the end of the logo is checked with the movie tests.
TEST_F(Logo, AClickReturnOrCtrlEndsTheHoldAndTheMovieFollows) {
    for (const int key : {platform::VK_LBUTTON, platform::VK_RETURN, platform::VK_CONTROL}) {
        SCOPED_TRACE(key);
        startLogo();
        ASSERT_TRUE(runToStep(2));
        runFrames(10);
        down(key);
        ASSERT_TRUE(runFrames(1));
        // The click acts on its release; Ctrl as soon as it goes down.
        EXPECT_EQ(session().procStep(), key == platform::VK_CONTROL ? 3 : 2);
        up(key);
        ASSERT_TRUE(runFrames(1));
        EXPECT_EQ(session().procStep(), 3);
        ASSERT_TRUE(runUntil([&] { return session().mode() != 1; }, 100));
        EXPECT_EQ(session().mode(), 2);
        TearDown();
    }
}

TEST_F(Logo, AMissingLogoPictureEndsTheGameThroughTheRelease) {
    replaceMembers("Img.dat", {{"Logo.gpc", ""}});
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    EXPECT_FALSE(runFrames(1));
    EXPECT_TRUE(session().fatal());
    const auto texts = logTexts("1");
    EXPECT_EQ(texts,
              (std::vector<std::string>{
                  "Error: 該当ファイル無し", "Error: <SurfaceLoad> 該当ファイルが見つかりません",
                  "Error: <GAMEMAIN::LogoProc> 画像のロードに失敗しました",
                  "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::LogoProcが失敗しました",
                  "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました"}));
    session().release();
    EXPECT_TRUE(fs::exists("sav/sav00.sav"));
    EXPECT_FALSE(fs::exists("tmp"));
}
