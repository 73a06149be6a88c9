#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace autoplay {

// A 24-bit PNG of 0x00RRGGBB pixels (row after row, top row first), written with
// stored deflate blocks, so that no compression library is needed.
std::string PngBytes(int width, int height, std::span<const std::uint32_t> xrgb);

std::uint32_t Crc32(std::string_view bytes);
std::uint32_t Adler32(std::string_view bytes);

}  // namespace autoplay
