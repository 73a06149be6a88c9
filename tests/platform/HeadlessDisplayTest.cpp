#include <gtest/gtest.h>

#include "platform/DisplayStatus.h"
#include "platform/HeadlessDisplay.h"
#include "platform/HeadlessMessageBox.h"
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

}  // namespace

TEST(HeadlessDisplay, ContextFormatFollowsScreenMode) {
    const struct {
        std::uint32_t bits;
        bool fullScreen;
        std::uint32_t primaryBits;
        std::uint32_t rMask;
        std::size_t backBytes;
    } cases[] = {
        {16, false, 32, 0xFF0000, 4}, {32, true, 32, 0xFF0000, 4}, {24, true, 24, 0xFF0000, 4},
        {16, true, 16, 0xF800, 2},    {8, true, 8, 0, 4},
    };
    for (const auto& c : cases) {
        HeadlessDisplay display;
        const auto context = MakeContext(display, c.bits, c.fullScreen);
        EXPECT_EQ(context->primary->format().bitCount, c.primaryBits);
        EXPECT_EQ(context->primary->format().rMask, c.rMask);
        EXPECT_EQ(context->backBuffer->format().bytesPerPixel(), c.backBytes);
        std::shared_ptr<platform::Surface> surface;
        ASSERT_EQ(display.createSurface(3, 3, true, surface), platform::DD_OK);
        EXPECT_EQ(surface->format().bytesPerPixel(), c.backBytes);
    }
}

TEST(HeadlessDisplay, PresentCapturesTheBackBufferExpanded) {
    HeadlessDisplay display;
    const auto context = MakeContext(display, 16, true);
    context->backBuffer->setPixel(1, 0, 0xFFFFFF);
    context->backBuffer->setPixel(2, 1, 0x0000840F);
    ASSERT_EQ(display.present(*context), platform::DD_OK);
    ASSERT_EQ(display.presents(), 1);
    ASSERT_EQ(display.frameWidth(), 4);
    EXPECT_EQ(display.frame()[1], 0xFFFFFFu);
    EXPECT_EQ(display.frame()[4 + 2], 0x088600u);
    EXPECT_EQ(display.frame()[0], 0u);

    display.presentFailures = 1;
    display.presentStatus = platform::DDERR_SURFACEBUSY;
    EXPECT_EQ(display.present(*context), platform::DDERR_SURFACEBUSY);
    context->primary->markLost();
    EXPECT_EQ(display.present(*context), platform::DDERR_SURFACELOST);
    EXPECT_EQ(display.presents(), 1);
}

TEST(HeadlessDisplay, LosingAndRestoringEverySurface) {
    HeadlessDisplay display;
    const auto context = MakeContext(display, 32, true);
    std::shared_ptr<platform::Surface> surface;
    ASSERT_EQ(display.createSurface(2, 2, false, surface), platform::DD_OK);
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
    ASSERT_EQ(display.createSurface(2, 2, false, surface), platform::DD_OK);
    EXPECT_TRUE(surface->lost());
}

TEST(HeadlessDisplay, SurfaceCreationFailures) {
    HeadlessDisplay display;
    std::shared_ptr<platform::Surface> surface;
    EXPECT_EQ(display.createSurface(0, 5, false, surface), platform::DDERR_OUTOFMEMORY);
    EXPECT_EQ(display.createSurface(8193, 5, false, surface), platform::DDERR_OUTOFMEMORY);
    display.videoMemoryFull = true;
    EXPECT_EQ(display.createSurface(5, 5, true, surface), platform::DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(display.createSurface(5, 5, false, surface), platform::DD_OK);
    display.surfaceCreationFails = true;
    EXPECT_EQ(display.createSurface(5, 5, false, surface), platform::DDERR_OUTOFMEMORY);
}

TEST(HeadlessDisplay, SurfacesOutliveTheirDisplay) {
    std::shared_ptr<platform::Surface> surface;
    {
        auto display = std::make_unique<HeadlessDisplay>();
        ASSERT_EQ(display->createSurface(2, 2, false, surface), platform::DD_OK);
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
