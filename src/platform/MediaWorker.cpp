#include "platform/MediaWorker.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <vector>

namespace platform {

namespace {

// Pictures are still decoded for their times when the output has no size.
constexpr MediaPictureSize kSmallest{1, 1, 1, 1};

}  // namespace

MediaWorker::~MediaWorker() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool MediaWorker::start() {
    if (thread_.joinable()) return true;
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void MediaWorker::seek(std::int64_t position) {
    {
        const std::lock_guard lock(mutex_);
        pictures_.clear();
        ended_ = false;
        seekPending_ = true;
        seekTarget_ = position;
        lastEnd_ = position;
        ++generation_;
    }
    wake_.notify_all();
}

void MediaWorker::setPictureSize(const MediaPictureSize& size) {
    const std::lock_guard lock(mutex_);
    size_ = size;
}

bool MediaWorker::takePicture(std::int64_t time, MediaPicture& picture) {
    bool taken = false;
    {
        const std::lock_guard lock(mutex_);
        while (!pictures_.empty() && pictures_.front().time <= time) {
            picture = std::move(pictures_.front());
            pictures_.pop_front();
            taken = true;
        }
    }
    if (taken) wake_.notify_all();
    return taken;
}

bool MediaWorker::finished() const {
    const std::lock_guard lock(mutex_);
    return ended_ && !seekPending_ && pictures_.empty();
}

std::int64_t MediaWorker::lastEnd() const {
    const std::lock_guard lock(mutex_);
    return lastEnd_;
}

bool MediaWorker::waitFor(std::int64_t time, int limitMs) {
    std::unique_lock lock(mutex_);
    return decoded_.wait_for(lock, std::chrono::milliseconds(limitMs), [&] {
        return (ended_ && !seekPending_) ||
               std::any_of(pictures_.begin(), pictures_.end(),
                           [&](const MediaPicture& p) { return p.time > time; });
    });
}

void MediaWorker::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (seekPending_) {
            seekPending_ = false;
            const std::int64_t target = seekTarget_;
            const unsigned generation = generation_;
            lock.unlock();
            const bool moved = file_.seek(target);
            lock.lock();
            if (!moved && generation == generation_) ended_ = true;
            decoded_.notify_all();
            continue;
        }
        if (ended_ || pictures_.size() >= kPicturesAhead) {
            wake_.wait(lock);
            continue;
        }
        decodeNext(lock);
    }
}

// One packet read and decoded with the lock released; what it gives is kept only
// when no seek came in meanwhile.
void MediaWorker::decodeNext(std::unique_lock<std::mutex>& lock) {
    const MediaPictureSize size = size_.width > 0 && size_.height > 0 ? size_ : kSmallest;
    const unsigned generation = generation_;
    lock.unlock();
    MediaPacket packet;
    std::vector<MediaPicture> made;
    const bool more = file_.readPacket(packet);
    if (!more) {
        file_.decodePictures(nullptr, size, made);
    } else if (packet.isVideo()) {
        file_.decodePictures(&packet, size, made);
    }
    lock.lock();
    if (generation != generation_) return;
    const std::int64_t interval = file_.frameInterval();
    if (more && !packet.isVideo()) lastEnd_ = std::max(lastEnd_, packet.end());
    for (MediaPicture& picture : made) {
        lastEnd_ = std::max(lastEnd_, picture.time + interval);
        pictures_.push_back(std::move(picture));
    }
    if (!more) ended_ = true;
    decoded_.notify_all();
}

}  // namespace platform
