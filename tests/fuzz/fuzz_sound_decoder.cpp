// Feeds arbitrary bytes to the sound decoder as a sound file: it must answer S_OK with
// a sound no longer than its cap, or one of its error results, and never crash. The
// plain PCM reader's samples, when it takes the bytes, are whole frames inside them.
#include <cstdint>

#include "FuzzCheck.h"
#include "FuzzInputFile.h"
#include "platform/audio/PcmWave.h"
#include "platform/audio/SoundDecoder.h"
#include "platform/core/HResult.h"

using zkfuzz::Require;

// Ten seconds: small enough to reach quickly from a few bytes at a low sample rate.
constexpr std::size_t kCap = 10 * platform::kMixRate;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::QuietLog quiet;
    static const zkfuzz::FuzzInputFile input("fuzz_sound_decoder");
    platform::SoundHandle sound;
    const std::int32_t result = platform::SoundDecoder(kCap).decode(input.write(data, size), sound);
    if (result == platform::S_OK) {
        Require(sound != nullptr, "S_OK without a sound");
        Require(sound->frames() > 0 && sound->frames() <= kCap, "sound length outside the cap");
    } else {
        Require(result == platform::E_FAIL, "an unexpected result");
        Require(sound == nullptr, "a failure that gave a sound");
    }
    if (auto wave = platform::PcmWave::Read({data, data + size})) {
        const auto samples = wave->samples();
        const auto frameBytes = static_cast<std::size_t>(wave->channels()) *
                                static_cast<std::size_t>(wave->bytesPerSample());
        Require(frameBytes > 0 && !samples.empty() && samples.size() % frameBytes == 0,
                "plain PCM samples that are not whole frames");
    }
    return 0;
}
