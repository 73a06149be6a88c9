#include "support/ReadPng.h"

#include <gtest/gtest.h>

namespace zktest {

namespace {

std::uint32_t BitwiseCrc(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::uint32_t Big32(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(
        static_cast<unsigned char>(b[at]) << 24 | static_cast<unsigned char>(b[at + 1]) << 16 |
        static_cast<unsigned char>(b[at + 2]) << 8 | static_cast<unsigned char>(b[at + 3]));
}

}  // namespace

ReadPng ReadPng::Read(const std::string& png) {
    ReadPng out;
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    std::string zlib;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Big32(png, at);
        const std::string body = png.substr(at + 4, 4 + length);
        EXPECT_EQ(Big32(png, at + 8 + length), BitwiseCrc(body)) << body.substr(0, 4);
        if (body.starts_with("IHDR")) {
            out.width = Big32(body, 4);
            out.height = Big32(body, 8);
            EXPECT_EQ(body.substr(12, 5), std::string("\x08\x02\x00\x00\x00", 5));
        }
        if (body.starts_with("IDAT")) zlib += body.substr(4);
        at += 12 + length;
    }
    std::size_t at = 2;
    for (bool last = false; !last && at + 5 <= zlib.size();) {
        last = (zlib[at] & 1) != 0;
        const unsigned len = static_cast<unsigned char>(zlib[at + 1]) |
                             static_cast<unsigned char>(zlib[at + 2]) << 8;
        const unsigned nlen = static_cast<unsigned char>(zlib[at + 3]) |
                              static_cast<unsigned char>(zlib[at + 4]) << 8;
        EXPECT_EQ(len ^ 0xFFFFu, nlen);
        out.rows += zlib.substr(at + 5, len);
        at += 5 + len;
    }
    std::uint32_t a = 1, b = 0;
    for (const unsigned char c : out.rows) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(Big32(zlib, at), b << 16 | a);
    return out;
}

std::vector<std::uint32_t> ReadPng::xrgb() const {
    std::vector<std::uint32_t> pixels;
    const std::size_t stride = 1 + 3 * static_cast<std::size_t>(width);
    for (std::size_t row = 0; row + stride <= rows.size(); row += stride) {
        for (std::size_t at = row + 1; at < row + stride; at += 3) {
            const auto byte = [&](std::size_t i) {
                return static_cast<std::uint32_t>(static_cast<unsigned char>(rows[i]));
            };
            pixels.push_back(byte(at) << 16 | byte(at + 1) << 8 | byte(at + 2));
        }
    }
    return pixels;
}

}  // namespace zktest
