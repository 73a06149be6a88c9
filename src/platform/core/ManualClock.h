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
    // 5 December 2026, 18:07:09, until a test sets another.
    static constexpr CalendarTime kFixedCalendar{2026, 12, 5, 18, 7, 9};

    explicit ManualClock(std::uint32_t start = 0) : time_(start) {}

    std::uint32_t now() const override;
    void sleep(std::uint32_t ms) override;
    CalendarTime localTime() const override { return calendar_; }

    void set(std::uint32_t ms);
    void advance(std::uint32_t ms);
    // The calendar stands still, whatever the milliseconds do, until set again.
    void setLocalTime(const CalendarTime& calendar) { calendar_ = calendar; }
    const std::vector<std::uint32_t>& sleeps() const { return sleeps_; }

private:
    std::uint32_t time_;
    CalendarTime calendar_ = kFixedCalendar;
    mutable std::uint32_t readsWithoutMove_ = 0;
    std::vector<std::uint32_t> sleeps_;
};

}  // namespace platform
