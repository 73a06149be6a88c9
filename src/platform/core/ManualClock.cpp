#include "platform/core/ManualClock.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

std::uint32_t ManualClock::now() const {
    if (++readsWithoutMove_ >= kBusyWaitReads) {
        std::fprintf(stderr,
                     "ManualClock: now() read %u times without the time moving: busy wait\n",
                     kBusyWaitReads);
        std::abort();
    }
    return time_;
}

void ManualClock::sleep(std::uint32_t ms) {
    sleeps_.push_back(ms);
    advance(ms);
}

void ManualClock::set(std::uint32_t ms) {
    time_ = ms;
    readsWithoutMove_ = 0;
}

void ManualClock::advance(std::uint32_t ms) { set(time_ + ms); }

}  // namespace platform
