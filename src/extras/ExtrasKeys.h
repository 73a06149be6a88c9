#pragma once

#include <array>

#include "platform/video/Rect.h"

class ZKSYSTEM;

// Where each arrow key leads from the control under the pointer, in the order the
// keys are judged: left, right, up, down. Null: that key does nothing.
using ARROW_TARGETS = std::array<const platform::Rect*, 4>;

// The arrow-key navigation of the extras screens: every arrow key released this
// frame warps the pointer to the centre of its target, so that the screen's next hit
// test finds the pointer there. All keys are judged from the same control; of
// several, the last judged wins.
void ExtrasKeyCursorMove(ZKSYSTEM& system, const ARROW_TARGETS& targets);
