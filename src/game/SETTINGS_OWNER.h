#pragma once

#include <cstdint>

// An owner of the settings screen: its log tag, whether it is inside the story (the
// return-to-title item) and its own failure lines.
struct SETTINGS_OWNER {
    const char* szTag;
    std::uint32_t nInGame;
    const char8_t* szOpenFailed;
    const char8_t* szStandbyFailed;
    const char8_t* szCloseFailed;
};
