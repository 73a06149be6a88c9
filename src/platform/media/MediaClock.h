#pragma once

#include <cstdint>

namespace platform {

class AudioStream;

// A graph's playback position in 100 ns while its output runs. With a stream in
// the mix it follows the frames the mix has taken, which move a whole block at a
// time: it runs on with the platform clock, held within a block of the frames taken
// (never past the end of the next block nor of the sound queued) and never back;
// before the first block is taken, a block of the device's size counts as in flight.
// Without a stream, or once the stream has played its last frame or left the mix,
// it follows the platform clock's milliseconds (unsigned, so a wrap is harmless).
class MediaClock {
public:
    // Output starts at position, the platform clock reading now; stream may be null.
    void start(std::int64_t position, std::uint32_t now, const AudioStream* stream);
    std::int64_t at(std::uint32_t now);

private:
    void followPlatform(std::int64_t position, std::uint32_t now);
    std::int64_t streamPosition(std::uint32_t now);
    std::int64_t afterStart(std::uint64_t frames) const;

    const AudioStream* stream_ = nullptr;
    std::int64_t base_ = 0;
    std::uint32_t startMs_ = 0;
    std::uint64_t startFrames_ = 0;
    // The frames taken when last read, the smallest block seen, and the last
    // position given with the platform clock's reading then.
    std::uint64_t takenFrames_ = 0;
    std::uint64_t blockFrames_ = 0;
    std::int64_t given_ = 0;
    std::uint32_t givenMs_ = 0;
};

}  // namespace platform
