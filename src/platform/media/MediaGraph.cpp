#include "platform/media/MediaGraph.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioStream.h"
#include "platform/core/HResult.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/media/MediaPump.h"
#include "platform/media/MovieTimes.h"
#include "platform/video/Display.h"
#include "platform/video/WindowPicture.h"

namespace platform {

namespace {

// The deterministic pump waits this long for the decoder before it gives up.
constexpr int kDecodeWaitMs = 10000;
constexpr std::int64_t kUnitsPerMs = 10000;

}  // namespace

MediaGraph::MediaGraph(int layer, std::shared_ptr<AudioEngine> engine)
    : engine_(std::move(engine)), layer_(layer) {
    MediaPump::instance().add(*this);
}

MediaGraph::~MediaGraph() {
    MediaPump::instance().remove(*this);
    worker_.reset();
    if (stream_) engine_->removeStream(*stream_);
    if (layerShown_) service<Display>().setExternalShown(layer_, false);
    // Nothing can show the layer's last picture again: it is not kept.
    if (presentedAny_) service<Display>().setExternalPicture(layer_, {}, 0, 0);
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
    if (hasAudio_ && engine_) {
        stream_ = std::make_shared<AudioStream>();
        stream_->setGain(AudioMixer::VolumeGain(volume_));
        engine_->addStream(stream_);
    }
    worker_ = std::make_unique<MediaWorker>(file_, stream_);
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

// Paused or stopped, the position and the picture on the layer hold.
void MediaGraph::pause() {
    state_ = MediaState::Paused;
    haltOutput();
}

void MediaGraph::stop() {
    state_ = MediaState::Stopped;
    haltOutput();
}

void MediaGraph::haltOutput() {
    outputStarted_ = false;
    heldAtStop_ = false;
    if (stream_) stream_->setArmed(false);
    if (worker_) worker_->seek(position_);
}

void MediaGraph::putVolume(std::int32_t volume) {
    volume_ = volume;
    if (stream_) stream_->setGain(AudioMixer::VolumeGain(volume));
}

std::int32_t MediaGraph::setPositions(const std::int64_t* current, MediaStop stopMode,
                                      std::int64_t stop) {
    if (MediaPump::takeFault(MediaPump::instance().failingSeeks)) return E_FAIL;
    if (current != nullptr) {
        position_ = std::clamp<std::int64_t>(*current, 0, duration_.value_or(0));
        haltOutput();
        endQueued_ = false;
    }
    if (stopMode != MediaStop::Keep) {
        if (heldAtStop_) outputStarted_ = heldAtStop_ = false;
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

MediaPictureSize MediaGraph::pictureSize() const {
    const int width = fullScreen_ ? WindowPicture::kGameWidth : rect_.width;
    const int height = fullScreen_ ? WindowPicture::kGameHeight : rect_.height;
    return {width, height, std::min(width, WindowPicture::kGameWidth),
            std::min(height, WindowPicture::kGameHeight)};
}

bool MediaGraph::advance(std::uint32_t now) {
    bool ended = false;
    if (state_ == MediaState::Running && worker_ && !heldAtStop_ && startOutput(now)) {
        position_ = clock_.at(now);
        const bool atStop = stopSet_ && position_ >= stop_;
        if (atStop) position_ = stop_;
        worker_->poke();
        presentDue();
        // The output ends at a stop position, as it does at the file's end: nothing
        // more sounds or shows there until positions change or the play stops.
        if (atStop) {
            haltOutput();
            heldAtStop_ = true;
        }
        if ((atStop || reachedEnd()) && !endQueued_) {
            endQueued_ = true;
            events_.push_back(EC_COMPLETE);
            ended = notifyWindow_ != nullptr;
        }
        if (duration_) position_ = std::min(position_, *duration_);
    }
    syncLayer();
    return ended;
}

std::optional<std::uint32_t> MediaGraph::msToNextPicture(std::uint32_t now) {
    if (state_ != MediaState::Running || !worker_ || !outputStarted_ || heldAtStop_) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> next = worker_->nextPictureTime();
    if (!next) return std::nullopt;
    const std::int64_t units = *next - clock_.at(now);
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(
        (units + kUnitsPerMs - 1) / kUnitsPerMs, 1, std::numeric_limits<std::uint32_t>::max()));
}

// The file is read through, its sound all played and the last picture's time over.
bool MediaGraph::reachedEnd() const {
    const bool soundDone = !stream_ || stream_->drained() || !stream_->mixed();
    return soundDone && worker_->finished() && position_ >= worker_->lastEnd();
}

// The clock and the sound start together once the decoder has the first picture
// queued, or will give none without a take: started earlier, the clock would count
// the decoder's start-up against the first picture.
bool MediaGraph::startOutput(std::uint32_t now) {
    if (outputStarted_) return true;
    while (hasVideo_ && !worker_->nextPictureTime() && !worker_->settledAt(position_)) {
        if (!MediaPump::instance().deterministic) return false;
        if (!waitForDecoder()) break;
    }
    outputStarted_ = true;
    clock_.start(position_, now, stream_.get());
    if (stream_) stream_->setArmed(true);
    return true;
}

// Tests wait for the decoder to be ahead of the clock, so each due picture is
// seen whatever the machine's speed; false when the wait was in vain.
bool MediaGraph::waitForDecoder() {
    if (worker_->waitFor(position_, kDecodeWaitMs)) return true;
    LogError("MediaGraph", "the decoder gave nothing within %d ms", kDecodeWaitMs);
    return false;
}

void MediaGraph::presentDue() {
    MediaFrame frame;
    bool taken = false;
    for (;;) {
        taken = worker_->takePicture(position_, frame) || taken;
        if (!MediaPump::instance().deterministic || worker_->settledAt(position_) ||
            !waitForDecoder()) {
            break;
        }
    }
    // Only the picture shown is converted, at the output's size of the moment, over
    // the picture it replaces: a movie holds one picture of the output's size. It is
    // set again as it was when the conversion fails.
    if (!taken || layer_ == kNoLayer || !shown_ || owner_ == nullptr) return;
    Display& display = service<Display>();
    const ExternalLayers::Layer& layer = display.externalLayers().layer(layer_);
    MediaPicture picture;
    picture.width = layer.width;
    picture.height = layer.height;
    picture.pixels = display.takeExternalPicture(layer_);
    const bool converted = converter_.convert(frame, pictureSize(), picture);
    display.setExternalPicture(layer_, std::move(picture.pixels), picture.width, picture.height);
    if (!converted) return;
    MovieTimes::instance().pictureShown(picture.time, position_);
    presentedAny_ = true;
}

// The layer follows the output: shown while the output is shown with a size, at
// the game area's corner in full screen; black until its first picture.
void MediaGraph::syncLayer() {
    if (layer_ == kNoLayer) return;
    const MediaPictureSize size = pictureSize();
    const bool wanted =
        hasVideo_ && shown_ && owner_ != nullptr && size.width > 0 && size.height > 0;
    Display& display = service<Display>();
    if (wanted) {
        if (!presentedAny_) {
            display.setExternalPicture(layer_, PictureConverter::Black(size), size.keptWidth,
                                       size.keptHeight);
            presentedAny_ = true;
        }
        display.setExternalPosition(layer_, fullScreen_ ? 0 : rect_.x, fullScreen_ ? 0 : rect_.y);
    }
    if (wanted != layerShown_) display.setExternalShown(layer_, wanted);
    layerShown_ = wanted;
}

}  // namespace platform
