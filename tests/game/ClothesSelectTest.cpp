#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/CLT_SLC_DATA.h"
#include "game/CostumeNames.h"
#include "game/GameContext.h"
#include "mkdemo/PicturePainter.h"
#include "platform/input/VirtualKeys.h"
#include "platform/text/Cp932.h"
#include "support/Bytes.h"
#include "support/GoldenImage.h"
#include "support/ScriptKit.h"
#include "support/WindowTestBench.h"

using zktest::ScriptKit;
using zktest::Sjis;
using zktest::WindowTestBench;

namespace {

constexpr const char* kSheets[] = {"ClothesSelectBack", "ClothesSelectMaterial", "ClothesCard_F",
                                   "ClothesCard_R", "ClothesSelectBody"};

struct Point {
    int x, y;
};

// The centre of place p, where the arrow keys put the pointer.
Point Centre(int p) {
    return p <= 4 ? Point{348 + 128 * (p - 1), 165} : Point{348 + 128 * (p - 5), 333};
}
// The card's top-left corner.
Point Corner(int p) {
    return p <= 4 ? Point{290 + 128 * (p - 1), 90} : Point{290 + 128 * (p - 5), 258};
}
constexpr Point kOffCards{100, 550};

constexpr std::uint32_t kBackColor = 0x203040;

// The bench's pictures, of the screen's sheets only stems, over a flat background.
void WritePictures(const std::vector<std::string>& stems) {
    const auto given = [&](const std::string& name) {
        return std::any_of(stems.begin(), stems.end(), [&](const std::string& stem) {
            return WindowTestBench::Entry(stem).name == name;
        });
    };
    const auto screens = [](const std::string& name) {
        return std::any_of(std::begin(kSheets), std::end(kSheets), [&](const char* stem) {
            return WindowTestBench::Entry(stem).name == name;
        });
    };
    std::vector<std::pair<std::string, std::string>> pictures;
    for (auto& picture : WindowTestBench::Materials()) {
        if (!screens(picture.first) || given(picture.first)) pictures.push_back(picture);
    }
    if (given(WindowTestBench::Entry(kSheets[0]).name)) {
        pictures.emplace_back(WindowTestBench::Entry(kSheets[0]).name,
                              ScriptKit::Flat(800, 600, kBackColor));
    }
    ScriptKit::WriteArchive("dat/Img.dat", pictures);
}

struct ClothesSelect : ::testing::Test {
    WindowTestBench bench;
    CLT_SLC_DATA screen;
    std::int32_t flags[CLT_SLC_DATA::kClothesCount] = {};
    platform::ScriptedInput& input = bench.kit.sprites.kit.input;

    ClothesSelect() { WritePictures({std::begin(kSheets), std::end(kSheets)}); }
    ~ClothesSelect() override { screen.Release(); }

    void Start() {
        ASSERT_EQ(screen.Initialize(bench.context, flags), 1u);
        bench.kit.clearLog();
    }
    void Unlock(int clothes, const std::u8string& description) {
        screen.ClothesData[clothes].dwFlag |= 1;
        std::strcpy(screen.ClothesData[clothes].szDescription, Sjis(description).c_str());
    }
    void ReleaseKeys(const std::vector<int>& keys) {
        for (const int key : keys) input.setKey(key, true);
        bench.sys->KeyScan();
        for (const int key : keys) input.setKey(key, false);
        bench.sys->KeyScan();
    }
    int Standby(Point p, std::uint32_t ms, KEY_STATE left = KEY_STATE_UP) {
        bench.sys->KeyScan();
        return screen.ClothesSelectStandby(p.x, p.y, left, WindowTestBench::kT0 + ms);
    }
    Point Pointer() const {
        Point p{};
        bench.sys->GetMousePos(&p.x, &p.y);
        return p;
    }
    const std::vector<std::uint32_t>& Frame() {
        return bench.drawFrame([&] { screen.Draw(); });
    }
    static std::uint32_t Cell(const char* stem, const std::u8string& cell) {
        return WindowTestBench::CellColor(stem, reinterpret_cast<const char*>(cell.c_str()));
    }
};

TEST_F(ClothesSelect, ArrowKeysWarpToTheCentreOfThePlaceEachKeyNames) {
    Start();
    // Target place of LEFT, RIGHT, UP and DOWN from place 0 (none) to 8.
    const struct {
        int key;
        int target[9];
    } table[] = {
        {platform::VK_LEFT, {1, 4, 1, 2, 3, 8, 5, 6, 7}},
        {platform::VK_RIGHT, {1, 2, 3, 4, 1, 6, 7, 8, 5}},
        {platform::VK_UP, {1, 5, 6, 7, 8, 1, 2, 3, 4}},
        {platform::VK_DOWN, {1, 5, 6, 7, 8, 1, 2, 3, 4}},
    };
    for (const auto& row : table) {
        for (int from = 0; from <= 8; ++from) {
            bench.sys->SetMousePos(1, 1);
            screen.nMousePos = from;
            ReleaseKeys({row.key});
            screen.KeyCursorMove();
            const Point to = Pointer();
            const Point want = Centre(row.target[from]);
            EXPECT_EQ(to.x, want.x) << row.key << " from " << from;
            EXPECT_EQ(to.y, want.y) << row.key << " from " << from;
        }
    }
    // A key held down, not released, moves nothing.
    bench.sys->SetMousePos(1, 1);
    input.setKey(platform::VK_LEFT, true);
    bench.sys->KeyScan();
    screen.KeyCursorMove();
    EXPECT_EQ(Pointer().x, 1);
}

// The standby reads the keys first: LEFT on place 1 warps to place 4, whose card the
// next frame hovers at the pointer's new place.
TEST_F(ClothesSelect, TheStandbyMovesThePointerByTheKeys) {
    Start();
    Unlock(0, u8"説明");
    screen.nSortNo[3] = 0;
    EXPECT_EQ(Standby(Centre(1), 0), 0);
    input.setKey(platform::VK_LEFT, true);
    bench.sys->KeyScan();
    input.setKey(platform::VK_LEFT, false);
    EXPECT_EQ(Standby(Centre(1), 16), 0);
    const Point to = Pointer();
    EXPECT_EQ(std::pair(to.x, to.y), std::pair(732, 165));
    EXPECT_EQ(Standby(to, 32), 1);
    EXPECT_EQ(screen.nCursorPos, 4);
}

TEST_F(ClothesSelect, OfKeysReleasedTogetherTheLastJudgedWinsFromThePlaceOnEntry) {
    Start();
    const struct {
        std::vector<int> keys;
        int from;
        int target;
    } cases[] = {
        {{platform::VK_LEFT, platform::VK_DOWN}, 1, 5},
        {{platform::VK_RIGHT, platform::VK_UP}, 8, 4},
        {{platform::VK_LEFT, platform::VK_RIGHT}, 2, 3},
    };
    for (const auto& c : cases) {
        screen.nMousePos = c.from;
        ReleaseKeys(c.keys);
        screen.KeyCursorMove();
        EXPECT_EQ(Pointer().x, Centre(c.target).x) << c.from;
        EXPECT_EQ(Pointer().y, Centre(c.target).y) << c.from;
    }
}

TEST_F(ClothesSelect, InitializeRefusesMissingArgumentsAndMaterial) {
    EXPECT_EQ(screen.Initialize(nullptr, flags), 0u);
    EXPECT_EQ(screen.Initialize(bench.context, nullptr), 0u);
    GameContext partial = *bench.context;
    partial.pShell = nullptr;
    EXPECT_EQ(screen.Initialize(&partial, flags), 0u);
    EXPECT_EQ(bench.lines(),
              std::vector<std::string>(3, "Error: <CLT_SLC_DATA::Initialize> 引数が不正です"));
    EXPECT_EQ(screen.nInitFlg, 0u);
    EXPECT_EQ(screen.ClothesSelectStandby(1, 1, KEY_STATE_UP, 0), -1);
    EXPECT_EQ(bench.lines().back(),
              "Error: <CLT_SLC_DATA::ClothesSelectStandby> 初期化されていません");

    for (const char* missing : kSheets) {
        std::vector<std::string> stems;
        for (const char* stem : kSheets) {
            if (stem != missing) stems.emplace_back(stem);
        }
        WritePictures(stems);
        bench.kit.clearLog();
        CLT_SLC_DATA other;
        EXPECT_EQ(other.Initialize(bench.context, flags), 0u) << missing;
        EXPECT_EQ(bench.lines().back(),
                  "Error: <CLT_SLC_DATA::Initialize> 画像のロードに失敗しました")
            << missing;
        EXPECT_EQ(other.nInitFlg, 0u);
        other.Release();
    }
}

TEST_F(ClothesSelect, InitializeRefusesAMissingSoundEffect) {
    for (const int missing : {4, 5}) {
        ScriptKit::WriteArchive("dat/SE.dat",
                                {{ScriptKit::EffectName(9 - missing), ScriptKit::Tone()}});
        CLT_SLC_DATA other;
        bench.kit.clearLog();
        EXPECT_EQ(other.Initialize(bench.context, flags), 0u) << missing;
        EXPECT_EQ(bench.lines().back(),
                  "Error: <CLT_SLC_DATA::Initialize> SEのロードに失敗しました");
        other.Release();
    }
}

// Place 1 shows an unlocked costume, 2 a locked one, 3 none and 4 an entry past the
// costumes, as a damaged save slot can give.
TEST_F(ClothesSelect, OnlyAnUnlockedCostumeInRangeCanBeHoveredAndChosen) {
    Unlock(0, u8"a long enough description");
    screen.nSortNo[0] = 0;
    screen.nSortNo[1] = 1;
    screen.nSortNo[2] = -1;
    screen.nSortNo[3] = CLT_SLC_DATA::kClothesCount;
    screen.nSortNo[4] = 1000;
    Start();
    const struct {
        Point at;
        KEY_STATE left;
        int result;
        int hovered;
        int under;
        int hoverSounds;
        int decideSounds;
    } frames[] = {
        {Centre(1), KEY_STATE_UP, 1, 1, 1, 1, 0},
        {Centre(1), KEY_STATE_PRESSED, 1, 1, 1, 1, 0},
        {Centre(1), KEY_STATE_RELEASED, 2, 1, 1, 1, 1},
        {Centre(2), KEY_STATE_RELEASED, 0, 0, 2, 1, 1},
        {Centre(1), KEY_STATE_UP, 1, 1, 1, 2, 1},
        {Centre(3), KEY_STATE_RELEASED, 0, 0, 3, 2, 1},
        {Centre(1), KEY_STATE_UP, 1, 1, 1, 3, 1},
        {Centre(4), KEY_STATE_RELEASED, 0, 0, 4, 3, 1},
        {Centre(5), KEY_STATE_RELEASED, 0, 0, 5, 3, 1},
        {kOffCards, KEY_STATE_RELEASED, 0, 0, 0, 3, 1},
    };
    std::uint32_t ms = 0;
    for (const auto& f : frames) {
        ms += 16;
        EXPECT_EQ(Standby(f.at, ms, f.left), f.result) << ms;
        EXPECT_EQ(screen.nCursorPos, f.hovered) << ms;
        EXPECT_EQ(screen.nMousePos, f.under) << ms;
        EXPECT_EQ(bench.effects(4), static_cast<std::uint32_t>(f.hoverSounds)) << ms;
        EXPECT_EQ(bench.effects(5), static_cast<std::uint32_t>(f.decideSounds)) << ms;
        EXPECT_EQ(screen.szDescription[0] == '\0', f.hovered == 0) << ms;
    }
    EXPECT_EQ(screen.nDescLength, 0);
    EXPECT_EQ(screen.dwDescStartTime, 0u);
}

TEST_F(ClothesSelect, TheDescriptionTypesSixtyBytesASecondUntilTheWholeShows) {
    Unlock(3, u8"x");
    screen.nSortNo[6] = 3;
    Start();
    const struct {
        std::uint32_t ms;
        int length;
    } frames[] = {{1000, 0},   {3000, 120}, {3016, 120}, {3017, 121},
                  {9533, 511}, {9534, -1},  {60000, -1}};
    for (const auto& f : frames) {
        Standby(Centre(7), f.ms);
        EXPECT_EQ(screen.nDescLength, f.length) << f.ms;
        EXPECT_EQ(screen.dwDescStartTime, WindowTestBench::kT0 + 1000) << f.ms;
    }
    // Leaving the cards and coming back types it anew.
    Standby(kOffCards, 61000);
    EXPECT_EQ(screen.nDescLength, 0);
    Standby(Centre(7), 62000);
    Standby(Centre(7), 63000);
    EXPECT_EQ(screen.nDescLength, 60);
}

// The escape is turned into blank + line feed in the costume's own text as well, so a
// save after a hover holds what the draw shows; a trail byte 0x5C is no escape.
TEST_F(ClothesSelect, HoverTurnsTheEscapesOfTheCostumeTextInPlace) {
    const struct {
        std::u8string source;
        std::u8string shown;
    } cases[] = {
        {u8"一行目\\n二行目", u8"一行目 \n二行目"},
        {u8"表n", u8"表n"},
        {u8"ソ\\nソ", u8"ソ \nソ"},
        {u8"no escape", u8"no escape"},
    };
    for (const auto& c : cases) {
        CLOTHES_DATA clothes;
        std::strcpy(clothes.szDescription, Sjis(c.source).c_str());
        char shown[CLT_SLC_DATA::kDescriptionLimit];
        std::memset(shown, 'z', sizeof shown);
        CLT_SLC_DATA::SetDescription(clothes.szDescription, shown);
        EXPECT_EQ(std::string(shown), Sjis(c.shown));
        EXPECT_EQ(std::string(clothes.szDescription), Sjis(c.shown));
    }
    // 表 is 0x95 0x5C: followed by "n" it must stay itself.
    EXPECT_EQ(Sjis(u8"表n"), "\x95\x5Cn");
}

TEST_F(ClothesSelect, TheCostumeNamesAreFourteenPairsInCp932) {
    ASSERT_NE(CostumeName(0), nullptr);
    EXPECT_EQ(CostumeName(0)->japanese, Sjis(u8"オーソドックス"));
    EXPECT_EQ(CostumeName(0)->english, "-Orthodox-");
    EXPECT_EQ(CostumeName(13)->japanese, Sjis(u8"ブラックロング"));
    EXPECT_EQ(CostumeName(13)->english, "-Black Long-");
    EXPECT_EQ(CostumeName(-1), nullptr);
    EXPECT_EQ(CostumeName(14), nullptr);
    for (int k = 0; k < kCostumeNameCount; ++k) {
        EXPECT_FALSE(CostumeName(k)->japanese.empty()) << k;
        EXPECT_EQ(CostumeName(k)->english.front(), '-') << k;
    }
}

// Place 1: costume 0, complete; place 2: costume 2; place 3: locked; place 4: past
// the costumes.
TEST_F(ClothesSelect, DrawShowsFacesBacksNumbersCursorAndTheLargePicture) {
    Unlock(0, u8"a");
    Unlock(2, u8"b");
    Unlock(5, u8"c");
    screen.nSortNo[0] = 0;
    screen.nSortNo[1] = 2;
    screen.nSortNo[2] = 5;
    screen.nSortNo[3] = CLT_SLC_DATA::kClothesCount;
    screen.ClothesData[5].dwFlag = 0;
    // Only bit 1 of the summary flag means complete.
    flags[0] = 2;
    flags[2] = 1 | 4;
    Start();
    const auto card = [&](const std::vector<std::uint32_t>& frame, int place) {
        return WindowTestBench::At(frame, Corner(place).x + 60, Corner(place).y + 100);
    };
    Standby(kOffCards, 0);
    {
        const auto& frame = Frame();
        EXPECT_EQ(card(frame, 1), Cell("ClothesCard_F", u8"衣装1 完成"));
        EXPECT_EQ(card(frame, 2), Cell("ClothesCard_F", u8"衣装3"));
        EXPECT_EQ(card(frame, 3), Cell("ClothesCard_R", u8"裏3"));
        EXPECT_EQ(card(frame, 4), Cell("ClothesCard_R", u8"裏4"));
        EXPECT_EQ(card(frame, 8), Cell("ClothesCard_R", u8"裏8"));
        EXPECT_EQ(WindowTestBench::At(frame, 284, 20), kBackColor);
        for (const int place : {1, 2}) {
            const std::string number = std::to_string(place);
            EXPECT_EQ(WindowTestBench::At(frame, Corner(place).x + 12, Corner(place).y + 12),
                      WindowTestBench::CellColor("ClothesSelectMaterial", number));
        }
        EXPECT_EQ(WindowTestBench::At(frame, 14 + 130, 94 + 300),
                  Cell("ClothesSelectBody", u8"選択なし"));
        // No cursor frame around any card.
        EXPECT_NE(WindowTestBench::At(frame, Corner(1).x - 4, Corner(1).y + 60),
                  Cell("ClothesSelectMaterial", u8"枠0"));
    }
    Standby(Centre(2), 16);
    const auto& frame = Frame();
    EXPECT_EQ(WindowTestBench::At(frame, 14 + 130, 94 + 300),
              Cell("ClothesSelectBody", u8"衣装3 全身"));
    EXPECT_EQ(WindowTestBench::At(frame, Corner(2).x - 4, Corner(2).y + 60),
              Cell("ClothesSelectMaterial", u8"枠0"));
    // The frame's inside lets the card through.
    EXPECT_EQ(card(frame, 2), Cell("ClothesCard_F", u8"衣装3"));
    EXPECT_NE(WindowTestBench::At(frame, Corner(1).x - 4, Corner(1).y + 60),
              Cell("ClothesSelectMaterial", u8"枠0"));
}

// The golden picture covers the layout: cards, numbers, cursor, names, large picture
// and the description's first two lines typed out.
TEST_F(ClothesSelect, GoldenScreen) {
    Unlock(0, u8"a");
    Unlock(1, u8"一行目の説明です。\\n二行目はここから続きます。ここまで打たれています。");
    Unlock(2, u8"c");
    screen.nSortNo[0] = 0;
    screen.nSortNo[1] = 1;
    screen.nSortNo[2] = 2;
    screen.nSortNo[5] = 3;
    flags[2] = 2;
    Start();
    Standby(Centre(2), 0);
    Standby(Centre(2), 1300);
    const auto& frame = Frame();
    EXPECT_TRUE(zktest::GoldenImage::Matches(std::string(ZK_GOLDEN_DIR) + "/costume-select.png",
                                             frame, 800, {0, 0, 800, 600}));
}

TEST_F(ClothesSelect, TheCursorFrameRunsBackAndForthEveryTenthOfASecond) {
    Unlock(0, u8"a");
    screen.nSortNo[0] = 0;
    Start();
    const int expected[] = {0, 1, 2, 3, 4, 3, 2, 1, 0, 1};
    for (int k = 0; k < 10; ++k) {
        Standby(Centre(1), 100 * static_cast<std::uint32_t>(k));
        const auto& frame = Frame();
        const std::string cell = "枠" + std::to_string(expected[k]);
        EXPECT_EQ(WindowTestBench::At(frame, Corner(1).x - 4, Corner(1).y + 60),
                  WindowTestBench::CellColor("ClothesSelectMaterial", cell))
            << k;
    }
}

// A short description after a long one draws as it would on a fresh screen, even
// while the typed count is past its end.
TEST_F(ClothesSelect, AShortDescriptionAfterALongOneDrawsAlone) {
    std::u8string longText;
    for (int k = 0; k < 40; ++k) longText += u8"長い説明文";
    const auto hoverShort = [&](CLT_SLC_DATA& target, std::uint32_t from) {
        target.ClothesSelectStandby(Centre(2).x, Centre(2).y, KEY_STATE_UP, from);
        target.ClothesSelectStandby(Centre(2).x, Centre(2).y, KEY_STATE_UP, from + 3000);
        return std::vector<std::uint32_t>(bench.drawFrame([&] { target.Draw(); }));
    };
    Unlock(0, longText);
    Unlock(1, u8"短い");
    screen.nSortNo[0] = 0;
    screen.nSortNo[1] = 1;
    Start();
    Standby(Centre(1), 0);
    Standby(Centre(1), 20000);
    ASSERT_EQ(screen.nDescLength, -1);
    const std::vector<std::uint32_t> after = hoverShort(screen, WindowTestBench::kT0 + 30000);
    ASSERT_EQ(screen.nDescLength, 180);
    CLT_SLC_DATA fresh;
    for (int k = 0; k < CLT_SLC_DATA::kClothesCount; ++k)
        fresh.ClothesData[k] = screen.ClothesData[k];
    for (int p = 0; p < CLT_SLC_DATA::kPlaceCount; ++p) fresh.nSortNo[p] = screen.nSortNo[p];
    ASSERT_EQ(fresh.Initialize(bench.context, flags), 1u);
    const std::vector<std::uint32_t> alone = hoverShort(fresh, WindowTestBench::kT0 + 30000);
    fresh.Release();
    // The description's band; the cursor frames differ, having run for different times.
    const auto band = [](const std::vector<std::uint32_t>& frame) {
        return std::vector<std::uint32_t>(frame.begin() + 450 * 800, frame.end());
    };
    EXPECT_TRUE(band(after) == band(alone));
    EXPECT_FALSE(band(after) == band(std::vector<std::uint32_t>(bench.drawFrame([] {}))));
}

TEST_F(ClothesSelect, HoverDrawsTheCostumeNames) {
    Unlock(0, u8"a");
    screen.nSortNo[0] = 0;
    Start();
    Standby(kOffCards, 0);
    const std::vector<std::uint32_t> none = Frame();
    Standby(Centre(1), 16);
    const auto& named = Frame();
    int changed = 0;
    for (int y = 50; y < 88; ++y) {
        for (int x = 8; x < 281; ++x)
            changed += WindowTestBench::At(named, x, y) != WindowTestBench::At(none, x, y);
    }
    EXPECT_GT(changed, 0);
}

TEST_F(ClothesSelect, ReleaseUnloadsTheScreenAndKeepsTheCostumes) {
    Unlock(0, u8"a\\nb");
    screen.nSortNo[0] = 0;
    Start();
    Standby(Centre(1), 0);
    screen.Release();
    EXPECT_EQ(screen.nInitFlg, 0u);
    EXPECT_EQ(screen.nCursorPos, 0);
    EXPECT_EQ(screen.nMousePos, 0);
    EXPECT_EQ(screen.szDescription[0], '\0');
    EXPECT_EQ(screen.nSortNo[0], 0);
    EXPECT_EQ(std::string(screen.ClothesData[0].szDescription), "a \nb");
    EXPECT_EQ(screen.ClothesSelectStandby(1, 1, KEY_STATE_UP, 0), -1);
    EXPECT_EQ(bench.context->Sound().Effect(4), 0);
    EXPECT_EQ(bench.context->Sound().Effect(5), 0);
    // The pictures are gone, and the screen draws nothing.
    bench.drawFrame([&] {
        for (int surface = 14; surface <= 18; ++surface) {
            EXPECT_LT(bench.sprite->DDBlt(surface, 0, 0, 1), 0) << surface;
        }
        EXPECT_EQ(screen.Draw(), 1);
    });
    EXPECT_TRUE(bench.lines().empty() ||
                bench.lines().back().find("CLT_SLC_DATA::Draw") == std::string::npos);
}

}  // namespace
