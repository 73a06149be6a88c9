#include "platform/ManualAudioDevice.h"

#include "platform/AudioFormat.h"
#include "platform/AudioMixer.h"

namespace platform {

bool ManualAudioDevice::open(AudioMixer& mixer) {
    std::lock_guard lock(mutex_);
    if (refuse_) return false;
    mixer_ = &mixer;
    return true;
}

void ManualAudioDevice::close() {
    std::lock_guard lock(mutex_);
    mixer_ = nullptr;
}

void ManualAudioDevice::refuseOpen(bool refuse) {
    std::lock_guard lock(mutex_);
    refuse_ = refuse;
}

bool ManualAudioDevice::isOpen() const {
    std::lock_guard lock(mutex_);
    return mixer_ != nullptr;
}

std::vector<float> ManualAudioDevice::pull(std::size_t frames) {
    std::lock_guard lock(mutex_);
    if (mixer_ == nullptr) return {};
    std::vector<float> out(frames * kMixChannels);
    mixer_->render(out.data(), frames);
    return out;
}

}  // namespace platform
