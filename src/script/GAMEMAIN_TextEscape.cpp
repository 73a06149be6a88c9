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

void GAMEMAIN::MsgTextEscapeToLF(char* szSrc, char* szDst) {
    if (szSrc == nullptr || szDst == nullptr) return;
    EscapesToLineBreaks(szSrc);
    const std::size_t length = std::strlen(szSrc);
    // An empty text counts as its first byte shown, so its reveal ends at once.
    dwMsgTextWork[2] = length == 0 ? 0 : static_cast<std::uint32_t>(length - 1);
    std::memmove(szDst, szSrc, length + 1);
}

void GAMEMAIN::TextEscapeRemove(const char* szText, MSG_DATA& data) {
    if (szText == nullptr) return;
    data.SetText(EscapesRemoved(szText));
}
