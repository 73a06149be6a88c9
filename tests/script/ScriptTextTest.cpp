#include <gtest/gtest.h>

#include <string>

#include "game/GAMEMAIN.h"
#include "script/ScriptNumber.h"
#include "support/Bytes.h"

namespace {

using zktest::Hex;

TEST(ScriptNumber, ReadsLikeAtoiWithinTheI32Range) {
    const struct {
        const char* word;
        std::int32_t value;
    } cases[] = {
        {"42", 42},
        {"  -17x", -17},
        {"+8", 8},
        {"abc", 0},
        {"", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(ScriptNumber(c.word), c.value) << c.word;
    EXPECT_EQ(ScriptSum(2147483000, 1000), 2147483647);
    EXPECT_EQ(ScriptSum(-2147483000, -1000), -2147483647 - 1);
}

TEST(TextEscape, LineBreaksRoundTripWithoutTouchingTwoByteCharacters) {
    auto game = std::make_unique<GAMEMAIN>();
    const struct {
        std::string script;
        std::string shown;
    } cases[] = {
        {"a\\nb", "a \nb"},
        // 表 and ソ end in 0x5C: "n" after them is text.
        {Hex("95 5C") + "n" + Hex("83 5C") + "n", Hex("95 5C") + "n" + Hex("83 5C") + "n"},
        {"x\\n" + Hex("95 5C") + "\\n", "x \n" + Hex("95 5C") + " \n"},
        {"a" + Hex("95"), "a" + Hex("95")},
    };
    for (const auto& c : cases) {
        char shown[64] = {};
        game->TextEscapeToLF(c.script.c_str(), shown);
        EXPECT_EQ(std::string(shown), c.shown);
        char back[64] = {};
        EXPECT_EQ(game->TextLFToEscape(shown, back, sizeof back), 1);
        EXPECT_EQ(std::string(back), c.script);
    }
    char lone[8] = {};
    EXPECT_EQ(game->TextLFToEscape("a\nb", lone, sizeof lone), 1);
    EXPECT_STREQ(lone, "a\\nb");
    EXPECT_EQ(game->TextLFToEscape(nullptr, lone, sizeof lone), 0);
    // No room at all holds the empty text only.
    EXPECT_EQ(game->TextLFToEscape("", lone, 0), 1);
    EXPECT_EQ(game->TextLFToEscape("a", lone, 0), 0);
}

TEST(TextEscape, ACutTextIsTerminatedOnABoundary) {
    auto game = std::make_unique<GAMEMAIN>();
    const std::string text = "ab" + Hex("95 5C") + " \ncd";
    const struct {
        std::size_t size;
        std::string kept;
    } cases[] = {{3, "ab"},
                 {4, "ab"},
                 {5, "ab" + Hex("95 5C")},
                 {6, "ab" + Hex("95 5C")},
                 {7, "ab" + Hex("95 5C") + "\\n"}};
    for (const auto& c : cases) {
        std::string out(c.size, '#');
        EXPECT_EQ(game->TextLFToEscape(text.c_str(), out.data(), c.size), 0);
        EXPECT_EQ(std::string(out.c_str()), c.kept) << c.size;
    }
}

// Removing the escapes closes each gap to one line feed and keeps 表 before "n";
// a long result is cut before a two-byte character, never inside it.
TEST(TextEscape, RemovedEscapesBecomeOneLineFeedInTheRecordsText) {
    auto game = std::make_unique<GAMEMAIN>();
    const std::string cut = std::string(254, 'x') + Hex("95 5C");
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"a\\nb\\n", "a\nb\n"},
        {Hex("95 5C") + "n\\n" + Hex("83 5C"), Hex("95 5C") + "n\n" + Hex("83 5C")},
        {cut, std::string(254, 'x')},
    };
    for (const auto& c : cases) {
        MSG_DATA data;
        game->TextEscapeRemove(c.text.c_str(), data);
        EXPECT_EQ(std::string(data.szText), c.shown);
    }
}

}  // namespace
