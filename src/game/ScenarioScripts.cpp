#include "game/ScenarioScripts.h"

#include <string>

#include "platform/text/SjisText.h"
#include "system/FileDiv.h"

namespace {

constexpr const char* kScenarioPath = "dat/Scenario.dat";

}  // namespace

std::optional<std::string> ScenarioScripts::MemberBytes(std::string_view szName) const {
    if (ReadListOf(kScenarioPath) != 0) return std::nullopt;
    for (const DIV_FILE_DATA& row : DivFileData) {
        if (row.szFileName[0] == '\0') break;
        if (!platform::SjisEqualsIgnoreCase(row.szFileName, szName)) continue;
        const auto bytes = ReadCombinedMember(kScenarioPath, row.start, row.end);
        if (!bytes) return std::nullopt;
        return std::string(bytes->begin(), bytes->end());
    }
    return std::nullopt;
}
