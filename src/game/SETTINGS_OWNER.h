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

// The owner inside the story (the adventure, the costume select), whose settings
// offer the return to the title.
constexpr SETTINGS_OWNER StorySettingsOwner(const char* szTag) {
    return {szTag, 1, u8"コンフィグウィンドウのオープン処理でエラーが発生しました",
            u8"コンフィグ待機中にエラーが発生しました",
            u8"コンフィグウィンドウのクローズ処理でエラーが発生しました"};
}
