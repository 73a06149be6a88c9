#include "platform/audio/PcmWave.h"

#include <algorithm>
#include <array>
#include <climits>
#include <fstream>

#include "platform/files/LittleEndian.h"

namespace platform {

namespace {

constexpr std::uint32_t Tag(const char (&name)[5]) {
    return static_cast<std::uint8_t>(name[0]) | static_cast<std::uint8_t>(name[1]) << 8 |
           static_cast<std::uint8_t>(name[2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[3])) << 24;
}

constexpr std::uint32_t kRiff = Tag("RIFF");
constexpr std::uint32_t kWave = Tag("WAVE");
constexpr std::uint32_t kFormat = Tag("fmt ");
constexpr std::uint32_t kData = Tag("data");
constexpr std::uint32_t kList = Tag("LIST");
constexpr std::size_t kRiffHeaderBytes = 12;
constexpr std::uint64_t kChunkHeaderBytes = 8;
constexpr std::uint32_t kIntegerPcm = 1;
// FFmpeg looks this far into plain PCM data for an S/PDIF burst (a compressed stream
// carried as 16-bit words) and decodes that stream instead when it finds one; the
// burst's preamble as it lies in the file.
constexpr std::size_t kSpdifLookBytes = 1 << 16;
constexpr std::array<std::uint8_t, 4> kSpdifPreamble = {0x72, 0xF8, 0x1F, 0x4E};

bool RiffWave(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kRiffHeaderBytes && ReadLittleEndian(bytes, 0, 4) == kRiff &&
           ReadLittleEndian(bytes, 8, 4) == kWave;
}

}  // namespace

std::optional<PcmWave> PcmWave::Load(const std::string& path, std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > maxBytes) return std::nullopt;
    in.seekg(0, std::ios::beg);
    // Another kind of file is not read past its leading bytes.
    std::vector<std::uint8_t> bytes(kRiffHeaderBytes);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), kRiffHeaderBytes) || !RiffWave(bytes)) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()) + kRiffHeaderBytes,
                 size - static_cast<std::streamoff>(kRiffHeaderBytes))) {
        return std::nullopt;
    }
    return Read(std::move(bytes));
}

std::optional<PcmWave> PcmWave::Read(std::vector<std::uint8_t> bytes) {
    PcmWave wave(std::move(bytes));
    if (!RiffWave(wave.bytes_) || !wave.readChunks() || !wave.wholeFrames() ||
        wave.anotherDataChunk() || wave.spdifBurst()) {
        return std::nullopt;
    }
    return wave;
}

// Walks the chunks as FFmpeg's reader does: the RIFF size is not trusted, a chunk
// starts at the next even offset, and the walk ends where the data reaches the end
// of the file.
bool PcmWave::readChunks() {
    std::uint64_t at = kRiffHeaderBytes;
    while (at + kChunkHeaderBytes <= bytes_.size() && dataEnd_ < bytes_.size()) {
        const std::uint64_t body = at + kChunkHeaderBytes;
        const std::uint64_t size = word(at + 4);
        if (!readChunk(word(at), body, size)) return false;
        at = body + size + ((body + size) & 1);
    }
    return haveData_;
}

// Chunks FFmpeg reads for more than their place (a second 'fmt ' or 'data', a
// 'fact', cue points, embedded tags or video) leave the file to it.
bool PcmWave::readChunk(std::uint32_t tag, std::uint64_t body, std::uint64_t size) {
    const bool whole = body + size <= bytes_.size();
    switch (tag) {
        case kFormat:
            return !haveFormat_ && whole && readFormat(body, size);
        case kData:
            if (!haveFormat_ || haveData_) return false;
            readData(body, size);
            return true;
        case kList:
            return size >= 4 && whole;
        default:
            return false;
    }
}

bool PcmWave::readFormat(std::uint64_t body, std::uint64_t size) {
    if (size != 16 && size != 18) return false;
    const std::uint32_t tag = ReadLittleEndian(bytes_, body, 2);
    const std::uint32_t channels = ReadLittleEndian(bytes_, body + 2, 2);
    const std::uint32_t rate = ReadLittleEndian(bytes_, body + 4, 4);
    const std::uint32_t blockAlign = ReadLittleEndian(bytes_, body + 12, 2);
    const std::uint32_t bits = ReadLittleEndian(bytes_, body + 14, 2);
    haveFormat_ = true;
    channels_ = static_cast<int>(channels);
    sampleRate_ = static_cast<int>(rate);
    bytesPerSample_ = static_cast<int>(bits / 8);
    return tag == kIntegerPcm && (channels == 1 || channels == 2) && rate > 0 && rate <= INT_MAX &&
           (bits == 8 || bits == 16) && blockAlign == channels * bits / 8;
}

// FFmpeg reads a data size of 0 as "up to the end of the file"; all ones, like any
// size past the end, comes to the same.
void PcmWave::readData(std::uint64_t body, std::uint64_t size) {
    haveData_ = true;
    dataBegin_ = static_cast<std::size_t>(body);
    const std::uint64_t end = size == 0 ? bytes_.size() : body + size;
    dataEnd_ = static_cast<std::size_t>(std::min<std::uint64_t>(end, bytes_.size()));
}

// FFmpeg's decoder drops a partial last sample frame, or refuses it with an error
// line when it fills a packet alone; such data is left to it, as is empty data.
bool PcmWave::wholeFrames() const {
    const std::size_t bytes = dataEnd_ - dataBegin_;
    return bytes > 0 && bytes % static_cast<std::size_t>(channels_ * bytesPerSample_) == 0;
}

// After the data FFmpeg goes on reading from any later 'data' chunk, stepping over
// chunks from where the data ends, unpadded.
bool PcmWave::anotherDataChunk() const {
    std::uint64_t at = dataEnd_;
    while (at + 4 <= bytes_.size()) {
        if (word(at) == kData) return true;
        if (at + kChunkHeaderBytes > bytes_.size()) return false;
        const std::uint64_t size = word(at + 4);
        at += kChunkHeaderBytes + size + (size & 1);
    }
    return false;
}

bool PcmWave::spdifBurst() const {
    const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(dataBegin_);
    const auto end = bytes_.begin() + static_cast<std::ptrdiff_t>(
                                          std::min(bytes_.size(), dataBegin_ + kSpdifLookBytes));
    return std::search(begin, end, kSpdifPreamble.begin(), kSpdifPreamble.end()) != end;
}

std::uint32_t PcmWave::word(std::uint64_t at) const { return ReadLittleEndian(bytes_, at, 4); }

}  // namespace platform
