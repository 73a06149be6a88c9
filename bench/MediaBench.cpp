#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

#include "platform/core/HResult.h"
#include "platform/media/MediaFile.h"

namespace {

// The demo's movie, decoded start to end as fast as it goes: every picture scaled to
// the full game area and the sound converted to the mix format. The counter gives the
// CPU time of the whole process (decoder threads included) in ms per second of movie.
void BM_DecodeDemoMovie(benchmark::State& state) {
    const std::string path = std::string(ZK_DEMO_DIR) + "/dat/Mov.vid";
    double movieSeconds = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        platform::MediaFile file;
        if (file.open(path) != platform::S_OK) {
            state.SkipWithError("the demo's dat/Mov.vid does not open");
            return;
        }
        std::vector<platform::MediaPicture> pictures;
        std::vector<float> sound;
        platform::MediaPacket packet;
        while (file.readPacket(packet)) {
            file.decodePictures(&packet, {800, 600, 800, 600}, pictures);
            file.decodeSound(&packet, sound);
            pictures.clear();
        }
        file.decodePictures(nullptr, {800, 600, 800, 600}, pictures);
        file.decodeSound(nullptr, sound);
        movieSeconds += static_cast<double>(file.duration().value_or(0)) / 1e7;
        benchmark::DoNotOptimize(sound.data());
    }
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["cpu_ms_per_movie_s"] = cpuMs / movieSeconds;
}
BENCHMARK(BM_DecodeDemoMovie)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
