#include "platform/video/BitmapFile.h"

#include <SDL.h>

#include <fstream>
#include <memory>

#include "platform/files/LittleEndian.h"
#include "platform/video/BitFieldLayout.h"
#include "platform/video/BitmapHeader.h"
#include "platform/video/RunLengthDecoder.h"

namespace platform {

namespace {

using Pixels = std::vector<std::uint32_t>;

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

// Plain rows (palettes, 16, 24 and 32 bits) go through SDL's reader and are
// converted straight into the picture's own words.
std::optional<Pixels> DecodePlain(std::span<const std::uint8_t> bytes) {
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (stream == nullptr) return std::nullopt;
    const SurfacePtr decoded(SDL_LoadBMP_RW(stream, 1));
    if (decoded == nullptr) return std::nullopt;

    const int width = decoded->w;
    const int height = decoded->h;
    Pixels pixels(static_cast<std::size_t>(width) * height);
    const SurfacePtr argb(SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32,
                                                             width * 4, SDL_PIXELFORMAT_ARGB8888));
    if (argb == nullptr) return std::nullopt;
    // SDL takes a 32-bit file's fourth byte for alpha and would blend by it; the
    // colours are copied as they are.
    if (SDL_SetSurfaceBlendMode(decoded.get(), SDL_BLENDMODE_NONE) != 0 ||
        SDL_BlitSurface(decoded.get(), nullptr, argb.get(), nullptr) != 0) {
        return std::nullopt;
    }
    for (auto& word : pixels) word |= 0xFF000000u;
    return pixels;
}

// SDL knows only a few mask layouts; any mask that is one run of bits is read here.
std::optional<Pixels> DecodeBitFields(std::span<const std::uint8_t> bytes,
                                      const BitmapHeader& header) {
    const auto layout = BitFieldLayout::FromMasks(header.masks(), header.bits());
    if (!layout) return std::nullopt;
    const int bytesPerPixel = static_cast<int>(header.bits() / 8);
    Pixels pixels;
    pixels.reserve(static_cast<std::size_t>(header.width()) * header.height());
    for (int y = 0; y < header.height(); ++y) {
        const std::size_t row = header.rowOffset(y);
        for (int x = 0; x < header.width(); ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * bytesPerPixel;
            pixels.push_back(layout->toArgb(ReadLittleEndian(bytes, at, bytesPerPixel)));
        }
    }
    return pixels;
}

// Decoded here rather than by SDL, which lets a run spill into the next row and
// shows a damaged picture as whole.
std::optional<Pixels> DecodeRunLength(std::span<const std::uint8_t> bytes,
                                      const BitmapHeader& header) {
    const auto indices =
        RunLengthDecoder::Decode(bytes.subspan(header.pixelOffset()), header.width(),
                                 header.height(), header.compression() == BitmapHeader::kRle4);
    if (!indices) return std::nullopt;
    const std::vector<std::uint32_t>& palette = header.palette();
    Pixels pixels;
    pixels.reserve(indices->size());
    for (const std::uint8_t index : *indices) {
        // As for plain rows: an index past the colour table refuses the picture.
        if (index >= palette.size()) return std::nullopt;
        pixels.push_back(0xFF000000u | palette[index]);
    }
    return pixels;
}

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
    if (bytes.size() > kMaxFileSize) return std::nullopt;
    const auto header = BitmapHeader::Read(bytes);
    if (!header) return std::nullopt;
    std::optional<Pixels> pixels;
    if (header->runLength()) {
        pixels = DecodeRunLength(bytes, *header);
    } else if (header->bitFields()) {
        pixels = DecodeBitFields(bytes, *header);
    } else {
        pixels = DecodePlain(bytes);
    }
    if (!pixels) return std::nullopt;
    return BitmapFile(header->width(), header->height(), std::move(*pixels));
}

}  // namespace platform
