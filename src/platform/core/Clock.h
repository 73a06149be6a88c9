#pragma once

#include <cstdint>

namespace platform {

// A moment of the local calendar: year, month 1-12, day 1-31, hour 0-23, minute and
// second.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const CalendarTime&) const = default;
};

// Milliseconds since an arbitrary start; wraps at 2^32 like the engine's timer.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t now() const = 0;
    virtual void sleep(std::uint32_t ms) = 0;
    // The local date and time of day, as a save records it.
    virtual CalendarTime localTime() const = 0;
};

}  // namespace platform
