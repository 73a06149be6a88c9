#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "extras/SPECIAL_DATA.h"
#include "support/WindowTestBench.h"

namespace zktest {

struct MenuPoint {
    int x, y;
};

// The extras menu on the window bench: the bench's own pictures, or, for the pixel
// tests, a flat background and a material sheet of flat cells at the menu's
// rectangles (TestSheet), with the game-clear word the test sets.
struct ExtrasMenu : ::testing::Test {
    // A point on each button by id (0: on none), clear of every glow and label.
    static constexpr MenuPoint kOn[] = {{20, 20}, {350, 590}, {660, 350}, {280, 40}, {110, 370}};
    // Where the arrow keys put the pointer, by button id.
    static constexpr MenuPoint kCentre[] = {{0, 0}, {403, 511}, {631, 397}, {400, 135}, {150, 422}};
    static constexpr std::uint32_t kBackColor = 0x203040;
    static constexpr std::uint32_t kKeyColor = 0xFF00FF;
    // The test sheet's cells.
    static constexpr std::uint32_t kMusicRoomColor = 0x20A040;
    static constexpr std::uint32_t kTitleColor = 0x4060C0;
    static constexpr std::uint32_t kDressRoomColor = 0xC04080;
    static constexpr std::uint32_t kGalleryColor = 0x80C020;
    static constexpr std::uint32_t kGlowColor = 0xE0C000;
    static constexpr std::uint32_t kBlinkColor[2] = {0x00C0E0, 0xE06000};

    WindowTestBench bench;
    SPECIAL_DATA menu;
    std::uint32_t gameClear = 0;
    platform::ScriptedInput& input = bench.kit.sprites.kit.input;

    ~ExtrasMenu() override { menu.Release(); }

    // The bench's materials with the menu's two pictures painted for pixel tests.
    static void WriteTestPictures();
    // Initialised over the bench with the game-clear word; the log emptied.
    void Start(std::uint32_t clear);
    // The keys pressed in one frame and released in the next, the current one.
    void ReleaseKeys(const std::vector<int>& keys);
    // The standby at kT0 + ms, in the frame the keys were last scanned for.
    int Standby(MenuPoint at, std::uint32_t ms, std::int32_t left = KEY_STATE_UP);
    MenuPoint Pointer() const;
    const std::vector<std::uint32_t>& Frame();
};

}  // namespace zktest
