#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "platform/core/HResult.h"
#include "platform/media/MediaFile.h"
#include "platform/media/PictureConverter.h"

namespace {

constexpr platform::MediaPictureSize kGameArea{800, 600, 800, 600};

// The movie of the demo ./play generates into the play folder, or of the demo in the
// folder ZK_DEMO names: found when the benchmark runs, so that building it never
// generates a demo of its own.
const std::string& DemoMovie() {
    static const std::string path = [] {
        const char* dir = std::getenv("ZK_DEMO");
        return std::string(dir != nullptr && *dir != '\0' ? dir : ZK_PLAY_DIR) + "/dat/Mov.vid";
    }();
    return path;
}

std::string MovieProblem(const char* what) {
    return DemoMovie() + " " + what + " (./play generates it; ZK_DEMO=DIR names another demo)";
}

// The demo's movie, decoded start to end as fast as it goes: every picture scaled to
// the full game area and the sound converted to the mix format. The counter gives the
// CPU time of the whole process (decoder threads included) in ms per second of movie.
void BM_DecodeDemoMovie(benchmark::State& state) {
    double movieSeconds = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        platform::MediaFile file;
        if (file.open(DemoMovie()) != platform::S_OK) {
            state.SkipWithError(MovieProblem("does not open").c_str());
            return;
        }
        std::vector<platform::MediaFrame> frames;
        std::vector<float> sound;
        platform::PictureConverter converter;
        platform::MediaPicture picture;
        platform::MediaPacket packet;
        for (bool more = true; more;) {
            more = file.readPacket(packet);
            file.decodePictures(more ? &packet : nullptr, frames);
            file.decodeSound(more ? &packet : nullptr, sound);
            for (const platform::MediaFrame& frame : frames) {
                converter.convert(frame, kGameArea, picture);
            }
            frames.clear();
        }
        movieSeconds += static_cast<double>(file.duration().value_or(0)) / 1e7;
        benchmark::DoNotOptimize(sound.data());
        benchmark::DoNotOptimize(picture.pixels.data());
    }
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["cpu_ms_per_movie_s"] = cpuMs / movieSeconds;
}
BENCHMARK(BM_DecodeDemoMovie)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The game thread's work for each movie picture shown: one decoded picture of the
// demo's movie converted to the full game area into the buffer of the last.
void BM_ConvertDemoPicture(benchmark::State& state) {
    platform::MediaFile file;
    if (file.open(DemoMovie()) != platform::S_OK) {
        state.SkipWithError(MovieProblem("does not open").c_str());
        return;
    }
    std::vector<platform::MediaFrame> frames;
    platform::MediaPacket packet;
    while (frames.empty() && file.readPacket(packet)) file.decodePictures(&packet, frames);
    if (frames.empty()) {
        state.SkipWithError(MovieProblem("gives no picture").c_str());
        return;
    }
    platform::PictureConverter converter;
    platform::MediaPicture picture;
    for (auto _ : state) {
        converter.convert(frames.front(), kGameArea, picture);
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(BM_ConvertDemoPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
