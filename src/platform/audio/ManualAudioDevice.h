#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "platform/audio/AudioDevice.h"

namespace platform {

// The headless device: nothing plays until the test pulls frames of the mix.
class ManualAudioDevice : public AudioDevice {
public:
    bool open(AudioMixer& mixer) override;
    void close() override;

    // The next open fails while set, as a machine without sound would.
    void refuseOpen(bool refuse);
    bool isOpen() const;
    // The next frames of the mix, interleaved stereo; empty while closed.
    std::vector<float> pull(std::size_t frames);

private:
    mutable std::mutex mutex_;
    AudioMixer* mixer_ = nullptr;
    bool refuse_ = false;
};

}  // namespace platform
