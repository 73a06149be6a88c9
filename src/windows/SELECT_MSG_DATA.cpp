#include "windows/SELECT_MSG_DATA.h"

#include <cstring>

#include "platform/text/SjisText.h"

void SELECT_MSG_DATA::Initialize() {
    nFontSize = kFontSize;
    dwColor = kWhite;
    Clear();
}

void SELECT_MSG_DATA::Clear() { std::memset(szText, 0, sizeof szText); }

void SELECT_MSG_DATA::SetText(std::string_view text) {
    platform::SjisCopyTruncated(szText, sizeof szText, text);
}
