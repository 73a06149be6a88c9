#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/ZKSPRITE.h"
#include "platform/video/HeadlessDisplay.h"
#include "platform/window/HeadlessMessageBox.h"
#include "support/TestKit.h"

namespace zktest {

// A picture whose pixel (x, y) names its coordinates exactly in 32-bit colour:
// red holds the low byte of x, green the low byte of y, blue the high bits of both.
std::uint32_t CoordColor(int x, int y);
std::vector<std::uint32_t> CoordPicture(int width, int height);
// Whether the pixel (x, y) lies in r (right and bottom edges excluded).
inline bool Inside(int x, int y, const platform::Rect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// A graphics object on its own headless display, in a private working folder,
// with captured log lines and message boxes.
struct SpriteKit {
    TestKit kit;
    platform::HeadlessDisplay display;
    platform::HeadlessMessageBox messageBox;
    ZKSPRITE sprite{display};

    SpriteKit();
    // A kit already set up as setUp() does.
    explicit SpriteKit(std::uint32_t bits, std::uint32_t fullScreen = 1, int surfaces = 8,
                       int textures = 4);

    // Sets the object up at 800 x 600 and makes both slot tables.
    void setUp(std::uint32_t bits = 32, std::uint32_t fullScreen = 1, int surfaces = 8,
               int textures = 4);
    // Writes a 24-bit bitmap of the coordinate picture as file and registers it in
    // surface slot i; returns the file name.
    std::string registerPicture(int i, int width, int height, const std::string& file = "");
    // Registers and loads a coordinate picture into surface slot i.
    void loadPicture(int i, int width, int height, int colorKey = 0,
                     std::uint32_t rgb = 0xFFFFFFFFu);
    // Writes a 24-bit bitmap of the pixels (0x00RRGGBB) and loads it into texture slot i.
    void loadTexture(int i, int width, int height, const std::vector<std::uint32_t>& pixels,
                     int colorKey = 0, std::uint32_t rgb = 0xFFFFFFFFu);
    // A texture of one colour.
    void loadFlatTexture(int i, int width, int height, std::uint32_t xrgb);
    // Fills the back buffer with one colour (0x00RRGGBB).
    void fillBack(std::uint32_t xrgb);
    // The back buffer's pixel as 0x00RRGGBB.
    std::uint32_t backPixel(int x, int y) const;
    // Surface slot i's pixel as 0x00RRGGBB.
    std::uint32_t slotPixel(int i, int x, int y) const;
    // Every device level lists only these modes.
    void onlyModes(const std::vector<platform::VideoMode>& modes);
    std::vector<std::string> debugLines() const { return kit.debugLines(); }
    void clearLog() { kit.log.clear(); }

private:
    platform::ScopedService<platform::MessageBox> boxScope_{messageBox};
};

}  // namespace zktest
