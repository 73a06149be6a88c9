// Hidden damage: every small change to a sound slot file is refused with a line and
// a field, never loaded as some other story.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "SlotFixture.h"
#include "game/SlotFileParser.h"
#include "support/SlotDamage.h"
#include "support/SlotFileBuilder.h"

namespace {

using zktest::SlotDamage;
using zktest::SlotFileBuilder;
using zktest::SlotFileField;

class SlotSweep : public ::testing::Test {
protected:
    zktest::SlotFixture game;
    SlotFileBuilder built{zktest::RealisticSlotImage()};

    void SetUp() override {
        ASSERT_GT(built.bytes.size(), 4500u);
        ASSERT_TRUE(ParseSlotFile(built.bytes, game.schema).image);
    }

    // Counts the mutations tried; reports the first few that loaded.
    zktest::SlotDamage::Visit ExpectRefused() {
        return [this](const std::string& bytes, const std::string& what) {
            ++tried_;
            const SlotParseResult parsed = ParseSlotFile(bytes, game.schema);
            if (parsed.image || parsed.nLine <= 0 || parsed.szField.empty()) {
                if (++accepted_ <= 5) ADD_FAILURE() << what << " was not refused with a line";
            }
            return true;
        };
    }

    void TearDown() override {
        EXPECT_EQ(accepted_, 0) << "of " << tried_ << " mutations";
        EXPECT_EQ(tried_, expected_) << "every mutation of the class is tried";
    }

    std::size_t Count(char c) const { return std::ranges::count(built.bytes, c); }

    std::size_t tried_ = 0;
    std::size_t expected_ = 0;
    int accepted_ = 0;
};

TEST_F(SlotSweep, EveryTruncation) {
    expected_ = built.bytes.size();
    const SlotDamage::Visit refused = ExpectRefused();
    SlotDamage::Truncations(built.bytes, [&](const std::string& bytes, const std::string& what) {
        EXPECT_TRUE(built.bytes.starts_with(bytes)) << what << " is no head of the file";
        return refused(bytes, what);
    });
}

// Each byte made NUL, 0x01, LF or a blank, one class each.
class SlotSweepByte : public SlotSweep, public ::testing::WithParamInterface<char> {};

TEST_P(SlotSweepByte, EachByteReplaced) {
    expected_ = built.bytes.size() - Count(GetParam());
    SlotDamage::EachByteMade(built.bytes, GetParam(), ExpectRefused());
}

INSTANTIATE_TEST_SUITE_P(Classes, SlotSweepByte, ::testing::Values('\0', '\x01', '\n', ' '));

TEST_F(SlotSweep, EachSeparatorMadeALetter) {
    expected_ = Count(' ') + Count('\n');
    SlotDamage::EachSeparatorMadeALetter(built.bytes, ExpectRefused());
}

TEST_F(SlotSweep, EachCharacterOfNumbersAndMarkers) {
    SlotDamage::Ranges ranges;
    for (const SlotFileField& field : built.fields) {
        if (field.kind == SlotFileField::KIND::Text) continue;
        ranges.emplace_back(field.offset, field.length);
        expected_ += field.length;
    }
    SlotDamage::EachCharacterOf(built.bytes, ranges, ExpectRefused());
}

}  // namespace
