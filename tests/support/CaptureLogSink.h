#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/core/LogSink.h"

namespace platform {

// Keeps every line, per channel, for exact comparison in tests.
class CaptureLogSink : public LogSink {
public:
    void write(LogChannel channel, std::string_view line) override;

    std::vector<std::string> debugLines() const;
    std::vector<std::string> consoleLines() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> debug_;
    std::vector<std::string> console_;
};

}  // namespace platform
