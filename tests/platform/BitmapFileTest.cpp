#include <gtest/gtest.h>

#include <functional>

#include "common/BitmapWriter.h"
#include "platform/video/BitmapFile.h"
#include "support/SpriteKit.h"

using platform::BitmapFile;
using zktools::BitmapForm;

namespace {

std::optional<BitmapFile> Decode(const std::string& bytes) {
    return BitmapFile::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

// What a channel of n bits reads back as at 8 bits.
std::uint32_t Widen(std::uint32_t value, int bits) {
    const std::uint32_t top = value >> (8 - bits);
    return (top << (8 - bits)) | (top >> (2 * bits - 8));
}

std::uint32_t Expected(BitmapForm form, std::uint32_t xrgb) {
    const std::uint32_t r = xrgb >> 16 & 0xFF, g = xrgb >> 8 & 0xFF, b = xrgb & 0xFF;
    if (form == BitmapForm::Rgb555) return Widen(r, 5) << 16 | Widen(g, 5) << 8 | Widen(b, 5);
    if (form == BitmapForm::Rgb565) return Widen(r, 5) << 16 | Widen(g, 6) << 8 | Widen(b, 5);
    return xrgb;
}

// The bitmap is width x height and opaque, pixel (x, y) being xrgb(x, y).
void ExpectPixels(const std::optional<BitmapFile>& bitmap, int width, int height,
                  const std::function<std::uint32_t(int, int)>& xrgb) {
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->width(), width);
    ASSERT_EQ(bitmap->height(), height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(bitmap->pixel(x, y), 0xFF000000u | xrgb(x, y)) << x << "," << y;
        }
    }
}

void PutLe32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

}  // namespace

TEST(BitmapFile, DirectColourFormsRoundTrip) {
    const struct {
        BitmapForm form;
        int width;
        bool topDown;
        std::uint8_t fourthByte;
    } cases[] = {
        {BitmapForm::Rgb24, 5, false, 0},    {BitmapForm::Rgb24, 7, true, 0},
        {BitmapForm::Rgb32, 3, false, 0x80}, {BitmapForm::Rgb32, 4, true, 0},
        {BitmapForm::Rgb555, 3, false, 0},   {BitmapForm::Rgb565, 5, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.form) * 100 + c.width);
        const int height = 4;
        const auto picture = zktest::CoordPicture(c.width, height);
        ExpectPixels(Decode(zktools::BitmapBytes(c.form, c.width, height, picture,
                                                 {c.topDown, c.fourthByte})),
                     c.width, height,
                     [&](int x, int y) { return Expected(c.form, zktest::CoordColor(x, y)); });
    }
}

TEST(BitmapFile, PalettisedAndRunLengthFormsRoundTrip) {
    const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                                0x123456, 0xABCDEF, 0x808080, 0xFFFFFF};
    const struct {
        BitmapForm form;
        int colours;
        bool topDown;
    } cases[] = {
        {BitmapForm::Indexed1, 2, false}, {BitmapForm::Indexed4, 8, true},
        {BitmapForm::Indexed8, 8, false}, {BitmapForm::Rle4, 8, false},
        {BitmapForm::Rle8, 8, false},
    };
    const int width = 13, height = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.form));
        std::vector<std::uint8_t> indices;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) indices.push_back((x / 2 + y) % c.colours);
        }
        const std::span<const std::uint32_t> used(palette.data(), c.colours);
        ExpectPixels(Decode(zktools::IndexedBitmapBytes(c.form, width, height, indices, used,
                                                        {c.topDown, 0})),
                     width, height,
                     [&](int x, int y) { return palette[indices[std::size_t(y) * width + x]]; });
    }
}

TEST(BitmapFile, DamagedFilesAreRefusedWithoutACrash) {
    const auto picture = zktest::CoordPicture(4, 3);
    const std::string good = zktools::BitmapBytes(BitmapForm::Rgb24, 4, 3, picture);
    const std::vector<std::uint32_t> palette(4, 0x112233);
    const std::vector<std::uint8_t> indices(12, 1);
    const std::string indexed =
        zktools::IndexedBitmapBytes(BitmapForm::Indexed8, 4, 3, indices, palette);
    ASSERT_TRUE(Decode(good));
    ASSERT_TRUE(Decode(indexed));

    const struct {
        const char* what;
        const std::string& base;
        std::size_t at;  // where a 32-bit value goes; npos: the base is cut to `value` bytes
        std::uint32_t value;
    } cases[] = {
        {"truncated pixels", good, std::string::npos, static_cast<std::uint32_t>(good.size() - 1)},
        {"truncated header", good, std::string::npos, 30},
        {"empty file", good, std::string::npos, 0},
        {"bad signature", good, 0, 0x00004D41},
        {"bad header size", good, 14, 20},
        {"zero width", good, 18, 0},
        {"negative width", good, 18, 0xFFFFFFFC},
        {"width too large", good, 18, 8193},
        {"zero height", good, 22, 0},
        {"height too large", good, 22, static_cast<std::uint32_t>(-8193)},
        {"offset past the end", good, 10, 0x10000},
        {"two planes", good, 26, 0x00180002},
        {"jpeg compression", good, 30, 4},
        {"png compression", good, 30, 5},
        {"rle8 on 24 bits", good, 30, 1},
        {"too many palette entries", indexed, 46, 257},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = c.base;
        if (c.at == std::string::npos) {
            bytes.resize(c.value);
        } else {
            PutLe32(bytes, c.at, c.value);
        }
        EXPECT_FALSE(Decode(bytes));
    }
}
