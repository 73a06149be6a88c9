#pragma once

#include <cstddef>
#include <cstdint>

// One command slot of the running script: the command word, its arguments and the
// handler's own words. A slot is free while its command word is empty.
class SCR_CMD_DATA {
public:
    static constexpr std::size_t kWordSize = 512;
    static constexpr int kArgCount = 9;

    SCR_CMD_DATA() { Clear(); }

    void Clear();
    // Clears the slot, then takes the command word and min(count, 9) arguments.
    void Set(const char* szCmd, const char (*pArgs)[kWordSize], int nCount);
    bool IsFree() const { return szCommand[0] == '\0'; }

    std::uint32_t dwPhase;
    std::uint32_t dwStartTime;
    char szCommand[kWordSize];
    char szArg[kArgCount][kWordSize];
    std::uint32_t nWaitFlg;
    // The script line the command was read from, for its error reports; not saved.
    std::int32_t nLine;
};
