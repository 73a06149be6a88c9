#include "script/ScriptKeywords.h"

#include "platform/text/SjisText.h"

namespace {

constexpr COSTUME_KEYWORD kCostumes[] = {
    {"NONE", -1}, {"BASIC", 0},       {"WHITE_MINI", 1},  {"KIMONO", 2},  {"MAID", 3},
    {"CAPE", 4},  {"OLD", 5},         {"BODYSUIT", 6},    {"RECRUIT", 7}, {"LADY", 8},
    {"NURSE", 9}, {"WHITE_LONG", 10}, {"BLACK_MINI", 11}, {"SISTER", 12}, {"BLACK_LONG", 13}};

constexpr HEROINE_KEYWORD kHeroines[] = {{"QUIRA", 1, 0, 96, 0, 96, u8"クィラ"},
                                         {"DULCANE", 2, 3, 64, 3, 32, u8"ドゥルカーネ"},
                                         {"OMBREA", 4, 5, 64, 4, 32, u8"オンブレア"},
                                         {"YSMA", 8, 7, 32, 5, 32, u8"イスマ"}};

constexpr const char* kBadEnding = "BAD";
constexpr std::uint32_t kBadEndingBit = 16;

template <typename Entry>
const Entry* FindWord(std::span<const Entry> table, std::string_view word) {
    for (const Entry& entry : table) {
        if (platform::SjisEqualsIgnoreCase(entry.szWord, word)) return &entry;
    }
    return nullptr;
}

}  // namespace

std::span<const COSTUME_KEYWORD> ScriptKeywords::Costumes() { return kCostumes; }

std::span<const HEROINE_KEYWORD> ScriptKeywords::Heroines() { return kHeroines; }

const COSTUME_KEYWORD* ScriptKeywords::FindCostume(std::string_view word) {
    return FindWord(Costumes(), word);
}

const HEROINE_KEYWORD* ScriptKeywords::FindHeroine(std::string_view word) {
    return FindWord(Heroines(), word);
}

std::uint32_t ScriptKeywords::EndingBit(std::string_view word) {
    if (platform::SjisEqualsIgnoreCase(kBadEnding, word)) return kBadEndingBit;
    const HEROINE_KEYWORD* heroine = FindHeroine(word);
    return heroine != nullptr ? heroine->dwClearBit : 0;
}
