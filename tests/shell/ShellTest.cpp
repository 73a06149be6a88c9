#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/input/VirtualKeys.h"
#include "platform/window/CursorCounter.h"
#include "platform/window/WindowMessages.h"
#include "shell/SettingsText.h"
#include "shell/Shell.h"
#include "shell/ShellState.h"
#include "support/Bytes.h"
#include "support/FirstInstance.h"
#include "support/ShellKit.h"

using platform::PlatformEvent;
using zktest::ReadFileBytes;
using zktest::ShellKit;
using zktest::Sjis;
using Calls = std::vector<std::string>;

namespace {

// Ends the run after frame n as a termination signal would.
void TerminateAfter(ShellKit& k, int n) {
    k.engine.onGameMain = [&k, n](int frame) {
        if (frame == n) k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
}

std::size_t IndexOf(const Calls& calls, const std::string& call) {
    return static_cast<std::size_t>(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

const Calls kStartCalls = {
    "ClearPlayingNames",       "GameSetMsgConfig 1000 0 0", "SpriteInitD3DX",
    "SystemInitialize 1",      "SystemSetYOffset 0",        "SpriteInitialize 800 600 32 0",
    "SndInitialize 268959744", "RegisterResourceFiles",     "GameInitialize",
    "SetBGMVolume 5",          "SetVoiceVolume 5",          "SetSEVolume 5"};
const Calls kFrameCalls = {"GameMainFunc 1", "SpriteCheckFrameRate 60 1", "GameDrawFunc 1",
                           "GameDrawTimeSet", "SpriteFrameWait 16 0"};
const Calls kReleaseCalls = {"GameRelease", "SndRelease", "SpriteRelease", "SystemRelease",
                             "SpriteDeleteD3DX"};

}  // namespace

TEST(Shell, StartsFramesAndReleasesInOrder) {
    ShellKit k;
    TerminateAfter(k, 1);
    EXPECT_EQ(k.run(), 0);
    Calls expected = kStartCalls;
    expected.insert(expected.end(), kFrameCalls.begin(), kFrameCalls.end());
    expected.insert(expected.end(), kReleaseCalls.begin(), kReleaseCalls.end());
    EXPECT_EQ(k.engine.calls, expected);
    EXPECT_EQ(ReadFileBytes("cursor.txt").size(), 151u);
    EXPECT_EQ(ReadFileBytes("env.env").substr(0, 4), Sjis(u8"サウ"));
}

TEST(Shell, AFailedDrawIsLoggedAndEndsTheFrameBeforeItsTiming) {
    ShellKit k;
    k.engine.drawResult = 0;
    TerminateAfter(k, 2);
    EXPECT_EQ(k.run(), 1);  // the game ends on the failed frame
    EXPECT_EQ(k.kit.debugLines(),
              std::vector<std::string>{"Error: <AppMain> AppDrawが失敗しました"});
    EXPECT_TRUE(k.engine.callsStartingWith("GameDrawTimeSet").empty());
    EXPECT_TRUE(k.engine.callsStartingWith("SpriteFrameWait").empty());
}

TEST(Shell, SettingsFilesThatCannotBeReadOutliveARunThatChangedTheSettings) {
    ShellKit k;
    ASSERT_EQ(mkfifo("env.env", 0600), 0);
    const std::string big(kMaxSettingsBytes + 1, 'x');
    zktest::WriteFileBytes("cursor.txt", big);
    k.engine.onGameMain = [&k](int) {
        CurrentShellState().settings.seVolume = 9;
        k.engine.msgSpeed = 250;
        k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    EXPECT_EQ(std::filesystem::symlink_status("env.env").type(), std::filesystem::file_type::fifo);
    EXPECT_EQ(ReadFileBytes("cursor.txt"), big);
    const auto lines = k.kit.debugLines();
    for (const char* line :
         {"Warn: <LoadCursorSetting> 読み込めなかった cursor.txt は上書きしません",
          "Warn: <SaveEnvData> 読み込めなかった env.env は上書きしません"}) {
        EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1) << line;
    }
}

TEST(Shell, FullScreenStartAndMutedEffects) {
    ShellKit k;
    zktest::WriteFileBytes("env.env", "A ON\nB Full C 24bit\n\n\nSE: OFF Volume: 4\n");
    std::filesystem::create_directory("tmp");
    zktest::WriteFileBytes("tmp/left", "x");
    TerminateAfter(k, 1);
    EXPECT_EQ(k.run(), 0);
    const Calls& c = k.engine.calls;
    for (const char* call :
         {"SystemSetYOffset 20", "SpriteInitialize 800 600 24 1", "SndInitialize 2415919104",
          "SetSEVolume 0", "SystemRemoveFile tmp/ - 1"}) {
        EXPECT_LT(IndexOf(c, call), c.size()) << call;
    }
    EXPECT_EQ(k.host.actions().front().rfind("cursor 0", 0), 0u);
    EXPECT_EQ(k.host.actions()[1].rfind("fullscreen 1", 0), 0u);
}

TEST(Shell, DepthFallback) {
    const struct {
        std::deque<int> results;
        Calls depths;
        int status;
        std::string depthLine;
        int retryLines;
        bool fatal;
    } cases[] = {
        {{0, 0, 1}, {"32", "24", "16"}, 0, "16bit", 2, false},
        {{-1}, {"32"}, 1, "32bit", 0, true},
        {{0, 0, 0}, {"32", "24", "16"}, 1, "16bit", 2, true},
        {{0, 2}, {"32", "24"}, 1, "24bit", 1, true},
    };
    for (const auto& c : cases) {
        ShellKit k;
        k.engine.spriteInitResults = c.results;
        TerminateAfter(k, 1);
        EXPECT_EQ(k.run(), c.status);
        Calls depths;
        for (const auto& call : k.engine.callsStartingWith("SpriteInitialize")) {
            depths.push_back(call.substr(25, 2));
        }
        EXPECT_EQ(depths, c.depths);
        EXPECT_NE(ReadFileBytes("env.env").find(c.depthLine), std::string::npos);
        const auto lines = k.kit.debugLines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(),
                             "Error: <LibraryInitialize> ビデオモードを変更して再試行します\n"),
                  c.retryLines);
        EXPECT_EQ(std::count(lines.begin(), lines.end(),
                             "Error: <LibraryInitialize> 描画クラスの初期化に失敗しました"),
                  c.fatal ? 1 : 0);
        EXPECT_EQ(k.engine.callsStartingWith("GameMainFunc").empty(), c.fatal);
    }
}

TEST(Shell, SoundFailureWarning) {
    const struct {
        const char* env;
        std::vector<int> keys;
        bool dialog;
        const char* warningAfter;
    } cases[] = {
        {"", {platform::VK_TAB, platform::VK_SPACE, platform::VK_RETURN}, true, "OFF"},
        {"", {platform::VK_RETURN}, true, "ON"},
        {"A OFF\n", {}, false, "OFF"},
    };
    for (const auto& c : cases) {
        ShellKit k;
        zktest::WriteFileBytes("env.env", c.env);
        k.engine.sndInitResult = -1;
        for (int key : c.keys) k.host.pushKey(key);
        TerminateAfter(k, 1);
        EXPECT_EQ(k.run(), 0);
        const Calls& calls = k.engine.calls;
        EXPECT_EQ(IndexOf(calls, "SpriteDDFlipToGDI") < calls.size(), c.dialog);
        EXPECT_LT(IndexOf(calls, "GameInitialize"), calls.size());
        EXPECT_EQ(CurrentShellState().soundAvailable, 0u);
        const std::string env = ReadFileBytes("env.env");
        EXPECT_EQ(env.substr(0, env.find('\n')), Sjis(u8"サウンド警告: ") + c.warningAfter);
    }
}

TEST(Shell, FailedStartShowsTheBoxAndReleasesOnce) {
    ShellKit k;
    k.engine.gameInitResult = 0;
    EXPECT_EQ(k.run(), 1);
    ASSERT_EQ(k.box.shown().size(), 1u);
    EXPECT_EQ(k.box.shown()[0].caption, "Error");
    EXPECT_EQ(k.box.shown()[0].text, Sjis(u8"初期化に失敗しました"));
    const Calls& c = k.engine.calls;
    EXPECT_TRUE(k.engine.callsStartingWith("GameMainFunc").empty());
    EXPECT_TRUE(k.engine.callsStartingWith("GameRelease").empty());
    EXPECT_EQ(k.engine.callsStartingWith("SndRelease").size(), 1u);
    EXPECT_LT(IndexOf(c, "SetSEVolume 5"), IndexOf(c, "SndRelease"));
    EXPECT_EQ(ReadFileBytes("env.env").size(), 176u);
}

TEST(Shell, QuitQuestion) {
    using platform::VK_ESCAPE;
    const PlatformEvent escape{.kind = PlatformEvent::Kind::KeyDown, .key = VK_ESCAPE};
    const PlatformEvent repeat{
        .kind = PlatformEvent::Kind::KeyDown, .key = VK_ESCAPE, .repeat = true};
    const PlatformEvent close{.kind = PlatformEvent::Kind::CloseRequest};
    // The box's own keys (Return for its default button) are the window tests'.
    const struct {
        std::vector<PlatformEvent> atFrame2;
        int lastFrame;  // frames after the second run on until the run is ended at 5
    } cases[] = {
        {{escape, {.kind = PlatformEvent::Kind::KeyDown, .key = 'N'}}, 5},
        {{close, {.kind = PlatformEvent::Kind::KeyDown, .key = VK_ESCAPE}}, 5},
        {{escape,
          close,
          {.kind = PlatformEvent::Kind::KeyDown, .key = platform::VK_TAB},
          {.kind = PlatformEvent::Kind::KeyDown, .key = platform::VK_RETURN}},
         5},
        {{repeat}, 5},
        {{close, {.kind = PlatformEvent::Kind::KeyDown, .key = 'Y'}}, 2},
    };
    for (const auto& c : cases) {
        ShellKit k;
        k.engine.onGameMain = [&](int frame) {
            if (frame == 2) {
                for (const auto& e : c.atFrame2) k.host.push(e);
            }
            if (frame == 5) k.host.push({.kind = PlatformEvent::Kind::Terminate});
            return 1u;
        };
        EXPECT_EQ(k.run(), 0);
        EXPECT_EQ(k.engine.frames, c.lastFrame);
        EXPECT_EQ(k.engine.callsStartingWith("GameRelease").size(), 1u);
    }
}

TEST(Shell, QuitFromInsideAFrameReleasesAfterIt) {
    ShellKit k;
    k.engine.onGameMain = [&k](int frame) {
        if (frame == 3) {
            k.host.pushKey(platform::VK_RETURN);
            k.host.send(platform::WM_DESTROY);
        }
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    const Calls& c = k.engine.calls;
    EXPECT_EQ(k.engine.frames, 3);
    EXPECT_LT(IndexOf(c, "GameDrawFunc 3"), IndexOf(c, "GameRelease"));
    EXPECT_EQ(k.engine.callsStartingWith("GameRelease").size(), 1u);
}

TEST(Shell, MenuRequestsLastOneFrame) {
    ShellKit k;
    std::vector<std::uint32_t> seen;
    const auto& items = k.host.menu().items();
    k.engine.onGameMain = [&](int frame) {
        const ShellState& s = CurrentShellState();
        seen.push_back(s.saveRequest * 100 + s.loadRequest * 10 + s.configRequest);
        auto centre = [&](int i) {
            const auto& b = items[static_cast<std::size_t>(i)].bounds;
            return std::pair((b.left + b.right) / 2, -10);
        };
        if (frame == 1) {
            const auto [x, y] = centre(0);
            k.host.pushClick(x, y);
        }
        if (frame == 3) {
            EXPECT_EQ(MenuStatusChange(3, 0), 1);
            for (int i : {0, 1, 2}) {
                const auto [x, y] = centre(i);
                k.host.pushClick(x, y);
            }
        }
        if (frame == 5) {
            EXPECT_EQ(MenuStatusChange(3, 1), 1);
            const int x = centre(1).first;
            const auto button = [&](PlatformEvent::Kind kind, int y) {
                k.host.push({.kind = kind, .key = platform::VK_LBUTTON, .x = x, .y = y});
            };
            // Pressed on the item, released off it, pressed again and given up by Escape.
            button(PlatformEvent::Kind::ButtonDown, -10);
            button(PlatformEvent::Kind::ButtonUp, 50);
            button(PlatformEvent::Kind::ButtonDown, -10);
            k.host.push({.kind = PlatformEvent::Kind::KeyDown, .key = platform::VK_ESCAPE});
        }
        if (frame == 7) k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{0, 100, 0, 1, 0, 0, 0}));
    EXPECT_EQ(k.engine.callsStartingWith("GameDrawStop").size(), 6u);
    EXPECT_EQ(k.engine.frames, 7);

    CurrentShellState().hMenu = nullptr;
    EXPECT_EQ(MenuStatusChange(1, 0), 0);
    EXPECT_EQ(k.kit.debugLines().back(), "Error: <MenuStatusChange> メニューの設定に失敗しました");
}

TEST(Shell, AboutBoxPointerAndPaint) {
    for (int before : {-1, 0}) {
        ShellKit k;
        std::vector<int> during;
        int after = 99;
        k.host.onRefresh = [&] {
            if (k.host.openDialog() != nullptr) {
                during.push_back(platform::CursorCount() * 10 +
                                 static_cast<int>(CurrentShellState().dialogOpen));
            }
        };
        k.engine.onGameMain = [&](int frame) {
            if (frame == 1) {
                while (platform::CursorCount() > before) platform::ShowCursor(false);
                const auto& b = k.host.menu().items()[3].bounds;
                k.host.pushClick((b.left + b.right) / 2, -5);
                k.host.push({.kind = PlatformEvent::Kind::Exposed});
                k.host.pushKey(platform::VK_RETURN);
            }
            if (frame == 2) {
                after = platform::CursorCount();
                k.host.push({.kind = PlatformEvent::Kind::Exposed});
                k.host.push({.kind = PlatformEvent::Kind::Terminate});
            }
            return 1u;
        };
        EXPECT_EQ(k.run(), 0);
        ASSERT_FALSE(during.empty());
        EXPECT_GE(during.front(), 1);  // visible, and the box counts as open
        EXPECT_EQ(during.front() % 10, 1);
        EXPECT_EQ(after, before < 0 ? before : before + 1);
        // The paint inside the box draws nothing; the one after it draws a frame.
        EXPECT_EQ(k.engine.callsStartingWith("GameDrawFunc").size(), 3u);
    }
}

TEST(Shell, ThePointerIsShownAgainAtExitWithinItsTries) {
    const struct {
        int hidden;  // the display count the game leaves
        int after;
    } cases[] = {{-1, 0}, {-102, 0}, {-103, -1}};
    for (const auto& c : cases) {
        ShellKit k;
        k.engine.onGameMain = [&](int) {
            while (platform::CursorCount() > c.hidden) platform::ShowCursor(false);
            k.host.push({.kind = PlatformEvent::Kind::Terminate});
            return 1u;
        };
        EXPECT_EQ(k.run(), 0);
        EXPECT_EQ(platform::CursorCount(), c.after) << c.hidden;
    }
}

TEST(Shell, KeysPressedInADialogStayUpForTheGame) {
    ShellKit k;
    std::vector<bool> returnDown;
    k.engine.onGameMain = [&](int frame) {
        returnDown.push_back(k.maskedInput.isKeyDown(platform::VK_RETURN));
        if (frame == 1) {
            for (int key :
                 {int{platform::VK_ESCAPE}, int{platform::VK_TAB}, int{platform::VK_RETURN}}) {
                k.host.push({.kind = PlatformEvent::Kind::KeyDown, .key = key});
            }
            k.kit.input.setKey(platform::VK_RETURN, true);
        }
        if (frame == 3) k.kit.input.setKey(platform::VK_RETURN, false);
        if (frame == 4) k.kit.input.setKey(platform::VK_RETURN, true);
        if (frame == 5) k.host.push({.kind = PlatformEvent::Kind::Terminate});
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    EXPECT_EQ(returnDown, (std::vector<bool>{false, false, false, false, true}));
}

TEST(Shell, InactiveTitleBringsTheWindowForwardEvery250ms) {
    ShellKit k;
    k.engine.mode = 3;
    std::uint32_t lostAt = 0;
    k.engine.onGameMain = [&](int frame) {
        if (frame == 1) {
            lostAt = k.kit.clock.now();
            k.host.push({.kind = PlatformEvent::Kind::FocusLost});
            k.host.pushAt(lostAt + 600, {.kind = PlatformEvent::Kind::Terminate});
        }
        return 1u;
    };
    EXPECT_EQ(k.run(), 0);
    std::vector<std::string> forward;
    for (const auto& a : k.host.actions()) {
        if (a.rfind("forward", 0) == 0) forward.push_back(a);
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"forward @" + std::to_string(lostAt),
                                                 "forward @" + std::to_string(lostAt + 250),
                                                 "forward @" + std::to_string(lostAt + 500)}));
    EXPECT_EQ(k.engine.frames, 1);
}

TEST(Shell, ASecondStartSaysWhetherItBroughtTheFirstForwardAndLeaves) {
    const struct {
        bool answers;
        const char* line;
    } cases[] = {
        {true, "Message: <WinMain> 既に起動しています。そのウィンドウを前面に出しました"},
        {false, "Message: <WinMain> 既に起動しています"},
    };
    for (const auto& c : cases) {
        ShellKit k;
        zktest::FirstInstance first(k.instanceName, c.answers);
        ASSERT_TRUE(first.acquired());
        EXPECT_EQ(k.run(), 0);
        EXPECT_EQ(k.kit.debugLines(), Calls{c.line});
        EXPECT_TRUE(k.engine.calls.empty());
        EXPECT_TRUE(k.host.actions().empty());
        EXPECT_FALSE(zktest::FileExists("cursor.txt"));
    }
}

TEST(Shell, NoWindowEndsAtOnceWithNothingStarted) {
    ShellKit k;
    k.host.failCreation();
    EXPECT_EQ(k.run(), 1);
    EXPECT_TRUE(k.engine.calls.empty());
    EXPECT_FALSE(zktest::FileExists("env.env"));
}
