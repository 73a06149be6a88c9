#include "game/GRAPHIC_FILE_DATA.h"

#include <cstring>

#include "platform/text/SjisText.h"

GRAPHIC_FILE_DATA& GRAPHIC_FILE_DATA::operator=(const GRAPHIC_FILE_DATA& source) {
    if (this == &source) return *this;
    platform::SjisCopyTruncated(szName, kNameSize, source.szName);
    platform::SjisCopyTruncated(szFilePath, kPathSize, source.szFilePath);
    nIndex = source.nIndex;
    return *this;
}

void GRAPHIC_FILE_DATA::Clear() {
    std::memset(szName, 0, sizeof szName);
    std::memset(szFilePath, 0, sizeof szFilePath);
    nIndex = 0;
    dwFlag = 0;
}
