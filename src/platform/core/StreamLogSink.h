#pragma once

#include <mutex>

#include "platform/core/LogSink.h"

namespace platform {

// Debug lines to standard error, console lines to standard output.
class StreamLogSink : public LogSink {
public:
    void write(LogChannel channel, std::string_view line) override;

private:
    std::mutex mutex_;
};

}  // namespace platform
