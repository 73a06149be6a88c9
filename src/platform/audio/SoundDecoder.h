#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/audio/AudioFormat.h"

namespace platform {

// Decodes a whole sound file with FFmpeg into the mix format. The content decides
// the format, never the extension; the first audio stream is taken.
class SoundDecoder {
public:
    explicit SoundDecoder(std::size_t maxFrames = kDefaultMaxSoundFrames);

    // S_OK and the sound; E_FILE_NOT_FOUND for a missing file; E_FAIL when the file
    // is no media file, has no audio stream, decodes to nothing or to more than
    // maxFrames. Damaged packets inside a decodable file are skipped.
    std::int32_t decode(const std::string& path, SoundHandle& sound) const;

private:
    std::size_t maxFrames_;
};

}  // namespace platform
