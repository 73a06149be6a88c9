#pragma once

#include <cstdint>

#include "platform/audio/AudioDevice.h"

namespace platform {

// The sound card through SDL2: 44 100 Hz float stereo in 1024-frame blocks, which
// SDL converts to whatever the hardware takes. Its callback renders the mixer.
class SdlAudioDevice : public AudioDevice {
public:
    ~SdlAudioDevice() override;
    bool open(AudioMixer& mixer) override;
    void close() override;

private:
    std::uint32_t device_ = 0;
};

}  // namespace platform
