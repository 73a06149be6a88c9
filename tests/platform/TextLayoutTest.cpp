#include <gtest/gtest.h>

#include "platform/text/TextLayout.h"
#include "support/Bytes.h"

using platform::Rect;
using platform::TextCell;
using platform::TextLayout;
using zktest::Hex;
using zktest::Sjis;

namespace {

// (x, y, width) of every cell, with the bytes each cell holds.
struct Placed {
    std::string bytes;
    int x, y, width;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> Describe(std::string_view text, const std::vector<TextCell>& cells) {
    std::vector<Placed> out;
    for (const TextCell& c : cells) {
        out.push_back({std::string(text.substr(c.offset, c.length)), c.x, c.y, c.width});
    }
    return out;
}

// The texts of the lines, cell tops telling them apart.
std::vector<std::string> Lines(std::string_view text, const std::vector<TextCell>& cells) {
    std::vector<std::string> lines;
    int top = INT32_MIN;
    for (const TextCell& c : cells) {
        if (c.y != top) lines.emplace_back();
        top = c.y;
        lines.back() += text.substr(c.offset, c.length);
    }
    return lines;
}

}  // namespace

TEST(TextLayout, CellsOfEachCharacterKindAtSeveralHeights) {
    const std::string text =
        "A" + Sjis(u8"あ表") + Hex("B1");  // ASCII, kana, kanji, half-width kana
    for (const int h : {12, 20, 24}) {
        const auto cells = TextLayout::Line(text, 10, 5, h);
        const std::vector<Placed> expected = {
            {"A", 10, 5, h / 2},
            {Sjis(u8"あ"), 10 + h / 2, 5, h},
            {Sjis(u8"表"), 10 + h / 2 + h, 5, h},
            {Hex("B1"), 10 + h / 2 + 2 * h, 5, h / 2},
        };
        EXPECT_EQ(Describe(text, cells), expected) << "height " << h;
    }
}

TEST(TextLayout, TrailBytesAndBrokenCharacters) {
    const struct {
        std::string text;
        std::vector<std::string> cells;
        std::vector<bool> inked;
    } cases[] = {
        // 0x5C after a lead byte stays inside its kanji, never a separate backslash.
        {Sjis(u8"表") + "\\", {Hex("95 5C"), "\\"}, {true, true}},
        // A lead byte cut off at the end of the count: an empty half cell.
        {"a" + Hex("82"), {"a", Hex("82")}, {true, false}},
        // A lead byte before a byte that cannot trail: both stand alone, the second drawn.
        {Hex("82") + "\x1F" + "b", {Hex("82"), "\x1F", "b"}, {false, false, true}},
        // Control bytes in a line keep a half cell and draw nothing.
        {"a\tb\n", {"a", "\t", "b", "\n"}, {true, false, true, false}},
    };
    for (const auto& c : cases) {
        const auto cells = TextLayout::Line(c.text, 0, 0, 20);
        ASSERT_EQ(cells.size(), c.cells.size()) << c.text;
        int x = 0;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(c.text.substr(cells[i].offset, cells[i].length), c.cells[i]);
            EXPECT_EQ(cells[i].x, x);
            x += cells[i].length == 2 ? 20 : 10;
            EXPECT_EQ(TextLayout::Inked(c.text, cells[i]), c.inked[i]) << c.text << " " << i;
        }
    }
}

TEST(TextLayout, SingleLineCentringAndVerticalPlacement) {
    const std::uint32_t kCentredLine = 37;  // centre | vertical centre | single line
    const struct {
        std::string text;
        Rect rect;
        std::uint32_t format;
        int left, top;
    } cases[] = {
        {"abc", {0, 0, 100, 40}, kCentredLine, (100 - 36) / 2, (40 - 24) / 2},  // even
        {"abc", {0, 0, 101, 41}, kCentredLine, (101 - 36) / 2, (41 - 24) / 2},  // odd
        // Lower than a cell.
        {"abc", Rect{10, 100, 110, 116}, kCentredLine, 10 + 32, 100 + (16 - 24) / 2},
        {"a\r\nb\nc", {0, 0, 100, 40}, kCentredLine, 32, 8},                // CR, LF ignored
        {"abc", {0, 0, 100, 40}, 2 | 8 | 32, 100 - 36, 40 - 24},            // right, bottom
        {"abcdefghij", {0, 0, 100, 40}, kCentredLine, (100 - 120) / 2, 8},  // wider than the box
    };
    for (const auto& c : cases) {
        const auto cells = TextLayout::Box(c.text, c.rect, c.format, 24);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(Lines(c.text, cells).size(), 1u);
        EXPECT_EQ(cells.front().x, c.left) << c.text;
        EXPECT_EQ(cells.front().y, c.top) << c.text;
        int x = c.left;
        for (const TextCell& cell : cells) {
            EXPECT_EQ(cell.x, x);
            x += cell.width;
        }
    }
    // Vertical placement needs the single-line flag.
    EXPECT_EQ(TextLayout::Box("abc", {0, 0, 100, 40}, 4, 24).front().y, 0);
}

TEST(TextLayout, WordBreakAndLineEnds) {
    const Rect box{20, 10, 20 + 5 * 24, 200};  // five double-byte cells at height 24
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        // A Japanese run breaks where the next character would cross the right edge.
        {Sjis(u8"あいうえおかきく"), {Sjis(u8"あいうえお"), Sjis(u8"かきく")}},
        // Blanks at a break are dropped; the word moves down whole.
        {"abc defg hijkl", {"abc defg", "hijkl"}},
        // Only the blanks at the break go; those between later words stay.
        {"abcdefghij  k l", {"abcdefghij", "k l"}},
        // The in-memory line end " \n", a bare LF and CR LF each end one line.
        {"ab \ncd\r\nef\rgh", {"ab ", "cd", "ef", "gh"}},
        // A word with no break opportunity is cut where it reaches the edge.
        {"abcdefghijklm", {"abcdefghij", "klm"}},
        // Next to a double-byte character a line may break without a blank.
        {"abcdefghi" + Sjis(u8"あい"), {"abcdefghi", Sjis(u8"あい")}},
    };
    for (const auto& c : cases) {
        const auto cells = TextLayout::Box(c.text, box, 16, 24);
        EXPECT_EQ(Lines(c.text, cells), c.lines) << c.text;
        for (const TextCell& cell : cells) {
            EXPECT_LE(cell.x + cell.width, box.right) << c.text;
            EXPECT_EQ((cell.y - box.top) % 24, 0);
        }
    }
    // Line k's cell top is k cell heights down, and an empty line still counts.
    const auto cells = TextLayout::Box("a\n\nb", box, 0, 24);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[1].y, box.top + 2 * 24);
}
