#include "support/WaveChunks.h"

namespace zktest {

namespace {

// The header WavBytes writes before the samples.
constexpr std::size_t kWavBytesHeader = 44;

std::string LittleEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

int BlockAlign(const zktools::WavFormat& format) {
    return format.channels * format.bitsPerSample / 8;
}

}  // namespace

std::string Chunk(const std::string& tag, const std::string& body) {
    return Chunk(tag, body, static_cast<std::uint32_t>(body.size()));
}

std::string Chunk(const std::string& tag, const std::string& body, std::uint32_t size) {
    std::string chunk = tag + LittleEndian(size, 4) + body;
    if (body.size() % 2 != 0) chunk += '\0';
    return chunk;
}

std::string Riff(std::initializer_list<std::string> chunks) {
    std::string body = "WAVE";
    for (const std::string& chunk : chunks) body += chunk;
    return "RIFF" + LittleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

std::string FormatFields(int tag, int channels, std::uint32_t rate, int blockAlign, int bits) {
    return LittleEndian(tag, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
           LittleEndian(rate * blockAlign, 4) + LittleEndian(blockAlign, 2) + LittleEndian(bits, 2);
}

std::string PcmFormat(const zktools::WavFormat& format) {
    return FormatFields(1, format.channels, format.sampleRate, BlockAlign(format),
                        format.bitsPerSample);
}

std::string ExtensibleFormat(const zktools::WavFormat& format) {
    const std::uint32_t speakers = format.channels == 1 ? 0x4 : 0x3;
    // KSDATAFORMAT_SUBTYPE_PCM
    const std::string pcm("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
    return FormatFields(0xFFFE, format.channels, format.sampleRate, BlockAlign(format),
                        format.bitsPerSample) +
           LittleEndian(22, 2) + LittleEndian(format.bitsPerSample, 2) + LittleEndian(speakers, 4) +
           pcm;
}

std::string PcmData(const zktools::WavFormat& format, const std::vector<float>& samples) {
    return zktools::WavBytes(format, samples).substr(kWavBytesHeader);
}

}  // namespace zktest
