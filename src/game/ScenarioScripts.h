#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/SlotSchema.h"

// The scenario scripts of dat/Scenario.dat, read member by member into memory so that
// checking a slot extracts nothing.
class ScenarioScripts : public SlotScriptSource {
public:
    std::optional<std::string> MemberBytes(std::string_view szName) const override;
};
