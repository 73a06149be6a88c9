#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/media/MediaFile.h"

namespace platform {

class AudioStream;

// The decoding thread of one media graph. It reads and decodes ahead of the
// consumers, a few pictures (in the decoder's format: converting is the taker's
// work) and the stream's ring of sound at most, and sleeps
// while both are full. While one stream is served, packets of the other wait
// compressed, within a bound: sound past it is dropped, and pictures past it end
// the sound. It never reads the clock or touches the display:
// the game thread takes pictures from it, the mix takes sound from the stream.
// Without a stream, sound packets are read and dropped; their times still count
// for the end.
class MediaWorker {
public:
    static constexpr std::size_t kPicturesAhead = 3;

    // stream, when given, receives the file's sound.
    MediaWorker(MediaFile& file, std::shared_ptr<AudioStream> stream);
    ~MediaWorker();
    MediaWorker(const MediaWorker&) = delete;
    MediaWorker& operator=(const MediaWorker&) = delete;

    // Starts the thread once; false when it cannot be started.
    bool start();
    // Drops everything queued, the stream's sound included, and decodes from
    // position on.
    void seek(std::int64_t position);
    // Wakes the thread to refill what the consumers have taken.
    void poke();

    // The latest queued picture at or before time, the older ones dropped; false
    // when there is none.
    bool takePicture(std::int64_t time, MediaFrame& picture);
    // The time of the next queued picture; none when the queue is empty.
    std::optional<std::int64_t> nextPictureTime() const;
    // The file is read to its end and every picture taken.
    bool finished() const;
    // The end of the last picture, or of the last sound packet dropped, in 100 ns.
    std::int64_t lastEnd() const;
    // Nothing more is to come for time: a picture later than it is queued, the file
    // is read to its end, or the thread waits for room in the sound's ring.
    bool settledAt(std::int64_t time) const;
    // Waits until settledAt(time) or the queue is full; false when that takes
    // longer than limitMs.
    bool waitFor(std::int64_t time, int limitMs);

private:
    struct Work;

    void run();
    bool settled(std::int64_t time) const;
    bool wantsPictures() const;
    bool wantsSound() const;
    Work nextWork();
    void doWork(Work& work, std::unique_lock<std::mutex>& lock);
    void keep(Work& work);
    bool soundOverdue() const;
    void holdSound(MediaPacket packet);
    void feedSound();
    void resetQueues();

    MediaFile& file_;
    std::shared_ptr<AudioStream> stream_;
    bool hasVideo_ = false;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable decoded_;
    std::deque<MediaFrame> pictures_;
    std::deque<MediaPacket> heldVideo_;
    std::deque<MediaPacket> heldSound_;
    std::vector<float> pendingSound_;
    std::size_t pendingAt_ = 0;
    bool quit_ = false;
    bool readEnded_ = false;
    // Each decoder gives what it still holds once the file is read through; the
    // sound's waits while its held packets wait for room.
    bool picturesDrained_ = false;
    bool soundDrained_ = false;
    bool ended_ = false;
    bool warnedHeld_ = false;
    // Found nothing to do since the last take or seek.
    bool idle_ = false;
    bool seekPending_ = true;
    std::int64_t seekTarget_ = 0;
    std::int64_t lastEnd_ = 0;
    unsigned generation_ = 0;
};

}  // namespace platform
