// Hidden damage: every small change to a sound slot file is refused with a line and
// a field, never loaded as some other story.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

#include "SlotFixture.h"
#include "game/SlotFileParser.h"
#include "support/SlotFileBuilder.h"

namespace {

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
    void ExpectRefused(const std::string& bytes, const std::string& what) {
        ++tried_;
        const SlotParseResult parsed = ParseSlotFile(bytes, game.schema);
        if (parsed.image || parsed.nLine <= 0 || parsed.szField.empty()) {
            if (++accepted_ <= 5) ADD_FAILURE() << what << " was not refused with a line";
        }
    }

    // Each byte that is not already the replacement, replaced.
    void ReplaceEachByte(char replacement) {
        for (std::size_t i = 0; i < built.bytes.size(); ++i) {
            if (built.bytes[i] == replacement) continue;
            std::string bytes = built.bytes;
            bytes[i] = replacement;
            ExpectRefused(bytes, "byte " + std::to_string(i) + " made " +
                                     std::to_string(static_cast<unsigned char>(replacement)));
        }
    }

    void TearDown() override { EXPECT_EQ(accepted_, 0) << "of " << tried_ << " mutations"; }

    int tried_ = 0;
    int accepted_ = 0;
};

TEST_F(SlotSweep, EveryTruncation) {
    for (std::size_t size = 0; size < built.bytes.size(); ++size) {
        ExpectRefused(built.bytes.substr(0, size), "cut at " + std::to_string(size));
    }
}

TEST_F(SlotSweep, EachByteMadeNul) { ReplaceEachByte('\0'); }
TEST_F(SlotSweep, EachByteMadeControl) { ReplaceEachByte('\x01'); }
TEST_F(SlotSweep, EachByteMadeLineFeed) { ReplaceEachByte('\n'); }
TEST_F(SlotSweep, EachByteMadeBlank) { ReplaceEachByte(' '); }

TEST_F(SlotSweep, EachSeparatorMadeALetter) {
    for (std::size_t i = 0; i < built.bytes.size(); ++i) {
        if (built.bytes[i] != ' ' && built.bytes[i] != '\n') continue;
        std::string bytes = built.bytes;
        bytes[i] = 'x';
        ExpectRefused(bytes, "separator " + std::to_string(i) + " made x");
    }
}

TEST_F(SlotSweep, EachCharacterOfNumbersAndMarkers) {
    for (const SlotFileField& field : built.fields) {
        if (field.kind == SlotFileField::KIND::Text) continue;
        for (std::size_t i = field.offset; i < field.offset + field.length; ++i) {
            std::string bytes = built.bytes;
            // A letter that differs from the byte in any case.
            bytes[i] = std::tolower(static_cast<unsigned char>(bytes[i])) == 'x' ? 'y' : 'x';
            ExpectRefused(bytes, field.name + " at " + std::to_string(i) + " damaged");
        }
    }
}

}  // namespace
