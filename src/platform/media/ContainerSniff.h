#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// How many leading bytes of a file name its container.
inline constexpr std::size_t kSniffedBytes = 12;

// FFmpeg's demuxer for a well-known container named by a file's leading bytes
// (Matroska or WebM, a RIFF AVI, an MPEG program stream); null for anything else.
// Naming it spares probing every format, which touches much of FFmpeg's code.
const char* SniffedDemuxer(std::string_view leading);

}  // namespace platform
