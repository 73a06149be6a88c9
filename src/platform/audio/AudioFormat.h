#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The one format the mixer renders and every decoded sound is kept in.
inline constexpr int kMixRate = 44100;
inline constexpr int kMixChannels = 2;
// The frames the sound card takes at a time; the device asks for exactly this many.
inline constexpr int kDeviceBlockFrames = 1024;

// The longest sound a load accepts: twenty minutes once decoded.
inline constexpr std::size_t kDefaultMaxSoundFrames = 20u * 60u * kMixRate;

// A whole decoded sound: interleaved 16-bit stereo at the mix rate (16-bit keeps
// three minutes of music at 32 MB).
struct DecodedSound {
    std::vector<std::int16_t> samples;
    // The file it was decoded from, as the load named it.
    std::string path = {};

    std::size_t frames() const { return samples.size() / kMixChannels; }
};

using SoundHandle = std::shared_ptr<const DecodedSound>;

// The mixer's buses; a sound plays on exactly one.
enum class AudioBus { Default, Voice, Music, Effects };

inline constexpr std::size_t kAudioBusCount = 4;

}  // namespace platform
