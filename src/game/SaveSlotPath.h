#pragma once

#include <cstdint>
#include <string>

constexpr std::int32_t kSaveSlotCount = 20;

// The file of save slot nSlot, relative to the working folder: "sav/sav01.sav" to
// "sav/sav09.sav", then "sav/sav10.sav" to "sav/sav20.sav". Empty for a number
// outside 1 to 20, which names no slot.
inline std::string SaveSlotPath(std::int32_t nSlot) {
    if (nSlot < 1 || nSlot > kSaveSlotCount) return {};
    return (nSlot < 10 ? "sav/sav0" : "sav/sav") + std::to_string(nSlot) + ".sav";
}
