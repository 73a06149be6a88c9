#include "platform/media/MediaWorker.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "platform/audio/AudioFormat.h"
#include "platform/audio/AudioStream.h"
#include "platform/core/Log.h"

namespace platform {

namespace {

// How much of one stream may wait compressed while the other is read.
constexpr std::int64_t kHeldUnits = 50000000;  // 5 s
constexpr std::size_t kHeldBytes = 16u << 20;

bool OverBound(const std::deque<MediaPacket>& held) {
    std::size_t bytes = 0;
    std::int64_t units = 0;
    for (const MediaPacket& kept : held) {
        bytes += kept.bytes();
        units += kept.duration();
    }
    return bytes > kHeldBytes || units > kHeldUnits;
}

}  // namespace

// One step of the thread, planned under the lock and done without it.
struct MediaWorker::Work {
    enum class Kind { None, Held, Read, DrainPictures, DrainSound };
    Kind kind = Kind::None;
    MediaPacket packet;
    bool more = true;
    bool decodePictures = false;
    bool decodeSound = false;
    unsigned generation = 0;
    std::vector<MediaFrame> pictures;
    std::vector<float> sound;
};

MediaWorker::MediaWorker(MediaFile& file, std::shared_ptr<AudioStream> stream)
    : file_(file), stream_(std::move(stream)), hasVideo_(file.hasVideo()) {
    resetQueues();
    if (stream_) stream_->setWakeProducer([this] { poke(); });
}

MediaWorker::~MediaWorker() {
    if (stream_) stream_->setWakeProducer(nullptr);
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
        resetQueues();
        idle_ = false;
        seekPending_ = true;
        seekTarget_ = position;
        lastEnd_ = position;
        ++generation_;
    }
    wake_.notify_all();
}

void MediaWorker::resetQueues() {
    pictures_.clear();
    heldVideo_.clear();
    heldSound_.clear();
    pendingSound_.clear();
    pendingAt_ = 0;
    if (stream_) stream_->flush();
    readEnded_ = false;
    picturesDrained_ = !hasVideo_;
    soundDrained_ = !stream_;
    ended_ = false;
}

void MediaWorker::poke() {
    { const std::lock_guard lock(mutex_); }
    wake_.notify_all();
}

bool MediaWorker::takePicture(std::int64_t time, MediaFrame& picture) {
    bool taken = false;
    {
        const std::lock_guard lock(mutex_);
        while (!pictures_.empty() && pictures_.front().time() <= time) {
            picture = std::move(pictures_.front());
            pictures_.pop_front();
            taken = true;
            idle_ = false;
        }
    }
    if (taken) wake_.notify_all();
    return taken;
}

std::optional<std::int64_t> MediaWorker::nextPictureTime() const {
    const std::lock_guard lock(mutex_);
    if (pictures_.empty()) return std::nullopt;
    return pictures_.front().time();
}

bool MediaWorker::finished() const {
    const std::lock_guard lock(mutex_);
    return ended_ && !seekPending_ && pictures_.empty();
}

std::int64_t MediaWorker::lastEnd() const {
    const std::lock_guard lock(mutex_);
    return lastEnd_;
}

bool MediaWorker::settled(std::int64_t time) const {
    return (ended_ && !seekPending_) || (idle_ && !seekPending_) ||
           std::any_of(pictures_.begin(), pictures_.end(),
                       [&](const MediaFrame& p) { return p.time() > time; });
}

bool MediaWorker::settledAt(std::int64_t time) const {
    const std::lock_guard lock(mutex_);
    return settled(time);
}

bool MediaWorker::waitFor(std::int64_t time, int limitMs) {
    std::unique_lock lock(mutex_);
    return decoded_.wait_for(lock, std::chrono::milliseconds(limitMs),
                             [&] { return settled(time) || pictures_.size() >= kPicturesAhead; });
}

bool MediaWorker::wantsPictures() const { return hasVideo_ && pictures_.size() < kPicturesAhead; }

bool MediaWorker::wantsSound() const {
    return stream_ && pendingSound_.empty() && stream_->space() > 0 && !soundOverdue();
}

// The pictures read while looking for sound reach past the bound: the file has no
// sound for as far as the pictures may run ahead, so the sound is taken as ended
// and the pictures wait for the clock rather than being dropped.
bool MediaWorker::soundOverdue() const { return OverBound(heldVideo_); }

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
            if (!moved && generation == generation_) {
                readEnded_ = picturesDrained_ = soundDrained_ = ended_ = true;
            }
            decoded_.notify_all();
            continue;
        }
        feedSound();
        Work work = nextWork();
        idle_ = work.kind == Work::Kind::None;
        if (idle_) {
            decoded_.notify_all();
            wake_.wait(lock);
            continue;
        }
        doWork(work, lock);
    }
}

// Held packets go first, so each stream is decoded in file order; a packet is read
// only while a consumer has room, or to run through a file nothing consumes.
MediaWorker::Work MediaWorker::nextWork() {
    Work work;
    work.generation = generation_;
    const bool pictures = wantsPictures();
    const bool sound = wantsSound();
    if (pictures && !heldVideo_.empty()) {
        work.kind = Work::Kind::Held;
        work.packet = std::move(heldVideo_.front());
        heldVideo_.pop_front();
        work.decodePictures = true;
    } else if (sound && !heldSound_.empty()) {
        work.kind = Work::Kind::Held;
        work.packet = std::move(heldSound_.front());
        heldSound_.pop_front();
        work.decodeSound = true;
    } else if (!readEnded_ && (pictures || sound || (!hasVideo_ && !stream_))) {
        work.kind = Work::Kind::Read;
        work.decodePictures = pictures;
        work.decodeSound = sound;
    } else if (readEnded_ && !picturesDrained_ && heldVideo_.empty()) {
        work.kind = Work::Kind::DrainPictures;
    } else if (readEnded_ && !soundDrained_ && heldSound_.empty()) {
        work.kind = Work::Kind::DrainSound;
    }
    return work;
}

void MediaWorker::doWork(Work& work, std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    if (work.kind == Work::Kind::Read) work.more = file_.readPacket(work.packet);
    if (work.kind == Work::Kind::DrainPictures) {
        file_.decodePictures(nullptr, work.pictures);
    } else if (work.kind == Work::Kind::DrainSound) {
        file_.decodeSound(nullptr, work.sound);
    } else if (work.more && work.packet.isVideo() && work.decodePictures) {
        file_.decodePictures(&work.packet, work.pictures);
    } else if (work.more && !work.packet.isVideo() && stream_ && work.decodeSound) {
        file_.decodeSound(&work.packet, work.sound);
    }
    lock.lock();
    if (work.generation == generation_) keep(work);
}

// What a step gave joins the queues; a read packet nobody decoded is held for its
// stream, or dropped when its sound has nowhere to go.
void MediaWorker::keep(Work& work) {
    const std::int64_t interval = file_.frameInterval();
    for (MediaFrame& picture : work.pictures) {
        lastEnd_ = std::max(lastEnd_, picture.time() + interval);
        pictures_.push_back(std::move(picture));
    }
    pendingSound_.insert(pendingSound_.end(), work.sound.begin(), work.sound.end());
    if (work.kind == Work::Kind::Read && !work.more) readEnded_ = true;
    if (work.kind == Work::Kind::DrainPictures) picturesDrained_ = true;
    if (work.kind == Work::Kind::DrainSound) soundDrained_ = true;
    ended_ = picturesDrained_ && soundDrained_;
    if (work.kind == Work::Kind::Read && work.more) {
        if (work.packet.isVideo() && !work.decodePictures) {
            heldVideo_.push_back(std::move(work.packet));
        } else if (!work.packet.isVideo() && !stream_) {
            lastEnd_ = std::max(lastEnd_, work.packet.end());
        } else if (!work.packet.isVideo() && !work.decodeSound) {
            holdSound(std::move(work.packet));
        }
    }
    feedSound();
    decoded_.notify_all();
}

// Sound nobody takes must not grow memory without bound: past the bound the
// oldest packets go, and playback skips what they held.
void MediaWorker::holdSound(MediaPacket packet) {
    heldSound_.push_back(std::move(packet));
    while (heldSound_.size() > 1 && OverBound(heldSound_)) {
        heldSound_.pop_front();
        if (!warnedHeld_) {
            LogWarn("MediaWorker",
                    "one stream ran more than 5 s or 16 MB ahead of the other; its oldest "
                    "packets are dropped");
        }
        warnedHeld_ = true;
    }
}

// The stream takes what its ring has room for. It is told it has ended once the
// file's last sound is in, or while no sound is due, whatever pictures are still to
// come: the clock waits on the stream until then.
void MediaWorker::feedSound() {
    if (!stream_) return;
    if (pendingAt_ < pendingSound_.size()) {
        const std::size_t frames = (pendingSound_.size() - pendingAt_) / kMixChannels;
        pendingAt_ += stream_->push(pendingSound_.data() + pendingAt_, frames) * kMixChannels;
    }
    if (pendingAt_ >= pendingSound_.size()) {
        pendingSound_.clear();
        pendingAt_ = 0;
        if (soundDrained_ || soundOverdue()) stream_->markEnded();
    }
}

}  // namespace platform
