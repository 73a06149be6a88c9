#pragma once

#include <cstdint>

class ZKSPRITE;
class ZKSND;
class ZKSYSTEM;
struct ShellWords;

// Loaders and unloaders of image slots and sound buffers. The file a slot names is
// extracted from its archive into tmp/; image files are deleted once loaded, sound
// files when their buffer is unloaded. Names that come from data never reach the
// file system unless they name a file inside tmp/. While the shell's words say that
// sound is unavailable, the sound loaders and unloaders succeed and do nothing.
// 1 success, 0 failure.

int SurfaceLoad(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex, int bColorKey,
                std::uint32_t dwColor);
int TextureLoad(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex, int bColorKey,
                std::uint32_t dwColor);
int SELoad(ZKSND* pSnd, ZKSYSTEM* pSystem, int nIndex, const char* szName, const ShellWords& shell);
int VoiceLoad(ZKSND* pSnd, ZKSYSTEM* pSystem, const char* szName, const ShellWords& shell);
int BGMLoad(ZKSND* pSnd, ZKSYSTEM* pSystem, const char* szName, const ShellWords& shell);

int SurfaceUnload(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex);
int TextureUnload(ZKSPRITE* pSprite, ZKSYSTEM* pSystem, int nIndex);
int SEUnload(ZKSND* pSnd, ZKSYSTEM* pSystem, int nIndex, const ShellWords& shell);
int VoiceUnload(ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell);
int BGMUnload(ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell);

// Empties the current voice and music names; the shell calls it as its window is made.
void ClearSoundNames();

// True for a name the sound loaders accept; otherwise logs "不正なファイル名です" under tag.
bool AcceptSoundName(const char* szTag, const char* szName);
