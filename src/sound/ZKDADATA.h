#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio/AudioEngine.h"

// One sound buffer of ZKSND: a registered file name, the sound loaded from it and
// the instances played from it.
class ZKDADATA {
public:
    static constexpr std::size_t kPathSize = 260;

    // Clears the name and copies name into it unless null; the caller has checked
    // that it fits.
    void SetData(const char* name);
    const char* GetFileName() const { return szFileName; }
    // Stops every instance played from this buffer and drops them and the sound; the
    // name stays registered.
    void Release();

    // Plays the loaded sound; the new instance silences the buffer's latest one.
    void Play(platform::AudioBus bus, int repeats);
    void Stop();
    bool IsPlaying() const;

    char szFileName[kPathSize] = {};
    platform::AudioEngine* pPerformance = nullptr;  // the engine of ZKSND, not owned
    platform::SoundHandle pSegment;
    platform::InstanceHandle pSegmentState;  // the latest instance
    std::int32_t mtLength = 0;               // frames at the mix rate

private:
    // Every instance started here that may still sound: a reload replaces the sound
    // while its earlier instances play on, and they still belong to this buffer.
    std::vector<platform::InstanceHandle> instances;
};
