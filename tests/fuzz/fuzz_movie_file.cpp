// Feeds arbitrary bytes to the media decoder as a movie file: it opens the file and
// decodes at most 64 packets, pictures at 80 x 60 and sound at the mix rate. It must
// never crash, and what it gives must stay within the sizes asked for.
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInputFile.h"
#include "platform/core/HResult.h"
#include "platform/media/MediaFile.h"
#include "platform/media/PictureConverter.h"

using zkfuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::QuietLog quiet;
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
    std::vector<platform::MediaFrame> pictures;
    std::vector<float> sound;
    platform::MediaPacket packet;
    platform::PictureConverter converter;
    platform::MediaPicture picture;
    for (int i = 0; i < 64 && file.readPacket(packet); ++i) {
        file.decodePictures(&packet, pictures);
        file.decodeSound(&packet, sound);
        for (const platform::MediaFrame& frame : pictures) {
            if (!converter.convert(frame, {80, 60, 80, 60}, picture)) continue;
            Require(picture.width == 80 && picture.height == 60 && picture.pixels.size() == 4800,
                    "a picture of another size");
        }
        Require(sound.size() % 2 == 0, "sound frames split across channels");
        pictures.clear();
        sound.clear();
    }
    return 0;
}
