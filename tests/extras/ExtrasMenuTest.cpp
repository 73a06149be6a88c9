#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuFixture.h"
#include "game/GameContext.h"
#include "platform/input/VirtualKeys.h"
#include "support/ScriptKit.h"
#include "system/ClickState.h"

using zktest::ExtrasMenu;
using zktest::MenuPoint;
using zktest::ScriptKit;

namespace {

constexpr auto kUp = KEY_STATE_UP;
constexpr auto kDown = KEY_STATE_PRESSED;
constexpr auto kClick = KEY_STATE_RELEASED;

struct StandbyFrame {
    MenuPoint at;
    KEY_STATE left;
    int result;
    int cursor;
    // By button id - 1.
    int pictures[4];
    int hoverSounds;
    int chosenSounds;
};

void RunFrames(ExtrasMenu& t, const std::vector<StandbyFrame>& frames) {
    std::uint32_t ms = 0;
    for (const StandbyFrame& f : frames) {
        ms += 16;
        EXPECT_EQ(t.Standby(f.at, ms, f.left), f.result) << ms;
        EXPECT_EQ(t.menu.nCursorId, f.cursor) << ms;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(t.menu.nPictureFlg[k], f.pictures[k]) << ms << " " << k;
        EXPECT_EQ(t.bench.effects(4), static_cast<std::uint32_t>(f.hoverSounds)) << ms;
        EXPECT_EQ(t.bench.effects(6), static_cast<std::uint32_t>(f.chosenSounds)) << ms;
        EXPECT_EQ(t.bench.effects(5), 0u) << ms;
    }
}

// The cursor sound once per arrival on a button, from nothing or from another button,
// and again after leaving and coming back; the leaving sound on each release.
TEST_F(ExtrasMenu, StandbyReportsTheButtonUnderThePointerAndItsRelease) {
    Start(1);
    RunFrames(*this, {
                         {kOn[0], kUp, 0, 0, {0, 0, 0, 0}, 0, 0},
                         {kOn[1], kUp, 1, 1, {1, 0, 0, 0}, 1, 0},
                         {kOn[1], kDown, 1, 1, {1, 0, 0, 0}, 1, 0},
                         {kOn[2], kUp, 1, 2, {0, 1, 0, 0}, 2, 0},
                         {kOn[3], kUp, 1, 3, {0, 0, 1, 0}, 3, 0},
                         {kOn[4], kUp, 1, 4, {0, 0, 0, 1}, 4, 0},
                         {kOn[4], kUp, 1, 4, {0, 0, 0, 1}, 4, 0},
                         {kOn[0], kClick, 0, 0, {0, 0, 0, 0}, 4, 0},
                         {kOn[4], kUp, 1, 4, {0, 0, 0, 1}, 5, 0},
                         {kOn[4], kClick, 2, 4, {0, 0, 0, 1}, 5, 1},
                         {kOn[2], kClick, 2, 2, {0, 1, 0, 0}, 6, 2},
                     });
    EXPECT_EQ(menu.Button[3].nClickFlg, 1);
    EXPECT_EQ(menu.Button[1].nClickFlg, 1);
    EXPECT_EQ(menu.Button[0].nClickFlg, 0);
}

// Hidden, the dress room is not hit, not updated and keeps its picture flag.
TEST_F(ExtrasMenu, ABeforeClearedGameHidesTheDressRoom) {
    Start(0);
    menu.nPictureFlg[3] = 1;
    RunFrames(*this, {
                         {kOn[4], kUp, 0, 0, {0, 0, 0, 1}, 0, 0},
                         {kOn[4], kClick, 0, 0, {0, 0, 0, 1}, 0, 0},
                         {kOn[3], kUp, 1, 3, {0, 0, 1, 1}, 1, 0},
                         {kOn[4], kUp, 0, 0, {0, 0, 0, 1}, 1, 0},
                     });
    EXPECT_EQ(menu.Button[3].fHighlight, 0.0f);
    EXPECT_EQ(menu.Button[3].nClickFlg, 0);
    // The title's glow, left at (110, 370), fades; the dress room's is never updated.
    EXPECT_EQ(menu.Button[3].nHoverFlg, 0);
    EXPECT_EQ(menu.Button[2].nHoverFlg, 0);
}

// The owner passes Return as the click while the left button is up.
TEST_F(ExtrasMenu, ReturnWithTheButtonUpChoosesLikeAClick) {
    Start(0);
    bench.sys->KeyScan();
    EXPECT_EQ(Standby(kOn[1], 0, ClickState(*bench.sys)), 1);
    ReleaseKeys({platform::VK_RETURN});
    EXPECT_EQ(Standby(kOn[1], 16, ClickState(*bench.sys)), 2);
    EXPECT_EQ(bench.effects(6), 1u);
    EXPECT_EQ(menu.nCursorId, SPECIAL_DATA::kGallery);
    input.setKey(platform::VK_LBUTTON, true);
    ReleaseKeys({platform::VK_RETURN});
    EXPECT_EQ(Standby(kOn[2], 32, ClickState(*bench.sys)), 1);
}

TEST_F(ExtrasMenu, InitializeRefusesMissingArgumentsPicturesAndSounds) {
    std::uint32_t clear = 0;
    EXPECT_EQ(menu.Initialize(nullptr, &clear), 0u);
    EXPECT_EQ(menu.Initialize(bench.context, nullptr), 0u);
    GameContext partial = *bench.context;
    partial.pSnd = nullptr;
    EXPECT_EQ(menu.Initialize(&partial, &clear), 0u);
    EXPECT_EQ(bench.lines(),
              std::vector<std::string>(3, "Error: <SPECIAL_DATA::Initialize> 引数が不正です"));
    EXPECT_EQ(menu.nInitFlg, 0u);
    EXPECT_EQ(menu.SpecialStandby(1, 1, KEY_STATE_RELEASED, 0), -1);
    EXPECT_EQ(bench.lines().back(), "Error: <SPECIAL_DATA::SpecialStandby> 初期化されていません");

    const auto refused = [&](const std::string& line) {
        SPECIAL_DATA other;
        bench.kit.clearLog();
        EXPECT_EQ(other.Initialize(bench.context, &clear), 0u);
        EXPECT_EQ(other.nInitFlg, 0u);
        EXPECT_EQ(bench.lines().back(), "Error: <SPECIAL_DATA::Initialize> " + line);
        other.Release();
    };
    for (const char* missing : {"SpecialBack", "SpecialMaterial"}) {
        std::vector<std::pair<std::string, std::string>> pictures;
        for (auto& picture : zktest::WindowTestBench::Materials()) {
            if (picture.first != zktest::WindowTestBench::Entry(missing).name)
                pictures.push_back(picture);
        }
        ScriptKit::WriteArchive("dat/Img.dat", pictures);
        refused("画像のロードに失敗しました");
    }
    ScriptKit::WriteArchive("dat/Img.dat", zktest::WindowTestBench::Materials());
    for (const int missing : {4, 5, 6}) {
        std::vector<std::pair<std::string, std::string>> effects;
        for (const int record : {4, 5, 6}) {
            if (record != missing)
                effects.emplace_back(ScriptKit::EffectName(record), ScriptKit::Tone());
        }
        ScriptKit::WriteArchive("dat/SE.dat", effects);
        refused("SEのロードに失敗しました");
    }
}

TEST_F(ExtrasMenu, ReleaseUnloadsAndClearsTheMenu) {
    Start(1);
    Standby(kOn[2], 0, kClick);
    menu.Release();
    EXPECT_EQ(menu.nInitFlg, 0u);
    EXPECT_EQ(menu.nCursorId, 0);
    EXPECT_EQ(menu.pContext, nullptr);
    EXPECT_EQ(menu.pGameClearFlg, nullptr);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(menu.nPictureFlg[k], 0) << k;
        EXPECT_EQ(menu.Button[k].nClickFlg, 0) << k;
        EXPECT_EQ(menu.Button[k].rcHit, platform::Rect{}) << k;
    }
    for (const int effect : {4, 5, 6})
        EXPECT_EQ(bench.context->Sound().Effect(effect), 0) << effect;
    bench.kit.clearLog();
    bench.drawFrame([&] {
        for (const int surface : {19, 20}) EXPECT_LT(bench.sprite->DDBlt(surface, 0, 0, 0), 0);
        EXPECT_EQ(menu.Draw(), 1);
    });
    for (const std::string& line : bench.lines())
        EXPECT_EQ(line.find("SPECIAL_DATA"), std::string::npos) << line;
    EXPECT_EQ(menu.SpecialStandby(1, 1, kClick, 0), -1);
    // A second release, and a fresh menu's, touch nothing.
    menu.Release();
    SPECIAL_DATA fresh;
    fresh.Release();
}

// A new visit starts with nothing under the pointer, whatever the last one left.
TEST_F(ExtrasMenu, InitializeStartsWithNoButtonAndNoPicture) {
    for (std::int32_t& flag : menu.nPictureFlg) flag = 1;
    menu.nPictureFlg[2] = SPECIAL_DATA::kTitlePictureShown;
    menu.nCursorId = SPECIAL_DATA::kDressRoom;
    Start(0);
    EXPECT_EQ(menu.nCursorId, 0);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(menu.nPictureFlg[k], 0) << k;
}

}  // namespace

namespace {

// Each hit rectangle by its edges: left and top inside, right and bottom outside.
TEST_F(ExtrasMenu, EachButtonIsHitInsideItsRectangle) {
    Start(1);
    const struct {
        int id;
        platform::Rect rect;
    } buttons[] = {
        {1, {335, 423, 472, 600}},
        {2, {581, 343, 681, 452}},
        {3, {261, 26, 539, 245}},
        {4, {100, 360, 200, 485}},
    };
    std::uint32_t ms = 0;
    for (const auto& b : buttons) {
        const platform::Rect& r = b.rect;
        const int midX = (r.left + r.right) / 2;
        const int midY = (r.top + r.bottom) / 2;
        const struct {
            MenuPoint at;
            int cursor;
        } cases[] = {
            {{r.left, r.top}, b.id}, {{r.right - 1, r.bottom - 1}, b.id},
            {{r.left - 1, midY}, 0}, {{r.right, midY}, 0},
            {{midX, r.top - 1}, 0},  {{midX, r.bottom}, 0},
        };
        for (const auto& c : cases) {
            ms += 16;
            Standby(c.at, ms);
            EXPECT_EQ(menu.nCursorId, c.cursor) << b.id << " at " << c.at.x << "," << c.at.y;
        }
    }
}

}  // namespace
