#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DressRoomFixture.h"
#include "graphics/ZKSPRITE.h"

using zktest::DressRoom;
using zktest::RoomPoint;
using zktest::WindowTestBench;
using Pixels = std::vector<std::uint32_t>;

namespace {

constexpr const char* kMaterial = "ClothesSelectMaterial";

RoomPoint Corner(int place) {
    return place <= 4 ? RoomPoint{290 + 128 * (place - 1), 90}
                      : RoomPoint{290 + 128 * (place - 5), 258};
}
std::uint32_t CardAt(const Pixels& frame, int place) {
    return WindowTestBench::At(frame, Corner(place).x + 60, Corner(place).y + 100);
}
std::uint32_t MarkAt(const Pixels& frame, int place) {
    return WindowTestBench::At(frame, Corner(place).x + 12, Corner(place).y + 12);
}
std::uint32_t CursorAt(const Pixels& frame, int place) {
    return WindowTestBench::At(frame, Corner(place).x - 4, Corner(place).y + 60);
}
std::uint32_t BodyAt(const Pixels& frame) { return WindowTestBench::At(frame, 144, 394); }
std::uint32_t FaceAt(const Pixels& frame) { return WindowTestBench::At(frame, 76, 502); }
std::string Costume(int n) { return "衣装" + std::to_string(n); }

// Page 1's places 1 to 6 show costumes 9 to 14; closed cards and marks go by the place.
TEST_F(DressRoom, EachPageShowsItsCostumesWithCardsAndMarksByPlace) {
    Start();
    Standby(kOff, 0);
    {
        const Pixels& frame = Frame();
        for (const int place : {1, 2, 3, 5})
            EXPECT_EQ(CardAt(frame, place), Cell("ClothesCard_F", Costume(place))) << place;
        EXPECT_EQ(CardAt(frame, 8), Cell("ClothesCard_F", Costume(8) + " 完成"));
        for (const int place : {4, 6, 7})
            EXPECT_EQ(CardAt(frame, place), Cell("ClothesCard_R", "裏" + std::to_string(place)));
        for (const int place : {1, 5, 8})
            EXPECT_EQ(MarkAt(frame, place), Cell(kMaterial, std::to_string(place))) << place;
        EXPECT_EQ(MarkAt(frame, 4), Cell("ClothesCard_R", "裏4"));
        EXPECT_EQ(BodyAt(frame), Cell("ClothesSelectBody", "選択なし"));
        // The background is drawn without its key: its key-coloured corner shows.
        EXPECT_EQ(WindowTestBench::At(frame, 0, 0), 0xFF00FFu);
    }
    room.nPage = 1;
    const Pixels& frame = Frame();
    EXPECT_EQ(CardAt(frame, 1), Cell("ClothesCard_F", Costume(9)));
    EXPECT_EQ(CardAt(frame, 6), Cell("ClothesCard_F", Costume(14) + " 完成"));
    for (const int place : {2, 3, 4, 5})
        EXPECT_EQ(CardAt(frame, place), Cell("ClothesCard_R", "裏" + std::to_string(place)));
    EXPECT_EQ(MarkAt(frame, 1), Cell(kMaterial, "1"));
    EXPECT_EQ(MarkAt(frame, 6), Cell(kMaterial, "6"));
    for (const int place : {7, 8}) {
        EXPECT_NE(CardAt(frame, place), Cell("ClothesCard_R", "裏" + std::to_string(place)));
        EXPECT_NE(CardAt(frame, place), Cell("ClothesCard_F", Costume(place)));
    }
}

// Over the hovered unlocked card only; the frame runs all the time.
TEST_F(DressRoom, TheCursorFrameRunsBackAndForthOverTheHoveredCard) {
    Start();
    const int expected[] = {0, 1, 2, 3, 4, 3, 2, 1, 0, 1};
    for (int k = 0; k < 10; ++k) {
        Standby(kCentre[2], 100 * static_cast<std::uint32_t>(k));
        const Pixels& frame = Frame();
        EXPECT_EQ(CursorAt(frame, 2), Cell(kMaterial, "枠" + std::to_string(expected[k]))) << k;
        EXPECT_EQ(BodyAt(frame), Cell("ClothesSelectBody", Costume(2) + " 全身")) << k;
        for (const int other : {1, 3}) {
            EXPECT_NE(CursorAt(frame, other), Cell(kMaterial, "枠" + std::to_string(expected[k])))
                << k;
        }
    }
    for (const RoomPoint at : {kCentre[4], kCentre[11], kOff}) {
        Standby(at, 1100);
        const Pixels& frame = Frame();
        for (int place = 1; place <= 8; ++place) {
            for (int f = 0; f < 5; ++f)
                EXPECT_NE(CursorAt(frame, place), Cell(kMaterial, "枠" + std::to_string(f)));
        }
    }
}

// Resting, pointed at a pixel higher, held down at rest height in its third look.
TEST_F(DressRoom, ArrowsAndExitAreDrawnByTheirState) {
    Start();
    const struct {
        RoomPoint at;
        const char* name;
        int page;
        RoomPoint probe;
    } buttons[] = {
        {kCentre[9], "次", 0, {760, 0}},
        {kCentre[10], "前", 1, {320, 0}},
        {kCentre[11], "戻る", 0, {716, 0}},
    };
    for (const auto& b : buttons) {
        const int top = b.at.y - 16;
        const std::string name = b.name;
        room.nPage = b.page;
        Standby(kOff, 0);
        const Pixels rest = Frame();
        EXPECT_EQ(WindowTestBench::At(rest, b.probe.x, top), Cell(kMaterial, name + "0")) << name;
        EXPECT_NE(WindowTestBench::At(rest, b.probe.x, top - 1), Cell(kMaterial, name + "0"));
        Standby(b.at, 16);
        const Pixels hover = Frame();
        EXPECT_EQ(WindowTestBench::At(hover, b.probe.x, top - 1), Cell(kMaterial, name + "1"))
            << name;
        EXPECT_NE(WindowTestBench::At(hover, b.probe.x, top + 31), Cell(kMaterial, name + "1"));
        // Nothing is shown for an arrow or the exit: no figure, name, face or comment.
        EXPECT_EQ(BodyAt(hover), Cell("ClothesSelectBody", "選択なし")) << name;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                if (x >= 290 && (y < 460 || y >= 545)) continue;
                ASSERT_EQ(WindowTestBench::At(hover, x, y), WindowTestBench::At(rest, x, y))
                    << name << " " << x << "," << y;
            }
        }
        Standby(b.at, 32, KEY_STATE_PRESSED);
        const Pixels& held = Frame();
        EXPECT_EQ(WindowTestBench::At(held, b.probe.x, top), Cell(kMaterial, name + "2")) << name;
        EXPECT_EQ(WindowTestBench::At(held, b.probe.x, top + 31), Cell(kMaterial, name + "2"));
        EXPECT_NE(WindowTestBench::At(held, b.probe.x, top - 1), Cell(kMaterial, name + "2"));
        Standby(kOff, 48);
    }
    // Each arrow only on its page.
    room.nPage = 0;
    EXPECT_NE(WindowTestBench::At(Frame(), 320, 412), Cell(kMaterial, "前0"));
    room.nPage = 1;
    EXPECT_NE(WindowTestBench::At(Frame(), 760, 412), Cell(kMaterial, "次0"));
}

// Each comment brings its own face.
TEST_F(DressRoom, TheFaceFollowsTheCostumesExpression) {
    flags[4 - 1] = 1;
    flags[12 - 1] = 1;
    Start();
    const struct {
        int page, place;
        const char* face;
    } cases[] = {{0, 4, "表情0"}, {0, 5, "表情2"}, {1, 4, "表情1"}, {0, 8, "表情1"}};
    std::uint32_t ms = 0;
    for (const auto& c : cases) {
        room.nPage = c.page;
        Standby(kCentre[c.place], ms += 16);
        const Pixels& frame = Frame();
        EXPECT_EQ(FaceAt(frame), Cell("QuiraFaceWnd", c.face)) << c.place;
        EXPECT_EQ(BodyAt(frame),
                  Cell("ClothesSelectBody", Costume(c.place + 8 * c.page) + " 全身"));
        Standby(kOff, ms += 16);
    }
    const Pixels& frame = Frame();
    for (const char* face : {"表情0", "表情1", "表情2"})
        EXPECT_NE(FaceAt(frame), Cell("QuiraFaceWnd", face));
}

// The test glyphs are boxes: the name's lie inside its rectangle with the dark shadow
// one pixel right and below, the subtitle's inside its own.
TEST_F(DressRoom, TheNamesLieInsideTheirRectanglesOverTheirShadow) {
    Start();
    Standby(kOff, 0);
    const Pixels none = Frame();
    Standby(kCentre[1], 16);
    const Pixels& frame = Frame();
    int white = 0;
    int rightmostNameColumn = -1;
    for (int y = 0; y < 456; ++y) {
        for (int x = 0; x < 283; ++x) {
            const std::uint32_t pixel = WindowTestBench::At(frame, x, y);
            if (pixel != 0xFFFFFF || WindowTestBench::At(none, x, y) == pixel) continue;
            ++white;
            EXPECT_TRUE(x >= 8 && x < 280 && y >= 50 && y < 88) << x << "," << y;
            if (y < 74) rightmostNameColumn = std::max(rightmostNameColumn, x);
        }
    }
    EXPECT_GT(white, 0);
    ASSERT_GE(rightmostNameColumn, 0);
    int shadow = 0;
    for (int y = 50; y < 77; ++y)
        shadow += WindowTestBench::At(frame, rightmostNameColumn + 1, y) == 0x1E1E1E;
    EXPECT_GT(shadow, 0);
}

// A count that ends inside a two-byte character draws the characters before it.
TEST_F(DressRoom, ATypedCountNeverDrawsHalfACharacter) {
    Start();
    Standby(kCentre[1], 0);
    const auto commentBand = [&](std::int32_t count) {
        room.nCommentCount = count;
        const Pixels& frame = Frame();
        return Pixels(frame.begin() + 460 * 800, frame.begin() + 545 * 800);
    };
    EXPECT_EQ(commentBand(11), commentBand(10));
    EXPECT_NE(commentBand(12), commentBand(10));
    EXPECT_EQ(commentBand(-1), commentBand(500));
    EXPECT_NE(commentBand(-1), commentBand(12));
}

// The comment wraps inside its box, 635 pixels wide: 52 half-width characters of 12
// pixels fill one line, a 53rd goes onto the next.
TEST_F(DressRoom, TheCommentWrapsAtItsBoxsRightEdge) {
    Start();
    const auto secondLineInked = [&](std::size_t length) {
        const std::string text(length, 'a');
        std::copy(text.begin(), text.end() + 1, room.szDispComment);
        room.nCommentCount = -1;
        const Pixels& frame = Frame();
        int inked = 0;
        for (int x = 145; x < 780; ++x)
            inked += WindowTestBench::At(frame, x, 465 + 24 + 12) == 0xFFFFFF;
        return inked > 0;
    };
    EXPECT_FALSE(secondLineInked(52));
    EXPECT_TRUE(secondLineInked(53));
}

// Only the pictures under the faces and texts report a failed blit.
TEST_F(DressRoom, AFailedBlitIsLoggedButNotTheFaces) {
    Start();
    Standby(kCentre[1], 0);
    bench.sprite->ReleaseSurface(22);
    const auto drawLines = [&] {
        std::vector<std::string> found;
        for (const std::string& line : bench.lines()) {
            if (line.find("<DR_DATA::Draw>") != std::string::npos) found.push_back(line);
        }
        return found;
    };
    bench.drawFrame([&] { EXPECT_EQ(room.Draw(), 1); });
    EXPECT_TRUE(drawLines().empty());
    bench.sprite->ReleaseSurface(15);
    bench.drawFrame([&] { EXPECT_EQ(room.Draw(), 1) << "drawing goes on"; });
    // Each call once: the marks of the five unlocked cards, the cursor, the next arrow
    // and the exit.
    const std::vector<std::string> lines(8, "Error: <DR_DATA::Draw> 描画に失敗しました");
    EXPECT_EQ(drawLines(), lines);
    Frame();
    EXPECT_EQ(drawLines(), lines);
}

}  // namespace
