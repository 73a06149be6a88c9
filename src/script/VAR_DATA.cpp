#include "script/VAR_DATA.h"

#include <cstring>

void VAR_DATA::Clear() {
    std::memset(szName, 0, sizeof szName);
    nValue = 0;
}
