#include "support/ManualAudio.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

namespace zktest {

platform::SoundHandle LevelSound(std::size_t frames, float level) {
    const auto sample = static_cast<std::int16_t>(std::lround(level * 32768));
    return std::make_shared<const platform::DecodedSound>(
        platform::DecodedSound{std::vector<std::int16_t>(frames * platform::kMixChannels, sample)});
}

void WriteLevelWav(const std::string& path, std::size_t frames, float level,
                   const zktools::WavFormat& format) {
    zktools::WriteWavFile(path, format, zktools::ConstantLevel(format, frames, level));
}

std::size_t FrameCount(std::span<const float> mix) { return mix.size() / platform::kMixChannels; }

std::size_t SoundingFrames(std::span<const float> mix) {
    std::size_t frame = 0;
    while (frame < FrameCount(mix) && (mix[2 * frame] != 0.0f || mix[2 * frame + 1] != 0.0f)) {
        ++frame;
    }
    return frame;
}

double Rms(std::span<const float> samples) {
    double sum = 0;
    for (const float s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

bool AllFramesAt(std::span<const float> mix, float level, float tolerance) {
    return !mix.empty() && std::all_of(mix.begin(), mix.end(), [&](float sample) {
        return std::fabs(sample - level) <= tolerance;
    });
}

}  // namespace zktest
