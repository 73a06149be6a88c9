// Feeds arbitrary bytes to the bitmap loader: it must refuse or decode without a
// fault, and a decoded picture must be whole, inside the size limits and opaque.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "platform/video/BitmapFile.h"

using zkfuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bitmap = platform::BitmapFile::Decode(std::span(data, size));
    if (!bitmap) return 0;
    Require(bitmap->width() >= 1 && bitmap->width() <= 8192, "width out of range");
    Require(bitmap->height() >= 1 && bitmap->height() <= 8192, "height out of range");
    Require(bitmap->pixels().size() == static_cast<std::size_t>(bitmap->width()) *
                                           static_cast<std::size_t>(bitmap->height()),
            "pixel count differs from the size");
    for (const std::uint32_t pixel : bitmap->pixels()) Require(pixel >> 24 == 0xFF, "not opaque");
    return 0;
}
