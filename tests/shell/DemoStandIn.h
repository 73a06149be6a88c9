#pragma once

#include <cstdint>
#include <string>

#include "app/EngineForwarder.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/RecordingShellEngine.h"
#include "system/ZKSYSTEM.h"

// Stands in for the game while it shows its opening movie: the first frame sets the
// shell's words as the movie mode does and opens and plays graph 2; later frames
// watch the graph and, once it has stopped, stop and close it. The sound calls reach
// a real sound object through the production forwarding; the rest is recorded.
class DemoStandIn : public zktest::RecordingShellEngine {
public:
    explicit DemoStandIn(std::string moviePath);

    // Whether the movie has been closed once its graph stopped.
    bool closed = false;
    ZKSND& sound() { return snd_; }

    int SndInitialize(platform::WindowHandle hWnd, std::uint32_t dwStyle) override;
    std::int32_t SndRelease() override;
    std::int32_t SndDShowChangeSize(int type, std::uint32_t checkOpen, std::int32_t width,
                                    std::int32_t height) override;
    std::int32_t SndDShowEventNotify(int type) override;
    // A frame's wait passes on the clock service, as the graphics object's does.
    int SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) override;
    std::uint32_t GameMainFunc() override;

private:
    void startMovie();
    void watchMovie();

    std::string path_;
    bool started_ = false;
    // Only the sound object's calls go through; the other objects stay idle.
    ZKSYSTEM system_;
    ZKSPRITE sprite_;
    ZKSND snd_;
    GAMEMAIN game_;
    EngineForwarder production_{system_, sprite_, snd_, game_, CurrentShellState()};
};
