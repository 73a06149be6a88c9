// Feeds arbitrary bytes to the media decoder as a movie file: it opens the file and
// decodes at most 64 packets, pictures at 80 x 60 and sound at the mix rate. It must
// never crash, and what it gives must stay within the sizes asked for.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInputFile.h"
#include "platform/HResult.h"
#include "platform/LogSink.h"
#include "platform/MediaFile.h"
#include "platform/Services.h"

namespace {

class DiscardLogSink : public platform::LogSink {
public:
    void write(platform::LogChannel, std::string_view) override {}
};

constexpr int kPackets = 64;
constexpr platform::MediaPictureSize kSize{80, 60, 80, 60};

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_movie_file: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DiscardLogSink sink;
    static platform::ScopedService<platform::LogSink> quiet(sink);
    static const zkfuzz::FuzzInputFile input("fuzz_movie_file");
    platform::MediaFile file;
    const std::int32_t result = file.open(input.write(data, size));
    if (result != platform::S_OK) {
        Require(result == platform::E_FAIL, "an unexpected result");
        Require(!file.hasVideo() && !file.hasAudio(), "a failure that kept a stream");
        return 0;
    }
    Require(file.hasVideo() || file.hasAudio(), "opened without a stream");
    Require(file.videoWidth() <= platform::MediaFile::kLargestSide &&
                file.videoHeight() <= platform::MediaFile::kLargestSide,
            "a picture above the largest size");
    std::vector<platform::MediaPicture> pictures;
    std::vector<float> sound;
    platform::MediaPacket packet;
    for (int i = 0; i < kPackets && file.readPacket(packet); ++i) {
        file.decodePictures(&packet, kSize, pictures);
        file.decodeSound(&packet, sound);
        for (const platform::MediaPicture& picture : pictures) {
            Require(picture.width == 80 && picture.height == 60 && picture.pixels.size() == 4800,
                    "a picture of another size");
        }
        pictures.clear();
        Require(sound.size() % 2 == 0, "sound frames split across channels");
        sound.clear();
    }
    return 0;
}
