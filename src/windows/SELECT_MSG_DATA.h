#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The text of one choice as its plate shows it.
class SELECT_MSG_DATA {
public:
    static constexpr std::size_t kTextSize = 256;
    static constexpr std::uint32_t kFontSize = 24;
    static constexpr std::uint32_t kWhite = 0xFFFFFF;

    SELECT_MSG_DATA() { Initialize(); }

    void Initialize();
    void Clear();
    // Keeps at most the field less its terminator, never ending inside a two-byte
    // character.
    void SetText(std::string_view text);

    std::uint32_t nFontSize = kFontSize;
    char szText[kTextSize] = {};
    std::uint32_t dwColor = kWhite;
};
