#include "platform/core/SteadyClock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {

std::uint32_t SteadyClock::now() const {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<std::uint32_t>(ms);
}

void SteadyClock::sleep(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A time the C library cannot break down (before 1900 or far beyond) reads as all
// zeros rather than as a stale buffer.
CalendarTime SteadyClock::localTime() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm parts{};
    if (localtime_r(&seconds, &parts) == nullptr) return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

}  // namespace platform
