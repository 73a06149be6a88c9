#pragma once

#include <cstdint>
#include <string>

// The game's one table of costume names: for costume 0 to 13 a katakana name and an
// English name between hyphens, both as CP932 for drawing.
struct COSTUME_NAME {
    std::string japanese;
    std::string english;
};

inline constexpr std::int32_t kCostumeNameCount = 14;

// The names of costume nClothes; nullptr outside 0 to 13.
const COSTUME_NAME* CostumeName(std::int32_t nClothes);
