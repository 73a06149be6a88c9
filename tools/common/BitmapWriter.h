#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zktools {

// The forms of Windows bitmap the writer produces.
enum class BitmapForm {
    Indexed1,  // 1 bit per pixel, palette
    Indexed4,  // 4 bits, palette
    Indexed8,  // 8 bits, palette
    Rle4,      // 4 bits, run-length coded
    Rle8,      // 8 bits, run-length coded
    Rgb555,    // 16 bits, plain
    Rgb565,    // 16 bits, bit fields
    Rgb24,     // 24 bits
    Rgb32,     // 32 bits; the fourth byte carries BitmapLayout::fourthByte
};

struct BitmapLayout {
    bool topDown = false;         // negative height, first row on top
    std::uint8_t fourthByte = 0;  // the unused byte of 32-bit pixels
};

// A bitmap of direct colours (0x00RRGGBB, row after row, top row first) in one of
// the 16-, 24- or 32-bit forms. 16-bit forms keep the top bits of each channel.
std::string BitmapBytes(BitmapForm form, int width, int height, std::span<const std::uint32_t> xrgb,
                        BitmapLayout layout = {});

// A palettised bitmap from palette indices (row after row, top row first) and a
// palette of 0x00RRGGBB colours, in one of the 1-, 4-, 8-bit or run-length forms.
std::string IndexedBitmapBytes(BitmapForm form, int width, int height,
                               std::span<const std::uint8_t> indices,
                               std::span<const std::uint32_t> palette, BitmapLayout layout = {});

// Writes bytes to path; false when the file cannot be written.
bool WriteBitmapFile(const std::string& path, const std::string& bytes);

}  // namespace zktools
