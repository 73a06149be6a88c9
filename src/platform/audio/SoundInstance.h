#pragma once

#include <cstddef>
#include <memory>

#include "platform/audio/AudioFormat.h"

namespace platform {

class AudioMixer;

// One playing of a sound on a bus. The handle outlives the playing and the sound:
// once the instance has ended the mixer drops its sound, and the instance keeps
// only whether it is active and where it stood. Read it through the mixer, which
// holds the lock.
class SoundInstance {
private:
    friend class AudioMixer;

    SoundHandle sound_;
    AudioBus bus_ = AudioBus::Default;
    bool endless_ = false;
    int passesLeft_ = 0;  // passes after the current one
    std::size_t position_ = 0;
    std::size_t length_ = 0;
    bool active_ = true;
};

using InstanceHandle = std::shared_ptr<SoundInstance>;

}  // namespace platform
