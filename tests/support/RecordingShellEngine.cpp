#include "support/RecordingShellEngine.h"

namespace zktest {

namespace {

std::string Join(const std::string& name, std::initializer_list<long long> args) {
    std::string line = name;
    for (long long a : args) line += " " + std::to_string(a);
    return line;
}

}  // namespace

std::vector<std::string> RecordingShellEngine::callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& c : calls) {
        if (c.rfind(prefix, 0) == 0) found.push_back(c);
    }
    return found;
}

void RecordingShellEngine::SpriteInitD3DX() { record("SpriteInitD3DX"); }

int RecordingShellEngine::SpriteInitialize(platform::WindowHandle, std::uint32_t dwW,
                                           std::uint32_t dwH, std::uint32_t dwDepth,
                                           std::uint32_t bFullScreen) {
    const int result =
        record(Join("SpriteInitialize", {dwW, dwH, dwDepth, bFullScreen}), Next(spriteInitResults));
    if (result == 1) spriteFullScreen = bFullScreen;
    return result;
}

std::int32_t RecordingShellEngine::SpriteDDFlipToGDI() { return record("SpriteDDFlipToGDI"); }

int RecordingShellEngine::SpriteCheckFrameRate(std::uint32_t dwTargetFps, int bMeasure) {
    return record(Join("SpriteCheckFrameRate", {dwTargetFps, bMeasure}), 60);
}

int RecordingShellEngine::SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) {
    return record(Join("SpriteFrameWait", {wMilliseconds, bShow}));
}

void RecordingShellEngine::SpriteRelease() { record("SpriteRelease"); }
void RecordingShellEngine::SpriteDeleteD3DX() { record("SpriteDeleteD3DX"); }

int RecordingShellEngine::SpriteChangeScreenMode(std::uint32_t nFull, std::uint32_t dwBits) {
    const int result =
        record(Join("SpriteChangeScreenMode", {nFull, dwBits}), Next(changeScreenModeResults));
    if (result == 1) spriteFullScreen = nFull;
    return result;
}

int RecordingShellEngine::SpriteD3DXDrawStart() { return record("SpriteD3DXDrawStart"); }
int RecordingShellEngine::SpriteD3DXDrawEnd() { return record("SpriteD3DXDrawEnd"); }

int RecordingShellEngine::SndInitialize(platform::WindowHandle, std::uint32_t dwStyle) {
    return record(Join("SndInitialize", {dwStyle}), sndInitResult);
}

std::int32_t RecordingShellEngine::SndRelease() { return record("SndRelease"); }

std::int32_t RecordingShellEngine::SndDShowChangeSize(int type, std::uint32_t checkOpen,
                                                      std::int32_t width, std::int32_t height) {
    return record(Join("SndDShowChangeSize", {type, checkOpen, width, height}), 0);
}

std::int32_t RecordingShellEngine::SndDShowEventNotify(int type) {
    return record(Join("SndDShowEventNotify", {type}), dshowEventResult);
}

void RecordingShellEngine::SystemInitialize(platform::WindowHandle, int clearList) {
    record(Join("SystemInitialize", {clearList}));
}

void RecordingShellEngine::SystemSetYOffset(int y) { record(Join("SystemSetYOffset", {y})); }
void RecordingShellEngine::SystemSetHwnd(platform::WindowHandle) { record("SystemSetHwnd"); }

void RecordingShellEngine::SystemGetMousePos(int* x, int* y) const {
    *x = mouseX;
    *y = mouseY;
}

int RecordingShellEngine::SystemRemoveFile(const char* dir, const char* name, int recurse) {
    return record(Join(
        std::string("SystemRemoveFile ") + dir + " " + (name != nullptr ? name : "-"), {recurse}));
}

void RecordingShellEngine::SystemRelease() { record("SystemRelease"); }
int RecordingShellEngine::RegisterResourceFiles() { return record("RegisterResourceFiles"); }

std::uint32_t RecordingShellEngine::GameInitialize(ShellWords&, GameHost&) {
    return static_cast<std::uint32_t>(record("GameInitialize", static_cast<int>(gameInitResult)));
}

void RecordingShellEngine::GameRelease() { record("GameRelease"); }

std::uint32_t RecordingShellEngine::GameMainFunc() {
    record(Join("GameMainFunc", {++frames}));
    return onGameMain(frames);
}

std::uint32_t RecordingShellEngine::GameDrawFunc() {
    return static_cast<std::uint32_t>(
        record(Join("GameDrawFunc", {frames}), static_cast<int>(drawResult)));
}

std::int32_t RecordingShellEngine::GameDrawStop() { return record("GameDrawStop"); }
void RecordingShellEngine::GameDrawTimeSet() { record("GameDrawTimeSet"); }

void RecordingShellEngine::GameSetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree,
                                            std::uint32_t nAutoSkip) {
    record(Join("GameSetMsgConfig", {dwSpeed, nHandsFree, nAutoSkip}));
    msgSpeed = dwSpeed;
    handsFree = nHandsFree;
    autoSkip = nAutoSkip;
}

int RecordingShellEngine::SetBGMVolume(std::uint32_t nLevel) {
    return record(Join("SetBGMVolume", {nLevel}));
}
int RecordingShellEngine::SetVoiceVolume(std::uint32_t nLevel) {
    return record(Join("SetVoiceVolume", {nLevel}));
}
int RecordingShellEngine::SetSEVolume(std::uint32_t nLevel) {
    return record(Join("SetSEVolume", {nLevel}));
}
void RecordingShellEngine::ClearPlayingNames() { record("ClearPlayingNames"); }

}  // namespace zktest
