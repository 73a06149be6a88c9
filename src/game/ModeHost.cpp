#include "game/ModeHost.h"

#include "game/GAMEMAIN.h"
#include "game/ShellWords.h"

const GameContext& ModeHost::Context() const { return game_.Context; }

std::uint32_t ModeHost::Now() const { return game_.dwNowTime; }

std::int32_t ModeHost::GetProcStep() const { return game_.GetProcStep(); }

void ModeHost::SetProcStep(std::int32_t nStep) { game_.nProcStep = nStep; }

void ModeHost::StartStep(std::int32_t nStep) {
    game_.dwProcStartTime = game_.dwNowTime;
    game_.nProcStep = nStep;
}

std::uint32_t ModeHost::StepTime() const { return game_.dwNowTime - game_.dwProcStartTime; }

void ModeHost::ChangeMode(std::int32_t nNewMode) { game_.ChangeMode(nNewMode); }

GRAPHIC_DATA& ModeHost::FadeGraph() { return game_.FadeGraphData; }

std::uint32_t ModeHost::FadeOutTexFunc(std::uint32_t* pdwPhase, float* pfValue, float fTarget,
                                       std::uint32_t dwFadeTime) {
    return game_.FadeOutTexFunc(&game_.dwProcStartTime, pdwPhase, pfValue, fTarget, dwFadeTime);
}

std::uint32_t ModeHost::FadeInTexFunc(std::uint32_t* pdwPhase, float* pfValue, float fTarget,
                                      std::uint32_t dwFadeTime) {
    return game_.FadeInTexFunc(&game_.dwProcStartTime, pdwPhase, pfValue, fTarget, dwFadeTime);
}

void ModeHost::MsgWndStatusChange(std::int32_t nMask, std::uint32_t nOn) {
    game_.MsgWndStatusChange(nMask, nOn);
}

std::uint32_t ModeHost::LoadEnableFlg() const { return game_.nLoadEnableFlg; }

std::uint32_t ModeHost::ConfigEnableFlg() const { return game_.nConfigEnableFlg; }

void ModeHost::ShowOverlay(float fAlpha, int nTexture) { game_.ShowOverlay(fAlpha, nTexture); }

void ModeHost::DrawOverlay() { game_.DrawOverlay(); }

void ModeHost::UnloadModeResources() { game_.UnloadModeResources(); }

std::int32_t ModeHost::SaveIntegratedData() { return game_.SaveIntegratedData(); }

SAVE_LOAD_WINDOW_DATA& ModeHost::SaveLoadWindowData() { return game_.SaveLoadWindowData; }

std::uint32_t ModeHost::SaveIndependentData(std::uint32_t nSlot) {
    return game_.SaveIndependentData(nSlot);
}

CONFIG_DATA& ModeHost::ConfigData() { return game_.ConfigData; }

CONFIG_LIVE ModeHost::LiveSettings() {
    SettingsWords& shell = game_.pShell->settings;
    MSG_WINDOW_DATA& window = game_.MsgWindowData;
    return CONFIG_LIVE{&game_.nMsgSpeed, &window.nAutoFlg,  &window.nSkipFlg,   &shell.bgmOn,
                       &shell.bgmVolume, &shell.voiceOn,    &shell.voiceVolume, &shell.seOn,
                       &shell.seVolume,  &shell.fullScreen, &shell.colourDepth};
}

std::int32_t ModeHost::GetMode() const { return game_.GetMode(); }

void ModeHost::ReenterMode(std::int32_t nStep) {
    game_.nOldMode = game_.GetMode();
    game_.nProcStep = nStep;
}

std::int32_t ModeHost::OverlayFadeAway(const char* szTag, std::uint32_t dwFadeTime) {
    return game_.OverlayFadeAway(szTag, dwFadeTime);
}

std::uint32_t ModeHost::SaveEnableFlg() const { return game_.nSaveEnableFlg; }

const std::int32_t* ModeHost::ClothesFlg() const { return game_.nClothesFlg; }

std::int32_t ModeHost::ScrFileOpen(const char* szTag, const char* szName) {
    return game_.ScrOpenResult(szTag, game_.ScrFileOpen(szName));
}

void ModeHost::ReadScrSkip(const char* szName) {
    game_.nScrSkipEnableFlg = game_.CheckAutoSkipFileList(szName, &game_.nScrSkipLine) == 1 ? 1 : 0;
}

MSG_WINDOW_DATA& ModeHost::MsgWindowData() { return game_.MsgWindowData; }

GRAPHIC_DATA& ModeHost::BGGraphData1() { return game_.BGGraphData1; }

GRAPHIC_DATA& ModeHost::BGGraphData2() { return game_.BGGraphData2; }

GRAPHIC_DATA_EX& ModeHost::PRIM1() { return game_.PRIM1; }

GRAPHIC_DATA_EX& ModeHost::PRIM2() { return game_.PRIM2; }

ZKCHAR* ModeHost::CharData() { return game_.pCharData.get(); }

std::int32_t ModeHost::CharNum() const { return game_.nCharNum; }

const std::uint32_t* ModeHost::GameClearFlg() const { return &game_.nGameClearFlg; }

std::uint32_t* ModeHost::CGFlg() { return game_.dwCGFlg; }

std::uint32_t* ModeHost::ReplayFlg() { return game_.dwReplayFlg; }
