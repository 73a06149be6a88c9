#pragma once

#include "shell/ShellEngine.h"

class GAMEMAIN;
class ZKSND;
class ZKSPRITE;
class ZKSYSTEM;
struct ShellWords;

// The shell's engine interface over four real engine objects: the program's own,
// or those of a whole-game run. The shell's words it is handed are those the
// volume calls follow, whether or not the game was ever started.
class EngineForwarder : public ShellEngine {
public:
    EngineForwarder(ZKSYSTEM& system, ZKSPRITE& sprite, ZKSND& snd, GAMEMAIN& game,
                    const ShellWords& shell)
        : system_(system), sprite_(sprite), snd_(snd), game_(game), shell_(shell) {}

    void SpriteInitD3DX() override;
    int SpriteInitialize(platform::WindowHandle hWnd, std::uint32_t dwW, std::uint32_t dwH,
                         std::uint32_t dwDepth, std::uint32_t bFullScreen) override;
    std::int32_t SpriteDDFlipToGDI() override;
    int SpriteCheckFrameRate(std::uint32_t dwTargetFps, int bMeasure) override;
    int SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) override;
    void SpriteRelease() override;
    void SpriteDeleteD3DX() override;
    int SpriteChangeScreenMode(std::uint32_t nFull, std::uint32_t dwBits) override;
    std::uint32_t SpriteGetFullScreen() const override;
    std::uint32_t SpriteGetDisplayBits() const override;
    int SpriteGetSurfaceCount() const override;
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
    std::int32_t GameGetMode() const override;
    std::int32_t GameGetProcStep() const override;
    void GameSetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree,
                          std::uint32_t nAutoSkip) override;
    std::uint32_t GameGetMsgSpeed() const override;
    std::uint32_t GameGetHandsFree() const override;
    std::uint32_t GameGetAutoSkip() const override;
    int SetBGMVolume(std::uint32_t nLevel) override;
    int SetVoiceVolume(std::uint32_t nLevel) override;
    int SetSEVolume(std::uint32_t nLevel) override;
    void ClearPlayingNames() override;

private:
    ZKSYSTEM& system_;
    ZKSPRITE& sprite_;
    ZKSND& snd_;
    GAMEMAIN& game_;
    const ShellWords& shell_;
};
