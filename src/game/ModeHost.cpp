#include "game/ModeHost.h"

#include "game/GAMEMAIN.h"

const GameContext& ModeHost::Context() const { return game_.Context; }
