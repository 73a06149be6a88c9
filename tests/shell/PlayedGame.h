#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/input/InputSource.h"
#include "platform/video/Rect.h"

struct _XDisplay;

// The game program itself, started in the current folder on the X display of the
// test (no window manager), with a single-instance guard folder of its own. The test
// looks at the screen and moves the pointer as a player's tools do: the pointer is
// warped by xdotool, buttons and keys come from the X server's test extension.
class PlayedGame {
public:
    explicit PlayedGame(bool fullScreen);
    ~PlayedGame();
    PlayedGame(const PlayedGame&) = delete;
    PlayedGame& operator=(const PlayedGame&) = delete;

    bool started() const { return started_; }
    // False once the program has ended, by itself or by end().
    bool running();
    // The game window's place on the screen, once it is shown.
    std::optional<platform::Rect> window() const;
    platform::Rect screen() const;
    // The screen's pixel (0xRRGGBB) over a pixel of the game area, through the
    // letterbox of the window's present size; empty while no window is shown.
    std::optional<std::uint32_t> gamePixel(int x, int y) const;
    // Warps the pointer over a pixel of the game area; false when that could not be done.
    bool pointAt(int x, int y) const;
    // Holds the left button for a few frames, then releases it.
    bool click() const;
    // Presses or releases a key by its X name.
    bool key(const char* name, bool down) const;
    // Polls until seen holds, or the time is up.
    static bool await(const std::function<bool()>& seen, std::chrono::seconds limit);
    // Ends the program with a termination signal; its exit status, -1 if it had to be
    // killed or ended by a signal.
    int end();

private:
    std::optional<platform::PointerPosition> screenPoint(int x, int y) const;

    bool fullScreen_;
    bool started_ = false;
    pid_t pid_ = -1;
    int status_ = -1;
    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display_;
};
