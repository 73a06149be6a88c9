#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct AVInputFormat;

namespace platform {

// How many leading bytes of a file name its container.
inline constexpr std::size_t kSniffedBytes = 12;

// FFmpeg's demuxer for a well-known container named by a file's leading bytes
// (Matroska or WebM, a RIFF AVI or WAVE, an MPEG program stream); null for anything
// else. Naming it spares probing every format, which touches much of FFmpeg's code.
const char* SniffedDemuxer(std::string_view leading);

// Opens path through openAs: a well-known container by its own demuxer first; when
// that refuses the file, or for any other, by probing (openAs given null). The
// refusal's log lines are not logged. Gives what the last openAs gave.
std::int32_t OpenSniffed(const std::string& path,
                         const std::function<std::int32_t(const AVInputFormat*)>& openAs);

}  // namespace platform
