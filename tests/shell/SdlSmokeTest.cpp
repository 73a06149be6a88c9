#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "PlayedGame.h"
#include "app/EngineForwarder.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/audio/SdlAudioDevice.h"
#include "platform/core/Services.h"
#include "platform/input/MaskedInputSource.h"
#include "platform/input/SdlInputSource.h"
#include "platform/video/Letterbox.h"
#include "platform/video/Surface.h"
#include "platform/video/WindowDisplay.h"
#include "platform/window/SdlWindowHost.h"
#include "platform/window/WindowMessageBox.h"
#include "shell/EnvData.h"
#include "shell/ScreenMode.h"
#include "shell/Shell.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/CaptureLogSink.h"
#include "support/DemoData.h"
#include "support/MakeMovie.h"
#include "support/MovieBand.h"
#include "support/RecordingShellEngine.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"
#include "support/WindowTestBench.h"
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
    int SpriteChangeScreenMode(std::uint32_t full, std::uint32_t bits) override {
        return sprite.ChangeScreenMode(full, bits);
    }
    std::uint32_t SpriteGetFullScreen() const override { return sprite.GetFullScreen(); }
    std::uint32_t SpriteGetDisplayBits() const override { return sprite.GetDisplayBits(); }
    int SpriteD3DXDrawStart() override { return sprite.D3DXDrawStart(); }
    int SpriteD3DXDrawEnd() override { return sprite.D3DXDrawEnd(); }
    void SystemGetMousePos(int* x, int* y) const override { system.GetMousePos(x, y); }
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
    std::uint32_t GameMainFunc() override {
        system.MainLoop(nullptr);
        return RecordingShellEngine::GameMainFunc();
    }
    void SystemSetYOffset(int y) override { system.SetYOffset(y); }
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

void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    SDL_PushEvent(&e);
}

void PushButton(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

bool DriverIs(const char* name) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    return driver != nullptr && std::string(driver) == name;
}

void PushKey(SDL_Keycode sym, SDL_Scancode scancode) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    SDL_PushEvent(&e);
}

// The program's SDL services in a private folder, as the game's main installs them.
struct SdlServices {
    zktest::TempWorkDir dir;
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

    int run(ShellEngine& engine) {
        return WinMain(engine, host, ("zktest-smoke-" + dir.path().filename().string()).c_str());
    }
};

struct SdlShell : SdlServices {
    QuadrantEngine engine;

    int run() { return SdlServices::run(engine); }
};

ColorRef PictureAt(const platform::SdlWindowHost& host, int x, int y) {
    ColorRef c = 0;
    host.picture().surface().getPixel(x, y, c);
    return c;
}

}  // namespace

TEST(SdlSmoke, DummyDriverShowsTheFrameAndQuitsOnTheAnswer) {
    if (!DriverIs("dummy")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=dummy";
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
            PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
            PushKey(SDLK_y, SDL_SCANCODE_Y);
        }
        return 1u;
    };
    EXPECT_EQ(s.run(), 0);
    EXPECT_EQ(s.engine.frames, 6);
    EXPECT_EQ(zktest::ReadFileBytes("env.env").size(), 176u);
}

// Run by ctest under Xvfb with the x11 driver: a real window, pointer and strip.
TEST(SdlXvfb, WindowPointerAndStrip) {
    if (!DriverIs("x11")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=x11 under Xvfb";
    SdlShell s;
    s.engine.afterSoundStart = [] { PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED); };
    std::vector<int> configSeen;
    int w = 0, h = 0;
    s.engine.onGameMain = [&](int frame) {
        configSeen.push_back(static_cast<int>(CurrentShellState().configRequest));
        if (frame == 3) {
            SDL_GetWindowSize(s.host.sdlWindow(), &w, &h);
            int rw = 0, rh = 0;
            const auto pixels = s.host.readBack(rw, rh);
            EXPECT_EQ(rw * rh, 800 * 620);
            for (int i = 0; i < 4 && rw * rh == 800 * 620; ++i) {
                const int x = (i % 2) * 400 + 200;
                const int y = (i / 2) * 300 + 170;
                const ColorRef c = kQuadrants[i];
                const std::uint32_t xrgb = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
                EXPECT_EQ(pixels[static_cast<std::size_t>(y * 800 + x)], xrgb) << i;
            }
            s.engine.system.SetMousePos(123, 45);
        }
        if (frame == 4) {
            int x = 0, y = 0;
            s.engine.system.GetMousePos(&x, &y);
            EXPECT_EQ(x, 123);
            EXPECT_EQ(y, 45);
            const auto& item = s.host.menu().items()[2].bounds;
            PushButton(SDL_MOUSEBUTTONDOWN, (item.left + item.right) / 2, 10);
            PushButton(SDL_MOUSEBUTTONUP, (item.left + item.right) / 2, 10);
        }
        if (frame == 6) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
        return 1u;
    };
    EXPECT_EQ(s.run(), 0);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 620);
    EXPECT_EQ(configSeen, (std::vector<int>{0, 0, 0, 0, 1, 0}));
}

// What reaches the X server is the picture, pixel for pixel: a whole picture, a part
// that changed, and the whole picture from another surface. The window is mapped
// and exposed in its own time; events are handled until the server holds the
// picture, or give up after a second.
TEST(SdlXvfb, EachPictureReachesTheServerWholeOrInPart) {
    if (!DriverIs("x11")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=x11 under Xvfb";
    zktest::TempWorkDir dir;
    platform::SdlWindowHost host("screen", {});
    ASSERT_NE(
        host.create([](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; }),
        nullptr);
    host.show();
    const auto onScreen = [&] {
        int w = 0, h = 0, sw = 0, sh = 0;
        for (int tries = 0; tries < 100; ++tries) {
            while (host.pumpEvent(0)) {
            }
            const std::vector<std::uint32_t> held = host.readBack(w, h);
            if (!held.empty() && host.readScreen(sw, sh) == held) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    };
    platform::Surface frame(800, 600, platform::PixelFormat::ForDepth(32));
    frame.fill(frame.bounds(), 0x0000FF);
    host.presentFrame(frame);
    EXPECT_TRUE(onScreen()) << "whole";
    frame.fill({700, 300, 720, 310}, 0x00FF00);
    host.presentFrame(frame, {700, 300, 720, 310});
    EXPECT_TRUE(onScreen()) << "a part";
    platform::Surface other = frame;
    other.fill({0, 0, 800, 300}, 0xFF0000);
    host.presentFrame(other, {0, 0, 10, 10});
    EXPECT_TRUE(onScreen()) << "another surface";
    host.destroy();
}

namespace {

// The screen's pixel over a picture pixel, 0x00RRGGBB.
std::uint32_t ScreenAt(const platform::SdlWindowHost& host, int x, int y) {
    int w = 0, h = 0;
    const std::vector<std::uint32_t> pixels = host.readBack(w, h);
    const platform::Letterbox box = host.letterbox();
    const int sx = box.left() + static_cast<int>((x + 0.5) * box.scale());
    const int sy = box.top() + static_cast<int>((y + 0.5) * box.scale());
    return sx < w && sy < h ? pixels[static_cast<std::size_t>(sy * w + sx)] : 0xFFFFFFFFu;
}

// Moves the pointer over a picture pixel as the player would. Xvfb has no window
// manager to move a full-screen window, so the point is found from where SDL
// places the window, as the pointer is read.
void PointTo(const platform::SdlWindowHost& host, int x, int y) {
    const platform::Letterbox box = host.letterbox();
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(host.sdlWindow(), &wx, &wy);
    SDL_WarpMouseGlobal(wx + box.left() + static_cast<int>((x + 0.5) * box.scale()),
                        wy + box.top() + static_cast<int>((y + 0.5) * box.scale()));
}

std::uint32_t Xrgb(ColorRef c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

}  // namespace

// To 16-bit full screen and back in a real window: the picture letterboxed, the
// strip over its top rows while the pointer is there, the window form again after.
TEST(SdlXvfb, FullScreenAndBackWithTheStripOverThePicture) {
    if (!DriverIs("x11")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=x11 under Xvfb";
    SdlShell s;
    s.engine.afterSoundStart = [] { PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED); };
    const std::uint32_t green = Xrgb(kQuadrants[1]);
    std::vector<std::uint32_t> band;
    s.engine.onGameMain = [&](int frame) {
        const platform::WindowHandle hWnd = CurrentShellState().hWnd;
        if (frame == 2) {
            EXPECT_EQ(ChangeScreenMode(1, 16, hWnd), 1);
        }
        if (frame == 4) {
            EXPECT_TRUE(s.host.fullScreen());
            EXPECT_EQ(s.engine.sprite.pBack->format().storage, platform::PixelStorage::Rgb565);
            EXPECT_EQ(s.host.picture().surface().height(), 600);
            band.push_back(ScreenAt(s.host, 790, 5));
            PointTo(s.host, 400, 5);
        }
        if (frame == 6) {
            band.push_back(ScreenAt(s.host, 790, 5));
            EXPECT_EQ(ScreenAt(s.host, 790, 30), green) << "the picture below the band";
            PointTo(s.host, 400, 300);
        }
        if (frame == 8) {
            band.push_back(ScreenAt(s.host, 790, 5));
            EXPECT_EQ(ChangeScreenMode(0, 32, hWnd), 1);
        }
        if (frame == 10) {
            int w = 0, h = 0;
            EXPECT_EQ(s.host.readBack(w, h).size(), 800u * 620u);
            SDL_GetWindowPosition(s.host.sdlWindow(), &w, &h);
            EXPECT_EQ(w, (1280 - 800) / 2) << "centred on the 1280 x 1024 screen";
            EXPECT_NE(ScreenAt(s.host, 790, 5), green) << "the window's strip";
            EXPECT_EQ(ScreenAt(s.host, 790, 30), green);
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
        return 1u;
    };
    EXPECT_EQ(s.run(), 0);
    ASSERT_EQ(band.size(), 3u);
    EXPECT_EQ(band[0], green) << "no strip before the pointer comes up";
    EXPECT_NE(band[1], green) << "the strip over the picture";
    EXPECT_EQ(band[2], green) << "gone once the pointer left";
}

namespace {

// The game's own engine objects.
struct RealObjects {
    ZKSYSTEM system;
    ZKSPRITE sprite;
    ZKSND snd;
    GAMEMAIN game;
};

// The production forwarding with a look at the window before each frame.
class WatchedForwarder : public EngineForwarder {
public:
    explicit WatchedForwarder(RealObjects& o)
        : EngineForwarder(o.system, o.sprite, o.snd, o.game, CurrentShellState()) {}

    std::function<void()> beforeFrame = [] {};

    std::uint32_t GameMainFunc() override {
        beforeFrame();
        return EngineForwarder::GameMainFunc();
    }
};

// The demo's files linked into the current folder's dat/.
void LinkDemo() {
    namespace fs = std::filesystem;
    fs::create_directory("dat");
    for (const auto& entry : fs::directory_iterator(zktest::DemoData::Dir() + "/dat")) {
        fs::create_symlink(entry.path(), fs::path("dat") / entry.path().filename());
    }
}

// The start of every shell script that runs the game program: its guard's files go
// to a private folder of the test's own, so that a game the user has open anywhere
// does not make these starts leave at once.
constexpr const char* kOwnGuard =
    "mkdir -m 700 guard && export XDG_RUNTIME_DIR=\"$PWD/guard\" || exit 99; ";

// Runs a shell script that starts the game program as "$0".
platform::ProcessResult RunGameScript(const std::string& script) {
    return platform::RunProcess({"sh", "-c", kOwnGuard + script, zktest::ToolPath("zkgame")});
}

std::size_t CountIn(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace

TEST(SdlSmoke, TheLogoAndTheMovieRunInRealTimeUpToTheTitleMenu) {
    if (!DriverIs("dummy")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=dummy";
    platform::CaptureLogSink log;
    platform::ScopedService<platform::LogSink> logScope(log);
    SdlServices sdl;
    const std::string mix = (sdl.dir.path() / "mix.raw").string();
    // The disk driver takes the mix in real time, which the movie's clock follows; what
    // the mix holds is the sound tests'. ctest runs each test in its own process, so the
    // driver needs no restoring.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", mix.c_str(), 1);
    unsetenv("SDL_DISKAUDIODELAY");
    LinkDemo();
    // A numbered three-second movie in place of the opening, whose pictures are counted.
    std::filesystem::remove("dat/Mov.vid");
    zktest::MakeMovie(mkdemo::MovieRecipe::GameSize(), "dat/Mov.vid");
    RealObjects objects;
    WatchedForwarder engine(objects);
    std::vector<int> modes, pictures;
    bool quitPosted = false;
    const auto start = std::chrono::steady_clock::now();
    engine.beforeFrame = [&] {
        const int mode = objects.game.GetMode();
        if (modes.empty() || modes.back() != mode) modes.push_back(mode);
        int width = 0, height = 0;
        const std::vector<std::uint32_t> shown = sdl.host.readBack(width, height);
        const int number =
            width == 800 && height == 620 ? zktest::MovieBand::Read(shown, 800, 0, 20, 800) : -1;
        if (number >= 0 && (pictures.empty() || pictures.back() != number))
            pictures.push_back(number);
        if (mode == 3 && objects.game.GetProcStep() == 10 && !quitPosted) {
            quitPosted = true;
            sdl.host.postQuit(0);
        }
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(60)) {
            ADD_FAILURE() << "still running after a minute";
            sdl.host.postQuit(0);
        }
    };
    EXPECT_EQ(sdl.run(engine), 0);

    EXPECT_TRUE(quitPosted);
    EXPECT_GE(pictures.size(), 20u) << ::testing::PrintToString(pictures);
    EXPECT_EQ(modes, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(zktest::ReadFileBytes("env.env").size(), 176u);
}

// The game program itself, held at the first of two Init.spt warning boxes by
// the dummy drivers, gets SIGTERM: it ends at once and cleanly, and the second
// box closes as it opens instead of holding the end up.
TEST(SdlSmoke, ASignalEndsTheProgramWhileItsBoxesAreOpen) {
    zktest::TempWorkDir dir;
    LinkDemo();
    const std::string init = zktest::DemoData::PlainScript("Init.spt");
    zktest::DemoData::WriteVariant(
        "Scenario.dat", {{"Init.spt", zktest::DemoData::CodedScript(init + "#NOPE\r\n#NOPE\r\n")}},
        "dat/Scenario.dat");
    // SIGTERM once the first box's line is out, however slowly the machine starts the
    // game; SIGKILL, and status 137, when it still runs half a minute later.
    const char* script =
        "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \"$0\" 2>err.txt & game=$!; n=0; "
        "until grep -q InitScrExe err.txt || [ $n -ge 1200 ]; do sleep 0.05; n=$((n+1)); done; "
        "kill -TERM $game; (sleep 30; kill -KILL $game) >/dev/null 2>&1 & watch=$!; "
        "wait $game; status=$?; kill $watch; exit $status";
    platform::ProcessResult run = RunGameScript(script);
    run.err = zktest::ReadFileBytes("err.txt");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(CountIn(run.err, "行目で警告が発生しました"), 2u) << run.err;
    EXPECT_EQ(CountIn(run.err, "InitScrExeで警告を発しています"), 2u) << run.err;
    EXPECT_EQ(zktest::ReadFileBytes("env.env").size(), 176u);
    EXPECT_TRUE(std::filesystem::exists("sav/sav00.sav"));
    EXPECT_FALSE(std::filesystem::exists("tmp"));
}

// Two games on two X servers both run for one user; a later start on the first's
// display brings that one forward and leaves. The servers' GL libraries leak at exit,
// as in the window tests, so leak checking is off for the games.
TEST(SdlSmoke, OneGameRunsOnEachDisplayAndALaterStartRaisesItsOwn) {
    zktest::TempWorkDir dir;
    LinkDemo();
    const char* script =
        "export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0; "
        "mkdir one two && ln -s \"$PWD/dat\" one/dat && ln -s \"$PWD/dat\" two/dat || exit 99; "
        "Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>d1 2>/dev/null & x1=$!; "
        "Xvfb -displayfd 4 -nolisten tcp -screen 0 1024x768x24 4>d2 2>/dev/null & x2=$!; "
        "(sleep 90; kill -KILL $x1 $x2) >/dev/null 2>&1 & watch=$!; "
        "wait_for() { n=0; until grep -q \"$1\" \"$2\" 2>/dev/null || [ $n -ge 600 ]; "
        "do sleep 0.05; n=$((n+1)); done; }; "
        "wait_for . d1; wait_for . d2; "
        "(cd one && DISPLAY=:$(cat ../d1) exec \"$0\" 2>../one.txt) & g1=$!; "
        "(cd two && DISPLAY=:$(cat ../d2) exec \"$0\" 2>../two.txt) & g2=$!; "
        "wait_for ZKSPRITE::Initialize one.txt; wait_for ZKSPRITE::Initialize two.txt; "
        // Asked again while the first is still too busy starting to answer.
        "n=0; until grep -q 前面 three.txt 2>/dev/null || [ $n -ge 20 ]; do "
        "(cd one && DISPLAY=:$(cat ../d1) timeout 10 \"$0\" 2>../three.txt); n=$((n+1)); done; "
        "kill -0 $g1 && kill -0 $g2 && echo both running; "
        "kill -TERM $g1 $g2; wait $g1; s1=$?; wait $g2; s2=$?; "
        "kill $x1 $x2 $watch; echo ended $s1 $s2";
    const platform::ProcessResult run = RunGameScript(script);
    const std::string one = zktest::ReadFileBytes("one.txt");
    const std::string two = zktest::ReadFileBytes("two.txt");
    const std::string three = zktest::ReadFileBytes("three.txt");
    EXPECT_EQ(run.out, "both running\nended 0 0\n") << run.err << one << two << three;
    EXPECT_EQ(CountIn(one + two, "既に起動しています"), 0u) << one << two;
    EXPECT_EQ(
        CountIn(three, "Message: <WinMain> 既に起動しています。そのウィンドウを前面に出しました"),
        1u)
        << three;
    EXPECT_TRUE(std::filesystem::is_empty("guard"));
}

namespace {

// Title item k's rim, two pixels in from its corner, in its look as it stands or
// pointed at.
constexpr int kSettingsItem = 3;
std::uint32_t TitleCell(int nItem, bool pointedAt) {
    const char* const names[] = {"はじめから", "つづきから", "設定", "おまけ", "終了"};
    return zktest::WindowTestBench::ArtCellColor(
        "TtlMaterial_Surf", std::string(names[nItem - 1]) + (pointedAt ? "・選択" : ""));
}

bool TitleItemShows(const PlayedGame& game, int nItem, bool pointedAt) {
    return game.gamePixel(242, 322 + 40 * (nItem - 1)) == TitleCell(nItem, pointedAt);
}

// The demo in the current folder, the game started over it, and its title menu
// standing: Ctrl held through the logo goes past the opening movie.
void ReachTheTitle(PlayedGame& game) {
    ASSERT_TRUE(game.started());
    ASSERT_TRUE(PlayedGame::await([&] { return game.window() || !game.running(); },
                                  std::chrono::seconds(60)) &&
                game.running())
        << zktest::ReadFileBytes("err.txt");
    game.key("ctrl", true);
    const bool standing = PlayedGame::await(
        [&] { return TitleItemShows(game, kSettingsItem, false); }, std::chrono::seconds(60));
    game.key("ctrl", false);
    ASSERT_TRUE(standing) << zktest::ReadFileBytes("err.txt");
}

void PointAtTheSettingsItem(const PlayedGame& game) {
    ASSERT_TRUE(game.pointAt(400, 420));
    ASSERT_TRUE(PlayedGame::await([&] { return TitleItemShows(game, kSettingsItem, true); },
                                  std::chrono::seconds(10)))
        << "pointed at, with no button pressed";
}

}  // namespace

// Run by ctest, each on a bare X server of its own: the pointer warped over a title
// item lights it.
TEST(SdlXvfbGame, AWarpedPointerLightsATitleItemInAWindow) {
    if (!DriverIs("x11")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=x11 under Xvfb";
    zktest::TempWorkDir dir;
    LinkDemo();
    PlayedGame game(false);
    ASSERT_NO_FATAL_FAILURE(ReachTheTitle(game));
    ASSERT_NO_FATAL_FAILURE(PointAtTheSettingsItem(game));
    EXPECT_EQ(game.end(), 0);
}

// Full screen on a screen wider than the picture covers it with the whole picture
// between bars; the pointer maps through the same letterbox, and a click on the
// settings item shown opens the settings screen.
TEST(SdlXvfbGame, FullScreenWithoutAWindowManagerShowsAndTakesTheWholePicture) {
    if (!DriverIs("x11")) GTEST_SKIP() << "needs SDL_VIDEODRIVER=x11 under Xvfb";
    zktest::TempWorkDir dir;
    LinkDemo();
    EnvSettings env;
    env.settings.fullScreen = 1;
    zktest::WriteFileBytes("env.env", FormatEnvSettings(env));
    PlayedGame game(true);
    ASSERT_NO_FATAL_FAILURE(ReachTheTitle(game));
    EXPECT_EQ(game.window(), game.screen());
    ASSERT_NO_FATAL_FAILURE(PointAtTheSettingsItem(game));
    ASSERT_TRUE(game.click());
    const std::uint32_t panel = zktest::WindowTestBench::ArtCellColor("ConfigMaterial", "panel");
    EXPECT_TRUE(PlayedGame::await([&] { return game.gamePixel(69, 78) == panel; },
                                  std::chrono::seconds(20)))
        << "the settings screen's panel";
    EXPECT_EQ(game.end(), 0);
}
