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
    record(Join("SpriteInitialize", {dwW, dwH, dwDepth, bFullScreen}));
    const int result = spriteInitResults.front();
    if (spriteInitResults.size() > 1) spriteInitResults.pop_front();
    return result;
}

std::int32_t RecordingShellEngine::SpriteDDFlipToGDI() {
    record("SpriteDDFlipToGDI");
    return 1;
}

int RecordingShellEngine::SpriteCheckFrameRate(std::uint32_t dwTargetFps, int bMeasure) {
    record(Join("SpriteCheckFrameRate", {dwTargetFps, bMeasure}));
    return 60;
}

int RecordingShellEngine::SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) {
    record(Join("SpriteFrameWait", {wMilliseconds, bShow}));
    return 1;
}

void RecordingShellEngine::SpriteRelease() { record("SpriteRelease"); }
void RecordingShellEngine::SpriteDeleteD3DX() { record("SpriteDeleteD3DX"); }

int RecordingShellEngine::SndInitialize(platform::WindowHandle, std::uint32_t dwStyle) {
    record(Join("SndInitialize", {dwStyle}));
    return sndInitResult;
}

std::int32_t RecordingShellEngine::SndRelease() {
    record("SndRelease");
    return 1;
}

std::int32_t RecordingShellEngine::SndDShowChangeSize(int type, std::uint32_t checkOpen,
                                                      std::int32_t width, std::int32_t height) {
    record(Join("SndDShowChangeSize", {type, static_cast<int>(checkOpen), width, height}));
    return 0;
}

std::int32_t RecordingShellEngine::SndDShowEventNotify(int type) {
    record(Join("SndDShowEventNotify", {type}));
    return dshowEventResult;
}

void RecordingShellEngine::SystemInitialize(platform::WindowHandle, int clearList) {
    record(Join("SystemInitialize", {clearList}));
}

void RecordingShellEngine::SystemSetYOffset(int y) { record(Join("SystemSetYOffset", {y})); }
void RecordingShellEngine::SystemSetHwnd(platform::WindowHandle) { record("SystemSetHwnd"); }

int RecordingShellEngine::SystemRemoveFile(const char* dir, const char* name, int recurse) {
    record(Join(std::string("SystemRemoveFile ") + dir + " " + (name != nullptr ? name : "-"),
                {recurse}));
    return 1;
}

void RecordingShellEngine::SystemRelease() { record("SystemRelease"); }

int RecordingShellEngine::RegisterResourceFiles() {
    record("RegisterResourceFiles");
    return 1;
}

std::uint32_t RecordingShellEngine::GameInitialize() {
    record("GameInitialize");
    return gameInitResult;
}

void RecordingShellEngine::GameRelease() { record("GameRelease"); }

std::uint32_t RecordingShellEngine::GameMainFunc() {
    ++frames;
    record(Join("GameMainFunc", {frames}));
    return onGameMain(frames);
}

std::uint32_t RecordingShellEngine::GameDrawFunc() {
    record(Join("GameDrawFunc", {frames}));
    return 1;
}

std::int32_t RecordingShellEngine::GameDrawStop() {
    record("GameDrawStop");
    return 1;
}

void RecordingShellEngine::GameDrawTimeSet() { record("GameDrawTimeSet"); }

void RecordingShellEngine::GameSetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree,
                                            std::uint32_t nAutoSkip) {
    record(Join("GameSetMsgConfig", {dwSpeed, nHandsFree, nAutoSkip}));
    msgSpeed = dwSpeed;
    handsFree = nHandsFree;
    autoSkip = nAutoSkip;
}

int RecordingShellEngine::SetBGMVolume(std::uint32_t nLevel) {
    record(Join("SetBGMVolume", {nLevel}));
    return 1;
}

int RecordingShellEngine::SetVoiceVolume(std::uint32_t nLevel) {
    record(Join("SetVoiceVolume", {nLevel}));
    return 1;
}

int RecordingShellEngine::SetSEVolume(std::uint32_t nLevel) {
    record(Join("SetSEVolume", {nLevel}));
    return 1;
}

void RecordingShellEngine::ClearPlayingNames() { record("ClearPlayingNames"); }

}  // namespace zktest
