#pragma once

#include <string_view>

namespace platform {

enum class LogChannel {
    Debug,    // the engine's diagnostic output
    Console,  // standard output, where the archive reader reports
};

// Receives whole lines without their line feed. Safe to call from any thread.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(LogChannel channel, std::string_view line) = 0;
};

}  // namespace platform
