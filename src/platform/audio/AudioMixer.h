#pragma once

#include <array>
#include <cstddef>
#include <mutex>
#include <span>
#include <vector>

#include "platform/audio/AudioFormat.h"
#include "platform/audio/AudioStream.h"
#include "platform/audio/SoundInstance.h"

namespace platform {

// The render core: every playing instance summed per frame through its bus gain,
// the armed streams added outside the buses, the result clipped to [-1, 1]. One mutex guards
// everything; the device's thread renders under it, the game thread changes the set of instances
// under it, so a change takes effect at the next rendered frame.
class AudioMixer {
public:
    AudioMixer();

    // The next frames of the mix, interleaved stereo. Never allocates, frees or logs,
    // so it is safe on the device's thread.
    void render(float* out, std::size_t frames);

    // Volume in hundredths of a decibel, accepted over -10000..+1000; -9600 and below
    // is silence.
    static float VolumeGain(int volume);
    void setBusVolume(AudioBus bus, int volume);

    // Streams join the mix until removed; removing every one is the engine's close.
    void addStream(std::shared_ptr<AudioStream> stream);
    void removeStream(const AudioStream& stream);
    void removeAllStreams();
    // Waits until every armed stream holds frames or has ended; false when one
    // has not after limitMs.
    bool waitForStreams(std::size_t frames, int limitMs) const;

    // Starts sound at the next rendered frame: repeats 0 plays once, n plays n + 1
    // passes, negative loops until stopped. cut, when given, falls silent at the
    // frame the new instance starts.
    InstanceHandle play(SoundHandle sound, AudioBus bus, int repeats, const InstanceHandle& cut);
    // Both give the bus of each instance they ended.
    std::vector<AudioBus> stop(std::span<const InstanceHandle> instances);
    std::vector<AudioBus> stopAll();

    bool isActive(const InstanceHandle& instance) const;
    bool anyActive(std::span<const InstanceHandle> instances) const;
    // Frame within the current pass; the length after a natural end.
    std::size_t position(const InstanceHandle& instance) const;

private:
    void collectEnded(std::vector<SoundHandle>& released);
    static void end(SoundInstance& instance, std::vector<AudioBus>& ended);
    void mixInstance(SoundInstance& instance, float* out, std::size_t frames) const;

    mutable std::mutex mutex_;
    std::array<float, kAudioBusCount> gains_;
    std::vector<InstanceHandle> live_;
    std::vector<std::shared_ptr<AudioStream>> streams_;
};

}  // namespace platform
