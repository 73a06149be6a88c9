#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/ScrCmdWords.h"

// The scenario scripts a slot may resume in: in the game, the members of
// dat/Scenario.dat, read without extracting anything.
class SlotScriptSource {
public:
    virtual ~SlotScriptSource() = default;
    // The member's bytes; nothing when there is no such member or it cannot be read.
    virtual std::optional<std::string> MemberBytes(std::string_view szName) const = 0;
};

// What the running game registered, against which a slot file's values are checked.
struct SlotSchema {
    struct CHARACTER {
        std::string szID;
        std::int32_t nBodyNum = 0;
        // One eye count per face; the face count is their number.
        std::vector<std::int32_t> nEyeNum;
    };

    std::int32_t nVarNum = 0;
    std::vector<CHARACTER> Characters;
    std::int32_t nSurfaceSlots = 464;
    std::int32_t nTextureSlots = 60;
    std::int32_t nWaveSlots = 44;
    // The interpreter's command words, in any letter case.
    bool (*IsCommandWord)(std::string_view szWord) = &IsScrCommandWord;
    const SlotScriptSource* pScripts = nullptr;
};
