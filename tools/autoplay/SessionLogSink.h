#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/LogSink.h"

namespace autoplay {

// One captured line with the part of the run it was logged in.
struct LoggedLine {
    std::string when;  // "start", "release" or the frame number
    platform::LogChannel channel = platform::LogChannel::Debug;
    std::string text;
};

// Keeps every line the engine logs, tagged with the current part of the run, and
// hands each one to an observer as it comes.
class SessionLogSink : public platform::LogSink {
public:
    void write(platform::LogChannel channel, std::string_view line) override;

    void setWhen(std::string when);
    void setObserver(std::function<void(const LoggedLine&)> observer);
    std::vector<LoggedLine> lines() const;

private:
    mutable std::mutex mutex_;
    std::string when_ = "start";
    std::vector<LoggedLine> lines_;
    std::function<void(const LoggedLine&)> observer_;
};

}  // namespace autoplay
