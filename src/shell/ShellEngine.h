#pragma once

#include <cstdint>

#include "platform/input/InputSource.h"

class GameHost;
struct ShellWords;

// Everything the shell asks of the four engine objects and the sound players,
// and nothing more, so that the shell can run over recording stand-ins.
class ShellEngine {
public:
    virtual ~ShellEngine() = default;

    // Graphics object.
    virtual void SpriteInitD3DX() = 0;
    virtual int SpriteInitialize(platform::WindowHandle hWnd, std::uint32_t dwW, std::uint32_t dwH,
                                 std::uint32_t dwDepth, std::uint32_t bFullScreen) = 0;
    virtual std::int32_t SpriteDDFlipToGDI() = 0;
    virtual int SpriteCheckFrameRate(std::uint32_t dwTargetFps, int bMeasure) = 0;
    virtual int SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) = 0;
    virtual void SpriteRelease() = 0;
    virtual void SpriteDeleteD3DX() = 0;
    virtual int SpriteChangeScreenMode(std::uint32_t nFull, std::uint32_t dwBits) = 0;
    virtual std::uint32_t SpriteGetFullScreen() const = 0;
    virtual std::uint32_t SpriteGetDisplayBits() const = 0;
    virtual int SpriteGetSurfaceCount() const = 0;
    virtual int SpriteD3DXDrawStart() = 0;
    virtual int SpriteD3DXDrawEnd() = 0;

    // Sound object.
    virtual int SndInitialize(platform::WindowHandle hWnd, std::uint32_t dwStyle) = 0;
    virtual std::int32_t SndRelease() = 0;
    virtual std::int32_t SndDShowChangeSize(int type, std::uint32_t checkOpen, std::int32_t width,
                                            std::int32_t height) = 0;
    virtual std::int32_t SndDShowEventNotify(int type) = 0;

    // System object.
    virtual void SystemInitialize(platform::WindowHandle hWnd, int clearList) = 0;
    virtual void SystemSetYOffset(int y) = 0;
    virtual void SystemSetHwnd(platform::WindowHandle hWnd) = 0;
    virtual void SystemGetMousePos(int* x, int* y) const = 0;
    virtual int SystemRemoveFile(const char* dir, const char* name, int recurse) = 0;
    virtual void SystemRelease() = 0;

    virtual int RegisterResourceFiles() = 0;

    // Game object, handed the shell's words and actions as it starts.
    virtual std::uint32_t GameInitialize(ShellWords& shell, GameHost& host) = 0;
    virtual void GameRelease() = 0;
    virtual std::uint32_t GameMainFunc() = 0;
    virtual std::uint32_t GameDrawFunc() = 0;
    virtual std::int32_t GameDrawStop() = 0;
    virtual void GameDrawTimeSet() = 0;
    virtual std::int32_t GameGetMode() const = 0;
    virtual std::int32_t GameGetProcStep() const = 0;
    virtual void GameSetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree,
                                  std::uint32_t nAutoSkip) = 0;
    virtual std::uint32_t GameGetMsgSpeed() const = 0;
    virtual std::uint32_t GameGetHandsFree() const = 0;
    virtual std::uint32_t GameGetAutoSkip() const = 0;

    // Sound players: path volumes by level, and the names of the playing music and voice.
    virtual int SetBGMVolume(std::uint32_t nLevel) = 0;
    virtual int SetVoiceVolume(std::uint32_t nLevel) = 0;
    virtual int SetSEVolume(std::uint32_t nLevel) = 0;
    virtual void ClearPlayingNames() = 0;
};
