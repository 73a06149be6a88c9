#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MenuFixture.h"
#include "game/ResourceLoader.h"

using zktest::ExtrasMenu;
using zktest::MenuPoint;
using zktest::WindowTestBench;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

struct ExtrasMenuDraw : ExtrasMenu {
    ExtrasMenuDraw() { WriteTestPictures(); }

    std::uint32_t At(int x, int y) { return WindowTestBench::At(Frame(), x, y); }
    // White pixels of the frame: inside the rectangle, and outside it.
    std::pair<int, int> WhitePixels(const platform::Rect& inside) {
        const std::vector<std::uint32_t>& frame = Frame();
        std::pair<int, int> count;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                if (WindowTestBench::At(frame, x, y) != kWhite) continue;
                const bool in =
                    x >= inside.left && x < inside.right && y >= inside.top && y < inside.bottom;
                ++(in ? count.first : count.second);
            }
        }
        return count;
    }
    // The smallest rectangle around the frame's white pixels.
    platform::Rect WhiteBox() {
        const std::vector<std::uint32_t>& frame = Frame();
        platform::Rect box{800, 600, 0, 0};
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                if (WindowTestBench::At(frame, x, y) != kWhite) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
        return box;
    }
};

// Each hover picture covers its place while its button is under the pointer; only
// the music room's is drawn with its key (the others' key-coloured corners show);
// the title's needs the flag its owner sets after the pause.
TEST_F(ExtrasMenuDraw, HoverPicturesCoverTheirPlaces) {
    Start(1);
    const struct {
        int id;
        platform::Rect place;
        std::uint32_t color;
        std::uint32_t corner;
    } cases[] = {
        {1, {224, 432, 472, 600}, kGalleryColor, kKeyColor},
        {2, {584, 320, 744, 456}, kMusicRoomColor, kBackColor},
        {3, {256, 16, 544, 224}, kTitleColor, kKeyColor},
        {4, {124, 367, 204, 495}, kDressRoomColor, kKeyColor},
    };
    std::uint32_t ms = 0;
    for (const auto& c : cases) {
        const platform::Rect& r = c.place;
        const MenuPoint inside[] = {{r.left + 1, r.top + 1}, {r.right - 1, r.bottom - 1}};
        // Next to the top-left corner, where the sheet's next rows and columns hold
        // other cells or the unkeyed key colour.
        const MenuPoint outside[] = {{r.left - 1, r.top + 1},
                                     {r.left + 1, r.top - 1},
                                     {r.right, r.top + 1},
                                     {r.left + 1, r.bottom}};
        Standby(kOn[0], ms += 16);
        for (const MenuPoint p : inside) EXPECT_EQ(At(p.x, p.y), kBackColor) << c.id;
        if (c.id == SPECIAL_DATA::kTitle) {
            Standby(kOn[c.id], ms += 16);
            EXPECT_EQ(At(r.left + 1, r.top + 1), kBackColor);
            menu.nPictureFlg[2] = SPECIAL_DATA::kTitlePictureShown;
        } else {
            Standby(kOn[c.id], ms += 16);
        }
        for (const MenuPoint p : inside) EXPECT_EQ(At(p.x, p.y), c.color) << c.id;
        EXPECT_EQ(At(r.left, r.top), c.corner) << c.id;
        for (const MenuPoint p : outside) {
            if (p.y >= 600) continue;
            EXPECT_EQ(At(p.x, p.y), kBackColor) << c.id << " " << p.x << "," << p.y;
        }
        menu.nPictureFlg[2] = 0;
    }
    // A flag of 2 shows the title's picture alone.
    menu.nPictureFlg[0] = SPECIAL_DATA::kTitlePictureShown;
    EXPECT_EQ(At(230, 440), kBackColor);
}

TEST_F(ExtrasMenuDraw, TheHiddenDressRoomIsNeitherGlowingNorPictured) {
    Start(0);
    menu.nPictureFlg[3] = 1;
    menu.Button[3].fHighlight = 1.0f;
    EXPECT_EQ(At(130, 380), kDressRoomColor);
    EXPECT_EQ(At(152, 512), kBackColor);
    EXPECT_EQ(WhitePixels({}).second, 0);
    gameClear = 1;
    EXPECT_EQ(At(152, 512), kGlowColor);
}

// The glow is the strip scaled by the strength about the button's centre; around
// the gallery's (400, 546) it spans (332, 534) to (469, 559) at 0.5 and (263, 521)
// to (537, 571) at full strength.
TEST_F(ExtrasMenuDraw, TheGlowGrowsWithTheStrengthAroundTheCentre) {
    Start(0);
    const struct {
        std::uint32_t ms;
        MenuPoint sample;
        std::uint32_t color;
    } cases[] = {
        {0, {400, 546}, kGalleryColor}, {50, {400, 546}, kGlowColor},
        {50, {333, 546}, kGlowColor},   {50, {330, 546}, kGalleryColor},
        {50, {467, 546}, kGlowColor},   {50, {471, 546}, kGalleryColor},
        {50, {400, 535}, kGlowColor},   {50, {400, 532}, kGalleryColor},
        {50, {400, 557}, kGlowColor},   {50, {400, 561}, kGalleryColor},
        {100, {263, 546}, kGlowColor},  {100, {262, 546}, kGalleryColor},
        {100, {536, 546}, kGlowColor},  {100, {537, 546}, kBackColor},
        {100, {400, 521}, kGlowColor},  {100, {400, 520}, kGalleryColor},
        {100, {400, 570}, kGlowColor},  {100, {400, 571}, kGalleryColor},
    };
    for (const auto& c : cases) {
        Standby(kOn[1], c.ms);
        EXPECT_EQ(At(c.sample.x, c.sample.y), c.color)
            << c.ms << " " << c.sample.x << "," << c.sample.y;
    }
}

// The label's boxes lie in (x - 124, y - 12) to (x + 124, y + 11) once the glow is
// full, and go as soon as it falls.
TEST_F(ExtrasMenuDraw, TheLabelShowsOnlyAtFullStrength) {
    Start(1);
    const struct {
        MenuPoint centre;
        int characters;
    } buttons[] = {{{400, 546}, 8}, {{636, 452}, 6}, {{400, 251}, 7}, {{152, 491}, 6}};
    for (int id = 1; id <= 4; ++id) {
        const MenuPoint centre = buttons[id - 1].centre;
        const platform::Rect label{centre.x - 124, centre.y - 12, centre.x + 124, centre.y + 11};
        const std::uint32_t base = 1000 * static_cast<std::uint32_t>(id);
        Standby(kOn[id], base);
        Standby(kOn[id], base + 99);
        EXPECT_EQ(WhitePixels(label), std::make_pair(0, 0)) << id;
        Standby(kOn[id], base + 100);
        const auto full = WhitePixels(label);
        EXPECT_GT(full.first, 50) << id;
        EXPECT_EQ(full.second, 0) << id;
        // One box a character, a pixel apart, centred on the button.
        const platform::Rect box = WhiteBox();
        EXPECT_EQ(box.width(), 24 * buttons[id - 1].characters - 1) << id;
        EXPECT_EQ(box.left, centre.x - 12 * buttons[id - 1].characters) << id;
        EXPECT_GE(box.top, label.top) << id;
        // The frame the pointer leaves starts the fall, which shows from the next.
        Standby(kOn[0], base + 101);
        EXPECT_GT(WhitePixels(label).first, 50) << id;
        Standby(kOn[0], base + 102);
        EXPECT_EQ(WhitePixels(label), std::make_pair(0, 0)) << id;
        EXPECT_EQ(At(centre.x, centre.y + 20), kGlowColor) << id;
    }
}

// A chosen button's strip alternates the two blink cells every 50 ms at the strength
// it had, while the others fade out.
TEST_F(ExtrasMenuDraw, AChosenButtonBlinks) {
    Start(1);
    Standby(kOn[2], 0);
    Standby(kOn[2], 100);
    Standby(kOn[2], 120, KEY_STATE_RELEASED);
    const struct {
        std::uint32_t ms;
        std::uint32_t color;
    } frames[] = {{120, kBlinkColor[0]}, {169, kBlinkColor[0]}, {170, kBlinkColor[1]},
                  {219, kBlinkColor[1]}, {220, kBlinkColor[0]}, {270, kBlinkColor[1]}};
    const std::uint32_t t0 = WindowTestBench::kT0;
    for (const auto& f : frames) {
        for (SPECIAL_BUTTON_DATA& button : menu.Button) button.Proc(0, 0, t0 + f.ms);
        EXPECT_EQ(At(636, 470), f.color) << f.ms;
        EXPECT_EQ(At(636 - 130, 470), f.color) << f.ms;
    }
    EXPECT_EQ(menu.Button[1].fHighlight, 1.0f);
}

}  // namespace

namespace {

// Only the background's failure is reported, once while it lasts; the menu draws on.
TEST_F(ExtrasMenuDraw, OnlyAFailedBackgroundIsLogged) {
    Start(1);
    Standby(kOn[1], 0);
    Standby(kOn[1], 100);
    SurfaceUnload(bench.sprite, bench.sys, 20);
    Frame();
    EXPECT_TRUE(bench.lines().empty() ||
                bench.lines().back().find("SPECIAL_DATA") == std::string::npos);
    SurfaceUnload(bench.sprite, bench.sys, 19);
    bench.kit.clearLog();
    Frame();
    bench.drawFrame([&] { EXPECT_EQ(menu.Draw(), 1); });
    const std::vector<std::string> lines = bench.lines();
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), "Error: <SPECIAL_DATA::Draw> 描画に失敗しました"),
        1);
    // The label is still drawn over the missing pictures.
    EXPECT_GT(WhitePixels({}).second, 50);
}

}  // namespace
