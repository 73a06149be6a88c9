#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace platform {

// Sound fed while it plays: a producer thread writes interleaved stereo float frames
// into a ring allocated once, the mixer's render copies them out. The two ends only
// share atomic counters, so the render never waits on the producer. A flush from the
// game thread drops what is queued without touching the render's side.
class AudioStream {
public:
    // About half a second of sound ahead of the mix.
    static constexpr std::size_t kCapacityFrames = 22050;

    AudioStream();

    // Producer side. Writes as many of the frames as fit; returns how many did.
    std::size_t push(const float* samples, std::size_t frames);
    std::size_t space() const;
    // No more frames will come until the next flush.
    void markEnded();
    // Drops what is queued and clears the end; the producer's side, under its lock.
    void flush();
    // Called by a consumer that waits for frames, to wake a producer that sleeps;
    // the producer clears it before it goes.
    void setWakeProducer(std::function<void()> wake);

    // Game-thread controls. An unarmed stream is not mixed.
    void setArmed(bool armed) { armed_.store(armed); }
    bool armed() const { return armed_.load(); }
    void setGain(float gain) { gain_.store(gain); }
    // In an engine's mix; set by the mixer as it takes the stream in and lets it go.
    void setMixed(bool mixed) { mixed_.store(mixed); }
    bool mixed() const { return mixed_.load(); }
    // Frames the mix has taken since the stream was made.
    std::uint64_t consumed() const { return consumed_.load(); }
    std::size_t available() const;
    // Ended and every frame taken.
    bool drained() const;

    // Render side: adds up to frames of the stream at its gain into out, taking
    // them; an underrun leaves the rest of out as it was.
    void mixInto(float* out, std::size_t frames);

    // Waits until frames are queued or the stream has ended; false after limitMs.
    bool waitFor(std::size_t frames, int limitMs);

private:
    std::size_t queued(std::uint64_t read) const;
    std::uint64_t readFrom() const;

    // Atomic samples: a flush lets the producer refill slots the render may still be
    // reading from the dropped block.
    std::unique_ptr<std::atomic<float>[]> ring_;
    std::atomic<std::uint64_t> written_{0};
    std::atomic<std::uint64_t> read_{0};
    std::atomic<std::uint64_t> discardTo_{0};
    std::atomic<std::uint64_t> consumed_{0};
    std::atomic<bool> ended_{false};
    std::atomic<bool> armed_{false};
    std::atomic<bool> mixed_{false};
    std::atomic<float> gain_{1.0f};
    std::mutex waitMutex_;
    std::condition_variable pushed_;
    std::mutex wakeMutex_;
    std::function<void()> wakeProducer_;
};

}  // namespace platform
