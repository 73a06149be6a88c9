#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// A RIFF WAVE file of plain integer PCM (8-bit unsigned or 16-bit signed, one or two
// channels), read without FFmpeg. Only a file FFmpeg's own WAVE reader would take in
// the very same way is read: one 'fmt ' before one 'data', LIST chunks beside them,
// whole sample frames. Anything else is refused and left to FFmpeg.
class PcmWave {
public:
    // The file read whole when it is at most maxBytes long and a plain PCM file;
    // nothing for a missing, larger or other file.
    static std::optional<PcmWave> Load(const std::string& path, std::size_t maxBytes);
    // A file's bytes as a plain PCM file; nothing when they are another kind.
    static std::optional<PcmWave> Read(std::vector<std::uint8_t> bytes);

    int channels() const { return channels_; }
    int sampleRate() const { return sampleRate_; }
    int bytesPerSample() const { return bytesPerSample_; }
    // The interleaved sample frames, as FFmpeg would hand them out.
    std::span<std::uint8_t> samples() {
        return std::span(bytes_).subspan(dataBegin_, dataEnd_ - dataBegin_);
    }

private:
    explicit PcmWave(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    bool readChunks();
    bool readChunk(std::uint32_t tag, std::uint64_t body, std::uint64_t size);
    bool readFormat(std::uint64_t body, std::uint64_t size);
    void readData(std::uint64_t body, std::uint64_t size);
    bool wholeFrames() const;
    bool anotherDataChunk() const;
    bool spdifBurst() const;
    std::uint32_t word(std::uint64_t at) const;

    std::vector<std::uint8_t> bytes_;
    bool haveFormat_ = false;
    bool haveData_ = false;
    int channels_ = 0;
    int sampleRate_ = 0;
    int bytesPerSample_ = 0;
    std::size_t dataBegin_ = 0;
    std::size_t dataEnd_ = 0;
};

}  // namespace platform
