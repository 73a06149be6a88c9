#include "platform/media/MediaPlayer.h"

#include <utility>

#include "platform/core/HResult.h"

namespace platform {

namespace {

constexpr std::int64_t kUnitsPerMs = 10000;

}  // namespace

MediaPlayer::MediaPlayer(int layer, WindowHandle owner) : layer_(layer), owner_(owner) {}

std::int32_t MediaPlayer::open(const std::string& path, std::shared_ptr<AudioEngine> engine) {
    graph_ = std::make_unique<MediaGraph>(layer_, std::move(engine));
    const std::int32_t result = graph_->renderFile(path);
    if (result < 0) {
        graph_.reset();
        return result;
    }
    graph_->setOwner(owner_);
    return result;
}

bool MediaPlayer::moveWindow(int x, int y, int width, int height) {
    if (!graph_ || graph_->setWindowPosition(x, y, width, height) < 0) return false;
    graph_->setVisible(true);
    return true;
}

void MediaPlayer::takeEnds() {
    if (!graph_) return;
    std::int32_t code = 0;
    while (graph_->getEvent(code) == S_OK) {
        if (code != EC_COMPLETE) continue;
        graph_->stop();
        graph_->setPositions(&rangeEnd_, MediaStop::Keep);
    }
}

bool MediaPlayer::play(std::uint32_t from, std::optional<std::uint32_t> to) {
    takeEnds();
    const std::optional<std::uint32_t> total = length();
    if (!total || from > *total || (to && (*to > *total || from > *to))) return false;
    std::int64_t duration = 0;
    graph_->getDuration(duration);
    const std::int64_t start = from * kUnitsPerMs;
    rangeEnd_ = to ? *to * kUnitsPerMs : duration;
    if (graph_->setPositions(&start, to ? MediaStop::At : MediaStop::ToEnd, rangeEnd_) < 0) {
        return false;
    }
    return graph_->run() >= 0;
}

bool MediaPlayer::play() {
    takeEnds();
    const std::optional<std::uint32_t> total = length();
    if (!total) return false;
    const std::uint32_t at = position();
    return play(at >= *total ? 0 : at, std::nullopt);
}

bool MediaPlayer::resume() {
    takeEnds();
    return graph_ && graph_->run() >= 0;
}

void MediaPlayer::stop() {
    takeEnds();
    if (graph_) graph_->stop();
}

void MediaPlayer::pause() {
    takeEnds();
    if (graph_) graph_->pause();
}

MediaState MediaPlayer::state() {
    takeEnds();
    return graph_ ? graph_->state() : MediaState::Stopped;
}

std::optional<std::uint32_t> MediaPlayer::length() const {
    std::int64_t duration = 0;
    if (!graph_ || graph_->getDuration(duration) < 0) return std::nullopt;
    return static_cast<std::uint32_t>(duration / kUnitsPerMs);
}

std::uint32_t MediaPlayer::position() {
    takeEnds();
    if (!graph_) return 0;
    std::int64_t current = 0;
    std::int64_t stop = 0;
    graph_->getPositions(current, stop);
    return static_cast<std::uint32_t>(current / kUnitsPerMs);
}

}  // namespace platform
