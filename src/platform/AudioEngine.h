#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/AudioFormat.h"
#include "platform/AudioMixer.h"
#include "platform/SoundDecoder.h"
#include "platform/SoundInstance.h"

namespace platform {

class AudioDevice;

// What the sound object plays through: the installed audio device pulling the
// mixer, and whole-file decoding. Sounds are loaded and instances started, stopped
// and queried on the game thread; the device renders on its own.
class AudioEngine {
public:
    AudioEngine() = default;
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // Opens the installed audio device; false when there is none to play on.
    bool open();
    void close();

    // The file name is taken as the bytes given, relative to the working folder.
    std::int32_t load(const std::string& path, SoundHandle& sound) const;

    void setBusVolume(AudioBus bus, int volume);
    InstanceHandle play(SoundHandle sound, AudioBus bus, int repeats, const InstanceHandle& cut);
    void stop(std::span<const InstanceHandle> instances);
    void stopAll();
    bool isActive(const InstanceHandle& instance) const;
    bool anyActive(std::span<const InstanceHandle> instances) const;
    std::size_t position(const InstanceHandle& instance) const;

private:
    AudioMixer mixer_;
    SoundDecoder decoder_;
    AudioDevice* device_ = nullptr;
};

}  // namespace platform
