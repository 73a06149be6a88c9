#include "autoplay/SessionLogSink.h"

namespace autoplay {

void SessionLogSink::write(platform::LogChannel channel, std::string_view line) {
    const std::lock_guard lock(mutex_);
    lines_.push_back({when_, channel, std::string(line)});
    if (observer_) observer_(lines_.back());
}

void SessionLogSink::setWhen(std::string when) {
    const std::lock_guard lock(mutex_);
    when_ = std::move(when);
}

void SessionLogSink::setObserver(std::function<void(const LoggedLine&)> observer) {
    const std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

std::vector<LoggedLine> SessionLogSink::lines() const {
    const std::lock_guard lock(mutex_);
    return lines_;
}

}  // namespace autoplay
