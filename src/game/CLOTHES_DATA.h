#pragma once

#include <cstddef>
#include <cstdint>

// One costume: its flag word (bit 0 unlocked, bit 1 complete, bit p + 1 for part p),
// part count, face, the description shown on its card and its scenario script.
class CLOTHES_DATA {
public:
    static constexpr std::size_t kDescriptionSize = 512;
    static constexpr std::size_t kScenarioSize = 260;

    CLOTHES_DATA() { Clear(); }

    void Clear();

    std::uint32_t dwFlag;
    std::uint32_t nPartsNum;
    std::uint32_t nFace;
    char szDescription[kDescriptionSize];
    char szScenario[kScenarioSize];
};
