#include "support/CaptureLogSink.h"

namespace platform {

void CaptureLogSink::write(LogChannel channel, std::string_view line) {
    std::lock_guard lock(mutex_);
    (channel == LogChannel::Debug ? debug_ : console_).emplace_back(line);
}

std::vector<std::string> CaptureLogSink::debugLines() const {
    std::lock_guard lock(mutex_);
    return debug_;
}

std::vector<std::string> CaptureLogSink::consoleLines() const {
    std::lock_guard lock(mutex_);
    return console_;
}

void CaptureLogSink::clear() {
    std::lock_guard lock(mutex_);
    debug_.clear();
    console_.clear();
}

}  // namespace platform
