#pragma once

#include <cstdint>

// Modes of the game object (nMode).
enum GAME_MODE : std::int32_t {
    GAME_MODE_BOOT = 0,
    GAME_MODE_LOGO = 1,
    GAME_MODE_DEMO = 2,
    GAME_MODE_TITLE = 3,
    GAME_MODE_SPECIAL = 4,
    GAME_MODE_CG = 5,
    GAME_MODE_RECURDO = 6,
    GAME_MODE_HINT = 7,
    GAME_MODE_BGM = 8,
    GAME_MODE_ADV = 9,
    GAME_MODE_CLOTHES_SELECT = 10,
    GAME_MODE_DRESS_ROOM = 11,
    GAME_MODE_STAFFROLL = 12,
};
