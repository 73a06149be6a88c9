#pragma once

#include <cstdint>

namespace mkdemo {

// White noise from a fixed seed, so that every run makes the same bytes.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed);

    // The next sample, in [-1, 1].
    float Next();

private:
    std::uint32_t state_;
};

}  // namespace mkdemo
