#pragma once

#include <cstdint>

class ZKSND;
class ZKSYSTEM;
struct ShellWords;

// Players, stops and path volumes of the voice (buffer 0), the music (buffer 1) and
// the sound effects (buffers 2 and up), after the shell's sound switches and levels.
// While the shell's words say that sound is unavailable, every call succeeds and
// does nothing. 1 success, 0 failure.

int BGMPlay(const char* szName, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell);
int BGMPlay(const char* szName, int nRepeat, ZKSND* pSnd, ZKSYSTEM* pSystem,
            const ShellWords& shell);
int BGMStop(int bUnload, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell);
int SEPlay(int nIndex, int bLoop, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell);
int SEStop(int nIndex, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell);
int VoicePlay(const char* szName, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell);
int VoiceStop(ZKSND* pSnd, const ShellWords& shell);
int SetBGMVolume(int nLevel, ZKSND* pSnd, const ShellWords& shell);
int SetVoiceVolume(int nLevel, ZKSND* pSnd, const ShellWords& shell);
int SetSEVolume(int nLevel, ZKSND* pSnd, const ShellWords& shell);

// Volume in hundredths of a decibel of a level 1 to 10; any other level is silence.
std::int32_t VOLUME_LEVEL(int nLevel);
