// Hidden damage: every small change to a sound slot file is refused with a line and
// a field, never loaded as some other story.
#include <gtest/gtest.h>

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

    void TearDown() override { EXPECT_EQ(accepted_, 0) << "of " << tried_ << " mutations"; }

    int tried_ = 0;
    int accepted_ = 0;
};

TEST_F(SlotSweep, EveryTruncation) { SlotDamage::Truncations(built.bytes, ExpectRefused()); }

TEST_F(SlotSweep, EachByteMadeNul) { SlotDamage::EachByteMade(built.bytes, '\0', ExpectRefused()); }
TEST_F(SlotSweep, EachByteMadeControl) {
    SlotDamage::EachByteMade(built.bytes, '\x01', ExpectRefused());
}
TEST_F(SlotSweep, EachByteMadeLineFeed) {
    SlotDamage::EachByteMade(built.bytes, '\n', ExpectRefused());
}
TEST_F(SlotSweep, EachByteMadeBlank) {
    SlotDamage::EachByteMade(built.bytes, ' ', ExpectRefused());
}

TEST_F(SlotSweep, EachSeparatorMadeALetter) {
    SlotDamage::EachSeparatorMadeALetter(built.bytes, ExpectRefused());
}

TEST_F(SlotSweep, EachCharacterOfNumbersAndMarkers) {
    SlotDamage::Ranges ranges;
    for (const SlotFileField& field : built.fields) {
        if (field.kind != SlotFileField::KIND::Text)
            ranges.emplace_back(field.offset, field.length);
    }
    SlotDamage::EachCharacterOf(built.bytes, ranges, ExpectRefused());
}

}  // namespace
