#include <gtest/gtest.h>

#include <tuple>

#include "platform/input/VirtualKeys.h"
#include "platform/video/DisplayStatus.h"
#include "platform/video/HeadlessDisplay.h"
#include "platform/video/WindowDisplay.h"
#include "platform/window/HeadlessWindowHost.h"
#include "platform/window/ModalDialog.h"
#include "platform/window/WindowMessages.h"
#include "support/TestKit.h"

using namespace platform;

namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;

std::vector<std::uint32_t> Plain(int width, int height, std::uint32_t xrgb) {
    return std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, xrgb);
}

// Presents a game frame of one colour (a COLORREF) at the context's depth.
void PresentGame(Display& display, std::uint32_t bits, ColorRef color) {
    std::unique_ptr<DisplayContext> context;
    ASSERT_EQ(display.createContext({kLevelDefault, 800, 600, bits, false}, context), DD_OK);
    context->backBuffer->fill(context->backBuffer->bounds(), color);
    ASSERT_EQ(display.present(*context), DD_OK);
}

}  // namespace

TEST(DisplayLayers, DrawnInTypeOrderClippedOverTheGameAndUnderStripAndCentredDialog) {
    zktest::TestKit kit;
    HeadlessWindowHost host;
    host.menu().addItem(102, "Save");
    ASSERT_NE(
        host.create([](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; }),
        nullptr);
    WindowDisplay display(host);
    PresentGame(display, 32, 0x808080);
    display.setExternalPicture(0, Plain(100, 100, kRed), 100, 100);
    display.setExternalPosition(0, -10, -10);
    display.setExternalPicture(1, Plain(100, 100, kGreen), 100, 100);
    display.setExternalPosition(1, 50, 50);
    display.setExternalPicture(2, Plain(100, 100, kBlue), 100, 100);
    display.setExternalPosition(2, 750, 550);
    for (int layer = 0; layer < 3; ++layer) display.setExternalShown(layer, true);
    const Surface& picture = host.picture().surface();
    auto at = [&](int x, int y) {  // game-area coordinates, read back as 0x00RRGGBB
        std::uint32_t word = 0;
        picture.rawPixel(x, y + 20, word);
        return word & 0xFFFFFFu;
    };
    EXPECT_EQ(at(0, 0), kRed);
    EXPECT_EQ(at(89, 49), kRed);
    EXPECT_EQ(at(60, 60), kGreen);
    EXPECT_EQ(at(149, 149), kGreen);
    EXPECT_EQ(at(799, 599), kBlue);
    EXPECT_EQ(at(749, 599), 0x808080u);
    EXPECT_EQ(at(90, 20), 0x808080u);
    std::uint32_t strip = 0;
    picture.rawPixel(5, 19, strip);
    EXPECT_NE(strip & 0xFFFFFFu, kRed);

    display.setExternalPicture(2, Plain(800, 600, kBlue), 800, 600);
    display.setExternalPosition(2, 0, 0);
    std::vector<std::uint32_t> dialogPixels;
    host.onRefresh = [&] {
        if (const ModalDialog* box = host.openDialog()) {
            const Rect r = box->frameBounds();
            EXPECT_EQ(r.left + r.right, 800);
            EXPECT_EQ(r.top + r.bottom, 600);
            EXPECT_EQ(at(r.left - 1, r.top), kBlue);
            dialogPixels = {at(r.left, r.top), at(r.right - 1, r.bottom - 1)};
        }
    };
    host.push({.kind = PlatformEvent::Kind::KeyDown, .key = VK_ESCAPE});
    host.runDialog({108, "Q", 207, 66, true, {}},
                   [](ModalDialog& d, std::uint32_t m, std::uintptr_t) {
                       if (m == WM_CLOSE) d.end(0);
                       return std::intptr_t{1};
                   });
    ASSERT_EQ(dialogPixels.size(), 2u);
    EXPECT_NE(dialogPixels[0], kBlue);
    EXPECT_NE(dialogPixels[1], kBlue);
}

TEST(DisplayLayers, HeadlessCompositionKeepsTheGameFrameAndCountsPresents) {
    HeadlessDisplay display;
    int composed = 0;
    display.onCompose = [&](const std::vector<std::uint32_t>&, int) { ++composed; };
    PresentGame(display, 16, 0x0000FF);  // red in a 16-bit game frame
    ASSERT_EQ(display.frame().at(0), kRed);
    display.setExternalPicture(2, Plain(160, 120, kGreen), 160, 120);
    EXPECT_EQ(display.layerPresents(), 0);  // a hidden layer changes nothing on screen
    display.setExternalShown(2, true);
    display.setExternalShown(2, true);
    EXPECT_EQ(display.layerPresents(), 1);
    EXPECT_EQ(display.frame().at(0), kGreen);
    EXPECT_EQ(display.frame().at(160), kRed);
    display.setExternalPosition(2, 700, 500);
    EXPECT_EQ(display.frame().at(0), kRed);
    EXPECT_EQ(display.frame().at(599 * 800 + 799), kGreen);
    // A game present under a shown layer keeps the layer on top.
    PresentGame(display, 16, 0xFF0000);
    EXPECT_EQ(display.frame().at(0), kBlue);
    EXPECT_EQ(display.frame().at(599 * 800 + 799), kGreen);
    display.setExternalShown(2, false);
    EXPECT_EQ(display.frame().at(599 * 800 + 799), kBlue);
    EXPECT_EQ(display.presents(), 2);
    EXPECT_EQ(display.layerPresents(), 3);
    EXPECT_EQ(composed, 5);
}

// A picture taken out, for a movie's next picture to be drawn over it, leaves the
// layer drawing nothing and is not presented until it is set again; a refused set
// changes nothing.
TEST(DisplayLayers, APictureTakenOutIsPresentedWhenSetAgain) {
    HeadlessDisplay display;
    display.setExternalShown(2, true);
    display.setExternalPicture(2, Plain(2, 2, kRed), 2, 2);
    const int presents = display.layerPresents();
    EXPECT_EQ(display.takeExternalPicture(2), Plain(2, 2, kRed));
    const ExternalLayers::Layer& layer = display.externalLayers().layer(2);
    EXPECT_EQ(std::tuple(layer.width, layer.height, layer.pixels.empty()), std::tuple(0, 0, true));
    std::vector<std::uint32_t> area(4, kBlue);
    display.externalLayers().drawOver(area.data(), 2, 2, 2);
    EXPECT_EQ(area, Plain(2, 2, kBlue));
    EXPECT_EQ(display.layerPresents(), presents);
    EXPECT_TRUE(display.takeExternalPicture(4).empty());

    display.setExternalPicture(2, Plain(3, 1, kGreen), 3, 1);
    EXPECT_EQ(display.layerPresents(), presents + 1);
    const struct {
        const char* name;
        int layer, width, height;
    } refused[] = {{"a size that does not match", 2, 3, 3}, {"no such layer", 4, 2, 2}};
    for (const auto& r : refused) {
        display.setExternalPicture(r.layer, Plain(2, 2, kBlue), r.width, r.height);
        EXPECT_EQ(display.layerPresents(), presents + 1) << r.name;
    }
    EXPECT_EQ(display.externalLayers().layer(2).pixels, Plain(3, 1, kGreen));
}
