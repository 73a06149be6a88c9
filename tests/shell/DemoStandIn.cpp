#include "DemoStandIn.h"

#include <utility>

#include "platform/core/Clock.h"
#include "platform/core/Services.h"
#include "shell/ShellState.h"

namespace {

constexpr int kMovieGraph = 2;
constexpr std::int32_t kMovieMode = 2;
constexpr std::uint32_t kStopped = 2;

}  // namespace

DemoStandIn::DemoStandIn(std::string moviePath) : path_(std::move(moviePath)) { mode = kMovieMode; }

int DemoStandIn::SndInitialize(platform::WindowHandle hWnd, std::uint32_t dwStyle) {
    RecordingShellEngine::SndInitialize(hWnd, dwStyle);
    return production_.SndInitialize(hWnd, dwStyle);
}

std::int32_t DemoStandIn::SndRelease() {
    RecordingShellEngine::SndRelease();
    return production_.SndRelease();
}

std::int32_t DemoStandIn::SndDShowChangeSize(int type, std::uint32_t checkOpen, std::int32_t width,
                                             std::int32_t height) {
    RecordingShellEngine::SndDShowChangeSize(type, checkOpen, width, height);
    return production_.SndDShowChangeSize(type, checkOpen, width, height);
}

std::int32_t DemoStandIn::SndDShowEventNotify(int type) {
    RecordingShellEngine::SndDShowEventNotify(type);
    return production_.SndDShowEventNotify(type);
}

int DemoStandIn::SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) {
    RecordingShellEngine::SpriteFrameWait(wMilliseconds, bShow);
    platform::service<platform::Clock>().sleep(wMilliseconds);
    return 1;
}

std::uint32_t DemoStandIn::GameMainFunc() {
    if (!started_) {
        startMovie();
    } else if (!closed) {
        watchMovie();
    }
    return RecordingShellEngine::GameMainFunc();
}

void DemoStandIn::startMovie() {
    started_ = true;
    ShellState& shell = CurrentShellState();
    shell.drawStop = 1;
    if (shell.settings.fullScreen == 0) shell.prevDrawStop = 1;
    snd_.DShowOpen(kMovieGraph, path_.c_str(), 800, 600);
    snd_.DShowPlay(kMovieGraph);
}

void DemoStandIn::watchMovie() {
    std::uint32_t status = 0;
    snd_.DShowGetStatus(kMovieGraph, &status);
    if (status != kStopped) return;
    CurrentShellState().drawStop = 0;
    snd_.DShowStop(kMovieGraph);
    snd_.DShowClose(kMovieGraph);
    closed = true;
}
