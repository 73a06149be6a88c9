// Full-screen blits of a surface slot onto the back buffer, plain and keyed, in
// both pixel formats: the part of every frame that the background costs.
#include <benchmark/benchmark.h>

#include "graphics/ZKSPRITE.h"
#include "platform/HeadlessDisplay.h"

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
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::string(bits == 16 ? "565" : "32-bit") + (keyed ? " keyed" : " plain"));
}

}  // namespace

BENCHMARK(BlitFullScreen)
    ->ArgsProduct({{32, 16}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
