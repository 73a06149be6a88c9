#pragma once

#include <string>

#include "game/SlotImage.h"

// The bytes of a slot file for an image, every line ending in one LF. Values are
// written as they stand; whether the game would read them back is the parser's
// question.
std::string FormatSlotFile(const SlotImage& image);
