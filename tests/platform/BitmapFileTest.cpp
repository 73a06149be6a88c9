#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "common/BitmapWriter.h"
#include "platform/video/BitmapFile.h"
#include "support/SpriteKit.h"

using platform::BitmapFile;
using zktools::BitmapForm;

namespace {

// The bytes go into a buffer of their exact size, so that reading past the end of a
// cut file is a sanitizer error.
std::optional<BitmapFile> Decode(const std::string& bytes) {
    const std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    return BitmapFile::Decode(exact);
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

std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
    return out;
}

constexpr std::uint32_t kRle8 = 1, kRle4 = 2, kFields = 3, kAlphaFields = 6;

// A bitmap of `colours` palette entries whose info header is headerSize bytes long; `after40` holds
// what follows the header's first 40 bytes up to the pixel data (the rest of a larger header,
// masks, a palette).
std::string Bitmap(int headerSize, int width, int height, int bits, std::uint32_t compression,
                   int colours, const std::string& after40, const std::string& data) {
    const std::string info = Le(headerSize, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) +
                             Le(bits, 2) + Le(compression, 4) + Le(data.size(), 4) +
                             std::string(8, '\0') + Le(colours, 4) + Le(0, 4);
    const std::size_t offset = 14 + info.size() + after40.size();
    return "BM" + Le(offset + data.size(), 4) + Le(0, 4) + Le(offset, 4) + info + after40 + data;
}

// Red, green, blue and alpha masks where the header size puts them: after a 40-byte
// header (the alpha mask only for the alpha form), or inside a larger one.
std::string Masks(int headerSize, std::uint32_t compression,
                  const std::array<std::uint32_t, 4>& masks) {
    const bool threeMasks = headerSize == 52 || (headerSize == 40 && compression == kFields);
    std::string out;
    for (std::size_t i = 0; i < (threeMasks ? 3u : 4u); ++i) out += Le(masks[i], 4);
    out.resize(std::max<std::size_t>(out.size(), headerSize - 40), '\0');
    return out;
}

// A palette whose entry i is 0x0000i0 + 0x80 + i: index 0 is not black, so that a
// pixel no code reached tells index 0 from nothing written.
std::uint32_t PaletteColour(int i) { return static_cast<std::uint32_t>(i << 4 | (0x80 + i)); }

std::string PaletteBytes(int entries) {
    std::string out;
    for (int i = 0; i < entries; ++i) out += Le(PaletteColour(i), 4);
    return out;
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

TEST(BitmapFile, PlainRowsKeepEveryColourBitWhateverTheFourthByte) {
    // Pictures of two rows as stored (bottom row first unless top-down), each row
    // padded to four bytes with 0xEE, and the words expected top row first. The
    // fourth byte of 32-bit pixels and of palette entries is never alpha: a pixel
    // or entry with 0x00 or 0x80 there keeps its colour.
    const std::string pad1(1, '\xEE'), pad2(2, '\xEE'), pad3(3, '\xEE');
    const std::string v5Masks = Le(0xFF0000, 4) + Le(0xFF00, 4) + Le(0xFF, 4) + Le(0xFF000000, 4) +
                                std::string(124 - 56, '\0');
    const struct {
        const char* what;
        int headerSize;
        int width;
        int height;
        int bits;
        int colours;
        std::string tables;
        std::string rows;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {"32 bits, mixed fourth bytes",
         40,
         2,
         2,
         32,
         0,
         "",
         Le(0x00112233, 4) + Le(0x80445566, 4) + Le(0xFF778899, 4) + Le(0x01AABBCC, 4),
         {0x778899, 0xAABBCC, 0x112233, 0x445566}},
        {"32 bits, top-down",
         40,
         1,
         -2,
         32,
         0,
         "",
         Le(0x80102030, 4) + Le(0x00405060, 4),
         {0x102030, 0x405060}},
        {"32 bits, header with an alpha mask",
         124,
         2,
         1,
         32,
         0,
         v5Masks,
         Le(0x00123456, 4) + Le(0x40FEDCBA, 4),
         {0x123456, 0xFEDCBA}},
        {"24 bits, three bytes of padding",
         40,
         3,
         2,
         24,
         0,
         "",
         Le(0x010203, 3) + Le(0x040506, 3) + Le(0x070809, 3) + pad3 + Le(0x0A0B0C, 3) +
             Le(0x0D0E0F, 3) + Le(0x101112, 3) + pad3,
         {0x0A0B0C, 0x0D0E0F, 0x101112, 0x010203, 0x040506, 0x070809}},
        {"24 bits, top-down, two bytes of padding",
         40,
         2,
         -2,
         24,
         0,
         "",
         Le(0xA1A2A3, 3) + Le(0xB1B2B3, 3) + pad2 + Le(0xC1C2C3, 3) + Le(0xD1D2D3, 3) + pad2,
         {0xA1A2A3, 0xB1B2B3, 0xC1C2C3, 0xD1D2D3}},
        {"24 bits, one byte of padding",
         40,
         1,
         2,
         24,
         0,
         "",
         Le(0x445566, 3) + pad1 + Le(0x112233, 3) + pad1,
         {0x112233, 0x445566}},
        {"16 bits 555, top bit ignored",
         40,
         3,
         2,
         16,
         0,
         "",
         Le(0xFFFF, 2) + Le(0x7C00, 2) + Le(0x03E0, 2) + pad2 + Le(0x801F, 2) + Le(0x0421, 2) +
             Le(0x4210, 2) + pad2,
         {0x0000FF, 0x080808, 0x838383, 0xFFFFFF, 0xFF0000, 0x00FF00}},
        {"8-bit palette of three, fourth byte set",
         40,
         3,
         2,
         8,
         3,
         Le(0x80102030, 4) + Le(0x00405060, 4) + Le(0xFF708090, 4),
         std::string{2, 1, 0} + pad1 + std::string{0, 2, 1} + pad1,
         {0x102030, 0x708090, 0x405060, 0x708090, 0x405060, 0x102030}},
        {"4-bit palette, top-down",
         40,
         3,
         -2,
         4,
         16,
         PaletteBytes(16),
         std::string{'\x12', '\x30'} + pad2 + std::string{'\xFE', '\xD0'} + pad2,
         {PaletteColour(1), PaletteColour(2), PaletteColour(3), PaletteColour(15),
          PaletteColour(14), PaletteColour(13)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto bitmap =
            Decode(Bitmap(c.headerSize, c.width, c.height, c.bits, 0, c.colours, c.tables, c.rows));
        ASSERT_TRUE(bitmap);
        std::vector<std::uint32_t> expected;
        for (const std::uint32_t xrgb : c.expected) expected.push_back(0xFF000000u | xrgb);
        EXPECT_EQ(bitmap->pixels(), expected);
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
        {"no header size", good, std::string::npos, 17},
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

TEST(BitmapFile, AnyBitFieldLayoutOfContiguousMasksIsRead) {
    // Each picture is 3 x 2: the pixel with every bit set at (0, 0), `raw` at (2, 1),
    // zero elsewhere; three 16-bit pixels leave two bytes of padding on each row.
    // Rows: 8-8-8 as blue, green, red; 8-8-8-8 as red, green, blue, alpha, in the
    // header and after it; 2-3-1; 3-10-3; 11-11-10; 7-18-7; 4-4-4-4; 5-5-5-1;
    // 10-10-10-2; one bit each.
    const struct {
        int bits;
        int headerSize;
        std::uint32_t compression;
        std::array<std::uint32_t, 4> masks;  // red, green, blue, alpha
        std::uint32_t raw;
        std::uint32_t xrgb;
    } cases[] = {
        {32, 40, kFields, {0xFF, 0xFF00, 0xFF0000, 0}, 0x00332211, 0x112233},
        {32, 56, kFields, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, 0x112233C4, 0x112233},
        {32, 40, kAlphaFields, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}, 0x332211C4, 0x112233},
        {16, 108, kFields, {0x30, 0x0E, 0x01, 0}, 0x0014, 0x554900},
        {16, 124, kFields, {0xE000, 0x1FF8, 0x0007, 0}, 0xB99B, 0xB6CC6D},
        {32, 52, kFields, {0xFFE00000, 0x001FFC00, 0x3FF, 0}, 0x801FFE01, 0x80FF80},
        {32, 40, kFields, {0xFE000000, 0x01FFFF80, 0x7F, 0}, 0x8153FF85, 0x81A90A},
        {16, 108, kFields, {0xF000, 0x0F00, 0x00F0, 0x000F}, 0x123A, 0x112233},
        {16, 40, kAlphaFields, {0x7C00, 0x03E0, 0x001F, 0x8000}, 0x8421, 0x080808},
        {32, 108, kFields, {0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000}, 0x50003003, 0x400300},
        {16, 40, kFields, {0x4, 0x2, 0x1, 0}, 0x5, 0xFF00FF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.masks[0] << " " << c.masks[1]);
        const int bytes = c.bits / 8;
        const std::string pad(bytes == 2 ? 2 : 0, '\0');
        const std::uint32_t full = c.bits == 32 ? 0xFFFFFFFFu : 0xFFFFu;
        const std::string top = Le(full, bytes) + std::string(2 * bytes, '\0') + pad;
        const std::string bottom = std::string(2 * bytes, '\0') + Le(c.raw, bytes) + pad;
        for (const bool topDown : {false, true}) {
            const std::string data = topDown ? top + bottom : bottom + top;
            ExpectPixels(Decode(Bitmap(c.headerSize, 3, topDown ? -2 : 2, c.bits, c.compression, 0,
                                       Masks(c.headerSize, c.compression, c.masks), data)),
                         3, 2, [&](int x, int y) -> std::uint32_t {
                             if (x == 0 && y == 0) return 0xFFFFFF;
                             return x == 2 && y == 1 ? c.xrgb : 0;
                         });
        }
    }
}

TEST(BitmapFile, BitFieldMasksMustEachBeOneRunInsideThePixel) {
    const struct {
        const char* what;
        int bits;
        std::array<std::uint32_t, 4> masks;
        bool read;
    } cases[] = {
        {"three runs", 32, {0xFF0000, 0xFF00, 0xFF, 0}, true},
        {"an empty mask", 32, {0xFF0000, 0, 0xFF, 0}, false},
        {"a mask in two runs", 32, {0xFF0000, 0xF0F0, 0xF, 0}, false},
        {"a mask up to bit 15", 16, {0xF800, 0x07E0, 0x001F, 0}, true},
        {"a mask past 16 bits", 16, {0x1F800, 0x07E0, 0x001F, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(
            static_cast<bool>(Decode(Bitmap(40, 1, 1, c.bits, kFields, 0,
                                            Masks(40, kFields, c.masks), std::string(4, '\x7F')))),
            c.read);
    }
}

TEST(BitmapFile, RunLengthCodesFillThePictureOrRefuseIt) {
    // Pictures 4 x 2 over 16 colours; `rows` lists the indices top row first, or is
    // empty when the picture is refused.
    using Codes = std::vector<std::uint8_t>;
    const struct {
        const char* what;
        bool fourBits;
        Codes codes;
        std::vector<std::string> rows;
    } cases[] = {
        {"runs and line ends", false, {2, 1, 2, 2, 0, 0, 4, 3, 0, 0, 0, 1}, {"3333", "1122"}},
        {"single pixels, padded", false, {0, 3, 4, 5, 6, 0, 1, 7, 0, 1}, {"0000", "4567"}},
        {"nibble runs alternate", true, {3, 0x12, 1, 0xFF, 0, 0, 4, 0x34, 0, 1}, {"3434", "121F"}},
        {"single nibbles", true, {0, 3, 0x9A, 0xB0, 1, 0x55, 0, 1}, {"0000", "9AB5"}},
        {"a move skips pixels", false, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}, {"0002", "1000"}},
        {"a move to the row's end", false, {0, 2, 4, 0, 0, 0, 4, 3, 0, 1}, {"3333", "0000"}},
        {"the picture ends early", false, {4, 1, 0, 1, 4, 2}, {"0000", "1111"}},
        {"the file ends early", false, {4, 1, 0, 0, 2, 2}, {"2200", "1111"}},
        {"the file ends inside a code", false, {4, 1, 0, 0, 0, 4, 5, 6}, {"0000", "1111"}},
        {"the file ends inside a move", false, {4, 1, 0, 2, 1}, {"0000", "1111"}},
        {"the file ends inside single nibbles",
         true,
         {4, 0x11, 0, 0, 0, 3, 0x9A},
         {"0000", "1111"}},
        {"a run past the row", false, {5, 1}, {}},
        {"a nibble run past the row", true, {2, 0x11, 3, 0x22}, {}},
        {"single pixels past the row", false, {1, 1, 0, 4, 1, 2, 3, 4}, {}},
        {"single nibbles past the row", true, {0, 5, 0x12, 0x34, 0x50, 0}, {}},
        {"a run above the picture", false, {0, 0, 0, 0, 1, 1}, {}},
        {"a move past the right edge", false, {1, 1, 0, 2, 4, 0}, {}},
        {"a move above the picture", false, {0, 2, 0, 2}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string codes(c.codes.begin(), c.codes.end());
        const auto bitmap = Decode(Bitmap(40, 4, 2, c.fourBits ? 4 : 8, c.fourBits ? kRle4 : kRle8,
                                          16, PaletteBytes(16), codes));
        if (c.rows.empty()) {
            EXPECT_FALSE(bitmap);
            continue;
        }
        ExpectPixels(bitmap, 4, 2, [&](int x, int y) {
            return PaletteColour(std::stoi(c.rows[y].substr(x, 1), nullptr, 16));
        });
    }
}

TEST(BitmapFile, RunLengthIndexPastTheColourTableIsRefused) {
    const std::string codes = {4, 1, 0, 0, 4, 2, 0, 1};
    for (const int colours : {2, 3}) {
        SCOPED_TRACE(colours);
        const auto bitmap =
            Decode(Bitmap(40, 4, 2, 8, kRle8, colours, PaletteBytes(colours), codes));
        EXPECT_EQ(static_cast<bool>(bitmap), colours == 3);
    }
}

TEST(BitmapFile, RunLengthRowsGoBottomUpOnly) {
    const std::string codes = {4, 1, 0, 1};
    const struct {
        int height;
        bool fourBits;
        bool read;
    } cases[] = {
        {1, false, true},
        {1, true, true},
        {-1, false, false},
        {-1, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height * 10 + c.fourBits);
        const auto bitmap = Decode(Bitmap(40, 4, c.height, c.fourBits ? 4 : 8,
                                          c.fourBits ? kRle4 : kRle8, 2, PaletteBytes(2), codes));
        EXPECT_EQ(static_cast<bool>(bitmap), c.read);
    }
}

TEST(BitmapFile, OldCoreHeaderHasSixteenBitSizesAndThreeBytePaletteEntries) {
    std::string palette;
    for (int i = 0; i < 16; ++i) palette += Le(PaletteColour(i), 3);
    // 3 x 2 at 4 bits, bottom row (4 5 6) first, each row padded to 4 bytes.
    const std::string rows = Le(0x6045, 4) + Le(0x3012, 4);
    const std::string info = Le(12, 4) + Le(3, 2) + Le(2, 2) + Le(1, 2) + Le(4, 2);
    const std::size_t offset = 14 + info.size() + palette.size();
    const std::string bytes =
        "BM" + Le(offset + rows.size(), 4) + Le(0, 4) + Le(offset, 4) + info + palette + rows;
    ExpectPixels(Decode(bytes), 3, 2, [](int x, int y) { return PaletteColour(y * 3 + x + 1); });
}

TEST(BitmapFile, FilesUpToTheSizeLimitAreRead) {
    const std::string picture =
        zktools::BitmapBytes(BitmapForm::Rgb24, 2, 2, zktest::CoordPicture(2, 2));
    std::vector<std::uint8_t> bytes(picture.begin(), picture.end());
    bytes.resize(BitmapFile::kMaxFileSize, 0);
    EXPECT_TRUE(BitmapFile::Decode(bytes));
    bytes.push_back(0);
    EXPECT_FALSE(BitmapFile::Decode(bytes));
}
