#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

class AudioStream;
class CdDrive;

// The thread of one CD play: reads the sectors from..end-1 of the drive into the
// stream and marks it ended after the last, or at a sector that still cannot be
// read after one retry. It sleeps while the stream's ring is full and is woken by
// the stream; dropping the reader stops it promptly.
class CdReader {
public:
    CdReader(CdDrive& drive, std::shared_ptr<AudioStream> stream, int from, int end);
    ~CdReader();
    CdReader(const CdReader&) = delete;
    CdReader& operator=(const CdReader&) = delete;

private:
    void run(int from, int end);
    // Waits for room for a sector; false when the reader is to quit.
    bool waitForRoom();
    void wake();

    CdDrive& drive_;
    std::shared_ptr<AudioStream> stream_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace platform
