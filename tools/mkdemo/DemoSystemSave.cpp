#include "mkdemo/DemoSystemSave.h"

#include <array>
#include <cstdint>
#include <vector>

#include "game/SystemSaveFile.h"
#include "script/ScriptKeywords.h"

namespace mkdemo {

namespace {

// One value the demo holds unlocked, named by the word a script would use for it.
struct DemoUnlock {
    enum class Kind { Ending };
    Kind kind;
    const char* word;
};

constexpr DemoUnlock kUnlocks[] = {
    // Any ending opens the dress room on the extras menu.
    {DemoUnlock::Kind::Ending, "QUIRA"},
};

void Apply(const DemoUnlock& unlock, const SystemSaveValues& values) {
    switch (unlock.kind) {
        case DemoUnlock::Kind::Ending:
            values.gameClear |= ScriptKeywords::EndingBit(unlock.word);
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
