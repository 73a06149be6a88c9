#include <gtest/gtest.h>

#include "platform/video/DisplayStatus.h"
#include "platform/video/HeadlessDisplay.h"
#include "platform/window/HeadlessMessageBox.h"
#include "support/Bytes.h"
#include "support/TestKit.h"

using platform::HeadlessDisplay;

namespace {

std::unique_ptr<platform::DisplayContext> MakeContext(HeadlessDisplay& display, std::uint32_t bits,
                                                      bool fullScreen) {
    std::unique_ptr<platform::DisplayContext> context;
    EXPECT_EQ(display.createContext({platform::kLevelDefault, 4, 2, bits, fullScreen}, context),
              platform::DD_OK);
    return context;
}

std::vector<std::uint32_t> RawWords(const platform::Surface& surface) {
    std::vector<std::uint32_t> words;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            std::uint32_t pixel = 0;
            EXPECT_EQ(surface.rawPixel(x, y, pixel), platform::DD_OK);
            words.push_back(pixel);
        }
    }
    return words;
}

}  // namespace

TEST(HeadlessDisplay, LosingAndRestoringEverySurface) {
    HeadlessDisplay display;
    const auto context = MakeContext(display, 32, true);
    std::shared_ptr<platform::Surface> surface;
    ASSERT_EQ(display.createSurface(2, 2, false, nullptr, surface), platform::DD_OK);
    surface->fill(surface->bounds(), 0xFFFFFF);
    display.loseEverything();
    EXPECT_TRUE(display.anythingLost());
    EXPECT_TRUE(context->backBuffer->lost());
    EXPECT_EQ(display.clear(*context), platform::DDERR_SURFACELOST);
    display.restoreFailsFor = surface.get();
    EXPECT_LT(display.restoreSurface(*surface), 0);
    ASSERT_EQ(display.restoreAllSurfaces(), platform::DD_OK);
    EXPECT_FALSE(display.anythingLost());
    std::uint32_t pixel = 1;
    ASSERT_EQ(surface->rawPixel(1, 1, pixel), platform::DD_OK);
    EXPECT_EQ(pixel, 0u);

    display.nextSurfaceLost = true;
    ASSERT_EQ(display.createSurface(2, 2, false, nullptr, surface), platform::DD_OK);
    EXPECT_TRUE(surface->lost());
}

TEST(HeadlessDisplay, ASurfaceMadeFromAPictureHoldsWhatACopyWouldAndTakesItsWords) {
    const std::vector<std::uint32_t> picture = {0xFF112233, 0x00445566, 0x80FFFFFF,
                                                0x12000000, 0xFF0000FF, 0x00FF8040};
    for (const std::uint32_t bits : {32u, 16u}) {
        SCOPED_TRACE(bits);
        HeadlessDisplay display;
        const auto context = MakeContext(display, bits, true);
        std::shared_ptr<platform::Surface> copied, made;
        ASSERT_EQ(display.createSurface(3, 2, false, nullptr, copied), platform::DD_OK);
        ASSERT_EQ(copied->drawPicture(picture, 3, 2), platform::DD_OK);

        std::vector<std::uint32_t> wrongSize(picture.begin(), picture.end() - 1);
        EXPECT_EQ(display.createSurface(3, 2, false, &wrongSize, made),
                  platform::DDERR_INVALIDPARAMS);
        EXPECT_EQ(made, nullptr);
        EXPECT_EQ(wrongSize.size(), 5u);

        std::vector<std::uint32_t> words = picture;
        const std::uint32_t* held = words.data();
        ASSERT_EQ(display.createSurface(3, 2, false, &words, made), platform::DD_OK);
        EXPECT_EQ(made->format().storage, copied->format().storage);
        EXPECT_EQ(RawWords(*made), RawWords(*copied));
        EXPECT_TRUE(words.empty());
        // Surfaces showing different pixels never share a version.
        std::vector<std::uint32_t> black(6, 0);
        std::shared_ptr<platform::Surface> other;
        ASSERT_EQ(display.createSurface(3, 2, false, &black, other), platform::DD_OK);
        EXPECT_NE(other->version(), made->version());
        EXPECT_EQ(made->words32(), bits == 32 ? held : nullptr);
    }
}

TEST(HeadlessDisplay, SurfacesOutliveTheirDisplay) {
    std::shared_ptr<platform::Surface> surface;
    {
        auto display = std::make_unique<HeadlessDisplay>();
        ASSERT_EQ(display->createSurface(2, 2, false, nullptr, surface), platform::DD_OK);
    }
    EXPECT_EQ(surface->fill(surface->bounds(), 0xFF), platform::DD_OK);
}

TEST(MessageBox, LogsOneLineThenRecords) {
    zktest::TestKit kit;
    platform::HeadlessMessageBox box;
    const std::string text = zktest::Sjis(u8"初期化に\n失敗");
    box.show("Error", text);
    EXPECT_EQ(kit.debugLines(), std::vector<std::string>{"Error: 初期化に 失敗"});
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_EQ(box.shown()[0], (platform::HeadlessMessageBox::Shown{"Error", text}));
    // The default box only writes the line.
    platform::MessageBox plain;
    plain.show("A", "b");
    EXPECT_EQ(kit.debugLines().back(), "A: b");
}
