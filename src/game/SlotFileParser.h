#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/SlotImage.h"
#include "game/SlotSchema.h"

// A slot file read into an image, or why it was refused: the line (counted from 1)
// and the member name of the field or section that failed.
struct SlotParseResult {
    std::optional<SlotImage> image;
    std::int32_t nLine = 0;
    std::string szField;
};

// Reads a whole slot file and checks every value against what the game registered,
// touching nothing else: the image is returned only when the file is sound.
SlotParseResult ParseSlotFile(std::string_view bytes, const SlotSchema& schema);

// True when a coded script holds at least nLines raw lines as the interpreter reads
// them, so that a story saved after line nLines can resume there.
bool ScriptHoldsLines(std::string_view bytes, std::int32_t nLines);
