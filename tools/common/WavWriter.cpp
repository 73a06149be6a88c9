#include "common/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>

namespace zktools {

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutSample(std::string& out, int bitsPerSample, float value) {
    const float v = std::clamp(value, -1.0f, 1.0f);
    if (bitsPerSample == 8) {
        PutLittleEndian(
            out, static_cast<std::uint32_t>(std::clamp(std::lround(v * 128) + 128, 0L, 255L)), 1);
        return;
    }
    const long sample = std::clamp(std::lround(v * 32768), -32768L, 32767L);
    PutLittleEndian(out, static_cast<std::uint32_t>(static_cast<std::uint16_t>(sample)), 2);
}

}  // namespace

std::string WavBytes(const WavFormat& format, std::span<const float> samples) {
    const std::uint32_t bytesPerSample = format.bitsPerSample / 8;
    const std::uint32_t blockAlign = bytesPerSample * format.channels;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * bytesPerSample);
    std::string out = "RIFF";
    PutLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // integer PCM
    PutLittleEndian(out, format.channels, 2);
    PutLittleEndian(out, format.sampleRate, 4);
    PutLittleEndian(out, format.sampleRate * blockAlign, 4);
    PutLittleEndian(out, blockAlign, 2);
    PutLittleEndian(out, format.bitsPerSample, 2);
    out += "data";
    PutLittleEndian(out, dataBytes, 4);
    for (float sample : samples) PutSample(out, format.bitsPerSample, sample);
    return out;
}

bool WriteWavFile(const std::string& path, const WavFormat& format,
                  std::span<const float> samples) {
    const std::string bytes = WavBytes(format, samples);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

std::vector<float> ConstantLevel(const WavFormat& format, std::size_t frames, float level) {
    return std::vector<float>(frames * format.channels, level);
}

std::vector<float> Sine(const WavFormat& format, std::size_t frames, double hertz, float peak) {
    std::vector<float> samples;
    samples.reserve(frames * format.channels);
    for (std::size_t i = 0; i < frames; ++i) {
        const double phase =
            2 * std::numbers::pi * hertz * static_cast<double>(i) / format.sampleRate;
        const auto value = static_cast<float>(peak * std::sin(phase));
        samples.insert(samples.end(), format.channels, value);
    }
    return samples;
}

}  // namespace zktools
