#include "common/BitmapWriter.h"

#include <fstream>

namespace zktools {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Header {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::uint32_t compression = kBiRgb;
    std::span<const std::uint32_t> palette;
    bool bitFields565 = false;
    bool topDown = false;
};

std::string Assemble(const Header& header, const std::string& pixels) {
    std::string tables;
    for (const std::uint32_t colour : header.palette) PutLe(tables, colour & 0xFFFFFF, 4);
    if (header.bitFields565) {
        PutLe(tables, 0xF800, 4);
        PutLe(tables, 0x07E0, 4);
        PutLe(tables, 0x001F, 4);
    }
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(tables.size());
    std::string out = "BM";
    PutLe(out, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, offset, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(header.width), 4);
    PutLe(out, static_cast<std::uint32_t>(header.topDown ? -header.height : header.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(header.bits), 2);
    PutLe(out, header.compression, 4);
    PutLe(out, static_cast<std::uint32_t>(pixels.size()), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, static_cast<std::uint32_t>(header.palette.size()), 4);
    PutLe(out, 0, 4);
    return out + tables + pixels;
}

// Stored rows in file order: bottom-up unless the layout is top-down.
int StoredRow(int i, int height, bool topDown) { return topDown ? i : height - 1 - i; }

void PadRow(std::string& out, std::size_t rowStart) {
    while ((out.size() - rowStart) % 4 != 0) out += '\0';
}

std::string PackIndices(int bits, int width, int height, std::span<const std::uint8_t> indices,
                        bool topDown) {
    std::string out;
    const int perByte = 8 / bits;
    for (int i = 0; i < height; ++i) {
        const int y = StoredRow(i, height, topDown);
        const std::size_t rowStart = out.size();
        for (int x = 0; x < width; x += perByte) {
            std::uint32_t byte = 0;
            for (int k = 0; k < perByte; ++k) {
                const std::uint32_t index =
                    x + k < width ? indices[std::size_t(y) * width + x + k] : 0;
                byte |= (index & ((1u << bits) - 1)) << (8 - bits * (k + 1));
            }
            out += static_cast<char>(byte);
        }
        PadRow(out, rowStart);
    }
    return out;
}

// Run-length coding: runs of equal pixels as (count, value), rows ended by (0, 0)
// and the picture by (0, 1). RLE4 runs hold one colour, so both nibbles are equal.
std::string RunLength(int bits, int width, int height, std::span<const std::uint8_t> indices) {
    std::string out;
    for (int i = 0; i < height; ++i) {
        const int y = height - 1 - i;
        const std::uint8_t* row = indices.data() + std::size_t(y) * width;
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && run < 255 && row[x + run] == row[x]) ++run;
            out += static_cast<char>(run);
            out += static_cast<char>(bits == 4 ? (row[x] & 0xF) * 0x11 : row[x]);
            x += run;
        }
        out += '\0';
        out += '\0';
    }
    out += '\0';
    out += '\1';
    return out;
}

void PutDirect(std::string& out, BitmapForm form, std::uint32_t xrgb, std::uint8_t fourthByte) {
    const std::uint32_t r = xrgb >> 16 & 0xFF, g = xrgb >> 8 & 0xFF, b = xrgb & 0xFF;
    switch (form) {
        case BitmapForm::Rgb555:
            PutLe(out, (r >> 3) << 10 | (g >> 3) << 5 | b >> 3, 2);
            break;
        case BitmapForm::Rgb565:
            PutLe(out, (r >> 3) << 11 | (g >> 2) << 5 | b >> 3, 2);
            break;
        case BitmapForm::Rgb24:
            PutLe(out, xrgb & 0xFFFFFF, 3);
            break;
        default:
            PutLe(out, (xrgb & 0xFFFFFF) | std::uint32_t{fourthByte} << 24, 4);
            break;
    }
}

int DirectBits(BitmapForm form) {
    switch (form) {
        case BitmapForm::Rgb555:
        case BitmapForm::Rgb565:
            return 16;
        case BitmapForm::Rgb24:
            return 24;
        default:
            return 32;
    }
}

}  // namespace

std::string BitmapBytes(BitmapForm form, int width, int height, std::span<const std::uint32_t> xrgb,
                        BitmapLayout layout) {
    std::string pixels;
    for (int i = 0; i < height; ++i) {
        const int y = StoredRow(i, height, layout.topDown);
        const std::size_t rowStart = pixels.size();
        for (int x = 0; x < width; ++x) {
            PutDirect(pixels, form, xrgb[std::size_t(y) * width + x], layout.fourthByte);
        }
        PadRow(pixels, rowStart);
    }
    Header header;
    header.width = width;
    header.height = height;
    header.bits = DirectBits(form);
    header.bitFields565 = form == BitmapForm::Rgb565;
    header.compression = header.bitFields565 ? kBiBitFields : kBiRgb;
    header.topDown = layout.topDown;
    return Assemble(header, pixels);
}

std::string IndexedBitmapBytes(BitmapForm form, int width, int height,
                               std::span<const std::uint8_t> indices,
                               std::span<const std::uint32_t> palette, BitmapLayout layout) {
    Header header;
    header.width = width;
    header.height = height;
    header.palette = palette;
    header.topDown = layout.topDown;
    switch (form) {
        case BitmapForm::Indexed1:
            header.bits = 1;
            break;
        case BitmapForm::Indexed4:
        case BitmapForm::Rle4:
            header.bits = 4;
            break;
        default:
            header.bits = 8;
            break;
    }
    if (form == BitmapForm::Rle4 || form == BitmapForm::Rle8) {
        // Run-length pictures are always stored bottom-up.
        header.topDown = false;
        header.compression = form == BitmapForm::Rle4 ? kBiRle4 : kBiRle8;
        return Assemble(header, RunLength(header.bits, width, height, indices));
    }
    return Assemble(header, PackIndices(header.bits, width, height, indices, layout.topDown));
}

bool WriteBitmapFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace zktools
