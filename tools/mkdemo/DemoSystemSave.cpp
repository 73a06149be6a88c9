#include "mkdemo/DemoSystemSave.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "extras/GalleryItems.h"
#include "game/SystemSaveFile.h"
#include "script/ScriptKeywords.h"

namespace mkdemo {

namespace {

// One value the demo holds unlocked, named by the word a script would use for it; a
// costume's summary word is given whole (bit 0 unlocked, bit 1 complete).
struct DemoUnlock {
    enum class Kind { Ending, Costume, Picture, Scene };
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
    // The gallery: QUIRA's first page full, her second short, and one picture on each
    // heroine's last page.
    {DemoUnlock::Kind::Picture, "QUIRA", 1},
    {DemoUnlock::Kind::Picture, "QUIRA", 2},
    {DemoUnlock::Kind::Picture, "QUIRA", 3},
    {DemoUnlock::Kind::Picture, "QUIRA", 4},
    {DemoUnlock::Kind::Picture, "QUIRA", 5},
    {DemoUnlock::Kind::Picture, "QUIRA", 6},
    {DemoUnlock::Kind::Picture, "QUIRA", 7},
    {DemoUnlock::Kind::Picture, "QUIRA", 8},
    {DemoUnlock::Kind::Picture, "QUIRA", 9},
    {DemoUnlock::Kind::Picture, "QUIRA", 10},
    {DemoUnlock::Kind::Picture, "QUIRA", 11},
    {DemoUnlock::Kind::Picture, "QUIRA", 12},
    {DemoUnlock::Kind::Picture, "QUIRA", 13},
    {DemoUnlock::Kind::Picture, "QUIRA", 14},
    {DemoUnlock::Kind::Picture, "QUIRA", 33},
    {DemoUnlock::Kind::Picture, "QUIRA", 86},
    {DemoUnlock::Kind::Picture, "DULCANE", 1},
    {DemoUnlock::Kind::Picture, "DULCANE", 12},
    {DemoUnlock::Kind::Picture, "DULCANE", 13},
    {DemoUnlock::Kind::Picture, "DULCANE", 33},
    {DemoUnlock::Kind::Picture, "OMBREA", 1},
    {DemoUnlock::Kind::Picture, "OMBREA", 2},
    {DemoUnlock::Kind::Picture, "OMBREA", 17},
    {DemoUnlock::Kind::Picture, "YSMA", 13},
    // The gallery's REPLAY pages: the scene the demo story unlocks and OMBREA's only one.
    {DemoUnlock::Kind::Scene, "QUIRA", 1},
    {DemoUnlock::Kind::Scene, "OMBREA", 1},
};

// "picture unlock QUIRA CG 3", as a script's #FlgONVar would name it.
std::string UnlockName(std::int32_t kind, std::string_view heroine, std::int32_t nItem) {
    static constexpr const char* kWhat[kGalleryKinds] = {"picture unlock ", "scene unlock "};
    static constexpr const char* kWord[kGalleryKinds] = {" CG ", " REPLAY "};
    return kWhat[kind] + std::string(heroine) + kWord[kind] + std::to_string(nItem);
}

// Sets bit nItem (from 1) of the heroine's list of the kind; false past its items.
bool SetItemBit(std::span<std::uint32_t> words, std::int32_t kind, std::string_view heroine,
                std::int32_t nItem, std::string& error) {
    const auto heroines = ScriptKeywords::Heroines();
    const HEROINE_KEYWORD* keyword = ScriptKeywords::FindHeroine(heroine);
    const std::int32_t chara =
        keyword == nullptr ? -1 : static_cast<std::int32_t>(keyword - heroines.data());
    if (chara < 0 || nItem < 1 || nItem > GalleryList(chara, kind).nItems) {
        error = UnlockName(kind, heroine, nItem) + " is not in the gallery";
        return false;
    }
    const std::int32_t bit = nItem - 1;
    words[static_cast<std::size_t>(GalleryList(chara, kind).nFirstWord + bit / 32)] |=
        1u << (bit % 32);
    return true;
}

bool Apply(const DemoUnlock& unlock, const SystemSaveValues& values, const NameSet& scripts,
           std::string& error) {
    switch (unlock.kind) {
        case DemoUnlock::Kind::Ending:
            values.gameClear |= ScriptKeywords::EndingBit(unlock.word);
            break;
        case DemoUnlock::Kind::Costume:
            values.clothes[static_cast<std::size_t>(
                ScriptKeywords::FindCostume(unlock.word)->nNumber)] = unlock.value;
            break;
        case DemoUnlock::Kind::Picture:
            return DemoSystemSave::UnlockPicture(values.cg, unlock.word, unlock.value, error);
        case DemoUnlock::Kind::Scene:
            return DemoSystemSave::UnlockScene(values.replay, unlock.word, unlock.value, scripts,
                                               error);
    }
    return true;
}

}  // namespace

bool DemoSystemSave::UnlockPicture(std::span<std::uint32_t> cg, std::string_view heroine,
                                   std::int32_t nItem, std::string& error) {
    return SetItemBit(cg, kGalleryKindCG, heroine, nItem, error);
}

bool DemoSystemSave::UnlockScene(std::span<std::uint32_t> replay, std::string_view heroine,
                                 std::int32_t nItem, const NameSet& scripts, std::string& error) {
    const std::string script = ScriptChecker::SceneScript(heroine, nItem);
    if (scripts.count(script) == 0) {
        error = UnlockName(kGalleryKindReplay, heroine, nItem) + ": its script " + script +
                " is not in Scenario.dat";
        return false;
    }
    return SetItemBit(replay, kGalleryKindReplay, heroine, nItem, error);
}

std::optional<std::string> DemoSystemSave::Bytes(const NameSet& scripts, std::string& error) {
    std::array<std::uint32_t, 8> cg{};
    std::array<std::uint32_t, 6> replay{};
    std::uint32_t gameClear = 0;
    std::array<std::int32_t, 14> clothes{};
    std::vector<AUTO_SKIP_FILE_DATA> list(SystemSaveValues::kListSize);
    const SystemSaveValues values{cg, replay, gameClear, clothes,
                                  std::span<AUTO_SKIP_FILE_DATA, SystemSaveValues::kListSize>(
                                      list.data(), SystemSaveValues::kListSize)};
    for (const DemoUnlock& unlock : kUnlocks) {
        if (!Apply(unlock, values, scripts, error)) return std::nullopt;
    }
    return WriteSystemSave(values);
}

}  // namespace mkdemo
