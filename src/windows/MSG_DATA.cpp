#include "windows/MSG_DATA.h"

#include <cstring>

#include "platform/text/SjisText.h"

void MSG_DATA::Initialize() {
    nFontSize = kFontSize;
    dwColor = kWhite;
    Clear();
}

void MSG_DATA::Clear() {
    std::memset(szText, 0, sizeof szText);
    std::memset(szName, 0, sizeof szName);
    std::memset(szScriptText, 0, sizeof szScriptText);
    std::memset(szVoice, 0, sizeof szVoice);
}

void MSG_DATA::SetName(std::string_view name) {
    platform::SjisCopyTruncated(szName, sizeof szName, name);
}

void MSG_DATA::SetText(std::string_view text) {
    platform::SjisCopyTruncated(szText, sizeof szText, text);
}

void MSG_DATA::SetScriptText(std::string_view text) {
    platform::SjisCopyTruncated(szScriptText, sizeof szScriptText, text);
}

void MSG_DATA::SetVoice(std::string_view voice) {
    platform::SjisCopyTruncated(szVoice, sizeof szVoice, voice);
}
