#include "autoplay/MixCapture.h"

#include "common/WavWriter.h"
#include "platform/audio/AudioFormat.h"
#include "platform/audio/ManualAudioDevice.h"

namespace autoplay {

void MixCapture::pullTo(platform::ManualAudioDevice& device, std::size_t totalFrames) {
    if (totalFrames <= pulled_) return;
    const std::vector<float> mix = device.pull(totalFrames - pulled_);
    samples_.insert(samples_.end(), mix.begin(), mix.end());
    pulled_ = totalFrames;
}

bool MixCapture::writeWav(const std::string& path) const {
    return zktools::WriteWavFile(path, {16, platform::kMixChannels, platform::kMixRate}, samples_);
}

}  // namespace autoplay
