#pragma once

namespace platform {

class AudioMixer;

// Where the mix goes: the sound card, or a test that pulls it. Once open, the device
// renders from the mixer until closed; close returns only when no render is running.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // False when there is no device to play on (no driver, no card).
    virtual bool open(AudioMixer& mixer) = 0;
    virtual void close() = 0;
};

}  // namespace platform
