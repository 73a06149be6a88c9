#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

struct SplitWord {
    std::string_view text;  // the whole word, never cut
    bool tooLong = false;   // longer than the caller's limit
};

struct SplitWords {
    std::vector<SplitWord> words;  // at most the caller's count
    bool moreWords = false;        // further words followed
};

// Splits a line at white space (blank, tab, LF, VT, FF, CR). None of those bytes
// can be a Shift-JIS trail byte, so no character is ever cut. The caller decides
// whether a long word is refused or cut.
SplitWords SplitLine(std::string_view line, std::size_t maxWords, std::size_t maxWordBytes);
