#include "platform/video/BitmapHeader.h"

#include "platform/files/LittleEndian.h"

namespace platform {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
// Where the info header's first 40 bytes end: the masks of a bit-field layout come
// next, inside the larger headers as after the smallest.
constexpr std::uint64_t kMasksAt = kFileHeaderSize + 40;
constexpr std::uint64_t kMasksSize = 12;
constexpr std::int64_t kMaxSide = 8192;

bool KnownHeaderSize(std::uint64_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

std::optional<BitmapHeader> BitmapHeader::Read(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    BitmapHeader header;
    header.size_ = ReadLittleEndian(bytes, 14, 4);
    if (!KnownHeaderSize(header.size_) || kFileHeaderSize + header.size_ > bytes.size()) {
        return std::nullopt;
    }
    header.readInfo(bytes);
    if (!header.formFits() || !header.dataFits(bytes.size())) return std::nullopt;
    header.readTables(bytes);
    return header;
}

void BitmapHeader::readInfo(std::span<const std::uint8_t> bytes) {
    pixelOffset_ = ReadLittleEndian(bytes, 10, 4);
    if (size_ == 12) {
        // The old core header: 16-bit unsigned sizes, 3-byte palette entries.
        width_ = ReadLittleEndian(bytes, 18, 2);
        height_ = ReadLittleEndian(bytes, 20, 2);
        planes_ = ReadLittleEndian(bytes, 22, 2);
        bits_ = ReadLittleEndian(bytes, 24, 2);
        paletteEntrySize_ = 3;
    } else {
        width_ = static_cast<std::int32_t>(ReadLittleEndian(bytes, 18, 4));
        height_ = static_cast<std::int32_t>(ReadLittleEndian(bytes, 22, 4));
        planes_ = ReadLittleEndian(bytes, 26, 2);
        bits_ = ReadLittleEndian(bytes, 28, 2);
        compression_ = ReadLittleEndian(bytes, 30, 4);
        paletteEntries_ = ReadLittleEndian(bytes, 46, 4);
    }
    if (bits_ <= 8 && paletteEntries_ == 0) paletteEntries_ = 1ull << bits_;
}

void BitmapHeader::readTables(std::span<const std::uint8_t> bytes) {
    if (bits_ <= 8) {
        const std::uint64_t start = kFileHeaderSize + size_;
        for (std::uint64_t i = 0; i < paletteEntries_; ++i) {
            palette_.push_back(ReadLittleEndian(bytes, start + i * paletteEntrySize_, 3));
        }
    }
    if (bitFields()) {
        for (std::size_t i = 0; i < masks_.size(); ++i) {
            masks_[i] = ReadLittleEndian(bytes, kMasksAt + 4 * i, 4);
        }
    }
}

bool BitmapHeader::formFits() const {
    if (width_ < 1 || width_ > kMaxSide || rows() < 1 || rows() > kMaxSide) return false;
    if (planes_ != 1) return false;
    switch (bits_) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    if (bits_ <= 8 && paletteEntries_ > (1ull << bits_)) return false;
    return compressionFits();
}

bool BitmapHeader::compressionFits() const {
    switch (compression_) {
        case kRgb:
            return true;
        case kRle8:
            return bits_ == 8 && height_ > 0;
        case kRle4:
            return bits_ == 4 && height_ > 0;
        case kBitFields:
        case kAlphaBitFields:
            return bits_ == 16 || bits_ == 32;
        default:
            return false;  // JPEG, PNG and anything else
    }
}

std::uint64_t BitmapHeader::tablesEnd() const {
    std::uint64_t end = kFileHeaderSize + size_;
    if (bits_ <= 8) end += paletteEntries_ * paletteEntrySize_;
    if (bitFields() && size_ == 40) end += kMasksSize;
    return end;
}

std::uint64_t BitmapHeader::stride() const {
    return (static_cast<std::uint64_t>(width_) * bits_ + 31) / 32 * 4;
}

bool BitmapHeader::dataFits(std::uint64_t fileSize) const {
    if (tablesEnd() > fileSize || pixelOffset_ >= fileSize) return false;
    // Run-length codes are read as far as the file goes.
    if (runLength()) return true;
    return pixelOffset_ + stride() * static_cast<std::uint64_t>(rows()) <= fileSize;
}

std::size_t BitmapHeader::rowOffset(int y) const {
    const std::uint64_t stored = height_ < 0 ? y : height() - 1 - y;
    return pixelOffset_ + stored * stride();
}

}  // namespace platform
