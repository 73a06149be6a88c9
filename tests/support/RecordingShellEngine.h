#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/ShellEngine.h"

namespace zktest {

// Stands in for the engine objects under the shell: every call is recorded as one
// line ("SpriteInitialize 800 600 32 0"), results come from the fields below.
class RecordingShellEngine : public ShellEngine {
public:
    std::vector<std::string> calls;
    std::deque<int> spriteInitResults{1};  // one per call; the last one repeats
    int sndInitResult = 0;
    std::int32_t dshowEventResult = 1;
    std::uint32_t drawResult = 1;
    std::uint32_t gameInitResult = 1;
    std::int32_t mode = 9;
    std::int32_t procStep = 0;
    std::uint32_t msgSpeed = 1000, handsFree = 0, autoSkip = 0;
    // The graphics object's mode: a switch answered 1 takes the mode asked for.
    std::deque<int> changeScreenModeResults{1};  // one per call; the last one repeats
    std::uint32_t spriteFullScreen = 0;
    std::uint32_t displayBits = 32;
    int surfaceCount = 10;
    // The pointer as the system object reads it, y offset included.
    int mouseX = 400, mouseY = 300;
    // Runs inside GameMainFunc with the 1-based frame number; its result is the frame's.
    std::function<std::uint32_t(int)> onGameMain = [](int) { return 1u; };
    int frames = 0;

    // The recorded calls whose line starts with prefix.
    std::vector<std::string> callsStartingWith(const std::string& prefix) const;

    void SpriteInitD3DX() override;
    int SpriteInitialize(platform::WindowHandle hWnd, std::uint32_t dwW, std::uint32_t dwH,
                         std::uint32_t dwDepth, std::uint32_t bFullScreen) override;
    std::int32_t SpriteDDFlipToGDI() override;
    int SpriteCheckFrameRate(std::uint32_t dwTargetFps, int bMeasure) override;
    int SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) override;
    void SpriteRelease() override;
    void SpriteDeleteD3DX() override;
    int SpriteChangeScreenMode(std::uint32_t nFull, std::uint32_t dwBits) override;
    std::uint32_t SpriteGetFullScreen() const override { return spriteFullScreen; }
    std::uint32_t SpriteGetDisplayBits() const override { return displayBits; }
    int SpriteGetSurfaceCount() const override { return surfaceCount; }
    int SpriteD3DXDrawStart() override;
    int SpriteD3DXDrawEnd() override;
    int SndInitialize(platform::WindowHandle hWnd, std::uint32_t dwStyle) override;
    std::int32_t SndRelease() override;
    std::int32_t SndDShowChangeSize(int type, std::uint32_t checkOpen, std::int32_t width,
                                    std::int32_t height) override;
    std::int32_t SndDShowEventNotify(int type) override;
    void SystemInitialize(platform::WindowHandle hWnd, int clearList) override;
    void SystemSetYOffset(int y) override;
    void SystemSetHwnd(platform::WindowHandle hWnd) override;
    void SystemGetMousePos(int* x, int* y) const override;
    int SystemRemoveFile(const char* dir, const char* name, int recurse) override;
    void SystemRelease() override;
    int RegisterResourceFiles() override;
    std::uint32_t GameInitialize(ShellWords& shell, GameHost& host) override;
    void GameRelease() override;
    std::uint32_t GameMainFunc() override;
    std::uint32_t GameDrawFunc() override;
    std::int32_t GameDrawStop() override;
    void GameDrawTimeSet() override;
    std::int32_t GameGetMode() const override { return mode; }
    std::int32_t GameGetProcStep() const override { return procStep; }
    void GameSetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree,
                          std::uint32_t nAutoSkip) override;
    std::uint32_t GameGetMsgSpeed() const override { return msgSpeed; }
    std::uint32_t GameGetHandsFree() const override { return handsFree; }
    std::uint32_t GameGetAutoSkip() const override { return autoSkip; }
    int SetBGMVolume(std::uint32_t nLevel) override;
    int SetVoiceVolume(std::uint32_t nLevel) override;
    int SetSEVolume(std::uint32_t nLevel) override;
    void ClearPlayingNames() override;

private:
    // The next of a call's results; the last one repeats.
    static int Next(std::deque<int>& results) {
        const int result = results.front();
        if (results.size() > 1) results.pop_front();
        return result;
    }
    // Records the call and gives back its result.
    int record(std::string line, int result = 1) {
        calls.push_back(std::move(line));
        return result;
    }
};

}  // namespace zktest
