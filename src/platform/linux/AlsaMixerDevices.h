#pragma once

#include "platform/mixer/MixerDevices.h"

namespace platform {

// The machine's sound cards through ALSA's simple mixer: device n is the n-th card.
// ALSA's own error reports go to the log from the first use on.
class AlsaMixerDevices : public MixerDevices {
public:
    AlsaMixerDevices();

    std::uint32_t count() override;
    std::unique_ptr<MixerHandle> open(std::uint32_t device) override;
};

}  // namespace platform
