#include "platform/audio/AudioEngine.h"

#include <utility>

#include "platform/audio/AudioDevice.h"
#include "platform/core/Services.h"

namespace platform {

namespace {

SoundObserver gObserver;

void Tell(const SoundEvent& event) {
    if (gObserver) gObserver(event);
}

}  // namespace

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

InstanceHandle AudioEngine::play(SoundHandle sound, AudioBus bus, int repeats,
                                 const InstanceHandle& cut) {
    std::string path = sound->path;
    InstanceHandle instance = AudioMixer::play(std::move(sound), bus, repeats, cut);
    Tell({SoundEvent::Kind::Play, {bus}, std::move(path), repeats});
    return instance;
}

void AudioEngine::stop(std::span<const InstanceHandle> instances) {
    Tell({SoundEvent::Kind::Stop, AudioMixer::stop(instances), {}, 0});
}

void AudioEngine::stopAll() { Tell({SoundEvent::Kind::Stop, AudioMixer::stopAll(), {}, 0}); }

SoundObserver AudioEngine::SetObserver(SoundObserver observer) {
    return std::exchange(gObserver, std::move(observer));
}

}  // namespace platform
