#include "extras/DR_COMMENT_DATA.h"

#include "platform/text/SjisText.h"

void DR_COMMENT_DATA::Set(std::uint32_t nExpressionIn, const char* szTextIn) {
    nExpression = nExpressionIn;
    szText[0] = '\0';
    if (szTextIn != nullptr) platform::SjisCopyTruncated(szText, kTextSize, szTextIn);
}
