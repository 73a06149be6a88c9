#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

// The tables Init.spt's #REG_DATA lines fill, numbered as GAMEMAIN::IDSerch takes
// them; the first three hold pictures and sounds, each row naming its slot.
enum REG_KIND : std::uint32_t {
    REG_TEX = 0,
    REG_SURF = 1,
    REG_WAVE = 2,
    REG_VAR = 3,
    REG_CHAR = 4
};

// A #REG_DATA line's word for each kind, in REG_KIND's order.
inline constexpr const char* kRegKindWords[] = {"TEX", "SURF", "WAVE", "VAR", "CHAR"};
inline constexpr std::size_t kRegKindCount = std::size(kRegKindWords);
