#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/AudioMixer.h"

namespace {

constexpr std::size_t kBlockFrames = 1024;

platform::SoundHandle SineSound(std::size_t frames, double hertz) {
    auto sound = std::make_shared<platform::DecodedSound>();
    for (std::size_t i = 0; i < frames; ++i) {
        const auto sample =
            static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265358979 * hertz *
                                                      static_cast<double>(i) / platform::kMixRate));
        sound->samples.insert(sound->samples.end(), platform::kMixChannels, sample);
    }
    return sound;
}

// One second of output from eight sounds, two per bus, every bus below full gain,
// rendered in the device's block size. Two loop a short sound; the other six play a
// long one with a repeat count that outlasts any run, so every block mixes all eight.
void BM_MixOneSecond(benchmark::State& state) {
    platform::AudioMixer mixer;
    const platform::AudioBus buses[] = {platform::AudioBus::Default, platform::AudioBus::Voice,
                                        platform::AudioBus::Music, platform::AudioBus::Effects};
    for (std::size_t i = 0; i < 4; ++i)
        mixer.setBusVolume(buses[i], -300 * static_cast<int>(i + 1));
    for (std::size_t i = 0; i < 8; ++i) {
        const bool loops = i < 2;
        const std::size_t frames = loops ? platform::kMixRate / 3 : 4 * platform::kMixRate;
        mixer.play(SineSound(frames, 220.0 * static_cast<double>(i + 1)), buses[i % 4],
                   loops ? -1 : 1 << 20, nullptr);
    }
    std::vector<float> block(kBlockFrames * platform::kMixChannels);
    for (auto _ : state) {
        for (std::size_t done = 0; done < platform::kMixRate; done += kBlockFrames) {
            mixer.render(block.data(), kBlockFrames);
            benchmark::DoNotOptimize(block.data());
        }
    }
    state.SetLabel("per second of output");
}
BENCHMARK(BM_MixOneSecond)->Unit(benchmark::kMillisecond);

}  // namespace
