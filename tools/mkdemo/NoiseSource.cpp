#include "mkdemo/NoiseSource.h"

namespace mkdemo {

// xorshift never leaves zero, so a zero seed takes another start.
NoiseSource::NoiseSource(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}

std::uint32_t NoiseSource::Advance() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float NoiseSource::Next() {
    return static_cast<float>(static_cast<double>(Advance()) / 2147483647.5 - 1.0);
}

int NoiseSource::Below(int count) {
    return static_cast<int>(Advance() % static_cast<std::uint32_t>(count));
}

}  // namespace mkdemo
