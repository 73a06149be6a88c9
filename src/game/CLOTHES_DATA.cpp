#include "game/CLOTHES_DATA.h"

#include <cstring>

void CLOTHES_DATA::Clear() {
    dwFlag = 0;
    nPartsNum = 2;
    nFace = 0;
    std::memset(szDescription, 0, sizeof szDescription);
    std::memset(szScenario, 0, sizeof szScenario);
}
