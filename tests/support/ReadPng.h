#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zktest {

// A 24-bit PNG of stored deflate blocks, as autoplay writes them, read by a reader
// of its own: every chunk's CRC (computed bit by bit) and the zlib stream's
// Adler-32 are checked as the bytes are read.
struct ReadPng {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // The rows, each led by its filter byte.
    std::string rows;

    static ReadPng Read(const std::string& png);
    // The pixels as 0x00RRGGBB words, row after row.
    std::vector<std::uint32_t> xrgb() const;
};

}  // namespace zktest
