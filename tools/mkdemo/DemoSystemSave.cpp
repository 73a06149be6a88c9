#include "mkdemo/DemoSystemSave.h"

#include <array>
#include <cstdint>
#include <vector>

#include "game/SystemSaveFile.h"
#include "script/ScriptKeywords.h"

namespace mkdemo {

namespace {

// One value the demo holds unlocked, named by the word a script would use for it; a
// costume's summary word is given whole (bit 0 unlocked, bit 1 complete).
struct DemoUnlock {
    enum class Kind { Ending, Costume };
    Kind kind;
    const char* word;
    std::int32_t value = 0;
};

constexpr DemoUnlock kUnlocks[] = {
    // Any ending opens the dress room on the extras menu.
    {DemoUnlock::Kind::Ending, "QUIRA"},
    // The first three as the demo story leaves them; on each of the dress room's pages
    // an unlocked, a complete and a locked card, and all three of the heroine's faces.
    {DemoUnlock::Kind::Costume, "BASIC", 5},
    {DemoUnlock::Kind::Costume, "WHITE_MINI", 5},
    {DemoUnlock::Kind::Costume, "KIMONO", 5},
    {DemoUnlock::Kind::Costume, "CAPE", 1},
    {DemoUnlock::Kind::Costume, "RECRUIT", 3},
    {DemoUnlock::Kind::Costume, "LADY", 1},
    {DemoUnlock::Kind::Costume, "BLACK_LONG", 3},
};

void Apply(const DemoUnlock& unlock, const SystemSaveValues& values) {
    switch (unlock.kind) {
        case DemoUnlock::Kind::Ending:
            values.gameClear |= ScriptKeywords::EndingBit(unlock.word);
            break;
        case DemoUnlock::Kind::Costume:
            values.clothes[static_cast<std::size_t>(
                ScriptKeywords::FindCostume(unlock.word)->nNumber)] = unlock.value;
            break;
    }
}

}  // namespace

std::string DemoSystemSave::Bytes() {
    std::array<std::uint32_t, 8> cg{};
    std::array<std::uint32_t, 6> replay{};
    std::uint32_t gameClear = 0;
    std::array<std::int32_t, 14> clothes{};
    std::vector<AUTO_SKIP_FILE_DATA> list(SystemSaveValues::kListSize);
    const SystemSaveValues values{cg, replay, gameClear, clothes,
                                  std::span<AUTO_SKIP_FILE_DATA, SystemSaveValues::kListSize>(
                                      list.data(), SystemSaveValues::kListSize)};
    for (const DemoUnlock& unlock : kUnlocks) Apply(unlock, values);
    return WriteSystemSave(values);
}

}  // namespace mkdemo
