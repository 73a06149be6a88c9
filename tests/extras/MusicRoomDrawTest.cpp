#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MusicRoomFixture.h"
#include "common/BitmapWriter.h"
#include "extras/MusicTracks.h"
#include "mkdemo/PicturePainter.h"

using zktest::MusicRoom;
using zktest::RoomPoint;
using zktest::WindowTestBench;

namespace {

constexpr std::uint32_t kBack = 0x203040;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kShadow = 0x404040;
int Row(int track) { return track + 5; }

// A hole in the bar, in the material's black key colour.
constexpr platform::Rect kHole{200, 10, 204, 14};

// The material's cells in their plain colours on black, with the hole.
std::string MaterialWithHole() {
    const mkdemo::PictureEntry& entry = WindowTestBench::Entry("BGMModeMaterial");
    const auto colors = mkdemo::PicturePainter::PlainCellColors(entry);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(entry.width * entry.height), 0);
    const auto fill = [&](const platform::Rect& r, std::uint32_t color) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                pixels[static_cast<std::size_t>(y * entry.width + x)] = color;
        }
    };
    for (const mkdemo::SheetCell& cell : entry.cells)
        fill({cell.left, cell.top, cell.right, cell.bottom}, colors.at(cell.name));
    fill(kHole, 0);
    return zktools::BitmapBytes(zktools::BitmapForm::Rgb24, entry.width, entry.height, pixels);
}

// The room over a flat background, so that what it draws shows against it.
struct MusicRoomDraw : MusicRoom {
    MusicRoomDraw() {
        auto pictures = WindowTestBench::Materials();
        for (auto& [name, bytes] : pictures) {
            if (name == WindowTestBench::Entry("BGMModeBack").name)
                bytes = zktest::ScriptKit::Flat(800, 600, kBack);
            if (name == WindowTestBench::Entry("BGMModeMaterial").name) bytes = MaterialWithHole();
        }
        zktest::ScriptKit::WriteArchive("dat/Img.dat", pictures);
    }
    std::uint32_t At(int x, int y) { return WindowTestBench::At(Frame(), x, y); }
    // How many pixels of the colour lie inside the box, and how many below the rows
    // and left of the buttons but outside it.
    // Where the first of them lies: the smallest x and the smallest y.
    struct Spread {
        int inside = 0;
        int outside = 0;
        RoomPoint first{800, 600};
    };
    Spread Count(std::uint32_t color, const platform::Rect& box) {
        const std::vector<std::uint32_t>& frame = Frame();
        Spread spread;
        for (int y = 440; y < 600; ++y) {
            for (int x = 0; x < 660; ++x) {
                if (WindowTestBench::At(frame, x, y) != color) continue;
                const bool in = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                ++(in ? spread.inside : spread.outside);
                spread.first = {std::min(spread.first.x, x), std::min(spread.first.y, y)};
            }
        }
        return spread;
    }
};

TEST_F(MusicRoomDraw, NothingIsDrawnBeforeInitialize) {
    const std::vector<std::uint32_t>& frame = Frame();
    EXPECT_EQ(std::count(frame.begin(), frame.end(), 0u), 800 * 600);
}

// Each button shows the look of its state at its place, the hover look a pixel
// higher; Play shows its inactive look while music plays.
TEST_F(MusicRoomDraw, ButtonsShowTheLookOfTheirState) {
    Start();
    const struct {
        const char* cell;
        int x, y;
    } resting[] = {{"play-n", 665, 480}, {"play-n", 783, 510}, {"stop-n", 706, 512},
                   {"prev-n", 665, 512}, {"next-n", 783, 542}, {"exit-n", 665, 574}};
    for (const auto& r : resting) EXPECT_EQ(At(r.x, r.y), Cell(r.cell)) << r.cell;
    EXPECT_EQ(At(0, 0), kBack) << "the background covers the frame from its corner";
    // Just outside the buttons' block, where a cell cut too wide would show.
    for (const RoomPoint p : {RoomPoint{784, 490}, RoomPoint{784, 560}, RoomPoint{663, 490},
                              RoomPoint{663, 560}, RoomPoint{700, 575}}) {
        EXPECT_EQ(At(p.x, p.y), kBack) << p.x << "," << p.y;
    }

    Standby(Centre(MUSIC_EXIT));
    EXPECT_EQ(At(665, 542), Cell("exit-h"));
    EXPECT_EQ(At(783, 573), Cell("exit-h"));
    EXPECT_EQ(At(665, 574), kBack);
    Standby(Centre(MUSIC_PREV), KEY_STATE_HELD);
    EXPECT_EQ(At(665, 511), Cell("prev-p"));
    EXPECT_EQ(At(665, 542), Cell("prev-p"));
    EXPECT_EQ(At(665, 543), Cell("exit-n"));

    ASSERT_EQ(Click(Centre(Row(1))), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(At(665, 480), Cell("play-i"));
    EXPECT_EQ(At(706, 512), Cell("stop-n"));
    ASSERT_EQ(Click(Centre(MUSIC_STOP)), BGM_DATA::RESULT_STOPPED);
    EXPECT_EQ(At(706, 510), Cell("stop-h")) << "the stopped Stop keeps its hover look";
    EXPECT_EQ(At(665, 480), Cell("play-n"));
}

// The bar lies on the selected row; each row's text is white when selected or under
// the pointer, grey otherwise, each over its shadow two pixels down and right.
TEST_F(MusicRoomDraw, TheSelectedAndHoveredRowsAreWhite) {
    Start();
    ASSERT_EQ(Click(Centre(MUSIC_NEXT)), BGM_DATA::RESULT_MOVED);
    Standby(Centre(Row(12)));
    const struct {
        int track;
        int left, top;
        std::uint32_t text;
        std::uint32_t end;
    } rows[] = {
        {1, 8, 88, kGrey, kBack},      {2, 8, 128, kWhite, Cell("bar")}, {3, 8, 168, kGrey, kBack},
        {12, 424, 168, kWhite, kBack}, {18, 424, 408, kGrey, kBack},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.track);
        EXPECT_EQ(At(r.left + 5, r.top + 5), r.text);
        EXPECT_EQ(At(r.left + 11, r.top + 10), kShadow);
        EXPECT_EQ(At(r.left + 5, r.top + 24), kShadow);
        EXPECT_EQ(At(r.left + 360, r.top + 1), r.end);
        EXPECT_EQ(At(r.left + 367, r.top + 25), r.end);
        EXPECT_EQ(At(r.left + 367, r.top + 26), kBack);
    }
    EXPECT_EQ(At(7, 129), kBack);
    EXPECT_EQ(At(376, 129), kBack);
    // The bar's black is its key: the background shows through.
    EXPECT_EQ(At(8 + kHole.left - 1, 128 + kHole.top), kBack);
    EXPECT_EQ(At(8 + kHole.left - 2, 128 + kHole.top), Cell("bar"));
    for (int track = 1; track <= 18; ++track) {
        EXPECT_EQ(std::string(room.BgmData[track - 1].szTitle), MusicTrack(track).title)
            << "a row's text is made beside its title, never over it";
    }
}

// The selected track's comment lies in its box, its shadow in the box moved by two
// pixels.
TEST_F(MusicRoomDraw, TheCommentAndItsShadowStayInTheirBoxes) {
    Start();
    for (const int selected : {1, 6}) {
        SCOPED_TRACE(selected);
        while (room.nSelectNo != selected) Click(Centre(MUSIC_NEXT));
        const Spread white = Count(kWhite, {20, 481, 650, 577});
        EXPECT_GT(white.inside, 0);
        EXPECT_EQ(white.outside, 0);
        const Spread shadow = Count(kShadow, {22, 483, 652, 579});
        EXPECT_GT(shadow.inside, 0);
        EXPECT_EQ(shadow.outside, 0);
        // Each line opens with a full-width blank, which inks nothing.
        EXPECT_EQ(std::pair(white.first.x, white.first.y), std::pair(20 + 24, 481));
        EXPECT_EQ(std::pair(shadow.first.x, shadow.first.y), std::pair(22 + 24, 483));
    }
}

// The mark shows its visible part from the row's left edge while it enters, and
// nothing once stopped.
TEST_F(MusicRoomDraw, TheMarkShowsItsVisiblePartOnItsRow) {
    Start();
    ASSERT_EQ(Click(Centre(Row(1))), BGM_DATA::RESULT_STARTED);
    SLIDE_MARK_DATA& mark = room.SlideMark;
    const int bottom = 88 + 25;
    mark.nX = -10;
    mark.SlideProc(mark.dwLastTime);
    EXPECT_EQ(At(7, bottom), kBack);
    EXPECT_EQ(At(8, bottom), Cell("mark"));
    EXPECT_EQ(At(22, bottom), Cell("mark"));
    EXPECT_EQ(At(23, bottom), Cell("bar"));
    mark.nX = 200;
    mark.SlideProc(mark.dwLastTime);
    EXPECT_EQ(At(199, bottom), Cell("bar"));
    EXPECT_EQ(At(200, 88), Cell("mark"));
    EXPECT_EQ(At(232, bottom), Cell("mark"));
    EXPECT_EQ(At(233, bottom), Cell("bar"));
    ASSERT_EQ(Click(Centre(MUSIC_STOP)), BGM_DATA::RESULT_STOPPED);
    EXPECT_EQ(At(8, bottom), Cell("bar"));
}

}  // namespace
