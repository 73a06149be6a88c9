#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/audio/AudioFormat.h"
#include "platform/audio/AudioMixer.h"
#include "platform/audio/SoundDecoder.h"
#include "platform/audio/SoundInstance.h"

namespace platform {

class AudioDevice;

// One play or stop that reached an engine, as a test listening to the game sees it.
struct SoundEvent {
    enum class Kind { Play, Stop };
    Kind kind = Kind::Play;
    // A play's bus, or the bus of each instance a stop ended.
    std::vector<AudioBus> buses;
    // A play's sound file, as its load named it, and repeat count.
    std::string path;
    int repeats = 0;
};

using SoundObserver = std::function<void(const SoundEvent&)>;

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
    using AudioMixer::position;
    using AudioMixer::removeStream;
    using AudioMixer::setBusVolume;
    // The mixer's, each told to the observer once the mixer has changed.
    InstanceHandle play(SoundHandle sound, AudioBus bus, int repeats, const InstanceHandle& cut);
    void stop(std::span<const InstanceHandle> instances);
    void stopAll();

    // The observer of every engine's plays and stops, called on the caller's thread
    // outside the mixer's lock; none by default. Only tests set one. Returns the
    // previous observer.
    static SoundObserver SetObserver(SoundObserver observer);

private:
    SoundDecoder decoder_;
    AudioDevice* device_ = nullptr;
};

}  // namespace platform
