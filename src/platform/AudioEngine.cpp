#include "platform/AudioEngine.h"

#include "platform/AudioDevice.h"
#include "platform/Services.h"

namespace platform {

AudioEngine::~AudioEngine() { close(); }

bool AudioEngine::open() {
    AudioDevice& device = service<AudioDevice>();
    if (!device.open(*this)) return false;
    device_ = &device;
    return true;
}

// Streams still held by graphs leave the mix with the device, so none outlives it.
void AudioEngine::close() {
    if (device_ == nullptr) return;
    device_->close();
    device_ = nullptr;
    removeAllStreams();
}

std::int32_t AudioEngine::load(const std::string& path, SoundHandle& sound) const {
    return decoder_.decode(path, sound);
}

}  // namespace platform
