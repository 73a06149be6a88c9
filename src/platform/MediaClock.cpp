#include "platform/MediaClock.h"

#include "platform/AudioFormat.h"
#include "platform/AudioStream.h"

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
}

void MediaClock::followPlatform(std::int64_t position, std::uint32_t now) {
    stream_ = nullptr;
    base_ = position;
    startMs_ = now;
}

std::int64_t MediaClock::at(std::uint32_t now) {
    if (stream_ == nullptr) return base_ + static_cast<std::int64_t>(now - startMs_) * kUnitsPerMs;
    const auto frames = static_cast<std::int64_t>(stream_->consumed() - startFrames_);
    const std::int64_t position = base_ + frames * kUnitsPerSecond / kMixRate;
    if (stream_->drained() || !stream_->mixed()) followPlatform(position, now);
    return position;
}

}  // namespace platform
