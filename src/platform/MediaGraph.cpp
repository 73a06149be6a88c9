#include "platform/MediaGraph.h"

#include <algorithm>

#include "platform/Display.h"
#include "platform/HResult.h"
#include "platform/Log.h"
#include "platform/MediaPump.h"
#include "platform/Services.h"
#include "platform/WindowPicture.h"

namespace platform {

namespace {

constexpr std::int64_t kUnitsPerMs = 10000;
// The deterministic pump waits this long for the decoder before it gives up.
constexpr int kDecodeWaitMs = 10000;

}  // namespace

MediaGraph::MediaGraph(int layer) : layer_(layer) { MediaPump::instance().add(*this); }

MediaGraph::~MediaGraph() {
    MediaPump::instance().remove(*this);
    worker_.reset();
    if (layerShown_) service<Display>().setExternalShown(layer_, false);
}

std::int32_t MediaGraph::renderFile(const std::string& path) {
    const std::int32_t result = file_.open(path);
    if (result != S_OK) return result;
    // Kept apart from the file, which the worker may reopen while seeking.
    hasVideo_ = file_.hasVideo();
    hasAudio_ = file_.hasAudio();
    videoWidth_ = file_.videoWidth();
    videoHeight_ = file_.videoHeight();
    duration_ = file_.duration();
    worker_ = std::make_unique<MediaWorker>(file_);
    return result;
}

void MediaGraph::videoSize(int& width, int& height) const {
    width = videoWidth_;
    height = videoHeight_;
}

void MediaGraph::setOwner(WindowHandle owner) {
    owner_ = owner;
    if (owner == nullptr) shown_ = false;
}

std::int32_t MediaGraph::setWindowPosition(int x, int y, int width, int height) {
    if (width > MediaFile::kLargestSide || height > MediaFile::kLargestSide) return E_INVALIDARG;
    rect_ = {x, y, width, height};
    return S_OK;
}

void MediaGraph::setNotifyWindow(WindowHandle window, std::uint32_t message) {
    notifyWindow_ = window;
    notifyMessage_ = message;
}

std::int32_t MediaGraph::run() {
    if (MediaPump::takeFault(MediaPump::instance().failingRuns)) return E_FAIL;
    if (!worker_ || !worker_->start()) return E_FAIL;
    if (state_ != MediaState::Running) outputStarted_ = false;
    state_ = MediaState::Running;
    return S_OK;
}

// Paused, the position and the picture hold; the queue stays for the resume.
void MediaGraph::pause() {
    state_ = MediaState::Paused;
    outputStarted_ = false;
}

// Stopped, the position holds and what was decoded ahead is dropped, so a later
// run starts cleanly from the position.
void MediaGraph::stop() {
    state_ = MediaState::Stopped;
    outputStarted_ = false;
    if (worker_) worker_->seek(position_);
}

std::int32_t MediaGraph::setPositions(const std::int64_t* current, MediaStop stopMode,
                                      std::int64_t stop) {
    if (MediaPump::takeFault(MediaPump::instance().failingSeeks)) return E_FAIL;
    if (current != nullptr) {
        position_ = std::clamp<std::int64_t>(*current, 0, duration_.value_or(0));
        if (worker_) worker_->seek(position_);
        outputStarted_ = false;
        endQueued_ = false;
    }
    if (stopMode != MediaStop::Keep) {
        stopSet_ = stopMode == MediaStop::At;
        stop_ = stop;
        endQueued_ = false;
    }
    return S_OK;
}

void MediaGraph::getPositions(std::int64_t& current, std::int64_t& stop) const {
    current = position_;
    stop = stopSet_ ? stop_ : duration_.value_or(0);
}

std::int32_t MediaGraph::getDuration(std::int64_t& duration) const {
    if (MediaPump::instance().failingDuration || !duration_) return E_FAIL;
    duration = *duration_;
    return S_OK;
}

std::int32_t MediaGraph::getEvent(std::int32_t& code) {
    if (events_.empty()) return E_ABORT;
    code = events_.front();
    events_.pop_front();
    return S_OK;
}

std::int64_t MediaGraph::clockAt(std::uint32_t now) const {
    return outputBase_ + static_cast<std::int64_t>(now - outputStart_) * kUnitsPerMs;
}

MediaPictureSize MediaGraph::pictureSize() const {
    const int width = fullScreen_ ? WindowPicture::kGameWidth : rect_.width;
    const int height = fullScreen_ ? WindowPicture::kGameHeight : rect_.height;
    return {width, height, std::min(width, WindowPicture::kGameWidth),
            std::min(height, WindowPicture::kGameHeight)};
}

bool MediaGraph::advance(std::uint32_t now) {
    if (worker_) worker_->setPictureSize(pictureSize());
    bool ended = false;
    if (state_ == MediaState::Running && worker_) {
        if (!outputStarted_) {
            outputStarted_ = true;
            outputStart_ = now;
            outputBase_ = position_;
        }
        position_ = clockAt(now);
        if (MediaPump::instance().deterministic && !worker_->waitFor(position_, kDecodeWaitMs)) {
            LogError("MediaGraph", "the decoder gave nothing within %d ms", kDecodeWaitMs);
        }
        presentDue();
        const bool atStop = stopSet_ && position_ >= stop_;
        const bool atEnd = worker_->finished() && position_ >= worker_->lastEnd();
        if ((atStop || atEnd) && !endQueued_) {
            endQueued_ = true;
            events_.push_back(EC_COMPLETE);
            ended = notifyWindow_ != nullptr;
        }
        if (duration_) position_ = std::min(position_, *duration_);
    }
    syncLayer();
    return ended;
}

void MediaGraph::presentDue() {
    MediaPicture picture;
    if (!worker_->takePicture(position_, picture)) return;
    Display& display = service<Display>();
    if (picture.width > 0 && picture.height > 0 && shown_ && owner_ != nullptr) {
        display.setExternalPicture(layer_, std::move(picture.pixels), picture.width,
                                   picture.height);
        presentedAny_ = true;
    }
}

// The layer follows the output: shown while the output is shown with a size, at
// the game area's corner in full screen; black until its first picture.
void MediaGraph::syncLayer() {
    const MediaPictureSize size = pictureSize();
    const bool wanted =
        hasVideo_ && shown_ && owner_ != nullptr && size.width > 0 && size.height > 0;
    Display& display = service<Display>();
    if (wanted) {
        if (!presentedAny_) {
            display.setExternalPicture(
                layer_,
                std::vector<std::uint32_t>(static_cast<std::size_t>(size.keptWidth) *
                                           size.keptHeight),
                size.keptWidth, size.keptHeight);
            presentedAny_ = true;
        }
        display.setExternalPosition(layer_, fullScreen_ ? 0 : rect_.x, fullScreen_ ? 0 : rect_.y);
    }
    if (wanted != layerShown_) display.setExternalShown(layer_, wanted);
    layerShown_ = wanted;
}

}  // namespace platform
