#include "platform/mixer/MixerScale.h"

#include <algorithm>
#include <cmath>

#include "platform/mixer/MixerHandle.h"

namespace platform {

MixerScale::MixerScale(long low, long high) : low_(low), high_(std::max(low, high)) {}

long MixerScale::toRaw(std::uint32_t value) const {
    const double share = std::min(value, MixerHandle::kMaxValue) / double{MixerHandle::kMaxValue};
    return low_ + std::lround(share * static_cast<double>(high_ - low_));
}

std::uint32_t MixerScale::fromRaw(long raw) const {
    if (high_ == low_) return 0;
    const double share = static_cast<double>(std::clamp(raw, low_, high_) - low_) /
                         static_cast<double>(high_ - low_);
    return static_cast<std::uint32_t>(std::lround(share * MixerHandle::kMaxValue));
}

}  // namespace platform
