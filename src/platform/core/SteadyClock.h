#pragma once

#include "platform/core/Clock.h"

namespace platform {

class SteadyClock : public Clock {
public:
    std::uint32_t now() const override;
    void sleep(std::uint32_t ms) override;
    CalendarTime localTime() const override;
};

}  // namespace platform
