#pragma once

#include <cstddef>
#include <cstdint>

// One script variable: its ID and its value.
class VAR_DATA {
public:
    static constexpr std::size_t kNameSize = 100;

    VAR_DATA() { Clear(); }

    void Clear();

    char szName[kNameSize];
    std::int32_t nValue;
};
