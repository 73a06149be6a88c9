#pragma once

#include <cstdint>

namespace mkdemo {

// White noise, or choices, from a fixed seed, so that every run makes the same bytes.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed);

    // The next sample, in [-1, 1].
    float Next();
    // A whole number from 0 to count - 1, from the same sequence.
    int Below(int count);

private:
    std::uint32_t Advance();

    std::uint32_t state_;
};

}  // namespace mkdemo
