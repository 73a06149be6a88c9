#pragma once

#include <cstddef>
#include <cstdint>

// One entry of the already-read list: a script file and the line read up to, -1
// when it was read to the end. An empty name marks a free entry.
class AUTO_SKIP_FILE_DATA {
public:
    static constexpr std::size_t kNameSize = 260;

    AUTO_SKIP_FILE_DATA() { Clear(); }
    void Clear();

    char szFileName[kNameSize];
    std::int32_t nPosition;
};
