#include <cstring>

#include "game/GAMEMAIN.h"
#include "script/TextEscape.h"

void GAMEMAIN::TextEscapeToLF(const char* szSrc, char* szDst) {
    if (szSrc == nullptr || szDst == nullptr) return;
    std::memmove(szDst, szSrc, std::strlen(szSrc) + 1);
    EscapesToLineBreaks(szDst);
}

std::int32_t GAMEMAIN::TextLFToEscape(const char* szSrc, char* szDst, std::size_t nDstSize) {
    if (szSrc == nullptr || szDst == nullptr) return 0;
    return LineBreaksToEscapes(szSrc, szDst, nDstSize) ? 1 : 0;
}
