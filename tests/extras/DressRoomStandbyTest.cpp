#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DressRoomFixture.h"
#include "extras/DressRoomComments.h"
#include "game/GameContext.h"
#include "platform/input/VirtualKeys.h"
#include "platform/text/Cp932.h"
#include "platform/text/SjisText.h"
#include "support/Bytes.h"
#include "support/ScriptKit.h"

using zktest::DressRoom;
using zktest::RoomPoint;
using zktest::ScriptKit;
using zktest::Sjis;

namespace {

using Lines = std::vector<std::string>;

// A closed card is under the pointer but does not react: no sound, no comment.
TEST_F(DressRoom, AClosedCardIsOnlyUnderThePointer) {
    Start();
    EXPECT_EQ(Standby(kCentre[4], 0), 0);
    EXPECT_EQ(room.nCursorId, 4);
    EXPECT_EQ(room.nSelectId, 0);
    EXPECT_EQ(room.szDispComment[0], '\0');
    EXPECT_EQ(Standby(kCentre[4], 16, KEY_STATE_RELEASED), 0);
    EXPECT_EQ(bench.effects(4), 0u);
    EXPECT_EQ(bench.effects(5), 0u);
    EXPECT_EQ(Standby(kOff, 32), 0);
    EXPECT_EQ(room.nCursorId, 0);
}

// The comment types from count 0 each time the card is come back to, with the
// hover sound again; a click on a card only reports it.
TEST_F(DressRoom, AnUnlockedCardShowsItsCommentAfreshOnEachVisit) {
    Start();
    EXPECT_EQ(Standby(kCentre[1], 0), 1);
    EXPECT_EQ(std::tuple(room.nSelectId, room.nCursorId, room.nCommentCount), std::tuple(1, 1, 0));
    EXPECT_EQ(bench.effects(4), 1u);
    EXPECT_EQ(std::string(room.szDispComment), room.CommentData[0].szText);
    EXPECT_TRUE(std::string(room.szDispComment).starts_with(Sjis(u8"【クィラ】")));
    EXPECT_NE(std::string(room.szDispComment).find(" \n"), std::string::npos);
    EXPECT_EQ(Standby(kCentre[1], 1000), 1);
    EXPECT_EQ(room.nCommentCount, 60);
    EXPECT_EQ(Standby(kCentre[1], 1016, KEY_STATE_RELEASED), 2);
    EXPECT_EQ(bench.effects(4), 1u);
    EXPECT_EQ(bench.effects(5), 0u);
    EXPECT_EQ(Standby(kOff, 1100), 0);
    EXPECT_EQ(std::tuple(room.nSelectId, room.nCommentCount, room.dwCommentStartTime),
              std::tuple(0, 0, 0u));
    EXPECT_EQ(room.szDispComment[0], '\0');
    EXPECT_EQ(Standby(kCentre[1], 2000), 1);
    EXPECT_EQ(room.dwCommentStartTime, zktest::WindowTestBench::kT0 + 2000);
    EXPECT_EQ(Standby(kCentre[1], 2500), 1);
    EXPECT_EQ(room.nCommentCount, 30);
    EXPECT_EQ(bench.effects(4), 2u);
    // Another card's comment replaces it at once.
    EXPECT_EQ(Standby(kCentre[2], 2516), 1);
    EXPECT_EQ(std::string(room.szDispComment), room.CommentData[1].szText);
    EXPECT_EQ(bench.effects(4), 3u);
}

// Page 1 has six cards: costumes 9 to 14 at places 1 to 6, nothing at 7 and 8.
TEST_F(DressRoom, TheSecondPageHasNoSeventhOrEighthCard) {
    Start();
    room.nPage = 1;
    for (const int place : {7, 8}) {
        EXPECT_EQ(Standby(kCentre[place], 0), 0) << place;
        EXPECT_EQ(room.nCursorId, 0) << place;
    }
    EXPECT_EQ(Standby(kCentre[6], 16), 1);
    EXPECT_EQ(std::string(room.szDispComment), room.CommentData[13].szText);
    EXPECT_EQ(Standby(kCentre[2], 32), 0) << "costume 10 is locked";
    EXPECT_EQ(room.nCursorId, 2);
}

// An arrow held down shows pressed; the page turns on the release, and the arrow, not
// on the new page, lets go of the pointer in the next frame.
TEST_F(DressRoom, APageArrowTurnsThePageOnlyWhenReleasedOnIt) {
    Start();
    const struct {
        RoomPoint at;
        std::int32_t left;
        int result, page, state, select, turns;
    } frames[] = {
        {kCentre[9], KEY_STATE_UP, 1, 0, 1, 9, 0},
        {kCentre[9], KEY_STATE_PRESSED, 1, 0, 2, 9, 0},
        {kCentre[9], KEY_STATE_HELD, 1, 0, 2, 9, 0},
        {kCentre[9], KEY_STATE_RELEASED, 2, 1, 1, 9, 1},
        {kCentre[9], KEY_STATE_UP, 0, 1, 0, 0, 1},
        {kCentre[10], KEY_STATE_HELD, 1, 1, 2, 10, 1},
        {kOff, KEY_STATE_HELD, 0, 1, 0, 0, 1},
        {kCentre[10], KEY_STATE_RELEASED, 2, 0, 1, 10, 2},
        {kCentre[10], KEY_STATE_UP, 0, 0, 0, 0, 2},
    };
    std::uint32_t ms = 0;
    for (const auto& f : frames) {
        const int state = f.at == kCentre[9] ? DR_DATA::kNextButton : DR_DATA::kPrevButton;
        EXPECT_EQ(Standby(f.at, ms, f.left), f.result) << ms;
        EXPECT_EQ(room.nPage, f.page) << ms;
        EXPECT_EQ(room.nBtnState[state], f.state) << ms;
        EXPECT_EQ(room.nSelectId, f.select) << ms;
        EXPECT_EQ(bench.effects(5), static_cast<std::uint32_t>(f.turns)) << ms;
        EXPECT_EQ(room.szDispComment[0], '\0') << ms;
        ms += 16;
    }
    EXPECT_EQ(bench.effects(4), 3u) << "a hover sound each time an arrow is come onto";
}

TEST_F(DressRoom, TheExitReleasedOnEndsTheRoom) {
    Start();
    EXPECT_EQ(Standby(kCentre[11], 0, KEY_STATE_PRESSED), 1);
    EXPECT_EQ(room.nBtnState[DR_DATA::kExitButton], 2);
    EXPECT_EQ(bench.effects(6), 0u);
    EXPECT_EQ(Standby(kCentre[11], 16, KEY_STATE_RELEASED), 3);
    EXPECT_EQ(bench.effects(6), 1u);
    EXPECT_EQ(bench.effects(5), 0u);
    EXPECT_EQ(room.nCursorId, DR_DATA::kExit);
    // Both pages have it.
    room.nPage = 1;
    EXPECT_EQ(Standby(kCentre[11], 32, KEY_STATE_RELEASED), 3);
    EXPECT_EQ(Standby({655, 580}, 48, KEY_STATE_RELEASED), 0) << "left of the exit";
}

// Each item by its edges: its left and top columns are inside, its right and bottom
// ones are not.
TEST_F(DressRoom, ItemsAreHitInsideTheirEdges) {
    Start();
    const struct {
        std::int32_t item, page, left, top, right, bottom;
    } items[] = {
        {1, 0, 290, 90, 406, 240},
        {8, 0, 674, 258, 790, 408},
        {DR_DATA::kNextPage, 0, 744, 412, 776, 444},
        {DR_DATA::kPrevPage, 1, 304, 412, 336, 444},
        {DR_DATA::kExit, 0, 656, 564, 776, 596},
    };
    std::uint32_t ms = 0;
    for (const auto& item : items) {
        room.nPage = item.page;
        for (const RoomPoint at :
             {RoomPoint{item.left, item.top}, RoomPoint{item.right - 1, item.bottom - 1}}) {
            EXPECT_EQ(Standby(at, ms += 16), 1) << item.item << " " << at.x << "," << at.y;
            EXPECT_EQ(room.nCursorId, item.item) << at.x << "," << at.y;
        }
        for (const RoomPoint at :
             {RoomPoint{item.left - 1, item.top}, RoomPoint{item.left, item.top - 1},
              RoomPoint{item.right, item.bottom - 1}, RoomPoint{item.right - 1, item.bottom}}) {
            EXPECT_EQ(Standby(at, ms += 16), 0) << item.item << " " << at.x << "," << at.y;
            EXPECT_EQ(room.nCursorId, 0) << at.x << "," << at.y;
        }
    }
}

TEST_F(DressRoom, InitializeRefusesMissingArgumentsPicturesAndSounds) {
    EXPECT_EQ(Standby(kCentre[1], 0), -1);
    EXPECT_EQ(bench.lines(), Lines{"Error: <DR_DATA::DressRoomStandby> 初期化されていません"});
    bench.kit.clearLog();
    EXPECT_EQ(room.Initialize(nullptr, flags), 0u);
    EXPECT_EQ(room.Initialize(bench.context, nullptr), 0u);
    GameContext partial = *bench.context;
    partial.pSystem = nullptr;
    EXPECT_EQ(room.Initialize(&partial, flags), 0u);
    EXPECT_EQ(bench.lines(), Lines(3, "Error: <DR_DATA::Initialize> 引数が不正です"));
    EXPECT_EQ(room.nInitFlg, 0u);
    for (const char* missing : {"DressRoomBack", "QuiraFaceWnd", "ClothesCard_R"}) {
        std::vector<std::pair<std::string, std::string>> pictures;
        for (auto& picture : zktest::WindowTestBench::Materials()) {
            if (picture.first != zktest::WindowTestBench::Entry(missing).name)
                pictures.push_back(picture);
        }
        ScriptKit::WriteArchive("dat/Img.dat", pictures);
        bench.kit.clearLog();
        DR_DATA other;
        EXPECT_EQ(other.Initialize(bench.context, flags), 0u) << missing;
        EXPECT_EQ(bench.lines().back(), "Error: <DR_DATA::Initialize> 画像のロードに失敗しました")
            << missing;
        other.Release();
    }
    ScriptKit::WriteArchive("dat/Img.dat", zktest::WindowTestBench::Materials());
    ScriptKit::WriteArchive("dat/SE.dat", {{ScriptKit::EffectName(4), ScriptKit::Tone()},
                                           {ScriptKit::EffectName(5), ScriptKit::Tone()}});
    bench.kit.clearLog();
    DR_DATA other;
    EXPECT_EQ(other.Initialize(bench.context, flags), 0u);
    EXPECT_EQ(bench.lines().back(), "Error: <DR_DATA::Initialize> SEのロードに失敗しました");
    EXPECT_EQ(other.nInitFlg, 0u);
    other.Release();
}

// Release unloads every picture and effect and clears the screen; the comments keep
// their texts, as shown.
TEST_F(DressRoom, ReleaseUnloadsAndClearsAndKeepsTheComments) {
    Start();
    // The background without its key, the rest with it.
    for (const int surface : {15, 16, 17, 18, 21, 22})
        EXPECT_EQ(bench.sprite->GetSurfaceColorKey(surface), surface == 21 ? 0 : 1) << surface;
    Standby(kCentre[9], 0, KEY_STATE_RELEASED);
    Standby(kCentre[1], 16);
    const std::string shown = room.szDispComment;
    room.Release();
    EXPECT_EQ(std::tuple(room.nInitFlg, room.nPage, room.nSelectId, room.nCursorId,
                         room.nCommentCount, room.szDispComment[0]),
              std::tuple(0u, 0, 0, 0, 0, '\0'));
    EXPECT_EQ(room.pContext, nullptr);
    EXPECT_EQ(room.pnClothesFlg, nullptr);
    EXPECT_EQ(std::string(room.CommentData[8].szText), shown);
    for (const int surface : {15, 16, 17, 18, 21, 22})
        EXPECT_EQ(bench.sprite->GetSurface(surface), nullptr) << surface;
    for (const int effect : {4, 5, 6}) EXPECT_LT(bench.snd->DAGetState(effect), 0) << effect;
    EXPECT_EQ(room.Draw(), 1);
    room.Release();
}

TEST_F(DressRoom, TheCommentTypesSixtyBytesASecondUntil512) {
    const struct {
        std::uint32_t start, now;
        std::int32_t count;
    } cases[] = {
        {0, 1866, 111},
        {0, 1867, 112},
        {0, 8533, 511},
        {0, 8534, -1},
        {1000, 1000, 0},
        {1000, 1050, 3},
        {0xFFFFFF00u, 0x100u, 30},
        {100, 99, -1},
    };
    for (const auto& c : cases) {
        room.nCommentCount = 0;
        room.CommentReveal(c.start, c.now, DR_DATA::kCommentLimit);
        EXPECT_EQ(room.nCommentCount, c.count) << c.now;
    }
    room.nCommentCount = -1;
    room.CommentReveal(0, 100, DR_DATA::kCommentLimit);
    EXPECT_EQ(room.nCommentCount, -1);
}

// A two-byte character whose trail byte is 0x5C, followed by n, is no escape.
TEST_F(DressRoom, OnlyARealEscapeBecomesALineBreakInTheRecordItself) {
    const struct {
        std::u8string source;
        std::u8string shown;
    } cases[] = {
        {u8"ソn十n\\n予n", u8"ソn十n \n予n"},
        {u8"a\\nb\\n", u8"a \nb \n"},
        {u8"表\\n能", u8"表 \n能"},
        {u8"", u8""},
    };
    for (const auto& c : cases) {
        DR_COMMENT_DATA record;
        record.Set(1, Sjis(c.source).c_str());
        char shown[DR_DATA::kCommentLimit];
        std::memset(shown, 'x', sizeof shown);
        DR_DATA::TextEscapeToLF(record.szText, shown);
        EXPECT_EQ(std::string(shown), Sjis(c.shown));
        EXPECT_EQ(std::string(record.szText), Sjis(c.shown)) << "the record is turned in place";
    }
    // A record filled to its last byte is copied whole and terminated.
    DR_COMMENT_DATA full;
    full.Set(0, std::string(600, 'a').c_str());
    char shown[DR_DATA::kCommentLimit];
    DR_DATA::TextEscapeToLF(full.szText, shown);
    EXPECT_EQ(std::string(shown), std::string(511, 'a'));
}

TEST_F(DressRoom, CommentRecordsSetCopyAndCut) {
    DR_COMMENT_DATA record;
    EXPECT_EQ(std::tuple(record.nExpression, record.szText[0]), std::tuple(0u, '\0'));
    record.Set(2, "abc");
    EXPECT_EQ(std::tuple(record.nExpression, std::string(record.szText)), std::tuple(2u, "abc"));
    record.Set(1, nullptr);
    EXPECT_EQ(std::tuple(record.nExpression, record.szText[0]), std::tuple(1u, '\0'));
    // Cut before a two-byte character that would not fit whole.
    record.Set(0, (std::string(510, 'a') + Sjis(u8"ソ")).c_str());
    EXPECT_EQ(std::string(record.szText), std::string(510, 'a'));
}

// Each of the 14 comments, as shown: the heroine's name first, 55 to 112 bytes,
// every character whole, with the face the table gives.
TEST_F(DressRoom, TheFourteenCommentsAndTheirFaces) {
    constexpr std::uint32_t kExpression[] = {0, 0, 0, 0, 2, 0, 1, 1, 0, 0, 1, 1, 0, 1};
    for (const int n : {0, 15, -1}) {
        DR_COMMENT_DATA record;
        EXPECT_EQ(DR_DATA::SetCommentData(n, &record), 0) << n;
        EXPECT_EQ(DressRoomComment(n), nullptr) << n;
    }
    for (int n = 1; n <= DR_DATA::kClothesCount; ++n) {
        DR_COMMENT_DATA record;
        ASSERT_EQ(DR_DATA::SetCommentData(n, &record), 1) << n;
        EXPECT_EQ(record.nExpression, kExpression[n - 1]) << n;
        char shown[DR_DATA::kCommentLimit];
        DR_DATA::TextEscapeToLF(record.szText, shown);
        const std::string text = shown;
        EXPECT_TRUE(text.starts_with(Sjis(u8"【クィラ】"))) << n;
        EXPECT_GE(text.size(), 55u) << n;
        EXPECT_LE(text.size(), 112u) << n;
        EXPECT_FALSE(platform::SjisContainsByte(text, '\\')) << n;
        for (std::size_t i = 0; i < text.size(); i += platform::SjisCharLength(text, i)) {
            if (platform::SjisCharLength(text, i) == 2) {
                EXPECT_TRUE(platform::IsSjisTrailByte(static_cast<unsigned char>(text[i + 1])))
                    << n << " at " << i;
            }
        }
        EXPECT_EQ(platform::utf8ToCp932(platform::cp932ToUtf8(text)), text) << n;
    }
}

}  // namespace
