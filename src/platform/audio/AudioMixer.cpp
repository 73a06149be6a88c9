#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace platform {

namespace {

constexpr int kMinVolume = -10000;
constexpr int kMaxVolume = 1000;
constexpr int kSilentVolume = -9600;
constexpr float kSampleScale = 1.0f / 32768.0f;

std::size_t BusIndex(AudioBus bus) { return static_cast<std::size_t>(bus); }

}  // namespace

AudioMixer::AudioMixer() { gains_.fill(1.0f); }

float AudioMixer::VolumeGain(int volume) {
    const int v = std::clamp(volume, kMinVolume, kMaxVolume);
    if (v <= kSilentVolume) return 0.0f;
    return static_cast<float>(std::pow(10.0, v / 2000.0));
}

void AudioMixer::render(float* out, std::size_t frames) {
    std::lock_guard lock(mutex_);
    std::fill(out, out + frames * kMixChannels, 0.0f);
    for (const InstanceHandle& instance : live_) {
        if (instance->active_) mixInstance(*instance, out, frames);
    }
    for (const std::shared_ptr<AudioStream>& stream : streams_) {
        if (stream->armed()) stream->mixInto(out, frames);
    }
    for (std::size_t i = 0; i < frames * kMixChannels; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void AudioMixer::mixInstance(SoundInstance& instance, float* out, std::size_t frames) const {
    const float scale = gains_[BusIndex(instance.bus_)] * kSampleScale;
    const std::int16_t* samples = instance.sound_->samples.data();
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t count = std::min(frames - done, instance.length_ - instance.position_);
        const std::int16_t* in = samples + instance.position_ * kMixChannels;
        float* to = out + done * kMixChannels;
        for (std::size_t i = 0; i < count * kMixChannels; ++i) to[i] += in[i] * scale;
        done += count;
        instance.position_ += count;
        if (instance.position_ < instance.length_) continue;
        if (!instance.endless_ && instance.passesLeft_ == 0) {
            instance.active_ = false;
            return;
        }
        if (!instance.endless_) --instance.passesLeft_;
        instance.position_ = 0;
    }
}

void AudioMixer::setBusVolume(AudioBus bus, int volume) {
    std::lock_guard lock(mutex_);
    gains_[BusIndex(bus)] = VolumeGain(volume);
}

InstanceHandle AudioMixer::play(SoundHandle sound, AudioBus bus, int repeats,
                                const InstanceHandle& cut) {
    auto instance = std::make_shared<SoundInstance>();
    instance->length_ = sound->frames();
    instance->sound_ = std::move(sound);
    instance->bus_ = bus;
    instance->endless_ = repeats < 0;
    instance->passesLeft_ = std::max(repeats, 0);
    instance->active_ = instance->length_ > 0;  // looping nothing would never advance

    std::vector<SoundHandle> released;
    std::lock_guard lock(mutex_);
    collectEnded(released);
    live_.push_back(instance);
    if (cut) cut->active_ = false;
    return instance;
}

void AudioMixer::end(SoundInstance& instance, std::vector<AudioBus>& ended) {
    if (instance.active_) ended.push_back(instance.bus_);
    instance.active_ = false;
}

std::vector<AudioBus> AudioMixer::stop(std::span<const InstanceHandle> instances) {
    std::vector<AudioBus> ended;
    std::vector<SoundHandle> released;
    std::lock_guard lock(mutex_);
    for (const InstanceHandle& instance : instances) end(*instance, ended);
    collectEnded(released);
    return ended;
}

std::vector<AudioBus> AudioMixer::stopAll() {
    std::vector<AudioBus> ended;
    std::vector<SoundHandle> released;
    std::lock_guard lock(mutex_);
    for (const InstanceHandle& instance : live_) end(*instance, ended);
    collectEnded(released);
    return ended;
}

void AudioMixer::addStream(std::shared_ptr<AudioStream> stream) {
    std::lock_guard lock(mutex_);
    stream->setMixed(true);
    streams_.push_back(std::move(stream));
}

// The stream's last reference may be the graph's, so it is freed there, never in
// the render.
void AudioMixer::removeStream(const AudioStream& stream) {
    std::lock_guard lock(mutex_);
    std::erase_if(streams_, [&](const auto& held) {
        if (held.get() != &stream) return false;
        held->setMixed(false);
        return true;
    });
}

void AudioMixer::removeAllStreams() {
    std::lock_guard lock(mutex_);
    for (const auto& stream : streams_) stream->setMixed(false);
    streams_.clear();
}

bool AudioMixer::waitForStreams(std::size_t frames, int limitMs) const {
    std::vector<std::shared_ptr<AudioStream>> armed;
    {
        std::lock_guard lock(mutex_);
        std::copy_if(streams_.begin(), streams_.end(), std::back_inserter(armed),
                     [](const auto& stream) { return stream->armed(); });
    }
    return std::all_of(armed.begin(), armed.end(),
                       [&](const auto& stream) { return stream->waitFor(frames, limitMs); });
}

bool AudioMixer::isActive(const InstanceHandle& instance) const {
    std::lock_guard lock(mutex_);
    return instance->active_;
}

bool AudioMixer::anyActive(std::span<const InstanceHandle> instances) const {
    std::lock_guard lock(mutex_);
    return std::any_of(instances.begin(), instances.end(),
                       [](const InstanceHandle& instance) { return instance->active_; });
}

std::size_t AudioMixer::position(const InstanceHandle& instance) const {
    std::lock_guard lock(mutex_);
    return instance->position_;
}

// Ended instances leave the live set and give up their sound. The caller declares
// released before taking the lock, so the sounds are freed after it is let go, on
// the game thread, never inside the device's callback.
void AudioMixer::collectEnded(std::vector<SoundHandle>& released) {
    auto ended = std::partition(live_.begin(), live_.end(),
                                [](const InstanceHandle& instance) { return instance->active_; });
    for (auto it = ended; it != live_.end(); ++it) released.push_back(std::move((*it)->sound_));
    live_.erase(ended, live_.end());
}

}  // namespace platform
