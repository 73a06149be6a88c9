#include "platform/video/BitmapFile.h"

#include <SDL.h>

#include <fstream>
#include <memory>

namespace platform {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::int64_t kMaxSide = 8192;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t ReadLe(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
    return value;
}

struct InfoHeader {
    std::uint64_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = kRgb;
    std::uint64_t paletteEntries = 0;
    std::uint64_t paletteEntrySize = 4;
};

bool KnownHeaderSize(std::uint64_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

InfoHeader ReadInfoHeader(std::span<const std::uint8_t> bytes, std::uint64_t size) {
    InfoHeader info;
    info.size = size;
    if (size == 12) {
        // The old core header: 16-bit unsigned sizes, 3-byte palette entries.
        info.width = ReadLe(bytes, 18, 2);
        info.height = ReadLe(bytes, 20, 2);
        info.planes = ReadLe(bytes, 22, 2);
        info.bits = ReadLe(bytes, 24, 2);
        info.paletteEntrySize = 3;
    } else {
        info.width = static_cast<std::int32_t>(ReadLe(bytes, 18, 4));
        info.height = static_cast<std::int32_t>(ReadLe(bytes, 22, 4));
        info.planes = ReadLe(bytes, 26, 2);
        info.bits = ReadLe(bytes, 28, 2);
        info.compression = ReadLe(bytes, 30, 4);
        info.paletteEntries = ReadLe(bytes, 46, 4);
    }
    if (info.bits <= 8 && info.paletteEntries == 0) info.paletteEntries = 1ull << info.bits;
    return info;
}

bool CompressionFits(const InfoHeader& info) {
    switch (info.compression) {
        case kRgb:
            return true;
        case kRle8:
            return info.bits == 8 && info.height > 0;
        case kRle4:
            return info.bits == 4 && info.height > 0;
        case kBitFields:
            return info.bits == 16 || info.bits == 32;
        default:
            return false;  // JPEG, PNG and anything else
    }
}

bool PixelFormFits(const InfoHeader& info) {
    const std::int64_t height = info.height < 0 ? -info.height : info.height;
    if (info.width < 1 || info.width > kMaxSide || height < 1 || height > kMaxSide) return false;
    if (info.planes != 1) return false;
    switch (info.bits) {
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
    if (info.bits <= 8 && info.paletteEntries > (1ull << info.bits)) return false;
    return CompressionFits(info);
}

// Everything the decoder will read lies inside the file.
bool DataFits(const InfoHeader& info, std::uint64_t fileSize, std::uint64_t offset) {
    std::uint64_t tables = kFileHeaderSize + info.size;
    if (info.bits <= 8) tables += info.paletteEntries * info.paletteEntrySize;
    if (info.compression == kBitFields && info.size == 40) tables += 12;
    if (tables > fileSize || offset >= fileSize) return false;
    if (info.compression == kRle8 || info.compression == kRle4) return true;
    const std::uint64_t height =
        static_cast<std::uint64_t>(info.height < 0 ? -info.height : info.height);
    const std::uint64_t stride = (static_cast<std::uint64_t>(info.width) * info.bits + 31) / 32 * 4;
    return offset + stride * height <= fileSize;
}

bool HeaderAcceptable(std::span<const std::uint8_t> bytes) {
    const std::uint64_t fileSize = bytes.size();
    if (fileSize < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const std::uint64_t headerSize = ReadLe(bytes, 14, 4);
    if (!KnownHeaderSize(headerSize) || kFileHeaderSize + headerSize > fileSize) return false;
    const InfoHeader info = ReadInfoHeader(bytes, headerSize);
    return PixelFormFits(info) && DataFits(info, fileSize, ReadLe(bytes, 10, 4));
}

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

}  // namespace

std::optional<BitmapFile> BitmapFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxFileSize) return std::nullopt;
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return Decode(bytes);
}

std::optional<BitmapFile> BitmapFile::Decode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxFileSize || !HeaderAcceptable(bytes)) return std::nullopt;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (stream == nullptr) return std::nullopt;
    const SurfacePtr decoded(SDL_LoadBMP_RW(stream, 1));
    if (decoded == nullptr) return std::nullopt;
    const SurfacePtr argb(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (argb == nullptr) return std::nullopt;

    const int width = argb->w;
    const int height = argb->h;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const auto* base = static_cast<const std::uint8_t*>(argb->pixels);
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(base + std::size_t(y) * argb->pitch);
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y) * width + x] = row[x] | 0xFF000000u;
        }
    }
    return BitmapFile(width, height, std::move(pixels));
}

}  // namespace platform
