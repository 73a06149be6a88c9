#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start; wraps at 2^32 like the engine's timer.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t now() const = 0;
    virtual void sleep(std::uint32_t ms) = 0;
};

}  // namespace platform
