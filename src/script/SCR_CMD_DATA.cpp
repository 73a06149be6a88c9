#include "script/SCR_CMD_DATA.h"

#include <algorithm>
#include <cstring>

#include "platform/text/SjisText.h"

void SCR_CMD_DATA::Clear() {
    dwPhase = 0;
    dwStartTime = 0;
    std::memset(szCommand, 0, sizeof szCommand);
    std::memset(szArg, 0, sizeof szArg);
    nWaitFlg = 0;
    nLine = 0;
}

void SCR_CMD_DATA::Set(const char* szCmd, const char (*pArgs)[kWordSize], int nCount) {
    Clear();
    platform::SjisCopyTruncated(szCommand, kWordSize, szCmd != nullptr ? szCmd : "");
    if (pArgs == nullptr) return;
    const int count = std::clamp(nCount, 0, kArgCount);
    for (int i = 0; i < count; ++i) {
        platform::SjisCopyTruncated(szArg[i], kWordSize,
                                    std::string_view(pArgs[i], strnlen(pArgs[i], kWordSize)));
    }
}
