#pragma once

#include <cstdint>
#include <string>

#include "platform/AudioFormat.h"
#include "platform/AudioMixer.h"
#include "platform/SoundDecoder.h"
#include "platform/SoundInstance.h"

namespace platform {

class AudioDevice;

// What the sound object plays through: the mixer, the installed audio device pulling
// it, and whole-file decoding. Sounds are loaded and instances started, stopped and
// queried on the game thread; the device renders on its own.
class AudioEngine : private AudioMixer {
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

    // The game thread's controls are the mixer's own; rendering stays the device's.
    using AudioMixer::addStream;
    using AudioMixer::anyActive;
    using AudioMixer::isActive;
    using AudioMixer::play;
    using AudioMixer::position;
    using AudioMixer::removeStream;
    using AudioMixer::setBusVolume;
    using AudioMixer::stop;
    using AudioMixer::stopAll;

private:
    SoundDecoder decoder_;
    AudioDevice* device_ = nullptr;
};

}  // namespace platform
