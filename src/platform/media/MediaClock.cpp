#include "platform/media/MediaClock.h"

#include <algorithm>

#include "platform/audio/AudioFormat.h"
#include "platform/audio/AudioStream.h"

namespace platform {

namespace {

constexpr std::int64_t kUnitsPerSecond = 10000000;
constexpr std::int64_t kUnitsPerMs = 10000;

}  // namespace

void MediaClock::start(std::int64_t position, std::uint32_t now, const AudioStream* stream) {
    followPlatform(position, now);
    if (stream == nullptr || !stream->mixed()) return;
    stream_ = stream;
    startFrames_ = stream->consumed();
    takenFrames_ = startFrames_;
    blockFrames_ = 0;
    given_ = position;
    givenMs_ = now;
}

void MediaClock::followPlatform(std::int64_t position, std::uint32_t now) {
    stream_ = nullptr;
    base_ = position;
    startMs_ = now;
}

std::int64_t MediaClock::afterStart(std::uint64_t frames) const {
    return base_ + static_cast<std::int64_t>(frames - startFrames_) * kUnitsPerSecond / kMixRate;
}

std::int64_t MediaClock::streamPosition(std::uint32_t now) {
    const std::uint64_t taken = stream_->consumed();
    if (taken != takenFrames_) {
        const std::uint64_t block = taken - takenFrames_;
        blockFrames_ = blockFrames_ == 0 ? block : std::min(blockFrames_, block);
        takenFrames_ = taken;
    }
    // Until the device has taken a block, one of its known size counts as in flight,
    // so the clock moves from the first picture on.
    const std::uint64_t block = blockFrames_ != 0 ? blockFrames_ : kDeviceBlockFrames;
    const std::uint64_t ahead = std::min<std::uint64_t>(block, stream_->available());
    const std::uint64_t behind = std::min(block, taken - startFrames_);
    const std::int64_t running = given_ + static_cast<std::int64_t>(now - givenMs_) * kUnitsPerMs;
    given_ = std::max(given_,
                      std::clamp(running, afterStart(taken - behind), afterStart(taken + ahead)));
    givenMs_ = now;
    return given_;
}

std::int64_t MediaClock::at(std::uint32_t now) {
    if (stream_ == nullptr) return base_ + static_cast<std::int64_t>(now - startMs_) * kUnitsPerMs;
    const std::int64_t position = streamPosition(now);
    if (stream_->drained() || !stream_->mixed()) followPlatform(position, now);
    return position;
}

}  // namespace platform
