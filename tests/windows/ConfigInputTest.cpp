#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "windows/ConfigScreenBench.h"

using zktest::ConfigScreenBench;
using zktest::Point;

namespace {

constexpr KEY_STATE kUp = KEY_STATE_UP;
constexpr KEY_STATE kClick = KEY_STATE_RELEASED;
constexpr int kLeft = platform::VK_LEFT;
constexpr int kRight = platform::VK_RIGHT;
constexpr int kUpKey = platform::VK_UP;
constexpr int kDown = platform::VK_DOWN;

using ConfigInput = ConfigScreenBench;

}  // namespace

// Frame by frame over the open panel: the result, the sounds 4 and 5 of the frame and
// the control under the pointer.
TEST_F(ConfigInput, ControlsHoverClickAndStaySilentWhereTheyDoNotReact) {
    shell.settings.bgmOn = 0;
    shell.settings.seOn = 1;
    Open();
    const Point fullRightEdge{64 + 263, 76 + 350};
    const Point fullLastColumn{64 + 262, 76 + 363};
    const Point speedBottomEdge{64 + 200, 76 + 100};
    const struct {
        const char* what;
        Point p;
        KEY_STATE left;
        int result, hovers, clicks, cursor;
    } frames[] = {
        {"onto music level 3, switched off", At(12), kUp, 0, 0, 0, 12},
        {"its click does nothing", At(12), kClick, 0, 0, 0, 12},
        {"onto music on", At(8), kUp, 1, 1, 0, 8},
        {"music on", At(8), kClick, 2, 0, 1, 8},
        {"music on again still sounds", At(8), kClick, 2, 0, 1, 8},
        {"music level 3 now reacts", At(12), kClick, 2, 1, 1, 12},
        {"effects on while on: a hover only", At(32), kClick, 1, 1, 0, 32},
        {"effects off", At(33), kClick, 2, 1, 1, 33},
        {"effects off again: nothing", At(33), kClick, 0, 0, 0, 33},
        {"full screen's last column", fullLastColumn, kUp, 1, 1, 0, 45},
        {"its right edge is off it", fullRightEdge, kUp, 0, 0, 0, 0},
        {"the speed's bottom edge is off it", speedBottomEdge, kUp, 0, 0, 0, 0},
        {"window's bottom edge is off it", {64 + 300, 76 + 364}, kUp, 0, 0, 0, 0},
        {"window", At(44), kClick, 2, 1, 1, 44},
        {"high colour", At(47), kClick, 2, 1, 1, 47},
        {"OK held", At(kConfigOk), KEY_STATE_HELD, 1, 1, 0, kConfigOk},
    };
    for (const auto& f : frames) {
        SCOPED_TRACE(f.what);
        const std::uint32_t hovers = Effects(4);
        const std::uint32_t clicks = Effects(5);
        EXPECT_EQ(Standby(f.p, f.left), f.result);
        EXPECT_EQ(Effects(4) - hovers, static_cast<std::uint32_t>(f.hovers));
        EXPECT_EQ(Effects(5) - clicks, static_cast<std::uint32_t>(f.clicks));
        EXPECT_EQ(screen.nCursorId, f.cursor);
    }
    EXPECT_EQ(screen.nOkBtnState, 2);
    EXPECT_EQ(
        (std::vector<std::int32_t>{screen.nValue[CONFIG_BGM_ON], screen.nValue[CONFIG_BGM_LEVEL],
                                   screen.nValue[CONFIG_SE_ON], screen.nValue[CONFIG_FULL_SCREEN],
                                   screen.nValue[CONFIG_COLOUR]}),
        (std::vector<std::int32_t>{1, 3, 0, 0, 2}));
    Standby(kNowhere);
    EXPECT_EQ(screen.nOkBtnState, 0);
}

// The right button and 'C' apply the values as they stand, without a sound and
// without a hit test; the level under the pointer is not changed.
TEST_F(ConfigInput, RightButtonAndCApplyAtOnce) {
    shell.settings.bgmVolume = 5;
    Open();
    Standby(At(15));
    const std::uint32_t clicks = Effects(5);
    EXPECT_EQ(Standby(At(15), kClick, {}, KEY_STATE_RELEASED), 3);
    EXPECT_EQ(shell.settings.bgmVolume, 5u);
    EXPECT_EQ(Standby(At(15), kClick, {'C'}), 3);
    EXPECT_EQ(shell.settings.bgmVolume, 5u);
    EXPECT_EQ(Effects(5), clicks);
    EXPECT_EQ(Standby(At(15), kClick), 2) << "a click applies nothing";
    EXPECT_EQ(shell.settings.bgmVolume, 5u);
}

// Below 17 bits the high-colour button is nowhere; from the title the return to it
// is nowhere. An arrow from either goes to OK.
TEST_F(ConfigInput, UnofferedControlsAreNowhere) {
    shell.settings.colourDepth = 32;
    Open(16);
    EXPECT_EQ(Standby(At(47), kClick), 0);
    EXPECT_EQ(screen.nCursorId, 0);
    EXPECT_EQ(screen.nValue[CONFIG_COLOUR], 2);
    Standby(At(47), kUp, {kLeft});
    EXPECT_EQ(Pointer().x, 714);
    EXPECT_EQ(Pointer().y, 95);
    screen.Release();
    Open(24);
    EXPECT_EQ(Click(46), 2);
    EXPECT_EQ(Click(47), 2);
    EXPECT_EQ(screen.nValue[CONFIG_COLOUR], 1) << "high colour on a 24-bit display";
    screen.nTitleBtnState = 1;
    EXPECT_EQ(Standby(At(kConfigTitle), kClick, {}, kUp, 0), 0);
    EXPECT_EQ(screen.nSlideFlg, 0u);
    EXPECT_EQ(screen.nCursorId, 0);
    EXPECT_EQ(screen.nTitleBtnState, 1) << "untouched from the title";
}

// The arrows warp the pointer to the centre of the next control along the focus
// graph; the next frame's hit test finds it there. The sound rows wrap round their
// switches, and from the title OK stands in for the return item.
TEST_F(ConfigInput, ArrowKeysFollowTheFocusGraph) {
    const struct {
        std::int32_t from;
        std::vector<int> keys;
        std::uint32_t inGame;
        std::int32_t to;
    } cases[] = {
        {0, {kDown}, 1, kConfigOk},
        {19, {kRight}, 1, 8},
        {10, {kLeft}, 1, 9},
        {13, {kUpKey}, 1, 7},
        {13, {kDown}, 1, 25},
        {25, {kUpKey}, 1, 13},
        {25, {kDown}, 1, 37},
        {22, {kLeft}, 1, 21},
        {31, {kRight}, 1, 20},
        {37, {kUpKey}, 1, 25},
        {34, {kLeft}, 1, 33},
        {43, {kRight}, 1, 32},
        {40, {kDown}, 1, 44},
        {15, {kRight}, 1, 16},
        {28, {kLeft}, 1, 27},
        {46, {kDown}, 0, kConfigOk},
        {kConfigOk, {kRight}, 0, kConfigOk},
        {2, {kDown, kLeft}, 1, 5},
        {2, {kLeft, kRight}, 1, 3},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        const Point from = c.from == 0 ? kNowhere : At(c.from);
        Standby(from, kUp, {}, kUp, c.inGame);
        ASSERT_EQ(screen.nCursorId, c.from);
        bench.sys->SetMousePos(from.x, from.y);
        Standby(from, kUp, c.keys, kUp, c.inGame);
        EXPECT_EQ(Pointer().x, At(c.to).x);
        EXPECT_EQ(Pointer().y, At(c.to).y);
    }
}

// In game, each control outside the level rows sends the pointer to its four
// neighbours: left, right, up, down.
TEST_F(ConfigInput, ArrowKeysFromEveryControlOutsideTheLevels) {
    const struct {
        std::int32_t from;
        std::int32_t to[4];
    } rows[] = {
        {1, {3, 2, 48, 4}},     {2, {1, 3, 48, 5}},     {3, {2, 1, 48, 5}},
        {4, {5, 5, 1, 6}},      {5, {4, 4, 2, 7}},      {6, {7, 7, 4, 8}},
        {7, {6, 6, 5, 9}},      {8, {19, 9, 6, 20}},    {9, {8, 10, 7, 21}},
        {20, {31, 21, 8, 32}},  {21, {20, 22, 9, 33}},  {32, {43, 33, 20, 45}},
        {33, {32, 34, 21, 44}}, {45, {44, 44, 32, 46}}, {44, {45, 45, 33, 47}},
        {46, {47, 47, 45, 49}}, {47, {46, 46, 44, 48}}, {48, {49, 49, 47, 3}},
        {49, {48, 48, 46, 1}},
    };
    const int keys[] = {kLeft, kRight, kUpKey, kDown};
    Open();
    for (const auto& r : rows) {
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(std::to_string(r.from) + " key " + std::to_string(k));
            const Point from = At(r.from);
            Standby(from);
            ASSERT_EQ(screen.nCursorId, r.from);
            Standby(from, kUp, {keys[k]});
            EXPECT_EQ(Pointer().x, At(r.to[k]).x);
            EXPECT_EQ(Pointer().y, At(r.to[k]).y);
        }
    }
}

// The box grows over 150 ms, stands with yes and no, and shrinks again; yes answers 4
// from then on, no returns to the controls.
TEST_F(ConfigInput, TheConfirmationBoxGrowsAnswersAndShrinks) {
    Open();
    Standby(At(kConfigTitle));
    EXPECT_EQ(screen.nTitleBtnState, 1);
    Standby(At(kConfigTitle), KEY_STATE_PRESSED);
    EXPECT_EQ(screen.nTitleBtnState, 2);
    const std::uint32_t t0 = zktest::WindowTestBench::Time(frame + 1);
    const auto at = [&](std::uint32_t ms, Point p, KEY_STATE left = kUp,
                        std::vector<int> keys = {}) {
        for (const int key : keys) bench.kit.sprites.kit.input.setKey(key, true);
        bench.sys->KeyScan();
        for (const int key : keys) bench.kit.sprites.kit.input.setKey(key, false);
        bench.sys->KeyScan();
        return screen.WindowStandby(p.x, p.y, left, kUp, t0 + ms, 1);
    };
    const std::uint32_t clicks = Effects(5);
    EXPECT_EQ(at(0, At(kConfigTitle), kClick), 0) << "the click on the return item";
    EXPECT_EQ(Effects(5), clicks + 1);
    EXPECT_EQ(screen.nSlideFlg, CONFIG_DATA::kBoxGrowing);
    EXPECT_EQ(at(75, At(kConfigYes), kClick, {'C'}), 0) << "neither 'C' nor a click while growing";
    EXPECT_FLOAT_EQ(screen.fConfirmScale, 0.5f);
    EXPECT_EQ(at(149, kNowhere), 0);
    EXPECT_EQ(screen.nSlideFlg, CONFIG_DATA::kBoxGrowing);
    EXPECT_EQ(at(150, kNowhere, kUp, {kRight}), 0);
    EXPECT_EQ(screen.nSlideFlg, CONFIG_DATA::kBoxUp);
    EXPECT_FLOAT_EQ(screen.fConfirmScale, 1.0f);
    EXPECT_EQ(Pointer().x, 0) << "no arrow moves while the box grows";
    EXPECT_EQ(at(155, kNowhere, kUp, {kLeft}), 0);
    EXPECT_EQ(Pointer().x, 0) << "the return item's focus moves nothing in the box";
    EXPECT_EQ(at(160, kNowhere, kUp, {kLeft}), 0) << "from nothing to no";
    EXPECT_EQ(Pointer().x, 435);
    EXPECT_EQ(Pointer().y, 352);
    EXPECT_EQ(at(170, At(kConfigNo), kUp, {'C'}), 1) << "'C' does nothing while the box stands";
    EXPECT_EQ(at(180, At(kConfigNo), kUp, {kRight}), 0);
    EXPECT_EQ(Pointer().x, 352) << "no to yes";
    EXPECT_EQ(at(190, At(kConfigNo), kUp, {kDown}), 0);
    EXPECT_EQ(Pointer().x, 352) << "up and down stay";
    EXPECT_EQ(at(200, At(kConfigNo), KEY_STATE_HELD), 0);
    EXPECT_EQ(screen.nNoState, 2);
    EXPECT_EQ(at(210, At(kConfigNo), kClick), 2);
    EXPECT_EQ(screen.nSlideFlg, CONFIG_DATA::kBoxShrinking);
    EXPECT_EQ(at(359, At(kConfigNo)), 0);
    EXPECT_EQ(screen.nSlideFlg, CONFIG_DATA::kBoxShrinking);
    EXPECT_EQ(at(360, At(kConfigNo)), 0);
    EXPECT_EQ(screen.nSlideFlg, CONFIG_DATA::kNoBox);
    EXPECT_EQ(screen.nCursorId, 0);

    EXPECT_EQ(at(400, At(kConfigTitle), kClick), 1) << "a new hover, and no 2";
    EXPECT_EQ(at(550, At(kConfigYes)), 0);
    EXPECT_EQ(at(560, At(kConfigYes)), 1);
    EXPECT_EQ(screen.nYesState, 1);
    EXPECT_EQ(screen.nNoState, 0);
    EXPECT_EQ(at(570, At(kConfigYes), kClick), 2);
    EXPECT_EQ(at(600, At(kConfigYes)), 0);
    for (const std::uint32_t ms : {720u, 721u, 5000u}) EXPECT_EQ(at(ms, kNowhere), 4) << ms;
    EXPECT_EQ(screen.nSlideFlg, CONFIG_DATA::kBoxShrinking);
    EXPECT_EQ(screen.WindowClose(100), 0);
    EXPECT_EQ(screen.nY, 85) << "the slide goes on from the open panel";
}

// One table serves hit tests, keys and drawing: every id once, every neighbour a
// control, every rectangle inside the panel and every picture inside the material.
TEST(ConfigControls, EveryIdOnceWithNeighboursAndCellsInPlace) {
    const auto inside = [](const platform::Rect& rc, int width, int height) {
        return rc.left >= 0 && rc.top >= 0 && rc.right <= width && rc.bottom <= height &&
               !rc.empty();
    };
    std::vector<int> seen(kConfigControlCount + 1, 0);
    for (const CONFIG_CONTROL& c : ConfigControls()) {
        SCOPED_TRACE(c.nId);
        ASSERT_GE(c.nId, 1);
        ASSERT_LE(c.nId, static_cast<int>(kConfigControlCount));
        ++seen[static_cast<std::size_t>(c.nId)];
        EXPECT_EQ(FindConfigControl(c.nId), &c);
        for (const std::int32_t to : c.nNeighbour) {
            EXPECT_TRUE(to == kConfigTitleOrOk || to == kConfigNone || FindConfigControl(to)) << to;
        }
        const bool box = c.kind == CONFIG_KIND::Yes || c.kind == CONFIG_KIND::No;
        const bool button = box || c.kind == CONFIG_KIND::Ok || c.kind == CONFIG_KIND::Title;
        // An option's or a level's pictures lie where it is hit, as wide as that; only
        // the window button's stand 12 px to the right.
        if (!button) {
            EXPECT_EQ(c.nDrawX, c.rcHit.left + (c.nId == 44 ? 12 : 0));
            EXPECT_EQ(c.nDrawY, c.rcHit.top);
            for (const int look : {CONFIG_LOOK_HOVER, CONFIG_LOOK_ACTIVE}) {
                EXPECT_EQ(c.rcLook[look].width(), c.rcHit.width()) << look;
            }
        }
        EXPECT_TRUE(box ? inside(c.rcHit, 800, 600) : inside(c.rcHit, 672, 416));
        for (int look = box ? CONFIG_LOOK_COUNT : 0; look < CONFIG_LOOK_COUNT; ++look) {
            const bool unused = look == CONFIG_LOOK_REST && c.kind != CONFIG_KIND::Level &&
                                c.kind != CONFIG_KIND::Ok && c.kind != CONFIG_KIND::Title;
            if (!unused) {
                EXPECT_TRUE(inside(c.rcLook[look], 748, 728)) << look;
            }
        }
    }
    EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 1), 51);
    EXPECT_EQ(FindConfigControl(0), nullptr);
    EXPECT_EQ(FindConfigControl(52), nullptr);
}
