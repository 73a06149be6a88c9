#include "autoplay/PngWriter.h"

#include <algorithm>
#include <array>

namespace autoplay {

namespace {

constexpr std::size_t kStoredBlockMax = 65535;

void PutBig32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void Chunk(std::string& out, std::string_view type, std::string_view data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type) + std::string(data);
    out += body;
    PutBig32(out, Crc32(body));
}

// A zlib stream of stored blocks.
std::string Stored(const std::string& raw) {
    std::string out = "\x78\x01";
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(kStoredBlockMax, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        const auto len = static_cast<std::uint16_t>(length);
        const auto nlen = static_cast<std::uint16_t>(~len);
        for (const std::uint16_t word : {len, nlen}) {
            out.push_back(static_cast<char>(word & 0xFF));
            out.push_back(static_cast<char>(word >> 8));
        }
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    PutBig32(out, Adler32(raw));
    return out;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes) {
    constexpr std::uint32_t kMod = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char byte : bytes) {
        a = (a + static_cast<std::uint8_t>(byte)) % kMod;
        b = (b + a) % kMod;
    }
    return b << 16 | a;
}

std::string PngBytes(int width, int height, std::span<const std::uint32_t> xrgb) {
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (static_cast<std::size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = xrgb[static_cast<std::size_t>(y) * width + x];
            raw.push_back(static_cast<char>(pixel >> 16));
            raw.push_back(static_cast<char>(pixel >> 8));
            raw.push_back(static_cast<char>(pixel));
        }
    }
    std::string header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header +=
        std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", Stored(raw));
    Chunk(png, "IEND", "");
    return png;
}

}  // namespace autoplay
