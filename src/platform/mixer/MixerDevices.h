#pragma once

#include <cstdint>
#include <memory>

#include "platform/mixer/MixerHandle.h"

namespace platform {

// The machine's mixer devices by number. This base has none, so nothing reaches
// the machine's volumes unless a real backend is installed.
class MixerDevices {
public:
    virtual ~MixerDevices() = default;

    virtual std::uint32_t count();
    // Null when the device cannot be opened.
    virtual std::unique_ptr<MixerHandle> open(std::uint32_t device);
};

}  // namespace platform
