#include "platform/AudioEngine.h"

#include "platform/AudioDevice.h"
#include "platform/Services.h"

namespace platform {

namespace {

// Only the game thread opens and closes engines and asks for the open one.
AudioEngine* gCurrent = nullptr;

}  // namespace

AudioEngine::~AudioEngine() { close(); }

bool AudioEngine::open() {
    AudioDevice& device = service<AudioDevice>();
    if (!device.open(*this)) return false;
    device_ = &device;
    gCurrent = this;
    return true;
}

// Streams still held by graphs leave the mix with the device, so none outlives it.
void AudioEngine::close() {
    if (device_ == nullptr) return;
    device_->close();
    device_ = nullptr;
    removeAllStreams();
    if (gCurrent == this) gCurrent = nullptr;
}

AudioEngine* AudioEngine::current() { return gCurrent; }

std::int32_t AudioEngine::load(const std::string& path, SoundHandle& sound) const {
    return decoder_.decode(path, sound);
}

}  // namespace platform
