#pragma once

#include <string>
#include <vector>

#include "platform/AudioEngine.h"

namespace zktest {

// Every play and stop that reaches an audio engine during the log's lifetime, in
// order; the observer before it comes back afterwards.
class SoundEventLog {
public:
    SoundEventLog();
    ~SoundEventLog();
    SoundEventLog(const SoundEventLog&) = delete;
    SoundEventLog& operator=(const SoundEventLog&) = delete;

    const std::vector<platform::SoundEvent>& events() const { return events_; }
    void clear() { events_.clear(); }
    // Plays of the file (as its load named it, "tmp/Cursor_Move.sou") on the bus.
    int plays(const std::string& path, platform::AudioBus bus) const;
    // Instances stopped on the bus.
    int stops(platform::AudioBus bus) const;

private:
    std::vector<platform::SoundEvent> events_;
    platform::SoundObserver previous_;
};

}  // namespace zktest
