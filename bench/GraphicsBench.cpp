// Full-screen blits of a surface slot onto the back buffer, plain and keyed, in
// both pixel formats: the part of every frame that the background costs.
#include <benchmark/benchmark.h>

#include "graphics/ZKSPRITE.h"
#include "platform/text/Cp932.h"
#include "platform/video/HeadlessDisplay.h"

namespace {

void BlitFullScreen(benchmark::State& state) {
    const auto bits = static_cast<std::uint32_t>(state.range(0));
    const int keyed = static_cast<int>(state.range(1));
    platform::HeadlessDisplay display;
    ZKSPRITE sprite(display);
    if (sprite.Initialize(nullptr, nullptr, 800, 600, bits, 1) != 1 ||
        sprite.CreateSurfaceBuffer(1) != 1 || sprite.CreateEmptySurface(0, 800, 600) != 0) {
        state.SkipWithError("set-up failed");
        return;
    }
    // Stripes, a third of them in the key colour, so that keyed blits branch.
    platform::Surface* picture = sprite.GetSurface(0);
    for (int x = 0; x < 800; ++x) {
        const platform::ColorRef color = x % 3 == 0 ? 0x00FF00 : 0x102030u * (x % 7 + 1);
        picture->fill({x, 0, x + 1, 600}, color);
    }
    picture->setColorKey(picture->format().fromColorRef(0x00FF00));
    for (auto _ : state) {
        benchmark::DoNotOptimize(sprite.DDBlt(0, 0, 0, keyed));
        // The back buffer keeps the blit for the frame's end; reading it has it done now.
        benchmark::DoNotOptimize(sprite.GetSurfaceColor(-1, 0, 0));
    }
    state.SetLabel(std::string(bits == 16 ? "565" : "32-bit") + (keyed ? " keyed" : " plain"));
}

}  // namespace

BENCHMARK(BlitFullScreen)
    ->ArgsProduct({{32, 16}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true);

namespace {

// Puts a picture straight into a texture slot, as CreateTexture would from a file.
void PutTexture(ZKSPRITE& sprite, int i, int width, int height,
                const std::vector<std::uint32_t>& pixels, bool keyed) {
    ZKIMAGEDATA& slot = sprite.pTextureTable[i];
    slot.dwWidth = static_cast<std::uint32_t>(width);
    slot.dwHeight = static_cast<std::uint32_t>(height);
    slot.pTexture = std::make_unique<platform::Texture>(pixels, width, height);
    slot.dwColorKeyFlg = keyed ? 1 : 0;
    if (keyed) slot.pTexture->setColorKey(pixels.front());
}

// A character: a key-coloured margin around a body of changing colour.
std::vector<std::uint32_t> Character(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0xFF00FF);
    for (int y = 40; y < height; ++y) {
        for (int x = 60; x < width - 60; ++x) pixels[y * width + x] = 0x102030u * (x % 7 + 1);
    }
    return pixels;
}

// One heavy adventure frame: background, two keyed characters, a half-transparent
// picture, a bold line of 30 double-byte characters and the fade overlay.
class HeavyFrame {
public:
    explicit HeavyFrame(std::uint32_t bits) : sprite_(display_) {
        ready_ = sprite_.Initialize(nullptr, nullptr, 800, 600, bits, 1) == 1 &&
                 sprite_.CreateSurfaceBuffer(1) == 1 && sprite_.CreateTextureBuffer(4) == 1 &&
                 sprite_.CreateEmptySurface(0, 800, 600) == 0;
        if (!ready_) return;
        sprite_.GetSurface(0)->fill({0, 0, 800, 600}, 0x406080);
        PutTexture(sprite_, 0, 400, 600, Character(400, 600), true);
        PutTexture(sprite_, 1, 400, 600, Character(400, 600), true);
        PutTexture(sprite_, 2, 400, 300, std::vector<std::uint32_t>(400 * 300, 0x80C040), false);
        PutTexture(sprite_, 3, 800, 600, std::vector<std::uint32_t>(800 * 600, 0), false);
        std::u8string line;
        for (int i = 0; i < 3; ++i) line += u8"表示文字列の試験です";
        text_ = platform::utf8ToCp932(line).value_or("");
    }

    bool ready() const { return ready_; }
    ZKSPRITE& sprite() { return sprite_; }

    void compose() {
        const platform::Rect box{20, 450, 780, 580};
        sprite_.D3DXDrawStart();
        sprite_.DDBlt(0, 0, 0, 0);
        sprite_.D3DXSpriteDrawTL(0, 0, 0, 1, nullptr, 1.0f, 1.0f, 0, 0);
        sprite_.D3DXSpriteDrawTL(1, 400, 0, 1, nullptr, 1.0f, 1.0f, 0, 0);
        sprite_.D3DXSpriteDrawTL(2, 200, 150, 0, nullptr, 0.5f, 1.0f, 0, 0);
        sprite_.DDTextOutRange(-1, &box, text_.c_str(), 0xFFFFFF, 24, -1, 700, 16);
        sprite_.D3DXSpriteDrawEffectTL(3, 0, 0, 0, nullptr, 0.5f, 1.0f, 1.0f, 0, 0);
    }

private:
    platform::HeadlessDisplay display_;
    ZKSPRITE sprite_;
    std::string text_;
    bool ready_ = false;
};

// The frame's composition alone, its draws done; its present is left out of the timing.
void ComposeFrame(benchmark::State& state) {
    const auto bits = static_cast<std::uint32_t>(state.range(0));
    HeavyFrame frame(bits);
    if (!frame.ready()) {
        state.SkipWithError("set-up failed");
        return;
    }
    for (auto _ : state) {
        frame.compose();
        frame.sprite().pBack->settle();
        benchmark::ClobberMemory();
        state.PauseTiming();
        frame.sprite().D3DXDrawEnd();
        state.ResumeTiming();
    }
    state.SetLabel(bits == 16 ? "565" : "32-bit");
}

// The headless present of the composed frame, which the tests' frames pay.
void PresentHeadless(benchmark::State& state) {
    const auto bits = static_cast<std::uint32_t>(state.range(0));
    HeavyFrame frame(bits);
    if (!frame.ready()) {
        state.SkipWithError("set-up failed");
        return;
    }
    frame.compose();
    for (auto _ : state) {
        benchmark::DoNotOptimize(frame.sprite().D3DXDrawEnd());
        benchmark::ClobberMemory();
    }
    state.SetLabel(bits == 16 ? "565" : "32-bit");
}

}  // namespace

BENCHMARK(ComposeFrame)
    ->Arg(32)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true);
BENCHMARK(PresentHeadless)
    ->Arg(32)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true);
