#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Four-character codes of the packed YUV layouts, as a surface description gives them.
constexpr std::uint32_t FourCC(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}
constexpr std::uint32_t kFourCCUyvy = FourCC('U', 'Y', 'V', 'Y');  // U Y0 V Y1
constexpr std::uint32_t kFourCCYuy2 = FourCC('Y', 'U', 'Y', '2');  // Y0 U Y1 V

// A surface of packed YUV bytes: rows of pitch bytes, two pixels in four bytes.
// The software display never makes one; video overlays of other platforms did.
class YuvSurface {
public:
    // At least two bytes a pixel; a smaller pitch is widened to that.
    YuvSurface(int width, int height, std::uint32_t fourCC, int pitch);

    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return pitch_; }
    std::uint32_t fourCC() const { return fourCC_; }

    bool lost() const { return lost_; }
    void markLost() { lost_ = true; }

    // The bytes, row after row; null while the surface is lost.
    std::uint8_t* lock() { return lost_ ? nullptr : bytes_.data(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    int width_;
    int height_;
    std::uint32_t fourCC_;
    int pitch_;
    bool lost_ = false;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace platform
