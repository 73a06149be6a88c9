#include "MenuFixture.h"

#include <string>
#include <utility>

#include "common/BitmapWriter.h"
#include "support/ScriptKit.h"

namespace zktest {

namespace {

constexpr int kSheetWidth = 448;
constexpr int kSheetHeight = 526;

struct Cell {
    platform::Rect rect;
    std::uint32_t color;
};

// Flat cells on the key colour, each with the key colour in its top-left pixel, which
// shows only where a picture is drawn without its key. The music room's cell starts
// at the sheet's top-left pixel, the key.
std::string TestSheet() {
    const Cell cells[] = {
        {{0, 0, 160, 136}, ExtrasMenu::kMusicRoomColor},
        {{160, 0, 448, 208}, ExtrasMenu::kTitleColor},
        {{0, 136, 80, 264}, ExtrasMenu::kDressRoomColor},
        {{160, 208, 408, 376}, ExtrasMenu::kGalleryColor},
        {{160, 376, 434, 426}, ExtrasMenu::kGlowColor},
        {{160, 426, 434, 476}, ExtrasMenu::kBlinkColor[0]},
        {{160, 476, 434, 526}, ExtrasMenu::kBlinkColor[1]},
        // Beside the strips, for a strip cut one column too wide to show.
        {{434, 376, 448, 526}, 0x808080},
    };
    std::vector<std::uint32_t> pixels(kSheetWidth * kSheetHeight, ExtrasMenu::kKeyColor);
    for (const Cell& cell : cells) {
        for (int y = cell.rect.top; y < cell.rect.bottom; ++y) {
            for (int x = cell.rect.left; x < cell.rect.right; ++x)
                pixels[static_cast<std::size_t>(y * kSheetWidth + x)] = cell.color;
        }
    }
    for (const Cell& cell : cells) {
        pixels[static_cast<std::size_t>(cell.rect.top * kSheetWidth + cell.rect.left)] =
            ExtrasMenu::kKeyColor;
    }
    return zktools::BitmapBytes(zktools::BitmapForm::Rgb24, kSheetWidth, kSheetHeight, pixels);
}

}  // namespace

void ExtrasMenu::WriteTestPictures() {
    std::vector<std::pair<std::string, std::string>> pictures = WindowTestBench::Materials();
    for (auto& [name, bytes] : pictures) {
        if (name == WindowTestBench::Entry("SpecialBack").name)
            bytes = ScriptKit::Flat(800, 600, kBackColor);
        if (name == WindowTestBench::Entry("SpecialMaterial").name) bytes = TestSheet();
    }
    ScriptKit::WriteArchive("dat/Img.dat", pictures);
}

void ExtrasMenu::Start(std::uint32_t clear) {
    gameClear = clear;
    ASSERT_EQ(menu.Initialize(bench.context, &gameClear), 1u);
    bench.kit.clearLog();
}

void ExtrasMenu::ReleaseKeys(const std::vector<int>& keys) {
    for (const int key : keys) input.setKey(key, true);
    bench.sys->KeyScan();
    for (const int key : keys) input.setKey(key, false);
    bench.sys->KeyScan();
}

int ExtrasMenu::Standby(MenuPoint at, std::uint32_t ms, std::int32_t left) {
    return menu.SpecialStandby(at.x, at.y, left, WindowTestBench::kT0 + ms);
}

MenuPoint ExtrasMenu::Pointer() const {
    MenuPoint p{};
    bench.sys->GetMousePos(&p.x, &p.y);
    return p;
}

const std::vector<std::uint32_t>& ExtrasMenu::Frame() {
    return bench.drawFrame([&] { menu.Draw(); });
}

}  // namespace zktest
