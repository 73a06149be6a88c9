#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "game/GameContext.h"
#include "game/GameHost.h"
#include "game/ShellWords.h"
#include "platform/input/VirtualKeys.h"
#include "support/WindowTestBench.h"
#include "windows/CONFIG_DATA.h"

namespace zktest {

// The shell's actions, with every screen-mode change recorded and answered as told.
class RecordingGameHost final : public GameHost {
public:
    void SetMenuAttached(bool) override {}
    int MenuStatusChange(std::int32_t, std::uint32_t) override { return 1; }
    std::int32_t ChangeScreenMode(std::uint32_t nFullScreen, std::uint32_t nColourDepth) override {
        calls.emplace_back(nFullScreen, nColourDepth);
        return answer;
    }
    void SendDestroyMessage() override {}

    std::vector<std::pair<std::uint32_t, std::uint32_t>> calls;
    std::int32_t answer = 1;
};

struct Point {
    int x, y;
};

// The settings screen on the window bench, over the bench's shell words, a message
// speed and two toggles of its own, and a recording host. Frames run at Time(k).
struct ConfigScreenBench : ::testing::Test {
    static constexpr Point kNowhere{5, 5};

    WindowTestBench bench;
    RecordingGameHost host;
    GameContext context = *bench.context;
    ShellWords& shell = *context.pShell;
    std::uint32_t speed = 1000;
    std::uint32_t autoFlg = 0;
    std::uint32_t skipFlg = 0;
    CONFIG_DATA screen;
    int frame = 0;

    ConfigScreenBench() { context.pHost = &host; }
    ~ConfigScreenBench() override { screen.Release(); }

    CONFIG_LIVE Live() {
        return {&speed,
                &autoFlg,
                &skipFlg,
                &shell.settings.bgmOn,
                &shell.settings.bgmVolume,
                &shell.settings.voiceOn,
                &shell.settings.voiceVolume,
                &shell.settings.seOn,
                &shell.settings.seVolume,
                &shell.settings.fullScreen,
                &shell.settings.colourDepth};
    }
    void Open(std::int32_t displayBits = 32) {
        ASSERT_EQ(screen.Initialize(Live(), displayBits, &context), 1);
        int calls = 0;
        while (screen.WindowOpen(100) == 0) ASSERT_LT(++calls, 10);
    }
    // The centre of a control of the open panel.
    static Point At(std::int32_t id) {
        const CONFIG_CONTROL& c = *FindConfigControl(id);
        const bool screenRect = id == kConfigYes || id == kConfigNo;
        const int x = screenRect ? 0 : 64;
        const int y = screenRect ? 0 : 76;
        return {x + c.rcHit.left + (c.rcHit.right - c.rcHit.left) / 2,
                y + c.rcHit.top + (c.rcHit.bottom - c.rcHit.top) / 2};
    }
    // One frame's standby, with the keys released in this frame.
    int Standby(Point p, KEY_STATE left = KEY_STATE_UP, std::vector<int> released = {},
                KEY_STATE right = KEY_STATE_UP, std::uint32_t inGame = 1) {
        for (const int key : released) bench.kit.sprites.kit.input.setKey(key, true);
        bench.sys->KeyScan();
        for (const int key : released) bench.kit.sprites.kit.input.setKey(key, false);
        bench.sys->KeyScan();
        return screen.WindowStandby(p.x, p.y, left, right, WindowTestBench::Time(++frame), inGame);
    }
    // The pointer onto the control, then a click on it: the click's result.
    int Click(std::int32_t id, std::uint32_t inGame = 1) {
        Standby(At(id), KEY_STATE_UP, {}, KEY_STATE_UP, inGame);
        return Standby(At(id), KEY_STATE_RELEASED, {}, KEY_STATE_UP, inGame);
    }
    Point Pointer() const {
        Point p{};
        bench.sys->GetMousePos(&p.x, &p.y);
        return p;
    }
    std::uint32_t Effects(int record) const { return bench.effects(record); }
};

}  // namespace zktest
