#include "game/AUTO_SKIP_FILE_DATA.h"

#include <cstring>

void AUTO_SKIP_FILE_DATA::Clear() {
    std::memset(szFileName, 0, sizeof szFileName);
    nPosition = 0;
}
