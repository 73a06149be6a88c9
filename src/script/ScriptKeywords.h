#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// A costume keyword and the costume it stands for on the costume select (-1 none).
struct COSTUME_KEYWORD {
    const char* szWord;
    std::int32_t nNumber;
};

// A heroine: her script keyword, her ending bit, where her gallery and scene unlock
// items lie in the system save's words, and her name in log lines.
struct HEROINE_KEYWORD {
    const char* szWord;
    std::uint32_t dwClearBit;
    std::int32_t nFirstCGWord;
    std::int32_t nCGItems;
    std::int32_t nFirstReplayWord;
    std::int32_t nReplayItems;
    const char8_t* szName;
};

// The fixed words scripts name costumes, heroines and endings by, one table for the
// engine and for the tools that check scripts.
class ScriptKeywords {
public:
    static std::span<const COSTUME_KEYWORD> Costumes();
    static std::span<const HEROINE_KEYWORD> Heroines();
    // The entry of a word in any letter case; null for an unlisted word.
    static const COSTUME_KEYWORD* FindCostume(std::string_view word);
    static const HEROINE_KEYWORD* FindHeroine(std::string_view word);
    // The ending bit of a heroine keyword or "BAD"; 0 for any other word.
    static std::uint32_t EndingBit(std::string_view word);
};
