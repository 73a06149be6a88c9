#include <gtest/gtest.h>

#include "support/Bytes.h"
#include "system/DataName.h"
#include "system/WordSplitter.h"

using zktest::Sjis;

TEST(DataName, AcceptsPlainAndShiftJisNames) {
    EXPECT_TRUE(IsDataName("Y0100.gpc"));
    EXPECT_TRUE(IsDataName(Sjis(u8"表.spt")));  // 表 is 95 5C: its trail byte is no backslash
    EXPECT_TRUE(IsDataName(std::string(259, 'a')));
}

TEST(DataName, RefusesNamesThatLeaveTheFolder) {
    for (const std::string name : {"a/b", "..", "x..y", "a\\b", "", "/abs"}) {
        EXPECT_FALSE(IsDataName(name)) << name;
    }
    EXPECT_FALSE(IsDataName(std::string(260, 'a')));
}

TEST(WordSplitter, SplitsAtEveryWhiteSpaceByte) {
    const SplitWords split = SplitLine(" a\tb\nc\vd\fe\rf  ", 10, 8);
    ASSERT_EQ(split.words.size(), 6u);
    EXPECT_EQ(split.words[0].text, "a");
    EXPECT_EQ(split.words[5].text, "f");
    EXPECT_FALSE(split.moreWords);
}

TEST(WordSplitter, ReportsLongWordsAndExtraWords) {
    const SplitWords split = SplitLine("short toolongword x extra", 3, 5);
    ASSERT_EQ(split.words.size(), 3u);
    EXPECT_FALSE(split.words[0].tooLong);
    EXPECT_TRUE(split.words[1].tooLong);
    EXPECT_EQ(split.words[1].text, "toolongword");  // whole: the caller decides
    EXPECT_TRUE(split.moreWords);

    EXPECT_FALSE(SplitLine("a b c", 3, 5).moreWords);
    EXPECT_TRUE(SplitLine("   ", 3, 5).words.empty());
}
