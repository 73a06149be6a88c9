#include "platform/audio/AudioStream.h"

#include <algorithm>
#include <chrono>

#include "platform/audio/AudioFormat.h"

namespace platform {

AudioStream::AudioStream()
    : ring_(std::make_unique<std::atomic<float>[]>(kCapacityFrames * kMixChannels)) {}

// Where the render reads next: a flush moves the start past what it dropped.
std::uint64_t AudioStream::readFrom() const { return std::max(read_.load(), discardTo_.load()); }

std::size_t AudioStream::queued(std::uint64_t read) const {
    return static_cast<std::size_t>(written_.load() - read);
}

std::size_t AudioStream::available() const { return queued(readFrom()); }

std::size_t AudioStream::space() const { return kCapacityFrames - available(); }

std::size_t AudioStream::push(const float* samples, std::size_t frames) {
    const std::size_t count = std::min(frames, space());
    std::uint64_t at = written_.load();
    for (std::size_t i = 0; i < count; ++i, ++at) {
        const std::size_t slot = static_cast<std::size_t>(at % kCapacityFrames) * kMixChannels;
        ring_[slot].store(samples[i * kMixChannels], std::memory_order_relaxed);
        ring_[slot + 1].store(samples[i * kMixChannels + 1], std::memory_order_relaxed);
    }
    {
        const std::lock_guard lock(waitMutex_);
        written_.store(at);
    }
    pushed_.notify_all();
    return count;
}

void AudioStream::markEnded() {
    {
        const std::lock_guard lock(waitMutex_);
        ended_.store(true);
    }
    pushed_.notify_all();
}

void AudioStream::flush() {
    const std::lock_guard lock(waitMutex_);
    discardTo_.store(written_.load());
    ended_.store(false);
}

bool AudioStream::drained() const { return ended_.load() && available() == 0; }

void AudioStream::mixInto(float* out, std::size_t frames) {
    std::uint64_t at = readFrom();
    const std::size_t count = std::min(frames, queued(at));
    const float gain = gain_.load();
    for (std::size_t i = 0; i < count; ++i, ++at) {
        const std::size_t slot = static_cast<std::size_t>(at % kCapacityFrames) * kMixChannels;
        out[i * kMixChannels] += ring_[slot].load(std::memory_order_relaxed) * gain;
        out[i * kMixChannels + 1] += ring_[slot + 1].load(std::memory_order_relaxed) * gain;
    }
    read_.store(at);
    consumed_.fetch_add(count);
}

void AudioStream::setWakeProducer(std::function<void()> wake) {
    const std::lock_guard lock(wakeMutex_);
    wakeProducer_ = std::move(wake);
}

bool AudioStream::waitFor(std::size_t frames, int limitMs) {
    const std::size_t wanted = std::min(frames, kCapacityFrames);
    {
        const std::lock_guard lock(wakeMutex_);
        if (wakeProducer_) wakeProducer_();
    }
    std::unique_lock lock(waitMutex_);
    return pushed_.wait_for(lock, std::chrono::milliseconds(limitMs),
                            [&] { return ended_.load() || available() >= wanted; });
}

}  // namespace platform
