#include <gtest/gtest.h>

#include <string>

#include "support/Bytes.h"
#include "system/DataName.h"
#include "system/WordSplitter.h"

using Names = std::initializer_list<std::string>;

TEST(DataName, AcceptsFolderLocalNamesUpTo259Bytes) {
    // 表 is 95 5C: its trail byte is no backslash.
    for (const std::string& name :
         Names{"Y0100.gpc", zktest::Sjis(u8"表.spt"), std::string(259, 'a')}) {
        EXPECT_TRUE(IsDataName(name)) << name;
    }
    for (const std::string& name :
         Names{"a/b", "..", "x..y", "a\\b", "", "/abs", std::string(260, 'a')}) {
        EXPECT_FALSE(IsDataName(name)) << name;
    }
}

TEST(WordSplitter, SplitsAtEveryWhiteSpaceByteAndReportsLongAndExtraWords) {
    const SplitWords all = SplitLine(" a\tb\nc\vd\fe\rf  ", 10, 8);
    ASSERT_EQ(all.words.size(), 6u);
    EXPECT_EQ(all.words[0].text, "a");
    EXPECT_EQ(all.words[5].text, "f");
    EXPECT_FALSE(all.moreWords);

    const SplitWords split = SplitLine("short toolongword x extra", 3, 5);
    ASSERT_EQ(split.words.size(), 3u);
    EXPECT_FALSE(split.words[0].tooLong);
    EXPECT_TRUE(split.words[1].tooLong);
    EXPECT_EQ(split.words[1].text, "toolongword");  // whole: the caller decides
    EXPECT_TRUE(split.moreWords);
    EXPECT_FALSE(SplitLine("a b c", 3, 5).moreWords);
    EXPECT_TRUE(SplitLine("   ", 3, 5).words.empty());
}
