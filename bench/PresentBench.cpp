// A finished frame's way to the screen: the display's present through the real
// window host (the window picture and SDL) or the headless one, for a frame equal to
// the last one, a whole frame drawn as the game draws a still picture, and that
// frame with one small picture changed. Needs a video driver for the window: an X
// server, or SDL_VIDEODRIVER=dummy.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/text/TextLayout.h"
#include "platform/text/TextRenderer.h"
#include "platform/video/DisplayStatus.h"
#include "platform/video/HeadlessDisplay.h"
#include "platform/video/SpriteRasterizer.h"
#include "platform/video/WindowDisplay.h"
#include "platform/window/SdlWindowHost.h"

namespace {

enum class Host { Window, Headless };
enum class Frame { Nothing, Still, OneSmallChange };

// What a still screen of the game draws each frame: the clear, the background, two
// portraits with their key, the message window at half alpha and a line of text.
class StillScene {
public:
    explicit StillScene(const platform::PixelFormat& format)
        : background_(800, 600, format),
          portrait_(300, 500, format),
          face_(Texels(), 64, 64),
          window_(Texels(), 64, 64) {
        for (int y = 0; y < 600; y += 10) {
            background_.fill({0, y, 800, y + 5}, 0x102030u * (y % 7 + 1));
        }
        portrait_.fill({0, 0, 300, 500}, 0x00FF00);
        portrait_.fill({50, 20, 250, 500}, 0x8090A0);
        portrait_.setColorKey(format.fromColorRef(0x00FF00));
    }

    void draw(platform::Display& display, platform::DisplayContext& context, int faceX) {
        platform::Surface& back = *context.backBuffer;
        display.clear(context);
        back.blt({0, 0, 800, 600}, background_, {0, 0, 800, 600}, false);
        back.blt({50, 100, 350, 600}, portrait_, {0, 0, 300, 500}, true);
        back.blt({450, 100, 750, 600}, portrait_, {0, 0, 300, 500}, true);
        Sprite(back, window_, {400, 520}, {760, 160}, 128);
        Sprite(back, face_, {static_cast<double>(faceX), 520}, {64, 64}, 255);
        const std::string line = "The story waits for a click.";
        platform::TextRenderer::Shared().draw(back, line,
                                              platform::TextLayout::Line(line, 120, 470, 24),
                                              {24, false, 0xFFFFFF, true}, back.bounds());
    }

private:
    static std::vector<std::uint32_t> Texels() {
        std::vector<std::uint32_t> texels(64 * 64);
        for (std::size_t i = 0; i < texels.size(); ++i) texels[i] = 0x010203u * (i % 97);
        return texels;
    }
    static void Sprite(platform::Surface& back, const platform::Texture& texture,
                       std::pair<double, double> centre, std::pair<double, double> size,
                       std::uint32_t alpha) {
        const platform::SpriteSource source{&texture, 0, 0, 64, 64, false};
        platform::SpritePaint paint;
        paint.alpha = alpha;
        const auto map = platform::Affine2D::Scaling(size.first, size.second)
                             .then(platform::Affine2D::Translation(centre.first, centre.second));
        platform::SpriteRasterizer::DrawTextured(back, source, map, paint);
    }

    platform::Surface background_;
    platform::Surface portrait_;
    platform::Texture face_;
    platform::Texture window_;
};

void RunFrames(benchmark::State& state, platform::Display& display,
               platform::DisplayContext& context, Frame frame) {
    StillScene scene(context.backBuffer->format());
    scene.draw(display, context, 100);
    display.present(context);
    int faceX = 100;
    for (auto _ : state) {
        if (frame == Frame::OneSmallChange) faceX ^= 2;
        if (frame != Frame::Nothing) scene.draw(display, context, faceX);
        benchmark::DoNotOptimize(display.present(context));
    }
}

std::string Label(std::uint32_t bits, Frame frame) {
    const char* what = frame == Frame::Nothing ? " unchanged present"
                       : frame == Frame::Still ? " still frame"
                                               : " one small change";
    return std::string(bits == 16 ? "565" : "32-bit") + what;
}

// A full-screen request gives the back buffer the asked depth; the window stays a window.
platform::ContextRequest Request(std::uint32_t bits) {
    return {platform::kLevelDefault, 800, 600, bits, true};
}

void PresentToWindow(benchmark::State& state) {
    const auto bits = static_cast<std::uint32_t>(state.range(0));
    const auto frame = static_cast<Frame>(state.range(1));
    platform::SdlWindowHost host("bench", {});
    if (host.create([](std::uint32_t, std::uintptr_t, std::intptr_t) {
            return std::intptr_t{0};
        }) == nullptr) {
        state.SkipWithError("no window: run under an X server or with SDL_VIDEODRIVER=dummy");
        return;
    }
    host.show();
    platform::WindowDisplay display(host);
    std::unique_ptr<platform::DisplayContext> context;
    if (display.createContext(Request(bits), context) != platform::DD_OK) {
        state.SkipWithError("no display context");
        return;
    }
    const int shownBefore = host.shownPictures();
    RunFrames(state, display, *context, frame);
    state.counters["shown"] = benchmark::Counter(host.shownPictures() - shownBefore - 1,
                                                 benchmark::Counter::kAvgIterations);
    state.SetLabel(Label(bits, frame));
    host.destroy();
}

void FrameHeadless(benchmark::State& state) {
    const auto bits = static_cast<std::uint32_t>(state.range(0));
    const auto frame = static_cast<Frame>(state.range(1));
    platform::HeadlessDisplay display;
    std::unique_ptr<platform::DisplayContext> context;
    if (display.createContext(Request(bits), context) != platform::DD_OK) {
        state.SkipWithError("no display context");
        return;
    }
    RunFrames(state, display, *context, frame);
    state.SetLabel(Label(bits, frame));
}

}  // namespace

BENCHMARK(PresentToWindow)
    ->ArgsProduct({{32, 16}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond)
    ->ReportAggregatesOnly(true);
BENCHMARK(FrameHeadless)
    ->ArgsProduct({{32, 16}, {1, 2}})
    ->Unit(benchmark::kMicrosecond)
    ->ReportAggregatesOnly(true);
