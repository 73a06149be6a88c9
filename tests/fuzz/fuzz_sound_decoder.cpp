// Feeds arbitrary bytes to the sound decoder as a sound file: it must answer S_OK with
// a sound no longer than its cap, or one of its error results, and never crash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInputFile.h"
#include "platform/HResult.h"
#include "platform/LogSink.h"
#include "platform/Services.h"
#include "platform/SoundDecoder.h"

namespace {

// FFmpeg complains about hostile input at length; printing it would only slow the run.
class DiscardLogSink : public platform::LogSink {
public:
    void write(platform::LogChannel, std::string_view) override {}
};

// Ten seconds: small enough to reach quickly from a few bytes at a low sample rate.
constexpr std::size_t kCap = 10 * platform::kMixRate;

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_sound_decoder: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DiscardLogSink sink;
    static platform::ScopedService<platform::LogSink> quiet(sink);
    static const zkfuzz::FuzzInputFile input("fuzz_sound_decoder");
    const std::string& path = input.write(data, size);
    const platform::SoundDecoder decoder(kCap);
    platform::SoundHandle sound;
    const std::int32_t result = decoder.decode(path, sound);
    if (result == platform::S_OK) {
        Require(sound != nullptr, "S_OK without a sound");
        Require(sound->frames() > 0 && sound->frames() <= kCap, "sound length outside the cap");
    } else {
        Require(result == platform::E_FAIL, "an unexpected result");
        Require(sound == nullptr, "a failure that gave a sound");
    }
    return 0;
}
