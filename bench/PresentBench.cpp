// A finished frame's way to the screen through the real window host: the display's
// present, the window picture and SDL, for a frame equal to the last one and for a
// changed one. Needs a video driver: an X server, or SDL_VIDEODRIVER=dummy.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/video/DisplayStatus.h"
#include "platform/video/WindowDisplay.h"
#include "platform/window/SdlWindowHost.h"

namespace {

void PresentToWindow(benchmark::State& state) {
    const auto bits = static_cast<std::uint32_t>(state.range(0));
    const bool changed = state.range(1) != 0;
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
    // A full-screen request gives the back buffer the asked depth; the window stays a window.
    if (display.createContext({platform::kLevelDefault, 800, 600, bits, true}, context) !=
        platform::DD_OK) {
        state.SkipWithError("no display context");
        return;
    }
    platform::Surface& back = *context->backBuffer;
    for (int y = 0; y < 600; y += 10) back.fill({0, y, 800, y + 5}, 0x102030u * (y % 7 + 1));
    display.present(*context);
    const int shownBefore = host.shownPictures();
    platform::ColorRef corner = 0x0000FF;
    for (auto _ : state) {
        if (changed) {
            corner ^= 0x00FFFF;
            back.setPixel(0, 0, corner);
        }
        benchmark::DoNotOptimize(display.present(*context));
    }
    state.counters["shown"] =
        benchmark::Counter(host.shownPictures() - shownBefore, benchmark::Counter::kAvgIterations);
    state.SetLabel(std::string(bits == 16 ? "565" : "32-bit") + (changed ? " changed" : " same"));
    host.destroy();
}

}  // namespace

BENCHMARK(PresentToWindow)
    ->ArgsProduct({{32, 16}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ReportAggregatesOnly(true);
