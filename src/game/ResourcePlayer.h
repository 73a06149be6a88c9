#pragma once

#include <cstdint>

class ZKSND;
class ZKSYSTEM;

// Players, stops and path volumes of the voice (buffer 0), the music (buffer 1) and
// the sound effects (buffers 2 and up). While sound is unavailable every call
// succeeds and does nothing. 1 success, 0 failure.

int BGMPlay(const char* szName, ZKSND* pSnd, ZKSYSTEM* pSystem);
int BGMPlay(const char* szName, int nRepeat, ZKSND* pSnd, ZKSYSTEM* pSystem);
int BGMStop(int bUnload, ZKSND* pSnd, ZKSYSTEM* pSystem);
int SEPlay(int nIndex, int bLoop, ZKSND* pSnd, ZKSYSTEM* pSystem);
int SEStop(int nIndex, ZKSND* pSnd, ZKSYSTEM* pSystem);
int VoicePlay(const char* szName, ZKSND* pSnd, ZKSYSTEM* pSystem);
int VoiceStop(ZKSND* pSnd);
int SetBGMVolume(int nLevel, ZKSND* pSnd);
int SetVoiceVolume(int nLevel, ZKSND* pSnd);
int SetSEVolume(int nLevel, ZKSND* pSnd);

// Volume in hundredths of a decibel of a level 1 to 10; any other level is silence.
std::int32_t VOLUME_LEVEL(int nLevel);
