#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/MediaFile.h"

namespace platform {

// The decoding thread of one media graph. It reads and decodes ahead of the
// consumer, a few pictures at most, and sleeps while its queue is full. It never
// reads the clock or touches the display: the game thread takes pictures from it.
// Sound packets are read and dropped; their times still count for the end.
class MediaWorker {
public:
    static constexpr std::size_t kPicturesAhead = 4;

    explicit MediaWorker(MediaFile& file) : file_(file) {}
    ~MediaWorker();
    MediaWorker(const MediaWorker&) = delete;
    MediaWorker& operator=(const MediaWorker&) = delete;

    // Starts the thread once; false when it cannot be started.
    bool start();
    // Drops everything queued and decodes from position on.
    void seek(std::int64_t position);
    // The size pictures are converted to from now on.
    void setPictureSize(const MediaPictureSize& size);

    // The latest queued picture at or before time, the older ones dropped; false
    // when there is none.
    bool takePicture(std::int64_t time, MediaPicture& picture);
    // The file is read to its end and every picture taken.
    bool finished() const;
    // The end of the last picture or sound packet read, in 100 ns.
    std::int64_t lastEnd() const;
    // Waits until a picture later than time is queued or the file is read to its
    // end; false when that takes longer than limitMs of real time.
    bool waitFor(std::int64_t time, int limitMs);

private:
    void run();
    void decodeNext(std::unique_lock<std::mutex>& lock);

    MediaFile& file_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable decoded_;
    std::deque<MediaPicture> pictures_;
    MediaPictureSize size_;
    bool quit_ = false;
    bool ended_ = false;
    bool seekPending_ = true;
    std::int64_t seekTarget_ = 0;
    std::int64_t lastEnd_ = 0;
    unsigned generation_ = 0;
};

}  // namespace platform
