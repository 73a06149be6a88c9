#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// A Windows bitmap decoded to 0xFFRRGGBB words, whatever the file's extension.
// Every header field is checked before the decoder sees a byte; a refused or
// undecodable file gives nothing, and nothing is logged here (callers log).
class BitmapFile {
public:
    static constexpr std::uint64_t kMaxFileSize = 64u << 20;

    static std::optional<BitmapFile> Load(const std::string& path);
    static std::optional<BitmapFile> Decode(std::span<const std::uint8_t> bytes);

    int width() const { return width_; }
    int height() const { return height_; }
    // Row after row, top row first.
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    std::uint32_t pixel(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * width_ + x];
    }
    // Hands the words over, so that a picture no longer needed is not copied.
    std::vector<std::uint32_t> takePixels() && { return std::move(pixels_); }

private:
    BitmapFile(int width, int height, std::vector<std::uint32_t> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace platform
