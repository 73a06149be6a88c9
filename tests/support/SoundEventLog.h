#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/audio/AudioEngine.h"

namespace zktest {

// Every play and stop that reaches an audio engine during the log's lifetime, in
// order; the observer before it comes back afterwards.
class SoundEventLog {
public:
    SoundEventLog()
        : previous_(platform::AudioEngine::SetObserver(
              [this](const platform::SoundEvent& event) { events_.push_back(event); })) {}
    ~SoundEventLog() { platform::AudioEngine::SetObserver(std::move(previous_)); }
    SoundEventLog(const SoundEventLog&) = delete;
    SoundEventLog& operator=(const SoundEventLog&) = delete;

    const std::vector<platform::SoundEvent>& events() const { return events_; }
    void clear() { events_.clear(); }
    // Plays of the file (as its load named it, "tmp/Cursor_Move.sou") on the bus, or
    // instances stopped on the bus.
    int plays(const std::string& path, platform::AudioBus bus) const {
        return count(platform::SoundEvent::Kind::Play, bus, &path);
    }
    int stops(platform::AudioBus bus) const {
        return count(platform::SoundEvent::Kind::Stop, bus, nullptr);
    }

private:
    int count(platform::SoundEvent::Kind kind, platform::AudioBus bus,
              const std::string* path) const {
        int n = 0;
        for (const platform::SoundEvent& e : events_) {
            if (e.kind != kind || (path != nullptr && e.path != *path)) continue;
            n += static_cast<int>(std::count(e.buses.begin(), e.buses.end(), bus));
        }
        return n;
    }

    std::vector<platform::SoundEvent> events_;
    platform::SoundObserver previous_;
};

}  // namespace zktest
