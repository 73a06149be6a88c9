#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/GoldenImage.h"
#include "windows/ConfigScreenBench.h"

using zktest::ConfigScreenBench;
using zktest::Point;
using zktest::WindowTestBench;

namespace {

constexpr int kPanelX = 64;
constexpr int kPanelY = 76;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kShadow = 0x404040;

struct ConfigDraw : ConfigScreenBench {
    static std::uint32_t Cell(const char* name) {
        return WindowTestBench::CellColor("ConfigMaterial", name);
    }
    // Two pixels in from the top-left corner of a picture drawn at x, y of the panel.
    static Point In(int x, int y) { return {kPanelX + x + 2, kPanelY + y + 2}; }
    const std::vector<std::uint32_t>& Shown(std::uint32_t inGame = 1) {
        return bench.drawFrame([&] { EXPECT_EQ(screen.Draw(inGame), 1); });
    }
    static std::uint32_t Pixel(const std::vector<std::uint32_t>& frame, Point p) {
        return WindowTestBench::At(frame, p.x, p.y);
    }
};

}  // namespace

// With the step of 100 the panel rises 100 px a frame and snaps to 76; it sinks from
// about 10 px a frame to full speed and snaps to 600. It is drawn where it stands.
TEST_F(ConfigDraw, ThePanelSlidesUpAndDownWhereItIsDrawn) {
    ASSERT_EQ(screen.Initialize(Live(), 32, &context), 1);
    EXPECT_EQ(Pixel(Shown(), {kPanelX + 5, 595}), 0u) << "not shown before the slide";
    const int opening[] = {500, 400, 300, 200, 100, 76};
    for (std::size_t k = 0; k < std::size(opening); ++k) {
        EXPECT_EQ(screen.WindowOpen(100), k + 1 == std::size(opening) ? 1 : 0) << k;
        EXPECT_EQ(screen.nY, opening[k]) << k;
    }
    const auto& open = Shown();
    EXPECT_EQ(Pixel(open, {kPanelX + 5, kPanelY - 1}), 0u);
    EXPECT_EQ(Pixel(open, In(3, 0)), Cell("panel"));
    const int closing[] = {85, 99, 134, 233, 332, 431, 530};
    for (const int y : closing) {
        EXPECT_EQ(screen.WindowClose(100), 0);
        EXPECT_EQ(screen.nY, y);
    }
    EXPECT_EQ(Pixel(Shown(), {kPanelX + 5, 535}), Cell("panel"));
    EXPECT_EQ(screen.WindowClose(100), 1);
    EXPECT_EQ(screen.nY, 600);
    EXPECT_EQ(screen.nDispFlg, 0u);
    EXPECT_EQ(Pixel(Shown(), {kPanelX + 5, 599}), 0u);
}

// Each control shows the look its state asks for, at its own place.
TEST_F(ConfigDraw, ControlsShowTheirLooks) {
    shell.settings.bgmOn = 0;
    shell.settings.bgmVolume = 3;
    shell.settings.seVolume = 10;
    shell.settings.colourDepth = 16;
    speed = 2000;
    autoFlg = 1;
    Open();
    screen.nCursorId = 2;
    screen.nOkBtnState = 2;
    screen.nTitleBtnState = 1;
    const auto& a = Shown();
    const struct {
        Point p;
        const char* cell;
    } probes[] = {
        {In(189, 84), "slow-s"},
        {In(291, 84), "normal-h"},
        {In(393, 84), "panel"},
        {In(191, 116), "auto-on-s"},
        {In(260, 116), "panel"},
        {In(260, 148), "skip-off-s"},
        {In(260, 212), "music-off-s"},
        {In(318 + 34 * 2, 212), "music-level-off"},
        {In(318 + 34 * 9, 276), "effects-level-s"},
        {In(279, 340), "window-s"},
        {In(267, 340), "panel"},
        {In(193, 372), "16bit-s"},
        {In(371, 372), "panel"},
        {In(637, 7), "ok-p"},
        {In(-13, 7), "title-h"},
        {{kPanelX - 12, kPanelY + 7 + 25}, "title-h"},
    };
    for (const auto& p : probes) EXPECT_EQ(Pixel(a, p.p), Cell(p.cell)) << p.cell;

    screen.nCursorId = 15;
    screen.nOkBtnState = 1;
    const auto& b = Shown(0);
    EXPECT_EQ(Pixel(b, In(318 + 34 * 5, 212)), Cell("panel")) << "no hover on a row switched off";
    EXPECT_EQ(Pixel(b, In(637, 7)), Cell("ok-h"));
    EXPECT_EQ(Pixel(b, In(-13, 7)), 0u) << "no return item from the title";
    screen.nValue[CONFIG_BGM_ON] = 1;
    screen.nValue[CONFIG_COLOUR] = 1;
    screen.nOkBtnState = 0;
    screen.nTitleBtnState = 0;
    const auto& c = Shown();
    EXPECT_EQ(Pixel(c, In(318 + 34 * 5, 212)), Cell("music-level-h"));
    EXPECT_EQ(Pixel(c, In(318 + 34 * 2, 212)), Cell("music-level-s"));
    EXPECT_EQ(Pixel(c, In(371, 372)), Cell("high-s")) << "choice 1 is high colour";
    EXPECT_EQ(Pixel(c, In(637, 7)), Cell("ok-n"));
    EXPECT_EQ(Pixel(c, In(-13, 7)), Cell("title-n"));
    screen.Release();

    Open(16);
    screen.nCursorId = 47;
    EXPECT_EQ(Pixel(Shown(), In(371, 372)), Cell("unavailable")) << "whatever the choice";
}

// The box scales about (400, 302) while it grows and shrinks; its texts, each over
// its shadow, stand only while it is up, yes and no coloured by their states.
TEST_F(ConfigDraw, TheBoxScalesAndShowsItsTextsOnlyWhileUp) {
    Open();
    screen.nSlideFlg = CONFIG_DATA::kBoxGrowing;
    screen.fConfirmScale = 0.5f;
    const auto& growing = Shown();
    EXPECT_EQ(Pixel(growing, {312, 257}), Cell("box"));
    EXPECT_EQ(Pixel(growing, {487, 346}), Cell("box"));
    EXPECT_EQ(Pixel(growing, {311, 300}), Cell("panel"));
    EXPECT_EQ(Pixel(growing, {400, 347}), Cell("panel"));
    EXPECT_EQ(Pixel(growing, {330, 344}), Cell("box")) << "no texts";
    screen.fConfirmScale = 0.0f;
    EXPECT_EQ(Pixel(Shown(), {330, 290}), Cell("panel"));

    screen.nSlideFlg = CONFIG_DATA::kBoxUp;
    screen.fConfirmScale = 1.0f;
    screen.nYesState = 1;
    screen.nNoState = 2;
    const auto& up = Shown();
    const struct {
        Point p;
        std::uint32_t color;
        const char* what;
    } probes[] = {
        {{241, 259}, kWhite, "the message"},         {{263, 270}, kShadow, "its shadow"},
        {{241, 259 + 48}, kWhite, "its third line"}, {{330, 344}, 0xFFFF00, "yes hovered"},
        {{352, 350}, kShadow, "yes's shadow"},       {{378, 344}, kWhite, "the slash"},
        {{401, 344}, 0xFF0000, "no pressed"},        {{225, 214}, Cell("box"), "the box's corner"},
    };
    for (const auto& p : probes) EXPECT_EQ(Pixel(up, p.p), p.color) << p.what;
    screen.nSlideFlg = CONFIG_DATA::kBoxShrinking;
    EXPECT_EQ(Pixel(Shown(), {330, 344}), Cell("box"));
}

TEST_F(ConfigDraw, GoldenSettingsScreen) {
    shell.settings.bgmOn = 0;
    shell.settings.bgmVolume = 7;
    shell.settings.fullScreen = 1;
    speed = 500;
    Open();
    screen.nCursorId = 4;
    screen.nOkBtnState = 2;
    screen.nSlideFlg = CONFIG_DATA::kBoxUp;
    screen.fConfirmScale = 1.0f;
    screen.nYesState = 1;
    EXPECT_TRUE(zktest::GoldenImage::Matches(std::string(ZK_GOLDEN_DIR) + "/settings-screen.png",
                                             Shown(), 800, {kPanelX, kPanelY, 736, 492}));
}

// Every picture the screen draws is a whole cell of its material, or for a level a
// slice of its row's band, so that the demo's cells are what the screen shows.
TEST(ConfigMaterialCells, EveryPictureIsACellOrASliceOfABand) {
    const auto& cells = WindowTestBench::Entry("ConfigMaterial").cells;
    const auto whole = [&](const platform::Rect& rc) {
        return std::any_of(cells.begin(), cells.end(), [&](const auto& c) {
            return c.left == rc.left && c.top == rc.top && c.right == rc.right &&
                   c.bottom == rc.bottom;
        });
    };
    const auto slice = [&](const platform::Rect& rc) {
        return std::any_of(cells.begin(), cells.end(), [&](const auto& c) {
            return c.left <= rc.left && rc.right <= c.right && c.top == rc.top &&
                   c.bottom == rc.bottom && (rc.left - c.left) % 30 == 0;
        });
    };
    for (const CONFIG_CONTROL& c : ConfigControls()) {
        if (c.kind == CONFIG_KIND::Yes || c.kind == CONFIG_KIND::No) continue;
        const bool hasRest = c.kind == CONFIG_KIND::Level || c.kind == CONFIG_KIND::Ok ||
                             c.kind == CONFIG_KIND::Title;
        for (int look = hasRest ? 0 : 1; look < CONFIG_LOOK_COUNT; ++look) {
            const platform::Rect& rc = c.rcLook[look];
            EXPECT_TRUE(c.kind == CONFIG_KIND::Level ? slice(rc) : whole(rc))
                << c.nId << " look " << look;
        }
    }
    for (const platform::Rect rc :
         {platform::Rect{0, 0, 672, 416}, {432, 416, 582, 440}, {396, 464, 748, 644}}) {
        EXPECT_TRUE(whole(rc)) << rc.left << "," << rc.top;
    }
}
