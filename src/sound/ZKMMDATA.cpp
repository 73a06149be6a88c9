#include "sound/ZKMMDATA.h"

#include <cstring>

void ZKMMDATA::Reset() {
    szPath[0] = '\0';
    dwType = kTypeEmpty;
    dwState = kStopped;
    dwOpen = 0;
    pDevice.reset();
}

void ZKMMDATA::SetData(const char* path, std::uint32_t type) {
    dwType = type;
    std::memcpy(szPath, path, std::strlen(path) + 1);
}
