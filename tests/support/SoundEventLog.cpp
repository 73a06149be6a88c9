#include "support/SoundEventLog.h"

#include <algorithm>

namespace zktest {

using platform::AudioBus;
using platform::SoundEvent;

SoundEventLog::SoundEventLog()
    : previous_(platform::AudioEngine::SetObserver(
          [this](const SoundEvent& event) { events_.push_back(event); })) {}

SoundEventLog::~SoundEventLog() { platform::AudioEngine::SetObserver(std::move(previous_)); }

int SoundEventLog::plays(const std::string& path, AudioBus bus) const {
    return static_cast<int>(std::count_if(events_.begin(), events_.end(), [&](const auto& e) {
        return e.kind == SoundEvent::Kind::Play && e.path == path && e.buses.front() == bus;
    }));
}

int SoundEventLog::stops(AudioBus bus) const {
    int count = 0;
    for (const SoundEvent& e : events_) {
        if (e.kind == SoundEvent::Kind::Stop) {
            count += static_cast<int>(std::count(e.buses.begin(), e.buses.end(), bus));
        }
    }
    return count;
}

}  // namespace zktest
