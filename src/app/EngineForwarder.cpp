#include "app/EngineForwarder.h"

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "graphics/ZKSPRITE.h"
#include "shell/RegisterResourceFiles.h"
#include "sound/ZKSND.h"
#include "system/ZKSYSTEM.h"

void EngineForwarder::SpriteInitD3DX() { sprite_.InitD3DX(); }

int EngineForwarder::SpriteInitialize(platform::WindowHandle hWnd, std::uint32_t dwW,
                                      std::uint32_t dwH, std::uint32_t dwDepth,
                                      std::uint32_t bFullScreen) {
    return sprite_.Initialize(hWnd, nullptr, dwW, dwH, dwDepth, bFullScreen);
}

std::int32_t EngineForwarder::SpriteDDFlipToGDI() { return sprite_.DDFlipToGDI(); }

int EngineForwarder::SpriteCheckFrameRate(std::uint32_t dwTargetFps, int bMeasure) {
    return sprite_.CheckFrameRate(dwTargetFps, bMeasure);
}

int EngineForwarder::SpriteFrameWait(std::uint16_t wMilliseconds, int bShow) {
    return sprite_.FrameWait(wMilliseconds, bShow);
}

void EngineForwarder::SpriteRelease() { sprite_.Release(); }
void EngineForwarder::SpriteDeleteD3DX() { sprite_.DeleteD3DX(); }

int EngineForwarder::SpriteChangeScreenMode(std::uint32_t nFull, std::uint32_t dwBits) {
    return sprite_.ChangeScreenMode(nFull, dwBits);
}

std::uint32_t EngineForwarder::SpriteGetFullScreen() const { return sprite_.GetFullScreen(); }
std::uint32_t EngineForwarder::SpriteGetDisplayBits() const { return sprite_.GetDisplayBits(); }
int EngineForwarder::SpriteGetSurfaceCount() const { return sprite_.GetSurfaceCount(); }
int EngineForwarder::SpriteD3DXDrawStart() { return sprite_.D3DXDrawStart(); }
int EngineForwarder::SpriteD3DXDrawEnd() { return sprite_.D3DXDrawEnd(); }

int EngineForwarder::SndInitialize(platform::WindowHandle hWnd, std::uint32_t dwStyle) {
    return snd_.Initialize(hWnd, nullptr, dwStyle);
}

std::int32_t EngineForwarder::SndRelease() { return snd_.Release(); }

std::int32_t EngineForwarder::SndDShowChangeSize(int type, std::uint32_t checkOpen,
                                                 std::int32_t width, std::int32_t height) {
    return snd_.DShowChangeSize(type, checkOpen, width, height);
}

std::int32_t EngineForwarder::SndDShowEventNotify(int type) { return snd_.DShowEventNotify(type); }

void EngineForwarder::SystemInitialize(platform::WindowHandle hWnd, int clearList) {
    system_.Initialize(hWnd, clearList);
}

void EngineForwarder::SystemSetYOffset(int y) { system_.SetYOffset(y); }
void EngineForwarder::SystemSetHwnd(platform::WindowHandle hWnd) { system_.SetHwnd(hWnd); }
void EngineForwarder::SystemGetMousePos(int* x, int* y) const { system_.GetMousePos(x, y); }

int EngineForwarder::SystemRemoveFile(const char* dir, const char* name, int recurse) {
    return system_.RemoveFile(dir, name, recurse);
}

void EngineForwarder::SystemRelease() { system_.Release(); }

int EngineForwarder::RegisterResourceFiles() { return ::RegisterResourceFiles(sprite_, snd_); }

std::uint32_t EngineForwarder::GameInitialize(ShellWords& shell, GameHost& host) {
    game_.SetShell(shell, host);
    return game_.Initialize(&system_, &sprite_, &snd_);
}

void EngineForwarder::GameRelease() { game_.Release(); }
std::uint32_t EngineForwarder::GameMainFunc() { return game_.GameMainFunc(); }
std::uint32_t EngineForwarder::GameDrawFunc() { return game_.GameDrawFunc(); }
std::int32_t EngineForwarder::GameDrawStop() { return game_.DrawStop(); }
void EngineForwarder::GameDrawTimeSet() { game_.DrawTimeSet(); }
std::int32_t EngineForwarder::GameGetMode() const { return game_.GetMode(); }
std::int32_t EngineForwarder::GameGetProcStep() const { return game_.GetProcStep(); }

void EngineForwarder::GameSetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree,
                                       std::uint32_t nAutoSkip) {
    game_.SetMsgConfig(dwSpeed, nHandsFree, nAutoSkip);
}

std::uint32_t EngineForwarder::GameGetMsgSpeed() const { return game_.GetMsgSpeed(); }
std::uint32_t EngineForwarder::GameGetHandsFree() const { return game_.GetHandsFree(); }
std::uint32_t EngineForwarder::GameGetAutoSkip() const { return game_.GetAutoSkip(); }

int EngineForwarder::SetBGMVolume(std::uint32_t nLevel) {
    return ::SetBGMVolume(static_cast<int>(nLevel), &snd_, shell_);
}

int EngineForwarder::SetVoiceVolume(std::uint32_t nLevel) {
    return ::SetVoiceVolume(static_cast<int>(nLevel), &snd_, shell_);
}

int EngineForwarder::SetSEVolume(std::uint32_t nLevel) {
    return ::SetSEVolume(static_cast<int>(nLevel), &snd_, shell_);
}

void EngineForwarder::ClearPlayingNames() { ClearSoundNames(); }
