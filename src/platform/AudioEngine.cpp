#include "platform/AudioEngine.h"

#include "platform/AudioDevice.h"
#include "platform/Services.h"

namespace platform {

AudioEngine::~AudioEngine() { close(); }

bool AudioEngine::open() {
    AudioDevice& device = service<AudioDevice>();
    if (!device.open(mixer_)) return false;
    device_ = &device;
    return true;
}

void AudioEngine::close() {
    if (device_ == nullptr) return;
    device_->close();
    device_ = nullptr;
}

std::int32_t AudioEngine::load(const std::string& path, SoundHandle& sound) const {
    return decoder_.decode(path, sound);
}

void AudioEngine::setBusVolume(AudioBus bus, int volume) { mixer_.setBusVolume(bus, volume); }

InstanceHandle AudioEngine::play(SoundHandle sound, AudioBus bus, int repeats,
                                 const InstanceHandle& cut) {
    return mixer_.play(std::move(sound), bus, repeats, cut);
}

void AudioEngine::stop(std::span<const InstanceHandle> instances) { mixer_.stop(instances); }

void AudioEngine::stopAll() { mixer_.stopAll(); }

bool AudioEngine::isActive(const InstanceHandle& instance) const {
    return mixer_.isActive(instance);
}

bool AudioEngine::anyActive(std::span<const InstanceHandle> instances) const {
    return mixer_.anyActive(instances);
}

std::size_t AudioEngine::position(const InstanceHandle& instance) const {
    return mixer_.position(instance);
}

}  // namespace platform
