#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/EngineForwarder.h"
#include "game/GAMEMAIN.h"
#include "platform/input/VirtualKeys.h"
#include "platform/window/SystemCommands.h"
#include "platform/window/WindowMessages.h"
#include "shell/EnvData.h"
#include "shell/ScreenMode.h"
#include "shell/Shell.h"
#include "shell/ShellGameHost.h"
#include "shell/ShellResources.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/ShellKit.h"
#include "support/SpriteKit.h"
#include "system/ZKSYSTEM.h"

using platform::PlatformEvent;
using platform::VK_RETURN;
using Lines = std::vector<std::string>;

namespace {

const std::string kKept =
    "Error: <ChangeScreenMode> 画面モードを変更できませんでした。元の画面モードで続けます";
const std::string kLost =
    "Error: <ChangeScreenMode> 画面モードを変更できず、元の画面モードにも戻せませんでした";

std::intptr_t Ignore(std::uint32_t, std::uintptr_t, std::intptr_t) { return 0; }

// The actions of the window without their times.
Lines Actions(const platform::HeadlessWindowHost& host) {
    Lines plain;
    for (const std::string& a : host.actions()) plain.push_back(a.substr(0, a.find(" @")));
    return plain;
}

// A run's window, strip and shell record over the real graphics and system objects
// on the headless display: a 32-bit window with one work surface.
struct ModeBench {
    zktest::SpriteKit k;
    ZKSYSTEM system;
    ZKSND snd;
    std::unique_ptr<GAMEMAIN> game = std::make_unique<GAMEMAIN>();
    platform::HeadlessWindowHost host;
    ShellState& s = BeginShellState();
    EngineForwarder engine{system, k.sprite, snd, *game, s};

    ModeBench() {
        BuildShellMenu(host.menu());
        s.host = &host;
        s.engine = &engine;
        s.windowStyle = kWindowStyle;
        s.hWnd = host.create(Ignore);
        EXPECT_EQ(k.sprite.Initialize(s.hWnd, nullptr, 800, 600, 32, 0), 1);
        k.sprite.CreateSurfaceBuffer(2);
        k.sprite.CreateEmptySurface(0, 50, 40);
        system.Initialize(s.hWnd, 1);
        k.clearLog();
    }
    ~ModeBench() { BeginShellState(); }

    // The back buffer's storage, or none without a display.
    platform::PixelStorage storage() const { return k.sprite.pBack->format().storage; }
    // A frame drawn and shown as the game draws one.
    bool drawsAFrame() { return k.sprite.D3DXDrawStart() == 1 && k.sprite.D3DXDrawEnd() == 1; }
};

// The shell's record over the recording engine and the headless window.
struct RecordedBench {
    zktest::TestKit kit;
    zktest::RecordingShellEngine engine;
    platform::HeadlessWindowHost host;
    ShellState& s = BeginShellState();

    RecordedBench() {
        BuildShellMenu(host.menu());
        s.host = &host;
        s.engine = &engine;
        s.windowStyle = kWindowStyle;
        s.hWnd = host.create(Ignore);
    }
    ~RecordedBench() { BeginShellState(); }
};

}  // namespace

TEST(ScreenMode, SixteenBitFullScreenAndBackRebuildTheDisplayAndRestartTheKeys) {
    ModeBench b;
    b.k.kit.input.setKey(VK_RETURN, true);
    b.system.MainLoop(b.s.hWnd);
    ASSERT_EQ(b.system.GetVKeyStatus(VK_RETURN), KEY_STATE_PRESSED);
    b.system.TraceOut("before the switch");

    ShellGameHost gameHost;  // the game's way in, on the run's window
    ASSERT_EQ(gameHost.ChangeScreenMode(1, 16), 1);
    EXPECT_EQ(b.storage(), platform::PixelStorage::Rgb565);
    EXPECT_EQ(b.k.sprite.GetSurface(0)->format().storage, platform::PixelStorage::Rgb565);
    EXPECT_EQ(b.s.windowStyle, kFullScreenStyle);
    EXPECT_EQ(b.s.settings.fullScreen, 1u);
    EXPECT_TRUE(b.host.fullScreen());
    EXPECT_EQ(b.host.picture().surface().height(), 600);
    EXPECT_EQ(b.system.GetYOffset(), 20);
    EXPECT_EQ(b.system.GetVKeyStatus(VK_RETURN), KEY_STATE_UP) << "the key reads as up again";
    EXPECT_EQ(zktest::ReadFileBytes("trace.txt"), "") << "a new trace";
    EXPECT_TRUE(b.drawsAFrame());

    ASSERT_EQ(ChangeScreenMode(0, 16, b.s.hWnd), 1);
    EXPECT_EQ(b.storage(), platform::PixelStorage::Xrgb32) << "a window has the desktop's depth";
    EXPECT_EQ(b.s.windowStyle, kSwitchedWindowStyle);
    EXPECT_EQ(b.s.settings.fullScreen, 0u);
    EXPECT_EQ(b.host.picture().surface().height(), 620);
    EXPECT_EQ(b.system.GetYOffset(), 0);
    EXPECT_EQ(Actions(b.host), (Lines{"fullscreen 1", "fullscreen 0", "centre"}));
    EXPECT_EQ(RemoveSystemCommands(b.s.hWnd), 0) << "the strip holds none of them";
    EXPECT_EQ(b.host.menu().items().size(), 4u);
    EXPECT_EQ(b.k.sprite.GetSurface(0)->format().storage, platform::PixelStorage::Xrgb32);
    for (const std::string& line : b.k.debugLines())
        EXPECT_FALSE(line.starts_with("Error")) << line;
}

// A failed switch keeps the mode, the window and the shell's words as they were,
// and the game draws on; only a graphics object left without a display gives 0.
TEST(ScreenMode, AFailedSwitchKeepsTheOldModeAndTheGameDrawing) {
    const struct {
        const char* name;
        std::optional<std::vector<platform::VideoMode>> modes;  // none: every mode is there
        bool refuseForm;
        int result;
        Lines lines;
    } cases[] = {
        {"mode missing", std::vector<platform::VideoMode>{{800, 600, 32, 60}}, false, -1, {kKept}},
        {"form refused", std::nullopt, true, -1, {kKept}},
        {"no mode at all", std::vector<platform::VideoMode>{}, false, 0, {kLost}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ModeBench b;
        if (c.modes) b.k.onlyModes(*c.modes);
        if (c.refuseForm) b.host.refuseNextFormChange();
        b.system.SetYOffset(0);
        EXPECT_EQ(ChangeScreenMode(1, 16, b.s.hWnd), c.result);
        Lines own;
        for (const std::string& line : b.k.debugLines()) {
            if (line.starts_with("Error: <ChangeScreenMode>")) own.push_back(line);
        }
        EXPECT_EQ(own, c.lines);
        EXPECT_EQ(b.s.windowStyle, kWindowStyle);
        EXPECT_EQ(b.s.settings.fullScreen, 0u);
        EXPECT_FALSE(b.host.fullScreen());
        if (c.result == 0) continue;  // nothing is drawn any more
        EXPECT_EQ(b.k.sprite.GetFullScreen(), 0u);
        EXPECT_EQ(b.storage(), platform::PixelStorage::Xrgb32);
        ASSERT_NE(b.k.sprite.GetSurface(0), nullptr);
        EXPECT_EQ(b.k.sprite.GetSurfaceWidth(0), 50u) << "the work surface is back";
        EXPECT_TRUE(b.drawsAFrame());
    }
}

TEST(ScreenMode, GuardsClampsAndTheFailuresThatLoseTheDisplay) {
    const struct {
        const char* name;
        std::uint32_t full, depth;
        std::uint32_t wasFull, colourDepth, displayBits;
        std::deque<int> results;
        int surfaces;
        bool refuseForm;
        int result;
        Lines calls;
        Lines lines;
        std::uint32_t fullScreen;
    } cases[] = {
        {"below 16", 1, 8, 0, 32, 32, {1}, 1, false, 1, {"SpriteChangeScreenMode 1 16"}, {}, 1},
        {"display has 24",
         1,
         32,
         0,
         32,
         24,
         {1},
         1,
         false,
         1,
         {"SpriteChangeScreenMode 1 24"},
         {},
         1},
        {"full at that depth", 1, 24, 1, 24, 32, {1}, 1, false, 1, {}, {}, 1},
        {"full at another depth",
         1,
         16,
         1,
         24,
         32,
         {1},
         1,
         false,
         1,
         {"SpriteChangeScreenMode 1 16"},
         {},
         1},
        {"already a window", 0, 16, 0, 32, 32, {1}, 1, false, 1, {}, {}, 0},
        {"no display left",
         1,
         16,
         0,
         32,
         32,
         {0},
         0,
         false,
         0,
         {"SpriteChangeScreenMode 1 16"},
         {kLost},
         0},
        {"form refused, back fails",
         0,
         32,
         1,
         16,
         32,
         {1, 0},
         1,
         true,
         0,
         {"SpriteChangeScreenMode 0 32", "SpriteChangeScreenMode 1 16"},
         {kLost},
         1},
        {"form refused, back again",
         0,
         32,
         1,
         16,
         32,
         {1},
         1,
         true,
         -1,
         {"SpriteChangeScreenMode 0 32", "SpriteChangeScreenMode 1 16"},
         {kKept},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedBench b;
        b.engine.spriteFullScreen = c.wasFull;
        b.s.settings.fullScreen = c.wasFull;
        b.s.settings.colourDepth = c.colourDepth;
        b.engine.displayBits = c.displayBits;
        b.engine.changeScreenModeResults = c.results;
        b.engine.surfaceCount = c.surfaces;
        if (c.refuseForm) b.host.refuseNextFormChange();
        EXPECT_EQ(ChangeScreenMode(c.full, c.depth, b.s.hWnd), c.result);
        EXPECT_EQ(b.engine.callsStartingWith("SpriteChangeScreenMode"), c.calls);
        EXPECT_EQ(b.kit.debugLines(), c.lines);
        EXPECT_EQ(b.s.settings.fullScreen, c.fullScreen);
        if (c.result != 1 || c.calls.empty()) {
            EXPECT_TRUE(b.engine.callsStartingWith("System").empty()) << "the keys run on";
            EXPECT_EQ(b.s.windowStyle, kWindowStyle);
        }
    }
    {
        // The shell's word follows the graphics object's form even when nothing changes.
        RecordedBench b;
        b.s.settings.fullScreen = 1;
        EXPECT_EQ(ChangeScreenMode(0, 32, b.s.hWnd), 1);
        EXPECT_EQ(b.s.settings.fullScreen, 0u);
        b.engine.spriteFullScreen = 1;
        b.s.settings.colourDepth = 32;
        EXPECT_EQ(ChangeScreenMode(1, 32, b.s.hWnd), 1);
        EXPECT_EQ(b.s.settings.fullScreen, 1u);
        EXPECT_TRUE(b.engine.calls.empty());
    }
    RecordedBench b;
    EXPECT_EQ(ChangeScreenMode(1, 16, nullptr), 0);
    EXPECT_EQ(b.kit.debugLines(), Lines{"Error: <ChangeScreenMode> 引数の値が不正です"});
    EXPECT_TRUE(b.engine.calls.empty());
    EXPECT_EQ(CenterWindow(nullptr), 0);
    // A strip that did hold the system commands would lose all five.
    platform::MenuStrip& strip = b.host.menu();
    for (const platform::MenuStrip::Item& item : std::vector(strip.items())) {
        strip.removeItem(item.id);
    }
    for (int command :
         std::initializer_list<int>{platform::SC_CLOSE, platform::SC_RESTORE, platform::SC_SIZE,
                                    platform::SC_MAXIMIZE, platform::SC_MINIMIZE, int{IDM_HELP}}) {
        strip.addItem(command, "x");
    }
    EXPECT_EQ(RemoveSystemCommands(nullptr), 0);
    EXPECT_EQ(strip.items().size(), 6u);
    EXPECT_EQ(RemoveSystemCommands(b.s.hWnd), 1);
    ASSERT_EQ(strip.items().size(), 1u);
    EXPECT_EQ(strip.items()[0].id, IDM_HELP);
}

// The calls of a good switch, in the order that leaves the keys and the y offset
// right for the new form.
TEST(ScreenMode, AGoodSwitchDrawsAnEmptyFrameThenRestartsTheKeys) {
    RecordedBench b;
    EXPECT_EQ(ChangeScreenMode(1, 24, b.s.hWnd), 1);
    EXPECT_EQ(b.engine.calls,
              (Lines{"SpriteChangeScreenMode 1 24", "SpriteD3DXDrawStart", "SpriteD3DXDrawEnd",
                     "SystemInitialize 0", "SystemSetYOffset 20"}));
    b.engine.calls.clear();
    EXPECT_EQ(ChangeScreenMode(0, 24, b.s.hWnd), 1);
    EXPECT_EQ(b.engine.calls,
              (Lines{"SpriteChangeScreenMode 0 24", "SystemInitialize 0", "SystemSetYOffset 0"}));
    EXPECT_EQ(Actions(b.host), (Lines{"fullscreen 1", "fullscreen 0", "centre"}));
}

TEST(ScreenMode, TheBandShowsTheStripOncePerVisitAndPausesDrawing) {
    RecordedBench b;
    b.host.setFullScreen(true);
    const struct {
        const char* name;
        std::uint32_t fullScreen;
        std::int32_t mode;
        int y;
        int result;
    } cases[] = {
        {"window", 0, 9, 5, 1}, {"movie", 1, 2, 5, 2},      {"band", 1, 9, 19, 0},
        {"below", 1, 9, 20, 1}, {"band again", 1, 9, 0, 0}, {"still there", 1, 9, 5, 0},
    };
    for (const auto& c : cases) {
        b.s.settings.fullScreen = c.fullScreen;
        b.engine.mode = c.mode;
        b.engine.mouseY = c.y;
        EXPECT_EQ(DrawMenuBarFullScreen(b.s.hWnd, &b.engine), c.result) << c.name;
    }
    EXPECT_EQ(std::count(b.host.actions().begin(), b.host.actions().end(), "strip @1000"), 2);
    // An open dialog leaves the strip and the pause alone.
    b.s.dialogOpen = 1;
    b.s.menuBarShown = 0;
    EXPECT_EQ(AppDraw(), 1);
    EXPECT_EQ(b.s.drawStop, 0u);
    EXPECT_EQ(b.s.menuBarShown, 0u);
    EXPECT_EQ(DrawMenuBarFullScreen(nullptr, &b.engine), -1);
    EXPECT_EQ(DrawMenuBarFullScreen(b.s.hWnd, nullptr), -1);
}

// A whole run in full screen: the pointer goes up into the band and stays two
// frames, the Settings item is clicked there, then the pointer comes down.
TEST(ScreenMode, InTheBandDrawingPausesAndTheStripTakesClicks) {
    zktest::ShellKit k;
    zktest::WriteFileBytes("env.env", "A ON\nB Full C 32bit\n");
    Lines frames;
    std::uint32_t configSeen = 0;
    std::uint32_t pausedSeen = 0;
    k.engine.onGameMain = [&](int frame) {
        ShellState& s = CurrentShellState();
        k.engine.mouseY = frame >= 2 && frame <= 4 ? 5 : 300;
        if (frame == 3) {
            const platform::MenuStrip::Item& settings = s.host->menu().items()[2];
            k.host.pushClick((settings.bounds.left + settings.bounds.right) / 2, -10);
        }
        if (frame == 3) pausedSeen = s.drawStop;
        if (frame == 4) configSeen = s.configRequest;
        if (frame == 6) k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    for (const std::string& call : k.engine.calls) {
        if (call.starts_with("GameDraw") && call != "GameDrawTimeSet") frames.push_back(call);
    }
    // The second pause is the menu loop's own.
    EXPECT_EQ(frames, (Lines{"GameDrawFunc 1", "GameDrawStop", "GameDrawStop", "GameDrawFunc 5",
                             "GameDrawFunc 6"}));
    EXPECT_EQ(configSeen, 1u);
    EXPECT_EQ(pausedSeen, 1u);
    EXPECT_EQ(std::count_if(k.host.actions().begin(), k.host.actions().end(),
                            [](const std::string& a) { return a.starts_with("strip"); }),
              1);
}
