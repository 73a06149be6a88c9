#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "game/AUTO_SKIP_FILE_DATA.h"

// What the system save holds, as views on the game object's own members.
struct SystemSaveValues {
    static constexpr std::size_t kListSize = 512;

    std::span<std::uint32_t, 8> cg;
    std::span<std::uint32_t, 6> replay;
    std::uint32_t& gameClear;
    std::span<std::int32_t, 14> clothes;
    std::span<AUTO_SKIP_FILE_DATA, kListSize> list;
};

// Problems found while reading: how many, and the first one's line and what it was.
struct SystemSaveDamage {
    int count = 0;
    int firstLine = 0;
    std::u8string_view firstWhat;

    void note(int line, std::u8string_view what);
};

// The file format of the system save, without any file access. Reading stores
// every value it can trust and leaves the others as they are; list entries are
// stored from the first one on, so the used entries stay the leading ones.
SystemSaveDamage ReadSystemSave(std::string_view bytes, const SystemSaveValues& values);
std::string WriteSystemSave(const SystemSaveValues& values);
