#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "game/SlotImage.h"
#include "game/SlotSchema.h"

namespace zktest {

// Scenario members held in memory, by name.
class MemberScripts : public SlotScriptSource {
public:
    std::map<std::string, std::string, std::less<>> members;

    std::optional<std::string> MemberBytes(std::string_view szName) const override;
};

// A coded script of plain CP932 lines, each ended with CR LF.
std::string CodedScript(std::string_view plainLines);

// The game the slot tests save in: two variables; AYA with two bodies and two faces of
// three eye frames, MEI with one body and one face of two; the scenario
// "prologue.spt" of four lines.
struct SlotFixture {
    MemberScripts scripts;
    SlotSchema schema;

    SlotFixture();
};

// A story in progress in that game: the adventure mode with a waiting three-plate
// choice, both characters shown, both kinds of layer, the day window and every
// load table.
SlotImage RealisticSlotImage();

}  // namespace zktest
