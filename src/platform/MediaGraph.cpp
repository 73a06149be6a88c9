#include "platform/MediaGraph.h"

#include <algorithm>

#include "platform/HResult.h"
#include "platform/MediaPump.h"

namespace platform {

MediaGraph::MediaGraph() { MediaPump::instance().add(*this); }
MediaGraph::~MediaGraph() { MediaPump::instance().remove(*this); }

std::int32_t MediaGraph::renderFile(const std::string& path) { return file_.open(path); }

void MediaGraph::videoSize(int& width, int& height) const {
    width = file_.videoWidth();
    height = file_.videoHeight();
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
    state_ = MediaState::Running;
    return S_OK;
}

std::int32_t MediaGraph::setPositions(const std::int64_t* current, MediaStop stopMode,
                                      std::int64_t stop) {
    if (MediaPump::takeFault(MediaPump::instance().failingSeeks)) return E_FAIL;
    if (current != nullptr) {
        const std::int64_t length = file_.duration().value_or(0);
        position_ = std::clamp<std::int64_t>(*current, 0, length);
    }
    if (stopMode != MediaStop::Keep) {
        stopSet_ = stopMode == MediaStop::At;
        stop_ = stop;
    }
    return S_OK;
}

void MediaGraph::getPositions(std::int64_t& current, std::int64_t& stop) const {
    current = position_;
    stop = stopSet_ ? stop_ : file_.duration().value_or(0);
}

std::int32_t MediaGraph::getDuration(std::int64_t& duration) const {
    const auto length = file_.duration();
    if (MediaPump::instance().failingDuration || !length) return E_FAIL;
    duration = *length;
    return S_OK;
}

std::int32_t MediaGraph::getEvent(std::int32_t& code) {
    if (events_.empty()) return E_ABORT;
    code = events_.front();
    events_.pop_front();
    return S_OK;
}

}  // namespace platform
