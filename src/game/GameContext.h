#pragma once

#include "game/GameSound.h"

class GameHost;
class ZKSND;
class ZKSPRITE;
class ZKSYSTEM;
struct ShellWords;

// What the windows and screens work with: the engine objects, the shell's words and
// the shell's actions. The game builds it once as it initialises; a window or screen
// keeps a pointer to it instead of pointers of its own.
struct GameContext {
    ZKSYSTEM* pSystem = nullptr;
    ZKSPRITE* pSprite = nullptr;
    ZKSND* pSnd = nullptr;
    ShellWords* pShell = nullptr;
    GameHost* pHost = nullptr;

    // The engine objects and the shell's words are all there.
    bool IsComplete() const {
        return pSystem != nullptr && pSprite != nullptr && pSnd != nullptr && pShell != nullptr;
    }
    GameSound Sound() const { return GameSound(*this); }
};
