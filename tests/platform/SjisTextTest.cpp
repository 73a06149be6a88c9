#include <gtest/gtest.h>

#include "platform/text/SjisText.h"
#include "support/Bytes.h"

using namespace platform;
using zktest::Hex;
using zktest::Sjis;

TEST(SjisText, EqualityFoldsSingleByteLettersOnly) {
    const struct {
        std::string a, b;
        bool equal;
    } cases[] = {
        {"EV03a", "ev03A", true},
        {Hex("83 41"), Hex("83 61"), false},  // two katakana: the trail bytes are not letters
        {Sjis(u8"Ａ"), Sjis(u8"ａ"), false},  // full-width letters are not folded
        {"abc\x81", "ABC\x81", true},         // a lead byte at the end stands alone
        {"abc", "abcd", false},
        {"", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SjisEqualsIgnoreCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(SjisText, WalkKeepsTrailBytesInsideTheirCharacter) {
    const std::string hyou = Sjis(u8"表");
    ASSERT_EQ(hyou, Hex("95 5C"));
    EXPECT_EQ(SjisCharLength(hyou, 0), 2u);
    EXPECT_FALSE(SjisContainsByte(hyou, '\\'));
    EXPECT_TRUE(SjisContainsByte("a\\b", '\\'));
    EXPECT_TRUE(SjisContainsByte(hyou + "\\", '\\'));

    EXPECT_EQ(SjisCharLength(Hex("81"), 0), 1u);     // lead byte at the end
    EXPECT_EQ(SjisCharLength(Hex("81 20"), 0), 1u);  // lead byte before a non-trail byte
    EXPECT_EQ(SjisCharLength(Hex("E0 FC"), 0), 2u);
    EXPECT_EQ(SjisCharLength(Hex("A0 40"), 0), 1u);  // 0xA0 is no lead byte
}

TEST(SjisText, TruncationNeverSplitsACharacter) {
    const std::string text = "ab" + Sjis(u8"表示");  // 2 + 2 + 2 bytes
    EXPECT_EQ(SjisTruncatedLength(text, 6), 6u);
    EXPECT_EQ(SjisTruncatedLength(text, 5), 4u);
    EXPECT_EQ(SjisTruncatedLength(text, 3), 2u);
    EXPECT_EQ(SjisTruncatedLength(text, 0), 0u);

    // A typed count: cut back inside a character, all of it (-1) at or past the end.
    const struct {
        std::int32_t count, drawn;
    } typed[] = {{0, 0}, {3, 2}, {5, 4}, {4, 4}, {6, -1}, {7, -1}, {-1, -1}};
    for (const auto& t : typed) EXPECT_EQ(SjisTypedCount(text, t.count), t.drawn) << t.count;

    char buffer[4];
    EXPECT_FALSE(SjisCopyTruncated(buffer, sizeof buffer, text));
    EXPECT_STREQ(buffer, "ab");
    char wide[8];
    EXPECT_TRUE(SjisCopyTruncated(wide, sizeof wide, text));
    EXPECT_EQ(std::string(wide), text);

    // An empty view may have no storage at all; it still clears the buffer.
    char cleared[4] = "xyz";
    EXPECT_TRUE(SjisCopyTruncated(cleared, sizeof cleared, std::string_view{}));
    EXPECT_STREQ(cleared, "");
}
