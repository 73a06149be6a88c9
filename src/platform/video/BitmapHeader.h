#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// The headers and tables of a Windows bitmap file, read only when every field is
// one the decoders handle and every table and row they read lies inside the file.
class BitmapHeader {
public:
    enum Compression : std::uint32_t {
        kRgb = 0,
        kRle8 = 1,
        kRle4 = 2,
        kBitFields = 3,
        kAlphaBitFields = 6,
    };

    static std::optional<BitmapHeader> Read(std::span<const std::uint8_t> bytes);

    int width() const { return static_cast<int>(width_); }
    // Rows, whichever way they are stored.
    int height() const { return static_cast<int>(rows()); }
    std::uint32_t bits() const { return bits_; }
    std::uint32_t compression() const { return compression_; }
    bool runLength() const { return compression_ == kRle8 || compression_ == kRle4; }
    bool bitFields() const { return compression_ == kBitFields || compression_ == kAlphaBitFields; }
    // Where the pixel data starts in the file.
    std::size_t pixelOffset() const { return pixelOffset_; }
    // Where picture row y (0 at the top) starts in the file, for uncompressed rows.
    std::size_t rowOffset(int y) const;
    // The colour table as 0x00RRGGBB words; empty above 8 bits.
    const std::vector<std::uint32_t>& palette() const { return palette_; }
    // The red, green and blue masks of a bit-field layout.
    const std::array<std::uint32_t, 3>& masks() const { return masks_; }

private:
    BitmapHeader() = default;

    void readInfo(std::span<const std::uint8_t> bytes);
    void readTables(std::span<const std::uint8_t> bytes);
    bool formFits() const;
    bool compressionFits() const;
    bool dataFits(std::uint64_t fileSize) const;
    std::uint64_t tablesEnd() const;
    std::uint64_t stride() const;
    std::int64_t rows() const { return height_ < 0 ? -height_ : height_; }

    std::uint64_t size_ = 0;
    std::int64_t width_ = 0;
    std::int64_t height_ = 0;
    std::uint32_t planes_ = 0;
    std::uint32_t bits_ = 0;
    std::uint32_t compression_ = kRgb;
    std::uint64_t paletteEntries_ = 0;
    std::uint64_t paletteEntrySize_ = 4;
    std::uint64_t pixelOffset_ = 0;
    std::vector<std::uint32_t> palette_;
    std::array<std::uint32_t, 3> masks_{};
};

}  // namespace platform
