#pragma once

#include <cstdint>

namespace platform {

// Maps the mixer's 0..65535 scale linearly onto a card control's raw range and
// back, each way to the nearest step.
class MixerScale {
public:
    MixerScale(long low, long high);

    long toRaw(std::uint32_t value) const;
    // Raw values outside the range read as its ends.
    std::uint32_t fromRaw(long raw) const;

private:
    long low_;
    long high_;
};

}  // namespace platform
