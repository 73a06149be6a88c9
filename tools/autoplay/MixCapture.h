#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {
class ManualAudioDevice;
}

namespace autoplay {

// The mix pulled from the manual audio device over a run, kept for a WAV file.
class MixCapture {
public:
    // Pulls until total frames have been pulled since the start.
    void pullTo(platform::ManualAudioDevice& device, std::size_t totalFrames);
    std::size_t frames() const { return pulled_; }
    const std::vector<float>& samples() const { return samples_; }
    // 16-bit stereo 44 100 Hz; false when the file cannot be written.
    bool writeWav(const std::string& path) const;

private:
    std::size_t pulled_ = 0;
    std::vector<float> samples_;
};

}  // namespace autoplay
