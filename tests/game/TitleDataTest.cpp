#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/GameContext.h"
#include "game/TITLE_DATA.h"
#include "platform/input/VirtualKeys.h"
#include "support/TestKit.h"
#include "support/WindowTestBench.h"
#include "system/ZKSYSTEM.h"

namespace {

using platform::VK_DOWN;
using platform::VK_LEFT;
using platform::VK_RIGHT;
using platform::VK_UP;
using Point = std::pair<int, int>;

constexpr int kNoClick = KEY_STATE_UP;
constexpr int kHeld = KEY_STATE_HELD;
constexpr int kPressed = KEY_STATE_PRESSED;
constexpr int kReleased = KEY_STATE_RELEASED;

// The cells the demo painted on a sheet, by name.
std::map<std::string, platform::Rect> CellsOf(const std::string& stem) {
    std::map<std::string, platform::Rect> cells;
    for (const mkdemo::SheetCell& c : zktest::WindowTestBench::Entry(stem).cells) {
        cells[c.name] = {c.left, c.top, c.right, c.bottom};
    }
    return cells;
}

// The centre of item k, where the keys put the pointer.
Point Centre(int k) { return {400, 340 + 40 * (k - 1)}; }

struct TitleData : ::testing::Test {
    zktest::TestKit kit;
    ZKSYSTEM sys;
    const GameContext context{.pSystem = &sys};
    TITLE_DATA title;

    TitleData() {
        sys.Initialize(nullptr, 1);
        EXPECT_EQ(title.Initialize(&context), 1u);
    }
    // The keys pressed in one frame and released in the next.
    void release(const std::vector<int>& keys) {
        for (const int vk : keys) kit.input.setKey(vk, true);
        sys.MainLoop(nullptr);
        for (const int vk : keys) kit.input.setKey(vk, false);
        sys.MainLoop(nullptr);
    }
    // The warps that f made.
    template <class F>
    std::vector<Point> warpsOf(F f) {
        const std::size_t before = kit.input.warps().size();
        f();
        std::vector<Point> out;
        for (std::size_t i = before; i < kit.input.warps().size(); ++i) {
            out.emplace_back(kit.input.warps()[i].x, kit.input.warps()[i].y);
        }
        return out;
    }
    std::vector<int> states() const {
        return {title.nItemState, title.nItemState + TITLE_DATA::kItemCount};
    }
};

TEST_F(TitleData, ReleasedArrowsPutThePointerOnTheNextItemRoundTheEnds) {
    struct Case {
        const char* name;
        int hovered;
        std::vector<int> keys;
        std::vector<Point> warps;
    };
    const Case cases[] = {
        {"down from none", 0, {VK_DOWN}, {Centre(1)}},
        {"up from none", 0, {VK_UP}, {Centre(1)}},
        {"up from 1", 1, {VK_UP}, {Centre(5)}},
        {"up from 3", 3, {VK_UP}, {Centre(2)}},
        {"down from 2", 2, {VK_DOWN}, {Centre(3)}},
        {"down from 5", 5, {VK_DOWN}, {Centre(1)}},
        {"sideways", 2, {VK_LEFT, VK_RIGHT}, {}},
        // Both judged from the item on entry; down's warp comes last and stands.
        {"up and down", 3, {VK_DOWN, VK_UP}, {Centre(2), Centre(4)}},
    };
    for (const Case& c : cases) {
        title.nSelectItem = c.hovered;
        release(c.keys);
        EXPECT_EQ(warpsOf([&] { EXPECT_EQ(title.TitleKeyCursorMove(), 1u); }), c.warps) << c.name;
        int x = 0;
        int y = 0;
        sys.GetMousePos(&x, &y);
        if (!c.warps.empty()) {
            EXPECT_EQ(Point(x, y), c.warps.back()) << c.name;
        }
    }
}

TEST_F(TitleData, AHeldArrowMovesNothingUntilItIsReleased) {
    kit.input.setKey(VK_DOWN, true);
    sys.MainLoop(nullptr);
    EXPECT_TRUE(warpsOf([&] { title.TitleKeyCursorMove(); }).empty());
    sys.MainLoop(nullptr);
    EXPECT_TRUE(warpsOf([&] { title.TitleKeyCursorMove(); }).empty());
}

// The hit test takes the point it was given: the keys' warp shows in the next frame.
TEST_F(TitleData, TheStandbyWarpsFirstAndHitTestsThePointItWasGiven) {
    release({VK_DOWN});
    const auto warps = warpsOf([&] { EXPECT_EQ(title.TitleStandby(10, 10, kNoClick), 0u); });
    EXPECT_EQ(warps, std::vector<Point>{Centre(1)});
    EXPECT_EQ(title.nSelectItem, 0);
    sys.MainLoop(nullptr);
    EXPECT_EQ(title.TitleStandby(400, 340, kNoClick), TITLE_DATA::kStandbyMoved);
    EXPECT_EQ(title.nSelectItem, 1);
}

TEST_F(TitleData, EachItemIsHitInsideItsRectangleOnly) {
    struct Case {
        int x;
        int y;
        int item;
    };
    const Case cases[] = {
        {240, 320, 1}, {559, 359, 1}, {240, 360, 2}, {400, 439, 3}, {400, 440, 4},
        {559, 519, 5}, {239, 340, 0}, {560, 340, 0}, {400, 319, 0}, {400, 520, 0},
    };
    for (const Case& c : cases) {
        title.TitleStandby(c.x, c.y, kNoClick);
        EXPECT_EQ(title.nSelectItem, c.item) << c.x << "," << c.y;
        std::vector<int> expected(5, TITLE_DATA::kItemNormal);
        if (c.item != 0) expected[static_cast<std::size_t>(c.item - 1)] = TITLE_DATA::kItemPointed;
        EXPECT_EQ(states(), expected) << c.x << "," << c.y;
    }
}

// A choice is a release over the item; a press carried off the menu chooses nothing,
// and hovering reports only the change of item.
TEST_F(TitleData, AnItemIsChosenByReleasingOverIt) {
    struct Step {
        const char* name;
        Point at;
        int click;
        std::uint32_t result;
        int hovered;
        int state;  // of the hovered item
    };
    const Step steps[] = {
        {"onto 2", Centre(2), kNoClick, TITLE_DATA::kStandbyMoved, 2, TITLE_DATA::kItemPointed},
        {"rest on 2", Centre(2), kNoClick, TITLE_DATA::kStandbyNone, 2, TITLE_DATA::kItemPointed},
        {"press", Centre(2), kPressed, TITLE_DATA::kStandbyNone, 2, TITLE_DATA::kItemPressed},
        {"hold", Centre(2), kHeld, TITLE_DATA::kStandbyNone, 2, TITLE_DATA::kItemPressed},
        {"held onto 3", Centre(3), kHeld, TITLE_DATA::kStandbyMoved, 3, TITLE_DATA::kItemPressed},
        {"release on 3", Centre(3), kReleased, TITLE_DATA::kStandbyChosen, 3,
         TITLE_DATA::kItemNormal},
        {"press on 4", Centre(4), kPressed, TITLE_DATA::kStandbyMoved, 4, TITLE_DATA::kItemPressed},
        {"held off", {100, 100}, kHeld, TITLE_DATA::kStandbyNone, 0, 0},
        {"release off", {100, 100}, kReleased, TITLE_DATA::kStandbyNone, 0, 0},
        {"release onto 5", Centre(5), kReleased, TITLE_DATA::kStandbyChosen, 5,
         TITLE_DATA::kItemNormal},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(title.TitleStandby(s.at.first, s.at.second, s.click), s.result) << s.name;
        EXPECT_EQ(title.nSelectItem, s.hovered) << s.name;
        for (int k = 1; k <= TITLE_DATA::kItemCount; ++k) {
            const int expected = k == s.hovered ? s.state : TITLE_DATA::kItemNormal;
            EXPECT_EQ(title.nItemState[k - 1], expected) << s.name << " item " << k;
        }
    }
}

// The drawing code and the demo's sheets are typed apart; each state's cell must be
// the one painted for it.
TEST(TitleSheets, EachItemStateTakesItsNamedCell) {
    const char* const items[] = {"はじめから", "つづきから", "設定", "おまけ", "終了"};
    const char* const states[] = {"", "・選択", "・決定"};
    for (const char* stem : {"TtlMaterial_Surf", "TtlMaterial_Tex"}) {
        const auto cells = CellsOf(stem);
        for (int k = 1; k <= TITLE_DATA::kItemCount; ++k) {
            for (int s = 0; s < 3; ++s) {
                const std::string name = std::string(items[k - 1]) + states[s];
                EXPECT_EQ(TITLE_DATA::ItemCell(k, s), cells.at(name)) << stem << " " << name;
            }
        }
    }
    const auto moon = CellsOf("TitleMoonMaterial");
    for (int frame = 0; frame < TITLE_DATA::kAttractFrames; ++frame) {
        const std::string name = std::string("月") + std::to_string(frame);
        EXPECT_EQ(TITLE_DATA::AttractCell(frame), moon.at(name)) << name;
    }
}

}  // namespace

namespace {

TEST_F(TitleData, InitializeRefusesNoSystemAndResetsWhatTheLastVisitLeft) {
    title.TitleStandby(400, 380, kHeld);
    title.dwIdleStart = 1234;
    title.IntroGraphic[2].nDispFlg = 1;
    title.ItemGraphic[4].nIndex = 12;
    title.AttractSet();

    const GameContext noSystem{};
    EXPECT_EQ(title.Initialize(nullptr), 0u);
    EXPECT_EQ(title.Initialize(&noSystem), 0u);
    EXPECT_EQ(kit.debugLines(),
              std::vector<std::string>(2, "Error: <TITLE_DATA::Initialize> 引数が不正です"));
    EXPECT_EQ(title.pContext, &context);

    for (const bool clear : {false, true}) {
        title.TitleStandby(400, 380, kHeld);
        title.dwIdleStart = 1234;
        title.IntroGraphic[2].nDispFlg = 1;
        title.ItemGraphic[4].nIndex = 12;
        title.AttractSet();
        if (clear) {
            title.Clear();
        } else {
            EXPECT_EQ(title.Initialize(&context), 1u);
        }
        EXPECT_EQ(title.pContext, clear ? nullptr : &context);
        EXPECT_EQ(title.nSelectItem, 0);
        EXPECT_EQ(states(), std::vector<int>(5, 0));
        EXPECT_EQ(title.dwIdleStart, 0u);
        EXPECT_EQ(title.IntroGraphic[2].nDispFlg, 0u);
        EXPECT_EQ(title.ItemGraphic[4].nIndex, -1);
        EXPECT_EQ(title.AttractGraphic.nDispFlg, 0u);
        EXPECT_EQ(title.AttractGraphic.nAnimNum, 0u);
    }
}

// The moon shows one more cell every 100 ms, from the sheet's first row on, and then
// holds its last cell far longer than the title waits.
TEST_F(TitleData, TheAttractShowsTheMoonCellsInTurnAndHoldsTheLast) {
    title.AttractSet();
    GRAPHIC_DATA_EX& moon = title.AttractGraphic;
    EXPECT_EQ(moon.nDispFlg, 1u);
    EXPECT_EQ(moon.nGKind, 1u);
    EXPECT_EQ(moon.nIndex, 13);
    EXPECT_EQ(Point(moon.nX, moon.nY), Point(384, 0));
    const auto cells = CellsOf("TitleMoonMaterial");
    constexpr std::uint32_t t0 = 50000;
    std::uint32_t t = t0;
    const auto runTo = [&](std::uint32_t end) {
        for (; t <= end; t += 10) moon.AnimationProc(t);
    };
    runTo(t0 + 990);
    EXPECT_EQ(moon.AnimData.nAnimNo, 9u);
    EXPECT_EQ(moon.fAlpha, 1.0f) << "the frames change without a cross-fade";
    runTo(t0 + 1000);
    EXPECT_EQ(moon.AnimData.nAnimNo, 10u);
    EXPECT_EQ(moon.prcAnim[10], cells.at("月10"));
    runTo(t0 + 3900);
    EXPECT_EQ(moon.AnimData.nAnimNo, 39u);
    EXPECT_EQ(moon.prcAnim[39], cells.at("月39"));
    runTo(t0 + 3900 + 99990);
    EXPECT_EQ(moon.AnimData.nAnimNo, 39u);
    runTo(t0 + 3900 + 100000);
    EXPECT_EQ(moon.AnimData.nAnimNo, 0u);
}

}  // namespace
