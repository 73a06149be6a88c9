#include "game/GameSound.h"

#include "game/GameContext.h"
#include "game/ResourcePlayer.h"

int GameSound::Effect(int nIndex) const {
    return SEPlay(nIndex, 0, context_.pSnd, context_.pSystem, *context_.pShell);
}

int GameSound::Voice(const char* szName) const {
    return VoicePlay(szName, context_.pSnd, context_.pSystem, *context_.pShell);
}

int GameSound::StopVoice() const { return VoiceStop(context_.pSnd, *context_.pShell); }

int GameSound::Music(const char* szName) const {
    return BGMPlay(szName, context_.pSnd, context_.pSystem, *context_.pShell);
}
