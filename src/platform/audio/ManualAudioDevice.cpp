#include "platform/audio/ManualAudioDevice.h"

#include <algorithm>

#include "platform/audio/AudioFormat.h"
#include "platform/audio/AudioMixer.h"
#include "platform/core/Log.h"
#include "platform/media/MediaPump.h"

namespace platform {

namespace {

// Pulled in pieces a stream's ring can hold, so a deterministic pull can wait
// for each piece in full.
constexpr std::size_t kPieceFrames = 4096;
constexpr int kStreamWaitMs = 10000;

}  // namespace

bool ManualAudioDevice::open(AudioMixer& mixer) {
    std::lock_guard lock(mutex_);
    if (refuse_) return false;
    mixer_ = &mixer;
    return true;
}

void ManualAudioDevice::close() {
    std::lock_guard lock(mutex_);
    mixer_ = nullptr;
}

void ManualAudioDevice::refuseOpen(bool refuse) {
    std::lock_guard lock(mutex_);
    refuse_ = refuse;
}

bool ManualAudioDevice::isOpen() const {
    std::lock_guard lock(mutex_);
    return mixer_ != nullptr;
}

std::vector<float> ManualAudioDevice::pull(std::size_t frames) {
    std::lock_guard lock(mutex_);
    if (mixer_ == nullptr) return {};
    std::vector<float> out(frames * kMixChannels);
    for (std::size_t done = 0; done < frames; done += kPieceFrames) {
        const std::size_t piece = std::min(kPieceFrames, frames - done);
        // Tests hear a stream's sound whole: a pull waits for the decoder as a
        // real-time device never would. A decoder that stalls fails the test
        // instead of hanging it.
        if (MediaPump::instance().deterministic && !mixer_->waitForStreams(piece, kStreamWaitMs)) {
            LogError("ManualAudioDevice", "a stream gave no sound within %d ms", kStreamWaitMs);
        }
        mixer_->render(out.data() + done * kMixChannels, piece);
    }
    return out;
}

}  // namespace platform
