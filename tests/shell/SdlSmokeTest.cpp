#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "graphics/ZKSPRITE.h"
#include "platform/MaskedInputSource.h"
#include "platform/SdlAudioDevice.h"
#include "platform/SdlInputSource.h"
#include "platform/SdlWindowHost.h"
#include "platform/Services.h"
#include "platform/WindowDisplay.h"
#include "platform/WindowMessageBox.h"
#include "shell/Shell.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/RecordingShellEngine.h"
#include "support/TempWorkDir.h"
#include "system/ZKSYSTEM.h"

namespace {

using platform::ColorRef;

constexpr ColorRef kQuadrants[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};

// The real system, graphics and sound objects under the shell, and a game that
// draws four coloured quadrants.
class QuadrantEngine : public zktest::RecordingShellEngine {
public:
    ZKSYSTEM system;
    ZKSPRITE sprite;
    ZKSND snd;
    std::function<void()> afterSoundStart = [] {};

    void SpriteInitD3DX() override { sprite.InitD3DX(); }
    int SpriteInitialize(platform::WindowHandle hWnd, std::uint32_t w, std::uint32_t h,
                         std::uint32_t bits, std::uint32_t full) override {
        return sprite.Initialize(hWnd, nullptr, w, h, bits, full);
    }
    std::int32_t SpriteDDFlipToGDI() override { return sprite.DDFlipToGDI(); }
    void SpriteRelease() override { sprite.Release(); }
    void SpriteDeleteD3DX() override { sprite.DeleteD3DX(); }
    int SndInitialize(platform::WindowHandle hWnd, std::uint32_t style) override {
        const int result = snd.Initialize(hWnd, nullptr, style);
        afterSoundStart();
        return result;
    }
    std::int32_t SndRelease() override { return snd.Release(); }
    void SystemInitialize(platform::WindowHandle hWnd, int clear) override {
        system.Initialize(hWnd, clear);
    }
    void SystemRelease() override { system.Release(); }
    std::uint32_t GameDrawFunc() override {
        RecordingShellEngine::GameDrawFunc();
        sprite.D3DXDrawStart();
        for (int i = 0; i < 4; ++i) {
            const platform::Rect r{(i % 2) * 400, (i / 2) * 300, (i % 2) * 400 + 400,
                                   (i / 2) * 300 + 300};
            sprite.DDFillRect(-1, &r, kQuadrants[i]);
        }
        return sprite.D3DXDrawEnd() == 1 ? 1u : 0u;
    }
};

void PushKey(SDL_Keycode sym, SDL_Scancode scancode) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    SDL_PushEvent(&e);
}

struct SdlShell {
    zktest::TempWorkDir dir;
    QuadrantEngine engine;
    platform::SdlWindowHost host{"smoke", {}};
    platform::SdlInputSource sdlInput{host};
    platform::MaskedInputSource input{sdlInput, host.inputMask()};
    platform::WindowDisplay display{host};
    platform::WindowMessageBox box{host};
    platform::SdlAudioDevice audio;
    platform::ScopedService<platform::InputSource> inputScope{input};
    platform::ScopedService<platform::Display> displayScope{display};
    platform::ScopedService<platform::MessageBox> boxScope{box};
    platform::ScopedService<platform::AudioDevice> audioScope{audio};

    int run() {
        return WinMain(engine, host, ("zktest-smoke-" + dir.path().filename().string()).c_str());
    }
};

ColorRef PictureAt(const platform::SdlWindowHost& host, int x, int y) {
    ColorRef c = 0;
    host.picture().surface().getPixel(x, y, c);
    return c;
}

}  // namespace

TEST(SdlSmoke, DummyDriverRunsQuitsAndWarns) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver == nullptr || std::string(driver) != "dummy")
        GTEST_SKIP() << "needs SDL_VIDEODRIVER=dummy";
    {
        SdlShell s;
        std::vector<ColorRef> seen;
        s.engine.onGameMain = [&](int frame) {
            if (frame == 2 || frame == 5) {
                seen = {PictureAt(s.host, 400, 10), PictureAt(s.host, 10, 30),
                        PictureAt(s.host, 799, 30), PictureAt(s.host, 10, 619),
                        PictureAt(s.host, 799, 619)};
                EXPECT_NE(seen[0], kQuadrants[0]);
                EXPECT_EQ(std::vector<ColorRef>(seen.begin() + 1, seen.end()),
                          std::vector<ColorRef>(std::begin(kQuadrants), std::end(kQuadrants)));
            }
            if (frame == 3) {
                PushKey(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
                PushKey(SDLK_TAB, SDL_SCANCODE_TAB);
                PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN);
            }
            if (frame == 6) {
                SDL_Event close{};
                close.type = SDL_WINDOWEVENT;
                close.window.event = SDL_WINDOWEVENT_CLOSE;
                SDL_PushEvent(&close);
                PushKey(SDLK_y, SDL_SCANCODE_Y);
            }
            return 1u;
        };
        EXPECT_EQ(s.run(), 0);
        EXPECT_EQ(s.engine.frames, 6);
        EXPECT_EQ(zktest::ReadFileBytes("env.env").size(), 176u);
    }
    {
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        SdlShell s;
        s.engine.afterSoundStart = [] {
            PushKey(SDLK_TAB, SDL_SCANCODE_TAB);
            PushKey(SDLK_SPACE, SDL_SCANCODE_SPACE);
            PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN);
        };
        s.engine.onGameMain = [](int) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return 1u;
        };
        EXPECT_EQ(s.run(), 0);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        const std::string env = zktest::ReadFileBytes("env.env");
        EXPECT_EQ(env.substr(0, env.find('\n')), zktest::Sjis(u8"サウンド警告: OFF"));
        EXPECT_EQ(CurrentShellState().soundAvailable, 0u);
    }
}
