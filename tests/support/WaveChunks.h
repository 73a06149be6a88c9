#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/WavWriter.h"

namespace zktest {

// Pieces of RIFF WAVE files laid out by hand, for files WavBytes does not write.

// A chunk: tag, little-endian size (the body's unless told), body, pad byte when odd.
std::string Chunk(const std::string& tag, const std::string& body);
std::string Chunk(const std::string& tag, const std::string& body, std::uint32_t size);

// "RIFF", a size, "WAVE" and the chunks.
std::string Riff(std::initializer_list<std::string> chunks);

// The body of a plain 'fmt ' chunk for integer PCM.
std::string PcmFormat(const zktools::WavFormat& format);
// The same format as WAVE_FORMAT_EXTENSIBLE, which FFmpeg reads as the same PCM.
std::string ExtensibleFormat(const zktools::WavFormat& format);
// A plain 'fmt ' body with every field given.
std::string FormatFields(int tag, int channels, std::uint32_t rate, int blockAlign, int bits);

// The sample bytes WavBytes writes for these samples.
std::string PcmData(const zktools::WavFormat& format, const std::vector<float>& samples);

}  // namespace zktest
