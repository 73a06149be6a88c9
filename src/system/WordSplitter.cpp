#include "system/WordSplitter.h"

namespace {

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

SplitWords SplitLine(std::string_view line, std::size_t maxWords, std::size_t maxWordBytes) {
    SplitWords result;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsWhiteSpace(line[i])) ++i;
        if (i >= line.size()) break;
        std::size_t end = i;
        while (end < line.size() && !IsWhiteSpace(line[end])) ++end;
        if (result.words.size() == maxWords) {
            result.moreWords = true;
            break;
        }
        const std::string_view word = line.substr(i, end - i);
        result.words.push_back({word, word.size() > maxWordBytes});
        i = end;
    }
    return result;
}
