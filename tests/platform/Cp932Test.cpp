#include <gtest/gtest.h>

#include "platform/text/Cp932.h"
#include "support/Bytes.h"

using namespace platform;
using zktest::Hex;

TEST(Cp932, RoundTripOfAsciiKanaKanjiAndWaveDash) {
    const std::u8string sample = u8"Ab1 ｱｲ表～";
    const auto cp932 = utf8ToCp932(sample);
    ASSERT_TRUE(cp932.has_value());
    EXPECT_EQ(*cp932, "Ab1 " + Hex("B1 B2 95 5C 81 60"));
    EXPECT_EQ(cp932ToUtf8(*cp932), std::string(sample.begin(), sample.end()));
}

TEST(Cp932, BadBytesAreEscapedAndConversionGoesOn) {
    EXPECT_EQ(cp932ToUtf8("a" + Hex("81")), "a\\x81");      // lead byte at the end
    EXPECT_EQ(cp932ToUtf8(Hex("FD") + "b"), "\\xFDb");      // no character starts with FD
    EXPECT_EQ(cp932ToUtf8(Hex("82 20") + "c"), "\\x82 c");  // lead byte before a non-trail
}

TEST(Cp932, TextWithoutACp932FormIsReported) {
    EXPECT_FALSE(utf8ToCp932(u8"😀").has_value());
    EXPECT_FALSE(utf8ToCp932(std::string_view("\xC3")).has_value());  // broken UTF-8
    EXPECT_EQ(utf8ToCp932(u8""), std::string());
}
