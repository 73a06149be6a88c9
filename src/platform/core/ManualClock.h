#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/Clock.h"

namespace platform {

// A clock that moves only when told to. sleep() advances it at once, so code that
// paces itself by sleeping runs instantly; code that spins on now() is caught.
class ManualClock : public Clock {
public:
    static constexpr std::uint32_t kBusyWaitReads = 1000000;

    explicit ManualClock(std::uint32_t start = 0) : time_(start) {}

    std::uint32_t now() const override;
    void sleep(std::uint32_t ms) override;

    void set(std::uint32_t ms);
    void advance(std::uint32_t ms);
    const std::vector<std::uint32_t>& sleeps() const { return sleeps_; }

private:
    std::uint32_t time_;
    mutable std::uint32_t readsWithoutMove_ = 0;
    std::vector<std::uint32_t> sleeps_;
};

}  // namespace platform
