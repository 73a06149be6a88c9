#pragma once

#include "system/ZKSYSTEM.h"

// A click's key state as the game reads it: the left button's, or Return's while the
// left button is up, so that Return clicks for a player without a mouse.
KEY_STATE ClickState(const ZKSYSTEM& system);

// A click released in this frame.
inline bool Clicked(const ZKSYSTEM& system) { return ClickState(system) == KEY_STATE_RELEASED; }
