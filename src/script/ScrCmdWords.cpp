#include "script/ScrCmdWords.h"

#include "platform/text/SjisText.h"

const char* FindScrCmdWord(std::string_view word) {
    for (const char* szWord : ScrCmdWords) {
        if (platform::SjisEqualsIgnoreCase(szWord, word)) return szWord;
    }
    return nullptr;
}
