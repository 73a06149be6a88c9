#pragma once

#include <cstddef>
#include <cstdint>

// One registration row: a script ID, the asset's file path, its slot and a flag
// word (for pictures the colour-key flag). An empty ID marks a free row.
class GRAPHIC_FILE_DATA {
public:
    static constexpr std::size_t kNameSize = 100;
    static constexpr std::size_t kPathSize = 260;

    GRAPHIC_FILE_DATA() { Clear(); }
    GRAPHIC_FILE_DATA(const GRAPHIC_FILE_DATA&) = delete;
    // Copies ID, path and slot; the target keeps its own flag word.
    GRAPHIC_FILE_DATA& operator=(const GRAPHIC_FILE_DATA& source);

    void Clear();

    char szName[kNameSize];
    char szFilePath[kPathSize];
    std::int32_t nIndex;
    std::uint32_t dwFlag;
};
