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
