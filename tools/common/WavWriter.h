#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace zktools {

// Integer PCM as a RIFF WAVE file: 8-bit (unsigned) or 16-bit, any channel count
// and rate.
struct WavFormat {
    int bitsPerSample = 16;
    int channels = 1;
    int sampleRate = 44100;
};

// The file's bytes for samples in [-1, 1], interleaved by channel; values outside
// are clipped. A level of 0.5 is stored exactly in both sample widths.
std::string WavBytes(const WavFormat& format, std::span<const float> samples);

// Writes WavBytes to path; false when the file cannot be written.
bool WriteWavFile(const std::string& path, const WavFormat& format, std::span<const float> samples);

// frames frames at one level on every channel.
std::vector<float> ConstantLevel(const WavFormat& format, std::size_t frames, float level);

// frames frames of a sine of the given frequency and peak on every channel.
std::vector<float> Sine(const WavFormat& format, std::size_t frames, double hertz, float peak);

}  // namespace zktools
