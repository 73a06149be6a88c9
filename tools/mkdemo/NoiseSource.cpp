#include "mkdemo/NoiseSource.h"

namespace mkdemo {

// xorshift never leaves zero, so a zero seed takes another start.
NoiseSource::NoiseSource(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}

float NoiseSource::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<double>(state_) / 2147483647.5 - 1.0);
}

}  // namespace mkdemo
