#pragma once

#include <cstdint>

#include "game/CLOTHES_DATA.h"

// The costume select: the 14 costumes and which costume each of the 8 places shows.
class CLT_SLC_DATA {
public:
    static constexpr int kClothesCount = 14;
    static constexpr int kPlaceCount = 8;

    CLT_SLC_DATA();
    CLT_SLC_DATA(const CLT_SLC_DATA&) = delete;
    CLT_SLC_DATA& operator=(const CLT_SLC_DATA&) = delete;

    CLOTHES_DATA ClothesData[kClothesCount];
    // Costume index shown in place 1 to 8 (entry 0 is place 1); -1 none.
    std::int32_t nSortNo[kPlaceCount];
};
