#include "game/ModeHost.h"

#include "game/GAMEMAIN.h"

const GameContext& ModeHost::Context() const { return game_.Context; }

std::uint32_t ModeHost::Now() const { return game_.dwNowTime; }

std::int32_t& ModeHost::ProcStep() { return game_.nProcStep; }

std::uint32_t& ModeHost::ProcStartTime() { return game_.dwProcStartTime; }

void ModeHost::ChangeMode(std::int32_t nNewMode) { game_.ChangeMode(nNewMode); }

GRAPHIC_DATA& ModeHost::FadeGraph() { return game_.FadeGraphData; }

std::uint32_t ModeHost::FadeOutTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                       float* pfValue, float fTarget, std::uint32_t dwFadeTime) {
    return game_.FadeOutTexFunc(pdwStartTime, pdwPhase, pfValue, fTarget, dwFadeTime);
}

std::uint32_t ModeHost::FadeInTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                      float* pfValue, float fTarget, std::uint32_t dwFadeTime) {
    return game_.FadeInTexFunc(pdwStartTime, pdwPhase, pfValue, fTarget, dwFadeTime);
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

std::int32_t ModeHost::SaveLoadSlide(const char* szTag, bool bOpen) {
    return game_.SaveLoadSlide(szTag, bOpen);
}

std::int32_t ModeHost::SaveLoadStandby(const char* szTag, std::int32_t nX, std::int32_t nY,
                                       std::int32_t nLeft, std::int32_t nRight) {
    return game_.SaveLoadStandby(szTag, nX, nY, nLeft, nRight);
}

std::int32_t ModeHost::SaveLoadResume(const char* szTag) { return game_.SaveLoadResume(szTag); }

CONFIG_DATA& ModeHost::ConfigData() { return game_.ConfigData; }

void ModeHost::SettingsOpen() { game_.SettingsOpen(); }

std::int32_t ModeHost::SettingsSlide(const SETTINGS_OWNER& owner, bool bOpen) {
    return game_.SettingsSlide(owner, bOpen);
}

std::int32_t ModeHost::SettingsStandby(const SETTINGS_OWNER& owner) {
    return game_.SettingsStandby(owner);
}

std::int32_t ModeHost::GetMode() const { return game_.GetMode(); }

std::int32_t& ModeHost::OldMode() { return game_.nOldMode; }

std::int32_t ModeHost::OverlayFadeAway(const char* szTag, std::uint32_t dwFadeTime) {
    return game_.OverlayFadeAway(szTag, dwFadeTime);
}

std::uint32_t ModeHost::SaveEnableFlg() const { return game_.nSaveEnableFlg; }

const std::int32_t* ModeHost::ClothesFlg() const { return game_.nClothesFlg; }

std::int32_t ModeHost::ScrFileOpen(const char* szTag, const char* szName) {
    return game_.ScrOpenResult(szTag, game_.ScrFileOpen(szName));
}

std::int32_t ModeHost::CheckAutoSkipFileList(const char* szName, std::int32_t* pnPos) {
    return game_.CheckAutoSkipFileList(szName, pnPos);
}

std::uint32_t& ModeHost::ScrSkipEnableFlg() { return game_.nScrSkipEnableFlg; }

std::int32_t& ModeHost::ScrSkipLine() { return game_.nScrSkipLine; }

MSG_WINDOW_DATA& ModeHost::MsgWindowData() { return game_.MsgWindowData; }

GRAPHIC_DATA& ModeHost::BGGraphData1() { return game_.BGGraphData1; }

GRAPHIC_DATA& ModeHost::BGGraphData2() { return game_.BGGraphData2; }

GRAPHIC_DATA_EX& ModeHost::PRIM1() { return game_.PRIM1; }

GRAPHIC_DATA_EX& ModeHost::PRIM2() { return game_.PRIM2; }

ZKCHAR* ModeHost::CharData() { return game_.pCharData.get(); }

std::int32_t ModeHost::CharNum() const { return game_.nCharNum; }

std::uint32_t& ModeHost::GameClearFlg() { return game_.nGameClearFlg; }

std::uint32_t* ModeHost::CGFlg() { return game_.dwCGFlg; }

std::uint32_t* ModeHost::ReplayFlg() { return game_.dwReplayFlg; }
