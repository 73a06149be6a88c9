#include "game/CLT_SLC_DATA.h"

CLT_SLC_DATA::CLT_SLC_DATA() {
    for (CLOTHES_DATA& clothes : ClothesData) clothes.Clear();
    for (std::int32_t& place : nSortNo) place = -1;
}
