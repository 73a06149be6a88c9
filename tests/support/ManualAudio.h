#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "common/WavWriter.h"
#include "platform/audio/AudioFormat.h"
#include "platform/audio/ManualAudioDevice.h"
#include "platform/core/Services.h"

namespace zktest {

// A fresh manual audio device installed for the test's lifetime: whatever opens the
// audio device meanwhile plays into it, and the test pulls the mix.
class ManualAudio {
public:
    platform::ManualAudioDevice device;

    // The next frames of the mix, interleaved stereo.
    std::vector<float> pull(std::size_t frames) { return device.pull(frames); }

private:
    platform::ScopedService<platform::AudioDevice> scope_{device};
};

// A decoded sound of frames frames at one level on both channels.
platform::SoundHandle LevelSound(std::size_t frames, float level);

// Writes a WAV file of frames frames at one level (16-bit mono 44 100 Hz unless told).
void WriteLevelWav(const std::string& path, std::size_t frames, float level,
                   const zktools::WavFormat& format = {});

// Frames in an interleaved stereo mix.
std::size_t FrameCount(std::span<const float> mix);

// The number of frames, from the start, in which either channel sounds.
std::size_t SoundingFrames(std::span<const float> mix);

// The root mean square of the samples; 0 for none.
double Rms(std::span<const float> samples);

// True when both channels of every frame lie within tolerance of level.
bool AllFramesAt(std::span<const float> mix, float level, float tolerance = 1e-5f);

}  // namespace zktest
