#pragma once

#include "platform/mixer/MixerDevices.h"

namespace platform {

// The machine's sound cards through ALSA's simple mixer: device n is the n-th card.
// What ALSA reports during these calls and the handles' goes to the log.
class AlsaMixerDevices : public MixerDevices {
public:
    std::uint32_t count() override;
    std::unique_ptr<MixerHandle> open(std::uint32_t device) override;
};

}  // namespace platform
